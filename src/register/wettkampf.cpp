#include "wettkampf.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/tdm_dienste.h"
#include "core/zustand.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace obi
{

namespace
{

QString feldText(const QSqlQuery &q, const char *name)
{
    return q.value(QString::fromLatin1(name)).toString();
}

QString aktueller_benutzer()
{
    const QString b = zustand().benutzer;
    return b.isEmpty() ? windows_benutzer() : b;
}

} // namespace

QString wettkampf_liste_sql()
{
    return QStringLiteral("select * from wettkampf order by WKDATU desc, WKBEZ desc");
}

QVector<WettkampfZeile> wettkampf_liste()
{
    QVector<WettkampfZeile> liste;
    auto q = dm().abfrage(wettkampf_liste_sql());
    if (!q)
        return liste;
    while (q->next()) {
        WettkampfZeile z;
        z.nummer = q->value(QStringLiteral("WKWKNR")).toInt();
        z.datum = q->value(QStringLiteral("WKDATU")).toInt();
        z.bezeichnung = feldText(*q, "WKBEZ");
        z.ort = feldText(*q, "WKORT");
        z.leitung = feldText(*q, "WKLTG");
        liste << z;
    }
    return liste;
}

std::optional<WettkampfDaten> wettkampf_lesen(int nummer)
{
    auto q = dm().abfrage(QStringLiteral("select * from wettkampf where WKWKNR = ?"), { nummer });
    if (!q || !q->next())
        return std::nullopt;
    WettkampfDaten d;
    d.nummer = q->value(QStringLiteral("WKWKNR")).toInt();
    d.bezeichnung = feldText(*q, "WKBEZ");
    d.datum = zahl_zu_datum(q->value(QStringLiteral("WKDATU")).toLongLong());
    d.ort = feldText(*q, "WKORT");
    d.leitung = feldText(*q, "WKLTG");
    d.startgeld = dezimal_text(2, q->value(QStringLiteral("WKSGLD")).toDouble());
    d.bemerkung = feldText(*q, "WKTEXT");
    return d;
}

WettkampfDaten wettkampf_vorgabe()
{
    WettkampfDaten d;
    d.bezeichnung = QStringLiteral("neuer Wettkampf");
    d.datum = zahl_zu_datum(heute_zahl());
    d.startgeld = dezimal_text(2, 0);
    return d;
}

bool wettkampf_pruefen(WettkampfDaten &d, const QString &feld, QString *fehlerFeld)
{
    const bool alle = feld == u"*";
    auto fehler = [&](const char *f, int meldung) {
        if (fehlerFeld)
            *fehlerFeld = QString::fromLatin1(f);
        zeige_meldung(meldung);
        return false;
    };
    if (alle || feld == u"BEZ") {
        if (trim_rechts(d.bezeichnung).isEmpty())
            return fehler("BEZ", 21001);
    }
    if (alle || feld == u"DATU") {
        const QString datum = trim_rechts(d.datum);
        if (datum.isEmpty())
            return fehler("DATU", 21001);
        const int zahl = datum_zu_zahl(datum.trimmed());
        if (zahl < 1000)
            return fehler("DATU", 21002);
        d.datum = zahl_zu_datum(zahl);
    }
    if (alle || feld == u"SGLD") {
        if (!ist_zahl(d.startgeld.trimmed()))
            return fehler("SGLD", 21003);
    }
    if (fehlerFeld)
        fehlerFeld->clear();
    return true;
}

std::optional<int> wettkampf_speichern(WettkampfDaten &d)
{
    return wettkampf_speichern(d, dm());
}

std::optional<int> wettkampf_speichern(WettkampfDaten &d, Tdm &db)
{
    if (!wettkampf_pruefen(d, QStringLiteral("*")))
        return std::nullopt;

    const QString heute = QString::number(heute_zahl());
    const QString jetzt = QString::number(jetzt_zahl());
    const QString benutzer = aktueller_benutzer();
    SqlFelder f = {
        { QStringLiteral("WKBEZ"), QStringLiteral("T"), d.bezeichnung },
        { QStringLiteral("WKDATU"), QStringLiteral("I"), QString::number(datum_zu_zahl(d.datum)) },
        { QStringLiteral("WKORT"), QStringLiteral("T"), d.ort },
        { QStringLiteral("WKLTG"), QStringLiteral("T"), d.leitung },
        { QStringLiteral("WKSGLD"), QStringLiteral("N"), d.startgeld.trimmed() },
        { QStringLiteral("WKTEXT"), QStringLiteral("T"), d.bemerkung },
        { QStringLiteral("WKUSER"), QStringLiteral("T"), benutzer },
        { QStringLiteral("WKAEDA"), QStringLiteral("I"), heute },
        { QStringLiteral("WKAETI"), QStringLiteral("I"), jetzt },
        { QStringLiteral("WKWKNR"), QStringLiteral("I"), QString() },
        { QStringLiteral("WKERUS"), QStringLiteral("T"), benutzer },
        { QStringLiteral("WKERDA"), QStringLiteral("I"), heute },
        { QStringLiteral("WKERTI"), QStringLiteral("I"), jetzt },
    };

    if (d.nummer > 0) {
        const SqlTeil set = sql_setliste(f, 9);
        QVariantList werte = set.werte;
        werte << d.nummer;
        Transaktion t(db);
        // The row must exist: an update of nothing is no success.
        const bool ok = t.aktiv()
            && db.anzahl_Saetze(QStringLiteral("select WKWKNR from wettkampf where WKWKNR = ?"), { d.nummer }) == 1
            && db.Execute_SQL(QStringLiteral("update wettkampf set ") + set.text + QStringLiteral(" where WKWKNR = ?"),
                              werte)
            && t.commit();
        if (!ok) {
            zeige_meldung(9002);
            return std::nullopt;
        }
        return d.nummer;
    }

    // Highest number + 1; stays unique when another copy creates one at the
    // same moment.
    SqlFelder neu = f;
    neu.remove(9); // WKWKNR is set by the allocation
    // A new tournament starts with every field activation off.
    for (const char *spalte : { "WKFLDJ", "WKFLDL", "WKFLDP", "WKFLDB", "WKFLDS" })
        neu.append({ QString::fromLatin1(spalte), QStringLiteral("I"), QStringLiteral("0") });
    const int nummer
        = neue_nummer_einfuegen(db, QStringLiteral("wettkampf"), QStringLiteral("WKWKNR"), QStringLiteral("*"), neu);
    if (nummer <= 0) {
        zeige_meldung(9002);
        return std::nullopt;
    }
    d.nummer = nummer;
    return nummer;
}

const QVector<WettkampfTabelle> &wettkampf_tabellen()
{
    // Dependent rows first, the tournament itself last.
    static const QVector<WettkampfTabelle> tabellen = {
        { "wk_protokoll", "WPWKNR" }, { "wk_liste", "WLWKNR" },     { "matten_belegung", "MBWKNR" },
        { "starter", "STWKNR" },      { "gew_klassen", "GKWKNR" },  { "klassen", "AKWKNR" },
        { "vereine", "VEWKNR" },      { "temp_vereine", "TMWKNR" }, { "wettkampf", "WKWKNR" },
    };
    return tabellen;
}

bool wettkampf_loeschen(int nummer)
{
    Tdm &db = dm();
    bool ok = false;
    {
        Transaktion t(db);
        ok = t.aktiv();
        for (const WettkampfTabelle &w : wettkampf_tabellen()) {
            if (!ok)
                break;
            ok = db.Execute_SQL(QStringLiteral("delete from ") + QString::fromLatin1(w.tabelle)
                                    + QStringLiteral(" where ") + QString::fromLatin1(w.spalte)
                                    + QStringLiteral(" = ?"),
                                { nummer });
        }
        ok = ok && t.commit();
    }
    if (!ok) {
        zeige_meldung(11015);
        return false;
    }
    if (aktueller_wettkampf_nr() == nummer) {
        zustand().aktueller_wettkampf = QStringLiteral("0");
        zustand().aktueller_wettkampfname.clear();
    }
    return true;
}

} // namespace obi
