// A small register for the participant tests: tournament 1 with age classes,
// weight classes, two clubs and five participants (one without club row),
// tournament 2 with a higher start number that must not count for 1.
#pragma once

#include "core/datenbank.h"

#include <QStringList>

namespace obi::test {

inline bool teilnehmer_testdaten(Tdm &d)
{
    const QStringList sql = {
        QStringLiteral("insert into wettkampf (WKWKNR, WKBEZ, WKDATU, WKFLDJ, WKFLDL, WKFLDP, WKFLDB, WKFLDS) "
                       "values (1, 'Testturnier', 20270201, 1, 1, 0, 1, 0)"),
        QStringLiteral("insert into wettkampf (WKWKNR, WKBEZ, WKDATU, WKFLDJ, WKFLDL, WKFLDP, WKFLDB, WKFLDS) "
                       "values (2, 'Anderes', 20270301, 0, 0, 0, 0, 0)"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (1, 'U18', 2007, 2010, 'M')"),
        QStringLiteral(
            "insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (1, 'U18W', 2007, 2010, 'W')"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (1, 'MAENNER', 0, 0, 'M')"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (2, 'U18', 0, 0, 'M')"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18', '-60', 1)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18', '-66', 2)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18', '+90', 3)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18W', '-52', 1)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'MAENNER', '-73', 1)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'MAENNER', '-81', 2)"),
        QStringLiteral(
            "insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (1, 1, 'JC Mitte', 'BE', 0)"),
        QStringLiteral(
            "insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (1, 2, 'TSV Nord', 'HH', 0)"),
        QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (1, 3, 'Leer', 'BY', 7)"),
        QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (2, 1, 'Anderer', 'NW', 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(1, 1, 'MAENNER', '-73', 'MEIER', 'Hans', 1990, 1, 72.5, '', 0, '', 0, 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(1, 2, 'MAENNER', '-81', 'MEISTER', 'Karl', 1985, 2, 80, '', 0, '', 0, 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(1, 5, 'U18', '-60', 'SCHULZ', 'Paul', 2008, 1, 59, '', 0, '', 0, 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(1, 3, 'U18W', '-52', 'BRAUN', 'Anna', 2009, 2, 51, '1.', 0, '', 0, 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(1, 4, 'MAENNER', '-73', 'OHNEVEREIN', 'Max', 1980, 9, 70, '', 0, '', 0, 0)"),
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values "
                       "(2, 7, 'U18', '-60', 'MEIER', 'Fremd', 2008, 1, 60, '', 0, '', 0, 0)"),
    };
    for (const QString &s : sql)
        if (!d.Execute_SQL(s))
            return false;
    return true;
}

} // namespace obi::test
