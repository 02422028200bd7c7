// Verbs for age classes, weight classes and the demo tournament.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "setup/altersklassen.h"
#include "setup/demo.h"

#include <optional>

namespace obi {

namespace {

int altersklassen_liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(ctx, args, QStringLiteral("age-class list --tournament NUMMER"), {}, o);
    if (!wk)
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto klassen = altersklassen_lesen(*wk);
    const auto gewichtsklassen = gewichtsklassen_lesen(*wk);
    if (!klassen || !gewichtsklassen) {
        zeige_meldung(19902);
        return 1;
    }
    for (const Altersklasse &a : *klassen) {
        int anzahl = 0;
        for (const GewichtsklasseZeile &g : *gewichtsklassen)
            anzahl += g.akid == a.akid ? 1 : 0;
        ctx.out << a.akid << ';' << a.gewt << ';' << a.jgmi << '-' << a.jgma << ';' << a.mw << ';' << anzahl << '\n';
    }
    ctx.out.flush();
    return 0;
}

int gewichtsklassen_liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(
        ctx, args, QStringLiteral("weight-class list --tournament NUMMER [--age-class ALTERSKLASSE]"),
        {QStringLiteral("age-class")}, o);
    if (!wk)
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto liste = gewichtsklassen_lesen(*wk, o.wert(QStringLiteral("age-class")));
    if (!liste) {
        zeige_meldung(19902);
        return 1;
    }
    for (const GewichtsklasseZeile &g : *liste)
        ctx.out << g.akid << ';' << g.gewk << ';' << g.sort << ';' << g.gewicht << ';' << g.teilnehmer << '\n';
    ctx.out.flush();
    return 0;
}

int demo(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, QStringLiteral("demo [--participants ANZAHL] [--seed ZAHL]"),
                            {.optionen = {QStringLiteral("participants"), QStringLiteral("seed")}}, o))
        return 2;
    DemoVorgaben v;
    if (o.werte.contains(QStringLiteral("participants"))) {
        // Beyond this the demo is no demo any more.
        const auto n = cli_positive_zahl(ctx, o.wert(QStringLiteral("participants")), "Teilnehmerzahl", 100000);
        if (!n)
            return 2;
        v.teilnehmer = *n;
    }
    if (o.werte.contains(QStringLiteral("seed"))) {
        const auto seed = cli_startwert(ctx, o.wert(QStringLiteral("seed")));
        if (!seed)
            return 2;
        v.seed = *seed;
    }
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    QString fehler;
    const std::optional<int> wk = demo_anlegen(v, &fehler);
    if (!wk) {
        if (!fehler.isEmpty())
            ctx.err << fehler << Qt::endl;
        return 1;
    }
    ctx.out << *wk << Qt::endl;
    return 0;
}

} // namespace

void cli_verben_klassen(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("age-class list"), QStringLiteral("--tournament NUMMER"),
                 QStringLiteral("Altersklassen eines Wettkampfs ausgeben: Name;Gewichtstabelle;Jahrgänge von-bis;"
                                "M/W;Anzahl Gewichtsklassen"),
                 altersklassen_liste});
    v.push_back({QStringLiteral("weight-class list"), QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE]"),
                 QStringLiteral("Gewichtsklassen ausgeben: Altersklasse;Gewichtsklasse;Sortierung;Gewicht;"
                                "Teilnehmer"),
                 gewichtsklassen_liste});
    v.push_back({QStringLiteral("demo"), QStringLiteral("[--participants ANZAHL] [--seed ZAHL]"),
                 QStringLiteral("Demo-Turnier mit Altersklassen, Vereinen und Teilnehmern anlegen (Standard 300 "
                                "Teilnehmer, Startwert 1), Nummer ausgeben"),
                 demo});
}

} // namespace obi
