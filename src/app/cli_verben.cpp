// The list of verbs. Each subsystem's verbs live in their own cli_*.cpp file
// with one function that appends them here.
#include "cli.h"
#include "cli_verben.h"

namespace obi {

const std::vector<CliVerb> &cli_verben()
{
    static const std::vector<CliVerb> verben = [] {
        std::vector<CliVerb> v;
        cli_verben_allgemein(v);
        cli_verben_db(v);
        cli_verben_wettkampf(v);
        cli_verben_vereine(v);
        cli_verben_teilnehmer(v);
        cli_verben_klassen(v);
        return v;
    }();
    return verben;
}

} // namespace obi
