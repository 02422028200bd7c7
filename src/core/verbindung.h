// Opening the database at start-up and checking that its version fits the
// program, upgrading an older one; and the reconnect of the main window.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace obi {

class Tdm;
struct DbEinstellungen;

struct DbVersion {
    int nummer = 0; // TPWERT of the 'DB-VER' row, e.g. 5301
    QString text;   // TPKEY, e.g. "5.3.0.1"
};

// The single 'DB-VER' row; nullopt when there is none, more than one or the
// table cannot be read.
std::optional<DbVersion> db_version_lesen(Tdm &dm);

// Brings the database from aktuell towards ziel and returns the version reached.
using UpgradeLauf = std::function<int(Tdm &dm, int aktuell, int ziel)>;

struct DbPruefung {
    UpgradeLauf upgrade;            // empty: run the upgrade chain directly
    bool neue_datei_anlegen = true; // a missing SQLite file gets the complete schema
};

// Connects dm with the settings of obitrack.ini (or e) and checks the version,
// showing what went wrong. True when the program may go on.
bool check_db(Tdm &dm, const DbPruefung &pruefung = {});
bool check_db(Tdm &dm, const DbEinstellungen &e, const DbPruefung &pruefung = {});

// Drops and reopens the connection with the same settings; shows the
// driver's error text (19909 when there is none) on failure.
bool db_neu_verbinden(Tdm &dm);

} // namespace obi
