#include "fenstertest.h"

#include "core/meldungen.h"
#include "core/zustand.h"

namespace obi::test {

bool FensterTest::fensterInit(const FensterStart &start)
{
    if (testDialekt() == Dialekt::Postgres && !pgKonfiguriert()) {
        QTest::qSkip("OBITRACK_TEST_PG_SERVER nicht gesetzt", __FILE__, __LINE__);
        return false;
    }
    zustand_zuruecksetzen();
    if (!start.wettkampf.isEmpty())
        zustand().aktueller_wettkampf = start.wettkampf;
    if (!start.benutzer.isEmpty())
        zustand().benutzer = start.benutzer;
    m_melder.leeren();
    setze_melder(&m_melder);
    QString fehler;
    if (!QTest::qVerify(m_db.anlegen(testDialekt(), true, &fehler), "m_db.anlegen(testDialekt(), true, &fehler)",
                        qPrintable(fehler), __FILE__, __LINE__))
        return false;
    if (start.ini)
        m_db.schreibeIni();
    return true;
}

void FensterTest::fensterCleanup()
{
    setze_melder(nullptr);
    m_db.schliessen();
    zustand_zuruecksetzen();
}

QStringList FensterTest::spalte(const QTableView *grid, int s)
{
    QStringList r;
    for (int i = 0; i < grid->model()->rowCount(); ++i)
        r << zelle(grid, i, s);
    return r;
}

QString FensterTest::zelle(const QTableView *grid, int zeile, int s)
{
    return grid->model()->index(zeile, s).data().toString();
}

void FensterTest::tippen(QWidget &w, const char *feldname, const QString &text)
{
    QLineEdit *f = kind<QLineEdit>(w, feldname);
    f->setFocus();
    f->selectAll();
    if (text.isEmpty())
        QTest::keyClick(f, Qt::Key_Backspace);
    else
        QTest::keyClicks(f, text); // typing sets the changed state
}

void FensterTest::imModalen(std::function<void(QWidget *)> aktion)
{
    QTimer::singleShot(0, qApp, [aktion] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY2(w, "kein modales Fenster");
        aktion(w);
    });
}

} // namespace obi::test
