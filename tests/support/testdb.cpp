#include "testdb.h"

#include "core/konfig.h"
#include "core/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace obi::test {

DbEinstellungen pgTestServer(const QString &datenbank)
{
    return {qEnvironmentVariable("OBITRACK_TEST_PG_SERVER"), datenbank, qEnvironmentVariable("OBITRACK_TEST_PG_USER"),
            qEnvironmentVariable("OBITRACK_TEST_PG_PW")};
}

bool pgKonfiguriert()
{
    return !qEnvironmentVariableIsEmpty("OBITRACK_TEST_PG_SERVER");
}

namespace {
// Runs one statement on the server's maintenance database.
bool pgVerwaltung(const QString &sql, QString *fehler)
{
    Tdm verwaltung;
    if (!verwaltung.verbinden(pgTestServer(QStringLiteral("postgres")), fehler))
        return false;
    QSqlQuery q(verwaltung.db());
    q.exec(QStringLiteral("SET client_min_messages = warning"));
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
    return pgVerwaltung(
        QStringLiteral("CREATE DATABASE ") + name + QStringLiteral(" ENCODING 'UTF8' TEMPLATE template0"), fehler);
}

void pgDatenbankLoeschen(const QString &name)
{
    pgVerwaltung(QStringLiteral("DROP DATABASE IF EXISTS ") + name + QStringLiteral(" WITH (FORCE)"), nullptr);
}

Dialekt testDialekt()
{
    return qEnvironmentVariable("OBITRACK_TEST_ENGINE") == QStringLiteral("postgres") ? Dialekt::Postgres
                                                                                    : Dialekt::SQLite;
}

TestDatenbank::~TestDatenbank()
{
    schliessen();
}

bool TestDatenbank::anlegen(Dialekt dialekt, bool mitSchema, QString *fehler)
{
    schliessen();
    qputenv("OBITRACK_LOG", QFile::encodeName(m_dir.filePath(QStringLiteral("fehler.log"))));
    if (dialekt == Dialekt::Postgres) {
        if (!pgKonfiguriert()) {
            if (fehler)
                *fehler = QStringLiteral("OBITRACK_TEST_PG_SERVER nicht gesetzt");
            return false;
        }
        static std::atomic<int> nr{0};
        m_pgDatenbank = QStringLiteral("obitest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++nr);
        if (!pgDatenbankAnlegen(m_pgDatenbank, fehler))
            return false;
        m_einstellungen = pgTestServer(m_pgDatenbank);
    } else {
        static std::atomic<int> nr{0};
        m_einstellungen = {QString(), m_dir.filePath(QStringLiteral("test%1.db").arg(++nr)), QString(), QString()};
    }
    m_dm = std::make_unique<Tdm>();
    if (!m_dm->verbinden(m_einstellungen, fehler))
        return false;
    Tdm::setze_instanz(m_dm.get());
    return !mitSchema || schema_anlegen(*m_dm, fehler);
}

void TestDatenbank::schliessen()
{
    if (m_dm) {
        if (Tdm::instanz() == m_dm.get())
            Tdm::setze_instanz(nullptr);
        m_dm.reset();
    }
    if (!m_pgDatenbank.isEmpty()) {
        pgDatenbankLoeschen(m_pgDatenbank);
        m_pgDatenbank.clear();
    }
}

QString TestDatenbank::schreibeIni(const QString &zusatz)
{
    const QString pfad = m_dir.filePath(QStringLiteral("obitrack.ini"));
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString text = QStringLiteral("[database]\ndb_server=") + m_einstellungen.server
                             + QStringLiteral("\ndb_file=") + m_einstellungen.datei + QStringLiteral("\ndb_user=")
                             + m_einstellungen.benutzer + QStringLiteral("\ndb_pw=") + m_einstellungen.passwort
                             + u'\n' + zusatz;
        f.write(text.toUtf8());
    }
    setze_ini_pfad(pfad);
    return pfad;
}

std::unique_ptr<Tdm> TestDatenbank::zweiteVerbindung(QString *fehler)
{
    auto d = std::make_unique<Tdm>();
    if (!d->verbinden(m_einstellungen, fehler))
        return nullptr;
    return d;
}

} // namespace obi::test
