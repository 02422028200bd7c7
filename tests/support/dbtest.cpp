#include "dbtest.h"

#include "core/zustand.h"

namespace obi::test {

std::string dialektName(const ::testing::TestParamInfo<Dialekt> &info)
{
    return info.param == Dialekt::Postgres ? "PostgreSQL" : "SQLite";
}

void DbTest::SetUp()
{
    ObiTest::SetUp();
    if (GetParam() == Dialekt::Postgres && !pgKonfiguriert())
        GTEST_SKIP() << "OBITRACK_TEST_PG_SERVER nicht gesetzt";
    QString fehler;
    ASSERT_TRUE(m_db.anlegen(GetParam(), mitSchema(), &fehler)) << fehler.toStdString();
}

void DbTest::TearDown()
{
    m_db.schliessen();
    qunsetenv("OBITRACK_LOG");
    ObiTest::TearDown();
}

std::unique_ptr<Tdm> DbTest::zweiteVerbindung()
{
    QString fehler;
    auto d = m_db.zweiteVerbindung(&fehler);
    if (!d)
        ADD_FAILURE() << "zweite Verbindung: " << fehler.toStdString();
    return d;
}

void AngemeldetDbTest::SetUp()
{
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    zustand_zuruecksetzen();
    zustand().benutzer = QStringLiteral("tester");
}

void AngemeldetDbTest::TearDown()
{
    zustand_zuruecksetzen();
    DbTest::TearDown();
}

} // namespace obi::test
