#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace obi
{

class Tdm;

// Brings the database from aktuelleVersion to zielVersion with the upgrade
// chain when shown; "OK" is enabled only when the target was reached.
class TfrmDB_Convert : public QDialog
{
    Q_OBJECT
public:
    TfrmDB_Convert(int aktuelleVersion, int zielVersion, QWidget *parent = nullptr);

    int erreichteVersion() const { return m_version; }
    // The database to upgrade when it is not the program's data module dm().
    void setzeDatenmodul(Tdm *dm) { m_dm = dm; }
    QStringList protokoll() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void ausfuehren();
    void versionenZeigen();

    int m_start;
    int m_ziel;
    int m_version;
    bool m_gelaufen = false;
    Tdm *m_dm = nullptr;
    QLineEdit *m_edtAktuell = nullptr;
    QLineEdit *m_edtZiel = nullptr;
    QListWidget *m_lstProtokoll = nullptr;
    QPushButton *m_btnOK = nullptr;
};

} // namespace obi
