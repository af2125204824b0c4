#include "foundation/SysUtil.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>

#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"

namespace tav {

void FileVersionNumbers(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                        std::uint16_t& build) {
  major = kVersionMajor;
  minor = kVersionMinor;
  release = kVersionRelease;
  build = kVersionBuild;
}

std::string FileVersionStr() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRelease) + "." + std::to_string(kVersionBuild);
}

std::string FileVersionShort() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

double VersionStrToFloat(std::string_view version) {
  constexpr double kKeineVersion = 888.8;
  const std::size_t dot1 = version.find('.');
  const std::string_view major = version.substr(0, dot1);
  std::string_view minor;
  if (dot1 != std::string_view::npos) {
    minor = version.substr(dot1 + 1);
    minor = minor.substr(0, minor.find('.'));
  }
  const auto allDigits = [](std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  };
  if (!allDigits(major) || (dot1 != std::string_view::npos && !allDigits(minor))) {
    return kKeineVersion;
  }
  const std::string text = std::string(major) + (minor.empty() ? "" : "." + std::string(minor));
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return kKeineVersion;
  return value;
}

bool SetFileDateOf(const std::string& fileName, double d) {
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0) return false;
  std::int32_t year = 0, month = 0, day = 0;
  DecodeDate(d, year, month, day);
  double seconds = (d - std::floor(d)) * 86400.0;
  std::tm lt{};
  lt.tm_year = year - 1900;
  lt.tm_mon = month - 1;
  lt.tm_mday = day;
  lt.tm_hour = 0;
  lt.tm_min = 0;
  lt.tm_sec = static_cast<int>(std::floor(seconds));
  lt.tm_isdst = -1;  // the local rules of that day
  const std::time_t t = std::mktime(&lt);
  if (t == static_cast<std::time_t>(-1)) return false;
  timespec times[2];
  times[0] = st.st_atim;  // the access time stays
  times[1].tv_sec = t;
  times[1].tv_nsec = static_cast<long>((seconds - std::floor(seconds)) * 1e9);
  return ::utimensat(AT_FDCWD, fileName.c_str(), times, 0) == 0;
}

std::string JoinPath(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  const bool aSlash = a.back() == '/';
  const bool bSlash = b.front() == '/';
  if (aSlash && bSlash) return std::string(a) + std::string(b.substr(1));
  if (aSlash || bSlash) return std::string(a) + std::string(b);
  return std::string(a) + "/" + std::string(b);
}

std::string RemoveDots(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '.') out += c;
  }
  return out;
}

std::string BlanksToPercent20(std::string_view s) { return ReplaceAll(s, " ", "%20"); }

std::uint8_t GreyValue(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const double grey = 0.3 * r + 0.59 * g + 0.11 * b;
  return static_cast<std::uint8_t>(std::lround(grey));
}

std::vector<IndexedSegment> SplitIndexedText(std::string_view text) {
  std::vector<IndexedSegment> out;
  while (!text.empty()) {
    const std::size_t open = text.find('{');
    if (open == std::string_view::npos || open + 1 >= text.size()) {
      out.push_back({std::string(text), IndexedSegment::Normal});
      break;
    }
    const auto lage = text[open + 1] == '/' ? IndexedSegment::Hoch : IndexedSegment::Tief;
    const std::size_t close = text.find('}', open + 2);
    const std::string_view inner =
        text.substr(open + 2, close == std::string_view::npos ? std::string_view::npos
                                                             : close - open - 2);
    if (inner.empty()) {  // nothing to raise or lower: the text stands as it is
      out.push_back({std::string(text), IndexedSegment::Normal});
      break;
    }
    if (open > 0) out.push_back({std::string(text.substr(0, open)), IndexedSegment::Normal});
    out.push_back({std::string(inner), lage});
    if (close == std::string_view::npos) break;
    text = text.substr(close + 1);
  }
  return out;
}

std::string PickNearestFont(const std::string& name, const std::vector<std::string>& installed) {
  for (const std::string& f : installed) {
    if (f == name) return name;
  }
  // Every installed font is a candidate, the first one included.
  std::string best = name;
  std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
  for (const std::string& f : installed) {
    const std::int32_t d = StringDistance(name, f);
    if (d < bestDistance) {
      bestDistance = d;
      best = f;
    }
  }
  return best;
}

}  // namespace tav
