// Configuration reads and the log-on name; the rest of the helpers is in basis.cpp.
#include "basis.h"
#include "konfig.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#include <lmcons.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace obi {

QString ini_lesen(const QString &sektion, const QString &schluessel)
{
    return ini_wert(ini_pfad(), sektion, schluessel);
}

qint64 ini_zahl(const QString &sektion, const QString &schluessel, qint64 unten, qint64 oben)
{
    qint64 wert = nur_ziffern(ini_lesen(sektion, schluessel));
    if (wert < unten)
        wert = unten;
    if (wert > oben)
        wert = oben;
    return wert;
}

QString windows_benutzer()
{
#ifdef Q_OS_WIN
    wchar_t name[UNLEN + 1];
    DWORD laenge = UNLEN + 1;
    if (GetUserNameW(name, &laenge) && laenge > 0)
        return QString::fromWCharArray(name, int(laenge) - 1);
    return {};
#else
    // The account of the process, not $USER, which anyone can set.
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
#endif
}

} // namespace obi
