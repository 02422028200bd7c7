// Base for data-access tests: every test gets a fresh, empty database on the
// engine of its parameter, connected through its own data module. The
// PostgreSQL variant runs when OBITRACK_TEST_PG_SERVER is set (CI starts a
// local server) and is skipped otherwise.
#pragma once

#include "support/testbasis.h"

#include "core/datenbank.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace obi::test {

class DbTest : public ObiTest, public ::testing::WithParamInterface<Dialekt>
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether SetUp creates the complete schema (default) or leaves the database empty.
    virtual bool mitSchema() const { return true; }

    // A second, independent connection to the same database (another copy of the program).
    std::unique_ptr<Tdm> zweiteVerbindung();

    Tdm &datenmodul() { return *m_dm; }
    const DbEinstellungen &einstellungen() const { return m_einstellungen; }
    bool istPostgres() const { return GetParam() == Dialekt::Postgres; }
    // Writes an obitrack.ini for this test's database and points the program at it.
    QString schreibeIni(const QString &zusatz = {});
    QString tempOrdner() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    DbEinstellungen m_einstellungen;
    std::unique_ptr<Tdm> m_dm;
    QString m_pgDatenbank;
};

// Settings of the test server, empty server when PostgreSQL is not configured.
DbEinstellungen pgTestServer(const QString &datenbank);
// Creates/drops a database on the test server; false with a reason on failure.
bool pgDatenbankAnlegen(const QString &name, QString *fehler);
void pgDatenbankLoeschen(const QString &name);

std::string dialektName(const ::testing::TestParamInfo<Dialekt> &info);

} // namespace obi::test

// Runs a DbTest suite on both engines.
#define OBITRACK_AUF_BEIDEN_DATENBANKEN(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Db, Suite, ::testing::Values(::obi::Dialekt::SQLite, ::obi::Dialekt::Postgres),       \
                             ::obi::test::dialektName)
