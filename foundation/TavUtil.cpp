#include "foundation/TavUtil.h"

#include "foundation/CodePage.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace tav {

ENonsenseInput::ENonsenseInput() : std::runtime_error("String enthält keine Zahl") {}

// ---------------------------------------------------------------------------------------
// Number input

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks T (no blanks, "," already turned into ".") against the number syntax
// [sign] digits [. digits] [E [sign] digits] with at least one mantissa digit.
// Returns 0 when it fits, else the 1-based position of the first bad character
// (length + 1 when the text ends too early).
std::int32_t CheckNumberSyntax(std::string_view t) {
  std::size_t i = 0;
  const auto bad = [&]() { return static_cast<std::int32_t>(i + 1); };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return bad();
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++expDigits;
    if (expDigits == 0) return bad();
  }
  return i == t.size() ? 0 : bad();
}

}  // namespace

double StrToFloatComma(std::string_view S, std::int32_t& Code) {
  std::string t;
  t.reserve(S.size());
  for (char c : S) {
    if (c == ' ') continue;
    t += c == ',' ? '.' : c;
  }
  Code = CheckNumberSyntax(t);
  if (Code != 0) return 0.0;
  std::string_view v = t;
  if (v.front() == '+') v.remove_prefix(1);
  double x = 0.0;
  const auto res = std::from_chars(v.data(), v.data() + v.size(), x, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != v.data() + v.size() || !std::isfinite(x)) {
    Code = 1;  // out of the range of a double
    return 0.0;
  }
  return x;
}

std::int32_t StrToIntComma(std::string_view S, std::int32_t& Code) {
  std::size_t start = 0;
  while (start < S.size() && S[start] == ' ') ++start;
  std::size_t end = start;
  while (end < S.size() && S[end] != ' ') ++end;
  const std::string_view t = S.substr(start, end - start);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const std::size_t firstDigit = i;
  std::int64_t value = 0;
  Code = 0;
  for (; i < t.size(); ++i) {
    // "," counts as "." and so is as bad as any other non-digit.
    if (!IsDigit(t[i])) break;
    const std::int64_t next = value * 10 + (t[i] - '0');
    if ((negative ? -next : next) > INT32_MAX || (negative ? -next : next) < INT32_MIN) break;
    value = next;
  }
  if (i < t.size() || i == firstDigit) Code = static_cast<std::int32_t>(i + 1);
  return static_cast<std::int32_t>(negative ? -value : value);
}

void ParseSingleList(std::string_view S, std::uint8_t Count, std::uint8_t& FirstBad,
                     std::span<float> Values) {
  FirstBad = 0;
  const std::size_t n = std::min<std::size_t>(Count, Values.size());
  std::size_t pos = 0;
  for (std::size_t i = 0; i < n; ++i) {
    while (pos < S.size() && S[pos] == ' ') ++pos;
    std::size_t end = pos;
    while (end < S.size() && S[end] != ' ') ++end;
    const std::string_view token = S.substr(pos, end - pos);
    pos = end;
    std::int32_t code = 1;
    const double v = token.empty() ? 0.0 : StrToFloatComma(token, code);
    // A missing number is as bad as a wrong one: callers read every value they asked for.
    if (code != 0 || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
      Values[i] = ParseFehlerWert;
      if (FirstBad == 0) FirstBad = static_cast<std::uint8_t>(i + 1);
    } else {
      Values[i] = static_cast<float>(v);
    }
  }
}

namespace {

// Fixed-point text of X with Decimals places, halves away from zero, "." as separator;
// a result that shows as zero has no sign.
std::string FixedText(double X, int Decimals) {
  Decimals = std::clamp(Decimals, 0, 255);
  if (!std::isfinite(X)) {
    if (std::isnan(X)) return "NAN";
    return X < 0 ? "-INF" : "INF";
  }
  // Twenty guard digits decide the last place without double rounding.
  char buf[1400];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(X), std::chars_format::fixed, Decimals + 20);
  if (res.ec != std::errc()) return "?";
  std::string s(buf, res.ptr);
  const std::size_t dot = s.find('.');
  const bool up = s[dot + 1 + static_cast<std::size_t>(Decimals)] >= '5';
  s.resize(Decimals > 0 ? dot + 1 + static_cast<std::size_t>(Decimals) : dot);
  if (up) {
    std::size_t i = s.size();
    bool carry = true;
    while (carry && i > 0) {
      --i;
      if (s[i] == '.') continue;
      if (s[i] == '9') {
        s[i] = '0';
      } else {
        ++s[i];
        carry = false;
      }
    }
    if (carry) s.insert(s.begin(), '1');
  }
  const bool zero = s.find_first_not_of("0.") == std::string::npos;
  if (X < 0 && !zero) s.insert(s.begin(), '-');
  return s;
}

std::string PadLeft(std::string s, std::int32_t width) {
  width = std::clamp(width, 0, 1000);
  if (static_cast<std::int32_t>(s.size()) >= width) return s;
  // The blanks first, then the text: gcc 12 warns falsely about an insert at the front once
  // link-time optimisation inlines it (-Wstringop-overflow).
  std::string padded(static_cast<std::size_t>(width) - s.size(), ' ');
  return padded.append(s);
}

std::string WithSeparator(std::uint8_t Width, std::uint8_t Decimals, float X, char sep) {
  std::string s = FloatToPointStr(Width, Decimals, X);
  const std::size_t dot = s.find('.');
  if (dot != std::string::npos) s[dot] = sep;
  return s;
}

}  // namespace

double CheckFloatRange(std::string_view S, double Min, double Max) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(S, code);
  if (code != 0) throw ENonsenseInput();
  const auto comma1 = [](double x) { return ReplaceAll(FixedText(x, 1), ".", ","); };
  if (v < Min) throw ERangeViolation(comma1(v) + " liegt unter dem Minimumwert " + comma1(Min));
  if (v > Max) throw ERangeViolation(comma1(v) + " liegt über dem Maximumwert " + comma1(Max));
  return v;
}

std::int32_t CheckIntRange(std::string_view S, std::int32_t Min, std::int32_t Max) {
  std::int32_t code = 0;
  const std::int32_t v = StrToIntComma(S, code);
  // Text after the number ("12 34") is no whole number either.
  const std::size_t first = S.find_first_not_of(' ');
  const std::size_t gap = first == std::string_view::npos ? first : S.find(' ', first);
  const bool trailing =
      gap != std::string_view::npos && S.find_first_not_of(' ', gap) != std::string_view::npos;
  if (code != 0 || trailing) throw ENonsenseInput();
  if (v < Min)
    throw ERangeViolation(std::to_string(v) + " liegt unter dem Minimumwert " + std::to_string(Min));
  if (v > Max)
    throw ERangeViolation(std::to_string(v) + " liegt über dem Maximumwert " + std::to_string(Max));
  return v;
}

// ---------------------------------------------------------------------------------------
// Number output

std::string FloatToPointStr(std::int32_t Width, std::int32_t Decimals, double X) {
  return PadLeft(FixedText(X, Decimals), Width);
}

std::string FloatToCommaStr(std::uint8_t Width, std::uint8_t Decimals, float X) {
  return WithSeparator(Width, Decimals, X, ',');
}

std::string FloatToCommaStrAligned(std::uint8_t Width, std::uint8_t Decimals, float X) {
  // The blank put before "-" is not doubled: blank + minus is about one digit wide.
  std::string out;
  for (char c : FloatToCommaStr(Width, Decimals, X)) {
    if (c == ' ')
      out += "  ";
    else if (c == '-')
      out += " -";
    else
      out += c;
  }
  return out;
}

std::string FloatToColonStr(std::uint8_t Width, std::uint8_t Decimals, float X) {
  return WithSeparator(Width, Decimals, X, ':');
}

std::string FloatToCommaStrZero(std::uint8_t Width, std::uint8_t Decimals, float X) {
  std::string s = FloatToCommaStr(Width, Decimals, X);
  std::replace(s.begin(), s.end(), ' ', '0');
  return s;
}

std::string BoolToStr01(bool B) { return B ? "1" : "0"; }

double RoundDecimals(std::uint8_t Decimals, double X) {
  static constexpr double kFaktor[5] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
  const double f = Decimals < 5 ? kFaktor[Decimals] : std::pow(10.0, Decimals);
  const double scaled = X * f;
  if (!std::isfinite(scaled)) return X;
  return RoundHalfEven(scaled) / f;
}

std::uint16_t StepModuleCount(bool Up, float Value, float ModuleSize) {
  if (!(ModuleSize > 0.0f) || !std::isfinite(ModuleSize))
    throw ERangeViolation("Modulfläche " + FloatToCommaStr(1, 2, ModuleSize) + " ist ungültig");
  const double v = std::isfinite(Value) ? Value : 0.0;
  const double q = std::clamp((v + 0.02) / ModuleSize, 0.0, 65534.0);
  const std::int32_t n = static_cast<std::int32_t>(std::trunc(q));
  std::int32_t result;
  if (Up)
    result = n + 1;
  else if (std::fabs(v - n * static_cast<double>(ModuleSize)) < 0.1)
    result = n - 1;
  else
    result = n;
  // A field has at least one module, whichever way it was stepped.
  return static_cast<std::uint16_t>(std::max(result, 1));
}

float ModulFlaecheOderEins(float ModuleSize) {
  return std::isfinite(ModuleSize) && ModuleSize >= 0.01f ? ModuleSize : 1.0f;
}

TModulSchritt StepModuleArea(bool Up, float Value, float ModuleSize, std::uint16_t MaxCount) {
  const float m = ModulFlaecheOderEins(ModuleSize);
  const std::uint16_t n =
      std::clamp<std::uint16_t>(StepModuleCount(Up, Value, m), 1, std::max<std::uint16_t>(MaxCount, 1));
  return {n, static_cast<float>(n) * m};
}

void IncInt(std::int32_t& N) {
  if (N < INT32_MAX) ++N;
}

// ---------------------------------------------------------------------------------------
// UTF-8

std::u32string Utf8ToCodePoints(std::string_view S) {
  std::u32string out;
  out.reserve(S.size());
  std::size_t pos = 0;
  char32_t c = 0;
  while (NextCodePoint(S, pos, c)) out += c;
  return out;
}

std::string CodePointsToUtf8(std::u32string_view S) {
  std::string out;
  out.reserve(S.size());
  for (char32_t c : S) AppendUtf8(out, c);
  return out;
}

std::size_t Utf8Length(std::string_view S) {
  std::size_t n = 0;
  std::size_t pos = 0;
  char32_t c = 0;
  while (NextCodePoint(S, pos, c)) ++n;
  return n;
}

namespace {

char32_t UpperCodePoint(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  // Latin Extended-A: pairs of capital (even) and small (odd) letters ...
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c & 1) ? c - 1 : c;
  // ... and two runs where the capital is odd.
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
  return c;
}

std::string_view TrimView(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string UpperCaseText(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  std::size_t pos = 0;
  char32_t c = 0;
  while (NextCodePoint(S, pos, c)) AppendUtf8(out, UpperCodePoint(c));
  return out;
}

// ---------------------------------------------------------------------------------------
// Text helpers

void TrimLeadingBlanks(std::string& S) {
  std::size_t n = 0;
  while (S.size() - n >= 2 && S[n] == ' ') ++n;
  S.erase(0, n);
  if (S == " ") S.clear();
}

void TrimTrailingBlanks(std::string& S) {
  std::size_t len = S.size();
  while (len >= 2 && S[len - 1] == ' ') --len;
  S.resize(len);
  if (S == " ") S.clear();
}

char32_t KeyToUmlaut(std::uint16_t Key) {
  switch (Key) {
    case 186: return U'\u00DC';  // Ü
    case 192: return U'\u00D6';  // Ö
    case 219: return U'\u00DF';  // ß
    case 222: return U'\u00C4';  // Ä
    default: return CodePageToUnicode(static_cast<unsigned char>(Key & 0xFF), CodePage::Cp1252);
  }
}

void MakeUniqueName(std::string& S) {
  const std::size_t n = S.size();
  if (n >= 3 && S[n - 3] == '(' && IsDigit(S[n - 2]) && S[n - 1] == ')') {
    if (S[n - 2] == '9')
      S.replace(n - 3, 3, "X(1)");
    else
      ++S[n - 2];  // 0..8 count on, so a caller looping until the name is new always ends
    return;
  }
  S += " (2)";
}

void ShortenWithEllipsis(std::string& S, std::string_view Neu) {
  const auto neuLen = static_cast<std::int64_t>(Utf8Length(Neu));
  std::u32string u = Utf8ToCodePoints(S);
  if (static_cast<std::int64_t>(u.size()) > 40 - (neuLen + 3)) {
    const std::int64_t keep = std::max<std::int64_t>(0, 40 - (neuLen + 6));
    u.resize(static_cast<std::size_t>(keep));
    u += U"...";
  }
  S = CodePointsToUtf8(u) + " (" + std::string(Neu) + ")";
}

bool StrGreaterText(std::string_view A, std::string_view B) {
  // UTF-8 byte order is code point order.
  return UpperCaseText(A) > UpperCaseText(B);
}

std::string RemoveAmpersands(std::string_view S) {
  std::string out;
  for (char c : S)
    if (c != '&') out += c;
  return out;
}

std::string StripChars(std::string_view S, std::string_view Chars) {
  std::u32string set = Utf8ToCodePoints(Chars);
  if (set.size() > 12) set.resize(12);
  std::u32string u = Utf8ToCodePoints(S);
  std::erase_if(u, [&](char32_t c) { return set.find(c) != std::u32string::npos; });
  return CodePointsToUtf8(u);
}

std::string ReplaceAll(std::string_view S, std::string_view Old, std::string_view New) {
  if (Old.empty()) return std::string(S);
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t hit = S.find(Old, pos);
    if (hit == std::string_view::npos) break;
    out.append(S.substr(pos, hit - pos));
    out.append(New);
    pos = hit + Old.size();
  }
  out.append(S.substr(pos));
  return out;
}

std::string Zitat(std::string_view S, std::size_t MaxChars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < MaxChars; ++n) {
    char32_t c;
    if (!NextCodePoint(S, pos, c)) return std::string(S);
  }
  if (pos >= S.size()) return std::string(S);
  return std::string(S.substr(0, pos)) + "...";
}

std::string ReplaceHashMark(std::string_view Template, std::string_view Value) {
  std::string out(Template);
  const std::size_t hit = out.find('#');
  if (hit != std::string::npos) out.replace(hit, 1, Value);
  return out;
}

std::string PipeToLineBreaks(std::string_view S) { return ReplaceAll(S, "|", "\r\n"); }

void NextTabField(std::string& Line, std::string& Field) {
  const std::size_t tab = Line.find('\t');
  if (tab == std::string::npos) {
    Field = std::string(TrimView(Line));
    Line.clear();
    return;
  }
  Field = std::string(TrimView(std::string_view(Line).substr(0, tab)));
  Line.erase(0, tab + 1);
}

std::string PadLeftNbsp(std::string_view S, std::uint8_t Width) {
  const std::size_t len = Utf8Length(S);
  std::string out;
  for (std::size_t i = len; i < Width; ++i) out += "\u00A0";
  out += S;
  return out;
}

std::string SplitTextTwoLines(std::string_view S, std::uint8_t Part) {
  const std::u32string u = Utf8ToCodePoints(S);
  const auto n = static_cast<std::size_t>(RoundToInt(static_cast<double>(u.size()) / 2.2));
  std::u32string first = u.substr(0, n);
  std::u32string second = u.substr(n);
  if (first.empty() || first.back() != U' ') {
    while (second.size() >= 2 && second.front() != U' ' && (first.empty() || first.back() != U'-')) {
      first += second.front();
      second.erase(0, 1);
    }
    if (!second.empty() && second.front() == U' ') second.erase(0, 1);
  } else {
    first.pop_back();
  }
  return CodePointsToUtf8(Part == 1 ? first : second);
}

std::string ReplaceUmlauts(std::string_view S) {
  std::u32string out;
  for (char32_t c : Utf8ToCodePoints(S)) {
    switch (c) {
      case U'\u00E4': out += U"ae"; break;  // ä
      case U'\u00C4': out += U"Ae"; break;  // Ä
      case U'\u00F6': out += U"oe"; break;  // ö
      case U'\u00D6': out += U"Oe"; break;  // Ö
      case U'\u00FC': out += U"ue"; break;  // ü
      case U'\u00DC': out += U"Ue"; break;  // Ü
      case U'\u00DF': out += U"ss"; break;  // ß
      case U'\u00E9': out += U"e"; break;   // é
      case U'\u0142': out += U"l"; break;   // ł
      case U'\u0105': out += U"a"; break;   // ą
      default: out += c;
    }
  }
  return CodePointsToUtf8(out);
}

std::string FindClosestString(std::string_view S, const std::vector<std::string>& List) {
  std::string best;
  std::int64_t bestDistance = INT64_MAX;
  for (const std::string& item : List) {
    const std::int64_t d = StringDistance(S, item);
    if (d < bestDistance) {  // the first of equal distances stays
      bestDistance = d;
      best = item;
    }
  }
  return best;
}

bool NameTailInText(std::string_view Name, std::string_view Text) {
  const std::u32string u = Utf8ToCodePoints(Name);
  if (u.size() <= 3) return false;  // an empty tail occurs nowhere
  return Text.find(CodePointsToUtf8(std::u32string_view(u).substr(3))) != std::string_view::npos;
}

bool HasVKPrefix(std::string_view Name, bool Flag) { return Name.starts_with("VK") == Flag; }

void SortListByText(std::vector<std::string>& List, std::int32_t Count, char Mode) {
  if (Mode != 'S' && Mode != 'F') return;
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(Count, 0)), List.size());
  // The exchange sort fixes the order of equal texts; the upper-cased keys are made once
  // and move along with their items (StrGreaterText on every comparison would redo them).
  std::vector<std::string> upper(n);
  for (std::size_t i = 0; i < n; ++i) upper[i] = UpperCaseText(List[i]);
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (Mode == 'S' ? upper[i] > upper[j] : upper[j] > upper[i]) {
        std::swap(List[i], List[j]);
        std::swap(upper[i], upper[j]);
      }
}

void SortListByValue(std::vector<std::string>& List, std::span<float> Keys, char Mode) {
  const std::size_t n = std::min(List.size(), Keys.size());
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (Mode == 'S' ? Keys[i] > Keys[j] : Keys[i] < Keys[j]) {
        std::swap(List[i], List[j]);
        std::swap(Keys[i], Keys[j]);
      }
}

// ---------------------------------------------------------------------------------------
// Circulation day schedule

void DecodeDaySchedule(std::string_view S, TViertelstunden& Q) {
  Q.fill(false);
  if (S.size() != 24) return;
  for (std::size_t h = 0; h < 24; ++h) {
    const int v = static_cast<unsigned char>(S[h]) - 64;
    if (v < 0 || v > 15) {
      Q.fill(false);
      return;
    }
    for (std::size_t q = 0; q < 4; ++q) Q[4 * h + q + 1] = (v & (8 >> q)) != 0;
  }
}

std::string EncodeDaySchedule(const TViertelstunden& Q) {
  std::string s(24, '@');
  for (std::size_t h = 0; h < 24; ++h) {
    int v = 0;
    for (std::size_t q = 0; q < 4; ++q)
      if (Q[4 * h + q + 1]) v |= 8 >> q;
    s[h] = static_cast<char>(64 + v);
  }
  return s;
}

// ---------------------------------------------------------------------------------------
// Dates and times

namespace {

std::string ZeroPadded(std::int32_t v, std::size_t width) {
  std::string s = std::to_string(v < 0 ? -static_cast<std::int64_t>(v) : v);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return v < 0 ? "-" + s : s;
}

// A whole number with optional blanks around it.
bool ParseWhole(std::string_view s, std::int32_t& v) {
  s = TrimView(s);
  if (s.empty()) return false;
  std::int32_t code = 0;
  v = StrToIntComma(s, code);
  return code == 0 && s.find(' ') == std::string_view::npos;
}

}  // namespace

std::string DateToDotStr(std::int32_t Day, std::int32_t Month, std::int32_t Year) {
  std::string s = ZeroPadded(Day, 2) + "." + ZeroPadded(Month, 2);
  if (Year != -1) s += "." + ZeroPadded(Year, 4);
  return s;
}

std::string DateTimeToDotStr(TDateTime D) {
  std::int32_t y = 0, m = 0, d = 0;
  DecodeDate(D, y, m, d);
  return DateToDotStr(d, m, y);
}

std::string TimeToLongStr(TDateTime D) {
  std::int32_t h = 0, m = 0, s = 0;
  DecodeTime(D, h, m, s);
  return ZeroPadded(h, 2) + ":" + ZeroPadded(m, 2) + ":" + ZeroPadded(s, 2);
}

bool IsLeapYearOf(TDateTime D) { return JulianDayToDate(DateTimeToJulianDay(D)).Schaltjahr; }

std::int32_t DayOfYearOf(TDateTime D) {
  return JulianDayToDate(DateTimeToJulianDay(D)).TagDesJahres;
}

TDateTime DateFromDayOfYear(std::int32_t N, std::int32_t Year) {
  if (Year == 0) {
    std::int32_t m = 0, d = 0;
    DecodeDate(Today(), Year, m, d);
  }
  return EncodeDate(Year, 1, 1) + N - 1;
}

TDateTime StrToDateChecked(std::string_view S) {
  const std::string_view t = TrimView(S);
  const std::string fehler = std::string(S) + " ist kein gültiges Datum";
  const std::size_t dot1 = t.find('.');
  const std::size_t dot2 = dot1 == std::string_view::npos ? dot1 : t.find('.', dot1 + 1);
  std::int32_t day = 0, month = 0, year = 0;
  if (dot1 == std::string_view::npos || !ParseWhole(t.substr(0, dot1), day))
    throw EConvertError(fehler);
  const std::string_view monthText =
      t.substr(dot1 + 1, dot2 == std::string_view::npos ? std::string_view::npos : dot2 - dot1 - 1);
  if (!ParseWhole(monthText, month)) throw EConvertError(fehler);
  const std::string_view yearText =
      dot2 == std::string_view::npos ? std::string_view() : TrimView(t.substr(dot2 + 1));
  if (yearText.empty()) {
    // "dd.mm." means this year, as the date entry of the plant dialog relies on.
    std::int32_t m = 0, d = 0;
    DecodeDate(Today(), year, m, d);
  } else if (!ParseWhole(yearText, year)) {
    throw EConvertError(fehler);
  }
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) throw EConvertError(fehler);
  return result;
}

TDateTime StrToTimeChecked(std::string_view S) {
  const std::string_view t = TrimView(S);
  const std::string fehler = std::string(S) + " ist keine gültige Uhrzeit";
  const std::size_t c1 = t.find(':');
  if (c1 == std::string_view::npos) throw EConvertError(fehler);
  const std::size_t c2 = t.find(':', c1 + 1);
  std::int32_t h = 0, m = 0, s = 0;
  const bool ok =
      ParseWhole(t.substr(0, c1), h) &&
      ParseWhole(t.substr(c1 + 1, c2 == std::string_view::npos ? c2 : c2 - c1 - 1), m) &&
      (c2 == std::string_view::npos || ParseWhole(t.substr(c2 + 1), s));
  if (!ok || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) throw EConvertError(fehler);
  return EncodeTime(h, m, s);
}

}  // namespace tav
