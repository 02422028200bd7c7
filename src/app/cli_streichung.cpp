// Verb for withdrawing a participant from the bout list of their weight class.
#include "cli_verben.h"

#include "cli_optionen.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "register/streichung.h"

namespace obi {

namespace {

const char *const aufruf_withdraw = "withdraw --tournament NUMMER --start-number STARTNUMMER --code STATUS";

int streichen(CliKontext &ctx, const QStringList &args)
{
    const QSet<QString> alle {QStringLiteral("tournament"), QStringLiteral("start-number"), QStringLiteral("code")};
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, aufruf_withdraw, {.optionen = alle, .pflicht = alle}, o))
        return 2;
    // Wrong numbers get the usage line only, as a missing option does.
    const auto wk = cli_positive_zahl(o.wert(QStringLiteral("tournament")));
    const auto stnr = cli_positive_zahl(o.wert(QStringLiteral("start-number")));
    if (!wk || !stnr)
        return cli_aufruf_zeigen(ctx, aufruf_withdraw);

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    // Reads the participant again, checks code and open bouts, stores the code
    // and decides the bouts, all in one transaction.
    const StreichungErgebnis e = streichung_speichern(*wk, *stnr, o.wert(QStringLiteral("code")));
    if (e.meldung != 0) {
        zeige_meldung(e.meldung);
        return 1;
    }
    const StreichungStarter &s = e.starter;
    ctx.out << s.stnr << ';' << s.name << ';' << s.vnam << ';' << s.akid << ';' << s.gewk << ';' << e.code << ';'
            << e.bezeichnung << ';' << e.entschieden << '\n';
    ctx.out.flush();
    return 0;
}

} // namespace

void cli_verben_streichung(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("withdraw"),
                 QStringLiteral("--tournament NUMMER --start-number STARTNUMMER --code STATUS"),
                 QStringLiteral("Judoka aus der Wettkampfliste streichen (Status aus Tabelle Streichungen, 0 = "
                                "aktiv): Startnummer;Name;Vorname;Altersklasse;Gewichtsklasse;Status;Bezeichnung;"
                                "entschiedene Kämpfe"),
                 streichen});
}

} // namespace obi
