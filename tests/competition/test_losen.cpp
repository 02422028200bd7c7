#include "support/dbtest.h"

#include "competition/losen.h"
#include "competition/losen_testdaten.h"
#include "core/datenbank.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

using namespace obi;
using obi::test::DbTest;

namespace {

const QString U18 = QStringLiteral("U18m");
const QString U15 = QStringLiteral("U15");

// Federation of each club of tournament 1 (empty: none).
const std::map<int, QString> verband_von = {
    { 1, QStringLiteral("BE") }, { 2, QStringLiteral("BE") }, { 3, QStringLiteral("BE") }, { 4, QStringLiteral("HH") },
    { 5, QStringLiteral("HH") }, { 6, QStringLiteral("BY") }, { 7, QString() },
};

class Losen : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(obi::test::losen_testdaten(datenmodul()));
    }

    // Start number -> draw number of every participant of tournament wk.
    std::map<int, int> nummern(int wk = 1)
    {
        std::map<int, int> m;
        auto q = datenmodul().abfrage(QStringLiteral("select STSTNR, STSORT from starter where STWKNR = ?"), { wk });
        while (q && q->next())
            m[q->value(0).toInt()] = q->value(1).toInt();
        return m;
    }

    // Club lot -> the draw numbers its participants of the selection carry.
    std::map<int, std::set<int>> je_verein(const LosAuswahl &a)
    {
        const SqlTeil w = starter_where(a);
        std::map<int, std::set<int>> m;
        auto q = datenmodul().abfrage(QStringLiteral("select STLOS, STSORT from starter") + w.text, w.werte);
        while (q && q->next())
            m[q->value(0).toInt()].insert(q->value(1).toInt());
        return m;
    }

    bool setze_alle(int nummer)
    {
        return datenmodul().Execute_SQL(QStringLiteral("update starter set STSORT = ? where STWKNR = 1"), { nummer });
    }

    // Makes every update that writes draw number `nummer` fail, as a
    // database fault in the middle of a draw would.
    void sperre(const QString &bedingung)
    {
        if (istPostgres()) {
            ASSERT_TRUE(datenmodul().Execute_SQL(
                QStringLiteral("create function losen_sperre() returns trigger as $$ begin if ") + bedingung
                + QStringLiteral(" then raise exception 'gesperrt'; end if; return new; end $$ language plpgsql")))
                << datenmodul().letzter_fehler().toStdString();
            ASSERT_TRUE(datenmodul().Execute_SQL(
                QStringLiteral("create trigger losen_sperre before update on starter for each row execute "
                               "procedure losen_sperre()")))
                << datenmodul().letzter_fehler().toStdString();
        } else {
            ASSERT_TRUE(datenmodul().Execute_SQL(
                QStringLiteral("create trigger losen_sperre before update on starter when ") + bedingung
                + QStringLiteral(" begin select raise(abort, 'gesperrt'); end")))
                << datenmodul().letzter_fehler().toStdString();
        }
    }
};

TEST_P(Losen, VerbandskameradenBekommenAufeinanderfolgendeNummern)
{
    const LosAuswahl alle{ 1, {}, {} };
    for (quint32 seed = 1; seed <= 15; ++seed) {
        ASSERT_TRUE(losen_auto(alle, seed));
        erwarteMeldung(309);
        const auto m = je_verein(alle);
        ASSERT_EQ(m.size(), size_t(7));
        std::map<int, int> nummer_von;
        std::set<int> vergeben;
        for (const auto &[los, nummern] : m) {
            ASSERT_EQ(nummern.size(), size_t(1)) << "Verein " << los;
            nummer_von[los] = *nummern.begin();
            vergeben.insert(*nummern.begin());
        }
        EXPECT_EQ(vergeben, (std::set<int>{ 1, 2, 3, 4, 5, 6, 7 }));
        // The numbers of each federation form one block.
        std::map<QString, std::set<int>> bloecke;
        for (const auto &[los, nummer] : nummer_von)
            bloecke[verband_von.at(los)].insert(nummer);
        for (const auto &[verband, nummern] : bloecke)
            EXPECT_EQ(*nummern.rbegin() - *nummern.begin() + 1, int(nummern.size()))
                << verband.toStdString() << ", Startwert " << seed;
    }
    EXPECT_EQ(nummern(2).at(1), 99);
}

TEST_P(Losen, VereinslisteZeigtSternBeiGemischtenNummern)
{
    const LosAuswahl a{ 1, U18, QStringLiteral("-60") };
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSORT = 5 where STWKNR = 1 and STSTNR = 1")));
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSORT = 3 where STWKNR = 1 and STSTNR = 2")));
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSORT = 2 where STWKNR = 1 and STSTNR = 3")));
    const auto liste = losen_vereine(a);
    ASSERT_TRUE(liste);
    QStringList zeilen;
    for (const LosVerein &v : *liste)
        zeilen << QStringLiteral("%1;%2;%3;%4;%5").arg(v.calcSort()).arg(v.stlos).arg(v.vename, v.veverb).arg(v.anzahl);
    // By smallest draw number, then lot number.
    EXPECT_EQ(zeilen, (QStringList{ QStringLiteral("0;4;JC Hafen;HH;1"), QStringLiteral("0;6;Budokan;BY;1"),
                                    QStringLiteral("0;7;Ohne Verband;;1"), QStringLiteral("2;2;TSV Nord;BE;1"),
                                    QStringLiteral("*;1;JC Mitte;BE;2") }));
}

TEST_P(Losen, InitialisierenEinerGewichtsklasseLaesstAndereStehen)
{
    ASSERT_TRUE(setze_alle(8));
    ASSERT_TRUE(losen_initialisieren(LosAuswahl{ 1, U18, QStringLiteral("-66") }));
    for (const auto &[stnr, nummer] : nummern())
        EXPECT_EQ(nummer, (stnr >= 7 && stnr <= 10) ? 0 : 8) << "Startnummer " << stnr;
    EXPECT_EQ(nummern(2).at(1), 99);
}

TEST_P(Losen, AltersklasseNummeriertAlleGewichtsklassenZusammen)
{
    ASSERT_TRUE(setze_alle(42));
    const LosAuswahl a{ 1, U18, {} };
    ASSERT_TRUE(losen_auto(a, 7));
    erwarteMeldung(309);
    // Clubs 1..7 all have participants in U18m; one number per club in both classes.
    const auto m = je_verein(a);
    std::set<int> vergeben;
    for (const auto &[los, nummern] : m) {
        ASSERT_EQ(nummern.size(), size_t(1)) << "Verein " << los;
        vergeben.insert(*nummern.begin());
    }
    EXPECT_EQ(vergeben, (std::set<int>{ 1, 2, 3, 4, 5, 6, 7 }));
    const auto n = nummern();
    EXPECT_EQ(n.at(1), n.at(7)); // club 1 in -60 and in -66
    EXPECT_EQ(n.at(5), n.at(10)); // club 6 in -60 and in -66
    for (int stnr : { 11, 12, 13 })
        EXPECT_EQ(n.at(stnr), 42) << "U15 bleibt unberührt";
}

TEST_P(Losen, GleicherStartwertGleicheLosung)
{
    const LosAuswahl alle{ 1, {}, {} };
    std::set<std::map<int, int>> verschiedene;
    for (quint32 seed : { 42u, 1u, 2u, 3u, 4u, 5u }) {
        ASSERT_TRUE(losen_ziehen(alle, seed));
        verschiedene.insert(nummern());
    }
    ASSERT_TRUE(losen_ziehen(alle, 42));
    const auto erste = nummern();
    ASSERT_TRUE(losen_initialisieren(alle));
    ASSERT_TRUE(losen_ziehen(alle, 42));
    EXPECT_EQ(nummern(), erste);
    EXPECT_GT(verschiedene.size(), size_t(1)) << "verschiedene Startwerte losen verschieden";
    // Without a seed the clock decides; the draw is still complete.
    ASSERT_TRUE(losen_ziehen(alle));
    for (const auto &[stnr, nummer] : nummern())
        EXPECT_GT(nummer, 0) << "Startnummer " << stnr;
}

TEST_P(Losen, ApostrophInVereinUndVerband)
{
    // Imported rows may carry a plain apostrophe; the values are bound, so it
    // is just a character.
    ASSERT_TRUE(obi::test::losen_verein(datenmodul(), 1, 8, QStringLiteral("Judo O'Neill"),
                                        QStringLiteral("St. Peter's")));
    ASSERT_TRUE(obi::test::losen_verein(datenmodul(), 1, 9, QStringLiteral("D'Artagnan"),
                                        QStringLiteral("St. Peter's")));
    ASSERT_TRUE(obi::test::losen_starter(datenmodul(), 1, 20, U15, QStringLiteral("-40"), 8));
    ASSERT_TRUE(obi::test::losen_starter(datenmodul(), 1, 21, U15, QStringLiteral("-40"), 9));
    const LosAuswahl a{ 1, U15, QStringLiteral("-40") };
    ASSERT_TRUE(losen_auto(a, 3));
    erwarteMeldung(309);
    const auto m = je_verein(a);
    ASSERT_EQ(m.size(), size_t(5));
    std::set<int> vergeben;
    for (const auto &[los, nummern] : m)
        vergeben.insert(*nummern.begin());
    EXPECT_EQ(vergeben, (std::set<int>{ 1, 2, 3, 4, 5 }));
    EXPECT_EQ(std::abs(*m.at(8).begin() - *m.at(9).begin()), 1);
    const auto liste = losen_vereine(a);
    ASSERT_TRUE(liste);
    QStringList namen;
    for (const LosVerein &v : *liste)
        namen << v.vename + u'/' + v.veverb;
    EXPECT_TRUE(namen.contains(QStringLiteral("Judo O'Neill/St. Peter's")));
}

TEST_P(Losen, FehlerMittenImLosenSetztAufNullZurueck)
{
    ASSERT_TRUE(setze_alle(9));
    sperre(QStringLiteral("new.STSORT = 2"));
    const LosAuswahl a{ 1, U18, {} };
    EXPECT_FALSE(losen_auto(a, 11));
    erwarteMeldung(2003);
    for (const auto &[stnr, nummer] : nummern())
        EXPECT_EQ(nummer, stnr <= 10 ? 0 : 9) << "Startnummer " << stnr;
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

TEST_P(Losen, FehlerOhneMoeglichesZuruecksetzenLaesstAlteNummern)
{
    ASSERT_TRUE(setze_alle(9));
    // Nothing can be written: the draw leaves no trace at all.
    sperre(QStringLiteral("new.STSORT <> old.STSORT"));
    EXPECT_FALSE(losen_auto(LosAuswahl{ 1, U18, {} }, 11));
    erwarteMeldung(2003);
    for (const auto &[stnr, nummer] : nummern())
        EXPECT_EQ(nummer, 9) << "Startnummer " << stnr;
}

TEST_P(Losen, ExecUpdateLosNullMeintDieGanzeAuswahl)
{
    const LosAuswahl a{ 1, U18, QStringLiteral("-60") };
    ASSERT_TRUE(exec_update(a, 0, 4));
    ASSERT_TRUE(exec_update(a, 1, 6));
    const auto n = nummern();
    for (int stnr : { 1, 2 })
        EXPECT_EQ(n.at(stnr), 6);
    for (int stnr : { 3, 4, 5, 6 })
        EXPECT_EQ(n.at(stnr), 4);
    for (int stnr : { 7, 8, 9, 10, 11, 12, 13 })
        EXPECT_EQ(n.at(stnr), 0);
}

TEST_P(Losen, ManuellSetzenTrifftNurDenVerein)
{
    // A club may have lot number 0; setting it by hand must not mean "all".
    ASSERT_TRUE(obi::test::losen_verein(datenmodul(), 1, 0, QStringLiteral("Null"), QStringLiteral("BE")));
    ASSERT_TRUE(obi::test::losen_starter(datenmodul(), 1, 30, U15, QStringLiteral("-40"), 0));
    const LosAuswahl a{ 1, U15, {} };
    ASSERT_TRUE(los_setzen(a, 0, 3));
    ASSERT_TRUE(los_setzen(a, 5, 1));
    const auto n = nummern();
    EXPECT_EQ(n.at(30), 3);
    EXPECT_EQ(n.at(13), 1);
    EXPECT_EQ(n.at(11), 0);
    EXPECT_EQ(n.at(1), 0);
    // The automatic draw numbers the lot-0 club like any other.
    ASSERT_TRUE(losen_ziehen(a, 5));
    std::set<int> vergeben;
    for (const auto &[los, nummern] : je_verein(a)) {
        ASSERT_EQ(nummern.size(), size_t(1));
        vergeben.insert(*nummern.begin());
    }
    EXPECT_EQ(vergeben, (std::set<int>{ 1, 2, 3, 4 }));
}

TEST_P(Losen, AuswahlWirdAufgeloest)
{
    struct Fall {
        QString ak, gewk;
        int meldung;
        QString akErgebnis, gewkErgebnis;
    };
    const Fall faelle[] = {
        { QString(), QString(), 0, QString(), QString() },
        { QStringLiteral(" u18M "), QStringLiteral("-66 "), 0, U18, QStringLiteral("-66") },
        { QStringLiteral("18"), QString(), 0, U18, QString() }, // single partial match
        { QStringLiteral("U"), QString(), 31002, QStringLiteral("U"), QString() }, // two matches, nobody to ask
        { QStringLiteral("U20"), QString(), 31002, QStringLiteral("U20"), QString() },
        { U15, QStringLiteral("-60"), 31003, U15, QStringLiteral("-60") },
        { QString(), QStringLiteral("-60"), 0, QString(), QStringLiteral("-60") },
    };
    for (const Fall &f : faelle) {
        LosAuswahl a{ 1, f.ak, f.gewk };
        EXPECT_EQ(los_auswahl_pruefen(a, nullptr), f.meldung) << f.ak.toStdString();
        EXPECT_EQ(a.akid, f.akErgebnis);
        EXPECT_EQ(a.gewk, f.gewkErgebnis);
    }
    // A weight class without age class is ignored.
    const SqlTeil w = starter_where(LosAuswahl{ 1, {}, QStringLiteral("-60") });
    EXPECT_EQ(w.text, QStringLiteral(" where STWKNR = ?"));
    EXPECT_EQ(w.werte, (QVariantList{ 1 }));
}

TEST_P(Losen, EingabeDerLosNummer)
{
    const struct {
        const char *text;
        int meldung;
        int nummer;
    } faelle[] = {
        { "12", 0, 12 }, { " 7 ", 0, 7 }, { "0", 0, 0 }, { "abc", 21004, -1 }, { "*", 21004, -1 },
        { "1,5", 21004, -1 }, { "", 21004, -1 }, { "99999999999", 21004, -1 },
    };
    for (const auto &f : faelle) {
        int n = -1;
        EXPECT_EQ(los_eingabe_pruefen(QString::fromUtf8(f.text), n), f.meldung) << f.text;
        EXPECT_EQ(n, f.nummer) << f.text;
    }
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Losen);
