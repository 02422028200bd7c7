#include "core/basis.h"

#include <benchmark/benchmark.h>

static void BM_DatumZuZahl(benchmark::State &state)
{
    const QString text = QStringLiteral("29.02.2024");
    for (auto _ : state)
        benchmark::DoNotOptimize(obi::datum_zu_zahl(text));
}
BENCHMARK(BM_DatumZuZahl);

static void BM_NameSchreibweise(benchmark::State &state)
{
    const QString text = QStringLiteral("MÜLLER-LÜDENSCHEIDT");
    for (auto _ : state)
        benchmark::DoNotOptimize(obi::name_schreibweise(text));
}
BENCHMARK(BM_NameSchreibweise);

BENCHMARK_MAIN();
