#pragma once

#include "cli.h"

#include <vector>

namespace obi {

class Tdm;

// Makes a verb's data module the process-wide one while the verb runs.
class DatenmodulWechsel
{
public:
    explicit DatenmodulWechsel(Tdm *neu);
    ~DatenmodulWechsel();
    DatenmodulWechsel(const DatenmodulWechsel &) = delete;
    DatenmodulWechsel &operator=(const DatenmodulWechsel &) = delete;

private:
    Tdm *m_alt;
};

// Opens the configured database as "db check" does: no new file, no upgrade;
// failures are shown through the CLI's messages.
bool cli_db_oeffnen(Tdm &dm);

// Whether tournament wk exists; "Wettkampf <wk> nicht gefunden" (or 19902 when
// the database cannot be read) otherwise.
bool cli_wettkampf_da(CliKontext &ctx, Tdm &dm, int wk);

// One function per group of verbs; cli_verben() calls them in order.
void cli_verben_allgemein(std::vector<CliVerb> &v);
void cli_verben_db(std::vector<CliVerb> &v);
void cli_verben_wettkampf(std::vector<CliVerb> &v);
void cli_verben_vereine(std::vector<CliVerb> &v);
void cli_verben_teilnehmer(std::vector<CliVerb> &v);
void cli_verben_klassen(std::vector<CliVerb> &v);
void cli_verben_listen(std::vector<CliVerb> &v);
void cli_verben_losen(std::vector<CliVerb> &v);
void cli_verben_kaempfe(std::vector<CliVerb> &v);
void cli_verben_streichung(std::vector<CliVerb> &v);

} // namespace obi
