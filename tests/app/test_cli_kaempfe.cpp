#include "support/clitest.h"

#include "support/testdb.h"

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

// Tournament 1 with age class U18 (3:00 fight time): "-60" with four
// participants (round robin of six bouts) and "-66" with nine (double KO).
void turnier_anlegen(Tdm &db)
{
    auto ok = [&](const QString &sql, const QVariantList &werte = {}) { ASSERT_TRUE(db.Execute_SQL(sql, werte)) << sql.toStdString(); };
    ok(s("insert into wettkampf (WKWKNR, WKBEZ) values (1, 'Test')"));
    ok(s("insert into klassen (AKWKNR, AKAKID, AKKATI) values (1, 'U18', 180)"));
    ok(s("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18', '-60', 1)"));
    ok(s("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18', '-66', 2)"));
    ok(s("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (1, 1, 'JC Nord', 'BY')"));
    ok(s("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (1, 2, 'JC Süd', 'BW')"));
    for (int i = 1; i <= 13; ++i)
        ok(s("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, STSORT, STPLTZ, "
             "STSTAT) values (1, ?, 'U18', ?, ?, 'Vor', ?, 0, ?, '', 0)"),
           { i, i <= 4 ? s("-60") : s("-66"), QStringLiteral("Name%1").arg(i, 2, 10, QLatin1Char('0')), 1 + i % 2,
             (i * 7) % 13 });
}

class CliKaempfe : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        turnier_anlegen(datenmodul());
    }

    static QStringList klasse(const char *gk = "-60")
    {
        return { s("--tournament"), s("1"), s("--age-class"), s("U18"), s("--weight-class"), s(gk) };
    }
    void listen(const QString &ini = {})
    {
        const Lauf l = cli({ s("lists"), s("generate"), s("--tournament"), s("1") }, ini);
        ASSERT_EQ(l.rc, 0) << l.err.toStdString();
    }
    QStringList kaempfe(const char *gk = "-60", bool namen = false)
    {
        QStringList args = QStringList{ s("bouts") } + klasse(gk);
        if (namen)
            args << s("--names");
        const Lauf l = cli(args);
        EXPECT_EQ(l.rc, 0) << l.err.toStdString();
        return l.out.split(u'\n', Qt::SkipEmptyParts);
    }
    Lauf ergebnis(int bout, const char *sieger, const char *wertung = "07", const char *zeit = "2:31",
                  QStringList zusatz = {})
    {
        return cli(QStringList{ s("result") } + klasse()
                   + QStringList{ s("--bout"), QString::number(bout), s("--winner"), s(sieger), s("--score"),
                                  s(wertung), s("--time"), s(zeit) }
                   + zusatz);
    }
    int status(int pos)
    {
        return datenmodul()
            .einzelwert(s("select WLSTAT from wk_liste where WLWKNR = 1 and WLGEWK = '-60' and WLLPOS = ?"), { pos })
            .toInt();
    }
};

TEST_P(CliKaempfe, KaempfeInKampfreihenfolge)
{
    listen();
    const QStringList z = kaempfe();
    ASSERT_EQ(z.size(), 6);
    // Round robin of four: every bout pending, club mates (same lot) first.
    for (const QString &zeile : z) {
        const QStringList f = zeile.split(u';');
        ASSERT_EQ(f.size(), 8) << zeile.toStdString();
        EXPECT_EQ(f[3], s("-1"));
        EXPECT_EQ(f[4], s("anstehend"));
        EXPECT_TRUE(f[5].isEmpty() && f[6].isEmpty() && f[7].isEmpty());
        const int blau = f[1].toInt(), weis = f[2].toInt();
        EXPECT_TRUE(blau >= 1 && blau <= 4 && weis >= 1 && weis <= 4 && blau != weis);
    }
    const QStringList n = kaempfe("-60", true);
    ASSERT_EQ(n.size(), 6);
    EXPECT_TRUE(n[0].split(u';')[1].startsWith(s("Name0"))) << n[0].toStdString();
    EXPECT_TRUE(n[0].split(u';')[1].endsWith(s(", Vor"))) << n[0].toStdString();
    EXPECT_EQ(n[0].split(u';')[3], s("-1")); // no winner yet: stays a number

    // The double KO list shows byes as 0 and open sides as -1.
    const QStringList ko = kaempfe("-66");
    EXPECT_TRUE(ko.join(u'\n').contains(s(";kampflos"))) << ko.join(u'\n').toStdString();
    EXPECT_TRUE(ko.join(u'\n').contains(s(";noch offen;")));
}

TEST_P(CliKaempfe, KaempfeFehler)
{
    EXPECT_EQ(cli({ s("bouts"), s("--tournament"), s("1"), s("--age-class"), s("U18") }).rc, 2);
    EXPECT_EQ(cli(QStringList{ s("bouts") } + klasse() + QStringList{ s("--unbekannt"), s("1") }).rc, 2);
    EXPECT_EQ(cli({ s("bouts"), s("--tournament"), s("x"), s("--age-class"), s("U18"), s("--weight-class"), s("-60") }).rc,
              2);
    // No list yet.
    const Lauf l = cli(QStringList{ s("bouts") } + klasse());
    EXPECT_EQ(l.rc, 1);
    EXPECT_TRUE(l.err.contains(s("Keine Wettkampfliste erstellt"))) << l.err.toStdString();
    const Lauf w = cli({ s("bouts"), s("--tournament"), s("9"), s("--age-class"), s("U18"), s("--weight-class"), s("-60") });
    EXPECT_EQ(w.rc, 1);
    EXPECT_TRUE(w.err.contains(s("nicht gefunden")));
}

TEST_P(CliKaempfe, ErgebnisSpeichern)
{
    listen();
    const QStringList f = kaempfe().first().split(u';');
    const int pos = f[0].toInt();
    const Lauf l = ergebnis(pos, "weiss", "07", "2:31", { s("--remark"), s("Haltegriff") });
    ASSERT_EQ(l.rc, 0) << l.err.toStdString();
    const QString erwartet =
        QStringLiteral("%1;%2;%3;%3;entschieden;07;2:31;Haltegriff").arg(f[0], f[1], f[2]);
    EXPECT_EQ(l.out.trimmed(), erwartet);
    EXPECT_TRUE(kaempfe().contains(erwartet));
}

TEST_P(CliKaempfe, ErgebnisFehlerAendernNichts)
{
    listen();
    const int pos = kaempfe().first().split(u';')[0].toInt();
    struct {
        const char *sieger, *wertung, *zeit;
        int rc;
        const char *text;
    } const faelle[] = {
        { "rot", "07", "2:31", 2, "blau oder weiss" },
        { "Blau", "07", "2:31", 2, "blau oder weiss" },
        { "blau", "07", "231", 2, "m:ss" },
        { "blau", "07", "2:61", 2, "m:ss" },
        { "blau", "07", "2:3", 2, "m:ss" },
        { "blau", "07", "a:bc", 2, "m:ss" },
        { "blau", " ", "2:31", 2, "Wertung" },
    };
    for (const auto &f : faelle) {
        const Lauf l = ergebnis(pos, f.sieger, f.wertung, f.zeit);
        EXPECT_EQ(l.rc, f.rc) << f.sieger << ' ' << f.zeit;
        EXPECT_TRUE(l.err.contains(s(f.text))) << l.err.toStdString();
        EXPECT_EQ(status(pos), 1);
    }
    const Lauf fehlt = ergebnis(999, "blau");
    EXPECT_EQ(fehlt.rc, 1);
    EXPECT_TRUE(fehlt.err.contains(s("gibt es"))) << fehlt.err.toStdString();
    EXPECT_EQ(cli(QStringList{ s("result") } + klasse() + QStringList{ s("--bout"), QString::number(pos) }).rc, 2);

    // A decided bout is not pending any more.
    ASSERT_EQ(ergebnis(pos, "blau").rc, 0);
    const Lauf nochmal = ergebnis(pos, "weiss");
    EXPECT_EQ(nochmal.rc, 1);
    EXPECT_TRUE(nochmal.err.contains(s("steht nicht an"))) << nochmal.err.toStdString();
    EXPECT_EQ(kaempfe().join(u'\n').count(s(";entschieden;")), 1);
}

TEST_P(CliKaempfe, AnnullierenNurMitYes)
{
    listen();
    const QStringList f = kaempfe().first().split(u';');
    const int pos = f[0].toInt();
    const QStringList args = QStringList{ s("annul") } + klasse() + QStringList{ s("--bout"), f[0] };
    // Not decided yet.
    const Lauf offen = cli(args + QStringList{ s("--yes") });
    EXPECT_EQ(offen.rc, 1);
    EXPECT_TRUE(offen.err.contains(s("nicht entschieden"))) << offen.err.toStdString();

    ASSERT_EQ(ergebnis(pos, "blau").rc, 0);
    const Lauf ohne = cli(args);
    EXPECT_EQ(ohne.rc, 1);
    EXPECT_TRUE(ohne.err.contains(s("--yes fehlt"))) << ohne.err.toStdString();
    EXPECT_EQ(status(pos), 5);

    const Lauf mit = cli(args + QStringList{ s("--yes") });
    ASSERT_EQ(mit.rc, 0) << mit.err.toStdString();
    EXPECT_EQ(mit.out.trimmed(), QStringLiteral("%1;%2;%3;-1;anstehend;;;").arg(f[0], f[1], f[2]));
    EXPECT_EQ(status(pos), 1);
    EXPECT_EQ(cli(QStringList{ s("annul") } + klasse() + QStringList{ s("--bout"), s("0"), s("--yes") }).rc, 2);
}

TEST_P(CliKaempfe, SimulierenUndPlaetze)
{
    listen();
    const Lauf leer = cli({ s("places"), s("--tournament"), s("1") });
    EXPECT_EQ(leer.rc, 0);
    EXPECT_TRUE(leer.out.isEmpty());

    const Lauf sim = cli({ s("simulate"), s("--tournament"), s("1"), s("--seed"), s("3") });
    ASSERT_EQ(sim.rc, 0) << sim.err.toStdString();
    EXPECT_GT(sim.out.trimmed().toInt(), 6);
    EXPECT_TRUE(sim.err.isEmpty()) << sim.err.toStdString();
    for (const char *gk : { "-60", "-66" })
        EXPECT_FALSE(kaempfe(gk).join(u'\n').contains(s(";anstehend;")));

    const Lauf p = cli({ s("places"), s("--tournament"), s("1") });
    ASSERT_EQ(p.rc, 0) << p.err.toStdString();
    QStringList plaetze;
    for (const QString &zeile : p.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = zeile.split(u';');
        ASSERT_EQ(f.size(), 6) << zeile.toStdString();
        EXPECT_TRUE(f[5] == s("JC Nord/BY") || f[5] == s("JC Süd/BW")) << zeile.toStdString();
        plaetze << f[1] + u' ' + f[2];
    }
    // Classes by their sort order, places in rank order.
    EXPECT_EQ(plaetze, (QStringList{ s("-60 1."), s("-60 2."), s("-60 3."), s("-60 4."), s("-66 1."), s("-66 2."),
                                     s("-66 3.1"), s("-66 3.2"), s("-66 5.1"), s("-66 5.2"), s("-66 7.1"),
                                     s("-66 7.2") }));
    const Lauf nur = cli({ s("places"), s("--tournament"), s("1"), s("--age-class"), s("U18"), s("--weight-class"),
                           s("-66") });
    EXPECT_EQ(nur.out.count(u'\n'), 8);

    // Nothing left to play.
    const Lauf nochmal = cli({ s("simulate"), s("--tournament"), s("1") });
    EXPECT_EQ(nochmal.out, s("0\n"));
    EXPECT_EQ(cli({ s("simulate"), s("--tournament"), s("1"), s("--seed"), s("-1") }).rc, 2);
    EXPECT_EQ(cli({ s("simulate"), s("--tournament"), s("7") }).rc, 1);
}

TEST_P(CliKaempfe, GleicherStartwertGleichePlaetze)
{
    listen();
    QString fehler;
    obi::test::TestDatenbank zweite;
    ASSERT_TRUE(zweite.anlegen(GetParam(), true, &fehler)) << fehler.toStdString();
    turnier_anlegen(zweite.dm());
    const QString ini2 = zweite.schreibeIni();
    listen(ini2);

    QStringList ausgaben;
    for (const QString &ini : { QString(), ini2 }) {
        ASSERT_EQ(cli({ s("simulate"), s("--tournament"), s("1"), s("--seed"), s("42") }, ini).rc, 0);
        const Lauf p = cli({ s("places"), s("--tournament"), s("1") }, ini);
        ASSERT_EQ(p.rc, 0);
        ausgaben << p.out;
    }
    EXPECT_FALSE(ausgaben[0].isEmpty());
    EXPECT_EQ(ausgaben[0], ausgaben[1]);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliKaempfe);
