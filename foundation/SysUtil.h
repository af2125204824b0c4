#pragma once
// Small system helpers without a window system: path joining, version texts, text markup
// for raised and lowered characters, the grey value of a colour and the nearest font name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// The program's own version, fixed at build time.
inline constexpr std::uint16_t kVersionMajor = 3;
inline constexpr std::uint16_t kVersionMinor = 0;
inline constexpr std::uint16_t kVersionRelease = 0;
inline constexpr std::uint16_t kVersionBuild = 0;

// The program's version numbers; "3.0.0.0"; "3.0".
void FileVersionNumbers(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                        std::uint16_t& build);
std::string FileVersionStr();
std::string FileVersionShort();
// Major.minor of a version text ("3.0.1.5" -> 3.0); 888.8 when that is no number.
double VersionStrToFloat(std::string_view version);

// Gives an existing file the modification date D (a day serial in local time, as FileDateOf
// reads it). False when the file is missing or the date cannot be set.
bool SetFileDateOf(const std::string& fileName, double d);

// A and B joined by exactly one "/"; an empty side gives the other part.
std::string JoinPath(std::string_view a, std::string_view b);
std::string RemoveDots(std::string_view s);
// Every blank as "%20" (for links handed to the desktop).
std::string BlanksToPercent20(std::string_view s);

// Grey value of a colour: 0.3 R + 0.59 G + 0.11 B, to the nearest whole number.
std::uint8_t GreyValue(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// One piece of a text with markup: "{/x}" writes x raised and smaller, "{\x}" lowered and
// smaller; an unclosed "{" runs to the end of the text.
struct IndexedSegment {
  enum Lage : std::uint8_t { Normal, Hoch, Tief };
  std::string text;
  Lage lage = Normal;
  friend bool operator==(const IndexedSegment&, const IndexedSegment&) = default;
};
std::vector<IndexedSegment> SplitIndexedText(std::string_view text);

// Name itself when Installed holds it exactly, else the installed name with the smallest
// string distance (the first of equals); Name when nothing is installed.
std::string PickNearestFont(const std::string& name, const std::vector<std::string>& installed);

}  // namespace tav
