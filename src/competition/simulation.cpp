#include "simulation.h"

#include "kampf.h"
#include "tabelle.h"
#include "tabelle_daten.h"

#include "core/datenbank.h"
#include "core/meldungen.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace obi {

namespace {

// Passes every message on except the table notes the engine shows after
// each completed table; a simulation completes hundreds of them.
class StillerMelder final : public Melder
{
public:
    StillerMelder()
        : m_weiter(melder())
        , m_310(meldungs_anzeige(310))
        , m_3011(meldungs_anzeige(3011))
    {
        setze_melder(this);
    }
    ~StillerMelder() override { setze_melder(&m_weiter); }
    StillerMelder(const StillerMelder &) = delete;
    StillerMelder &operator=(const StillerMelder &) = delete;

    void zeige(const QString &text, QChar art, const QString &titel) override
    {
        if (text != m_310 && text != m_3011)
            m_weiter.zeige(text, art, titel);
    }
    bool frage(const QString &frage) override { return m_weiter.frage(frage); }

private:
    Melder &m_weiter;
    QString m_310, m_3011;
};

int kampfzeit(int wk, const QString &akid)
{
    const QVariant v =
        dm().einzelwert(QStringLiteral("select AKKATI from klassen where AKWKNR = ? and AKAKID = ?"), { wk, akid });
    const int sekunden = v.isValid() && !v.isNull() ? v.toInt() : 0;
    return sekunden > 0 ? sekunden : 240;
}

// Place text of rank n as the table writes it.
QString rang_text(int n, const TabellenOptionen &o)
{
    if (o.platz32 && n == 4)
        return QStringLiteral("3.2");
    if (o.platz52 && n == 6)
        return QStringLiteral("5.2");
    return QString::number(n) + QLatin1Char('.');
}

// Saves the places of a complete table the engine left unsaved (equal wins):
// ranked by the table's rule, equal scores in table order, as an operator
// confirming the proposal would. True when anything was written.
bool tabelle_nachtragen(int wk, const QString &akid, const QString &gewk)
{
    const auto info = pruefen_auswahl(wk, akid, gewk, false);
    if (!info || !listedit_ok(wk, akid, gewk, info->tabk, false))
        return false;
    const TabellenOptionen optionen = tabellen_optionen(*info);
    bool geschrieben = false;
    for (int pool = 1; pool <= (info->zwei_pools() ? 2 : 1); ++pool) {
        bool ok = false;
        std::vector<TabellenZeile> zeilen = tabelle_lesen(wk, akid, gewk, *info, pool, &ok);
        if (!ok || zeilen.empty())
            return geschrieben;
        const bool gespeichert = std::all_of(zeilen.begin(), zeilen.end(),
                                             [](const TabellenZeile &z) { return !z.platz.trimmed().isEmpty(); });
        if (gespeichert)
            continue;
        calc_plaetze(zeilen, optionen.platz32, optionen.platz52);
        // calc_plaetze sorted the lines; only exactly equal scores shared a place.
        for (std::size_t i = 0; i < zeilen.size(); ++i)
            zeilen[i].platz = rang_text(static_cast<int>(i) + 1, optionen);
        const bool ok_schreiben = info->zwei_pools()
            ? write_plaetze_pool(wk, akid, gewk, info->ltyp, pool, zeilen)
            : write_plaetze_starter(wk, akid, gewk, zeilen);
        if (!ok_schreiben)
            return geschrieben;
        geschrieben = true;
    }
    return geschrieben;
}

struct Anstehend {
    int pos = 0;
    int blau = 0;
    int weis = 0;
};

std::optional<Anstehend> naechster_kampf(int wk, const QString &akid, const QString &gewk, bool *fehler)
{
    auto q = dm().abfrage(QStringLiteral("select WLLPOS, WLBLAU, WLWEIS from wk_liste where WLWKNR = ? and WLAKID = ? "
                                         "and WLGEWK = ? and WLLPOS > 0 and WLLPOS < 1000 and WLSTAT = 1 "
                                         "and WLBLAU > 0 and WLWEIS > 0 order by WLSORT, WLLPOS"),
                          { wk, akid, gewk });
    *fehler = !q.has_value();
    if (!q || !q->next())
        return std::nullopt;
    return Anstehend{ q->value(0).toInt(), q->value(1).toInt(), q->value(2).toInt() };
}

} // namespace

int simuliere_klasse(int wk, const QString &akid, const QString &gewk, std::mt19937 &zufall, int max_kaempfe)
{
    StillerMelder still;
    if (max_kaempfe == 0)
        return 0;
    if (dm().anzahl_Saetze(QStringLiteral("select WLLPOS from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                          "and WLLPOS > 0 and WLLPOS < 1000"),
                           { wk, akid, gewk })
        == 0)
        return 0;
    // Withdrawals made since the last pass are decided first.
    if (!auto_kampf(wk, akid, gewk))
        return 0;

    static const char *const wertungen[] = { "10", "07", "05", "01" };
    const int zeit_max = kampfzeit(wk, akid);
    int anzahl = 0;
    bool tabelle_versucht = false;
    while (max_kaempfe < 0 || anzahl < max_kaempfe) {
        bool fehler = false;
        const auto k = naechster_kampf(wk, akid, gewk, &fehler);
        if (fehler)
            break;
        if (!k) {
            // Once per standstill: a saved table can make the final round pending.
            if (tabelle_versucht || !tabelle_nachtragen(wk, akid, gewk))
                break;
            tabelle_versucht = true;
            continue;
        }
        // Plain modulo keeps the sequence the same on every standard library.
        const bool blau = zufall() % 2 == 0;
        const QString wertung = QString::fromLatin1(wertungen[zufall() % 4]);
        const int sekunden = static_cast<int>(zufall() % static_cast<unsigned>(zeit_max)) + 1;
        const QString zeit = QStringLiteral("%1:%2").arg(sekunden / 60).arg(sekunden % 60, 2, 10, QLatin1Char('0'));
        const int sieger = blau ? k->blau : k->weis;
        const int verlierer = blau ? k->weis : k->blau;
        if (!schreibe_kampf(wk, akid, gewk, false, verlierer, sieger, k->pos, QString(), zeit, wertung))
            break; // shown by the engine; never loop on a bout that cannot be stored
        ++anzahl;
        tabelle_versucht = false;
    }
    return anzahl;
}

int simuliere_turnier(int wk, quint32 seed)
{
    StillerMelder still;
    std::vector<std::pair<QString, QString>> klassen;
    auto q = dm().abfrage(QStringLiteral("select distinct WLAKID, WLGEWK from wk_liste where WLWKNR = ?"), { wk });
    while (q && q->next())
        klassen.emplace_back(q->value(0).toString(), q->value(1).toString());
    // Sorted here, not by the engine's collation, so both engines agree.
    std::sort(klassen.begin(), klassen.end());
    std::mt19937 zufall(seed);
    int anzahl = 0;
    for (const auto &[akid, gewk] : klassen)
        anzahl += simuliere_klasse(wk, akid, gewk, zufall);
    return anzahl;
}

} // namespace obi
