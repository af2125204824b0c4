// Catalogue look-ups and loads at their bounds: a name that is not in a full location list of
// 600 entries with 6000-character names (the nearest-name search), and a catalogue file of
// nothing but line ends just below the size bound.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/TavVar.h"

namespace {

std::string LangerName(int i) {
  std::string n = "Ort " + std::to_string(i * 7919 % 1000) + " ";
  n.resize(6000, 'x');
  return n;
}

void BM_FindOrtNrLangeNamen600(benchmark::State& state) {
  auto s = std::make_unique<tav::TavState>();
  for (int i = 1; i <= tav::kMaxOrte; ++i) s->cat.Orte[i].Name = LangerName(i);
  s->cat.OrtAnzahl = tav::kMaxOrte;
  const std::string gesucht = "Ort 500 " + std::string(6000, 'y');
  for (auto _ : state) benchmark::DoNotOptimize(tav::FindOrtNr(*s, gesucht, false));
}
BENCHMARK(BM_FindOrtNrLangeNamen600)->Unit(benchmark::kMillisecond);

void BM_FindKollektorLangeNamen600(benchmark::State& state) {
  auto s = std::make_unique<tav::TavState>();
  for (int i = 1; i <= tav::kMaxKollektoren; ++i) s->cat.Kollektoren[i].Name = LangerName(i);
  s->cat.KollektorAnzahl = tav::kMaxKollektoren;
  const std::string gesucht = "Ort 500 " + std::string(6000, 'y');
  std::uint16_t d = 0;
  for (auto _ : state) benchmark::DoNotOptimize(tav::FindKollektor(s->cat, gesucht, d));
}
BENCHMARK(BM_FindKollektorLangeNamen600)->Unit(benchmark::kMillisecond);

// 30 MB of line ends through the INI class, as a catalogue or project file is loaded.
void BM_LoadZeilenenden30MB(benchmark::State& state) {
  const auto stempel = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path datei =
      std::filesystem::temp_directory_path() / ("tav_katalog_bench_" + std::to_string(stempel));
  {
    std::ofstream out(datei, std::ios::binary);
    const std::string block(1 << 20, '\n');
    for (int mb = 0; mb < 30; ++mb) out << block;
  }
  for (auto _ : state) {
    tav::TBigIniFile ini;
    ini.LoadFile(datei.string(), tav::kMaxKatalogBytes);
    benchmark::DoNotOptimize(ini.SectionCount());
  }
  std::filesystem::remove(datei);
}
BENCHMARK(BM_LoadZeilenenden30MB)->Unit(benchmark::kMillisecond);

}  // namespace
