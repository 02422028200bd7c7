#include "support/clitest.h"

#include "competition/listenvorlagen.h"

#include <algorithm>

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

class CliListen : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (const char *ak : { "U15", "U18" })
            ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID) values (1, ?)"),
                                                 { QString::fromLatin1(ak) }));
        klasse("U15", "-40", 1, 3);
        klasse("U15", "-44", 2, 6);
        klasse("U15", "-48", 3, 0);
        klasse("U18", "-55", 1, 1);
    }

    void klasse(const char *ak, const char *gk, int sort, int teilnehmer)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, ?, ?, ?)"),
            { QString::fromLatin1(ak), QString::fromLatin1(gk), sort }));
        for (int i = 0; i < teilnehmer; ++i) {
            ++m_stnr;
            ASSERT_TRUE(datenmodul().Execute_SQL(
                QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                               "STSORT, STPLTZ, STSTAT) values (1, ?, ?, ?, ?, 'V', ?, 0, 0, '', 0)"),
                { m_stnr, QString::fromLatin1(ak), QString::fromLatin1(gk), QStringLiteral("Name%1").arg(m_stnr),
                  m_stnr }));
        }
    }


    Lauf erzeugen(QStringList zusatz)
    {
        QStringList args{ QStringLiteral("lists"), QStringLiteral("generate"), QStringLiteral("--tournament"),
                          QStringLiteral("1") };
        return cli(args + zusatz);
    }

    int zeilen(const char *gk)
    {
        return datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_liste where WLWKNR = 1 and WLGEWK = ?"),
                                          { QString::fromLatin1(gk) });
    }
    QString typ(const char *gk)
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select max(WLLTYP) from wk_liste where WLWKNR = 1 and WLGEWK = ?"),
                        { QString::fromLatin1(gk) })
            .toString();
    }

private:
    int m_stnr = 0;
};

TEST_P(CliListen, TypenMitKapazitaetUndName)
{
    std::vector<Listenkopf> koepfe;
    for (const Listenvorlage &v : listenvorlagen())
        koepfe.push_back(v.kopf);
    std::sort(koepfe.begin(), koepfe.end(), [](const Listenkopf &a, const Listenkopf &b) {
        return std::tie(a.max_teilnehmer, a.sortierung, a.typ) < std::tie(b.max_teilnehmer, b.sortierung, b.typ);
    });
    QString erwartet;
    for (const Listenkopf &k : koepfe)
        erwartet += k.typ + u';' + QString::number(k.max_teilnehmer) + u';' + k.bezeichnung + u'\n';

    const Lauf l = cli({ QStringLiteral("lists"), QStringLiteral("types") });
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, erwartet);
    EXPECT_TRUE(l.out.contains(QStringLiteral("JGJ03;3;Jeder gegen Jeder (3 Teiln.)\n")));
    EXPECT_TRUE(l.out.contains(QStringLiteral("KODT128;128;KO mit dopp. Trostrunde (128 Teiln.)\n")));

    EXPECT_EQ(cli({ QStringLiteral("lists"), QStringLiteral("types"), QStringLiteral("--new") }).rc, 2);
    // An unknown option with a value: the usage line once, nothing listed.
    const Lauf falsch = cli({ QStringLiteral("lists"), QStringLiteral("types"), QStringLiteral("--foo"),
                              QStringLiteral("bar") });
    EXPECT_EQ(falsch.rc, 2);
    EXPECT_TRUE(falsch.out.isEmpty());
    EXPECT_EQ(falsch.err.count(QStringLiteral("Aufruf: obitrack-cli lists types")), 1) << falsch.err.toStdString();
}

TEST_P(CliListen, ErzeugtJeGewichtsklasseEineZeile)
{
    const Lauf l = erzeugen({});
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    // Empty classes are left out; each class gets the window's preset for its
    // count (six participants: pools, not round robin).
    EXPECT_EQ(l.out, QStringLiteral("U15;-40;JGJ03;3;3\nU15;-44;POOL8;6;15\nU18;-55;JGJ01;1;0\n"));
    EXPECT_EQ(zeilen("-48"), 0);
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select STPLTZ from starter where STGEWK = '-55'")).toString(),
              QStringLiteral("1."));

    // Again without --new: the lists stay as they are.
    const int vorher = zeilen("-44");
    const Lauf nochmal = erzeugen({ QStringLiteral("--age-class"), QStringLiteral("U15") });
    EXPECT_EQ(nochmal.rc, 0) << nochmal.err.toStdString();
    EXPECT_EQ(nochmal.out, QStringLiteral("U15;-40;JGJ03;3;3\nU15;-44;POOL8;6;15\n"));
    EXPECT_EQ(zeilen("-44"), vorher);
}

TEST_P(CliListen, GewaehlterTyp)
{
    const Lauf l = erzeugen({ QStringLiteral("--age-class"), QStringLiteral("U15"), QStringLiteral("--weight-class"),
                              QStringLiteral("-44"), QStringLiteral("--type"), QStringLiteral("JGJ06") });
    EXPECT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QStringLiteral("U15;-44;JGJ06;6;15\n"));
    EXPECT_EQ(zeilen("-40"), 0);
}

TEST_P(CliListen, FalscherTypWirdGemeldet)
{
    const QStringList klasse{ QStringLiteral("--age-class"), QStringLiteral("U15"), QStringLiteral("--weight-class"),
                              QStringLiteral("-44") };
    const Lauf unbekannt = erzeugen(klasse + QStringList{ QStringLiteral("--type"), QStringLiteral("KO999") });
    EXPECT_EQ(unbekannt.rc, 1);
    EXPECT_TRUE(unbekannt.err.contains(QStringLiteral("Listentyp nicht gefunden (31042)"))) << unbekannt.err.toStdString();
    EXPECT_TRUE(unbekannt.out.isEmpty());

    const Lauf zuKlein = erzeugen(klasse + QStringList{ QStringLiteral("--type"), QStringLiteral("JGJ03") });
    EXPECT_EQ(zuKlein.rc, 1);
    EXPECT_TRUE(zuKlein.err.contains(QStringLiteral("(31043)"))) << zuKlein.err.toStdString();
    EXPECT_EQ(zeilen("-44"), 0);
}

TEST_P(CliListen, UnbekannteKlasseUndFalscheAufrufe)
{
    const Lauf ak = erzeugen({ QStringLiteral("--age-class"), QStringLiteral("U21") });
    EXPECT_EQ(ak.rc, 1);
    EXPECT_TRUE(ak.err.contains(QStringLiteral("(31002)"))) << ak.err.toStdString();
    const Lauf gk = erzeugen(
        { QStringLiteral("--age-class"), QStringLiteral("U15"), QStringLiteral("--weight-class"), QStringLiteral("-99") });
    EXPECT_EQ(gk.rc, 1);
    EXPECT_TRUE(gk.err.contains(QStringLiteral("(31003)"))) << gk.err.toStdString();
    // A named class without participants reports why.
    const Lauf leer = erzeugen(
        { QStringLiteral("--age-class"), QStringLiteral("U15"), QStringLiteral("--weight-class"), QStringLiteral("-48") });
    EXPECT_EQ(leer.rc, 1);
    EXPECT_TRUE(leer.err.contains(QStringLiteral("(31007)"))) << leer.err.toStdString();

    EXPECT_EQ(cli({ QStringLiteral("lists"), QStringLiteral("generate") }).rc, 2);
    EXPECT_EQ(erzeugen({ QStringLiteral("--weight-class"), QStringLiteral("-40") }).rc, 2);
    EXPECT_EQ(cli({ QStringLiteral("lists"), QStringLiteral("generate"), QStringLiteral("--tournament"),
                    QStringLiteral("x") })
                  .rc,
              2);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_liste")), 0);
}

TEST_P(CliListen, NeuErstellenNurMitYes)
{
    const QStringList klasse{ QStringLiteral("--age-class"), QStringLiteral("U15"), QStringLiteral("--weight-class"),
                              QStringLiteral("-40") };
    ASSERT_EQ(erzeugen(klasse).rc, 0);
    // A decided bout makes regeneration ask.
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral(
        "update wk_liste set WLSTAT = 5, WLBLAU = 1, WLWEIS = 2, WLSTNR = 1 where WLGEWK = '-40' and WLLPOS = 1")));

    const Lauf ohneYes = erzeugen(klasse + QStringList{ QStringLiteral("--new"), QStringLiteral("--type"),
                                                        QStringLiteral("KODT32") });
    EXPECT_EQ(ohneYes.rc, 1);
    EXPECT_TRUE(ohneYes.err.contains(QStringLiteral("(2002)"))) << ohneYes.err.toStdString();
    EXPECT_EQ(typ("-40"), QStringLiteral("JGJ03"));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select WLSTAT from wk_liste where WLGEWK = '-40' and WLLPOS = 1"))
                  .toInt(),
              5);

    const Lauf mitYes = erzeugen(klasse + QStringList{ QStringLiteral("--new"), QStringLiteral("--yes"),
                                                       QStringLiteral("--type"), QStringLiteral("KODT32") });
    EXPECT_EQ(mitYes.rc, 0) << mitYes.err.toStdString();
    EXPECT_TRUE(mitYes.out.startsWith(QStringLiteral("U15;-40;KODT32;3;"))) << mitYes.out.toStdString();
    EXPECT_EQ(typ("-40"), QStringLiteral("KODT32"));
    // The decided bout is gone; byes may be decided by the new list itself.
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral(
                  "select * from wk_liste where WLGEWK = '-40' and WLSTAT = 5 and WLBLAU = 1 and WLWEIS = 2")),
              0);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliListen);
