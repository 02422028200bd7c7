#include "klassenwahl.h"

#include "core/basis.h"
#include "core/zustand.h"
#include "setup/gui/frmmatchcodeak.h"
#include "setup/gui/frmmatchcodegew.h"

namespace obi {

bool Klassenwahl::altersklasse_waehlen(const QString &filter, QString &gewaehlt)
{
    zustand().auswahl_wert = filter;
    TfrmMatchcodeAK dlg(m_eltern);
    dlg.exec();
    gewaehlt = trim_rechts(zustand().auswahl_wert);
    return !gewaehlt.isEmpty();
}

bool Klassenwahl::gewichtsklasse_waehlen(const QString &akid, const QString &filter, QString &gewaehlt)
{
    zustand().auswahl_wert2 = akid;
    zustand().auswahl_wert = filter;
    TfrmMatchcodeGew dlg(m_eltern);
    dlg.exec();
    gewaehlt = trim_rechts(zustand().auswahl_wert);
    return !gewaehlt.isEmpty();
}

} // namespace obi
