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

// Names are compared in upper case so both engines find the same rows
// (LIKE ignores case on SQLite only); stored names are masked, so is the filter.
std::optional<QVector<AltersklasseZeile>> altersklassen_auswahl(int wk, const QString &filter)
{
    QString sql = QStringLiteral("select AKAKID, AKGEWT, AKJGMI, AKJGMA, AKTEXT from klassen where AKWKNR = ?");
    QVariantList werte{wk};
    const QString f = auswahl_filter(filter);
    if (!f.isEmpty()) {
        sql += QStringLiteral(" and ") + dm().sql_gross(QStringLiteral("AKAKID")) + QStringLiteral(" like ?");
        werte << QString(sql_maskieren(f) + u'%');
    }
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
    const QString f = auswahl_filter(filter);
    if (!f.isEmpty()) {
        sql += QStringLiteral(" and ") + dm().sql_gross(QStringLiteral("GKGEWK")) + QStringLiteral(" like ?");
        werte << QString(sql_maskieren(f) + u'%');
    }
    sql += QStringLiteral(" order by GKSORT, GKGEWK");
    auto q = dm().abfrage(sql, werte);
    if (!q)
        return std::nullopt;
    QStringList liste;
    while (q->next())
        liste << q->value(0).toString();
    return liste;
}

} // namespace obi
