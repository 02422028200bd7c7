#pragma once

#include <QDialog>

namespace obi {

// Picks a weight class of one age class. The caller puts the age class into
// zustand().auswahl_wert2 and a preset filter into auswahl_wert, and reads
// the chosen GKGEWK from auswahl_wert afterwards (empty when cancelled).
class TfrmMatchcodeGew : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMatchcodeGew(QWidget *parent = nullptr);
    ~TfrmMatchcodeGew() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
