#include "support/dbtest.h"

#include "altersklassen_testdaten.h"

#include "core/basis.h"
#include "setup/altersklassen.h"
#include "setup/einteilung.h"

#include <QSqlQuery>
#include <QStringList>

using namespace obi;
using obi::test::DbTest;

namespace
{

constexpr int kWk = 1;

class Altersklassen : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // No scoreboard keys: the values of a new row stay as they are.
        schreibeIni();
    }

    // A complete, valid age class as the window would hold it.
    static AltersklasseEingabe gueltig(const QString &akid, const QString &gewt = QStringLiteral("U15M"))
    {
        AltersklasseEingabe e = obi::test::altersklasse_testeingabe(akid, gewt);
        e.kati = QStringLiteral("180");
        return e;
    }

    // A new row as the window opens it: defaults, then the field texts.
    static AltersklasseEingabe neuerSatz()
    {
        AltersklasseEingabe e = altersklasse_neu_eingabe();
        altersklasse_vorgaben(e);
        altersklasse_feldtexte(e);
        return e;
    }

    // The values a new row takes from the program and the ini.
    struct Vorgaben {
        const char *mshd;
        const char *rstr;
        const char *rstrBez;
        const char *hgtm;
        const char *htg2;
        bool ohneWaza;
        bool ohneYuko;
        bool wazaZuIppon;
    };
    static void erwarteVorgaben(const AltersklasseEingabe &e, const Vorgaben &v)
    {
        EXPECT_EQ(e.mshd, QString::fromUtf8(v.mshd));
        EXPECT_EQ(e.rstr, QString::fromUtf8(v.rstr));
        EXPECT_EQ(e.rstrBez, QString::fromUtf8(v.rstrBez));
        EXPECT_EQ(e.hgtm, QString::fromUtf8(v.hgtm));
        EXPECT_EQ(e.htg2, QString::fromUtf8(v.htg2));
        EXPECT_EQ(e.ohneWaza, v.ohneWaza);
        EXPECT_EQ(e.ohneYuko, v.ohneYuko);
        EXPECT_EQ(e.wazaZuIppon, v.wazaZuIppon);
    }

    void speichern(AltersklasseEingabe e, bool neu = true)
    {
        const AkErgebnis r = altersklasse_speichern(e, neu, kWk);
        ASSERT_TRUE(r.ok()) << r.meldung << " " << r.feld.toStdString();
    }

    void tabelle(const QString &key, const QString &bez)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into tabpos (TPFIRM, TPTAB, TPKEY, TPBEZ) values ('000', 'Gewichtsklassen', ?, ?)"),
            { key, bez }));
    }

    void teilnehmer(int stnr, const QString &akid, const QString &gewk)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STLOS, STSORT) "
                           "values (?, ?, ?, ?, 'Name', 1, 0)"),
            { kWk, stnr, akid, gewk }));
    }

    // "name:sort:weight" of each weight class of the age class, by sort number.
    QStringList klassen(const QString &akid)
    {
        QStringList l;
        auto q = datenmodul().abfrage(QStringLiteral("select GKGEWK, GKSORT, GKGEWN, GKSTAT from gew_klassen "
                                                     "where GKWKNR = ? and GKAKID = ? order by GKSORT"),
                                      { kWk, akid });
        EXPECT_TRUE(q.has_value());
        while (q && q->next())
            l << q->value(0).toString() + u':' + q->value(1).toString() + u':' + q->value(2).toString();
        return l;
    }

    int anzahlKlassen()
    {
        return datenmodul()
            .einzelwert(QStringLiteral("select count(*) from klassen where AKWKNR = ?"), { kWk })
            .toInt();
    }

    // Makes every insert of the weight class name fail in the database.
    void einfuegenScheitertBei(const QString &gewk)
    {
        QSqlQuery q(datenmodul().db());
        if (istPostgres()) {
            ASSERT_TRUE(q.exec(QStringLiteral("create function gk_sperre() returns trigger as $$ begin "
                                              "if new.GKGEWK = '")
                               + gewk
                               + QStringLiteral("' then raise exception 'gesperrt'; end if; return new; end $$ "
                                                "language plpgsql")));
            ASSERT_TRUE(q.exec(QStringLiteral("create trigger gk_sperre before insert on gew_klassen "
                                              "for each row execute function gk_sperre()")));
        } else {
            ASSERT_TRUE(q.exec(QStringLiteral("create trigger gk_sperre before insert on gew_klassen when "
                                              "new.GKGEWK = '")
                               + gewk + QStringLiteral("' begin select raise(abort, 'gesperrt'); end")));
        }
    }
};

// ---- Fields ----------------------------------------------------------------

TEST_P(Altersklassen, LeererWettkampfZeigtWerteEinesNeuenSatzes)
{
    const auto liste = altersklassen_lesen(kWk);
    ASSERT_TRUE(liste.has_value());
    EXPECT_TRUE(liste->isEmpty());

    const AltersklasseEingabe e = neuerSatz();
    EXPECT_EQ(e.mw, QStringLiteral("M"));
    EXPECT_EQ(e.jgmi, QStringLiteral("0"));
    EXPECT_EQ(e.jgma, QStringLiteral("9999"));
    EXPECT_TRUE(e.akid.isEmpty());
    EXPECT_TRUE(e.gewt.isEmpty());
    erwarteVorgaben(e, { "4", " ", "", "0", "0", false, false, false });
}

TEST_P(Altersklassen, IniVorgabenFuerNeuenSatz)
{
    schreibeIni(QStringLiteral("[anzeige]\nhaltegr_ippon=25\nhaltegr_waza=15\n[control]\nMax_Shido=3\n"
                               "ohne_waza=0\nohne_yuko=1\nwaza2ippon=1\n[sieger]\nstrafen=2\n"));
    erwarteVorgaben(neuerSatz(), { "3", "2", "werden immer berücksichtigt", "25", "15", false, true, true });

    // A row with its own hold-down time keeps its values.
    AltersklasseEingabe vorhanden = gueltig(QStringLiteral("U15"));
    vorhanden.mshd = QStringLiteral("5");
    altersklasse_vorgaben(vorhanden);
    EXPECT_EQ(vorhanden.mshd, QStringLiteral("5"));
    EXPECT_EQ(vorhanden.hgtm, QStringLiteral("20"));
}

TEST_P(Altersklassen, JahrgaengeWerdenGetauscht)
{
    AltersklasseEingabe e = gueltig(QStringLiteral("U15"));
    e.jgmi = QStringLiteral("2010");
    e.jgma = QStringLiteral("2008");
    speichern(e);
    erwarteMeldung(301);
    const auto a = altersklasse_lesen(kWk, QStringLiteral("U15"));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->jgmi, 2008);
    EXPECT_EQ(a->jgma, 2010);
}

TEST_P(Altersklassen, ShidosLeerWirdAbgelehnt)
{
    AltersklasseEingabe e = gueltig(QStringLiteral("U15"));
    e.mshd = QString();
    const AkErgebnis r = altersklasse_speichern(e, true, kWk);
    erwarteMeldung(31063);
    EXPECT_EQ(r.feld, QStringLiteral("MSHD"));
    EXPECT_EQ(e.mshd, QStringLiteral("0"));
    EXPECT_EQ(anzahlKlassen(), 0);
}

TEST_P(Altersklassen, FeldpruefungenMitMeldungUndFeld)
{
    struct Fall {
        const char *name;
        void (*setze)(AltersklasseEingabe &);
        int meldung;
        const char *feld;
    };
    const Fall faelle[] = {
        { "Name leer", [](AltersklasseEingabe &e) { e.akid = QStringLiteral("   "); }, 21001, "AKID" },
        { "Name zu lang", [](AltersklasseEingabe &e) { e.akid = QString(21, u'A'); }, 21005, "AKID" },
        { "Name vorhanden", [](AltersklasseEingabe &e) { e.akid = QStringLiteral("alt"); }, 18001, "AKID" },
        { "Geschlecht", [](AltersklasseEingabe &e) { e.mw = QStringLiteral("X"); }, 21005, "MW" },
        { "Tabelle", [](AltersklasseEingabe &e) { e.gewt = QStringLiteral("GIBTESNICHT"); }, 31001, "GEWT" },
        { "Tabelle leer", [](AltersklasseEingabe &e) { e.gewt = QString(); }, 31001, "GEWT" },
        { "Jahrgang alt", [](AltersklasseEingabe &e) { e.jgmi = QStringLiteral("20x1"); }, 21004, "JGMI" },
        { "Jahrgang jung", [](AltersklasseEingabe &e) { e.jgma = QStringLiteral("2,5"); }, 21004, "JGMA" },
        { "Kampfzeit", [](AltersklasseEingabe &e) { e.kati = QStringLiteral("3 Min"); }, 21004, "KATI" },
        { "Kampfzeit negativ", [](AltersklasseEingabe &e) { e.kati = QStringLiteral("-1"); }, 21005, "KATI" },
        { "Shidos keine Zahl", [](AltersklasseEingabe &e) { e.mshd = QStringLiteral("drei"); }, 21004, "MSHD" },
        { "Shidos 1", [](AltersklasseEingabe &e) { e.mshd = QStringLiteral("1"); }, 31063, "MSHD" },
        { "Shidos 10", [](AltersklasseEingabe &e) { e.mshd = QStringLiteral("10"); }, 31063, "MSHD" },
        { "Strafen", [](AltersklasseEingabe &e) { e.rstr = QStringLiteral("7"); }, 31064, "RSTR" },
        { "Strafen blank", [](AltersklasseEingabe &e) { e.rstr = QStringLiteral(" "); }, 31064, "RSTR" },
        { "Haltegriff 9", [](AltersklasseEingabe &e) { e.hgtm = QStringLiteral("9"); }, 31065, "HGTM" },
        { "Haltegriff 61", [](AltersklasseEingabe &e) { e.hgtm = QStringLiteral("61"); }, 31065, "HGTM" },
        { "Haltegriff leer", [](AltersklasseEingabe &e) { e.hgtm = QString(); }, 31065, "HGTM" },
        { "Waza keine Zahl", [](AltersklasseEingabe &e) { e.htg2 = QStringLiteral("x"); }, 21004, "HTG2" },
        { "Waza 9", [](AltersklasseEingabe &e) { e.htg2 = QStringLiteral("9"); }, 31065, "HTG2" },
    };
    speichern(gueltig(QStringLiteral("ALT")));
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        AltersklasseEingabe e = gueltig(QStringLiteral("NEU"));
        f.setze(e);
        const AkErgebnis r = altersklasse_pruefen(e, QStringLiteral("*"), true, kWk);
        EXPECT_EQ(r.meldung, f.meldung);
        EXPECT_EQ(r.feld, QLatin1String(f.feld));
        erwarteMeldung(f.meldung);
    }
    // Only the new row is checked against existing names.
    AltersklasseEingabe alt = gueltig(QStringLiteral("ALT"));
    EXPECT_TRUE(altersklasse_pruefen(alt, QStringLiteral("*"), false, kWk).ok());
}

TEST_P(Altersklassen, PruefungSchreibtNormalisierteWerteZurueck)
{
    AltersklasseEingabe e = gueltig(QStringLiteral("U18  "), QStringLiteral("u18w"));
    e.mw = QStringLiteral("w");
    e.kati = QString();
    e.gsti = QString();
    e.rstr = QStringLiteral("1");
    ASSERT_TRUE(altersklasse_pruefen(e, QStringLiteral("*"), true, kWk).ok());
    EXPECT_EQ(e.akid, QStringLiteral("U18"));
    EXPECT_EQ(e.mw, QStringLiteral("W"));
    EXPECT_EQ(e.gewt, QStringLiteral("U18W"));
    EXPECT_EQ(e.gewtBez, QStringLiteral("-40;-44;-48;-52;-57;-63;-70;+70"));
    EXPECT_EQ(e.kati, QStringLiteral("0"));
    EXPECT_EQ(e.gsti, QStringLiteral("0"));
    EXPECT_EQ(e.rstrBez, QStringLiteral("nur im Golden Score"));

    // A failed lookup clears the description.
    e.gewt = QStringLiteral("NIX");
    EXPECT_EQ(altersklasse_pruefen(e, QStringLiteral("GEWT"), true, kWk).meldung, 31001);
    erwarteMeldung(31001);
    EXPECT_TRUE(e.gewtBez.isEmpty());
}

TEST_P(Altersklassen, WazaHaltegriffWirdErsetzt)
{
    struct Fall {
        const char *hgtm;
        const char *htg2;
        bool ersetzt;
        int meldung;
        const char *danach;
    };
    const Fall faelle[] = {
        { "20", "15", false, 0, "15" },
        { "20", "20", false, 0, "20" },
        { "20", "30", true, 0, "20" },
        // An entered 0 is replaced and still refused once.
        { "20", "0", true, 31065, "20" },
        { "20", "", true, 31065, "20" },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(std::string(f.hgtm) + "/" + f.htg2);
        AltersklasseEingabe e = gueltig(QStringLiteral("U15"));
        e.hgtm = QLatin1String(f.hgtm);
        e.htg2 = QLatin1String(f.htg2);
        const AkErgebnis r = altersklasse_pruefen(e, QStringLiteral("HTG2"), true, kWk);
        if (f.ersetzt)
            erwarteMeldung(3015);
        EXPECT_EQ(r.meldung, f.meldung);
        if (f.meldung)
            erwarteMeldung(f.meldung);
        EXPECT_EQ(e.htg2, QLatin1String(f.danach));
        // The second try with the replaced value passes.
        EXPECT_TRUE(altersklasse_pruefen(e, QStringLiteral("HTG2"), true, kWk).ok());
    }
}

TEST_P(Altersklassen, Feldcode)
{
    EXPECT_EQ(altersklasse_feldcode(QStringLiteral("edtAKID")), QStringLiteral("AKID"));
    EXPECT_EQ(altersklasse_feldcode(QStringLiteral("edtHTG2")), QStringLiteral("HTG2"));
    EXPECT_EQ(altersklasse_feldcode(QStringLiteral("cbMW")), QStringLiteral("W"));
}

// ---- Weight classes ----------------------------------------------------------

TEST(Gewichtsklassen, ZerlegenUeberspringtLeereStuecke)
{
    const QVector<GewichtsklasseVorlage> k = gewichtsklassen_zerlegen(QStringLiteral("-40;-44;;-48;"));
    ASSERT_EQ(k.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(k.at(i).sort, i + 1);
    EXPECT_EQ(k.at(2).name, QStringLiteral("-48"));
    EXPECT_EQ(k.at(2).gewicht, 48);
    EXPECT_TRUE(gewichtsklassen_zerlegen(QStringLiteral(";; ;")).isEmpty());
    // Trailing blanks go, leading ones stay.
    EXPECT_EQ(gewichtsklassen_zerlegen(QStringLiteral("-40  ; -44")).at(1).name, QStringLiteral(" -44"));
}

TEST(Gewichtsklassen, NumerischesGewicht)
{
    struct Fall {
        const char *name;
        int gewicht;
        bool ohneZiffer;
    };
    const Fall faelle[] = {
        { "-46,5", 465, false }, { "+90", 999, false }, { "+", 999, true },     { "-100", 100, false },
        { "offen", 0, true },    { "P1", 1, false },    { "-47Kg", 47, false },
    };
    for (const Fall &f : faelle) {
        const auto k = gewichtsklassen_zerlegen(QString::fromUtf8(f.name));
        ASSERT_EQ(k.size(), 1) << f.name;
        EXPECT_EQ(k.at(0).gewicht, f.gewicht) << f.name;
        EXPECT_EQ(k.at(0).ohneZiffer, f.ohneZiffer) << f.name;
    }
}

TEST_P(Altersklassen, NeueAltersklasseErzeugtGewichtsklassen)
{
    tabelle(QStringLiteral("TEST"), QStringLiteral("-40;-44;;-48,5;+48,5;"));
    speichern(gueltig(QStringLiteral("U15"), QStringLiteral("TEST")));
    EXPECT_EQ(klassen(QStringLiteral("U15")), (QStringList { "-40:1:40", "-44:2:44", "-48,5:3:485", "+48,5:4:999" }));
    const auto liste = gewichtsklassen_lesen(kWk, QStringLiteral("U15"));
    ASSERT_TRUE(liste.has_value());
    ASSERT_EQ(liste->size(), 4);
    EXPECT_EQ(liste->at(3).gewk, QStringLiteral("+48,5"));
}

TEST_P(Altersklassen, StueckOhneZiffernWarnt)
{
    tabelle(QStringLiteral("POOL"), QStringLiteral("-30;offen"));
    speichern(gueltig(QStringLiteral("U11"), QStringLiteral("POOL")));
    erwarteText(QStringLiteral("Fehler bei Umsetzung: offen"));
    EXPECT_EQ(klassen(QStringLiteral("U11")), (QStringList { "-30:1:30", "offen:2:0" }));
}

TEST_P(Altersklassen, TabelleMitDoppeltenOderZuLangenNamenWirdAbgelehnt)
{
    tabelle(QStringLiteral("DOPPELT"), QStringLiteral("-40;-44;-40"));
    tabelle(QStringLiteral("LANG"), QStringLiteral("-40;bis 44 Kilogramm"));
    for (const char *gewt : { "DOPPELT", "LANG" }) {
        AltersklasseEingabe e = gueltig(QStringLiteral("U15"), QLatin1String(gewt));
        EXPECT_EQ(altersklasse_speichern(e, true, kWk).feld, QStringLiteral("GEWT")) << gewt;
        erwarteMeldung(31001);
    }
    EXPECT_EQ(anzahlKlassen(), 0);
}

TEST_P(Altersklassen, NurBemerkungGeaendertBehaeltGewichtsklassen)
{
    speichern(gueltig(QStringLiteral("U15")));
    // Marked as the overview would, so regeneration would show.
    ASSERT_TRUE(
        datenmodul().Execute_SQL(QStringLiteral("update gew_klassen set GKSTAT = 4 where GKWKNR = ?"), { kWk }));
    teilnehmer(1, QStringLiteral("U15"), QStringLiteral("-40"));

    AltersklasseEingabe e = altersklasse_eingabe(*altersklasse_lesen(kWk, QStringLiteral("U15")));
    e.text = QStringLiteral("geändert");
    speichern(e, false);
    EXPECT_EQ(altersklasse_lesen(kWk, QStringLiteral("U15"))->text, QStringLiteral("geändert"));
    EXPECT_EQ(
        datenmodul()
            .einzelwert(QStringLiteral("select count(*) from gew_klassen where GKWKNR = ? and GKSTAT = 4"), { kWk })
            .toInt(),
        10);
}

TEST_P(Altersklassen, NeueTabelleErzeugtKlassenNeuNach3001)
{
    speichern(gueltig(QStringLiteral("U15")));
    teilnehmer(1, QStringLiteral("U15"), QStringLiteral("-34"));
    AltersklasseEingabe e = altersklasse_eingabe(*altersklasse_lesen(kWk, QStringLiteral("U15")));
    e.gewt = QStringLiteral("U15W");
    speichern(e, false);
    erwarteMeldung(3001);
    EXPECT_EQ(klassen(QStringLiteral("U15")).size(), 9);
    EXPECT_EQ(klassen(QStringLiteral("U15")).first(), QStringLiteral("-33:1:33"));
    // The participant's class is gone now: the repair window has work.
    EXPECT_EQ(ungueltige_gewichtsklassen(kWk, QStringLiteral("U15")), QStringList { QStringLiteral("-34") });

    // Without participants no message.
    speichern(gueltig(QStringLiteral("U18"), QStringLiteral("U18M")));
    AltersklasseEingabe u18 = altersklasse_eingabe(*altersklasse_lesen(kWk, QStringLiteral("U18")));
    u18.gewt = QStringLiteral("U18W");
    speichern(u18, false);
    EXPECT_EQ(klassen(QStringLiteral("U18")).size(), 8);
}

TEST_P(Altersklassen, ScheiterndeGewichtsklasseLaesstNichtsHalbGeschrieben)
{
    einfuegenScheitertBei(QStringLiteral("-44"));
    AltersklasseEingabe e = gueltig(QStringLiteral("U18"), QStringLiteral("U18W"));
    EXPECT_EQ(altersklasse_speichern(e, true, kWk).meldung, 19902);
    erwarteMeldung(19902);
    EXPECT_EQ(anzahlKlassen(), 0);
    EXPECT_TRUE(klassen(QStringLiteral("U18")).isEmpty());

    // A change of the weight table that fails keeps the old table and classes.
    speichern(gueltig(QStringLiteral("U15"), QStringLiteral("U15M")));
    AltersklasseEingabe u15 = altersklasse_eingabe(*altersklasse_lesen(kWk, QStringLiteral("U15")));
    u15.gewt = QStringLiteral("U18W");
    EXPECT_EQ(altersklasse_speichern(u15, false, kWk).meldung, 19902);
    erwarteMeldung(19902);
    EXPECT_EQ(altersklasse_lesen(kWk, QStringLiteral("U15"))->gewt, QStringLiteral("U15M"));
    EXPECT_EQ(klassen(QStringLiteral("U15")).size(), 10);
}

TEST_P(Altersklassen, AnlegenGewichtsklassenAllesOderNichts)
{
    speichern(gueltig(QStringLiteral("U15")));
    einfuegenScheitertBei(QStringLiteral("-3"));
    EXPECT_FALSE(anlegen_gewichtsklassen(kWk, QStringLiteral("U15"), QStringLiteral("-1;-2;-3;-4")));
    erwarteMeldung(19902);
    EXPECT_EQ(klassen(QStringLiteral("U15")).size(), 10);
    EXPECT_TRUE(anlegen_gewichtsklassen(kWk, QStringLiteral("U15"), QStringLiteral("-1;-2")));
    EXPECT_EQ(klassen(QStringLiteral("U15")), (QStringList { "-1:1:1", "-2:2:2" }));
}

// ---- Changing and deleting ---------------------------------------------------

TEST_P(Altersklassen, AenderungEinerGeloeschtenAltersklasse)
{
    speichern(gueltig(QStringLiteral("U15")));
    AltersklasseEingabe e = altersklasse_eingabe(*altersklasse_lesen(kWk, QStringLiteral("U15")));
    ASSERT_TRUE(altersklasse_loeschen(kWk, QStringLiteral("U15")).ok());
    EXPECT_EQ(altersklasse_speichern(e, false, kWk).meldung, 9901);
    erwarteMeldung(9901);
    EXPECT_EQ(anzahlKlassen(), 0);
}

TEST_P(Altersklassen, SpeichernSchreibtAlleSpalten)
{
    AltersklasseEingabe e = gueltig(QStringLiteral("Frauen"), QStringLiteral("FRAUEN"));
    e.mw = QStringLiteral("W");
    e.text = QStringLiteral("Frauen ab 18");
    e.gsti = QStringLiteral("60");
    e.mshd = QStringLiteral("3");
    e.rstr = QStringLiteral("2");
    e.hgtm = QStringLiteral("25");
    e.htg2 = QStringLiteral("15");
    e.ohneYuko = true;
    e.wazaZuIppon = true;
    speichern(e);
    const auto a = altersklasse_lesen(kWk, QStringLiteral("Frauen"));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->gewt, QStringLiteral("FRAUEN"));
    EXPECT_EQ(a->mw, QStringLiteral("W"));
    EXPECT_EQ(a->text, QStringLiteral("Frauen ab 18"));
    EXPECT_EQ(a->kati, 180);
    EXPECT_EQ(a->gsti, 60);
    EXPECT_EQ(a->mshd, 3);
    EXPECT_EQ(a->rstr, QStringLiteral("2"));
    EXPECT_EQ(a->hgtm, 25);
    EXPECT_EQ(a->htg2, 15);
    EXPECT_FALSE(a->ohneWaza);
    EXPECT_TRUE(a->ohneYuko);
    EXPECT_TRUE(a->wazaZuIppon);
}

TEST_P(Altersklassen, LoeschenMitTeilnehmernAbgelehnt)
{
    speichern(gueltig(QStringLiteral("U15")));
    speichern(gueltig(QStringLiteral("U18"), QStringLiteral("U18M")));
    teilnehmer(1, QStringLiteral("U15"), QStringLiteral("-40"));

    EXPECT_FALSE(altersklasse_loeschen_moeglich(kWk, QStringLiteral("U15")));
    erwarteMeldung(18002);
    EXPECT_EQ(altersklasse_loeschen(kWk, QStringLiteral("U15")).meldung, 18002);
    erwarteMeldung(18002);
    EXPECT_EQ(klassen(QStringLiteral("U15")).size(), 10);

    EXPECT_TRUE(altersklasse_loeschen_moeglich(kWk, QStringLiteral("U18")));
    EXPECT_TRUE(altersklasse_loeschen(kWk, QStringLiteral("U18")).ok());
    EXPECT_FALSE(altersklasse_lesen(kWk, QStringLiteral("U18")).has_value());
    EXPECT_TRUE(klassen(QStringLiteral("U18")).isEmpty());
    EXPECT_EQ(anzahlKlassen(), 1);
}

TEST_P(Altersklassen, GewichtsklassenListeZaehltTeilnehmer)
{
    speichern(gueltig(QStringLiteral("U15")));
    speichern(gueltig(QStringLiteral("U18"), QStringLiteral("U18W")));
    teilnehmer(1, QStringLiteral("U15"), QStringLiteral("-40"));
    teilnehmer(2, QStringLiteral("U15"), QStringLiteral("-40"));
    teilnehmer(3, QStringLiteral("U18"), QStringLiteral("-40"));
    const auto alle = gewichtsklassen_lesen(kWk);
    ASSERT_TRUE(alle.has_value());
    EXPECT_EQ(alle->size(), 18);
    const auto u15 = gewichtsklassen_lesen(kWk, QStringLiteral("U15"));
    ASSERT_TRUE(u15.has_value());
    ASSERT_EQ(u15->size(), 10);
    EXPECT_EQ(u15->at(2).gewk, QStringLiteral("-40"));
    EXPECT_EQ(u15->at(2).teilnehmer, 2);
    EXPECT_EQ(u15->at(2).sort, 3);
    EXPECT_EQ(u15->at(2).gewicht, 40);
    EXPECT_EQ(u15->at(0).teilnehmer, 0);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Altersklassen);
