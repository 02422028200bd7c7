#pragma once

#include "cli.h"

#include <vector>

namespace obi {

// One function per group of verbs; cli_verben() calls them in order.
void cli_verben_allgemein(std::vector<CliVerb> &v);

} // namespace obi
