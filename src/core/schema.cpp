#include "schema.h"

#include "datenbank.h"

namespace obi {

bool schema_anlegen(Tdm &, QString *fehler)
{
    if (fehler)
        *fehler = QStringLiteral("noch nicht umgesetzt");
    return false;
}

bool schema_vorhanden(Tdm &)
{
    return false;
}

QStringList schema_tabellen()
{
    return {};
}

} // namespace obi
