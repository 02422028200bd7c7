#include "frmeinteilungneu.h"

#include "core/gui/bausteine.h"
#include "core/zustand.h"
#include "setup/einteilung.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace obi {

struct TfrmEinteilungNeu::Impl {
    QLineEdit *edtAKID = nullptr;
    QLineEdit *edtGEWK = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QString vorschlag;
    QString von;
    QVector<int> mitnehmen;
};

TfrmEinteilungNeu::TfrmEinteilungNeu(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    setObjectName(QStringLiteral("frmEinteilungNeu"));
    setWindowTitle(QStringLiteral("OBITRACK - Neue Gewichtsklasse"));
    setModal(true);

    d->edtAKID = eingabefeld(this, "edtAKID");
    d->edtAKID->setReadOnly(true);
    d->edtAKID->setFocusPolicy(Qt::NoFocus);
    d->edtGEWK = eingabefeld(this, "edtGEWK");
    d->edtGEWK->setMaxLength(10); // width of the weight-class column
    d->btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    d->btnOK->setDefault(true);
    d->btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Altersklasse"), d->edtAKID);
    form->addRow(QStringLiteral("&Gewichtsklasse"), d->edtGEWK);
    auto *knoepfe = knopfleiste({}, {d->btnOK, d->btnAbbrechen});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(form);
    haupt->addLayout(knoepfe);

    setTabOrder(d->edtGEWK, d->btnOK);
    setTabOrder(d->btnOK, d->btnAbbrechen);

    connect(d->btnOK, &QPushButton::clicked, this, [this] {
        const auto name
            = gewk_anlegen(aktueller_wettkampf_nr(), d->edtAKID->text(), d->edtGEWK->text(), d->von, d->mitnehmen);
        if (!name) {
            d->edtGEWK->setFocus();
            return;
        }
        zustand().auswahl_wert = *name;
        accept();
    });
    connect(d->btnAbbrechen, &QPushButton::clicked, this, [this] {
        zustand().auswahl_wert.clear();
        reject();
    });
}

TfrmEinteilungNeu::~TfrmEinteilungNeu()
{
    delete d;
}

void TfrmEinteilungNeu::setze_altersklasse(const QString &akid)
{
    d->edtAKID->setText(akid);
}

void TfrmEinteilungNeu::setze_vorschlag(const QString &vorschlag)
{
    d->vorschlag = vorschlag;
}

void TfrmEinteilungNeu::setze_mitnehmen(const QString &von, const QVector<int> &stnrs)
{
    d->von = von;
    d->mitnehmen = stnrs;
}

void TfrmEinteilungNeu::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return; // shown again after being minimised: keep what was typed
    zustand().auswahl_wert.clear();
    d->edtGEWK->setText(vorschlag_gewk(aktueller_wettkampf_nr(), d->edtAKID->text(), d->vorschlag));
    d->edtGEWK->selectAll();
    d->edtGEWK->setFocus();
}

} // namespace obi
