// The list of verbs. Each subsystem's verbs live in their own cli_*.cpp file
// with one function that appends them here.
#include "cli.h"
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/verbindung.h"

namespace obi {

DatenmodulWechsel::DatenmodulWechsel(Tdm *neu)
    : m_alt(Tdm::instanz())
{
    Tdm::setze_instanz(neu);
}

DatenmodulWechsel::~DatenmodulWechsel()
{
    Tdm::setze_instanz(m_alt);
}

bool cli_db_oeffnen(Tdm &dm)
{
    DbPruefung pruefung;
    pruefung.neue_datei_anlegen = false;
    pruefung.upgrade = [](Tdm &, int aktuell, int) { return aktuell; };
    return check_db(dm, pruefung);
}

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
        cli_verben_listen(v);
        cli_verben_losen(v);
        cli_verben_kaempfe(v);
        cli_verben_streichung(v);
        return v;
    }();
    return verben;
}

} // namespace obi
