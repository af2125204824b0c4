// The project wizard's sizing with the real engine on the clear-sky fixture: the standard
// hot-water case (first guess, 95 % rule, design run) and a heating-support case (the loop
// adding modules up to the enlargement factor).
#include <benchmark/benchmark.h>

#include <cmath>

#include "planning/AssistentDim.h"
#include "tests/simulation/SimFixture.h"

namespace {

using namespace tav;

void Vorbereiten(TavState& g) {
  for (int m = 1; m <= 12; ++m) g.loc.EinstrahlungMonat[m] = 1.0 + 3.5 * std::sin(3.14159 * (m - 0.5) / 12.0);
  g.plant.KollModulFlaeche = 2.0f;
  g.plant.Warmwasserverbrauch = 8000.0f;
}

void BM_SizingHotWater(benchmark::State& state) {
  test::SimWelt w;
  Vorbereiten(*w.g);
  const TavState start = *w.g;
  const StillerLauf lauf = EchterStillerLauf();
  for (auto _ : state) {
    w.g->plant = start.plant;
    AssistentDim d;
    benchmark::DoNotOptimize(SizeHotWaterSystem(*w.g, d, false, lauf));
  }
}
BENCHMARK(BM_SizingHotWater)->Unit(benchmark::kMillisecond);

void BM_SizingHeatingSupport(benchmark::State& state) {
  test::SimWelt w;
  Vorbereiten(*w.g);
  const TavState start = *w.g;
  const StillerLauf lauf = EchterStillerLauf();
  int laeufe = 0;
  for (auto _ : state) {
    w.g->plant = start.plant;
    AssistentDim d;
    SizeHotWaterSystem(*w.g, d, true, lauf);
    PrepareSolarHeating(*w.g, d, 6, 12000.0f, 15.0f);
    benchmark::DoNotOptimize(SizeHeatingSupport(*w.g, d, lauf));
    laeufe = d.Laeufe;
  }
  state.counters["runs"] = laeufe;
}
BENCHMARK(BM_SizingHeatingSupport)->Unit(benchmark::kMillisecond);

}  // namespace
