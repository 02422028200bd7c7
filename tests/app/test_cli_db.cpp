#include "support/clitest.h"

#include "core/upgrade.h"
#include "core/verbindung.h"

#include <QFile>
#include <QFileInfo>

using namespace obi;
using obi::test::cli_lauf;
using obi::test::DbTest;
using Lauf = obi::test::CliLauf;

namespace {

Lauf db(const QString &ini, const char *verb)
{
    return cli_lauf({QStringLiteral("--config"), ini, QStringLiteral("db"), QString::fromUtf8(verb)});
}

// An empty database: what "db init" is for.
class CliDbLeer : public DbTest
{
protected:
    bool mitSchema() const override { return false; }
};

TEST_P(CliDbLeer, InitDannCheck)
{
    const QString ini = schreibeIni();

    Lauf vorher = db(ini, "check");
    EXPECT_EQ(vorher.rc, 1);
    EXPECT_TRUE(vorher.err.contains(QStringLiteral("(99980)"))) << vorher.err.toStdString();
    EXPECT_TRUE(vorher.out.isEmpty());

    Lauf init = db(ini, "init");
    EXPECT_EQ(init.rc, 0) << init.err.toStdString();
    EXPECT_TRUE(init.out.contains(QStringLiteral("5.3.0.1"))) << init.out.toStdString();

    Lauf check = db(ini, "check");
    EXPECT_EQ(check.rc, 0) << check.err.toStdString();
    EXPECT_EQ(check.out, QStringLiteral("5.3.0.1\n"));
    EXPECT_TRUE(check.err.isEmpty()) << check.err.toStdString();

    // A database with tables is never set up again.
    Lauf nochmal = db(ini, "init");
    EXPECT_EQ(nochmal.rc, 1);
    EXPECT_TRUE(nochmal.err.contains(QStringLiteral("bereits"))) << nochmal.err.toStdString();
    EXPECT_EQ(db(ini, "check").rc, 0);

    EXPECT_EQ(cli_lauf({QStringLiteral("--config"), ini, QStringLiteral("db"), QStringLiteral("check"),
                        QStringLiteral("zuviel")})
                  .rc,
              2);
}

TEST_P(CliDbLeer, InitVerweigertFremdeTabellen)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("create table fremd (x integer)")));
    const QString ini = schreibeIni();
    Lauf init = db(ini, "init");
    EXPECT_EQ(init.rc, 1);
    EXPECT_TRUE(init.err.contains(QStringLiteral("bereits")));
    EXPECT_EQ(datenmodul().db().tables(QSql::Tables).size(), 1);
}

TEST_P(CliDbLeer, CheckLegtKeineSqliteDateiAn)
{
    if (istPostgres())
        GTEST_SKIP() << "nur SQLite";
    const QString ini = tempOrdner() + QStringLiteral("/neu.ini");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[database]\ndb_file=neu.db\n");
    f.close();
    Lauf check = db(ini, "check");
    EXPECT_EQ(check.rc, 1);
    EXPECT_TRUE(check.err.contains(QStringLiteral("neu.db")));
    EXPECT_FALSE(QFileInfo::exists(tempOrdner() + QStringLiteral("/neu.db")));

    // db init creates it.
    EXPECT_EQ(db(ini, "init").rc, 0);
    EXPECT_EQ(db(ini, "check").out, QStringLiteral("5.3.0.1\n"));
}

class CliDb : public DbTest
{
protected:
    void aufVersion(int nummer)
    {
        ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("update tabpos set TPKEY = ?, TPWERT = ? where TPTAB = ?"),
                                             {version_text(nummer), nummer, QStringLiteral("DB-VER")}));
    }
    int version()
    {
        const auto v = db_version_lesen(datenmodul());
        return v ? v->nummer : -1;
    }
};

TEST_P(CliDb, CheckAendertNichtsUndUpgradeAktualisiert)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from tabpos where TPTAB = 'Matten'")));
    aufVersion(5300);
    const QString ini = schreibeIni();

    Lauf check = db(ini, "check");
    EXPECT_EQ(check.rc, 1);
    EXPECT_TRUE(check.err.contains(QStringLiteral("DB-Version: 5.3.0.0"))) << check.err.toStdString();
    EXPECT_TRUE(check.err.contains(QStringLiteral("Bitte Datenbank aktualisieren (99981)")));
    EXPECT_EQ(version(), 5300);

    Lauf upgrade = db(ini, "upgrade");
    EXPECT_EQ(upgrade.rc, 0) << upgrade.err.toStdString();
    EXPECT_EQ(upgrade.out, QString::fromUtf8("Datenbank-Modifikationen werden durchgeführt\n\n"
                                             "Update auf DB-Version 5.3.0.1\n\n"
                                             "Datenbank-Modifikationen erfolgreich beendet\n"));
    EXPECT_EQ(version(), 5301);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from tabpos where TPTAB = 'Matten'")), 3);

    Lauf danach = db(ini, "upgrade");
    EXPECT_EQ(danach.rc, 0);
    EXPECT_EQ(danach.out, QStringLiteral("5.3.0.1\n"));
    EXPECT_EQ(db(ini, "check").rc, 0);
}

TEST_P(CliDb, UpgradeFehlgeschlagen)
{
    aufVersion(5000); // the column of the first step exists already
    const QString ini = schreibeIni();
    Lauf upgrade = db(ini, "upgrade");
    EXPECT_EQ(upgrade.rc, 1);
    EXPECT_TRUE(upgrade.out.contains(QStringLiteral("Fehler beim Update auf Version 5.0.3.0")));
    EXPECT_FALSE(upgrade.out.contains(QStringLiteral("erfolgreich")));
    EXPECT_TRUE(upgrade.err.contains(QStringLiteral("(99981)")));
    EXPECT_EQ(version(), 5000);
}

TEST_P(CliDb, NeuereDatenbank)
{
    aufVersion(5302);
    const QString ini = schreibeIni();
    for (const char *verb : {"check", "upgrade"}) {
        Lauf l = db(ini, verb);
        EXPECT_EQ(l.rc, 1) << verb;
        EXPECT_TRUE(l.err.contains(QStringLiteral("Bitte Programm aktualisieren (99982)"))) << verb;
    }
    EXPECT_EQ(version(), 5302);
}

TEST_P(CliDb, VerbindungsfehlerMitTreibertext)
{
    if (!istPostgres())
        GTEST_SKIP() << "SQLite hat keinen Server";
    const QString ini = tempOrdner() + QStringLiteral("/falsch.ini");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[database]\ndb_server=127.0.0.1:1\ndb_file=gibtsnicht\n");
    f.close();
    for (const char *verb : {"check", "upgrade", "init"}) {
        Lauf l = db(ini, verb);
        EXPECT_EQ(l.rc, 1) << verb;
        EXPECT_FALSE(l.err.trimmed().isEmpty()) << verb;
        EXPECT_TRUE(l.out.isEmpty()) << verb;
    }
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliDbLeer);
OBITRACK_AUF_BEIDEN_DATENBANKEN(CliDb);
