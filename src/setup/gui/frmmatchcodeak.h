#pragma once

#include <QDialog>

namespace obi {

// Picks an age class of the current tournament. The caller puts a preset
// filter into zustand().auswahl_wert and reads the chosen AKAKID from
// auswahl_wert afterwards (empty when cancelled).
class TfrmMatchcodeAK : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMatchcodeAK(QWidget *parent = nullptr);
    ~TfrmMatchcodeAK() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
