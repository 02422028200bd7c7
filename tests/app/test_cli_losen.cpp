#include "support/clitest.h"

#include "competition/losen.h"
#include "competition/losen_testdaten.h"

using namespace obi;
using obi::test::CliTest;
using Lauf = obi::test::CliLauf;

namespace
{

class CliLosen : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(obi::test::losen_testdaten(datenmodul()));
    }


    // Draw numbers of tournament 1 as "start number:number" in start-number order.
    QStringList nummern()
    {
        QStringList r;
        auto q = datenmodul().abfrage(
            QStringLiteral("select STSTNR, STSORT from starter where STWKNR = 1 order by STSTNR"));
        while (q && q->next())
            r << q->value(0).toString() + u':' + q->value(1).toString();
        return r;
    }
};

TEST_P(CliLosen, LostUndGibtDieVereineAus)
{
    Lauf l = cli({ QStringLiteral("draw"), QStringLiteral("--tournament"), QStringLiteral("1"),
                   QStringLiteral("--age-class"), QStringLiteral("u18m"), QStringLiteral("--weight-class"),
                   QStringLiteral("-60"), QStringLiteral("--seed"), QStringLiteral("17") });
    ASSERT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_TRUE(l.err.contains(QStringLiteral("(309)"))) << l.err.toStdString();
    const QStringList zeilen = l.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 5) << l.out.toStdString();
    // One line per club in draw order, numbered 1..5, with what the database holds.
    const auto vereine = losen_vereine(LosAuswahl{ 1, QStringLiteral("U18m"), QStringLiteral("-60") });
    ASSERT_TRUE(vereine);
    ASSERT_EQ(vereine->size(), 5);
    for (int i = 0; i < 5; ++i) {
        const LosVerein &v = vereine->at(i);
        EXPECT_EQ(v.calcSort(), QString::number(i + 1));
        EXPECT_EQ(zeilen.at(i), QStringLiteral("%1;%2;%3;%4;%5")
                                    .arg(i + 1)
                                    .arg(v.stlos)
                                    .arg(v.vename, v.veverb)
                                    .arg(v.anzahl));
    }
    EXPECT_TRUE(l.out.contains(QStringLiteral(";1;JC Mitte;BE;2\n"))) << l.out.toStdString();
    EXPECT_TRUE(l.out.contains(QStringLiteral(";7;Ohne Verband;;1\n"))) << l.out.toStdString();
    // Other weight classes stay undrawn.
    for (const QString &n : nummern().mid(6))
        EXPECT_TRUE(n.endsWith(QStringLiteral(":0"))) << n.toStdString();

    // The same seed gives the same draw.
    Lauf nochmal = cli({ QStringLiteral("draw"), QStringLiteral("--tournament"), QStringLiteral("1"),
                         QStringLiteral("--age-class"), QStringLiteral("U18m"), QStringLiteral("--weight-class"),
                         QStringLiteral("-60"), QStringLiteral("--seed"), QStringLiteral("17") });
    EXPECT_EQ(nochmal.rc, 0);
    EXPECT_EQ(nochmal.out, l.out);
}

TEST_P(CliLosen, GanzerWettkampf)
{
    Lauf l = cli({ QStringLiteral("draw"), QStringLiteral("--tournament"), QStringLiteral("1") });
    ASSERT_EQ(l.rc, 0) << l.err.toStdString();
    EXPECT_EQ(l.out.count(u'\n'), 7);
    for (const QString &n : nummern())
        EXPECT_FALSE(n.endsWith(QStringLiteral(":0"))) << n.toStdString();
}

TEST_P(CliLosen, UngueltigeAngabenLosenNichts)
{
    const QStringList vorher = nummern();
    struct Fall {
        QStringList args;
        int rc;
        QString fehler;
    };
    const QList<Fall> faelle = {
        { { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--age-class"),
            QStringLiteral("U20") },
          1, QStringLiteral("Altersklasse in diesem Wettkampf nicht gültig (31002)") },
        { { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--age-class"),
            QStringLiteral("U15"), QStringLiteral("--weight-class"), QStringLiteral("-60") },
          1, QStringLiteral("Gewichtsklasse in dieser Altersklasse nicht gültig (31003)") },
        { { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--weight-class"),
            QStringLiteral("-60") },
          2, QStringLiteral("--weight-class braucht --age-class") },
        { { QStringLiteral("--tournament"), QStringLiteral("5") }, 1, QStringLiteral("Wettkampf 5 nicht gefunden") },
        { { QStringLiteral("--tournament"), QStringLiteral("x") }, 2, QStringLiteral("Wettkampfnummer") },
        { { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--seed"), QStringLiteral("-1") },
          2, QStringLiteral("Startwert") },
        { { QStringLiteral("--tournament"), QStringLiteral("1"), QStringLiteral("--type"), QStringLiteral("A") },
          2, QStringLiteral("Aufruf: obitrack-cli draw") },
        { {}, 2, QStringLiteral("Aufruf: obitrack-cli draw") },
    };
    for (const Fall &f : faelle) {
        QStringList args = f.args;
        args.prepend(QStringLiteral("draw"));
        Lauf l = cli(args);
        EXPECT_EQ(l.rc, f.rc) << args.join(u' ').toStdString();
        EXPECT_TRUE(l.err.contains(f.fehler)) << l.err.toStdString();
        EXPECT_TRUE(l.out.isEmpty());
    }
    EXPECT_EQ(nummern(), vorher);
}

} // namespace

OBITRACK_AUF_BEIDEN_DATENBANKEN(CliLosen);
