#pragma once

#include <QDialog>

namespace obi {

// Divides the participants of an age class without weight table into weight
// classes by hand: two class boxes with their participant grids, moving
// selected participants between them and creating classes from a selection.
// Preselects the age class named in zustand().auswahl_wert.
class TfrmEinteilung : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmEinteilung(QWidget *parent = nullptr);
    ~TfrmEinteilung() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
