// Annual simulation of the standard project "Standard-Solaranlage" as the program loads it: a
// data folder made here (built-in catalogues, the standard project at Freiburg, weather
// synthesised once and stored), loaded through the catalogue and project readers. Measures
// the year loop over one and three weather years; reports simulated steps per second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "catalogues/KatalogDiensteSim.h"
#include "foundation/TavVar.h"
#include "simulation/SimContext.h"
#include "simulation/SimRun.h"

namespace {

// A fresh data folder for the benchmark's lifetime.
struct Datenordner {
  std::filesystem::path pfad;
  Datenordner() {
    const auto stempel = std::chrono::steady_clock::now().time_since_epoch().count();
    pfad = std::filesystem::temp_directory_path() / ("tav_project_bench_" + std::to_string(stempel));
    std::filesystem::create_directories(pfad);
  }
  ~Datenordner() {
    std::error_code ec;
    std::filesystem::remove_all(pfad, ec);
  }
};

void BM_Standardprojekt(benchmark::State& state) {
  const int jahre = static_cast<int>(state.range(0));
  Datenordner ordner;
  auto g = std::make_unique<tav::TavState>();
  tav::TavsimOptionen opt;
  opt.datenDir = ordner.pfad.string();
  opt.jahre = jahre;
  opt.wetterSpeichern = true;
  tav::TavsimErgebnis erg;
  if (!tav::TavsimLauf(*g, opt, erg)) {
    state.SkipWithError(erg.fehler.c_str());
    return;
  }
  long long schritte = 0;
  for (auto _ : state) {
    tav::SimState s;
    const auto ergebnis = tav::RunSimulation(*g, s, tav::StillerBeobachter());
    benchmark::DoNotOptimize(ergebnis);
    benchmark::DoNotOptimize(g->results.SolarertragMonat[13]);
    schritte += (5LL + 365LL * jahre) * 24LL * g->plant.ZeitZoom;
  }
  state.counters["steps_per_s"] =
      benchmark::Counter(static_cast<double>(schritte), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Standardprojekt)->ArgNames({"years"})->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
