#include "register/gui/frmmain.h"

#include <QAction>
#include <QtTest>

class TstFrmMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titelUndBeenden()
    {
        obi::TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("OBITRACK"));
        auto *beenden = w.findChild<QAction *>(QStringLiteral("mnuBeenden"));
        QVERIFY(beenden);
        beenden->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TstFrmMain)
#include "tst_frmmain.moc"
