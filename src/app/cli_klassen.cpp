// Verbs for age classes, weight classes and the demo tournament.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "setup/altersklassen.h"
#include "setup/demo.h"

#include <climits>

namespace obi
{

namespace
{

// Only the named options, each with a value, and no positional words.
bool optionen_lesen(CliKontext &ctx, const QStringList &args, const char *aufruf, const QSet<QString> &erlaubt,
                    CliOptionen &o)
{
    o = CliOptionen::lesen(args, {});
    bool ok = o.fehler.isEmpty() && o.positionale.isEmpty() && o.schalter.isEmpty();
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = erlaubt.contains(it.key());
    if (!ok) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
    }
    return ok;
}

// A positive whole number option; false with a message otherwise.
bool zahl_lesen(CliKontext &ctx, const CliOptionen &o, const QString &name, const char *was, qint64 oben, qint64 &wert)
{
    const QString text = o.wert(name);
    bool ok = false;
    wert = text.toLongLong(&ok);
    if (!ok || wert <= 0 || wert > oben) {
        ctx.err << "Keine gültige " << was << ": " << text << Qt::endl;
        return false;
    }
    return true;
}

int wettkampf_lesen(CliKontext &ctx, const CliOptionen &o, const char *aufruf, int &wk)
{
    if (!o.werte.contains(QStringLiteral("tournament"))) {
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
        return 2;
    }
    qint64 nummer = 0;
    if (!zahl_lesen(ctx, o, QStringLiteral("tournament"), "Wettkampfnummer", INT_MAX, nummer))
        return 2;
    wk = int(nummer);
    return 0;
}

int altersklassen_liste(CliKontext &ctx, const QStringList &args)
{
    const char *aufruf = "age-class list --tournament NUMMER";
    CliOptionen o;
    if (!optionen_lesen(ctx, args, aufruf, { QStringLiteral("tournament") }, o))
        return 2;
    int wk = 0;
    if (const int rc = wettkampf_lesen(ctx, o, aufruf, wk))
        return rc;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto klassen = altersklassen_lesen(wk);
    const auto gewichtsklassen = gewichtsklassen_lesen(wk);
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
    const char *aufruf = "weight-class list --tournament NUMMER [--age-class ALTERSKLASSE]";
    CliOptionen o;
    if (!optionen_lesen(ctx, args, aufruf, { QStringLiteral("tournament"), QStringLiteral("age-class") }, o))
        return 2;
    int wk = 0;
    if (const int rc = wettkampf_lesen(ctx, o, aufruf, wk))
        return rc;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto liste = gewichtsklassen_lesen(wk, o.wert(QStringLiteral("age-class")));
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
    const char *aufruf = "demo [--participants ANZAHL] [--seed ZAHL]";
    CliOptionen o;
    if (!optionen_lesen(ctx, args, aufruf, { QStringLiteral("participants"), QStringLiteral("seed") }, o))
        return 2;
    DemoVorgaben v;
    qint64 zahl = 0;
    if (o.werte.contains(QStringLiteral("participants"))) {
        // Beyond this the demo is no demo any more, and the count stays an int.
        if (!zahl_lesen(ctx, o, QStringLiteral("participants"), "Teilnehmerzahl", 100000, zahl))
            return 2;
        v.teilnehmer = int(zahl);
    }
    if (o.werte.contains(QStringLiteral("seed"))) {
        const QString text = o.wert(QStringLiteral("seed"));
        bool ok = false;
        const qulonglong s = text.toULongLong(&ok);
        if (!ok || s > 0xFFFFFFFFull) {
            ctx.err << "Kein gültiger Startwert (0 bis 4294967295): " << text << Qt::endl;
            return 2;
        }
        v.seed = quint32(s);
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
    v.push_back({ QStringLiteral("age-class list"), QStringLiteral("--tournament NUMMER"),
                  QStringLiteral("Altersklassen eines Wettkampfs ausgeben: Name;Gewichtstabelle;Jahrgänge von-bis;"
                                 "M/W;Anzahl Gewichtsklassen"),
                  altersklassen_liste });
    v.push_back({ QStringLiteral("weight-class list"), QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE]"),
                  QStringLiteral("Gewichtsklassen ausgeben: Altersklasse;Gewichtsklasse;Sortierung;Gewicht;"
                                 "Teilnehmer"),
                  gewichtsklassen_liste });
    v.push_back({ QStringLiteral("demo"), QStringLiteral("[--participants ANZAHL] [--seed ZAHL]"),
                  QStringLiteral("Demo-Turnier mit Altersklassen, Vereinen und Teilnehmern anlegen (Standard 300 "
                                 "Teilnehmer, Startwert 1), Nummer ausgeben"),
                  demo });
}

} // namespace obi
