#pragma once

#include <QString>

class QWidget;

namespace obi
{

// Opens the lookup picker for one table modally; the chosen TPKEY, or the
// empty text when the picker was cancelled or the table is empty.
QString get_matchcode(const QString &tabelle, QWidget *parent = nullptr);

} // namespace obi
