#include "tabelle_daten.h"

#include "competition/kampf.h"
#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <map>
#include <set>

namespace obi {

namespace {

const QString wl_filter = QStringLiteral(" WLWKNR = ? and WLAKID = ? and WLGEWK = ? ");

QVariantList klasse(int wk, const QString &akid, const QString &gewk)
{
    return {wk, akid, gewk};
}

int zahl(const QVariant &v)
{
    return v.isValid() && !v.isNull() ? v.toInt() : 0;
}

// Place texts fit the STPLTZ column.
constexpr int kPlatzLaenge = 10;

} // namespace

std::optional<TabellenInfo> pruefen_auswahl(int wk, const QString &akid, const QString &gewk, bool meldungen,
                                            int *fehler)
{
    auto melden = [&](int n) -> std::optional<TabellenInfo> {
        if (fehler)
            *fehler = n;
        if (meldungen)
            zeige_meldung(n);
        return std::nullopt;
    };
    if (fehler)
        *fehler = 0;
    // All rows of a class carry the same type; one row tells it.
    auto q = dm().abfrage(QStringLiteral("select LKLTYP, LKLBEZ, LKTABK, LKPOOL from wk_liste "
                                         "inner join listkopf on WLLTYP = LKLTYP where")
                              + wl_filter + QStringLiteral(" order by WLLPOS"),
                          klasse(wk, akid, gewk));
    if (!q)
        return melden(19902);
    if (!q->next())
        return melden(3004);
    TabellenInfo info;
    info.ltyp = q->value(0).toString();
    info.lbez = q->value(1).toString();
    info.tabk = zahl(q->value(2));
    info.pool = zahl(q->value(3));
    if (info.tabk <= 0)
        return melden(3008);
    return info;
}

bool listedit_ok(int wk, const QString &akid, const QString &gewk, int lktabk, bool meldungen)
{
    // A bout still open (fighters not known yet) counts as undecided just like a
    // pending one, so a table is never complete while one of its bouts waits.
    auto q = dm().abfrage(QStringLiteral("select min(case when WLSTAT < 5 then WLLPOS end), "
                                         "max(case when WLSTAT >= 5 then WLLPOS end) from wk_liste where")
                              + wl_filter + QStringLiteral(" and WLLPOS > 0 and WLLPOS < 1000"),
                          klasse(wk, akid, gewk));
    int anstehend = 9998;
    int entschieden = 0;
    if (!q || !q->next()) {
        if (meldungen)
            zeige_meldung(19902);
        return false;
    }
    if (!q->value(0).isNull())
        anstehend = q->value(0).toInt();
    if (!q->value(1).isNull())
        entschieden = q->value(1).toInt();
    const int ergebnis = tabelle_vollstaendig(lktabk, anstehend, entschieden);
    if (ergebnis != 0 && meldungen)
        zeige_meldung(ergebnis);
    return ergebnis == 0;
}

int pool_nummer(const QString &text)
{
    if (text == QStringLiteral("Pool A"))
        return 1;
    if (text == QStringLiteral("Pool B"))
        return 2;
    return 99;
}

bool richtiger_pool(const TabellenInfo &info, int pool, int slot)
{
    if (!info.zwei_pools())
        return true;
    const bool gerade = (slot - 1000) % 2 == 0;
    return pool == 2 ? gerade : !gerade;
}

std::vector<TabellenZeile> tabelle_lesen(int wk, const QString &akid, const QString &gewk, const TabellenInfo &info,
                                         int pool, bool *ok)
{
    if (ok)
        *ok = true;
    std::vector<TabellenZeile> zeilen;
    const QVariantList kl = klasse(wk, akid, gewk);
    // A participant whose club row is missing still belongs to the table.
    auto q = dm().abfrage(
        QStringLiteral("select w.WLLPOS, w.WLSTNR, s.STNAME, s.STVNAM, s.STPLTZ, v.VENAME, v.VEVERB "
                       "from wk_liste w inner join starter s on w.WLWKNR = s.STWKNR and w.WLSTNR = s.STSTNR "
                       "left join vereine v on s.STWKNR = v.VEWKNR and s.STLOS = v.VELOS "
                       "where w.WLWKNR = ? and w.WLAKID = ? and w.WLGEWK = ? "
                       "and w.WLLPOS > 1000 and w.WLLPOS < 2000 order by w.WLLPOS"),
        kl);
    if (!q) {
        if (ok)
            *ok = false;
        return zeilen;
    }
    std::vector<QString> final_platz;
    while (q->next()) {
        const int slot = zahl(q->value(0));
        if (!richtiger_pool(info, pool, slot))
            continue;
        TabellenZeile z;
        z.slot = slot;
        z.stnr = zahl(q->value(1));
        z.name = q->value(2).toString() + QStringLiteral(", ") + q->value(3).toString();
        if (!q->value(5).isNull() || !q->value(6).isNull())
            z.verein = q->value(5).toString() + u'/' + q->value(6).toString();
        final_platz.push_back(q->value(4).toString());
        zeilen.push_back(z);
    }

    if (info.zwei_pools()) {
        // Pool place of a participant: the one pool place row holding him.
        std::map<int, std::vector<int>> plaetze;
        auto p = dm().abfrage(QStringLiteral("select WLSTNR, WLLPOS from wk_liste where") + wl_filter
                                  + QStringLiteral(" and WLLPOS > 5000 and WLLPOS < 6000"),
                              kl);
        if (!p) {
            if (ok)
                *ok = false;
        } else {
            while (p->next())
                plaetze[zahl(p->value(0))].push_back(zahl(p->value(1)));
        }
        for (TabellenZeile &z : zeilen) {
            const auto it = plaetze.find(z.stnr);
            if (it != plaetze.end() && it->second.size() == 1)
                z.platz = QString::number(it->second.front() % 100) + u'.';
        }
    } else {
        for (std::size_t i = 0; i < zeilen.size(); ++i)
            zeilen[i].platz = trim_rechts(final_platz[i]);
    }

    const int bis = info.zwei_pools() ? info.tabk : 9999;
    for (TabellenZeile &z : zeilen) {
        const Ergebnisse e = lesen_ergebnisse(wk, z.stnr, bis);
        z.siege = e.siege;
        z.plus = e.plus;
        z.minus = e.minus;
    }
    return zeilen;
}

bool write_plaetze_starter(int wk, const QString &akid, const QString &gewk, const std::vector<TabellenZeile> &zeilen)
{
    for (const TabellenZeile &z : zeilen)
        if (z.platz.trimmed().size() > kPlatzLaenge) {
            zeige_meldung(31050);
            return false;
        }
    Tdm &db = dm();
    Transaktion t(db);
    bool ok = t.aktiv();
    const QVariantList kl = klasse(wk, akid, gewk);
    ok = ok
        && db.Execute_SQL(
            QStringLiteral("update starter set STPLTZ = '' where STWKNR = ? and STAKID = ? and STGEWK = ?"), kl);
    for (const TabellenZeile &z : zeilen) {
        const QString platz = z.platz.trimmed();
        if (platz.isEmpty())
            continue;
        // Only participants of this class: a stale line never writes elsewhere.
        ok = ok
            && db.Execute_SQL(QStringLiteral("update starter set STPLTZ = ? where STWKNR = ? and STSTNR = ? "
                                             "and STAKID = ? and STGEWK = ?"),
                              {sql_maskieren(platz), wk, z.stnr, akid, gewk});
    }
    if (!ok || !t.commit()) {
        zeige_meldung(31050);
        return false;
    }
    return true;
}

bool write_plaetze_pool(int wk, const QString &akid, const QString &gewk, const QString &typ, int pool,
                        const std::vector<TabellenZeile> &zeilen)
{
    if (pool < 1 || pool > 9) {
        zeige_meldung(31050);
        return false;
    }
    const int basis = 5000 + 100 * pool;
    // Checked before anything is deleted: a place number that does not fit the
    // pool's rows, or two participants on one row, would lose saved places.
    std::set<int> belegt;
    for (const TabellenZeile &z : zeilen) {
        const int k = platz_zahl(z.platz);
        if (k == 0)
            continue;
        if (k > 99 || !belegt.insert(k).second) {
            zeige_meldung(31050);
            return false;
        }
    }

    Tdm &db = dm();
    Transaktion t(db);
    bool ok = t.aktiv();
    QVariantList w = klasse(wk, akid, gewk);
    w << basis << basis + 99;
    ok = ok
        && db.Execute_SQL(QStringLiteral("delete from wk_liste where") + wl_filter
                              + QStringLiteral(" and WLLPOS >= ? and WLLPOS <= ?"),
                          w);
    for (const TabellenZeile &z : zeilen) {
        const int k = platz_zahl(z.platz);
        if (k == 0)
            continue;
        const int pos = basis + k;
        ok = ok
            && db.Execute_SQL(QStringLiteral("insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLTYP, WLLPOS, WLSTNR, "
                                             "WLSTAT, WLSORT) values (?, ?, ?, ?, ?, ?, 9, ?)"),
                              {wk, akid, gewk, typ, pos, z.stnr, pos});
    }
    // The final round names these rows; the pass fills its bouts. It joins
    // this transaction, so a failure there keeps the old places too.
    if (ok)
        auto_kampf(wk, akid, gewk);
    if (!ok || !t.commit()) {
        zeige_meldung(31050);
        return false;
    }
    return true;
}

std::vector<KampfZeile> kaempfe_von(int wk, const QString &akid, const QString &gewk, int stnr, int lktabk)
{
    std::vector<KampfZeile> kaempfe;
    QVariantList w = klasse(wk, akid, gewk);
    w << stnr << stnr << lktabk;
    auto q = dm().abfrage(QStringLiteral("select WLBLAU, WLSTNR, WLSTAT, WLWRTG, STNAME_blau, STVNAM_blau, "
                                         "STNAME_weiss, STVNAM_weiss from v_wkliste_kaempfe where")
                              + wl_filter
                              + QStringLiteral(" and (WLBLAU = ? or WLWEIS = ?) and WLBLAU > 0 and WLWEIS > 0 "
                                               "and WLLPOS <= ? order by WLLPOS"),
                          w);
    while (q && q->next()) {
        KampfZeile k;
        const bool blau = zahl(q->value(0)) == stnr;
        k.gegner = blau ? q->value(6).toString() + QStringLiteral(", ") + q->value(7).toString()
                        : q->value(4).toString() + QStringLiteral(", ") + q->value(5).toString();
        if (zahl(q->value(2)) > 4) {
            k.ergebnis = zahl(q->value(1)) == stnr ? QStringLiteral("gewonnen") : QStringLiteral("verloren");
            k.wertung = q->value(3).toString();
        } else {
            k.ergebnis = QStringLiteral("offen");
            k.wertung = QStringLiteral(" ");
        }
        kaempfe.push_back(k);
    }
    return kaempfe;
}

TabellenOptionen tabellen_optionen(const TabellenInfo &info)
{
    TabellenOptionen o;
    if (info.pool != 1)
        return o;
    constexpr qint64 kGross = 999999999;
    o.platz32 = ini_zahl(QStringLiteral("control"), QStringLiteral("platz32"), 0, kGross) > 0;
    o.platz52 = ini_zahl(QStringLiteral("control"), QStringLiteral("platz52"), 0, kGross) > 0;
    return o;
}

} // namespace obi
