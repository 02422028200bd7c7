// For Qt Test window suites: a Melder that records what windows show and
// answers questions from a script, and a fresh database per test.
#pragma once

#include "core/meldungen.h"
#include "support/testdb.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVector>

namespace obi::test {

// The child of a window with that object name; a missing one ends the suite,
// since every following step would only fail on a null pointer.
template <typename T>
T *kind(const QObject &w, const char *name)
{
    T *k = w.findChild<T *>(QLatin1String(name));
    if (!k)
        qFatal("%s fehlt", name);
    return k;
}
template <typename T>
T *kind(const QObject *w, const char *name)
{
    return kind<T>(*w, name);
}

class QtTestMelder final : public Melder
{
public:
    struct Anzeige {
        QString text;
        QChar art;
        QString titel;
    };
    void zeige(const QString &text, QChar art, const QString &titel) override { angezeigt.append({text, art, titel}); }
    bool frage(const QString &frage) override
    {
        fragen << frage;
        if (antworten.isEmpty()) {
            unbeantwortet << frage;
            return false;
        }
        return antworten.takeFirst();
    }
    // Takes the first shown message with this number; false if none.
    bool nimm(int nummer)
    {
        const QString suffix = QStringLiteral(" (") + QString::number(nummer) + u')';
        for (qsizetype i = 0; i < angezeigt.size(); ++i)
            if (angezeigt.at(i).text.endsWith(suffix)) {
                angezeigt.removeAt(i);
                return true;
            }
        return false;
    }
    // Texts of everything shown and not taken, for a failure message.
    QString rest() const
    {
        QStringList t;
        for (const Anzeige &a : angezeigt)
            t << a.text;
        t << unbeantwortet;
        return t.join(QStringLiteral(" | "));
    }
    bool sauber() const { return angezeigt.isEmpty() && unbeantwortet.isEmpty(); }
    void leeren()
    {
        angezeigt.clear();
        fragen.clear();
        antworten.clear();
        unbeantwortet.clear();
    }

    QVector<Anzeige> angezeigt;
    QStringList fragen;
    QList<bool> antworten;
    QStringList unbeantwortet;
};

} // namespace obi::test

// In a Qt Test slot: fails when a message was shown that the test did not take.
#define OBITRACK_KEINE_MELDUNG(melder) QVERIFY2((melder).sauber(), qPrintable((melder).rest()))
