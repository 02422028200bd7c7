// Verbs on the bouts of a weight class: list them, store and annul results,
// the places, and a random simulation of a whole tournament.
#include "cli_verben.h"

#include "competition/kampf.h"
#include "competition/simulation.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <optional>
#include <tuple>
#include <vector>

namespace obi {

namespace {

constexpr int kWertungLaenge = 20; // WLWRTG
constexpr int kBemerkungLaenge = 255; // WLTEXT

struct Klasse {
    int wk = 0;
    QString akid, gewk;
};

// Tournament, age class and weight class of a verb on one list.
std::optional<Klasse> klasse_lesen(CliKontext &ctx, const CliOptionen &o)
{
    const auto wk = cli_wettkampfnummer(ctx, o.wert(QStringLiteral("tournament")));
    if (!wk)
        return std::nullopt;
    return Klasse {*wk, o.wert(QStringLiteral("age-class")).trimmed(),
                   o.wert(QStringLiteral("weight-class")).trimmed()};
}

// The class must have a bout list; 3004 otherwise.
bool liste_da(CliKontext &ctx, Tdm &dm, const Klasse &k)
{
    if (!cli_wettkampf_da(ctx, dm, k.wk))
        return false;
    const QVariant n
        = dm.einzelwert(QStringLiteral("select count(*) from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ?"),
                        {k.wk, k.akid, k.gewk});
    if (!n.isValid()) {
        zeige_meldung(19902);
        return false;
    }
    if (n.toInt() == 0) {
        zeige_meldung(3004);
        return false;
    }
    return true;
}

struct Kampfzeile {
    int pos = 0;
    int blau = -1, weis = -1, sieger = -1, stat = 0;
    QString wertung, zeit, bemerkung;
};

int zahl_oder(const QVariant &v, int sonst)
{
    return v.isNull() ? sonst : v.toInt();
}

std::optional<std::vector<Kampfzeile>> kaempfe_lesen(Tdm &dm, const Klasse &k, std::optional<int> nur_pos = {})
{
    QString sql = QStringLiteral("select WLLPOS, WLBLAU, WLWEIS, WLSTNR, WLSTAT, WLWRTG, WLZEIT, WLTEXT from wk_liste "
                                 "where WLWKNR = ? and WLAKID = ? and WLGEWK = ? and WLLPOS > 0 and WLLPOS < 1000");
    QVariantList werte {k.wk, k.akid, k.gewk};
    if (nur_pos) {
        sql += QStringLiteral(" and WLLPOS = ?");
        werte << *nur_pos;
    }
    auto q = dm.abfrage(sql + QStringLiteral(" order by WLSORT, WLLPOS"), werte);
    if (!q)
        return std::nullopt;
    std::vector<Kampfzeile> zeilen;
    while (q->next()) {
        Kampfzeile z;
        z.pos = q->value(0).toInt();
        z.blau = zahl_oder(q->value(1), -1);
        z.weis = zahl_oder(q->value(2), -1);
        z.sieger = zahl_oder(q->value(3), -1);
        z.stat = zahl_oder(q->value(4), 0);
        z.wertung = q->value(5).toString();
        z.zeit = q->value(6).toString();
        z.bemerkung = q->value(7).toString();
        zeilen.push_back(z);
    }
    return zeilen;
}

// "Name, Vorname" of a participant; byes (0) and unknown (-1) stay numbers.
QString teilnehmer_text(Tdm &dm, int wk, int stnr, bool namen)
{
    if (!namen || stnr <= 0)
        return QString::number(stnr);
    auto q
        = dm.abfrage(QStringLiteral("select STNAME, STVNAM from starter where STWKNR = ? and STSTNR = ?"), {wk, stnr});
    if (!q || !q->next())
        return QString::number(stnr);
    return q->value(0).toString() + QStringLiteral(", ") + q->value(1).toString();
}

void kampf_ausgeben(CliKontext &ctx, Tdm &dm, int wk, const Kampfzeile &z, bool namen)
{
    ctx.out << z.pos << ';' << teilnehmer_text(dm, wk, z.blau, namen) << ';' << teilnehmer_text(dm, wk, z.weis, namen)
            << ';' << teilnehmer_text(dm, wk, z.sieger, namen) << ';' << kampf_status(z.stat) << ';' << z.wertung << ';'
            << z.zeit << ';' << z.bemerkung << '\n';
}

const QString kKlasseAufruf
    = QStringLiteral("--tournament NUMMER --age-class ALTERSKLASSE --weight-class GEWICHTSKLASSE");

QSet<QString> klassen_optionen()
{
    return {QStringLiteral("tournament"), QStringLiteral("age-class"), QStringLiteral("weight-class")};
}

int kaempfe(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("bouts ") + kKlasseAufruf + QStringLiteral(" [--names]");
    CliOptionen o;
    if (!cli_optionen_lesen(
            ctx, args, aufruf,
            {.optionen = klassen_optionen(), .schalter = {QStringLiteral("names")}, .pflicht = klassen_optionen()}, o))
        return 2;
    const auto k = klasse_lesen(ctx, o);
    if (!k)
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm) || !liste_da(ctx, dm, *k))
        return 1;
    const auto zeilen = kaempfe_lesen(dm, *k);
    if (!zeilen) {
        zeige_meldung(19902);
        return 1;
    }
    const bool namen = o.schalter.contains(QStringLiteral("names"));
    for (const Kampfzeile &z : *zeilen)
        kampf_ausgeben(ctx, dm, k->wk, z, namen);
    ctx.out.flush();
    return 0;
}

// One bout of a class with its list checked; nullopt after the message.
std::optional<Kampfzeile> kampf_lesen(CliKontext &ctx, Tdm &dm, const Klasse &k, int pos)
{
    if (!liste_da(ctx, dm, k))
        return std::nullopt;
    if (pos > 999) {
        ctx.err << "Kampf " << pos << " gibt es in dieser Liste nicht" << Qt::endl;
        return std::nullopt;
    }
    const auto zeilen = kaempfe_lesen(dm, k, pos);
    if (!zeilen) {
        zeige_meldung(19902);
        return std::nullopt;
    }
    if (zeilen->empty()) {
        ctx.err << "Kampf " << pos << " gibt es in dieser Liste nicht" << Qt::endl;
        return std::nullopt;
    }
    return zeilen->front();
}

// The bout as it stands after a change; the exit code of a verb that made it.
int kampf_neu_ausgeben(CliKontext &ctx, Tdm &dm, const Klasse &k, int pos)
{
    if (const auto neu = kaempfe_lesen(dm, k, pos); neu && !neu->empty())
        kampf_ausgeben(ctx, dm, k.wk, neu->front(), false);
    ctx.out.flush();
    return 0;
}

int ergebnis(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("result ") + kKlasseAufruf
        + QStringLiteral(" --bout KAMPF --winner blau|weiss --score WERTUNG --time M:SS [--remark BEMERKUNG]");
    CliOptionen o;
    QSet<QString> erlaubt = klassen_optionen();
    QSet<QString> pflicht = klassen_optionen();
    for (const char *n : {"bout", "winner", "score", "time"}) {
        erlaubt << QString::fromLatin1(n);
        pflicht << QString::fromLatin1(n);
    }
    erlaubt << QStringLiteral("remark");
    if (!cli_optionen_lesen(ctx, args, aufruf, {.optionen = erlaubt, .pflicht = pflicht}, o))
        return 2;
    const auto k = klasse_lesen(ctx, o);
    const auto pos = cli_positive_zahl(ctx, o.wert(QStringLiteral("bout")), "Kampfnummer");
    if (!k || !pos)
        return 2;
    const QString seite = o.wert(QStringLiteral("winner"));
    if (seite != QStringLiteral("blau") && seite != QStringLiteral("weiss")) {
        ctx.err << "Sieger muss blau oder weiss sein: " << seite << Qt::endl;
        return 2;
    }
    const QString wertung = o.wert(QStringLiteral("score")).trimmed();
    if (wertung.isEmpty() || wertung.size() > kWertungLaenge) {
        ctx.err << "Keine gültige Wertung (1 bis " << kWertungLaenge << " Zeichen): " << wertung << Qt::endl;
        return 2;
    }
    const QString zeit = o.wert(QStringLiteral("time")).trimmed();
    static const QRegularExpression zeit_muster(QStringLiteral("^[0-9]{1,2}:[0-5][0-9]$"));
    if (!zeit_muster.match(zeit).hasMatch()) {
        ctx.err << "Keine gültige Kampfzeit (m:ss): " << zeit << Qt::endl;
        return 2;
    }
    const QString bemerkung = o.wert(QStringLiteral("remark"));
    if (bemerkung.size() > kBemerkungLaenge) {
        ctx.err << "Bemerkung länger als " << kBemerkungLaenge << " Zeichen" << Qt::endl;
        return 2;
    }

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto z = kampf_lesen(ctx, dm, *k, *pos);
    if (!z)
        return 1;
    if (z->stat != 1 || z->blau <= 0 || z->weis <= 0) {
        ctx.err << "Kampf " << *pos << " steht nicht an (" << kampf_status(z->stat) << ")" << Qt::endl;
        return 1;
    }
    const bool blau = seite == QStringLiteral("blau");
    const int sieger = blau ? z->blau : z->weis;
    const int verlierer = blau ? z->weis : z->blau;
    // The engine refuses (3005) when the bout changed since it was read.
    if (!schreibe_kampf(k->wk, k->akid, k->gewk, false, verlierer, sieger, *pos, bemerkung, zeit, wertung))
        return 1;
    return kampf_neu_ausgeben(ctx, dm, *k, *pos);
}

int annullieren(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("annul ") + kKlasseAufruf + QStringLiteral(" --bout KAMPF --yes");
    CliOptionen o;
    QSet<QString> erlaubt = klassen_optionen();
    erlaubt << QStringLiteral("bout");
    if (!cli_optionen_lesen(ctx, args, aufruf, {.optionen = erlaubt, .pflicht = erlaubt}, o))
        return 2;
    const auto k = klasse_lesen(ctx, o);
    const auto pos = cli_positive_zahl(ctx, o.wert(QStringLiteral("bout")), "Kampfnummer");
    if (!k || !pos)
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const auto z = kampf_lesen(ctx, dm, *k, *pos);
    if (!z)
        return 1;
    if (z->stat != 5) {
        ctx.err << "Kampf " << *pos << " ist nicht entschieden (" << kampf_status(z->stat) << ")" << Qt::endl;
        return 1;
    }
    if (!frage_ok(QStringLiteral("Dieses Kampf anulieren ?")))
        return 1;
    // Refused (3005) when another result replaced this one meanwhile.
    if (!storno_kampf(k->wk, k->akid, k->gewk, *pos, z->sieger))
        return 1;
    return kampf_neu_ausgeben(ctx, dm, *k, *pos);
}

// "3.2" -> (3, 2), "1." -> (1, 0); anything else sorts last in text order.
std::tuple<int, int, QString> platz_schluessel(const QString &platz)
{
    const QString p = platz.trimmed();
    const qsizetype punkt = p.indexOf(u'.');
    bool ok1 = false;
    bool ok2 = true;
    const int haupt = p.left(punkt < 0 ? p.size() : punkt).toInt(&ok1);
    const QString rest = punkt < 0 ? QString() : p.mid(punkt + 1);
    const int neben = rest.isEmpty() ? 0 : rest.toInt(&ok2);
    if (!ok1 || !ok2)
        return {INT_MAX, INT_MAX, p};
    return {haupt, neben, p};
}

int plaetze(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf
        = QStringLiteral("places --tournament NUMMER [--age-class ALTERSKLASSE] [--weight-class GEWICHTSKLASSE]");
    CliOptionen o;
    if (!cli_optionen_lesen(ctx, args, aufruf,
                            {.optionen = klassen_optionen(), .pflicht = {QStringLiteral("tournament")}}, o))
        return 2;
    const auto k = klasse_lesen(ctx, o);
    if (!k)
        return 2;
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm) || !cli_wettkampf_da(ctx, dm, k->wk))
        return 1;
    // The weight class sort order comes from the weight classes; a club row
    // that is missing leaves the club empty instead of hiding the place.
    QString sql = QStringLiteral(
        "select s.STAKID, s.STGEWK, s.STPLTZ, s.STSTNR, s.STNAME, s.STVNAM, v.VENAME, v.VEVERB, g.GKSORT "
        "from starter s left join vereine v on v.VEWKNR = s.STWKNR and v.VELOS = s.STLOS "
        "left join gew_klassen g on g.GKWKNR = s.STWKNR and g.GKAKID = s.STAKID and g.GKGEWK = s.STGEWK "
        "where s.STWKNR = ? and s.STPLTZ is not null and s.STPLTZ <> ''");
    QVariantList werte {k->wk};
    if (!k->akid.isEmpty()) {
        sql += QStringLiteral(" and s.STAKID = ?");
        werte << k->akid;
    }
    if (!k->gewk.isEmpty()) {
        sql += QStringLiteral(" and s.STGEWK = ?");
        werte << k->gewk;
    }
    auto q = dm.abfrage(sql, werte);
    if (!q) {
        zeige_meldung(19902);
        return 1;
    }
    struct Platz {
        QString akid, gewk;
        int gksort = 0;
        QString platz;
        int stnr = 0;
        QString name, verein;
    };
    std::vector<Platz> liste;
    while (q->next()) {
        if (q->value(2).toString().trimmed().isEmpty())
            continue;
        Platz p;
        p.akid = q->value(0).toString();
        p.gewk = q->value(1).toString();
        p.platz = q->value(2).toString().trimmed();
        p.stnr = q->value(3).toInt();
        p.name = q->value(4).toString() + QStringLiteral(", ") + q->value(5).toString();
        if (!q->value(6).isNull() || !q->value(7).isNull())
            p.verein = q->value(6).toString() + u'/' + q->value(7).toString();
        p.gksort = q->value(8).toInt();
        liste.push_back(p);
    }
    std::sort(liste.begin(), liste.end(), [](const Platz &a, const Platz &b) {
        return std::make_tuple(a.akid, a.gksort, a.gewk, platz_schluessel(a.platz), a.stnr)
            < std::make_tuple(b.akid, b.gksort, b.gewk, platz_schluessel(b.platz), b.stnr);
    });
    for (const Platz &p : liste)
        ctx.out << p.akid << ';' << p.gewk << ';' << p.platz << ';' << p.stnr << ';' << p.name << ';' << p.verein
                << '\n';
    ctx.out.flush();
    return 0;
}

int simulieren(CliKontext &ctx, const QStringList &args)
{
    const QString aufruf = QStringLiteral("simulate --tournament NUMMER [--seed ZAHL]");
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(ctx, args, aufruf, {QStringLiteral("seed")}, o);
    if (!wk)
        return 2;
    quint32 seed = 1;
    if (o.werte.contains(QStringLiteral("seed"))) {
        const auto s = cli_startwert(ctx, o.wert(QStringLiteral("seed")));
        if (!s)
            return 2;
        seed = *s;
    }
    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm) || !cli_wettkampf_da(ctx, dm, *wk))
        return 1;
    ctx.out << simuliere_turnier(*wk, seed) << Qt::endl;
    return 0;
}

} // namespace

void cli_verben_kaempfe(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("bouts"), kKlasseAufruf + QStringLiteral(" [--names]"),
                 QStringLiteral("Kämpfe einer Gewichtsklasse in Kampfreihenfolge: Kampf;blau;weiss;Sieger;Status;"
                                "Wertung;Zeit;Bemerkung"),
                 kaempfe});
    v.push_back({QStringLiteral("result"),
                 kKlasseAufruf
                     + QStringLiteral(" --bout KAMPF --winner blau|weiss --score WERTUNG --time M:SS "
                                      "[--remark BEMERKUNG]"),
                 QStringLiteral("Ergebnis eines anstehenden Kampfes speichern"), ergebnis});
    v.push_back({QStringLiteral("annul"), kKlasseAufruf + QStringLiteral(" --bout KAMPF --yes"),
                 QStringLiteral("Entschiedenen Kampf mit allen Folgen zurücksetzen"), annullieren});
    v.push_back({QStringLiteral("places"),
                 QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE] [--weight-class GEWICHTSKLASSE]"),
                 QStringLiteral("Platzierungen: Altersklasse;Gewichtsklasse;Platz;Startnummer;Name;Verein"), plaetze});
    v.push_back({QStringLiteral("simulate"), QStringLiteral("--tournament NUMMER [--seed ZAHL]"),
                 QStringLiteral("Alle anstehenden Kämpfe mit Zufallsergebnissen entscheiden, Anzahl ausgeben"),
                 simulieren});
}

} // namespace obi
