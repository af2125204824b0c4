#include "project/ProjektSkyMap.h"

#include <cstdlib>

namespace tav {

namespace {
constexpr int RunBase = 47;  // character code of a run of length 0
}  // namespace

std::string EncodeSkyMap(const SkyMapGrid& grid) {
  std::string text;
  text.reserve(SkyMapZeilen * 4);
  for (int h = 1; h <= SkyMapZeilen; ++h) {
    int value = 0;
    int run = 0;
    for (int a = 1; a <= SkyMapSpalten; ++a) {
      const int cell = grid[SkyMapIndex(a, h)] != 0 ? 1 : 0;
      if (cell == value) {
        ++run;
      } else {
        text += static_cast<char>(RunBase + run);
        run = 1;
        value = 1 - value;
      }
    }
    text += static_cast<char>(RunBase + run);
  }
  return text;
}

void DecodeSkyMap(const std::string& text, SkyMapGrid& grid) {
  // Position and run are plain ints: a detailed horizon is longer than 255 characters,
  // and a foreign text must not make the run counter wrap.
  const int length = static_cast<int>(text.size());
  int position = 0;  // 1-based index of the character read last
  // Length of the run at the next position; past the end of the text the rest of the
  // row takes the current value.
  auto nextRun = [&]() {
    ++position;
    if (position > length) return SkyMapSpalten;
    return std::abs(static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)]) -
                    RunBase);
  };
  for (int h = 1; h <= SkyMapZeilen; ++h) {
    int run = nextRun();
    int value = 0;
    for (int a = 1; a <= SkyMapSpalten; ++a) {
      while (run == 0) {
        run = nextRun();
        value = 1 - value;
      }
      grid[SkyMapIndex(a, h)] = static_cast<std::uint8_t>(value);
      --run;
    }
  }
}

}  // namespace tav
