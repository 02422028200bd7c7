#include "support/dbtest.h"

#include "core/basis.h"
#include "setup/einteilung.h"

#include <QSqlQuery>

using namespace obi;
using obi::test::DbTest;

namespace {

constexpr int kWk = 1;
const QString kAK = QStringLiteral("Jugend");

class Einteilung : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        schreibeIni(); // no prefix_pool unless a test sets one
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (?, 1, 'JC Test', 'NW')"),
            {kWk}));
    }

    void klasse(const QString &gewk, int sort, const QString &ak = kAK, int gewn = 0)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSTAT, GKSORT, GKGEWN) "
                           "values (?, ?, ?, 0, ?, ?)"),
            {kWk, ak, gewk, sort, gewn}));
    }

    void starter(int stnr, const QString &gewk, double gewicht = 50, const QString &ak = kAK,
                 const QString &platz = {})
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, "
                           "STGEWN, STPLTZ, STSORT, STSTAT) values (?, ?, ?, ?, 'Name', 'Vorname', 2010, 1, ?, ?, 0, 0)"),
            {kWk, stnr, ak, gewk, gewicht, platz}));
    }

    QString gewk_von(int stnr)
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select STGEWK from starter where STWKNR = ? and STSTNR = ?"), {kWk, stnr})
            .toString();
    }

    QVariant spalte_gk(const char *spalte, const QString &gewk)
    {
        return datenmodul().einzelwert(QStringLiteral("select ") + QLatin1String(spalte)
                                           + QStringLiteral(" from gew_klassen where GKWKNR = ? and GKAKID = ? "
                                                            "and GKGEWK = ?"),
                                       {kWk, kAK, gewk});
    }

    QStringList klassen() { return einteilung_gewichtsklassen(kWk, kAK).value_or(QStringList{}); }
};

// ---- Refusal with several base classes ------------------------------------------

TEST_P(Einteilung, MehrereBasisklassenVerweigernTeilungMit31053)
{
    klasse(QStringLiteral("-40"), 1);
    klasse(QStringLiteral("-44"), 2);
    EXPECT_FALSE(einteilung_moeglich(kWk, kAK));
    erwarteMeldung(31053);
}

TEST_P(Einteilung, EineBasisklasseErlaubtTeilung)
{
    klasse(QStringLiteral("offen"), 1);
    EXPECT_TRUE(einteilung_moeglich(kWk, kAK));
    klasse(QStringLiteral("P1"), 101);
    EXPECT_TRUE(einteilung_moeglich(kWk, kAK)); // added classes do not count
    EXPECT_EQ(anzahl_basisklassen(kWk, kAK), 1);
}

// ---- New classes ------------------------------------------------------------------

TEST_P(Einteilung, ZweiNeueKlassenHeissenP1UndP2MitSortierung101Und102)
{
    klasse(QStringLiteral("offen"), 1);
    const QString v1 = vorschlag_gewk(kWk, kAK, {});
    EXPECT_EQ(v1, QStringLiteral("P1"));
    ASSERT_EQ(gewk_anlegen(kWk, kAK, v1).value_or(QString()), QStringLiteral("P1"));
    const QString v2 = vorschlag_gewk(kWk, kAK, {});
    EXPECT_EQ(v2, QStringLiteral("P2"));
    ASSERT_TRUE(gewk_anlegen(kWk, kAK, v2));

    EXPECT_EQ(spalte_gk("GKSORT", QStringLiteral("P1")).toInt(), 101);
    EXPECT_EQ(spalte_gk("GKSORT", QStringLiteral("P2")).toInt(), 102);
    EXPECT_EQ(spalte_gk("GKGEWN", QStringLiteral("P1")).toInt(), kGewichtZusatzklasse);
    EXPECT_EQ(spalte_gk("GKSTAT", QStringLiteral("P2")).toInt(), 0);
    EXPECT_EQ(klassen(), (QStringList{QStringLiteral("offen"), QStringLiteral("P1"), QStringLiteral("P2")}));
}

TEST_P(Einteilung, VorschlagUeberspringtVergebeneNamen)
{
    klasse(QStringLiteral("offen"), 1);
    klasse(QStringLiteral("P2"), 101); // named by hand
    EXPECT_EQ(vorschlag_gewk(kWk, kAK, {}), QStringLiteral("P3"));
}

TEST_P(Einteilung, GewichtsvorschlagNimmtDasSchwersteGewicht)
{
    struct Fall {
        double gewicht;
        const char *erwartet;
    };
    const Fall faelle[] = {{47.8, "-47Kg"}, {45.3, "-45Kg"}, {47.0, "-47Kg"}, {47.49, "-47Kg"},
                           {47.6, "-47Kg"}, {48.0, "-48Kg"}, {0.0, "-0Kg"}};
    for (const Fall &f : faelle)
        EXPECT_EQ(gewichtsvorschlag(f.gewicht), QString::fromLatin1(f.erwartet)) << f.gewicht;

    klasse(QStringLiteral("offen"), 1);
    // 45,3 and 47,8 kg selected: the heaviest decides, the fixed proposal stands.
    EXPECT_EQ(vorschlag_gewk(kWk, kAK, gewichtsvorschlag(std::max(45.3, 47.8))), QStringLiteral("-47Kg"));
}

TEST_P(Einteilung, PrefixPoolErzwingtNummerierung)
{
    schreibeIni(QStringLiteral("[programm]\nprefix_pool=Pool\n"));
    klasse(QStringLiteral("offen"), 1);
    EXPECT_EQ(vorschlag_gewk(kWk, kAK, QStringLiteral("-47Kg")), QStringLiteral("Pool1"));
    ASSERT_TRUE(gewk_anlegen(kWk, kAK, QStringLiteral("Pool1")));
    EXPECT_EQ(vorschlag_gewk(kWk, kAK, {}), QStringLiteral("Pool2"));
}

TEST_P(Einteilung, AnlegenVerweigertVorhandeneLeereUndZuLangeNamen)
{
    klasse(QStringLiteral("offen"), 1);
    klasse(QStringLiteral("P1"), 101);
    struct Fall {
        const char *name;
        int meldung;
    };
    const Fall faelle[] = {{"P1", 31036}, {"P1   ", 31036}, {"", 21001}, {"   ", 21001}, {"12345678901", 21005}};
    for (const Fall &f : faelle) {
        EXPECT_FALSE(gewk_anlegen(kWk, kAK, QString::fromLatin1(f.name))) << f.name;
        erwarteMeldung(f.meldung);
    }
    EXPECT_EQ(klassen().size(), 2);
}

TEST_P(Einteilung, AnlegenNimmtDieAuswahlInDerselbenTransaktionMit)
{
    klasse(QStringLiteral("offen"), 1);
    starter(1, QStringLiteral("offen"), 45.3);
    starter(2, QStringLiteral("offen"), 47.8);
    starter(3, QStringLiteral("offen"), 60.0);
    const auto name = gewk_anlegen(kWk, kAK, QStringLiteral("-47Kg"), QStringLiteral("offen"), {1, 2});
    ASSERT_EQ(name.value_or(QString()), QStringLiteral("-47Kg"));
    EXPECT_EQ(gewk_von(1), QStringLiteral("-47Kg"));
    EXPECT_EQ(gewk_von(2), QStringLiteral("-47Kg"));
    EXPECT_EQ(gewk_von(3), QStringLiteral("offen"));
}

TEST_P(Einteilung, AnfuehrungszeichenImNamenWerdenAlsAkzentGespeichert)
{
    klasse(QStringLiteral("offen"), 1);
    const auto name = gewk_anlegen(kWk, kAK, QStringLiteral("P'x"));
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, sql_maskieren(QStringLiteral("P'x")));
    EXPECT_TRUE(klassen().contains(*name));
}

// ---- Moving --------------------------------------------------------------------------

TEST_P(Einteilung, UmsetzenInDieselbeKlasseWirdMit31037Verweigert)
{
    klasse(QStringLiteral("offen"), 1);
    starter(1, QStringLiteral("offen"));
    EXPECT_FALSE(starter_umsetzen(kWk, kAK, QStringLiteral("offen"), QStringLiteral("offen"), {1}));
    erwarteMeldung(31037);
    EXPECT_FALSE(starter_umsetzen(kWk, kAK, QStringLiteral("  "), QStringLiteral("offen"), {1}));
    erwarteMeldung(31037);
    EXPECT_EQ(gewk_von(1), QStringLiteral("offen"));
}

TEST_P(Einteilung, UmsetzenInUnbekannteKlasseAendertNichts)
{
    klasse(QStringLiteral("offen"), 1);
    starter(1, QStringLiteral("offen"));
    EXPECT_FALSE(starter_umsetzen(kWk, kAK, QStringLiteral("offen"), QStringLiteral("P9"), {1}));
    erwarteMeldung(31003);
    EXPECT_EQ(gewk_von(1), QStringLiteral("offen"));
}

TEST_P(Einteilung, UmsetzenBetrifftNurDieGewaehltenUndDieQuellklasse)
{
    klasse(QStringLiteral("offen"), 1);
    klasse(QStringLiteral("P1"), 101);
    klasse(QStringLiteral("P2"), 102);
    starter(1, QStringLiteral("offen"));
    starter(2, QStringLiteral("offen"));
    starter(3, QStringLiteral("P2")); // stale selection: no longer in the source class
    ASSERT_TRUE(starter_umsetzen(kWk, kAK, QStringLiteral("offen"), QStringLiteral("P1"), {1, 3}));
    EXPECT_EQ(gewk_von(1), QStringLiteral("P1"));
    EXPECT_EQ(gewk_von(2), QStringLiteral("offen"));
    EXPECT_EQ(gewk_von(3), QStringLiteral("P2"));
}

TEST_P(Einteilung, HundertfuenfzigStarterAufEinmal)
{
    klasse(QStringLiteral("offen"), 1);
    QVector<int> alle;
    {
        Transaktion t(datenmodul());
        for (int i = 1; i <= 150; ++i) {
            starter(i, QStringLiteral("offen"), 40 + i * 0.1);
            alle << i;
        }
        ASSERT_TRUE(t.commit());
    }
    const auto name = gewk_anlegen(kWk, kAK, QStringLiteral("P1"), QStringLiteral("offen"), alle);
    ASSERT_TRUE(name);
    EXPECT_EQ(anzahl_starter_gewk(kWk, kAK, QStringLiteral("P1")), 150);
    ASSERT_TRUE(gewk_anlegen(kWk, kAK, QStringLiteral("P2")));
    ASSERT_TRUE(starter_umsetzen(kWk, kAK, QStringLiteral("P1"), QStringLiteral("P2"), alle));
    EXPECT_EQ(anzahl_starter_gewk(kWk, kAK, QStringLiteral("P2")), 150);
    EXPECT_EQ(anzahl_starter_gewk(kWk, kAK, QStringLiteral("P1")), 0);
}

TEST_P(Einteilung, StarterlisteZeigtNurStarterMitVereinNachGewicht)
{
    klasse(QStringLiteral("offen"), 1);
    starter(1, QStringLiteral("offen"), 52.5);
    starter(2, QStringLiteral("offen"), 41.0);
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STLOS, STGEWN, STSORT) "
                       "values (?, 3, ?, 'offen', 'Ohne', 7, 30, 0)"),
        {kWk, kAK}));
    const auto liste = einteilung_starter(kWk, kAK, QStringLiteral("offen"));
    ASSERT_TRUE(liste);
    ASSERT_EQ(liste->size(), 2);
    EXPECT_EQ(liste->at(0).stnr, 2);
    EXPECT_EQ(liste->at(1).stnr, 1);
    EXPECT_EQ(liste->at(1).verein, QStringLiteral("JC Test"));
    EXPECT_EQ(liste->at(1).verband, QStringLiteral("NW"));
}

// ---- Discarding ----------------------------------------------------------------------

TEST_P(Einteilung, VerwerfenStelltBasisklasseMitLeerenPlaetzenWiederHer)
{
    klasse(QStringLiteral("offen"), 1);
    klasse(QStringLiteral("P1"), 101);
    klasse(QStringLiteral("P2"), 102);
    klasse(QStringLiteral("offen"), 1, QStringLiteral("Andere"));
    klasse(QStringLiteral("P1"), 101, QStringLiteral("Andere"));
    starter(1, QStringLiteral("P1"), 50, kAK, QStringLiteral("1."));
    starter(2, QStringLiteral("P2"), 50, kAK, QStringLiteral("3.1"));
    starter(3, QStringLiteral("offen"), 50, kAK, QStringLiteral("2."));
    starter(4, QStringLiteral("P1"), 50, QStringLiteral("Andere"), QStringLiteral("1."));
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLPOS, WLSTNR) values (?, ?, 'P1', 1001, 1)"),
        {kWk, kAK}));

    antworte(true);
    ASSERT_TRUE(einteilung_verwerfen(kWk, kAK));
    EXPECT_EQ(testMelder().fragen, QStringList{QStringLiteral("Einteilung wirklich verwerfen ?")});

    EXPECT_EQ(klassen(), QStringList{QStringLiteral("offen")});
    for (int stnr : {1, 2, 3}) {
        EXPECT_EQ(gewk_von(stnr), QStringLiteral("offen")) << stnr;
        EXPECT_EQ(datenmodul()
                      .einzelwert(QStringLiteral("select STPLTZ from starter where STWKNR = ? and STSTNR = ?"),
                                  {kWk, stnr})
                      .toString(),
                  QString())
            << stnr;
    }
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from wk_liste where WLWKNR = ? and WLAKID = ?"),
                                         {kWk, kAK}),
              0);
    // Another age class stays as it was.
    EXPECT_EQ(einteilung_gewichtsklassen(kWk, QStringLiteral("Andere"))->size(), 2);
    EXPECT_EQ(datenmodul()
                  .einzelwert(QStringLiteral("select STGEWK from starter where STWKNR = ? and STSTNR = 4"), {kWk})
                  .toString(),
              QStringLiteral("P1"));
}

TEST_P(Einteilung, VerwerfenAbgebrochenAendertNichts)
{
    klasse(QStringLiteral("offen"), 1);
    klasse(QStringLiteral("P1"), 101);
    starter(1, QStringLiteral("P1"));
    antworte(false);
    EXPECT_FALSE(einteilung_verwerfen(kWk, kAK));
    EXPECT_EQ(klassen().size(), 2);
    EXPECT_EQ(gewk_von(1), QStringLiteral("P1"));
}

TEST_P(Einteilung, VerwerfenOhneGenauEineBasisklasseMit31038)
{
    // No base class at all, then two.
    klasse(QStringLiteral("P1"), 101);
    EXPECT_FALSE(einteilung_verwerfen(kWk, kAK));
    erwarteMeldung(31038);
    klasse(QStringLiteral("-40"), 1);
    klasse(QStringLiteral("-44"), 2);
    EXPECT_FALSE(einteilung_verwerfen(kWk, kAK));
    erwarteMeldung(31038);
    EXPECT_EQ(klassen().size(), 3);
}

// ---- Repair ------------------------------------------------------------------------------

TEST_P(Einteilung, ReparaturFindetStarterFehlenderKlassen)
{
    klasse(QStringLiteral("-40"), 1);
    klasse(QStringLiteral("-44"), 2);
    klasse(QStringLiteral("-60"), 1, QStringLiteral("Andere"));
    starter(1, QStringLiteral("-40"));
    starter(2, QStringLiteral("-38"));
    starter(3, QStringLiteral("-38"));
    starter(4, QStringLiteral("-60")); // exists only in another age class
    starter(5, QStringLiteral("-99"), 50, QStringLiteral("Andere"));
    const auto liste = ungueltige_gewichtsklassen(kWk, kAK);
    ASSERT_TRUE(liste);
    EXPECT_EQ(*liste, (QStringList{QStringLiteral("-38"), QStringLiteral("-60")}));
    EXPECT_EQ(anzahl_starter_gewk(kWk, kAK, QStringLiteral("-38")), 2);
}

TEST_P(Einteilung, ReparaturPruefungSuchtGenauDannImNamen)
{
    klasse(QStringLiteral("-40"), 1);
    klasse(QStringLiteral("-44"), 2);
    klasse(QStringLiteral("+44"), 3);
    klasse(QStringLiteral("P1"), 101);

    GewkPruefung p = pruefe_gewklasse(kWk, kAK, QStringLiteral("p1  "));
    EXPECT_EQ(p.art, GewkPruefung::Art::Eindeutig);
    EXPECT_EQ(p.klasse, QStringLiteral("P1"));

    p = pruefe_gewklasse(kWk, kAK, QStringLiteral("40"));
    EXPECT_EQ(p.art, GewkPruefung::Art::Eindeutig);
    EXPECT_EQ(p.klasse, QStringLiteral("-40"));

    p = pruefe_gewklasse(kWk, kAK, QStringLiteral("44"));
    EXPECT_EQ(p.art, GewkPruefung::Art::Mehrere);
    EXPECT_EQ(p.filter, QStringLiteral("44"));

    p = pruefe_gewklasse(kWk, kAK, QStringLiteral("-90"));
    EXPECT_EQ(p.art, GewkPruefung::Art::Keine);
    erwarteMeldung(31003);
}

TEST_P(Einteilung, ReparaturSetztAlleStarterDerAltenKlasseUm)
{
    klasse(QStringLiteral("-40"), 1);
    klasse(QStringLiteral("-44"), 2);
    starter(1, QStringLiteral("-38"));
    starter(2, QStringLiteral("-38"));
    starter(3, QStringLiteral("-38"), 50, QStringLiteral("Andere"));
    EXPECT_EQ(umsetzen_gewklasse(kWk, kAK, QStringLiteral("-38"), QStringLiteral("-40")), 2);
    EXPECT_EQ(gewk_von(1), QStringLiteral("-40"));
    EXPECT_EQ(gewk_von(2), QStringLiteral("-40"));
    EXPECT_EQ(gewk_von(3), QStringLiteral("-38"));
    EXPECT_TRUE(ungueltige_gewichtsklassen(kWk, kAK)->isEmpty());

    EXPECT_EQ(umsetzen_gewklasse(kWk, kAK, QStringLiteral("-38"), QStringLiteral("-40")), -1);
    erwarteMeldung(9901);
    EXPECT_EQ(umsetzen_gewklasse(kWk, kAK, QStringLiteral("-40"), QStringLiteral("-77")), -1);
    erwarteMeldung(31003);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Einteilung);
