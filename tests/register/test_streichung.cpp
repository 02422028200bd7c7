#include "support/dbtest.h"

#include "competition/kampf.h"
#include "register/streichung.h"
#include "streichung_testdaten.h"

#include <gtest/gtest.h>

using namespace obi;
using obi::test::DbTest;
using obi::test::streichung_ak;
using obi::test::streichung_gk;

namespace {

struct Kampf {
    int pos = 0;
    int blau = 0;
    int weis = 0;
    int sieger = 0;
    int status = 0;
    QString wertung, zeit, text;
    int del = 0;
};

class Streichung : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(test::streichung_testdaten(datenmodul()));
    }

    // The bouts of the round robin, by position.
    QVector<Kampf> kaempfe()
    {
        QVector<Kampf> k;
        auto q = datenmodul().abfrage(
            QStringLiteral("select WLLPOS, WLBLAU, WLWEIS, WLSTNR, WLSTAT, WLWRTG, WLZEIT, WLTEXT, WLDEL "
                           "from wk_liste where WLWKNR = 1 and WLAKID = ? and WLGEWK = ? and WLLPOS < 1000 "
                           "order by WLLPOS"),
            { streichung_ak, streichung_gk });
        while (q && q->next())
            k.append({ q->value(0).toInt(), q->value(1).toInt(), q->value(2).toInt(), q->value(3).toInt(),
                       q->value(4).toInt(), q->value(5).toString(), q->value(6).toString(), q->value(7).toString(),
                       q->value(8).toInt() });
        return k;
    }
    QVariant status(int stnr)
    {
        return datenmodul().einzelwert(QStringLiteral("select STSTAT from starter where STWKNR = 1 and STSTNR = ?"),
                                       { stnr });
    }
    StreichungStarter starter(int stnr)
    {
        const auto s = streichung_lesen(1, QString::number(stnr));
        EXPECT_TRUE(s.has_value()) << stnr;
        return s.value_or(StreichungStarter{});
    }
};

TEST_P(Streichung, LiestTeilnehmerMitVerein)
{
    const auto s = streichung_lesen(1, QStringLiteral("1"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->stnr, 1);
    EXPECT_EQ(s->akid, QStringLiteral("U18"));
    EXPECT_EQ(s->gewk, QStringLiteral("-60"));
    EXPECT_EQ(s->name, QStringLiteral("MEIER"));
    EXPECT_EQ(s->vnam, QStringLiteral("Hans"));
    EXPECT_EQ(s->vename, QStringLiteral("JC Mitte"));
    EXPECT_EQ(s->veverb, QStringLiteral("BE"));
    EXPECT_EQ(s->stat, QStringLiteral("0"));
    EXPECT_EQ(s->text, QStringLiteral("Knie"));
    // A status without value shows 0.
    EXPECT_EQ(starter(2).stat, QStringLiteral("0"));
}

TEST_P(Streichung, NichtGefunden)
{
    // Unknown number, no integer, lot without club row, another tournament.
    for (const char *stnr : { "99", "", "1a", "x", "5", "-1" })
        EXPECT_FALSE(streichung_lesen(1, QString::fromLatin1(stnr)).has_value()) << stnr;
    EXPECT_FALSE(streichung_lesen(2, QStringLiteral("1")).has_value());

    const StreichungErgebnis e = streichung_speichern(1, 99, QStringLiteral("11"));
    EXPECT_EQ(e.meldung, 3014);
}

TEST_P(Streichung, PruefungLiestZiffernDesStatusfelds)
{
    const StreichungStarter s = starter(1);
    struct Fall {
        const char *eingabe;
        const char *code;
        const char *bezeichnung;
        int meldung;
    };
    const Fall faelle[] = {
        { "x12", "12", "disqualifiziert", 0 },
        { "11", "11", "verletzt", 0 },
        { " 1 1", "11", "verletzt", 0 },
        { "", "0", "Aktiv", 0 },
        { "abc", "0", "Aktiv", 0 },
        { "011", "11", "verletzt", 0 },
        // "1" begins two keys and is none itself.
        { "1", "1", "", 21005 },
        { "99", "99", "", 21005 },
        { "99999999999999999999", "999999999999999999", "", 21005 },
    };
    for (const Fall &f : faelle) {
        const StreichungPruefung p = streichung_pruefen(1, s, QString::fromLatin1(f.eingabe));
        EXPECT_EQ(p.meldung, f.meldung) << f.eingabe;
        EXPECT_EQ(p.code, QString::fromLatin1(f.code)) << f.eingabe;
        EXPECT_EQ(p.bezeichnung, QString::fromLatin1(f.bezeichnung)) << f.eingabe;
    }
}

TEST_P(Streichung, UnbekannterCodeWirdNichtGespeichert)
{
    const StreichungErgebnis e = streichung_speichern(1, 1, QStringLiteral("13"));
    EXPECT_EQ(e.meldung, 21005);
    EXPECT_EQ(status(1).toInt(), 0);
    for (const Kampf &k : kaempfe())
        EXPECT_EQ(k.status, 1) << k.pos;
}

TEST_P(Streichung, OhneOffenenKampfNichtAktiv)
{
    // No list in the participant's class.
    EXPECT_EQ(streichung_pruefen(1, starter(4), QStringLiteral("11")).meldung, 31054);
    EXPECT_EQ(streichung_speichern(1, 4, QStringLiteral("11")).meldung, 31054);
    EXPECT_EQ(status(4).toInt(), 0);

    // All bouts of participant 3 already decided.
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("update wk_liste set WLSTAT = 5, WLSTNR = 3 where WLWKNR = 1 and WLLPOS < 1000 "
                       "and (WLBLAU = 3 or WLWEIS = 3)")));
    EXPECT_EQ(streichung_pruefen(1, starter(3), QStringLiteral("0")).meldung, 31054);
    EXPECT_EQ(streichung_speichern(1, 3, QStringLiteral("12")).meldung, 31054);
    EXPECT_EQ(status(3).toInt(), 0);
    // The others still have their bout against each other.
    EXPECT_EQ(streichung_pruefen(1, starter(1), QStringLiteral("12")).meldung, 0);
}

TEST_P(Streichung, VerletztEntscheidetBeideOffenenKaempfe)
{
    const StreichungErgebnis e = streichung_speichern(1, 1, QStringLiteral("11"));
    EXPECT_EQ(e.meldung, 0);
    EXPECT_EQ(e.code, QStringLiteral("11"));
    EXPECT_EQ(e.bezeichnung, QStringLiteral("verletzt"));
    EXPECT_EQ(e.entschieden, 2);
    EXPECT_EQ(status(1).toInt(), 11);

    int mit = 0;
    for (const Kampf &k : kaempfe()) {
        if (k.blau != 1 && k.weis != 1) {
            EXPECT_EQ(k.status, 1) << k.pos; // the others' bout stays pending
            continue;
        }
        ++mit;
        EXPECT_EQ(k.status, 5) << k.pos;
        EXPECT_EQ(k.sieger, k.blau == 1 ? k.weis : k.blau) << k.pos;
        EXPECT_EQ(k.text, QStringLiteral("Verlierer war verletzt")) << k.pos;
        EXPECT_EQ(k.zeit, QStringLiteral("0:00")) << k.pos;
        EXPECT_EQ(k.wertung, QStringLiteral("10")) << k.pos;
        EXPECT_EQ(k.del, 1) << k.pos;
    }
    EXPECT_EQ(mit, 2);
}

TEST_P(Streichung, ZurueckAufNullSpeichertOhneEntscheidung)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update starter set STSTAT = 11 where STWKNR = 1 and STSTNR = 2")));
    EXPECT_EQ(starter(2).stat, QStringLiteral("11"));
    const StreichungErgebnis e = streichung_speichern(1, 2, QStringLiteral("0"));
    EXPECT_EQ(e.meldung, 0);
    EXPECT_EQ(e.entschieden, 0);
    EXPECT_EQ(e.bezeichnung, QStringLiteral("Aktiv"));
    EXPECT_EQ(status(2).toInt(), 0);
    for (const Kampf &k : kaempfe()) {
        EXPECT_EQ(k.status, 1) << k.pos;
        EXPECT_EQ(k.sieger, -1) << k.pos;
    }
}

TEST_P(Streichung, MisslungeneEntscheidungNimmtStreichungZurueck)
{
    // A second list type in the class: the advancement pass refuses the list,
    // so the code must not be stored without its decided bouts.
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("update wk_liste set WLLTYP = 'JGJ04' where WLWKNR = 1 and WLLPOS = 1003")));
    const StreichungErgebnis e = streichung_speichern(1, 1, QStringLiteral("11"));
    erwarteMeldung(31045);
    EXPECT_EQ(e.meldung, 19902);
    EXPECT_EQ(e.entschieden, 0);
    EXPECT_EQ(status(1).toInt(), 0);
    for (const Kampf &k : kaempfe())
        EXPECT_EQ(k.status, 1) << k.pos;
}

// Records whether a transaction was open when a message was shown.
class TiefenMelder final : public Melder
{
public:
    explicit TiefenMelder(Tdm &d)
        : m_d(d)
    {
    }
    void zeige(const QString &text, QChar, const QString &) override { gezeigt.append({ text, m_d.transaktionsTiefe() }); }
    bool frage(const QString &) override { return false; }
    QList<std::pair<QString, int>> gezeigt;

private:
    Tdm &m_d;
};

TEST_P(Streichung, TabellenmeldungErstNachDerTransaktion)
{
    // 2 beats 3; the withdrawal of 1 then completes the table.
    int pos = 0;
    for (const Kampf &k : kaempfe())
        if (k.blau != 1 && k.weis != 1)
            pos = k.pos;
    ASSERT_GT(pos, 0);
    ASSERT_TRUE(schreibe_kampf(1, streichung_ak, streichung_gk, false, 3, 2, pos, QString(), QStringLiteral("2:10"),
                               QStringLiteral("07")));

    TiefenMelder m(datenmodul());
    setze_melder(&m);
    const StreichungErgebnis e = streichung_speichern(1, 1, QStringLiteral("12"));
    setze_melder(&testMelder());
    EXPECT_EQ(e.meldung, 0);
    EXPECT_EQ(e.entschieden, 2);
    ASSERT_EQ(m.gezeigt.size(), 1);
    EXPECT_TRUE(m.gezeigt.at(0).first.endsWith(QStringLiteral("(310)"))) << m.gezeigt.at(0).first.toStdString();
    EXPECT_EQ(m.gezeigt.at(0).second, 0);
    EXPECT_EQ(status(1).toInt(), 12);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Streichung);
