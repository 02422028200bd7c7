// Verbs for tournaments: list, create, delete.
#include "cli_verben.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "register/wettkampf.h"

namespace obi {

namespace {

int liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, QStringLiteral("tournament list"), {}, o))
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
    if (!cli_optionen_lesen(ctx, args,
                            QStringLiteral("tournament create --name NAME [--date TT.MM.JJJJ] [--place ORT]"),
                            {.optionen = {QStringLiteral("name"), QStringLiteral("date"), QStringLiteral("place")},
                             .pflicht = {QStringLiteral("name")}},
                            o))
        return 2;
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
    if (!cli_optionen_lesen(ctx, args, QStringLiteral("tournament delete NUMMER --yes"), {.positionale = 1}, o))
        return 2;
    const auto gelesen = cli_wettkampfnummer(ctx, o.positionale.first());
    if (!gelesen)
        return 2;
    const int nummer = *gelesen;
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
    v.push_back({QStringLiteral("tournament list"), QString(),
                 QStringLiteral("Wettkämpfe auflisten: Nummer;Datum;Bezeichnung;Ort"), liste});
    v.push_back({QStringLiteral("tournament create"), QStringLiteral("--name NAME [--date TT.MM.JJJJ] [--place ORT]"),
                 QStringLiteral("Wettkampf anlegen, neue Nummer ausgeben"), anlegen});
    v.push_back({QStringLiteral("tournament delete"), QStringLiteral("NUMMER --yes"),
                 QStringLiteral("Wettkampf mit allen seinen Daten löschen"), loeschen});
}

} // namespace obi
