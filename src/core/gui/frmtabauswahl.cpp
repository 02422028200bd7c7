#include "frmtabauswahl.h"

#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "frmtabedit.h"

#include "core/tabellen.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace obi {

TfrmTabAuswahl::TfrmTabAuswahl(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTabAuswahl"));
    setWindowTitle(QStringLiteral("OBITRACK - Tabellenverwaltung"));

    m_grid
        = datengrid_anlegen(this, "grdTabKopf", {QStringLiteral("Tabelle"), QStringLiteral("Beschreibung")}, m_modell);
    m_grid->setColumnWidth(0, 160);
    m_grid->setMinimumSize(560, 320);
    m_grid->installEventFilter(this);

    m_btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    m_btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"));
    m_btnOK->setAutoDefault(false);
    m_btnBeenden->setAutoDefault(false);

    auto *knoepfe = knopfleiste({m_btnOK}, {m_btnBeenden});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(knoepfe);

    setTabOrder(m_grid, m_btnOK);
    setTabOrder(m_btnOK, m_btnBeenden);
    connect(m_grid, &QTableView::doubleClicked, this, &TfrmTabAuswahl::bearbeiten);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmTabAuswahl::bearbeiten);
    connect(m_btnBeenden, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTabAuswahl::showEvent(QShowEvent *e)
{
    laden();
    QDialog::showEvent(e);
    m_grid->setFocus();
}

void TfrmTabAuswahl::done(int r)
{
    m_modell->removeRows(0, m_modell->rowCount());
    QDialog::done(r);
}

void TfrmTabAuswahl::laden()
{
    const QString vorher = gewaehlteTabelle();
    m_modell->removeRows(0, m_modell->rowCount());
    int wahl = 0;
    for (const TabKopf &k : tabkopf_liste()) {
        if (k.tab == vorher)
            wahl = m_modell->rowCount();
        m_modell->appendRow({new QStandardItem(k.tab), new QStandardItem(k.bez)});
    }
    if (m_modell->rowCount() > 0)
        m_grid->selectRow(wahl);
}

QString TfrmTabAuswahl::gewaehlteTabelle() const
{
    const QModelIndex i = m_grid->currentIndex();
    if (!i.isValid() || i.row() >= m_modell->rowCount())
        return {};
    return m_modell->item(i.row(), 0)->text();
}

void TfrmTabAuswahl::bearbeiten()
{
    const QString tabelle = gewaehlteTabelle();
    if (tabelle.isEmpty())
        return;
    TfrmTabEdit editor(tabelle, this);
    editor.exec();
    m_grid->setFocus();
}

bool TfrmTabAuswahl::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_grid && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            bearbeiten();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
