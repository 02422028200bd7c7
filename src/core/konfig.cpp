#include "konfig.h"

#include "textcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace obi {

namespace {
QString &ueberschrieben()
{
    static QString pfad;
    return pfad;
}
} // namespace

void setze_ini_pfad(const QString &pfad)
{
    ueberschrieben() = pfad;
}

QString ini_pfad()
{
    if (!ueberschrieben().isEmpty())
        return ueberschrieben();
    const QString env = qEnvironmentVariable("OBITRACK_INI");
    if (!env.isEmpty())
        return env;
    QString ordner;
    if (QCoreApplication::instance())
        ordner = QCoreApplication::applicationDirPath();
    else
        ordner = QDir::currentPath();
    return QDir(ordner).filePath(QStringLiteral("obitrack.ini"));
}

QString ini_ordner()
{
    return QFileInfo(ini_pfad()).absolutePath();
}

QString ini_wert(const QString &pfad, const QString &sektion, const QString &schluessel)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    const QString inhalt = text_dekodieren(datei.readAll());
    bool inSektion = false;
    const auto zeilen = QStringView(inhalt).split(u'\n');
    for (QStringView zeile : zeilen) {
        zeile = zeile.trimmed();
        if (zeile.isEmpty() || zeile.startsWith(u';') || zeile.startsWith(u'#'))
            continue;
        if (zeile.startsWith(u'[')) {
            const qsizetype ende = zeile.indexOf(u']');
            const QStringView name = ende > 0 ? zeile.mid(1, ende - 1) : zeile.mid(1);
            inSektion = name.trimmed().compare(sektion, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSektion)
            continue;
        const qsizetype gleich = zeile.indexOf(u'=');
        if (gleich < 0)
            continue;
        if (zeile.left(gleich).trimmed().compare(schluessel, Qt::CaseInsensitive) != 0)
            continue;
        QStringView wert = zeile.mid(gleich + 1).trimmed();
        // Windows drops one pair of enclosing quotes.
        if (wert.size() >= 2
            && ((wert.front() == u'"' && wert.back() == u'"')
                || (wert.front() == u'\'' && wert.back() == u'\'')))
            wert = wert.mid(1, wert.size() - 2);
        return wert.toString();
    }
    return {};
}

} // namespace obi
