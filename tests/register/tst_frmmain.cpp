#include "core/datenbank.h"
#include "core/gui/frminfo.h"
#include "core/gui/frmwait.h"
#include "core/zustand.h"
#include "register/gui/frmeingabestnr.h"
#include "register/gui/frmmain.h"
#include "support/fenstertest.h"
#include "teilnehmer_testdaten.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QWheelEvent>
#include <QtTest>

#include <memory>

using namespace obi;
using obi::test::FensterStart;

class TstFrmMain : public obi::test::FensterTest
{
    Q_OBJECT

    std::unique_ptr<TfrmMain> m_w;

    template<typename T> T *kind(const char *name) { return obi::test::kind<T>(*m_w, name); }

    QLineEdit *edt(const char *name) { return kind<QLineEdit>(name); }
    QPushButton *btn(const char *name) { return kind<QPushButton>(name); }
    QTableView *grid() { return kind<QTableView>("grdStarter"); }

    void tippen(const char *feld, const QString &text) { FensterTest::tippen(*m_w, feld, text); }

    int anzahl(const QString &sql) { return m_db.dm().einzelwert(sql).toInt(); }

    // A main window that runs the start-up sequence on the test database.
    void startfenster(const QString &iniZusatz)
    {
        m_w.reset();
        m_db.schreibeIni(iniZusatz);
        zustand_zuruecksetzen();
        m_w = std::make_unique<TfrmMain>();
        m_w->show();
    }

private Q_SLOTS:
    void init()
    {
        if (!fensterInit(FensterStart().alsBenutzer(QStringLiteral("tester"))))
            return;
        QVERIFY(test::teilnehmer_testdaten(m_db.dm()));
        zustand().aktueller_wettkampfname = QStringLiteral("Testturnier");
        m_w = std::make_unique<TfrmMain>();
        m_w->setze_startablauf(false);
        m_w->wettkampf_uebernehmen();
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        m_w->activateWindow();
    }

    void cleanup()
    {
        m_w.reset();
        fensterCleanup();
    }

    void zeigtTeilnehmerDesWettkampfs()
    {
        QCOMPARE(grid()->model()->rowCount(), 4); // the participant without club row is not listed
        QCOMPARE(grid()->model()->index(0, 0).data().toString(), QStringLiteral("BRAUN"));
        QCOMPARE(grid()->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Verein"));
        QCOMPARE(grid()->currentIndex().row(), 0);
        QCOMPARE(edt("edtNAME")->text(), QStringLiteral("BRAUN"));
        QCOMPARE(edt("edtSTNR")->text(), QStringLiteral("3"));
        QCOMPARE(edt("edtVEREIN")->text(), QStringLiteral("TSV Nord"));
        QCOMPARE(edt("edtGEWN")->text(), QStringLiteral("51,0"));
        QCOMPARE(kind<QLabel>("lblPanel1")->text(), QStringLiteral(" Ausgewählte Datensätze: 4"));
        QCOMPARE(kind<QLabel>("lblPanel2")->text(), QStringLiteral(" Benutzer: tester"));
        QCOMPARE(kind<QLabel>("lblPanel1")->width(), 220);
        QCOMPARE(m_w->windowTitle(), QStringLiteral("OBITRACK5 - Testturnier"));
        QCOMPARE(m_w->bearbeitungsmodus(), QStringLiteral("U"));
        QCOMPARE(kind<QGroupBox>("grpEingabe")->title(), QStringLiteral("Datensatz ändern"));
        // Field activations of the tournament: year, weight, remark on; place, list position off.
        QVERIFY(edt("edtJG")->isEnabled());
        QVERIFY(!edt("edtPLTZ")->isEnabled());
        QVERIFY(!edt("edtSETZ")->isEnabled());

        // Moving the grid row fills the panel.
        grid()->setCurrentIndex(grid()->model()->index(1, 0));
        QCOMPARE(edt("edtNAME")->text(), QStringLiteral("MEIER"));

        // Search: name substring, Enter reloads.
        tippen("edtSuchName", QStringLiteral("eist"));
        QTest::keyClick(edt("edtSuchName"), Qt::Key_Return);
        QCOMPARE(edt("edtSuchName")->text(), QStringLiteral("EIST"));
        QCOMPARE(grid()->model()->rowCount(), 1);
        QCOMPARE(kind<QLabel>("lblPanel1")->text(), QStringLiteral(" Ausgewählte Datensätze: 1"));
        QTest::mouseClick(btn("btnNeueSuche"), Qt::LeftButton);
        QCOMPARE(grid()->model()->rowCount(), 4);
        QVERIFY(edt("edtSuchName")->text().isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void tippenSchaltetInDenAenderungszustand()
    {
        QVERIFY(!m_w->geaendert());
        QVERIFY(!btn("btnSpeichern")->isEnabled());
        QVERIFY(btn("btnNeu")->isEnabled());
        tippen("edtVNAM", QStringLiteral("X"));
        QVERIFY(m_w->geaendert());
        QVERIFY(btn("btnSpeichern")->isEnabled());
        QVERIFY(btn("btnAbbrechen")->isEnabled());
        QVERIFY(!grid()->isEnabled());
        QVERIFY(!kind<QGroupBox>("grpSuche")->isEnabled());
        QVERIFY(!btn("btnNeu")->isEnabled());
        QVERIFY(!btn("btnKopieren")->isEnabled());
        QVERIFY(!btn("btnLoeschen")->isEnabled());

        QTest::mouseClick(btn("btnAbbrechen"), Qt::LeftButton);
        QVERIFY(!m_w->geaendert());
        QCOMPARE(edt("edtVNAM")->text(), QStringLiteral("Anna"));
        QVERIFY(grid()->isEnabled());
        QVERIFY(!btn("btnSpeichern")->isEnabled());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void neuenTeilnehmerSpeichern()
    {
        QTest::mouseClick(btn("btnNeu"), Qt::LeftButton);
        QCOMPARE(m_w->bearbeitungsmodus(), QStringLiteral("I"));
        QCOMPARE(kind<QGroupBox>("grpEingabe")->title(), QStringLiteral("Neuer Datensatz"));
        QCOMPARE(edt("edtSTNR")->text(), QStringLiteral("0"));
        QCOMPARE(edt("edtLOS")->text(), QStringLiteral("0"));
        QVERIFY(m_w->geaendert());
        tippen("edtAKID", QStringLiteral("maenner"));
        tippen("edtNAME", QStringLiteral("NEUMANN"));
        tippen("edtVNAM", QStringLiteral("Nina"));
        tippen("edtGEWK", QStringLiteral("-81"));
        tippen("edtLOS", QStringLiteral("2"));
        tippen("edtJG", QStringLiteral("75"));
        QTest::mouseClick(btn("btnSpeichern"), Qt::LeftButton);
        OBITRACK_KEINE_MELDUNG(m_melder);

        QVERIFY(!m_w->geaendert());
        QCOMPARE(m_w->bearbeitungsmodus(), QStringLiteral("U"));
        QCOMPARE(edt("edtSTNR")->text(), QStringLiteral("6"));
        QCOMPARE(edt("edtAKID")->text(), QStringLiteral("MAENNER"));
        QCOMPARE(edt("edtJG")->text(), QStringLiteral("1975"));
        QCOMPARE(grid()->model()->rowCount(), 5);
        // The grid stands on the saved participant.
        QCOMPARE(grid()->model()->index(grid()->currentIndex().row(), 0).data().toString(), QStringLiteral("NEUMANN"));
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STWKNR = 1 and STSTNR = 6 and "
                                       "STNAME = 'NEUMANN' and STJG = 1975 and STLOS = 2")),
                 1);

        // Copy and save: a new start number with the same data.
        QTest::mouseClick(btn("btnKopieren"), Qt::LeftButton);
        QCOMPARE(m_w->bearbeitungsmodus(), QStringLiteral("I"));
        QTest::mouseClick(btn("btnSpeichern"), Qt::LeftButton);
        QCOMPARE(edt("edtSTNR")->text(), QStringLiteral("7"));
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STWKNR = 1 and STNAME = 'NEUMANN'")), 2);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void fehlerhaftesFeldMeldetUndBehaeltDieEingabe()
    {
        QTest::mouseClick(btn("btnNeu"), Qt::LeftButton);
        tippen("edtAKID", QStringLiteral("U18"));
        tippen("edtNAME", QStringLiteral("JUNG"));
        tippen("edtGEWK", QStringLiteral("-60"));
        tippen("edtLOS", QStringLiteral("1"));
        tippen("edtJG", QStringLiteral("0"));
        QTest::mouseClick(btn("btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(31004));
        QVERIFY(m_w->geaendert());
        QCOMPARE(edt("edtNAME")->text(), QStringLiteral("JUNG"));
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STNAME = 'JUNG'")), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void jahrgangUndPlatzBeimVerlassen()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        tippen("edtJG", QStringLiteral("5"));
        edt("edtGEWN")->setFocus();
        QCOMPARE(edt("edtJG")->text(), QStringLiteral("2005"));
        m_w->abbrechen();

        // Place completion (field switched on for this case).
        QTest::mouseClick(kind<QCheckBox>("chkPLTZ"), Qt::LeftButton);
        QVERIFY(edt("edtPLTZ")->isEnabled());
        QCOMPARE(anzahl(QStringLiteral("select WKFLDP from wettkampf where WKWKNR = 1")), 1);
        tippen("edtPLTZ", QStringLiteral("3"));
        edt("edtNAME")->setFocus();
        QCOMPARE(edt("edtPLTZ")->text(), QStringLiteral("3."));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void losnummerOhneVereinOeffnetDasVereinsfenster()
    {
        QTest::mouseClick(btn("btnNeu"), Qt::LeftButton);
        tippen("edtAKID", QStringLiteral("MAENNER"));
        tippen("edtNAME", QStringLiteral("OHNE"));
        tippen("edtGEWK", QStringLiteral("-73"));
        tippen("edtLOS", QStringLiteral("7"));
        QString anfrage;
        beantworte<QDialog>(QStringLiteral("frmVereine"), { [&anfrage](QDialog &dlg) {
            anfrage = zustand().auswahl_wert;
            dlg.reject(); // closed without a lot number
        } });
        QTest::mouseClick(btn("btnSpeichern"), Qt::LeftButton);
        QCOMPARE(anfrage, QStringLiteral("7"));
        QVERIFY(m_melder.nimm(31005));
        QVERIFY(m_w->geaendert());
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STNAME = 'OHNE'")), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void altersklassenTeilAuswahlOeffnetDieAuswahl()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QTest::mouseClick(btn("btnNeu"), Qt::LeftButton);
        tippen("edtAKID", QStringLiteral("18"));
        QString filter;
        beantworte<QDialog>(QStringLiteral("frmMatchcodeAK"), { [&filter](QDialog &dlg) {
            filter = obi::test::kind<QLineEdit>(dlg, "edtAusw")->text();
            dlg.reject();
        } });
        edt("edtNAME")->setFocus(); // leaving the field checks it
        QCOMPARE(filter, QStringLiteral("%18"));
        QVERIFY(m_melder.nimm(31002));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void loeschenAuswahlFragtMitGenauerAnzahl()
    {
        tippen("edtSuchName", QStringLiteral("mei"));
        m_melder.antworten << true;
        kind<QAction>("mnuLoeschenAuswahl")->trigger();
        QCOMPARE(m_melder.fragen, QStringList { QStringLiteral("2 angezeigte Datensätze löschen ?") });
        QVERIFY(m_melder.nimm(308));
        // "Neue Suche" afterwards.
        QVERIFY(edt("edtSuchName")->text().isEmpty());
        QCOMPARE(grid()->model()->rowCount(), 2);
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STWKNR = 1")), 3);

        // Declined: nothing happens.
        m_melder.antworten << false;
        kind<QAction>("mnuLoeschenAuswahl")->trigger();
        QCOMPARE(m_melder.fragen.last(), QStringLiteral("3 angezeigte Datensätze löschen ?"));
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STWKNR = 1")), 3);

        // Nothing selected: 9901.
        tippen("edtSuchName", QStringLiteral("XYZ"));
        kind<QAction>("mnuLoeschenAuswahl")->trigger();
        QVERIFY(m_melder.nimm(9901));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void einzelnLoeschenFragt()
    {
        m_melder.antworten << true;
        QTest::mouseClick(btn("btnLoeschen"), Qt::LeftButton);
        QCOMPARE(m_melder.fragen, QStringList { QStringLiteral("Den ausgewählten Datensatz löschen ?") });
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter where STWKNR = 1 and STSTNR = 3")), 0);
        QCOMPARE(grid()->model()->rowCount(), 3);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void startnummerMitFalscherPruefziffer()
    {
        TfrmEingabe_STNR *dlg = m_w->stnrDialog();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("OBITRACK"));
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        auto *feld = dlg->findChild<QLineEdit *>(QStringLiteral("edtSTNR"));
        QVERIFY(feld);
        const QString falsch = QStringLiteral("5") + QString::number((pruefziffer(5) + 1) % 10);
        QTest::keyClicks(feld, falsch);
        QTest::keyClick(feld, Qt::Key_Return);
        QVERIFY(m_melder.nimm(31008));
        QVERIFY(dlg->isVisible());
        QCOMPARE(zustand().rueckgabe_zahl, 0);

        feld->clear();
        QTest::keyClicks(feld, QStringLiteral("5") + QString::number(pruefziffer(5)));
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(zustand().rueckgabe_zahl, 5);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void auffindenStelltAufDenTeilnehmer()
    {
        tippen("edtSuchName", QStringLiteral("MEI"));
        QTest::keyClick(edt("edtSuchName"), Qt::Key_Return);
        QTimer::singleShot(0, this, [this] {
            auto *dlg = m_w->stnrDialog();
            auto *feld = dlg->findChild<QLineEdit *>(QStringLiteral("edtSTNR"));
            QTest::keyClicks(feld, QStringLiteral("5") + QString::number(pruefziffer(5)));
            QTest::keyClick(feld, Qt::Key_Return);
        });
        kind<QAction>("mnuAuffinden")->trigger();
        QVERIFY(zustand().auffinden_weiter);
        QVERIFY(edt("edtSuchName")->text().isEmpty());
        QCOMPARE(grid()->model()->rowCount(), 4);
        QCOMPARE(edt("edtNAME")->text(), QStringLiteral("SCHULZ"));
        zustand().auffinden_weiter = false;
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void leereAuswahlUndSpeichernMeldet21010()
    {
        tippen("edtSuchName", QStringLiteral("XYZ"));
        QTest::mouseClick(btn("btnSuchen"), Qt::LeftButton);
        QCOMPARE(grid()->model()->rowCount(), 0);
        QCOMPARE(m_w->bearbeitungsmodus(), QStringLiteral("U"));
        QVERIFY(edt("edtNAME")->text().isEmpty());
        tippen("edtNAME", QStringLiteral("A"));
        QVERIFY(m_w->geaendert());
        QTest::mouseClick(btn("btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(21010));
        QVERIFY(!m_w->geaendert());
        QCOMPARE(anzahl(QStringLiteral("select count(*) from starter")), 6);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void mausradBewegtDieZeile()
    {
        QWidget *vp = grid()->viewport();
        auto drehen = [vp](int delta) {
            const QPointF pos(10, 10);
            QWheelEvent e(pos, vp->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(vp, &e);
        };
        QCOMPARE(grid()->currentIndex().row(), 0);
        drehen(-120); // towards the user: down
        QCOMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(edt("edtNAME")->text(), QStringLiteral("MEIER"));
        drehen(-240); // two notches at once
        QCOMPARE(grid()->currentIndex().row(), 3);
        drehen(-120); // stays on the last row
        QCOMPARE(grid()->currentIndex().row(), 3);
        drehen(120); // away from the user: up
        QCOMPARE(grid()->currentIndex().row(), 2);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void menueEintraegeUndTasten()
    {
        struct Eintrag {
            const char *name;
            bool aktiv;
            QKeySequence taste;
        };
        const Eintrag eintraege[] = {
            { "mnuAuffinden", true, QKeySequence(Qt::Key_F2) },
            { "mnuWettkampfLaden", true, QKeySequence(Qt::SHIFT | Qt::Key_F2) },
            { "mnuBeenden", true, {} },
            { "mnuTeilnehmerZaehlen", true, {} },
            { "mnuLoeschenAuswahl", true, {} },
            { "mnuInfo", true, {} },
            { "mnuVereine", true, {} },
            { "mnuTabellen", true, {} },
            { "mnuWettkampfBearbeiten", true, {} },
            { "mnuDruckerWaehlen", true, {} },
            { "mnuUebersicht", false, QKeySequence(Qt::Key_F5) },
            { "mnuWiegen", false, QKeySequence(Qt::Key_F8) },
            { "mnuWettkampflisten", true, QKeySequence(Qt::Key_F6) },
            { "mnuStartkarte", false, QKeySequence(Qt::SHIFT | Qt::Key_F12) },
            { "mnuBarcodeLabel", false, {} },
            { "mnuSonderzeichen", false, {} },
            { "mnuListenfuehrung", false, {} },
            { "mnuStreichung", true, {} },
            { "mnuImportDEM", false, {} },
        };
        for (const Eintrag &e : eintraege) {
            QAction *a = kind<QAction>(e.name);
            QVERIFY2(a->isEnabled() == e.aktiv, e.name);
            QCOMPARE(a->shortcut(), e.taste);
        }
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void wettkampflistenOeffnenLeer()
    {
        zustand().auswahl_wert = QStringLiteral("alt");
        zustand().auswahl_wert2 = QStringLiteral("alt");
        QString akid = QStringLiteral("?");
        beantworte<QDialog>(QStringLiteral("frmWKListen"), { [&akid](QDialog &dlg) {
            akid = feld(&dlg, "edtAKID")->text();
            knopf(&dlg, "btnBeenden")->click();
        } });
        kind<QAction>("mnuWettkampflisten")->trigger();
        QCOMPARE(akid, QString());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void teilnehmerZaehlen()
    {
        kind<QAction>("mnuTeilnehmerZaehlen")->trigger();
        QVERIFY(m_melder.nimm(302));
        QCOMPARE(anzahl(QStringLiteral("select VEANZA from vereine where VEWKNR = 1 and VELOS = 1")), 2);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void startWaehltDenWettkampf()
    {
        startfenster(QStringLiteral("[anzeige]\nblau_oben=1\n"));
        beantworte<QDialog>(QStringLiteral("frmWKLaden"), { [](QDialog &dlg) {
            // The newest tournament is the first row.
            QTest::mouseClick(knopf(&dlg, "btnOK"), Qt::LeftButton);
        } });
        QTRY_COMPARE(m_w->windowTitle(), QStringLiteral("OBITRACK5 - Anderes"));
        QTRY_VERIFY(zustand().blau_oben);
        QCOMPARE(zustand().aktueller_wettkampf, QStringLiteral("2"));
        QCOMPARE(zustand().meldungs_titel, QStringLiteral("OBITRACK"));
        QCOMPARE(zustand().drucker_index, 4765);
        QCOMPARE(grid()->model()->rowCount(), 1);
        QCOMPARE(edt("edtVNAM")->text(), QStringLiteral("Fremd"));
        QVERIFY(m_w->isVisible());
        QVERIFY(!kind<QAction>("mnuBarcodeLabel")->isEnabled());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void startOhneWettkampfEndet()
    {
        startfenster(QString());
        beantworte<QDialog>(QStringLiteral("frmWKLaden"), { [](QDialog &dlg) {
            QTest::mouseClick(knopf(&dlg, "btnBeenden"), Qt::LeftButton);
        } });
        QTRY_VERIFY(!m_w->isVisible());
        QVERIFY(m_melder.nimm(19903));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void kleineFenster()
    {
        TfrmInfo info;
        QCOMPARE(info.windowTitle(), QStringLiteral("OBITRACK - Programminfo"));
        QCOMPARE(info.findChild<QLabel *>(QStringLiteral("lblProdukt"))->text(), QStringLiteral("OBITRACK 5"));
        QCOMPARE(info.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 3.02"));
        for (const char *bild : {"imgMatte", "imgGuertel"})
            QVERIFY2(!obi::test::kind<QLabel>(info, bild)->pixmap().isNull(), bild);

        m_w->warten(true);
        auto *warten = m_w->findChild<QDialog *>(QStringLiteral("frmWarten"));
        QVERIFY(warten && warten->isVisible());
        m_w->warten(false);
        QVERIFY(!warten->isVisible());

        TfrmWait wait;
        wait.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wait));
        QTest::mouseClick(wait.findChild<QLabel *>(QStringLiteral("lblText")), Qt::LeftButton);
        QVERIFY(!wait.isVisible());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void beendenSchliesstDasFenster()
    {
        kind<QAction>("mnuBeenden")->trigger();
        QVERIFY(!m_w->isVisible());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstFrmMain)
#include "tst_frmmain.moc"
