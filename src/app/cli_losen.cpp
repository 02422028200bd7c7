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
    const char *aufruf = "draw --tournament NUMMER [--age-class ALTERSKLASSE [--weight-class GEWICHTSKLASSE]] "
                         "[--seed ZAHL]";
    const CliOptionen o = CliOptionen::lesen(args, {});
    bool ok = o.fehler.isEmpty() && o.positionale.isEmpty() && o.schalter.isEmpty()
              && o.werte.contains(QStringLiteral("tournament"));
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = it.key() == QLatin1String("tournament") || it.key() == QLatin1String("age-class")
             || it.key() == QLatin1String("weight-class") || it.key() == QLatin1String("seed");
    if (!ok) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
        return 2;
    }
    const QString wktext = o.wert(QStringLiteral("tournament"));
    LosAuswahl a;
    a.wknr = wktext.toInt(&ok);
    if (!ok || a.wknr <= 0) {
        ctx.err << "Keine gültige Wettkampfnummer: " << wktext << Qt::endl;
        return 2;
    }
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
        const QString text = o.wert(QStringLiteral("seed"));
        const qulonglong s = text.toULongLong(&ok);
        if (!ok || s > 0xFFFFFFFFull) {
            ctx.err << "Kein gültiger Startwert (0 bis 4294967295): " << text << Qt::endl;
            return 2;
        }
        seed = quint32(s);
    }

    Tdm dm;
    DatenmodulWechsel wechsel(&dm);
    if (!cli_db_oeffnen(dm))
        return 1;
    const QVariant gefunden =
        dm.einzelwert(QStringLiteral("select count(*) from wettkampf where WKWKNR = ?"), { a.wknr });
    if (!gefunden.isValid()) {
        zeige_meldung(19902);
        return 1;
    }
    if (gefunden.toInt() == 0) {
        ctx.err << "Wettkampf " << a.wknr << " nicht gefunden" << Qt::endl;
        return 1;
    }
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
    v.push_back({ QStringLiteral("draw"),
                  QStringLiteral("--tournament NUMMER [--age-class ALTERSKLASSE [--weight-class GEWICHTSKLASSE]] "
                                 "[--seed ZAHL]"),
                  QStringLiteral("Losen (Los-Nummern je Verein), danach je Verein: Los-Nr.;Los (Verein);Verein;"
                                 "Verband;Teilnehmer"),
                  losen });
}

} // namespace obi
