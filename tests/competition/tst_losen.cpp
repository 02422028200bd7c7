#include "competition/gui/frmlosen.h"
#include "competition/gui/frmlosendetail.h"
#include "competition/losen.h"
#include "competition/losen_testdaten.h"
#include "core/zustand.h"
#include "support/fenstertest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>

using namespace obi;
using obi::test::FensterStart;
using obi::test::kind;

class TstLosen : public obi::test::FensterTest
{
    Q_OBJECT

    static bool knoepfe_an(QWidget &w)
    {
        return kind<QPushButton>(w, "btnLosenAut")->isEnabled() && kind<QPushButton>(w, "btnLosenMan")->isEnabled()
               && kind<QPushButton>(w, "btnInitialisieren")->isEnabled();
    }

    static bool knoepfe_aus(QWidget &w)
    {
        return !kind<QPushButton>(w, "btnLosenAut")->isEnabled() && !kind<QPushButton>(w, "btnLosenMan")->isEnabled()
               && !kind<QPushButton>(w, "btnInitialisieren")->isEnabled();
    }

    static std::function<void(TfrmLosenDetail &)> speichere(const QString &nummer)
    {
        return [nummer](TfrmLosenDetail &dlg) {
            kind<QLineEdit>(dlg, "edtSORT")->setText(nummer);
            QTest::mouseClick(kind<QPushButton>(dlg, "btnSpeichern"), Qt::LeftButton);
        };
    }

    int nummer(int stnr)
    {
        return m_db.dm()
            .einzelwert(QStringLiteral("select STSORT from starter where STWKNR = 1 and STSTNR = ?"), { stnr })
            .toInt();
    }

    static void anzeigen(QWidget &w, const QString &ak, const QString &gewk)
    {
        kind<QLineEdit>(w, "edtAKID")->setText(ak);
        kind<QLineEdit>(w, "edtGEWK")->setText(gewk);
        QTest::mouseClick(kind<QPushButton>(w, "btnAnzeigen"), Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        if (!fensterInit(FensterStart().mitIni()))
            return;
        QVERIFY(obi::test::losen_testdaten(m_db.dm()));
    }

    void cleanup() { fensterCleanup(); }

    void oeffnetMitGanzemWettkampf()
    {
        TfrmLosen w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Losen"));
        auto *ak = kind<QLineEdit>(w, "edtAKID");
        auto *gewk = kind<QLineEdit>(w, "edtGEWK");
        QVERIFY(ak->text().isEmpty());
        QVERIFY(gewk->text().isEmpty());
        QCOMPARE(ak->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(gewk->palette().color(QPalette::Base), QColor(Qt::yellow));
        auto *grid = kind<QTableView>(w, "grdLosen");
        QVERIFY(grid->isVisible());
        QStringList kopf;
        for (int s = 0; s < grid->model()->columnCount(); ++s)
            kopf << grid->model()->headerData(s, Qt::Horizontal).toString();
        QCOMPARE(kopf, (QStringList{ QStringLiteral("Los (Sort.)"), QStringLiteral("Los (Verein)"),
                                     QStringLiteral("Verein"), QStringLiteral("Verband"),
                                     QStringLiteral("Teilnehmer") }));
        QCOMPARE(spalte(grid, 1), (QStringList{ "1", "2", "3", "4", "5", "6", "7" }));
        QCOMPARE(spalte(grid, 4), (QStringList{ "3", "2", "1", "2", "2", "2", "1" }));
        QVERIFY(knoepfe_an(w));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void anzeigenPrueftDieKlassen()
    {
        TfrmLosen w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdLosen");
        anzeigen(w, QStringLiteral(" u18"), QStringLiteral("-66"));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U18m"));
        QCOMPARE(spalte(grid, 2), (QStringList{ "JC Mitte", "SC Süd", "TV Elbe", "Budokan" }));
        QVERIFY(grid->isVisible());
        QVERIFY(knoepfe_an(w));

        // Typing hides the list until the next check.
        QTest::keyClicks(kind<QLineEdit>(w, "edtGEWK"), QStringLiteral("x"));
        QVERIFY(!grid->isVisible());
        QVERIFY(knoepfe_aus(w));

        anzeigen(w, QStringLiteral("U20"), QString());
        QVERIFY(m_melder.nimm(31002));
        QVERIFY(!grid->isVisible());
        QVERIFY(knoepfe_aus(w));
        anzeigen(w, QStringLiteral("U15"), QStringLiteral("-60"));
        QVERIFY(m_melder.nimm(31003));
        QVERIFY(knoepfe_aus(w));
        // Enter in a field checks as well.
        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("-40"));
        QTest::keyClick(kind<QLineEdit>(w, "edtGEWK"), Qt::Key_Return);
        QCOMPARE(spalte(grid, 1), (QStringList{ "2", "4", "5" }));
        QVERIFY(knoepfe_an(w));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void gewichtsklasseAusDemPickerZeigtSofort()
    {
        TfrmLosen w;
        w.show();
        kind<QLineEdit>(w, "edtAKID")->setText(QStringLiteral("U18m"));
        auto offen = beantworte<QDialog>(QStringLiteral("frmMatchcodeGew"), { [](QDialog &dlg) {
            auto *liste = kind<QTableView>(dlg, "grdSFL");
            QCOMPARE(spalte(liste, 0), (QStringList{ "-60", "-66" }));
            liste->setCurrentIndex(liste->model()->index(1, 0));
            QTest::mouseClick(kind<QPushButton>(dlg, "btnOK"), Qt::LeftButton);
        } });
        QTest::keyClick(kind<QLineEdit>(w, "edtGEWK"), Qt::Key_F4);
        QCOMPARE(*offen, 0);
        QCOMPARE(kind<QLineEdit>(w, "edtGEWK")->text(), QStringLiteral("-66"));
        QCOMPARE(spalte(kind<QTableView>(w, "grdLosen"), 1), (QStringList{ "1", "3", "5", "6" }));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void automatischLosen()
    {
        TfrmLosen w;
        w.show();
        anzeigen(w, QStringLiteral("U18m"), QStringLiteral("-60"));
        QTest::mouseClick(kind<QPushButton>(w, "btnLosenAut"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(309));
        auto *grid = kind<QTableView>(w, "grdLosen");
        QCOMPARE(spalte(grid, 0), (QStringList{ "1", "2", "3", "4", "5" }));
        QVERIFY(knoepfe_an(w));
        // The list shows what the database holds; other classes stay undrawn.
        const QStringList lose = spalte(grid, 1);
        QCOMPARE(nummer(1), lose.indexOf(QStringLiteral("1")) + 1);
        QCOMPARE(nummer(1), nummer(2));
        QCOMPARE(nummer(7), 0);
        QCOMPARE(nummer(11), 0);

        QTest::mouseClick(kind<QPushButton>(w, "btnInitialisieren"), Qt::LeftButton);
        QCOMPARE(spalte(grid, 0), (QStringList{ "0", "0", "0", "0", "0" }));
        QCOMPARE(nummer(1), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void manuellAbbruchBeimDrittenBehaeltDieErsten()
    {
        TfrmLosen w;
        w.show();
        anzeigen(w, QStringLiteral("U18m"), QStringLiteral("-60"));
        auto *grid = kind<QTableView>(w, "grdLosen");
        QCOMPARE(spalte(grid, 1), (QStringList{ "1", "2", "4", "6", "7" }));
        auto offen = beantworte<TfrmLosenDetail>(QStringLiteral("frmLosenDetail"), {
            [](TfrmLosenDetail &dlg) {
                QCOMPARE(dlg.windowTitle(), QStringLiteral("OBITRACK - Eingabe Los-Nummer"));
                QCOMPARE(kind<QLineEdit>(dlg, "edtLOS")->text(), QStringLiteral("1"));
                QCOMPARE(kind<QLineEdit>(dlg, "edtVERN")->text(), QStringLiteral("JC Mitte"));
                QCOMPARE(kind<QLineEdit>(dlg, "edtVERB")->text(), QStringLiteral("BE"));
                QVERIFY(kind<QLineEdit>(dlg, "edtVERN")->isReadOnly());
                QCOMPARE(kind<QLineEdit>(dlg, "edtSORT")->text(), QStringLiteral("0"));
                speichere(QStringLiteral("10"))(dlg);
            },
            speichere(QStringLiteral("20")),
            [](TfrmLosenDetail &dlg) {
                QCOMPARE(kind<QLineEdit>(dlg, "edtLOS")->text(), QStringLiteral("4"));
                QTest::mouseClick(kind<QPushButton>(dlg, "btnAbbrechen"), Qt::LeftButton);
            },
        });
        QTest::mouseClick(kind<QPushButton>(w, "btnLosenMan"), Qt::LeftButton);
        QCOMPARE(*offen, 0);
        QCOMPARE(nummer(1), 10);
        QCOMPARE(nummer(2), 10);
        QCOMPARE(nummer(3), 20);
        for (int stnr : { 4, 5, 6 })
            QCOMPARE(nummer(stnr), 0);
        QVERIFY(grid->isVisible());
        QCOMPARE(spalte(grid, 0), (QStringList{ "0", "0", "0", "10", "20" }));
        QCOMPARE(spalte(grid, 1), (QStringList{ "4", "6", "7", "1", "2" }));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void doppelklickSetztEinenVereinUndPositioniert()
    {
        // Club 1 has participants with different numbers: the dialog starts with "*".
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("update starter set STSORT = 3 where STWKNR = 1 and STSTNR = 1")));
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("update starter set STSORT = 4 where STWKNR = 1 and STSTNR = 2")));
        TfrmLosen w;
        w.show();
        anzeigen(w, QStringLiteral("U18m"), QStringLiteral("-60"));
        auto *grid = kind<QTableView>(w, "grdLosen");
        QCOMPARE(spalte(grid, 0), (QStringList{ "0", "0", "0", "0", "*" }));
        QCOMPARE(spalte(grid, 1).last(), QStringLiteral("1"));
        auto offen = beantworte<TfrmLosenDetail>(QStringLiteral("frmLosenDetail"), { [this](TfrmLosenDetail &dlg) {
            QCOMPARE(kind<QLineEdit>(dlg, "edtSORT")->text(), QStringLiteral("*"));
            QTest::mouseClick(kind<QPushButton>(dlg, "btnSpeichern"), Qt::LeftButton);
            QVERIFY(m_melder.nimm(21004));
            QVERIFY(dlg.isVisible());
            speichere(QStringLiteral("-1"))(dlg);
        } });
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        grid->setCurrentIndex(grid->model()->index(4, 0));
        const QRect zelle = grid->visualRect(grid->model()->index(4, 2));
        // As a real double click: press and release first, then the double click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, zelle.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, zelle.center());
        QCOMPARE(*offen, 0);
        QCOMPARE(nummer(1), -1);
        QCOMPARE(nummer(2), -1);
        QCOMPARE(spalte(grid, 1).first(), QStringLiteral("1"));
        QCOMPARE(grid->currentIndex().row(), 0);

        // Enter in the grid opens the same dialog for the current club.
        grid->setCurrentIndex(grid->model()->index(3, 0));
        QCOMPARE(grid->model()->index(3, 1).data().toString(), QStringLiteral("6"));
        offen = beantworte<TfrmLosenDetail>(QStringLiteral("frmLosenDetail"), { speichere(QStringLiteral("9")) });
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(*offen, 0);
        QCOMPARE(spalte(grid, 1).last(), QStringLiteral("6"));
        QCOMPARE(grid->currentIndex().row(), 4);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void detailVerlangtEineGanzeZahl()
    {
        TfrmLosenDetail dlg;
        LosVerein v;
        v.stlos = 3;
        v.vename = QStringLiteral("SC Süd");
        v.veverb = QStringLiteral("BE");
        v.min_sort = v.max_sort = 2;
        dlg.setze_verein(v);
        dlg.show();
        auto *sort = kind<QLineEdit>(dlg, "edtSORT");
        QCOMPARE(sort->text(), QStringLiteral("2"));
        QVERIFY(kind<QLineEdit>(dlg, "edtLOS")->isReadOnly());
        QVERIFY(kind<QLineEdit>(dlg, "edtVERB")->isReadOnly());
        QVERIFY(!sort->isReadOnly());
        sort->setText(QStringLiteral("abc"));
        QTest::mouseClick(kind<QPushButton>(dlg, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(21004));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(sort->hasFocus() || !dlg.isActiveWindow());
        QCOMPARE(nummer(8), 0); // nothing written
        sort->setText(QStringLiteral("5"));
        QTest::keyClick(sort, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.nummer(), 5);
        QCOMPARE(zustand().rueckgabe_zahl, 5);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstLosen)
#include "tst_losen.moc"
