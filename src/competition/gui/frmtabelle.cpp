#include "frmtabelle.h"

#include "core/gui/bausteine.h"

#include "competition/tabelle.h"
#include "competition/tabelle_daten.h"
#include "core/basis.h"
#include "core/datenbank.h"
#include "core/gui/datengrid.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/teilnehmer.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"
#include "setup/gui/klassenwahl.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

#include <optional>

namespace obi {

namespace {

// Columns of the table grid.
enum Spalte { sName = 0, sVerein, sSiege, sPlus, sMinus, sPlatz, sStnr, sAnzahl };

constexpr int kPlatzLaenge = 10; // STPLTZ holds ten characters

} // namespace

struct TfrmTabelle::Impl : public QObject {
    TfrmTabelle *q = nullptr;
    QLineEdit *edtAKID = nullptr;
    QLineEdit *edtGEWK = nullptr;
    QPushButton *btnAktualisieren = nullptr;
    QComboBox *cbPool = nullptr;
    QLineEdit *edtINFO = nullptr;
    QWidget *pnlTabelle = nullptr;
    QTableView *grdSTARTER = nullptr;
    QStandardItemModel *modell = nullptr;
    QWidget *pnlKaempfe = nullptr;
    QLineEdit *edtNAME = nullptr;
    QTableView *grdKaempfe = nullptr;
    QStandardItemModel *kaempfe = nullptr;
    QPushButton *btnPlaetze = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QPushButton *btnBeenden = nullptr;

    // The class and list of the table shown; set by a passed selection.
    std::optional<TabellenInfo> info;
    QString akid, gewk;

    void verstecken();
    bool pruefen_auswahl(bool meldungen);
    void auswahl_und_lesen(bool meldungen);
    void daten_lesen();
    void zeilen_zeigen(const std::vector<TabellenZeile> &zeilen);
    std::vector<TabellenZeile> zeilen_aus_grid() const;
    bool calc_plaetze(bool meldungen);
    void speichern();
    int get_poolnr() const;
    void fuellen_kaempfe(int zeile);
    void spalten_breiten();
    void ak_waehlen();
    void gewk_waehlen();
    void platz_taste(const QString &text);
    void gehe_zu(int zeile);
    bool eventFilter(QObject *obj, QEvent *e) override;
};

TfrmTabelle::TfrmTabelle(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmTabelle"));
    setWindowTitle(QStringLiteral("OBITRACK - Tabelle berechnen (Listenführung)"));
    setModal(true);

    const Klassenfelder klasse = klassenfelder_anlegen(this, d);
    d->edtAKID = klasse.altersklasse;
    d->edtGEWK = klasse.gewichtsklasse;
    auto *lblAK = klasse.lblAltersklasse;
    auto *lblGew = klasse.lblGewichtsklasse;
    // Enter belongs to the class fields (check) and the grid (next place).
    d->btnAktualisieren = knopf(this, "btnAktualisieren", QStringLiteral("Aktualisieren"), false);
    d->cbPool = new QComboBox(this);
    d->cbPool->setObjectName(QStringLiteral("cbPool"));
    d->cbPool->addItems({QStringLiteral("Pool A"), QStringLiteral("Pool B")});
    d->cbPool->setCurrentIndex(0);
    d->edtINFO = eingabefeld(this, "edtINFO");
    d->edtINFO->setReadOnly(true);
    d->edtINFO->setFocusPolicy(Qt::NoFocus);

    d->pnlTabelle = new QWidget(this);
    d->pnlTabelle->setObjectName(QStringLiteral("pnlTabelle"));
    d->grdSTARTER
        = datengrid_anlegen(d->pnlTabelle, "grdSTARTER",
                            {QStringLiteral("Name, Vorname"), QStringLiteral("Verein"), QStringLiteral("Siege"),
                             QStringLiteral("Unterbew. (+)"), QStringLiteral("Unterbew. (-)"), QStringLiteral("Platz"),
                             QStringLiteral("StNr")},
                            d->modell);
    d->grdSTARTER->horizontalHeader()->setStretchLastSection(false);
    d->grdSTARTER->horizontalHeader()->setMinimumSectionSize(1); // the start number column is one pixel
    d->grdSTARTER->installEventFilter(d);
    auto *tabLayout = new QVBoxLayout(d->pnlTabelle);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->addWidget(d->grdSTARTER);

    d->pnlKaempfe = new QWidget(this);
    d->pnlKaempfe->setObjectName(QStringLiteral("pnlKaempfe"));
    d->edtNAME = new QLineEdit(d->pnlKaempfe);
    d->edtNAME->setObjectName(QStringLiteral("edtNAME"));
    d->edtNAME->setReadOnly(true);
    d->edtNAME->setFocusPolicy(Qt::NoFocus);
    auto *lblName = new QLabel(QStringLiteral("Kämpfe von"), d->pnlKaempfe);
    d->grdKaempfe = datengrid_anlegen(
        d->pnlKaempfe, "grdKaempfe",
        {QStringLiteral("Gegner"), QStringLiteral("Ergebnis"), QStringLiteral("Unterbew.")}, d->kaempfe);
    d->grdKaempfe->installEventFilter(d);
    auto *kopf = new QHBoxLayout;
    kopf->addWidget(lblName);
    kopf->addWidget(d->edtNAME, 1);
    auto *kampfLayout = new QVBoxLayout(d->pnlKaempfe);
    kampfLayout->setContentsMargins(0, 0, 0, 0);
    kampfLayout->addLayout(kopf);
    kampfLayout->addWidget(d->grdKaempfe, 1);

    d->btnPlaetze = knopf(this, "btnPlaetze", QStringLiteral("&Plätze rechnen"), false);
    d->btnSave = knopf(this, "btnSave", QStringLiteral("&Speichern"), false);
    d->btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"), false);
    d->btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"), false);

    auto *oben = new QHBoxLayout;
    oben->addWidget(lblAK);
    oben->addWidget(d->edtAKID, 1);
    oben->addWidget(lblGew);
    oben->addWidget(d->edtGEWK, 1);
    oben->addWidget(d->btnAktualisieren);
    oben->addWidget(d->cbPool);
    auto *unten = knopfleiste({d->btnPlaetze, d->btnSave, d->btnAbbrechen}, {d->btnBeenden});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(d->edtINFO);
    // The bouts take two fifths of the height below the table.
    haupt->addWidget(d->pnlTabelle, 3);
    haupt->addWidget(d->pnlKaempfe, 2);
    haupt->addLayout(unten);
    resize(800, 600);

    tabfolge({d->edtAKID, d->edtGEWK, d->btnAktualisieren, d->cbPool, d->grdSTARTER, d->btnPlaetze, d->btnSave,
              d->btnAbbrechen, d->grdKaempfe, d->btnBeenden});

    connect(d->edtAKID, &QLineEdit::textEdited, this, [this] { d->verstecken(); });
    connect(d->edtGEWK, &QLineEdit::textEdited, this, [this] { d->verstecken(); });
    connect(d->edtAKID, &QLineEdit::returnPressed, this, [this] { d->auswahl_und_lesen(true); });
    connect(d->edtGEWK, &QLineEdit::returnPressed, this, [this] { d->auswahl_und_lesen(true); });
    connect(d->btnAktualisieren, &QPushButton::clicked, this, [this] { d->auswahl_und_lesen(true); });
    connect(d->cbPool, &QComboBox::currentIndexChanged, this, [this] { d->auswahl_und_lesen(true); });
    connect(d->grdSTARTER->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { d->fuellen_kaempfe(i.row()); });
    connect(d->btnPlaetze, &QPushButton::clicked, this, [this] { d->calc_plaetze(true); });
    connect(d->btnSave, &QPushButton::clicked, this, [this] { d->speichern(); });
    connect(d->btnAbbrechen, &QPushButton::clicked, this, [this] { d->auswahl_und_lesen(true); });
    connect(d->btnBeenden, &QPushButton::clicked, this, &QDialog::accept);

    // A caller (the bout entry) may preset the class.
    d->edtAKID->setText(zustand().auswahl_wert);
    d->edtGEWK->setText(zustand().auswahl_wert2);
    zustand().auswahl_wert.clear();
    zustand().auswahl_wert2.clear();
    d->edtAKID->setFocus();
    d->verstecken();
    if (!trim_rechts(d->edtAKID->text()).isEmpty() && d->pruefen_auswahl(false))
        d->daten_lesen();
}

TfrmTabelle::~TfrmTabelle()
{
    d->edtAKID->removeEventFilter(d);
    d->edtGEWK->removeEventFilter(d);
    d->grdSTARTER->removeEventFilter(d);
    d->grdKaempfe->removeEventFilter(d);
    delete d;
}

// Nothing of a previous table stays visible or can be saved once the class
// fields no longer match it.
void TfrmTabelle::Impl::verstecken()
{
    info.reset();
    pnlTabelle->hide();
    pnlKaempfe->hide();
    for (QPushButton *b : {btnSave, btnPlaetze, btnAbbrechen})
        b->setEnabled(false);
    edtINFO->hide();
    cbPool->hide();
}

bool TfrmTabelle::Impl::pruefen_auswahl(bool meldungen)
{
    verstecken();
    const int wk = aktueller_wettkampf_nr();
    Klassenwahl hilfe(q);
    QString ak = trim_rechts(edtAKID->text());
    if (ak.isEmpty() || !obi::pruefen_altersklasse(dm(), wk, ak, meldungen ? &hilfe : nullptr)) {
        if (meldungen) {
            zeige_meldung(31002);
            edtAKID->setFocus();
            edtAKID->selectAll();
        }
        return false;
    }
    edtAKID->setText(ak);
    QString gk = trim_rechts(edtGEWK->text());
    if (gk.isEmpty() || !obi::pruefen_gewichtsklasse(dm(), wk, ak, gk, meldungen ? &hilfe : nullptr)) {
        if (meldungen) {
            zeige_meldung(31003);
            edtGEWK->setFocus();
            edtGEWK->selectAll();
        }
        return false;
    }
    edtGEWK->setText(gk);
    const auto gelesen = obi::pruefen_auswahl(wk, ak, gk, meldungen);
    if (!gelesen)
        return false;
    info = gelesen;
    akid = ak;
    gewk = gk;
    edtINFO->setText(info->lbez);
    edtINFO->show();
    cbPool->setVisible(info->zwei_pools());
    return true;
}

void TfrmTabelle::Impl::auswahl_und_lesen(bool meldungen)
{
    if (pruefen_auswahl(meldungen))
        daten_lesen();
}

int TfrmTabelle::Impl::get_poolnr() const
{
    return pool_nummer(cbPool->currentText());
}

void TfrmTabelle::Impl::daten_lesen()
{
    if (!info)
        return;
    bool ok = true;
    const auto zeilen = tabelle_lesen(aktueller_wettkampf_nr(), akid, gewk, *info, get_poolnr(), &ok);
    if (!ok) {
        zeige_meldung(19902);
        verstecken();
        return;
    }
    zeilen_zeigen(zeilen);
    pnlTabelle->show();
    const bool bearbeitbar = listedit_ok(aktueller_wettkampf_nr(), akid, gewk, info->tabk, true);
    for (QPushButton *b : {btnSave, btnPlaetze, btnAbbrechen})
        b->setEnabled(bearbeitbar);
    pnlKaempfe->show();
    spalten_breiten();
    if (modell->rowCount() > 0)
        grdSTARTER->setCurrentIndex(modell->index(0, sPlatz));
    else
        fuellen_kaempfe(-1);
}

void TfrmTabelle::Impl::zeilen_zeigen(const std::vector<TabellenZeile> &zeilen)
{
    modell->removeRows(0, modell->rowCount());
    for (const TabellenZeile &z : zeilen) {
        auto zahl = [](int n) {
            auto *i = new QStandardItem(QString::number(n));
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return i;
        };
        auto *platz = new QStandardItem(z.platz);
        platz->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modell->appendRow({new QStandardItem(z.name), new QStandardItem(z.verein), zahl(z.siege), zahl(z.plus),
                           zahl(z.minus), platz, new QStandardItem(QString::number(z.stnr))});
    }
}

std::vector<TabellenZeile> TfrmTabelle::Impl::zeilen_aus_grid() const
{
    std::vector<TabellenZeile> zeilen;
    for (int r = 0; r < modell->rowCount(); ++r) {
        TabellenZeile z;
        z.name = modell->item(r, sName)->text();
        z.verein = modell->item(r, sVerein)->text();
        z.siege = modell->item(r, sSiege)->text().toInt();
        z.plus = modell->item(r, sPlus)->text().toInt();
        z.minus = modell->item(r, sMinus)->text().toInt();
        z.platz = modell->item(r, sPlatz)->text();
        z.stnr = modell->item(r, sStnr)->text().toInt();
        zeilen.push_back(z);
    }
    return zeilen;
}

bool TfrmTabelle::Impl::calc_plaetze(bool meldungen)
{
    if (!info)
        return false;
    std::vector<TabellenZeile> zeilen = zeilen_aus_grid();
    const TabellenOptionen o = tabellen_optionen(*info);
    const bool eindeutig = obi::calc_plaetze(zeilen, o.platz32, o.platz52);
    // The grid shows the ranking order.
    zeilen_zeigen(zeilen);
    if (modell->rowCount() > 0)
        grdSTARTER->setCurrentIndex(modell->index(0, sPlatz));
    if (!eindeutig && meldungen)
        zeige_meldung(3011);
    return eindeutig;
}

void TfrmTabelle::Impl::speichern()
{
    if (!info)
        return;
    const int wk = aktueller_wettkampf_nr();
    // Another copy may have decided a later bout since the table was read.
    if (!listedit_ok(wk, akid, gewk, info->tabk, true)) {
        daten_lesen();
        return;
    }
    const std::vector<TabellenZeile> zeilen = zeilen_aus_grid();
    const bool ok = info->zwei_pools() ? write_plaetze_pool(wk, akid, gewk, info->ltyp, get_poolnr(), zeilen)
                                       : write_plaetze_starter(wk, akid, gewk, zeilen);
    // After a failure the operator's corrections stay in the grid.
    if (ok)
        daten_lesen();
}

void TfrmTabelle::Impl::fuellen_kaempfe(int zeile)
{
    kaempfe->removeRows(0, kaempfe->rowCount());
    if (!info || zeile < 0 || zeile >= modell->rowCount()) {
        edtNAME->clear();
        return;
    }
    edtNAME->setText(modell->item(zeile, sName)->text());
    const int stnr = modell->item(zeile, sStnr)->text().toInt();
    for (const KampfZeile &k : kaempfe_von(aktueller_wettkampf_nr(), akid, gewk, stnr, info->tabk))
        kaempfe->appendRow({new QStandardItem(k.gegner), new QStandardItem(k.ergebnis), new QStandardItem(k.wertung)});
}

void TfrmTabelle::Impl::spalten_breiten()
{
    // An eighth of the width is the unit; the start number stays out of sight.
    const double einheit = grdSTARTER->viewport()->width() / 8.0;
    const int breiten[sAnzahl]
        = {int(2 * einheit), int(2 * einheit), int(einheit), int(einheit), int(einheit), int(0.8 * einheit), 1};
    for (int s = 0; s < sAnzahl; ++s)
        grdSTARTER->setColumnWidth(s, breiten[s]);
    const double sechstel = grdKaempfe->viewport()->width() / 6.0;
    grdKaempfe->setColumnWidth(0, int(3 * sechstel));
    grdKaempfe->setColumnWidth(1, int(sechstel));
}

void TfrmTabelle::Impl::ak_waehlen()
{
    zustand().auswahl_wert = trim_rechts(edtAKID->text());
    TfrmMatchcodeAK dlg(q);
    dlg.exec();
    const QString ak = trim_rechts(zustand().auswahl_wert);
    zustand().auswahl_wert.clear();
    if (ak.isEmpty())
        return;
    edtAKID->setText(ak);
    verstecken();
}

void TfrmTabelle::Impl::gewk_waehlen()
{
    // The picker lists the weight classes of one age class: it must resolve.
    QString ak = trim_rechts(edtAKID->text());
    Klassenwahl hilfe(q);
    if (ak.isEmpty() || !obi::pruefen_altersklasse(dm(), aktueller_wettkampf_nr(), ak, &hilfe)) {
        verstecken();
        zeige_meldung(31002);
        edtAKID->setFocus();
        return;
    }
    edtAKID->setText(ak);
    zustand().auswahl_wert2 = ak;
    zustand().auswahl_wert = trim_rechts(edtGEWK->text());
    TfrmMatchcodeGew dlg(q);
    dlg.exec();
    const QString gk = trim_rechts(zustand().auswahl_wert);
    zustand().auswahl_wert.clear();
    zustand().auswahl_wert2.clear();
    if (gk.isEmpty())
        return;
    edtGEWK->setText(gk);
    auswahl_und_lesen(true);
}

// Typed corrections always go to the place of the current line: the other
// columns come from the bouts and are not the operator's to change.
void TfrmTabelle::Impl::platz_taste(const QString &text)
{
    const QModelIndex i = grdSTARTER->currentIndex();
    if (!i.isValid())
        return;
    QStandardItem *platz = modell->item(i.row(), sPlatz);
    if (text == QStringLiteral(" "))
        platz->setText(QString());
    else if (platz->text().size() < kPlatzLaenge)
        platz->setText(platz->text() + text);
}

void TfrmTabelle::Impl::gehe_zu(int zeile)
{
    const int n = modell->rowCount();
    if (n == 0)
        return;
    zeile = (zeile % n + n) % n;
    grdSTARTER->setCurrentIndex(modell->index(zeile, sPlatz));
}

bool TfrmTabelle::Impl::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == edtAKID || obj == edtGEWK) {
        const bool f4 = e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F4;
        if (f4 || e->type() == QEvent::MouseButtonDblClick) {
            if (obj == edtAKID)
                ak_waehlen();
            else
                gewk_waehlen();
            return true;
        }
    } else if (obj == grdSTARTER || obj == grdKaempfe) {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show)
            spalten_breiten();
        if (obj == grdSTARTER && e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            const int zeile = grdSTARTER->currentIndex().isValid() ? grdSTARTER->currentIndex().row() : -1;
            switch (k->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Right:
                gehe_zu(zeile + 1);
                return true;
            case Qt::Key_Left:
                gehe_zu(zeile < 0 ? 0 : zeile - 1);
                return true;
            default:
                break;
            }
            const QString t = k->text();
            if (t.size() == 1 && (t.at(0).isDigit() || t == QStringLiteral(".") || t == QStringLiteral(" "))
                && t.at(0).unicode() < 128) {
                platz_taste(t);
                return true;
            }
        }
    }
    return QObject::eventFilter(obj, e);
}

} // namespace obi
