#include "datengrid.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

namespace obi {

void datengrid_einrichten(QTableView *grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    // One line per record: long names are cut with "...", not wrapped into
    // rows of different heights.
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setStretchLastSection(true);
}

QTableView *datengrid_anlegen(QWidget *eltern, const char *name, const QStringList &spalten,
                              QStandardItemModel *&modell)
{
    auto *grid = new QTableView(eltern);
    grid->setObjectName(QLatin1String(name));
    modell = new QStandardItemModel(0, int(spalten.size()), grid);
    modell->setHorizontalHeaderLabels(spalten);
    grid->setModel(modell);
    datengrid_einrichten(grid);
    return grid;
}

} // namespace obi
