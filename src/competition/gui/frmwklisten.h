#pragma once

#include <QDialog>

namespace obi {

// Generates (and later prints) the bout lists of one weight class or of every
// weight class of an age class. Opened from the main menu with empty fields;
// a caller that puts an age class into zustand().auswahl_wert and a weight
// class into zustand().auswahl_wert2 gets the count, the preset type button
// and the focus on "&Drucken".
class TfrmWKListen : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWKListen(QWidget *parent = nullptr);
    ~TfrmWKListen() override;

    // "&Drucken" for the shown class: full check, then druck_liste.
    void btnPrintClick();
    // "Alle drucken": every weight class of the age class.
    void btnPrintAllClick();

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
