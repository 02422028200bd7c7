#include "support/dbtest.h"

#include "core/basis.h"
#include "setup/klassenauswahl.h"
#include "setup/vereine.h"

#include <QSqlQuery>

using namespace obi;
using obi::test::DbTest;

namespace {

constexpr int kWk = 1;

class Vereine : public DbTest
{
protected:
    // A club written through the save path; fails the test if refused.
    void verein(int los, const QString &name, const QString &verband, int wk = kWk)
    {
        VereinEingabe e = verein_neu_eingabe();
        e.los = QString::number(los);
        e.name = name;
        e.verband = verband;
        const VereinErgebnis r = verein_speichern(e, true, wk);
        ASSERT_TRUE(r.ok()) << "Verein " << los << ": " << r.meldung;
    }

    void teilnehmer(int stnr, int los, int wk = kWk)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STNAME, STLOS, STSORT) values (?, ?, ?, ?, 0)"),
            {wk, stnr, QStringLiteral("Name"), los}));
    }

    QVariant spalte(const char *spalte, int los, int wk = kWk)
    {
        return datenmodul().einzelwert(QStringLiteral("select ") + QLatin1String(spalte)
                                           + QStringLiteral(" from vereine where VEWKNR = ? and VELOS = ?"),
                                       {wk, los});
    }
};

// ---- Fee -------------------------------------------------------------------

TEST(Startgeld, KommaTextWirdCentUndZurueck)
{
    struct Fall {
        const char *eingabe;
        bool ok;
        int cent;
        const char *anzeige;
    };
    const Fall faelle[] = {
        {"12,5", true, 1250, "12,50"}, {"12,5  ", true, 1250, "12,50"}, {"0", true, 0, "0,00"},
        {"7", true, 700, "7,00"},      {"0,01", true, 1, "0,01"},       {"19,999", true, 2000, "20,00"},
        {"abc", false, 0, ""},         {"", false, 0, ""},              {"1.000", false, 0, ""},
        {"99999999999", false, 0, ""},
    };
    for (const Fall &f : faelle) {
        int cent = -1;
        EXPECT_EQ(startgeld_lesen(QString::fromUtf8(f.eingabe), cent), f.ok) << f.eingabe;
        if (f.ok) {
            EXPECT_EQ(cent, f.cent) << f.eingabe;
            EXPECT_EQ(startgeld_text(cent), QString::fromUtf8(f.anzeige)) << f.eingabe;
        }
    }
}

TEST(Vereinsfelder, FeldcodeAusDemNamen)
{
    EXPECT_EQ(verein_feldcode(QStringLiteral("edtLOS")), QStringLiteral("LOS"));
    EXPECT_EQ(verein_feldcode(QStringLiteral("edtNAME")), QStringLiteral("NAME"));
    EXPECT_EQ(verein_feldcode(QStringLiteral("edtSGLD")), QStringLiteral("SGLD"));
    EXPECT_EQ(verein_feldcode(QStringLiteral("edt")), QString());
}

TEST_P(Vereine, StartgeldWirdInCentGespeichertUndMitZweiStellenGezeigt)
{
    VereinEingabe e = verein_neu_eingabe();
    EXPECT_EQ(e.startgeld, QStringLiteral("0,00"));
    e.los = QStringLiteral("4");
    e.name = QStringLiteral("JC Beispiel");
    e.startgeld = QStringLiteral("12,5");
    ASSERT_TRUE(verein_speichern(e, true, kWk).ok());
    EXPECT_EQ(e.startgeld, QStringLiteral("12,50"));
    EXPECT_EQ(spalte("VESGLD", 4).toInt(), 1250);
    const auto v = verein_lesen(kWk, 4);
    ASSERT_TRUE(v);
    EXPECT_EQ(verein_eingabe(*v).startgeld, QStringLiteral("12,50"));
}

// ---- Field checks ----------------------------------------------------------

TEST_P(Vereine, FeldpruefungenInIhrerReihenfolge)
{
    verein(3, QStringLiteral("Vorhanden"), QStringLiteral("B"));
    struct Fall {
        const char *was;
        void (*setze)(VereinEingabe &);
        bool neu;
        int meldung;
        const char *feld;
    };
    const Fall faelle[] = {
        {"los leer", [](VereinEingabe &e) { e.los.clear(); }, true, 21003, "LOS"},
        {"los text", [](VereinEingabe &e) { e.los = QStringLiteral("a1"); }, true, 21003, "LOS"},
        {"los komma", [](VereinEingabe &e) { e.los = QStringLiteral("1,5"); }, true, 21003, "LOS"},
        {"los 0", [](VereinEingabe &e) { e.los = QStringLiteral("0"); }, true, 31006, "LOS"},
        {"los 0 ändern", [](VereinEingabe &e) { e.los = QStringLiteral("0"); }, false, 31006, "LOS"},
        {"los negativ", [](VereinEingabe &e) { e.los = QStringLiteral("-2"); }, true, 31006, "LOS"},
        {"los vorhanden", [](VereinEingabe &e) { e.los = QStringLiteral("3"); }, true, 18001, "LOS"},
        {"los vorh. + blanks", [](VereinEingabe &e) { e.los = QStringLiteral("3  "); }, true, 18001, "LOS"},
        {"name leer", [](VereinEingabe &e) { e.name = QStringLiteral("   "); }, true, 21001, "NAME"},
        {"name zu lang", [](VereinEingabe &e) { e.name = QString(31, u'x'); }, true, 21005, "NAME"},
        {"verband zu lang", [](VereinEingabe &e) { e.verband = QString(21, u'x'); }, true, 21005, "VERB"},
        {"gemeldet text", [](VereinEingabe &e) { e.gemeldet = QStringLiteral("zwei"); }, true, 21004, "MLDG"},
        {"gemeldet leer", [](VereinEingabe &e) { e.gemeldet.clear(); }, true, 21004, "MLDG"},
        {"anwesend komma", [](VereinEingabe &e) { e.anwesend = QStringLiteral("1,5"); }, true, 21004, "ANZA"},
        {"startgeld text", [](VereinEingabe &e) { e.startgeld = QStringLiteral("zehn"); }, true, 21003, "SGLD"},
        {"punkte komma", [](VereinEingabe &e) { e.punkte = QStringLiteral("2,5"); }, true, 21004, "PKTE"},
        {"text zu lang", [](VereinEingabe &e) { e.text = QString(61, u'x'); }, true, 21005, "TEXT"},
        // The first failure wins: lot before name.
        {"los und name",
         [](VereinEingabe &e) {
             e.los = QStringLiteral("0");
             e.name.clear();
         },
         true, 31006, "LOS"},
        // Changing club 3 does not collide with itself.
        {"los 3 ändern", [](VereinEingabe &e) { e.los = QStringLiteral("3"); }, false, 0, ""},
        {"alles gut", [](VereinEingabe &) {}, true, 0, ""},
    };
    for (const Fall &f : faelle) {
        VereinEingabe e = verein_neu_eingabe();
        e.los = QStringLiteral("5");
        e.name = QStringLiteral("JC Neu");
        f.setze(e);
        const VereinErgebnis r = verein_pruefen(e, QStringLiteral("*"), f.neu, kWk);
        EXPECT_EQ(r.meldung, f.meldung) << f.was;
        EXPECT_EQ(r.feld, QString::fromUtf8(f.feld)) << f.was;
    }
}

TEST_P(Vereine, EinzelpruefungPrueftNurIhrFeldUndSchreibtBereinigtZurueck)
{
    VereinEingabe e = verein_neu_eingabe();
    e.los = QStringLiteral("7   ");
    e.name.clear(); // would fail, but is not this field's check
    e.startgeld = QStringLiteral("3,5 ");
    EXPECT_TRUE(verein_pruefen(e, QStringLiteral("LOS"), true, kWk).ok());
    EXPECT_EQ(e.los, QStringLiteral("7"));
    EXPECT_TRUE(verein_pruefen(e, QStringLiteral("SGLD"), true, kWk).ok());
    EXPECT_EQ(e.startgeld, QStringLiteral("3,50"));
    EXPECT_EQ(verein_pruefen(e, QStringLiteral("NAME"), true, kWk).meldung, 21001);
}

TEST_P(Vereine, LosNullUndDoppeltesLosWerdenNichtGespeichert)
{
    verein(3, QStringLiteral("Erster"), QString());
    VereinEingabe e = verein_neu_eingabe();
    e.name = QStringLiteral("Zweiter");
    VereinErgebnis r = verein_speichern(e, true, kWk); // lot 0 of a new row
    EXPECT_EQ(r.meldung, 31006);
    EXPECT_EQ(r.feld, QStringLiteral("LOS"));
    e.los = QStringLiteral("3");
    r = verein_speichern(e, true, kWk);
    EXPECT_EQ(r.meldung, 18001);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from vereine")), 1);
    EXPECT_EQ(spalte("VENAME", 3).toString(), QStringLiteral("Erster"));
    // The same lot number in another tournament is free.
    verein(3, QStringLiteral("Anderswo"), QString(), 2);
}

// ---- Saving ----------------------------------------------------------------

TEST_P(Vereine, NeuerVereinSchreibtAlleSpalten)
{
    VereinEingabe e = verein_neu_eingabe();
    e.los = QStringLiteral("12");
    e.name = QStringLiteral("Jüdo 'Club'  ");
    e.verband = QStringLiteral("NW");
    e.gemeldet = QStringLiteral("8");
    e.punkte = QStringLiteral("3");
    e.startgeld = QStringLiteral("40");
    e.text = QStringLiteral("Bemerkung");
    ASSERT_TRUE(verein_speichern(e, true, kWk).ok());
    auto q = datenmodul().abfrage(QStringLiteral("select * from vereine where VEWKNR = ? and VELOS = ?"), {kWk, 12});
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(QStringLiteral("VENAME")).toString(), QStringLiteral("Jüdo ´Club´"));
    EXPECT_EQ(q->value(QStringLiteral("VENAME_UPC")).toString(), QStringLiteral("JÜDO ´CLUB´"));
    EXPECT_EQ(q->value(QStringLiteral("VEVERB")).toString(), QStringLiteral("NW"));
    EXPECT_EQ(q->value(QStringLiteral("VEMLDG")).toInt(), 8);
    EXPECT_EQ(q->value(QStringLiteral("VEANZA")).toInt(), 0);
    EXPECT_EQ(q->value(QStringLiteral("VESGLD")).toInt(), 4000);
    EXPECT_EQ(q->value(QStringLiteral("VEPKTE")).toInt(), 3);
    EXPECT_EQ(q->value(QStringLiteral("VETEXT")).toString(), QStringLiteral("Bemerkung"));
    EXPECT_EQ(q->value(QStringLiteral("VEALOS")).toInt(), 0);
    EXPECT_FALSE(q->value(QStringLiteral("VEALOS")).isNull());
}

TEST_P(Vereine, AendernSchreibtNameUndGrossschreibungNeu)
{
    verein(5, QStringLiteral("Alt"), QStringLiteral("B"));
    const auto v = verein_lesen(kWk, 5);
    ASSERT_TRUE(v);
    VereinEingabe e = verein_eingabe(*v);
    e.name = QStringLiteral("Neu München");
    e.punkte = QStringLiteral("4");
    ASSERT_TRUE(verein_speichern(e, false, kWk).ok());
    EXPECT_EQ(spalte("VENAME", 5).toString(), QStringLiteral("Neu München"));
    EXPECT_EQ(spalte("VENAME_UPC", 5).toString(), QStringLiteral("NEU MÜNCHEN"));
    EXPECT_EQ(spalte("VEPKTE", 5).toInt(), 4);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from vereine")), 1);
}

TEST_P(Vereine, AendernEinesInzwischenGeloeschtenVereinsMeldetKeinenErfolg)
{
    verein(5, QStringLiteral("Weg"), QString());
    VereinEingabe e = verein_eingabe(*verein_lesen(kWk, 5));
    ASSERT_TRUE(verein_loeschen(kWk, 5).ok());
    EXPECT_EQ(verein_speichern(e, false, kWk).meldung, 9901);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from vereine")), 0);
}

// ---- Deleting --------------------------------------------------------------

TEST_P(Vereine, VereinMitTeilnehmernWirdNichtGeloescht)
{
    verein(4, QStringLiteral("Mit Judoka"), QString());
    verein(6, QStringLiteral("Ohne"), QString());
    teilnehmer(1, 4);
    teilnehmer(1, 6, 2); // another tournament's participant does not count

    EXPECT_EQ(verein_hat_teilnehmer(kWk, 4), std::optional<bool>(true));
    const VereinErgebnis r = verein_loeschen(kWk, 4);
    EXPECT_EQ(r.meldung, 18002);
    EXPECT_TRUE(verein_lesen(kWk, 4).has_value());

    EXPECT_TRUE(verein_loeschen(kWk, 6).ok());
    EXPECT_FALSE(verein_lesen(kWk, 6).has_value());
}

// ---- Lot numbers -----------------------------------------------------------

TEST_P(Vereine, LosVorschlagNachDemHoechstenDesVerbands)
{
    verein(3, QStringLiteral("B drei"), QStringLiteral("B"));
    verein(7, QStringLiteral("B sieben"), QStringLiteral("B"));
    verein(8, QStringLiteral("A acht"), QStringLiteral("A"));
    verein(20, QStringLiteral("Woanders"), QStringLiteral("B"), 2);

    struct Fall {
        const char *verband;
        int vorschlag;
    };
    const Fall faelle[] = {
        {"B", 9},   // 8 belongs to another federation and is skipped
        {"B  ", 9}, // trailing blanks do not count
        {"A", 9},
        {"C", 1},  // first club of a federation: lowest free number
        {"", 9},   // no federation: after the tournament's highest
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(neues_los(kWk, QString::fromUtf8(f.verband)), f.vorschlag) << f.verband;

    verein(1, QStringLiteral("C eins"), QStringLiteral("C"));
    verein(2, QStringLiteral("X zwei"), QStringLiteral("X"));
    EXPECT_EQ(neues_los(kWk, QStringLiteral("C")), 4); // 2 and 3 are taken
    EXPECT_EQ(neues_los(3, QStringLiteral("B")), 1);   // empty tournament
    EXPECT_TRUE(losnummer_neu(kWk, 4));
    EXPECT_FALSE(losnummer_neu(kWk, 3));
}

// ---- Reading ---------------------------------------------------------------

TEST_P(Vereine, ListeSuchtNameUndVerbandUeberall)
{
    verein(2, QStringLiteral("Jüdo Club Köln"), QStringLiteral("NW"));
    verein(1, QStringLiteral("TSV Bonn"), QStringLiteral("NW"));
    verein(3, QStringLiteral("SC Köln-Süd"), QStringLiteral("BAY"));
    verein(4, QStringLiteral("Fremd"), QStringLiteral("NW"), 2);

    auto los = [](const std::optional<QVector<Verein>> &l) {
        QList<int> r;
        for (const Verein &v : l.value_or(QVector<Verein>{}))
            r << v.los;
        return r;
    };
    EXPECT_EQ(los(vereine_lesen(kWk)), (QList<int>{1, 2, 3}));
    EXPECT_EQ(los(vereine_lesen(kWk, QStringLiteral("köln"))), (QList<int>{2, 3}));
    EXPECT_EQ(los(vereine_lesen(kWk, QStringLiteral("jü"))), (QList<int>{2}));
    EXPECT_EQ(los(vereine_lesen(kWk, {}, QStringLiteral("w"))), (QList<int>{1, 2}));
    EXPECT_EQ(los(vereine_lesen(kWk, QStringLiteral("köln"), QStringLiteral("bay"))), (QList<int>{3}));
    EXPECT_EQ(los(vereine_lesen(kWk, QStringLiteral("x'y"))), (QList<int>{}));
    EXPECT_EQ(verein_suchtext(QStringLiteral("köln  ")), QStringLiteral("KÖLN"));
}

// ---- Pickers ---------------------------------------------------------------

TEST_P(Vereine, AuswahlAltersklassenUndGewichtsklassen)
{
    for (const char *ak : {"U12", "U14", "Frauen", "U12w"})
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA) values (?, ?, 0, 0)"),
            {kWk, QString::fromUtf8(ak)}));
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA) values (2, 'U10', 0, 0)")));
    auto namen = [](const std::optional<QVector<AltersklasseZeile>> &l) {
        QStringList r;
        for (const AltersklasseZeile &z : l.value_or(QVector<AltersklasseZeile>{}))
            r << z.akid;
        return r;
    };
    EXPECT_EQ(namen(altersklassen_auswahl(kWk, {})),
              (QStringList{QStringLiteral("Frauen"), QStringLiteral("U12"), QStringLiteral("U12w"),
                           QStringLiteral("U14")}));
    EXPECT_EQ(namen(altersklassen_auswahl(kWk, QStringLiteral("u12 "))),
              (QStringList{QStringLiteral("U12"), QStringLiteral("U12w")}));
    EXPECT_EQ(namen(altersklassen_auswahl(kWk, QStringLiteral("%AUE"))), (QStringList{QStringLiteral("Frauen")}));
    EXPECT_TRUE(namen(altersklassen_auswahl(kWk, QStringLiteral("X"))).isEmpty());

    struct Gk {
        const char *name;
        int sort;
    };
    for (const Gk &g : {Gk{"+34", 3}, Gk{"-30", 1}, Gk{"-34", 2}})
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT, GKGEWN, GKSTAT) "
                           "values (?, 'U12', ?, ?, 0, 0)"),
            {kWk, QString::fromUtf8(g.name), g.sort}));
    EXPECT_EQ(gewichtsklassen_auswahl(kWk, QStringLiteral("U12"), {}),
              (QStringList{QStringLiteral("-30"), QStringLiteral("-34"), QStringLiteral("+34")}));
    EXPECT_EQ(gewichtsklassen_auswahl(kWk, QStringLiteral("U12"), QStringLiteral("-3")),
              (QStringList{QStringLiteral("-30"), QStringLiteral("-34")}));
    EXPECT_EQ(gewichtsklassen_auswahl(kWk, QStringLiteral("U12"), QStringLiteral("%34")),
              (QStringList{QStringLiteral("-34"), QStringLiteral("+34")}));
    EXPECT_TRUE(gewichtsklassen_auswahl(kWk, QStringLiteral("U14"), {})->isEmpty());
}

OBITRACK_AUF_BEIDEN_DATENBANKEN(Vereine);

} // namespace
