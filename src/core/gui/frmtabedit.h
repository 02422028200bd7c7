#pragma once

#include "core/tabellen.h"

#include <QDialog>

class QLineEdit;
class QLabel;
class QGroupBox;
class QPushButton;
class QTableView;
class QStandardItemModel;

namespace obi
{

// Editor of the entries of one lookup table. The table's header row is given
// by zustand().auswahl_wert (TKTAB) or by the second constructor.
class TfrmTabEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTabEdit(QWidget *parent = nullptr);
    TfrmTabEdit(const QString &tabelle, QWidget *parent = nullptr);

    bool neuModus() const { return m_neu; }
    bool geaendert() const { return m_geaendert; }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void aufbauen();
    void laden();
    void zeileAnzeigen();
    void setzeGeaendert(bool geaendert);
    bool pruefeSchluessel();
    bool pruefeWert();
    void speichern();
    void neuerSatz();
    void kopieren();
    void abbrechen();
    void loeschen();

    TabKopf m_kopf;
    bool m_neu = false;
    bool m_geaendert = false;
    bool m_laedt = false;
    QString m_letzteSuche;
    QLineEdit *m_edtSuche = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QGroupBox *m_gruppe = nullptr;
    QLineEdit *m_edtSchluessel = nullptr;
    QLineEdit *m_edtBez = nullptr;
    QLineEdit *m_edtZus1 = nullptr;
    QLineEdit *m_edtZus2 = nullptr;
    QLineEdit *m_edtWert = nullptr;
    QLabel *m_lblZus1 = nullptr;
    QLabel *m_lblZus2 = nullptr;
    QLabel *m_lblWert = nullptr;
    QPushButton *m_btnSpeichern = nullptr;
    QPushButton *m_btnNeu = nullptr;
    QPushButton *m_btnKopieren = nullptr;
    QPushButton *m_btnLoeschen = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
    QPushButton *m_btnBeenden = nullptr;
};

} // namespace obi
