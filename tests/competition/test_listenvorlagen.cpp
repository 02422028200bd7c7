#include "support/dbtest.h"

#include "competition/listenvorlagen.h"
#include "core/datenbank.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <map>
#include <ostream>
#include <set>

using namespace obi;
using obi::test::DbTest;

namespace {

const std::vector<Listenvorlage> &alle()
{
    static const std::vector<Listenvorlage> v = listenvorlagen();
    return v;
}

const Listenvorlage *vorlage(const QString &typ)
{
    for (const Listenvorlage &v : alle())
        if (v.kopf.typ == typ)
            return &v;
    return nullptr;
}

const Listenzeile *kampf(const Listenvorlage &v, int pos)
{
    for (const Listenzeile &z : v.zeilen)
        if (z.pos == pos)
            return &z;
    return nullptr;
}

bool ist_ko(const Listenvorlage &v) { return v.kopf.typ.startsWith(QStringLiteral("KO")); }
bool ist_doppelko(const Listenvorlage &v) { return v.kopf.typ.startsWith(QStringLiteral("DOPPELKO")); }
bool ist_tabelle(const Listenvorlage &v) { return v.kopf.pool > 0; }

// The positions a generated list of this type holds.
std::set<int> positionen(const Listenvorlage &v)
{
    std::set<int> p;
    for (const Listenzeile &z : v.zeilen) {
        p.insert(z.pos);
        if (z.verl > 2000 && z.verl < 3000)
            p.insert(z.verl);
    }
    for (int k = 1; k <= v.kopf.max_teilnehmer; ++k)
        p.insert(1000 + k);
    if (ist_ko(v))
        for (int j = 1; j <= 4; ++j)
            for (int i = 1; i <= v.kopf.trostgruppe; ++i)
                p.insert(2000 + 100 * j + i);
    if (v.kopf.pool == 2)
        for (int k = 1; k <= v.kopf.max_teilnehmer; ++k)
            p.insert((k % 2 == 1 ? 5100 : 5200) + (k + 1) / 2);
    return p;
}

std::map<int, int> quellen_zaehlen(const Listenvorlage &v)
{
    std::map<int, int> n;
    for (const Listenzeile &z : v.zeilen) {
        ++n[z.blau];
        ++n[z.weis];
    }
    return n;
}

// Bouts a fighter has won on reaching the winner's side of bout pos.
int tiefe(const Listenvorlage &v, int pos)
{
    if (pos > 1000)
        return 0;
    const Listenzeile *z = kampf(v, pos);
    return z ? 1 + std::max(tiefe(v, z->blau), tiefe(v, z->weis)) : 0;
}

// ---- headers ----

struct Kopf {
    const char *typ;
    int maxt, trpo, tabk, pool, kaempfe;
};

const Kopf kKoepfe[] = {
    {"JGJ01", 1, 0, 0, 1, 0},      {"JGJ02", 2, 0, 1, 1, 1},       {"JGJ03", 3, 0, 3, 1, 3},
    {"JGJ04", 4, 0, 6, 1, 6},      {"JGJ05", 5, 0, 10, 1, 10},     {"JGJ06", 6, 0, 15, 1, 15},
    {"POOL8", 8, 0, 12, 2, 15},    {"DOPPELKO16", 16, 0, 0, 0, 27}, {"DOPPELKO32", 32, 0, 0, 0, 59},
    {"DOPPELKO64", 64, 0, 0, 0, 123}, {"KODT32", 32, 3, 0, 0, 43}, {"KODT64", 64, 4, 0, 0, 79},
    {"KODT128", 128, 5, 0, 0, 147},
};

void PrintTo(const Kopf &k, std::ostream *os) { *os << k.typ; }

TEST(Listenvorlagen, GenauDieAngebotenenTypen)
{
    QStringList typen;
    for (const Listenvorlage &v : alle())
        typen << v.kopf.typ;
    QStringList erwartet;
    for (const Kopf &k : kKoepfe)
        erwartet << QString::fromUtf8(k.typ);
    typen.sort();
    erwartet.sort();
    EXPECT_EQ(typen, erwartet);
}

TEST(Listenvorlagen, ProposalOrderAmongEqualCapacity)
{
    // 17..32 participants get double knock-out 32, 33..64 knock-out 64 first.
    EXPECT_LT(vorlage(QStringLiteral("DOPPELKO32"))->kopf.sortierung,
              vorlage(QStringLiteral("KODT32"))->kopf.sortierung);
    EXPECT_LT(vorlage(QStringLiteral("KODT64"))->kopf.sortierung,
              vorlage(QStringLiteral("DOPPELKO64"))->kopf.sortierung);
}

class Typ : public ::testing::TestWithParam<Kopf>
{
protected:
    const Listenvorlage &v() const
    {
        const Listenvorlage *p = vorlage(QString::fromUtf8(GetParam().typ));
        EXPECT_NE(p, nullptr);
        static const Listenvorlage leer;
        return p ? *p : leer;
    }
};

TEST_P(Typ, Kopfdaten)
{
    const Kopf &k = GetParam();
    EXPECT_EQ(v().kopf.max_teilnehmer, k.maxt);
    EXPECT_EQ(v().kopf.trostgruppe, k.trpo);
    EXPECT_EQ(v().kopf.tabelle_bis, k.tabk);
    EXPECT_EQ(v().kopf.pool, k.pool);
    EXPECT_FALSE(v().kopf.bezeichnung.isEmpty());
    ASSERT_EQ(static_cast<int>(v().zeilen.size()), k.kaempfe);
    // Bouts are numbered 1..n without gaps.
    for (int i = 0; i < k.kaempfe; ++i)
        EXPECT_EQ(v().zeilen[i].pos, i + 1);
}

TEST_P(Typ, JedeQuelleExistiert)
{
    const std::set<int> p = positionen(v());
    for (const Listenzeile &z : v().zeilen) {
        EXPECT_TRUE(p.count(z.blau)) << "Kampf " << z.pos << " blau " << z.blau;
        EXPECT_TRUE(p.count(z.weis)) << "Kampf " << z.pos << " weiss " << z.weis;
        EXPECT_NE(z.blau, z.weis) << "Kampf " << z.pos;
        // A bout's fighters are known before it: sources are earlier bouts.
        for (int q : {z.blau, z.weis}) {
            if (q < 1000) {
                EXPECT_LT(q, z.pos) << "Kampf " << z.pos;
            }
        }
    }
}

TEST_P(Typ, QuelleHoechstensEinmal)
{
    for (const auto &[pos, n] : quellen_zaehlen(v())) {
        const bool teilnehmer = pos > 1000 && pos < 2000;
        const bool tabelle_platz = pos > 5000;
        if (ist_tabelle(v()) && (teilnehmer || tabelle_platz))
            continue; // a table's participants fight several bouts
        EXPECT_EQ(n, 1) << "Position " << pos;
    }
}

TEST_P(Typ, VerliererplaetzeEinmalUndGelesen)
{
    const auto gelesen = quellen_zaehlen(v());
    std::map<int, int> vergeben;
    for (const Listenzeile &z : v().zeilen) {
        EXPECT_FALSE(z.sieg > 2000 && z.sieg < 3000) << "Kampf " << z.pos;
        if (z.verl > 2000 && z.verl < 3000) {
            ++vergeben[z.verl];
            // Only later bouts read the slot.
            for (const Listenzeile &y : v().zeilen) {
                if (y.blau == z.verl || y.weis == z.verl) {
                    EXPECT_GT(y.pos, z.pos) << "Verliererplatz " << z.verl;
                }
            }
        }
    }
    for (const auto &[slot, n] : vergeben) {
        EXPECT_EQ(n, 1) << "Verliererplatz " << slot;
        EXPECT_EQ(gelesen.count(slot) ? gelesen.at(slot) : 0, 1) << "Verliererplatz " << slot << " nie gelesen";
    }
}

TEST_P(Typ, Platzierungen)
{
    std::multiset<int> plaetze;
    for (const Listenzeile &z : v().zeilen)
        for (int c : {z.sieg, z.verl})
            if (c / 1000 == 9)
                plaetze.insert(c);
    std::multiset<int> erwartet;
    if (ist_ko(v()) || ist_doppelko(v()))
        erwartet = {9001, 9002, 9003, 9004, 9005, 9006, 9007, 9008};
    else if (v().kopf.pool == 2)
        erwartet = {9001, 9002, 9003, 9004};
    EXPECT_EQ(plaetze, erwartet);
}

TEST_P(Typ, JederSiegerGehtWeiter)
{
    if (ist_tabelle(v()) && v().kopf.pool == 1)
        GTEST_SKIP() << "round robin ranks by table";
    const auto gelesen = quellen_zaehlen(v());
    for (const Listenzeile &z : v().zeilen) {
        if (z.pos <= v().kopf.tabelle_bis)
            continue; // pool bouts count for the table
        const bool platz = z.sieg / 1000 == 9;
        EXPECT_NE(platz, gelesen.count(z.pos) > 0) << "Kampf " << z.pos;
    }
}

TEST_P(Typ, Bildtexte)
{
    const QStringList erlaubt{QStringLiteral("Achtelfinale"), QStringLiteral("Viertelfinale"),
                              QStringLiteral("Halbfinale"),   QStringLiteral("Finale"),
                              QStringLiteral("Trostrunde"),   QStringLiteral("Kampf um Platz 3"),
                              QStringLiteral("Pool A"),       QStringLiteral("Pool B")};
    for (const Listenzeile &z : v().zeilen) {
        const bool runde = z.text.endsWith(QStringLiteral(". Runde"));
        EXPECT_TRUE(runde || erlaubt.contains(z.text)) << "Kampf " << z.pos << ": " << z.text.toStdString();
    }
}

TEST_P(Typ, TrostgruppenStellenregel)
{
    if (!ist_ko(v()))
        GTEST_SKIP() << "no repechage groups";
    const int m = v().kopf.trostgruppe;
    ASSERT_GE(m, 2);
    ASSERT_LE(m, 9);
    int groesster = 0;
    for (const Listenzeile &z : v().zeilen)
        if (z.weis > 2000 && z.weis < 2500)
            groesster = std::max(groesster, z.weis);
    EXPECT_EQ(groesster % 10, m);
    for (int j = 1; j <= 4; ++j) {
        int codes = 0;
        for (const Listenzeile &z : v().zeilen)
            if (z.verl == 8000 + 100 * j) {
                ++codes;
                // The group holds everybody the winner has beaten, no more.
                EXPECT_EQ(tiefe(v(), z.pos), m) << "Kampf " << z.pos;
            }
        EXPECT_EQ(codes, 1) << "Gruppe " << j;
        int erste = 0;
        for (const Listenzeile &z : v().zeilen)
            if (z.blau == 2000 + 100 * j + 1)
                ++erste;
        EXPECT_EQ(erste, 1) << "Gruppe " << j;
    }
}

TEST_P(Typ, ErsteRundeNachSetzliste)
{
    if (ist_tabelle(v()))
        GTEST_SKIP() << "table types";
    const int s = v().kopf.max_teilnehmer;
    std::map<int, int> bout_von; // slot -> first-round bout
    for (int b = 1; b <= s / 2; ++b) {
        const Listenzeile *z = kampf(v(), b);
        ASSERT_NE(z, nullptr);
        ASSERT_GT(z->blau, 1000);
        ASSERT_GT(z->weis, 1000);
        // Slot k meets slot s+1-k, so the byes (highest slots) meet the first.
        EXPECT_EQ(z->blau - 1000 + z->weis - 1000, s + 1) << "Kampf " << b;
        bout_von[z->blau - 1000] = b;
        bout_von[z->weis - 1000] = b;
    }
    ASSERT_EQ(static_cast<int>(bout_von.size()), s);
    const auto teil = [&](int slot, int teile) { return (bout_von[slot] - 1) / (s / 2 / teile); };
    for (int k = 1; k <= s; k += 2)
        EXPECT_NE(teil(k, 2), teil(k + 1, 2)) << "Plaetze " << k << ", " << k + 1 << " in einer Haelfte";
    for (int k = 1; k <= s; k += 4) {
        std::set<int> viertel;
        for (int i = 0; i < 4; ++i)
            viertel.insert(teil(k + i, 4));
        EXPECT_EQ(viertel.size(), 4u) << "Plaetze " << k << ".." << k + 3;
    }
}

TEST_P(Typ, TabellePaarungen)
{
    if (!ist_tabelle(v()))
        GTEST_SKIP() << "knock-out types";
    std::set<std::pair<int, int>> paare;
    for (const Listenzeile &z : v().zeilen) {
        if (z.pos > v().kopf.tabelle_bis)
            continue;
        EXPECT_GT(z.blau, 1000);
        EXPECT_LE(z.blau, 1000 + v().kopf.max_teilnehmer);
        EXPECT_GT(z.weis, 1000);
        EXPECT_LE(z.weis, 1000 + v().kopf.max_teilnehmer);
        EXPECT_EQ(z.sieg, 0);
        EXPECT_EQ(z.verl, 0);
        if (v().kopf.pool == 2) {
            // Pool A the odd slots, Pool B the even ones.
            EXPECT_EQ(z.blau % 2, z.weis % 2) << "Kampf " << z.pos;
            EXPECT_EQ(z.text, z.blau % 2 == 1 ? QStringLiteral("Pool A") : QStringLiteral("Pool B"));
        }
        EXPECT_TRUE(paare.insert({std::min(z.blau, z.weis), std::max(z.blau, z.weis)}).second)
            << "Paarung doppelt in Kampf " << z.pos;
    }
    // Everybody meets everybody of his table once.
    const int n = v().kopf.max_teilnehmer;
    const int erwartet = v().kopf.pool == 2 ? 2 * (4 * 3 / 2) : n * (n - 1) / 2;
    EXPECT_EQ(static_cast<int>(paare.size()), erwartet);
}

INSTANTIATE_TEST_SUITE_P(Alle, Typ, ::testing::ValuesIn(kKoepfe),
                         [](const ::testing::TestParamInfo<Kopf> &i) { return std::string(i.param.typ); });

// ---- bout numbers of the main round: sections of 16 ----

struct Sektionen {
    const char *typ;
    std::vector<int> runde2; // first bout of round 2 per section
    std::vector<int> runde3;
    std::vector<int> finale; // section final per section
};

const Sektionen kSektionen[] = {
    {"DOPPELKO16", {9}, {21}, {27}},
    {"DOPPELKO32", {17, 21}, {33, 35}, {45, 46}},
    {"KODT32", {17, 21}, {25, 27}, {29, 30}},
    {"DOPPELKO64", {33, 37, 41, 45}, {65, 67, 69, 71}, {89, 90, 91, 92}},
    {"KODT64", {33, 37, 41, 45}, {49, 51, 53, 55}, {57, 58, 59, 60}},
    {"KODT128", {65, 69, 73, 77, 81, 85, 89, 93}, {97, 99, 101, 103, 105, 107, 109, 111},
     {113, 114, 115, 116, 117, 118, 119, 120}},
};

void PrintTo(const Sektionen &t, std::ostream *os) { *os << t.typ; }

class Sektion : public ::testing::TestWithParam<Sektionen>
{};

void erwarte_kampf(const Listenvorlage &v, int pos, int blau, int weis)
{
    const Listenzeile *z = kampf(v, pos);
    ASSERT_NE(z, nullptr) << "Kampf " << pos;
    EXPECT_EQ(z->blau, blau) << "Kampf " << pos;
    EXPECT_EQ(z->weis, weis) << "Kampf " << pos;
}

TEST_P(Sektion, Kampfnummern)
{
    const Sektionen &t = GetParam();
    const Listenvorlage *v = vorlage(QString::fromUtf8(t.typ));
    ASSERT_NE(v, nullptr);
    for (size_t si = 0; si < t.runde2.size(); ++si) {
        const int s = static_cast<int>(si) + 1;
        for (int b = 8 * s - 7; b <= 8 * s; ++b) {
            const Listenzeile *z = kampf(*v, b);
            ASSERT_NE(z, nullptr);
            EXPECT_GT(z->blau, 1000);
            EXPECT_GT(z->weis, 1000);
        }
        for (int i = 0; i < 4; ++i)
            erwarte_kampf(*v, t.runde2[si] + i, 8 * s - 7 + 2 * i, 8 * s - 6 + 2 * i);
        for (int i = 0; i < 2; ++i)
            erwarte_kampf(*v, t.runde3[si] + i, t.runde2[si] + 2 * i, t.runde2[si] + 2 * i + 1);
        erwarte_kampf(*v, t.finale[si], t.runde3[si], t.runde3[si] + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Alle, Sektion, ::testing::ValuesIn(kSektionen),
                         [](const ::testing::TestParamInfo<Sektionen> &i) { return std::string(i.param.typ); });

// ---- repechage and final round sheets ----

struct Zeile {
    const char *typ;
    int pos, blau, weis, sieg, verl;
};

const Zeile kZeilen[] = {
    // double knock-out 16
    {"DOPPELKO16", 9, 1, 2, 0, 2009},
    {"DOPPELKO16", 13, 2001, 2002, 0, 0},
    {"DOPPELKO16", 16, 2007, 2008, 0, 0},
    {"DOPPELKO16", 17, 13, 2011, 0, 0},
    {"DOPPELKO16", 18, 14, 2012, 0, 0},
    {"DOPPELKO16", 19, 15, 2009, 0, 0},
    {"DOPPELKO16", 20, 16, 2010, 0, 0},
    {"DOPPELKO16", 21, 9, 10, 0, 2021},
    {"DOPPELKO16", 23, 17, 18, 0, 9007},
    {"DOPPELKO16", 24, 19, 20, 0, 9008},
    {"DOPPELKO16", 25, 23, 2021, 9003, 9005},
    {"DOPPELKO16", 26, 24, 2022, 9004, 9006},
    {"DOPPELKO16", 27, 21, 22, 9001, 9002},
    // double knock-out 32
    {"DOPPELKO32", 25, 2013, 2014, 0, 0},
    {"DOPPELKO32", 27, 2009, 2010, 0, 0},
    {"DOPPELKO32", 29, 2005, 2006, 0, 0},
    {"DOPPELKO32", 32, 2003, 2004, 0, 0},
    {"DOPPELKO32", 37, 25, 2021, 0, 0},
    {"DOPPELKO32", 41, 29, 2017, 0, 0},
    {"DOPPELKO32", 44, 32, 2020, 0, 0},
    {"DOPPELKO32", 47, 37, 38, 0, 0},
    {"DOPPELKO32", 51, 47, 2033, 0, 0},
    {"DOPPELKO32", 54, 50, 2036, 0, 0},
    {"DOPPELKO32", 45, 33, 34, 0, 2045},
    {"DOPPELKO32", 55, 51, 52, 0, 9007},
    {"DOPPELKO32", 56, 53, 54, 0, 9008},
    {"DOPPELKO32", 57, 55, 2046, 9003, 9005},
    {"DOPPELKO32", 58, 56, 2045, 9004, 9006},
    {"DOPPELKO32", 59, 45, 46, 9001, 9002},
    // double knock-out 64, sheet C/D
    {"DOPPELKO64", 49, 2009, 2010, 0, 0},
    {"DOPPELKO64", 53, 2001, 2002, 0, 0},
    {"DOPPELKO64", 73, 49, 2045, 0, 0},
    {"DOPPELKO64", 77, 53, 2041, 0, 0},
    {"DOPPELKO64", 93, 73, 74, 0, 0},
    {"DOPPELKO64", 101, 93, 2069, 0, 0},
    {"DOPPELKO64", 111, 101, 102, 0, 0},
    {"DOPPELKO64", 115, 111, 2089, 0, 0},
    {"DOPPELKO64", 116, 112, 2090, 0, 0},
    // sheet E/F
    {"DOPPELKO64", 57, 2025, 2026, 0, 0},
    {"DOPPELKO64", 61, 2017, 2018, 0, 0},
    {"DOPPELKO64", 81, 57, 2037, 0, 0},
    {"DOPPELKO64", 85, 61, 2033, 0, 0},
    {"DOPPELKO64", 97, 81, 82, 0, 0},
    {"DOPPELKO64", 105, 97, 2065, 0, 0},
    {"DOPPELKO64", 113, 105, 106, 0, 0},
    {"DOPPELKO64", 117, 113, 2091, 0, 0},
    {"DOPPELKO64", 118, 114, 2092, 0, 0},
    // final round
    {"DOPPELKO64", 109, 89, 90, 0, 2109},
    {"DOPPELKO64", 110, 91, 92, 0, 2110},
    {"DOPPELKO64", 119, 115, 116, 0, 9007},
    {"DOPPELKO64", 120, 117, 118, 0, 9008},
    {"DOPPELKO64", 121, 119, 2110, 9003, 9005},
    {"DOPPELKO64", 122, 120, 2109, 9004, 9006},
    {"DOPPELKO64", 123, 109, 110, 9001, 9002},
    // knock-out with double repechage 32
    {"KODT32", 25, 17, 18, 0, 8100},
    {"KODT32", 28, 23, 24, 0, 8400},
    {"KODT32", 29, 25, 26, 0, 2502},
    {"KODT32", 30, 27, 28, 0, 2501},
    {"KODT32", 31, 2101, 2102, 0, 0},
    {"KODT32", 34, 2401, 2402, 0, 0},
    {"KODT32", 35, 31, 2103, 0, 0},
    {"KODT32", 38, 34, 2403, 0, 0},
    {"KODT32", 39, 35, 36, 0, 9007},
    {"KODT32", 40, 37, 38, 0, 9008},
    {"KODT32", 41, 39, 2501, 9003, 9005},
    {"KODT32", 42, 40, 2502, 9004, 9006},
    {"KODT32", 43, 29, 30, 9001, 9002},
    // 64
    {"KODT64", 57, 49, 50, 0, 8100},
    {"KODT64", 60, 55, 56, 0, 8400},
    {"KODT64", 61, 2101, 2102, 0, 0},
    {"KODT64", 64, 2401, 2402, 0, 0},
    {"KODT64", 65, 61, 2103, 0, 0},
    {"KODT64", 69, 65, 2104, 0, 0},
    {"KODT64", 72, 68, 2404, 0, 0},
    {"KODT64", 73, 57, 58, 0, 2502},
    {"KODT64", 74, 59, 60, 0, 2501},
    {"KODT64", 75, 69, 70, 0, 9007},
    {"KODT64", 76, 71, 72, 0, 9008},
    {"KODT64", 77, 75, 2501, 9003, 9005},
    {"KODT64", 78, 76, 2502, 9004, 9006},
    {"KODT64", 79, 73, 74, 9001, 9002},
    // 128
    {"KODT128", 121, 113, 114, 0, 8100},
    {"KODT128", 124, 119, 120, 0, 8400},
    {"KODT128", 125, 2101, 2102, 0, 0},
    {"KODT128", 129, 125, 2103, 0, 0},
    {"KODT128", 133, 129, 2104, 0, 0},
    {"KODT128", 137, 133, 2105, 0, 0},
    {"KODT128", 140, 136, 2405, 0, 0},
    {"KODT128", 141, 121, 122, 0, 2502},
    {"KODT128", 142, 123, 124, 0, 2501},
    {"KODT128", 143, 137, 138, 0, 9007},
    {"KODT128", 144, 139, 140, 0, 9008},
    {"KODT128", 145, 143, 2501, 9003, 9005},
    {"KODT128", 146, 144, 2502, 9004, 9006},
    {"KODT128", 147, 141, 142, 9001, 9002},
    // pools: A1-B2, A2-B1, final
    {"POOL8", 13, 5101, 5202, 0, 9003},
    {"POOL8", 14, 5102, 5201, 0, 9004},
    {"POOL8", 15, 13, 14, 9001, 9002},
};

void PrintTo(const Zeile &z, std::ostream *os) { *os << z.typ << " Kampf " << z.pos; }

class Blatt : public ::testing::TestWithParam<Zeile>
{};

TEST_P(Blatt, Zeile)
{
    const Zeile &e = GetParam();
    const Listenvorlage *v = vorlage(QString::fromUtf8(e.typ));
    ASSERT_NE(v, nullptr);
    const Listenzeile *z = kampf(*v, e.pos);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->blau, e.blau);
    EXPECT_EQ(z->weis, e.weis);
    EXPECT_EQ(z->sieg, e.sieg);
    EXPECT_EQ(z->verl, e.verl);
}

INSTANTIATE_TEST_SUITE_P(Alle, Blatt, ::testing::ValuesIn(kZeilen),
                         [](const ::testing::TestParamInfo<Zeile> &i) {
                             return std::string(i.param.typ) + "_" + std::to_string(i.param.pos);
                         });

// ---- writing into a database ----

class VorlagenDb : public DbTest
{
protected:
    int zahl(const char *sql) { return datenmodul().einzelwert(QString::fromUtf8(sql)).toInt(); }
};

TEST_P(VorlagenDb, SchreibenUndLesen)
{
    Tdm &dm = datenmodul();
    // A new database may carry them already; start from empty tables.
    ASSERT_TRUE(dm.Execute_SQL(QStringLiteral("delete from listdef")));
    ASSERT_TRUE(dm.Execute_SQL(QStringLiteral("delete from listkopf")));
    QString fehler;
    ASSERT_TRUE(listenvorlagen_schreiben(dm, &fehler)) << fehler.toStdString();

    int zeilen = 0;
    for (const Listenvorlage &v : alle())
        zeilen += static_cast<int>(v.zeilen.size());
    EXPECT_EQ(zahl("select count(*) from listkopf"), static_cast<int>(alle().size()));
    EXPECT_EQ(zahl("select count(*) from listdef"), zeilen);
    EXPECT_EQ(zahl("select count(*) from listdef where LDLTYP = 'KODT128'"), 147);
    EXPECT_EQ(zahl("select LKTRPO from listkopf where LKLTYP = 'KODT64'"), 4);
    EXPECT_EQ(zahl("select max(LDWEIS) from listdef where LDLTYP = 'KODT32' and LDWEIS > 2000 and LDWEIS < 2500"),
              2403);
    EXPECT_EQ(dm.einzelwert(QStringLiteral("select LDTEXT from listdef where LDLTYP = ? and LDLPOS = ?"),
                            {QStringLiteral("POOL8"), 15})
                  .toString(),
              QStringLiteral("Finale"));
    // The proposal for 40 participants.
    EXPECT_EQ(dm.einzelwert(QStringLiteral("select LKLTYP from listkopf where LKMAXT >= 40 order by LKMAXT, LKSORT"))
                  .toString(),
              QStringLiteral("KODT64"));

    // Writing twice is refused as a whole: nothing doubled, nothing lost.
    EXPECT_FALSE(listenvorlagen_schreiben(dm, &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(zahl("select count(*) from listdef"), zeilen);
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(VorlagenDb);

} // namespace
