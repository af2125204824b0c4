// Speed of the term evaluator and of reading a complete language file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/StrSolver.h"
#include "foundation/TextTable.h"

namespace {

void BM_StrSolver(benchmark::State& state) {
  tav::TStrSolver solver;
  for (auto _ : state) {
    solver.SetTermString("2 * (2,5 + 3,5) - 17,25 / (1 + 2 * 3,5)");
    benchmark::DoNotOptimize(solver.Ergebnis());
  }
}
BENCHMARK(BM_StrSolver);

void BM_LoadTexts(benchmark::State& state) {
  const auto file = std::filesystem::temp_directory_path() / "tavrel_bench_english.dat";
  {
    std::ofstream out(file, std::ios::binary);
    out << "[Tavrel]\r\n";
    for (std::size_t i = 0; i < tav::kTextCount; ++i) {
      const tav::TextDefault& d = tav::TextDefaultOf(static_cast<tav::TX>(i));
      out << d.key << "=Text " << i << "\r\n";
    }
  }
  tav::TTextTable table;
  for (auto _ : state) benchmark::DoNotOptimize(table.LoadTexts(file));
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadTexts);

}  // namespace
