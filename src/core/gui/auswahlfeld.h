#pragma once

class QLineEdit;

namespace obi {

// Marks a field whose value comes from a picker (F4 or a double-click):
// the program's yellow background and a tool tip saying so. One look for
// every window. Returns the field.
QLineEdit *auswahlfeld_einrichten(QLineEdit *feld);

} // namespace obi
