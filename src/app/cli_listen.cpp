// Verbs for list types and bout-list generation.
#include "cli_verben.h"

#include "cli_optionen.h"
#include "competition/listengenerierung.h"
#include "competition/wklisten.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <utility>

namespace obi {

namespace {

int listentypen(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("lists types");
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, aufruf, {}, o))
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    auto q = dm.abfrage(QStringLiteral("select LKLTYP, LKMAXT, LKLBEZ from listkopf order by LKMAXT, LKSORT, LKLTYP"));
    if (!q) {
        zeige_meldung(19902);
        return 1;
    }
    while (q->next())
        ctx.out << q->value(0).toString() << ';' << q->value(1).toInt() << ';' << q->value(2).toString() << '\n';
    ctx.out.flush();
    return 0;
}

int listen_erzeugen(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("lists generate --tournament NUMMER [--age-class ALTERSKLASSE] "
                                          "[--weight-class GEWICHTSKLASSE] [--type LISTENTYP] [--new] [--yes]");
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, aufruf,
                            {.optionen = {QStringLiteral("tournament"), QStringLiteral("age-class"),
                                          QStringLiteral("weight-class"), QStringLiteral("type")},
                             .schalter = {QStringLiteral("new"), QStringLiteral("yes")}},
                            o))
        return 2;
    // A wrong number gets the usage line only, as a missing one does.
    const auto gelesen = cli_positive_zahl(o.wert(QStringLiteral("tournament")));
    if (!gelesen)
        return cli_aufruf_zeigen(ctx, aufruf);
    const int wk = *gelesen;
    const QString akid = o.wert(QStringLiteral("age-class"));
    const QString gewk = o.wert(QStringLiteral("weight-class"));
    if (!gewk.isEmpty() && akid.isEmpty()) {
        ctx.err << "--weight-class braucht --age-class" << Qt::endl;
        return 2;
    }
    const bool neu = o.schalter.contains(QStringLiteral("new"));

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;

    QString sql = QStringLiteral("select GKAKID, GKGEWK from gew_klassen where GKWKNR = ?");
    QVariantList werte {wk};
    if (!akid.isEmpty()) {
        sql += QStringLiteral(" and GKAKID = ?");
        werte << akid;
    }
    if (!gewk.isEmpty()) {
        sql += QStringLiteral(" and GKGEWK = ?");
        werte << gewk;
    }
    sql += QStringLiteral(" order by GKAKID, GKSORT, GKGEWK");
    auto q = dm.abfrage(sql, werte);
    if (!q) {
        zeige_meldung(19902);
        return 1;
    }
    QList<std::pair<QString, QString>> klassen;
    while (q->next())
        klassen.append({q->value(0).toString(), q->value(1).toString()});
    if (klassen.isEmpty()) {
        zeige_meldung(gewk.isEmpty() ? 31002 : 31003);
        return 1;
    }

    int rc = 0;
    for (const auto &[a, g] : klassen) {
        const int n = calc_anzahl(wk, a, g);
        // Without a named weight class, empty classes simply have no list.
        if (n == 0 && gewk.isEmpty())
            continue;
        QString typ = o.wert(QStringLiteral("type"));
        // Without a type the class gets what the list window presets for its
        // count (round robin up to 5, pools for 6 to 8, ...); beyond the
        // buttons the proposal decides.
        if (typ.isEmpty()) {
            const Listenknoepfe knoepfe = listenknoepfe(n);
            if (knoepfe.vorgabe)
                typ = listentyp_fuer(*knoepfe.vorgabe, n);
        }
        if (!schreiben_liste(wk, a, g, typ, neu)) {
            rc = 1;
            continue;
        }
        const int kaempfe = dm.anzahl_Saetze(
            QStringLiteral(
                "select WLLPOS from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? and WLLPOS < 1000"),
            {wk, a, g});
        ctx.out << a << ';' << g << ';' << typ << ';' << n << ';' << kaempfe << '\n';
    }
    ctx.out.flush();
    return rc;
}

} // namespace

void cli_verben_listen(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("lists types"), QString(),
                 QStringLiteral("Listentypen ausgeben: Listentyp;Teilnehmer max.;Bezeichnung"), listentypen});
    v.push_back({QStringLiteral("lists generate"),
                 QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE] [--weight-class GEWICHTSKLASSE] "
                                "[--type LISTENTYP] [--new] [--yes]"),
                 QStringLiteral("Wettkampflisten erzeugen, je Gewichtsklasse: Altersklasse;Gewichtsklasse;"
                                "Listentyp;Teilnehmer;Kämpfe"),
                 listen_erzeugen});
}

} // namespace obi
