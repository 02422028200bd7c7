#pragma once

#include <QImage>

namespace obi {

// The program's own pictures, drawn instead of shipped as files so the
// program needs nothing beside its binary: the competition mat (the
// program's icon) and a tied black belt.
QImage bild_matte(int groesse);
QImage bild_guertel(int groesse);

} // namespace obi
