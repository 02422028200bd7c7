#include "support/clitest.h"

#include "register/streichung_testdaten.h"

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

class CliStreichung : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(test::streichung_testdaten(datenmodul()));
    }
    Lauf streichen(const QString &stnr, const QString &code)
    {
        return cli({ QStringLiteral("withdraw"), QStringLiteral("--tournament"), QStringLiteral("1"),
                     QStringLiteral("--start-number"), stnr, QStringLiteral("--code"), code });
    }
    int status(int stnr)
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select STSTAT from starter where STWKNR = 1 and STSTNR = ?"), { stnr })
            .toInt();
    }
    int entschieden()
    {
        return datenmodul().anzahl_Saetze(
            QStringLiteral("select * from wk_liste where WLWKNR = 1 and WLLPOS < 1000 and WLSTAT = 5"));
    }
};

TEST_P(CliStreichung, StreichtUndEntscheidetKaempfe)
{
    const Lauf l = streichen(QStringLiteral("1"), QStringLiteral("x11"));
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QStringLiteral("1;MEIER;Hans;U18;-60;11;verletzt;2\n"));
    EXPECT_EQ(status(1), 11);
    EXPECT_EQ(entschieden(), 2);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral(
                  "select * from wk_liste where WLWKNR = 1 and WLTEXT = 'Verlierer war verletzt' and WLDEL = 1")),
              2);

    // Participant 1 has no open bout left.
    const Lauf nochmal = streichen(QStringLiteral("1"), QStringLiteral("12"));
    EXPECT_EQ(nochmal.rc, 1);
    EXPECT_TRUE(nochmal.err.contains(QStringLiteral("Judoka ist nicht (mehr) im Wettkampf aktiv (31054)")))
        << nochmal.err.toStdString();
    EXPECT_EQ(status(1), 11);
}

TEST_P(CliStreichung, ZurueckAufNull)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSTAT = 12 where STWKNR = 1 and STSTNR = 3")));
    const Lauf l = streichen(QStringLiteral("3"), QStringLiteral("0"));
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QStringLiteral("3;BRAUN;Tim;U18;-60;0;Aktiv;0\n"));
    EXPECT_EQ(status(3), 0);
    EXPECT_EQ(entschieden(), 0);
}

TEST_P(CliStreichung, AbgelehntOhneAenderung)
{
    struct Fall {
        const char *stnr;
        const char *code;
        const char *meldung;
    };
    const Fall faelle[] = {
        { "2", "13", "Eingabe ungültig (21005)" },
        { "4", "11", "(31054)" },
        { "99", "11", "Judoka nicht gefunden (3014)" },
        { "5", "11", "(3014)" }, // no club row
    };
    for (const Fall &f : faelle) {
        const Lauf l = streichen(QString::fromLatin1(f.stnr), QString::fromLatin1(f.code));
        EXPECT_EQ(l.rc, 1) << f.stnr;
        EXPECT_TRUE(l.out.isEmpty()) << f.stnr;
        EXPECT_TRUE(l.err.contains(QString::fromUtf8(f.meldung))) << f.stnr << ": " << l.err.toStdString();
    }
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from starter where STSTAT <> 0")), 0);
    EXPECT_EQ(entschieden(), 0);
}

TEST_P(CliStreichung, FalscherAufruf)
{
    const QList<QStringList> aufrufe = {
        { QStringLiteral("withdraw") },
        { QStringLiteral("withdraw"), QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--start-number"),
          QStringLiteral("1") },
        { QStringLiteral("withdraw"), QStringLiteral("--tournament"), QStringLiteral("x"), QStringLiteral("--start-number"),
          QStringLiteral("1"), QStringLiteral("--code"), QStringLiteral("11") },
        { QStringLiteral("withdraw"), QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--start-number"),
          QStringLiteral("0"), QStringLiteral("--code"), QStringLiteral("11") },
        { QStringLiteral("withdraw"), QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--start-number"),
          QStringLiteral("1"), QStringLiteral("--code"), QStringLiteral("11"), QStringLiteral("--remark"),
          QStringLiteral("x") },
    };
    for (const QStringList &a : aufrufe) {
        const Lauf l = cli(a);
        EXPECT_EQ(l.rc, 2) << a.join(u' ').toStdString();
        EXPECT_TRUE(l.err.contains(QStringLiteral("Aufruf: obitrack-cli withdraw"))) << l.err.toStdString();
    }
    EXPECT_EQ(status(1), 0);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliStreichung);
