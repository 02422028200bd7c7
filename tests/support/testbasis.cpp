#include "testbasis.h"

#include "core/basis.h"
#include "core/konfig.h"
#include "core/zustand.h"

namespace obi::test {

void TestMelder::zeige(const QString &text, QChar art, const QString &titel)
{
    angezeigt.append({text, art, titel});
}

bool TestMelder::frage(const QString &f)
{
    fragen << f;
    if (antworten.isEmpty()) {
        unbeantwortet << f;
        return false;
    }
    return antworten.takeFirst();
}

void ObiTest::SetUp()
{
    zustand_zuruecksetzen();
    setze_zahlen_locale(QLocale(QLocale::German, QLocale::Germany));
    setze_melder(&m_melder);
}

void ObiTest::TearDown()
{
    setze_melder(nullptr);
    setze_ini_pfad(QString());
    for (const Anzeige &a : std::as_const(m_melder.angezeigt))
        ADD_FAILURE() << "unerwartete Meldung [" << a.art.toLatin1() << "]: " << a.text.toStdString();
    for (const QString &f : std::as_const(m_melder.unbeantwortet))
        ADD_FAILURE() << "Frage ohne vorgesehene Antwort: " << f.toStdString();
    if (!m_melder.antworten.isEmpty())
        ADD_FAILURE() << m_melder.antworten.size() << " vorgesehene Antwort(en) nicht gebraucht";
}

void ObiTest::erwarteMeldung(int nummer)
{
    const QString suffix = QStringLiteral(" (") + QString::number(nummer) + u')';
    for (qsizetype i = 0; i < m_melder.angezeigt.size(); ++i) {
        if (m_melder.angezeigt.at(i).text.endsWith(suffix)) {
            m_melder.angezeigt.removeAt(i);
            return;
        }
    }
    ADD_FAILURE() << "Meldung " << nummer << " wurde nicht angezeigt";
}

void ObiTest::erwarteText(const QString &teil)
{
    for (qsizetype i = 0; i < m_melder.angezeigt.size(); ++i) {
        if (m_melder.angezeigt.at(i).text.contains(teil)) {
            m_melder.angezeigt.removeAt(i);
            return;
        }
    }
    ADD_FAILURE() << "Text nicht angezeigt: " << teil.toStdString();
}

} // namespace obi::test
