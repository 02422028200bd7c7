#include "frmeingabestnr.h"

#include "core/datenbank.h"
#include "core/gui/bausteine.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/teilnehmer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

TfrmEingabe_STNR::TfrmEingabe_STNR(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEingabe_STNR"));
    setWindowTitle(QStringLiteral("OBITRACK"));
    auto *label = new QLabel(QStringLiteral("Eingabe Start-Nr."), this);
    m_edtSTNR = eingabefeld(this, "edtSTNR");
    label->setBuddy(m_edtSTNR);
    m_btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    // Enter in the field (a scanner ends with it) acts as OK.
    m_btnOK->setDefault(true);
    m_btnOK->setAutoDefault(true);
    m_btnAbbrechen->setAutoDefault(false);

    auto *knoepfe = knopfleiste({}, {m_btnOK, m_btnAbbrechen});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edtSTNR);
    layout->addLayout(knoepfe);
    setTabOrder(m_edtSTNR, m_btnOK);
    setTabOrder(m_btnOK, m_btnAbbrechen);

    connect(m_btnOK, &QPushButton::clicked, this, &TfrmEingabe_STNR::ok);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &TfrmEingabe_STNR::reject);
}

void TfrmEingabe_STNR::showEvent(QShowEvent *e)
{
    m_edtSTNR->clear();
    zustand().rueckgabe_zahl = 0;
    QDialog::showEvent(e);
    m_edtSTNR->setFocus();
}

void TfrmEingabe_STNR::ok()
{
    int stnr = 0;
    const int meldung = stnr_eingabe_pruefen(dm(), aktueller_wettkampf_nr(), m_edtSTNR->text(), stnr);
    if (meldung != 0) {
        zeige_meldung(meldung);
        m_edtSTNR->setFocus();
        m_edtSTNR->selectAll();
        return;
    }
    zustand().rueckgabe_zahl = stnr;
    accept();
}

void TfrmEingabe_STNR::reject()
{
    zustand().rueckgabe_zahl = 0;
    QDialog::reject();
}

} // namespace obi
