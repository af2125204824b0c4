#include "foundation/Settings.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/FileUtil.h"
#include "foundation/Folders.h"
#include "foundation/Language.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr const char* kSection = "Tavrel";

// The curve switches of the live run diagram.
struct Kurve {
  const char* key;
  bool SettingsState::*schalter;
};
constexpr Kurve kKurven[] = {
    {"plotE_Koll", &SettingsState::plotE_Koll}, {"plotP_Anlg", &SettingsState::plotP_Anlg},
    {"plotT_Koll", &SettingsState::plotT_Koll}, {"plotA_To", &SettingsState::plotA_To},
    {"plotA_Tu", &SettingsState::plotA_Tu},     {"plotA_To2", &SettingsState::plotA_To2},
    {"plotA_Tu2", &SettingsState::plotA_Tu2}};

std::string SettingsFile(const TavState& s) {
  return FindFileNoCase(s.folders.DatenDir, std::string(IniDateiName)).string();
}

// Placements are stored as whole numbers; what does not fit the placement's range is
// clamped rather than wrapped into a nonsense position.
std::int16_t ReadSmallInt(TBigIniFile& ini, const char* key, std::int16_t def) {
  const std::int32_t v = ini.ReadInteger(kSection, key, def);
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(
      v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// The keys whose values are numbers, truth values or dates: a text there that is none
// (a damaged or hand-edited file) is reported, not taken silently as the default.
constexpr const char* kZahlSchluessel[] = {
    "ProjektNummer", "DruckDatum", "DruckHeader", "FarbModus", "DruckModus", "SimJahre",
    "HMleft",        "HMtop",      "HMwidth",     "HMheight",  "HMwstate",   "AFleft",
    "AFtop"};
constexpr const char* kDatumSchluessel[] = {"dtKollNeuDat", "dtOrteNeuDat"};

// What is wrong with a settings file that could be read: no section "Tavrel" in a file that
// holds text, or values that cannot be read as what they are. Empty when nothing is.
std::string Schaden(TBigIniFile& ini, const std::string& file) {
  if (!ini.SectionExists(kSection)) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes) || NurLeerraum(bytes)) return {};
    return file + " enthält keinen Abschnitt [" + std::string(kSection) +
           "]; es gelten die Standardeinstellungen.";
  }
  std::string liste;
  const auto melde = [&liste](const char* key) {
    liste += (liste.empty() ? "\"" : ", \"") + std::string(key) + "\"";
  };
  std::int32_t ganz = 0;
  for (const char* key : kZahlSchluessel)
    if (ini.ValueExists(kSection, key) && !IniParseInt(ini.ReadString(kSection, key, ""), ganz))
      melde(key);
  for (const auto& c : kKurven)
    if (ini.ValueExists(kSection, c.key) && !IniParseInt(ini.ReadString(kSection, c.key, ""), ganz))
      melde(c.key);
  TDateTime datum = 0.0;
  for (const char* key : kDatumSchluessel)
    if (ini.ValueExists(kSection, key) &&
        !IniStrToDateTime(ini.ReadString(kSection, key, ""), datum))
      melde(key);
  if (liste.empty()) return {};
  return "Ungültige Werte in " + file + " [" + std::string(kSection) + "]: " + liste +
         "; es gelten die Standardwerte.";
}

}  // namespace

std::string DruckSeitenText(std::uint8_t seiten) {
  std::string s;
  if (seiten & dsReport) s += 'R';
  if (seiten & dsEnergiebilanz) s += 'E';
  if (seiten & dsOekologie) s += 'O';
  return s.empty() ? "R" : s;
}

std::uint8_t DruckSeitenAus(const std::string& text) {
  std::uint8_t seiten = 0;
  for (char c : text) {
    if (c == 'R' || c == 'r') seiten |= dsReport;
    if (c == 'E' || c == 'e') seiten |= dsEnergiebilanz;
    if (c == 'O' || c == 'o') seiten |= dsOekologie;
  }
  return seiten;
}

void ResolvePrinter(SettingsState& st, const SettingsEnv& env) {
  st.DruckerOffen = false;
  if (env.Drucker.empty()) {
    st.Drucker.clear();
    return;
  }
  const auto it = std::find(env.Drucker.begin(), env.Drucker.end(), st.Drucker);
  st.Drucker = it != env.Drucker.end() ? *it : env.AktuellerDrucker;
  if (env.SelectPrinter && it != env.Drucker.end()) env.SelectPrinter(st.Drucker);
}

void LoadSettings(TavState& s, TTextTable& texts, const SettingsEnv& env) {
  SettingsState& st = s.settings;
  const SettingsState defaults;
  {
    TBigIniFile ini(SettingsFile(s));
    st.DateiSchaden = ini.LoadError().empty() ? Schaden(ini, SettingsFile(s)) : ini.LoadError();
    st.DateiBehalten = false;
    if (!st.DateiSchaden.empty()) ShowMessageLines(st.DateiSchaden);
    st.ProjektNummer = ini.ReadInteger(kSection, "ProjektNummer", defaults.ProjektNummer);
    st.DruckDatum = ini.ReadBool(kSection, "DruckDatum", defaults.DruckDatum);
    st.DruckHeader = ini.ReadBool(kSection, "DruckHeader", defaults.DruckHeader);
    const std::int32_t farbModus = ini.ReadInteger(kSection, "FarbModus", 0);
    st.FarbModus = farbModus == 1 ? 1 : 0;
    const std::int32_t druckModus = ini.ReadInteger(kSection, "DruckModus", 0);
    const char* seitenVorgabe = druckModus == 0 ? "E" : druckModus == 1 ? "O" : "REO";
    const std::string seiten = ini.ReadString(kSection, "DruckSeiten", seitenVorgabe);
    st.DruckSeiten = DruckSeitenAus(seiten);
    if (st.DruckSeiten == 0) {
      // Saved as "R" next time: said now, so that the change is not silent.
      ShowMessageLines(SettingsFile(s) + ": DruckSeiten=\"" + Zitat(seiten) +
                       "\" nennt keinen Teil des Berichts; es gilt \"R\".");
      st.DruckSeiten = dsReport;
    }
    st.DruckFont = ini.ReadString(kSection, "DruckFont", defaults.DruckFont);
    st.Drucker = ini.ReadString(kSection, "Drucker", env.DruckerSpaeter ? std::string() : env.AktuellerDrucker);
    st.DrucklogoDatei = ini.ReadString(kSection, "DrucklogoDatei", defaults.DrucklogoDatei);
    st.SimJahre = ini.ReadInteger(kSection, "SimJahre", 3) == 1 ? 1 : 3;
    st.Sprache = ini.ReadString(kSection, "Sprache", std::string(StandardSprache));
    st.ImportDir = ini.ReadString(kSection, "ImportDir", defaults.ImportDir);
    st.MeteoDir = ini.ReadString(kSection, "MeteoDir", defaults.MeteoDir);
    st.EnEVDir = ini.ReadString(kSection, "EnEVDir", defaults.EnEVDir);
    st.DatumKollNeu = ini.ReadDateTime(kSection, "dtKollNeuDat", 0.0);
    st.DatumOrteNeu = ini.ReadDateTime(kSection, "dtOrteNeuDat", 0.0);
    st.HMPos.Links = ReadSmallInt(ini, "HMleft", defaults.HMPos.Links);
    st.HMPos.Oben = ReadSmallInt(ini, "HMtop", defaults.HMPos.Oben);
    st.HMPos.Breite = ReadSmallInt(ini, "HMwidth", defaults.HMPos.Breite);
    st.HMPos.Hoehe = ReadSmallInt(ini, "HMheight", defaults.HMPos.Hoehe);
    st.HMPos.Maximiert = ini.ReadBool(kSection, "HMwstate", defaults.HMPos.Maximiert);
    st.AFPos.Links = ReadSmallInt(ini, "AFleft", defaults.AFPos.Links);
    st.AFPos.Oben = ReadSmallInt(ini, "AFtop", defaults.AFPos.Oben);
    for (const auto& c : kKurven) st.*c.schalter = ini.ReadBool(kSection, c.key, true);
  }

  if (env.PickFont) st.DruckFont = env.PickFont(st.DruckFont);

  st.DruckerOffen = env.DruckerSpaeter;
  if (!st.DruckerOffen) ResolvePrinter(st, env);

  if (!IsRegularFile(st.DrucklogoDatei)) st.DrucklogoDatei = "NUL";
  if (st.LogoFest) st.DrucklogoDatei = "FIX";

  if (!LanguageFileExists(s.folders.ProgDir, st.Sprache)) {
    // A missing file is the usual case of a language not installed; anything else in its
    // place (a folder, a pipe) is said.
    const auto datei = FindFileNoCase(s.folders.ProgDir, st.Sprache + ".dat");
    std::error_code ec;
    std::string bytes, grund;
    if (std::filesystem::exists(std::filesystem::symlink_status(datei, ec)) &&
        !ReadWholeFile(datei, bytes, &grund))
      ShowMessageLines(grund + "; es gelten die deutschen Texte.");
    st.Sprache = std::string(StandardSprache);
  }
  SwitchLanguage(s, texts, LanguageNumber(s.cat, st.Sprache));
}

namespace {


// Puts the current values into section "Tavrel" of `ini`. Lines of another program version
// in that section (keys, comments) are kept as they were written, also those the key-value
// writer would refuse (a key with a CR or a leading "["). Own keys are the ones written here
// and the older "DruckModus", which is read but no longer written.
void SchreibeAbschnitt(TBigIniFile& ini, const SettingsState& st, const std::string& drucker) {
  std::vector<std::string> previous;
  ini.ReadSectionValues(kSection, previous);
  ini.EraseSection(kSection);
  ini.WriteInteger(kSection, "ProjektNummer", st.ProjektNummer);
  ini.WriteBool(kSection, "DruckDatum", st.DruckDatum);
  ini.WriteBool(kSection, "DruckHeader", st.DruckHeader);
  ini.WriteInteger(kSection, "FarbModus", st.FarbModus);
  ini.WriteString(kSection, "DruckSeiten", DruckSeitenText(st.DruckSeiten));
  ini.WriteString(kSection, "DruckFont", st.DruckFont);
  ini.WriteString(kSection, "Drucker", drucker);
  ini.WriteString(kSection, "DrucklogoDatei", st.DrucklogoDatei);
  ini.WriteString(kSection, "Sprache", st.Sprache);
  ini.WriteString(kSection, "ImportDir", st.ImportDir);
  ini.WriteString(kSection, "MeteoDir", st.MeteoDir);
  ini.WriteString(kSection, "EnEVDir", st.EnEVDir);
  ini.WriteDateTime(kSection, "dtKollNeuDat", st.DatumKollNeu);
  ini.WriteDateTime(kSection, "dtOrteNeuDat", st.DatumOrteNeu);
  ini.WriteInteger(kSection, "SimJahre", st.SimJahre);
  ini.WriteInteger(kSection, "HMleft", st.HMPos.Links);
  ini.WriteInteger(kSection, "HMtop", st.HMPos.Oben);
  ini.WriteInteger(kSection, "HMwidth", st.HMPos.Breite);
  ini.WriteInteger(kSection, "HMheight", st.HMPos.Hoehe);
  ini.WriteBool(kSection, "HMwstate", st.HMPos.Maximiert);
  ini.WriteInteger(kSection, "AFleft", st.AFPos.Links);
  ini.WriteInteger(kSection, "AFtop", st.AFPos.Oben);
  for (const auto& c : kKurven) ini.WriteBool(kSection, c.key, st.*c.schalter);
  std::vector<std::string> own;
  ini.ReadSection(kSection, own);
  own.emplace_back("DruckModus");
  std::vector<std::string>* lines = nullptr;
  ini.FindKey(kSection, "", lines, true);
  for (const std::string& line : previous) {
    const std::size_t eq = line.find('=');
    const std::string_view key = std::string_view(line).substr(0, eq);
    const auto isKey = [key](const std::string& k) { return EqualsNoCase(key, k); };
    if (eq == std::string::npos || std::none_of(own.begin(), own.end(), isKey)) lines->push_back(line);
  }
}

// Why the save would write a file that the next start reads otherwise (bytes that are no
// UTF-8 kept in a file that would then read as UTF-8); empty when it would not. `ini` holds
// the file as read; what is put into it here is discarded, never written.
std::string NichtGleichGelesen(TBigIniFile& ini, const SettingsState& st, const std::string& drucker) {
  SchreibeAbschnitt(ini, st, drucker);
  std::string bytes, problem;
  const bool gleich = ini.ExactFileImage(bytes, problem);
  ini.DiscardChanges();
  return gleich ? std::string() : problem;
}

}  // namespace

bool SaveSettings(TavState& s, const std::string& selectedPrinter) {
  SettingsState& st = s.settings;
  const std::string file = SettingsFile(s);
  // The user chose to keep the file: asked once, not again at every save of the session.
  if (st.DateiBehalten) return false;
  std::string problem;
  {
    // A file that cannot be read is not replaced by what little is in memory; said at start
    // when it was unreadable then, else now.
    TBigIniFile probe(file);
    if (!probe.LoadError().empty()) {
      if (st.DateiSchaden.empty()) ShowMessageLines(probe.LoadError());
      return false;
    }
    problem = NichtGleichGelesen(probe, st, selectedPrinter);
  }
  // The questions come before the lock: an open question would keep another program out.
  // Their "Yes" gives up what the file holds: "No" is their default. What the user agreed to
  // replace is the file as it was when asked, not what another program writes meanwhile.
  std::optional<std::string> gefragt;
  const auto frage = [&](const std::string& text) {
    std::string bytes;
    ReadWholeFile(file, bytes);
    gefragt = std::move(bytes);
    return Msg().Ask(text, mbYesNoKeep) == mrYes;
  };
  // A damaged file (reported when it was read) is replaced only when the user agrees: what it
  // held may still be worth mending by hand.
  if (!st.DateiSchaden.empty() && !frage(TextMit(TX::EinstellungenBeschaedigt, {file}))) {
    st.DateiBehalten = true;
    return false;
  }
  // A file that would not read back the same is replaced by the current settings alone, in
  // a form that reads back: else the same messages would come at every start and exit.
  bool allein = false;
  if (!problem.empty()) {
    if (st.DateiSchaden.empty() && !frage(TextMit(TX::EinstellungenNichtGleich, {file, problem}))) {
      st.DateiBehalten = true;
      return false;
    }
    allein = true;
  }
  const bool nurLesenGemeldet = !s.folders.DatenDirNurLesen.empty();
  {
    // Two programs on one data folder: the file read here is the one this save replaces.
    const FileWriteLock sperre(file);
    if (!sperre.Ok()) {
      ShowMessageLines(sperre.Error());
      return false;
    }
    if (gefragt) {
      std::string jetzt;
      ReadWholeFile(file, jetzt);
      if (jetzt != *gefragt) {
        // Asked again at the next save, about the file as it is then.
        ShowMessageLines(TextMit(TX::EinstellungenFremdGeaendert, {file}));
        return false;
      }
    }
    TBigIniFile ini(file);
    if (!ini.LoadError().empty()) {
      // The unread file is not replaced by what little is in memory.
      ShowMessageLines(ini.LoadError());
      return false;
    }
    bool ok = false;
    std::string fehler;
    if (allein) {
      ini.DiscardChanges();
      TBigIniFile neu;  // no file behind it: its encoding is chosen for the text alone
      SchreibeAbschnitt(neu, st, selectedPrinter);
      std::string bytes, problem;
      ok = neu.ExactFileImage(bytes, problem) ? WriteFileAtomic(file, bytes, &fehler)
                                              : (fehler = NotWrittenText(file, problem), false);
      neu.DiscardChanges();
    } else {
      SchreibeAbschnitt(ini, st, selectedPrinter);
      ok = ini.FlushFile();
      if (!ok) fehler = ini.LastError();
      ini.DiscardChanges();  // reported once; closing the file must not try and report again
    }
    if (!ok) {
      // A data folder said to be read-only at start is not said again at every save.
      if (!nurLesenGemeldet) ShowMessageLines(fehler);
      return false;
    }
  }
  s.settings.DateiSchaden.clear();
  WriteDataDirSetting(s.folders);
  return true;
}

namespace {

// Puts a text back when the routine that replaced it ends, also by an exception.
class ScopedText {
 public:
  ScopedText(TTextTable& texts, TX key, std::string text)
      : texts_(texts), key_(key), saved_(texts[key]) {
    texts_.Set(key_, std::move(text));
  }
  ~ScopedText() { texts_.Set(key_, saved_); }
  ScopedText(const ScopedText&) = delete;
  ScopedText& operator=(const ScopedText&) = delete;

 private:
  TTextTable& texts_;
  TX key_;
  std::string saved_;
};

void OfferUpdate(TTextTable& texts, const std::string& folder, std::string_view fileName,
                 double& stored, const std::function<bool(const std::string&)>& import) {
  const std::string path = FindFileNoCase(folder, std::string(fileName)).string();
  double fileDate = 0.0;
  if (stored > 0.0 && stored <= 5.0) {
    stored -= 1.0;  // postponed: count down, no question this time
  } else {
    fileDate = FileDateOf(path);
    // Compared as the settings file keeps it (whole seconds): a date stored after an
    // answer must not count as older than the same file at the next start.
    IniStrToDateTime(IniDateTimeToStr(fileDate), fileDate);
  }
  if (!(fileDate > stored)) return;
  const int answer =
      Msg().Ask(ReplaceHashMark(texts[TX::DatenUpdateAbfrage], std::string(fileName)),
                Btn(mbYes) | Btn(mbNo) | Btn(mbIgnore), mtConfirmation);
  if (answer == mrYes) {
    // An update whose catalogue could not be written is offered again at the next start.
    if (!import || import(path)) stored = fileDate;
  } else if (answer == mrNo) {
    stored = fileDate;
  } else {
    stored = 5.0;
  }
}

}  // namespace

void CheckCatalogFileDates(TavState& s, TTextTable& texts, const std::string& folder,
                           const CatalogImports& imports) {
  ScopedText askLater(texts, TX::BtnIgnore, texts[TX::BtnAskLater]);
  OfferUpdate(texts, folder, KollNeuDatei, s.settings.DatumKollNeu, imports.ImportKollektoren);
  OfferUpdate(texts, folder, OrteNeuDatei, s.settings.DatumOrteNeu, imports.ImportOrte);
}

}  // namespace tav
