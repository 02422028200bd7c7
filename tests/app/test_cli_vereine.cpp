#include "support/clitest.h"

#include "setup/vereine.h"

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace {

class CliVereine : public CliTest
{
};

TEST_P(CliVereine, ListeEinesWettkampfs)
{
    for (int los : {7, 3}) {
        VereinEingabe e = verein_neu_eingabe();
        e.los = QString::number(los);
        e.name = QStringLiteral("Verein %1").arg(los);
        e.verband = QStringLiteral("NW");
        e.gemeldet = QStringLiteral("5");
        ASSERT_TRUE(verein_speichern(e, true, 1).ok());
    }
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("update vereine set VEORT = 'Köln', VEANZA = 2 where VEWKNR = 1 and VELOS = 3")));

    Lauf l = cli({QStringLiteral("club"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("1")});
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QStringLiteral("3;Verein 3;NW;Köln;5;2\n7;Verein 7;NW;;5;0\n"));

    Lauf leer
        = cli({QStringLiteral("club"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("2")});
    EXPECT_EQ(leer.rc, 0);
    EXPECT_TRUE(leer.out.isEmpty());
}

TEST_P(CliVereine, FalscherAufruf)
{
    const QStringList basis{QStringLiteral("club"), QStringLiteral("list")};
    for (const QStringList &rest : {QStringList{}, QStringList{QStringLiteral("--tournament"), QStringLiteral("x")},
                                    QStringList{QStringLiteral("--tournament"), QStringLiteral("0")},
                                    QStringList{QStringLiteral("--tournament"), QStringLiteral("1"),
                                                QStringLiteral("--name"), QStringLiteral("a")}}) {
        Lauf l = cli(basis + rest);
        EXPECT_EQ(l.rc, 2) << rest.join(u' ').toStdString();
        EXPECT_TRUE(l.out.isEmpty());
    }
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliVereine);

} // namespace
