// The program's list templates for the list tests, read once per process.
#pragma once

#include "competition/listenvorlagen.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace obi::test {

inline const std::vector<Listenvorlage> &vorlagen()
{
    static const std::vector<Listenvorlage> alle = listenvorlagen();
    return alle;
}

// The template of a list type; an unknown type ends the test with its name.
inline const Listenvorlage &vorlage(const QString &typ)
{
    for (const Listenvorlage &v : vorlagen())
        if (v.kopf.typ == typ)
            return v;
    throw std::runtime_error("unbekannter Listentyp " + typ.toStdString());
}

} // namespace obi::test
