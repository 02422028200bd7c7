// A small tournament for the draw tests: tournament 1 with age classes U18m
// (-60, -66) and U15 (-40), seven clubs in three federations plus one club
// without federation; tournament 2 with one drawn participant that no draw of
// tournament 1 may touch.
#pragma once

#include "core/datenbank.h"

#include <QStringList>

namespace obi::test {

inline bool losen_starter(Tdm &d, int wk, int stnr, const QString &ak, const QString &gewk, int los, int sort = 0)
{
    return d.Execute_SQL(
        QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, "
                       "STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) values (?, ?, ?, ?, ?, 'Vorname', 2008, ?, 50, '', "
                       "0, '', ?, 0)"),
        { wk, stnr, ak, gewk, QStringLiteral("NAME%1").arg(stnr), los, sort });
}

inline bool losen_verein(Tdm &d, int wk, int los, const QString &name, const QVariant &verband)
{
    return d.Execute_SQL(
        QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (?, ?, ?, ?, 0)"),
        { wk, los, name, verband });
}

inline bool losen_testdaten(Tdm &d)
{
    const QStringList sql = {
        QStringLiteral("insert into wettkampf (WKWKNR, WKBEZ, WKDATU) values (1, 'Testturnier', 20270201)"),
        QStringLiteral("insert into wettkampf (WKWKNR, WKBEZ, WKDATU) values (2, 'Anderes', 20270301)"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (1, 'U18m', 0, 0, 'M')"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (1, 'U15', 0, 0, 'M')"),
        QStringLiteral("insert into klassen (AKWKNR, AKAKID, AKJGMI, AKJGMA, AKMW) values (2, 'U18m', 0, 0, 'M')"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18m', '-60', 1)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U18m', '-66', 2)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (1, 'U15', '-40', 1)"),
        QStringLiteral("insert into gew_klassen (GKWKNR, GKAKID, GKGEWK, GKSORT) values (2, 'U18m', '-60', 1)"),
    };
    for (const QString &s : sql)
        if (!d.Execute_SQL(s))
            return false;
    const struct {
        int los;
        const char *name;
        const char *verband; // nullptr: none
    } vereine[] = {
        { 1, "JC Mitte", "BE" }, { 2, "TSV Nord", "BE" }, { 3, "SC Süd", "BE" }, { 4, "JC Hafen", "HH" },
        { 5, "TV Elbe", "HH" },  { 6, "Budokan", "BY" },  { 7, "Ohne Verband", nullptr },
    };
    for (const auto &v : vereine)
        if (!losen_verein(d, 1, v.los, QString::fromUtf8(v.name),
                          v.verband ? QVariant(QString::fromUtf8(v.verband)) : QVariant(QMetaType::fromType<QString>())))
            return false;
    if (!losen_verein(d, 2, 1, QStringLiteral("Anderer"), QStringLiteral("NW")))
        return false;
    const struct {
        int stnr;
        const char *ak;
        const char *gewk;
        int los;
    } starter[] = {
        { 1, "U18m", "-60", 1 },  { 2, "U18m", "-60", 1 },  { 3, "U18m", "-60", 2 }, { 4, "U18m", "-60", 4 },
        { 5, "U18m", "-60", 6 },  { 6, "U18m", "-60", 7 },  { 7, "U18m", "-66", 1 }, { 8, "U18m", "-66", 3 },
        { 9, "U18m", "-66", 5 },  { 10, "U18m", "-66", 6 }, { 11, "U15", "-40", 2 }, { 12, "U15", "-40", 4 },
        { 13, "U15", "-40", 5 },
    };
    for (const auto &s : starter)
        if (!losen_starter(d, 1, s.stnr, QString::fromUtf8(s.ak), QString::fromUtf8(s.gewk), s.los))
            return false;
    return losen_starter(d, 2, 1, QStringLiteral("U18m"), QStringLiteral("-60"), 1, 99);
}

} // namespace obi::test
