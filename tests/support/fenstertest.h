// Base of the Qt Test window suites: a fresh database per test on the engine
// of OBITRACK_TEST_ENGINE, the recording melder, reset process slots, and the
// small helpers the suites share to drive windows.
//
// The base declares no slots, so Qt Test runs none of it by itself: each
// suite's init() calls fensterInit() and its cleanup() calls fensterCleanup().
#pragma once

#include "support/qttestbasis.h"
#include "support/testdb.h"

#include <QApplication>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QVariant>
#include <QtTest>

#include <functional>
#include <memory>

namespace obi::test {

// What a suite wants set before each test besides the fresh database:
// by default tournament "1" is current, no user, no obitrack.ini.
struct FensterStart {
    QString wettkampf = QStringLiteral("1"); // zustand().aktueller_wettkampf; empty keeps "0" (none)
    QString benutzer;                        // zustand().benutzer, when given
    bool ini = false;                        // an obitrack.ini for the database (no scoreboard defaults)

    FensterStart &mitIni()
    {
        ini = true;
        return *this;
    }
    FensterStart &ohneWettkampf()
    {
        wettkampf.clear();
        return *this;
    }
    FensterStart &alsBenutzer(const QString &name)
    {
        benutzer = name;
        return *this;
    }
};

class FensterTest : public QObject
{
    Q_OBJECT

protected:
    // Skips on PostgreSQL when no test server is configured, then resets the
    // process slots, installs the melder and creates the database with schema.
    // False when the test was skipped or the set-up failed: the caller's
    // init() returns at once then, so Qt Test does not run the test.
    bool fensterInit(const FensterStart &start = {});
    // Removes the melder, the database and what the test left in the slots.
    void fensterCleanup();

    bool sql(const QString &text, const QVariantList &werte = {}) { return m_db.dm().Execute_SQL(text, werte); }

    // The texts of one column, top to bottom.
    static QStringList spalte(const QTableView *grid, int s);
    static QString zelle(const QTableView *grid, int zeile, int s);

    static QLineEdit *feld(const QObject *w, const char *name) { return kind<QLineEdit>(w, name); }
    static QPushButton *knopf(const QObject *w, const char *name) { return kind<QPushButton>(w, name); }

    // Types into a field as a user does (focus, select all, keys), so the
    // window sees the change; an empty text deletes the selection.
    static void tippen(QWidget &w, const char *feldname, const QString &text);

    // Runs aktion on the modal window that the next action opens, while the
    // test waits in its exec().
    static void imModalen(std::function<void(QWidget *)> aktion);

    // Answers the modal dialogs of type T with this object name that the next
    // action opens, one step per dialog in order. Returns the number of steps
    // not yet used.
    template <typename T>
    std::shared_ptr<int> beantworte(const QString &name, QList<std::function<void(T &)>> schritte)
    {
        auto offen = std::make_shared<int>(int(schritte.size()));
        auto *timer = new QTimer(this);
        timer->setInterval(1);
        connect(timer, &QTimer::timeout, this, [timer, name, schritte, offen]() mutable {
            auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!w || w->objectName() != name || !w->isVisible() || w->property("beantwortet").toBool())
                return;
            w->setProperty("beantwortet", true);
            const auto schritt = schritte.takeFirst();
            *offen = int(schritte.size());
            if (schritte.isEmpty()) {
                timer->stop();
                timer->deleteLater();
            }
            schritt(*w);
        });
        timer->start();
        return offen;
    }

    TestDatenbank m_db;
    QtTestMelder m_melder;
};

} // namespace obi::test
