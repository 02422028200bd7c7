#include "support/dbtest.h"

#include "core/basis.h"
#include "setup/altersklassen.h"
#include "setup/demo.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

using namespace obi;
using obi::test::DbTest;

namespace
{

class Demo : public DbTest
{
protected:
    int anlegen(int teilnehmer, quint32 seed)
    {
        QString fehler;
        const std::optional<int> wk = demo_anlegen({ teilnehmer, seed }, &fehler);
        EXPECT_TRUE(wk.has_value()) << fehler.toStdString();
        return wk.value_or(0);
    }

    // One line per row of the select, the tournament number left out.
    QStringList zeilen(const QString &sql, int wk)
    {
        QStringList l;
        auto q = datenmodul().abfrage(sql, { wk });
        EXPECT_TRUE(q.has_value());
        while (q && q->next()) {
            QStringList felder;
            for (int i = 0; i < q->record().count(); ++i)
                felder << q->value(i).toString();
            l << felder.join(u';');
        }
        return l;
    }

    QStringList teilnehmerListe(int wk)
    {
        return zeilen(QStringLiteral("select STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, STSTAT "
                                     "from starter where STWKNR = ? order by STSTNR"),
                      wk);
    }

    QStringList vereinsListe(int wk)
    {
        return zeilen(QStringLiteral("select VELOS, VENAME, VEVERB, VEORT, VEMLDG, VEANZA from vereine "
                                     "where VEWKNR = ? order by VELOS"),
                      wk);
    }
};

TEST_P(Demo, GleicherStartwertGleichesTurnier)
{
    const int a = anlegen(300, 42);
    const int b = anlegen(300, 42);
    const int c = anlegen(300, 43);
    ASSERT_TRUE(a > 0 && b > 0 && c > 0);
    EXPECT_NE(a, b);
    const QStringList ta = teilnehmerListe(a);
    EXPECT_EQ(ta.size(), 300);
    EXPECT_EQ(ta, teilnehmerListe(b));
    EXPECT_EQ(vereinsListe(a), vereinsListe(b));
    EXPECT_NE(ta, teilnehmerListe(c));
}

TEST_P(Demo, JedeGewichtsklasseBesetztEinigeKlein)
{
    const int wk = anlegen(300, 1);
    ASSERT_GT(wk, 0);
    const auto klassen = gewichtsklassen_lesen(wk);
    ASSERT_TRUE(klassen.has_value());
    EXPECT_EQ(klassen->size(), demo_mindest_teilnehmer());
    QSet<int> anzahlen;
    int summe = 0;
    for (const GewichtsklasseZeile &g : *klassen) {
        EXPECT_GT(g.teilnehmer, 0) << g.akid.toStdString() << " " << g.gewk.toStdString();
        anzahlen.insert(g.teilnehmer);
        summe += g.teilnehmer;
    }
    EXPECT_EQ(summe, 300);
    EXPECT_TRUE(anzahlen.contains(1) && anzahlen.contains(2) && anzahlen.contains(3));
}

TEST_P(Demo, TurnierAltersklassenVereineUndTeilnehmerPassen)
{
    const int wk = anlegen(120, 5);
    ASSERT_GT(wk, 0);
    EXPECT_EQ(
        datenmodul().einzelwert(QStringLiteral("select WKBEZ from wettkampf where WKWKNR = ?"), { wk }).toString(),
        QStringLiteral("Demo-Turnier"));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select WKDATU from wettkampf where WKWKNR = ?"), { wk }).toInt(),
              heute_zahl());

    const auto ak = altersklassen_lesen(wk);
    ASSERT_TRUE(ak.has_value());
    QStringList namen;
    for (const Altersklasse &a : *ak) {
        namen << a.akid + u'/' + a.mw + u'/' + QString::number(a.kati);
        EXPECT_LE(a.jgmi, a.jgma);
    }
    namen.sort();
    EXPECT_EQ(namen,
              (QStringList { "Frauen/W/240", "Männer/M/240", "U15m/M/180", "U15w/W/180", "U18m/M/240", "U18w/W/240" }));

    // Every participant: a year within the age class, a weight within the
    // weight class, a club that exists.
    auto q = datenmodul().abfrage(
        QStringLiteral("select s.STJG, s.STGEWN, g.GKSORT, g.GKGEWN, k.AKJGMI, k.AKJGMA, v.VELOS, k.AKMW "
                       "from starter s join klassen k on k.AKWKNR = s.STWKNR and k.AKAKID = s.STAKID "
                       "join gew_klassen g on g.GKWKNR = s.STWKNR and g.GKAKID = s.STAKID and g.GKGEWK = s.STGEWK "
                       "left join vereine v on v.VEWKNR = s.STWKNR and v.VELOS = s.STLOS where s.STWKNR = ?"),
        { wk });
    ASSERT_TRUE(q.has_value());
    int n = 0;
    while (q->next()) {
        ++n;
        const int jg = q->value(0).toInt();
        EXPECT_GE(jg, q->value(4).toInt());
        EXPECT_LE(jg, q->value(5).toInt());
        const double gewicht = q->value(1).toDouble();
        const int grenze = q->value(3).toInt();
        if (grenze != 999) {
            EXPECT_LE(gewicht, grenze);
        }
        EXPECT_GT(gewicht, 20.0);
        EXPECT_FALSE(q->value(6).isNull()) << "Verein fehlt";
    }
    EXPECT_EQ(n, 120);

    const QStringList vereine = vereinsListe(wk);
    EXPECT_GE(vereine.size(), 30);
    EXPECT_LE(vereine.size(), 60);
    QSet<QString> verbaende;
    int gemeldet = 0;
    for (const QString &z : vereine) {
        verbaende.insert(z.section(u';', 2, 2));
        gemeldet += z.section(u';', 4, 4).toInt();
    }
    EXPECT_GE(verbaende.size(), 2);
    EXPECT_EQ(gemeldet, 120);
}

TEST_P(Demo, LosnummernWieImVereinsfenster)
{
    const int wk = anlegen(100, 9);
    ASSERT_GT(wk, 0);
    // Clubs of one federation carry consecutive numbers from 1 upwards.
    const QStringList vereine = vereinsListe(wk);
    for (int i = 0; i < vereine.size(); ++i)
        EXPECT_EQ(vereine.at(i).section(u';', 0, 0).toInt(), i + 1);
    QStringList folge;
    for (const QString &z : vereine)
        if (folge.isEmpty() || folge.last() != z.section(u';', 2, 2))
            folge << z.section(u';', 2, 2);
    EXPECT_EQ(folge.size(), QSet<QString>(folge.cbegin(), folge.cend()).size());
}

TEST_P(Demo, ZuWenigeTeilnehmerSchreibtNichts)
{
    QString fehler;
    EXPECT_FALSE(demo_anlegen({ demo_mindest_teilnehmer() - 1, 1 }, &fehler).has_value());
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select count(*) from wettkampf")).toInt(), 0);

    // Exactly one per class still works.
    const int wk = anlegen(demo_mindest_teilnehmer(), 1);
    const auto klassen = gewichtsklassen_lesen(wk);
    ASSERT_TRUE(klassen.has_value());
    for (const GewichtsklasseZeile &g : *klassen)
        EXPECT_EQ(g.teilnehmer, 1);
}

TEST_P(Demo, FehlendeGewichtstabelleSchreibtNichts)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("delete from tabpos where TPTAB = 'Gewichtsklassen' and TPKEY = 'FRAUEN'")));
    QString fehler;
    EXPECT_FALSE(demo_anlegen({ 300, 1 }, &fehler).has_value());
    EXPECT_TRUE(fehler.contains(QStringLiteral("FRAUEN")));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select count(*) from klassen")).toInt(), 0);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Demo);
