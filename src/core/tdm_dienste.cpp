#include "tdm_dienste.h"

#include "datenbank.h"
#include "meldungen.h"
#include "zustand.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include <cmath>

namespace obi {

bool ist_sql_bezeichner(const QString &name)
{
    static const QRegularExpression muster(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return name.size() <= 63 && muster.match(name).hasMatch();
}

namespace {

// For "like ? escape '!'": the key's own % and _ must not act as wildcards.
QString like_maskiert(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'!' || c == u'%' || c == u'_')
            s += u'!';
        s += c;
    }
    return s;
}

bool ist_schluessel_verletzung(const QSqlError &fehler)
{
    const QString code = fehler.nativeErrorCode();
    // PostgreSQL's SQLSTATE unique_violation; SQLite's constraint codes
    // (plain, primary key, unique).
    return code == u"23505" || code == u"19" || code == u"1555" || code == u"2067";
}

} // namespace

// ---- Running numbers ---------------------------------------------------------------

int Tdm::get_lfdn(const QString &tabelle, const QString &spalte, int inkrement, const QString &schluesselspalte)
{
    const bool alle = schluesselspalte == u"*";
    if (!ist_sql_bezeichner(tabelle) || !ist_sql_bezeichner(spalte) || (!alle && !ist_sql_bezeichner(schluesselspalte))) {
        fehler_merken(QStringLiteral("get_lfdn"), tabelle + u'.' + spalte + u'/' + schluesselspalte,
                      QStringLiteral("ungültiger Tabellen- oder Spaltenname"));
        return 0;
    }
    QString sql = QStringLiteral("select max(") + spalte + QStringLiteral(") as max_wert from ") + tabelle;
    QVariantList werte;
    if (!alle) {
        sql += QStringLiteral(" where ") + schluesselspalte + QStringLiteral(" = ?");
        werte << aktueller_wettkampf_nr();
    }
    auto q = abfrage(sql, werte);
    if (!q)
        return 0;
    const QVariant maximum = q->next() ? q->value(0) : QVariant();
    return (maximum.isNull() ? 0 : maximum.toInt()) + inkrement;
}

int neue_nummer_einfuegen(Tdm &dm, const QString &tabelle, const QString &nummernspalte,
                          const QString &schluesselspalte, const SqlFelder &felder)
{
    const bool proWettkampf = !schluesselspalte.isEmpty() && schluesselspalte != u"*";
    bool namenOk = ist_sql_bezeichner(tabelle) && ist_sql_bezeichner(nummernspalte)
                   && (!proWettkampf || ist_sql_bezeichner(schluesselspalte));
    for (const SqlFeld &f : felder)
        namenOk = namenOk && ist_sql_bezeichner(f.name);
    if (!namenOk) {
        protokolliere_fehler(QStringLiteral("neue_nummer_einfuegen"), tabelle + u'.' + nummernspalte,
                             QStringLiteral("ungültiger Tabellen- oder Spaltenname"));
        return 0;
    }

    SqlFelder zeile = felder;
    QString maxSql = QStringLiteral("select max(") + nummernspalte + QStringLiteral(") from ") + tabelle;
    QVariantList maxWerte;
    if (proWettkampf) {
        qsizetype pos = -1;
        for (qsizetype i = 0; i < zeile.size(); ++i)
            if (zeile.at(i).name.compare(schluesselspalte, Qt::CaseInsensitive) == 0)
                pos = i;
        if (pos < 0) {
            zeile.append({schluesselspalte, QStringLiteral("I"), QString::number(aktueller_wettkampf_nr())});
            pos = zeile.size() - 1;
        }
        maxSql += QStringLiteral(" where ") + schluesselspalte + QStringLiteral(" = ?");
        maxWerte << sql_bindwert(zeile.at(pos).wert, zeile.at(pos).art);
    }
    zeile.append({nummernspalte, QStringLiteral("I"), QString()});

    Transaktion t(dm);
    if (!t.aktiv())
        return 0;
    // On SQLite BEGIN IMMEDIATE already serialises the copies. On PostgreSQL the
    // copies that allocate through here queue on a lock held until commit;
    // without it one copy can lose the race for the same number again and again.
    if (dm.dialekt() == Dialekt::Postgres
        && !dm.abfrage(QStringLiteral("select pg_advisory_xact_lock(hashtext(?))"),
                       {QString(QStringLiteral("obitrack.nummer.") + tabelle.toLower())}))
        return 0;
    // Rows written elsewhere (imports) may still take a number first: the insert
    // then hits the key and is undone to the savepoint, which keeps the
    // transaction usable for the next try.
    constexpr int versuche = 25;
    for (int versuch = 0; versuch < versuche; ++versuch) {
        auto mq = dm.abfrage(maxSql, maxWerte);
        if (!mq)
            return 0;
        const QVariant maximum = mq->next() ? mq->value(0) : QVariant();
        mq.reset();
        const int nummer = (maximum.isNull() ? 0 : maximum.toInt()) + 1;
        zeile.last().wert = QString::number(nummer);
        const SqlTeil ins = sql_einfuegeliste(zeile, int(zeile.size()));
        const QString sql = QStringLiteral("insert into ") + tabelle + ins.text;

        QSqlQuery sp(dm.db());
        if (!sp.exec(QStringLiteral("SAVEPOINT obi_nummer"))) {
            protokolliere_fehler(QStringLiteral("neue_nummer_einfuegen"), sql, sp.lastError().text());
            return 0;
        }
        QSqlQuery q(dm.db());
        bool ok = q.prepare(sql);
        if (ok) {
            for (qsizetype i = 0; i < ins.werte.size(); ++i)
                q.bindValue(int(i), ins.werte.at(i));
            ok = q.exec();
        }
        if (ok) {
            sp.exec(QStringLiteral("RELEASE SAVEPOINT obi_nummer"));
            return t.commit() ? nummer : 0;
        }
        const QSqlError fehler = q.lastError();
        sp.exec(QStringLiteral("ROLLBACK TO SAVEPOINT obi_nummer"));
        if (!ist_schluessel_verletzung(fehler) || versuch + 1 == versuche) {
            protokolliere_fehler(QStringLiteral("neue_nummer_einfuegen"), sql, fehler.text());
            return 0;
        }
        QThread::msleep(QRandomGenerator::global()->bounded(1, 10 + 5 * versuch)); // let the other copy finish
    }
    return 0;
}

// ---- Lookup tables ---------------------------------------------------------------------

bool Tdm::get_tabsatz(const QString &tabelle, const QString &schluessel)
{
    m_tabsatz.tab_bezeichnung.clear();
    // Stored keys went through the SQL builder, so quotes are acute accents there too.
    const QString key = sql_maskieren(trim_rechts(gross_schreiben(schluessel)));
    const QString basis = QStringLiteral("select * from tabpos where TPFIRM = '000' and TPTAB = ? and ")
                          + sql_gross(QStringLiteral("TPKEY"));

    QSqlRecord gefunden;
    // Number of rows of the select, -1 on error; keeps the first row.
    const auto zaehlen = [&](const QString &sql, const QVariantList &werte) {
        auto q = abfrage(sql, werte);
        if (!q)
            return -1;
        int n = 0;
        while (q->next()) {
            if (n == 0)
                gefunden = q->record();
            ++n;
        }
        return n;
    };

    int n = zaehlen(QString(basis + QStringLiteral(" like ? escape '!'")),
                    {tabelle, QString(like_maskiert(key) + u'%')});
    if (n > 1)
        n = zaehlen(QString(basis + QStringLiteral(" = ?")), {tabelle, key});
    if (n != 1)
        return false;

    const auto text = [&](const char *feld) { return gefunden.value(QLatin1String(feld)).toString(); };
    const auto zahl = [&](const char *feld) { return gefunden.value(QLatin1String(feld)).toDouble(); };
    m_tabsatz.tab_schluessel = text("TPKEY");
    m_tabsatz.tab_bezeichnung = text("TPBEZ");
    m_tabsatz.tab_zusatz1 = text("TPZUS1");
    m_tabsatz.tab_zusatz2 = text("TPZUS2");
    m_tabsatz.tab_zusatz3 = text("TPZUS3");
    m_tabsatz.tab_nummer1 = gefunden.value(QStringLiteral("TPNUM1")).toInt();
    m_tabsatz.tab_nummer2 = gefunden.value(QStringLiteral("TPNUM2")).toInt();
    m_tabsatz.tab_wert = zahl("TPWERT");
    m_tabsatz.tab_zahl = zahl("TPZAHL");
    return true;
}

// ---- Tournaments, sums -----------------------------------------------------------------

namespace {
// The number is bound as an integer, never pasted into the statement.
QString wettkampf_name(Tdm &dm, const QString &sql, const QString &nummer)
{
    if (!ist_ganzzahl(nummer)) {
        zeige_meldung(19002);
        return {};
    }
    auto q = dm.abfrage(sql, {nummer.toInt()});
    if (!q) {
        zeige_meldung(19002);
        return {};
    }
    return q->next() ? q->value(QStringLiteral("WKBEZ")).toString() : QString();
}
} // namespace

QString Tdm::get_WKName(const QString &nummer)
{
    return wettkampf_name(*this, QStringLiteral("select WKBEZ from wettkampf where WKWKNR = ?"), nummer);
}

QString Tdm::get_WKSatz(const QString &nummer)
{
    return wettkampf_name(*this, QStringLiteral("select * from wettkampf where WKWKNR = ?"), nummer);
}

double Tdm::summe(const QString &sql, const QVariantList &werte)
{
    auto q = abfrage(sql, werte);
    if (!q || !q->next())
        return 0;
    // Field names compare without regard to case: PostgreSQL folds the alias.
    const int spalte = q->record().indexOf(QStringLiteral("COLUMN1"));
    if (spalte < 0) {
        fehler_merken(QStringLiteral("summe"), sql, QStringLiteral("keine Spalte COLUMN1"));
        return 0;
    }
    return q->value(spalte).toDouble();
}

// ---- Clubs -----------------------------------------------------------------------------------

QString reiner_vereinsname(const QString &name)
{
    QString ergebnis;
    const qsizetype auf = name.indexOf(u'(');
    if (auf >= 0)
        ergebnis = name.left(auf);
    const qsizetype zu = name.indexOf(u')');
    if (zu >= 0 && zu < name.size() - 1)
        ergebnis += name.mid(zu + 1);
    ergebnis = ersetzen(QStringLiteral("Abt. Judo"), ergebnis, QString());
    ergebnis = ersetzen(QStringLiteral("Abt.Judo"), ergebnis, QString());
    return ergebnis;
}

int get_vereins_id(const QString &name)
{
    const qsizetype zu = name.lastIndexOf(u')');
    if (zu < 0)
        return 0;
    const qsizetype auf = name.lastIndexOf(u'(', zu);
    if (auf < 0)
        return 0;
    const QString inhalt = name.mid(auf + 1, zu - auf - 1).trimmed();
    if (inhalt.isEmpty())
        return 0;
    for (const QChar c : inhalt)
        if (c < u'0' || c > u'9')
            return 0;
    bool ok = false;
    const int id = inhalt.toInt(&ok);
    return ok ? id : 0;
}

// ---- Weight-class overview --------------------------------------------------------------------

GewKlassenBerechnet gewklasse_berechnen(Tdm &dm, int wettkampf, const QString &akid, const QString &gewk, int gkstat)
{
    GewKlassenBerechnet b;
    b.calcANZA = dm.anzahl_Saetze(
        QStringLiteral("select * from starter where STWKNR = ? and STAKID = ? and STGEWK = ?"), {wettkampf, akid, gewk});
    if (dm.get_tabsatz(QStringLiteral("Status"), QString::number(gkstat))) {
        b.calcSTTX = dm.tabsatz().tab_bezeichnung;
        b.calcSTBA = int(std::lround(dm.tabsatz().tab_wert));
        b.calcBLKN = wiederholen(QStringLiteral("="), b.calcSTBA, 20);
    } else {
        b.calcSTTX = QStringLiteral("unbekannt");
        b.calcSTBA = 0;
    }
    const int offen = dm.anzahl_Saetze(
        QStringLiteral("select * from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? and WLSTAT < 5"),
        {wettkampf, akid, gewk});
    if (offen != 0)
        b.calcOFFN = QString::number(offen);
    return b;
}

} // namespace obi
