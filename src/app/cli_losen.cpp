// Verb for the draw of a tournament, an age class or a weight class.
#include "cli_verben.h"

#include "competition/losen.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <optional>

namespace obi {

namespace {

int losen(CliKontext &ctx, const QStringList &args)
{
    CliOptionen o;
    const auto wk = cli_wettkampf_optionen(
        ctx, args,
        QStringLiteral("draw --tournament NUMMER [--age-class ALTERSKLASSE "
                       "[--weight-class GEWICHTSKLASSE]] [--seed ZAHL]"),
        {QStringLiteral("age-class"), QStringLiteral("weight-class"), QStringLiteral("seed")}, o);
    if (!wk)
        return 2;
    LosAuswahl a;
    a.wknr = *wk;
    a.akid = o.wert(QStringLiteral("age-class")).trimmed();
    a.gewk = o.wert(QStringLiteral("weight-class")).trimmed();
    // The window ignores a weight class without age class; here that would
    // silently redraw the whole tournament, so it is refused.
    if (!a.gewk.isEmpty() && a.akid.isEmpty()) {
        ctx.err << "--weight-class braucht --age-class" << Qt::endl;
        return 2;
    }
    std::optional<quint32> seed;
    if (o.werte.contains(QStringLiteral("seed"))) {
        seed = cli_startwert(ctx, o.wert(QStringLiteral("seed")));
        if (!seed)
            return 2;
    }

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm) || !cli_wettkampf_da(ctx, dm, a.wknr))
        return 1;
    // Several matching classes count as not found: there is nobody to ask.
    const int meldung = los_auswahl_pruefen(a, nullptr);
    if (meldung != 0) {
        zeige_meldung(meldung);
        return 1;
    }
    if (!losen_auto(a, seed))
        return 1;
    const auto vereine = losen_vereine(a);
    if (!vereine) {
        zeige_meldung(19902);
        return 1;
    }
    for (const LosVerein &v : *vereine)
        ctx.out << v.calcSort() << ';' << v.stlos << ';' << v.vename << ';' << v.veverb << ';' << v.anzahl << '\n';
    ctx.out.flush();
    return 0;
}

} // namespace

void cli_verben_losen(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("draw"),
                 QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE [--weight-class GEWICHTSKLASSE]] "
                                "[--seed ZAHL]"),
                 QStringLiteral("Losen (Los-Nummern je Verein), danach je Verein: Los-Nr.;Los (Verein);Verein;"
                                "Verband;Teilnehmer"),
                 losen});
}

} // namespace obi
