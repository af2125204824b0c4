// Annual simulation speed: one plant of each type 1 to 8 (the combi store and the buffer with
// fresh-water station with space heating and a pool) over one and three weather years at 5 and
// 15 steps per hour on a fixed clear-sky weather fixture; reports simulated steps per second.
#include <benchmark/benchmark.h>

#include "bench/EngineBenchWelt.h"
#include "simulation/SimRun.h"

namespace {

void BM_Jahressimulation(benchmark::State& state) {
  const int typ = static_cast<int>(state.range(0));
  const int jahre = static_cast<int>(state.range(1));
  const int zoom = static_cast<int>(state.range(2));
  tav::test::SimWelt w = tav::bench::EngineBenchWelt(typ, jahre, zoom);
  long long schritte = 0;
  for (auto _ : state) {
    const auto ergebnis = tav::RunSimulation(*w.g, *w.s, tav::StillerBeobachter());
    if (ergebnis != tav::SimErgebnis::Fertig) state.SkipWithError("the run did not finish");
    benchmark::DoNotOptimize(w.g->results.SolarertragMonat[13]);
    schritte += tav::bench::EngineBenchSchritte(jahre, zoom);
  }
  state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Jahressimulation)
    ->ArgNames({"type", "years", "zoom"})
    ->ArgsProduct({{1, 2, 3, 4, 5, 6, 7, 8}, {1, 3}, {5, 15}})
    ->Unit(benchmark::kMillisecond);
