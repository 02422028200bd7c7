#include "tabelle.h"

#include <cmath>

namespace obi {

double tabellen_wert(const TabellenZeile &z)
{
    return z.siege * 1000.0 + z.plus + (1000.0 - z.minus) / 1000.0;
}

namespace {

long long siege_aus_wert(double wert)
{
    // Rounded to the nearest whole number, ties to even (the default mode).
    return std::llrint(wert / 1000.0);
}

long long ziffern_zahl(const QString &text)
{
    long long n = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (n > 99999999)
                break; // saturate; no score or place is that long
            n = n * 10 + (c.unicode() - '0');
        }
    }
    return n;
}

} // namespace

bool calc_plaetze(std::vector<TabellenZeile> &zeilen, bool platz32, bool platz52)
{
    std::vector<double> wert;
    wert.reserve(zeilen.size());
    for (TabellenZeile &z : zeilen) {
        z.platz.clear();
        wert.push_back(tabellen_wert(z));
    }

    bool gleich = false;
    bool getauscht = true;
    while (getauscht) {
        getauscht = false;
        for (std::size_t i = 0; i + 1 < zeilen.size(); ++i) {
            if (siege_aus_wert(wert[i]) == siege_aus_wert(wert[i + 1]))
                gleich = true;
            if (wert[i] < wert[i + 1]) {
                std::swap(wert[i], wert[i + 1]);
                std::swap(zeilen[i], zeilen[i + 1]);
                getauscht = true;
            }
        }
    }

    double letzter = 999000.0;
    int platz = 0;
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        if (wert[i] < letzter) {
            platz = static_cast<int>(i) + 1;
            letzter = wert[i];
        }
        if (platz32 && platz == 4)
            zeilen[i].platz = QStringLiteral("3.2");
        else if (platz52 && platz == 6)
            zeilen[i].platz = QStringLiteral("5.2");
        else
            zeilen[i].platz = QString::number(platz) + QLatin1Char('.');
    }
    return !gleich;
}

int wertung_zahl(const QString &wertung)
{
    return static_cast<int>(ziffern_zahl(wertung));
}

int platz_zahl(const QString &platz)
{
    return static_cast<int>(ziffern_zahl(platz));
}

int tabelle_vollstaendig(int lktabk, int min_anstehend, int max_entschieden)
{
    const int c = min_anstehend < max_entschieden ? min_anstehend : max_entschieden;
    if (c < lktabk)
        return 3009;
    if (lktabk < c)
        return 3010;
    return 0;
}

QString platz_text(int n)
{
    if (n <= 0)
        return {};
    if (n <= 2)
        return QString::number(n) + QLatin1Char('.');
    if (n % 2 == 0)
        return QString::number(n - 1) + QStringLiteral(".2");
    return QString::number(n) + QStringLiteral(".1");
}

} // namespace obi
