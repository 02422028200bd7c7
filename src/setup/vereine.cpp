#include "vereine.h"

#include "core/basis.h"
#include "core/datenbank.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <climits>
#include <cmath>

namespace obi {

namespace {

// Column widths of vereine: PostgreSQL refuses longer texts, so they are
// refused here with a message instead of failing as a data-access error.
constexpr int kNameLaenge = 30;
constexpr int kVerbandLaenge = 20;
constexpr int kTextLaenge = 60;

const QString kSpalten = QStringLiteral("VELOS, VENAME, VEVERB, VEORT, VETEXT, VEMLDG, VEANZA, VESGLD, VEPKTE");

Verein zeile_lesen(const QSqlQuery &q)
{
    Verein v;
    v.los = q.value(QStringLiteral("VELOS")).toInt();
    v.name = q.value(QStringLiteral("VENAME")).toString();
    v.verband = q.value(QStringLiteral("VEVERB")).toString();
    v.ort = q.value(QStringLiteral("VEORT")).toString();
    v.text = q.value(QStringLiteral("VETEXT")).toString();
    v.gemeldet = q.value(QStringLiteral("VEMLDG")).toInt();
    v.anwesend = q.value(QStringLiteral("VEANZA")).toInt();
    v.startgeld = q.value(QStringLiteral("VESGLD")).toInt();
    v.punkte = q.value(QStringLiteral("VEPKTE")).toInt();
    return v;
}

// Empty optional on a read error.
std::optional<bool> los_vergeben(int wk, int los)
{
    auto q = dm().abfrage(QStringLiteral("select VELOS from vereine where VEWKNR = ? and VELOS = ?"),
                          {QVariant(wk), QVariant(los)});
    if (!q)
        return std::nullopt;
    return q->next();
}

bool ganzzahl_feld(QString &text)
{
    text = trim_rechts(text);
    return ist_ganzzahl(text);
}

VereinErgebnis fehler(int meldung, const QString &feld)
{
    return {meldung, feld};
}

bool passt(const QString &text, int laenge)
{
    // Stored masked: a double quote takes two characters there.
    return sql_maskieren(text).size() <= laenge;
}

} // namespace

// ---- Fee -------------------------------------------------------------------

bool startgeld_lesen(const QString &text, int &cent)
{
    const QString t = trim_rechts(text);
    if (!ist_zahl(t))
        return false;
    bool ok = false;
    const double euro = zahlen_locale().toDouble(t, &ok);
    if (!ok)
        return false;
    // Rounded as it is shown, so the stored cents and the text never differ.
    const double gerundet = zahlen_locale().toDouble(dezimal_text(2, euro), &ok);
    if (!ok)
        return false;
    const double c = std::round(gerundet * 100.0);
    if (!std::isfinite(c) || std::abs(c) > double(INT_MAX))
        return false;
    cent = int(c);
    return true;
}

QString startgeld_text(int cent)
{
    return dezimal_text(2, double(cent) / 100.0);
}

// ---- Fields ----------------------------------------------------------------

VereinEingabe verein_eingabe(const Verein &v)
{
    VereinEingabe e;
    e.los = QString::number(v.los);
    e.name = v.name;
    e.verband = v.verband;
    e.gemeldet = QString::number(v.gemeldet);
    e.anwesend = QString::number(v.anwesend);
    e.startgeld = startgeld_text(v.startgeld);
    e.punkte = QString::number(v.punkte);
    e.text = v.text;
    return e;
}

VereinEingabe verein_neu_eingabe()
{
    return verein_eingabe(Verein{});
}

QString verein_feldcode(const QString &objektname)
{
    return trim_rechts(QString(objektname + QStringLiteral("    ")).mid(3, 4));
}

VereinErgebnis verein_pruefen(VereinEingabe &e, const QString &code, bool neu, int wk)
{
    const bool alle = code == QStringLiteral("*");
    auto gilt = [&](const char *c) { return alle || code == QLatin1String(c); };

    if (gilt("LOS")) {
        const QString los = QStringLiteral("LOS");
        if (!ganzzahl_feld(e.los))
            return fehler(21003, los);
        const int nr = e.los.toInt();
        // Lot numbers start at 1; a negative one would be as meaningless as 0.
        if (nr <= 0)
            return fehler(31006, los);
        e.los = QString::number(nr);
        if (neu) {
            const std::optional<bool> vergeben = los_vergeben(wk, nr);
            if (!vergeben)
                return fehler(19902, los);
            if (*vergeben)
                return fehler(18001, los);
        }
    }
    if (gilt("NAME")) {
        e.name = trim_rechts(e.name);
        if (e.name.isEmpty())
            return fehler(21001, QStringLiteral("NAME"));
        if (!passt(e.name, kNameLaenge))
            return fehler(21005, QStringLiteral("NAME"));
    }
    if (gilt("VERB")) {
        e.verband = trim_rechts(e.verband);
        if (!passt(e.verband, kVerbandLaenge))
            return fehler(21005, QStringLiteral("VERB"));
    }
    if (gilt("MLDG") && !ganzzahl_feld(e.gemeldet))
        return fehler(21004, QStringLiteral("MLDG"));
    if (gilt("ANZA") && !ganzzahl_feld(e.anwesend))
        return fehler(21004, QStringLiteral("ANZA"));
    if (gilt("SGLD")) {
        int cent = 0;
        if (!startgeld_lesen(e.startgeld, cent)) {
            e.startgeld = trim_rechts(e.startgeld);
            return fehler(21003, QStringLiteral("SGLD"));
        }
        e.startgeld = startgeld_text(cent);
    }
    if (gilt("PKTE") && !ganzzahl_feld(e.punkte))
        return fehler(21004, QStringLiteral("PKTE"));
    if (gilt("TEXT")) {
        e.text = trim_rechts(e.text);
        if (!passt(e.text, kTextLaenge))
            return fehler(21005, QStringLiteral("TEXT"));
    }
    return {};
}

// ---- Reading ---------------------------------------------------------------

QString verein_suchtext(const QString &text)
{
    return gross_schreiben(trim_rechts(text));
}

std::optional<QVector<Verein>> vereine_lesen(int wk, const QString &suchName, const QString &suchVerband)
{
    QString sql = QStringLiteral("select ") + kSpalten + QStringLiteral(" from vereine where VEWKNR = ?");
    QVariantList werte{wk};
    const QString name = verein_suchtext(suchName);
    const QString verband = verein_suchtext(suchVerband);
    // Stored texts are masked, so the search text is masked the same way.
    if (!name.isEmpty()) {
        sql += QStringLiteral(" and ") + dm().sql_gross(QStringLiteral("VENAME")) + QStringLiteral(" like ?");
        werte << QString(u'%' + sql_maskieren(name) + u'%');
    }
    if (!verband.isEmpty()) {
        sql += QStringLiteral(" and ") + dm().sql_gross(QStringLiteral("VEVERB")) + QStringLiteral(" like ?");
        werte << QString(u'%' + sql_maskieren(verband) + u'%');
    }
    sql += QStringLiteral(" order by VELOS");
    auto q = dm().abfrage(sql, werte);
    if (!q)
        return std::nullopt;
    QVector<Verein> liste;
    while (q->next())
        liste.append(zeile_lesen(*q));
    return liste;
}

std::optional<Verein> verein_lesen(int wk, int los)
{
    auto q = dm().abfrage(QStringLiteral("select ") + kSpalten
                              + QStringLiteral(" from vereine where VEWKNR = ? and VELOS = ?"),
                          {QVariant(wk), QVariant(los)});
    if (!q || !q->next())
        return std::nullopt;
    return zeile_lesen(*q);
}

// ---- Writing ---------------------------------------------------------------

VereinErgebnis verein_speichern(VereinEingabe &e, bool neu, int wk)
{
    // The write lock is held from the checks on, so no other copy can take
    // the lot number between the check and the insert.
    Transaktion t(dm());
    if (!t.aktiv())
        return fehler(19902, {});
    const VereinErgebnis pruefung = verein_pruefen(e, QStringLiteral("*"), neu, wk);
    if (!pruefung.ok())
        return pruefung;

    int cent = 0;
    startgeld_lesen(e.startgeld, cent);
    const QString art = QStringLiteral("T");
    const QString zahl = QStringLiteral("I");
    const SqlFelder felder{
        {QStringLiteral("VENAME"), art, e.name},
        {QStringLiteral("VEVERB"), art, e.verband},
        {QStringLiteral("VEMLDG"), zahl, e.gemeldet},
        {QStringLiteral("VEANZA"), zahl, e.anwesend},
        {QStringLiteral("VESGLD"), zahl, QString::number(cent)},
        {QStringLiteral("VEPKTE"), zahl, e.punkte},
        {QStringLiteral("VETEXT"), art, e.text},
        {QStringLiteral("VENAME_UPC"), art, gross_schreiben(e.name)},
        {QStringLiteral("VEWKNR"), zahl, QString::number(wk)},
        {QStringLiteral("VELOS"), zahl, e.los},
        // Not from a transfer file: the transfer reads 0 as "no former lot".
        {QStringLiteral("VEALOS"), zahl, QStringLiteral("0")},
    };

    bool ok = false;
    if (neu) {
        const SqlTeil liste = sql_einfuegeliste(felder, 11);
        ok = dm().Execute_SQL(QStringLiteral("insert into vereine") + liste.text, liste.werte);
    } else {
        const std::optional<bool> da = los_vergeben(wk, e.los.toInt());
        if (!da)
            return fehler(19902, {});
        // Deleted by another copy meanwhile: an update would change nothing
        // and still look successful.
        if (!*da)
            return fehler(9901, {});
        SqlTeil teil = sql_setliste(felder, 8);
        teil.werte << QVariant(wk) << QVariant(e.los.toInt());
        ok = dm().Execute_SQL(QStringLiteral("update vereine set ") + teil.text
                                  + QStringLiteral(" where VEWKNR = ? and VELOS = ?"),
                              teil.werte);
    }
    if (!ok || !t.commit())
        return fehler(19902, {});
    return {};
}

std::optional<bool> verein_hat_teilnehmer(int wk, int los)
{
    auto q = dm().abfrage(QStringLiteral("select STSTNR from starter where STWKNR = ? and STLOS = ?"),
                          {QVariant(wk), QVariant(los)});
    if (!q)
        return std::nullopt;
    return q->next();
}

VereinErgebnis verein_loeschen(int wk, int los)
{
    // Check and delete under one lock, so no participant can be given this
    // lot number in between.
    Transaktion t(dm());
    if (!t.aktiv())
        return fehler(19902, {});
    const std::optional<bool> teilnehmer = verein_hat_teilnehmer(wk, los);
    if (!teilnehmer)
        return fehler(19902, {});
    if (*teilnehmer)
        return fehler(18002, {});
    if (!dm().Execute_SQL(QStringLiteral("delete from vereine where VEWKNR = ? and VELOS = ?"),
                          {QVariant(wk), QVariant(los)})
        || !t.commit())
        return fehler(19902, {});
    return {};
}

// ---- Lot numbers -----------------------------------------------------------

bool losnummer_neu(int wk, int los)
{
    const std::optional<bool> vergeben = los_vergeben(wk, los);
    return vergeben && !*vergeben;
}

int neues_los(int wk, const QString &verband)
{
    const QString verb = trim_rechts(verband);
    QString sql = QStringLiteral("select max(VELOS) as max_los from vereine where VEWKNR = ?");
    QVariantList werte{wk};
    if (!verb.isEmpty()) {
        sql += QStringLiteral(" and VEVERB = ?");
        werte << sql_bindwert(verb, QStringLiteral("T"));
    }
    auto q = dm().abfrage(sql, werte);
    if (!q || !q->next())
        return 0;
    // Lot numbers start at 1, whatever an import may have stored.
    qint64 los = std::max<qint64>(q->value(0).toLongLong() + 1, 1);

    // All numbers in use at once instead of one query per candidate.
    auto belegt = dm().abfrage(QStringLiteral("select VELOS from vereine where VEWKNR = ?"), {QVariant(wk)});
    if (!belegt)
        return 0;
    QSet<qint64> vergeben;
    while (belegt->next())
        vergeben.insert(belegt->value(0).toLongLong());
    while (vergeben.contains(los))
        ++los;
    return los > INT_MAX ? 0 : int(los);
}

} // namespace obi
