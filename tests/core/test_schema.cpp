#include "support/dbtest.h"

#include "core/schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <vector>

using namespace obi;
using obi::test::DbTest;

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

class Schema : public DbTest
{
protected:
    bool sql(const char *text, const QVariantList &werte = {})
    {
        return datenmodul().Execute_SQL(u8(text), werte);
    }

    std::vector<QSqlRecord> lesen(const QString &text, const QVariantList &werte = {})
    {
        std::vector<QSqlRecord> zeilen;
        auto q = datenmodul().abfrage(text, werte);
        EXPECT_TRUE(q.has_value()) << text.toStdString() << ": " << datenmodul().letzter_fehler().toStdString();
        while (q && q->next())
            zeilen.push_back(q->record());
        return zeilen;
    }

    int anzahl(const char *text, const QVariantList &werte = {})
    {
        return datenmodul().anzahl_Saetze(u8(text), werte);
    }

    QStringList tabellenKlein()
    {
        QStringList namen;
        for (const QString &n : datenmodul().db().tables(QSql::Tables))
            namen << n.toLower();
        namen.sort();
        return namen;
    }

    // One tournament, two clubs, three participants, a slot row and two bouts
    // of a pool whose first bout has a caption in the list template.
    void kleinesTurnier()
    {
        ASSERT_TRUE(sql("insert into wettkampf (WKWKNR, WKBEZ) values (1, 'Bezirksmeisterschaft')"));
        const char *verein = "insert into vereine (VEWKNR, VELOS, VENAME, VENAME_UPC, VEVERB) values (1, ?, ?, ?, ?)";
        ASSERT_TRUE(sql(verein, {1, u8("JC Köln"), u8("JC KÖLN"), u8("NRW")}));
        ASSERT_TRUE(sql(verein, {2, u8("TSV München"), u8("TSV MÜNCHEN"), u8("BAY")}));
        const char *starter = "insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, "
                              "STPLTZ) values (1, ?, 'U15', '-40', ?, ?, ?, ?, ?)";
        ASSERT_TRUE(sql(starter, {1, u8("Müller"), u8("Anna"), 2011, 1, u8("1.")}));
        ASSERT_TRUE(sql(starter, {2, u8("Schmidt"), u8("Berta"), 2012, 2, u8("3.1")}));
        ASSERT_TRUE(sql(starter, {3, u8("Weiß"), u8("Clara"), 2011, 2, u8("3.2")}));
        ASSERT_TRUE(sql("insert into listdef (LDLTYP, LDLPOS, LDTEXT) values ('POOL3', 1, 'Vorrunde')"));
        const char *liste = "insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLTYP, WLLPOS, WLSTNR, WLBLAU, WLWEIS, "
                            "WLSTAT, WLWRTG, WLZEIT, WLDEL, WLSORT) values (1, 'U15', '-40', 'POOL3', ?, ?, ?, ?, ?, ?, "
                            "?, 0, ?)";
        ASSERT_TRUE(sql(liste, {1001, 1, 0, 0, 9, u8(""), u8(""), 0}));
        ASSERT_TRUE(sql(liste, {1, 1, 1, 2, 5, u8("10"), u8("2:13"), 1}));
        ASSERT_TRUE(sql(liste, {2, -1, 3, -1, 0, u8(""), u8(""), 2}));
    }
};

class LeereDatenbank : public DbTest
{
protected:
    bool mitSchema() const override { return false; }

    // Directly, since PostgreSQL cannot prepare DDL.
    bool ddl(const char *text) { return QSqlQuery(datenmodul().db()).exec(u8(text)); }
};

TEST_P(Schema, GenauDieTabellenDesSchemas)
{
    QStringList erwartet;
    for (const QString &n : schema_tabellen())
        erwartet << n.toLower();
    erwartet.sort();
    EXPECT_EQ(tabellenKlein(), erwartet);
    EXPECT_TRUE(schema_vorhanden(datenmodul()));
    // The views are spelled differently by different windows.
    for (const char *sicht : {"v_wkliste_kaempfe", "V_Wkliste_kaempfe", "V_wkliste_export", "V_medaillen_verband"})
        EXPECT_TRUE(datenmodul().abfrage(QStringLiteral("select * from ") + u8(sicht)).has_value()) << sicht;
}

TEST_P(Schema, DatenbankversionGenauEinmal)
{
    const auto zeilen = lesen(QStringLiteral("select TPKEY, TPWERT from tabpos where TPTAB = 'DB-VER'"));
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0].value(0).toString(), QStringLiteral("5.3.0.1"));
    EXPECT_EQ(zeilen[0].value(1).toDouble(), 5301.0);
}

TEST_P(Schema, ZweitesAnlegenWirdAbgelehntUndAendertNichts)
{
    ASSERT_TRUE(sql("insert into wettkampf (WKWKNR, WKBEZ) values (1, 'Kreisturnier')"));
    const int positionen = anzahl("select * from tabpos");
    const int koepfe = anzahl("select * from tabkopf");

    QString fehler;
    EXPECT_FALSE(schema_anlegen(datenmodul(), &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(anzahl("select * from tabpos"), positionen);
    EXPECT_EQ(anzahl("select * from tabkopf"), koepfe);
    EXPECT_EQ(anzahl("select * from wettkampf"), 1);
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

// Columns the upgrade adds with defaults; rows written without them must get
// the same values in a new database.
TEST_P(Schema, StandardwerteDerNachgetragenenSpalten)
{
    ASSERT_TRUE(sql("insert into klassen (AKWKNR, AKAKID) values (1, 'U15')"));
    ASSERT_TRUE(sql("insert into starter (STWKNR, STSTNR) values (1, 1)"));
    const struct {
        const char *abfrage;
        const char *erwartet;
    } faelle[] = {
        {"select AKWAZA from klassen", "0"}, {"select AKYUKO from klassen", "0"}, {"select AK2WAZ from klassen", "0"},
        {"select AKMSHD from klassen", "4"}, {"select AKHGTM from klassen", "20"}, {"select AKHTG2 from klassen", "20"},
        {"select AKRSTR from klassen", "X"}, {"select STSORT from starter", "0"},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(datenmodul().einzelwert(u8(f.abfrage)).toString(), u8(f.erwartet)) << f.abfrage;
}

TEST_P(Schema, SichtKaempfeNurKaempfeMitBeidenSeiten)
{
    kleinesTurnier();
    const auto zeilen = lesen(QStringLiteral("select * from v_wkliste_kaempfe where WLWKNR = ? order by WLLPOS"), {1});
    ASSERT_EQ(zeilen.size(), 2u); // the slot row 1001 is no bout

    // Every column of the list itself comes through.
    const QSqlRecord liste = datenmodul().db().record(QStringLiteral("wk_liste"));
    for (int i = 0; i < liste.count(); ++i)
        EXPECT_TRUE(zeilen[0].contains(liste.fieldName(i))) << liste.fieldName(i).toStdString();

    const struct {
        int lpos;
        const char *text, *nameBlau, *vornameBlau, *jgBlau, *platzBlau, *vereinBlau, *verbandBlau;
        const char *nameWeiss, *vereinWeiss, *verbandWeiss;
    } faelle[] = {
        {1, "Vorrunde", "Müller", "Anna", "2011", "1.", "JC Köln", "NRW", "Schmidt", "TSV München", "BAY"},
        // Unknown white fighter and no caption: the columns stay empty.
        {2, "", "Weiß", "Clara", "2011", "3.2", "TSV München", "BAY", "", "", ""},
    };
    for (size_t i = 0; i < std::size(faelle); ++i) {
        const auto &f = faelle[i];
        const QSqlRecord &z = zeilen[i];
        SCOPED_TRACE(f.lpos);
        EXPECT_EQ(z.value(QStringLiteral("WLLPOS")).toInt(), f.lpos);
        EXPECT_EQ(z.value(QStringLiteral("WLLTXT")).toString(), u8(f.text));
        EXPECT_EQ(z.value(QStringLiteral("STNAME_blau")).toString(), u8(f.nameBlau));
        EXPECT_EQ(z.value(QStringLiteral("STVNAM_blau")).toString(), u8(f.vornameBlau));
        EXPECT_EQ(z.value(QStringLiteral("STJG_blau")).toString(), u8(f.jgBlau));
        EXPECT_EQ(z.value(QStringLiteral("STPLTZ_blau")).toString(), u8(f.platzBlau));
        EXPECT_EQ(z.value(QStringLiteral("VENAME_blau")).toString(), u8(f.vereinBlau));
        EXPECT_EQ(z.value(QStringLiteral("VEVERB_blau")).toString(), u8(f.verbandBlau));
        EXPECT_EQ(z.value(QStringLiteral("STNAME_weiss")).toString(), u8(f.nameWeiss));
        EXPECT_EQ(z.value(QStringLiteral("VENAME_weiss")).toString(), u8(f.vereinWeiss));
        EXPECT_EQ(z.value(QStringLiteral("VEVERB_weiss")).toString(), u8(f.verbandWeiss));
    }
}

TEST_P(Schema, SichtExportMitSieger)
{
    kleinesTurnier();
    const auto zeilen = lesen(QStringLiteral("select * from V_wkliste_export where WLWKNR = ? order by WLLPOS"), {1});
    ASSERT_EQ(zeilen.size(), 2u);
    const struct {
        const char *spalte;
        const char *kampf1;
        const char *kampf2;
    } faelle[] = {
        {"WLWRTG", "10", ""},
        {"WLZEIT", "2:13", ""},
        {"STNAME_Blau", "Müller", "Weiß"},
        {"STVNAM_Blau", "Anna", "Clara"},
        {"VENAME_Blau", "JC Köln", "TSV München"},
        {"VEVERB_Blau", "NRW", "BAY"},
        {"STNAME_Weiss", "Schmidt", ""},
        {"STVNAM_Weiss", "Berta", ""},
        {"VENAME_Weiss", "TSV München", ""},
        {"VEVERB_Weiss", "BAY", ""},
        {"STNAME_Sieger", "Müller", ""},
        {"STVNAM_Sieger", "Anna", ""},
        {"VENAME_Sieger", "JC Köln", ""},
        {"VEVERB_Sieger", "NRW", ""},
    };
    for (const auto &f : faelle) {
        EXPECT_EQ(zeilen[0].value(u8(f.spalte)).toString(), u8(f.kampf1)) << f.spalte;
        EXPECT_EQ(zeilen[1].value(u8(f.spalte)).toString(), u8(f.kampf2)) << f.spalte;
    }
}

TEST_P(Schema, MedaillenspiegelJeVerband)
{
    kleinesTurnier();
    const auto zeilen =
        lesen(QStringLiteral("select VEVERB, TPBEZ, P1, P2, P3, P5, P7, TN from V_medaillen_verband "
                             "where STWKNR = ? order by VEVERB"),
              {1});
    const struct {
        const char *verband, *name;
        int p1, p2, p3, p5, p7, tn;
    } erwartet[] = {
        {"BAY", "Bayern", 0, 0, 2, 0, 0, 2}, // "3.1" and "3.2" are both third places
        {"NRW", "Nordrhein-Westfalen", 1, 0, 0, 0, 0, 1},
    };
    ASSERT_EQ(zeilen.size(), std::size(erwartet));
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const auto &e = erwartet[i];
        const QSqlRecord &z = zeilen[i];
        EXPECT_EQ(z.value(0).toString(), u8(e.verband));
        EXPECT_EQ(z.value(1).toString(), u8(e.name));
        EXPECT_EQ((QList<int>{z.value(2).toInt(), z.value(3).toInt(), z.value(4).toInt(), z.value(5).toInt(),
                              z.value(6).toInt(), z.value(7).toInt()}),
                  (QList<int>{e.p1, e.p2, e.p3, e.p5, e.p7, e.tn}))
            << e.verband;
    }
}

TEST_P(Schema, MedailleNachPlatztext)
{
    kleinesTurnier();
    const struct {
        const char *platz;
        int spalte; // index into P1, P2, P3, P5, P7; -1 = no medal column
    } faelle[] = {
        {"1.", 0},  {"2.", 1},  {"3.1", 2}, {"3.2", 2}, {"5.1", 3}, {"5.2", 3},
        {"7.1", 4}, {"7.2", 4}, {"9.", -1}, {"11.", -1}, {"", -1},
    };
    for (const auto &f : faelle) {
        ASSERT_TRUE(sql("update starter set STPLTZ = ? where STWKNR = 1 and STSTNR = 1", {u8(f.platz)}));
        const auto zeilen = lesen(QStringLiteral("select P1, P2, P3, P5, P7, TN from V_medaillen_verband "
                                                 "where STWKNR = 1 and VEVERB = 'NRW'"));
        ASSERT_EQ(zeilen.size(), 1u) << f.platz;
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(zeilen[0].value(s).toInt(), s == f.spalte ? 1 : 0) << "Platz '" << f.platz << "' Spalte " << s;
        EXPECT_EQ(zeilen[0].value(5).toInt(), 1);
    }
}

// The DEM import keeps its federations under "Verband".
TEST_P(Schema, MedaillenspiegelVerbandsname)
{
    kleinesTurnier();
    ASSERT_TRUE(sql("insert into tabpos (TPFIRM, TPTAB, TPKEY, TPBEZ) values ('000', 'Verband', 'TST', 'Testverband')"));
    const struct {
        const char *code, *name;
    } faelle[] = {
        {"BAY", "Bayern"},
        {"TST", "Testverband"},
        {"XYZ", "XYZ"}, // unknown code: the code itself
    };
    for (const auto &f : faelle) {
        ASSERT_TRUE(sql("update vereine set VEVERB = ? where VEWKNR = 1 and VELOS = 1", {u8(f.code)}));
        const auto zeilen =
            lesen(QStringLiteral("select TPBEZ, TN from V_medaillen_verband where STWKNR = 1 and VEVERB = ?"),
                  {u8(f.code)});
        ASSERT_EQ(zeilen.size(), 1u) << f.code;
        EXPECT_EQ(zeilen[0].value(0).toString(), u8(f.name));
        EXPECT_EQ(zeilen[0].value(1).toInt(), qstrcmp(f.code, "BAY") == 0 ? 3 : 1);
    }
}

TEST_P(Schema, UmlauteBleibenErhalten)
{
    const char *texte[] = {"Müller", "Weiß", "Jörg-Ünal Öztürk", "Ärztesport Böblingen", "O´Brien", "€-Cup Café"};
    int los = 0;
    for (const char *text : texte) {
        ASSERT_TRUE(sql("insert into vereine (VEWKNR, VELOS, VENAME) values (1, ?, ?)", {++los, u8(text)}));
        EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select VENAME from vereine where VEWKNR = 1 and VELOS = ?"),
                                          {los}).toString(),
                  u8(text));
        EXPECT_EQ(anzahl("select * from vereine where VENAME = ?", {u8(text)}), 1) << text;
    }
    // The rows of a new database as well.
    EXPECT_EQ(anzahl("select * from tabpos where TPTAB = 'Status' and TPBEZ = ?", {u8("läuft")}), 1);
    EXPECT_EQ(anzahl("select * from tabkopf where TKBEZ = ?", {u8("Ursachen für Streichen aus WK-Liste")}), 1);
}

TEST_P(Schema, SchluesselLassenKeineDoppeltenZu)
{
    const struct {
        const char *tabelle, *spalten;
        QVariantList werte;
        int schluesselSpalten; // the first columns form the key; 0 = no key
    } faelle[] = {
        {"wettkampf", "WKWKNR, WKBEZ", {7, u8("A")}, 1},
        {"klassen", "AKWKNR, AKAKID, AKTEXT", {7, u8("U15"), u8("A")}, 2},
        {"gew_klassen", "GKWKNR, GKAKID, GKGEWK, GKSORT", {7, u8("U15"), u8("-40"), 1}, 3},
        {"vereine", "VEWKNR, VELOS, VENAME", {7, 1, u8("A")}, 2},
        {"starter", "STWKNR, STSTNR, STNAME", {7, 1, u8("A")}, 2},
        {"wk_liste", "WLWKNR, WLAKID, WLGEWK, WLLPOS, WLSTNR", {7, u8("U15"), u8("-40"), 1, 0}, 4},
        {"listkopf", "LKLTYP, LKMAXT", {u8("POOL3"), 3}, 1},
        {"listdef", "LDLTYP, LDLPOS, LDBLAU", {u8("POOL3"), 1, 1001}, 2},
        {"matten_belegung", "MBWKNR, MBMATT, MBAKTV", {7, u8("M1"), 1}, 2},
        {"tabkopf", "TKFIRM, TKTAB, TKBEZ", {u8("000"), u8("Test"), u8("A")}, 2},
        {"tabpos", "TPFIRM, TPTAB, TPKEY, TPBEZ", {u8("000"), u8("Test"), u8("1"), u8("A")}, 3},
        {"bc_convert", "CDORG, CDBARC", {u8("A"), u8("B")}, 1},
        {"vereinsliste", "VLVEID, VLNAME", {7, u8("A")}, 1},
        {"temp_vereine", "TMUSER, TMWKNR, TMLFDN, TMLOS", {u8("judo"), 7, 1, 1}, 3},
        {"wk_protokoll", "WPWKNR, WPAKID, WPGEWK, WPLPOS, WPTEXT", {7, u8("U15"), u8("-40"), 1, u8("Ippon")}, 0},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.tabelle);
        const QString platzhalter = QStringList(f.werte.size(), QStringLiteral("?")).join(QStringLiteral(", "));
        const QString einfuegen = QStringLiteral("insert into ") + u8(f.tabelle) + QStringLiteral(" (") + u8(f.spalten)
                                  + QStringLiteral(") values (") + platzhalter + u')';
        ASSERT_TRUE(datenmodul().Execute_SQL(einfuegen, f.werte)) << datenmodul().letzter_fehler().toStdString();
        EXPECT_EQ(datenmodul().Execute_SQL(einfuegen, f.werte), f.schluesselSpalten == 0);
        // Changing any one key column gives a different row: the key is no narrower.
        for (int i = 0; i < f.schluesselSpalten; ++i) {
            QVariantList andere = f.werte;
            const QVariant w = andere.at(i);
            // Same length for texts: TKFIRM/TPFIRM have no room for more.
            const QString t = w.toString();
            andere[i] = w.typeId() == QMetaType::Int ? QVariant(w.toInt() + 1)
                                                     : QVariant(t.chopped(1) + (t.endsWith(u'Z') ? u'Y' : u'Z'));
            EXPECT_TRUE(datenmodul().Execute_SQL(einfuegen, andere)) << "Schlüsselspalte " << i;
        }
    }
}

// ---- Lookup rows: consistency rather than content --------------------------------

TEST_P(Schema, JedeNachschlagezeileHatKopfUndPassendeSchluessellaenge)
{
    EXPECT_EQ(anzahl("select * from tabpos p left join tabkopf k on k.TKFIRM = p.TPFIRM and k.TKTAB = p.TPTAB "
                     "where k.TKTAB is null or k.TKBEZ is null or k.TKBEZ = ''"),
              0);
    EXPECT_EQ(anzahl("select * from tabpos p join tabkopf k on k.TKFIRM = p.TPFIRM and k.TKTAB = p.TPTAB "
                     "where length(p.TPKEY) > k.TKKLEN"),
              0);
    EXPECT_EQ(anzahl("select * from tabkopf where TKFIRM <> '000'"), 0);
    EXPECT_EQ(anzahl("select * from tabpos where TPFIRM <> '000'"), 0);
    // Every table the program reads by key has rows.
    for (const char *tab : {"Status", "Streichungen", "Strafen", "Matten", "Infotexte", "Gewichtsklassen", "VERBAND",
                            "Startgeldbeleg", "Teamwertung"})
        EXPECT_GT(anzahl("select * from tabpos where TPTAB = ?", {u8(tab)}), 0) << tab;
}

TEST_P(Schema, GewichtstabellenAufsteigendMitOffenerKlasseAmEnde)
{
    const auto zeilen = lesen(QStringLiteral("select TPKEY, TPBEZ from tabpos where TPTAB = 'Gewichtsklassen'"));
    ASSERT_GE(zeilen.size(), 8u);
    for (const QSqlRecord &z : zeilen) {
        const QString key = z.value(0).toString();
        const QStringList klassen = z.value(1).toString().split(u';');
        SCOPED_TRACE(key.toStdString());
        ASSERT_GE(klassen.size(), 2);
        int vorher = 0;
        for (qsizetype i = 0; i + 1 < klassen.size(); ++i) {
            EXPECT_TRUE(klassen[i].startsWith(u'-')) << klassen[i].toStdString();
            const int grenze = klassen[i].mid(1).toInt();
            EXPECT_GT(grenze, vorher) << klassen[i].toStdString();
            vorher = grenze;
        }
        // The open class starts where the heaviest limited class ends.
        EXPECT_EQ(klassen.last(), QStringLiteral("+") + QString::number(vorher));
    }
}

TEST_P(Schema, VerbaendeStatusUndPunkteGeordnet)
{
    // Each federation gets its own block of lot numbers.
    const auto verbaende = lesen(QStringLiteral("select TPKEY, TPWERT from tabpos where TPTAB = 'VERBAND'"));
    EXPECT_EQ(verbaende.size(), 17u);
    QList<int> lose;
    for (const QSqlRecord &z : verbaende) {
        lose << z.value(1).toInt();
        EXPECT_EQ(z.value(1).toInt() % 100, 0) << z.value(0).toString().toStdString();
        EXPECT_GT(z.value(1).toInt(), 0);
    }
    std::sort(lose.begin(), lose.end());
    EXPECT_EQ(std::adjacent_find(lose.begin(), lose.end()), lose.end());

    // Bar length grows with the status and is full when the class is done.
    const auto status = lesen(QStringLiteral("select TPKEY, TPWERT from tabpos where TPTAB = 'Status'"));
    std::vector<std::pair<int, double>> balken;
    for (const QSqlRecord &z : status)
        balken.emplace_back(z.value(0).toInt(), z.value(1).toDouble());
    std::sort(balken.begin(), balken.end());
    ASSERT_FALSE(balken.empty());
    EXPECT_EQ(balken.front().second, 0.0);
    EXPECT_EQ(balken.back().second, 20.0);
    for (size_t i = 1; i < balken.size(); ++i)
        EXPECT_GT(balken[i].second, balken[i - 1].second);

    // A better place never earns fewer points.
    const auto punkte = lesen(QStringLiteral("select TPKEY, TPWERT from tabpos where TPTAB = 'Teamwertung'"));
    std::vector<std::pair<int, double>> jePlatz;
    for (const QSqlRecord &z : punkte)
        jePlatz.emplace_back(z.value(0).toInt(), z.value(1).toDouble());
    std::sort(jePlatz.begin(), jePlatz.end());
    for (size_t i = 1; i < jePlatz.size(); ++i)
        EXPECT_LT(jePlatz[i].second, jePlatz[i - 1].second);
}

TEST_P(LeereDatenbank, AnlegenAufLeererDatenbank)
{
    EXPECT_FALSE(schema_vorhanden(datenmodul()));
    QString fehler;
    ASSERT_TRUE(schema_anlegen(datenmodul(), &fehler)) << fehler.toStdString();
    EXPECT_TRUE(schema_vorhanden(datenmodul()));
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

TEST_P(LeereDatenbank, FehlschlagHinterlaesstNichts)
{
    // A table where a view belongs makes the creation fail late, after all tables.
    ASSERT_TRUE(ddl("create table v_medaillen_verband (x integer)"));
    QString fehler;
    EXPECT_FALSE(schema_anlegen(datenmodul(), &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_FALSE(schema_vorhanden(datenmodul()));
    QStringList da;
    for (const QString &n : datenmodul().db().tables(QSql::Tables))
        da << n.toLower();
    EXPECT_EQ(da, QStringList{QStringLiteral("v_medaillen_verband")});
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

TEST_P(LeereDatenbank, VorhandeneTabelleVerhindertAnlegen)
{
    // Even a lone table of a half-made database is not built upon.
    ASSERT_TRUE(ddl("create table starter (STWKNR integer)"));
    QString fehler;
    EXPECT_FALSE(schema_anlegen(datenmodul(), &fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("starter"))) << fehler.toStdString();
    EXPECT_EQ(datenmodul().db().tables(QSql::Tables).size(), 1);
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(Schema);
OBITRACK_AUF_BEIDEN_DATENBANKEN(LeereDatenbank);

} // namespace
