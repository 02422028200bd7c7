#include "support/dbtest.h"

#include "listenvorlagen_testdaten.h"

#include "competition/listengenerierung.h"
#include "competition/listenvorlagen.h"
#include "core/datenbank.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

using namespace obi;
using obi::test::DbTest;
using obi::test::vorlage;

namespace {

const int wk = 1;
const QString ak = QStringLiteral("U18m");
const QString gk = QStringLiteral("-60");

class Listengenerierung : public DbTest
{
protected:
    void starter(int stnr, int setz = 0, int los = 0)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                           "STSORT, STPLTZ, STSTAT) values (?, ?, ?, ?, ?, ?, ?, ?, 0, '', 0)"),
            { wk, stnr, ak, gk, QStringLiteral("Name%1").arg(stnr, 4, 10, QLatin1Char('0')), QStringLiteral("V"),
              los == 0 ? stnr : los, setz }));
    }
    void starter_n(int n)
    {
        for (int i = 1; i <= n; ++i)
            starter(i);
    }
    // Position -> start number of every row of the class.
    std::map<int, int> liste()
    {
        std::map<int, int> m;
        auto q = datenmodul().abfrage(
            QStringLiteral("select WLLPOS, WLSTNR from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ?"),
            { wk, ak, gk });
        while (q && q->next())
            m[q->value(0).toInt()] = q->value(1).toInt();
        return m;
    }
    int sortierung(int pos)
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select WLSORT from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                       "and WLLPOS = ?"),
                        { wk, ak, gk, pos })
            .toInt();
    }
};

TEST_P(Listengenerierung, DreiTeilnehmerRundeJederGegenJeden)
{
    starter(1, 0, 7);
    starter(2, 0, 7);
    starter(3, 0, 9);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    EXPECT_EQ(typ, QStringLiteral("JGJ03"));
    const auto m = liste();
    const Listenvorlage &v = vorlage(typ);
    EXPECT_EQ(m.size(), size_t(3 + v.zeilen.size()));
    for (const Listenzeile &z : v.zeilen) {
        ASSERT_EQ(m.count(z.pos), 1u);
        EXPECT_EQ(m.at(z.pos), -1);
        const int b = m.at(z.blau);
        const int w = m.at(z.weis);
        // Starters 1 and 2 share a club: their bout is listed first.
        const bool verein = (b == 1 && w == 2) || (b == 2 && w == 1);
        EXPECT_EQ(sortierung(z.pos), z.pos + (verein ? 100 : 200)) << z.pos;
    }
    std::set<int> belegt{ m.at(1001), m.at(1002), m.at(1003) };
    EXPECT_EQ(belegt, (std::set<int>{ 1, 2, 3 }));
}

TEST_P(Listengenerierung, SortierungOhneVerein)
{
    schreibeIni(QStringLiteral("[programm]\nsort_ohne_verein=1\n"));
    starter(1, 0, 7);
    starter(2, 0, 7);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    for (const Listenzeile &z : vorlage(typ).zeilen)
        EXPECT_EQ(sortierung(z.pos), z.pos + 200);
}

TEST_P(Listengenerierung, VierzigTeilnehmerKleinsterPassenderTyp)
{
    starter_n(40);
    std::optional<Listenkopf> best;
    for (const Listenvorlage &v : listenvorlagen())
        if (v.kopf.max_teilnehmer >= 40
            && (!best || v.kopf.max_teilnehmer < best->max_teilnehmer
                || (v.kopf.max_teilnehmer == best->max_teilnehmer && v.kopf.sortierung < best->sortierung)))
            best = v.kopf;
    ASSERT_TRUE(best.has_value());
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    EXPECT_EQ(typ, best->typ);
    const auto m = liste();
    int teilnehmer = 0, frei = 0;
    for (const auto &[pos, stnr] : m)
        if (pos > 1000 && pos < 2000) {
            EXPECT_LE(pos, 1000 + best->max_teilnehmer);
            (stnr > 0 ? teilnehmer : frei)++;
        }
    EXPECT_EQ(teilnehmer, 40);
    EXPECT_EQ(frei, best->max_teilnehmer - 40);
    // Free slots are the highest ones.
    for (int p = 1001; p <= 1040; ++p)
        EXPECT_GT(m.at(p), 0);
}

TEST_P(Listengenerierung, EinzelnerTeilnehmerIstErster)
{
    starter(5);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select STPLTZ from starter where STSTNR = 5")).toString(),
              QStringLiteral("1."));
}

TEST_P(Listengenerierung, SetzpositionAmEndeDerListe)
{
    starter(1);
    starter(2, 6);
    starter(3);
    starter(4);
    starter(5);
    QString typ = QStringLiteral("JGJ06");
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    const auto m = liste();
    EXPECT_EQ(m.at(1006), 2);
    EXPECT_EQ(m.at(1005), 0);
    EXPECT_EQ(m.count(1007), 0u);
    std::set<int> vorne{ m.at(1001), m.at(1002), m.at(1003), m.at(1004) };
    EXPECT_EQ(vorne, (std::set<int>{ 1, 3, 4, 5 }));
}

struct Fehlerfall {
    const char *name;
    int teilnehmer;
    int setz1, setz2; // fixed positions of starters 1 and 2
    const char *typ;
    int meldung;
};

class ListengenerierungFehler : public DbTest
{
};

TEST_P(ListengenerierungFehler, KeineListeBeiUngueltigenDaten)
{
    int groesste = 0;
    for (const Listenvorlage &v : listenvorlagen())
        groesste = std::max(groesste, v.kopf.max_teilnehmer);
    const Fehlerfall faelle[] = {
        { "gleiche Setzposition", 4, 2, 2, "", 31052 },
        { "Setzposition zu gross", 3, 4, 0, "JGJ03", 31044 },
        { "zu viele fuer jeden Typ", groesste + 1, 0, 0, "", 31041 },
        { "zu viele fuer den Typ", 4, 0, 0, "JGJ03", 31043 },
        { "unbekannter Typ", 2, 0, 0, "XYZ", 31042 },
        { "ohne Teilnehmer", 0, 0, 0, "", 31007 },
    };
    for (const Fehlerfall &f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from starter")));
        for (int i = 1; i <= f.teilnehmer; ++i)
            ASSERT_TRUE(datenmodul().Execute_SQL(
                QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STLOS, STSETZ) "
                               "values (?, ?, ?, ?, 'N', ?, ?)"),
                { wk, i, ak, gk, i, i == 1 ? f.setz1 : i == 2 ? f.setz2 : 0 }));
        QString typ = QString::fromLatin1(f.typ);
        EXPECT_FALSE(schreiben_liste(wk, ak, gk, typ, false));
        erwarteMeldung(f.meldung);
        EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_liste")), 0);
    }
}

TEST_P(Listengenerierung, NeuErstellenMitUnmoeglichemTypBehaeltAlteListe)
{
    starter_n(3);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    const auto vorher = liste();
    typ = QStringLiteral("JGJ02");
    EXPECT_FALSE(schreiben_liste(wk, ak, gk, typ, true));
    erwarteMeldung(31043);
    EXPECT_EQ(liste(), vorher);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_liste where WLLTYP = 'JGJ03'")),
              int(vorher.size()));
}

TEST_P(Listengenerierung, BestehendeListeBleibtOhneNeuErstellen)
{
    starter_n(3);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    typ = QStringLiteral("POOL8");
    EXPECT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    erwarteMeldung(304);
    EXPECT_EQ(typ, QStringLiteral("JGJ03"));
    starter(4);
    typ.clear();
    EXPECT_FALSE(schreiben_liste(wk, ak, gk, typ, false));
    erwarteMeldung(31040);
    // Regenerating takes the new participant in.
    typ.clear();
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, true));
    EXPECT_EQ(typ, QStringLiteral("JGJ04"));
}

TEST_P(Listengenerierung, AbbruchBeimNeuErstellenAendertNichts)
{
    starter_n(3);
    QString typ;
    ASSERT_TRUE(schreiben_liste(wk, ak, gk, typ, false));
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STPLTZ = '1.' where STSTNR = 1")));
    const auto vorher = liste();
    antworte(false);
    EXPECT_FALSE(schreiben_liste(wk, ak, gk, typ, true));
    erwarteMeldung(2002);
    EXPECT_EQ(liste(), vorher);
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select STPLTZ from starter where STSTNR = 1")).toString(),
              QStringLiteral("1."));
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Listengenerierung);
OBITRACK_AUF_BEIDEN_DATENBANKEN(ListengenerierungFehler);
