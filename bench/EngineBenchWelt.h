#pragma once
// The plants of the engine benchmark: type 1 and 2 are the hot-water fixture (2 with surplus
// space heating), 3 to 8 the fixture's plants of that type, 6 and 8 with a pool. Shared by
// the benchmark and the step-count driver so both run the same plants.

#include <cstdint>

#include "tests/simulation/SimFixture.h"

namespace tav::bench {

inline test::SimWelt EngineBenchWelt(int typ, int jahre, int zoom) {
  test::SimWelt w;
  auto& p = w.g->plant;
  if (typ <= 2) {
    p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    p.SolHeizung = typ == 2;
  } else {
    test::SetzeAnlage(*w.g, typ, typ == 6 || typ == 8);
  }
  p.ZeitZoom = static_cast<std::uint8_t>(zoom);
  w.g->settings.SimJahre = static_cast<std::uint8_t>(jahre);
  return w;
}

// Steps of one run: five pre-run days and every day of every year.
inline long long EngineBenchSchritte(int jahre, int zoom) { return (5LL + 365LL * jahre) * 24LL * zoom; }

}  // namespace tav::bench
