// Data-module services that are plain functions: club-name helpers, the
// computed columns of the weight-class overview and running numbers that stay
// unique when several copies of the program save at the same moment. The
// services that keep state in the data module are members of Tdm.
#pragma once

#include "basis.h"

#include <QString>

namespace obi {

class Tdm;

// Club name without its bracketed part and without "Abt. Judo"/"Abt.Judo";
// the blanks around the removed parts stay.
QString reiner_vereinsname(const QString &name);
// The number in the last bracket of a club name ("TSV (123)" -> 123); 0 when
// there is none or it is no number.
int get_vereins_id(const QString &name);

// The computed columns of one row of the weight-class overview.
struct GewKlassenBerechnet {
    int calcANZA = 0;  // participants in the class
    QString calcSTTX;  // status text, "unbekannt" when the status has no lookup row
    int calcSTBA = 0;  // bar length of the status (0 to 20)
    QString calcBLKN;  // the bar: calcSTBA times "=", at most 20
    QString calcOFFN;  // open bouts as text, empty when none
};
GewKlassenBerechnet gewklasse_berechnen(Tdm &dm, int wettkampf, const QString &akid, const QString &gewk,
                                        int gkstat);

// Inserts one row into tabelle with the next free number (highest + 1) in
// nummernspalte, counted per tournament when schluesselspalte names the
// tournament column (empty or "*": over the whole table). The tournament is
// taken from felder; when felder lacks that column, the current tournament is
// inserted with it. When another copy takes the same number first, the insert
// is retried with the next one. Returns the number, 0 on failure.
int neue_nummer_einfuegen(Tdm &dm, const QString &tabelle, const QString &nummernspalte,
                          const QString &schluesselspalte, const SqlFelder &felder);

// Whether name can stand in SQL text as a table or column name.
bool ist_sql_bezeichner(const QString &name);

} // namespace obi
