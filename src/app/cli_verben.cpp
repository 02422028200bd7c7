// The list of verbs. Each subsystem's verbs live in their own cli_*.cpp file
// with one function that appends them here.
#include "cli_verben.h"
#include "cli.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
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
    pruefung.upgrade = [](Tdm &, int aktuell, int) {
        return aktuell;
    };
    return check_db(dm, pruefung);
}

bool cli_wettkampf_da(CliKontext &ctx, Tdm &dm, int wk)
{
    const QVariant n = dm.einzelwert(QStringLiteral("select count(*) from wettkampf where WKWKNR = ?"), {wk});
    if (!n.isValid()) {
        zeige_meldung(19902);
        return false;
    }
    if (n.toInt() == 0) {
        ctx.err << "Wettkampf " << wk << " nicht gefunden" << Qt::endl;
        return false;
    }
    return true;
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
