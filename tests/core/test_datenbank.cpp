#include "support/dbtest.h"

#include "core/basis.h"

#include <QFile>

using namespace obi;
using obi::test::DbTest;

namespace {

class Datenbank : public DbTest
{
protected:
    bool mitSchema() const override { return false; }
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("create table probe (PRNR integer primary key, PRNAME varchar(30), PRWERT double precision)")));
    }
    int zeilen() { return datenmodul().anzahl_Saetze(QStringLiteral("select * from probe")); }
};

TEST_P(Datenbank, GebundeneWerteUndFehler)
{
    Tdm &d = datenmodul();
    SqlFelder f{{QStringLiteral("PRNR"), QStringLiteral("I"), QStringLiteral("1")},
                {QStringLiteral("PRNAME"), QStringLiteral("T"), QStringLiteral("O'Brien \"Bob\"")},
                {QStringLiteral("PRWERT"), QStringLiteral("N"), QStringLiteral("12,5")}};
    const SqlTeil ins = sql_einfuegeliste(f, 3);
    ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into probe") + ins.text, ins.werte));
    EXPECT_EQ(d.einzelwert(QStringLiteral("select PRNAME from probe where PRNR = ?"), {1}).toString(),
              QStringLiteral("O´Brien ´´Bob´´"));
    EXPECT_DOUBLE_EQ(d.einzelwert(QStringLiteral("select PRWERT from probe")).toDouble(), 12.5);

    // A duplicate key and a broken statement fail quietly, are logged and leave the data alone.
    EXPECT_FALSE(d.Execute_SQL(QStringLiteral("insert into probe") + ins.text, ins.werte));
    EXPECT_FALSE(d.Execute_SQL(QStringLiteral("update gibtsnicht set x = 1")));
    EXPECT_FALSE(d.letzter_fehler().isEmpty());
    EXPECT_EQ(d.anzahl_Saetze(QStringLiteral("select * from gibtsnicht")), 0);
    EXPECT_FALSE(d.abfrage(QStringLiteral("select nix from probe")).has_value());
    EXPECT_EQ(zeilen(), 1);
    QFile log(fehlerprotokoll_pfad());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("gibtsnicht"));
}

TEST_P(Datenbank, GrossSchreibungMitUmlauten)
{
    Tdm &d = datenmodul();
    ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into probe (PRNR, PRNAME) values (?, ?)"),
                              QVariantList{1, QStringLiteral("Müller-Lüdenscheidt öß")}));
    EXPECT_EQ(d.einzelwert(QStringLiteral("select ") + d.sql_gross(QStringLiteral("PRNAME")) + QStringLiteral(" from probe"))
                  .toString(),
              QStringLiteral("MÜLLER-LÜDENSCHEIDT Öß"));
    // Searching a name typed in small letters finds the stored one.
    EXPECT_EQ(d.anzahl_Saetze(QStringLiteral("select * from probe where ") + d.sql_gross(QStringLiteral("PRNAME"))
                                  + QStringLiteral(" like ?"),
                              QVariantList{QString(gross_schreiben(QStringLiteral("müller")) + u'%')}),
              1);
}

TEST_P(Datenbank, TransaktionenVerschachteltUndZurueckgerollt)
{
    Tdm &d = datenmodul();
    const QString ins = QStringLiteral("insert into probe (PRNR) values (?)");
    {
        Transaktion t(d);
        ASSERT_TRUE(t.aktiv());
        ASSERT_TRUE(d.Execute_SQL(ins, {1}));
        {
            Transaktion innen(d); // joins the outer one
            ASSERT_TRUE(d.Execute_SQL(ins, {2}));
            EXPECT_TRUE(innen.commit());
        }
        EXPECT_EQ(d.transaktionsTiefe(), 1);
        EXPECT_TRUE(t.commit());
    }
    EXPECT_EQ(zeilen(), 2);

    { // left without commit: everything goes
        Transaktion t(d);
        ASSERT_TRUE(d.Execute_SQL(ins, {3}));
    }
    EXPECT_EQ(zeilen(), 2);

    { // an inner one that gives up dooms the outer one
        Transaktion t(d);
        ASSERT_TRUE(d.Execute_SQL(ins, {4}));
        {
            Transaktion innen(d);
            innen.rollback();
        }
        EXPECT_FALSE(t.commit());
    }
    EXPECT_EQ(zeilen(), 2);

    { // a failing statement makes commit report failure instead of a silent half
        Transaktion t(d);
        ASSERT_TRUE(d.Execute_SQL(ins, {5}));
        EXPECT_FALSE(d.Execute_SQL(ins, {1}));
        EXPECT_FALSE(t.commit());
    }
    EXPECT_EQ(zeilen(), 2);
    EXPECT_EQ(d.transaktionsTiefe(), 0);
}

TEST_P(Datenbank, AndereVerbindungSiehtNurFertigeArbeit)
{
    Tdm &d = datenmodul();
    auto zweite = zweiteVerbindung();
    ASSERT_TRUE(zweite);
    const QString zaehlen = QStringLiteral("select * from probe");
    {
        Transaktion t(d);
        ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into probe (PRNR) values (1)")));
        ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into probe (PRNR) values (2)")));
        EXPECT_EQ(zweite->anzahl_Saetze(zaehlen), 0);
        ASSERT_TRUE(t.commit());
    }
    EXPECT_EQ(zweite->anzahl_Saetze(zaehlen), 2);
}

TEST_P(Datenbank, NeuVerbindenNachTrennen)
{
    Tdm &d = datenmodul();
    d.trennen();
    EXPECT_FALSE(d.verbunden());
    EXPECT_FALSE(d.Execute_SQL(QStringLiteral("insert into probe (PRNR) values (1)")));
    QString fehler;
    ASSERT_TRUE(d.neu_verbinden(&fehler)) << fehler.toStdString();
    EXPECT_TRUE(d.Execute_SQL(QStringLiteral("insert into probe (PRNR) values (1)")));
    EXPECT_EQ(zeilen(), 1);
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(Datenbank);

TEST(Verbindung, UnerreichbarerServerLiefertTreibertext)
{
    Tdm d;
    QString fehler;
    // A closed port on loopback fails at once with the driver's own text.
    EXPECT_FALSE(d.verbinden({QStringLiteral("127.0.0.1:1"), QStringLiteral("x"), QStringLiteral("u"), QString()}, &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_FALSE(d.verbunden());
}

TEST(Verbindung, SqlitePfadRelativZurIni)
{
    DbEinstellungen e;
    EXPECT_TRUE(e.sqlitePfad().endsWith(QStringLiteral("/obitrack/obitrack5.db")));
    e.datei = QStringLiteral("/abs/turnier.db");
    EXPECT_EQ(e.sqlitePfad(), QStringLiteral("/abs/turnier.db"));
}

} // namespace
