#include "support/testbasis.h"

#include "core/basis.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

#include <limits>

using namespace obi;
using obi::test::ObiTest;

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

// ---- Dates and times -----------------------------------------------------

TEST_F(ObiTest, DatumZuZahl)
{
    const struct {
        const char *text;
        int erwartet;
    } faelle[] = {
        {"", 0},
        {"01.02.2003", 20030201},
        {"1.2.2003", 20030201},
        {"1.2.03", 20030201},
        {"010203", 20030201},   // ddmmyy
        {"01022003", 20030201}, // ddmmyyyy
        {"29.02.2100", 21000229}, // no century rule
        {"29.02.2004", 20040229},
        {"29.02.2003", 1},
        {"28.02.2003", 20030228},
        {"12.05.", 1}, // point but no year
        {"12.05", 1},  // no second point
        {"1.1.45", 20450101},
        {"1.1.46", 19460101},
        {"1.1.99", 19990101},
        {"1.1.0", 20000101},
        {"31.12.1899", 1},
        {"01.01.1900", 19000101},
        {"30.04.2020", 20200430},
        {"31.04.2020", 1},
        {"31.06.2020", 1},
        {"31.09.2020", 1},
        {"31.11.2020", 1},
        {"31.12.2020", 20201231},
        {"32.01.2020", 1},
        {"0.01.2020", 1},
        {"1.0.2020", 1},
        {"1.13.2020", 1},
        {"ab.cd.efgh", 1},
        {"1.1.20x", 1},
        {"1.1.2000.5", 1}, // the year part is "2000.5"
        {"1.1.-5", 1},
        {"1.1.10000", 1},
        {"0102031", 1}, // seven digits
        {"01020", 1},
        {"aa0203", 1},
        {"heute", 1},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(datum_zu_zahl(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, ZahlZuDatum)
{
    const struct {
        qint64 zahl;
        const char *erwartet;
    } faelle[] = {
        {20030201, "01.02.2003"},
        {19991231, "31.12.1999"},
        {1, "..1"}, // what an invalid stored date shows
        {0, ""},
        {-20030201, ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(zahl_zu_datum(f.zahl), u8(f.erwartet)) << f.zahl;
}

TEST_F(ObiTest, DatumHinUndZurueck)
{
    for (const char *text : {"01.02.2003", "29.02.2100", "31.12.1946", "15.07.2045"})
        EXPECT_EQ(zahl_zu_datum(datum_zu_zahl(u8(text))), u8(text)) << text;
}

TEST_F(ObiTest, ZeitZuZahl)
{
    const struct {
        const char *text;
        qint64 erwartet;
    } faelle[] = {
        {"15:30:12", 153012},
        {"9:05", 905},
        {"12:34:59", 123459},
        {"12:34:70", 2501},
        {"12:60", 2501},
        {"", 2500},
        {"ohne", 0},
        {"999999999999999999999999", 2501}, // saturated, ends in 99
    };
    for (const auto &f : faelle)
        EXPECT_EQ(zeit_zu_zahl(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, HeuteUndJetztFolgenDerUhr)
{
    // Read the clock around the call, so a change of day or second in between
    // cannot make the test flaky.
    const QDate vorher = QDate::currentDate();
    const int heute = heute_zahl();
    const QDate nachher = QDate::currentDate();
    const auto alsZahl = [](QDate d) { return d.year() * 10000 + d.month() * 100 + d.day(); };
    EXPECT_TRUE(heute == alsZahl(vorher) || heute == alsZahl(nachher)) << heute;
    EXPECT_EQ(datum_zu_zahl(zahl_zu_datum(heute)), heute);

    const int jetzt = jetzt_zahl();
    EXPECT_GE(jetzt, 0);
    EXPECT_LE(jetzt, 235959);
    EXPECT_LT(jetzt % 100, 60);
    EXPECT_LT(jetzt / 100 % 100, 60);
    const QTime t = QTime::currentTime();
    const int danach = t.hour() * 10000 + t.minute() * 100 + t.second();
    // At most a few seconds apart unless midnight was crossed.
    EXPECT_TRUE(danach >= jetzt || danach < 100) << jetzt << " " << danach;
}

TEST_F(ObiTest, SekundenZuText)
{
    const struct {
        qint64 sekunden;
        int stunden;
        const char *erwartet;
    } faelle[] = {
        {125, 0, "2:05"},
        {59, 0, "0:59"},
        {0, 0, "0:00"},
        {3723, 0, "62:03"}, // minutes are not wrapped without hours
        {3600, 1, "1:00:00"},
        {3723, 1, "1:02:03"},
        {59, 1, "0:00:59"},
        {90000, 1, "25:00:00"},
        {-125, 0, "-2:05"},
        {std::numeric_limits<qint64>::min(), 0, "-153722867280912930:08"},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(sekunden_zu_text(f.sekunden, f.stunden), u8(f.erwartet)) << f.sekunden << " " << f.stunden;
}

TEST_F(ObiTest, SekundenAusText)
{
    const struct {
        const char *text;
        int erwartet;
    } faelle[] = {
        {"1:30", 90},
        {"1.30", 90},
        {"1:02:03", 3723},
        {"45", 45},
        {"100", 0},   // three digits are no group
        {"2:100", 120},
        {"1:5", 65},
        {" 1 : 30 ", 90},
        {"1m30s", 0}, // letters are skipped, not separators: one three-digit group
        {"", 0},
        {"::", 0},
        {":30", 30},
        {"5:", 300},
        {"99:99:99", 99 * 3600 + 99 * 60 + 99},
        {"1:::::::::::::::::::::::::0", std::numeric_limits<int>::max()}, // saturates
    };
    for (const auto &f : faelle)
        EXPECT_EQ(sekunden_aus_text(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, SekundenTextHinUndZurueck)
{
    for (qint64 s : {0, 1, 59, 60, 125, 3599, 5999}) {
        EXPECT_EQ(sekunden_aus_text(sekunden_zu_text(s, 0)), s) << s;
        EXPECT_EQ(sekunden_aus_text(sekunden_zu_text(s, 1)), s) << s;
    }
}

// ---- Numbers -------------------------------------------------------------

TEST_F(ObiTest, ZahlFormat)
{
    const struct {
        qint64 zahl;
        int breite;
        bool tausender;
        const char *erwartet;
    } faelle[] = {
        {5, 3, false, "005"},
        {12, 1, false, "12"},
        {0, 0, false, "0"},
        {7, 20, false, "0000000000000007"}, // at most 15 zeros
        {123, 0, true, "123"},
        {1234, 0, true, "1.234"},
        {123456, 0, true, "123.456"},
        {1234567, 0, true, "1.234.567"},
        {-1234567, 0, true, "-1.234.567"},
        {-5, 3, false, "-05"},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(zahl_format(f.zahl, f.breite, f.tausender), u8(f.erwartet))
            << f.zahl << " " << f.breite << " " << f.tausender;
}

TEST_F(ObiTest, DezimalTextRundetZurGeradenZahl)
{
    const struct {
        int stellen;
        double wert;
        const char *erwartet;
    } faelle[] = {
        {1, 45.25, "45,2"},
        {1, 45.35, "45,4"},
        {2, 0.0, "0,00"},
        {0, 2.5, "2"},
        {0, 3.5, "4"},
        {0, 1234.0, "1234"},
        {2, 2.675, "2,68"}, // 267.4999... is a tie of the typed decimal
        {2, 1.005, "1,00"},
        {1, 0.05, "0,0"},
        {2, 70.1, "70,10"},
        {3, 1.0005, "1,000"},
        {1, 45.26, "45,3"},
        {1, 45.24, "45,2"},
        {2, 0.07, "0,07"},
        {1, -45.25, "-45,2"},
        {1, -0.5, "-0,5"},
        {-1, 7.6, "8"}, // negative places count as none
    };
    for (const auto &f : faelle)
        EXPECT_EQ(dezimal_text(f.stellen, f.wert), u8(f.erwartet)) << f.stellen << " " << f.wert;
}

TEST_F(ObiTest, NurZiffern)
{
    const struct {
        const char *text;
        qint64 erwartet;
    } faelle[] = {
        {"", 0},
        {"abc", 0},
        {"a1b2c3", 123},
        {"007", 7},
        {"12 345", 12345},
        {"-5", 5},
        {"1234567890123", 1234567890123LL},
        {"9999999999999999999999999", 999999999999999999LL},
        {"\xd9\xa1\xd9\xa2", 0}, // Arabic-Indic digits are no digits here
    };
    for (const auto &f : faelle)
        EXPECT_EQ(nur_ziffern(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, IstGanzzahl)
{
    const struct {
        const char *text;
        bool erwartet;
    } faelle[] = {
        {"12", true},       {"-12", true},         {"+12", true},       {"0", true},
        {"2147483647", true}, {"-2147483648", true}, {"2147483648", false}, {"", false},
        {" 12", false},     {"12 ", false},        {"1,5", false},      {"1.5", false},
        {"abc", false},     {"0x10", false},       {"1.000", false},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(ist_ganzzahl(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, IstZahlMitDezimalkomma)
{
    const struct {
        const char *text;
        bool erwartet;
    } faelle[] = {
        {"1,5", true},  {"12", true},   {"-3,25", true}, {"0,0", true},   {"1.5", false},
        {"1.500", false}, {"0.0", false}, {"", false},     {" 1,5", false}, {"1,5 ", false},
        {"abc", false}, {"1,5kg", false}, {"1,2,3", false},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(ist_zahl(u8(f.text)), f.erwartet) << '"' << f.text << '"';
}

TEST_F(ObiTest, EnglischesZahlenformat)
{
    setze_zahlen_locale(QLocale::c());
    EXPECT_EQ(dezimal_text(1, 45.25), QStringLiteral("45.2"));
    EXPECT_EQ(dezimal_text(2, 0.0), QStringLiteral("0.00"));
    EXPECT_TRUE(ist_zahl(QStringLiteral("1.5")));
    EXPECT_FALSE(ist_zahl(QStringLiteral("1,5")));
    EXPECT_FALSE(ist_zahl(QStringLiteral("1,500")));
}

TEST_F(ObiTest, BoolMaximumMinimum)
{
    EXPECT_EQ(bool_zu_text(true), QStringLiteral("1"));
    EXPECT_EQ(bool_zu_text(false), QStringLiteral("0"));
    const struct {
        qint64 a, b, groesser, kleiner;
    } faelle[] = {
        {1, 2, 2, 1},
        {2, 1, 2, 1},
        {-3, -3, -3, -3},
        {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max(),
         std::numeric_limits<qint64>::min()},
    };
    for (const auto &f : faelle) {
        EXPECT_EQ(maximum(f.a, f.b), f.groesser) << f.a << " " << f.b;
        EXPECT_EQ(minimum(f.a, f.b), f.kleiner) << f.a << " " << f.b;
    }
}

TEST_F(ObiTest, Pruefziffer)
{
    const struct {
        qint64 zahl;
        int erwartet;
    } faelle[] = {
        {1234, 1}, // 4*1 + 3*3 + 2*1 + 1*3 = 18
        {1, 8},
        {5, 4},
        {10, 6},  // 0*1 + 1*3
        {99, 3},  // 9 + 27 = 36
        {4321, 7}, // 1 + 6 + 3 + 12 = 22
        {0, 9},
        {-5, 9},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(pruefziffer(f.zahl), f.erwartet) << f.zahl;
}

TEST_F(ObiTest, ProzentLesen)
{
    const struct {
        const char *text;
        bool ok;
        int wert; // after the call, starting from 77
    } faelle[] = {
        {"100", true, 100}, {"2", true, 2},     {"199", true, 199}, {"50 %", true, 50},
        {"1", false, 77},   {"200", false, 77}, {"0", false, 77},   {"", false, 77},
        {"abc", false, 77},
    };
    for (const auto &f : faelle) {
        int wert = 77;
        EXPECT_EQ(prozent_lesen(wert, u8(f.text)), f.ok) << '"' << f.text << '"';
        EXPECT_EQ(wert, f.wert) << '"' << f.text << '"';
    }
}

TEST_F(ObiTest, FarbeLesen)
{
    constexpr quint32 unveraendert = 0xABCDEF;
    const struct {
        const char *text;
        bool ok;
        quint32 wert;
    } faelle[] = {
        {"$FF0000", true, 0x0000FF}, // red in the low byte
        {"$ff0000", true, 0x0000FF},
        {"$00FF00", true, 0x00FF00},
        {"$0000FF", true, 0xFF0000},
        {"$123456", true, 0x563412},
        {"$FF0000   ", true, 0x0000FF},
        {"#FF0000", false, unveraendert},
        {" $FF0000", false, unveraendert},
        {"$FF000", false, unveraendert},
        {"$FF00000", false, unveraendert},
        {"$GG0000", false, unveraendert},
        {"$FF 000", false, unveraendert},
        {"", false, unveraendert},
    };
    for (const auto &f : faelle) {
        quint32 wert = unveraendert;
        EXPECT_EQ(farbe_lesen(wert, u8(f.text)), f.ok) << '"' << f.text << '"';
        EXPECT_EQ(wert, f.wert) << '"' << f.text << '"';
    }
}

// ---- Text clean-up -------------------------------------------------------

TEST_F(ObiTest, LeerzeichenEntfernen)
{
    const struct {
        const char *text;
        const char *rechts;
        const char *links;
        const char *ohne;
    } faelle[] = {
        {"  a b  ", "  a b", "a b  ", "ab"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"abc", "abc", "abc", "abc"},
        {"\ta\t", "\ta\t", "\ta\t", "\ta\t"}, // only the blank counts
    };
    for (const auto &f : faelle) {
        EXPECT_EQ(trim_rechts(u8(f.text)), u8(f.rechts)) << '"' << f.text << '"';
        EXPECT_EQ(trim_links(u8(f.text)), u8(f.links)) << '"' << f.text << '"';
        EXPECT_EQ(ohne_leerzeichen(u8(f.text)), u8(f.ohne)) << '"' << f.text << '"';
    }
}

TEST_F(ObiTest, GrossSchreiben)
{
    const struct {
        const char *text;
        const char *erwartet;
    } faelle[] = {
        {"müller", "MÜLLER"},
        {"äöü", "ÄÖÜ"},
        {"straße", "STRAßE"}, // ß has no one-letter capital
        {"abc-123 x", "ABC-123 X"},
        {"ÄÖÜ", "ÄÖÜ"},
        {"", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(gross_schreiben(u8(f.text)), u8(f.erwartet)) << f.text;
}

TEST_F(ObiTest, KleinBuchstabe)
{
    const struct {
        char16_t zeichen;
        char16_t erwartet;
    } faelle[] = {
        {u'A', u'a'}, {u'Z', u'z'}, {u'M', u'm'}, {u'Ä', u'ä'}, {u'Ö', u'ö'}, {u'Ü', u'ü'},
        {u'a', u'a'}, {u'ä', u'ä'}, {u'É', u'É'}, {u'ß', u'ß'}, {u'1', u'1'}, {u'-', u'-'},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(klein_buchstabe(QChar(f.zeichen)), QChar(f.erwartet)) << int(f.zeichen);
}

TEST_F(ObiTest, NameSchreibweise)
{
    const struct {
        const char *text;
        const char *erwartet;
    } faelle[] = {
        {"MÜLLER-LÜDENSCHEID", "Müller-Lüdenscheid"},
        {"VAN DER BERG", "Van Der Berg"},
        {"ST.PAULI", "St.Pauli"},
        {"mÜLLER", "müller"}, // the first letter stays as typed
        {"ÉTIENNE", "Étienne"},
        {"O'NEIL", "O'neil"},
        {"A", "A"},
        {"", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(name_schreibweise(u8(f.text)), u8(f.erwartet)) << f.text;
}

TEST_F(ObiTest, ErsetzenNurDasErsteVorkommen)
{
    const struct {
        const char *suche;
        const char *text;
        const char *ersatz;
        const char *erwartet;
    } faelle[] = {
        {"ab", "xabyab", "Z", "xZyab"},
        {"q", "abc", "Z", "abc"},
        {"", "abc", "Z", "abc"},
        {"abc", "abc", "", ""},
        {"AB", "xabyab", "Z", "xabyab"}, // case matters
    };
    for (const auto &f : faelle)
        EXPECT_EQ(ersetzen(u8(f.suche), u8(f.text), u8(f.ersatz)), u8(f.erwartet)) << f.suche << " in " << f.text;
}

TEST_F(ObiTest, Wiederholen)
{
    const struct {
        const char *text;
        int anzahl;
        int grenze;
        const char *erwartet;
    } faelle[] = {
        {"ab", 3, 5, "ababab"},
        {"ab", 5, 3, "ababab"},
        {"-", 0, 5, ""},
        {"-", -1, 5, ""},
        {"-", 4, 0, ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(wiederholen(u8(f.text), f.anzahl, f.grenze), u8(f.erwartet)) << f.anzahl << " " << f.grenze;
}

TEST_F(ObiTest, BisPunkt)
{
    const struct {
        const char *text;
        const char *erwartet;
    } faelle[] = {
        {"Dr. Meier", "Dr."},
        {"a.b.c", "a."},
        {"abc", "abc"},
        {".x", "."},
        {"", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(bis_punkt(u8(f.text)), u8(f.erwartet)) << f.text;
}

TEST_F(ObiTest, SqlMaskieren)
{
    const struct {
        const char *text;
        const char *erwartet;
    } faelle[] = {
        {"O'Neil", "O´Neil"},
        {"\"Kalle\"", "´´Kalle´´"},
        {"'\"'", "´´´´"},
        {"Müller", "Müller"},
        {"", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(sql_maskieren(u8(f.text)), u8(f.erwartet)) << f.text;
}

// ---- Field splitting -----------------------------------------------------

TEST_F(ObiTest, NaechstesFeld)
{
    const struct {
        const char *text;
        std::initializer_list<const char *> felder;
    } faelle[] = {
        {"a;;b", {"a", "", "b"}}, // two separators in a row give an empty field
        {"abc", {"abc"}},
        {"a;", {"a"}},
        {";a", {"", "a"}},
        {"1;Müller;Köln", {"1", "Müller", "Köln"}},
    };
    for (const auto &f : faelle) {
        QString rest = u8(f.text);
        for (const char *feld : f.felder)
            EXPECT_EQ(naechstes_feld(rest), u8(feld)) << f.text;
        EXPECT_TRUE(rest.isEmpty()) << f.text;
        EXPECT_EQ(naechstes_feld(rest), QString()) << f.text; // nothing left
    }
}

TEST_F(ObiTest, NaechstesFeldMitTrenner)
{
    QString rest = QStringLiteral("1,2;3,,4");
    EXPECT_EQ(naechstes_feld_trenner(rest, u','), QStringLiteral("1"));
    EXPECT_EQ(naechstes_feld_trenner(rest, u','), QStringLiteral("2;3"));
    EXPECT_EQ(naechstes_feld_trenner(rest, u','), QString());
    EXPECT_EQ(rest, QStringLiteral("4"));
    EXPECT_EQ(naechstes_feld_trenner(rest, u','), QStringLiteral("4"));
    EXPECT_TRUE(rest.isEmpty());
}

// ---- SQL builders --------------------------------------------------------

TEST_F(ObiTest, SqlBindwertNachArt)
{
    const QVariant nullZahl(QMetaType::fromType<double>());
    const struct {
        const char *wert;
        const char *art;
        QVariant erwartet;
    } faelle[] = {
        {"01.02.2003", "D", QVariant(qlonglong(20030201))},
        {"010203", "d", QVariant(qlonglong(20030201))},
        {"", "D", QVariant(qlonglong(0))},
        {"31.02.2003", "D", QVariant(qlonglong(1))},
        {"42", "I", QVariant(qlonglong(42))},
        {" -42 ", "i", QVariant(qlonglong(-42))},
        {"", "I", QVariant()},
        {"4x", "I", QVariant(QStringLiteral("4x"))},
        {"12,5", "N", QVariant(12.5)},
        {"12.5", "n", QVariant(12.5)},
        {"7", "Z", QVariant(7.0)},
        {"-0,25", "z", QVariant(-0.25)},
        {"", "N", nullZahl},
        {"abc", "N", QVariant(QStringLiteral("abc"))},
        {"O'Neil", "T", QVariant(u8("O´Neil"))},
        {"", "T", QVariant(QString())},
        {"12,5", "X", QVariant(QStringLiteral("12,5"))}, // unknown kinds are text
        {"12,5", "", QVariant(QStringLiteral("12,5"))},
    };
    for (const auto &f : faelle) {
        const QVariant v = sql_bindwert(u8(f.wert), u8(f.art));
        const QString fall = u8(f.art) + QStringLiteral(" \"") + u8(f.wert) + u'"';
        EXPECT_EQ(v.metaType(), f.erwartet.metaType()) << fall.toStdString();
        EXPECT_EQ(v.isNull(), f.erwartet.isNull()) << fall.toStdString();
        if (!f.erwartet.isNull()) {
            EXPECT_EQ(v, f.erwartet) << fall.toStdString();
        }
    }
}

TEST_F(ObiTest, SqlWertIstEinPlatzhalter)
{
    const SqlTeil teil = sql_wert(QStringLiteral("x' or '1'='1"), QStringLiteral("T"));
    EXPECT_EQ(teil.text, QStringLiteral("?"));
    ASSERT_EQ(teil.werte.size(), 1);
    EXPECT_EQ(teil.werte.at(0), QVariant(u8("x´ or ´1´=´1")));
}

SqlFelder beispielFelder()
{
    return {
        {QStringLiteral("NAME"), QStringLiteral("T"), QStringLiteral("O'Neil")},
        {QStringLiteral("GEWICHT"), QStringLiteral("N"), QStringLiteral("70,5")},
        {QStringLiteral("GEBDAT"), QStringLiteral("D"), QStringLiteral("1.2.03")},
        {QStringLiteral("PASS"), QStringLiteral("I"), QStringLiteral("")},
    };
}

TEST_F(ObiTest, SqlBuilderTexteUndWerte)
{
    const SqlFelder felder = beispielFelder();
    const QVariant name(u8("O´Neil"));
    const QVariant gewicht(70.5);
    const QVariant datum(qlonglong(20030201));
    const struct {
        const char *fall;
        SqlTeil teil;
        const char *text;
        QVariantList werte;
    } faelle[] = {
        {"set 3", sql_setliste(felder, 3), "NAME = ?, GEWICHT = ?, GEBDAT = ?", {name, gewicht, datum}},
        {"set 1", sql_setliste(felder, 1), "NAME = ?", {name}},
        {"set 0", sql_setliste(felder, 0), "", {}},
        {"where 2..3", sql_bedingung(felder, 2, 3), "GEWICHT = ? and GEBDAT = ?", {gewicht, datum}},
        {"where 1..1", sql_bedingung(felder, 1, 1), "NAME = ?", {name}},
        {"where 3..2", sql_bedingung(felder, 3, 2), "", {}},
        {"insert 3", sql_einfuegeliste(felder, 3), " (NAME, GEWICHT, GEBDAT) values (?, ?, ?) ", {name, gewicht, datum}},
        {"insert 0", sql_einfuegeliste(felder, 0), " () values () ", {}},
    };
    for (const auto &f : faelle) {
        EXPECT_EQ(f.teil.text, u8(f.text)) << f.fall;
        EXPECT_EQ(f.teil.werte, f.werte) << f.fall;
    }
}

TEST_F(ObiTest, SqlBuilderJenseitsDerFelderStuerztNicht)
{
    const SqlFelder felder = beispielFelder();
    const SqlTeil set = sql_setliste(felder, 6);
    EXPECT_EQ(set.text, QStringLiteral("NAME = ?, GEWICHT = ?, GEBDAT = ?, PASS = ?,  = ?,  = ?"));
    EXPECT_EQ(set.werte.size(), 6);
    const SqlTeil wo = sql_bedingung(felder, 0, 1);
    EXPECT_EQ(wo.werte.size(), 2);
    EXPECT_EQ(werte_liste(felder, 6), QStringLiteral("O'Neil;70,5;1.2.03;;;"));
    EXPECT_EQ(werte_liste(SqlFelder(), 2), QStringLiteral(";"));
}

TEST_F(ObiTest, WerteListe)
{
    const SqlFelder felder = beispielFelder();
    const struct {
        int n;
        const char *erwartet;
    } faelle[] = {
        {0, ""},
        {1, "O'Neil"}, // raw, not masked
        {3, "O'Neil;70,5;1.2.03"},
        {4, "O'Neil;70,5;1.2.03;"},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(werte_liste(felder, f.n), u8(f.erwartet)) << f.n;
}

// The builders' output must run as it is on a real database.
TEST_F(ObiTest, SqlBuilderLaufenAufSqlite)
{
    const QString verbindung = QStringLiteral("test_basis_sqlbuilder");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), verbindung);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("create table T (NAME varchar(60), GEWICHT double precision, "
                                          "GEBDAT integer, PASS integer)")));

        const auto ausfuehren = [&](const QString &sql, const QVariantList &werte) {
            QSqlQuery a(db);
            if (!a.prepare(sql))
                return false;
            for (const QVariant &w : werte)
                a.addBindValue(w);
            return a.exec();
        };

        SqlFelder felder = beispielFelder();
        const SqlTeil einfuegen = sql_einfuegeliste(felder, 4);
        ASSERT_TRUE(ausfuehren(QStringLiteral("insert into T") + einfuegen.text, einfuegen.werte));

        felder[1].wert = QStringLiteral("71,25");
        const SqlTeil set = sql_setliste(felder, 2);
        const SqlTeil wo = sql_bedingung(felder, 3, 3);
        ASSERT_TRUE(ausfuehren(QStringLiteral("update T set ") + set.text + QStringLiteral(" where ") + wo.text,
                               set.werte + wo.werte));

        ASSERT_TRUE(q.exec(QStringLiteral("select NAME, GEWICHT, GEBDAT, PASS is null from T")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), u8("O´Neil"));
        EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 71.25);
        EXPECT_EQ(q.value(2).toLongLong(), 20030201);
        EXPECT_TRUE(q.value(3).toBool());
        EXPECT_FALSE(q.next());
    }
    QSqlDatabase::removeDatabase(verbindung);
}

TEST_F(ObiTest, KampfFilter)
{
    const struct {
        const char *text;
        const char *erwartet;
    } faelle[] = {
        {"", ""},
        {"1-8;12", " and (  ( WLLPOS >= 01 and WLLPOS <= 08 )  or  WLLPOS = 012 ) "},
        {"5-", " and (  ( WLLPOS >= 05 and WLLPOS <= 999 )  ) "},
        {"12", " and (  WLLPOS = 012 ) "},
        {"-", " and (  ( WLLPOS >= 0 and WLLPOS <= 999 )  ) "},
        {"-3", " and (  ( WLLPOS >= 0 and WLLPOS <= 03 )  ) "},
        {"1 - 4", " and (  ( WLLPOS >= 01 and WLLPOS <= 04 )  ) "},
        {"1-2-3", " and (  ( WLLPOS >= 01 and WLLPOS <= 023 )  ) "},
        {"0", " and (  WLLPOS = 00 ) "},
        // a piece without a condition repeats the one before it
        {"1;;3", " and (  WLLPOS = 01 or  WLLPOS = 01 or  WLLPOS = 03 ) "},
        {"1-8;x", " and (  ( WLLPOS >= 01 and WLLPOS <= 08 )  or  ( WLLPOS >= 01 and WLLPOS <= 08 )  ) "},
        {";5", " and (  WLLPOS = 05 ) "},
        {"abc", ""},
        {";", ""},
        {"1;", " and (  WLLPOS = 01 ) "},
        // bounds keep at most nine digits after the leading zero
        {"12345678901234", " and (  WLLPOS = 0123456789 ) "},
        {"1-98765432109", " and (  ( WLLPOS >= 01 and WLLPOS <= 0987654321 )  ) "},
        // only digits reach the SQL text
        {"1' or 'a'='a", " and (  WLLPOS = 01 ) "},
        {"2; drop table X", " and (  WLLPOS = 02 or  WLLPOS = 02 ) "},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(kampf_filter(u8(f.text)), u8(f.erwartet)) << '"' << f.text << '"';
}

} // namespace
