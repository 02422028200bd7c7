#include "support/dbtest.h"

#include "core/tabellen.h"

using namespace obi;
using obi::test::AngemeldetDbTest;

namespace
{

class Tabellen : public AngemeldetDbTest
{
protected:
    TabKopf kopf(const char *tab)
    {
        const auto k = tabkopf_lesen(QString::fromLatin1(tab));
        EXPECT_TRUE(k.has_value()) << tab;
        return k.value_or(TabKopf {});
    }
    QStringList schluessel(const QString &tab, const QString &suche = {})
    {
        QStringList s;
        for (const TabEintrag &e : tabpos_liste(tab, suche))
            s << e.schluessel;
        return s;
    }
    // A table without value and additional columns.
    TabKopf ohneSpalten()
    {
        EXPECT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into tabkopf (TKFIRM, TKTAB, TKBEZ, TKKLEN, TKWERT, TKZUS1, TKZUS2) "
                           "values ('000', 'Probe', 'Probetabelle', 4, ' ', '', null)")));
        return kopf("Probe");
    }
};

TEST_P(Tabellen, KopfListeUndSpaltenbeschriftungen)
{
    const auto liste = tabkopf_liste();
    ASSERT_FALSE(liste.isEmpty());
    for (qsizetype i = 1; i < liste.size(); ++i)
        EXPECT_LT(liste.at(i - 1).tab, liste.at(i).tab);
    const TabKopf matten = kopf("Matten");
    EXPECT_EQ(matten.klen, 3);
    EXPECT_TRUE(matten.hatWert());
    EXPECT_TRUE(matten.hatZus1());
    EXPECT_FALSE(matten.hatZus2());
    EXPECT_FALSE(tabkopf_lesen(QStringLiteral("gibtsnicht")).has_value());
}

TEST_P(Tabellen, SucheNachSchluesselanfang)
{
    EXPECT_EQ(schluessel(QStringLiteral("Matten")),
              (QStringList { QStringLiteral("M1"), QStringLiteral("M2"), QStringLiteral("M3") }));
    EXPECT_EQ(schluessel(QStringLiteral("Matten"), QStringLiteral("M")).size(), 3);
    // Keys are capitals; a search typed in small letters finds them too.
    EXPECT_EQ(schluessel(QStringLiteral("Matten"), QStringLiteral("m2 ")), QStringList { QStringLiteral("M2") });
    EXPECT_TRUE(schluessel(QStringLiteral("Matten"), QStringLiteral("X")).isEmpty());
    EXPECT_TRUE(schluessel(QStringLiteral("Matten"), QStringLiteral("%")).isEmpty());
    const auto m1 = tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M1"));
    ASSERT_TRUE(m1.has_value());
    EXPECT_EQ(m1->bez, QStringLiteral("Matte 1"));
    EXPECT_EQ(m1->zus1, QStringLiteral("F1"));
    EXPECT_EQ(m1->wert, QStringLiteral("0"));
}

TEST_P(Tabellen, SchluesselpruefungBeimVerlassen)
{
    const TabKopf matten = kopf("Matten");
    QString s = QStringLiteral("m4  ");
    EXPECT_TRUE(tab_schluessel_pruefen(matten, s, true));
    EXPECT_EQ(s, QStringLiteral("M4"));

    s = QStringLiteral("m1");
    EXPECT_FALSE(tab_schluessel_pruefen(matten, s, true));
    erwarteMeldung(18001);
    EXPECT_EQ(s, QStringLiteral("M1"));
    // Only a new entry must not exist yet.
    EXPECT_TRUE(tab_schluessel_pruefen(matten, s, false));

    s = QStringLiteral("mabc");
    EXPECT_FALSE(tab_schluessel_pruefen(matten, s, true));
    erwarteText(QStringLiteral("Schlüsselfeld ist zu lang"));
    EXPECT_EQ(angezeigt().size(), 0);
}

TEST_P(Tabellen, WertMussZahlSein)
{
    EXPECT_TRUE(tab_wert_pruefen(QStringLiteral("1,5")));
    EXPECT_TRUE(tab_wert_pruefen(QStringLiteral("-3")));
    EXPECT_FALSE(tab_wert_pruefen(QStringLiteral("abc")));
    erwarteText(QStringLiteral("Eingabe ist nicht numerisch"));
    EXPECT_FALSE(tab_wert_pruefen(QString()));
    erwarteText(QStringLiteral("Eingabe ist nicht numerisch"));
}

TEST_P(Tabellen, NeuUndAendern)
{
    const TabKopf matten = kopf("Matten");
    TabEintrag e;
    e.schluessel = QStringLiteral("m4");
    e.bez = QStringLiteral("Matte 'vier'");
    e.zus1 = QStringLiteral("F4");
    e.zus2 = QStringLiteral("unbenutzt");
    e.wert = QStringLiteral("1,5");
    ASSERT_TRUE(tabpos_speichern(matten, e, true));
    auto m4 = tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M4"));
    ASSERT_TRUE(m4.has_value());
    EXPECT_EQ(m4->bez, QStringLiteral("Matte ´vier´"));
    EXPECT_EQ(m4->zus1, QStringLiteral("F4"));
    EXPECT_TRUE(m4->zus2.isEmpty()); // the table has no second additional column
    EXPECT_EQ(m4->wert, QStringLiteral("1,5"));
    EXPECT_EQ(datenmodul()
                  .einzelwert(QStringLiteral("select TPUSER from tabpos where TPTAB = 'Matten' and TPKEY = 'M4'"))
                  .toString(),
              QStringLiteral("tester"));

    // The same key again in new mode is refused and changes nothing.
    e.bez = QStringLiteral("doppelt");
    EXPECT_FALSE(tabpos_speichern(matten, e, true));
    erwarteMeldung(18001);
    EXPECT_EQ(tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M4"))->bez, QStringLiteral("Matte ´vier´"));

    // Change mode updates by key.
    e.schluessel = QStringLiteral("M4");
    e.bez = QStringLiteral("Matte 4");
    e.wert = QStringLiteral("0");
    ASSERT_TRUE(tabpos_speichern(matten, e, false));
    EXPECT_EQ(tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M4"))->bez, QStringLiteral("Matte 4"));
    EXPECT_EQ(schluessel(QStringLiteral("Matten")).size(), 4);

    // Too long and empty keys never reach the table.
    e.schluessel = QStringLiteral("M10X");
    EXPECT_FALSE(tabpos_speichern(matten, e, true));
    erwarteText(QStringLiteral("Schlüsselfeld ist zu lang"));
    e.schluessel = QStringLiteral("  ");
    EXPECT_FALSE(tabpos_speichern(matten, e, true));
    erwarteMeldung(21001);
    e.schluessel = QStringLiteral("M5");
    e.wert = QStringLiteral("x");
    EXPECT_FALSE(tabpos_speichern(matten, e, true));
    erwarteText(QStringLiteral("Eingabe ist nicht numerisch"));
    EXPECT_EQ(schluessel(QStringLiteral("Matten")).size(), 4);
}

TEST_P(Tabellen, OhneWertspalteWirdNullGespeichert)
{
    const TabKopf probe = ohneSpalten();
    EXPECT_FALSE(probe.hatWert());
    EXPECT_FALSE(probe.hatZus1());
    EXPECT_FALSE(probe.hatZus2());
    TabEintrag e;
    e.schluessel = QStringLiteral("a");
    e.bez = QStringLiteral("A");
    e.wert = QStringLiteral("unlesbar"); // ignored: the table has no value column
    e.zus1 = QStringLiteral("x");
    ASSERT_TRUE(tabpos_speichern(probe, e, true));
    const auto a = tabpos_lesen(QStringLiteral("Probe"), QStringLiteral("A"));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->wert, QStringLiteral("0"));
    EXPECT_TRUE(a->zus1.isEmpty());
}

TEST_P(Tabellen, LoeschenEinesEintrags)
{
    ASSERT_TRUE(tabpos_loeschen(QStringLiteral("Matten"), QStringLiteral("M2")));
    EXPECT_EQ(schluessel(QStringLiteral("Matten")), (QStringList { QStringLiteral("M1"), QStringLiteral("M3") }));
    // Other tables keep their rows.
    EXPECT_EQ(schluessel(QStringLiteral("Infotexte")), QStringList { QStringLiteral("010") });
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Tabellen);
