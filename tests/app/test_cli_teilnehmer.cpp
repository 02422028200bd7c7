#include "../register/teilnehmer_testdaten.h"
#include "support/clitest.h"

using namespace obi;
using Lauf = obi::test::CliLauf;

namespace {

class CliTeilnehmer : public obi::test::CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(obi::test::teilnehmer_testdaten(datenmodul()));
    }

    Lauf liste(const QStringList &optionen)
    {
        return cli(QStringList { QStringLiteral("participant"), QStringLiteral("list") } + optionen);
    }
};

TEST_P(CliTeilnehmer, ListeMitAuswahl)
{
    const Lauf alle = liste({ QStringLiteral("--tournament"), QStringLiteral("1") });
    ASSERT_EQ(alle.rc, 0) << alle.err.toStdString();
    EXPECT_EQ(alle.out,
              QStringLiteral("3;BRAUN;Anna;U18W;-52;2;TSV Nord;2009;1.\n"
                             "1;MEIER;Hans;MAENNER;-73;1;JC Mitte;1990;\n"
                             "2;MEISTER;Karl;MAENNER;-81;2;TSV Nord;1985;\n"
                             "5;SCHULZ;Paul;U18;-60;1;JC Mitte;2008;\n"));

    const Lauf mei = liste(
        { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--name"), QStringLiteral("mei") });
    ASSERT_EQ(mei.rc, 0);
    EXPECT_EQ(mei.out.count(u'\n'), 2);

    const Lauf ak = liste({ QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--age-class"),
                            QStringLiteral("u18"), QStringLiteral("--name"), QStringLiteral("schu") });
    ASSERT_EQ(ak.rc, 0);
    EXPECT_EQ(ak.out, QStringLiteral("5;SCHULZ;Paul;U18;-60;1;JC Mitte;2008;\n"));

    const Lauf leer = liste({ QStringLiteral("--tournament"), QStringLiteral("9") });
    EXPECT_EQ(leer.rc, 0);
    EXPECT_TRUE(leer.out.isEmpty());
}

TEST_P(CliTeilnehmer, FalscheAufrufe)
{
    EXPECT_EQ(liste({}).rc, 2);
    EXPECT_EQ(liste({ QStringLiteral("--tournament"), QStringLiteral("x") }).rc, 2);
    EXPECT_EQ(
        liste({ QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--club"), QStringLiteral("2") })
            .rc,
        2);
    const Lauf l = liste({ QStringLiteral("--tournament") });
    EXPECT_EQ(l.rc, 2);
    EXPECT_TRUE(l.err.contains(QStringLiteral("participant list"))) << l.err.toStdString();
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliTeilnehmer);

} // namespace
