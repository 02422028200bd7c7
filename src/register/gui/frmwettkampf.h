#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;
class QPushButton;

namespace obi
{

// The tournament window: creates a tournament when zustand().aktueller_wettkampf
// is "0", otherwise edits the current one. On success auswahl_wert is "OK"
// and, after creating, aktueller_wettkampf holds the new number.
class TfrmWettkampf : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWettkampf(QWidget *parent = nullptr);

    // Runs the field check of one key ("BEZ", "DATU", "SGLD") or all ("*").
    bool check_zusammen(const QString &feld);

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void laden();
    void speichern();
    void kalender();

    bool m_neu = true;
    bool m_pruefeAus = false;
    QLineEdit *m_edtNummer = nullptr;
    QLineEdit *m_edtBez = nullptr;
    QLineEdit *m_edtDatum = nullptr;
    QLineEdit *m_edtOrt = nullptr;
    QLineEdit *m_edtLeitung = nullptr;
    QLineEdit *m_edtStartgeld = nullptr;
    QLineEdit *m_edtText = nullptr;
    QPushButton *m_btnSpeichern = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
};

} // namespace obi
