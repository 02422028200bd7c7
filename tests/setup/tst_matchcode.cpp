#include "core/zustand.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"
#include "support/fenstertest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::kind;

class TstMatchcode : public obi::test::FensterTest
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!fensterInit())
            return;
        for (const char *ak : {"U12", "U12w", "U14", "Frauen"})
            QVERIFY(m_db.dm().Execute_SQL(
                QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKGEWT, AKJGMI, AKJGMA) values (1, ?, 'T', 2014, 2015)"),
                {QString::fromUtf8(ak)}));
        const char *gk[] = {"-30", "-34", "+34"};
        for (int i = 0; i < 3; ++i)
            QVERIFY(m_db.dm().Execute_SQL(
                QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT, GKGEWN, GKSTAT) "
                               "values (1, 'U12', ?, ?, 0, 0)"),
                {QString::fromUtf8(gk[i]), i + 1}));
    }

    void cleanup() { fensterCleanup(); }

    void altersklasseMitFilter()
    {
        zustand().auswahl_wert = QStringLiteral("u1 ");
        TfrmMatchcodeAK w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Auswahl Altersklasse"));
        QVERIFY(zustand().auswahl_wert.isEmpty());
        QCOMPARE(kind<QLineEdit>(w, "edtAusw")->text(), QStringLiteral("U1"));
        auto *grid = kind<QTableView>(w, "grdSFL");
        QCOMPARE(spalte(grid, 0), (QStringList{QStringLiteral("U12"), QStringLiteral("U12w"), QStringLiteral("U14")}));

        // Enter in the filter applies it anew.
        QLineEdit *filter = kind<QLineEdit>(w, "edtAusw");
        filter->setText(QStringLiteral("u12"));
        QTest::keyClick(filter, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QCOMPARE(spalte(grid, 0), (QStringList{QStringLiteral("U12"), QStringLiteral("U12w")}));

        grid->setCurrentIndex(grid->model()->index(1, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("U12w"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void altersklasseAbbrechenUndLeereListe()
    {
        zustand().auswahl_wert = QStringLiteral("%AUE");
        {
            TfrmMatchcodeAK w;
            w.show();
            QCOMPARE(spalte(kind<QTableView>(w, "grdSFL"), 0), QStringList{QStringLiteral("Frauen")});
            kind<QPushButton>(w, "btnAbbrechen")->click();
            QVERIFY(!w.isVisible());
            QVERIFY(zustand().auswahl_wert.isEmpty());
        }
        zustand().auswahl_wert = QStringLiteral("X");
        TfrmMatchcodeAK w;
        w.show();
        QVERIFY(m_melder.nimm(9901));
        kind<QPushButton>(w, "btnOK")->click(); // nothing to take
        QVERIFY(w.isVisible());
        QVERIFY(zustand().auswahl_wert.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void gewichtsklasseMitFilter()
    {
        zustand().auswahl_wert2 = QStringLiteral("U12");
        zustand().auswahl_wert = QStringLiteral("-3");
        TfrmMatchcodeGew w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <U12>"));
        auto *grid = kind<QTableView>(w, "grdSFL");
        QCOMPARE(spalte(grid, 0), (QStringList{QStringLiteral("-30"), QStringLiteral("-34")}));
        grid->setCurrentIndex(grid->model()->index(1, 0));
        kind<QPushButton>(w, "btnOK")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("-34"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void gewichtsklasseIrgendwoImNamen()
    {
        zustand().auswahl_wert2 = QStringLiteral("U12");
        zustand().auswahl_wert = QStringLiteral("%34");
        TfrmMatchcodeGew w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *grid = kind<QTableView>(w, "grdSFL");
        QCOMPARE(spalte(grid, 0), (QStringList{QStringLiteral("-34"), QStringLiteral("+34")}));
        const QPoint p = grid->visualRect(grid->model()->index(1, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, p);
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("+34"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstMatchcode)
#include "tst_matchcode.moc"
