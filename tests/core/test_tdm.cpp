#include "support/dbtest.h"

#include "core/tdm_dienste.h"
#include "core/zustand.h"

#include <QSet>
#include <QSqlQuery>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

using namespace obi;
using obi::test::DbTest;

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

class Dienste : public DbTest
{
protected:
    void einfuegen(const char *tabelle, const SqlFelder &felder)
    {
        const SqlTeil teil = sql_einfuegeliste(felder, int(felder.size()));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into ") + u8(tabelle) + teil.text, teil.werte))
            << datenmodul().letzter_fehler().toStdString();
    }

    void wettkampf(int nr, const char *name)
    {
        einfuegen("wettkampf", {{"WKWKNR", "I", QString::number(nr)}, {"WKBEZ", "T", u8(name)}});
    }

    void starter(int wk, int nr, const char *akid = "U18", const char *gewk = "-60", const char *gewicht = "0")
    {
        einfuegen("starter", {{"STWKNR", "I", QString::number(wk)},
                              {"STSTNR", "I", QString::number(nr)},
                              {"STAKID", "T", u8(akid)},
                              {"STGEWK", "T", u8(gewk)},
                              {"STNAME", "T", QStringLiteral("Name %1").arg(nr)},
                              {"STGEWN", "N", u8(gewicht)}});
    }

    void kampf(int wk, const char *akid, const char *gewk, int lpos, int stat)
    {
        einfuegen("wk_liste", {{"WLWKNR", "I", QString::number(wk)},
                               {"WLAKID", "T", u8(akid)},
                               {"WLGEWK", "T", u8(gewk)},
                               {"WLLPOS", "I", QString::number(lpos)},
                               {"WLSTAT", "I", QString::number(stat)}});
    }

    void tabpos(const char *tab, const char *key, const char *bez, const char *wert = "0", const char *zus1 = "")
    {
        einfuegen("tabpos", {{"TPFIRM", "T", "000"},
                             {"TPTAB", "T", u8(tab)},
                             {"TPKEY", "T", u8(key)},
                             {"TPBEZ", "T", u8(bez)},
                             {"TPWERT", "N", u8(wert)},
                             {"TPZUS1", "T", u8(zus1)}});
    }
};

// ---- get_lfdn ----------------------------------------------------------------------

TEST_P(Dienste, LfdnLeereTabelleUndInkrement)
{
    Tdm &d = datenmodul();
    EXPECT_EQ(d.get_lfdn(QStringLiteral("wettkampf"), QStringLiteral("WKWKNR"), 1, QStringLiteral("*")), 1);
    wettkampf(7, "Kreisturnier");
    EXPECT_EQ(d.get_lfdn(QStringLiteral("wettkampf"), QStringLiteral("WKWKNR"), 1, QStringLiteral("*")), 8);
    EXPECT_EQ(d.get_lfdn(QStringLiteral("wettkampf"), QStringLiteral("WKWKNR"), 10, QStringLiteral("*")), 17);
}

TEST_P(Dienste, LfdnNurImAktuellenWettkampf)
{
    for (int nr = 1; nr <= 3; ++nr)
        starter(1, nr);
    for (int nr = 1; nr <= 10; ++nr)
        starter(2, nr);
    Tdm &d = datenmodul();
    const struct {
        const char *wettkampf;
        int erwartet;
    } faelle[] = {{"1", 4}, {"2", 11}, {"3", 1}, {"0", 1}};
    for (const auto &f : faelle) {
        zustand().aktueller_wettkampf = u8(f.wettkampf);
        EXPECT_EQ(d.get_lfdn(QStringLiteral("starter"), QStringLiteral("STSTNR"), 1, QStringLiteral("STWKNR")),
                  f.erwartet)
            << f.wettkampf;
    }
}

TEST_P(Dienste, LfdnFehlerGibtNull)
{
    Tdm &d = datenmodul();
    EXPECT_EQ(d.get_lfdn(QStringLiteral("gibtsnicht"), QStringLiteral("X"), 1, QStringLiteral("*")), 0);
    // Names are never pasted into the statement unless they are plain identifiers.
    EXPECT_EQ(d.get_lfdn(QStringLiteral("starter; delete from starter"), QStringLiteral("STSTNR"), 1,
                         QStringLiteral("*")),
              0);
    EXPECT_EQ(d.get_lfdn(QStringLiteral("starter"), QStringLiteral("STSTNR"), 1, QStringLiteral("1=1 or STWKNR")), 0);
    EXPECT_EQ(d.get_lfdn(QStringLiteral("starter"), QStringLiteral("max(STSTNR)"), 1, QStringLiteral("*")), 0);
}

// ---- get_tabsatz -----------------------------------------------------------------------

TEST_P(Dienste, TabsatzPraefixUndExakterSchluessel)
{
    tabpos("Probe", "10", "zehn");
    tabpos("Probe", "A%B", "Prozent");
    tabpos("Probe", "A_C", "Unterstrich");
    tabpos("Probe", "AXB", "Buchstabe");
    tabpos("Probe", "ÄX", "Umlaut");
    const struct {
        const char *tabelle;
        const char *schluessel;
        bool gefunden;
        const char *bezeichnung;
        const char *tpkey;
    } faelle[] = {
        {"Streichungen", "11", true, "verletzt", "11"},
        {"Streichungen", "0", true, "Aktiv", "0"},
        {"Streichungen", "12  ", true, "disqualifiziert", "12"}, // trailing blanks do not count
        {"Streichungen", "1", false, "", ""},                    // two begin with 1, none is 1
        {"Streichungen", "", false, "", ""},
        {"Streichungen", "13", false, "", ""},
        {"Matten", "m2", true, "Matte 2", "M2"}, // compared upper-case
        {"Matten", "M", false, "", ""},
        {"Status", "8", true, "beendet", "8"},
        {"Probe", "1", true, "zehn", "10"}, // the only key that begins with 1
        {"Probe", "A%", true, "Prozent", "A%B"}, // % and _ in a key are no wildcards
        {"Probe", "A_", true, "Unterstrich", "A_C"},
        {"Probe", "A", false, "", ""},
        {"Probe", "äx", true, "Umlaut", "ÄX"},
        {"Gibtsnicht", "1", false, "", ""},
        {"Streichungen' or '1'='1", "1", false, "", ""},
    };
    Tdm &d = datenmodul();
    for (const auto &f : faelle) {
        SCOPED_TRACE(std::string(f.tabelle) + " / " + f.schluessel);
        EXPECT_EQ(d.get_tabsatz(u8(f.tabelle), u8(f.schluessel)), f.gefunden);
        EXPECT_EQ(d.tabsatz().tab_bezeichnung, u8(f.bezeichnung));
        if (f.gefunden) {
            EXPECT_EQ(d.tabsatz().tab_schluessel, u8(f.tpkey));
        }
    }
}

TEST_P(Dienste, TabsatzWerteBleibenBisZumNaechstenTreffer)
{
    Tdm &d = datenmodul();
    ASSERT_TRUE(d.get_tabsatz(QStringLiteral("Matten"), QStringLiteral("M3")));
    EXPECT_EQ(d.tabsatz().tab_zusatz1, QStringLiteral("F3"));
    ASSERT_TRUE(d.get_tabsatz(QStringLiteral("Status"), QStringLiteral("6")));
    EXPECT_EQ(d.tabsatz().tab_bezeichnung, u8("läuft"));
    const double wert = d.tabsatz().tab_wert;
    EXPECT_GT(wert, 0);
    EXPECT_EQ(d.tabsatz().tab_zusatz1, QString()); // copied from the new row

    // A miss clears only the description.
    EXPECT_FALSE(d.get_tabsatz(QStringLiteral("Status"), QStringLiteral("99")));
    EXPECT_EQ(d.tabsatz().tab_bezeichnung, QString());
    EXPECT_EQ(d.tabsatz().tab_schluessel, QStringLiteral("6"));
    EXPECT_DOUBLE_EQ(d.tabsatz().tab_wert, wert);
}

// ---- Clubs ---------------------------------------------------------------------------------

TEST(Vereinsname, ReinerName)
{
    const struct {
        const char *name;
        const char *rein;
    } faelle[] = {
        {"JC Berlin (45) e.V.", "JC Berlin  e.V."},
        {"TSV Abt. Judo (123)", "TSV  "},
        {"SV Abt.Judo(7)", "SV "},
        {"Abt. Judo Abt.Judo Post SV (9)", "  Post SV "},
        {"Plain name", ""},
        {"Verein) Rest", " Rest"},
        {"Verein (1", "Verein "},
        {"", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(reiner_vereinsname(u8(f.name)), u8(f.rein)) << f.name;
}

TEST(Vereinsname, VereinsId)
{
    const struct {
        const char *name;
        int id;
    } faelle[] = {
        {"TSV Hof (123)", 123},   {"A (1) B (22)", 22}, {"A (5) x", 5},      {"A ( 42 )", 42}, {"TSV (12a)", 0},
        {"TSV Hof", 0},           {"A ()", 0},          {"A 42)", 0},        {"A (-3)", 0},    {"(99999999999)", 0},
        {"Judo (7) Abt. (x)", 0}, {"", 0},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(get_vereins_id(u8(f.name)), f.id) << f.name;
}

// ---- Tournament names, sums -------------------------------------------------------------------

TEST_P(Dienste, WettkampfName)
{
    wettkampf(5, "Bezirksmeisterschaft");
    Tdm &d = datenmodul();
    EXPECT_EQ(d.get_WKName(QStringLiteral("5")), QStringLiteral("Bezirksmeisterschaft"));
    EXPECT_EQ(d.get_WKSatz(QStringLiteral("5")), QStringLiteral("Bezirksmeisterschaft"));
    EXPECT_EQ(d.get_WKName(QStringLiteral("6")), QString());
    EXPECT_TRUE(angezeigt().isEmpty());
    for (const char *falsch : {"abc", "5; delete from wettkampf", "5.5", ""}) {
        EXPECT_EQ(d.get_WKName(u8(falsch)), QString()) << falsch;
        erwarteMeldung(19002);
        EXPECT_EQ(d.get_WKSatz(u8(falsch)), QString()) << falsch;
        erwarteMeldung(19002);
    }
    EXPECT_EQ(d.anzahl_Saetze(QStringLiteral("select * from wettkampf")), 1);
}

TEST_P(Dienste, Summe)
{
    starter(1, 1, "U18", "-60", "55,5");
    starter(1, 2, "U18", "-60", "58");
    starter(2, 1, "U18", "-60", "70");
    Tdm &d = datenmodul();
    EXPECT_DOUBLE_EQ(d.summe(QStringLiteral("select sum(STGEWN) as COLUMN1 from starter where STWKNR = ?"), {1}),
                     113.5);
    EXPECT_DOUBLE_EQ(d.summe(QStringLiteral("select sum(STGEWN) as COLUMN1 from starter where STWKNR = ?"), {9}), 0);
    EXPECT_DOUBLE_EQ(d.summe(QStringLiteral("select sum(STGEWN) as andere from starter")), 0);
    EXPECT_DOUBLE_EQ(d.summe(QStringLiteral("select sum(x) as COLUMN1 from gibtsnicht")), 0);
}

// ---- Weight-class overview ----------------------------------------------------------------------

TEST_P(Dienste, GewichtsklasseBerechnet)
{
    for (int nr = 1; nr <= 3; ++nr)
        starter(1, nr, "U18", "-60");
    starter(1, 4, "U18", "-66");
    starter(2, 1, "U18", "-60");
    kampf(1, "U18", "-60", 1, 0);
    kampf(1, "U18", "-60", 2, 1);
    kampf(1, "U18", "-60", 3, 5);
    kampf(1, "U18", "-60", 1001, 9);
    kampf(2, "U18", "-60", 1, 0);
    kampf(1, "U18", "-66", 1, 5);
    tabpos("Status", "9", "Probe lang", "25");
    tabpos("Status", "7", "Probe gerundet", "12,6");

    const struct {
        const char *gewk;
        int status;
        int anza;
        const char *sttx;
        int stba;
        int balken;
        const char *offn;
    } faelle[] = {
        {"-60", 6, 3, "läuft", 12, 12, "2"},
        {"-60", 3, 3, "unbekannt", 0, 0, "2"},   // status without lookup row
        {"-66", 8, 1, "beendet", 20, 20, ""},    // no open bout: empty, not 0
        {"-73", 0, 0, "neu", 0, 0, ""},
        {"-60", 9, 3, "Probe lang", 25, 20, "2"}, // the bar stops at 20
        {"-60", 7, 3, "Probe gerundet", 13, 13, "2"},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(std::string(f.gewk) + " / " + std::to_string(f.status));
        const GewKlassenBerechnet b =
            gewklasse_berechnen(datenmodul(), 1, QStringLiteral("U18"), u8(f.gewk), f.status);
        EXPECT_EQ(b.calcANZA, f.anza);
        EXPECT_EQ(b.calcSTTX, u8(f.sttx));
        EXPECT_EQ(b.calcSTBA, f.stba);
        EXPECT_EQ(b.calcBLKN, QString(f.balken, u'='));
        EXPECT_EQ(b.calcOFFN, u8(f.offn));
    }
}

// ---- Running numbers -----------------------------------------------------------------------------

SqlFelder neuer_starter(int wk, const QString &name)
{
    return {{QStringLiteral("STWKNR"), QStringLiteral("I"), QString::number(wk)},
            {QStringLiteral("STNAME"), QStringLiteral("T"), name},
            {QStringLiteral("STAKID"), QStringLiteral("T"), QStringLiteral("U18")}};
}

TEST_P(Dienste, NeueNummerProWettkampf)
{
    Tdm &d = datenmodul();
    const QString tab = QStringLiteral("starter");
    const QString nr = QStringLiteral("STSTNR");
    const QString wk = QStringLiteral("STWKNR");
    EXPECT_EQ(neue_nummer_einfuegen(d, tab, nr, wk, neuer_starter(1, QStringLiteral("A"))), 1);
    EXPECT_EQ(neue_nummer_einfuegen(d, tab, nr, wk, neuer_starter(1, QStringLiteral("B"))), 2);
    EXPECT_EQ(neue_nummer_einfuegen(d, tab, nr, wk, neuer_starter(2, QStringLiteral("C"))), 1);
    starter(1, 40);
    EXPECT_EQ(neue_nummer_einfuegen(d, tab, nr, wk, neuer_starter(1, QStringLiteral("D"))), 41);
    EXPECT_EQ(d.einzelwert(QStringLiteral("select STNAME from starter where STWKNR = ? and STSTNR = ?"), {1, 2})
                  .toString(),
              QStringLiteral("B"));

    // Without the tournament column the current tournament is used.
    zustand().aktueller_wettkampf = QStringLiteral("2");
    EXPECT_EQ(neue_nummer_einfuegen(d, tab, nr, wk, {{QStringLiteral("STNAME"), QStringLiteral("T"), "E"}}), 2);
    EXPECT_EQ(d.anzahl_Saetze(QStringLiteral("select * from starter where STWKNR = 2 and STNAME = 'E'")), 1);

    // Over the whole table.
    EXPECT_EQ(neue_nummer_einfuegen(d, QStringLiteral("wettkampf"), QStringLiteral("WKWKNR"), QStringLiteral("*"),
                                    {{QStringLiteral("WKBEZ"), QStringLiteral("T"), "Neu"}}),
              1);
    EXPECT_EQ(d.transaktionsTiefe(), 0);
}

TEST_P(Dienste, NeueNummerFehler)
{
    Tdm &d = datenmodul();
    EXPECT_EQ(neue_nummer_einfuegen(d, QStringLiteral("starter x"), QStringLiteral("STSTNR"), QStringLiteral("STWKNR"),
                                    neuer_starter(1, QStringLiteral("A"))),
              0);
    SqlFelder falsch = neuer_starter(1, QStringLiteral("A"));
    falsch.append({QStringLiteral("GIBTSNICHT"), QStringLiteral("T"), "x"});
    EXPECT_EQ(neue_nummer_einfuegen(d, QStringLiteral("starter"), QStringLiteral("STSTNR"), QStringLiteral("STWKNR"),
                                    falsch),
              0);
    EXPECT_EQ(d.transaktionsTiefe(), 0);
    EXPECT_EQ(d.anzahl_Saetze(QStringLiteral("select * from starter")), 0);
    // The connection is usable afterwards.
    EXPECT_EQ(neue_nummer_einfuegen(d, QStringLiteral("starter"), QStringLiteral("STSTNR"), QStringLiteral("STWKNR"),
                                    neuer_starter(1, QStringLiteral("A"))),
              1);
}

TEST_P(Dienste, NeueNummernZweierKopienSindEindeutig)
{
    constexpr int jeKopie = 50;
    const DbEinstellungen e = einstellungen();
    std::vector<int> nummern[2];
    QString fehler[2];

    // Each copy opens its own connection in its own thread, as Qt requires.
    auto kopie = [&](int k) {
        Tdm d;
        if (!d.verbinden(e, &fehler[k]))
            return;
        for (int i = 0; i < jeKopie; ++i)
            nummern[k].push_back(neue_nummer_einfuegen(d, QStringLiteral("starter"), QStringLiteral("STSTNR"),
                                                       QStringLiteral("STWKNR"),
                                                       neuer_starter(3, QStringLiteral("Kopie %1").arg(k))));
    };
    std::thread a(kopie, 0);
    std::thread b(kopie, 1);
    a.join();
    b.join();

    ASSERT_TRUE(fehler[0].isEmpty()) << fehler[0].toStdString();
    ASSERT_TRUE(fehler[1].isEmpty()) << fehler[1].toStdString();
    std::vector<int> alle = nummern[0];
    alle.insert(alle.end(), nummern[1].begin(), nummern[1].end());
    ASSERT_EQ(alle.size(), size_t(2 * jeKopie));
    std::sort(alle.begin(), alle.end());
    for (int i = 0; i < 2 * jeKopie; ++i)
        EXPECT_EQ(alle[size_t(i)], i + 1);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from starter where STWKNR = 3")), 2 * jeKopie);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select distinct STSTNR from starter where STWKNR = 3")),
              2 * jeKopie);
}

TEST_P(Dienste, NeueNummerWeichtEinerFremdenZeileAus)
{
    // Another copy writes start number 1 directly and commits a moment later,
    // while this copy is already allocating.
    const DbEinstellungen e = einstellungen();
    std::promise<bool> bereit;
    std::thread andere([&] {
        Tdm d;
        if (!d.verbinden(e)) {
            bereit.set_value(false);
            return;
        }
        Transaktion t(d);
        const bool ok = d.Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STNAME) values (?, ?, ?)"), {4, 1, QStringLiteral("X")});
        bereit.set_value(ok);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        t.commit();
    });
    const bool ok = bereit.get_future().get();
    const int nummer = ok ? neue_nummer_einfuegen(datenmodul(), QStringLiteral("starter"), QStringLiteral("STSTNR"),
                                                  QStringLiteral("STWKNR"), neuer_starter(4, QStringLiteral("Y")))
                          : -1;
    andere.join();
    ASSERT_TRUE(ok);
    EXPECT_EQ(nummer, 2);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from starter where STWKNR = 4")), 2);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Dienste);
