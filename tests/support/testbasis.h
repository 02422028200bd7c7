// Base for core tests: records every message the code shows and fails the
// test when one appears that the test did not expect. Questions are answered
// from a script; a question without a scripted answer fails too.
#pragma once

#include "core/meldungen.h"

#include <QList>
#include <QString>
#include <QVector>

#include <gtest/gtest.h>

namespace obi::test {

struct Anzeige {
    QString text;
    QChar art;
    QString titel;
};

class TestMelder final : public Melder
{
public:
    void zeige(const QString &text, QChar art, const QString &titel) override;
    bool frage(const QString &frage) override;

    QVector<Anzeige> angezeigt;    // shown and not yet taken by the test
    QStringList fragen;            // every question asked
    QList<bool> antworten;         // scripted answers, taken front first
    QStringList unbeantwortet;     // questions asked without a scripted answer
};

class ObiTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Takes the first recorded message with this number; fails if none.
    void erwarteMeldung(int nummer);
    // Takes the first recorded message containing text; fails if none.
    void erwarteText(const QString &teil);
    // Answers the next frage_ok.
    void antworte(bool ok) { m_melder.antworten.append(ok); }
    // Everything shown so far and not yet taken.
    const QVector<Anzeige> &angezeigt() const { return m_melder.angezeigt; }
    void vergiss() { m_melder.angezeigt.clear(); }
    TestMelder &testMelder() { return m_melder; }

private:
    TestMelder m_melder;
};

} // namespace obi::test
