#pragma once

#include "register/streichung.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace obi
{

// Withdrawal of one participant from the bout list of their weight class.
// The start number comes in zustand().auswahl_wert; the window is accepted
// when the code was saved.
class TfrmStreichung : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStreichung(QWidget *parent = nullptr);

    // Reads the participant (message 0 and no saving when not found).
    void daten_lesen();
    // Normalises the status field, shows its description and checks that the
    // participant can be withdrawn; shows the message and returns false if not.
    bool check_zusammen();

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void speichern();
    void abbrechen();
    void auswahl();

    QString m_stnr;
    bool m_gefunden = false;
    StreichungStarter m_starter;
    QLineEdit *m_edtAKID = nullptr;
    QLineEdit *m_edtGEWK = nullptr;
    QLineEdit *m_edtNAME = nullptr;
    QLineEdit *m_edtVNAM = nullptr;
    QLineEdit *m_edtVENAME = nullptr;
    QLineEdit *m_edtVEVERB = nullptr;
    QLineEdit *m_edtSTAT = nullptr;
    QLabel *m_lblSTAT = nullptr;
    QLineEdit *m_edtTEXT = nullptr;
    QPushButton *m_btnBeenden = nullptr;
    QPushButton *m_btnSpeichern = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
};

} // namespace obi
