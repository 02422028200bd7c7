#pragma once

#include "cli.h"

#include <vector>

namespace obi {

// One function per group of verbs; cli_verben() calls them in order.
void cli_verben_allgemein(std::vector<CliVerb> &v);
void cli_verben_db(std::vector<CliVerb> &v);
void cli_verben_wettkampf(std::vector<CliVerb> &v);
void cli_verben_vereine(std::vector<CliVerb> &v);
void cli_verben_teilnehmer(std::vector<CliVerb> &v);
void cli_verben_klassen(std::vector<CliVerb> &v);

} // namespace obi
