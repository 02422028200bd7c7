#include "support/clitest.h"

#include <QDir>
#include <QTemporaryDir>

using namespace obi;
using obi::test::ObiTest;
using obi::test::cli_lauf;
using Lauf = obi::test::CliLauf;

namespace {

TEST_F(ObiTest, CliVersionUndHilfe)
{
    Lauf v = cli_lauf({QStringLiteral("--version")});
    EXPECT_EQ(v.rc, 0);
    EXPECT_EQ(v.out.trimmed(), QStringLiteral("5.3.02"));

    Lauf h = cli_lauf({QStringLiteral("--help")});
    EXPECT_EQ(h.rc, 0);
    for (const CliVerb &verb : cli_verben())
        EXPECT_TRUE(h.out.contains(verb.name)) << verb.name.toStdString();
    EXPECT_TRUE(h.out.contains(QStringLiteral("--config")));
}

TEST_F(ObiTest, CliUnbekanntesVerbUndFehlendeWerte)
{
    Lauf l = cli_lauf({QStringLiteral("gibtsnicht")});
    EXPECT_EQ(l.rc, 2);
    EXPECT_TRUE(l.err.contains(QStringLiteral("Unbekanntes Verb")));
    EXPECT_EQ(cli_lauf({QStringLiteral("--config")}).rc, 2);
    EXPECT_EQ(cli_lauf({}).rc, 2);
}

TEST_F(ObiTest, CliConfigWirdGelesen)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("x.ini"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[programm]\nprefix_pool=P\n");
    f.close();
    Lauf l = cli_lauf({QStringLiteral("--config"), pfad, QStringLiteral("ini"), QStringLiteral("programm"),
                       QStringLiteral("prefix_pool")});
    EXPECT_EQ(l.rc, 0);
    EXPECT_EQ(l.out.trimmed(), QStringLiteral("P"));
    Lauf p = cli_lauf({QStringLiteral("ini"), QStringLiteral("path"), QStringLiteral("--config=") + pfad});
    EXPECT_EQ(p.out.trimmed(), pfad);
}

// The rules every verb reads its options with, and what a wrong call prints.
TEST_F(ObiTest, CliOptionenNachRegeln)
{
    const auto t = [](const char *text) { return QString::fromUtf8(text); };
    const CliRegeln regeln{ .optionen = { t("tournament"), t("seed") },
                            .schalter = { t("new") },
                            .pflicht = { t("tournament") } };
    const QString aufruf = t("Aufruf: obitrack-cli verb --tournament NUMMER\n");
    struct Fall {
        QStringList args;
        bool ok;
        QString err;
    };
    const Fall faelle[] = {
        { { t("--tournament"), t("1") }, true, {} },
        { { t("--tournament=1"), t("--new"), t("--seed"), t("5") }, true, {} },
        { {}, false, aufruf },
        { { t("--seed"), t("5") }, false, aufruf },
        { { t("--tournament"), t("1"), t("--club"), t("2") }, false, aufruf },
        { { t("--tournament"), t("1"), t("wort") }, false, aufruf },
        { { t("--tournament"), t("1"), t("--seed") }, false, t("Option --seed braucht einen Wert\n") + aufruf },
    };
    for (const Fall &f : faelle) {
        QString out, err;
        QTextStream o(&out), e(&err);
        CliKontext ctx{ o, e };
        CliOptionen gelesen;
        EXPECT_EQ(cli_optionen_lesen(ctx, f.args, t("verb --tournament NUMMER"), regeln, gelesen), f.ok)
            << f.args.join(u' ').toStdString();
        EXPECT_EQ(err, f.err) << f.args.join(u' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
}

TEST_F(ObiTest, CliZahlenUndStartwert)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    CliKontext ctx{ o, e };
    EXPECT_EQ(cli_wettkampfnummer(ctx, QStringLiteral("2147483647")), 2147483647);
    EXPECT_TRUE(err.isEmpty());
    for (const char *falsch : { "0", "-1", "x", "", "2147483648" }) {
        err.clear();
        EXPECT_FALSE(cli_wettkampfnummer(ctx, QString::fromLatin1(falsch))) << falsch;
        EXPECT_EQ(err, QStringLiteral("Keine gültige Wettkampfnummer: ") + QString::fromLatin1(falsch) + u'\n');
    }
    EXPECT_EQ(cli_positive_zahl(QStringLiteral("100000"), 100000), 100000);
    EXPECT_FALSE(cli_positive_zahl(QStringLiteral("100001"), 100000));

    err.clear();
    EXPECT_EQ(cli_startwert(ctx, QStringLiteral("0")), 0u);
    EXPECT_EQ(cli_startwert(ctx, QStringLiteral("4294967295")), 4294967295u);
    EXPECT_TRUE(err.isEmpty());
    for (const char *falsch : { "-1", "4294967296", "x" }) {
        err.clear();
        EXPECT_FALSE(cli_startwert(ctx, QString::fromLatin1(falsch))) << falsch;
        EXPECT_EQ(err, QStringLiteral("Kein gültiger Startwert (0 bis 4294967295): ") + QString::fromLatin1(falsch)
                           + u'\n');
    }
    EXPECT_TRUE(out.isEmpty());
}

} // namespace
