#include "frmtabmatchcode.h"

#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "core/basis.h"
#include "core/meldungen.h"
#include "core/tabellen.h"
#include "core/zustand.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace obi {

TfrmTabMatchcode::TfrmTabMatchcode(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTabMatchcode"));
    m_tabelle = zustand().auswahl_wert2;
    setWindowTitle(QStringLiteral("OBITRACK - Auswahl Tabelle <") + m_tabelle + u'>');

    m_edtSuche = eingabefeld(this, "edtSuche");
    m_edtSuche->installEventFilter(this);

    m_grid = datengrid_anlegen(this, "grdTabPos",
                               {QStringLiteral("Schlüssel"), QStringLiteral("Bezeichnung"), QStringLiteral("Zusatz 1"),
                                QStringLiteral("Zusatz 2"), QStringLiteral("Wert")},
                               m_modell);
    m_grid->setColumnWidth(1, 220);
    m_grid->setMinimumSize(600, 300);
    m_grid->installEventFilter(this);

    m_btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    m_btnOK->setAutoDefault(false);
    m_btnAbbrechen->setAutoDefault(false);

    auto *suche = new QFormLayout;
    suche->addRow(QStringLiteral("Tabellenschlüssel"), m_edtSuche);
    auto *knoepfe = knopfleiste({}, {m_btnOK, m_btnAbbrechen});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(suche);
    layout->addWidget(m_grid);
    layout->addLayout(knoepfe);

    tabfolge({m_edtSuche, m_grid, m_btnOK, m_btnAbbrechen});

    connect(m_grid, &QTableView::doubleClicked, this, &TfrmTabMatchcode::uebernehmen);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmTabMatchcode::uebernehmen);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTabMatchcode::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    zustand().auswahl_wert.clear();
    m_edtSuche->clear();
    laden();
    m_grid->setFocus();
    if (m_modell->rowCount() == 0)
        zeige_text(QStringLiteral("Keinen Eintrag in dieser Tabelle gefunden"), QStringLiteral("W"));
}

void TfrmTabMatchcode::done(int r)
{
    if (r != QDialog::Accepted)
        zustand().auswahl_wert.clear();
    m_modell->removeRows(0, m_modell->rowCount());
    QDialog::done(r);
}

void TfrmTabMatchcode::laden()
{
    m_letzteSuche = m_edtSuche->text();
    m_modell->removeRows(0, m_modell->rowCount());
    for (const TabEintrag &t : tabpos_liste(m_tabelle, m_letzteSuche))
        m_modell->appendRow({new QStandardItem(t.schluessel), new QStandardItem(t.bez), new QStandardItem(t.zus1),
                             new QStandardItem(t.zus2), new QStandardItem(t.wert)});
    if (m_modell->rowCount() > 0)
        m_grid->selectRow(0);
}

void TfrmTabMatchcode::uebernehmen()
{
    const QModelIndex i = m_grid->currentIndex();
    const int zeile = i.isValid() ? i.row() : 0;
    zustand().auswahl_wert = zeile < m_modell->rowCount() ? m_modell->item(zeile, 0)->text() : QString();
    accept();
}

bool TfrmTabMatchcode::eventFilter(QObject *obj, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        const bool enter = taste == Qt::Key_Return || taste == Qt::Key_Enter;
        if (obj == m_grid && enter) {
            uebernehmen();
            return true;
        }
        if (obj == m_edtSuche && enter) {
            laden();
            m_grid->setFocus();
            return true;
        }
    }
    // Leaving the search field selects again, unless it did not change.
    if (obj == m_edtSuche && e->type() == QEvent::FocusOut && m_edtSuche->text() != m_letzteSuche)
        laden();
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
