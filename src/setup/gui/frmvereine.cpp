#include "frmvereine.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "core/basis.h"
#include "core/gui/matchcode.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/vereine.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace obi {

namespace {

enum class Anfrage { Pflege, Auswahl, Schnell, Waage };

// The request in auswahl_wert: any number counts as a lot number (positive)
// or as the selection, "W" is the weigh-in, everything else maintenance.
Anfrage anfrage_lesen(const QString &wert, int &los)
{
    const QString t = trim_rechts(wert).trimmed();
    los = 0;
    if (t == QStringLiteral("W"))
        return Anfrage::Waage;
    if (ist_ganzzahl(t)) {
        los = t.toInt();
        return los > 0 ? Anfrage::Schnell : Anfrage::Auswahl;
    }
    return ist_zahl(t) ? Anfrage::Auswahl : Anfrage::Pflege;
}

} // namespace

struct TfrmVereine::Impl : public QObject {
    explicit Impl(TfrmVereine *fenster)
        : q(fenster)
    {
    }

    TfrmVereine *q;

    QGroupBox *pnlSuch = nullptr;
    QLineEdit *edtAuswName = nullptr;
    QLineEdit *edtAuswVerb = nullptr;
    QPushButton *btnSuchen = nullptr;
    QPushButton *btnNeueSuche = nullptr;
    QTableView *grdSFL = nullptr;
    QStandardItemModel *modell = nullptr;
    QGroupBox *box = nullptr;
    QLineEdit *edtLOS = nullptr;
    QLineEdit *edtNAME = nullptr;
    QLineEdit *edtVERB = nullptr;
    QLineEdit *edtMLDG = nullptr;
    QLineEdit *edtANZA = nullptr;
    QLineEdit *edtSGLD = nullptr;
    QLineEdit *edtPKTE = nullptr;
    QLineEdit *edtTEXT = nullptr;
    QList<QLineEdit *> felder;
    QPushButton *btnSpeichern = nullptr;
    QPushButton *btnNeu = nullptr;
    QPushButton *btnKopieren = nullptr;
    QPushButton *btnLoeschen = nullptr;
    QPushButton *btnQuittung = nullptr;
    QPushButton *btnWiegelisten = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QPushButton *btnBeenden = nullptr;

    QVector<Verein> liste;
    QChar modus = u'U';
    bool geaendert = false;
    bool pruefeGerade = false; // no leave-check while a check shows its message or moves the focus
    bool liestGerade = false; // the grid is refilled: its row changes are no user moves
    Anfrage anfrage = Anfrage::Pflege;

    void aufbauen();
    void oeffnen();
    void daten_lesen(int los);
    void felder_zeigen(const VereinEingabe &e);
    VereinEingabe felder_holen() const;
    void zustand_zeigen();
    void zeile_zeigen(int zeile);
    int aktuelle_zeile() const;
    QLineEdit *feld_zu_code(const QString &code) const;
    bool pruefen(const QString &code);
    void fehler_zeigen(const VereinErgebnis &r);

    void speichern();
    void neuer_satz();
    void kopieren();
    void loeschen();
    void abbrechen();
    void auswaehlen();
    void verband_waehlen();

    bool eventFilter(QObject *obj, QEvent *e) override;
};

TfrmVereine::TfrmVereine(QWidget *parent)
    : QDialog(parent)
    , d(new Impl(this))
{
    setObjectName(QStringLiteral("frmVereine"));
    setWindowTitle(QStringLiteral("OBITRACK - Vereine (Los-Nummern)"));
    setModal(true);
    d->aufbauen();
    installEventFilter(d);
}

TfrmVereine::~TfrmVereine()
{
    removeEventFilter(d);
    delete d;
}

void TfrmVereine::Impl::aufbauen()
{
    auto feld = [this](const char *name, int laenge) {
        QLineEdit *f = eingabefeld(q, name, laenge);
        f->installEventFilter(this);
        connect(f, &QLineEdit::textEdited, this, [this] {
            if (!geaendert) {
                geaendert = true;
                zustand_zeigen();
            }
        });
        felder << f;
        return f;
    };

    // Search panel
    pnlSuch = new QGroupBox(QStringLiteral("Suchen nach ..."), q);
    pnlSuch->setObjectName(QStringLiteral("pnlSuch"));
    edtAuswName = eingabefeld(pnlSuch, "edtAuswName");
    edtAuswVerb = eingabefeld(pnlSuch, "edtAuswVerb");
    edtAuswName->installEventFilter(this);
    edtAuswVerb->installEventFilter(this);
    btnSuchen = knopf(q, "btnSuchen", QStringLiteral("Suche s&tarten"));
    btnNeueSuche = knopf(q, "btnNeueSuche", QStringLiteral("Neue Suche"));
    auto *such = new QHBoxLayout(pnlSuch);
    such->addWidget(beschriftung(pnlSuch, QStringLiteral("Verein"), edtAuswName));
    such->addWidget(edtAuswName, 2);
    such->addWidget(beschriftung(pnlSuch, QStringLiteral("Verband"), edtAuswVerb));
    such->addWidget(edtAuswVerb, 1);
    such->addWidget(btnSuchen);
    such->addWidget(btnNeueSuche);

    // Grid
    grdSFL = datengrid_anlegen(q, "grdSFL",
                               {QStringLiteral("Los-Nr."), QStringLiteral("Verein"), QStringLiteral("Verband"),
                                QStringLiteral("Punkte"), QStringLiteral("Anzahl"), QStringLiteral("Gemeldet"),
                                QStringLiteral("Bemerkung")},
                               modell);
    grdSFL->setColumnWidth(1, 240); // the club name
    grdSFL->installEventFilter(this);
    connect(grdSFL->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &aktuell) {
                if (!geaendert && !liestGerade && aktuell.isValid())
                    zeile_zeigen(aktuell.row());
            });
    connect(grdSFL, &QAbstractItemView::doubleClicked, this, [this] { auswaehlen(); });

    // Edit fields
    box = new QGroupBox(q);
    box->setObjectName(QStringLiteral("box"));
    edtLOS = feld("edtLOS", 20);
    edtNAME = feld("edtNAME", 30);
    edtVERB = feld("edtVERB", 20);
    edtMLDG = feld("edtMLDG", 11);
    edtANZA = feld("edtANZA", 11);
    edtSGLD = feld("edtSGLD", 14);
    edtPKTE = feld("edtPKTE", 11);
    edtTEXT = feld("edtTEXT", 60);
    edtANZA->setReadOnly(true);
    // The federation is a key of the lookup table "VERBAND": F4 or a double click picks it.
    auswahlfeld_einrichten(edtVERB);
    edtVERB->setToolTip(QStringLiteral("F4 oder Doppelklick: Auswahl Verband"));
    auto *raster = new QGridLayout(box);
    const auto zeile = [raster](int r, const QString &text, QWidget *w, QWidget *w2 = nullptr) {
        rasterzeile(raster, r, text, w, w2);
    };
    zeile(0, QStringLiteral("Los-Nummer"), edtLOS);
    zeile(1, QStringLiteral("Verein, Verband"), edtNAME, edtVERB);
    zeile(2, QStringLiteral("Teilnehmer gemeldet"), edtMLDG);
    zeile(3, QStringLiteral("Teilnehmer (anwesend)"), edtANZA);
    zeile(4, QStringLiteral("Startgeld (Euro)"), edtSGLD);
    zeile(5, QStringLiteral("Team-Wertung (Punkte)"), edtPKTE);
    zeile(6, QStringLiteral("Bemerkung"), edtTEXT);
    raster->setColumnStretch(1, 2);
    raster->setColumnStretch(2, 1);

    // Buttons
    btnSpeichern = knopf(q, "btnSpeichern", QStringLiteral("&Speichern"));
    btnNeu = knopf(q, "btnNeu", QStringLiteral("&Neuer Satz"));
    btnKopieren = knopf(q, "btnKopieren", QStringLiteral("&Kopieren"));
    btnLoeschen = knopf(q, "btnLoeschen", QStringLiteral("&Löschen"));
    btnQuittung = knopf(q, "btnQuittung", QStringLiteral("&Quittung"));
    btnWiegelisten = knopf(q, "btnWiegelisten", QStringLiteral("&Wiegelisten"));
    btnAbbrechen = knopf(q, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    btnBeenden = knopf(q, "btnBeenden", QStringLiteral("&Beenden"));
    // The fee receipt and the club's weigh-in lists are printed by reports
    // that this program does not have yet.
    btnQuittung->setEnabled(false);
    btnWiegelisten->setEnabled(false);
    auto *knoepfe = new QHBoxLayout;
    for (QPushButton *b :
         {btnSpeichern, btnNeu, btnKopieren, btnLoeschen, btnQuittung, btnWiegelisten, btnAbbrechen, btnBeenden})
        knoepfe->addWidget(b);

    auto *haupt = new QVBoxLayout(q);
    haupt->addWidget(pnlSuch);
    haupt->addWidget(grdSFL, 1);
    haupt->addWidget(box);
    haupt->addLayout(knoepfe);
    q->resize(760, 600);

    tabfolge({edtAuswName, edtAuswVerb, btnSuchen,   btnNeueSuche, grdSFL,         edtLOS,       edtNAME,
              edtVERB,     edtMLDG,     edtANZA,     edtSGLD,      edtPKTE,        edtTEXT,      btnSpeichern,
              btnNeu,      btnKopieren, btnLoeschen, btnQuittung,  btnWiegelisten, btnAbbrechen, btnBeenden});

    connect(btnSuchen, &QPushButton::clicked, this, [this] { daten_lesen(edtLOS->text().toInt()); });
    connect(btnNeueSuche, &QPushButton::clicked, this, [this] {
        edtAuswName->clear();
        edtAuswVerb->clear();
    });
    connect(btnSpeichern, &QPushButton::clicked, this, [this] { speichern(); });
    connect(btnNeu, &QPushButton::clicked, this, [this] { neuer_satz(); });
    connect(btnKopieren, &QPushButton::clicked, this, [this] { kopieren(); });
    connect(btnLoeschen, &QPushButton::clicked, this, [this] { loeschen(); });
    connect(btnAbbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });
    connect(btnBeenden, &QPushButton::clicked, q, &QDialog::reject);
}

// Opening: clear the search, read the list, then apply the request.
void TfrmVereine::Impl::oeffnen()
{
    edtAuswName->clear();
    edtAuswVerb->clear();
    int los = 0;
    anfrage = anfrage_lesen(zustand().auswahl_wert, los);
    geaendert = false;
    daten_lesen(0);
    switch (anfrage) {
    case Anfrage::Pflege:
    case Anfrage::Auswahl:
        if (!geaendert)
            grdSFL->setFocus();
        break;
    case Anfrage::Schnell:
        neuer_satz();
        edtLOS->setText(QString::number(los));
        edtNAME->setFocus();
        break;
    case Anfrage::Waage: {
        neuer_satz();
        VereinEingabe e = felder_holen();
        e.name = zustand().auswahl_modus;
        e.verband = trim_rechts(zustand().auswahl_wert3);
        e.los = QString::number(neues_los(aktueller_wettkampf_nr(), e.verband));
        felder_zeigen(e);
        btnSpeichern->setFocus();
        break;
    }
    }
}

void TfrmVereine::Impl::daten_lesen(int los)
{
    edtAuswName->setText(verein_suchtext(edtAuswName->text()));
    edtAuswVerb->setText(verein_suchtext(edtAuswVerb->text()));
    const auto gelesen = vereine_lesen(aktueller_wettkampf_nr(), edtAuswName->text(), edtAuswVerb->text());
    if (!gelesen)
        zeige_meldung(19902);
    liste = gelesen.value_or(QVector<Verein> {});

    liestGerade = true;
    modell->removeRows(0, modell->rowCount());
    for (const Verein &v : std::as_const(liste)) {
        QList<QStandardItem *> z;
        for (const QString &t : {QString::number(v.los), v.name, v.verband, QString::number(v.punkte),
                                 QString::number(v.anwesend), QString::number(v.gemeldet), v.text}) {
            auto *item = new QStandardItem(t);
            z << item;
        }
        for (int i : {0, 3, 4, 5})
            z.at(i)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modell->appendRow(z);
    }
    liestGerade = false;

    if (liste.isEmpty()) {
        modus = u'I';
        felder_zeigen(verein_neu_eingabe());
        geaendert = true;
        zustand_zeigen();
        edtLOS->setFocus();
        return;
    }
    // Back to the club shown before, or the next one after it.
    int zeile = int(liste.size()) - 1;
    for (int i = 0; i < liste.size(); ++i)
        if (liste.at(i).los >= los) {
            zeile = i;
            break;
        }
    liestGerade = true;
    grdSFL->setCurrentIndex(modell->index(zeile, 0));
    liestGerade = false;
    zeile_zeigen(zeile);
}

void TfrmVereine::Impl::zeile_zeigen(int zeile)
{
    if (zeile < 0 || zeile >= liste.size())
        return;
    modus = u'U';
    felder_zeigen(verein_eingabe(liste.at(zeile)));
    geaendert = false;
    zustand_zeigen();
}

int TfrmVereine::Impl::aktuelle_zeile() const
{
    const QModelIndex i = grdSFL->currentIndex();
    return i.isValid() && i.row() < liste.size() ? i.row() : -1;
}

void TfrmVereine::Impl::felder_zeigen(const VereinEingabe &e)
{
    const auto setze = text_setzen;
    setze(edtLOS, e.los);
    setze(edtNAME, e.name);
    setze(edtVERB, e.verband);
    setze(edtMLDG, e.gemeldet);
    setze(edtANZA, e.anwesend);
    setze(edtSGLD, e.startgeld);
    setze(edtPKTE, e.punkte);
    setze(edtTEXT, e.text);
}

VereinEingabe TfrmVereine::Impl::felder_holen() const
{
    VereinEingabe e;
    e.los = edtLOS->text();
    e.name = edtNAME->text();
    e.verband = edtVERB->text();
    e.gemeldet = edtMLDG->text();
    e.anwesend = edtANZA->text();
    e.startgeld = edtSGLD->text();
    e.punkte = edtPKTE->text();
    e.text = edtTEXT->text();
    return e;
}

void TfrmVereine::Impl::zustand_zeigen()
{
    btnSpeichern->setEnabled(geaendert);
    btnAbbrechen->setEnabled(geaendert);
    for (QWidget *w : std::initializer_list<QWidget *> {btnBeenden, btnLoeschen, btnNeu, btnKopieren, grdSFL})
        w->setEnabled(!geaendert);
    // A search that found nothing opens a new row; the search must stay
    // usable then, or the window could not leave that empty list again.
    const bool suchen = !geaendert || liste.isEmpty();
    for (QWidget *w : std::initializer_list<QWidget *> {pnlSuch, btnSuchen, btnNeueSuche})
        w->setEnabled(suchen);
    edtLOS->setReadOnly(modus != u'I');
    box->setTitle(modus == u'I' ? QStringLiteral("Neuer Datensatz") : QStringLiteral("Datensatz ändern"));
}

QLineEdit *TfrmVereine::Impl::feld_zu_code(const QString &code) const
{
    for (QLineEdit *f : felder)
        if (verein_feldcode(f->objectName()) == code)
            return f;
    return nullptr;
}

void TfrmVereine::Impl::fehler_zeigen(const VereinErgebnis &r)
{
    pruefeGerade = true;
    zeige_meldung(r.meldung);
    if (QLineEdit *f = feld_zu_code(r.feld))
        f->setFocus();
    pruefeGerade = false;
}

bool TfrmVereine::Impl::pruefen(const QString &code)
{
    VereinEingabe e = felder_holen();
    const VereinErgebnis r = verein_pruefen(e, code, modus == u'I', aktueller_wettkampf_nr());
    felder_zeigen(e);
    if (!r.ok())
        fehler_zeigen(r);
    return r.ok();
}

void TfrmVereine::Impl::speichern()
{
    VereinEingabe e = felder_holen();
    const VereinErgebnis r = verein_speichern(e, modus == u'I', aktueller_wettkampf_nr());
    felder_zeigen(e);
    if (!r.ok()) {
        // The typed values stay, also in the selection modes, so nothing is lost.
        fehler_zeigen(r);
        return;
    }
    zustand().auswahl_wert2 = e.los;
    zustand().auswahl_modus = e.name;
    zustand().auswahl_wert3 = e.verband;
    modus = u'U';
    daten_lesen(e.los.toInt());
    if (anfrage != Anfrage::Pflege)
        q->accept();
}

void TfrmVereine::Impl::neuer_satz()
{
    modus = u'I';
    felder_zeigen(verein_neu_eingabe());
    geaendert = true;
    zustand_zeigen();
    edtLOS->setFocus();
}

void TfrmVereine::Impl::kopieren()
{
    const int zeile = aktuelle_zeile();
    if (zeile < 0) {
        zeige_meldung(9901);
        return;
    }
    VereinEingabe e = verein_eingabe(liste.at(zeile));
    e.los = QStringLiteral("0");
    modus = u'I';
    felder_zeigen(e);
    geaendert = true;
    zustand_zeigen();
    edtLOS->setFocus();
}

void TfrmVereine::Impl::loeschen()
{
    const int zeile = aktuelle_zeile();
    if (zeile < 0) {
        zeige_meldung(9901);
        return;
    }
    const int wk = aktueller_wettkampf_nr();
    const int los = liste.at(zeile).los;
    const std::optional<bool> teilnehmer = verein_hat_teilnehmer(wk, los);
    if (!teilnehmer) {
        zeige_meldung(19902);
        return;
    }
    if (*teilnehmer) {
        zeige_meldung(18002);
        return;
    }
    if (!frage_ok(QStringLiteral("Diesen Datensatz löschen ?")))
        return;
    const VereinErgebnis r = verein_loeschen(wk, los);
    if (!r.ok()) {
        zeige_meldung(r.meldung);
        return;
    }
    daten_lesen(los);
}

void TfrmVereine::Impl::abbrechen()
{
    const int zeile = aktuelle_zeile();
    modus = u'U';
    geaendert = false;
    daten_lesen(zeile >= 0 ? liste.at(zeile).los : 0);
    if (!geaendert)
        grdSFL->setFocus();
}

// Selection and quick-entry modes: hand back the current club and close.
void TfrmVereine::Impl::auswaehlen()
{
    if (anfrage == Anfrage::Pflege || geaendert)
        return;
    const int zeile = aktuelle_zeile();
    if (zeile < 0)
        return;
    const Verein &v = liste.at(zeile);
    zustand().auswahl_wert2 = QString::number(v.los);
    zustand().auswahl_modus = v.name;
    zustand().auswahl_wert3 = v.verband;
    q->accept();
}

void TfrmVereine::Impl::verband_waehlen()
{
    if (edtVERB->isReadOnly())
        return;
    // The picker passes its table and result through the same slots this
    // window hands its result back in; the caller must not see them.
    const Zustand vorher = zustand();
    pruefeGerade = true;
    const QString schluessel = get_matchcode(QStringLiteral("VERBAND"), q);
    pruefeGerade = false;
    zustand().auswahl_wert = vorher.auswahl_wert;
    zustand().auswahl_wert2 = vorher.auswahl_wert2;
    zustand().auswahl_modus = vorher.auswahl_modus;
    zustand().auswahl_wert3 = vorher.auswahl_wert3;
    edtVERB->setFocus();
    if (schluessel.isEmpty() || schluessel == edtVERB->text())
        return;
    edtVERB->setText(schluessel);
    if (!geaendert) {
        geaendert = true;
        zustand_zeigen();
    }
}

bool TfrmVereine::Impl::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == q) {
        if (e->type() == QEvent::Show)
            oeffnen();
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (obj == grdSFL && enter) {
            auswaehlen();
            return true; // never the dialog's default button
        }
        if ((obj == edtAuswName || obj == edtAuswVerb) && enter) {
            daten_lesen(edtLOS->text().toInt());
            return true;
        }
        if (obj == edtVERB && k->key() == Qt::Key_F4 && k->modifiers() == Qt::NoModifier) {
            verband_waehlen();
            return true;
        }
        if (enter && felder.contains(qobject_cast<QLineEdit *>(obj)))
            return true;
    } else if (e->type() == QEvent::MouseButtonDblClick && obj == edtVERB) {
        verband_waehlen();
        return true;
    } else if (e->type() == QEvent::FocusOut) {
        auto *f = qobject_cast<QLineEdit *>(obj);
        if (!f || !felder.contains(f) || pruefeGerade)
            return false;
        if (!verlassen_im_fenster(static_cast<QFocusEvent *>(e)))
            return false;
        QWidget *neu = QApplication::focusWidget();
        if (neu == btnAbbrechen || neu == btnBeenden || !q->isVisible())
            return false;
        pruefeGerade = true;
        pruefen(verein_feldcode(f->objectName()));
        pruefeGerade = false;
    }
    return false;
}

} // namespace obi
