#include "foundation/CodePage.h"

#include <algorithm>
#include <array>
#include <utility>

#include "foundation/TextTable.h"

namespace tav {

namespace {

// Code points of the bytes 0x80..0xFF. Bytes the code page leaves undefined stand for the C1
// control of the same value, so that every byte survives a decode and encode.
constexpr std::array<char16_t, 128> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr std::array<char16_t, 128> kHigh1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const std::array<char16_t, 128>& HighTable(CodePage cp) {
  return cp == CodePage::Cp1250 ? kHigh1250 : kHigh1252;
}

// Reverse tables: (code point, byte) sorted by code point, built once.
using Reverse = std::array<std::pair<char16_t, unsigned char>, 128>;

Reverse BuildReverse(const std::array<char16_t, 128>& high) {
  Reverse r{};
  for (std::size_t i = 0; i < high.size(); ++i) r[i] = {high[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(r.begin(), r.end());
  return r;
}

const Reverse& ReverseTable(CodePage cp) {
  static const Reverse r1252 = BuildReverse(kHigh1252);
  static const Reverse r1250 = BuildReverse(kHigh1250);
  return cp == CodePage::Cp1250 ? r1250 : r1252;
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

TextEncoding EncodingOf(CodePage cp) {
  return cp == CodePage::Cp1250 ? TextEncoding::Cp1250 : TextEncoding::Cp1252;
}

char32_t CodePageToUnicode(unsigned char byte, CodePage cp) {
  if (byte < 0x80) return byte;
  return HighTable(cp)[byte - 0x80];
}

int UnicodeToCodePage(char32_t cp32, CodePage cp) {
  if (cp32 < 0x80) return static_cast<int>(cp32);
  if (cp32 > 0xFFFF) return -1;
  const Reverse& r = ReverseTable(cp);
  auto it = std::lower_bound(r.begin(), r.end(), std::pair<char16_t, unsigned char>(static_cast<char16_t>(cp32), 0));
  if (it != r.end() && it->first == cp32) return it->second;
  return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {

// Length and value of the valid UTF-8 sequence at pos, or 0 when the bytes there are not one.
std::size_t DecodeSequence(std::string_view s, std::size_t pos, char32_t& out) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    out = b0;
    return 1;
  }
  std::size_t len;
  char32_t c;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (pos + len > s.size()) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  out = c;
  return len;
}

}  // namespace

bool NextCodePoint(std::string_view utf8, std::size_t& pos, char32_t& out) {
  if (pos >= utf8.size()) return false;
  const std::size_t len = DecodeSequence(utf8, pos, out);
  if (len == 0) {
    out = CodePageToUnicode(static_cast<unsigned char>(utf8[pos]), CodePage::Cp1252);
    ++pos;
  } else {
    pos += len;
  }
  return true;
}

std::string DecodeCodePage(std::string_view bytes, CodePage cp) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) AppendUtf8(out, CodePageToUnicode(static_cast<unsigned char>(ch), cp));
  return out;
}

std::string EncodeCodePage(std::string_view utf8, CodePage cp, bool* lossy) {
  std::string out;
  out.reserve(utf8.size());
  bool lost = false;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t c;
    const std::size_t len = DecodeSequence(utf8, pos, c);
    int b = -1;
    if (len == 0) {
      ++pos;  // not UTF-8: no character to keep
    } else {
      pos += len;
      b = UnicodeToCodePage(c, cp);
    }
    if (b < 0) {
      lost = true;
      out += '?';
    } else {
      out += static_cast<char>(b);
    }
  }
  if (lossy) *lossy = lost;
  return out;
}

bool HasUtf8Bom(std::string_view bytes) { return bytes.substr(0, kBom.size()) == kBom; }

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  char32_t c;
  while (pos < bytes.size()) {
    const std::size_t len = DecodeSequence(bytes, pos, c);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

std::string DecodeText(std::string_view bytes, CodePage fallback, TextEncoding* detected) {
  TextEncoding enc;
  std::string out;
  if (HasUtf8Bom(bytes)) {
    enc = TextEncoding::Utf8Bom;
    bytes.remove_prefix(kBom.size());
    out.reserve(bytes.size());
    std::size_t pos = 0;
    char32_t c;
    while (NextCodePoint(bytes, pos, c)) AppendUtf8(out, c);
  } else if (IsValidUtf8(bytes) &&
             std::any_of(bytes.begin(), bytes.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; })) {
    enc = TextEncoding::Utf8;
    out.assign(bytes);
  } else {
    enc = EncodingOf(fallback);
    out = DecodeCodePage(bytes, fallback);
  }
  if (detected) *detected = enc;
  return out;
}

std::string EncodeText(std::string_view utf8, TextEncoding enc, bool* lossy) {
  switch (enc) {
    case TextEncoding::Cp1250:
      return EncodeCodePage(utf8, CodePage::Cp1250, lossy);
    case TextEncoding::Cp1252:
      return EncodeCodePage(utf8, CodePage::Cp1252, lossy);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
      // Re-encode so that stray invalid bytes cannot reach the file.
      std::string out(enc == TextEncoding::Utf8Bom ? kBom : std::string_view());
      out.reserve(out.size() + utf8.size());
      std::size_t pos = 0;
      char32_t c;
      bool lost = false;
      while (pos < utf8.size()) {
        const std::size_t len = DecodeSequence(utf8, pos, c);
        if (len == 0) {
          lost = true;
          out += '?';
          ++pos;
        } else {
          out.append(utf8.substr(pos, len));
          pos += len;
        }
      }
      if (lossy) *lossy = lost;
      return out;
    }
  }
  return std::string(utf8);
}

bool EncodingEvident(std::string_view bytes) {
  return HasUtf8Bom(bytes) ||
         std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

TextEncoding EncodingForWrite(std::string_view utf8, TextEncoding asRead, bool evident) {
  if (evident) return asRead;
  std::string bytes;
  return EncodeTextExact(utf8, asRead, bytes) ? asRead : TextEncoding::Utf8Bom;
}

CodePage FallbackCodePage(TextEncoding enc) {
  return enc == TextEncoding::Cp1250 ? CodePage::Cp1250 : CodePage::Cp1252;
}

bool EncodeTextExact(std::string_view utf8, TextEncoding enc, std::string& bytes,
                     std::string* problem) {
  bool lossy = false;
  bytes = EncodeText(utf8, enc, &lossy);
  if (lossy) {
    if (problem) {
      // The characters (or invalid bytes) lost, each once, in order of appearance.
      const CodePage cp = FallbackCodePage(enc);
      const bool codePage = enc == TextEncoding::Cp1252 || enc == TextEncoding::Cp1250;
      std::vector<char32_t> fehlend;
      std::size_t pos = 0;
      while (pos < utf8.size() && fehlend.size() < 10) {
        char32_t c = 0;
        const std::size_t len = DecodeSequence(utf8, pos, c);
        const bool verloren = len == 0 || (codePage && UnicodeToCodePage(c, cp) < 0);
        pos += len == 0 ? 1 : len;
        if (len == 0) c = 0xFFFD;
        if (verloren && std::find(fehlend.begin(), fehlend.end(), c) == fehlend.end())
          fehlend.push_back(c);
      }
      std::string liste;
      for (char32_t c : fehlend) {
        liste += liste.empty() ? "\"" : ", \"";
        AppendUtf8(liste, c);
        liste += '"';
      }
      *problem = codePage ? TextMit(TX::CodeseiteZeichen, {cp == CodePage::Cp1250 ? "1250" : "1252", liste})
                          : T(TX::UngueltigesUtf8);
    }
    return false;
  }
  if (DecodeText(bytes, FallbackCodePage(enc)) != utf8) {
    if (problem)
      *problem = T(TX::TextWuerdeUtf8);
    return false;
  }
  return true;
}

CodePage CodePageForLanguage(std::string_view code) {
  std::string c = FoldCaseUtf8(code);
  for (std::string_view ce : {"pl", "cz", "hu", "ro", "sl"})
    if (c == ce) return CodePage::Cp1250;
  return CodePage::Cp1252;
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c < 0x100 || c > 0x17F) return c;
  // Latin Extended-A: upper and lower case alternate; the run 0x139..0x148 and 0x179..0x17E
  // start on odd code points, and 0x178 (Y with diaeresis) pairs with 0xFF.
  if (c == 0x178) return 0xFF;
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (oddUpper) return (c & 1) ? c + 1 : c;
  return (c & 1) ? c : c + 1;
}

std::string FoldCaseUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  char32_t c;
  while (pos < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {
      out += static_cast<char>((b >= 'A' && b <= 'Z') ? b + 0x20 : b);
      ++pos;
      continue;
    }
    NextCodePoint(utf8, pos, c);
    AppendUtf8(out, FoldCase(c));
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[j]);
    if (x < 0x80 && y < 0x80) {
      if (FoldCase(x) != FoldCase(y)) return false;
      ++i, ++j;
      continue;
    }
    char32_t cx, cy;
    NextCodePoint(a, i, cx);
    NextCodePoint(b, j, cy);
    if (FoldCase(cx) != FoldCase(cy)) return false;
  }
  return i == a.size() && j == b.size();
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace tav
