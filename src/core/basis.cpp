// Conversions, text clean-up, field splitting and SQL builders shared by all
// windows. Configuration reads live in basis_ini.cpp.
#include "basis.h"

#include <QDate>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace obi {

namespace {

constexpr qint64 kZiffernGrenze = 999999999999999999LL; // 18 nines, fits qint64

bool istAsciiZiffer(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Only ASCII digits count everywhere here: other scripts' digits must never
// end up in SQL text or in a stored number.
int zifferWert(QChar c)
{
    return c.unicode() - u'0';
}

bool hatRandLeerraum(const QString &text)
{
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

// Strict 32-bit read: the whole text, an optional sign, no blanks around it.
bool liesGanzzahl(const QString &text, int &wert)
{
    if (text.isEmpty() || hatRandLeerraum(text))
        return false;
    bool ok = false;
    const int z = text.toInt(&ok, 10);
    if (ok)
        wert = z;
    return ok;
}

struct LocaleSpeicher {
    QMutex sperre;
    QLocale locale{QLocale::German, QLocale::Germany};
};

LocaleSpeicher &localeSpeicher()
{
    static LocaleSpeicher speicher;
    return speicher;
}

bool istBezeichner(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool buchstabe = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        if (!buchstabe && !(i > 0 && istAsciiZiffer(c)))
            return false;
    }
    return true;
}

// Position 1-based; anything outside the vector is an empty column so that a
// miscounted n gives bad SQL instead of a crash.
SqlFeld feldAn(const SqlFelder &felder, qint64 position)
{
    if (position < 1 || position > felder.size())
        return {};
    const SqlFeld &f = felder.at(qsizetype(position - 1));
    // Names are written by the program, never typed; a bad one is a coding error.
    Q_ASSERT_X(istBezeichner(f.name), "sql builder", "column name is not a plain identifier");
    return f;
}

constexpr qint64 kZehnerPotenz[] = {
    1LL, 10LL, 100LL, 1000LL, 10000LL, 100000LL, 1000000LL, 10000000LL, 100000000LL,
    1000000000LL, 10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL,
    100000000000000LL, 1000000000000000LL,
};
constexpr int kMaxStellen = 15;

} // namespace

// ---- Number format -------------------------------------------------------

QLocale zahlen_locale()
{
    LocaleSpeicher &s = localeSpeicher();
    QMutexLocker lock(&s.sperre);
    return s.locale;
}

void setze_zahlen_locale(const QLocale &locale)
{
    LocaleSpeicher &s = localeSpeicher();
    QMutexLocker lock(&s.sperre);
    s.locale = locale;
}

// ---- Dates, times, numbers ----------------------------------------------

int datum_zu_zahl(const QString &text)
{
    constexpr int ungueltig = 1;
    if (text.isEmpty())
        return 0;

    QString tagText, monatText, jahrText;
    const qsizetype punkt1 = text.indexOf(u'.');
    if (punkt1 >= 0) {
        const qsizetype punkt2 = text.indexOf(u'.', punkt1 + 1);
        if (punkt2 < 0 || punkt2 == text.size() - 1)
            return ungueltig;
        tagText = text.left(punkt1);
        monatText = text.mid(punkt1 + 1, punkt2 - punkt1 - 1);
        jahrText = text.mid(punkt2 + 1);
    } else if (text.size() == 6 || text.size() == 8) {
        tagText = text.left(2);
        monatText = text.mid(2, 2);
        jahrText = text.mid(4);
    } else {
        return ungueltig;
    }

    int tag = 0, monat = 0, jahr = 0;
    if (!liesGanzzahl(tagText, tag) || !liesGanzzahl(monatText, monat) || !liesGanzzahl(jahrText, jahr))
        return ungueltig;
    // A negative year is a typing error, not a two-digit year to be completed;
    // more than four digits would not fit yyyymmdd.
    if (jahr < 0 || jahr > 9999)
        return ungueltig;
    if (jahr < 100)
        jahr += jahr < 46 ? 2000 : 1900;

    if (monat < 1 || monat > 12 || jahr < 1900 || tag < 1 || tag > 31)
        return ungueltig;
    if ((monat == 4 || monat == 6 || monat == 9 || monat == 11) && tag > 30)
        return ungueltig;
    // Leap years without the century rule, as the stored data has always had it.
    if (monat == 2 && tag > (jahr % 4 == 0 ? 29 : 28))
        return ungueltig;
    return jahr * 10000 + monat * 100 + tag;
}

QString zahl_zu_datum(qint64 zahl)
{
    if (zahl <= 0)
        return {};
    // Cut by position so that a stored marker like 1 still shows as "..1".
    const QString s = QString::number(zahl);
    return s.mid(6, 2) + u'.' + s.mid(4, 2) + u'.' + s.left(4);
}

int heute_zahl()
{
    const QDate d = QDate::currentDate();
    return d.year() * 10000 + d.month() * 100 + d.day();
}

qint64 zeit_zu_zahl(const QString &text)
{
    if (text.isEmpty())
        return 2500;
    const qint64 zahl = nur_ziffern(text);
    if (zahl % 100 >= 60)
        return 2501;
    return zahl;
}

int jetzt_zahl()
{
    const QTime t = QTime::currentTime();
    const int zahl = t.hour() * 10000 + t.minute() * 100 + t.second();
    return zahl > 240000 ? 0 : zahl;
}

QString sekunden_zu_text(qint64 sekunden, int stunden)
{
    // Unsigned magnitude so that even the smallest qint64 does not overflow.
    const quint64 betrag = sekunden < 0 ? 0 - quint64(sekunden) : quint64(sekunden);
    const QString vorzeichen = sekunden < 0 ? QStringLiteral("-") : QString();
    const QString sek = QStringLiteral("%1").arg(betrag % 60, 2, 10, QLatin1Char('0'));
    if (stunden == 1) {
        const QString min = QStringLiteral("%1").arg((betrag / 60) % 60, 2, 10, QLatin1Char('0'));
        return vorzeichen + QString::number(betrag / 3600) + u':' + min + u':' + sek;
    }
    return vorzeichen + QString::number(betrag / 60) + u':' + sek;
}

int sekunden_aus_text(const QString &text)
{
    constexpr qint64 obergrenze = std::numeric_limits<int>::max();
    // Beyond this any non-zero group exceeds the int range anyway; keeps the
    // multiplier from overflowing on texts full of separators.
    constexpr qint64 faktorGrenze = 1000000000000LL;

    const QString s = ohne_leerzeichen(text);
    qint64 summe = 0;
    qint64 faktor = 1;
    int gruppe = 0;
    int ziffern = 0;
    qint64 stelle = 1;

    const auto gruppeSchliessen = [&] {
        if (ziffern >= 1 && ziffern <= 2)
            summe = std::min(obergrenze, summe + gruppe * faktor);
        gruppe = 0;
        ziffern = 0;
        stelle = 1;
    };

    for (qsizetype i = s.size() - 1; i >= 0; --i) {
        const QChar c = s.at(i);
        if (istAsciiZiffer(c)) {
            // Only the value of one- and two-digit groups is ever used.
            if (ziffern < 2)
                gruppe += int(zifferWert(c) * stelle);
            ++ziffern;
            stelle *= 10;
            if (stelle > 100)
                stelle = 100;
        } else if (c == u'.' || c == u':') {
            gruppeSchliessen();
            faktor = std::min(faktorGrenze, faktor * 60);
        }
    }
    gruppeSchliessen();
    return int(summe);
}

QString zahl_format(qint64 zahl, int breite, bool tausender)
{
    QString text = QString::number(zahl);
    QString vorzeichen;
    if (text.startsWith(u'-')) {
        vorzeichen = QStringLiteral("-");
        text.remove(0, 1);
    }
    // The width counts the sign; zeros go between sign and digits.
    const qsizetype fehlend = qsizetype(breite) - vorzeichen.size() - text.size();
    if (fehlend > 0)
        text.prepend(QString(std::min<qsizetype>(fehlend, 15), u'0'));
    if (tausender) {
        for (qsizetype i = text.size() - 3; i > 0; i -= 3)
            text.insert(i, u'.');
    }
    return vorzeichen + text;
}

QString dezimal_text(int stellen, double wert)
{
    stellen = std::clamp(stellen, 0, kMaxStellen);
    const QChar trenner = ist_zahl(QStringLiteral("0.0")) ? u'.' : u',';

    const double skaliert = wert * double(kZehnerPotenz[stellen]);
    if (!std::isfinite(skaliert) || std::abs(skaliert) >= 9.0e18) {
        // Too large for exact integer arithmetic; no tournament value gets here.
        QString s = QString::number(wert, 'f', stellen);
        s.replace(u'.', trenner);
        return s;
    }

    // Ties to even; a product that misses .5 only by floating noise
    // (2.675 * 100) counts as a tie, as the typed decimal was one.
    const double unten = std::floor(skaliert);
    const double rest = skaliert - unten;
    double gerundet;
    if (std::abs(rest - 0.5) < 1e-9)
        gerundet = std::fmod(unten, 2.0) == 0.0 ? unten : unten + 1.0;
    else
        gerundet = rest < 0.5 ? unten : unten + 1.0;

    const qint64 n = qint64(gerundet);
    const qint64 teiler = kZehnerPotenz[stellen];
    const qint64 ganz = n / teiler;
    QString text = QString::number(ganz);
    // Keep the sign when the integer part alone would hide it (-0,5).
    if (n < 0 && ganz == 0)
        text.prepend(u'-');
    if (stellen > 0) {
        const qint64 bruch = std::abs(n % teiler);
        text += trenner + QStringLiteral("%1").arg(bruch, stellen, 10, QLatin1Char('0'));
    }
    return text;
}

qint64 nur_ziffern(const QString &text)
{
    qint64 zahl = 0;
    for (const QChar c : text) {
        if (!istAsciiZiffer(c))
            continue;
        const int z = zifferWert(c);
        // Saturate instead of overflowing: a pasted long text is no number anyway.
        if (zahl > (kZiffernGrenze - z) / 10)
            return kZiffernGrenze;
        zahl = zahl * 10 + z;
    }
    return zahl;
}

bool ist_ganzzahl(const QString &text)
{
    int wert = 0;
    return liesGanzzahl(text, wert);
}

bool ist_zahl(const QString &text)
{
    if (text.isEmpty() || hatRandLeerraum(text))
        return false;
    QLocale locale = zahlen_locale();
    // "1.500" must not pass as fifteen hundred under a decimal comma.
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double wert = locale.toDouble(text, &ok);
    return ok && std::isfinite(wert);
}

QString bool_zu_text(bool wert)
{
    return wert ? QStringLiteral("1") : QStringLiteral("0");
}

qint64 maximum(qint64 a, qint64 b)
{
    return a > b ? a : b;
}

qint64 minimum(qint64 a, qint64 b)
{
    return a < b ? a : b;
}

int pruefziffer(qint64 zahl)
{
    int summe = 0;
    bool dreifach = false;
    while (zahl > 0) {
        summe += int(zahl % 10) * (dreifach ? 3 : 1);
        dreifach = !dreifach;
        zahl /= 10;
    }
    return 9 - summe % 10;
}

bool prozent_lesen(int &wert, const QString &text)
{
    const qint64 zahl = nur_ziffern(text);
    if (zahl < 2 || zahl > 199)
        return false;
    wert = int(zahl);
    return true;
}

bool farbe_lesen(quint32 &wert, const QString &text)
{
    const QString s = trim_rechts(text).toUpper();
    if (s.size() != 7 || s.at(0) != u'$')
        return false;
    quint32 rgb = 0;
    for (qsizetype i = 1; i < 7; ++i) {
        const QChar c = s.at(i);
        int ziffer;
        if (istAsciiZiffer(c))
            ziffer = zifferWert(c);
        else if (c >= u'A' && c <= u'F')
            ziffer = c.unicode() - u'A' + 10;
        else
            return false;
        rgb = rgb * 16 + quint32(ziffer);
    }
    // The platform colour keeps red in the low byte.
    const quint32 rot = (rgb >> 16) & 0xFF;
    const quint32 gruen = (rgb >> 8) & 0xFF;
    const quint32 blau = rgb & 0xFF;
    wert = rot | (gruen << 8) | (blau << 16);
    return true;
}

// ---- Text clean-up -------------------------------------------------------

QString trim_rechts(const QString &text)
{
    qsizetype ende = text.size();
    while (ende > 0 && text.at(ende - 1) == u' ')
        --ende;
    return text.left(ende);
}

QString trim_links(const QString &text)
{
    qsizetype anfang = 0;
    while (anfang < text.size() && text.at(anfang) == u' ')
        ++anfang;
    return text.mid(anfang);
}

QString ohne_leerzeichen(const QString &text)
{
    QString s = text;
    s.remove(u' ');
    return s;
}

QString gross_schreiben(const QString &text)
{
    QString s = text;
    for (QChar &c : s) {
        if (c == u'ä')
            c = u'Ä';
        else if (c == u'ö')
            c = u'Ö';
        else if (c == u'ü')
            c = u'Ü';
        else
            c = c.toUpper(); // one character to one: ß stays ß
    }
    return s;
}

QChar klein_buchstabe(QChar zeichen)
{
    if (zeichen >= u'A' && zeichen <= u'Z')
        return QChar(zeichen.unicode() - u'A' + u'a');
    if (zeichen == u'Ä')
        return u'ä';
    if (zeichen == u'Ö')
        return u'ö';
    if (zeichen == u'Ü')
        return u'ü';
    return zeichen;
}

QString name_schreibweise(const QString &text)
{
    QString s = text;
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar vorher = text.at(i - 1);
        // Capitals after a blank, hyphen or point are kept: "MÜLLER-LÜDENSCHEID"
        // becomes "Müller-Lüdenscheid", "VAN DER BERG" "Van Der Berg".
        if (vorher != u' ' && vorher != u'-' && vorher != u'.')
            s[i] = klein_buchstabe(text.at(i));
    }
    return s;
}

QString ersetzen(const QString &suche, const QString &text, const QString &ersatz)
{
    if (suche.isEmpty())
        return text;
    const qsizetype pos = text.indexOf(suche);
    if (pos < 0)
        return text;
    QString s = text;
    s.replace(pos, suche.size(), ersatz);
    return s;
}

QString wiederholen(const QString &text, int anzahl, int grenze)
{
    const int n = std::min(anzahl, grenze);
    return n > 0 ? text.repeated(n) : QString();
}

QString bis_punkt(const QString &text)
{
    const qsizetype pos = text.indexOf(u'.');
    return pos < 0 ? text : text.left(pos + 1);
}

QString sql_maskieren(const QString &text)
{
    // Names are stored without quote characters at all; the acute accent
    // looks close enough on lists and certificates.
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'"')
            s += QStringLiteral(u"\u00B4\u00B4");
        else if (c == u'\'')
            s += QChar(0x00B4);
        else
            s += c;
    }
    return s;
}

// ---- Field splitting -----------------------------------------------------

QString naechstes_feld(QString &rest)
{
    return naechstes_feld_trenner(rest, u';');
}

QString naechstes_feld_trenner(QString &rest, QChar trenner)
{
    const qsizetype pos = rest.indexOf(trenner);
    if (pos < 0) {
        QString feld = rest;
        rest.clear();
        return feld;
    }
    QString feld = rest.left(pos);
    rest.remove(0, pos + 1);
    return feld;
}

// ---- SQL builders --------------------------------------------------------

QVariant sql_bindwert(const QString &wert, const QString &art)
{
    if (art == u"D" || art == u"d")
        return QVariant(qlonglong(datum_zu_zahl(wert)));

    if (art == u"I" || art == u"i") {
        const QString t = wert.trimmed();
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const qlonglong zahl = t.toLongLong(&ok, 10);
        // Text that is no integer still goes through: the database decides.
        return ok ? QVariant(zahl) : QVariant(wert);
    }

    if (art == u"N" || art == u"n" || art == u"Z" || art == u"z") {
        QString t = wert;
        t.replace(u',', u'.');
        t = t.trimmed();
        if (t.isEmpty())
            return QVariant(QMetaType::fromType<double>());
        bool ok = false;
        const double zahl = t.toDouble(&ok);
        return ok && std::isfinite(zahl) ? QVariant(zahl) : QVariant(t);
    }

    return QVariant(sql_maskieren(wert));
}

SqlTeil sql_wert(const QString &wert, const QString &art)
{
    return {QStringLiteral("?"), {sql_bindwert(wert, art)}};
}

SqlTeil sql_setliste(const SqlFelder &felder, int n)
{
    QStringList paare;
    SqlTeil teil;
    for (qint64 i = 1; i <= n; ++i) {
        const SqlFeld f = feldAn(felder, i);
        paare << f.name + QStringLiteral(" = ?");
        teil.werte << sql_bindwert(f.wert, f.art);
    }
    teil.text = paare.join(QStringLiteral(", "));
    return teil;
}

SqlTeil sql_bedingung(const SqlFelder &felder, int von, int bis)
{
    QStringList paare;
    SqlTeil teil;
    for (qint64 i = von; i <= bis; ++i) {
        const SqlFeld f = feldAn(felder, i);
        paare << f.name + QStringLiteral(" = ?");
        teil.werte << sql_bindwert(f.wert, f.art);
    }
    teil.text = paare.join(QStringLiteral(" and "));
    return teil;
}

SqlTeil sql_einfuegeliste(const SqlFelder &felder, int n)
{
    QStringList namen;
    QStringList platzhalter;
    SqlTeil teil;
    for (qint64 i = 1; i <= n; ++i) {
        const SqlFeld f = feldAn(felder, i);
        namen << f.name;
        platzhalter << QStringLiteral("?");
        teil.werte << sql_bindwert(f.wert, f.art);
    }
    teil.text = QStringLiteral(" (") + namen.join(QStringLiteral(", ")) + QStringLiteral(") values (")
                + platzhalter.join(QStringLiteral(", ")) + QStringLiteral(") ");
    return teil;
}

QString werte_liste(const SqlFelder &felder, int n)
{
    QStringList werte;
    for (qint64 i = 1; i <= n; ++i)
        werte << (i <= felder.size() ? felder.at(qsizetype(i - 1)).wert : QString());
    return werte.join(u';');
}

QString kampf_filter(const QString &text)
{
    // Nine digits after the leading zero stay below the int range of WLLPOS.
    constexpr qsizetype maxZiffern = 9;

    QStringList bedingungen;
    QString bedingung; // the previous piece's condition, repeated by empty pieces
    QString rest = text;
    while (!rest.isEmpty()) {
        const QString teil = naechstes_feld(rest);
        QString von = QStringLiteral("0");
        QString bis = QStringLiteral("0");
        bool bereich = false;
        for (const QChar c : teil) {
            if (c == u'-') {
                bereich = true;
            } else if (istAsciiZiffer(c)) {
                QString &ziel = bereich ? bis : von;
                if (ziel.size() <= maxZiffern)
                    ziel += c;
            }
        }
        if (bereich) {
            if (bis == u"0")
                bis = QStringLiteral("999");
            bedingung = QStringLiteral(" ( WLLPOS >= ") + von + QStringLiteral(" and WLLPOS <= ") + bis
                        + QStringLiteral(" ) ");
        } else if (von != u"0") {
            bedingung = QStringLiteral(" WLLPOS = ") + von;
        }
        if (!bedingung.isEmpty())
            bedingungen << bedingung;
    }
    if (bedingungen.isEmpty())
        return {};
    return QStringLiteral(" and ( ") + bedingungen.join(QStringLiteral(" or ")) + QStringLiteral(" ) ");
}

} // namespace obi
