#pragma once
// Text form of the horizon grid as stored under "SkyMap" in a project section.
//
// The grid has 72 azimuth columns a = 1..72 and 18 elevation rows h = 1..18; cell [a, h]
// is byte (a - 1) * 18 + (h - 1), each 0 (open sky) or 1 (shaded). Every row is written
// as alternating run lengths of 0 and 1 cells, beginning with a run of 0 cells; a run of
// n cells is the character with code 47 + n ("/" = 0, "0" = 1, "w" = 72).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tav {

inline constexpr int SkyMapSpalten = 72;  // azimuth columns
inline constexpr int SkyMapZeilen = 18;   // elevation rows
inline constexpr std::size_t SkyMapZellen = SkyMapSpalten * SkyMapZeilen;

using SkyMapGrid = std::array<std::uint8_t, SkyMapZellen>;

// Index of cell [a, h] (both 1-based) in the grid.
constexpr std::size_t SkyMapIndex(int a, int h) {
  return static_cast<std::size_t>((a - 1) * SkyMapZeilen + (h - 1));
}

// Grid to text: at most 18 * 73 characters. Cells other than 0 count as 1.
std::string EncodeSkyMap(const SkyMapGrid& grid);

// Text to grid. Reads every text EncodeSkyMap writes, whatever its length, and never
// fails on foreign text: a zero-length run inside a row only switches the cell value,
// a row cut short by the end of the text is filled with the current value.
void DecodeSkyMap(const std::string& text, SkyMapGrid& grid);

}  // namespace tav
