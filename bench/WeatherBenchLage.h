#pragma once
// The weather benchmark's location and the bridge's three-year sequence (modes 1, 2 and 3
// with the monthly sums of the previous years between them). Shared by the benchmark and the
// step-count driver.

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "catalogues/KlimaTabellen.h"
#include "tests/weatherlib/KlimaTestOrte.h"
#include "weatherlib/include/Klimgen1_1.h"

namespace tav::bench {

namespace kt = tav::klimgen::test;

// A built-in location with the blocks and the previous years' monthly sums of the sequence.
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

}  // namespace tav::bench
