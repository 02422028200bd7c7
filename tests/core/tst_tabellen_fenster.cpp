#include "core/gui/frmdbconvert.h"
#include "core/gui/frmtabauswahl.h"
#include "core/gui/frmtabedit.h"
#include "core/gui/frmtabmatchcode.h"
#include "core/gui/matchcode.h"

#include "core/tabellen.h"
#include "core/zustand.h"
#include "support/fenstertest.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::FensterStart;

class TstTabellenFenster : public obi::test::FensterTest
{
    Q_OBJECT

    static QTableView *grid(QWidget *w) { return w->findChild<QTableView *>(); }
    static QStringList spalte0(QWidget *w) { return spalte(grid(w), 0); }
    // Lets the deferred leave-checks run; true once a message was shown.
    bool meldungKommt()
    {
        return QTest::qWaitFor([this] { return !m_melder.angezeigt.isEmpty(); });
    }
    void aktivieren(QWidget *w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private Q_SLOTS:
    void init() { fensterInit(FensterStart().ohneWettkampf().alsBenutzer(QStringLiteral("tester"))); }
    void cleanup() { fensterCleanup(); }

    void tabellenliste()
    {
        TfrmTabAuswahl w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Tabellenverwaltung"));
        const QStringList tabellen = spalte0(&w);
        QVERIFY(tabellen.contains(QStringLiteral("Matten")));
        QVERIFY(tabellen.contains(QStringLiteral("Streichungen")));
        QCOMPARE(w.gewaehlteTabelle(), tabellen.first());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void editorZeigtUndFolgtDemGrid()
    {
        TfrmTabEdit w(QStringLiteral("Matten"));
        w.show();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("OBITRACK - Bearbeiten Tabelle <Matten> - Bezeichnungen für Wettkampfflächen"));
        QCOMPARE(spalte0(&w), (QStringList { QStringLiteral("M1"), QStringLiteral("M2"), QStringLiteral("M3") }));
        QCOMPARE(w.findChild<QGroupBox *>()->title(), QStringLiteral("Datensatz ändern"));
        QVERIFY(feld(&w, "edtSchluessel")->isReadOnly());
        QCOMPARE(feld(&w, "edtSchluessel")->text(), QStringLiteral("M1"));
        QVERIFY(feld(&w, "edtZus1")->isEnabled());
        QVERIFY(!feld(&w, "edtZus2")->isEnabled()); // the table has no caption for it
        QVERIFY(feld(&w, "edtWert")->isEnabled());
        QVERIFY(!knopf(&w, "btnSpeichern")->isEnabled());
        QVERIFY(knopf(&w, "btnBeenden")->isEnabled());

        grid(&w)->setCurrentIndex(grid(&w)->model()->index(2, 0));
        QCOMPARE(feld(&w, "edtSchluessel")->text(), QStringLiteral("M3"));
        QCOMPARE(feld(&w, "edtBezeichnung")->text(), QStringLiteral("Matte 3"));
        QCOMPARE(feld(&w, "edtZus1")->text(), QStringLiteral("F3"));

        // Typing makes the record changed: saving and cancelling only.
        QTest::keyClicks(feld(&w, "edtBezeichnung"), QStringLiteral("x"));
        QVERIFY(w.geaendert());
        QVERIFY(knopf(&w, "btnSpeichern")->isEnabled());
        QVERIFY(!knopf(&w, "btnBeenden")->isEnabled());
        QVERIFY(!grid(&w)->isEnabled());
        QVERIFY(feld(&w, "edtSuche")->isReadOnly());
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(!w.geaendert());
        QCOMPARE(tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M3"))->bez, QStringLiteral("Matte 3x"));
        QCOMPARE(feld(&w, "edtSchluessel")->text(), QStringLiteral("M3"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void neuerSatzPrueftSchluessel()
    {
        TfrmTabEdit w(QStringLiteral("Matten"));
        aktivieren(&w);
        QTest::mouseClick(knopf(&w, "btnNeu"), Qt::LeftButton);
        QVERIFY(w.neuModus());
        QCOMPARE(w.findChild<QGroupBox *>()->title(), QStringLiteral("Neuer Datensatz"));
        QLineEdit *schluessel = feld(&w, "edtSchluessel");
        QVERIFY(!schluessel->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), schluessel);
        QCOMPARE(feld(&w, "edtWert")->text(), QStringLiteral("0"));

        // An existing key is refused when the field is left.
        QTest::keyClicks(schluessel, QStringLiteral("m1"));
        feld(&w, "edtBezeichnung")->setFocus();
        QVERIFY(meldungKommt());
        QVERIFY(m_melder.nimm(18001));
        QTRY_COMPARE(QApplication::focusWidget(), schluessel);
        QCOMPARE(schluessel->text(), QStringLiteral("M1"));

        // Longer than the table's key length (3).
        schluessel->setText(QStringLiteral("m123"));
        feld(&w, "edtBezeichnung")->setFocus();
        QVERIFY(meldungKommt());
        QCOMPARE(m_melder.angezeigt.takeFirst().text, QStringLiteral("Schlüsselfeld ist zu lang"));
        QTRY_COMPARE(QApplication::focusWidget(), schluessel);

        // Lower case is stored in capitals.
        schluessel->setText(QStringLiteral("m4 "));
        feld(&w, "edtBezeichnung")->setFocus();
        QTRY_COMPARE(schluessel->text(), QStringLiteral("M4"));
        QTest::keyClicks(feld(&w, "edtBezeichnung"), QStringLiteral("Matte 4"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QVERIFY(!w.neuModus());
        QCOMPARE(spalte0(&w).size(), 4);
        QCOMPARE(feld(&w, "edtSchluessel")->text(), QStringLiteral("M4"));
        QCOMPARE(tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M4"))->bez, QStringLiteral("Matte 4"));

        // Leaving towards "Abbrechen" does not check; cancelling drops the new record.
        QTest::mouseClick(knopf(&w, "btnNeu"), Qt::LeftButton);
        schluessel->setText(QStringLiteral("m1"));
        knopf(&w, "btnAbbrechen")->setFocus();
        QCoreApplication::processEvents();
        QTest::mouseClick(knopf(&w, "btnAbbrechen"), Qt::LeftButton);
        QVERIFY(!w.neuModus());
        QVERIFY(!w.geaendert());
        QCOMPARE(spalte0(&w).size(), 4);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void kopierenUndLoeschen()
    {
        TfrmTabEdit w(QStringLiteral("Matten"));
        w.show();
        grid(&w)->setCurrentIndex(grid(&w)->model()->index(1, 0));
        QTest::mouseClick(knopf(&w, "btnKopieren"), Qt::LeftButton);
        QVERIFY(w.neuModus());
        QVERIFY(feld(&w, "edtSchluessel")->text().isEmpty());
        QCOMPARE(feld(&w, "edtBezeichnung")->text(), QStringLiteral("Matte 2"));
        feld(&w, "edtSchluessel")->setText(QStringLiteral("M9"));
        QTest::mouseClick(knopf(&w, "btnSpeichern"), Qt::LeftButton);
        QCOMPARE(tabpos_lesen(QStringLiteral("Matten"), QStringLiteral("M9"))->zus1, QStringLiteral("F2"));

        grid(&w)->setCurrentIndex(grid(&w)->model()->index(0, 0));
        m_melder.antworten = { false };
        QTest::mouseClick(knopf(&w, "btnLoeschen"), Qt::LeftButton);
        QCOMPARE(spalte0(&w).size(), 4);
        m_melder.antworten = { true };
        QTest::mouseClick(knopf(&w, "btnLoeschen"), Qt::LeftButton);
        QCOMPARE(m_melder.fragen.last(), QStringLiteral("Diesen Datensatz löschen ?"));
        QCOMPARE(spalte0(&w), (QStringList { QStringLiteral("M2"), QStringLiteral("M3"), QStringLiteral("M9") }));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void sucheUndWertpruefung()
    {
        TfrmTabEdit w(QStringLiteral("Matten"));
        aktivieren(&w);
        QLineEdit *suche = feld(&w, "edtSuche");
        suche->setText(QStringLiteral("M"));
        QTest::keyClick(suche, Qt::Key_Return);
        QCOMPARE(spalte0(&w).size(), 3);

        // Nothing found: a new record, and the search can still be changed.
        suche->setText(QStringLiteral("X"));
        QTest::keyClick(suche, Qt::Key_Return);
        QVERIFY(spalte0(&w).isEmpty());
        QVERIFY(w.neuModus());
        QVERIFY(!suche->isReadOnly());
        suche->setText(QStringLiteral("m2"));
        QTest::keyClick(suche, Qt::Key_Return);
        QCOMPARE(spalte0(&w), QStringList { QStringLiteral("M2") });
        QVERIFY(!w.neuModus());

        QLineEdit *wert = feld(&w, "edtWert");
        wert->setFocus();
        wert->clear();
        QTest::keyClicks(wert, QStringLiteral("abc"));
        feld(&w, "edtBezeichnung")->setFocus();
        QVERIFY(meldungKommt());
        QCOMPARE(m_melder.angezeigt.takeFirst().text, QStringLiteral("Eingabe ist nicht numerisch"));
        QTRY_COMPARE(QApplication::focusWidget(), wert);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void pickerGibtSchluesselZurueck()
    {
        zustand().auswahl_wert2 = QStringLiteral("Matten");
        zustand().auswahl_wert = QStringLiteral("alt");
        TfrmTabMatchcode p;
        p.show();
        QCOMPARE(p.windowTitle(), QStringLiteral("OBITRACK - Auswahl Tabelle <Matten>"));
        QVERIFY(zustand().auswahl_wert.isEmpty());
        QCOMPARE(spalte0(&p).size(), 3);
        grid(&p)->setCurrentIndex(grid(&p)->model()->index(1, 0));
        QTest::keyClick(grid(&p), Qt::Key_Return);
        QCOMPARE(zustand().auswahl_wert, QStringLiteral("M2"));
        QVERIFY(!p.isVisible());

        // get_matchcode opens it modally; "Abbrechen" gives the empty key.
        imModalen([](QWidget *w) { QTest::mouseClick(knopf(w, "btnAbbrechen"), Qt::LeftButton); });
        QVERIFY(get_matchcode(QStringLiteral("Matten")).isEmpty());
        imModalen([](QWidget *w) { QTest::mouseClick(knopf(w, "btnOK"), Qt::LeftButton); });
        QCOMPARE(get_matchcode(QStringLiteral("Streichungen")), QStringLiteral("0"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void pickerLeereTabelleWarnt()
    {
        zustand().auswahl_wert2 = QStringLiteral("GibtsNicht");
        TfrmTabMatchcode p;
        p.show();
        QCOMPARE(m_melder.angezeigt.size(), 1);
        QCOMPARE(m_melder.angezeigt.first().text, QStringLiteral("Keinen Eintrag in dieser Tabelle gefunden"));
        QCOMPARE(m_melder.angezeigt.first().art, QChar(u'W'));
        m_melder.angezeigt.clear();
        QTest::mouseClick(knopf(&p, "btnOK"), Qt::LeftButton);
        QVERIFY(zustand().auswahl_wert.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void umstellungVon5300()
    {
        Tdm &d = m_db.dm();
        QVERIFY(d.Execute_SQL(QStringLiteral("delete from tabpos where TPTAB = 'Matten' or TPTAB = 'Infotexte'")));
        QVERIFY(
            d.Execute_SQL(QStringLiteral("update tabpos set TPKEY = '5.3.0.0', TPWERT = 5300 where TPTAB = 'DB-VER'")));
        TfrmDB_Convert w(5300, 5301);
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Modifikation Datenbank"));
        QVERIFY(!knopf(&w, "btnOK")->isEnabled());
        QCOMPARE(feld(&w, "edtAktuell")->text(), QStringLiteral("5.3.0.0"));
        w.show();
        QCOMPARE(w.erreichteVersion(), 5301);
        QVERIFY(knopf(&w, "btnOK")->isEnabled());
        QCOMPARE(feld(&w, "edtAktuell")->text(), QStringLiteral("5.3.0.1"));
        QCOMPARE(feld(&w, "edtZiel")->text(), QStringLiteral("5.3.0.1"));
        const QStringList p = w.protokoll();
        QCOMPARE(p.first(), QStringLiteral("Datenbank-Modifikationen werden durchgeführt"));
        QVERIFY(p.contains(QStringLiteral("Update auf DB-Version 5.3.0.1")));
        QVERIFY(!p.contains(QStringLiteral("Update auf DB-Version 5.3.0.0")));
        QCOMPARE(p.last(), QStringLiteral("Datenbank-Modifikationen erfolgreich beendet"));
        QCOMPARE(d.anzahl_Saetze(QStringLiteral("select * from tabpos where TPTAB = 'Matten'")), 3);
        QTest::mouseClick(knopf(&w, "btnOK"), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void umstellungFehlgeschlagen()
    {
        // The columns of the first step exist already, so it fails.
        TfrmDB_Convert w(5000, 5301);
        w.show();
        QCOMPARE(w.erreichteVersion(), 5000);
        QVERIFY(!knopf(&w, "btnOK")->isEnabled());
        QVERIFY(w.protokoll().contains(QStringLiteral("Fehler beim Update auf Version 5.0.3.0")));
        QVERIFY(!w.protokoll().contains(QStringLiteral("Datenbank-Modifikationen erfolgreich beendet")));
        QCOMPARE(feld(&w, "edtAktuell")->text(), QStringLiteral("5.0.0.0"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstTabellenFenster)
#include "tst_tabellen_fenster.moc"
