#include "zustand.h"

namespace obi {

Zustand &zustand()
{
    static Zustand z;
    return z;
}

void zustand_zuruecksetzen()
{
    zustand() = Zustand{};
}

int aktueller_wettkampf_nr()
{
    bool ok = false;
    const int nr = zustand().aktueller_wettkampf.trimmed().toInt(&ok);
    return ok && nr > 0 ? nr : 0;
}

} // namespace obi
