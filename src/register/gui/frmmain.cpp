#include "frmmain.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/gui/frminfo.h"
#include "core/gui/frmwait.h"
#include "core/gui/frmwarten.h"
#include "core/gui/gridrad.h"
#include "core/konfig.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "core/version.h"
#include "core/zustand.h"
#include "register/gui/frmeingabestnr.h"

#include "competition/gui/frmlosen.h"
#include "competition/gui/frmtabelle.h"
#include "competition/gui/frmwklisten.h"
#include "core/gui/frmdbconvert.h"
#include "core/gui/frmtabauswahl.h"
#include "register/gui/frmgetdate.h"
#include "register/gui/frmstreichung.h"
#include "register/gui/frmwettkampf.h"
#include "register/gui/frmwkladen.h"
#include "setup/gui/frmaltersklassen.h"
#include "setup/gui/frmeinteilung.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"
#include "setup/gui/frmvereine.h"
#include "setup/gui/klassenwahl.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace obi {

// ---- Grid model ----------------------------------------------------------------

class TeilnehmerModell : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setze(QVector<Teilnehmer> liste)
    {
        beginResetModel();
        m_liste = std::move(liste);
        endResetModel();
    }
    const QVector<Teilnehmer> &liste() const { return m_liste; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_liste.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 10; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_liste.size())
            return {};
        const Teilnehmer &t = m_liste.at(index.row());
        switch (index.column()) {
        case 0:
            return t.name;
        case 1:
            return t.vnam;
        case 2:
            return t.akid;
        case 3:
            return t.gewk;
        case 4:
            return t.los;
        case 5:
            return t.vename;
        case 6:
            return t.veverb;
        case 7:
            return t.jg;
        case 8:
            return t.setz;
        case 9:
            return t.pltz;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        static const char *const titel[] = {"Name",   "Vorname", "Altersklasse", "Gewichtsklasse", "LosNr",
                                            "Verein", "Verband", "Jahrgang",     "Listenplatz",    "Platz"};
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 10)
            return QString::fromUtf8(titel[section]);
        return QAbstractTableModel::headerData(section, o, role);
    }

private:
    QVector<Teilnehmer> m_liste;
};

namespace {

TfrmMain *&hauptfenster()
{
    static TfrmMain *f = nullptr;
    return f;
}

// The class pickers, plus the club window for a lot number without club.
class FensterAuswahl final : public Klassenwahl
{
public:
    using Klassenwahl::Klassenwahl;

    bool verein_anlegen(const QString &los, QString &neuesLos) override
    {
        zustand().auswahl_wert = los;
        zustand().auswahl_wert2.clear();
        TfrmVereine dlg(eltern());
        dlg.exec();
        neuesLos = trim_rechts(zustand().auswahl_wert2);
        return !neuesLos.isEmpty();
    }
};

} // namespace

// ---- Construction ------------------------------------------------------------------

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("OBITRACK"));
    hauptfenster() = this;
    aufbauen();
    menue_aufbauen();
    // The wheel moves a grid's current row, in every window of the program.
    GridRadFilter::installieren();
    setze_geaendert(false);
}

TfrmMain::~TfrmMain()
{
    if (hauptfenster() == this)
        hauptfenster() = nullptr;
}

TfrmMain *TfrmMain::instanz()
{
    return hauptfenster();
}

void TfrmMain::setze_startfenster(QDialog *wkLaden, TfrmInfo *info, TfrmWarten *warten, TfrmWait *wait)
{
    m_frmWKLaden = wkLaden;
    m_frmInfo = info;
    m_frmWarten = warten;
    m_frmWait = wait;
}

void TfrmMain::aufbauen()
{
    auto *zentral = new QWidget(this);
    auto *haupt = new QVBoxLayout(zentral);

    // Search bar
    auto *such = new QGroupBox(QStringLiteral("Suchen nach ..."), zentral);
    such->setObjectName(QStringLiteral("grpSuche"));
    m_suchleiste = such;
    auto *suchLayout = new QHBoxLayout(such);
    m_edtSuchAK = auswahlfeld_einrichten(eingabefeld(such, "edtSuchAK"));
    m_edtSuchName = eingabefeld(such, "edtSuchName");
    m_edtSuchGewk = auswahlfeld_einrichten(eingabefeld(such, "edtSuchGewk"));
    m_edtSuchLos = auswahlfeld_einrichten(eingabefeld(such, "edtSuchLos"));
    const std::pair<const char *, QLineEdit *> suchfelder[] = {
        {"Altersklasse", m_edtSuchAK}, {"Name", m_edtSuchName}, {"Gew.-Kl.", m_edtSuchGewk}, {"LosNr", m_edtSuchLos}};
    for (const auto &[text, e] : suchfelder) {
        auto *l = new QLabel(QString::fromUtf8(text), such);
        l->setBuddy(e);
        suchLayout->addWidget(l);
        suchLayout->addWidget(e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::returnPressed, this, &TfrmMain::daten_lesen);
    }
    m_btnSuchen = knopf(such, "btnSuchen", QStringLiteral("Suche s&tarten"), false);
    m_btnNeueSuche = knopf(such, "btnNeueSuche", QStringLiteral("Neue Suche"), false);
    m_btnReconnect = knopf(such, "btnReconnect", QStringLiteral("Verbindung neu"), false);
    m_btnReconnect->setToolTip(QStringLiteral("Datenbankverbindung neu aufbauen"));
    suchLayout->addWidget(m_btnSuchen);
    suchLayout->addWidget(m_btnNeueSuche);
    suchLayout->addWidget(m_btnReconnect);
    connect(m_btnSuchen, &QPushButton::clicked, this, &TfrmMain::daten_lesen);
    connect(m_btnNeueSuche, &QPushButton::clicked, this, &TfrmMain::neue_suche);
    connect(m_btnReconnect, &QPushButton::clicked, this, &TfrmMain::btnReconnectClick);
    haupt->addWidget(such);

    // Grid
    m_modell = new TeilnehmerModell(this);
    m_grdStarter = new QTableView(zentral);
    m_grdStarter->setObjectName(QStringLiteral("grdStarter"));
    m_grdStarter->setModel(m_modell);
    m_grdStarter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdStarter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdStarter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdStarter->verticalHeader()->setDefaultSectionSize(m_grdStarter->fontMetrics().height() + 6);
    m_grdStarter->horizontalHeader()->setStretchLastSection(true);
    m_grdStarter->setColumnWidth(5, 180); // club names are the longest texts
    connect(m_grdStarter->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TfrmMain::zeile_gewechselt);
    haupt->addWidget(m_grdStarter, 1);

    // Edit panel and field activations side by side
    auto *unten = new QHBoxLayout;
    m_grpEingabe = new QGroupBox(QStringLiteral("Datensatz ändern"), zentral);
    m_grpEingabe->setObjectName(QStringLiteral("grpEingabe"));
    auto *g = new QGridLayout(m_grpEingabe);
    m_edtAKID = auswahlfeld_einrichten(eingabefeld(m_grpEingabe, "edtAKID"));
    m_edtNAME = eingabefeld(m_grpEingabe, "edtNAME");
    m_edtVNAM = eingabefeld(m_grpEingabe, "edtVNAM");
    m_edtGEWK = auswahlfeld_einrichten(eingabefeld(m_grpEingabe, "edtGEWK"));
    m_edtLOS = auswahlfeld_einrichten(eingabefeld(m_grpEingabe, "edtLOS"));
    m_edtSETZ = eingabefeld(m_grpEingabe, "edtSETZ");
    m_edtVEREIN = eingabefeld(m_grpEingabe, "edtVEREIN");
    m_edtVERBAND = eingabefeld(m_grpEingabe, "edtVERBAND");
    m_edtTEXT = eingabefeld(m_grpEingabe, "edtTEXT");
    m_edtSTNR = eingabefeld(m_grpEingabe, "edtSTNR");
    m_edtJG = eingabefeld(m_grpEingabe, "edtJG");
    m_edtGEWN = auswahlfeld_einrichten(eingabefeld(m_grpEingabe, "edtGEWN"));
    m_edtPLTZ = eingabefeld(m_grpEingabe, "edtPLTZ");
    for (QLineEdit *ro : {m_edtVEREIN, m_edtVERBAND, m_edtSTNR}) {
        ro->setReadOnly(true);
        ro->setFocusPolicy(Qt::ClickFocus);
    }
    m_lblStatus = new QLabel(m_grpEingabe);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    {
        QFont f = m_lblStatus->font();
        f.setBold(true);
        m_lblStatus->setFont(f);
        QPalette p = m_lblStatus->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        m_lblStatus->setPalette(p);
    }
    m_btnKaempfe = knopf(m_grpEingabe, "btnKaempfe", QStringLiteral("Kämpfe"), false);
    m_btnKaempfe->setToolTip(QStringLiteral("Anzeige Kämpfe (bei Listenführung)"));
    m_btnKaempfe->setEnabled(false); // the bout windows are not part of this program yet

    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Altersklasse"), m_edtAKID), 0, 0);
    g->addWidget(m_edtAKID, 0, 1, 1, 2);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Start-Nr."), m_edtSTNR), 0, 3);
    g->addWidget(m_edtSTNR, 0, 4);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Name, Vorname"), m_edtNAME), 1, 0);
    g->addWidget(m_edtNAME, 1, 1);
    g->addWidget(m_edtVNAM, 1, 2);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Jahrgang"), m_edtJG), 1, 3);
    g->addWidget(m_edtJG, 1, 4);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Gewichtsklasse"), m_edtGEWK), 2, 0);
    g->addWidget(m_edtGEWK, 2, 1, 1, 2);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Gewicht"), m_edtGEWN), 2, 3);
    g->addWidget(m_edtGEWN, 2, 4);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Los-Nr./Liste"), m_edtLOS), 3, 0);
    g->addWidget(m_edtLOS, 3, 1);
    g->addWidget(m_edtSETZ, 3, 2);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Platz "), m_edtPLTZ), 3, 3);
    g->addWidget(m_edtPLTZ, 3, 4);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Verein, Verband"), m_edtVEREIN), 4, 0);
    g->addWidget(m_edtVEREIN, 4, 1);
    g->addWidget(m_edtVERBAND, 4, 2);
    g->addWidget(m_lblStatus, 4, 3);
    g->addWidget(m_btnKaempfe, 4, 4);
    g->addWidget(beschriftung(m_grpEingabe, QStringLiteral("Bemerkung"), m_edtTEXT), 5, 0);
    g->addWidget(m_edtTEXT, 5, 1, 1, 4);
    unten->addWidget(m_grpEingabe, 1);

    m_grpAktivierung = new QGroupBox(QStringLiteral("Aktivierung Eingabefelder"), zentral);
    m_grpAktivierung->setObjectName(QStringLiteral("grpAktivierung"));
    auto *a = new QVBoxLayout(m_grpAktivierung);
    auto box = [this, a](const char *text, const char *name) {
        auto *c = new QCheckBox(QString::fromUtf8(text), m_grpAktivierung);
        c->setObjectName(QString::fromLatin1(name));
        a->addWidget(c);
        connect(c, &QCheckBox::clicked, this, &TfrmMain::feldaktivierung_geklickt);
        return c;
    };
    m_chkJG = box("Jahrgang", "chkJG");
    m_chkGEWN = box("Körpergewicht", "chkGEWN");
    m_chkPLTZ = box("Platz (Ergebnis)", "chkPLTZ");
    m_chkTEXT = box("Bemerkung (Text)", "chkTEXT");
    m_chkSETZ = box("Fester Listenplatz", "chkSETZ");
    a->addStretch();
    unten->addWidget(m_grpAktivierung);
    haupt->addLayout(unten);

    // Button row
    auto *knoepfe = new QHBoxLayout;
    m_btnSpeichern = knopf(zentral, "btnSpeichern", QStringLiteral("&Speichern"), false);
    m_btnNeu = knopf(zentral, "btnNeu", QStringLiteral("&Neuer Satz"), false);
    m_btnKopieren = knopf(zentral, "btnKopieren", QStringLiteral("&Kopieren"), false);
    m_btnLoeschen = knopf(zentral, "btnLoeschen", QStringLiteral("&Löschen"), false);
    m_btnAbbrechen = knopf(zentral, "btnAbbrechen", QStringLiteral("&Abbrechen"), false);
    for (QPushButton *b : {m_btnSpeichern, m_btnNeu, m_btnKopieren, m_btnLoeschen, m_btnAbbrechen})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    haupt->addLayout(knoepfe);
    connect(m_btnSpeichern, &QPushButton::clicked, this, &TfrmMain::speichern);
    connect(m_btnNeu, &QPushButton::clicked, this, &TfrmMain::neuer_satz);
    connect(m_btnKopieren, &QPushButton::clicked, this, &TfrmMain::kopieren);
    connect(m_btnLoeschen, &QPushButton::clicked, this, &TfrmMain::loeschen);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &TfrmMain::abbrechen);

    setCentralWidget(zentral);

    // Typing into the panel starts an edit; leaving some fields checks them.
    for (QLineEdit *e :
         {m_edtAKID, m_edtNAME, m_edtVNAM, m_edtGEWK, m_edtLOS, m_edtSETZ, m_edtTEXT, m_edtJG, m_edtGEWN, m_edtPLTZ}) {
        connect(e, &QLineEdit::textEdited, this, [this] { setze_geaendert(true); });
        e->installEventFilter(this);
    }
    // Enter moves on; in the place and weight fields it completes and saves.
    for (QLineEdit *e : {m_edtAKID, m_edtNAME, m_edtVNAM, m_edtGEWK, m_edtLOS, m_edtSETZ, m_edtTEXT, m_edtJG})
        connect(e, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    for (QLineEdit *e : {m_edtPLTZ, m_edtGEWN})
        connect(e, &QLineEdit::returnPressed, this, [this] {
            m_edtPLTZ->setText(platz_ergaenzen(m_edtPLTZ->text()));
            speichern();
        });
    m_edtGEWK->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_edtGEWK, &QWidget::customContextMenuRequested, this, &TfrmMain::gewk_rechtsklick);

    // Keyboard order: search, grid, panel, buttons, activations.
    const QList<QWidget *> reihenfolge
        = {m_edtSuchAK,   m_edtSuchName,  m_edtSuchGewk, m_edtSuchLos, m_btnSuchen,    m_btnNeueSuche, m_btnReconnect,
           m_grdStarter,  m_edtAKID,      m_edtNAME,     m_edtVNAM,    m_edtGEWK,      m_edtLOS,       m_edtSETZ,
           m_edtTEXT,     m_edtJG,        m_edtGEWN,     m_edtPLTZ,    m_btnSpeichern, m_btnNeu,       m_btnKopieren,
           m_btnLoeschen, m_btnAbbrechen, m_chkJG,       m_chkGEWN,    m_chkPLTZ,      m_chkTEXT,      m_chkSETZ};
    for (qsizetype i = 1; i < reihenfolge.size(); ++i)
        setTabOrder(reihenfolge.at(i - 1), reihenfolge.at(i));

    // Status bar: tournament or selection count, user.
    m_lblPanel1 = new QLabel(this);
    m_lblPanel1->setObjectName(QStringLiteral("lblPanel1"));
    m_lblPanel1->setFixedWidth(220);
    m_lblPanel2 = new QLabel(this);
    m_lblPanel2->setObjectName(QStringLiteral("lblPanel2"));
    m_lblPanel2->setFixedWidth(150);
    statusBar()->addWidget(m_lblPanel1);
    statusBar()->addWidget(m_lblPanel2);

    m_frmStnr = new TfrmEingabe_STNR(this);
    resize(1000, 700);
}

void TfrmMain::menue_aufbauen()
{
    // An entry without action is a window that is not part of the program
    // yet: present, but disabled.
    auto eintrag = [this](QMenu *menue, const QString &text, const char *name, const QKeySequence &taste,
                          std::function<void()> aktion) {
        QAction *a = menue->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (!taste.isEmpty())
            a->setShortcut(taste);
        if (aktion)
            connect(a, &QAction::triggered, this, [aktion] { aktion(); });
        else
            a->setEnabled(false);
        return a;
    };
    const std::function<void()> fehlt;

    // Datei
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mnuDatei"));
    eintrag(datei, QStringLiteral("Wettkampf laden"), "mnuWettkampfLaden", QKeySequence(Qt::SHIFT | Qt::Key_F2),
            [this] { wettkampf_laden(); });
    eintrag(datei, QStringLiteral("&Bearbeiten"), "mnuWettkampfBearbeiten", {}, [this] {
        TfrmWettkampf dlg(this);
        dlg.exec();
    });
    eintrag(datei, QStringLiteral("Wettkampf &löschen"), "mnuWettkampfLoeschen", {}, [this] {
        const QString vorher = zustand().aktueller_wettkampf;
        zustand().auswahl_modus = QStringLiteral("D");
        {
            TfrmWKLaden dlg(this);
            dlg.exec();
        }
        zustand().auswahl_modus.clear();
        if (aktueller_wettkampf_nr() <= 0)
            wettkampf_laden();
        else if (zustand().aktueller_wettkampf != vorher)
            wettkampf_uebernehmen(); // a double-click chose another tournament
    });
    datei->addSeparator();
    eintrag(datei, QStringLiteral("&Programm beenden"), "mnuBeenden", {}, [this] { programm_ende(); });

    // Bearbeiten
    QMenu *bearb = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    bearb->setObjectName(QStringLiteral("mnuBearbeiten"));
    eintrag(bearb, QStringLiteral("&Auffinden"), "mnuAuffinden", QKeySequence(Qt::Key_F2), [this] { auffinden(); });
    eintrag(bearb, QStringLiteral("&Übersicht"), "mnuUebersicht", QKeySequence(Qt::Key_F5), fehlt);
    eintrag(bearb, QStringLiteral("Wiegen"), "mnuWiegen", QKeySequence(Qt::Key_F8), fehlt);
    eintrag(bearb, QStringLiteral("&Vereine"), "mnuVereine", {}, [this] {
        zustand().auswahl_wert.clear();
        zustand().auswahl_wert2.clear();
        TfrmVereine dlg(this);
        dlg.exec();
        daten_lesen(); // club names in the grid may have changed
    });
    eintrag(bearb, QStringLiteral("Teilnehmer zählen"), "mnuTeilnehmerZaehlen", {},
            [this] { teilnehmer_zaehlen_menue(); });
    eintrag(bearb, QStringLiteral("Losen"), "mnuLosen", {}, [this] {
        TfrmLosen dlg(this);
        dlg.exec();
    });
    eintrag(bearb, QStringLiteral("Einteilung Gewichtsklassen"), "mnuEinteilung", {}, [this] {
        // The window preselects the search bar's age class.
        zustand().auswahl_wert = trim_rechts(m_edtSuchAK->text());
        {
            TfrmEinteilung dlg(this);
            dlg.exec();
        }
        daten_lesen();
    });
    eintrag(bearb, QStringLiteral("Altersklassen"), "mnuAltersklassen", {}, [this] {
        {
            TfrmAltersklassen dlg(this);
            dlg.exec();
        }
        daten_lesen(); // the repair after saving may change weight classes
    });
    eintrag(bearb, QStringLiteral("&Tabellen"), "mnuTabellen", {}, [this] {
        TfrmTabAuswahl dlg(this);
        dlg.exec();
    });
    bearb->addSeparator();
    eintrag(bearb, QStringLiteral("Löschen (Auswahl)"), "mnuLoeschenAuswahl", {}, [this] { auswahl_loeschen_menue(); });

    // Drucken
    QMenu *drucken = menuBar()->addMenu(QStringLiteral("D&rucken"));
    drucken->setObjectName(QStringLiteral("mnuDrucken"));
    eintrag(drucken, QStringLiteral("Wettkampflisten"), "mnuWettkampflisten", QKeySequence(Qt::Key_F6), [this] {
        // Empty slots: the window opens without a class.
        zustand().auswahl_wert.clear();
        zustand().auswahl_wert2.clear();
        TfrmWKListen dlg(this);
        dlg.exec();
        daten_lesen(); // generation may set places and clear withdrawals
    });
    QMenu *tnListen = drucken->addMenu(QStringLiteral("Teilnehmerlisten"));
    eintrag(tnListen, QStringLiteral("Name und Gewicht"), "mnuListeNameGewicht", {}, fehlt);
    eintrag(tnListen, QStringLiteral("Liste pro Gew.-Klasse"), "mnuListeProGewk", {}, fehlt);
    QMenu *endkaempfe = drucken->addMenu(QStringLiteral("Listen Endkämpfe"));
    eintrag(endkaempfe, QStringLiteral("Liste Finalkämpfe"), "mnuListeFinale", {}, fehlt);
    eintrag(endkaempfe, QStringLiteral("Liste Kampf um Platz3"), "mnuListePlatz3", {}, fehlt);
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("Startkarte einzeln"), "mnuStartkarte", QKeySequence(Qt::SHIFT | Qt::Key_F12),
            fehlt);
    eintrag(drucken, QStringLiteral("Startkarte nach Auswahl"), "mnuStartkarteAuswahl", {}, fehlt);
    eintrag(drucken, QStringLiteral("Startkarte nach Auswahl A4"), "mnuStartkarteAuswahlA4", {}, fehlt);
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("Wiegelisten (komplett)"), "mnuWiegelisten", {}, fehlt);
    eintrag(drucken, QStringLiteral("Wiegeliste (blanko)"), "mnuWiegelisteBlanko", {}, fehlt);
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("Startgeldbelege (komplett)"), "mnuStartgeldbelege", {}, fehlt);
    eintrag(drucken, QStringLiteral("Startgeldbeleg (blanko)"), "mnuStartgeldbelegBlanko", {}, fehlt);
    eintrag(drucken, QStringLiteral("Meldeliste Vereine"), "mnuMeldelisteVereine", {}, fehlt);
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("Urkunde (einzeln)"), "mnuUrkunde", {}, fehlt);
    eintrag(drucken, QStringLiteral("Urkunde (Auswahl)"), "mnuUrkundeAuswahl", {}, fehlt);
    drucken->addSeparator();
    eintrag(drucken, QStringLiteral("Drucker wählen"), "mnuDruckerWaehlen", {}, [this] {
        QPrinter drucker;
        QPrintDialog dlg(&drucker, this);
        if (dlg.exec() != QDialog::Accepted)
            return;
        const int index = int(QPrinterInfo::availablePrinterNames().indexOf(drucker.printerName()));
        if (index >= 0)
            zustand().drucker_index = index;
    });
    m_mnuBarcode = eintrag(drucken, QStringLiteral("Barcode-Label"), "mnuBarcodeLabel", {}, fehlt);
    m_mnuSonderzeichen = eintrag(drucken, QStringLiteral("Umsetzung Sonderzeichen"), "mnuSonderzeichen", {}, fehlt);

    // Wettkampf
    QMenu *wk = menuBar()->addMenu(QStringLiteral("&Wettkampf"));
    wk->setObjectName(QStringLiteral("mnuWettkampf"));
    eintrag(wk, QStringLiteral("Listenführung"), "mnuListenfuehrung", {}, fehlt);
    eintrag(wk, QStringLiteral("Tabelle berechnen"), "mnuTabelleBerechnen", {}, [this] {
        // Opened from the menu with empty class fields.
        zustand().auswahl_wert.clear();
        zustand().auswahl_wert2.clear();
        TfrmTabelle dlg(this);
        dlg.exec();
    });
    eintrag(wk, QStringLiteral("Anzeigetafel"), "mnuAnzeigetafel", {}, fehlt);
    eintrag(wk, QStringLiteral("Vorschau"), "mnuVorschau", {}, fehlt);
    eintrag(wk, QStringLiteral("Vorschau einrichten"), "mnuVorschauEinrichten", {}, fehlt);
    eintrag(wk, QStringLiteral("Mattenbelegung"), "mnuMattenbelegung", {}, fehlt);
    eintrag(wk, QStringLiteral("Streichung (aktueller Starter)"), "mnuStreichung", {}, [this] {
        const qint64 stnr = nur_ziffern(m_edtSTNR->text());
        if (stnr <= 0) {
            zeige_meldung(3013);
            return;
        }
        zustand().auswahl_wert = QString::number(stnr);
        {
            TfrmStreichung dlg(this);
            dlg.exec();
        }
        // The status shown in the panel may have changed; stay on this participant.
        m_nachSpeichernPositionieren = true;
        daten_lesen();
    });

    // Auswertung
    QMenu *ausw = menuBar()->addMenu(QStringLiteral("A&uswertung"));
    ausw->setObjectName(QStringLiteral("mnuAuswertung"));
    eintrag(ausw, QStringLiteral("Ergebnisliste"), "mnuErgebnisliste", {}, fehlt);
    eintrag(ausw, QStringLiteral("Teamwertung"), "mnuTeamwertung", {}, fehlt);
    eintrag(ausw, QStringLiteral("Medaillenspiegel LV"), "mnuMedaillenspiegel", {}, fehlt);
    eintrag(ausw, QStringLiteral("Export Los-Liste"), "mnuExportLosliste", {}, fehlt);

    // Extras
    QMenu *extras = menuBar()->addMenu(QStringLiteral("&Extras"));
    extras->setObjectName(QStringLiteral("mnuExtras"));
    eintrag(extras, QStringLiteral("Export Wettkampf"), "mnuExportWettkampf", {}, fehlt);
    eintrag(extras, QStringLiteral("Export Altersklasse"), "mnuExportAltersklasse", {}, fehlt);
    eintrag(extras, QStringLiteral("Export Judokas (lt. Auswahl)"), "mnuExportJudokas", {}, fehlt);
    eintrag(extras, QStringLiteral("Export WK-Listen"), "mnuExportWKListen", {}, fehlt);
    extras->addSeparator();
    eintrag(extras, QStringLiteral("Import Wettkampf (neu)"), "mnuImportWettkampfNeu", {}, fehlt);
    eintrag(extras, QStringLiteral("Import Wettkampf (Mischen)"), "mnuImportWettkampfMischen", {}, fehlt);
    extras->addSeparator();
    eintrag(extras, QStringLiteral("Download DAZ-Vereine"), "mnuDownloadVereine", {}, fehlt);
    extras->addSeparator();
    eintrag(extras, QStringLiteral("Import Meldungen (univ.)"), "mnuImportUniv", {}, fehlt);
    eintrag(extras, QStringLiteral("Import Meldungen  (Struktur)"), "mnuImportStruktur", {}, fehlt);
    eintrag(extras, QStringLiteral("Import Meldungen (DEM)"), "mnuImportDEM", {}, fehlt);

    // Hilfe
    QMenu *hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    eintrag(hilfe, QStringLiteral("Info"), "mnuInfo", {}, [this] {
        TfrmInfo dlg(this);
        dlg.exec();
    });
}

// ---- Start-up ------------------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_gestartet || !m_startablauf)
        return;
    m_gestartet = true;
    // After the window is on screen, so message boxes have their owner.
    QTimer::singleShot(0, this, &TfrmMain::starten);
}

void TfrmMain::starten()
{
    flash_screen(false);
    if (!check_db()) {
        programm_ende();
        return;
    }
    resize(std::max(width(), m_grpEingabe->sizeHint().width() + m_grpAktivierung->sizeHint().width() + 90), height());
    zustand().benutzer = windows_benutzer();
    zustand().drucker_index = 4765;
    zustand().aktueller_wettkampf = QStringLiteral("0");
    setWindowTitle(QStringLiteral("OBITRACK"));
    zustand().meldungs_titel = QStringLiteral("OBITRACK");

    wettkampf_laden();
    if (aktueller_wettkampf_nr() <= 0)
        return; // the program is ending (19903)
    m_nachSpeichernPositionieren = false;
    if (!m_geaendert)
        m_edtSuchName->setFocus();

    zustand().etiketten_aktiv = false;
    m_mnuBarcode->setEnabled(false);
    m_mnuSonderzeichen->setEnabled(false);

    if (ini_lesen(QStringLiteral("anzeige"), QStringLiteral("str_prg_max")) == QStringLiteral("1")) {
        move(x(), 0);
        showMaximized();
    } else {
        move(100, 100);
    }
    zustand().blau_oben = ini_lesen(QStringLiteral("anzeige"), QStringLiteral("blau_oben")) == QStringLiteral("1");
}

bool TfrmMain::check_db()
{
    DbPruefung pruefung;
    pruefung.upgrade = [this](Tdm &, int aktuell, int ziel) {
        TfrmDB_Convert dlg(aktuell, ziel, this);
        dlg.exec();
        return dlg.erreichteVersion();
    };
    return obi::check_db(dm(), pruefung);
}

void TfrmMain::programm_ende()
{
    // Every change is already stored; nothing to ask or save. Closing the
    // main window ends the program.
    close();
}

void TfrmMain::flash_screen(bool zeigen)
{
    if (!m_frmInfo)
        return;
    if (zeigen) {
        m_frmInfo->show();
        QTimer::singleShot(2000, m_frmInfo.data(), &QWidget::hide);
        return;
    }
    m_frmInfo->close();
    delete m_frmInfo.data();
}

void TfrmMain::wettkampf_laden()
{
    zustand().auswahl_modus.clear();
    if (m_frmWKLaden) {
        m_frmWKLaden->exec();
    } else {
        TfrmWKLaden dlg(this);
        dlg.exec();
    }
    if (aktueller_wettkampf_nr() <= 0) {
        zeige_meldung(19903);
        programm_ende();
        return;
    }
    wettkampf_uebernehmen();
}

void TfrmMain::wettkampf_uebernehmen()
{
    set_statusbar();
    feldaktivierung_anwenden();
    suchfelder_leeren();
    m_nachSpeichernPositionieren = false;
    daten_lesen();
}

void TfrmMain::set_statusbar()
{
    m_lblPanel1->setText(QStringLiteral(" Wettkampf: ") + zustand().aktueller_wettkampf);
    m_lblPanel2->setText(QStringLiteral(" Benutzer: ") + zustand().benutzer);
    setWindowTitle(QStringLiteral("OBITRACK") + QString::fromLatin1(programm_version).left(1) + QStringLiteral(" - ")
                   + zustand().aktueller_wettkampfname);
}

void TfrmMain::btnReconnectClick()
{
    if (db_neu_verbinden(dm()))
        daten_lesen();
}

void TfrmMain::warten(bool an)
{
    if (!m_frmWarten)
        m_frmWarten = new TfrmWarten(this);
    if (!an) {
        m_frmWarten->hide();
        return;
    }
    m_frmWarten->show();
    m_frmWarten->raise();
    // Let the window paint before the long work starts.
    QEventLoop schleife;
    QTimer::singleShot(200, &schleife, &QEventLoop::quit);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
}

QString TfrmMain::getDate(const QString &titel, bool vergangenheitErlaubt)
{
    TfrmGetDate dlg(titel, vergangenheitErlaubt, this);
    dlg.exec();
    return zustand().datum_auswahl;
}

TfrmEingabe_STNR *TfrmMain::stnrDialog()
{
    return m_frmStnr;
}

// ---- List ------------------------------------------------------------------------------

Suchfelder TfrmMain::suchfelder() const
{
    return {m_edtSuchAK->text(), m_edtSuchName->text(), m_edtSuchGewk->text(), m_edtSuchLos->text()};
}

void TfrmMain::suchfelder_leeren()
{
    for (QLineEdit *e : {m_edtSuchAK, m_edtSuchName, m_edtSuchGewk, m_edtSuchLos})
        e->clear();
}

void TfrmMain::neue_suche()
{
    suchfelder_leeren();
    daten_lesen();
}

int TfrmMain::aktuelle_zeile() const
{
    const QModelIndex i = m_grdStarter->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TfrmMain::daten_lesen()
{
    Suchfelder s = suchfelder();
    suchfelder_normalisieren(s);
    m_edtSuchAK->setText(s.altersklasse);
    m_edtSuchName->setText(s.name);
    m_edtSuchGewk->setText(s.gewichtsklasse);
    m_edtSuchLos->setText(s.los);

    const int wknr = aktueller_wettkampf_nr();
    const SqlTeil auswahl = teilnehmer_auswahl(dm(), wknr, s);
    auswahl_bedingung() = auswahl;
    const qint64 gemerkt = nur_ziffern(m_edtSTNR->text());
    auto liste = teilnehmer_lesen(dm(), auswahl);
    if (!liste) {
        zeige_meldung(19902);
        liste = QVector<Teilnehmer>();
    }
    m_modell->setze(*liste);

    int zeile = m_modell->rowCount() > 0 ? 0 : -1;
    if (m_nachSpeichernPositionieren) {
        for (int i = 0; i < m_modell->rowCount(); ++i)
            if (m_modell->liste().at(i).stnr == gemerkt) {
                zeile = i;
                break;
            }
    }
    m_nachSpeichernPositionieren = false;

    m_modus = QStringLiteral("U");
    {
        const QSignalBlocker sperre(m_grdStarter->selectionModel());
        if (zeile >= 0) {
            m_grdStarter->setCurrentIndex(m_modell->index(zeile, 0));
            m_grdStarter->scrollTo(m_modell->index(zeile, 0));
        } else {
            m_grdStarter->setCurrentIndex({});
        }
    }
    // The selection model's signals were blocked, so the view repaints here.
    m_grdStarter->viewport()->update();
    panel_fuellen();
    setze_geaendert(false);
    m_lblPanel1->setText(QStringLiteral(" Ausgewählte Datensätze: ") + QString::number(m_modell->rowCount()));
}

void TfrmMain::zeile_gewechselt()
{
    if (m_geaendert)
        return;
    m_modus = QStringLiteral("U");
    panel_fuellen();
    setze_geaendert(false);
}

// ---- Panel ------------------------------------------------------------------------------

void TfrmMain::panel_schreiben(const TeilnehmerEingabe &e)
{
    m_edtAKID->setText(e.akid);
    m_edtSTNR->setText(e.stnr);
    m_edtNAME->setText(e.name);
    m_edtVNAM->setText(e.vnam);
    m_edtJG->setText(e.jg);
    m_edtGEWK->setText(e.gewk);
    m_edtLOS->setText(e.los);
    m_edtGEWN->setText(e.gewn);
    m_edtPLTZ->setText(e.pltz);
    m_edtSETZ->setText(e.setz);
    m_edtTEXT->setText(e.text);
    m_edtVEREIN->setText(e.vename);
    m_edtVERBAND->setText(e.veverb);
}

TeilnehmerEingabe TfrmMain::panel_lesen() const
{
    TeilnehmerEingabe e;
    e.akid = m_edtAKID->text();
    e.stnr = m_edtSTNR->text();
    e.name = m_edtNAME->text();
    e.vnam = m_edtVNAM->text();
    e.jg = m_edtJG->text();
    e.gewk = m_edtGEWK->text();
    e.los = m_edtLOS->text();
    e.gewn = m_edtGEWN->text();
    e.pltz = m_edtPLTZ->text();
    e.setz = m_edtSETZ->text();
    e.text = m_edtTEXT->text();
    e.vename = m_edtVEREIN->text();
    e.veverb = m_edtVERBAND->text();
    return e;
}

void TfrmMain::panel_fuellen()
{
    const int zeile = aktuelle_zeile();
    if (zeile < 0 || zeile >= m_modell->rowCount()) {
        // An empty list: change mode with empty fields.
        panel_schreiben(TeilnehmerEingabe {});
        m_lblStatus->clear();
        return;
    }
    const Teilnehmer &t = m_modell->liste().at(zeile);
    TeilnehmerEingabe e = eingabe_aus(t);
    QString los = e.los;
    pruefen_losnummer(dm(), aktueller_wettkampf_nr(), los, false, nullptr, e.vename, e.veverb);
    panel_schreiben(e);
    QString status;
    if (t.stat >= 1) {
        auto q
            = dm().abfrage(QStringLiteral("select TPBEZ from tabpos where TPFIRM = '000' and TPTAB = ? and TPKEY = ?"),
                           {QStringLiteral("Streichungen"), QString::number(t.stat)});
        if (q && q->next())
            status = q->value(0).toString();
    }
    m_lblStatus->setText(status);
}

void TfrmMain::panel_leeren()
{
    panel_schreiben(leere_eingabe());
    m_lblStatus->clear();
}

void TfrmMain::setze_geaendert(bool an)
{
    m_geaendert = an;
    m_btnSpeichern->setEnabled(an);
    m_btnAbbrechen->setEnabled(an);
    for (QWidget *w :
         std::initializer_list<QWidget *> {m_suchleiste, m_grdStarter, m_btnNeu, m_btnKopieren, m_btnLoeschen})
        w->setEnabled(!an);
    m_grpEingabe->setTitle(m_modus == QStringLiteral("I") ? QStringLiteral("Neuer Datensatz")
                                                          : QStringLiteral("Datensatz ändern"));
}

void TfrmMain::fokus_auf_feld(const QString &feld)
{
    QLineEdit *ziel = nullptr;
    if (feld == QStringLiteral("AKID"))
        ziel = m_edtAKID;
    else if (feld == QStringLiteral("NAME"))
        ziel = m_edtNAME;
    else if (feld == QStringLiteral("JG"))
        ziel = m_edtJG;
    else if (feld == QStringLiteral("GEWK"))
        ziel = m_edtGEWK;
    else if (feld == QStringLiteral("LOS"))
        ziel = m_edtLOS;
    else if (feld == QStringLiteral("SETZ"))
        ziel = m_edtSETZ;
    else if (feld == QStringLiteral("GEWN"))
        ziel = m_edtGEWN;
    if (!ziel)
        return;
    // A switched-off field cannot take the focus; its value is still refused.
    ziel->setFocus();
    ziel->selectAll();
}

void TfrmMain::feld_verlassen(QLineEdit *feld)
{
    if (feld == m_edtPLTZ || feld == m_edtGEWN) {
        const QString ergaenzt = platz_ergaenzen(m_edtPLTZ->text());
        if (ergaenzt != m_edtPLTZ->text())
            m_edtPLTZ->setText(ergaenzt);
        return;
    }
    QString schluessel;
    if (feld == m_edtAKID)
        schluessel = QStringLiteral("AKID");
    else if (feld == m_edtNAME)
        schluessel = QStringLiteral("NAME");
    else if (feld == m_edtJG)
        schluessel = QStringLiteral("JGF");
    else if (feld == m_edtGEWK)
        schluessel = QStringLiteral("GEWK");
    else if (feld == m_edtLOS)
        schluessel = QStringLiteral("LOS");
    if (schluessel.isEmpty() || !m_geaendert)
        return;
    FensterAuswahl hilfe(this);
    TeilnehmerEingabe e = panel_lesen();
    const Pruefung p = check_zusammen(dm(), aktueller_wettkampf_nr(), e, schluessel, m_modus, &hilfe);
    panel_schreiben(e);
    if (!p.ok) {
        zeige_meldung(p.meldung);
        QTimer::singleShot(0, this, [this, f = p.feld] { fokus_auf_feld(f); });
    }
}

void TfrmMain::speichern()
{
    if (!m_geaendert)
        return;
    m_edtPLTZ->setText(platz_ergaenzen(m_edtPLTZ->text()));
    FensterAuswahl hilfe(this);
    TeilnehmerEingabe e = panel_lesen();
    m_pruefeAus = true;
    const Speicherergebnis r = teilnehmer_speichern(dm(), aktueller_wettkampf_nr(), e, m_modus, &hilfe);
    m_pruefeAus = false;
    panel_schreiben(e);
    if (!r.pruefung.ok) {
        zustand().wiegen_weiter = false;
        zeige_meldung(r.pruefung.meldung);
        if (r.pruefung.meldung == 21010) {
            setze_geaendert(false);
            m_btnNeu->setFocus();
        } else {
            fokus_auf_feld(r.pruefung.feld);
        }
        return;
    }
    if (!r.ok) {
        zustand().wiegen_weiter = false;
        zeige_meldung(r.meldung);
        return;
    }
    m_edtSTNR->setText(QString::number(r.stnr));
    m_nachSpeichernPositionieren = true;
    daten_lesen();
    if (zustand().auffinden_weiter)
        QTimer::singleShot(0, this, &TfrmMain::auffinden);
}

void TfrmMain::neuer_satz()
{
    m_modus = QStringLiteral("I");
    if (!zustand().wiegen_weiter) {
        if (!trim_rechts(m_edtSuchAK->text()).isEmpty())
            m_edtNAME->setFocus();
        else
            m_edtAKID->setFocus();
    }
    panel_leeren();
    setze_geaendert(true);
    m_edtAKID->setText(m_edtSuchAK->text());
    // An empty search lot keeps "0", which the lot check can read.
    if (!trim_rechts(m_edtSuchLos->text()).isEmpty()) {
        QString los = m_edtSuchLos->text();
        QString name, verband;
        pruefen_losnummer(dm(), aktueller_wettkampf_nr(), los, false, nullptr, name, verband);
        m_edtLOS->setText(los);
        m_edtVEREIN->setText(name);
        m_edtVERBAND->setText(verband);
    }
}

void TfrmMain::kopieren()
{
    const QString stnr = trim_rechts(m_edtSTNR->text());
    if (stnr.isEmpty() || stnr == QStringLiteral("0"))
        return;
    m_modus = QStringLiteral("I");
    setze_geaendert(true);
    m_edtAKID->setFocus();
}

void TfrmMain::loeschen()
{
    const qint64 stnr = nur_ziffern(m_edtSTNR->text());
    if (stnr <= 0 || !frage_ok(QStringLiteral("Den ausgewählten Datensatz löschen ?")))
        return;
    if (!teilnehmer_loeschen(dm(), aktueller_wettkampf_nr(), int(stnr))) {
        zeige_meldung(19902);
        return;
    }
    daten_lesen();
}

void TfrmMain::abbrechen()
{
    m_modus = QStringLiteral("U");
    panel_fuellen();
    setze_geaendert(false);
}

void TfrmMain::auffinden()
{
    zustand().auffinden_weiter = false;
    m_frmStnr->exec();
    if (zustand().rueckgabe_zahl <= 0)
        return;
    suchfelder_leeren();
    zustand().auffinden_weiter = true;
    m_edtSTNR->setText(QString::number(zustand().rueckgabe_zahl));
    m_nachSpeichernPositionieren = true;
    daten_lesen();
    m_edtGEWK->setFocus();
}

void TfrmMain::teilnehmer_zaehlen_menue()
{
    if (teilnehmer_zaehlen(dm(), aktueller_wettkampf_nr()))
        zeige_meldung(302);
    else
        zeige_meldung(31012);
}

void TfrmMain::auswahl_loeschen_menue()
{
    daten_lesen();
    const Suchfelder s = suchfelder(); // normalised by daten_lesen
    const int wknr = aktueller_wettkampf_nr();
    const int anzahl = auswahl_loeschen_anzahl(dm(), wknr, s);
    if (anzahl == 0) {
        zeige_meldung(9901);
        return;
    }
    if (!frage_ok(QString::number(anzahl) + QStringLiteral(" angezeigte Datensätze löschen ?")))
        return;
    switch (auswahl_loeschen(dm(), wknr, s, anzahl)) {
    case LoeschErgebnis::Geloescht:
        zeige_meldung(308);
        neue_suche();
        break;
    case LoeschErgebnis::Geaendert:
        zeige_text(QStringLiteral("Die Auswahl wurde inzwischen geändert, es wurde nichts gelöscht."),
                   QStringLiteral("W"));
        daten_lesen();
        break;
    case LoeschErgebnis::Fehler:
        zeige_meldung(19902);
        break;
    }
}

// ---- Field activations -----------------------------------------------------------------

void TfrmMain::feldaktivierung_anwenden()
{
    const Feldaktivierung f = feldaktivierung_lesen(dm(), aktueller_wettkampf_nr());
    const std::pair<QCheckBox *, bool> boxen[] = {{m_chkJG, f.jahrgang},
                                                  {m_chkGEWN, f.gewicht},
                                                  {m_chkPLTZ, f.platz},
                                                  {m_chkTEXT, f.bemerkung},
                                                  {m_chkSETZ, f.setzplatz}};
    for (const auto &[box, an] : boxen)
        box->setChecked(an);
    m_edtJG->setEnabled(f.jahrgang);
    m_edtGEWN->setEnabled(f.gewicht);
    m_edtPLTZ->setEnabled(f.platz);
    m_edtTEXT->setEnabled(f.bemerkung);
    m_edtSETZ->setEnabled(f.setzplatz);
}

void TfrmMain::feldaktivierung_geklickt()
{
    Feldaktivierung f;
    f.jahrgang = m_chkJG->isChecked();
    f.gewicht = m_chkGEWN->isChecked();
    f.platz = m_chkPLTZ->isChecked();
    f.bemerkung = m_chkTEXT->isChecked();
    f.setzplatz = m_chkSETZ->isChecked();
    feldaktivierung_schreiben(dm(), aktueller_wettkampf_nr(), f);
    m_edtJG->setEnabled(f.jahrgang);
    m_edtGEWN->setEnabled(f.gewicht);
    m_edtPLTZ->setEnabled(f.platz);
    m_edtTEXT->setEnabled(f.bemerkung);
    m_edtSETZ->setEnabled(f.setzplatz);
}

// ---- Keys and mouse ----------------------------------------------------------------------

void TfrmMain::picker(QLineEdit *feld)
{
    FensterAuswahl hilfe(this);
    QString gewaehlt;
    if (feld == m_edtAKID || feld == m_edtSuchAK) {
        if (!hilfe.altersklasse_waehlen(QString(), gewaehlt))
            return;
        feld->setText(gewaehlt);
        if (feld == m_edtSuchAK)
            daten_lesen();
        else
            setze_geaendert(true);
    } else if (feld == m_edtGEWK || feld == m_edtSuchGewk) {
        if (!hilfe.gewichtsklasse_waehlen(trim_rechts(m_edtAKID->text()), QString(), gewaehlt))
            return;
        feld->setText(gewaehlt);
        if (feld == m_edtSuchGewk)
            daten_lesen();
        else
            setze_geaendert(true);
    } else if (feld == m_edtLOS) {
        QString los = QStringLiteral("0");
        QString name, verband;
        if (pruefen_losnummer(dm(), aktueller_wettkampf_nr(), los, true, &hilfe, name, verband)) {
            m_edtLOS->setText(los);
            m_edtVEREIN->setText(name);
            m_edtVERBAND->setText(verband);
            setze_geaendert(true);
        }
    } else if (feld == m_edtSuchLos) {
        if (hilfe.verein_anlegen(QStringLiteral("0"), gewaehlt)) {
            m_edtSuchLos->setText(gewaehlt);
            daten_lesen();
        }
    }
}

void TfrmMain::gewk_rechtsklick()
{
    if (m_modus != QStringLiteral("U") || nur_ziffern(m_edtSTNR->text()) <= 0)
        return;
    FensterAuswahl hilfe(this);
    QString gewaehlt;
    if (!hilfe.gewichtsklasse_waehlen(trim_rechts(m_edtAKID->text()), QString(), gewaehlt))
        return;
    m_edtGEWK->setText(gewaehlt);
    setze_geaendert(true);
    speichern();
    if (m_geaendert)
        return; // the save was refused
    const int zeile = aktuelle_zeile();
    if (zeile >= 0 && zeile + 1 < m_modell->rowCount())
        m_grdStarter->setCurrentIndex(m_modell->index(zeile + 1, 0));
}

bool TfrmMain::eventFilter(QObject *obj, QEvent *e)
{
    auto *feld = qobject_cast<QLineEdit *>(obj);
    if (!feld)
        return QMainWindow::eventFilter(obj, e);
    const bool mitPicker = feld == m_edtAKID || feld == m_edtGEWK || feld == m_edtLOS || feld == m_edtSuchAK
        || feld == m_edtSuchGewk || feld == m_edtSuchLos;
    switch (e->type()) {
    case QEvent::KeyPress:
        if (mitPicker && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F4 && feld->isEnabled()) {
            picker(feld);
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (mitPicker && feld->isEnabled()) {
            picker(feld);
            return true;
        }
        break;
    case QEvent::FocusOut: {
        const auto grund = static_cast<QFocusEvent *>(e)->reason();
        if (m_pruefeAus || grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason)
            break;
        // Cancelling needs no check; saving checks every field itself, so the
        // click does not run the same check (and its club window) twice.
        if (QApplication::focusWidget() == m_btnAbbrechen || QApplication::focusWidget() == m_btnSpeichern)
            break;
        m_pruefeAus = true;
        feld_verlassen(feld);
        m_pruefeAus = false;
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(obj, e);
}

} // namespace obi
