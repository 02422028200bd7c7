#pragma once

#include <QDialog>

namespace obi {

// The table of a round robin list or of one pool of a pool list: shows wins
// and points, ranks the participants, lets the operator correct the places
// by typing and saves them (final places for one table, pool place rows for
// a pool). Opened with empty fields, or with the age class preset in
// zustand().auswahl_wert and the weight class in auswahl_wert2 (both slots
// are taken and cleared when the window is created).
class TfrmTabelle : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTabelle(QWidget *parent = nullptr);
    ~TfrmTabelle() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
