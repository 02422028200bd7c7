#include "verbindung.h"

#include "datenbank.h"
#include "meldungen.h"
#include "schema.h"
#include "upgrade.h"
#include "version.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace obi {

namespace {

void verbindungsfehler_zeigen(const QString &fehler)
{
    if (fehler.trimmed().isEmpty())
        zeige_meldung(19909);
    else
        zeige_text(fehler, QStringLiteral("F"));
}

// A file SQLite has not written yet counts as missing: opening would give an
// empty database without any table.
bool sqlite_datei_neu(const QString &pfad)
{
    if (pfad == u":memory:")
        return true;
    const QFileInfo info(pfad);
    return !info.exists() || (info.isFile() && info.size() == 0);
}

void sqlite_datei_entfernen(const QString &pfad)
{
    if (pfad == u":memory:")
        return;
    for (const char *endung : {"", "-wal", "-shm", "-journal"})
        QFile::remove(pfad + QLatin1String(endung));
}

} // namespace

std::optional<DbVersion> db_version_lesen(Tdm &dm)
{
    auto q = dm.abfrage(QStringLiteral("select TPWERT, TPKEY from tabpos where TPTAB = 'DB-VER'"));
    if (!q)
        return std::nullopt;
    std::optional<DbVersion> v;
    int zeilen = 0;
    while (q->next()) {
        if (++zeilen > 1)
            return std::nullopt;
        v = DbVersion{int(std::lround(q->value(0).toDouble())), q->value(1).toString()};
    }
    return v;
}

bool check_db(Tdm &dm, const DbPruefung &pruefung)
{
    return check_db(dm, DbEinstellungen::ausIni(), pruefung);
}

bool check_db(Tdm &dm, const DbEinstellungen &e, const DbPruefung &pruefung)
{
    const QString pfad = e.istPostgres() ? QString() : e.sqlitePfad();
    const bool neu = !e.istPostgres() && sqlite_datei_neu(pfad);
    if (neu && !pruefung.neue_datei_anlegen) {
        zeige_text(QStringLiteral("Datenbankdatei nicht vorhanden: ") + pfad, QStringLiteral("F"));
        return false;
    }

    QString fehler;
    if (!dm.verbinden(e, &fehler)) {
        verbindungsfehler_zeigen(fehler);
        return false;
    }
    // The first start of a new installation just works. A PostgreSQL database
    // is shared, so it is only ever set up on purpose (obitrack-cli db init).
    if (neu && !schema_anlegen(dm, &fehler)) {
        dm.trennen();
        sqlite_datei_entfernen(pfad); // the next start tries again
        verbindungsfehler_zeigen(fehler);
        return false;
    }

    const std::optional<DbVersion> v = db_version_lesen(dm);
    if (!v) {
        zeige_meldung(99980);
        return false;
    }
    int nummer = v->nummer;
    if (nummer == datenbank_version)
        return true;
    zeige_text(QStringLiteral("DB-Version: ") + v->text, QStringLiteral("H"));
    if (nummer < datenbank_version)
        nummer = pruefung.upgrade ? pruefung.upgrade(dm, nummer, datenbank_version)
                                  : db_upgrade(dm, nummer, datenbank_version).version;
    if (nummer == datenbank_version)
        return true;
    zeige_meldung(nummer > 5300 ? 99982 : 99981);
    return false;
}

bool db_neu_verbinden(Tdm &dm)
{
    QString fehler;
    if (dm.neu_verbinden(&fehler))
        return true;
    verbindungsfehler_zeigen(fehler);
    return false;
}

} // namespace obi
