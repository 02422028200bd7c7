#include "kampf.h"

#include "tabelle.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <set>
#include <vector>

namespace obi {

namespace {

const QString wl_filter = QStringLiteral(" WLWKNR = ? and WLAKID = ? and WLGEWK = ? ");
const QString st_filter = QStringLiteral(" STWKNR = ? and STAKID = ? and STGEWK = ? ");

int zahl(const QVariant &v)
{
    return v.isValid() && !v.isNull() ? v.toInt() : 0;
}

// A key that the INI holds as digits counts as on when they give a number above 0.
bool ini_an(const QString &sektion, const QString &schluessel)
{
    QString ziffern;
    for (const QChar c : ini_lesen(sektion, schluessel))
        if (c.isDigit())
            ziffern += c;
    return ziffern.toLongLong() > 0;
}

bool ist_tabellenliste(const QString &typ)
{
    return typ.startsWith(QStringLiteral("JGJ")) || typ.startsWith(QStringLiteral("POOL"));
}

// One prepared statement run many times; errors are logged, never shown.
class Anweisung
{
public:
    Anweisung(Tdm &db, const QString &sql)
        : m_q(db.db())
        , m_sql(sql)
    {
        m_ok = m_q.prepare(sql);
        if (!m_ok)
            protokolliere_fehler(QStringLiteral("kampf"), sql, m_q.lastError().text());
    }
    bool operator()(const QVariantList &werte)
    {
        if (!m_ok)
            return false;
        for (int i = 0; i < werte.size(); ++i)
            m_q.bindValue(i, werte.at(i));
        if (m_q.exec())
            return true;
        protokolliere_fehler(QStringLiteral("kampf"), m_sql, m_q.lastError().text());
        return false;
    }

private:
    QSqlQuery m_q;
    QString m_sql;
    bool m_ok = false;
};

struct Zeile {
    QString typ;
    int stnr = -1;
    int blau = -1;
    int weis = -1;
    int stat = 0;
    QString wrtg, zeit, text;
    int del = 0;
    int sort = 0;
    bool in_db = false;
    bool neu = false;
    bool geaendert = false;
};

struct Vorlage {
    int blau = 0;
    int weis = 0;
    int sieg = 0;
    int verl = 0;
};

// One weight class's list, read once, worked on in memory, written back.
class Klasse
{
public:
    Klasse(int wk, QString akid, QString gewk)
        : m_wk(wk)
        , m_akid(std::move(akid))
        , m_gewk(std::move(gewk))
    {
    }

    QVariantList filter() const { return { m_wk, m_akid, m_gewk }; }

    // Reads list, template and withdrawals. 31045 (queued) when the class
    // has no list or rows of several types.
    bool laden();
    bool schreiben();

    // ---- in-memory operations -------------------------------------------------
    int stnr_an(int pos) const
    {
        const auto it = m_z.find(pos);
        return it == m_z.end() ? -1 : it->second.stnr;
    }
    void pass_bis_stabil();
    void ergebnis(bool streichung, int verlierer, int sieger, int pos, const QString &bemerkung, const QString &zeit,
                  const QString &wertung);
    void storno(int pos);
    void tabelle_auto();

    Zeile *bout(int pos)
    {
        if (pos < 1 || pos > 999)
            return nullptr;
        const auto it = m_z.find(pos);
        return it == m_z.end() ? nullptr : &it->second;
    }
    const QString &typ() const { return m_typ; }

    std::vector<int> meldungen; // shown after the transaction ends

private:
    bool pass();
    void setze(Zeile &z, int stnr, int blau, int weis, int stat)
    {
        if (z.stnr != stnr || z.blau != blau || z.weis != weis || z.stat != stat) {
            z.stnr = stnr;
            z.blau = blau;
            z.weis = weis;
            z.stat = stat;
            z.geaendert = true;
        }
    }
    void setze_stnr(int pos, int stnr, bool *gefunden = nullptr)
    {
        const auto it = m_z.find(pos);
        if (gefunden)
            *gefunden = it != m_z.end();
        if (it != m_z.end() && it->second.stnr != stnr) {
            it->second.stnr = stnr;
            it->second.geaendert = true;
        }
    }
    void setze_texte(Zeile &z, const QString &wrtg, const QString &zeit, const QString *text, int del)
    {
        if (z.wrtg != wrtg || z.zeit != zeit || (text && z.text != *text) || (del >= 0 && z.del != del)) {
            z.wrtg = wrtg;
            z.zeit = zeit;
            if (text)
                z.text = *text;
            if (del >= 0)
                z.del = del;
            z.geaendert = true;
        }
    }
    void platz(int stnr, int n)
    {
        if (stnr > 0)
            m_plaetze.emplace_back(stnr, platz_text(n));
    }
    void plaetze_loeschen()
    {
        m_plaetze.clear();
        m_alle_plaetze_loeschen = true;
    }
    void entfernen(int pos)
    {
        const auto it = m_z.find(pos);
        if (it == m_z.end())
            return;
        if (it->second.in_db)
            m_geloescht.insert(pos);
        m_z.erase(it);
    }
    void einfuegen(int pos, int stnr)
    {
        Zeile z;
        z.typ = m_typ;
        z.stnr = stnr;
        z.stat = 9;
        z.sort = pos;
        z.neu = true;
        if (m_z.count(pos))
            entfernen(pos);
        m_z[pos] = z;
    }
    QString streich_text(int code);
    void trostrunde(int sieger, int code);
    void trostrunde_storno(int code);
    void storno_naechste(int q);
    void storno_pool_platz(int pos);
    std::vector<TabellenZeile> tabelle(int pool) const;

    int m_wk;
    QString m_akid, m_gewk, m_typ;
    std::map<int, Zeile> m_z;
    std::set<int> m_geloescht;
    std::map<int, Vorlage> m_ld;
    std::map<int, std::vector<std::pair<int, bool>>> m_nachfolger; // source -> (bout, blue side)
    int m_tabk = 0;
    int m_pool = 0;
    int m_gruppe = 0; // highest slot digit of a repechage group
    std::map<int, int> m_ststat;
    std::map<int, QString> m_streich_texte;
    bool m_alle_plaetze_loeschen = false;
    std::vector<std::pair<int, QString>> m_plaetze;
    std::set<int> m_protokoll;
    std::set<int> m_storniert;
    int m_tiefe = 0;
};

bool Klasse::laden()
{
    Tdm &db = dm();
    // List, template and header in one reading: every bout row carries its template row.
    auto q = db.abfrage(QStringLiteral("select w.WLLPOS, w.WLLTYP, w.WLSTNR, w.WLBLAU, w.WLWEIS, w.WLSTAT, w.WLWRTG, "
                                       "w.WLZEIT, w.WLTEXT, w.WLDEL, w.WLSORT, l.LDLPOS, l.LDBLAU, l.LDWEIS, l.LDSIEG, "
                                       "l.LDVERL, k.LKTABK, k.LKPOOL from wk_liste w "
                                       "left join listdef l on l.LDLTYP = w.WLLTYP and l.LDLPOS = w.WLLPOS "
                                       "left join listkopf k on k.LKLTYP = w.WLLTYP "
                                       "where w.WLWKNR = ? and w.WLAKID = ? and w.WLGEWK = ?"),
                        filter());
    if (!q)
        return false;
    std::set<QString> typen;
    while (q->next()) {
        Zeile z;
        z.typ = q->value(1).toString();
        z.stnr = q->value(2).isNull() ? -1 : q->value(2).toInt();
        z.blau = q->value(3).isNull() ? -1 : q->value(3).toInt();
        z.weis = q->value(4).isNull() ? -1 : q->value(4).toInt();
        z.stat = zahl(q->value(5));
        z.wrtg = q->value(6).toString();
        z.zeit = q->value(7).toString();
        z.text = q->value(8).toString();
        z.del = zahl(q->value(9));
        z.sort = zahl(q->value(10));
        z.in_db = true;
        typen.insert(z.typ);
        const int pos = zahl(q->value(0));
        m_z[pos] = z;
        if (!q->value(11).isNull()) {
            const Vorlage v{ zahl(q->value(12)), zahl(q->value(13)), zahl(q->value(14)), zahl(q->value(15)) };
            m_ld[pos] = v;
            m_nachfolger[v.blau].emplace_back(pos, true);
            m_nachfolger[v.weis].emplace_back(pos, false);
            if (v.weis > 2000 && v.weis < 2500)
                m_gruppe = std::max(m_gruppe, v.weis % 10);
        }
        m_tabk = zahl(q->value(16));
        m_pool = zahl(q->value(17));
    }
    if (typen.size() != 1) {
        meldungen.push_back(31045);
        return false;
    }
    m_typ = *typen.begin();
    auto st = db.abfrage(QStringLiteral("select STSTNR, STSTAT from starter where") + st_filter
                             + QStringLiteral(" and STSTAT > 0"),
                         filter());
    if (!st)
        return false;
    while (st->next())
        m_ststat[zahl(st->value(0))] = zahl(st->value(1));
    return true;
}

bool Klasse::schreiben()
{
    Tdm &db = dm();
    bool ok = true;
    const QVariantList kl = filter();
    if (!m_geloescht.empty()) {
        Anweisung loeschen(db, QStringLiteral("delete from wk_liste where") + wl_filter + QStringLiteral(" and WLLPOS = ?"));
        for (int pos : m_geloescht)
            ok = ok && loeschen(kl + QVariantList{ pos });
    }
    std::optional<Anweisung> aendern;
    std::optional<Anweisung> neu;
    for (const auto &[pos, z] : m_z) {
        if (!ok)
            break;
        if (z.neu) {
            if (!neu)
                neu.emplace(db, QStringLiteral("insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLTYP, WLLPOS, WLSTNR, "
                                               "WLSTAT, WLSORT) values (?, ?, ?, ?, ?, ?, ?, ?)"));
            ok = (*neu)({ m_wk, m_akid, m_gewk, m_typ, pos, z.stnr, z.stat, z.sort });
        } else if (z.geaendert) {
            if (!aendern)
                aendern.emplace(db, QStringLiteral("update wk_liste set WLSTNR = ?, WLBLAU = ?, WLWEIS = ?, WLSTAT = ?, "
                                                   "WLWRTG = ?, WLZEIT = ?, WLTEXT = ?, WLDEL = ? where")
                                        + wl_filter + QStringLiteral(" and WLLPOS = ?"));
            ok = (*aendern)({ z.stnr, z.blau, z.weis, z.stat, sql_maskieren(z.wrtg), sql_maskieren(z.zeit),
                              sql_maskieren(z.text), z.del, m_wk, m_akid, m_gewk, pos });
        }
    }
    if (ok && m_alle_plaetze_loeschen)
        ok = db.Execute_SQL(QStringLiteral("update starter set STPLTZ = '' where") + st_filter, kl);
    if (ok && !m_plaetze.empty()) {
        Anweisung platz(db, QStringLiteral("update starter set STPLTZ = ? where STWKNR = ? and STSTNR = ?"));
        for (const auto &[stnr, text] : m_plaetze)
            ok = ok && platz({ text, m_wk, stnr });
    }
    if (ok && !m_protokoll.empty()) {
        Anweisung prot(db, QStringLiteral("delete from wk_protokoll where WPWKNR = ? and WPAKID = ? and WPGEWK = ? "
                                          "and WPLPOS = ?"));
        for (int pos : m_protokoll)
            ok = ok && prot(kl + QVariantList{ pos });
    }
    return ok;
}

QString Klasse::streich_text(int code)
{
    const auto it = m_streich_texte.find(code);
    if (it != m_streich_texte.end())
        return it->second;
    Tdm &db = dm();
    QString text;
    if (db.get_tabsatz(QStringLiteral("Streichungen"), QString::number(code))
        && db.tabsatz().tab_schluessel.trimmed() == QString::number(code))
        text = db.tabsatz().tab_bezeichnung;
    m_streich_texte[code] = text;
    return text;
}

// One advancement pass in ascending bout order; true when anything changed.
bool Klasse::pass()
{
    bool geaendert = false;
    std::vector<int> offen;
    for (const auto &[pos, z] : m_z)
        if (pos >= 1 && pos <= 999 && z.stat < 2 && m_ld.count(pos))
            offen.push_back(pos);
    for (int pos : offen) {
        Zeile &z = m_z[pos];
        if (z.stat >= 2) // decided meanwhile by a nested result
            continue;
        const Vorlage &v = m_ld[pos];
        const int b = stnr_an(v.blau);
        const int d = stnr_an(v.weis);
        if (b + d < -1)
            continue;
        const bool vorher = z.geaendert;
        z.geaendert = false;
        setze(z, -1, b, d, (b >= 0 && d >= 0) ? 1 : 0);
        setze_texte(z, QString(), QString(), nullptr, -1);
        geaendert = geaendert || z.geaendert;
        z.geaendert = z.geaendert || vorher;

        if ((b == 0 || d == 0) && b != -1 && d != -1) {
            ergebnis(false, std::min(b, d), std::max(b, d), pos, QStringLiteral("kampflos"), QStringLiteral("0:00"),
                     QStringLiteral("10"));
            geaendert = true;
        } else if (b > 0 && d > 0) {
            const auto sb = m_ststat.find(b);
            const auto sd = m_ststat.find(d);
            const int cb = sb == m_ststat.end() ? 0 : sb->second;
            const int cd = sd == m_ststat.end() ? 0 : sd->second;
            if (cb > 0 || cd > 0) {
                // The higher code loses; with equal codes the white fighter.
                const int verlierer = cb > cd ? b : d;
                const int sieger = verlierer == b ? d : b;
                ergebnis(true, verlierer, sieger, pos,
                         QStringLiteral("Verlierer war ") + streich_text(std::max(cb, cd)), QStringLiteral("0:00"),
                         QStringLiteral("10"));
                geaendert = true;
            }
        }
    }
    return geaendert;
}

void Klasse::pass_bis_stabil()
{
    // Each round settles at least one more bout, so the number of bouts bounds it.
    const std::size_t grenze = m_ld.size() + 2;
    for (std::size_t i = 0; i < grenze && pass(); ++i) {
    }
}

void Klasse::ergebnis(bool streichung, int verlierer, int sieger, int pos, const QString &bemerkung,
                      const QString &zeit, const QString &wertung)
{
    Zeile *z = bout(pos);
    if (!z) {
        meldungen.push_back(3005);
        return;
    }
    setze(*z, sieger, z->blau, z->weis, 5);
    setze_texte(*z, wertung, zeit, &bemerkung, streichung ? 1 : 0);

    const auto it = m_ld.find(pos);
    if (it == m_ld.end()) {
        meldungen.push_back(3006);
        return;
    }
    const Vorlage v = it->second;
    if (v.sieg / 1000 == 9)
        platz(sieger, v.sieg % 1000);
    switch (v.verl / 1000) {
    case 9:
        platz(verlierer, v.verl % 1000);
        break;
    case 2: {
        bool gefunden = false;
        setze_stnr(v.verl, verlierer, &gefunden);
        if (!gefunden)
            meldungen.push_back(3006);
        break;
    }
    case 8:
        trostrunde(sieger, v.verl);
        break;
    default:
        break;
    }
    if (ist_tabellenliste(m_typ))
        tabelle_auto();
}

void Klasse::trostrunde(int sieger, int code)
{
    const int erster = code - 6000 + 1; // slot 2j01
    const int hoechster = code - 6000 + m_gruppe;
    std::vector<int> gewonnen;
    for (auto it = m_z.rbegin(); it != m_z.rend(); ++it)
        if (it->first >= 1 && it->first <= 999 && it->second.stat == 5 && it->second.stnr == sieger)
            gewonnen.push_back(it->first);
    int slot = hoechster;
    for (int pos : gewonnen) {
        // Never below the group's first slot, whatever the template says.
        if (slot < erster)
            break;
        const Zeile &z = m_z[pos];
        setze_stnr(slot, sieger == z.blau ? z.weis : z.blau);
        --slot;
    }
    for (; slot >= erster; --slot)
        setze_stnr(slot, 0);
}

void Klasse::trostrunde_storno(int code)
{
    const int erster = code - 5999;
    int bout_pos = 0;
    for (const auto &[pos, v] : m_ld)
        if (v.blau == erster) {
            bout_pos = pos;
            break;
        }
    storno(bout_pos);
    for (auto &[pos, z] : m_z)
        if (pos > code - 6000 && pos < code - 5990 && z.stnr != -1) {
            z.stnr = -1;
            z.geaendert = true;
        }
    for (const auto &[pos, v] : m_ld) {
        const bool b = v.blau > code - 6000 && v.blau < code - 5990;
        const bool w = v.weis > code - 6000 && v.weis < code - 5990;
        if (!b && !w)
            continue;
        if (Zeile *z = bout(pos)) {
            // A bout that lost a fighter is open again, not pending.
            setze(*z, z->stnr, b ? -1 : z->blau, w ? -1 : z->weis, z->stat < 5 ? 0 : z->stat);
        }
    }
}

void Klasse::storno(int pos)
{
    m_protokoll.insert(pos);
    Zeile *z = bout(pos);
    if (!z) {
        meldungen.push_back(3005);
        return;
    }
    // A bout reached again along another path was already taken back.
    if (!m_storniert.insert(pos).second)
        return;
    const int sieger = z->stnr;
    const int verlierer = sieger > 0 ? (sieger == z->blau ? z->weis : z->blau) : 0;
    setze(*z, -1, z->blau, z->weis, 1);
    const QString leer;
    setze_texte(*z, leer, leer, &leer, -1);

    const auto it = m_ld.find(pos);
    if (it == m_ld.end()) {
        meldungen.push_back(3006);
        return;
    }
    const Vorlage v = it->second;
    if (v.sieg / 1000 == 9)
        platz(sieger, 0);
    if (v.verl / 1000 == 9)
        platz(verlierer, 0);
    if (v.verl / 1000 == 2) {
        bool gefunden = false;
        setze_stnr(v.verl, -1, &gefunden);
        if (gefunden)
            storno_naechste(v.verl);
        else
            meldungen.push_back(3006);
    }
    if (v.verl / 1000 == 8)
        trostrunde_storno(v.verl);
    storno_naechste(pos);
    if (ist_tabellenliste(m_typ))
        storno_pool_platz(pos);
}

void Klasse::storno_naechste(int q)
{
    const auto it = m_nachfolger.find(q);
    if (it == m_nachfolger.end() || it->second.size() != 1)
        return;
    const auto [s, blau] = it->second.front();
    storno(s);
    if (Zeile *z = bout(s))
        setze(*z, z->stnr, blau ? -1 : z->blau, blau ? z->weis : -1, 0);
}

void Klasse::storno_pool_platz(int pos)
{
    if (m_typ.startsWith(QStringLiteral("JGJ"))) {
        plaetze_loeschen();
        return;
    }
    if (!m_typ.startsWith(QStringLiteral("POOL")) || pos > m_tabk)
        return;
    plaetze_loeschen();
    std::vector<int> pool_zeilen;
    for (const auto &[p, z] : m_z)
        if (p > 5000)
            pool_zeilen.push_back(p);
    for (int p : pool_zeilen)
        entfernen(p);
    // The final round starts again from scratch, its results included.
    const QString leer;
    for (auto &[p, z] : m_z) {
        if (p > m_tabk && p < 1000) {
            setze(z, -1, -1, -1, 0);
            setze_texte(z, leer, leer, &leer, 0);
            m_protokoll.insert(p);
        }
    }
}

std::vector<TabellenZeile> Klasse::tabelle(int pool) const
{
    const int bis = m_pool == 2 ? m_tabk : 9999;
    std::vector<TabellenZeile> zeilen;
    for (const auto &[pos, z] : m_z) {
        if (pos <= 1000 || pos >= 2000 || z.stnr <= 0)
            continue;
        if (m_pool == 2 && ((pos % 2 == 1) != (pool == 1)))
            continue;
        TabellenZeile t;
        t.stnr = z.stnr;
        t.slot = pos;
        for (const auto &[bp, b] : m_z) {
            if (bp < 1 || bp > 999 || bp > bis || b.blau <= 0 || b.weis <= 0 || b.stat != 5 || b.stnr <= 0)
                continue;
            if (b.blau != t.stnr && b.weis != t.stnr)
                continue;
            if (b.stnr == t.stnr) {
                ++t.siege;
                t.plus += wertung_zahl(b.wrtg);
            } else {
                t.minus += wertung_zahl(b.wrtg);
            }
        }
        zeilen.push_back(t);
    }
    return zeilen;
}

void Klasse::tabelle_auto()
{
    if (m_tabk <= 0)
        return;
    int min_anstehend = 9998;
    int max_entschieden = 0;
    for (const auto &[pos, z] : m_z) {
        if (pos < 1 || pos > 999)
            continue;
        // An open table bout is as undecided as a pending one.
        if (z.stat == 1 || (z.stat < 5 && pos <= m_tabk))
            min_anstehend = std::min(min_anstehend, pos);
        if (z.stat >= 5)
            max_entschieden = std::max(max_entschieden, pos);
    }
    if (tabelle_vollstaendig(m_tabk, min_anstehend, max_entschieden) != 0)
        return;

    const bool eine = m_pool != 2;
    const bool p32 = eine && ini_an(QStringLiteral("control"), QStringLiteral("platz32"));
    const bool p52 = eine && ini_an(QStringLiteral("control"), QStringLiteral("platz52"));
    bool ohne_gleichstand = true;
    for (int pool = 1; pool <= (eine ? 1 : 2); ++pool) {
        std::vector<TabellenZeile> zeilen = tabelle(pool);
        if (!calc_plaetze(zeilen, p32, p52)) {
            ohne_gleichstand = false;
            continue;
        }
        if (eine) {
            plaetze_loeschen();
            for (const TabellenZeile &t : zeilen)
                if (!t.platz.trimmed().isEmpty())
                    m_plaetze.emplace_back(t.stnr, t.platz);
        } else {
            std::vector<int> alt;
            for (const auto &[pos, z] : m_z)
                if (pos >= 5000 + 100 * pool && pos <= 5099 + 100 * pool)
                    alt.push_back(pos);
            for (int pos : alt)
                entfernen(pos);
            for (const TabellenZeile &t : zeilen) {
                const int k = platz_zahl(t.platz);
                if (k > 0 && k <= 99)
                    einfuegen(5000 + 100 * pool + k, t.stnr);
            }
        }
    }
    meldungen.push_back(ohne_gleichstand ? 310 : 3011);
}

// Runs one operation on a class under its writer lock in one transaction and
// shows the queued messages once the lock is released.
template <typename F>
bool mit_klasse(int wk, const QString &akid, const QString &gewk, F &&arbeit)
{
    Tdm &db = dm();
    Klasse k(wk, akid, gewk);
    bool ok = false;
    {
        Transaktion t(db);
        if (t.aktiv() && klasse_sperren(wk, akid, gewk)) {
            if (k.laden()) {
                ok = arbeit(k);
                ok = ok && k.schreiben() && t.commit();
                if (!ok && k.meldungen.empty())
                    k.meldungen.push_back(3005);
            } else if (k.meldungen.empty()) {
                k.meldungen.push_back(19902);
            }
        } else {
            k.meldungen.push_back(19902);
        }
    }
    std::set<int> gezeigt;
    for (int m : k.meldungen)
        if (gezeigt.insert(m).second)
            zeige_meldung(m);
    return ok;
}

} // namespace

bool klasse_sperren(int wk, const QString &akid, const QString &gewk)
{
    Tdm &db = dm();
    if (db.dialekt() != Dialekt::Postgres)
        return true; // the transaction's write lock already serialises writers
    // The key is a number worked out here, so the statement needs no
    // preparing (one round trip instead of three).
    const QByteArray name = QStringLiteral("obitrack.liste.%1|%2|%3").arg(wk).arg(akid, gewk).toUtf8();
    quint64 h = 14695981039346656037ULL; // FNV-1a
    for (const char c : name) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return db.Execute_SQL(QStringLiteral("select pg_advisory_xact_lock(%1)").arg(static_cast<qint64>(h)));
}

bool auto_kampf(int wk, const QString &akid, const QString &gewk)
{
    return mit_klasse(wk, akid, gewk, [](Klasse &k) {
        k.pass_bis_stabil();
        return true;
    });
}

bool schreibe_kampf(int wk, const QString &akid, const QString &gewk, bool streichung, int verlierer, int sieger,
                    int pos, const QString &bemerkung, const QString &zeit, const QString &wertung)
{
    return mit_klasse(wk, akid, gewk, [&](Klasse &k) {
        const Zeile *z = k.bout(pos);
        const bool paar = z && ((z->blau == sieger && z->weis == verlierer) || (z->weis == sieger && z->blau == verlierer));
        // Only a pending bout with exactly these fighters, or the same result
        // again; anything else means the list changed under the caller.
        if (!paar || !(z->stat == 1 || (z->stat == 5 && z->stnr == sieger)) || sieger < 0 || verlierer < 0) {
            k.meldungen.push_back(3005);
            return false;
        }
        k.ergebnis(streichung, verlierer, sieger, pos, bemerkung, zeit, wertung);
        k.pass_bis_stabil();
        return true;
    });
}

bool storno_kampf(int wk, const QString &akid, const QString &gewk, int pos, std::optional<int> erwarteter_sieger)
{
    return mit_klasse(wk, akid, gewk, [&](Klasse &k) {
        if (erwarteter_sieger) {
            const Zeile *z = k.bout(pos);
            if (!z || z->stat != 5 || z->stnr != *erwarteter_sieger) {
                k.meldungen.push_back(3005);
                return false;
            }
        }
        k.storno(pos);
        k.pass_bis_stabil();
        return true;
    });
}

void plaetze_rechnen_auto(int wk, const QString &akid, const QString &gewk)
{
    mit_klasse(wk, akid, gewk, [](Klasse &k) {
        if (ist_tabellenliste(k.typ()))
            k.tabelle_auto();
        k.pass_bis_stabil();
        return true;
    });
}

void schreibe_platz(int wk, int stnr, int platz)
{
    dm().Execute_SQL(QStringLiteral("update starter set STPLTZ = ? where STWKNR = ? and STSTNR = ?"),
                     { platz_text(platz), wk, stnr });
}

QString kampf_status(int status)
{
    switch (status) {
    case 0:
        return QStringLiteral("noch offen");
    case 1:
        return QStringLiteral("anstehend");
    case 5:
        return QStringLiteral("entschieden");
    default:
        return QString::number(status);
    }
}

int get_stnr(int wk, const QString &akid, const QString &gewk, int pos)
{
    auto q = dm().abfrage(QStringLiteral("select WLSTNR from wk_liste where") + wl_filter
                              + QStringLiteral(" and WLLPOS = ?"),
                          { wk, akid, gewk, pos });
    if (!q || !q->next())
        return -1;
    const QVariant v = q->value(0);
    if (q->next())
        return -1;
    return v.isNull() ? -1 : v.toInt();
}

int get_status_starter(int wk, int stnr)
{
    auto q = dm().abfrage(QStringLiteral("select STSTAT from starter where STWKNR = ? and STSTNR = ?"), { wk, stnr });
    if (!q || !q->next())
        return 0;
    const int s = zahl(q->value(0));
    return q->next() ? 0 : s;
}

Ergebnisse lesen_ergebnisse(int wk, int stnr, int bis_pos)
{
    Ergebnisse e;
    auto q = dm().abfrage(
        QStringLiteral("select w.WLSTNR, w.WLWRTG from wk_liste w inner join starter s "
                       "on s.STWKNR = w.WLWKNR and s.STAKID = w.WLAKID and s.STGEWK = w.WLGEWK "
                       "where s.STWKNR = ? and s.STSTNR = ? and (w.WLBLAU = ? or w.WLWEIS = ?) "
                       "and w.WLLPOS < 1000 and w.WLLPOS <= ? and w.WLBLAU > 0 and w.WLWEIS > 0"),
        { wk, stnr, stnr, stnr, bis_pos });
    while (q && q->next()) {
        const int sieger = zahl(q->value(0));
        if (sieger == stnr) {
            ++e.siege;
            e.plus += wertung_zahl(q->value(1).toString());
        } else if (sieger > 0) {
            e.minus += wertung_zahl(q->value(1).toString());
        }
    }
    return e;
}

QString lese_platz(int wk, int stnr, QChar art)
{
    Tdm &db = dm();
    if (art == QLatin1Char('E')) {
        auto q = db.abfrage(QStringLiteral("select STPLTZ from starter where STWKNR = ? and STSTNR = ?"), { wk, stnr });
        if (q && q->next())
            return q->value(0).toString();
        return {};
    }
    auto q = db.abfrage(QStringLiteral("select w.WLLPOS from wk_liste w inner join starter s "
                                       "on s.STWKNR = w.WLWKNR and s.STAKID = w.WLAKID and s.STGEWK = w.WLGEWK "
                                       "where s.STWKNR = ? and s.STSTNR = ? and w.WLSTNR = ? "
                                       "and w.WLLPOS > 5000 and w.WLLPOS < 6000"),
                        { wk, stnr, stnr });
    if (!q || !q->next())
        return {};
    const int pos = zahl(q->value(0));
    if (q->next())
        return {};
    return QString::number(pos % 100) + QLatin1Char('.');
}

std::optional<NameVerein> get_name_verein_stnr(int wk, int stnr)
{
    auto q = dm().abfrage(QStringLiteral("select STNAME, STVNAM, VENAME, VEVERB from starter inner join vereine "
                                         "on STWKNR = VEWKNR and STLOS = VELOS where STWKNR = ? and STSTNR = ?"),
                          { wk, stnr });
    if (!q || !q->next())
        return std::nullopt;
    NameVerein nv{ q->value(0).toString() + QStringLiteral(", ") + q->value(1).toString(),
                   q->value(2).toString() + QLatin1Char('/') + q->value(3).toString() };
    if (q->next())
        return std::nullopt;
    return nv;
}

NameVerein get_name_verein(int wk, const QString &akid, const QString &gewk, int pos)
{
    const int stnr = get_stnr(wk, akid, gewk, pos);
    if (stnr <= 0)
        return {};
    auto q = dm().abfrage(QStringLiteral("select STNAME, STVNAM, VENAME, VEVERB from starter inner join vereine "
                                         "on STWKNR = VEWKNR and STLOS = VELOS where STWKNR = ? and STSTNR = ?"),
                          { wk, stnr });
    if (!q || !q->next())
        return {};
    return { q->value(0).toString() + QStringLiteral(", ") + q->value(1).toString(),
             q->value(2).toString() + QLatin1Char('/') + q->value(3).toString() };
}

NameWertung get_name_wrtg(int wk, const QString &akid, const QString &gewk, int pos)
{
    if (pos <= 0)
        return {};
    auto q = dm().abfrage(QStringLiteral("select STNAME, STVNAM, WLWRTG, WLZEIT, WLDEL from wk_liste inner join starter "
                                         "on WLWKNR = STWKNR and WLSTNR = STSTNR where")
                              + wl_filter + QStringLiteral(" and WLLPOS = ?"),
                          { wk, akid, gewk, pos });
    if (!q || !q->next())
        return {};
    NameWertung n{ q->value(0).toString() + QStringLiteral(", ") + q->value(1).toString(), q->value(2).toString(),
                   q->value(3).toString() };
    if (zahl(q->value(4)) == 1) {
        n.wertung = QStringLiteral("**");
        n.zeit = QStringLiteral("***");
    }
    return n;
}

bool loeschen_protokoll(int wk, const QString &akid, const QString &gewk, int pos)
{
    return dm().Execute_SQL(QStringLiteral("delete from wk_protokoll where WPWKNR = ? and WPAKID = ? and WPGEWK = ? "
                                           "and WPLPOS = ?"),
                            { wk, akid, gewk, pos });
}

} // namespace obi
