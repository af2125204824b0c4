// stepcount: one run of a benchmark workload, for instruction counts under callgrind
// (bench/callgrind_steps.sh) and for comparing the engine's monthly results across changes.
//
//   stepcount engine TYPE YEARS ZOOM   one annual simulation of the engine benchmark's plant;
//                                      prints the steps and the thirteen monthly arrays
//   stepcount weather                  one three-year weather synthesis of the weather benchmark
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/EngineBenchWelt.h"
#include "bench/WeatherBenchLage.h"
#include "simulation/SimRun.h"

namespace {

int Engine(int typ, int jahre, int zoom) {
  tav::test::SimWelt w = tav::bench::EngineBenchWelt(typ, jahre, zoom);
  if (tav::RunSimulation(*w.g, *w.s, tav::StillerBeobachter()) != tav::SimErgebnis::Fertig) {
    std::fprintf(stderr, "stepcount: the run did not finish\n");
    return 1;
  }
  std::printf("# steps %lld\n", tav::bench::EngineBenchSchritte(jahre, zoom));
  auto& r = w.g->results;
  for (int k = 1; k <= tav::kMonatswerteAnzahl; ++k) {
    const auto& a = r.SimMonatswerte(k);
    std::printf("%d", k);
    for (int m = 1; m <= 13; ++m) std::printf("\t%.9g", static_cast<double>(a[static_cast<std::size_t>(m)]));
    std::printf("\n");
  }
  return 0;
}

int Wetter() {
  tav::bench::Lage l;
  l.Serie();
  std::printf("# first hour %.9g\n", static_cast<double>(l.s->Werte[0]));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string was = argc > 1 ? argv[1] : "";
  if (was == "engine" && argc == 5) return Engine(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  if (was == "weather" && argc == 2) return Wetter();
  std::fprintf(stderr, "usage: stepcount engine TYPE YEARS ZOOM | stepcount weather\n");
  return 2;
}
