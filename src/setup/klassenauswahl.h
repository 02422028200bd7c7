// What the age-class and weight-class pickers list: the classes of the
// current tournament whose name begins with a filter ("%" in front searches
// anywhere in the name).
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace obi {

struct AltersklasseZeile {
    QString akid;
    QString gewichtstabelle;
    int aeltester = 0;
    int juengster = 0;
    QString text;
};

// A typed filter as the pickers use it: no trailing blanks, upper case.
QString auswahl_filter(const QString &text);

// Age classes of the tournament by name; empty optional on a read error.
std::optional<QVector<AltersklasseZeile>> altersklassen_auswahl(int wk, const QString &filter);

// Weight classes of one age class in their order; empty optional on a read error.
std::optional<QStringList> gewichtsklassen_auswahl(int wk, const QString &altersklasse, const QString &filter);

} // namespace obi
