// Verbs for the database: set up a new one, check its version, upgrade it.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/schema.h"
#include "core/upgrade.h"
#include "core/verbindung.h"

#include <QSqlDatabase>

namespace obi {

namespace {

// These verbs take no words at all, not even "--name=value".
bool ohne_argumente(CliKontext &ctx, const QStringList &args, const QString &verb)
{
    if (args.isEmpty())
        return true;
    cli_aufruf_zeigen(ctx, verb);
    return false;
}

int db_init(CliKontext &ctx, const QStringList &args)
{
    if (!ohne_argumente(ctx, args, QStringLiteral("db init")))
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    QString fehler;
    if (!dm.verbinden(DbEinstellungen::ausIni(), &fehler)) {
        if (fehler.trimmed().isEmpty())
            zeige_meldung(19909);
        else
            zeige_text(fehler, QStringLiteral("F"));
        return 1;
    }
    // Only an empty database is set up: existing data is never touched.
    const QStringList vorhanden = dm.db().tables(QSql::Tables) + dm.db().tables(QSql::Views);
    if (!vorhanden.isEmpty()) {
        ctx.err << "Die Datenbank enthält bereits " << vorhanden.size()
                << " Tabellen oder Sichten; db init legt das Schema nur in einer leeren Datenbank an." << Qt::endl;
        return 1;
    }
    if (!schema_anlegen(dm, &fehler)) {
        ctx.err << "Schema konnte nicht angelegt werden: " << fehler << Qt::endl;
        return 1;
    }
    const auto v = db_version_lesen(dm);
    ctx.out << "Datenbank angelegt, DB-Version " << (v ? v->text : QString()) << Qt::endl;
    return 0;
}

int db_check(CliKontext &ctx, const QStringList &args)
{
    if (!ohne_argumente(ctx, args, QStringLiteral("db check")))
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm)) // creates and changes nothing
        return 1;
    const auto v = db_version_lesen(dm);
    ctx.out << (v ? v->text : QString()) << Qt::endl;
    return 0;
}

int db_upgrade_verb(CliKontext &ctx, const QStringList &args)
{
    if (!ohne_argumente(ctx, args, QStringLiteral("db upgrade")))
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    DbPruefung pruefung;
    pruefung.neue_datei_anlegen = false;
    bool gelaufen = false;
    pruefung.upgrade = [&](Tdm &d, int aktuell, int ziel) {
        gelaufen = true;
        const UpgradeErgebnis e = db_upgrade(d, aktuell, ziel);
        for (const QString &zeile : e.protokoll)
            ctx.out << zeile << '\n';
        ctx.out.flush();
        return e.version;
    };
    if (!check_db(dm, pruefung))
        return 1;
    if (!gelaufen) {
        const auto v = db_version_lesen(dm);
        ctx.out << (v ? v->text : QString()) << Qt::endl;
    }
    return 0;
}

} // namespace

void cli_verben_db(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("db init"), QString(),
                 QStringLiteral("Schema in einer leeren Datenbank anlegen (DB-Version 5.3.0.1)"), db_init});
    v.push_back({QStringLiteral("db check"), QString(),
                 QStringLiteral("Verbindung und DB-Version prüfen, Versionstext ausgeben"), db_check});
    v.push_back({QStringLiteral("db upgrade"), QString(),
                 QStringLiteral("Ältere Datenbank auf DB-Version 5.3.0.1 bringen, Protokoll ausgeben"),
                 db_upgrade_verb});
}

} // namespace obi
