#include "support/testbasis.h"

#include <gtest/gtest-spi.h>

#include "core/meldungen.h"
#include "core/zustand.h"

using namespace obi;
using obi::test::ObiTest;

namespace {

struct Fall {
    int nummer;
    const char *text;
    char art;
};

class MeldungTabelle : public ObiTest, public ::testing::WithParamInterface<Fall>
{
};

TEST_P(MeldungTabelle, TextNummerUndArt)
{
    const Fall f = GetParam();
    zeige_meldung(f.nummer);
    ASSERT_EQ(angezeigt().size(), 1);
    const QString erwartet = QString::fromUtf8(f.text) + QStringLiteral(" (") + QString::number(f.nummer) + u')';
    EXPECT_EQ(angezeigt().at(0).text, erwartet);
    EXPECT_EQ(angezeigt().at(0).art, QChar(QLatin1Char(f.art)));
    vergiss();
}

INSTANTIATE_TEST_SUITE_P(Katalog, MeldungTabelle,
                         ::testing::Values(
                             // range limits of the box kinds
                             Fall{1000, "Programmfehler", 'H'}, Fall{1001, "Programmfehler", 'W'},
                             Fall{10000, "Programmfehler", 'W'}, Fall{10001, "Programmfehler", 'F'},
                             Fall{0, "Programmfehler", 'H'}, Fall{11015, "Programmfehler", 'F'},
                             // entries at the edges and with umlauts
                             Fall{101, "Datei wurde erstellt", 'H'}, Fall{311, "Status geändert", 'H'},
                             Fall{2001, "Achtung! Aktuelle Werte werden gelöscht", 'W'},
                             Fall{9999, "Schade - Zugriff verweigert", 'W'},
                             Fall{19903, "Kein Wettkampf ausgewählt", 'F'},
                             Fall{31035, "Wiegedaten außerhalb Toleranz", 'F'},
                             // two numbers, one text
                             Fall{31038, "Löschen nicht möglich", 'F'}, Fall{31049, "Löschen nicht möglich", 'F'},
                             Fall{99982, "Bitte Programm aktualisieren", 'F'}));

TEST_F(ObiTest, KatalogHatAlleEintraegeUndKeineLuecken)
{
    // Every number of the catalogue has its own text; a few numbers that callers
    // pass deliberately have none.
    for (int n : {101, 305, 2004, 3006, 3017, 9901, 18002, 19902, 21010, 31001, 31066, 99980})
        EXPECT_TRUE(meldung_bekannt(n)) << n;
    for (int n : {0, 1001, 9002, 11015, 19002, 31016, 31017, 31019})
        EXPECT_FALSE(meldung_bekannt(n)) << n;
}

TEST_F(ObiTest, ZeigeTextArtbuchstaben)
{
    const struct {
        const char *art;
        char erwartet;
    } faelle[] = {{"H", 'H'}, {"M", 'M'}, {"W", 'W'}, {"F", 'F'}, {"X", 'F'}, {"", 'F'}, {"Hinweis", 'H'}};
    for (const auto &f : faelle) {
        zeige_text(QStringLiteral("freier Text"), QString::fromLatin1(f.art));
        ASSERT_EQ(angezeigt().size(), 1);
        EXPECT_EQ(angezeigt().at(0).text, QStringLiteral("freier Text"));
        EXPECT_EQ(angezeigt().at(0).art, QChar(QLatin1Char(f.erwartet))) << f.art;
        vergiss();
    }
}

TEST_F(ObiTest, TitelFolgtMeldungsTitel)
{
    zeige_meldung(19909);
    zustand().meldungs_titel = QStringLiteral("OBITRACK");
    zeige_meldung(19909);
    ASSERT_EQ(angezeigt().size(), 2);
    EXPECT_EQ(angezeigt().at(0).titel, QString()); // before the database check
    EXPECT_EQ(angezeigt().at(1).titel, QStringLiteral("OBITRACK"));
    vergiss();
}

TEST_F(ObiTest, FrageOkNimmtDieVorgeseheneAntwort)
{
    antworte(true);
    antworte(false);
    EXPECT_TRUE(frage_ok(QStringLiteral("Diesen Datensatz löschen ?")));
    EXPECT_FALSE(frage_ok(QStringLiteral("Diesen Datensatz löschen ?")));
    EXPECT_EQ(testMelder().fragen.size(), 2);
}

// The base itself: an unexpected message must fail the test.
TEST(TestBasis, UnerwarteteMeldungLaesstTestScheitern)
{
    class Probe : public ObiTest
    {
    public:
        void TestBody() override {}
        void lauf()
        {
            SetUp();
            zeige_meldung(19902);
            TearDown();
        }
    } probe;
    ::testing::TestPartResultArray ergebnisse;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &ergebnisse);
        probe.lauf();
    }
    ASSERT_EQ(ergebnisse.size(), 1);
    EXPECT_TRUE(ergebnisse.GetTestPartResult(0).failed());
    EXPECT_NE(std::string(ergebnisse.GetTestPartResult(0).message()).find("19902"), std::string::npos);
}

} // namespace
