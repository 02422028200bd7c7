#include "frmdbconvert.h"

#include "core/datenbank.h"
#include "core/gui/bausteine.h"
#include "core/upgrade.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

TfrmDB_Convert::TfrmDB_Convert(int aktuelleVersion, int zielVersion, QWidget *parent)
    : QDialog(parent)
    , m_start(aktuelleVersion)
    , m_ziel(zielVersion)
    , m_version(aktuelleVersion)
{
    setObjectName(QStringLiteral("frmDB_Convert"));
    setWindowTitle(QStringLiteral("OBITRACK - Modifikation Datenbank"));

    m_edtAktuell = eingabefeld(this, "edtAktuell");
    m_edtAktuell->setReadOnly(true);
    m_edtZiel = eingabefeld(this, "edtZiel");
    m_edtZiel->setReadOnly(true);
    m_lstProtokoll = new QListWidget(this);
    m_lstProtokoll->setObjectName(QStringLiteral("lstProtokoll"));
    m_lstProtokoll->setMinimumSize(420, 260);
    m_btnOK = knopf(this, "btnOK", QStringLiteral("OK"));
    m_btnOK->setEnabled(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Aktuelle Version "), m_edtAktuell);
    form->addRow(QStringLiteral("Ziel-Version"), m_edtZiel);
    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(m_btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_lstProtokoll);
    layout->addLayout(knoepfe);

    setTabOrder(m_lstProtokoll, m_btnOK);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    versionenZeigen();
}

QStringList TfrmDB_Convert::protokoll() const
{
    QStringList zeilen;
    for (int i = 0; i < m_lstProtokoll->count(); ++i)
        zeilen << m_lstProtokoll->item(i)->text();
    return zeilen;
}

void TfrmDB_Convert::versionenZeigen()
{
    m_edtAktuell->setText(version_text(m_version));
    m_edtZiel->setText(version_text(m_ziel));
}

void TfrmDB_Convert::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // The chain runs once per window, however often it is shown.
    if (!m_gelaufen) {
        m_gelaufen = true;
        ausfuehren();
    }
}

void TfrmDB_Convert::ausfuehren()
{
    m_btnOK->setEnabled(false);
    m_version = m_start;
    versionenZeigen();
    m_lstProtokoll->clear();
    const UpgradeErgebnis ergebnis = db_upgrade(m_dm ? *m_dm : dm(), m_start, m_ziel);
    m_version = ergebnis.version;
    m_lstProtokoll->addItems(ergebnis.protokoll);
    versionenZeigen();
    if (m_version == m_ziel) {
        m_btnOK->setEnabled(true);
        m_btnOK->setFocus();
    }
}

} // namespace obi
