// Runs obitrack-cli in-process for tests and keeps what it printed. Header
// only: just the suites that link obitrack_cli_lib include it.
#pragma once

#include "support/dbtest.h"

#include "app/cli.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace obi::test {

struct CliLauf {
    int rc = 0;
    QString out;
    QString err;
};

// The whole command line after the program name, as the shell would pass it.
inline CliLauf cli_lauf(const QStringList &args)
{
    CliLauf l;
    QTextStream out(&l.out);
    QTextStream err(&l.err);
    l.rc = cli_main(args, out, err);
    return l;
}

// A DbTest with an obitrack.ini for its database; cli() runs a verb on it.
class CliTest : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_ini = schreibeIni();
    }

    // args after "--config <ini>"; ini: another INI than this test's own.
    CliLauf cli(QStringList args, const QString &ini = {}) const
    {
        args.prepend(ini.isEmpty() ? m_ini : ini);
        args.prepend(QStringLiteral("--config"));
        return cli_lauf(args);
    }

    const QString &iniPfad() const { return m_ini; }

private:
    QString m_ini;
};

} // namespace obi::test
