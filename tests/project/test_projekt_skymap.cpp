// Horizon grid text codec: the documented examples, a random round trip including texts
// far beyond 255 characters, and foreign texts that must decode without harm.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "project/ProjektSkyMap.h"

namespace tav {
namespace {

SkyMapGrid Empty() {
  SkyMapGrid g{};
  return g;
}

TEST(ProjektSkyMap, DocumentedExamples) {
  SkyMapGrid g = Empty();
  EXPECT_EQ(EncodeSkyMap(g), std::string(18, 'w'));

  // Row 1: the first 10 cells shaded -> slash (no open cells), nine (10), m (62).
  for (int a = 1; a <= 10; ++a) g[SkyMapIndex(a, 1)] = 1;
  EXPECT_EQ(EncodeSkyMap(g), std::string("/9m") + std::string(17, 'w'));

  // A fully shaded row is "/" followed by w; a row ending in shade has a final run of 1s.
  SkyMapGrid full = Empty();
  for (int a = 1; a <= 72; ++a) full[SkyMapIndex(a, 18)] = 1;
  full[SkyMapIndex(72, 2)] = 1;
  EXPECT_EQ(EncodeSkyMap(full), "w" + std::string("v0") + std::string(15, 'w') + "/w");
}

TEST(ProjektSkyMap, CellIndexFollowsColumnMajorLayout) {
  EXPECT_EQ(SkyMapIndex(1, 1), 0u);
  EXPECT_EQ(SkyMapIndex(1, 18), 17u);
  EXPECT_EQ(SkyMapIndex(2, 1), 18u);
  EXPECT_EQ(SkyMapIndex(72, 18), SkyMapZellen - 1);
}

TEST(ProjektSkyMap, RandomGridsRoundTripWhateverTheTextLength) {
  std::mt19937 rng(20261210);
  std::size_t longest = 0;
  for (int round = 0; round < 200; ++round) {
    // From sparse shading to a checkerboard-like grid with the longest possible text.
    std::bernoulli_distribution shaded(round / 200.0);
    SkyMapGrid g{};
    for (auto& c : g) c = shaded(rng) ? 1 : 0;
    if (round == 199) {
      for (int a = 1; a <= 72; ++a)
        for (int h = 1; h <= 18; ++h) g[SkyMapIndex(a, h)] = static_cast<std::uint8_t>(a % 2);
    }
    const std::string text = EncodeSkyMap(g);
    longest = std::max(longest, text.size());
    SkyMapGrid back;
    back.fill(7);
    DecodeSkyMap(text, back);
    ASSERT_EQ(back, g) << "round " << round << " text " << text;
  }
  EXPECT_EQ(longest, 18u * 73u);  // every row alternating from a shaded first cell
}

TEST(ProjektSkyMap, ForeignTextsDecodeWithoutHarm) {
  struct Case {
    const char* name;
    std::string text;
    int shadedInRow1;  // cells of row 1 that come out shaded
  };
  const Case cases[] = {
      {"empty text: every row open", "", 0},
      {"zero run inside a row only flips", "0/0u" + std::string(17, 'w'), 70},
      {"run longer than the row", "/~" + std::string(17, 'w'), 72},
      {"text ends inside a row: rest keeps the flipped value", "3", 68},
      {"characters below the slash count by distance", ".v" + std::string(17, 'w'), 71},
  };
  for (const auto& c : cases) {
    SkyMapGrid g;
    g.fill(9);
    DecodeSkyMap(c.text, g);
    int shaded = 0;
    for (int a = 1; a <= 72; ++a) shaded += g[SkyMapIndex(a, 1)];
    EXPECT_EQ(shaded, c.shadedInRow1) << c.name;
    for (auto cell : g) ASSERT_LE(cell, 1) << c.name;
  }
}

}  // namespace
}  // namespace tav
