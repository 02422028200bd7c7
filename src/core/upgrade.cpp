#include "upgrade.h"

#include "basis.h"
#include "competition/listenvorlagen.h"
#include "datenbank.h"
#include "version.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <initializer_list>
#include <utility>

namespace obi {

QString version_text(int nummer)
{
    QStringList ziffern;
    for (const QChar c : QString::number(nummer))
        ziffern << QString(c);
    return ziffern.join(u'.');
}

namespace {

struct Schritt {
    int von;
    int nach;
    QVector<SqlTeil> anweisungen; // without the version update
};

SqlTeil text(const QString &sql)
{
    return {sql, {}};
}

// One insert through the builder: kinds T (text) and N (number).
SqlTeil einfuegen(const QString &tabelle, const QStringList &spalten, const QStringList &arten,
                  const QStringList &werte)
{
    SqlFelder felder;
    for (qsizetype i = 0; i < spalten.size(); ++i)
        felder.append({spalten.at(i), arten.at(i), werte.at(i)});
    const SqlTeil teil = sql_einfuegeliste(felder, int(felder.size()));
    return {QStringLiteral("insert into ") + tabelle + teil.text, teil.werte};
}

SqlTeil tabkopf_loeschen(const QString &tabelle)
{
    return {QStringLiteral("delete from tabkopf where TKTAB = ?"), {tabelle}};
}

SqlTeil tabpos_loeschen(const QString &tabelle)
{
    return {QStringLiteral("delete from tabpos where TPTAB = ?"), {tabelle}};
}

using Paare = std::initializer_list<std::pair<const char *, const char *>>;

QVector<Schritt> schritte()
{
    const QString T = QStringLiteral("T");
    const QString N = QStringLiteral("N");
    const QString f000 = QStringLiteral("000");
    QVector<Schritt> s;

    s.append({5000, 5030, {text(QStringLiteral("alter table starter add STSORT integer not null default 0"))}});

    {
        Schritt st{5030, 5050, {}};
        const QString tab = QStringLiteral("Streichungen");
        st.anweisungen << tabkopf_loeschen(tab) << tabpos_loeschen(tab);
        st.anweisungen << einfuegen(QStringLiteral("tabkopf"), {"TKFIRM", "TKTAB", "TKBEZ", "TKKLEN"}, {T, T, T, N},
                                    {f000, tab, QStringLiteral("Ursachen für Streichen aus WK-Liste"), "2"});
        for (const auto &[key, bez] : Paare{{"0", "Aktiv"}, {"11", "verletzt"}, {"12", "disqualifiziert"}})
            st.anweisungen << einfuegen(QStringLiteral("tabpos"), {"TPFIRM", "TPTAB", "TPKEY", "TPBEZ", "TPWERT"},
                                        {T, T, T, T, N},
                                        {f000, tab, QString::fromUtf8(key), QString::fromUtf8(bez), "0"});
        s.append(st);
    }

    {
        Schritt st{5050, 5300, {}};
        for (const char *spalte : {"AKWAZA integer not null default 0", "AKYUKO integer not null default 0",
                                   "AK2WAZ integer not null default 0", "AKMSHD integer not null default 4",
                                   "AKHGTM integer not null default 20", "AKHTG2 integer not null default 20",
                                   "AKRSTR varchar(10) not null default 'X'"})
            st.anweisungen << text(QStringLiteral("alter table klassen add ") + QString::fromLatin1(spalte));
        const QString tab = QStringLiteral("Strafen");
        st.anweisungen << tabkopf_loeschen(tab) << tabpos_loeschen(tab);
        st.anweisungen << einfuegen(QStringLiteral("tabkopf"), {"TKFIRM", "TKTAB", "TKBEZ", "TKKLEN"}, {T, T, T, N},
                                    {f000, tab, QStringLiteral("Bedeutung der Strafen für Ermittlung Sieger"), "1"});
        for (const auto &[key, bez] : Paare{{"X", "in INI-Datei gesetzt"}, {"0", "keine Relevanz"},
                                       {"1", "nur im Golden Score"}, {"2", "werden immer berücksichtigt"}})
            st.anweisungen << einfuegen(QStringLiteral("tabpos"), {"TPFIRM", "TPTAB", "TPKEY", "TPBEZ"}, {T, T, T, T},
                                        {f000, tab, QString::fromUtf8(key), QString::fromUtf8(bez)});
        s.append(st);
    }

    {
        Schritt st{5300, 5301, {}};
        const QString info = QStringLiteral("Infotexte");
        const QString matten = QStringLiteral("Matten");
        st.anweisungen << tabkopf_loeschen(info) << tabpos_loeschen(info) << tabkopf_loeschen(matten)
                       << tabpos_loeschen(matten);
        st.anweisungen << einfuegen(QStringLiteral("tabkopf"), {"TKFIRM", "TKTAB", "TKBEZ", "TKKLEN", "TKWERT"},
                                    {T, T, T, N, T},
                                    {f000, info, QStringLiteral("Texte für Mattenbelegung"), "3",
                                     QStringLiteral("Gesperrt (<>0)")});
        st.anweisungen << einfuegen(QStringLiteral("tabkopf"),
                                    {"TKFIRM", "TKTAB", "TKBEZ", "TKKLEN", "TKWERT", "TKZUS1"}, {T, T, T, N, T, T},
                                    {f000, matten, QStringLiteral("Bezeichnungen für Wettkampfflächen"), "3",
                                     QStringLiteral("Gesperrt (<>0)"), QStringLiteral("Shortcut")});
        st.anweisungen << einfuegen(QStringLiteral("tabpos"), {"TPFIRM", "TPTAB", "TPKEY", "TPBEZ", "TPWERT"},
                                    {T, T, T, T, N},
                                    {f000, info, QStringLiteral("010"), QStringLiteral("Herzlich Willkommen"), "1"});
        for (int m = 1; m <= 3; ++m)
            st.anweisungen << einfuegen(QStringLiteral("tabpos"),
                                        {"TPFIRM", "TPTAB", "TPKEY", "TPBEZ", "TPWERT", "TPZUS1"},
                                        {T, T, T, T, N, T},
                                        {f000, matten, QStringLiteral("M%1").arg(m), QStringLiteral("Matte %1").arg(m),
                                         "0", QStringLiteral("F%1").arg(m)});
        s.append(st);
    }
    return s;
}

// Column additions run unprepared: PostgreSQL accepts PREPARE only for
// queries and DML. They carry no values, so nothing is lost.
bool ddl_ausfuehren(Tdm &dm, const QString &sql)
{
    QSqlQuery q(dm.db());
    if (q.exec(sql))
        return true;
    protokolliere_fehler(QStringLiteral("db_upgrade"), sql, q.lastError().text());
    return false;
}

// A new database gets the list templates at creation, an upgraded one may
// have none, and without them no bout list can be generated. A database that
// has templates keeps its own.
bool listenvorlagen_ergaenzen(Tdm &dm)
{
    const QVariant anzahl = dm.einzelwert(QStringLiteral("select count(*) from listkopf"));
    if (!anzahl.isValid())
        return false;
    if (anzahl.toInt() > 0)
        return true;
    QString fehler;
    if (listenvorlagen_schreiben(dm, &fehler))
        return true;
    protokolliere_fehler(QStringLiteral("db_upgrade"), QStringLiteral("listenvorlagen_schreiben"), fehler);
    return false;
}

// All statements of the step and the version update, or nothing at all.
bool schritt_ausfuehren(Tdm &dm, const Schritt &schritt)
{
    Transaktion t(dm);
    if (!t.aktiv())
        return false;
    for (const SqlTeil &a : schritt.anweisungen)
        if (!(a.werte.isEmpty() ? ddl_ausfuehren(dm, a.text) : dm.Execute_SQL(a)))
            return false; // the transaction rolls back; the rest could not succeed anyway
    // The step that reaches this program's version brings the templates along.
    if (schritt.nach == datenbank_version && !listenvorlagen_ergaenzen(dm))
        return false;
    // The unqualified name addresses the database being upgraded.
    if (!dm.Execute_SQL(QStringLiteral("update tabpos set TPKEY = ? , TPWERT = ? where TPTAB = 'DB-VER'"),
                        {version_text(schritt.nach), schritt.nach}))
        return false;
    return t.commit();
}

} // namespace

UpgradeErgebnis db_upgrade(Tdm &dm, int aktuell, int ziel)
{
    UpgradeErgebnis e;
    e.version = aktuell;
    e.protokoll << QStringLiteral("Datenbank-Modifikationen werden durchgeführt") << QString();
    for (const Schritt &s : schritte()) {
        if (s.von != e.version || s.nach > ziel)
            continue;
        e.protokoll << QStringLiteral("Update auf DB-Version ") + version_text(s.nach);
        if (schritt_ausfuehren(dm, s))
            e.version = s.nach;
        else
            e.protokoll << QStringLiteral("Fehler beim Update auf Version ") + version_text(s.nach);
    }
    e.protokoll << QString();
    if (e.version == ziel)
        e.protokoll << QStringLiteral("Datenbank-Modifikationen erfolgreich beendet");
    return e;
}

} // namespace obi
