#pragma once

#include <QStringList>

class QStandardItemModel;
class QTableView;
class QWidget;

namespace obi {

// The program's data grid: whole rows, one at a time, read-only, no row
// header, last column stretched; Tab leaves the grid instead of walking cells.
void datengrid_einrichten(QTableView *grid);

// Such a grid, named for tests, showing a new item model (returned in
// modell) with these column headers.
QTableView *datengrid_anlegen(QWidget *eltern, const char *name, const QStringList &spalten,
                              QStandardItemModel *&modell);

} // namespace obi
