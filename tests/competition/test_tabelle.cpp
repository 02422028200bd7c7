#include "support/dbtest.h"

#include "competition/listengenerierung.h"
#include "competition/tabelle.h"
#include "competition/tabelle_daten.h"
#include "core/datenbank.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace obi;
using obi::test::DbTest;

namespace {

// ---- Ranking without a database ------------------------------------------------

struct Ergebnis {
    int siege, plus, minus;
};

struct RangFall {
    const char *name;
    std::vector<Ergebnis> eingabe; // start numbers 1, 2, ... in this order
    bool platz32, platz52;
    std::vector<std::pair<int, const char *>> erwartet; // start number and place, ranking order
    bool eindeutig;
};

std::vector<TabellenZeile> zeilen_aus(const std::vector<Ergebnis> &e)
{
    std::vector<TabellenZeile> z;
    for (std::size_t i = 0; i < e.size(); ++i) {
        TabellenZeile t;
        t.stnr = static_cast<int>(i) + 1;
        t.siege = e[i].siege;
        t.plus = e[i].plus;
        t.minus = e[i].minus;
        t.platz = QStringLiteral("alt");
        z.push_back(t);
    }
    return z;
}

class Rangfolge : public ::testing::TestWithParam<RangFall>
{
};

TEST_P(Rangfolge, Plaetze)
{
    const RangFall &f = GetParam();
    auto z = zeilen_aus(f.eingabe);
    EXPECT_EQ(calc_plaetze(z, f.platz32, f.platz52), f.eindeutig);
    ASSERT_EQ(z.size(), f.erwartet.size());
    for (std::size_t i = 0; i < z.size(); ++i) {
        EXPECT_EQ(z[i].stnr, f.erwartet[i].first) << i;
        EXPECT_EQ(z[i].platz, QString::fromUtf8(f.erwartet[i].second)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabelle, Rangfolge,
    ::testing::Values(RangFall {"ZweiEinsNullSiege",
                                {{0, 0, 20}, {2, 20, 0}, {1, 10, 10}},
                                false,
                                false,
                                {{2, "1."}, {3, "2."}, {1, "3."}},
                                true},
                      RangFall {"GleicheSiegeUnterbewertungEntscheidet",
                                {{2, 10, 0}, {2, 15, 0}, {0, 0, 25}},
                                false,
                                false,
                                {{2, "1."}, {1, "2."}, {3, "3."}},
                                false},
                      RangFall {"WenigerGegenpunkteZuerst",
                                {{1, 10, 7}, {1, 10, 1}, {0, 0, 20}},
                                false,
                                false,
                                {{2, "1."}, {1, "2."}, {3, "3."}},
                                false},
                      RangFall {"GleicheWertungTeiltPlatz",
                                {{1, 10, 10}, {1, 10, 10}, {2, 20, 0}, {0, 0, 20}},
                                false,
                                false,
                                {{3, "1."}, {1, "2."}, {2, "2."}, {4, "4."}},
                                false},
                      RangFall {"GeteilterErsterPlatz",
                                {{2, 15, 5}, {2, 15, 5}, {0, 0, 30}},
                                false,
                                false,
                                {{1, "1."}, {2, "1."}, {3, "3."}},
                                false},
                      RangFall {"Platz32BeiFuenf",
                                {{0, 0, 40}, {1, 10, 30}, {2, 20, 20}, {3, 30, 10}, {4, 40, 0}},
                                true,
                                false,
                                {{5, "1."}, {4, "2."}, {3, "3."}, {2, "3.2"}, {1, "5."}},
                                true},
                      RangFall {"Platz52BeiSechs",
                                {{5, 50, 0}, {4, 40, 10}, {3, 30, 20}, {2, 20, 30}, {1, 10, 40}, {0, 0, 50}},
                                false,
                                true,
                                {{1, "1."}, {2, "2."}, {3, "3."}, {4, "4."}, {5, "5."}, {6, "5.2"}},
                                true},
                      RangFall {"OhneOptionenDurchgezaehlt",
                                {{5, 50, 0}, {4, 40, 10}, {3, 30, 20}, {2, 20, 30}, {1, 10, 40}, {0, 0, 50}},
                                false,
                                false,
                                {{1, "1."}, {2, "2."}, {3, "3."}, {4, "4."}, {5, "5."}, {6, "6."}},
                                true},
                      RangFall {"EinTeilnehmer", {{0, 0, 0}}, true, true, {{1, "1."}}, true}),
    [](const ::testing::TestParamInfo<RangFall> &i) { return std::string(i.param.name); });

TEST(Tabelle, MehrAlsZwanzigTeilnehmer)
{
    std::vector<Ergebnis> e;
    for (int i = 0; i < 25; ++i)
        e.push_back({i, i * 10, 250 - i * 10});
    auto z = zeilen_aus(e);
    EXPECT_TRUE(calc_plaetze(z, false, false));
    ASSERT_EQ(z.size(), 25u);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(z[i].stnr, 25 - i);
        EXPECT_EQ(z[i].platz, QString::number(i + 1) + u'.');
    }
}

TEST(Tabelle, LeereTabelle)
{
    std::vector<TabellenZeile> z;
    EXPECT_TRUE(calc_plaetze(z, true, true));
    EXPECT_TRUE(z.empty());
}

TEST(Tabelle, WertungZahl)
{
    const std::vector<std::pair<const char *, int>> faelle = {
        {"07", 7}, {"", 0}, {"10", 10}, {"Ippon", 0}, {"0 1 0", 10}, {"1.0", 10},
    };
    for (const auto &[text, zahl] : faelle)
        EXPECT_EQ(wertung_zahl(QString::fromUtf8(text)), zahl) << text;
}

TEST(Tabelle, PlatzZahl)
{
    const std::vector<std::pair<const char *, int>> faelle = {{"1.", 1}, {"3.2", 32}, {"", 0}, {" .", 0}};
    for (const auto &[text, zahl] : faelle)
        EXPECT_EQ(platz_zahl(QString::fromUtf8(text)), zahl) << text;
}

TEST(Tabelle, PlatzText)
{
    const char *erwartet[] = {"", "1.", "2.", "3.1", "3.2", "5.1", "5.2", "7.1", "7.2"};
    for (int n = 0; n <= 8; ++n)
        EXPECT_EQ(platz_text(n), QString::fromUtf8(erwartet[n])) << n;
}

TEST(Tabelle, Vollstaendigkeit)
{
    struct Fall {
        int tabk, anstehend, entschieden, ergebnis;
    };
    const Fall faelle[] = {
        {6, 9998, 6, 0}, // round robin, everything decided
        {6, 4, 6, 3009}, // a table bout still pending
        {6, 9998, 3, 3009}, // the last bouts not decided
        {6, 9998, 0, 3009}, // nothing decided
        {12, 13, 12, 0}, // pools done, final round pending
        {12, 9998, 13, 3010}, // a final round bout decided
        {12, 14, 13, 3010}, // one final bout decided, the other pending
        {12, 5, 13, 3009}, // a pool bout open, a later one decided
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(tabelle_vollstaendig(f.tabk, f.anstehend, f.entschieden), f.ergebnis)
            << f.tabk << ' ' << f.anstehend << ' ' << f.entschieden;
}

// ---- Table data on both databases --------------------------------------------------

const int wk = 1;
const QString ak = QStringLiteral("U15m");
const QString gk = QStringLiteral("-50");

class TabelleDaten : public DbTest
{
protected:
    Tdm &db() { return datenmodul(); }

    void verein(int los, const QString &name, const QString &verband)
    {
        ASSERT_TRUE(
            db().Execute_SQL(QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (?, ?, ?, ?)"),
                             {wk, los, name, verband}));
    }
    // Participant with a fixed slot (STSETZ), so the list layout is known.
    void starter(int stnr, int setz, const QString &name, int los = 1, const QString &gewk = gk)
    {
        ASSERT_TRUE(db().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                           "STSORT, STPLTZ, STSTAT) values (?, ?, ?, ?, ?, ?, ?, ?, 0, '', 0)"),
            {wk, stnr, ak, gewk, name, QStringLiteral("Vor%1").arg(stnr), los, setz}));
    }
    void liste(const QString &typ, const QString &gewk = gk)
    {
        QString t = typ;
        ASSERT_TRUE(schreiben_liste(wk, ak, gewk, t, false));
        ASSERT_EQ(t, typ);
    }
    int stnr_in(int slot, const QString &gewk = gk)
    {
        return db()
            .einzelwert(QStringLiteral("select WLSTNR from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                       "and WLLPOS = ?"),
                        {wk, ak, gewk, slot})
            .toInt();
    }
    // The bout between two slots, as its template names them.
    int kampf(int slot_a, int slot_b, const QString &gewk = gk)
    {
        const QString typ = db().einzelwert(QStringLiteral("select WLLTYP from wk_liste where WLWKNR = ? and "
                                                           "WLAKID = ? and WLGEWK = ? and WLLPOS = 1001"),
                                            {wk, ak, gewk})
                                .toString();
        const QVariant pos = db().einzelwert(
            QStringLiteral("select LDLPOS from listdef where LDLTYP = ? and ((LDBLAU = ? and LDWEIS = ?) or "
                           "(LDBLAU = ? and LDWEIS = ?))"),
            {typ, slot_a, slot_b, slot_b, slot_a});
        EXPECT_TRUE(pos.isValid()) << slot_a << '-' << slot_b;
        return pos.toInt();
    }
    // Writes a bout as the results do: fighters, winner, status, score.
    void setze_kampf(int pos, int blau, int weis, int sieger, int status, const QString &wertung,
                     const QString &gewk = gk)
    {
        ASSERT_TRUE(db().Execute_SQL(
            QStringLiteral("update wk_liste set WLBLAU = ?, WLWEIS = ?, WLSTNR = ?, WLSTAT = ?, WLWRTG = ? "
                           "where WLWKNR = ? and WLAKID = ? and WLGEWK = ? and WLLPOS = ?"),
            {blau, weis, sieger, status, wertung, wk, ak, gewk, pos}));
    }
    // Slot a beats slot b with the score.
    void sieg(int slot_a, int slot_b, const QString &wertung, const QString &gewk = gk)
    {
        const int pos = kampf(slot_a, slot_b, gewk);
        setze_kampf(pos, stnr_in(slot_a, gewk), stnr_in(slot_b, gewk), stnr_in(slot_a, gewk), 5, wertung, gewk);
    }
    void anstehend(int slot_a, int slot_b, int status = 1)
    {
        const int pos = kampf(slot_a, slot_b);
        setze_kampf(pos, stnr_in(slot_a), stnr_in(slot_b), -1, status, QString());
    }
    QString platz(int stnr)
    {
        return db()
            .einzelwert(QStringLiteral("select STPLTZ from starter where STWKNR = ? and STSTNR = ?"), {wk, stnr})
            .toString();
    }
    // Pool place rows of the class: position -> start number.
    std::map<int, int> poolplaetze()
    {
        std::map<int, int> m;
        auto q = db().abfrage(QStringLiteral("select WLLPOS, WLSTNR, WLSTAT, WLSORT, WLLTYP from wk_liste where "
                                             "WLWKNR = ? and WLAKID = ? and WLGEWK = ? and WLLPOS > 5000 and "
                                             "WLLPOS < 6000"),
                              {wk, ak, gk});
        while (q && q->next()) {
            m[q->value(0).toInt()] = q->value(1).toInt();
            EXPECT_EQ(q->value(2).toInt(), 9);
            EXPECT_EQ(q->value(3).toInt(), q->value(0).toInt());
            EXPECT_EQ(q->value(4).toString(), QStringLiteral("POOL8"));
        }
        return m;
    }

    // Round robin of four: slot k holds start number 10 + k. Slot 1 wins
    // everything 10:0, slot 2 beats 3 (07) and 4 (01), slot 3 beats 4 (10).
    void vier_jgj(bool alle = true)
    {
        verein(1, QStringLiteral("JC Nord"), QStringLiteral("NWJV"));
        verein(2, QStringLiteral("JC Süd"), QStringLiteral("BJV"));
        starter(11, 1, QStringLiteral("Adler"), 1);
        starter(12, 2, QStringLiteral("Becker"), 2);
        starter(13, 3, QStringLiteral("Claus"), 1);
        starter(14, 4, QStringLiteral("Dorn"), 7); // club row missing
        liste(QStringLiteral("JGJ04"));
        sieg(1001, 1002, QStringLiteral("10"));
        sieg(1001, 1003, QStringLiteral("10"));
        sieg(1001, 1004, QStringLiteral("10"));
        sieg(1002, 1003, QStringLiteral("07"));
        sieg(1002, 1004, QStringLiteral("01"));
        if (alle)
            sieg(1003, 1004, QStringLiteral("10"));
    }

    // Pools of four: slot k holds start number 20 + k; the lower slot of a
    // pool bout always wins 10:0, so pool places follow slot order.
    void acht_pool()
    {
        verein(1, QStringLiteral("JC Nord"), QStringLiteral("NWJV"));
        for (int k = 1; k <= 8; ++k)
            starter(20 + k, k, QStringLiteral("Teil%1").arg(k));
        liste(QStringLiteral("POOL8"));
        for (int a = 1; a <= 8; ++a)
            for (int b = a + 2; b <= 8; b += 2)
                sieg(1000 + a, 1000 + b, QStringLiteral("10"));
    }

    TabellenInfo info(bool meldungen = false)
    {
        const auto i = pruefen_auswahl(wk, ak, gk, meldungen);
        EXPECT_TRUE(i.has_value());
        return i.value_or(TabellenInfo {});
    }
};

TEST_P(TabelleDaten, AuswahlOhneListeUndOhneTabelle)
{
    starter(1, 0, QStringLiteral("Adler"));
    starter(2, 0, QStringLiteral("Becker"), 1, QStringLiteral("-55"));
    int fehler = 0;
    EXPECT_FALSE(pruefen_auswahl(wk, ak, gk, true, &fehler).has_value());
    erwarteMeldung(3004);
    EXPECT_EQ(fehler, 3004);
    EXPECT_FALSE(pruefen_auswahl(wk, ak, gk, false, &fehler).has_value());
    EXPECT_EQ(fehler, 3004);

    liste(QStringLiteral("DOPPELKO16"), QStringLiteral("-55"));
    EXPECT_FALSE(pruefen_auswahl(wk, ak, QStringLiteral("-55"), true, &fehler).has_value());
    erwarteMeldung(3008);
    EXPECT_EQ(fehler, 3008);
    EXPECT_FALSE(pruefen_auswahl(wk, ak, QStringLiteral("-55"), false, &fehler).has_value());
    EXPECT_EQ(fehler, 3008);
}

TEST_P(TabelleDaten, AuswahlListentypen)
{
    vier_jgj();
    const TabellenInfo j = info(true);
    EXPECT_EQ(j.ltyp, QStringLiteral("JGJ04"));
    EXPECT_EQ(j.lbez, QStringLiteral("Jeder gegen Jeder (4 Teiln.)"));
    EXPECT_EQ(j.tabk, 6);
    EXPECT_EQ(j.pool, 1);
    EXPECT_FALSE(j.zwei_pools());

    for (int k = 1; k <= 5; ++k)
        starter(40 + k, k, QStringLiteral("P%1").arg(k), 1, QStringLiteral("-60"));
    liste(QStringLiteral("POOL8"), QStringLiteral("-60"));
    const auto p = pruefen_auswahl(wk, ak, QStringLiteral("-60"), true);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->ltyp, QStringLiteral("POOL8"));
    EXPECT_EQ(p->tabk, 12);
    EXPECT_TRUE(p->zwei_pools());
}

TEST_P(TabelleDaten, EineTabelleLesen)
{
    vier_jgj();
    ASSERT_TRUE(
        db().Execute_SQL(QStringLiteral("update starter set STPLTZ = '2.' where STWKNR = ? and STSTNR = 12"), {wk}));
    // Pool number does not matter for a single table.
    for (const int pool : {1, 2, 99}) {
        bool ok = false;
        const auto z = tabelle_lesen(wk, ak, gk, info(), pool, &ok);
        EXPECT_TRUE(ok);
        ASSERT_EQ(z.size(), 4u);
        const struct {
            int stnr, slot;
            const char *name, *verein;
            int siege, plus, minus;
            const char *platz;
        } erwartet[] = {
            {11, 1001, "Adler, Vor11", "JC Nord/NWJV", 3, 30, 0, ""},
            {12, 1002, "Becker, Vor12", "JC Süd/BJV", 2, 8, 10, "2."},
            {13, 1003, "Claus, Vor13", "JC Nord/NWJV", 1, 10, 17, ""},
            {14, 1004, "Dorn, Vor14", "", 0, 0, 21, ""},
        };
        for (std::size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(z[i].stnr, erwartet[i].stnr);
            EXPECT_EQ(z[i].slot, erwartet[i].slot);
            EXPECT_EQ(z[i].name, QString::fromUtf8(erwartet[i].name));
            EXPECT_EQ(z[i].verein, QString::fromUtf8(erwartet[i].verein));
            EXPECT_EQ(z[i].siege, erwartet[i].siege);
            EXPECT_EQ(z[i].plus, erwartet[i].plus);
            EXPECT_EQ(z[i].minus, erwartet[i].minus);
            EXPECT_EQ(z[i].platz, QString::fromUtf8(erwartet[i].platz));
        }
    }
}

TEST_P(TabelleDaten, TabelleVollstaendigOderNicht)
{
    vier_jgj(false);
    const int letzter = kampf(1003, 1004);
    // The last table bout still pending.
    anstehend(1003, 1004);
    EXPECT_FALSE(listedit_ok(wk, ak, gk, 6, true));
    erwarteMeldung(3009);
    EXPECT_FALSE(listedit_ok(wk, ak, gk, 6, false));

    // A table bout whose fighters are not yet known counts as undecided too.
    setze_kampf(letzter, 13, 14, 13, 5, QStringLiteral("10"));
    const int frueher = kampf(1001, 1002);
    setze_kampf(frueher, -1, -1, -1, 0, QString());
    EXPECT_FALSE(listedit_ok(wk, ak, gk, 6, true));
    erwarteMeldung(3009);

    sieg(1001, 1002, QStringLiteral("10"));
    EXPECT_TRUE(listedit_ok(wk, ak, gk, 6, true));

    // A pending bout of another class does not block this one.
    starter(31, 1, QStringLiteral("Eck"), 1, QStringLiteral("-60"));
    starter(32, 2, QStringLiteral("Fink"), 1, QStringLiteral("-60"));
    liste(QStringLiteral("JGJ02"), QStringLiteral("-60"));
    setze_kampf(1, 31, 32, -1, 1, QString(), QStringLiteral("-60"));
    EXPECT_TRUE(listedit_ok(wk, ak, gk, 6, true));
}

TEST_P(TabelleDaten, PoolNachTabelleGesperrt)
{
    acht_pool();
    EXPECT_TRUE(listedit_ok(wk, ak, gk, 12, true));
    // The semi-finals wait for the pool places; one of them pending is fine.
    setze_kampf(13, 21, 24, -1, 1, QString());
    EXPECT_TRUE(listedit_ok(wk, ak, gk, 12, true));
    setze_kampf(13, 21, 24, 21, 5, QStringLiteral("10"));
    EXPECT_FALSE(listedit_ok(wk, ak, gk, 12, true));
    erwarteMeldung(3010);
    EXPECT_FALSE(listedit_ok(wk, ak, gk, 12, false));
}

TEST_P(TabelleDaten, PoolBZeigtGeradePlaetze)
{
    acht_pool();
    const TabellenInfo i = info();
    ASSERT_TRUE(i.zwei_pools());
    for (const int pool : {1, 2, 99}) {
        bool ok = false;
        const auto z = tabelle_lesen(wk, ak, gk, i, pool, &ok);
        EXPECT_TRUE(ok);
        ASSERT_EQ(z.size(), 4u) << pool;
        for (std::size_t k = 0; k < 4; ++k) {
            const int slot = 1000 + static_cast<int>(2 * k) + (pool == 2 ? 2 : 1);
            EXPECT_EQ(z[k].slot, slot) << pool;
            EXPECT_EQ(z[k].stnr, slot - 980);
            // Pool bouts only: the lower slot won every bout 10:0.
            EXPECT_EQ(z[k].siege, 3 - static_cast<int>(k));
            EXPECT_EQ(z[k].plus, 10 * (3 - static_cast<int>(k)));
            EXPECT_EQ(z[k].minus, 10 * static_cast<int>(k));
            EXPECT_TRUE(z[k].platz.isEmpty());
        }
    }
    EXPECT_FALSE(richtiger_pool(i, 2, 1001));
    EXPECT_TRUE(richtiger_pool(i, 2, 1008));
    EXPECT_TRUE(richtiger_pool(i, 1, 1007));
    EXPECT_EQ(pool_nummer(QStringLiteral("Pool A")), 1);
    EXPECT_EQ(pool_nummer(QStringLiteral("Pool B")), 2);
    EXPECT_GT(pool_nummer(QStringLiteral("Pool C")), 9);
}

TEST_P(TabelleDaten, PlaetzeEinerTabelleSpeichern)
{
    vier_jgj();
    starter(50, 0, QStringLiteral("Anders"), 1, QStringLiteral("-60"));
    ASSERT_TRUE(db().Execute_SQL(QStringLiteral("update starter set STPLTZ = '5.' where STWKNR = ? and STSTNR in "
                                                "(13, 50)"),
                                 {wk}));
    auto z = tabelle_lesen(wk, ak, gk, info(), 1);
    ASSERT_EQ(z.size(), 4u);
    EXPECT_TRUE(calc_plaetze(z, false, false));
    z[2].platz = QStringLiteral(" "); // emptied by the operator
    ASSERT_TRUE(write_plaetze_starter(wk, ak, gk, z));
    EXPECT_EQ(platz(11), QStringLiteral("1."));
    EXPECT_EQ(platz(12), QStringLiteral("2."));
    EXPECT_EQ(platz(13), QString()); // cleared although it had a place
    EXPECT_EQ(platz(14), QStringLiteral("4."));
    EXPECT_EQ(platz(50), QStringLiteral("5.")); // other class untouched

    // A place too long for the column: nothing changes.
    z[0].platz = QStringLiteral("12345678901");
    EXPECT_FALSE(write_plaetze_starter(wk, ak, gk, z));
    erwarteMeldung(31050);
    EXPECT_EQ(platz(11), QStringLiteral("1."));
    EXPECT_EQ(platz(14), QStringLiteral("4."));
}

TEST_P(TabelleDaten, PlaetzeVonPoolBSpeichern)
{
    acht_pool();
    const TabellenInfo i = info();
    // Pool A saved earlier stays as it is.
    auto a = tabelle_lesen(wk, ak, gk, i, 1);
    EXPECT_TRUE(calc_plaetze(a, false, false));
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, a));

    auto b = tabelle_lesen(wk, ak, gk, i, 2);
    EXPECT_TRUE(calc_plaetze(b, false, false));
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 2, b));
    std::map<int, int> erwartet {{5101, 21}, {5102, 23}, {5103, 25}, {5104, 27},
                                 {5201, 22}, {5202, 24}, {5203, 26}, {5204, 28}};
    EXPECT_EQ(poolplaetze(), erwartet);

    // The saved pool places come back with the table.
    const auto gelesen = tabelle_lesen(wk, ak, gk, i, 2);
    ASSERT_EQ(gelesen.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(gelesen[k].platz, QString::number(k + 1) + u'.');

    // Saving again replaces the rows of the pool: blank places drop out.
    b[2].platz.clear();
    b[3].platz = QStringLiteral(" ");
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 2, b));
    erwartet.erase(5203);
    erwartet.erase(5204);
    EXPECT_EQ(poolplaetze(), erwartet);
}

TEST_P(TabelleDaten, PoolplaetzeFuellenDieEndrunde)
{
    acht_pool();
    const TabellenInfo i = info();
    auto a = tabelle_lesen(wk, ak, gk, i, 1);
    auto b = tabelle_lesen(wk, ak, gk, i, 2);
    EXPECT_TRUE(calc_plaetze(a, false, false));
    EXPECT_TRUE(calc_plaetze(b, false, false));
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, a));
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 2, b));
    // Bout 14 names 5102 (second of Pool A) and 5201 (winner of Pool B).
    auto q = db().abfrage(QStringLiteral("select WLBLAU, WLWEIS, WLSTAT from wk_liste where WLWKNR = ? and "
                                         "WLAKID = ? and WLGEWK = ? and WLLPOS = 14"),
                          {wk, ak, gk});
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(0).toInt(), 23);
    EXPECT_EQ(q->value(1).toInt(), 22);
    EXPECT_EQ(q->value(2).toInt(), 1);
    // Still before any final round result: the places may be saved again.
    EXPECT_TRUE(listedit_ok(wk, ak, gk, i.tabk, true));
}

TEST_P(TabelleDaten, GetipptePoolplatzZweistellig)
{
    acht_pool();
    const TabellenInfo i = info();
    auto a = tabelle_lesen(wk, ak, gk, i, 1);
    ASSERT_EQ(a.size(), 4u);
    a[0].platz = QStringLiteral("1.");
    a[1].platz = QStringLiteral("2.");
    a[2].platz = QStringLiteral("3.");
    a[3].platz = QStringLiteral("3.2");
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, a));
    const std::map<int, int> erwartet {{5101, 21}, {5102, 23}, {5103, 25}, {5132, 27}};
    EXPECT_EQ(poolplaetze(), erwartet);
}

TEST_P(TabelleDaten, UngueltigerPoolSpeichertNichts)
{
    acht_pool();
    const TabellenInfo i = info();
    auto a = tabelle_lesen(wk, ak, gk, i, 1);
    EXPECT_TRUE(calc_plaetze(a, false, false));
    ASSERT_TRUE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, a));
    const auto vorher = poolplaetze();
    ASSERT_EQ(vorher.size(), 4u);

    for (const int pool : {pool_nummer(QStringLiteral("")), 10, 0}) {
        EXPECT_FALSE(write_plaetze_pool(wk, ak, gk, i.ltyp, pool, a)) << pool;
        erwarteMeldung(31050);
    }
    // Two participants on one place, or a place beyond the pool's rows, would
    // collide or land in the next pool: refused before anything is deleted.
    auto doppelt = a;
    doppelt[1].platz = QStringLiteral("1.");
    EXPECT_FALSE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, doppelt));
    erwarteMeldung(31050);
    auto gross = a;
    gross[3].platz = QStringLiteral("100.");
    EXPECT_FALSE(write_plaetze_pool(wk, ak, gk, i.ltyp, 1, gross));
    erwarteMeldung(31050);
    EXPECT_EQ(poolplaetze(), vorher);
}

TEST_P(TabelleDaten, KaempfeEinesTeilnehmers)
{
    vier_jgj(false);
    anstehend(1003, 1004);
    auto k = kaempfe_von(wk, ak, gk, 13, 6);
    ASSERT_EQ(k.size(), 3u);
    std::map<QString, std::pair<QString, QString>> nach_gegner;
    for (const KampfZeile &z : k)
        nach_gegner[z.gegner] = {z.ergebnis, z.wertung};
    EXPECT_EQ(nach_gegner[QStringLiteral("Adler, Vor11")],
              std::make_pair(QStringLiteral("verloren"), QStringLiteral("10")));
    EXPECT_EQ(nach_gegner[QStringLiteral("Becker, Vor12")],
              std::make_pair(QStringLiteral("verloren"), QStringLiteral("07")));
    EXPECT_EQ(nach_gegner[QStringLiteral("Dorn, Vor14")], std::make_pair(QStringLiteral("offen"), QStringLiteral(" ")));

    k = kaempfe_von(wk, ak, gk, 11, 6);
    ASSERT_EQ(k.size(), 3u);
    for (const KampfZeile &z : k)
        EXPECT_EQ(z.ergebnis, QStringLiteral("gewonnen"));
    // Bouts after the table do not belong to it.
    EXPECT_TRUE(kaempfe_von(wk, ak, gk, 11, 0).empty());
}

TEST_P(TabelleDaten, KaempfeInBoutReihenfolge)
{
    vier_jgj();
    // Opponents of slot 1 by the position of their bout.
    std::map<int, QString> nach_pos;
    nach_pos[kampf(1001, 1002)] = QStringLiteral("Becker, Vor12");
    nach_pos[kampf(1001, 1003)] = QStringLiteral("Claus, Vor13");
    nach_pos[kampf(1001, 1004)] = QStringLiteral("Dorn, Vor14");
    const auto k = kaempfe_von(wk, ak, gk, 11, 6);
    ASSERT_EQ(k.size(), 3u);
    std::size_t i = 0;
    for (const auto &[pos, name] : nach_pos)
        EXPECT_EQ(k[i++].gegner, name) << pos;
}

TEST_P(TabelleDaten, IniOptionenNurFuerEineTabelle)
{
    const struct {
        const char *ini;
        bool p32, p52;
    } faelle[] = {
        {"", false, false},
        {"[control]\nplatz32=1\n", true, false},
        {"[control]\nplatz52=1\nplatz32=0\n", false, true},
        {"[control]\nplatz32=ja2\nplatz52=nein\n", true, false},
    };
    TabellenInfo eine;
    eine.pool = 1;
    TabellenInfo pools;
    pools.pool = 2;
    for (const auto &f : faelle) {
        schreibeIni(QString::fromUtf8(f.ini));
        const TabellenOptionen o = tabellen_optionen(eine);
        EXPECT_EQ(o.platz32, f.p32) << f.ini;
        EXPECT_EQ(o.platz52, f.p52) << f.ini;
        const TabellenOptionen p = tabellen_optionen(pools);
        EXPECT_FALSE(p.platz32);
        EXPECT_FALSE(p.platz52);
    }
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(TabelleDaten);

} // namespace
