// Verbs for the participants of a tournament.
#include "cli_verben.h"

#include "core/datenbank.h"
#include "core/meldungen.h"
#include "core/verbindung.h"
#include "register/teilnehmer.h"

namespace obi {

namespace {

// Makes the verb's data module the process-wide one while it runs.
class DatenmodulTausch
{
public:
    explicit DatenmodulTausch(Tdm *neu)
        : m_alt(Tdm::instanz())
    {
        Tdm::setze_instanz(neu);
    }
    ~DatenmodulTausch() { Tdm::setze_instanz(m_alt); }
    DatenmodulTausch(const DatenmodulTausch &) = delete;
    DatenmodulTausch &operator=(const DatenmodulTausch &) = delete;

private:
    Tdm *m_alt;
};

int teilnehmer_liste(CliKontext &ctx, const QStringList &args)
{
    const CliOptionen o = CliOptionen::lesen(args, {});
    const char *aufruf = "participant list --tournament NUMMER [--age-class A] [--name X]";
    bool ok = o.fehler.isEmpty() && o.positionale.isEmpty() && o.schalter.isEmpty()
        && o.werte.contains(QStringLiteral("tournament"));
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = it.key() == QStringLiteral("tournament") || it.key() == QStringLiteral("age-class")
            || it.key() == QStringLiteral("name");
    if (!ok) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
        return 2;
    }
    const QString text = o.wert(QStringLiteral("tournament"));
    const int wk = text.toInt(&ok);
    if (!ok || wk <= 0) {
        ctx.err << "Keine gültige Wettkampfnummer: " << text << Qt::endl;
        return 2;
    }

    Tdm dm;
    DatenmodulTausch tausch(&dm);
    // Opened like "db check": no new file, no upgrade.
    DbPruefung pruefung;
    pruefung.neue_datei_anlegen = false;
    pruefung.upgrade = [](Tdm &, int aktuell, int) {
        return aktuell;
    };
    if (!check_db(dm, pruefung))
        return 1;

    // The same selection as the main window's search bar.
    Suchfelder s;
    s.altersklasse = o.wert(QStringLiteral("age-class"));
    s.name = o.wert(QStringLiteral("name"));
    suchfelder_normalisieren(s);
    const auto liste = teilnehmer_lesen(dm, teilnehmer_auswahl(dm, wk, s));
    if (!liste) {
        zeige_meldung(19902);
        return 1;
    }
    for (const Teilnehmer &t : *liste)
        ctx.out << t.stnr << ';' << t.name << ';' << t.vnam << ';' << t.akid << ';' << t.gewk << ';' << t.los << ';'
                << t.vename << ';' << t.jg << ';' << t.pltz << '\n';
    ctx.out.flush();
    return 0;
}

} // namespace

void cli_verben_teilnehmer(std::vector<CliVerb> &v)
{
    v.push_back({ QStringLiteral("participant list"), QStringLiteral("--tournament NUMMER [--age-class A] [--name X]"),
                  QStringLiteral("Teilnehmer eines Wettkampfs ausgeben: Startnummer;Name;Vorname;Altersklasse;"
                                 "Gewichtsklasse;Los;Verein;Jahrgang;Platz"),
                  teilnehmer_liste });
}

} // namespace obi
