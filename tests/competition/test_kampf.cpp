#include "support/dbtest.h"

#include "listenvorlagen_testdaten.h"

#include "competition/kampf.h"
#include "competition/listengenerierung.h"
#include "competition/listenvorlagen.h"
#include "core/datenbank.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <chrono>
#include <thread>

using namespace obi;
using obi::test::DbTest;
using obi::test::vorlage;

namespace {

const int wk = 1;
const QString ak = QStringLiteral("U18m");
const QString gk = QStringLiteral("-60");

struct Bout {
    int stnr = -1, blau = -1, weis = -1, stat = -1;
    QString wrtg, zeit, text;
    int del = 0;
    bool operator==(const Bout &o) const
    {
        return stnr == o.stnr && blau == o.blau && weis == o.weis && stat == o.stat && wrtg == o.wrtg
            && zeit == o.zeit && text == o.text && del == o.del;
    }
};

class Kampf : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (1, 1, 'JC Test', 'BY')")));
    }

    void starter(int stnr, const QString &gewk = gk)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                           "STSORT, STPLTZ, STSTAT) values (?, ?, ?, ?, ?, ?, 1, 0, 0, '', 0)"),
            { wk, stnr, ak, gewk, QStringLiteral("Name%1").arg(stnr, 4, 10, QLatin1Char('0')), QStringLiteral("V") }));
    }
    void starter_n(int n, const QString &gewk = gk, int ab = 1)
    {
        for (int i = ab; i < ab + n; ++i)
            starter(i, gewk);
    }
    void liste(const QString &typ, const QString &gewk = gk)
    {
        QString t = typ;
        ASSERT_TRUE(schreiben_liste(wk, ak, gewk, t, false));
        ASSERT_EQ(t, typ);
    }
    std::map<int, Bout> zeilen(const QString &gewk = gk)
    {
        std::map<int, Bout> m;
        auto q = datenmodul().abfrage(QStringLiteral("select WLLPOS, WLSTNR, WLBLAU, WLWEIS, WLSTAT, WLWRTG, WLZEIT, "
                                                     "WLTEXT, WLDEL from wk_liste where WLWKNR = ? and WLAKID = ? "
                                                     "and WLGEWK = ?"),
                                      { wk, ak, gewk });
        while (q && q->next()) {
            Bout b;
            b.stnr = q->value(1).isNull() ? -99 : q->value(1).toInt();
            b.blau = q->value(2).isNull() ? -1 : q->value(2).toInt();
            b.weis = q->value(3).isNull() ? -1 : q->value(3).toInt();
            b.stat = q->value(4).toInt();
            b.wrtg = q->value(5).toString();
            b.zeit = q->value(6).toString();
            b.text = q->value(7).toString();
            b.del = q->value(8).toInt();
            m[q->value(0).toInt()] = b;
        }
        return m;
    }
    Bout bout(int pos) { return zeilen()[pos]; }
    QString platz(int stnr)
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select STPLTZ from starter where STWKNR = ? and STSTNR = ?"), { wk, stnr })
            .toString();
    }
    std::map<int, QString> plaetze(const QString &gewk = gk)
    {
        std::map<int, QString> m;
        auto q = datenmodul().abfrage(
            QStringLiteral("select STSTNR, STPLTZ from starter where STWKNR = ? and STAKID = ? and STGEWK = ?"),
            { wk, ak, gewk });
        while (q && q->next())
            m[q->value(0).toInt()] = q->value(1).toString();
        return m;
    }
    // Stores a result for a pending bout: the blue or the white fighter wins.
    bool gewinnt(int pos, bool blau, const QString &wrtg = QStringLiteral("10"), const QString &gewk = gk)
    {
        const Bout b = zeilen(gewk)[pos];
        return schreibe_kampf(wk, ak, gewk, false, blau ? b.weis : b.blau, blau ? b.blau : b.weis, pos,
                              QStringLiteral("Bem"), QStringLiteral("2:34"), wrtg);
    }
    // Decides every pending bout with the blue fighter winning until none is left.
    int alle_blau(const QString &gewk = gk)
    {
        int n = 0;
        for (bool weiter = true; weiter;) {
            weiter = false;
            for (const auto &[pos, b] : zeilen(gewk))
                if (pos < 1000 && b.stat == 1) {
                    EXPECT_TRUE(gewinnt(pos, true, QStringLiteral("10"), gewk)) << pos;
                    ++n;
                    weiter = true;
                    break;
                }
        }
        return n;
    }
    void streichen(int stnr, int code)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSTAT = ? where STWKNR = ? and "
                                                            "STSTNR = ?"),
                                             { code, wk, stnr }));
    }
};

TEST_P(Kampf, FreilosWirdBeiDerErstellungEntschieden)
{
    starter_n(5);
    liste(QStringLiteral("DOPPELKO16"));
    const auto m = zeilen();
    const Listenvorlage &v = vorlage(QStringLiteral("DOPPELKO16"));
    int kampflos = 0;
    for (const Listenzeile &z : v.zeilen) {
        const Bout &b = m.at(z.pos);
        // Fighters are always the current occupants of the named positions.
        if (b.stat >= 1) {
            EXPECT_EQ(b.blau, m.at(z.blau).stnr) << z.pos;
            EXPECT_EQ(b.weis, m.at(z.weis).stnr) << z.pos;
        }
        const bool freilos = b.blau >= 0 && b.weis >= 0 && (b.blau == 0 || b.weis == 0);
        EXPECT_EQ(freilos, b.stat == 5) << z.pos;
        if (freilos) {
            ++kampflos;
            EXPECT_EQ(b.stnr, std::max(b.blau, b.weis));
            EXPECT_EQ(b.text, QStringLiteral("kampflos"));
            EXPECT_EQ(b.zeit, QStringLiteral("0:00"));
            EXPECT_EQ(b.wrtg, QStringLiteral("10"));
            if (z.verl > 2000 && z.verl < 3000) {
                EXPECT_EQ(m.at(z.verl).stnr, 0) << "Verliererplatz " << z.verl;
            }
        }
        // A bye against an undecided bout waits.
        if ((b.blau == 0 && b.weis == -1) || (b.weis == 0 && b.blau == -1)) {
            EXPECT_EQ(b.stat, 0) << z.pos;
        }
    }
    EXPECT_GT(kampflos, 5); // two free slots meeting also decide, with winner 0
}

TEST_P(Kampf, StreichungenEntscheidenKaempfe)
{
    starter_n(3);
    streichen(1, 11);
    streichen(2, 12);
    liste(QStringLiteral("JGJ03"));
    const auto m = zeilen();
    for (const Listenzeile &z : vorlage(QStringLiteral("JGJ03")).zeilen) {
        const Bout &b = m.at(z.pos);
        ASSERT_EQ(b.stat, 5) << z.pos;
        EXPECT_EQ(b.del, 1);
        const std::set<int> paar{ b.blau, b.weis };
        if (paar == std::set<int>{ 1, 2 }) {
            EXPECT_EQ(b.stnr, 1); // the higher code loses
            EXPECT_EQ(b.text, QStringLiteral("Verlierer war disqualifiziert"));
        } else {
            EXPECT_EQ(b.stnr, 3);
            EXPECT_EQ(b.text, b.blau == 1 || b.weis == 1 ? QStringLiteral("Verlierer war verletzt")
                                                         : QStringLiteral("Verlierer war disqualifiziert"));
        }
    }
    // The table of three with 2, 1 and 0 wins is complete: places are written.
    erwarteMeldung(310);
    EXPECT_EQ(platz(3), QStringLiteral("1."));
    EXPECT_EQ(platz(1), QStringLiteral("2."));
    EXPECT_EQ(platz(2), QStringLiteral("3."));
}

TEST_P(Kampf, GleicherStreichcodeWeissVerliert)
{
    starter_n(2);
    liste(QStringLiteral("JGJ02"));
    streichen(1, 11);
    streichen(2, 11);
    ASSERT_TRUE(auto_kampf(wk, ak, gk));
    erwarteMeldung(310);
    const Bout b = bout(1);
    EXPECT_EQ(b.stat, 5);
    EXPECT_EQ(b.stnr, b.blau);
}

TEST_P(Kampf, FinaleGibtPlaetzeUndVerliererplatz)
{
    starter_n(8);
    liste(QStringLiteral("KODT32"));
    EXPECT_GT(alle_blau(), 0);
    std::multiset<QString> erwartet{ QStringLiteral("1."),  QStringLiteral("2."),  QStringLiteral("3.1"),
                                     QStringLiteral("3.2"), QStringLiteral("5.1"), QStringLiteral("5.2"),
                                     QStringLiteral("7.1"), QStringLiteral("7.2") };
    std::multiset<QString> vergeben;
    for (const auto &[stnr, p] : plaetze())
        if (!p.isEmpty())
            vergeben.insert(p);
    EXPECT_EQ(vergeben, erwartet);
    for (const auto &[pos, b] : zeilen())
        if (pos < 1000) {
            EXPECT_TRUE(b.stat == 5 || b.stat == 0) << pos; // nothing left pending
        }
}

TEST_P(Kampf, VeralteterStandWirdAbgelehnt)
{
    starter_n(2);
    liste(QStringLiteral("JGJ02"));
    const Bout b = bout(1);
    // Fighters that are not the bout's: someone else changed the list.
    EXPECT_FALSE(schreibe_kampf(wk, ak, gk, false, 7, b.blau, 1, QString(), QStringLiteral("1:00"),
                                QStringLiteral("10")));
    erwarteMeldung(3005);
    EXPECT_EQ(bout(1).stat, 1);
    ASSERT_TRUE(gewinnt(1, true));
    erwarteMeldung(310);
    // The other fighter cannot win the decided bout without an annulment.
    EXPECT_FALSE(gewinnt(1, false));
    erwarteMeldung(3005);
    EXPECT_EQ(bout(1).stnr, b.blau);
}

TEST_P(Kampf, FehlendeVorlagenzeile)
{
    starter_n(2);
    liste(QStringLiteral("JGJ02"));
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from listdef where LDLTYP = 'JGJ02' and LDLPOS = 1")));
    EXPECT_TRUE(gewinnt(1, true));
    erwarteMeldung(3006);
    EXPECT_EQ(bout(1).stat, 5); // the bout row itself is stored
}

TEST_P(Kampf, WertungMitNullZaehltAlsZahl)
{
    starter_n(3);
    liste(QStringLiteral("JGJ03"));
    const auto m = zeilen();
    for (const auto &[pos, b] : m)
        if (pos < 1000 && (b.blau == 1 || b.weis == 1)) {
            ASSERT_TRUE(gewinnt(pos, b.blau == 1, QStringLiteral("07")));
        }
    const Ergebnisse e = lesen_ergebnisse(wk, 1, 9999);
    EXPECT_EQ(e.siege, 2);
    EXPECT_EQ(e.plus, 14);
    EXPECT_EQ(e.minus, 0);
    const Ergebnisse e2 = lesen_ergebnisse(wk, 2, 9999);
    EXPECT_EQ(e2.siege, 0);
    EXPECT_EQ(e2.minus, 7);
}

TEST_P(Kampf, GleicheSiegeWerdenNichtGespeichert)
{
    starter_n(3);
    liste(QStringLiteral("JGJ03"));
    // 1 beats 2, 2 beats 3, 3 beats 1: everybody has one win.
    for (const auto &[pos, b] : zeilen())
        if (pos < 1000) {
            const std::set<int> paar{ b.blau, b.weis };
            const int sieger = paar == std::set<int>{ 1, 2 } ? 1 : paar == std::set<int>{ 2, 3 } ? 2 : 3;
            ASSERT_TRUE(gewinnt(pos, b.blau == sieger));
        }
    erwarteMeldung(3011);
    for (const auto &[stnr, p] : plaetze())
        EXPECT_TRUE(p.isEmpty()) << stnr;
}

TEST_P(Kampf, AnnullierenBisZumFinale)
{
    starter_n(8);
    liste(QStringLiteral("KODT32"));
    alle_blau();
    const auto vorher = zeilen();
    const Listenvorlage &v = vorlage(QStringLiteral("KODT32"));
    // The champion's first bout.
    int champion = -1;
    for (const auto &[stnr, p] : plaetze())
        if (p == QStringLiteral("1."))
            champion = stnr;
    ASSERT_GT(champion, 0);
    int erster = 0;
    for (const Listenzeile &z : v.zeilen)
        if (vorher.at(z.pos).stat == 5 && vorher.at(z.pos).stnr == champion && vorher.at(z.pos).blau > 0
            && vorher.at(z.pos).weis > 0) {
            erster = z.pos;
            break;
        }
    ASSERT_GT(erster, 0);

    ASSERT_TRUE(storno_kampf(wk, ak, gk, erster, champion));
    const auto nachher = zeilen();
    EXPECT_EQ(nachher.at(erster).stat, 1);
    EXPECT_EQ(nachher.at(erster).stnr, -1);
    EXPECT_EQ(nachher.at(erster).blau, vorher.at(erster).blau);
    EXPECT_TRUE(platz(champion).isEmpty());
    // Every later bout the champion won against a real opponent is open again,
    // the final included.
    for (const Listenzeile &z : v.zeilen)
        if (z.pos != erster && vorher.at(z.pos).stnr == champion && vorher.at(z.pos).stat == 5
            && vorher.at(z.pos).blau > 0 && vorher.at(z.pos).weis > 0) {
            EXPECT_NE(nachher.at(z.pos).stat, 5) << z.pos;
        }
    int noch_plaetze = 0;
    for (const auto &[stnr, p] : plaetze())
        if (p == QStringLiteral("1.") || p == QStringLiteral("2."))
            ++noch_plaetze;
    EXPECT_EQ(noch_plaetze, 0);

    // Played again the same way, the list ends exactly as before.
    alle_blau();
    EXPECT_EQ(zeilen(), vorher);
}

TEST_P(Kampf, AnnullierenVerweigertNeueresErgebnis)
{
    starter_n(2);
    liste(QStringLiteral("JGJ02"));
    const Bout b = bout(1);
    ASSERT_TRUE(gewinnt(1, true));
    erwarteMeldung(310);
    EXPECT_FALSE(storno_kampf(wk, ak, gk, 1, b.weis));
    erwarteMeldung(3005);
    EXPECT_EQ(bout(1).stat, 5);
    ASSERT_TRUE(storno_kampf(wk, ak, gk, 1, b.blau));
    EXPECT_EQ(bout(1).stat, 1);
    EXPECT_TRUE(platz(b.blau).isEmpty());
}

TEST_P(Kampf, AnnullierenLoeschtProtokoll)
{
    starter_n(2);
    liste(QStringLiteral("JGJ02"));
    ASSERT_TRUE(gewinnt(1, true));
    erwarteMeldung(310);
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into wk_protokoll (WPWKNR, WPAKID, WPGEWK, WPLPOS, "
                                                        "WPZEIT, WPTEXT, WPAKTI, WPSTAT) values (?, ?, ?, 1, 5, "
                                                        "'Ippon', '10', 0)"),
                                         { wk, ak, gk }));
    ASSERT_TRUE(storno_kampf(wk, ak, gk, 1));
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_protokoll")), 0);
    // A missing bout reports 3005 and still removes its protocol.
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into wk_protokoll (WPWKNR, WPAKID, WPGEWK, WPLPOS, "
                                                        "WPZEIT, WPTEXT, WPAKTI, WPSTAT) values (?, ?, ?, 77, 5, "
                                                        "'Ippon', '10', 0)"),
                                         { wk, ak, gk }));
    storno_kampf(wk, ak, gk, 77);
    erwarteMeldung(3005);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_protokoll")), 0);
}

TEST_P(Kampf, TrostrundeFuellenUndLeeren)
{
    starter_n(32);
    liste(QStringLiteral("KODT32"));
    const Listenvorlage &v = vorlage(QStringLiteral("KODT32"));
    // Decide everything up to the first bout that fills a repechage group.
    const Listenzeile *gruppe = nullptr;
    for (const Listenzeile &z : v.zeilen)
        if (z.verl / 1000 == 8 && (!gruppe || z.pos < gruppe->pos))
            gruppe = &z;
    ASSERT_NE(gruppe, nullptr);
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (const auto &[pos, b] : zeilen())
            if (pos < 1000 && b.stat == 1 && pos != gruppe->pos) {
                bool vor = false; // only bouts the group bout depends on
                for (const Listenzeile &z : v.zeilen)
                    if (z.pos == pos && z.verl / 1000 != 8 && pos < gruppe->pos)
                        vor = true;
                if (vor) {
                    ASSERT_TRUE(gewinnt(pos, true));
                    weiter = true;
                    break;
                }
            }
    }
    const Bout gb = bout(gruppe->pos);
    ASSERT_EQ(gb.stat, 1);
    ASSERT_TRUE(gewinnt(gruppe->pos, true));
    const int sieger = gb.blau;
    const int j = gruppe->verl / 100 % 10;
    const int m = vorlage(QStringLiteral("KODT32")).kopf.trostgruppe;
    auto z = zeilen();
    // Highest slot: the loser just beaten; lower slots: earlier opponents.
    std::vector<int> gegner;
    for (auto it = z.rbegin(); it != z.rend(); ++it)
        if (it->first < 1000 && it->second.stat == 5 && it->second.stnr == sieger)
            gegner.push_back(it->second.blau == sieger ? it->second.weis : it->second.blau);
    for (int i = 0; i < m; ++i) {
        const int slot = 2000 + 100 * j + m - i;
        EXPECT_EQ(z.at(slot).stnr, i < int(gegner.size()) ? gegner[size_t(i)] : 0) << slot;
    }
    ASSERT_TRUE(storno_kampf(wk, ak, gk, gruppe->pos));
    z = zeilen();
    for (int i = 1; i <= m; ++i)
        EXPECT_EQ(z.at(2000 + 100 * j + i).stnr, -1);
    for (const Listenzeile &l : v.zeilen) {
        if (l.blau > 2000 + 100 * j && l.blau < 2010 + 100 * j) {
            EXPECT_EQ(z.at(l.pos).blau, -1) << l.pos;
        }
        if (l.weis > 2000 + 100 * j && l.weis < 2010 + 100 * j) {
            EXPECT_EQ(z.at(l.pos).weis, -1) << l.pos;
        }
    }
}

TEST_P(Kampf, PoolPlaetzeFuellenFinalrunde)
{
    starter_n(6);
    liste(QStringLiteral("POOL8"));
    const Listenkopf kopf = vorlage(QStringLiteral("POOL8")).kopf;
    // Lower start numbers always win: no ties in either pool.
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (const auto &[pos, b] : zeilen())
            if (pos <= kopf.tabelle_bis && b.stat == 1) {
                ASSERT_TRUE(gewinnt(pos, b.blau < b.weis));
                weiter = true;
                break;
            }
    }
    erwarteMeldung(310);
    auto z = zeilen();
    ASSERT_EQ(z.count(5101), 1u);
    ASSERT_EQ(z.count(5201), 1u);
    EXPECT_EQ(lese_platz(wk, z.at(5101).stnr, QLatin1Char('P')), QStringLiteral("1."));
    // The final round names the pool place rows and is pending now.
    for (const Listenzeile &l : vorlage(QStringLiteral("POOL8")).zeilen)
        if (l.pos > kopf.tabelle_bis && l.blau > 5000 && l.weis > 5000) {
            EXPECT_EQ(z.at(l.pos).stat, 1) << l.pos;
            EXPECT_EQ(z.at(l.pos).blau, z.at(l.blau).stnr);
        }
    // Annulling the last pool bout removes pool places and the final round.
    ASSERT_TRUE(storno_kampf(wk, ak, gk, kopf.tabelle_bis));
    z = zeilen();
    for (const auto &[pos, b] : z) {
        EXPECT_LT(pos, 5000);
        if (pos > kopf.tabelle_bis && pos < 1000) {
            EXPECT_EQ(b.stat, 0) << pos;
        }
    }
}

TEST_P(Kampf, ZweiKopienSpeichernGleichzeitig)
{
    // Two copies store results for different bouts of one list at the same
    // time; the list must end as if they had been stored one after another.
    starter_n(24);
    const QString typ = QStringLiteral("KODT32");
    liste(typ);
    const DbEinstellungen e = einstellungen();
    auto spielen = [&](int kopie, QString *fehler) {
        Tdm d;
        if (!d.verbinden(e, fehler))
            return;
        Tdm::setze_thread_instanz(&d);
        // Until the list has no pending bout; a copy whose bouts are not due
        // yet waits for the other one.
        for (int runde = 0; runde < 200000; ++runde) {
            std::vector<std::pair<int, Bout>> offen;
            auto q = d.abfrage(QStringLiteral("select WLLPOS, WLBLAU, WLWEIS from wk_liste where WLWKNR = ? and "
                                              "WLAKID = ? and WLGEWK = ? and WLLPOS < 1000 and WLSTAT = 1"),
                               { wk, ak, gk });
            while (q && q->next()) {
                Bout b;
                b.blau = q->value(1).toInt();
                b.weis = q->value(2).toInt();
                offen.emplace_back(q->value(0).toInt(), b);
            }
            if (offen.empty())
                break;
            bool eigene = false;
            for (const auto &[pos, b] : offen)
                if (pos % 2 == kopie) {
                    schreibe_kampf(wk, ak, gk, false, b.weis, b.blau, pos, QStringLiteral("Bem"),
                                   QStringLiteral("2:34"), QStringLiteral("10"));
                    eigene = true;
                }
            if (!eigene)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        Tdm::setze_thread_instanz(nullptr);
    };
    for (int durchgang = 0; durchgang < 3; ++durchgang) {
        QString fehler[2];
        std::thread a(spielen, 0, &fehler[0]);
        std::thread b(spielen, 1, &fehler[1]);
        a.join();
        b.join();
        ASSERT_TRUE(fehler[0].isEmpty()) << fehler[0].toStdString();
        ASSERT_TRUE(fehler[1].isEmpty()) << fehler[1].toStdString();
        // A copy may find its bout already changed by the other one: that is
        // refused (3005) and the bout comes again in its next round.
        while (!angezeigt().isEmpty())
            erwarteMeldung(3005);
        const auto gleichzeitig = zeilen();
        const auto plaetze_gleichzeitig = plaetze();

        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from wk_liste")));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STPLTZ = ''")));
        liste(typ);
        alle_blau();
        EXPECT_EQ(zeilen(), gleichzeitig);
        EXPECT_EQ(plaetze(), plaetze_gleichzeitig);
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from wk_liste")));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STPLTZ = ''")));
        liste(typ);
    }
}

TEST(KampfStatus, Texte)
{
    EXPECT_EQ(kampf_status(0), QStringLiteral("noch offen"));
    EXPECT_EQ(kampf_status(1), QStringLiteral("anstehend"));
    EXPECT_EQ(kampf_status(5), QStringLiteral("entschieden"));
    EXPECT_EQ(kampf_status(9), QStringLiteral("9"));
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Kampf);
