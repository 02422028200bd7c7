#include "support/dbtest.h"

#include "core/konfig.h"
#include "core/upgrade.h"
#include "core/verbindung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace obi;
using obi::test::DbTest;

namespace {

class Pruefung : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (!IsSkipped())
            schreibeIni();
    }

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

    // Takes the one box shown, which must be of kind art.
    QString einzigeAnzeige(QChar art)
    {
        EXPECT_EQ(angezeigt().size(), 1);
        if (angezeigt().isEmpty())
            return {};
        const obi::test::Anzeige a = angezeigt().first();
        EXPECT_EQ(a.art, art) << a.text.toStdString();
        vergiss();
        return a.text;
    }
};

TEST_P(Pruefung, AktuelleVersionOhneMeldung)
{
    Tdm d;
    bool upgradeGerufen = false;
    DbPruefung p;
    p.upgrade = [&](Tdm &, int aktuell, int) {
        upgradeGerufen = true;
        return aktuell;
    };
    EXPECT_TRUE(check_db(d, p));
    EXPECT_TRUE(d.verbunden());
    EXPECT_FALSE(upgradeGerufen);
    EXPECT_TRUE(angezeigt().isEmpty());
}

TEST_P(Pruefung, AeltereVersionWirdAktualisiert)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from tabpos where TPTAB = 'Matten'")));
    aufVersion(5300);
    Tdm d;
    EXPECT_TRUE(check_db(d));
    erwarteText(QStringLiteral("DB-Version: 5.3.0.0"));
    EXPECT_EQ(version(), 5301);
    EXPECT_EQ(datenmodul().anzahl_Saetze(QStringLiteral("select * from tabpos where TPTAB = 'Matten'")), 3);
}

TEST_P(Pruefung, UpgradeUeberDenAufruf)
{
    aufVersion(5300);
    // The main window shows its own upgrade window through this call.
    int gerufenMit = 0;
    DbPruefung p;
    p.upgrade = [&](Tdm &, int aktuell, int ziel) {
        gerufenMit = aktuell;
        EXPECT_EQ(ziel, 5301);
        return aktuell; // the upgrade did not get through
    };
    Tdm d;
    EXPECT_FALSE(check_db(d, p));
    EXPECT_EQ(gerufenMit, 5300);
    ASSERT_EQ(angezeigt().size(), 2);
    EXPECT_EQ(angezeigt().at(0).text, QStringLiteral("DB-Version: 5.3.0.0"));
    EXPECT_EQ(angezeigt().at(0).art, u'H');
    EXPECT_EQ(angezeigt().at(1).text, QStringLiteral("Bitte Datenbank aktualisieren (99981)"));
    vergiss();
    EXPECT_EQ(version(), 5300);
}

TEST_P(Pruefung, FehlgeschlagenesUpgrade)
{
    aufVersion(5000); // STSORT exists, so the first step fails
    Tdm d;
    EXPECT_FALSE(check_db(d));
    erwarteText(QStringLiteral("DB-Version: 5.0.0.0"));
    erwarteMeldung(99981);
    EXPECT_EQ(version(), 5000);
}

TEST_P(Pruefung, NeuereVersion)
{
    aufVersion(5302);
    bool upgradeGerufen = false;
    DbPruefung p;
    p.upgrade = [&](Tdm &, int aktuell, int) {
        upgradeGerufen = true;
        return aktuell;
    };
    Tdm d;
    EXPECT_FALSE(check_db(d, p));
    EXPECT_FALSE(upgradeGerufen);
    ASSERT_EQ(angezeigt().size(), 2);
    EXPECT_EQ(angezeigt().at(0).text, QStringLiteral("DB-Version: 5.3.0.2"));
    EXPECT_EQ(angezeigt().at(0).art, u'H');
    EXPECT_EQ(angezeigt().at(1).text, QStringLiteral("Bitte Programm aktualisieren (99982)"));
    vergiss();
}

TEST_P(Pruefung, VersionszeileFehltOderDoppelt)
{
    ASSERT_TRUE(datenmodul().Execute_SQL(QStringLiteral("delete from tabpos where TPTAB = 'DB-VER'")));
    {
        Tdm d;
        EXPECT_FALSE(check_db(d));
        EXPECT_EQ(einzigeAnzeige(u'F'), QStringLiteral("Datenbank-Version konnte nicht ermittelt werden (99980)"));
    }
    const QString ins = QStringLiteral("insert into tabpos (TPFIRM, TPTAB, TPKEY, TPWERT) values ('000', 'DB-VER', ?, ?)");
    ASSERT_TRUE(datenmodul().Execute_SQL(ins, {QStringLiteral("5.3.0.1"), 5301}));
    ASSERT_TRUE(datenmodul().Execute_SQL(ins, {QStringLiteral("5.3.0.0"), 5300}));
    {
        Tdm d;
        EXPECT_FALSE(check_db(d));
        erwarteMeldung(99980);
    }
}

TEST_P(Pruefung, VerbindungsfehlerZeigtDenTreibertext)
{
    DbEinstellungen e;
    if (istPostgres()) {
        e = einstellungen();
        e.server = QStringLiteral("127.0.0.1:1"); // nobody listens there
    } else {
        // A file below a plain file can be neither created nor opened.
        QFile sperre(tempOrdner() + QStringLiteral("/datei"));
        ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
        sperre.close();
        e.datei = tempOrdner() + QStringLiteral("/datei/neu.db");
    }
    Tdm d;
    EXPECT_FALSE(check_db(d, e));
    EXPECT_FALSE(d.verbunden());
    const QString text = einzigeAnzeige(u'F');
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_FALSE(text.endsWith(QStringLiteral("(19909)"))) << "the driver gives a text";

    // Reconnecting with the same settings fails the same way.
    EXPECT_FALSE(db_neu_verbinden(d));
    EXPECT_FALSE(einzigeAnzeige(u'F').isEmpty());
}

TEST_P(Pruefung, NeuVerbinden)
{
    Tdm d;
    ASSERT_TRUE(check_db(d));
    const QString name = d.verbindungsname();
    EXPECT_TRUE(db_neu_verbinden(d));
    EXPECT_TRUE(d.verbunden());
    EXPECT_EQ(d.verbindungsname(), name);
    EXPECT_EQ(d.einzelwert(QStringLiteral("select TPKEY from tabpos where TPTAB = 'DB-VER'")).toString(),
              QStringLiteral("5.3.0.1"));
    EXPECT_TRUE(angezeigt().isEmpty());
}

// A database without any table: SQLite files are set up on first use, a
// PostgreSQL database only on purpose.
class ErsterStart : public DbTest
{
protected:
    bool mitSchema() const override { return false; }
};

TEST_P(ErsterStart, NeueSqliteDateiMitSchema)
{
    if (istPostgres()) {
        schreibeIni();
        Tdm d;
        EXPECT_FALSE(check_db(d));
        erwarteMeldung(99980);
        EXPECT_TRUE(datenmodul().db().tables(QSql::Tables).isEmpty());
        return;
    }
    const QString pfad = tempOrdner() + QStringLiteral("/unter/ordner/obitrack5.db");
    // Relative to the INI's folder, as configured.
    schreibeIni();
    QFile ini(ini_pfad());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[database]\ndb_file=unter/ordner/obitrack5.db\n");
    ini.close();

    Tdm d;
    EXPECT_TRUE(check_db(d));
    EXPECT_TRUE(angezeigt().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(pfad));
    const auto v = db_version_lesen(d);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->nummer, 5301);
    EXPECT_EQ(v->text, QStringLiteral("5.3.0.1"));

    // The second start finds it as it is.
    Tdm zweiter;
    EXPECT_TRUE(check_db(zweiter));
    EXPECT_TRUE(angezeigt().isEmpty());
}

TEST_P(ErsterStart, OhneAnlegenBleibtDieDateiWeg)
{
    if (istPostgres())
        GTEST_SKIP() << "nur SQLite-Dateien werden angelegt";
    DbEinstellungen e;
    e.datei = tempOrdner() + QStringLiteral("/fehlt.db");
    DbPruefung p;
    p.neue_datei_anlegen = false;
    Tdm d;
    EXPECT_FALSE(check_db(d, e, p));
    erwarteText(QStringLiteral("fehlt.db"));
    EXPECT_FALSE(QFileInfo::exists(e.datei));
}

TEST_P(ErsterStart, VorhandeneSqliteDateiOhneTabellen)
{
    if (istPostgres())
        GTEST_SKIP() << "nur SQLite";
    // The fixture's file exists already: it is somebody's database, not a new one.
    Tdm d;
    EXPECT_FALSE(check_db(d, einstellungen()));
    erwarteMeldung(99980);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(Pruefung);
OBITRACK_AUF_BEIDEN_DATENBANKEN(ErsterStart);
