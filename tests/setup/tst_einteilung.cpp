#include "core/zustand.h"
#include "setup/gui/frmeinteilung.h"
#include "setup/gui/frmeinteilungneu.h"
#include "setup/gui/frmtestgew.h"
#include "support/fenstertest.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace obi;
using obi::test::FensterStart;
using obi::test::kind;

class TstEinteilung : public obi::test::FensterTest
{
    Q_OBJECT

    static void waehle(QTableView *grid, const QList<int> &zeilen)
    {
        grid->clearSelection();
        for (int z : zeilen)
            grid->selectionModel()->select(grid->model()->index(z, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void klasse(const QString &ak, const QString &gewk, int sort)
    {
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT, GKGEWN, "
                                                     "GKSTAT) values (1, ?, ?, ?, 0, 0)"),
                                      {ak, gewk, sort}));
    }

    void starter(int stnr, const QString &ak, const QString &gewk, double gewicht)
    {
        QVERIFY(m_db.dm().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                           "STPLTZ, STSORT, STSTAT) values (1, ?, ?, ?, ?, 'Vorname', 2010, 1, ?, '', 0, 0)"),
            {stnr, ak, gewk, QStringLiteral("Name%1").arg(stnr), gewicht}));
    }

    QString gewk_von(int stnr)
    {
        return m_db.dm()
            .einzelwert(QStringLiteral("select STGEWK from starter where STWKNR = 1 and STSTNR = ?"), {stnr})
            .toString();
    }

    bool textGezeigt(const QString &text)
    {
        for (qsizetype i = 0; i < m_melder.angezeigt.size(); ++i)
            if (m_melder.angezeigt.at(i).text == text) {
                m_melder.angezeigt.removeAt(i);
                return true;
            }
        return false;
    }

private Q_SLOTS:
    void init()
    {
        if (!fensterInit(FensterStart().mitIni()))
            return;
        QVERIFY(m_db.dm().Execute_SQL(
            QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB) values (1, 1, 'JC Test', 'NW')")));
        for (const char *ak : {"Jugend", "U15"})
            QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKGEWT, AKJGMI, AKJGMA, "
                                                         "AKMW) values (1, ?, 'T', 2008, 2012, 'M')"),
                                          {QString::fromLatin1(ak)}));
        // "Jugend" is divided by hand, "U15" by its weight table.
        klasse(QStringLiteral("Jugend"), QStringLiteral("offen"), 1);
        klasse(QStringLiteral("U15"), QStringLiteral("-40"), 1);
        klasse(QStringLiteral("U15"), QStringLiteral("-44"), 2);
        starter(1, QStringLiteral("Jugend"), QStringLiteral("offen"), 45.3);
        starter(2, QStringLiteral("Jugend"), QStringLiteral("offen"), 47.8);
        starter(3, QStringLiteral("Jugend"), QStringLiteral("offen"), 60.0);
    }

    void cleanup() { fensterCleanup(); }

    // ---- TfrmEinteilung ----------------------------------------------------------

    void einteilungAusAuswahlUndZurueck()
    {
        zustand().auswahl_wert = QStringLiteral("Jugend");
        TfrmEinteilung w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Einteilung Gewichtsklassen"));
        QCOMPARE(kind<QComboBox>(w, "cbAKID")->currentText(), QStringLiteral("Jugend"));
        auto *links = kind<QTableView>(w, "grdSFL1");
        auto *rechts = kind<QTableView>(w, "grdSFL2");
        QCOMPARE(spalte(links, 0), (QStringList{QStringLiteral("45,3"), QStringLiteral("47,8"), QStringLiteral("60,0")}));
        QCOMPARE(links->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Start-Nr."));

        // 45,3 and 47,8 kg selected: the new class is proposed as -47Kg.
        waehle(links, {0, 1});
        QString vorschlag, titel, ak;
        imModalen([&](QWidget *neu) {
            vorschlag = kind<QLineEdit>(neu, "edtGEWK")->text();
            titel = neu->windowTitle();
            ak = kind<QLineEdit>(neu, "edtAKID")->text();
            kind<QPushButton>(neu, "btnOK")->click();
        });
        kind<QPushButton>(w, "btnCreateNach2")->click();
        QCOMPARE(vorschlag, QStringLiteral("-47Kg"));
        QCOMPARE(titel, QStringLiteral("OBITRACK - Neue Gewichtsklasse"));
        QCOMPARE(ak, QStringLiteral("Jugend"));
        QCOMPARE(kind<QComboBox>(w, "cbGEW2")->currentText(), QStringLiteral("-47Kg"));
        QCOMPARE(spalte(rechts, 6), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(spalte(links, 6), QStringList{QStringLiteral("3")});

        // Back to the left.
        waehle(rechts, {1});
        kind<QPushButton>(w, "btnNach1")->click();
        QCOMPARE(gewk_von(2), QStringLiteral("offen"));
        QCOMPARE(spalte(rechts, 6), QStringList{QStringLiteral("1")});

        // The same class on both sides is refused.
        kind<QComboBox>(w, "cbGEW2")->setCurrentText(QStringLiteral("offen"));
        waehle(links, {0});
        kind<QPushButton>(w, "btnNach2")->click();
        QVERIFY(m_melder.nimm(31037));

        // Discarding puts everybody back into the base class.
        m_melder.antworten << true;
        kind<QPushButton>(w, "btnVerwerfen")->click();
        QCOMPARE(m_melder.fragen, QStringList{QStringLiteral("Einteilung wirklich verwerfen ?")});
        QCOMPARE(kind<QComboBox>(w, "cbGEW1")->count(), 1);
        QCOMPARE(spalte(links, 6).size(), 3);
        QCOMPARE(gewk_von(1), QStringLiteral("offen"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void neueKlasseOhneVorschlagUndAbbrechen()
    {
        zustand().auswahl_wert = QStringLiteral("Jugend");
        TfrmEinteilung w;
        w.show();
        QString vorschlag;
        imModalen([&vorschlag](QWidget *neu) {
            vorschlag = kind<QLineEdit>(neu, "edtGEWK")->text();
            kind<QPushButton>(neu, "btnOK")->click();
        });
        kind<QPushButton>(w, "btnNeueGewk")->click();
        QCOMPARE(vorschlag, QStringLiteral("P1"));
        imModalen([&vorschlag](QWidget *neu) {
            vorschlag = kind<QLineEdit>(neu, "edtGEWK")->text();
            kind<QPushButton>(neu, "btnAbbrechen")->click();
        });
        kind<QPushButton>(w, "btnNeueGewk")->click();
        QCOMPARE(vorschlag, QStringLiteral("P2"));
        QVERIFY(zustand().auswahl_wert.isEmpty());
        auto *gew2 = kind<QComboBox>(w, "cbGEW2");
        QCOMPARE(gew2->count(), 2);
        QCOMPARE(gew2->currentText(), QStringLiteral("P1"));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void tabellenklassenWerdenVerweigert()
    {
        zustand().auswahl_wert = QStringLiteral("U15");
        TfrmEinteilung w;
        w.show();
        kind<QPushButton>(w, "btnNeueGewk")->click();
        QVERIFY(m_melder.nimm(31053));
        kind<QPushButton>(w, "btnCreateNach2")->click();
        QVERIFY(m_melder.nimm(31053));
        kind<QPushButton>(w, "btnVerwerfen")->click();
        QVERIFY(m_melder.nimm(31038));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void ohneAuswahlKeineNeueKlasse()
    {
        zustand().auswahl_wert = QStringLiteral("Jugend");
        TfrmEinteilung w;
        w.show();
        kind<QTableView>(w, "grdSFL1")->clearSelection();
        kind<QPushButton>(w, "btnCreateNach2")->click();
        QVERIFY(m_melder.nimm(2004));
        QCOMPARE(kind<QComboBox>(w, "cbGEW1")->count(), 1);
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void altersklassenwechselFuelltBeideSeiten()
    {
        QVERIFY(m_db.dm().Execute_SQL(QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKGEWT, AKJGMI, AKJGMA, "
                                                     "AKMW) values (1, 'Leer', '', 0, 0, 'W')")));
        zustand().auswahl_wert = QStringLiteral("gibt es nicht");
        TfrmEinteilung w;
        w.show();
        auto *ak = kind<QComboBox>(w, "cbAKID");
        auto *gew1 = kind<QComboBox>(w, "cbGEW1");
        auto *gew2 = kind<QComboBox>(w, "cbGEW2");
        QCOMPARE(ak->currentText(), QStringLiteral("Jugend")); // unknown preset: the first
        ak->setCurrentText(QStringLiteral("U15"));
        QCOMPARE(gew1->currentText(), QStringLiteral("-40"));
        QCOMPARE(gew2->currentText(), QStringLiteral("-44"));
        QCOMPARE(kind<QTableView>(w, "grdSFL1")->model()->rowCount(), 0);
        // An age class without weight classes leaves both sides empty.
        ak->setCurrentText(QStringLiteral("Leer"));
        QCOMPARE(gew1->count(), 0);
        QCOMPARE(gew2->count(), 0);
        waehle(kind<QTableView>(w, "grdSFL1"), {0});
        kind<QPushButton>(w, "btnNach2")->click();
        kind<QPushButton>(w, "btnCreateNach2")->click();
        QVERIFY(m_melder.nimm(2004));
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    // ---- TfrmEinteilungNeu ----------------------------------------------------------

    void vorhandeneKlasseBleibtImFeld()
    {
        TfrmEinteilungNeu neu;
        neu.setze_altersklasse(QStringLiteral("Jugend"));
        neu.show();
        auto *feld = kind<QLineEdit>(neu, "edtGEWK");
        QCOMPARE(feld->text(), QStringLiteral("P1"));
        feld->setText(QStringLiteral("offen"));
        kind<QPushButton>(neu, "btnOK")->click();
        QVERIFY(m_melder.nimm(31036));
        QVERIFY(neu.isVisible());
        QVERIFY(zustand().auswahl_wert.isEmpty());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    // ---- TfrmTestGew ----------------------------------------------------------------

    void reparaturOhneUngueltigeKlassenOeffnetNicht()
    {
        TfrmTestGew w;
        w.setze_altersklasse(QStringLiteral("Jugend"));
        QCOMPARE(w.exec(), int(QDialog::Rejected));
        QVERIFY(!w.isVisible());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void reparaturSchliesstSichWennNichtsMehrBleibt()
    {
        starter(11, QStringLiteral("U15"), QStringLiteral("-38"), 37.0);
        starter(12, QStringLiteral("U15"), QStringLiteral("-38"), 38.0);
        starter(13, QStringLiteral("U15"), QStringLiteral("-48"), 47.0);
        TfrmTestGew w;
        w.setze_altersklasse(QStringLiteral("U15"));
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK - Ungültige Gewichtsklassen ändern"));
        QCOMPARE(kind<QLineEdit>(w, "edtAKID")->text(), QStringLiteral("U15"));
        auto *liste = kind<QListWidget>(w, "lbGewk");
        auto *aendern = kind<QPushButton>(w, "btnChange");
        QCOMPARE(liste->count(), 2);
        QVERIFY(!aendern->isEnabled());

        liste->setCurrentRow(0);
        QCOMPARE(kind<QLineEdit>(w, "edtGEWKalt")->text(), QStringLiteral("-38"));
        QCOMPARE(kind<QLineEdit>(w, "edtANZA")->text(), QStringLiteral("2"));
        QVERIFY(aendern->isEnabled());
        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("40"));
        aendern->click();
        QVERIFY(textGezeigt(QStringLiteral("2 Datensätze geändert")));
        QCOMPARE(kind<QLineEdit>(w, "edtGEWK")->text(), QStringLiteral("-40"));
        QCOMPARE(gewk_von(11), QStringLiteral("-40"));
        QCOMPARE(liste->count(), 1);
        QVERIFY(w.isVisible());

        // An unknown target is refused and changes nothing.
        liste->setCurrentRow(0);
        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("90"));
        aendern->click();
        QVERIFY(m_melder.nimm(31003));
        QCOMPARE(gewk_von(13), QStringLiteral("-48"));

        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("-44"));
        aendern->click();
        QVERIFY(textGezeigt(QStringLiteral("1 Datensätze geändert")));
        QCOMPARE(gewk_von(13), QStringLiteral("-44"));
        QVERIFY(!w.isVisible()); // nothing left: closed by itself
        OBITRACK_KEINE_MELDUNG(m_melder);
    }

    void reparaturMehrdeutigOeffnetAuswahl()
    {
        klasse(QStringLiteral("U15"), QStringLiteral("+44"), 3);
        starter(11, QStringLiteral("U15"), QStringLiteral("-38"), 37.0);
        TfrmTestGew w;
        w.setze_altersklasse(QStringLiteral("U15"));
        w.show();
        kind<QListWidget>(w, "lbGewk")->setCurrentRow(0);
        kind<QLineEdit>(w, "edtGEWK")->setText(QStringLiteral("44"));
        QString titel;
        int zeilen = 0;
        imModalen([&](QWidget *auswahl) {
            titel = auswahl->windowTitle();
            auto *grid = kind<QTableView>(auswahl, "grdSFL");
            zeilen = grid->model()->rowCount();
            grid->setCurrentIndex(grid->model()->index(zeilen - 1, 0));
            kind<QPushButton>(auswahl, "btnOK")->click();
        });
        kind<QPushButton>(w, "btnChange")->click();
        QCOMPARE(titel, QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <U15>"));
        QCOMPARE(zeilen, 2);
        QVERIFY(textGezeigt(QStringLiteral("1 Datensätze geändert")));
        QCOMPARE(gewk_von(11), QStringLiteral("+44"));
        QVERIFY(!w.isVisible());
        OBITRACK_KEINE_MELDUNG(m_melder);
    }
};

QTEST_MAIN(TstEinteilung)
#include "tst_einteilung.moc"
