#include "support/testbasis.h"

#include "core/basis.h"
#include "core/konfig.h"
#include "core/textcodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace obi;
using obi::test::ObiTest;

namespace {

QString datenPfad(const char *name)
{
    return QDir(QStringLiteral(OBITRACK_TEST_DATA_DIR)).filePath(QString::fromLatin1(name));
}

TEST_F(ObiTest, IniWindows1252UndUtf8)
{
    const struct {
        const char *datei;
        const char *sektion;
        const char *schluessel;
        const char *erwartet;
    } faelle[] = {
        {"win1252.ini", "database", "db_file", "München.db"},
        {"win1252.ini", "ANZEIGE", "text", "Grüß Gott €"}, // case-insensitive, quotes dropped
        {"win1252.ini", "anzeige", "leer", ""},
        {"win1252.ini", "anzeige", "fehlt", ""},
        {"win1252.ini", "fehlt", "text", ""},
        {"utf8.ini", "anzeige", "Text", "Grüß Gott €"},
        {"utf8.ini", "waage", "port", "3"}, // the first of two entries counts
        {"gibt-es-nicht.ini", "database", "db_file", ""},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(ini_wert(datenPfad(f.datei), QString::fromLatin1(f.sektion), QString::fromLatin1(f.schluessel)),
                  QString::fromUtf8(f.erwartet))
            << f.datei << " " << f.sektion << " " << f.schluessel;
}

TEST_F(ObiTest, IniWirdBeiJedemLesenNeuGelesen)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("obitrack.ini"));
    setze_ini_pfad(pfad);
    EXPECT_EQ(ini_lesen(QStringLiteral("control"), QStringLiteral("platz32")), QString());
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[control]\nplatz32=1\n");
    }
    EXPECT_EQ(ini_lesen(QStringLiteral("control"), QStringLiteral("platz32")), QStringLiteral("1"));
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[control]\nplatz32=x7y\n");
    }
    EXPECT_EQ(ini_zahl(QStringLiteral("control"), QStringLiteral("platz32"), 0, 2), 2); // digits 7, lowered to 2
    EXPECT_EQ(ini_zahl(QStringLiteral("control"), QStringLiteral("fehlt"), 0, 2), 0);
    EXPECT_EQ(ini_zahl(QStringLiteral("control"), QStringLiteral("fehlt"), 5, 9), 5);
}

TEST_F(ObiTest, IniPfadAusUmgebungUndOption)
{
    qputenv("OBITRACK_INI", "/tmp/aus-umgebung.ini");
    EXPECT_EQ(ini_pfad(), QStringLiteral("/tmp/aus-umgebung.ini"));
    setze_ini_pfad(QStringLiteral("/tmp/aus-option.ini"));
    EXPECT_EQ(ini_pfad(), QStringLiteral("/tmp/aus-option.ini")); // --config wins
    setze_ini_pfad(QString());
    qunsetenv("OBITRACK_INI");
    EXPECT_TRUE(ini_pfad().endsWith(QStringLiteral("/obitrack.ini")));
}

TEST_F(ObiTest, Windows1252Umwandlung)
{
    const QByteArray bytes("\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x80\xB4", 9);
    EXPECT_EQ(aus_windows1252(bytes), QStringLiteral("ÄÖÜäöüß€´"));
    EXPECT_EQ(nach_windows1252(QStringLiteral("ÄÖÜäöüß€´")), bytes);
    EXPECT_EQ(text_dekodieren(QByteArray("Gr\xC3\xBC\xC3\x9F")), QStringLiteral("Grüß"));
    EXPECT_EQ(text_dekodieren(QByteArray("Gr\xFC\xDF")), QStringLiteral("Grüß"));
}

TEST_F(ObiTest, WindowsBenutzerIstNichtLeer)
{
    EXPECT_FALSE(windows_benutzer().isEmpty());
}

} // namespace
