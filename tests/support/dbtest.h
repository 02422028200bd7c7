// Base for data-access tests: every test gets a fresh, empty database on the
// engine of its parameter, connected through its own data module. The
// PostgreSQL variant runs when OBITRACK_TEST_PG_SERVER is set (CI starts a
// local server) and is skipped otherwise.
#pragma once

#include "support/testbasis.h"
#include "support/testdb.h"

#include "core/datenbank.h"

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

    Tdm &datenmodul() { return m_db.dm(); }
    const DbEinstellungen &einstellungen() const { return m_db.einstellungen(); }
    bool istPostgres() const { return GetParam() == Dialekt::Postgres; }
    // Writes an obitrack.ini for this test's database and points the program at it.
    QString schreibeIni(const QString &zusatz = {}) { return m_db.schreibeIni(zusatz); }
    QString tempOrdner() const { return m_db.ordner(); }

private:
    TestDatenbank m_db;
};

// A DbTest that starts and ends with clean process slots and the user
// "tester" signed in, for code that records who changed a row.
class AngemeldetDbTest : public DbTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};

std::string dialektName(const ::testing::TestParamInfo<Dialekt> &info);

} // namespace obi::test

// Runs a DbTest suite on both engines.
#define OBITRACK_AUF_BEIDEN_DATENBANKEN(Suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Db, Suite, ::testing::Values(::obi::Dialekt::SQLite, ::obi::Dialekt::Postgres),       \
                             ::obi::test::dialektName)
