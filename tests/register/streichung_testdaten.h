// Tournament 1 with a round robin of three in U18/-60 (start numbers 1, 2,
// 3; each has two bouts, all pending with both fighters filled in), a
// participant in U18/-66 without a list (4) and one whose lot has no club row
// (5).
#pragma once

#include "competition/listengenerierung.h"
#include "core/datenbank.h"

#include <QList>
#include <QStringList>

#include <map>

namespace obi::test {

inline const QString streichung_ak = QStringLiteral("U18");
inline const QString streichung_gk = QStringLiteral("-60");

inline bool streichung_testdaten(Tdm &d)
{
    const QString starter = QStringLiteral(
        "insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, STGEWN, STPLTZ, STSETZ, "
        "STTEXT, STSORT, STSTAT) values ");
    const QStringList sql = {
        QStringLiteral("insert into wettkampf (WKWKNR, WKBEZ, WKDATU) values (1, 'Testturnier', 20270201)"),
        QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (1, 1, 'JC Mitte', 'BE', 0)"),
        QStringLiteral("insert into vereine (VEWKNR, VELOS, VENAME, VEVERB, VEANZA) values (1, 2, 'TSV Nord', 'HH', 0)"),
        starter + QStringLiteral("(1, 1, 'U18', '-60', 'MEIER', 'Hans', 2008, 1, 59, '', 0, 'Knie', 0, 0)"),
        starter + QStringLiteral("(1, 2, 'U18', '-60', 'SCHULZ', 'Paul', 2008, 2, 58, '', 0, '', 0, null)"),
        starter + QStringLiteral("(1, 3, 'U18', '-60', 'BRAUN', 'Tim', 2009, 1, 60, '', 0, '', 0, 0)"),
        starter + QStringLiteral("(1, 4, 'U18', '-66', 'LANGE', 'Max', 2008, 2, 65, '', 0, '', 0, 0)"),
        starter + QStringLiteral("(1, 5, 'U18', '-60', 'OHNEVEREIN', 'Udo', 2008, 9, 60, '', 0, '', 0, 0)"),
    };
    for (const QString &s : sql)
        if (!d.Execute_SQL(s))
            return false;
    // Participant 5 takes no part in the list.
    if (!d.Execute_SQL(QStringLiteral("update starter set STGEWK = '-73' where STWKNR = 1 and STSTNR = 5")))
        return false;
    QString typ = QStringLiteral("JGJ03");
    if (!schreiben_liste(1, streichung_ak, streichung_gk, typ, false))
        return false;

    // The first pass of the bout list: every bout of a round robin takes its
    // fighters straight from the slots.
    std::map<int, int> platz;
    auto q = d.abfrage(QStringLiteral("select WLLPOS, WLSTNR from wk_liste where WLWKNR = 1 and WLAKID = ? and "
                                      "WLGEWK = ? and WLLPOS > 1000 and WLLPOS < 2000"),
                       { streichung_ak, streichung_gk });
    while (q && q->next())
        platz[q->value(0).toInt()] = q->value(1).toInt();
    struct Kampf {
        int pos, blau, weis;
    };
    QList<Kampf> kaempfe;
    if (auto l = d.abfrage(QStringLiteral("select LDLPOS, LDBLAU, LDWEIS from listdef where LDLTYP = ?"), { typ }))
        while (l->next())
            kaempfe.append({ l->value(0).toInt(), l->value(1).toInt(), l->value(2).toInt() });
    if (kaempfe.isEmpty())
        return false;
    for (const Kampf &k : kaempfe)
        if (!d.Execute_SQL(QStringLiteral("update wk_liste set WLBLAU = ?, WLWEIS = ?, WLSTAT = 1, WLSTNR = -1 "
                                          "where WLWKNR = 1 and WLAKID = ? and WLGEWK = ? and WLLPOS = ?"),
                           { platz[k.blau], platz[k.weis], streichung_ak, streichung_gk, k.pos }))
            return false;
    return true;
}

} // namespace obi::test
