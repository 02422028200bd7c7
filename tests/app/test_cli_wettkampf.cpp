#include "support/clitest.h"


using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

class CliWettkampf : public CliTest
{
protected:
    int wettkaempfe() { return datenmodul().anzahl_Saetze(QStringLiteral("select * from wettkampf")); }
};

TEST_P(CliWettkampf, AnlegenUndAuflisten)
{
    Lauf leer = cli({ QStringLiteral("tournament"), QStringLiteral("list") });
    EXPECT_EQ(leer.rc, 0) << leer.err.toStdString();
    EXPECT_TRUE(leer.out.isEmpty());

    Lauf a = cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"),
                   QStringLiteral("Test"), QStringLiteral("--date"), QStringLiteral("01.02.2027"),
                   QStringLiteral("--place"), QStringLiteral("Ort") });
    EXPECT_EQ(a.rc, 0) << a.err.toStdString();
    EXPECT_EQ(a.out, QStringLiteral("1\n"));
    Lauf b = cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"),
                   QStringLiteral("Älter"), QStringLiteral("--date"), QStringLiteral("150326") });
    EXPECT_EQ(b.out, QStringLiteral("2\n"));

    Lauf l = cli({ QStringLiteral("tournament"), QStringLiteral("list") });
    EXPECT_EQ(l.rc, 0);
    EXPECT_EQ(l.out, QStringLiteral("1;01.02.2027;Test;Ort\n2;15.03.2026;Älter;\n"));
}

TEST_P(CliWettkampf, UngueltigeAngabenLegenNichtsAn)
{
    Lauf datum = cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"),
                       QStringLiteral("X"), QStringLiteral("--date"), QStringLiteral("31.04.2003") });
    EXPECT_EQ(datum.rc, 1);
    EXPECT_TRUE(datum.err.contains(QStringLiteral("Datum ist ungültig (21002)"))) << datum.err.toStdString();
    Lauf name = cli(
        { QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"), QStringLiteral(" ") });
    EXPECT_EQ(name.rc, 1);
    EXPECT_TRUE(name.err.contains(QStringLiteral("(21001)")));
    EXPECT_EQ(cli({ QStringLiteral("tournament"), QStringLiteral("create") }).rc, 2);
    EXPECT_EQ(cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"),
                    QStringLiteral("X"), QStringLiteral("--fee"), QStringLiteral("1") })
                  .rc,
              2);
    EXPECT_EQ(wettkaempfe(), 0);
}

TEST_P(CliWettkampf, LoeschenNurMitYes)
{
    cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"), QStringLiteral("A") });
    cli({ QStringLiteral("tournament"), QStringLiteral("create"), QStringLiteral("--name"), QStringLiteral("B") });
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into vereine (VEWKNR, VELOS) values (1, 1), (2, 1)")));

    Lauf ohne = cli({ QStringLiteral("tournament"), QStringLiteral("delete"), QStringLiteral("1") });
    EXPECT_EQ(ohne.rc, 1);
    EXPECT_TRUE(ohne.err.contains(QStringLiteral("Abbrechen"))) << ohne.err.toStdString();
    EXPECT_EQ(wettkaempfe(), 2);

    Lauf mit
        = cli({ QStringLiteral("tournament"), QStringLiteral("delete"), QStringLiteral("1"), QStringLiteral("--yes") });
    EXPECT_EQ(mit.rc, 0) << mit.err.toStdString();
    EXPECT_EQ(wettkaempfe(), 1);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from vereine")), 1);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from vereine where VEWKNR = 2")), 1);

    Lauf weg
        = cli({ QStringLiteral("tournament"), QStringLiteral("delete"), QStringLiteral("1"), QStringLiteral("--yes") });
    EXPECT_EQ(weg.rc, 1);
    EXPECT_TRUE(weg.err.contains(QStringLiteral("nicht gefunden")));
    EXPECT_EQ(
        cli({ QStringLiteral("tournament"), QStringLiteral("delete"), QStringLiteral("x"), QStringLiteral("--yes") })
            .rc,
        2);
    EXPECT_EQ(cli({ QStringLiteral("tournament"), QStringLiteral("delete") }).rc, 2);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliWettkampf);
