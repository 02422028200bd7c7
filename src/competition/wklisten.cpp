#include "wklisten.h"

#include "competition/listengenerierung.h"
#include "core/datenbank.h"
#include "register/teilnehmer.h"

namespace obi {

Listenknoepfe listenknoepfe(int n)
{
    Listenknoepfe k;
    k.aktiv[static_cast<size_t>(Listenknopf::Auto)] = true;
    if (n <= 0)
        return k;
    struct Regel {
        Listenknopf knopf;
        int min, max;   // enabled for min <= n <= max
        int vorgabe_bis; // preset for n <= this; 0 = never
    };
    // In button order: a later preset replaces an earlier one.
    static const Regel regeln[] = {
        { Listenknopf::KO128, 1, 128, 128 },     { Listenknopf::KO64, 1, 64, 64 },
        { Listenknopf::KO32, 1, 32, 0 },         { Listenknopf::DoppelKO64, 1, 64, 0 },
        { Listenknopf::DoppelKO32, 1, 32, 32 },  { Listenknopf::DoppelKO16, 1, 16, 16 },
        { Listenknopf::Pool8, 4, 8, 8 },         { Listenknopf::Jeder, 1, 6, 5 },
    };
    for (const Regel &r : regeln) {
        k.aktiv[static_cast<size_t>(r.knopf)] = r.min <= n && n <= r.max;
        if (n <= r.vorgabe_bis)
            k.vorgabe = r.knopf;
    }
    return k;
}

QString listentyp_fuer(Listenknopf k, int n)
{
    switch (k) {
    case Listenknopf::KO128:
        return QStringLiteral("KODT128");
    case Listenknopf::KO64:
        return QStringLiteral("KODT64");
    case Listenknopf::KO32:
        return QStringLiteral("KODT32");
    case Listenknopf::DoppelKO64:
        return QStringLiteral("DOPPELKO64");
    case Listenknopf::DoppelKO32:
        return QStringLiteral("DOPPELKO32");
    case Listenknopf::DoppelKO16:
        return QStringLiteral("DOPPELKO16");
    case Listenknopf::Pool8:
        return QStringLiteral("POOL8");
    case Listenknopf::Jeder:
        return n >= 1 && n <= 6 ? QStringLiteral("JGJ0") + QString::number(n) : QStringLiteral("JGJ06");
    case Listenknopf::Auto:
        break;
    }
    return {};
}

QString vorhandene_liste(int wk, const QString &akid, const QString &gewk)
{
    // The same test generation uses to keep an existing list.
    auto q = dm().abfrage(QStringLiteral("select WLLTYP from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                         "and WLSTNR > 0 and WLLPOS > 1000 and WLLPOS < 2000"),
                          { wk, akid, gewk });
    return q && q->next() ? q->value(0).toString() : QString();
}

WKListenPruefung wklisten_pruefen(int wk, WKListenFelder &f, const QString &schluessel, Auswahlhilfe *hilfe)
{
    const bool alle = schluessel == QStringLiteral("*");
    if (alle || schluessel == QStringLiteral("AKID")) {
        if (!pruefen_altersklasse(dm(), wk, f.akid, hilfe))
            return { false, 31002, QStringLiteral("AKID") };
    }
    if (alle || schluessel == QStringLiteral("GEWK")) {
        if (!pruefen_gewichtsklasse(dm(), wk, f.akid, f.gewk, hilfe))
            return { false, 31003, QStringLiteral("GEWK") };
        f.anzahl = calc_anzahl(wk, f.akid, f.gewk);
    }
    if (alle) {
        if (f.anzahl <= 0)
            return { false, 31007, {} };
        if (!f.aktion)
            return { false, 307, {} };
    }
    return {};
}

} // namespace obi
