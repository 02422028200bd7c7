// Verbs for the clubs of a tournament.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "setup/vereine.h"

namespace obi {

namespace {

int vereine_liste(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(ctx, args, QStringLiteral("club list --tournament NUMMER"), {}, o);
    if (!wk)
        return 2;

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto vereine = vereine_lesen(*wk);
    if (!vereine) {
        zeige_meldung(19902);
        return 1;
    }
    for (const Verein &v : *vereine)
        ctx.out << v.los << ';' << v.name << ';' << v.verband << ';' << v.ort << ';' << v.gemeldet << ';' << v.anwesend
                << '\n';
    ctx.out.flush();
    return 0;
}

} // namespace

void cli_verben_vereine(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("club list"), QStringLiteral("--tournament NUMMER"),
                 QStringLiteral("Vereine eines Wettkampfs ausgeben: Los;Name;Verband;Ort;gemeldet;anwesend"),
                 vereine_liste});
}

} // namespace obi
