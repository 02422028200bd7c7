#include "support/dbtest.h"

#include "competition/listengenerierung.h"
#include "competition/listenvorlagen.h"
#include "competition/wklisten.h"
#include "core/datenbank.h"
#include "register/teilnehmer.h"

#include <gtest/gtest.h>

#include <set>

using namespace obi;
using obi::test::DbTest;

namespace {

// Enabled buttons as a string in button order: KO128, KO64, KO32, DoppelKO64,
// DoppelKO32, DoppelKO16, Pool8, Jeder, Auto.
QString aktiv_text(const Listenknoepfe &k)
{
    QString s;
    for (const bool a : k.aktiv)
        s += a ? u'1' : u'0';
    return s;
}

struct KnopfFall {
    int n;
    const char *aktiv;
    std::optional<Listenknopf> vorgabe;
};

TEST(Listenknoepfe, FreigabeUndVorgabeNachAnzahl)
{
    const KnopfFall faelle[] = {
        { 0, "000000001", std::nullopt },
        { 1, "111111011", Listenknopf::Jeder },
        { 3, "111111011", Listenknopf::Jeder },
        { 5, "111111111", Listenknopf::Jeder },
        { 6, "111111111", Listenknopf::Pool8 },
        { 8, "111111101", Listenknopf::Pool8 },
        { 9, "111111001", Listenknopf::DoppelKO16 },
        { 16, "111111001", Listenknopf::DoppelKO16 },
        { 17, "111110001", Listenknopf::DoppelKO32 },
        { 32, "111110001", Listenknopf::DoppelKO32 },
        { 33, "110100001", Listenknopf::KO64 },
        { 64, "110100001", Listenknopf::KO64 },
        { 65, "100000001", Listenknopf::KO128 },
        { 128, "100000001", Listenknopf::KO128 },
        { 129, "000000001", std::nullopt },
    };
    for (const KnopfFall &f : faelle) {
        SCOPED_TRACE(f.n);
        const Listenknoepfe k = listenknoepfe(f.n);
        EXPECT_EQ(aktiv_text(k), QString::fromLatin1(f.aktiv));
        EXPECT_EQ(k.vorgabe, f.vorgabe);
        // A preset button is always one that can be used.
        if (k.vorgabe) {
            EXPECT_TRUE(k.ist_aktiv(*k.vorgabe));
        }
    }
}

TEST(Listenknoepfe, ListentypJeKnopf)
{
    const std::pair<Listenknopf, const char *> feste[] = {
        { Listenknopf::KO128, "KODT128" },         { Listenknopf::KO64, "KODT64" },
        { Listenknopf::KO32, "KODT32" },           { Listenknopf::DoppelKO64, "DOPPELKO64" },
        { Listenknopf::DoppelKO32, "DOPPELKO32" }, { Listenknopf::DoppelKO16, "DOPPELKO16" },
        { Listenknopf::Pool8, "POOL8" },           { Listenknopf::Auto, "" },
    };
    for (const auto &[knopf, typ] : feste)
        EXPECT_EQ(listentyp_fuer(knopf, 7), QString::fromLatin1(typ));
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(listentyp_fuer(Listenknopf::Jeder, n), QStringLiteral("JGJ0%1").arg(n));
}

// Every type a button can choose has a template, and the capacity in the
// button's caption is the template's.
TEST(Listenknoepfe, JederKnopfTypHatEineVorlage)
{
    std::map<QString, int> kapazitaet;
    for (const Listenvorlage &v : listenvorlagen())
        kapazitaet[v.kopf.typ] = v.kopf.max_teilnehmer;
    for (int i = 0; i < listenknopf_anzahl - 1; ++i) {
        const auto k = static_cast<Listenknopf>(i);
        for (int n = 1; n <= 6; ++n) {
            const QString typ = listentyp_fuer(k, n);
            ASSERT_EQ(kapazitaet.count(typ), 1u) << typ.toStdString();
            // The button is enabled only where the type holds the count.
            if (listenknoepfe(n).ist_aktiv(k)) {
                EXPECT_GE(kapazitaet[typ], n) << typ.toStdString();
            }
        }
    }
}

class Hilfe final : public Auswahlhilfe
{
public:
    bool altersklasse_waehlen(const QString &filter, QString &gewaehlt) override
    {
        filter_ak << filter;
        gewaehlt = antwort;
        return !antwort.isEmpty();
    }
    bool gewichtsklasse_waehlen(const QString &, const QString &filter, QString &gewaehlt) override
    {
        filter_gk << filter;
        gewaehlt = antwort;
        return !antwort.isEmpty();
    }
    bool verein_anlegen(const QString &, QString &) override { return false; }

    QString antwort;
    QStringList filter_ak, filter_gk;
};

class WKListen : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (const char *ak : { "Männer", "U15m", "U15w" })
            ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID) values (1, ?)"),
                                                 { QString::fromUtf8(ak) }));
        klasse("Männer", "-66", 1);
        klasse("Männer", "-73", 2);
        klasse("U15m", "-40", 1);
        for (int i = 1; i <= 3; ++i)
            starter(i, "Männer", "-66");
    }
    void klasse(const char *ak, const char *gk, int sort)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, ?, ?, ?)"),
            { QString::fromUtf8(ak), QString::fromUtf8(gk), sort }));
    }
    void starter(int stnr, const char *ak, const char *gk)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                           "STSORT, STPLTZ, STSTAT) values (1, ?, ?, ?, ?, 'V', ?, 0, 0, '', 0)"),
            { stnr, QString::fromUtf8(ak), QString::fromUtf8(gk), QStringLiteral("Name%1").arg(stnr), stnr }));
    }
};

TEST_P(WKListen, AltersklasseWirdAufgeloest)
{
    WKListenFelder f;
    f.akid = QStringLiteral("männer");
    EXPECT_TRUE(wklisten_pruefen(1, f, QStringLiteral("AKID"), nullptr).ok);
    EXPECT_EQ(f.akid, QStringLiteral("Männer"));

    f.akid = QStringLiteral("U18");
    const WKListenPruefung p = wklisten_pruefen(1, f, QStringLiteral("AKID"), nullptr);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.meldung, 31002);
    EXPECT_EQ(p.feld, QStringLiteral("AKID"));
    EXPECT_EQ(f.akid, QStringLiteral("U18"));
}

TEST_P(WKListen, MehrereTrefferFragenDieAuswahl)
{
    Hilfe hilfe;
    hilfe.antwort = QStringLiteral("U15w");
    WKListenFelder f;
    f.akid = QStringLiteral("u15");
    EXPECT_TRUE(wklisten_pruefen(1, f, QStringLiteral("AKID"), &hilfe).ok);
    EXPECT_EQ(f.akid, QStringLiteral("U15w"));
    EXPECT_EQ(hilfe.filter_ak, QStringList{ QStringLiteral("%u15") });

    hilfe.antwort.clear(); // cancelled picker: not valid
    f.akid = QStringLiteral("U15");
    EXPECT_EQ(wklisten_pruefen(1, f, QStringLiteral("AKID"), &hilfe).meldung, 31002);
}

TEST_P(WKListen, GewichtsklasseZaehltDieTeilnehmer)
{
    WKListenFelder f;
    f.akid = QStringLiteral("Männer");
    f.gewk = QStringLiteral("-66");
    EXPECT_TRUE(wklisten_pruefen(1, f, QStringLiteral("GEWK"), nullptr).ok);
    EXPECT_EQ(f.gewk, QStringLiteral("-66"));
    EXPECT_EQ(f.anzahl, 3);

    f.gewk = QStringLiteral("-90");
    const WKListenPruefung p = wklisten_pruefen(1, f, QStringLiteral("GEWK"), nullptr);
    EXPECT_EQ(p.meldung, 31003);
    EXPECT_EQ(p.feld, QStringLiteral("GEWK"));
    EXPECT_EQ(f.anzahl, 3); // unchanged

    // A weight class of another age class is not valid.
    f.gewk = QStringLiteral("-40");
    EXPECT_EQ(wklisten_pruefen(1, f, QStringLiteral("GEWK"), nullptr).meldung, 31003);
}

struct GesamtFall {
    const char *ak;
    const char *gk;
    bool aktion;
    int meldung;
};

TEST_P(WKListen, GesamtpruefungInDieserReihenfolge)
{
    const GesamtFall faelle[] = {
        { "U18", "-66", true, 31002 },   { "Männer", "-90", true, 31003 }, { "Männer", "-73", true, 31007 },
        { "Männer", "-66", false, 307 }, { "Männer", "-66", true, 0 },
    };
    for (const GesamtFall &fall : faelle) {
        SCOPED_TRACE(fall.gk);
        WKListenFelder f;
        f.akid = QString::fromUtf8(fall.ak);
        f.gewk = QString::fromUtf8(fall.gk);
        f.anzahl = 5; // a stale count is recomputed
        f.aktion = fall.aktion;
        const WKListenPruefung p = wklisten_pruefen(1, f, QStringLiteral("*"), nullptr);
        EXPECT_EQ(p.ok, fall.meldung == 0);
        EXPECT_EQ(p.meldung, fall.meldung);
    }
}

TEST_P(WKListen, VorhandeneListe)
{
    EXPECT_EQ(vorhandene_liste(1, QStringLiteral("Männer"), QStringLiteral("-66")), QString());
    QString typ;
    ASSERT_TRUE(schreiben_liste(1, QStringLiteral("Männer"), QStringLiteral("-66"), typ, false));
    EXPECT_EQ(vorhandene_liste(1, QStringLiteral("Männer"), QStringLiteral("-66")), QStringLiteral("JGJ03"));
    EXPECT_EQ(vorhandene_liste(1, QStringLiteral("Männer"), QStringLiteral("-73")), QString());
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(WKListen);
