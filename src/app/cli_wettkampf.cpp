// Verbs for tournaments: list, create, delete.
#include "cli_verben.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "register/wettkampf.h"

namespace obi
{

namespace
{

bool optionen_lesen(CliKontext &ctx, const QStringList &args, const char *aufruf, CliOptionen &o,
                    const QSet<QString> &erlaubt, int positionale)
{
    o = CliOptionen::lesen(args, {});
    bool ok = o.fehler.isEmpty() && o.positionale.size() == positionale;
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = erlaubt.contains(it.key());
    if (!ok) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
    }
    return ok;
}

int liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    if (!optionen_lesen(ctx, args, "tournament list", o, {}, 0))
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    if (!dm.abfrage(wettkampf_liste_sql())) {
        zeige_meldung(19902);
        return 1;
    }
    for (const WettkampfZeile &z : wettkampf_liste())
        ctx.out << z.nummer << ';' << zahl_zu_datum(z.datum) << ';' << z.bezeichnung << ';' << z.ort << '\n';
    ctx.out.flush();
    return 0;
}

int anlegen(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const char *aufruf = "tournament create --name NAME [--date TT.MM.JJJJ] [--place ORT]";
    if (!optionen_lesen(ctx, args, aufruf, o,
                        { QStringLiteral("name"), QStringLiteral("date"), QStringLiteral("place") }, 0))
        return 2;
    if (!o.werte.contains(QStringLiteral("name"))) {
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
        return 2;
    }
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    WettkampfDaten d = wettkampf_vorgabe();
    d.bezeichnung = o.wert(QStringLiteral("name"));
    if (o.werte.contains(QStringLiteral("date")))
        d.datum = o.wert(QStringLiteral("date"));
    d.ort = o.wert(QStringLiteral("place"));
    const auto nummer = wettkampf_speichern(d); // shows what was refused
    if (!nummer)
        return 1;
    ctx.out << *nummer << Qt::endl;
    return 0;
}

int loeschen(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const char *aufruf = "tournament delete NUMMER --yes";
    if (!optionen_lesen(ctx, args, aufruf, o, {}, 1))
        return 2;
    bool ok = false;
    const int nummer = o.positionale.first().toInt(&ok);
    if (!ok || nummer <= 0) {
        ctx.err << "Keine gültige Wettkampfnummer: " << o.positionale.first() << Qt::endl;
        return 2;
    }
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto wk = wettkampf_lesen(nummer);
    if (!wk) {
        ctx.err << "Wettkampf " << nummer << " nicht gefunden" << Qt::endl;
        return 1;
    }
    if (!frage_ok(QStringLiteral("Möchten Sie diesen Wettkampf mit allen Daten löschen ?"))
        || !frage_ok(QStringLiteral("Daten gehen unwiderruflich verloren")))
        return 1;
    if (!wettkampf_loeschen(nummer))
        return 1;
    ctx.out << "Wettkampf " << nummer << " gelöscht" << Qt::endl;
    return 0;
}

} // namespace

void cli_verben_wettkampf(std::vector<CliVerb> &v)
{
    v.push_back({ QStringLiteral("tournament list"), QString(),
                  QStringLiteral("Wettkämpfe auflisten: Nummer;Datum;Bezeichnung;Ort"), liste });
    v.push_back({ QStringLiteral("tournament create"), QStringLiteral("--name NAME [--date TT.MM.JJJJ] [--place ORT]"),
                  QStringLiteral("Wettkampf anlegen, neue Nummer ausgeben"), anlegen });
    v.push_back({ QStringLiteral("tournament delete"), QStringLiteral("NUMMER --yes"),
                  QStringLiteral("Wettkampf mit allen seinen Daten löschen"), loeschen });
}

} // namespace obi
