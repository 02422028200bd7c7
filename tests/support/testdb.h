// A fresh database for one test, on SQLite or on the PostgreSQL test server
// (OBITRACK_TEST_PG_SERVER, _USER, _PW). Free of any test framework so both
// the GoogleTest and the Qt Test suites use it.
#pragma once

#include "core/datenbank.h"

#include <QTemporaryDir>

#include <memory>

namespace obi::test {

// Settings of the test server; empty server when PostgreSQL is not configured.
DbEinstellungen pgTestServer(const QString &datenbank);
bool pgKonfiguriert();
bool pgDatenbankAnlegen(const QString &name, QString *fehler);
void pgDatenbankLoeschen(const QString &name);

class TestDatenbank
{
public:
    TestDatenbank() = default;
    ~TestDatenbank();
    TestDatenbank(const TestDatenbank &) = delete;
    TestDatenbank &operator=(const TestDatenbank &) = delete;

    // Creates an empty database on the engine and connects a data module to it,
    // which becomes the process-wide one; with mitSchema the schema is created.
    bool anlegen(Dialekt dialekt, bool mitSchema, QString *fehler);
    void schliessen();

    Tdm &dm() { return *m_dm; }
    const DbEinstellungen &einstellungen() const { return m_einstellungen; }
    QString ordner() const { return m_dir.path(); }
    // Writes an obitrack.ini for this database into ordner() and points the program at it.
    QString schreibeIni(const QString &zusatz = {});
    std::unique_ptr<Tdm> zweiteVerbindung(QString *fehler = nullptr);

private:
    QTemporaryDir m_dir;
    DbEinstellungen m_einstellungen;
    std::unique_ptr<Tdm> m_dm;
    QString m_pgDatenbank;
};

// For Qt Test suites: the engine chosen by OBITRACK_TEST_ENGINE ("postgres" or
// anything else for SQLite); ctest runs each window suite once per engine.
Dialekt testDialekt();

} // namespace obi::test
