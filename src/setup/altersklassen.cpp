#include "altersklassen.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

#include <climits>

namespace obi
{

namespace
{

// Column widths: PostgreSQL refuses longer texts, so they are refused here
// with a message instead of failing as a data-access error.
constexpr int kNameLaenge = 20; // AKAKID, GKAKID
constexpr int kGewkLaenge = 10; // GKGEWK
constexpr int kTextLaenge = 255; // AKTEXT

const QString kSpalten = QStringLiteral("AKAKID, AKGEWT, AKJGMI, AKJGMA, AKMW, AKTEXT, AKKATI, AKGSTI, AKWAZA, "
                                        "AKYUKO, AK2WAZ, AKMSHD, AKRSTR, AKHGTM, AKHTG2");

QVariant text_wert(const QString &text)
{
    return sql_bindwert(text, QStringLiteral("T"));
}

bool passt(const QString &text, int laenge)
{
    // Stored masked: a double quote takes two characters there.
    return sql_maskieren(text).size() <= laenge;
}

Altersklasse zeile_lesen(const QSqlQuery &q)
{
    Altersklasse a;
    const auto text = [&](const char *feld) {
        return q.value(QLatin1String(feld)).toString();
    };
    const auto zahl = [&](const char *feld) {
        return q.value(QLatin1String(feld)).toInt();
    };
    a.akid = text("AKAKID");
    a.gewt = text("AKGEWT");
    a.jgmi = zahl("AKJGMI");
    a.jgma = zahl("AKJGMA");
    a.mw = text("AKMW");
    a.text = text("AKTEXT");
    a.kati = zahl("AKKATI");
    a.gsti = zahl("AKGSTI");
    // Any value above 0 counts as set.
    a.ohneWaza = zahl("AKWAZA") > 0;
    a.ohneYuko = zahl("AKYUKO") > 0;
    a.wazaZuIppon = zahl("AK2WAZ") > 0;
    a.mshd = zahl("AKMSHD");
    a.rstr = text("AKRSTR");
    a.hgtm = zahl("AKHGTM");
    a.htg2 = zahl("AKHTG2");
    return a;
}

AkErgebnis fehler(int meldung, const QString &feld = {})
{
    zeige_meldung(meldung);
    return { meldung, feld };
}

// "Empty becomes 0", blanks around the number removed; false when no integer.
bool zahl_feld(QString &text, bool leerIstNull, int &wert)
{
    text = text.trimmed();
    if (leerIstNull && text.isEmpty())
        text = QStringLiteral("0");
    if (!ist_ganzzahl(text))
        return false;
    wert = text.toInt();
    text = QString::number(wert);
    return true;
}

// Empty optional on a read error.
std::optional<bool> name_vergeben(int wk, const QString &akid)
{
    // Compared in upper case: the register finds age classes case-blind, so
    // "u15" beside "U15" could never be told apart there.
    auto q = dm().abfrage(QStringLiteral("select AKAKID from klassen where AKWKNR = ? and ")
                              + dm().sql_gross(QStringLiteral("AKAKID")) + QStringLiteral(" = ?"),
                          { QVariant(wk), text_wert(gross_schreiben(akid)) });
    if (!q)
        return std::nullopt;
    return q->next();
}

// The weight table's own check beyond its key: every weight class it gives
// must fit the column and be unique, or the generation would fail.
bool tabelle_schreibbar(const QString &liste)
{
    QSet<QString> namen;
    for (const GewichtsklasseVorlage &g : gewichtsklassen_zerlegen(liste)) {
        const QString n = sql_maskieren(g.name);
        if (n.size() > kGewkLaenge || namen.contains(n))
            return false;
        namen.insert(n);
    }
    return true;
}

// Shown before the write, so no message box waits while the write lock is held.
void hinweise_zeigen(int wk, const QString &akid, const QVector<GewichtsklasseVorlage> &klassen)
{
    if (altersklasse_hat_teilnehmer(wk, akid).value_or(false))
        zeige_meldung(3001);
    for (const GewichtsklasseVorlage &g : klassen)
        if (g.ohneZiffer)
            zeige_text(QStringLiteral("Fehler bei Umsetzung: ") + g.name, QStringLiteral("W"));
}

// Deletes and writes the weight classes; joins the caller's transaction.
bool gewichtsklassen_schreiben(int wk, const QString &akid, const QVector<GewichtsklasseVorlage> &klassen)
{
    if (!dm().Execute_SQL(QStringLiteral("delete from gew_klassen where GKWKNR = ? and GKAKID = ?"),
                          { QVariant(wk), text_wert(akid) }))
        return false;
    for (const GewichtsklasseVorlage &g : klassen) {
        if (!dm().Execute_SQL(
                QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSTAT, GKSORT, "
                               "GKGEWN) values (?, ?, ?, 0, ?, ?)"),
                { QVariant(wk), text_wert(akid), text_wert(g.name), QVariant(g.sort), QVariant(g.gewicht) }))
            return false;
    }
    return true;
}

QString gewichtstabelle_text(const QString &gewt)
{
    auto q = dm().abfrage(QStringLiteral("select TPBEZ from tabpos where TPFIRM = '000' and TPTAB = ? and TPKEY = ?"),
                          { QStringLiteral("Gewichtsklassen"), gewt });
    if (q && q->next())
        return q->value(0).toString();
    return {};
}

} // namespace

// ---- Fields ----------------------------------------------------------------

AltersklasseEingabe altersklasse_eingabe(const Altersklasse &a)
{
    AltersklasseEingabe e;
    e.akid = a.akid;
    e.mw = a.mw;
    e.gewt = a.gewt;
    e.jgmi = QString::number(a.jgmi);
    e.jgma = QString::number(a.jgma);
    e.kati = QString::number(a.kati);
    e.gsti = QString::number(a.gsti);
    e.mshd = QString::number(a.mshd);
    e.rstr = a.rstr;
    e.hgtm = QString::number(a.hgtm);
    e.htg2 = QString::number(a.htg2);
    e.text = a.text;
    e.ohneWaza = a.ohneWaza;
    e.ohneYuko = a.ohneYuko;
    e.wazaZuIppon = a.wazaZuIppon;
    return e;
}

AltersklasseEingabe altersklasse_neu_eingabe()
{
    return altersklasse_eingabe(Altersklasse {});
}

void altersklasse_vorgaben(AltersklasseEingabe &e)
{
    if (nur_ziffern(e.hgtm) > 0)
        return;
    const auto wert = [](const char *sektion, const char *schluessel) {
        return nur_ziffern(ini_lesen(QLatin1String(sektion), QLatin1String(schluessel)));
    };
    if (const qint64 w = wert("anzeige", "haltegr_ippon"); w > 0)
        e.hgtm = QString::number(w);
    if (const qint64 w = wert("anzeige", "haltegr_waza"); w > 0)
        e.htg2 = QString::number(w);
    if (const qint64 w = wert("control", "Max_Shido"); w > 0)
        e.mshd = QString::number(w);
    if (const qint64 w = wert("sieger", "strafen"); w > 0)
        e.rstr = QString::number(w);
    e.ohneWaza = wert("control", "ohne_waza") == 1;
    e.ohneYuko = wert("control", "ohne_yuko") == 1;
    e.wazaZuIppon = wert("control", "waza2ippon") == 1;
}

void altersklasse_feldtexte(AltersklasseEingabe &e)
{
    e.gewtBez
        = dm().get_tabsatz(QStringLiteral("Gewichtsklassen"), e.gewt) ? dm().tabsatz().tab_bezeichnung : QString();
    e.rstrBez = dm().get_tabsatz(QStringLiteral("Strafen"), e.rstr) ? dm().tabsatz().tab_bezeichnung : QString();
}

QString altersklasse_feldcode(const QString &objektname)
{
    return trim_rechts(QString(objektname + QStringLiteral("    ")).mid(3, 4));
}

AkErgebnis altersklasse_pruefen(AltersklasseEingabe &e, const QString &code, bool neu, int wk)
{
    const bool alle = code == QStringLiteral("*");
    auto gilt = [&](const char *c) {
        return alle || code == QLatin1String(c);
    };
    int zahl = 0;

    if (gilt("AKID")) {
        const QString f = QStringLiteral("AKID");
        e.akid = trim_rechts(e.akid);
        if (neu) {
            const std::optional<bool> vergeben = name_vergeben(wk, e.akid);
            if (!vergeben)
                return fehler(19902, f);
            if (*vergeben)
                return fehler(18001, f);
        }
        if (e.akid.isEmpty())
            return fehler(21001, f);
        if (!passt(e.akid, kNameLaenge))
            return fehler(21005, f);
    }
    if (gilt("MW")) {
        e.mw = gross_schreiben(e.mw);
        if (e.mw != QStringLiteral("M") && e.mw != QStringLiteral("W"))
            return fehler(21005, QStringLiteral("MW"));
    }
    if (gilt("GEWT")) {
        if (!dm().get_tabsatz(QStringLiteral("Gewichtsklassen"), e.gewt)) {
            e.gewtBez.clear();
            return fehler(31001, QStringLiteral("GEWT"));
        }
        e.gewt = dm().tabsatz().tab_schluessel;
        e.gewtBez = dm().tabsatz().tab_bezeichnung;
        if (!tabelle_schreibbar(e.gewtBez))
            return fehler(31001, QStringLiteral("GEWT"));
    }
    if (gilt("JGMI") && !zahl_feld(e.jgmi, false, zahl))
        return fehler(21004, QStringLiteral("JGMI"));
    if (gilt("JGMA")) {
        if (!zahl_feld(e.jgma, false, zahl))
            return fehler(21004, QStringLiteral("JGMA"));
        int aeltester = 0;
        QString jgmi = e.jgmi;
        if (zahl_feld(jgmi, false, aeltester) && zahl < aeltester) {
            e.jgmi = QString::number(zahl);
            e.jgma = QString::number(aeltester);
            zeige_meldung(301);
        }
    }
    // Negative times would run the scoreboard clock backwards.
    if (gilt("KATI")) {
        if (!zahl_feld(e.kati, true, zahl))
            return fehler(21004, QStringLiteral("KATI"));
        if (zahl < 0)
            return fehler(21005, QStringLiteral("KATI"));
    }
    if (gilt("GSTI")) {
        if (!zahl_feld(e.gsti, true, zahl))
            return fehler(21004, QStringLiteral("GSTI"));
        if (zahl < 0)
            return fehler(21005, QStringLiteral("GSTI"));
    }
    if (gilt("MSHD")) {
        if (!zahl_feld(e.mshd, true, zahl))
            return fehler(21004, QStringLiteral("MSHD"));
        if (zahl < 2 || zahl > 9)
            return fehler(31063, QStringLiteral("MSHD"));
    }
    if (gilt("RSTR")) {
        if (!dm().get_tabsatz(QStringLiteral("Strafen"), e.rstr)) {
            e.rstrBez.clear();
            return fehler(31064, QStringLiteral("RSTR"));
        }
        e.rstr = dm().tabsatz().tab_schluessel;
        e.rstrBez = dm().tabsatz().tab_bezeichnung;
    }
    if (gilt("HGTM")) {
        if (!zahl_feld(e.hgtm, true, zahl))
            return fehler(21004, QStringLiteral("HGTM"));
        if (zahl < 10 || zahl > 60)
            return fehler(31065, QStringLiteral("HGTM"));
    }
    if (gilt("HTG2")) {
        int eingegeben = 0;
        if (!zahl_feld(e.htg2, true, eingegeben))
            return fehler(21004, QStringLiteral("HTG2"));
        const qint64 ippon = nur_ziffern(e.hgtm);
        if (ippon > 0 && (eingegeben == 0 || eingegeben > ippon)) {
            e.htg2 = QString::number(ippon);
            zeige_meldung(3015);
        }
        // The value as entered decides: an entered 0 is replaced and still
        // refused once, so the user sees what was put in its place.
        if (eingegeben < 10 || eingegeben > 60)
            return fehler(31065, QStringLiteral("HTG2"));
    }
    if (gilt("TEXT")) {
        e.text = trim_rechts(e.text);
        if (!passt(e.text, kTextLaenge))
            return fehler(21005, QStringLiteral("TEXT"));
    }
    return {};
}

// ---- Weight classes ----------------------------------------------------------

int gewichtsklasse_zahl(const QString &name)
{
    if (name.contains(u'+'))
        return 999;
    const qint64 z = nur_ziffern(name);
    return z > INT_MAX ? INT_MAX : int(z);
}

QVector<GewichtsklasseVorlage> gewichtsklassen_zerlegen(const QString &liste)
{
    QVector<GewichtsklasseVorlage> klassen;
    // split keeps the piece after the last ";" and the empty ones, which are skipped.
    for (const QString &stueck : liste.split(u';')) {
        const QString name = trim_rechts(stueck);
        if (name.isEmpty())
            continue;
        GewichtsklasseVorlage g;
        g.name = name;
        g.sort = int(klassen.size()) + 1;
        g.gewicht = gewichtsklasse_zahl(name);
        bool ziffer = false;
        for (const QChar c : name)
            ziffer = ziffer || (c >= u'0' && c <= u'9');
        g.ohneZiffer = !ziffer;
        klassen.append(g);
    }
    return klassen;
}

bool anlegen_gewichtsklassen(int wk, const QString &akid, const QString &liste)
{
    const QVector<GewichtsklasseVorlage> klassen = gewichtsklassen_zerlegen(liste);
    hinweise_zeigen(wk, akid, klassen);
    Transaktion t(dm());
    if (!t.aktiv() || !gewichtsklassen_schreiben(wk, akid, klassen) || !t.commit()) {
        t.rollback();
        zeige_meldung(19902);
        return false;
    }
    return true;
}

// ---- Reading -------------------------------------------------------------------

std::optional<QVector<Altersklasse>> altersklassen_lesen(int wk)
{
    auto q = dm().abfrage(QStringLiteral("select ") + kSpalten
                              + QStringLiteral(" from klassen where AKWKNR = ? order by AKAKID"),
                          { QVariant(wk) });
    if (!q)
        return std::nullopt;
    QVector<Altersklasse> liste;
    while (q->next())
        liste.append(zeile_lesen(*q));
    return liste;
}

std::optional<Altersklasse> altersklasse_lesen(int wk, const QString &akid)
{
    auto q = dm().abfrage(QStringLiteral("select ") + kSpalten
                              + QStringLiteral(" from klassen where AKWKNR = ? and AKAKID = ?"),
                          { QVariant(wk), text_wert(akid) });
    if (!q || !q->next())
        return std::nullopt;
    return zeile_lesen(*q);
}

std::optional<QVector<GewichtsklasseZeile>> gewichtsklassen_lesen(int wk, const QString &akid)
{
    QString sql = QStringLiteral("select g.GKAKID, g.GKGEWK, g.GKSORT, g.GKGEWN, "
                                 "(select count(*) from starter s where s.STWKNR = g.GKWKNR and s.STAKID = g.GKAKID "
                                 "and s.STGEWK = g.GKGEWK) as ANZAHL "
                                 "from gew_klassen g where g.GKWKNR = ?");
    QVariantList werte { wk };
    if (!akid.isEmpty()) {
        sql += QStringLiteral(" and g.GKAKID = ?");
        werte << text_wert(akid);
    }
    sql += QStringLiteral(" order by g.GKAKID, g.GKSORT, g.GKGEWK");
    auto q = dm().abfrage(sql, werte);
    if (!q)
        return std::nullopt;
    QVector<GewichtsklasseZeile> liste;
    while (q->next()) {
        GewichtsklasseZeile z;
        z.akid = q->value(0).toString();
        z.gewk = q->value(1).toString();
        z.sort = q->value(2).toInt();
        z.gewicht = q->value(3).toInt();
        z.teilnehmer = q->value(4).toInt();
        liste.append(z);
    }
    return liste;
}

std::optional<bool> altersklasse_hat_teilnehmer(int wk, const QString &akid)
{
    auto q = dm().abfrage(QStringLiteral("select STSTNR from starter where STWKNR = ? and STAKID = ?"),
                          { QVariant(wk), text_wert(akid) });
    if (!q)
        return std::nullopt;
    return q->next();
}

// ---- Writing -------------------------------------------------------------------

AkErgebnis altersklasse_speichern(AltersklasseEingabe &e, bool neu, int wk)
{
    const AkErgebnis pruefung = altersklasse_pruefen(e, QStringLiteral("*"), neu, wk);
    if (!pruefung.ok())
        return pruefung;

    // The weight table as stored: only a new row or a changed table
    // regenerates the weight classes, so remarks and rules can be changed
    // without touching classes that lists already use.
    QString gewtVorher;
    if (!neu) {
        const std::optional<Altersklasse> alt = altersklasse_lesen(wk, e.akid);
        if (!alt)
            return fehler(9901);
        gewtVorher = alt->gewt;
    }
    const QVector<GewichtsklasseVorlage> klassen = gewichtsklassen_zerlegen(gewichtstabelle_text(e.gewt));
    bool erzeugen = neu || trim_rechts(gewtVorher) != trim_rechts(e.gewt);
    if (erzeugen)
        hinweise_zeigen(wk, e.akid, klassen);

    Transaktion t(dm());
    // Messages only after the rollback, so no box waits while the write lock is held.
    const auto abbruch = [&t](int meldung, const QString &feld = {}) {
        t.rollback();
        return fehler(meldung, feld);
    };
    if (!t.aktiv())
        return abbruch(19902);
    if (neu) {
        // Another copy may have created the name since the check.
        const std::optional<bool> vergeben = name_vergeben(wk, e.akid);
        if (!vergeben)
            return abbruch(19902);
        if (*vergeben)
            return abbruch(18001, QStringLiteral("AKID"));
    } else {
        const std::optional<Altersklasse> alt = altersklasse_lesen(wk, e.akid);
        // Deleted by another copy meanwhile: an update would change nothing
        // and still look successful.
        if (!alt)
            return abbruch(9901);
        erzeugen = erzeugen || trim_rechts(alt->gewt) != trim_rechts(e.gewt);
    }

    const QString art = QStringLiteral("T");
    const QString zahl = QStringLiteral("I");
    const auto schalter = [](bool b) {
        return b ? QStringLiteral("1") : QStringLiteral("0");
    };
    const SqlFelder felder {
        { QStringLiteral("AKGEWT"), art, e.gewt },
        { QStringLiteral("AKJGMI"), zahl, e.jgmi },
        { QStringLiteral("AKJGMA"), zahl, e.jgma },
        { QStringLiteral("AKTEXT"), art, e.text },
        { QStringLiteral("AKMW"), art, e.mw },
        { QStringLiteral("AKKATI"), zahl, e.kati },
        { QStringLiteral("AKGSTI"), zahl, e.gsti },
        { QStringLiteral("AKWAZA"), zahl, schalter(e.ohneWaza) },
        { QStringLiteral("AKYUKO"), zahl, schalter(e.ohneYuko) },
        { QStringLiteral("AK2WAZ"), zahl, schalter(e.wazaZuIppon) },
        { QStringLiteral("AKMSHD"), zahl, e.mshd },
        { QStringLiteral("AKRSTR"), art, e.rstr },
        { QStringLiteral("AKHGTM"), zahl, e.hgtm },
        { QStringLiteral("AKHTG2"), zahl, e.htg2 },
        { QStringLiteral("AKWKNR"), zahl, QString::number(wk) },
        { QStringLiteral("AKAKID"), art, e.akid },
    };
    bool ok = false;
    if (neu) {
        const SqlTeil liste = sql_einfuegeliste(felder, 16);
        ok = dm().Execute_SQL(QStringLiteral("insert into klassen") + liste.text, liste.werte);
    } else {
        SqlTeil teil = sql_setliste(felder, 14);
        teil.werte << QVariant(wk) << text_wert(e.akid);
        ok = dm().Execute_SQL(QStringLiteral("update klassen set ") + teil.text
                                  + QStringLiteral(" where AKWKNR = ? and AKAKID = ?"),
                              teil.werte);
    }
    if (ok && erzeugen)
        ok = gewichtsklassen_schreiben(wk, e.akid, klassen);
    if (!ok || !t.commit())
        return abbruch(19902);
    return {};
}

bool altersklasse_loeschen_moeglich(int wk, const QString &akid)
{
    const std::optional<bool> teilnehmer = altersklasse_hat_teilnehmer(wk, akid);
    if (!teilnehmer) {
        zeige_meldung(19902);
        return false;
    }
    if (*teilnehmer) {
        zeige_meldung(18002);
        return false;
    }
    return true;
}

AkErgebnis altersklasse_loeschen(int wk, const QString &akid)
{
    // Check and delete under one lock, so no participant can be given this
    // age class in between.
    Transaktion t(dm());
    const auto abbruch = [&t](int meldung) {
        t.rollback();
        return fehler(meldung);
    };
    if (!t.aktiv())
        return abbruch(19902);
    const std::optional<bool> teilnehmer = altersklasse_hat_teilnehmer(wk, akid);
    if (!teilnehmer)
        return abbruch(19902);
    if (*teilnehmer)
        return abbruch(18002);
    const bool ok = dm().Execute_SQL(QStringLiteral("delete from klassen where AKWKNR = ? and AKAKID = ?"),
                                     { QVariant(wk), text_wert(akid) })
        && dm().Execute_SQL(QStringLiteral("delete from gew_klassen where GKWKNR = ? and GKAKID = ?"),
                            { QVariant(wk), text_wert(akid) })
        && t.commit();
    if (!ok)
        return abbruch(19902);
    return {};
}

} // namespace obi
