#include "competition/gui/frmtabelle.h"
#include "competition/listengenerierung.h"
#include "core/zustand.h"
#include "support/fenstertest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::kind;

class TstTabelle : public obi::test::FensterTest
{
    Q_OBJECT

    const QString ak = QStringLiteral("U15m");

    QString platz(int stnr)
    {
        return m_db.dm()
            .einzelwert(QStringLiteral("select STPLTZ from starter where STWKNR = 1 and STSTNR = ?"), {stnr})
            .toString();
    }

    void starter(int stnr, int setz, const QString &name, const QString &gewk)
    {
        QVERIFY(sql(QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, "
                                   "STSETZ, STSORT, STPLTZ, STSTAT) values (1, ?, ?, ?, ?, 'Vor', 1, ?, 0, '', 0)"),
                    {stnr, ak, gewk, name, setz}));
    }

    // Slot a beats slot b in the bout the template names for them.
    void sieg(const QString &gewk, int a, int b, const QString &wertung)
    {
        const int pos = m_db.dm()
                            .einzelwert(QStringLiteral("select LDLPOS from listdef inner join wk_liste on "
                                                       "LDLTYP = WLLTYP where WLWKNR = 1 and WLAKID = ? and "
                                                       "WLGEWK = ? and WLLPOS = 1001 and "
                                                       "((LDBLAU = ? and LDWEIS = ?) or (LDBLAU = ? and LDWEIS = ?))"),
                                        {ak, gewk, a, b, b, a})
                            .toInt();
        QVERIFY(pos > 0);
        auto stnr = [&](int slot) {
            return m_db.dm()
                .einzelwert(QStringLiteral("select WLSTNR from wk_liste where WLWKNR = 1 and WLAKID = ? and "
                                           "WLGEWK = ? and WLLPOS = ?"),
                            {ak, gewk, slot})
                .toInt();
        };
        QVERIFY(sql(QStringLiteral("update wk_liste set WLBLAU = ?, WLWEIS = ?, WLSTNR = ?, WLSTAT = 5, WLWRTG = ? "
                                   "where WLWKNR = 1 and WLAKID = ? and WLGEWK = ? and WLLPOS = ?"),
                    {stnr(a), stnr(b), stnr(a), wertung, ak, gewk, pos}));
    }

private Q_SLOTS:
    void init()
    {
        if (!fensterInit())
            return;
        QVERIFY(sql(QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKGEWT, AKJGMI, AKJGMA) "
                                   "values (1, ?, 'T', 0, 0)"),
                    {ak}));
        int sort = 0;
        for (const char *g : {"-50", "-55", "-60", "-66"})
            QVERIFY(sql(QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT, GKGEWN, GKSTAT) "
                                       "values (1, ?, ?, ?, 0, 0)"),
                        {ak, QString::fromLatin1(g), ++sort}));
        QVERIFY(sql(QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (1, 1, 'JC', 'BJV')")));

        // -50: a complete round robin of three; Claus beats Adler beats Becker.
        starter(1, 1, QStringLiteral("Adler"), QStringLiteral("-50"));
        starter(2, 2, QStringLiteral("Becker"), QStringLiteral("-50"));
        starter(3, 3, QStringLiteral("Claus"), QStringLiteral("-50"));
        QString typ = QStringLiteral("JGJ03");
        QVERIFY(schreiben_liste(1, ak, QStringLiteral("-50"), typ, false));
        sieg(QStringLiteral("-50"), 1001, 1002, QStringLiteral("10"));
        sieg(QStringLiteral("-50"), 1003, 1001, QStringLiteral("07"));
        sieg(QStringLiteral("-50"), 1003, 1002, QStringLiteral("10"));

        // -55: a knock-out list; -60: participants without a list.
        starter(4, 1, QStringLiteral("Dorn"), QStringLiteral("-55"));
        starter(5, 2, QStringLiteral("Eck"), QStringLiteral("-55"));
        typ = QStringLiteral("DOPPELKO16");
        QVERIFY(schreiben_liste(1, ak, QStringLiteral("-55"), typ, false));
        starter(6, 1, QStringLiteral("Fink"), QStringLiteral("-60"));
        QVERIFY(m_melder.sauber());
    }

    void cleanup() { fensterCleanup(); }

    void vollstaendigeTabelleRechnenUndSpeichern()
    {
        zustand().auswahl_wert = ak;
        zustand().auswahl_wert2 = QStringLiteral("-50");
        TfrmTabelle w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Tabelle berechnen (Listenführung)"));
        QVERIFY(zustand().auswahl_wert.isEmpty());
        QVERIFY(zustand().auswahl_wert2.isEmpty());
        auto *grid = kind<QTableView>(w, "grdSTARTER");
        QVERIFY(grid->isVisible());
        QVERIFY(!kind<QComboBox>(w, "cbPool")->isVisible());
        QCOMPARE(kind<QLineEdit>(w, "edtINFO")->text(), QStringLiteral("Jeder gegen Jeder (3 Teiln.)"));
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->columnCount(), 7);
        QCOMPARE(grid->columnWidth(6), 1);
        QCOMPARE(zelle(grid, 0, 0), QStringLiteral("Adler, Vor"));
        QCOMPARE(zelle(grid, 0, 1), QStringLiteral("JC/BJV"));
        QCOMPARE(zelle(grid, 0, 2), QStringLiteral("1"));
        QCOMPARE(zelle(grid, 0, 3), QStringLiteral("10"));
        QCOMPARE(zelle(grid, 0, 4), QStringLiteral("7"));
        QCOMPARE(zelle(grid, 2, 0), QStringLiteral("Claus, Vor"));
        QCOMPARE(zelle(grid, 2, 2), QStringLiteral("2"));

        // The first line's bouts are shown.
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("Adler, Vor"));
        auto *kaempfe = kind<QTableView>(w, "grdKaempfe");
        QVERIFY(kaempfe->isVisible());
        QCOMPARE(kaempfe->model()->rowCount(), 2);

        auto *speichern = kind<QPushButton>(w, "btnSave");
        QVERIFY(speichern->isEnabled());
        kind<QPushButton>(w, "btnPlaetze")->click();
        QCOMPARE(zelle(grid, 0, 0), QStringLiteral("Claus, Vor"));
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("1."));
        QCOMPARE(zelle(grid, 1, 0), QStringLiteral("Adler, Vor"));
        QCOMPARE(zelle(grid, 1, 5), QStringLiteral("2."));
        QCOMPARE(zelle(grid, 2, 5), QStringLiteral("3."));
        OBITRACK_KEINE_MELDUNG(m_melder);

        speichern->click();
        QCOMPARE(platz(3), QStringLiteral("1."));
        QCOMPARE(platz(1), QStringLiteral("2."));
        QCOMPARE(platz(2), QStringLiteral("3."));
        // Re-read: the saved places are shown in slot order.
        QCOMPARE(zelle(grid, 0, 0), QStringLiteral("Adler, Vor"));
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("2."));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void klasseOhneListe()
    {
        TfrmTabelle w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdSTARTER");
        QVERIFY(!grid->isVisible());
        kind<QLineEdit>(w, "edtAKID")->setText(QStringLiteral("u15"));
        auto *gewk = kind<QLineEdit>(w, "edtGEWK");
        gewk->setText(QStringLiteral("-60"));
        QTest::keyClick(gewk, Qt::Key_Return);
        QVERIFY(m_melder.nimm(3004));
        QVERIFY(!grid->isVisible());
        QVERIFY(!kind<QPushButton>(w, "btnSave")->isEnabled());
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), ak);

        gewk->setText(QStringLiteral("-99"));
        kind<QPushButton>(w, "btnAktualisieren")->click();
        QVERIFY(m_melder.nimm(31003));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void listeOhneTabelle()
    {
        TfrmTabelle w;
        w.show();
        kind<QLineEdit>(w, "edtAKID")->setText(ak);
        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("-55"));
        kind<QPushButton>(w, "btnAktualisieren")->click();
        QVERIFY(m_melder.nimm(3008));
        QVERIFY(!kind<QTableView>(w, "grdSTARTER")->isVisible());
        QVERIFY(!kind<QLineEdit>(w, "edtINFO")->isVisible());
        QVERIFY(!kind<QPushButton>(w, "btnPlaetze")->isEnabled());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void platzPerTasteKorrigieren()
    {
        zustand().auswahl_wert = ak;
        zustand().auswahl_wert2 = QStringLiteral("-50");
        TfrmTabelle w;
        w.show();
        auto *grid = kind<QTableView>(w, "grdSTARTER");
        grid->setFocus();
        QCOMPARE(grid->currentIndex().row(), 0);

        QTest::keyClicks(grid, QStringLiteral("3.2"));
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("3.2"));
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(zelle(grid, 0, 5), QString());
        QTest::keyClick(grid, Qt::Key_2);
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("2"));
        // Letters are no place.
        QTest::keyClick(grid, Qt::Key_X);
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("2"));

        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(grid->currentIndex().column(), 5);
        QTest::keyClick(grid, Qt::Key_1);
        QCOMPARE(zelle(grid, 1, 5), QStringLiteral("1"));
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->currentIndex().row(), 2);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->currentIndex().row(), 0); // wraps to the first line
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(grid->currentIndex().row(), 2); // and back to the last
        QCOMPARE(kind<QLineEdit>(w, "edtNAME")->text(), QStringLiteral("Claus, Vor"));

        // "&Abbrechen" drops the corrections.
        kind<QPushButton>(w, "btnAbbrechen")->click();
        QCOMPARE(zelle(grid, 0, 5), QString());
        QCOMPARE(zelle(grid, 1, 5), QString());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void poolBZeigenUndSpeichern()
    {
        for (int k = 1; k <= 8; ++k)
            starter(20 + k, k, QStringLiteral("Pool%1").arg(k), QStringLiteral("-66"));
        QString typ = QStringLiteral("POOL8");
        QVERIFY(schreiben_liste(1, ak, QStringLiteral("-66"), typ, false));
        // The lower slot wins every pool bout.
        for (int a = 1; a <= 8; ++a)
            for (int b = a + 2; b <= 8; b += 2)
                sieg(QStringLiteral("-66"), 1000 + a, 1000 + b, QStringLiteral("10"));

        zustand().auswahl_wert = ak;
        zustand().auswahl_wert2 = QStringLiteral("-66");
        TfrmTabelle w;
        w.show();
        auto *pool = kind<QComboBox>(w, "cbPool");
        QVERIFY(pool->isVisible());
        QCOMPARE(pool->currentText(), QStringLiteral("Pool A"));
        auto *grid = kind<QTableView>(w, "grdSTARTER");
        QCOMPARE(grid->model()->rowCount(), 4);
        QCOMPARE(zelle(grid, 1, 0), QStringLiteral("Pool3, Vor"));

        pool->setCurrentIndex(1);
        QCOMPARE(grid->model()->rowCount(), 4);
        QCOMPARE(zelle(grid, 0, 0), QStringLiteral("Pool2, Vor"));
        QCOMPARE(zelle(grid, 3, 0), QStringLiteral("Pool8, Vor"));
        kind<QPushButton>(w, "btnPlaetze")->click();
        kind<QPushButton>(w, "btnSave")->click();
        auto q = m_db.dm().abfrage(QStringLiteral("select WLLPOS, WLSTNR from wk_liste where WLWKNR = 1 and "
                                                  "WLAKID = ? and WLGEWK = '-66' and WLLPOS > 5000 order by WLLPOS"),
                                   {ak});
        QVERIFY(q.has_value());
        QList<QPair<int, int>> zeilen;
        while (q->next())
            zeilen.append({q->value(0).toInt(), q->value(1).toInt()});
        QCOMPARE(zeilen, (QList<QPair<int, int>> {{5201, 22}, {5202, 24}, {5203, 26}, {5204, 28}}));
        QCOMPARE(zelle(grid, 0, 5), QStringLiteral("1."));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void offeneTabelleNichtSpeicherbar()
    {
        QVERIFY(sql(QStringLiteral("update wk_liste set WLSTAT = 1, WLSTNR = -1 where WLWKNR = 1 and WLAKID = ? "
                                   "and WLGEWK = '-50' and WLLPOS = 3"),
                    {ak}));
        zustand().auswahl_wert = ak;
        zustand().auswahl_wert2 = QStringLiteral("-50");
        TfrmTabelle w;
        w.show();
        QVERIFY(m_melder.nimm(3009));
        QVERIFY(kind<QTableView>(w, "grdSTARTER")->isVisible());
        QVERIFY(!kind<QPushButton>(w, "btnSave")->isEnabled());
        QVERIFY(!kind<QPushButton>(w, "btnPlaetze")->isEnabled());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstTabelle)
#include "tst_tabelle.moc"
