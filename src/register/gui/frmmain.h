#pragma once

#include "register/teilnehmer.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace obi {

class TeilnehmerModell;
class TfrmEingabe_STNR;
class TfrmInfo;
class TfrmWait;
class TfrmWarten;

// The main window: the participant register of the current tournament and
// the main menu from which every other window opens. The start-up sequence
// (connection, version, user, tournament) runs when it is first shown.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The main window of the running program (null before it exists).
    static TfrmMain *instanz();

    // Windows created at program start and handed over (owned by this window).
    void setze_startfenster(QDialog *wkLaden, TfrmInfo *info, TfrmWarten *warten, TfrmWait *wait);
    // Tests switch the start-up sequence off and load a tournament with
    // wettkampf_uebernehmen().
    void setze_startablauf(bool an) { m_startablauf = an; }

    // Reloads the participant list from the search fields.
    void daten_lesen();
    // After a tournament became current: status bar, field activations,
    // empty search fields, list.
    void wettkampf_uebernehmen();
    // Shows (true) or closes (false) the "Bitte warten ...." window.
    void warten(bool an);
    // Calendar dialog; the chosen date as text, empty when cancelled.
    QString getDate(const QString &titel, bool vergangenheitErlaubt);
    // Closes the program info window created at start.
    void flash_screen(bool zeigen);
    // Status bar and title for the current tournament.
    void set_statusbar();
    // Drops and reopens the database connection, then reloads.
    void btnReconnectClick();

    // Buttons of the panel and menu actions, also for tests and other windows.
    void speichern();
    void neuer_satz();
    void kopieren();
    void loeschen();
    void abbrechen();
    void auffinden();
    void neue_suche();
    void teilnehmer_zaehlen_menue();
    void auswahl_loeschen_menue();
    void wettkampf_laden();

    QString bearbeitungsmodus() const { return m_modus; }
    bool geaendert() const { return m_geaendert; }
    TfrmEingabe_STNR *stnrDialog();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void aufbauen();
    void menue_aufbauen();
    void starten();
    bool check_db();
    void setze_geaendert(bool an);
    void panel_fuellen();
    void panel_leeren();
    TeilnehmerEingabe panel_lesen() const;
    void panel_schreiben(const TeilnehmerEingabe &e);
    void fokus_auf_feld(const QString &feld);
    void feld_verlassen(QLineEdit *feld);
    void feldaktivierung_anwenden();
    void feldaktivierung_geklickt();
    void suchfelder_leeren();
    Suchfelder suchfelder() const;
    void picker(QLineEdit *feld);
    void gewk_rechtsklick();
    void zeile_gewechselt();
    int aktuelle_zeile() const;
    void programm_ende();

    bool m_startablauf = true;
    bool m_gestartet = false;
    bool m_geaendert = false;
    bool m_nachSpeichernPositionieren = false;
    bool m_pruefeAus = false;
    QString m_modus = QStringLiteral("U");

    QPointer<QDialog> m_frmWKLaden;
    QPointer<TfrmInfo> m_frmInfo;
    QPointer<TfrmWarten> m_frmWarten;
    QPointer<TfrmWait> m_frmWait;
    TfrmEingabe_STNR *m_frmStnr = nullptr;

    TeilnehmerModell *m_modell = nullptr;

    // Search bar
    QLineEdit *m_edtSuchAK = nullptr;
    QLineEdit *m_edtSuchName = nullptr;
    QLineEdit *m_edtSuchGewk = nullptr;
    QLineEdit *m_edtSuchLos = nullptr;
    QPushButton *m_btnSuchen = nullptr;
    QPushButton *m_btnNeueSuche = nullptr;
    QPushButton *m_btnReconnect = nullptr;
    QWidget *m_suchleiste = nullptr;
    QTableView *m_grdStarter = nullptr;

    // Edit panel
    QGroupBox *m_grpEingabe = nullptr;
    QLineEdit *m_edtAKID = nullptr;
    QLineEdit *m_edtNAME = nullptr;
    QLineEdit *m_edtVNAM = nullptr;
    QLineEdit *m_edtGEWK = nullptr;
    QLineEdit *m_edtLOS = nullptr;
    QLineEdit *m_edtSETZ = nullptr;
    QLineEdit *m_edtVEREIN = nullptr;
    QLineEdit *m_edtVERBAND = nullptr;
    QLineEdit *m_edtTEXT = nullptr;
    QLineEdit *m_edtSTNR = nullptr;
    QLineEdit *m_edtJG = nullptr;
    QLineEdit *m_edtGEWN = nullptr;
    QLineEdit *m_edtPLTZ = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPushButton *m_btnKaempfe = nullptr;

    QGroupBox *m_grpAktivierung = nullptr;
    QCheckBox *m_chkJG = nullptr;
    QCheckBox *m_chkGEWN = nullptr;
    QCheckBox *m_chkPLTZ = nullptr;
    QCheckBox *m_chkTEXT = nullptr;
    QCheckBox *m_chkSETZ = nullptr;

    QPushButton *m_btnSpeichern = nullptr;
    QPushButton *m_btnNeu = nullptr;
    QPushButton *m_btnKopieren = nullptr;
    QPushButton *m_btnLoeschen = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;

    QLabel *m_lblPanel1 = nullptr;
    QLabel *m_lblPanel2 = nullptr;

    QAction *m_mnuBarcode = nullptr;
    QAction *m_mnuSonderzeichen = nullptr;
};

} // namespace obi
