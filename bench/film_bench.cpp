// The oil film: one case per call, from its texts to every figure, at the standard grid
// (the eccentricity found for the load, a field solved for each ε tried), for a short, a
// square and a long bearing; and the design chart's curve for one L/d.

#include "oilfilm.h"

#include <benchmark/benchmark.h>

namespace bearing {
namespace {

// 10 kN at 1500 rpm on d = 80 mm, Δ = 120 µm, µ = 0.02 Pa·s; L as given.
void solveOilFilmPerCall(benchmark::State& benchState, const char* length)
{
    const FilmTexts texts{"10000", "1500", "80", length, "120", "0.02", {}, {}, {}};
    OilFilm film;
    for (auto _ : benchState) {
        film = solveOilFilm(texts);
        benchmark::DoNotOptimize(film);
        benchmark::ClobberMemory();
    }
    if (!film.solved) {
        benchState.SkipWithError("the case was not solved");
    }
    benchState.counters["eccentricity"] = film.eccentricity;
}
BENCHMARK_CAPTURE(solveOilFilmPerCall, quarterLength, "20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveOilFilmPerCall, squareBearing, "80")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveOilFilmPerCall, fourDiameters, "320")->Unit(benchmark::kMillisecond);

void filmDesignCurvePerCall(benchmark::State& benchState)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(filmDesignCurve(1.0));
    }
}
BENCHMARK(filmDesignCurvePerCall)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bearing

BENCHMARK_MAIN();
