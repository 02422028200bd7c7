// Verb for withdrawing a participant from the bout list of their weight class.
#include "cli_verben.h"

#include "cli_optionen.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "register/streichung.h"

#include <climits>

namespace obi
{

namespace
{

const char *const aufruf_withdraw = "withdraw --tournament NUMMER --start-number STARTNUMMER --code STATUS";

// A positive int, else 0.
int positiv(const QString &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n > 0 && n <= INT_MAX ? int(n) : 0;
}

int streichen(CliKontext &ctx, const QStringList &args)
{
    const CliOptionen o = CliOptionen::lesen(args, {});
    const QSet<QString> erlaubt{ QStringLiteral("tournament"), QStringLiteral("start-number"), QStringLiteral("code") };
    bool ok = o.fehler.isEmpty() && o.positionale.isEmpty() && o.schalter.isEmpty();
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = erlaubt.contains(it.key());
    const int wk = positiv(o.wert(QStringLiteral("tournament")));
    const int stnr = positiv(o.wert(QStringLiteral("start-number")));
    if (!ok || wk == 0 || stnr == 0 || !o.werte.contains(QStringLiteral("code"))) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        ctx.err << "Aufruf: obitrack-cli " << aufruf_withdraw << Qt::endl;
        return 2;
    }

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    // Reads the participant again, checks code and open bouts, stores the code
    // and decides the bouts, all in one transaction.
    const StreichungErgebnis e = streichung_speichern(wk, stnr, o.wert(QStringLiteral("code")));
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
    v.push_back({ QStringLiteral("withdraw"),
                  QStringLiteral("--tournament NUMMER --start-number STARTNUMMER --code STATUS"),
                  QStringLiteral("Judoka aus der Wettkampfliste streichen (Status aus Tabelle Streichungen, 0 = "
                                 "aktiv): Startnummer;Name;Vorname;Altersklasse;Gewichtsklasse;Status;Bezeichnung;"
                                 "entschiedene Kämpfe"),
                  streichen });
}

} // namespace obi
