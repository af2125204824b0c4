// Message composition is on every warning path; this keeps an eye on its cost.
#include <benchmark/benchmark.h>

#include "foundation/Messages.h"

static void BM_SplitMessageLines(benchmark::State& state) {
  const std::string msg = "Der Wasserdurchfluss eines Zeitschrittes|ist zu groß.\r\nBitte prüfen.";
  for (auto _ : state) benchmark::DoNotOptimize(tav::SplitMessageLines(msg));
}
BENCHMARK(BM_SplitMessageLines);
