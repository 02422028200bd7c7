#include "frmlosen.h"

#include "core/gui/bausteine.h"

#include "competition/gui/frmlosendetail.h"
#include "competition/losen.h"
#include "core/basis.h"
#include "core/gui/datengrid.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/teilnehmer.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"
#include "setup/gui/klassenwahl.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace obi {

namespace {

// Busy cursor while the draw runs; off again before any message shows.
class Beschaeftigt
{
public:
    Beschaeftigt() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Beschaeftigt() { QApplication::restoreOverrideCursor(); }
    Beschaeftigt(const Beschaeftigt &) = delete;
    Beschaeftigt &operator=(const Beschaeftigt &) = delete;
};

} // namespace

struct TfrmLosen::Impl : public QObject {
    TfrmLosen *q = nullptr;
    QLineEdit *edtAKID = nullptr;
    QLineEdit *edtGEWK = nullptr;
    QPushButton *btnAnzeigen = nullptr;
    QTableView *grdLosen = nullptr;
    QStandardItemModel *modell = nullptr;
    QPushButton *btnLosenAut = nullptr;
    QPushButton *btnLosenMan = nullptr;
    QPushButton *btnInitialisieren = nullptr;
    QPushButton *btnBeenden = nullptr;
    LosAuswahl auswahl; // the selection the list shows
    QVector<LosVerein> vereine; // the rows of the list

    void knoepfe(bool an);
    void verstecken();
    bool pruefen(bool still);
    void liste_lesen(int positionLos = -1);
    void ak_waehlen();
    void gewk_waehlen();
    void losen_auto();
    void losen_manuell();
    void ein_verein();
    bool set_los_manuell(const LosVerein &v);
    void initialisieren();
    bool eventFilter(QObject *obj, QEvent *e) override;
};

TfrmLosen::TfrmLosen(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmLosen"));
    setWindowTitle(QStringLiteral("OBITRACK - Losen"));
    setModal(true);

    const Klassenfelder klasse = klassenfelder_anlegen(this, d);
    d->edtAKID = klasse.altersklasse;
    d->edtGEWK = klasse.gewichtsklasse;
    auto *lblAK = klasse.lblAltersklasse;
    auto *lblGew = klasse.lblGewichtsklasse;
    // Enter belongs to the fields (check) and the grid (one club), not to a button.
    d->btnAnzeigen = knopf(this, "btnAnzeigen", QStringLiteral("A&nzeigen"), false);

    d->grdLosen = datengrid_anlegen(this, "grdLosen",
                                    {QStringLiteral("Los (Sort.)"), QStringLiteral("Los (Verein)"),
                                     QStringLiteral("Verein"), QStringLiteral("Verband"), QStringLiteral("Teilnehmer")},
                                    d->modell);
    d->grdLosen->installEventFilter(d);

    d->btnLosenAut = knopf(this, "btnLosenAut", QStringLiteral("Losen (aut.)"), false);
    d->btnLosenMan = knopf(this, "btnLosenMan", QStringLiteral("Losen (man.)"), false);
    d->btnInitialisieren = knopf(this, "btnInitialisieren", QStringLiteral("Initialisieren"), false);
    d->btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"), false);

    auto *oben = new QHBoxLayout;
    oben->addWidget(lblAK);
    oben->addWidget(d->edtAKID, 1);
    oben->addWidget(lblGew);
    oben->addWidget(d->edtGEWK, 1);
    oben->addWidget(d->btnAnzeigen);
    auto *unten = knopfleiste({d->btnLosenAut, d->btnLosenMan, d->btnInitialisieren}, {d->btnBeenden});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(d->grdLosen, 1);
    haupt->addLayout(unten);
    resize(640, 480);

    tabfolge({d->edtAKID, d->edtGEWK, d->btnAnzeigen, d->grdLosen, d->btnLosenAut, d->btnLosenMan, d->btnInitialisieren,
              d->btnBeenden});

    connect(d->edtAKID, &QLineEdit::textEdited, this, [this] { d->verstecken(); });
    connect(d->edtGEWK, &QLineEdit::textEdited, this, [this] { d->verstecken(); });
    connect(d->edtAKID, &QLineEdit::returnPressed, this, [this] { d->pruefen(false); });
    connect(d->edtGEWK, &QLineEdit::returnPressed, this, [this] { d->pruefen(false); });
    connect(d->btnAnzeigen, &QPushButton::clicked, this, [this] { d->pruefen(false); });
    connect(d->grdLosen, &QTableView::doubleClicked, this, [this] { d->ein_verein(); });
    connect(d->btnLosenAut, &QPushButton::clicked, this, [this] { d->losen_auto(); });
    connect(d->btnLosenMan, &QPushButton::clicked, this, [this] { d->losen_manuell(); });
    connect(d->btnInitialisieren, &QPushButton::clicked, this, [this] { d->initialisieren(); });
    connect(d->btnBeenden, &QPushButton::clicked, this, &QDialog::accept);

    d->edtAKID->setFocus();
    d->pruefen(true);
}

TfrmLosen::~TfrmLosen()
{
    d->edtAKID->removeEventFilter(d);
    d->edtGEWK->removeEventFilter(d);
    d->grdLosen->removeEventFilter(d);
    delete d;
}

void TfrmLosen::Impl::knoepfe(bool an)
{
    for (QPushButton *b : {btnLosenAut, btnLosenMan, btnInitialisieren})
        b->setEnabled(an);
}

// A changed field no longer matches the list; the buttons wait for the next
// check so they never act on an unchecked class name.
void TfrmLosen::Impl::verstecken()
{
    grdLosen->hide();
    knoepfe(false);
}

bool TfrmLosen::Impl::pruefen(bool still)
{
    knoepfe(false);
    LosAuswahl a {aktueller_wettkampf_nr(), edtAKID->text(), edtGEWK->text()};
    Klassenwahl hilfe(q);
    const int meldung = los_auswahl_pruefen(a, still ? nullptr : &hilfe);
    edtAKID->setText(a.akid);
    if (!a.akid.isEmpty())
        edtGEWK->setText(a.gewk);
    if (meldung != 0) {
        grdLosen->hide();
        if (!still) {
            zeige_meldung(meldung);
            QLineEdit *feld = meldung == 31002 ? edtAKID : edtGEWK;
            feld->setFocus();
            feld->selectAll();
        }
        return false;
    }
    auswahl = a;
    liste_lesen();
    return true;
}

void TfrmLosen::Impl::liste_lesen(int positionLos)
{
    knoepfe(false);
    modell->removeRows(0, modell->rowCount());
    const auto liste = losen_vereine(auswahl);
    if (!liste)
        zeige_meldung(19902);
    vereine = liste.value_or(QVector<LosVerein> {});
    int position = 0;
    for (int i = 0; i < vereine.size(); ++i) {
        const LosVerein &v = vereine.at(i);
        auto *sort = new QStandardItem(v.calcSort());
        sort->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *los = new QStandardItem(QString::number(v.stlos));
        los->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *anzahl = new QStandardItem(QString::number(v.anzahl));
        anzahl->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modell->appendRow({sort, los, new QStandardItem(v.vename), new QStandardItem(v.veverb), anzahl});
        if (v.stlos == positionLos)
            position = i;
    }
    if (vereine.isEmpty()) {
        grdLosen->hide();
        return;
    }
    grdLosen->show();
    grdLosen->setCurrentIndex(modell->index(position, 0));
    grdLosen->selectRow(position);
    grdLosen->scrollTo(modell->index(position, 0));
    knoepfe(true);
}

void TfrmLosen::Impl::ak_waehlen()
{
    zustand().auswahl_wert = trim_rechts(edtAKID->text());
    TfrmMatchcodeAK dlg(q);
    dlg.exec();
    const QString akid = trim_rechts(zustand().auswahl_wert);
    if (akid.isEmpty())
        return;
    edtAKID->setText(akid);
    verstecken();
}

void TfrmLosen::Impl::gewk_waehlen()
{
    // The picker lists the classes of one age class: the typed one must resolve.
    LosAuswahl a {aktueller_wettkampf_nr(), edtAKID->text(), QString()};
    Klassenwahl hilfe(q);
    const int meldung = los_auswahl_pruefen(a, &hilfe);
    edtAKID->setText(a.akid);
    if (meldung != 0 || a.akid.isEmpty()) {
        verstecken();
        zeige_meldung(31002);
        edtAKID->setFocus();
        return;
    }
    zustand().auswahl_wert2 = a.akid;
    zustand().auswahl_wert = trim_rechts(edtGEWK->text());
    TfrmMatchcodeGew dlg(q);
    dlg.exec();
    const QString gewk = trim_rechts(zustand().auswahl_wert);
    if (gewk.isEmpty())
        return;
    edtGEWK->setText(gewk);
    pruefen(false);
}

void TfrmLosen::Impl::losen_auto()
{
    bool ok = false;
    {
        Beschaeftigt b;
        ok = losen_ziehen(auswahl);
    }
    zeige_meldung(ok ? 309 : 2003);
    liste_lesen();
}

void TfrmLosen::Impl::losen_manuell()
{
    const QVector<LosVerein> liste = vereine;
    grdLosen->hide();
    knoepfe(false);
    for (const LosVerein &v : liste)
        if (!set_los_manuell(v))
            break;
    liste_lesen();
}

void TfrmLosen::Impl::ein_verein()
{
    const QModelIndex i = grdLosen->currentIndex();
    if (!i.isValid() || i.row() >= vereine.size() || !btnLosenMan->isEnabled())
        return;
    const LosVerein v = vereine.at(i.row());
    set_los_manuell(v);
    liste_lesen(v.stlos);
}

bool TfrmLosen::Impl::set_los_manuell(const LosVerein &v)
{
    TfrmLosenDetail dlg(q);
    dlg.setze_verein(v);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (!los_setzen(auswahl, v.stlos, dlg.nummer())) {
        zeige_meldung(19902);
        return false;
    }
    return true;
}

void TfrmLosen::Impl::initialisieren()
{
    if (!losen_initialisieren(auswahl))
        zeige_meldung(19902);
    liste_lesen();
}

bool TfrmLosen::Impl::eventFilter(QObject *obj, QEvent *e)
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
    } else if (obj == grdLosen && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            ein_verein();
            return true;
        }
    }
    return QObject::eventFilter(obj, e);
}

} // namespace obi
