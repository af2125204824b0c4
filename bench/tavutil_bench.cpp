// Catalogue-sized workloads of the text helpers: sorting and nearest-name search over
// 600 collector names.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "foundation/TavUtil.h"

namespace {

std::vector<std::string> Namen(std::size_t n) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < n; ++i)
    out.push_back("Kollektor " + std::to_string((i * 7919) % 1000) + " Fl\u00E4che");
  return out;
}

void BM_SortListByText600(benchmark::State& state) {
  const std::vector<std::string> namen = Namen(600);
  for (auto _ : state) {
    std::vector<std::string> list = namen;
    tav::SortListByText(list, static_cast<std::int32_t>(list.size()), 'S');
    benchmark::DoNotOptimize(list.data());
  }
}
BENCHMARK(BM_SortListByText600);

void BM_FindClosestString600(benchmark::State& state) {
  const std::vector<std::string> namen = Namen(600);
  for (auto _ : state) benchmark::DoNotOptimize(tav::FindClosestString("Kollektor 500 Flache", namen));
}
BENCHMARK(BM_FindClosestString600);

}  // namespace
