#include "support/testbasis.h"

#include "app/cli.h"

#include <QDir>
#include <QTemporaryDir>

using namespace obi;
using obi::test::ObiTest;

namespace {

struct Lauf {
    int rc;
    QString out;
    QString err;
};

Lauf cli(const QStringList &args)
{
    Lauf l;
    QTextStream out(&l.out);
    QTextStream err(&l.err);
    l.rc = cli_main(args, out, err);
    return l;
}

TEST_F(ObiTest, CliVersionUndHilfe)
{
    Lauf v = cli({QStringLiteral("--version")});
    EXPECT_EQ(v.rc, 0);
    EXPECT_EQ(v.out.trimmed(), QStringLiteral("5.3.02"));

    Lauf h = cli({QStringLiteral("--help")});
    EXPECT_EQ(h.rc, 0);
    for (const CliVerb &verb : cli_verben())
        EXPECT_TRUE(h.out.contains(verb.name)) << verb.name.toStdString();
    EXPECT_TRUE(h.out.contains(QStringLiteral("--config")));
}

TEST_F(ObiTest, CliUnbekanntesVerbUndFehlendeWerte)
{
    Lauf l = cli({QStringLiteral("gibtsnicht")});
    EXPECT_EQ(l.rc, 2);
    EXPECT_TRUE(l.err.contains(QStringLiteral("Unbekanntes Verb")));
    EXPECT_EQ(cli({QStringLiteral("--config")}).rc, 2);
    EXPECT_EQ(cli({}).rc, 2);
}

TEST_F(ObiTest, CliConfigWirdGelesen)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("x.ini"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[programm]\nprefix_pool=P\n");
    f.close();
    Lauf l = cli({QStringLiteral("--config"), pfad, QStringLiteral("ini"), QStringLiteral("programm"),
                  QStringLiteral("prefix_pool")});
    EXPECT_EQ(l.rc, 0);
    EXPECT_EQ(l.out.trimmed(), QStringLiteral("P"));
    Lauf p = cli({QStringLiteral("ini"), QStringLiteral("path"), QStringLiteral("--config=") + pfad});
    EXPECT_EQ(p.out.trimmed(), pfad);
}

} // namespace
