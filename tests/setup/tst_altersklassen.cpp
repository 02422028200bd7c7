#include "altersklassen_testdaten.h"
#include "core/zustand.h"
#include "setup/altersklassen.h"
#include "setup/gui/frmaltersklassen.h"
#include "support/fenstertest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace obi;
using obi::test::FensterStart;
using obi::test::kind;

class TstAltersklassen : public obi::test::FensterTest
{
    Q_OBJECT

    void altersklasse(const QString &akid, const QString &gewt)
    {
        AltersklasseEingabe e = obi::test::altersklasse_testeingabe(akid, gewt);
        QVERIFY(altersklasse_speichern(e, true, 1).ok());
    }

    // U15 on the weight table U15M with one participant in -34.
    void u15MitTeilnehmer()
    {
        altersklasse(QStringLiteral("U15"), QStringLiteral("U15M"));
        QVERIFY(sql(QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STLOS, STSORT) "
                                   "values (1, 1, 'U15', '-34', 'Name', 1, 0)")));
    }

    int gewichtsklassen(const QString &akid)
    {
        const auto l = gewichtsklassen_lesen(1, akid);
        return l ? int(l->size()) : -1;
    }

private Q_SLOTS:
    void init() { fensterInit(FensterStart().mitIni()); } // no scoreboard defaults
    void cleanup() { fensterCleanup(); }

    void neueAltersklasseMitGewichtstabelle()
    {
        TfrmAltersklassen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Altersklassen"));
        // An empty tournament opens on a new row.
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Neuer Datensatz"));
        QCOMPARE(kind<QComboBox>(w, "cbMW")->currentText(), QStringLiteral("M"));
        QCOMPARE(kind<QLineEdit>(w, "edtJGMI")->text(), QStringLiteral("0"));
        QCOMPARE(kind<QLineEdit>(w, "edtJGMA")->text(), QStringLiteral("9999"));
        QCOMPARE(kind<QLineEdit>(w, "edtMSHD")->text(), QStringLiteral("4"));
        QVERIFY(!kind<QLineEdit>(w, "edtGSTI")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnBeenden")->isEnabled());
        QVERIFY(kind<QPushButton>(w, "btnSpeichern")->isEnabled());
        QCOMPARE(w.focusWidget(), kind<QLineEdit>(w, "edtAKID"));

        tippen(w, "edtAKID", QStringLiteral("U15m"));
        tippen(w, "edtGEWT", QStringLiteral("u15m"));
        tippen(w, "edtJGMI", QStringLiteral("2012"));
        QCOMPARE(kind<QLineEdit>(w, "edtGEWT")->text(), QStringLiteral("U15M"));
        QCOMPARE(kind<QLineEdit>(w, "edtGEWTBez")->text(), QStringLiteral("-34;-37;-40;-43;-46;-50;-55;-60;-66;+66"));
        tippen(w, "edtJGMA", QStringLiteral("2011"));
        tippen(w, "edtKATI", QStringLiteral("180"));
        QVERIFY(m_melder.nimm(301)); // swapped when the field was left
        QCOMPARE(kind<QLineEdit>(w, "edtJGMI")->text(), QStringLiteral("2011"));
        QCOMPARE(kind<QLineEdit>(w, "edtJGMA")->text(), QStringLiteral("2012"));
        tippen(w, "edtRSTR", QStringLiteral("x"));
        tippen(w, "edtHGTM", QStringLiteral("20"));
        QCOMPARE(kind<QLineEdit>(w, "edtRSTRBez")->text(), QStringLiteral("in INI-Datei gesetzt"));
        tippen(w, "edtHTG2", QStringLiteral("10"));
        kind<QCheckBox>(w, "chkYUKO")->click();
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);

        QCOMPARE(gewichtsklassen(QStringLiteral("U15m")), 10);
        const auto a = altersklasse_lesen(1, QStringLiteral("U15m"));
        QVERIFY(a.has_value());
        QCOMPARE(a->kati, 180);
        QCOMPARE(a->jgmi, 2011);
        QVERIFY(a->ohneYuko);
        QCOMPARE(kind<QTableView>(w, "grdSFL")->model()->rowCount(), 1);
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Datensatz ändern"));
        QVERIFY(kind<QLineEdit>(w, "edtAKID")->isReadOnly());
        QVERIFY(kind<QPushButton>(w, "btnBeenden")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnSpeichern")->isEnabled());
    }

    void fehlerBehaeltFokusUndWerte()
    {
        TfrmAltersklassen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        tippen(w, "edtAKID", QStringLiteral("U18"));
        tippen(w, "edtGEWT", QStringLiteral("U18M"));
        tippen(w, "edtMSHD", QString());
        kind<QPushButton>(w, "btnSpeichern")->click();
        QVERIFY(m_melder.nimm(31063));
        QCOMPARE(QApplication::focusWidget(), kind<QLineEdit>(w, "edtMSHD"));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U18"));
        OBITRACK_KEINE_MELDUNG(m_melder);
        QVERIFY(!altersklasse_lesen(1, QStringLiteral("U18")).has_value());
    }

    void nurBemerkungUndKopieren()
    {
        altersklasse(QStringLiteral("U15"), QStringLiteral("U15M"));
        TfrmAltersklassen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U15"));
        tippen(w, "edtTEXT", QStringLiteral("neu"));
        QVERIFY(!kind<QPushButton>(w, "btnBeenden")->isEnabled());
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);
        QCOMPARE(altersklasse_lesen(1, QStringLiteral("U15"))->text, QStringLiteral("neu"));
        QCOMPARE(gewichtsklassen(QStringLiteral("U15")), 10);

        kind<QPushButton>(w, "btnKopieren")->click();
        QCOMPARE(kind<QGroupBox>(w, "box")->title(), QStringLiteral("Neuer Datensatz"));
        QVERIFY(kind<QLineEdit>(w, "edtAKID")->text().isEmpty());
        QCOMPARE(kind<QLineEdit>(w, "edtGEWT")->text(), QStringLiteral("U15M"));
        tippen(w, "edtAKID", QStringLiteral("U15b"));
        kind<QPushButton>(w, "btnSpeichern")->click();
        OBITRACK_KEINE_MELDUNG(m_melder);
        QCOMPARE(gewichtsklassen(QStringLiteral("U15b")), 10);
        QCOMPARE(kind<QTableView>(w, "grdSFL")->model()->rowCount(), 2);
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U15b"));
    }

    void neueTabelleOeffnetReparatur()
    {
        u15MitTeilnehmer();
        TfrmAltersklassen w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        tippen(w, "edtGEWT", QStringLiteral("U15W"));
        QString geoeffnet;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *m = QApplication::activeModalWidget(); m && m != &w) {
                geoeffnet = QString::fromLatin1(m->metaObject()->className());
                static_cast<QDialog *>(m)->reject();
            }
        });
        kind<QPushButton>(w, "btnSpeichern")->click();
        QVERIFY(m_melder.nimm(3001));
        OBITRACK_KEINE_MELDUNG(m_melder);
        QCOMPARE(geoeffnet, QStringLiteral("obi::TfrmTestGew"));
        QCOMPARE(gewichtsklassen(QStringLiteral("U15")), 9);
    }

    void loeschenMitTeilnehmernAbgelehnt()
    {
        u15MitTeilnehmer();
        altersklasse(QStringLiteral("U18"), QStringLiteral("U18M"));
        TfrmAltersklassen w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdSFL");
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U15"));
        kind<QPushButton>(w, "btnLoeschen")->click();
        QVERIFY(m_melder.nimm(18002));
        QVERIFY(m_melder.fragen.isEmpty());

        grid->setCurrentIndex(grid->model()->index(1, 0));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U18"));
        m_melder.antworten << true;
        kind<QPushButton>(w, "btnLoeschen")->click();
        QCOMPARE(m_melder.fragen, QStringList { QStringLiteral("Diesen Datensatz löschen ?") });
        OBITRACK_KEINE_MELDUNG(m_melder);
        QVERIFY(!altersklasse_lesen(1, QStringLiteral("U18")).has_value());
        QCOMPARE(gewichtsklassen(QStringLiteral("U18")), 0);
        QCOMPARE(grid->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TstAltersklassen)
#include "tst_altersklassen.moc"
