// A stored result with everything it causes (places, slots, repechage,
// tables, the advancement pass and the durable commit), on both engines.
#include "competition/kampf.h"
#include "competition/listengenerierung.h"
#include "competition/simulation.h"
#include "setup/demo.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "support/testdb.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace obi;

class Stumm final : public Melder
{
public:
    void zeige(const QString &, QChar, const QString &) override {}
    bool frage(const QString &) override { return true; }
};

const QString ak = QStringLiteral("U18m");
const QString gk = QStringLiteral("-60");

struct Umgebung {
    std::unique_ptr<test::TestDatenbank> db;
    bool ok = false;
};

Umgebung oeffnen(Dialekt d, int teilnehmer)
{
    Umgebung u;
    u.db = std::make_unique<test::TestDatenbank>();
    QString fehler;
    if (!u.db->anlegen(d, true, &fehler))
        return u;
    Transaktion t(u.db->dm());
    for (int i = 1; i <= teilnehmer; ++i)
        u.db->dm().Execute_SQL(
            QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STLOS, STSETZ, "
                           "STSORT, STPLTZ, STSTAT) values (1, ?, ?, ?, ?, 'V', ?, 0, 0, '', 0)"),
            { i, ak, gk, QStringLiteral("Name%1").arg(i), i % 17 });
    u.ok = t.commit();
    return u;
}

bool neue_liste(const QString &typ)
{
    dm().Execute_SQL(QStringLiteral("delete from wk_liste"));
    dm().Execute_SQL(QStringLiteral("update starter set STPLTZ = ''"));
    QString t = typ;
    return schreiben_liste(1, ak, gk, t, false);
}

// The lowest pending bout and its fighters.
bool anstehend(int &pos, int &blau, int &weis)
{
    auto q = dm().abfrage(QStringLiteral("select WLLPOS, WLBLAU, WLWEIS from wk_liste where WLWKNR = 1 and "
                                         "WLLPOS < 1000 and WLSTAT = 1 order by WLLPOS"));
    if (!q || !q->next())
        return false;
    pos = q->value(0).toInt();
    blau = q->value(1).toInt();
    weis = q->value(2).toInt();
    return true;
}

void ergebnis_speichern(benchmark::State &state, Dialekt d, const QString &typ, int teilnehmer)
{
    if (d == Dialekt::Postgres && !test::pgKonfiguriert()) {
        state.SkipWithError("PostgreSQL not configured (OBITRACK_TEST_PG_SERVER)");
        return;
    }
    Stumm stumm;
    setze_melder(&stumm);
    Umgebung u = oeffnen(d, teilnehmer);
    if (!u.ok || !neue_liste(typ)) {
        state.SkipWithError("database set-up failed");
        setze_melder(nullptr);
        return;
    }
    for (auto _ : state) {
        int pos = 0, blau = 0, weis = 0;
        state.PauseTiming();
        if (!anstehend(pos, blau, weis)) {
            neue_liste(typ);
            anstehend(pos, blau, weis);
        }
        state.ResumeTiming();
        if (!schreibe_kampf(1, ak, gk, false, weis, blau, pos, QStringLiteral("Bem"), QStringLiteral("2:34"),
                            QStringLiteral("10")))
            state.SkipWithError("result refused");
    }
    setze_melder(nullptr);
}

void BM_Ergebnis_KODT128_SQLite(benchmark::State &s) { ergebnis_speichern(s, Dialekt::SQLite, QStringLiteral("KODT128"), 128); }
void BM_Ergebnis_KODT128_Postgres(benchmark::State &s) { ergebnis_speichern(s, Dialekt::Postgres, QStringLiteral("KODT128"), 128); }
void BM_Ergebnis_JGJ06_SQLite(benchmark::State &s) { ergebnis_speichern(s, Dialekt::SQLite, QStringLiteral("JGJ06"), 6); }
void BM_Ergebnis_JGJ06_Postgres(benchmark::State &s) { ergebnis_speichern(s, Dialekt::Postgres, QStringLiteral("JGJ06"), 6); }

// A 1000-participant demo tournament, drawn lists, then every bout played.
void simulieren(benchmark::State &state, Dialekt d)
{
    if (d == Dialekt::Postgres && !test::pgKonfiguriert()) {
        state.SkipWithError("PostgreSQL not configured (OBITRACK_TEST_PG_SERVER)");
        return;
    }
    Stumm stumm;
    setze_melder(&stumm);
    int kaempfe = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Umgebung u = oeffnen(d, 0);
        DemoVorgaben v;
        v.teilnehmer = 1000;
        v.seed = 7;
        const std::optional<int> wk = u.ok ? demo_anlegen(v) : std::nullopt;
        if (!wk) {
            state.SkipWithError("demo failed");
            break;
        }
        auto q = dm().abfrage(QStringLiteral("select GKAKID, GKGEWK from gew_klassen where GKWKNR = ?"), { *wk });
        std::vector<std::pair<QString, QString>> klassen;
        while (q && q->next())
            klassen.emplace_back(q->value(0).toString(), q->value(1).toString());
        for (const auto &[a, g] : klassen) {
            QString typ;
            if (calc_anzahl(*wk, a, g) > 0)
                schreiben_liste(*wk, a, g, typ, false);
        }
        state.ResumeTiming();
        kaempfe = simuliere_turnier(*wk, 7);
    }
    state.counters["bouts"] = kaempfe;
    setze_melder(nullptr);
}

void BM_Simulieren_1000_SQLite(benchmark::State &s) { simulieren(s, Dialekt::SQLite); }
void BM_Simulieren_1000_Postgres(benchmark::State &s) { simulieren(s, Dialekt::Postgres); }

} // namespace

BENCHMARK(BM_Simulieren_1000_SQLite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Simulieren_1000_Postgres)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Ergebnis_KODT128_SQLite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ergebnis_KODT128_Postgres)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ergebnis_JGJ06_SQLite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ergebnis_JGJ06_Postgres)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
