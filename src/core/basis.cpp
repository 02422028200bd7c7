#include "basis.h"

namespace obi {
} // namespace obi
