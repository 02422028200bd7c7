#include "dbtest.h"

#include "core/konfig.h"
#include "core/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace obi::test {

std::string dialektName(const ::testing::TestParamInfo<Dialekt> &info)
{
    return info.param == Dialekt::Postgres ? "PostgreSQL" : "SQLite";
}

DbEinstellungen pgTestServer(const QString &datenbank)
{
    return {qEnvironmentVariable("OBITRACK_TEST_PG_SERVER"), datenbank, qEnvironmentVariable("OBITRACK_TEST_PG_USER"),
            qEnvironmentVariable("OBITRACK_TEST_PG_PW")};
}

namespace {
// Runs one statement on the server's maintenance database.
bool pgVerwaltung(const QString &sql, QString *fehler)
{
    Tdm verwaltung;
    if (!verwaltung.verbinden(pgTestServer(QStringLiteral("postgres")), fehler))
        return false;
    QSqlQuery q(verwaltung.db());
    if (!q.exec(sql)) {
        if (fehler)
            *fehler = q.lastError().text();
        return false;
    }
    return true;
}
} // namespace

bool pgDatenbankAnlegen(const QString &name, QString *fehler)
{
    pgVerwaltung(QStringLiteral("DROP DATABASE IF EXISTS ") + name + QStringLiteral(" WITH (FORCE)"), nullptr);
    return pgVerwaltung(QStringLiteral("CREATE DATABASE ") + name + QStringLiteral(" ENCODING 'UTF8' TEMPLATE template0"),
                        fehler);
}

void pgDatenbankLoeschen(const QString &name)
{
    pgVerwaltung(QStringLiteral("DROP DATABASE IF EXISTS ") + name + QStringLiteral(" WITH (FORCE)"), nullptr);
}

void DbTest::SetUp()
{
    ObiTest::SetUp();
    qputenv("OBITRACK_LOG", QFile::encodeName(m_dir.filePath(QStringLiteral("fehler.log"))));
    if (GetParam() == Dialekt::Postgres) {
        if (qEnvironmentVariableIsEmpty("OBITRACK_TEST_PG_SERVER"))
            GTEST_SKIP() << "OBITRACK_TEST_PG_SERVER nicht gesetzt";
        static std::atomic<int> nr{0};
        m_pgDatenbank = QStringLiteral("obitest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++nr);
        QString fehler;
        ASSERT_TRUE(pgDatenbankAnlegen(m_pgDatenbank, &fehler)) << fehler.toStdString();
        m_einstellungen = pgTestServer(m_pgDatenbank);
    } else {
        m_einstellungen = {QString(), m_dir.filePath(QStringLiteral("test.db")), QString(), QString()};
    }
    m_dm = std::make_unique<Tdm>();
    QString fehler;
    ASSERT_TRUE(m_dm->verbinden(m_einstellungen, &fehler)) << fehler.toStdString();
    Tdm::setze_instanz(m_dm.get());
    if (mitSchema()) {
        ASSERT_TRUE(schema_anlegen(*m_dm, &fehler)) << fehler.toStdString();
    }
}

void DbTest::TearDown()
{
    if (m_dm) {
        if (Tdm::instanz() == m_dm.get())
            Tdm::setze_instanz(nullptr);
        m_dm.reset();
    }
    if (!m_pgDatenbank.isEmpty())
        pgDatenbankLoeschen(m_pgDatenbank);
    qunsetenv("OBITRACK_LOG");
    ObiTest::TearDown();
}

std::unique_ptr<Tdm> DbTest::zweiteVerbindung()
{
    auto d = std::make_unique<Tdm>();
    QString fehler;
    if (!d->verbinden(m_einstellungen, &fehler)) {
        ADD_FAILURE() << "zweite Verbindung: " << fehler.toStdString();
        return nullptr;
    }
    return d;
}

QString DbTest::schreibeIni(const QString &zusatz)
{
    const QString pfad = m_dir.filePath(QStringLiteral("obitrack.ini"));
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QString text = QStringLiteral("[database]\ndb_server=") + m_einstellungen.server + QStringLiteral("\ndb_file=")
                       + m_einstellungen.datei + QStringLiteral("\ndb_user=") + m_einstellungen.benutzer
                       + QStringLiteral("\ndb_pw=") + m_einstellungen.passwort + u'\n' + zusatz;
        f.write(text.toUtf8());
    }
    setze_ini_pfad(pfad);
    return pfad;
}

} // namespace obi::test
