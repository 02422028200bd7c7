#include "tabellen.h"

#include "datenbank.h"
#include "meldungen.h"
#include "zustand.h"

#include <QSqlQuery>

namespace obi
{

namespace
{

const QString kFirma = QStringLiteral("000");

QString text(const QSqlQuery &q, const char *name)
{
    return q.value(QString::fromLatin1(name)).toString();
}

TabKopf kopfAus(const QSqlQuery &q)
{
    TabKopf k;
    k.tab = text(q, "TKTAB");
    k.bez = text(q, "TKBEZ");
    k.klen = q.value(QStringLiteral("TKKLEN")).toInt();
    k.wert = text(q, "TKWERT");
    k.zus1 = text(q, "TKZUS1");
    k.zus2 = text(q, "TKZUS2");
    return k;
}

// TPWERT as the editor shows it: decimal comma, no grouping, no trailing zeros.
QString wertText(const QVariant &wert)
{
    QLocale l = zahlen_locale();
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    return l.toString(wert.toDouble(), 'g', 15);
}

TabEintrag eintragAus(const QSqlQuery &q)
{
    TabEintrag e;
    e.schluessel = text(q, "TPKEY");
    e.bez = text(q, "TPBEZ");
    e.zus1 = text(q, "TPZUS1");
    e.zus2 = text(q, "TPZUS2");
    e.wert = wertText(q.value(QStringLiteral("TPWERT")));
    return e;
}

void datenfehler()
{
    zeige_text(QStringLiteral("Fehler beim Datenzugriff"), QStringLiteral("F"));
}

SqlFelder schluesselFelder(const QString &tabelle, const QString &schluessel)
{
    return { { QStringLiteral("TPKEY"), QStringLiteral("T"), schluessel },
             { QStringLiteral("TPFIRM"), QStringLiteral("T"), kFirma },
             { QStringLiteral("TPTAB"), QStringLiteral("T"), tabelle } };
}

bool vorhanden(const QString &tabelle, const QString &schluessel)
{
    const SqlTeil b = sql_bedingung(schluesselFelder(tabelle, schluessel), 1, 3);
    return dm().anzahl_Saetze(QStringLiteral("select * from tabpos where ") + b.text, b.werte) > 0;
}

} // namespace

QString tabkopf_liste_sql()
{
    return QStringLiteral("select * from tabkopf order by TKTAB");
}

QVector<TabKopf> tabkopf_liste()
{
    QVector<TabKopf> liste;
    if (auto q = dm().abfrage(tabkopf_liste_sql()))
        while (q->next())
            liste << kopfAus(*q);
    return liste;
}

std::optional<TabKopf> tabkopf_lesen(const QString &tabelle)
{
    auto q = dm().abfrage(QStringLiteral("select * from tabkopf where TKFIRM = ? and TKTAB = ?"), { kFirma, tabelle });
    if (!q || !q->next())
        return std::nullopt;
    return kopfAus(*q);
}

SqlTeil tabpos_auswahl(const QString &tabelle, const QString &suche)
{
    SqlTeil t;
    t.text = QStringLiteral("select * from tabpos where TPFIRM = ? and TPTAB = ?");
    t.werte = { kFirma, tabelle };
    const QString s = trim_rechts(suche);
    if (!s.isEmpty()) {
        // Keys are capitals, so "m" finds "M1" as well; "%" and "_" typed
        // by the user are plain characters, not wildcards.
        QString muster = sql_maskieren(gross_schreiben(s));
        muster.replace(u'!', QStringLiteral("!!"))
            .replace(u'%', QStringLiteral("!%"))
            .replace(u'_', QStringLiteral("!_"));
        t.text
            += QStringLiteral(" and ") + dm().sql_gross(QStringLiteral("TPKEY")) + QStringLiteral(" like ? escape '!'");
        t.werte << QString(muster + u'%');
    }
    t.text += QStringLiteral(" order by TPKEY");
    return t;
}

QVector<TabEintrag> tabpos_liste(const QString &tabelle, const QString &suche)
{
    QVector<TabEintrag> liste;
    const SqlTeil t = tabpos_auswahl(tabelle, suche);
    if (auto q = dm().abfrage(t.text, t.werte))
        while (q->next())
            liste << eintragAus(*q);
    return liste;
}

std::optional<TabEintrag> tabpos_lesen(const QString &tabelle, const QString &schluessel)
{
    const SqlTeil b = sql_bedingung(schluesselFelder(tabelle, schluessel), 1, 3);
    auto q = dm().abfrage(QStringLiteral("select * from tabpos where ") + b.text, b.werte);
    if (!q || !q->next())
        return std::nullopt;
    return eintragAus(*q);
}

QString tab_schluessel_normal(const QString &schluessel)
{
    return trim_rechts(gross_schreiben(schluessel));
}

bool tab_schluessel_pruefen(const TabKopf &kopf, QString &schluessel, bool neu)
{
    schluessel = tab_schluessel_normal(schluessel);
    // A header without a length sets no limit.
    if (kopf.klen > 0 && schluessel.size() > kopf.klen) {
        zeige_text(QStringLiteral("Schlüsselfeld ist zu lang"), QStringLiteral("F"));
        return false;
    }
    if (neu && vorhanden(kopf.tab, schluessel)) {
        zeige_meldung(18001);
        return false;
    }
    return true;
}

bool tab_wert_pruefen(const QString &wert)
{
    if (!ist_zahl(wert.trimmed())) {
        zeige_text(QStringLiteral("Eingabe ist nicht numerisch"), QStringLiteral("F"));
        return false;
    }
    return true;
}

bool tabpos_speichern(const TabKopf &kopf, TabEintrag e, bool neu)
{
    // An existing entry keeps its key exactly as stored (the field is read-only).
    if (neu && !tab_schluessel_pruefen(kopf, e.schluessel, true))
        return false;
    if (e.schluessel.isEmpty()) {
        // An entry without a key could never be looked up again.
        zeige_meldung(21001);
        return false;
    }
    if (!kopf.hatWert())
        e.wert = QStringLiteral("0");
    if (!tab_wert_pruefen(e.wert))
        return false;

    const QString benutzer = zustand().benutzer.isEmpty() ? windows_benutzer() : zustand().benutzer;
    const SqlFelder f = {
        { QStringLiteral("TPBEZ"), QStringLiteral("T"), e.bez },
        { QStringLiteral("TPZUS1"), QStringLiteral("T"), kopf.hatZus1() ? e.zus1 : QString() },
        { QStringLiteral("TPZUS2"), QStringLiteral("T"), kopf.hatZus2() ? e.zus2 : QString() },
        { QStringLiteral("TPWERT"), QStringLiteral("N"), e.wert.trimmed() },
        { QStringLiteral("TPAEDA"), QStringLiteral("I"), QString::number(heute_zahl()) },
        { QStringLiteral("TPAETI"), QStringLiteral("I"), QString::number(jetzt_zahl()) },
        { QStringLiteral("TPUSER"), QStringLiteral("T"), benutzer },
        { QStringLiteral("TPKEY"), QStringLiteral("T"), e.schluessel },
        { QStringLiteral("TPFIRM"), QStringLiteral("T"), kFirma },
        { QStringLiteral("TPTAB"), QStringLiteral("T"), kopf.tab },
    };

    Tdm &db = dm();
    bool ok = false;
    {
        Transaktion t(db);
        if (neu) {
            // Checked again inside the transaction: another copy may have
            // added the key since the field was left.
            if (vorhanden(kopf.tab, e.schluessel)) {
                t.rollback();
                zeige_meldung(18001);
                return false;
            }
            const SqlTeil ein = sql_einfuegeliste(f, 10);
            ok = t.aktiv() && db.Execute_SQL(QStringLiteral("insert into tabpos") + ein.text, ein.werte);
        } else {
            const SqlTeil set = sql_setliste(f, 7);
            const SqlTeil wo = sql_bedingung(f, 8, 10);
            ok = t.aktiv() && vorhanden(kopf.tab, e.schluessel)
                && db.Execute_SQL(QStringLiteral("update tabpos set ") + set.text + QStringLiteral(" where ") + wo.text,
                                  set.werte + wo.werte);
        }
        ok = ok && t.commit();
    }
    if (!ok)
        datenfehler();
    return ok;
}

bool tabpos_loeschen(const QString &tabelle, const QString &schluessel)
{
    const SqlTeil b = sql_bedingung(schluesselFelder(tabelle, schluessel), 1, 3);
    if (!dm().Execute_SQL(QStringLiteral("delete from tabpos where ") + b.text, b.werte)) {
        datenfehler();
        return false;
    }
    return true;
}

} // namespace obi
