#include "support/clitest.h"

#include "setup/altersklassen.h"

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

class CliKlassen : public CliTest
{
};

TEST_P(CliKlassen, AltersklassenUndGewichtsklassen)
{
    AltersklasseEingabe e = altersklasse_neu_eingabe();
    e.akid = QStringLiteral("U18w");
    e.gewt = QStringLiteral("U18W");
    e.mw = QStringLiteral("W");
    e.jgmi = QStringLiteral("2009");
    e.jgma = QStringLiteral("2011");
    e.rstr = QStringLiteral("X");
    e.hgtm = QStringLiteral("20");
    e.htg2 = QStringLiteral("10");
    ASSERT_TRUE(altersklasse_speichern(e, true, 1).ok());
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STLOS, STSORT) "
                       "values (1, 1, 'U18w', '-44', 'Name', 1, 0)")));

    Lauf ak = cli(
        { QStringLiteral("age-class"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("1") });
    EXPECT_EQ(ak.rc, 0) << ak.err.toStdString();
    EXPECT_EQ(ak.out, QStringLiteral("U18w;U18W;2009-2011;W;8\n"));

    Lauf gk = cli({ QStringLiteral("weight-class"), QStringLiteral("list"), QStringLiteral("--tournament"),
                    QStringLiteral("1"), QStringLiteral("--age-class"), QStringLiteral("U18w") });
    EXPECT_EQ(gk.rc, 0) << gk.err.toStdString();
    const QStringList zeilen = gk.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 8);
    EXPECT_EQ(zeilen.at(0), QStringLiteral("U18w;-40;1;40;0"));
    EXPECT_EQ(zeilen.at(1), QStringLiteral("U18w;-44;2;44;1"));
    EXPECT_EQ(zeilen.at(7), QStringLiteral("U18w;+70;8;999;0"));

    Lauf leer = cli({ QStringLiteral("weight-class"), QStringLiteral("list"), QStringLiteral("--tournament"),
                      QStringLiteral("1"), QStringLiteral("--age-class"), QStringLiteral("U15") });
    EXPECT_EQ(leer.rc, 0);
    EXPECT_TRUE(leer.out.isEmpty());
}

TEST_P(CliKlassen, DemoGleicherStartwertGleicheListe)
{
    const QStringList demo { QStringLiteral("demo"), QStringLiteral("--participants"), QStringLiteral("500"),
                             QStringLiteral("--seed"), QStringLiteral("1") };
    Lauf a = cli(demo);
    ASSERT_EQ(a.rc, 0) << a.err.toStdString();
    Lauf b = cli(demo);
    ASSERT_EQ(b.rc, 0) << b.err.toStdString();
    EXPECT_EQ(a.out, QStringLiteral("1\n"));
    EXPECT_EQ(b.out, QStringLiteral("2\n"));

    const auto liste = [&](const QString &wk) {
        return cli({ QStringLiteral("weight-class"), QStringLiteral("list"), QStringLiteral("--tournament"), wk });
    };
    Lauf la = liste(QStringLiteral("1"));
    Lauf lb = liste(QStringLiteral("2"));
    EXPECT_EQ(la.rc, 0);
    EXPECT_EQ(la.out, lb.out);
    int summe = 0;
    for (const QString &z : la.out.split(u'\n', Qt::SkipEmptyParts)) {
        const int n = z.section(u';', 4, 4).toInt();
        EXPECT_GT(n, 0) << z.toStdString();
        summe += n;
    }
    EXPECT_EQ(summe, 500);

    Lauf ak = cli(
        { QStringLiteral("age-class"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("1") });
    EXPECT_EQ(ak.out.count(u'\n'), 6);

    // The default: 300 participants.
    Lauf c = cli({ QStringLiteral("demo") });
    ASSERT_EQ(c.rc, 0) << c.err.toStdString();
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select count(*) from starter where STWKNR = 3")).toInt(), 300);
}

TEST_P(CliKlassen, FalscheAufrufe)
{
    const QList<QStringList> faelle = {
        { QStringLiteral("age-class"), QStringLiteral("list") },
        { QStringLiteral("age-class"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("x") },
        { QStringLiteral("age-class"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("0") },
        { QStringLiteral("weight-class"), QStringLiteral("list"), QStringLiteral("--age-class"),
          QStringLiteral("U15") },
        { QStringLiteral("weight-class"), QStringLiteral("list"), QStringLiteral("--tournament"), QStringLiteral("1"),
          QStringLiteral("--gewicht"), QStringLiteral("3") },
        { QStringLiteral("demo"), QStringLiteral("--participants"), QStringLiteral("-5") },
        { QStringLiteral("demo"), QStringLiteral("--participants"), QStringLiteral("viele") },
        { QStringLiteral("demo"), QStringLiteral("--seed"), QStringLiteral("-1") },
        { QStringLiteral("demo"), QStringLiteral("extra") },
    };
    for (const QStringList &f : faelle) {
        const Lauf l = cli(f);
        EXPECT_EQ(l.rc, 2) << f.join(u' ').toStdString();
        EXPECT_FALSE(l.err.isEmpty()) << f.join(u' ').toStdString();
    }
    // Too few participants for every weight class: refused, nothing written.
    const Lauf wenig = cli({ QStringLiteral("demo"), QStringLiteral("--participants"), QStringLiteral("10") });
    EXPECT_EQ(wenig.rc, 1);
    EXPECT_TRUE(wenig.err.contains(QStringLiteral("Mindestens")));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select count(*) from wettkampf")).toInt(), 0);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliKlassen);
