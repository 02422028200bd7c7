#pragma once

class QTableView;

namespace obi {

// The program's data grid: whole rows, one at a time, read-only, no row
// header, last column stretched; Tab leaves the grid instead of walking cells.
void datengrid_einrichten(QTableView *grid);

} // namespace obi
