#include "register/gui/frmgetdate.h"
#include "register/gui/frmwettkampf.h"
#include "register/gui/frmwkladen.h"

#include "core/basis.h"
#include "core/zustand.h"
#include "register/wettkampf.h"
#include "support/fenstertest.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::FensterStart;

class TstWettkampfFenster : public obi::test::FensterTest
{
    Q_OBJECT

    int neu(const QString &name, const QString &datum)
    {
        WettkampfDaten d = wettkampf_vorgabe();
        d.bezeichnung = name;
        d.datum = datum;
        return wettkampf_speichern(d).value_or(0);
    }
    int anzahl(const QString &sql, const QVariantList &werte = {}) { return m_db.dm().anzahl_Saetze(sql, werte); }

    static QTableView *grid(QWidget *w) { return w->findChild<QTableView *>(QStringLiteral("grdWettkampf")); }

private Q_SLOTS:
    void init() { fensterInit(FensterStart().ohneWettkampf().alsBenutzer(QStringLiteral("tester"))); }
    void cleanup() { fensterCleanup(); }

    void auswahlUebernimmtGewaehltenWettkampf()
    {
        const int alt = neu(QStringLiteral("Alt"), QStringLiteral("01.01.2020"));
        const int jung = neu(QStringLiteral("Jung"), QStringLiteral("01.01.2026"));
        TfrmWKLaden dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("OBITRACK - Auswahl Wettkampf"));
        QVERIFY(knopf(&dlg, "btnOK")->isVisible());
        QVERIFY(knopf(&dlg, "btnNeu")->isVisible());
        QVERIFY(!knopf(&dlg, "btnLoeschen")->isVisible());
        QTableView *g = grid(&dlg);
        QCOMPARE(g->model()->rowCount(), 2);
        // Newest first, the date as dd.mm.yyyy.
        QCOMPARE(g->model()->index(0, 1).data().toString(), QStringLiteral("Jung"));
        QCOMPARE(g->model()->index(0, 0).data().toString(), QStringLiteral("01.01.2026"));
        g->setCurrentIndex(g->model()->index(1, 0));
        QTest::mouseClick(knopf(&dlg, "btnOK"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(alt));
        QCOMPARE(zustand().aktueller_wettkampfname, QStringLiteral("Alt"));

        // Enter in the grid chooses as well, also on the next show.
        dlg.show();
        QCOMPARE(grid(&dlg)->model()->rowCount(), 2);
        grid(&dlg)->setFocus();
        QTest::keyClick(grid(&dlg), Qt::Key_Return);
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(jung));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void leereTabelleNeuLegtWettkampfEinsAn()
    {
        TfrmWKLaden dlg;
        dlg.show();
        QTest::mouseClick(knopf(&dlg, "btnOK"), Qt::LeftButton);
        QVERIFY(dlg.isVisible()); // nothing to choose
        QCOMPARE(zustand().aktueller_wettkampf, QStringLiteral("0"));

        bool geoeffnet = false;
        imModalen([&](QWidget *w) {
            geoeffnet = qobject_cast<TfrmWettkampf *>(w) != nullptr;
            QCOMPARE(w->windowTitle(), QStringLiteral("OBITRACK - Wettkampf anlegen"));
            QCOMPARE(feld(w, "edtNummer")->text(), QStringLiteral("0"));
            QCOMPARE(feld(w, "edtBezeichnung")->text(), QStringLiteral("neuer Wettkampf"));
            QCOMPARE(feld(w, "edtStartgeld")->text(), QStringLiteral("0,00"));
            feld(w, "edtBezeichnung")->setText(QStringLiteral("Stadtmeisterschaft"));
            feld(w, "edtStartgeld")->setText(QStringLiteral("12,50"));
            QTest::mouseClick(knopf(w, "btnSpeichern"), Qt::LeftButton);
        });
        QTest::mouseClick(knopf(&dlg, "btnNeu"), Qt::LeftButton);
        QVERIFY(geoeffnet);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(zustand().aktueller_wettkampf, QStringLiteral("1"));
        QCOMPARE(zustand().aktueller_wettkampfname, QStringLiteral("Stadtmeisterschaft"));
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("OK"));
        QCOMPARE(m_db.dm().einzelwert(QStringLiteral("select WKSGLD from wettkampf where WKWKNR = 1")).toDouble(),
                 12.5);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void neuAbgebrochenLaesstKeinenWettkampfAktuell()
    {
        const int a = neu(QStringLiteral("A"), QStringLiteral("01.01.2026"));
        zustand().aktueller_wettkampf = QString::number(a);
        TfrmWKLaden dlg;
        dlg.show();
        imModalen([](QWidget *w) { QTest::mouseClick(knopf(w, "btnAbbrechen"), Qt::LeftButton); });
        QTest::mouseClick(knopf(&dlg, "btnNeu"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(zustand().aktueller_wettkampf, QStringLiteral("0"));
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf")), 1);
        // Choosing a row restores one.
        QTest::mouseClick(knopf(&dlg, "btnOK"), Qt::LeftButton);
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(a));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void loeschenFragtUndLoescht()
    {
        const int a = neu(QStringLiteral("A"), QStringLiteral("01.01.2020"));
        const int b = neu(QStringLiteral("B"), QStringLiteral("01.01.2026"));
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("insert into starter (STWKNR, STSTNR) values (?, 1), (?, 1)"),
                                       { a, b }));
        zustand().aktueller_wettkampf = QString::number(b);
        zustand().auswahl_modus = QStringLiteral("D");
        TfrmWKLaden dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("OBITRACK - Löschen eines Wettkampfs"));
        QVERIFY(!knopf(&dlg, "btnOK")->isVisible());
        QVERIFY(!knopf(&dlg, "btnNeu")->isVisible());
        QVERIFY(knopf(&dlg, "btnLoeschen")->isVisible());

        // The second question answered with "Abbrechen": nothing is deleted.
        grid(&dlg)->setCurrentIndex(grid(&dlg)->model()->index(0, 0));
        m_melder.antworten = { true, false };
        QTest::mouseClick(knopf(&dlg, "btnLoeschen"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_melder.fragen,
                 (QStringList { QStringLiteral("Möchten Sie diesen Wettkampf mit allen Daten löschen ?"),
                                QStringLiteral("Daten gehen unwiderruflich verloren") }));
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf")), 2);

        // Both confirmed: the current tournament goes with all its rows.
        m_melder.antworten = { true, true };
        QTest::mouseClick(knopf(&dlg, "btnLoeschen"), Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(zustand().aktueller_wettkampf, QStringLiteral("0"));
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf where WKWKNR = ?"), { b }), 0);
        QCOMPARE(anzahl(QStringLiteral("select * from starter where STWKNR = ?"), { b }), 0);
        QCOMPARE(anzahl(QStringLiteral("select * from starter where STWKNR = ?"), { a }), 1);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void loeschenEinesAnderenBehaeltAktuellen()
    {
        const int a = neu(QStringLiteral("A"), QStringLiteral("01.01.2020"));
        const int b = neu(QStringLiteral("B"), QStringLiteral("01.01.2026"));
        zustand().aktueller_wettkampf = QString::number(b);
        zustand().auswahl_modus = QStringLiteral("D");
        TfrmWKLaden dlg;
        dlg.show();
        grid(&dlg)->setCurrentIndex(grid(&dlg)->model()->index(1, 0));
        m_melder.antworten = { true, true };
        QTest::mouseClick(knopf(&dlg, "btnLoeschen"), Qt::LeftButton);
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(b));
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf where WKWKNR = ?"), { a }), 0);
        m_melder.fragen.clear();
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void loeschModusDoppelklickWaehltNur()
    {
        const int a = neu(QStringLiteral("A"), QStringLiteral("01.01.2020"));
        zustand().auswahl_modus = QStringLiteral("D");
        TfrmWKLaden dlg;
        dlg.show();
        QTest::keyClick(grid(&dlg), Qt::Key_Enter);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(a));
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf")), 1);
        QVERIFY(m_melder.fragen.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void bearbeitenPrueftDatum()
    {
        const int a = neu(QStringLiteral("A"), QStringLiteral("01.01.2020"));
        zustand().aktueller_wettkampf = QString::number(a);
        zustand().aktueller_wettkampfname = QStringLiteral("A");
        TfrmWettkampf w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Stammdaten Wettkampf"));
        QCOMPARE(feld(&w, "edtNummer")->text(), QString::number(a));
        QCOMPARE(feld(&w, "edtDatum")->text(), QStringLiteral("01.01.2020"));
        QCOMPARE(QApplication::focusWidget(), feld(&w, "edtBezeichnung"));

        // A short date is completed when the field is left.
        QLineEdit *datum = feld(&w, "edtDatum");
        datum->setFocus();
        datum->setText(QStringLiteral("010203"));
        feld(&w, "edtOrt")->setFocus();
        QTRY_COMPARE(datum->text(), QStringLiteral("01.02.2003"));

        // An impossible date is refused on leaving and again on saving.
        datum->setFocus();
        datum->setText(QStringLiteral("31.04.2003"));
        feld(&w, "edtOrt")->setFocus();
        QTRY_VERIFY(!m_melder.angezeigt.isEmpty());
        QVERIFY(m_melder.nimm(21002));
        QTRY_COMPARE(QApplication::focusWidget(), datum);
        QTest::keyClick(datum, Qt::Key_Return);
        QVERIFY(m_melder.nimm(21002));
        QVERIFY(w.isVisible());
        QCOMPARE(m_db.dm().einzelwert(QStringLiteral("select WKDATU from wettkampf")).toInt(), 20200101);

        // Leaving towards "Abbrechen" checks nothing.
        datum->setFocus();
        knopf(&w, "btnAbbrechen")->setFocus();
        QCoreApplication::processEvents();
        OBITRACK_KEINE_MELDUNG(m_melder);

        datum->setText(QStringLiteral("02.02.2027"));
        feld(&w, "edtStartgeld")->setText(QStringLiteral("5,5"));
        feld(&w, "edtBezeichnung")->setText(QStringLiteral("Neuer Name"));
        QTest::keyClick(feld(&w, "edtBezeichnung"), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(m_db.dm().einzelwert(QStringLiteral("select WKDATU from wettkampf")).toInt(), 20270202);
        QCOMPARE(m_db.dm().einzelwert(QStringLiteral("select WKSGLD from wettkampf")).toDouble(), 5.5);
        // The name in the title changes only with the next "Wettkampf laden".
        QCOMPARE(zustand().aktueller_wettkampfname, QStringLiteral("A"));
        QCOMPARE(zustand().aktueller_wettkampf, QString::number(a));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void leererNameUndFalschesStartgeld()
    {
        TfrmWettkampf w;
        w.show();
        feld(&w, "edtBezeichnung")->setText(QStringLiteral("   "));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(21001));
        feld(&w, "edtBezeichnung")->setText(QStringLiteral("X"));
        feld(&w, "edtStartgeld")->setText(QStringLiteral("zwölf"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(m_melder.nimm(21003));
        QVERIFY(w.isVisible());
        QCOMPARE(anzahl(QStringLiteral("select * from wettkampf")), 0);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void kalenderVergangenheit()
    {
        TfrmGetDate kal(QStringLiteral("Datum"), false);
        QCOMPARE(kal.windowTitle(), QStringLiteral("OBITRACK - Datum"));
        auto *c = kal.findChild<QCalendarWidget *>(QStringLiteral("calDatum"));
        QCOMPARE(c->selectedDate(), QDate::currentDate());
        kal.show();
        c->setSelectedDate(QDate::currentDate().addDays(-1));
        QTest::mouseClick(knopf(&kal, "btnOK"), Qt::LeftButton);
        QVERIFY(kal.isVisible());
        QCOMPARE(m_melder.angezeigt.size(), 1);
        QCOMPARE(m_melder.angezeigt.first().text, QStringLiteral("Ausgewähltes Datum liegt in der Vergangenheit"));
        QCOMPARE(m_melder.angezeigt.first().art, QChar(u'F'));
        m_melder.angezeigt.clear();

        const QDate morgen = QDate::currentDate().addDays(1);
        c->setSelectedDate(morgen);
        QTest::mouseClick(knopf(&kal, "btnOK"), Qt::LeftButton);
        QVERIFY(!kal.isVisible());
        QCOMPARE(zustand().datum_auswahl, morgen.toString(QStringLiteral("dd.MM.yyyy")));

        TfrmGetDate zweit(QStringLiteral("OBITRACK - Datum"), true);
        zweit.show();
        QTest::mouseClick(knopf(&zweit, "btnAbbrechen"), Qt::LeftButton);
        QVERIFY(zustand().datum_auswahl.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void kalenderMitF4()
    {
        TfrmWettkampf w;
        w.show();
        QLineEdit *datum = feld(&w, "edtDatum");
        imModalen([](QWidget *k) {
            QVERIFY(qobject_cast<TfrmGetDate *>(k));
            k->findChild<QCalendarWidget *>()->setSelectedDate(QDate(2027, 3, 4));
            QTest::mouseClick(knopf(k, "btnOK"), Qt::LeftButton);
        });
        QTest::keyClick(datum, Qt::Key_F4);
        QCOMPARE(datum->text(), QStringLiteral("04.03.2027"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstWettkampfFenster)
#include "tst_wettkampf_fenster.moc"
