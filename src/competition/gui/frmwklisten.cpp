#include "frmwklisten.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"

#include "competition/listengenerierung.h"
#include "competition/wklisten.h"
#include "core/basis.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/gui/frmmain.h"
#include "register/teilnehmer.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"
#include "setup/gui/klassenwahl.h"
#include "setup/klassenauswahl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace obi {

namespace {

struct Knopfbeschreibung {
    Listenknopf knopf;
    const char *name;
    const char *text;
};

const Knopfbeschreibung knopfliste[listenknopf_anzahl] = {
    {Listenknopf::KO128, "rbKO128", "KO mit dopp. Trostrunde (128 Teiln.)"},
    {Listenknopf::KO64, "rbKO64", "KO mit dopp. Trostrunde (64 Teiln.)"},
    {Listenknopf::KO32, "rbKO32", "KO mit dopp. Trostrunde (32 Teiln.)"},
    {Listenknopf::DoppelKO64, "rbDoppelKO64", "Doppel-KO-System (64 Teiln.)"},
    {Listenknopf::DoppelKO32, "rbDoppelKO32", "Doppel-KO-System (32 Teiln.)"},
    {Listenknopf::DoppelKO16, "rbDoppelKO16", "Doppel-KO-System (16 Teiln.)"},
    {Listenknopf::Pool8, "rbPool8", "Pool-System 2x4 (4-8 Teiln.)"},
    {Listenknopf::Jeder, "rbJeder", "Jeder gegen Jeder (max. 6 Teiln.)"},
    {Listenknopf::Auto, "rbAuto", "Automatische Auswahl"},
};

void beschaeftigt(bool an)
{
    if (TfrmMain *haupt = TfrmMain::instanz())
        haupt->warten(an);
}

} // namespace

struct TfrmWKListen::Impl {
    TfrmWKListen *q = nullptr;
    QLineEdit *edtAKID = nullptr;
    QLineEdit *edtGEWK = nullptr;
    QLineEdit *edtANZA = nullptr;
    QLabel *lblListe = nullptr;
    QCheckBox *chkNew = nullptr;
    QCheckBox *chkHauptrunde = nullptr;
    QCheckBox *chkTrostrunde = nullptr;
    QCheckBox *chkFinalrunde = nullptr;
    QButtonGroup *gruppe = nullptr;
    std::array<QRadioButton *, listenknopf_anzahl> knoepfe {};
    QPushButton *btnPrint = nullptr;
    QPushButton *btnPrintAll = nullptr;
    QPushButton *btnBeenden = nullptr;
    bool vorbelegt = false;
    bool pruefeAus = false;

    int anzahl() const { return edtANZA->text().toInt(); }
    QRadioButton *knopf(Listenknopf k) const { return knoepfe[static_cast<size_t>(k)]; }
    bool druckauswahl() const
    {
        return chkHauptrunde->isChecked() || chkTrostrunde->isChecked() || chkFinalrunde->isChecked();
    }

    void calc_anzahl(bool vorgeben = false);
    void zeige_anzahl(int n, bool vorgeben = false);
    void enable_radiobuttons();
    void liste_anzeigen();
    QString gewaehlter_typ() const;
    bool check_feld(QLineEdit *feld);
    bool check_zusammen(const QString &schluessel);
    void fokus_auf(const QString &feld);
    void altersklasse_geaendert();
    void picker(QLineEdit *feld);
    bool druck_liste();
};

TfrmWKListen::TfrmWKListen(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmWKListen"));
    setWindowTitle(QStringLiteral("OBITRACK - Drucken Wettkampflisten"));
    setModal(true);

    d->edtAKID = auswahlfeld_einrichten(eingabefeld(this, "edtAKID"));
    d->edtGEWK = auswahlfeld_einrichten(eingabefeld(this, "edtGEWK"));
    d->edtAKID->installEventFilter(this);
    d->edtGEWK->installEventFilter(this);
    d->edtANZA = eingabefeld(this, "edtANZA");
    d->edtANZA->setReadOnly(true);
    d->edtANZA->setFocusPolicy(Qt::ClickFocus);
    d->lblListe = new QLabel(this);
    d->lblListe->setObjectName(QStringLiteral("lblListe"));

    auto box = [this](const char *name, const char *text) {
        auto *c = new QCheckBox(QString::fromUtf8(text), this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    d->chkNew = box("chkNew", "Wettkampflisten neu erstellen");
    d->chkHauptrunde = box("chkHauptrunde", "Hauptrunde drucken");
    d->chkTrostrunde = box("chkTrostrunde", "Trostrunde drucken");
    d->chkFinalrunde = box("chkFinalrunde", "Finalrunde drucken");
    // Printing the sheets is not part of the program yet: "&Drucken" generates only.
    for (QCheckBox *c : {d->chkHauptrunde, d->chkTrostrunde, d->chkFinalrunde}) {
        c->setChecked(false);
        c->setEnabled(false);
        c->setToolTip(QStringLiteral("Drucken der Listen ist noch nicht verfügbar"));
    }

    auto *grpSystem = new QGroupBox(QStringLiteral("Auswahl Wettkampfsystem"), this);
    grpSystem->setObjectName(QStringLiteral("grpSystem"));
    auto *systemLayout = new QVBoxLayout(grpSystem);
    d->gruppe = new QButtonGroup(this);
    for (const Knopfbeschreibung &k : knopfliste) {
        auto *rb = new QRadioButton(QString::fromUtf8(k.text), grpSystem);
        rb->setObjectName(QString::fromLatin1(k.name));
        d->gruppe->addButton(rb, static_cast<int>(k.knopf));
        d->knoepfe[static_cast<size_t>(k.knopf)] = rb;
        systemLayout->addWidget(rb);
    }

    // No default button: Enter in the weight class checks it. Enter on a
    // focused button presses that button (eventFilter).
    d->btnPrint = knopf(this, "btnPrint", QStringLiteral("&Drucken"), false);
    d->btnPrintAll = knopf(this, "btnPrintAll", QStringLiteral("Alle drucken"), false);
    d->btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"), false);
    for (QPushButton *b : {d->btnPrint, d->btnPrintAll, d->btnBeenden})
        b->installEventFilter(this);

    auto *links = new QGridLayout;
    links->addWidget(beschriftung(this, QStringLiteral("&Altersklasse"), d->edtAKID), 0, 0);
    links->addWidget(d->edtAKID, 0, 1);
    links->addWidget(beschriftung(this, QStringLiteral("&Gewichtsklasse"), d->edtGEWK), 1, 0);
    links->addWidget(d->edtGEWK, 1, 1);
    links->addWidget(beschriftung(this, QStringLiteral("Teilnehmer"), d->edtANZA), 2, 0);
    links->addWidget(d->edtANZA, 2, 1);
    links->addWidget(d->lblListe, 3, 0, 1, 2);
    links->addWidget(d->chkNew, 4, 0, 1, 2);
    links->addWidget(d->chkHauptrunde, 5, 0, 1, 2);
    links->addWidget(d->chkTrostrunde, 6, 0, 1, 2);
    links->addWidget(d->chkFinalrunde, 7, 0, 1, 2);
    links->setRowStretch(8, 1);
    auto *oben = new QHBoxLayout;
    oben->addLayout(links, 1);
    oben->addWidget(grpSystem);
    auto *unten = knopfleiste({d->btnPrint, d->btnPrintAll}, {d->btnBeenden});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben, 1);
    haupt->addLayout(unten);

    tabfolge({d->edtAKID, d->edtGEWK, d->chkNew, d->chkHauptrunde, d->chkTrostrunde, d->chkFinalrunde});
    QWidget *vorher = d->chkFinalrunde;
    for (QRadioButton *rb : d->knoepfe) {
        setTabOrder(vorher, rb);
        vorher = rb;
    }
    tabfolge({vorher, d->btnPrint, d->btnPrintAll, d->btnBeenden});

    connect(d->edtAKID, &QLineEdit::textEdited, this, [this] { d->altersklasse_geaendert(); });
    // Enter in the age class goes on to the weight class (and so checks it).
    connect(d->edtAKID, &QLineEdit::returnPressed, this, [this] { d->edtGEWK->setFocus(Qt::TabFocusReason); });
    connect(d->edtGEWK, &QLineEdit::returnPressed, this, [this] {
        d->pruefeAus = true;
        d->check_feld(d->edtGEWK);
        d->pruefeAus = false;
    });
    connect(d->btnPrint, &QPushButton::clicked, this, &TfrmWKListen::btnPrintClick);
    connect(d->btnPrintAll, &QPushButton::clicked, this, &TfrmWKListen::btnPrintAllClick);
    connect(d->btnBeenden, &QPushButton::clicked, this, &QDialog::accept);

    // Opened for one class (competition overview): count and preset at once.
    const QString akid = zustand().auswahl_wert;
    const QString gewk = zustand().auswahl_wert2;
    if (!trim_rechts(akid).isEmpty() && !trim_rechts(gewk).isEmpty()) {
        d->edtAKID->setText(akid);
        d->edtGEWK->setText(gewk);
        d->calc_anzahl(true); // every class gets the preset type for its count
        d->vorbelegt = true;
    } else {
        d->enable_radiobuttons();
        d->liste_anzeigen();
    }
}

TfrmWKListen::~TfrmWKListen()
{
    delete d;
}

void TfrmWKListen::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (d->vorbelegt) {
        d->vorbelegt = false;
        d->btnPrint->setFocus(Qt::OtherFocusReason);
    }
}

// ---- Count and type buttons ------------------------------------------------------

void TfrmWKListen::Impl::calc_anzahl(bool vorgeben)
{
    zeige_anzahl(obi::calc_anzahl(aktueller_wettkampf_nr(), edtAKID->text(), edtGEWK->text()), vorgeben);
}

void TfrmWKListen::Impl::zeige_anzahl(int n, bool vorgeben)
{
    const QString text = QString::number(n);
    // Only a new count presets the buttons, so a type the user ticked
    // survives the checks before generation.
    if (vorgeben || text != edtANZA->text()) {
        edtANZA->setText(text);
        enable_radiobuttons();
    }
    liste_anzeigen();
}

void TfrmWKListen::Impl::enable_radiobuttons()
{
    const Listenknoepfe k = listenknoepfe(anzahl());
    // An exclusive group keeps one button ticked; to tick none it lets go first.
    gruppe->setExclusive(false);
    for (size_t i = 0; i < knoepfe.size(); ++i) {
        knoepfe[i]->setChecked(false);
        knoepfe[i]->setEnabled(k.aktiv[i]);
    }
    if (k.vorgabe)
        knopf(*k.vorgabe)->setChecked(true);
    gruppe->setExclusive(true);
}

void TfrmWKListen::Impl::liste_anzeigen()
{
    const QString akid = trim_rechts(edtAKID->text());
    const QString gewk = trim_rechts(edtGEWK->text());
    if (akid.isEmpty() || gewk.isEmpty() || edtANZA->text().isEmpty()) {
        lblListe->clear();
        return;
    }
    const QString typ = vorhandene_liste(aktueller_wettkampf_nr(), edtAKID->text(), edtGEWK->text());
    lblListe->setText(typ.isEmpty() ? QStringLiteral("Keine Liste vorhanden")
                                    : QStringLiteral("Vorhandene Liste: ") + typ);
}

QString TfrmWKListen::Impl::gewaehlter_typ() const
{
    const int id = gruppe->checkedId();
    // No button ticked (more than 128 participants): the proposal decides.
    if (id < 0)
        return {};
    return listentyp_fuer(static_cast<Listenknopf>(id), anzahl());
}

// ---- Field checks ----------------------------------------------------------------

bool TfrmWKListen::Impl::check_feld(QLineEdit *feld)
{
    // The check key is the control's name without its "edt" prefix.
    return check_zusammen(feld->objectName().mid(3, 4));
}

bool TfrmWKListen::Impl::check_zusammen(const QString &schluessel)
{
    WKListenFelder f;
    f.akid = edtAKID->text();
    f.gewk = edtGEWK->text();
    f.anzahl = anzahl();
    f.aktion = chkNew->isChecked() || druckauswahl();
    const QString akidVorher = f.akid;
    Klassenwahl hilfe(q);
    const WKListenPruefung p = wklisten_pruefen(aktueller_wettkampf_nr(), f, schluessel, &hilfe);
    if (f.akid != akidVorher)
        edtAKID->setText(f.akid);
    if (f.gewk != edtGEWK->text())
        edtGEWK->setText(f.gewk);
    // The count was recomputed when the weight class passed.
    if ((schluessel == QStringLiteral("*") || schluessel == QStringLiteral("GEWK")) && p.meldung != 31002
        && p.meldung != 31003)
        zeige_anzahl(f.anzahl);
    if (!p.ok) {
        zeige_meldung(p.meldung);
        fokus_auf(p.feld);
    }
    return p.ok;
}

void TfrmWKListen::Impl::fokus_auf(const QString &feld)
{
    QLineEdit *ziel = feld == QStringLiteral("AKID") ? edtAKID : feld == QStringLiteral("GEWK") ? edtGEWK : nullptr;
    if (!ziel)
        return;
    // After the message box has gone, not while the focus is still moving.
    // Going back is no leaving of the other field: no check there.
    QTimer::singleShot(0, ziel, [this, ziel] {
        const bool vorher = pruefeAus;
        pruefeAus = true;
        ziel->setFocus(Qt::OtherFocusReason);
        ziel->selectAll();
        pruefeAus = vorher;
    });
}

void TfrmWKListen::Impl::altersklasse_geaendert()
{
    edtGEWK->clear();
    edtANZA->clear();
    enable_radiobuttons();
    liste_anzeigen();
}

void TfrmWKListen::Impl::picker(QLineEdit *feld)
{
    Klassenwahl hilfe(q);
    QString gewaehlt;
    if (feld == edtAKID) {
        if (!hilfe.altersklasse_waehlen(QString(), gewaehlt))
            return;
        if (gewaehlt != edtAKID->text()) {
            edtAKID->setText(gewaehlt);
            altersklasse_geaendert();
        }
    } else {
        if (!hilfe.gewichtsklasse_waehlen(trim_rechts(edtAKID->text()), QString(), gewaehlt))
            return;
        edtGEWK->setText(gewaehlt);
        pruefeAus = true;
        check_feld(edtGEWK);
        pruefeAus = false;
    }
}

bool TfrmWKListen::eventFilter(QObject *obj, QEvent *e)
{
    if (auto *b = qobject_cast<QPushButton *>(obj); b && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            b->click();
            return true;
        }
    }
    auto *feld = qobject_cast<QLineEdit *>(obj);
    if (!feld || (feld != d->edtAKID && feld != d->edtGEWK))
        return QDialog::eventFilter(obj, e);
    switch (e->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(e)->key() == Qt::Key_F4) {
            d->picker(feld);
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        d->picker(feld);
        return true;
    case QEvent::FocusOut: {
        const auto grund = static_cast<QFocusEvent *>(e)->reason();
        if (d->pruefeAus || !isVisible() || grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason)
            break;
        // Leaving to quit needs no check; "Alle drucken" takes every weight class itself.
        QWidget *neu = QApplication::focusWidget();
        if (neu == d->btnBeenden || (feld == d->edtGEWK && neu == d->btnPrintAll))
            break;
        d->pruefeAus = true;
        d->check_feld(feld);
        d->pruefeAus = false;
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(obj, e);
}

// ---- Generation ------------------------------------------------------------------

bool TfrmWKListen::Impl::druck_liste()
{
    QString typ = gewaehlter_typ();
    beschaeftigt(true);
    const bool ok
        = schreiben_liste(aktueller_wettkampf_nr(), edtAKID->text(), edtGEWK->text(), typ, chkNew->isChecked());
    beschaeftigt(false);
    liste_anzeigen();
    if (!ok)
        return false;
    // No print box ticked: generation only. The boxes stay off until the
    // sheets can be printed.
    return true;
}

void TfrmWKListen::btnPrintClick()
{
    d->pruefeAus = true;
    const bool ok = d->check_zusammen(QStringLiteral("*"));
    d->pruefeAus = false;
    if (ok)
        d->druck_liste();
}

void TfrmWKListen::btnPrintAllClick()
{
    // The weight classes are read under the stored name of the age class.
    d->pruefeAus = true;
    const bool akOk = d->check_zusammen(QStringLiteral("AKID"));
    d->pruefeAus = false;
    if (!akOk)
        return;
    const auto klassen = gewichtsklassen_auswahl(aktueller_wettkampf_nr(), d->edtAKID->text(), QString());
    if (!klassen) {
        zeige_meldung(19902);
        return;
    }
    for (const QString &gewk : *klassen) {
        d->edtGEWK->setText(gewk);
        d->calc_anzahl(true); // every class gets the preset type for its count
        if (gross_schreiben(trim_rechts(gewk)) == QStringLiteral("OHNE") || d->anzahl() == 0)
            continue;
        d->pruefeAus = true;
        const bool ok = d->check_zusammen(QStringLiteral("*"));
        d->pruefeAus = false;
        if (!ok)
            break;
        d->druck_liste();
    }
}

} // namespace obi
