#include "foundation/BigIni.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <istream>
#include <iterator>
#include <new>
#include <ostream>
#include <unordered_set>

#include "foundation/AtomicFile.h"
#include "foundation/Messages.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr char kEofMark = '\x1A';
constexpr long long kMsPerDay = 86400000;
// Day serial of 01.01.1970 (serials count from 30.12.1899).
constexpr long long kUnixEpochSerial = 25569;
// Serials of 01.01.0001 and of 01.01.10000: the dates a text can hold.
constexpr long long kFirstSerial = -693593;
constexpr long long kEndSerial = 2958466;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A value must stay on its line: every line end (CR LF or LF) becomes one blank. A lone CR
// is no line end for the reader, which keeps it in the value, so it is kept here too.
std::string OneLine(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
    out += c == '\n' ? ' ' : c;
  }
  return out;
}

// "[name]" with optional blanks or tabs after the "]"; the name is not trimmed.
bool IsSectionLine(std::string_view line, std::string& name) {
  if (line.empty() || line.front() != '[') return false;
  while (line.size() > 1 && IsBlank(line.back())) line.remove_suffix(1);
  if (line.size() < 2 || line.back() != ']') return false;
  name.assign(line.substr(1, line.size() - 2));
  return true;
}

void AppendTwoDigits(std::string& out, long long v) {
  out += static_cast<char>('0' + (v / 10) % 10);
  out += static_cast<char>('0' + v % 10);
}

// Splits a date-time into its day serial and its time in milliseconds; false when it has no
// text form. The integer part is the day, the fraction's magnitude the time (also before 1900).
bool SplitDateTime(TDateTime value, long long& day, long long& ms) {
  if (!std::isfinite(value)) return false;
  double whole;
  const double frac = std::fabs(std::modf(value, &whole));
  if (whole < static_cast<double>(kFirstSerial) || whole >= static_cast<double>(kEndSerial)) return false;
  day = static_cast<long long>(whole);
  ms = std::llround(frac * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) ms -= kMsPerDay, ++day;
  return day < kEndSerial;
}

std::string DateText(long long day) {
  using namespace std::chrono;
  const year_month_day ymd{sys_days{days{day - kUnixEpochSerial}}};
  std::string out;
  AppendTwoDigits(out, static_cast<unsigned>(ymd.day()));
  out += '.';
  AppendTwoDigits(out, static_cast<unsigned>(ymd.month()));
  out += '.';
  const int y = static_cast<int>(ymd.year());
  AppendTwoDigits(out, y / 100);
  AppendTwoDigits(out, y % 100);
  return out;
}

std::string TimeText(long long ms) {
  const long long s = ms / 1000;
  std::string out;
  AppendTwoDigits(out, s / 3600);
  out += ':';
  AppendTwoDigits(out, s / 60 % 60);
  out += ':';
  AppendTwoDigits(out, s % 60);
  return out;
}

// Unsigned decimal number of 1..maxDigits digits, the whole text.
bool ParseSmall(std::string_view s, int maxDigits, int& out) {
  if (s.empty() || static_cast<int>(s.size()) > maxDigits) return false;
  out = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    out = out * 10 + (c - '0');
  }
  return true;
}

// Splits s at sep into at most `max` parts; false when there are more.
bool SplitParts(std::string_view s, char sep, std::string_view* parts, int max, int& count) {
  count = 0;
  for (;;) {
    if (count == max) return false;
    const std::size_t p = s.find(sep);
    parts[count++] = s.substr(0, p);
    if (p == std::string_view::npos) return true;
    s.remove_prefix(p + 1);
  }
}

bool ParseDatePart(std::string_view s, long long& serial) {
  std::string_view parts[3];
  int n = 0;
  int d, m, y;
  if (!SplitParts(s, '.', parts, 3, n) || n != 3) return false;
  if (!ParseSmall(parts[0], 2, d) || !ParseSmall(parts[1], 2, m) || !ParseSmall(parts[2], 4, y)) return false;
  if (parts[2].size() <= 2) y += y < 50 ? 2000 : 1900;
  using namespace std::chrono;
  const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
  if (y < 1 || !ymd.ok()) return false;
  serial = sys_days{ymd}.time_since_epoch().count() + kUnixEpochSerial;
  return true;
}

bool ParseTimePart(std::string_view s, double& fraction) {
  std::string_view parts[3];
  int n = 0;
  int h, mi, sec = 0;
  if (!SplitParts(s, ':', parts, 3, n) || n < 2) return false;
  if (!ParseSmall(parts[0], 2, h) || !ParseSmall(parts[1], 2, mi)) return false;
  if (n == 3 && !ParseSmall(parts[2], 2, sec)) return false;
  if (h > 23 || mi > 59 || sec > 59) return false;
  fraction = static_cast<double>((h * 60 + mi) * 60 + sec) / 86400.0;
  return true;
}

// Index of the first line whose text before its first "=" is Ident (any case), or -1.
std::int32_t KeyLine(const std::vector<std::string>& lines, std::string_view Ident) {
  for (std::size_t j = 0; j < lines.size(); ++j) {
    const std::size_t eq = lines[j].find('=');
    if (eq != std::string::npos && EqualsNoCase(std::string_view(lines[j]).substr(0, eq), Ident))
      return static_cast<std::int32_t>(j);
  }
  return -1;
}

// The file image line by line: every section that has lines, each followed by a blank line.
template <class Emit>
void ForEachImageLine(const std::vector<TSectionList::Entry>& items, Emit emit) {
  for (const auto& e : items) {
    if (e.Lines.empty()) continue;
    emit("[" + e.Name + "]");
    for (const auto& line : e.Lines) emit(line);
    emit(std::string_view());
  }
}

TDateTime Combine(long long day, double fraction) {
  return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

}  // namespace

// ----- text forms -------------------------------------------------------------------------

std::int32_t IniStrToInt(std::string_view text, std::int32_t Default) {
  std::int32_t v = Default;
  return IniParseInt(text, v) ? v : Default;
}

double IniStrToFloat(std::string_view text, double Default) {
  double v = Default;
  return IniParseFloat(text, v) ? v : Default;
}

bool IniParseInt(std::string_view text, std::int32_t& out) {
  // Blanks and tabs around the number are read over, as around a decimal number.
  std::string s(TrimBlanks(text));
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  std::size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true, ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true, i += 2;
  }
  if (i >= s.size()) return false;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (neg ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t v = 0;
  for (; i < s.size(); ++i) {
    const int digit = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (digit < 0) return false;
    v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (v > limit) return false;
  }
  auto u = static_cast<std::uint32_t>(v);
  if (neg) u = 0u - u;
  out = static_cast<std::int32_t>(u);
  return true;
}

bool IniParseFloat(std::string_view text, double& out) {
  const std::string_view s = TrimBlanks(text);
  std::string buf;
  buf.reserve(s.size());
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') buf += '-';
    ++i;
  }
  int mantissaDigits = 0;
  bool separator = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      buf += c, ++mantissaDigits;
    } else if ((c == ',' || c == '.') && !separator) {
      buf += '.', separator = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    buf += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) buf += s[i++];
    int expDigits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) buf += s[i], ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), v);
  if (ec != std::errc() || ptr != buf.data() + buf.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

std::string IniFloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  // 15 significant digits: d.dddddddddddddde±x
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t ePos = sci.find('e');
  std::string digits;
  bool neg = false;
  for (char c : sci.substr(0, ePos)) {
    if (c == '-') neg = true;
    if (c >= '0' && c <= '9') digits += c;
  }
  int exp = 0;
  std::string_view es = sci.substr(ePos + 1);
  if (!es.empty() && es.front() == '+') es.remove_prefix(1);
  std::from_chars(es.data(), es.data() + es.size(), exp);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = neg ? "-" : "";
  const int len = static_cast<int>(digits.size());
  if (exp >= -5 && exp < 15) {
    if (exp < 0) {
      out += "0,";
      out.append(static_cast<std::size_t>(-exp - 1), '0');
      out += digits;
    } else if (len <= exp + 1) {
      out += digits;
      out.append(static_cast<std::size_t>(exp + 1 - len), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(exp + 1));
      out += ',';
      out += digits.substr(static_cast<std::size_t>(exp + 1));
    }
  } else {
    out += digits[0];
    if (len > 1) out += ',' + digits.substr(1);
    out += 'E';
    out += std::to_string(exp);
  }
  return out;
}

std::string IniDateToStr(TDateTime value) {
  long long day, ms;
  return SplitDateTime(value, day, ms) ? DateText(day) : std::string();
}

std::string IniTimeToStr(TDateTime value) {
  long long day, ms;
  return SplitDateTime(value, day, ms) ? TimeText(ms) : std::string();
}

std::string IniDateTimeToStr(TDateTime value) {
  long long day, ms;
  if (!SplitDateTime(value, day, ms)) return std::string();
  return ms == 0 ? DateText(day) : DateText(day) + " " + TimeText(ms);
}

bool IniStrToDate(std::string_view text, TDateTime& out) {
  long long day;
  if (!ParseDatePart(TrimBlanks(text), day)) return false;
  out = static_cast<double>(day);
  return true;
}

bool IniStrToTime(std::string_view text, TDateTime& out) {
  double fraction;
  if (!ParseTimePart(TrimBlanks(text), fraction)) return false;
  out = fraction;
  return true;
}

bool IniStrToDateTime(std::string_view text, TDateTime& out) {
  const std::string_view s = TrimBlanks(text);
  const std::size_t blank = s.find_first_of(" \t");
  long long day;
  if (!ParseDatePart(s.substr(0, blank), day)) return false;
  double fraction = 0;
  if (blank != std::string_view::npos && !ParseTimePart(TrimBlanks(s.substr(blank)), fraction)) return false;
  out = Combine(day, fraction);
  return true;
}

// ----- TSectionList ------------------------------------------------------------------------

int TSectionList::IndexOf(std::string_view Name) {
  const int n = Count();
  if (LastFound < 0 || LastFound >= n) LastFound = 0;
  for (int k = 0; k < n; ++k) {
    const int i = (LastFound + k) % n;
    const Entry& e = Items[static_cast<std::size_t>(i)];
    if (!e.Duplicate && EqualsNoCase(e.Name, Name)) {
      LastFound = i;
      return i;
    }
  }
  return -1;
}

// ----- TBigIniFile -------------------------------------------------------------------------

TBigIniFile::TBigIniFile(const std::string& FileName, CodePage codePage)
    : CodePage_(codePage), Encoding_(EncodingOf(codePage)) {
  SetFileName(FileName);
}

TBigIniFile::~TBigIniFile() {
  try {
    if (!FlushFile()) ShowMessageLines(LastError_);
  } catch (...) {
    // a destructor must not throw; the message service itself failed
  }
}

bool TBigIniFile::SetFileName(const std::string& Name) {
  if (!FlushFile()) return false;
  Clear();
  FileName_ = Name;
  LoadError_.clear();
  LastError_.clear();
  Encoding_ = EncodingOf(CodePage_);
  EncodingEvident_ = false;
  if (!Name.empty()) LoadFile(Name);
  Modified_ = false;
  return true;
}

std::int32_t TBigIniFile::FindKey(std::string_view Section, std::string_view Ident,
                                  std::vector<std::string>*& List, bool CreateSection) {
  List = nullptr;
  auto& items = Sections.Items;
  const int n = Sections.Count();
  const int start = (CurSection_ >= 0 && CurSection_ < n) ? CurSection_ : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (start + k) % n;
    auto& e = items[static_cast<std::size_t>(i)];
    if (e.Duplicate || !EqualsNoCase(e.Name, Section)) continue;
    CurSection_ = i;
    List = &e.Lines;
    return KeyLine(e.Lines, Ident);
  }
  if (CreateSection) {
    items.push_back({std::string(Section), {}, false});
    CurSection_ = n;
    List = &items.back().Lines;
  }
  return -1;
}

void TBigIniFile::MarkDuplicates() {
  std::unordered_set<std::string> seen;
  for (auto& e : Sections.Items) e.Duplicate = !seen.insert(FoldCaseUtf8(e.Name)).second;
}

bool TBigIniFile::EraseDuplicates() {
  auto& items = Sections.Items;
  const auto before = items.size();
  std::erase_if(items, [](const TSectionList::Entry& e) { return e.Duplicate; });
  if (items.size() == before) return false;
  Sections.LastFound = 0;
  CurSection_ = 0;
  Modified_ = true;
  return true;
}

bool TBigIniFile::HasDuplicates() const {
  for (const auto& e : Sections.Items)
    if (e.Duplicate) return true;
  return false;
}

std::vector<std::string> TBigIniFile::DuplicateSectionNames() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> reported;
  for (const auto& e : Sections.Items) {
    if (!e.Duplicate) continue;
    const std::string key = FoldCaseUtf8(e.Name);
    if (!reported.insert(key).second) continue;
    for (const auto& first : Sections.Items)
      if (!first.Duplicate && FoldCaseUtf8(first.Name) == key) names.push_back(first.Name);
  }
  return names;
}

void TBigIniFile::AppendLine(std::string_view line, bool eofMarkIsEmpty, bool& inSection) {
  // Empty lines are dropped here, before anything is allocated for them.
  if (line.empty() || (eofMarkIsEmpty && line.size() == 1 && line[0] == kEofMark)) return;
  auto& items = Sections.Items;
  std::string name;
  if (IsSectionLine(line, name)) {
    items.push_back({std::move(name), {}, false});
    inSection = true;
  } else if (inSection) {
    items.back().Lines.emplace_back(line);
  }
}

void TBigIniFile::AppendLines(const std::vector<std::string>& lines, bool eofMarkIsEmpty) {
  bool inSection = false;
  for (const std::string& line : lines) AppendLine(line, eofMarkIsEmpty, inSection);
  MarkDuplicates();
}

void TBigIniFile::AppendText(std::string_view text, bool eofMarkIsEmpty) {
  bool inSection = false;
  ForEachLine(text, [&](std::string_view line) { AppendLine(line, eofMarkIsEmpty, inSection); });
  MarkDuplicates();
}

void TBigIniFile::LoadFile(const std::string& Name, std::uintmax_t MaxBytes) {
  CurSection_ = 0;
  std::error_code ec;
  const auto st = std::filesystem::status(Name, ec);
  if (st.type() == std::filesystem::file_type::not_found) return;
  std::string bytes;
  std::string err;
  if (ec) {
    LoadError_ = ReadFailureText(Name, SystemGrund(ec.value()));
    return;
  }
  if (!ReadWholeFile(Name, bytes, &err, MaxBytes)) {
    LoadError_ = err;
    return;
  }
  EncodingEvident_ = EncodingEvident(bytes);
  try {
    AppendText(DecodeText(bytes, CodePage_, &Encoding_), true);
  } catch (const std::bad_alloc&) {
    // What was taken in so far is no image of the file; a flush must not write it.
    Clear();
    LoadError_ = ReadFailureText(Name, T(TX::GrundSpeicher));
  }
}

void TBigIniFile::Clear() {
  Sections.Items.clear();
  Sections.LastFound = 0;
  CurSection_ = 0;
}

void TBigIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  std::vector<std::string>* list = nullptr;
  const std::int32_t i = FindKey(Section, Ident, list, true);
  if (i < 0) return;
  list->erase(list->begin() + i);
  Modified_ = true;
}

void TBigIniFile::EraseSection(std::string_view Section) {
  auto& items = Sections.Items;
  const auto before = items.size();
  std::erase_if(items, [&](const TSectionList::Entry& e) { return EqualsNoCase(e.Name, Section); });
  if (items.size() == before) return;
  Sections.LastFound = 0;
  if (CurSection_ >= Sections.Count()) CurSection_ = 0;
  Modified_ = true;
}

void TBigIniFile::SaveToStrings(std::vector<std::string>& Strings) const {
  ForEachImageLine(Sections.Items, [&Strings](std::string_view line) { Strings.emplace_back(line); });
}

namespace {

std::string ImageText(const std::vector<TSectionList::Entry>& items) {
  std::string text;
  ForEachImageLine(items, [&text](std::string_view line) {
    text += line;
    text += "\r\n";
  });
  return text;
}

}  // namespace

std::string TBigIniFile::FileImage() const {
  const std::string text = ImageText(Sections.Items);
  return EncodeText(text, EncodingForWrite(text, Encoding_, EncodingEvident_));
}

bool TBigIniFile::ExactFileImage(std::string& bytes, std::string& problem) const {
  const std::string text = ImageText(Sections.Items);
  return EncodeTextExact(text, EncodingForWrite(text, Encoding_, EncodingEvident_), bytes, &problem);
}

std::string NotWrittenText(const std::string& fileName, const std::string& problem) {
  return TextMit(TX::DateiBleibtUnveraendert, {fileName, problem});
}

void TBigIniFile::LoadFromStrings(const std::vector<std::string>& Strings) {
  CurSection_ = 0;
  AppendLines(Strings, false);
}

void TBigIniFile::LoadFromText(std::string_view Text) {
  CurSection_ = 0;
  AppendText(Text, false);
}

bool TBigIniFile::FlushFile() {
  if (!Modified_) return true;
  if (FileName_.empty()) {
    Modified_ = false;
    return true;
  }
  if (!LoadError_.empty()) {
    // The file could not be read; replacing it by what we hold would lose its content.
    LastError_ = TextMit(TX::DateiUngelesenNichtGeschrieben, {FileName_}) + "|" + LoadError_;
    return false;
  }
  std::string bytes;
  std::string err;
  if (!ExactFileImage(bytes, err)) {
    LastError_ = NotWrittenText(FileName_, err);
    return false;
  }
  if (!WriteFileAtomic(FileName_, bytes, &err)) {
    LastError_ = err;
    return false;
  }
  // What was written decides the encoding from now on, as a fresh read would.
  DecodeText(bytes, CodePage_, &Encoding_);
  EncodingEvident_ = EncodingEvident(bytes);
  LastError_.clear();
  Modified_ = false;
  return true;
}

std::string TBigIniFile::ReadStringValue(std::string_view Section, std::string_view Ident,
                                         const std::string& Default) {
  return ReadString(Section, Ident, Default);
}

std::int32_t TBigIniFile::ReadBinaryStream(std::string_view Section, std::string_view Ident,
                                           std::ostream& Stream) {
  const std::string text = ReadStringValue(Section, Ident, std::string());
  const std::size_t count = text.size() / 2;
  for (std::size_t i = 0; i < count; ++i) {
    const int hi = HexDigit(text[2 * i]);
    const int lo = HexDigit(text[2 * i + 1]);
    Stream.put(static_cast<char>(hi < 0 || lo < 0 ? 0 : hi * 16 + lo));
  }
  return static_cast<std::int32_t>(count);
}

bool TBigIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

TDateTime TBigIniFile::ReadDate(std::string_view Section, std::string_view Ident, TDateTime Default) {
  TDateTime v;
  return IniStrToDate(ReadString(Section, Ident, std::string()), v) ? v : Default;
}

TDateTime TBigIniFile::ReadDateTime(std::string_view Section, std::string_view Ident,
                                    TDateTime Default) {
  TDateTime v;
  return IniStrToDateTime(ReadString(Section, Ident, std::string()), v) ? v : Default;
}

double TBigIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default) {
  return IniStrToFloat(ReadString(Section, Ident, std::string()), Default);
}

std::int32_t TBigIniFile::ReadInteger(std::string_view Section, std::string_view Ident,
                                      std::int32_t Default) {
  return IniStrToInt(ReadString(Section, Ident, std::string()), Default);
}

void TBigIniFile::ReadSection(std::string_view Section, std::vector<std::string>& Strings) {
  const int i = Sections.IndexOf(Section);
  if (i < 0) return;
  for (const auto& line : Sections.Items[static_cast<std::size_t>(i)].Lines) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos && eq > 0) Strings.push_back(line.substr(0, eq));
  }
}

void TBigIniFile::ReadSections(std::vector<std::string>& Strings) const {
  Strings.clear();
  for (const auto& e : Sections.Items)
    if (!e.Duplicate) Strings.push_back(e.Name);
}

void TBigIniFile::ReadSectionValues(std::string_view Section, std::vector<std::string>& Strings) {
  const int i = Sections.IndexOf(Section);
  if (i < 0) return;
  const auto& lines = Sections.Items[static_cast<std::size_t>(i)].Lines;
  Strings.insert(Strings.end(), lines.begin(), lines.end());
}

std::string TBigIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                    const std::string& Default) {
  std::vector<std::string>* list = nullptr;
  const std::int32_t i = FindKey(Section, Ident, list, false);
  if (i < 0) return Default;
  const std::string& line = (*list)[static_cast<std::size_t>(i)];
  return line.substr(line.find('=') + 1);
}

TDateTime TBigIniFile::ReadTime(std::string_view Section, std::string_view Ident, TDateTime Default) {
  TDateTime v;
  return IniStrToTime(ReadString(Section, Ident, std::string()), v) ? v : Default;
}

bool TBigIniFile::SectionExists(std::string_view Section) { return Sections.IndexOf(Section) >= 0; }

bool TBigIniFile::ValueExists(std::string_view Section, std::string_view Ident) {
  const int i = Sections.IndexOf(Section);
  // A line "=x" has no key: the empty name is never a value, as ReadSection lists no such key.
  return i >= 0 && !Ident.empty() &&
         KeyLine(Sections.Items[static_cast<std::size_t>(i)].Lines, Ident) >= 0;
}

bool TBigIniFile::WriteStringValue(std::string_view Section, std::string_view Ident,
                                   std::string_view Value) {
  return WriteString(Section, Ident, Value);
}

bool TBigIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  return WriteString(Section, Ident, Value ? "1" : "0");
}

bool TBigIniFile::WriteBinaryStream(std::string_view Section, std::string_view Ident,
                                    std::istream& Stream) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (std::istreambuf_iterator<char> it(Stream), end; it != end; ++it) {
    const auto b = static_cast<unsigned char>(*it);
    text += kHex[b >> 4];
    text += kHex[b & 15];
  }
  return WriteStringValue(Section, Ident, text);
}

bool TBigIniFile::WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value) {
  return WriteString(Section, Ident, IniDateToStr(Value));
}

bool TBigIniFile::WriteDateTime(std::string_view Section, std::string_view Ident, TDateTime Value) {
  return WriteString(Section, Ident, IniDateTimeToStr(Value));
}

bool TBigIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value) {
  return WriteString(Section, Ident, IniFloatToStr(Value));
}

bool TBigIniFile::WriteInteger(std::string_view Section, std::string_view Ident, std::int32_t Value) {
  return WriteString(Section, Ident, std::to_string(Value));
}

bool TBigIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  if (Ident.empty()) {
    // Only the all-empty call has a meaning: write the file now. An empty key never erases.
    return Section.empty() && Value.empty() && FlushFile();
  }
  if (Ident.find('=') != std::string_view::npos || Ident.front() == '[' || HasLineBreak(Ident) ||
      HasLineBreak(Section))
    return false;
  std::string line(Ident);
  line += '=';
  line += OneLine(Value);
  std::vector<std::string>* list = nullptr;
  const std::int32_t i = FindKey(Section, Ident, list, true);
  if (i < 0) {
    list->push_back(std::move(line));
    Modified_ = true;
  } else if ((*list)[static_cast<std::size_t>(i)] != line) {
    (*list)[static_cast<std::size_t>(i)] = std::move(line);
    Modified_ = true;
  }
  return true;
}

bool TBigIniFile::WriteTime(std::string_view Section, std::string_view Ident, TDateTime Value) {
  return WriteString(Section, Ident, IniTimeToStr(Value));
}

const std::string& TBigIniFile::SectionNameAt(std::int32_t Index) const {
  return Sections.Items.at(static_cast<std::size_t>(Index)).Name;
}

const std::vector<std::string>& TBigIniFile::SectionLinesAt(std::int32_t Index) const {
  return Sections.Items.at(static_cast<std::size_t>(Index)).Lines;
}

bool TBigIniFile::IsDuplicateAt(std::int32_t Index) const {
  return Sections.Items.at(static_cast<std::size_t>(Index)).Duplicate;
}

std::string TBigIniFile::ReadStringAt(std::int32_t Index, std::string_view Ident,
                                      const std::string& Default) const {
  if (Index < 0 || Index >= Sections.Count()) return Default;
  const auto& lines = Sections.Items[static_cast<std::size_t>(Index)].Lines;
  const std::int32_t j = KeyLine(lines, Ident);
  if (j < 0) return Default;
  const std::string& line = lines[static_cast<std::size_t>(j)];
  return line.substr(line.find('=') + 1);
}

}  // namespace tav
