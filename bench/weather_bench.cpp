// Cost of the weather synthesis as the program pays it: the bridge's three years (modes 1,
// 2 and 3 with the monthly sums between them) through the shared library, and each export
// on its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "location/KlimaTabellen.h"
#include "tests/weatherlib/KlimaTestOrte.h"
#include "weatherlib/include/Klimgen1_1.h"

namespace {

namespace kt = tav::klimgen::test;

struct Lage {
  TKlimOrt ort = kt::KlimOrt(kt::Ort("Freiburg"));  // one of the program's built-in locations
  std::unique_ptr<TKlimStunden> s = std::make_unique<TKlimStunden>();
  std::unique_ptr<TKlimTage> t = std::make_unique<TKlimTage>();
  std::unique_ptr<TKlimMonate> m = std::make_unique<TKlimMonate>();
  std::vector<float> reihen = std::vector<float>(3 * KLIM_STUNDEN);
  float vorjahre[12] = {};
  const tav::KlimaTabellen& tab = tav::ProgrammKlimaTabellen();

  uint8_t Jahr(uint8_t mode) {
    return KlimgenSimYears(mode, mode > 1, &ort, tab.KlimaZonen.data(), tab.TempZonen.data(), tab.TruebungsZonen.data(),
                           vorjahre, s.get(), t.get(), m.get());
  }
  void Messen() {
    kt::StoreReihen(*s, reihen.data());
    float summen[12];
    CalcMonatssummen(&ort, reihen.data(), summen);
    for (int i = 0; i < 12; ++i) vorjahre[i] += summen[i];
  }
  void Serie() {
    std::fill(std::begin(vorjahre), std::end(vorjahre), 0.0f);
    for (uint8_t mode = 1; mode <= 3; ++mode) {
      if (mode > 1) Messen();
      if (Jahr(mode) != 0) return;
    }
  }
};

void BM_BridgeSequence(benchmark::State& state) {
  Lage l;
  for (auto _ : state) {
    l.Serie();
    benchmark::DoNotOptimize(l.s->Werte[0]);
  }
}
BENCHMARK(BM_BridgeSequence)->Unit(benchmark::kMillisecond);

void BM_KlimgenSimYears(benchmark::State& state) {
  Lage l;
  const auto mode = static_cast<uint8_t>(state.range(0));
  l.Serie();
  for (auto _ : state) benchmark::DoNotOptimize(l.Jahr(mode));
}
BENCHMARK(BM_KlimgenSimYears)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_KlimgenSimulation(benchmark::State& state) {
  Lage l;
  for (int i = 0; i < 12; ++i) l.ort.MonatsSumme[i] /= 30.0f;
  for (auto _ : state)
    benchmark::DoNotOptimize(KlimgenSimulation(1, &l.ort, l.tab.KlimaZonen.data(), l.tab.TempZonen.data(),
                                               l.tab.TruebungsZonen.data(), l.s.get(), l.t.get(), l.m.get()));
}
BENCHMARK(BM_KlimgenSimulation)->Unit(benchmark::kMillisecond);

// The single operations, on the blocks of a finished first year.
void BM_Einzeln(benchmark::State& state) {
  Lage l;
  l.Jahr(1);
  const uint8_t zone = TurbidZone(l.ort.Breite, l.ort.Laenge);
  uint8_t status = 0;
  const float hoehe = static_cast<float>(l.ort.Hoehe);
  for (auto _ : state) {
    switch (state.range(0)) {
      case 0: benchmark::DoNotOptimize(TurbidZone(l.ort.Breite, l.ort.Laenge)); break;
      case 1: Sun_Position_DIN(l.s.get(), l.ort.Breite, l.ort.Laenge, l.ort.Zeitzone); break;
      case 2: E_ex_hour_day_month(l.s.get(), l.t.get(), l.m.get()); break;
      case 3: Clearness_m_Check(l.m.get(), &status, l.ort.Breite, hoehe); break;
      case 4: Clearness_max(&l.tab.TruebungsZonen[zone], l.s.get(), l.t.get(), hoehe); break;
      case 5: kd_Generator(0, l.m.get(), l.t.get(), l.ort.Breite, l.ort.Laenge); break;
      case 6: kh_Generator(l.s.get(), l.t.get()); break;
      case 7: Diffus_Direkt_Anteil(zone, l.s.get(), l.ort.Breite); break;
      case 8:
        Temp_Addition(&l.ort, l.tab.KlimaZonen.data(), l.tab.TempZonen.data(), l.s.get(), l.t.get(), l.m.get());
        break;
      case 9: benchmark::DoNotOptimize(FindBestYear(l.t.get(), l.m.get())); break;
      case 10: l.Messen(); break;
    }
    benchmark::ClobberMemory();
  }
  static const char* const namen[] = {"TurbidZone",    "Sun_Position_DIN", "E_ex_hour_day_month", "Clearness_m_Check",
                                      "Clearness_max", "kd_Generator",     "kh_Generator",        "Diffus_Direkt_Anteil",
                                      "Temp_Addition", "FindBestYear",     "CalcMonatssummen"};
  state.SetLabel(namen[state.range(0)]);
}
BENCHMARK(BM_Einzeln)->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

// The hourly generator on the kept fuzz input whose every day is matched only at the widest
// tolerance (fuzz/regressions/fuzz_klimgen/hourly-draws-beyond-every-day): bounded by its
// draws per call, against the same call on a real year in BM_Einzeln/6.
void BM_KhGeneratorSchwersterFall(benchmark::State& state) {
  auto s = std::make_unique<TKlimStunden>();
  auto t = std::make_unique<TKlimTage>();
  for (auto _ : state) {
    std::fill(std::begin(s->Werte), std::end(s->Werte), 25.75f);
    std::fill(std::begin(t->Werte), std::end(t->Werte), 0.75f);
    benchmark::DoNotOptimize(kh_Generator(s.get(), t.get()));
  }
}
BENCHMARK(BM_KhGeneratorSchwersterFall)->Unit(benchmark::kMillisecond);

}  // namespace
