#include "foundation/TextTable.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"

namespace tav {

namespace detail {
extern const TextDefault kTextDefaults[kTextCount];
}  // namespace detail

namespace {

// The first MaxChars characters of a UTF-8 text.
std::string CutChars(const std::string& s, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if ((c & 0xC0) != 0x80) {
      if (chars == maxChars) return s.substr(0, i);
      ++chars;
    }
  }
  return s;
}

// The text with its first letter in upper case (also the Central European letters).
std::string CapitalFirst(const std::string& s) {
  std::size_t pos = 0;
  char32_t first = 0;
  if (!NextCodePoint(s, pos, first)) return s;
  return UpperCaseText(std::string_view(s).substr(0, pos)) + s.substr(pos);
}

}  // namespace

const TextDefault& TextDefaultOf(TX key) {
  return detail::kTextDefaults[static_cast<std::size_t>(key)];
}

std::optional<TX> TextKeyByName(std::string_view name) {
  static const std::unordered_map<std::string, TX> byName = [] {
    std::unordered_map<std::string, TX> m;
    for (std::size_t i = 0; i < kTextCount; ++i) {
      m.emplace(FoldCaseUtf8(detail::kTextDefaults[i].key), static_cast<TX>(i));
    }
    return m;
  }();
  const auto it = byName.find(FoldCaseUtf8(name));
  if (it == byName.end()) return std::nullopt;
  return it->second;
}

TTextTable::TTextTable() { LoadDefaults(); }

void TTextTable::LoadDefaults() {
  Load([](std::string_view) { return std::optional<std::string>(); });
}

void TTextTable::Load(
    const std::function<std::optional<std::string>(std::string_view key)>& lookup) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const TextDefault& d = detail::kTextDefaults[i];
    std::optional<std::string> text = lookup(d.key);
    texts_[i] = text ? std::move(*text) : std::string(d.deutsch);
  }
  Derive();
}

void TTextTable::Derive() {
  static constexpr TX months[] = {TX::Jan, TX::Feb, TX::Mar, TX::Apr, TX::Mai, TX::Jun, TX::Jul,
                                  TX::Aug, TX::Sep, TX::Okt, TX::Nov, TX::Dez, TX::Sum};
  Monatsnamen[0].clear();
  for (std::size_t m = 0; m < std::size(months); ++m) {
    Monatsnamen[m + 1] = CutChars((*this)[months[m]], 15);
  }
  static constexpr TX kurz[] = {TX::Anl1, TX::Anl2, TX::Anl3, TX::Anl4,
                                TX::Anl5, TX::Anl6, TX::Anl7, TX::Anl8};
  AnlagenKurzNamen[0].clear();
  for (std::size_t n = 0; n < std::size(kurz); ++n) AnlagenKurzNamen[n + 1] = (*this)[kurz[n]];
  FormSimErgBitBtn5Hint2 = (*this)[TX::FormSimErgBitBtn5Hint];
  GesamtGross = CapitalFirst((*this)[TX::gesamt]);
}

bool TTextTable::LoadTexts(const std::filesystem::path& file, CodePage codePage,
                           std::string* fehler) {
  if (fehler) fehler->clear();
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
    LoadDefaults();
    return false;
  }
  TBigIniFile ini(file.string(), codePage);
  std::string problem = ini.LoadError();
  if (problem.empty() && !ini.SectionExists("Tavrel"))
    problem = "Die Datei " + file.string() + " enthält keinen Abschnitt [Tavrel]";
  if (!problem.empty()) {
    if (fehler) *fehler = problem;
    LoadDefaults();
    return false;
  }
  // One pass over the section instead of a search per key: the key is the text before the
  // first "=", compared without regard to case; the first line of a key counts.
  std::vector<std::string> lines;
  ini.ReadSectionValues("Tavrel", lines);
  std::unordered_map<std::string, std::string> values;
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    values.emplace(FoldCaseUtf8(std::string_view(line).substr(0, eq)), line.substr(eq + 1));
  }
  Load([&values](std::string_view key) -> std::optional<std::string> {
    const auto it = values.find(FoldCaseUtf8(key));
    if (it == values.end()) return std::nullopt;
    return it->second;
  });
  return true;
}

TTextTable& Texts() {
  static TTextTable table;
  return table;
}

const TTextTable& DeutscheTextTabelle() {
  static const TTextTable deutsch;  // a table starts with the German defaults, never loaded
  return deutsch;
}

std::string LangFileName(const std::string& name, const std::string& code) {
  if (EqualsNoCase(code, "de")) return name + ".dat";
  return name + "_" + code + ".dat";
}

std::string LangDataFileName(const std::string& name, const std::string& code,
                             const std::filesystem::path& folder) {
  // German has no suffixed file, whatever the letter case of its code.
  if (!EqualsNoCase(code, "de")) {
    const std::string own = name + "_" + code + ".dat";
    // Whatever stands there under that name is the language's file: one that cannot be read
    // (a folder, a pipe) is named by its reader, not passed over for the German one.
    std::error_code ec;
    if (std::filesystem::exists(folder / own, ec)) return own;
  }
  return name + ".dat";
}

std::string SystemGrund(int err) {
  static constexpr std::pair<int, TX> kGruende[] = {
      {EACCES, TX::SysEACCES},   {EPERM, TX::SysEPERM},   {ENOENT, TX::SysENOENT},
      {ENOTDIR, TX::SysENOTDIR}, {EISDIR, TX::SysEISDIR}, {EEXIST, TX::SysEEXIST},
      {ENOSPC, TX::SysENOSPC},   {EDQUOT, TX::SysEDQUOT}, {EFBIG, TX::SysEFBIG},
      {EROFS, TX::SysEROFS},     {EIO, TX::SysEIO},       {ENAMETOOLONG, TX::SysENAMETOOLONG},
      {ELOOP, TX::SysELOOP},     {EMFILE, TX::SysEMFILE}, {ENFILE, TX::SysEMFILE},
      {ENOMEM, TX::SysENOMEM},   {EBUSY, TX::SysEBUSY},   {ETXTBSY, TX::SysEBUSY},
      {EXDEV, TX::SysEXDEV},     {EINVAL, TX::SysEINVAL},
  };
  for (const auto& [nummer, text] : kGruende)
    if (nummer == err) return T(text);
  return ReplaceHashMark(T(TX::SysFehler), std::to_string(err));
}

std::string TextMit(TX key, std::initializer_list<std::string> werte) {
  std::string text = T(key);
  // Filled from the back, so a value holding "#" is never taken for a mark.
  std::vector<std::size_t> marken;
  for (auto pos = text.find('#'); pos != std::string::npos; pos = text.find('#', pos + 1)) marken.push_back(pos);
  std::size_t n = std::min(marken.size(), werte.size());
  for (auto it = werte.begin() + static_cast<std::ptrdiff_t>(n); n > 0; --n) {
    --it;
    text.replace(marken[n - 1], 1, *it);
  }
  return text;
}

}  // namespace tav
