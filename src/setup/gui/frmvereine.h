#pragma once

#include <QDialog>

namespace obi {

// Clubs of the current tournament and their lot numbers. The request in
// zustand().auswahl_wert decides the mode: empty = maintenance, "0" =
// selection, a positive number = quick entry for that lot number, "W" =
// quick entry from the weigh-in. A chosen or saved club is handed back in
// auswahl_wert2 (lot number), auswahl_modus (name) and auswahl_wert3
// (federation).
class TfrmVereine : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmVereine(QWidget *parent = nullptr);
    ~TfrmVereine() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
