#include "frmlosendetail.h"

#include "competition/losen.h"
#include "core/gui/bausteine.h"
#include "core/meldungen.h"
#include "core/zustand.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

struct TfrmLosenDetail::Impl {
    TfrmLosenDetail *q = nullptr;
    QLineEdit *edtLOS = nullptr;
    QLineEdit *edtVERN = nullptr;
    QLineEdit *edtVERB = nullptr;
    QLineEdit *edtSORT = nullptr;
    QPushButton *btnSpeichern = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    int nummer = 0;

    void speichern();
};

TfrmLosenDetail::TfrmLosenDetail(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmLosenDetail"));
    setWindowTitle(QStringLiteral("OBITRACK - Eingabe Los-Nummer"));
    setModal(true);

    d->edtLOS = anzeigefeld(this, "edtLOS");
    d->edtVERN = anzeigefeld(this, "edtVERN");
    d->edtVERB = anzeigefeld(this, "edtVERB");
    d->edtSORT = eingabefeld(this, "edtSORT");
    d->btnSpeichern = knopf(this, "btnSpeichern", QStringLiteral("&Speichern"));
    d->btnSpeichern->setDefault(true); // Enter in the number field saves
    d->btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    d->btnAbbrechen->setAutoDefault(false);

    auto *verein = new QHBoxLayout;
    verein->addWidget(d->edtVERN, 2);
    verein->addWidget(d->edtVERB, 1);
    auto *lblSort = new QLabel(QStringLiteral("Los-Nr. (&Sorti.)"), this);
    lblSort->setBuddy(d->edtSORT);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Los-Nr. (Verein)"), d->edtLOS);
    form->addRow(QStringLiteral("Verein, Verband"), verein);
    form->addRow(lblSort, d->edtSORT);
    auto *knoepfe = knopfleiste({}, {d->btnSpeichern, d->btnAbbrechen});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(form);
    haupt->addStretch(1);
    haupt->addLayout(knoepfe);
    resize(420, 160);

    setTabOrder(d->edtSORT, d->btnSpeichern);
    setTabOrder(d->btnSpeichern, d->btnAbbrechen);
    d->edtSORT->setFocus();

    connect(d->btnSpeichern, &QPushButton::clicked, this, [this] { d->speichern(); });
    connect(d->btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmLosenDetail::~TfrmLosenDetail()
{
    delete d;
}

void TfrmLosenDetail::setze_verein(const LosVerein &v)
{
    d->edtLOS->setText(QString::number(v.stlos));
    d->edtVERN->setText(v.vename);
    d->edtVERB->setText(v.veverb);
    d->edtSORT->setText(v.calcSort());
    d->edtSORT->selectAll();
}

int TfrmLosenDetail::nummer() const
{
    return d->nummer;
}

void TfrmLosenDetail::Impl::speichern()
{
    int n = 0;
    const int meldung = los_eingabe_pruefen(edtSORT->text(), n);
    if (meldung != 0) {
        zeige_meldung(meldung);
        edtSORT->setFocus();
        edtSORT->selectAll();
        return;
    }
    nummer = n;
    zustand().rueckgabe_zahl = n;
    q->accept();
}

} // namespace obi
