#include "core/zustand.h"
#include "setup/gui/frmvereine.h"
#include "setup/vereine.h"
#include "support/fenstertest.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::kind;

class TstVereine : public obi::test::FensterTest
{
    Q_OBJECT

    void verein(int los, const QString &name, const QString &verband)
    {
        VereinEingabe e = verein_neu_eingabe();
        e.los = QString::number(los);
        e.name = name;
        e.verband = verband;
        QVERIFY(verein_speichern(e, true, 1).ok());
    }

    // Unlike FensterTest::tippen the focus stays where the test put it, so
    // no field is left (and checked) on the way.
    static void tippen(QWidget &w, const char *feld, const QString &text)
    {
        QLineEdit *f = kind<QLineEdit>(w, feld);
        f->selectAll();
        QTest::keyClicks(f, text); // typing sets the changed state
    }

private Q_SLOTS:
    void init() { fensterInit(); }
    void cleanup() { fensterCleanup(); }

    void pflegeLegtNeuenVereinAn()
    {
        TfrmVereine w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Vereine (Los-Nummern)"));
        // An empty tournament opens on a new row with lot number 0.
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Neuer Datensatz"));
        QCOMPARE(kind<QLineEdit>(w, "edtLOS")->text(), QStringLiteral("0"));
        QCOMPARE(kind<QLineEdit>(w, "edtSGLD")->text(), QStringLiteral("0,00"));
        QVERIFY(!kind<QPushButton>(w, "btnBeenden")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnQuittung")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnWiegelisten")->isEnabled());

        // Lot 0 must be changed first.
        tippen(w, "edtNAME", QStringLiteral("JC Beispiel"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        QVERIFY(m_melder.nimm(31006));
        QCOMPARE(w.focusWidget(), kind<QLineEdit>(w, "edtLOS"));

        tippen(w, "edtLOS", QStringLiteral("5"));
        tippen(w, "edtVERB", QStringLiteral("NW"));
        tippen(w, "edtSGLD", QStringLiteral("12,5"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);

        const auto v = verein_lesen(1, 5);
        QVERIFY(v.has_value());
        QCOMPARE(v->name, QStringLiteral("JC Beispiel"));
        QCOMPARE(v->verband, QStringLiteral("NW"));
        QCOMPARE(v->startgeld, 1250);
        // Maintenance stays open, showing the saved club.
        QVERIFY(w.isVisible());
        QCOMPARE(kind<QTableView>(w, "grdSFL")->model()->rowCount(), 1);
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Datensatz ändern"));
        QCOMPARE(kind<QLineEdit>(w, "edtSGLD")->text(), QStringLiteral("12,50"));
        QVERIFY(kind<QLineEdit>(w, "edtLOS")->isReadOnly());
        QVERIFY(kind<QPushButton>(w, "btnBeenden")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnSpeichern")->isEnabled());
        QCOMPARE(zustand().auswahl_wert2, QStringLiteral("5"));
    }

    void verlassenEinesFeldesPrueftEs()
    {
        verein(3, QStringLiteral("Vorhanden"), QString());
        TfrmVereine w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        kind<QPushButton>(w, "btnNeu")->click();
        QLineEdit *los = kind<QLineEdit>(w, "edtLOS");
        QCOMPARE(w.focusWidget(), los);
        tippen(w, "edtLOS", QStringLiteral("3"));
        QTest::keyClick(los, Qt::Key_Tab);
        QVERIFY(m_melder.nimm(18001));
        QCOMPARE(QApplication::focusWidget(), los);
        // Towards "Abbrechen" nothing is checked.
        tippen(w, "edtLOS", QStringLiteral("abc"));
        kind<QPushButton>(w, "btnAbbrechen")->setFocus();
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void schnellErfassungGibtNeuesLosZurueck()
    {
        zustand().auswahl_wert = QStringLiteral("7");
        TfrmVereine w;
        w.show();
        QCOMPARE(kind<QLineEdit>(w, "edtLOS")->text(), QStringLiteral("7"));
        QCOMPARE(w.focusWidget(), kind<QLineEdit>(w, "edtNAME"));
        tippen(w, "edtNAME", QStringLiteral("SV Neu"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(zustand().auswahl_wert2, QStringLiteral("7"));
        QCOMPARE(zustand().auswahl_modus, QStringLiteral("SV Neu"));
        QVERIFY(verein_lesen(1, 7).has_value());
    }

    void schnellErfassungBleibtBeiFehlerOffen()
    {
        verein(7, QStringLiteral("Schon da"), QString());
        zustand().auswahl_wert = QStringLiteral("7");
        TfrmVereine w;
        w.show();
        tippen(w, "edtNAME", QStringLiteral("SV Neu"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        QVERIFY(m_melder.nimm(18001));
        QVERIFY(w.isVisible());
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("SV Neu"));
        QVERIFY(zustand().auswahl_wert2.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void waageSchlaegtLosDesVerbandsVor()
    {
        verein(3, QStringLiteral("B drei"), QStringLiteral("B"));
        verein(7, QStringLiteral("B sieben"), QStringLiteral("B"));
        verein(8, QStringLiteral("A acht"), QStringLiteral("A"));
        zustand().auswahl_wert = QStringLiteral("W");
        zustand().auswahl_modus = QStringLiteral("JC Waage");
        zustand().auswahl_wert3 = QStringLiteral("B");
        TfrmVereine w;
        w.show();
        QCOMPARE(kind<QLineEdit>(w, "edtLOS")->text(), QStringLiteral("9"));
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("JC Waage"));
        QCOMPARE(kind<QLineEdit>(w, "edtVERB")->text(), QStringLiteral("B"));
        QCOMPARE(w.focusWidget(), kind<QPushButton>(w, "btnSpeichern"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert2, QStringLiteral("9"));
        QCOMPARE(zustand().auswahl_wert3, QStringLiteral("B"));
    }

    void auswahlGibtGewaehltenVereinZurueck()
    {
        verein(2, QStringLiteral("Zwei"), QStringLiteral("NW"));
        verein(4, QStringLiteral("Vier"), QStringLiteral("BAY"));
        zustand().auswahl_wert = QStringLiteral("0");
        TfrmVereine w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdSFL");
        QCOMPARE(grid->model()->rowCount(), 2);
        grid->setCurrentIndex(grid->model()->index(1, 0));
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("Vier"));
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert2, QStringLiteral("4"));
        QCOMPARE(zustand().auswahl_modus, QStringLiteral("Vier"));
        QCOMPARE(zustand().auswahl_wert3, QStringLiteral("BAY"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void pflegeGibtBeiEnterNichtsZurueck()
    {
        verein(2, QStringLiteral("Zwei"), QString());
        TfrmVereine w;
        w.show();
        QTest::keyClick(kind<QTableView>(w, "grdSFL"), Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(zustand().auswahl_wert2.isEmpty());
    }

    void suchenKopierenLoeschen()
    {
        verein(2, QStringLiteral("Jüdo Köln"), QStringLiteral("NW"));
        verein(4, QStringLiteral("TSV Bonn"), QStringLiteral("NW"));
        TfrmVereine w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdSFL");
        kind<QLineEdit>(w, "edtAuswName")->setText(QStringLiteral("köln "));
        kind<QPushButton>(w, "btnSuchen")->click();
        QCOMPARE(kind<QLineEdit>(w, "edtAuswName")->text(), QStringLiteral("KÖLN"));
        QCOMPARE(grid->model()->rowCount(), 1);
        // Nothing found: a new row opens, and the search stays usable.
        kind<QLineEdit>(w, "edtAuswName")->setText(QStringLiteral("XYZ"));
        kind<QPushButton>(w, "btnSuchen")->click();
        QCOMPARE(grid->model()->rowCount(), 0);
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Neuer Datensatz"));
        QVERIFY(kind<QPushButton>(w, "btnNeueSuche")->isEnabled());
        QVERIFY(kind<QPushButton>(w, "btnSuchen")->isEnabled());
        kind<QPushButton>(w, "btnNeueSuche")->click();
        kind<QPushButton>(w, "btnSuchen")->click();
        QCOMPARE(grid->model()->rowCount(), 2);
        QVERIFY(!kind<QPushButton>(w, "btnSpeichern")->isEnabled());

        // Copy keeps the data and asks for a new lot number.
        grid->setCurrentIndex(grid->model()->index(0, 0));
        kind<QPushButton>(w, "btnKopieren")->click();
        QCOMPARE(kind<QLineEdit>(w, "edtLOS")->text(), QStringLiteral("0"));
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("Jüdo Köln"));
        QVERIFY(!kind<QLineEdit>(w, "edtLOS")->isReadOnly());
        tippen(w, "edtLOS", QStringLiteral("6"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(kind<QLineEdit>(w, "edtLOS")->text(), QStringLiteral("6"));

        // A club with participants stays.
        QVERIFY(m_db.dm().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STLOS, STSORT) values (1, 1, 6, 0)")));
        kind<QPushButton>(w, "btnLoeschen")->click();
        QVERIFY(m_melder.nimm(18002));
        QVERIFY(m_melder.fragen.isEmpty());

        grid->setCurrentIndex(grid->model()->index(1, 0)); // lot 4
        m_melder.antworten << true;
        kind<QPushButton>(w, "btnLoeschen")->click();
        QCOMPARE(m_melder.fragen, QStringList{QStringLiteral("Diesen Datensatz löschen ?")});
        QVERIFY(!verein_lesen(1, 4).has_value());
        QCOMPARE(grid->model()->rowCount(), 2);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void verbandAusNachschlagetabelle()
    {
        verein(2, QStringLiteral("Zwei"), QString());
        zustand().auswahl_wert = QStringLiteral("0");
        zustand().auswahl_wert2.clear();
        TfrmVereine w;
        w.show();
        QLineEdit *verb = kind<QLineEdit>(w, "edtVERB");
        QString gewaehlt;
        imModalen([&gewaehlt](QWidget *picker) {
            QCOMPARE(picker->objectName(), QStringLiteral("frmTabMatchcode"));
            auto *grid = kind<QTableView>(picker, "grdTabPos");
            QVERIFY(grid->model()->rowCount() > 1);
            grid->setCurrentIndex(grid->model()->index(1, 0));
            gewaehlt = zelle(grid, 1, 0);
            knopf(picker, "btnOK")->click();
        });
        QTest::keyClick(verb, Qt::Key_F4);
        QVERIFY(!gewaehlt.isEmpty());
        QCOMPARE(verb->text(), gewaehlt);
        QVERIFY(kind<QPushButton>(w, "btnSpeichern")->isEnabled());
        // The picker's slots do not leak into what the caller reads.
        QVERIFY(zustand().auswahl_wert2.isEmpty());
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("0"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(zustand().auswahl_wert2, QStringLiteral("2"));
        QCOMPARE(verein_lesen(1, 2)->verband, gewaehlt);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void abbrechenVerwirftEingaben()
    {
        verein(2, QStringLiteral("Zwei"), QString());
        TfrmVereine w;
        w.show();
        tippen(w, "edtNAME", QStringLiteral("Anders"));
        QVERIFY(kind<QPushButton>(w, "btnSpeichern")->isEnabled());
        QVERIFY(!kind<QTableView>(w, "grdSFL")->isEnabled());
        kind<QPushButton>(w, "btnAbbrechen")->click();
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("Zwei"));
        QVERIFY(!kind<QPushButton>(w, "btnSpeichern")->isEnabled());
        QVERIFY(kind<QTableView>(w, "grdSFL")->isEnabled());
        QCOMPARE(verein_lesen(1, 2)->name, QStringLiteral("Zwei"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstVereine)
#include "tst_vereine.moc"
