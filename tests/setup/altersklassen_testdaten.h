// A valid age class for the age class tests: years 2011 to 2012, penalties
// "X", hold-downs of 20 and 10 seconds; everything else as a new row has it.
#pragma once

#include "setup/altersklassen.h"

namespace obi::test {

inline AltersklasseEingabe altersklasse_testeingabe(const QString &akid, const QString &gewt)
{
    AltersklasseEingabe e = altersklasse_neu_eingabe();
    e.akid = akid;
    e.gewt = gewt;
    e.jgmi = QStringLiteral("2011");
    e.jgma = QStringLiteral("2012");
    e.rstr = QStringLiteral("X");
    e.hgtm = QStringLiteral("20");
    e.htg2 = QStringLiteral("10");
    return e;
}

} // namespace obi::test
