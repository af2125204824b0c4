// stepcount: one run of a benchmark workload, for instruction counts under callgrind
// (bench/callgrind_steps.sh) and for comparing the engine's monthly results across changes.
//
//   stepcount engine TYPE YEARS ZOOM   one annual simulation of the engine benchmark's plant;
//                                      prints the steps and the thirteen monthly arrays
//   stepcount weather [SEED]           the bridge's three-year weather synthesis for Freiburg
//                                      on the library core with a fixed seed (default the
//                                      tests' seed), so that counts repeat from run to run;
//                                      prints the monthly sums of each year
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/EngineBenchWelt.h"
#include "simulation/SimRun.h"
#include "tests/weatherlib/KlimaTestOrte.h"

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

int Wetter(std::uint32_t seed) {
  namespace kt = tav::klimgen::test;
  const auto jahre = kt::BridgeSerie(kt::KlimOrt(kt::Ort("Freiburg")), seed);
  std::printf("# years %zu code %d\n", jahre.size(), static_cast<int>(jahre.back().code));
  // Per year and month the sums of direct normal and diffuse irradiance (kWh/m²) and the mean
  // temperature.
  for (const auto& j : jahre) {
    for (int m = 1; m <= 12; ++m) {
      std::printf("%d\t%.9g\t%.9g\t%.9g\n", m, j.MonatsSumme(KLIM_K_DNI, m), j.MonatsSumme(KLIM_K_DIFFUS, m),
                  j.MonatsMittel(KLIM_K_TEMP, m));
    }
  }
  return jahre.back().code == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string was = argc > 1 ? argv[1] : "";
  if (was == "engine" && argc == 5) return Engine(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  if (was == "weather" && argc <= 3) {
    return Wetter(argc == 3 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 20240611u);
  }
  std::fprintf(stderr, "usage: stepcount engine TYPE YEARS ZOOM | stepcount weather [SEED]\n");
  return 2;
}
