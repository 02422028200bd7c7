#include "einteilung.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>

namespace obi {

namespace {

constexpr int kMaxLaengeGewk = 10; // gew_klassen.GKGEWK, starter.STGEWK

// Names reach the database only in their stored form (quotes as accents).
QString gespeichert(const QString &text)
{
    return sql_maskieren(trim_rechts(text));
}

bool gewk_vorhanden(int wk, const QString &ak, const QString &gewk)
{
    return dm().anzahl_Saetze(QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? "
                                             "and GKGEWK = ?"),
                              {wk, gespeichert(ak), gespeichert(gewk)})
           > 0;
}

int hoechste_sortierung(int wk, const QString &ak)
{
    const QVariant v = dm().einzelwert(
        QStringLiteral("select max(GKSORT) from gew_klassen where GKWKNR = ? and GKAKID = ?"), {wk, gespeichert(ak)});
    const int hoechste = v.isNull() ? 0 : v.toInt();
    return std::max(hoechste, kSortZusatzklassen);
}

// The moves of starter_umsetzen, inside the caller's transaction.
bool umsetzen_in_transaktion(int wk, const QString &ak, const QString &von, const QString &nach,
                             const QVector<int> &stnrs)
{
    const QString sql = QStringLiteral("update starter set STGEWK = ? where STWKNR = ? and STSTNR = ? "
                                       "and STAKID = ? and STGEWK = ?");
    for (const int stnr : stnrs)
        if (!dm().Execute_SQL(sql, {nach, wk, stnr, ak, von}))
            return false;
    return true;
}

} // namespace

// ---- Reading ---------------------------------------------------------------

std::optional<QStringList> einteilung_altersklassen(int wk)
{
    return dm().textspalte(QStringLiteral("select AKAKID from klassen where AKWKNR = ? order by AKAKID"), {wk});
}

std::optional<QStringList> einteilung_gewichtsklassen(int wk, const QString &ak)
{
    return dm().textspalte(
        QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? order by GKSORT, GKGEWK"),
        {wk, gespeichert(ak)});
}

std::optional<QVector<EinteilungStarter>> einteilung_starter(int wk, const QString &ak, const QString &gewk)
{
    auto q = dm().abfrage(QStringLiteral("select s.STSTNR, s.STGEWN, s.STNAME, s.STVNAM, s.STJG, v.VENAME, v.VEVERB "
                                         "from starter s, vereine v where s.STWKNR = ? and s.STWKNR = v.VEWKNR "
                                         "and s.STLOS = v.VELOS and s.STAKID = ? and s.STGEWK = ? "
                                         "order by s.STGEWN, s.STSTNR"),
                          {wk, gespeichert(ak), gespeichert(gewk)});
    if (!q)
        return std::nullopt;
    QVector<EinteilungStarter> liste;
    while (q->next()) {
        EinteilungStarter s;
        s.stnr = q->value(0).toInt();
        s.gewicht = q->value(1).toDouble();
        s.name = q->value(2).toString();
        s.vorname = q->value(3).toString();
        s.jahrgang = q->value(4).toInt();
        s.verein = q->value(5).toString();
        s.verband = q->value(6).toString();
        liste << s;
    }
    return liste;
}

int anzahl_basisklassen(int wk, const QString &ak)
{
    return dm().anzahl_Saetze(
        QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? and GKSORT < ?"),
        {wk, gespeichert(ak), kSortZusatzklassen});
}

bool einteilung_moeglich(int wk, const QString &ak)
{
    if (anzahl_basisklassen(wk, ak) > 1) {
        zeige_meldung(31053);
        return false;
    }
    return true;
}

// ---- Moving ------------------------------------------------------------------

bool starter_umsetzen(int wk, const QString &ak, const QString &von, const QString &nach, const QVector<int> &stnrs)
{
    const QString quelle = gespeichert(von);
    const QString ziel = gespeichert(nach);
    if (quelle.isEmpty() || quelle == ziel) {
        zeige_meldung(31037);
        return false;
    }
    if (stnrs.isEmpty())
        return true;
    if (!gewk_vorhanden(wk, ak, ziel)) {
        zeige_meldung(31003);
        return false;
    }
    Transaktion t(dm());
    if (!t.aktiv() || !umsetzen_in_transaktion(wk, gespeichert(ak), quelle, ziel, stnrs) || !t.commit()) {
        t.rollback();
        zeige_meldung(19902);
        return false;
    }
    return true;
}

// ---- New class -------------------------------------------------------------

QString gewichtsvorschlag(double schwerstes_gewicht)
{
    const long long grenze = std::llround(schwerstes_gewicht - 0.49);
    return u'-' + QString::number(grenze) + QStringLiteral("Kg");
}

QString vorschlag_gewk(int wk, const QString &ak, const QString &fester_vorschlag)
{
    QString prefix = trim_rechts(ini_lesen(QStringLiteral("programm"), QStringLiteral("prefix_pool")));
    if (!trim_rechts(fester_vorschlag).isEmpty() && prefix.isEmpty())
        return fester_vorschlag;
    if (prefix.isEmpty())
        prefix = QStringLiteral("P");
    int n = hoechste_sortierung(wk, ak) - kSortZusatzklassen;
    QString name;
    do {
        ++n;
        name = prefix + QString::number(n);
    } while (gewk_vorhanden(wk, ak, name));
    return name;
}

std::optional<QString> gewk_anlegen(int wk, const QString &ak, const QString &name, const QString &von,
                                    const QVector<int> &stnrs)
{
    const QString gewk = gespeichert(name);
    if (gewk.isEmpty()) {
        zeige_meldung(21001);
        return std::nullopt;
    }
    if (gewk.size() > kMaxLaengeGewk) {
        zeige_meldung(21005);
        return std::nullopt;
    }
    const QString akid = gespeichert(ak);
    if (!stnrs.isEmpty() && trim_rechts(von).isEmpty()) {
        zeige_meldung(31037);
        return std::nullopt;
    }

    Transaktion t(dm());
    if (!t.aktiv()) {
        zeige_meldung(19902);
        return std::nullopt;
    }
    // Checked inside the transaction so two copies cannot both create it.
    if (gewk_vorhanden(wk, akid, gewk)) {
        t.rollback();
        zeige_meldung(31036);
        return std::nullopt;
    }
    const bool ok =
        dm().Execute_SQL(QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSTAT, GKSORT, GKGEWN) "
                                        "values (?, ?, ?, 0, ?, ?)"),
                         {wk, akid, gewk, hoechste_sortierung(wk, akid) + 1, kGewichtZusatzklasse})
        && umsetzen_in_transaktion(wk, akid, gespeichert(von), gewk, stnrs) && t.commit();
    if (!ok) {
        t.rollback();
        zeige_meldung(19902);
        return std::nullopt;
    }
    return gewk;
}

// ---- Discarding ----------------------------------------------------------------

bool einteilung_verwerfen(int wk, const QString &ak)
{
    const QString akid = gespeichert(ak);
    if (anzahl_basisklassen(wk, akid) != 1) {
        zeige_meldung(31038);
        return false;
    }
    if (!frage_ok(QStringLiteral("Einteilung wirklich verwerfen ?")))
        return false;

    Transaktion t(dm());
    const QVariant basis = dm().einzelwert(
        QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? and GKSORT < ?"),
        {wk, akid, kSortZusatzklassen});
    // The lists of the removed classes go with them, so a class created later
    // under the same name does not inherit their bouts.
    const QString zusatzklassen =
        QStringLiteral("(select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? and GKSORT >= ?)");
    const QVariantList werte{wk, akid, wk, akid, kSortZusatzklassen};
    const bool ok =
        t.aktiv() && basis.isValid() && !basis.isNull()
        && dm().Execute_SQL(QStringLiteral("delete from wk_protokoll where WPWKNR = ? and WPAKID = ? and WPGEWK in ")
                                + zusatzklassen,
                            werte)
        && dm().Execute_SQL(QStringLiteral("delete from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK in ")
                                + zusatzklassen,
                            werte)
        && dm().Execute_SQL(QStringLiteral("delete from gew_klassen where GKWKNR = ? and GKAKID = ? and GKSORT >= ?"),
                            {wk, akid, kSortZusatzklassen})
        && dm().Execute_SQL(QStringLiteral("update starter set STGEWK = ?, STPLTZ = '' where STWKNR = ? and STAKID = ?"),
                            {basis.toString(), wk, akid})
        && t.commit();
    if (!ok) {
        t.rollback();
        zeige_meldung(19902);
        return false;
    }
    return true;
}

// ---- Repair ------------------------------------------------------------------------

std::optional<QStringList> ungueltige_gewichtsklassen(int wk, const QString &ak)
{
    // Only the classes of this age class count: a name that exists in another
    // age class is still invalid here.
    return dm().textspalte(QStringLiteral("select distinct STGEWK from starter where STWKNR = ? and STAKID = ? "
                                         "and STGEWK not in (select GKGEWK from gew_klassen "
                                         "where GKWKNR = ? and GKAKID = ?) order by STGEWK"),
                          {wk, gespeichert(ak), wk, gespeichert(ak)});
}

int anzahl_starter_gewk(int wk, const QString &ak, const QString &gewk)
{
    return dm().anzahl_Saetze(
        QStringLiteral("select STSTNR from starter where STWKNR = ? and STAKID = ? and STGEWK = ?"),
        {wk, gespeichert(ak), gewk});
}

GewkPruefung pruefe_gewklasse(int wk, const QString &ak, const QString &text)
{
    GewkPruefung r;
    r.filter = gross_schreiben(gespeichert(text));
    const QString akid = gespeichert(ak);
    const QString basis = QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ? and ")
                          + dm().sql_gross(QStringLiteral("GKGEWK"));
    QStringList treffer;
    const auto lesen = [&](const QString &bedingung, const QString &wert) {
        treffer.clear();
        if (auto q = dm().abfrage(basis + bedingung + QStringLiteral(" order by GKSORT"), {wk, akid, wert}))
            while (q->next())
                treffer << q->value(0).toString();
    };
    lesen(QStringLiteral(" = ?"), r.filter);
    if (treffer.size() != 1)
        lesen(QStringLiteral(" like ?"), u'%' + r.filter + u'%');
    if (treffer.size() == 1) {
        r.art = GewkPruefung::Art::Eindeutig;
        r.klasse = treffer.first();
    } else if (treffer.size() > 1) {
        r.art = GewkPruefung::Art::Mehrere;
    } else {
        zeige_meldung(31003);
    }
    return r;
}

int umsetzen_gewklasse(int wk, const QString &ak, const QString &alt, const QString &neu)
{
    const QString akid = gespeichert(ak);
    if (!gewk_vorhanden(wk, akid, neu)) {
        zeige_meldung(31003);
        return -1;
    }
    Transaktion t(dm());
    const int anzahl = anzahl_starter_gewk(wk, akid, alt);
    if (anzahl == 0) {
        t.rollback();
        zeige_meldung(9901);
        return -1;
    }
    const bool ok = t.aktiv()
                    && dm().Execute_SQL(QStringLiteral("update starter set STGEWK = ? where STWKNR = ? and STAKID = ? "
                                                       "and STGEWK = ?"),
                                        {gespeichert(neu), wk, akid, alt})
                    && t.commit();
    if (!ok) {
        t.rollback();
        zeige_meldung(19902);
        return -1;
    }
    return anzahl;
}

} // namespace obi
