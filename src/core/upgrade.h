// Brings a database of an earlier release to the structure this program needs
// by a fixed chain of steps; each step adds columns or replaces lookup rows and
// then records its version in the 'DB-VER' row.
#pragma once

#include <QString>
#include <QStringList>

namespace obi {

class Tdm;

struct UpgradeErgebnis {
    int version = 0;       // the version reached
    QStringList protokoll; // the lines of the upgrade protocol
};

// "5.3.0.1" for 5301: the four decimal digits joined by points.
QString version_text(int nummer);

// Runs every step whose start version equals the version reached so far, in
// order, up to ziel. Each step runs in one transaction: a failed step leaves
// nothing behind, keeps the version and so ends the chain.
UpgradeErgebnis db_upgrade(Tdm &dm, int aktuell, int ziel);

} // namespace obi
