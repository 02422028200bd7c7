#include "support/dbtest.h"

#include "core/basis.h"
#include "core/schema.h"
#include "core/zustand.h"
#include "register/wettkampf.h"

#include <QSqlRecord>

#include <barrier>
#include <set>
#include <thread>

using namespace obi;
using obi::test::AngemeldetDbTest;

namespace
{

class Wettkampf : public AngemeldetDbTest
{
protected:
    int neu(const QString &name, const QString &datum = QStringLiteral("01.02.2027"))
    {
        WettkampfDaten d = wettkampf_vorgabe();
        d.bezeichnung = name;
        d.datum = datum;
        const auto nr = wettkampf_speichern(d);
        EXPECT_TRUE(nr.has_value());
        return nr.value_or(0);
    }
    QVariant wert(const char *spalte, int nr)
    {
        return datenmodul().einzelwert(QStringLiteral("select ") + QString::fromLatin1(spalte)
                                           + QStringLiteral(" from wettkampf where WKWKNR = ?"),
                                       { nr });
    }
    int zeilen(const WettkampfTabelle &t, int nr)
    {
        return datenmodul().anzahl_Saetze(QStringLiteral("select * from ") + QString::fromLatin1(t.tabelle)
                                              + QStringLiteral(" where ") + QString::fromLatin1(t.spalte)
                                              + QStringLiteral(" = ?"),
                                          { nr });
    }
    // One row of tournament nr in every table that holds tournament rows.
    void fuellen(int nr)
    {
        Tdm &d = datenmodul();
        const QVariantList w { nr };
        ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID) values (?, 'U15')"), w));
        ASSERT_TRUE(d.Execute_SQL(
            QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK) values (?, 'U15', '-40')"), w));
        ASSERT_TRUE(
            d.Execute_SQL(QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME) values (?, 1, 'TSV')"), w));
        ASSERT_TRUE(d.Execute_SQL(
            QStringLiteral(
                "insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STLOS) values (?, 1, 'U15', '-40', 1)"),
            w));
        ASSERT_TRUE(d.Execute_SQL(
            QStringLiteral("insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLPOS) values (?, 'U15', '-40', 1)"), w));
        ASSERT_TRUE(d.Execute_SQL(
            QStringLiteral("insert into wk_protokoll (WPWKNR, WPAKID, WPGEWK, WPLPOS) values (?, 'U15', '-40', 1)"),
            w));
        ASSERT_TRUE(d.Execute_SQL(QStringLiteral("insert into matten_belegung (MBWKNR, MBMATT) values (?, 'M1')"), w));
        ASSERT_TRUE(d.Execute_SQL(
            QStringLiteral("insert into temp_vereine (TMUSER, TMWKNR, TMLFDN) values ('tester', ?, 1)"), w));
    }
};

TEST_P(Wettkampf, LeereTabelleErsterWettkampfIstEins)
{
    EXPECT_TRUE(wettkampf_liste().isEmpty());
    EXPECT_EQ(neu(QStringLiteral("Kreismeisterschaft")), 1);
    EXPECT_EQ(neu(QStringLiteral("Bezirksmeisterschaft")), 2);
    ASSERT_EQ(wettkampf_liste().size(), 2);
}

TEST_P(Wettkampf, AnlegenSchreibtAlleSpalten)
{
    WettkampfDaten d = wettkampf_vorgabe();
    EXPECT_EQ(d.bezeichnung, QStringLiteral("neuer Wettkampf"));
    EXPECT_EQ(d.datum, zahl_zu_datum(heute_zahl()));
    EXPECT_EQ(d.startgeld, QStringLiteral("0,00"));
    d.bezeichnung = QStringLiteral("O'Brien Pokal");
    d.ort = QStringLiteral("Ort");
    d.leitung = QStringLiteral("Leitung");
    d.startgeld = QStringLiteral("12,50");
    d.bemerkung = QStringLiteral("Bem");
    const auto nr = wettkampf_speichern(d);
    ASSERT_TRUE(nr.has_value());
    EXPECT_DOUBLE_EQ(wert("WKSGLD", *nr).toDouble(), 12.5);
    EXPECT_EQ(wert("WKBEZ", *nr).toString(), QStringLiteral("O´Brien Pokal"));
    EXPECT_EQ(wert("WKDATU", *nr).toInt(), heute_zahl());
    EXPECT_EQ(wert("WKUSER", *nr).toString(), QStringLiteral("tester"));
    EXPECT_EQ(wert("WKERUS", *nr).toString(), QStringLiteral("tester"));
    EXPECT_EQ(wert("WKERDA", *nr).toInt(), heute_zahl());
    EXPECT_EQ(wert("WKAEDA", *nr).toInt(), heute_zahl());
    EXPECT_FALSE(wert("WKERTI", *nr).isNull());
    for (const char *aktivierung : { "WKFLDJ", "WKFLDL", "WKFLDP", "WKFLDB", "WKFLDS" }) {
        EXPECT_EQ(wert(aktivierung, *nr), QVariant(0)) << aktivierung;
    }

    const auto gelesen = wettkampf_lesen(*nr);
    ASSERT_TRUE(gelesen.has_value());
    EXPECT_EQ(gelesen->startgeld, QStringLiteral("12,50"));
    EXPECT_EQ(gelesen->ort, QStringLiteral("Ort"));
    EXPECT_EQ(gelesen->leitung, QStringLiteral("Leitung"));
    EXPECT_EQ(gelesen->bemerkung, QStringLiteral("Bem"));
}

TEST_P(Wettkampf, AendernBehaeltNummerUndErstellung)
{
    const int nr = neu(QStringLiteral("Alt"));
    ASSERT_TRUE(
        datenmodul().Execute_SQL(QStringLiteral("update wettkampf set WKERDA = 20000101 where WKWKNR = ?"), { nr }));
    auto d = wettkampf_lesen(nr);
    ASSERT_TRUE(d.has_value());
    d->bezeichnung = QStringLiteral("Neu");
    d->startgeld = QStringLiteral("7,5");
    EXPECT_EQ(wettkampf_speichern(*d), nr);
    EXPECT_EQ(wert("WKBEZ", nr).toString(), QStringLiteral("Neu"));
    EXPECT_DOUBLE_EQ(wert("WKSGLD", nr).toDouble(), 7.5);
    EXPECT_EQ(wert("WKERDA", nr).toInt(), 20000101);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wettkampf")), 1);

    // A tournament deleted meanwhile is not reported as saved.
    ASSERT_TRUE(wettkampf_loeschen(nr));
    EXPECT_FALSE(wettkampf_speichern(*d).has_value());
    erwarteMeldung(9002);
    EXPECT_FALSE(wettkampf_lesen(nr).has_value());
}

struct Feldfall {
    const char *feld;
    const char *bez;
    const char *datum;
    const char *startgeld;
    int meldung; // 0 = accepted
    const char *fehler; // key of the refused field
    const char *datumDanach;
};

class WettkampfPruefung : public obi::test::ObiTest, public ::testing::WithParamInterface<Feldfall>
{
};

TEST_P(WettkampfPruefung, Feld)
{
    const Feldfall &f = GetParam();
    WettkampfDaten d;
    d.bezeichnung = QString::fromUtf8(f.bez);
    d.datum = QString::fromUtf8(f.datum);
    d.startgeld = QString::fromUtf8(f.startgeld);
    QString fehlerFeld;
    EXPECT_EQ(wettkampf_pruefen(d, QString::fromLatin1(f.feld), &fehlerFeld), f.meldung == 0);
    if (f.meldung != 0)
        erwarteMeldung(f.meldung);
    EXPECT_EQ(fehlerFeld, QString::fromLatin1(f.fehler));
    EXPECT_EQ(d.datum, QString::fromUtf8(f.datumDanach));
}

INSTANTIATE_TEST_SUITE_P(Faelle, WettkampfPruefung,
                         ::testing::Values(Feldfall { "*", "WK", "010203", "12,50", 0, "", "01.02.2003" },
                                           Feldfall { "DATU", "WK", "1.2.27", "x", 0, "", "01.02.2027" },
                                           Feldfall { "DATU", "WK", "31.04.2003", "0", 21002, "DATU", "31.04.2003" },
                                           Feldfall { "*", "WK", "31.04.2003", "0", 21002, "DATU", "31.04.2003" },
                                           Feldfall { "DATU", "WK", "   ", "0", 21001, "DATU", "   " },
                                           Feldfall { "BEZ", "   ", "x", "x", 21001, "BEZ", "x" },
                                           Feldfall { "*", "", "x", "x", 21001, "BEZ", "x" },
                                           Feldfall { "SGLD", "", "x", "12.50", 21003, "SGLD", "x" },
                                           Feldfall { "SGLD", "", "x", "", 21003, "SGLD", "x" },
                                           Feldfall { "*", "WK", "01.01.2027", "zwölf", 21003, "SGLD", "01.01.2027" },
                                           Feldfall { "SGLD", "", "", "1,5", 0, "", "" }),
                         [](const ::testing::TestParamInfo<Feldfall> &fall) {
                             return "Fall" + std::to_string(fall.index);
                         });

TEST_P(Wettkampf, UngueltigesDatumWirdNichtGespeichert)
{
    WettkampfDaten d = wettkampf_vorgabe();
    d.datum = QStringLiteral("31.04.2003");
    EXPECT_FALSE(wettkampf_speichern(d).has_value());
    erwarteMeldung(21002);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wettkampf")), 0);

    d.datum = QStringLiteral("010203");
    const auto nr = wettkampf_speichern(d);
    ASSERT_TRUE(nr.has_value());
    EXPECT_EQ(wert("WKDATU", *nr).toInt(), 20030201);
}

TEST_P(Wettkampf, ListeNeuesteZuerst)
{
    neu(QStringLiteral("A"), QStringLiteral("01.01.2020"));
    neu(QStringLiteral("B"), QStringLiteral("01.01.2025"));
    neu(QStringLiteral("C"), QStringLiteral("01.01.2025"));
    const auto liste = wettkampf_liste();
    ASSERT_EQ(liste.size(), 3);
    EXPECT_EQ(liste.at(0).bezeichnung, QStringLiteral("C"));
    EXPECT_EQ(liste.at(1).bezeichnung, QStringLiteral("B"));
    EXPECT_EQ(liste.at(2).nummer, 1);
    EXPECT_EQ(liste.at(2).datum, 20200101);
}

TEST_P(Wettkampf, LoeschenEntferntAlleZeilenNurDiesesWettkampfs)
{
    const int a = neu(QStringLiteral("A"));
    const int b = neu(QStringLiteral("B"));
    fuellen(a);
    fuellen(b);
    zustand().aktueller_wettkampf = QString::number(b);

    ASSERT_TRUE(wettkampf_loeschen(a));
    for (const WettkampfTabelle &t : wettkampf_tabellen()) {
        EXPECT_EQ(zeilen(t, a), 0) << t.tabelle;
        EXPECT_EQ(zeilen(t, b), 1) << t.tabelle;
    }
    // Another tournament stays current.
    EXPECT_EQ(zustand().aktueller_wettkampf, QString::number(b));

    ASSERT_TRUE(wettkampf_loeschen(b));
    EXPECT_EQ(zustand().aktueller_wettkampf, QStringLiteral("0"));
    EXPECT_TRUE(zustand().aktueller_wettkampfname.isEmpty());
}

TEST_P(Wettkampf, JedeTabelleMitWettkampfnummerWirdGeloescht)
{
    // Guards against a new table whose rows would outlive their tournament.
    QStringList erfasst;
    for (const WettkampfTabelle &t : wettkampf_tabellen())
        erfasst << QString::fromLatin1(t.tabelle).toLower() + u'.' + QString::fromLatin1(t.spalte).toLower();
    for (const QString &tabelle : schema_tabellen()) {
        const QSqlRecord r = datenmodul().db().record(tabelle);
        for (int i = 0; i < r.count(); ++i) {
            const QString spalte = r.fieldName(i).toLower();
            if (spalte.endsWith(QStringLiteral("wknr"))) {
                EXPECT_TRUE(erfasst.contains(tabelle.toLower() + u'.' + spalte)) << tabelle.toStdString();
            }
        }
    }
}

TEST_P(Wettkampf, LoeschenIstAllesOderNichts)
{
    const int a = neu(QStringLiteral("A"));
    fuellen(a);
    // A table that cannot be deleted from stops the whole deletion.
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("drop table temp_vereine")));
    EXPECT_FALSE(wettkampf_loeschen(a));
    erwarteMeldung(11015);
    for (const WettkampfTabelle &t : wettkampf_tabellen())
        if (QString::fromLatin1(t.tabelle) != u"temp_vereine") {
            EXPECT_EQ(zeilen(t, a), 1) << t.tabelle;
        }
}

TEST_P(Wettkampf, ZweiKopienGleichzeitigBekommenVerschiedeneNummern)
{
    constexpr int proKopie = 10;
    const DbEinstellungen e = einstellungen();
    std::barrier start(2);
    std::vector<int> nummern[2];
    bool verbunden[2] = { false, false };
    auto kopie = [&](int k) {
        // Each copy has its own connection in its own thread.
        Tdm eigene;
        verbunden[k] = eigene.verbinden(e);
        start.arrive_and_wait();
        if (!verbunden[k])
            return;
        for (int i = 0; i < proKopie; ++i) {
            WettkampfDaten d = wettkampf_vorgabe();
            d.bezeichnung = QStringLiteral("Kopie %1 / %2").arg(k).arg(i);
            if (auto nr = wettkampf_speichern(d, eigene))
                nummern[k].push_back(*nr);
        }
    };
    std::thread t1(kopie, 0);
    std::thread t2(kopie, 1);
    t1.join();
    t2.join();
    ASSERT_TRUE(verbunden[0] && verbunden[1]);
    std::set<int> alle;
    for (const auto &n : nummern) {
        EXPECT_EQ(n.size(), size_t(proKopie));
        alle.insert(n.begin(), n.end());
    }
    EXPECT_EQ(alle.size(), size_t(2 * proKopie));
    EXPECT_EQ(*alle.begin(), 1);
    EXPECT_EQ(*alle.rbegin(), 2 * proKopie);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wettkampf")), 2 * proKopie);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Wettkampf);
