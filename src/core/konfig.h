// Location and reading of the configuration file "obitrack.ini".
// The file is read anew at every call so edits take effect at the next read.
#pragma once

#include <QString>

namespace obi {

// Where obitrack.ini is looked for: the file given by setze_ini_pfad
// (--config), else $OBITRACK_INI, else "obitrack.ini" beside the executable.
QString ini_pfad();
void setze_ini_pfad(const QString &pfad); // empty resets to the default
QString ini_ordner();                     // folder of ini_pfad()

// Reads one value; missing file, section or key give the empty text.
// Sections and keys compare case-insensitively, as Windows INI files do.
// The file may be UTF-8 or Windows-1252.
QString ini_wert(const QString &pfad, const QString &sektion, const QString &schluessel);

} // namespace obi
