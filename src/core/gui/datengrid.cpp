#include "datengrid.h"

#include <QHeaderView>
#include <QTableView>

namespace obi {

void datengrid_einrichten(QTableView *grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
}

} // namespace obi
