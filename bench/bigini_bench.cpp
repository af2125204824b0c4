// The INI class on the program's largest files: a catalogue of 600 sections and a language
// file whose one section holds 747 keys, read key by key in file order.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"

namespace {

std::vector<std::string> Catalogue() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 600; ++i) {
    lines.push_back("[Ort " + std::to_string(i) + "]");
    lines.push_back("Name=Ortschaft Nr. " + std::to_string(i) + " an der Mühle");
    lines.push_back("Breite=" + tav::IniFloatToStr(47 + i * 0.01));
    lines.push_back("Laenge=" + tav::IniFloatToStr(6 + i * 0.013));
    for (int m = 1; m <= 12; ++m) lines.push_back("G" + std::to_string(m) + "=" + tav::IniFloatToStr(m * 12.5));
  }
  return lines;
}

std::vector<std::string> LanguageFile() {
  std::vector<std::string> lines{"[Tavrel]"};
  for (int k = 0; k < 747; ++k) lines.push_back("FormText" + std::to_string(k) + "=Übersetzter Text " + std::to_string(k));
  return lines;
}

void BM_ReadCatalogueSections(benchmark::State& state) {
  tav::TBigIniFile ini;
  ini.LoadFromStrings(Catalogue());
  for (auto _ : state)
    for (int i = 1; i <= 600; ++i) {
      const std::string s = "Ort " + std::to_string(i);
      benchmark::DoNotOptimize(ini.ReadString(s, "Name", ""));
      benchmark::DoNotOptimize(ini.ReadFloat(s, "G12", 0));
    }
}
BENCHMARK(BM_ReadCatalogueSections);

void BM_ReadLanguageKeys(benchmark::State& state) {
  tav::TBigIniFile ini;
  ini.LoadFromStrings(LanguageFile());
  for (auto _ : state)
    for (int k = 0; k < 747; ++k) benchmark::DoNotOptimize(ini.ReadString("Tavrel", "formtext" + std::to_string(k), ""));
}
BENCHMARK(BM_ReadLanguageKeys);

void BM_LoadAndFlushCatalogue(benchmark::State& state) {
  const auto file = std::filesystem::temp_directory_path() / "tav_bigini_bench.dat";
  {
    tav::TBigIniFile ini(file.string());
    ini.LoadFromStrings(Catalogue());
    ini.WriteString("Ort 1", "Name", "x");
  }
  for (auto _ : state) {
    tav::TBigIniFile ini(file.string());
    ini.WriteString("Ort 1", "Name", state.iterations() % 2 ? "a" : "b");
    benchmark::DoNotOptimize(ini.UpdateFile());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadAndFlushCatalogue);

}  // namespace
