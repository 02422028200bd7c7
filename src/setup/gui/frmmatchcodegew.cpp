#include "frmmatchcodegew.h"

#include "core/gui/datengrid.h"

#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/klassenauswahl.h"

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

namespace obi {

struct TfrmMatchcodeGew::Impl : public QObject {
    TfrmMatchcodeGew *q = nullptr;
    QLineEdit *edtAusw = nullptr;
    QTableView *grdSFL = nullptr;
    QStandardItemModel *modell = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QString altersklasse;

    void lesen();
    void uebernehmen();
    bool eventFilter(QObject *obj, QEvent *e) override;
};

TfrmMatchcodeGew::TfrmMatchcodeGew(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmMatchcodeGew"));
    setWindowTitle(QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <>"));
    setModal(true);

    d->edtAusw = new QLineEdit(this);
    d->edtAusw->setObjectName(QStringLiteral("edtAusw"));
    auto *lbl = new QLabel(QStringLiteral("Auswahl"), this);
    lbl->setBuddy(d->edtAusw);

    d->grdSFL = new QTableView(this);
    d->grdSFL->setObjectName(QStringLiteral("grdSFL"));
    d->modell = new QStandardItemModel(0, 1, d->grdSFL);
    d->modell->setHorizontalHeaderLabels({QStringLiteral("Gewichtsklasse")});
    d->grdSFL->setModel(d->modell);
    datengrid_einrichten(d->grdSFL);

    d->btnOK = new QPushButton(QStringLiteral("&OK"), this);
    d->btnOK->setObjectName(QStringLiteral("btnOK"));
    d->btnAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    d->btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));

    auto *oben = new QHBoxLayout;
    oben->addWidget(lbl);
    oben->addWidget(d->edtAusw, 1);
    auto *unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(d->btnOK);
    unten->addWidget(d->btnAbbrechen);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(d->grdSFL, 1);
    haupt->addLayout(unten);
    resize(360, 420);

    setTabOrder(d->edtAusw, d->grdSFL);
    setTabOrder(d->grdSFL, d->btnOK);
    setTabOrder(d->btnOK, d->btnAbbrechen);

    d->edtAusw->installEventFilter(d);
    d->grdSFL->installEventFilter(d);
    installEventFilter(d);
    connect(d->grdSFL, &QAbstractItemView::doubleClicked, d, [this] { d->uebernehmen(); });
    connect(d->btnOK, &QPushButton::clicked, d, [this] { d->uebernehmen(); });
    connect(d->btnAbbrechen, &QPushButton::clicked, this, [this] {
        zustand().auswahl_wert.clear();
        reject();
    });
}

TfrmMatchcodeGew::~TfrmMatchcodeGew()
{
    removeEventFilter(d);
    delete d;
}

void TfrmMatchcodeGew::Impl::lesen()
{
    edtAusw->setText(auswahl_filter(edtAusw->text()));
    const auto zeilen = gewichtsklassen_auswahl(aktueller_wettkampf_nr(), altersklasse, edtAusw->text());
    if (!zeilen)
        zeige_meldung(19902);
    modell->removeRows(0, modell->rowCount());
    for (const QString &gewk : zeilen.value_or(QStringList{}))
        modell->appendRow(new QStandardItem(gewk));
    if (modell->rowCount() > 0)
        grdSFL->setCurrentIndex(modell->index(0, 0));
}

void TfrmMatchcodeGew::Impl::uebernehmen()
{
    const QModelIndex i = grdSFL->currentIndex();
    if (!i.isValid())
        return;
    zustand().auswahl_wert = modell->item(i.row(), 0)->text();
    q->accept();
}

bool TfrmMatchcodeGew::Impl::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == q) {
        if (e->type() == QEvent::Show) {
            altersklasse = zustand().auswahl_wert2;
            q->setWindowTitle(QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <") + altersklasse + u'>');
            // The preset is the first filter; the slot then holds the result.
            edtAusw->setText(zustand().auswahl_wert);
            zustand().auswahl_wert.clear();
            lesen();
            if (modell->rowCount() == 0)
                zeige_meldung(9901);
            grdSFL->setFocus();
        }
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            if (obj == edtAusw)
                lesen();
            else
                uebernehmen();
            return true;
        }
    }
    return false;
}

} // namespace obi
