#include "frmeinteilung.h"

#include "core/basis.h"
#include "core/gui/bausteine.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/einteilung.h"
#include "setup/gui/frmeinteilungneu.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace obi {

namespace {

// Start number of a grid row, kept beside the shown weight.
constexpr int kStnrRolle = Qt::UserRole + 1;
constexpr int kGewichtRolle = Qt::UserRole + 2;

struct Auswahl {
    QVector<int> stnrs;
    double schwerstes = 0;
};

} // namespace

struct TfrmEinteilung::Impl {
    TfrmEinteilung *q = nullptr;
    QComboBox *cbAKID = nullptr;
    QComboBox *cbGEW1 = nullptr;
    QComboBox *cbGEW2 = nullptr;
    QTableView *grdSFL1 = nullptr;
    QTableView *grdSFL2 = nullptr;
    QStandardItemModel *modell1 = nullptr;
    QStandardItemModel *modell2 = nullptr;
    QPushButton *btnCreateNach2 = nullptr;
    QPushButton *btnNach2 = nullptr;
    QPushButton *btnNach1 = nullptr;
    QPushButton *btnNeueGewk = nullptr;
    QPushButton *btnVerwerfen = nullptr;
    QPushButton *btnVerlassen = nullptr;

    QTableView *neuesGrid(const QString &name, QStandardItemModel *&modell);
    QString altersklasse() const { return cbAKID->currentText(); }
    void altersklassen_fuellen();
    void klassen_fuellen();
    void grid_lesen(QComboBox *box, QStandardItemModel *modell);
    void grids_lesen();
    Auswahl auswahl(QTableView *grid, QStandardItemModel *modell) const;
    void umsetzen(QTableView *grid, QStandardItemModel *modell, QComboBox *von, QComboBox *nach);
    void neue_klasse();
    void klasse_aus_auswahl();
    void verwerfen();
};

QTableView *TfrmEinteilung::Impl::neuesGrid(const QString &name, QStandardItemModel *&modell)
{
    auto *grid = new QTableView(q);
    grid->setObjectName(name);
    modell = new QStandardItemModel(0, 7, grid);
    modell->setHorizontalHeaderLabels({QStringLiteral("Gewicht"), QStringLiteral("Name"), QStringLiteral("Vorname"),
                                       QStringLiteral("Jahrg."), QStringLiteral("Verein"), QStringLiteral("Verband"),
                                       QStringLiteral("Start-Nr.")});
    grid->setModel(modell);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

TfrmEinteilung::TfrmEinteilung(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmEinteilung"));
    setWindowTitle(QStringLiteral("OBITRACK - Einteilung Gewichtsklassen"));
    setModal(true);

    d->cbAKID = new QComboBox(this);
    d->cbAKID->setObjectName(QStringLiteral("cbAKID"));
    auto *lblAK = new QLabel(QStringLiteral("&Altersklasse"), this);
    lblAK->setBuddy(d->cbAKID);
    d->cbGEW1 = new QComboBox(this);
    d->cbGEW1->setObjectName(QStringLiteral("cbGEW1"));
    d->cbGEW2 = new QComboBox(this);
    d->cbGEW2->setObjectName(QStringLiteral("cbGEW2"));
    d->grdSFL1 = d->neuesGrid(QStringLiteral("grdSFL1"), d->modell1);
    d->grdSFL2 = d->neuesGrid(QStringLiteral("grdSFL2"), d->modell2);

    const auto bildknopf = [this](const QString &name, QStyle::StandardPixmap bild, const QString &hinweis) {
        auto *b = new QPushButton(this);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(bild));
        b->setToolTip(hinweis);
        b->setAccessibleName(hinweis);
        b->setAutoDefault(false);
        return b;
    };
    d->btnCreateNach2 = bildknopf(QStringLiteral("btnCreateNach2"), QStyle::SP_FileDialogNewFolder,
                                  QStringLiteral("Neue Gewichtsklasse aus Auswahl"));
    d->btnNach2 = bildknopf(QStringLiteral("btnNach2"), QStyle::SP_ArrowRight, QStringLiteral("Nach rechts umsetzen"));
    d->btnNach1 = bildknopf(QStringLiteral("btnNach1"), QStyle::SP_ArrowLeft, QStringLiteral("Nach links umsetzen"));

    d->btnNeueGewk = knopf(this, "btnNeueGewk", QStringLiteral("Neue Gew.-Klasse"));
    d->btnVerwerfen = knopf(this, "btnVerwerfen", QStringLiteral("Einteilung verwerfen"));
    d->btnVerlassen = knopf(this, "btnVerlassen", QStringLiteral("&Verlassen"));
    for (QPushButton *b : {d->btnNeueGewk, d->btnVerwerfen, d->btnVerlassen})
        b->setAutoDefault(false);

    auto *oben = new QHBoxLayout;
    oben->addWidget(lblAK);
    oben->addWidget(d->cbAKID, 1);
    oben->addStretch(1);
    auto *links = new QVBoxLayout;
    links->addWidget(d->cbGEW1);
    links->addWidget(d->grdSFL1, 1);
    auto *mitte = new QVBoxLayout;
    mitte->addStretch(1);
    mitte->addWidget(d->btnCreateNach2);
    mitte->addWidget(d->btnNach2);
    mitte->addWidget(d->btnNach1);
    mitte->addStretch(1);
    auto *rechts = new QVBoxLayout;
    rechts->addWidget(d->cbGEW2);
    rechts->addWidget(d->grdSFL2, 1);
    // Both halves share the width the middle button column leaves.
    auto *halbe = new QHBoxLayout;
    halbe->addLayout(links, 1);
    halbe->addLayout(mitte, 0);
    halbe->addLayout(rechts, 1);
    auto *unten = knopfleiste({d->btnNeueGewk, d->btnVerwerfen}, {d->btnVerlassen});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addLayout(halbe, 1);
    haupt->addLayout(unten);
    resize(980, 560);

    tabfolge({d->cbAKID, d->cbGEW1, d->grdSFL1, d->btnCreateNach2, d->btnNach2, d->btnNach1, d->cbGEW2, d->grdSFL2,
              d->btnNeueGewk, d->btnVerwerfen, d->btnVerlassen});

    d->altersklassen_fuellen();

    connect(d->cbAKID, &QComboBox::currentIndexChanged, this, [this] {
        d->cbGEW1->blockSignals(true);
        d->cbGEW1->clear(); // a new age class starts with its first class on the left
        d->cbGEW1->blockSignals(false);
        d->klassen_fuellen();
        d->grids_lesen();
    });
    connect(d->cbGEW1, &QComboBox::currentIndexChanged, this, [this] { d->grid_lesen(d->cbGEW1, d->modell1); });
    connect(d->cbGEW2, &QComboBox::currentIndexChanged, this, [this] { d->grid_lesen(d->cbGEW2, d->modell2); });
    connect(d->btnNach2, &QPushButton::clicked, this,
            [this] { d->umsetzen(d->grdSFL1, d->modell1, d->cbGEW1, d->cbGEW2); });
    connect(d->btnNach1, &QPushButton::clicked, this,
            [this] { d->umsetzen(d->grdSFL2, d->modell2, d->cbGEW2, d->cbGEW1); });
    connect(d->btnCreateNach2, &QPushButton::clicked, this, [this] { d->klasse_aus_auswahl(); });
    connect(d->btnNeueGewk, &QPushButton::clicked, this, [this] { d->neue_klasse(); });
    connect(d->btnVerwerfen, &QPushButton::clicked, this, [this] { d->verwerfen(); });
    connect(d->btnVerlassen, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmEinteilung::~TfrmEinteilung()
{
    delete d;
}

void TfrmEinteilung::Impl::altersklassen_fuellen()
{
    const auto liste = einteilung_altersklassen(aktueller_wettkampf_nr());
    if (!liste)
        zeige_meldung(19902);
    cbAKID->blockSignals(true);
    cbAKID->clear();
    cbAKID->addItems(liste.value_or(QStringList {}));
    const int i = cbAKID->findText(zustand().auswahl_wert);
    cbAKID->setCurrentIndex(i >= 0 ? i : (cbAKID->count() > 0 ? 0 : -1));
    cbAKID->blockSignals(false);
    klassen_fuellen();
    grids_lesen();
}

// Fills both class boxes; the left keeps its class (its position when the
// class is gone), the right shows the last class.
void TfrmEinteilung::Impl::klassen_fuellen()
{
    const QString linksAlt = cbGEW1->currentText();
    const int linksPos = cbGEW1->currentIndex();
    QStringList klassen;
    if (!altersklasse().isEmpty()) {
        const auto liste = einteilung_gewichtsklassen(aktueller_wettkampf_nr(), altersklasse());
        if (!liste)
            zeige_meldung(19902);
        klassen = liste.value_or(QStringList {});
    }
    for (QComboBox *box : {cbGEW1, cbGEW2}) {
        box->blockSignals(true);
        box->clear();
        box->addItems(klassen);
    }
    int links = cbGEW1->findText(linksAlt);
    if (links < 0 && !klassen.isEmpty())
        links = std::clamp(linksPos, 0, int(klassen.size()) - 1);
    cbGEW1->setCurrentIndex(links);
    cbGEW2->setCurrentIndex(int(klassen.size()) - 1);
    cbGEW1->blockSignals(false);
    cbGEW2->blockSignals(false);
}

void TfrmEinteilung::Impl::grid_lesen(QComboBox *box, QStandardItemModel *modell)
{
    modell->removeRows(0, modell->rowCount());
    if (box->currentIndex() < 0)
        return;
    const auto starter = einteilung_starter(aktueller_wettkampf_nr(), altersklasse(), box->currentText());
    if (!starter) {
        zeige_meldung(19902);
        return;
    }
    for (const EinteilungStarter &s : *starter) {
        QList<QStandardItem *> zeile;
        auto *gewicht = new QStandardItem(dezimal_text(1, s.gewicht));
        gewicht->setData(s.stnr, kStnrRolle);
        gewicht->setData(s.gewicht, kGewichtRolle);
        gewicht->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        zeile << gewicht << new QStandardItem(s.name) << new QStandardItem(s.vorname)
              << new QStandardItem(s.jahrgang > 0 ? QString::number(s.jahrgang) : QString())
              << new QStandardItem(s.verein) << new QStandardItem(s.verband)
              << new QStandardItem(QString::number(s.stnr));
        modell->appendRow(zeile);
    }
}

void TfrmEinteilung::Impl::grids_lesen()
{
    grid_lesen(cbGEW1, modell1);
    grid_lesen(cbGEW2, modell2);
}

Auswahl TfrmEinteilung::Impl::auswahl(QTableView *grid, QStandardItemModel *modell) const
{
    Auswahl a;
    QModelIndexList zeilen = grid->selectionModel()->selectedRows(0);
    std::sort(zeilen.begin(), zeilen.end(),
              [](const QModelIndex &x, const QModelIndex &y) { return x.row() < y.row(); });
    for (const QModelIndex &i : zeilen) {
        const QStandardItem *item = modell->item(i.row(), 0);
        a.stnrs << item->data(kStnrRolle).toInt();
        a.schwerstes = std::max(a.schwerstes, item->data(kGewichtRolle).toDouble());
    }
    return a;
}

void TfrmEinteilung::Impl::umsetzen(QTableView *grid, QStandardItemModel *modell, QComboBox *von, QComboBox *nach)
{
    const Auswahl a = auswahl(grid, modell);
    if (a.stnrs.isEmpty())
        return;
    starter_umsetzen(aktueller_wettkampf_nr(), altersklasse(), von->currentText(), nach->currentText(), a.stnrs);
    grids_lesen();
}

void TfrmEinteilung::Impl::neue_klasse()
{
    if (altersklasse().isEmpty() || !einteilung_moeglich(aktueller_wettkampf_nr(), altersklasse()))
        return;
    TfrmEinteilungNeu neu(q);
    neu.setze_altersklasse(altersklasse());
    neu.exec();
    klassen_fuellen();
    grids_lesen();
}

void TfrmEinteilung::Impl::klasse_aus_auswahl()
{
    if (altersklasse().isEmpty() || !einteilung_moeglich(aktueller_wettkampf_nr(), altersklasse()))
        return;
    const Auswahl a = auswahl(grdSFL1, modell1);
    if (a.stnrs.isEmpty()) {
        zeige_meldung(2004);
        return;
    }
    TfrmEinteilungNeu neu(q);
    neu.setze_altersklasse(altersklasse());
    neu.setze_vorschlag(gewichtsvorschlag(a.schwerstes));
    // The class and its participants are written together, so a failed move
    // leaves no empty class behind.
    neu.setze_mitnehmen(cbGEW1->currentText(), a.stnrs);
    if (neu.exec() != QDialog::Accepted)
        return;
    const QString name = zustand().auswahl_wert;
    klassen_fuellen();
    const int i = cbGEW2->findText(name);
    if (name.isEmpty() || i < 0) {
        grids_lesen();
        zeige_meldung(2003);
        return;
    }
    cbGEW2->blockSignals(true);
    cbGEW2->setCurrentIndex(i);
    cbGEW2->blockSignals(false);
    grids_lesen();
}

void TfrmEinteilung::Impl::verwerfen()
{
    if (!einteilung_verwerfen(aktueller_wettkampf_nr(), altersklasse()))
        return;
    klassen_fuellen();
    grids_lesen();
}

} // namespace obi
