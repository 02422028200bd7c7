// Verbs for the participants of a tournament.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "register/teilnehmer.h"

namespace obi {

namespace {

int teilnehmer_liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(
        ctx, args, QStringLiteral("participant list --tournament NUMMER [--age-class A] [--name X]"),
        {QStringLiteral("age-class"), QStringLiteral("name")}, o);
    if (!wk)
        return 2;

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;

    // The same selection as the main window's search bar.
    Suchfelder s;
    s.altersklasse = o.wert(QStringLiteral("age-class"));
    s.name = o.wert(QStringLiteral("name"));
    suchfelder_normalisieren(s);
    const auto liste = teilnehmer_lesen(dm, teilnehmer_auswahl(dm, *wk, s));
    if (!liste) {
        zeige_meldung(19902);
        return 1;
    }
    for (const Teilnehmer &t : *liste)
        ctx.out << t.stnr << ';' << t.name << ';' << t.vnam << ';' << t.akid << ';' << t.gewk << ';' << t.los << ';'
                << t.vename << ';' << t.jg << ';' << t.pltz << '\n';
    ctx.out.flush();
    return 0;
}

} // namespace

void cli_verben_teilnehmer(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("participant list"), QStringLiteral("--tournament NUMMER [--age-class A] [--name X]"),
                 QStringLiteral("Teilnehmer eines Wettkampfs ausgeben: Startnummer;Name;Vorname;Altersklasse;"
                                "Gewichtsklasse;Los;Verein;Jahrgang;Platz"),
                 teilnehmer_liste});
}

} // namespace obi
