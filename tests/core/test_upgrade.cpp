#include "support/dbtest.h"

#include "competition/listenvorlagen.h"
#include "core/upgrade.h"
#include "core/verbindung.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <set>

using namespace obi;
using obi::test::DbTest;

namespace {

const char *const klassenSpalten[] = {"AKWAZA", "AKYUKO", "AK2WAZ", "AKMSHD", "AKHGTM", "AKHTG2", "AKRSTR"};
const char *const stepTabellen[] = {"Streichungen", "Strafen", "Infotexte", "Matten"};

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList protokoll(std::initializer_list<const char *> zeilen)
{
    QStringList l;
    for (const char *z : zeilen)
        l << u8(z);
    return l;
}

class Upgrade : public DbTest
{
protected:
    // DDL runs unprepared: PostgreSQL does not prepare it.
    void ddl(const QString &sql)
    {
        QSqlQuery q(datenmodul().db());
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    }

    void spalteLoeschen(const char *tabelle, const char *spalte)
    {
        ddl(QStringLiteral("alter table ") + u8(tabelle) + QStringLiteral(" drop column ") + u8(spalte));
    }

    bool spalteVorhanden(const char *tabelle, const char *spalte)
    {
        return datenmodul().db().record(u8(tabelle)).contains(u8(spalte));
    }

    void lookupLoeschen(const char *tab)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from tabkopf where TKTAB = ?"), {u8(tab)}));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from tabpos where TPTAB = ?"), {u8(tab)}));
    }

    void aufVersion(int nummer)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update tabpos set TPKEY = ?, TPWERT = ? where TPTAB = ?"),
                                             {version_text(nummer), nummer, QStringLiteral("DB-VER")}));
    }

    int version()
    {
        const auto v = db_version_lesen(datenmodul());
        EXPECT_TRUE(v.has_value());
        if (!v)
            return 0;
        EXPECT_EQ(v->text, version_text(v->nummer));
        return v->nummer;
    }

    int zeilen(const char *tab)
    {
        return datenmodul().anzahl_Saetze(QStringLiteral("select * from tabpos where TPTAB = ?"), {u8(tab)});
    }

    // The lookup rows and headers the steps write, as comparable text.
    QStringList lookupInhalt()
    {
        QStringList inhalt;
        for (const char *tab : stepTabellen) {
            auto k = datenmodul().abfrage(
                QStringLiteral("select TKFIRM, TKTAB, TKBEZ, TKKLEN, TKWERT, TKZUS1 from tabkopf where TKTAB = ?"),
                {u8(tab)});
            while (k && k->next())
                inhalt << QStringLiteral("K|%1|%2|%3|%4|%5|%6")
                              .arg(k->value(0).toString(), k->value(1).toString(), k->value(2).toString(),
                                   QString::number(k->value(3).toInt()), k->value(4).toString(),
                                   k->value(5).toString());
            auto p = datenmodul().abfrage(QStringLiteral("select TPFIRM, TPTAB, TPKEY, TPBEZ, TPWERT, TPZUS1 from "
                                                         "tabpos where TPTAB = ? order by TPKEY"),
                                          {u8(tab)});
            while (p && p->next())
                inhalt << QStringLiteral("P|%1|%2|%3|%4|%5|%6")
                              .arg(p->value(0).toString(), p->value(1).toString(), p->value(2).toString(),
                                   p->value(3).toString(), QString::number(p->value(4).toDouble()),
                                   p->value(5).toString());
        }
        return inhalt;
    }

    void vorlagenLoeschen()
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from listdef")));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from listkopf")));
    }

    std::set<QString> listentypen()
    {
        std::set<QString> typen;
        auto q = datenmodul().abfrage(QStringLiteral("select LKLTYP from listkopf"));
        while (q && q->next())
            typen.insert(q->value(0).toString());
        return typen;
    }

    // A database as release 5.0.0.0 left it: without the columns and lookup rows
    // the steps add. A participant and an age class exist already.
    void stand5000()
    {
        spalteLoeschen("starter", "STSORT");
        for (const char *spalte : klassenSpalten)
            spalteLoeschen("klassen", spalte);
        for (const char *tab : stepTabellen)
            lookupLoeschen(tab);
        aufVersion(5000);
        ASSERT_TRUE(datenmodul().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STNAME) values (?, ?, ?)"), {1, 1, QStringLiteral("Alt")}));
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID) values (?, ?)"),
                                             {1, QStringLiteral("U18")}));
    }
};

TEST(VersionText, Ziffern)
{
    EXPECT_EQ(version_text(5301), QStringLiteral("5.3.0.1"));
    EXPECT_EQ(version_text(5030), QStringLiteral("5.0.3.0"));
    EXPECT_EQ(version_text(5000), QStringLiteral("5.0.0.0"));
}

TEST_P(Upgrade, Von5000AlleSchritte)
{
    const QStringList neu = lookupInhalt();
    stand5000();
    ASSERT_FALSE(spalteVorhanden("starter", "STSORT"));
    ASSERT_EQ(version(), 5000);

    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5000, 5301);
    EXPECT_EQ(e.version, 5301);
    EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "",
                                      "Update auf DB-Version 5.0.3.0", "Update auf DB-Version 5.0.5.0",
                                      "Update auf DB-Version 5.3.0.0", "Update auf DB-Version 5.3.0.1", "",
                                      "Datenbank-Modifikationen erfolgreich beendet"}));
    EXPECT_EQ(version(), 5301);
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select TPKEY from tabpos where TPTAB = 'DB-VER'")).toString(),
              QStringLiteral("5.3.0.1"));

    EXPECT_TRUE(spalteVorhanden("starter", "STSORT"));
    for (const char *spalte : klassenSpalten)
        EXPECT_TRUE(spalteVorhanden("klassen", spalte)) << spalte;
    // Existing rows get the defaults of the new columns.
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select STSORT from starter")).toInt(), 0);
    auto k = datenmodul().abfrage(
        QStringLiteral("select AKWAZA, AKYUKO, AK2WAZ, AKMSHD, AKHGTM, AKHTG2, AKRSTR from klassen"));
    ASSERT_TRUE(k && k->next());
    EXPECT_EQ(k->value(0).toInt(), 0);
    EXPECT_EQ(k->value(1).toInt(), 0);
    EXPECT_EQ(k->value(2).toInt(), 0);
    EXPECT_EQ(k->value(3).toInt(), 4);
    EXPECT_EQ(k->value(4).toInt(), 20);
    EXPECT_EQ(k->value(5).toInt(), 20);
    EXPECT_EQ(k->value(6).toString(), QStringLiteral("X"));

    EXPECT_EQ(zeilen("Streichungen"), 3);
    EXPECT_EQ(zeilen("Strafen"), 4);
    EXPECT_EQ(zeilen("Infotexte"), 1);
    EXPECT_EQ(zeilen("Matten"), 3);
    EXPECT_EQ(datenmodul()
                  .einzelwert(QStringLiteral("select TPBEZ from tabpos where TPTAB = 'Strafen' and TPKEY = '2'"))
                  .toString(),
              u8("werden immer berücksichtigt"));
    // An upgraded database holds the same lookup rows as a new one.
    EXPECT_EQ(lookupInhalt(), neu);
}

TEST_P(Upgrade, AufgeruesteteDatenbankBekommtDieListenvorlagen)
{
    stand5000();
    vorlagenLoeschen();
    // Steps below this program's version leave the templates alone.
    EXPECT_EQ(db_upgrade(datenmodul(), 5000, 5050).version, 5050);
    EXPECT_TRUE(listentypen().empty());

    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5050, 5301);
    EXPECT_EQ(e.version, 5301);
    EXPECT_EQ(e.protokoll.last(), QStringLiteral("Datenbank-Modifikationen erfolgreich beendet"));
    std::set<QString> erwartet;
    size_t zeilen = 0;
    for (const Listenvorlage &v : listenvorlagen()) {
        erwartet.insert(v.kopf.typ);
        zeilen += v.zeilen.size();
    }
    EXPECT_EQ(listentypen(), erwartet);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from listdef")), int(zeilen));
    EXPECT_EQ(datenmodul().einzelwert(QStringLiteral("select LKMAXT from listkopf where LKLTYP = 'KODT128'")).toInt(),
              128);
}

TEST_P(Upgrade, EigeneListenvorlagenBleiben)
{
    vorlagenLoeschen();
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into listkopf (LKLTYP, LKLBEZ, LKMAXT, LKSORT) values ('EIGEN', 'Eigene', 4, 1)")));
    aufVersion(5300);
    EXPECT_EQ(db_upgrade(datenmodul(), 5300, 5301).version, 5301);
    EXPECT_EQ(listentypen(), std::set<QString>{QStringLiteral("EIGEN")});
}

TEST_P(Upgrade, ListenvorlagenNichtGeschriebenHaeltDenSchritt)
{
    vorlagenLoeschen();
    lookupLoeschen("Matten");
    // A stray template row without its header blocks writing the templates.
    ASSERT_TRUE(datenmodul().Execute_SQL(
        QStringLiteral("insert into listdef (LDLTYP, LDLPOS) values (?, ?)"), {QStringLiteral("JGJ02"), 1}));
    aufVersion(5300);
    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5300, 5301);
    EXPECT_EQ(e.version, 5300);
    EXPECT_EQ(e.protokoll.at(3), QStringLiteral("Fehler beim Update auf Version 5.3.0.1"));
    EXPECT_EQ(version(), 5300);
    // Nothing of the step is left: neither its lookup rows nor template headers.
    EXPECT_EQ(zeilen("Matten"), 0);
    EXPECT_TRUE(listentypen().empty());
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

TEST_P(Upgrade, Von5300NurDerLetzteSchritt)
{
    lookupLoeschen("Infotexte");
    lookupLoeschen("Matten");
    lookupLoeschen("Strafen"); // an earlier step's rows: must stay untouched
    aufVersion(5300);
    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5300, 5301);
    EXPECT_EQ(e.version, 5301);
    EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "",
                                      "Update auf DB-Version 5.3.0.1", "",
                                      "Datenbank-Modifikationen erfolgreich beendet"}));
    EXPECT_EQ(version(), 5301);
    EXPECT_EQ(zeilen("Infotexte"), 1);
    EXPECT_EQ(zeilen("Matten"), 3);
    EXPECT_EQ(zeilen("Strafen"), 0);
    EXPECT_EQ(datenmodul()
                  .einzelwert(QStringLiteral("select TKZUS1 from tabkopf where TKTAB = 'Matten'"))
                  .toString(),
              QStringLiteral("Shortcut"));
}

TEST_P(Upgrade, UnbekannteVersionOhneSchritt)
{
    for (const int v : {4999, 5010, 5200, 5302, 0}) {
        SCOPED_TRACE(v);
        lookupLoeschen("Matten");
        aufVersion(v);
        const UpgradeErgebnis e = db_upgrade(datenmodul(), v, 5301);
        EXPECT_EQ(e.version, v);
        EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "", ""}));
        EXPECT_EQ(version(), v);
        EXPECT_EQ(zeilen("Matten"), 0);
    }
}

TEST_P(Upgrade, FehlgeschlagenerSchrittHaeltDieKette)
{
    // STSORT exists already, so the first step fails and nothing later runs.
    lookupLoeschen("Streichungen");
    aufVersion(5000);
    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5000, 5301);
    EXPECT_EQ(e.version, 5000);
    EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "",
                                      "Update auf DB-Version 5.0.3.0", "Fehler beim Update auf Version 5.0.3.0", ""}));
    EXPECT_EQ(version(), 5000);
    EXPECT_EQ(zeilen("Streichungen"), 0);
    EXPECT_EQ(datenmodul().transaktionsTiefe(), 0);
}

TEST_P(Upgrade, FehlgeschlagenerSchrittLaesstNichtsZurueck)
{
    // Six of the seven column additions would succeed; the seventh fails.
    for (const char *spalte : klassenSpalten)
        if (qstrcmp(spalte, "AKRSTR") != 0)
            spalteLoeschen("klassen", spalte);
    lookupLoeschen("Strafen");
    aufVersion(5050);

    UpgradeErgebnis e = db_upgrade(datenmodul(), 5050, 5301);
    EXPECT_EQ(e.version, 5050);
    EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "",
                                      "Update auf DB-Version 5.3.0.0", "Fehler beim Update auf Version 5.3.0.0", ""}));
    EXPECT_EQ(version(), 5050);
    EXPECT_FALSE(spalteVorhanden("klassen", "AKWAZA"));
    EXPECT_FALSE(spalteVorhanden("klassen", "AKHTG2"));
    EXPECT_EQ(zeilen("Strafen"), 0);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from tabkopf where TKTAB = 'Strafen'")), 0);

    // Once the cause is gone the same step runs, and the chain goes on.
    spalteLoeschen("klassen", "AKRSTR");
    e = db_upgrade(datenmodul(), 5050, 5301);
    EXPECT_EQ(e.version, 5301);
    EXPECT_EQ(e.protokoll.last(), QStringLiteral("Datenbank-Modifikationen erfolgreich beendet"));
    EXPECT_TRUE(spalteVorhanden("klassen", "AKWAZA"));
    EXPECT_EQ(zeilen("Strafen"), 4);
    EXPECT_EQ(version(), 5301);
}

TEST_P(Upgrade, ZielBegrenztDieKette)
{
    stand5000();
    const UpgradeErgebnis e = db_upgrade(datenmodul(), 5000, 5050);
    EXPECT_EQ(e.version, 5050);
    EXPECT_EQ(e.protokoll, protokoll({"Datenbank-Modifikationen werden durchgeführt", "",
                                      "Update auf DB-Version 5.0.3.0", "Update auf DB-Version 5.0.5.0", "",
                                      "Datenbank-Modifikationen erfolgreich beendet"}));
    EXPECT_EQ(version(), 5050);
    EXPECT_FALSE(spalteVorhanden("klassen", "AKWAZA"));
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Upgrade);
