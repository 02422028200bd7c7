#include "core/datenbank.h"
#include "core/zustand.h"
#include "register/gui/frmmain.h"
#include "register/gui/frmstreichung.h"
#include "streichung_testdaten.h"
#include "support/fenstertest.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::FensterStart;
using obi::test::kind;

class TstStreichung : public obi::test::FensterTest
{
    Q_OBJECT

    int status(int stnr)
    {
        return m_db.dm()
            .einzelwert(QStringLiteral("select STSTAT from starter where STWKNR = 1 and STSTNR = ?"), { stnr })
            .toInt();
    }
    int entschieden()
    {
        return m_db.dm().anzahl_Saetze(
            QStringLiteral("select * from wk_liste where WLWKNR = 1 and WLLPOS < 1000 and WLSTAT = 5"));
    }

private Q_SLOTS:
    void init()
    {
        if (!fensterInit(FensterStart().alsBenutzer(QStringLiteral("tester"))))
            return;
        zustand().aktueller_wettkampfname = QStringLiteral("Testturnier");
        QVERIFY(test::streichung_testdaten(m_db.dm()));
    }
    void cleanup() { fensterCleanup(); }

    void oeffnenFuelltFelderSpeichernSchliesst()
    {
        zustand().auswahl_wert = QStringLiteral("1");
        TfrmStreichung w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Judoka aus Wettkampfliste streichen"));
        QCOMPARE(feld(&w, "edtAKID")->text(), QStringLiteral("U18"));
        QCOMPARE(feld(&w, "edtGEWK")->text(), QStringLiteral("-60"));
        QCOMPARE(feld(&w, "edtNAME")->text(), QStringLiteral("MEIER"));
        QCOMPARE(feld(&w, "edtVNAM")->text(), QStringLiteral("Hans"));
        QCOMPARE(feld(&w, "edtVENAME")->text(), QStringLiteral("JC Mitte"));
        QCOMPARE(feld(&w, "edtVEVERB")->text(), QStringLiteral("BE"));
        QVERIFY(!feld(&w, "edtVENAME")->isEnabled());
        QVERIFY(!feld(&w, "edtVEVERB")->isEnabled());
        QVERIFY(feld(&w, "edtNAME")->isReadOnly());
        QCOMPARE(feld(&w, "edtTEXT")->text(), QStringLiteral("Knie"));
        QCOMPARE(feld(&w, "edtSTAT")->text(), QStringLiteral("0"));
        QCOMPARE(kind<QLabel>(&w, "lblSTAT")->text(), QStringLiteral("Aktiv"));
        QCOMPARE(w.focusWidget(), feld(&w, "edtSTAT"));
        QVERIFY(knopf(&w, "btnSpeichern")->isEnabled());

        feld(&w, "edtSTAT")->setText(QStringLiteral("11"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY2(!w.isVisible(), qPrintable(m_melder.rest()));
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(status(1), 11);
        QCOMPARE(entschieden(), 2);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void unbekannterCodeBleibtOffen()
    {
        zustand().auswahl_wert = QStringLiteral("2");
        TfrmStreichung w;
        w.show();
        feld(&w, "edtSTAT")->setText(QStringLiteral("x13"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(21005));
        QVERIFY(w.isVisible());
        QCOMPARE(feld(&w, "edtSTAT")->text(), QStringLiteral("13"));
        QVERIFY(kind<QLabel>(&w, "lblSTAT")->text().isEmpty());
        QCOMPARE(w.focusWidget(), feld(&w, "edtSTAT"));
        QCOMPARE(status(2), 0);
        QCOMPARE(entschieden(), 0);

        // "&Abbrechen" reads the participant again.
        QTest::mouseClick(knopf(&w, "btnAbbrechen"), Qt::LeftButton);
        QCOMPARE(feld(&w, "edtSTAT")->text(), QStringLiteral("0"));
        QCOMPARE(kind<QLabel>(&w, "lblSTAT")->text(), QStringLiteral("Aktiv"));
        QVERIFY(w.isVisible());

        // "Beenden" closes without saving.
        feld(&w, "edtSTAT")->setText(QStringLiteral("12"));
        QTest::mouseClick(knopf(&w, "btnBeenden"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(status(2), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void ohneOffenenKampfMeldungBeimOeffnen()
    {
        zustand().auswahl_wert = QStringLiteral("4");
        TfrmStreichung w;
        QVERIFY(m_melder.nimm(31054));
        w.show();
        feld(&w, "edtSTAT")->setText(QStringLiteral("11"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(31054));
        QVERIFY(w.isVisible());
        QCOMPARE(status(4), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void nichtGefundenSperrtSpeichern()
    {
        for (const char *stnr : { "99", "5", "" }) {
            zustand().auswahl_wert = QString::fromLatin1(stnr);
            TfrmStreichung w;
            w.show();
            QVERIFY2(m_melder.nimm(0), stnr);
            QVERIFY(feld(&w, "edtNAME")->text().isEmpty());
            QVERIFY(!knopf(&w, "btnSpeichern")->isEnabled());
            QVERIFY(!knopf(&w, "btnAbbrechen")->isEnabled());
            QVERIFY(knopf(&w, "btnBeenden")->isEnabled());
            OBITRACK_KEINE_MELDUNG(m_melder);
        }
    }

    void f4WaehltAusTabelle()
    {
        zustand().auswahl_wert = QStringLiteral("3");
        TfrmStreichung w;
        w.show();
        bool geoeffnet = false;
        imModalen([&](QWidget *p) {
            geoeffnet = true;
            auto *grid = kind<QTableView>(p, "grdTabPos");
            for (int i = 0; i < grid->model()->rowCount(); ++i)
                if (grid->model()->index(i, 0).data().toString() == QStringLiteral("12"))
                    grid->setCurrentIndex(grid->model()->index(i, 0));
            QTest::mouseClick(knopf(p, "btnOK"), Qt::LeftButton);
        });
        QTest::keyClick(feld(&w, "edtSTAT"), Qt::Key_F4);
        QVERIFY(geoeffnet);
        QCOMPARE(feld(&w, "edtSTAT")->text(), QStringLiteral("12"));
        QCOMPARE(kind<QLabel>(&w, "lblSTAT")->text(), QStringLiteral("disqualifiziert"));
        // The picker does not take the slot the window was opened with.
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("3"));

        // Cancelling the picker keeps the field.
        imModalen([](QWidget *p) { QTest::mouseClick(knopf(p, "btnAbbrechen"), Qt::LeftButton); });
        QTest::mouseDClick(feld(&w, "edtSTAT"), Qt::LeftButton);
        QCOMPARE(feld(&w, "edtSTAT")->text(), QStringLiteral("12"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void menueEintrag()
    {
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("update starter set STSTAT = 11 where STWKNR = 1 and STSTNR = 1")));
        TfrmMain m;
        m.setze_startablauf(false);
        m.wettkampf_uebernehmen();
        m.show();
        QAction *eintrag = kind<QAction>(&m, "mnuStreichung");
        QVERIFY(eintrag->isEnabled());

        // Nobody shown in the register.
        feld(&m, "edtSuchName")->setText(QStringLiteral("NIEMAND"));
        m.daten_lesen();
        QVERIFY(feld(&m, "edtSTNR")->text().isEmpty());
        eintrag->trigger();
        QVERIFY(m_melder.nimm(3013));
        OBITRACK_KEINE_MELDUNG(m_melder);

        // The participant shown: the window opens for him; afterwards the
        // register shows the new status on the same participant.
        feld(&m, "edtSuchName")->clear();
        m.daten_lesen();
        auto *grid = kind<QTableView>(&m, "grdStarter");
        for (int i = 0; i < grid->model()->rowCount(); ++i)
            if (grid->model()->index(i, 0).data().toString() == QStringLiteral("MEIER"))
                grid->setCurrentIndex(grid->model()->index(i, 0));
        QCOMPARE(feld(&m, "edtSTNR")->text(), QStringLiteral("1"));
        QCOMPARE(kind<QLabel>(&m, "lblStatus")->text(), QStringLiteral("verletzt"));
        QString geoeffnet;
        imModalen([&](QWidget *w) {
            geoeffnet = feld(w, "edtNAME")->text();
            QCOMPARE(feld(w, "edtSTAT")->text(), QStringLiteral("11"));
            feld(w, "edtSTAT")->setText(QStringLiteral("0"));
            QTest::mouseClick(knopf(w, "btnSpeichern"), Qt::LeftButton);
            if (w->isVisible())
                qobject_cast<QDialog *>(w)->reject(); // never leave the test waiting
        });
        eintrag->trigger();
        QCOMPARE(geoeffnet, QStringLiteral("MEIER"));
        QCOMPARE(status(1), 0);
        QCOMPARE(feld(&m, "edtSTNR")->text(), QStringLiteral("1"));
        QVERIFY(kind<QLabel>(&m, "lblStatus")->text().isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstStreichung)
#include "tst_streichung.moc"
