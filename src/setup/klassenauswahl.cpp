#include "klassenauswahl.h"

#include "core/basis.h"
#include "core/datenbank.h"

#include <QSqlQuery>
#include <QVariant>

namespace obi {

QString auswahl_filter(const QString &text)
{
    return gross_schreiben(trim_rechts(text));
}

namespace {

// Names are compared in upper case so both engines find the same rows
// (LIKE ignores case on SQLite only); stored names are masked, so is the filter.
void filter_anhaengen(QString &sql, QVariantList &werte, const QString &spalte, const QString &filter)
{
    const QString f = auswahl_filter(filter);
    if (f.isEmpty())
        return;
    sql += QStringLiteral(" and ") + dm().sql_gross(spalte) + QStringLiteral(" like ?");
    werte << QString(sql_maskieren(f) + u'%');
}

} // namespace

std::optional<QVector<AltersklasseZeile>> altersklassen_auswahl(int wk, const QString &filter)
{
    QString sql = QStringLiteral("select AKAKID, AKGEWT, AKJGMI, AKJGMA, AKTEXT from klassen where AKWKNR = ?");
    QVariantList werte{wk};
    filter_anhaengen(sql, werte, QStringLiteral("AKAKID"), filter);
    sql += QStringLiteral(" order by AKAKID");
    auto q = dm().abfrage(sql, werte);
    if (!q)
        return std::nullopt;
    QVector<AltersklasseZeile> liste;
    while (q->next()) {
        AltersklasseZeile z;
        z.akid = q->value(0).toString();
        z.gewichtstabelle = q->value(1).toString();
        z.aeltester = q->value(2).toInt();
        z.juengster = q->value(3).toInt();
        z.text = q->value(4).toString();
        liste.append(z);
    }
    return liste;
}

std::optional<QStringList> gewichtsklassen_auswahl(int wk, const QString &altersklasse, const QString &filter)
{
    QString sql = QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ?");
    QVariantList werte{wk, sql_bindwert(altersklasse, QStringLiteral("T"))};
    filter_anhaengen(sql, werte, QStringLiteral("GKGEWK"), filter);
    sql += QStringLiteral(" order by GKSORT, GKGEWK");
    return dm().textspalte(sql, werte);
}

} // namespace obi
