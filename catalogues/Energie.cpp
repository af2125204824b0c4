#include "catalogues/Energie.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/StatusSink.h"
#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

using namespace katalog;

// A new project's carrier: the first entry, silently.
constexpr std::string_view kInit = "*init*";

std::string DateiName(const CatalogueState& c) {
  return c.EnergieDatei.empty() ? EnergieDateiName("de") : c.EnergieDatei;
}

void SetBuiltIn(CatalogueState& c) {
  SetzeListe(BuiltInEnergie(), c.Energietraeger, c.EnergieAnzahl);
}

// A language's own file, not the German one the built-in rows belong to.
bool IstSprachDatei(const CatalogueState& c) {
  return !EqualsNoCase(DateiName(c), EnergieDateiName("de"));
}

// The keys every entry is written with.
constexpr std::array<std::string_view, 7> kSchluessel = {
    "EnergieName", "Einheit", "kWhinEinheit", "CO2inEinheit", "NutzgradWinter",
    "NutzgradFruehlingHerbst", "NutzgradSommer"};

// Entry `nummer` as its section holds it, a missing key taking its default.
TEnergie LeseEintrag(SektionsLeser& leser, int nummer) {
  TEnergie e;
  e.EnergieName = leser.TextOhneRand("EnergieName", "Energie " + std::to_string(nummer));
  e.Einheit = leser.TextOhneRand("Einheit", "Einheit?");
  e.kWhinEinheit = leser.Zahl("kWhinEinheit", 0.0001f);
  e.CO2inEinheit = leser.Zahl("CO2inEinheit", 0.0001f);
  e.NutzgradWinter = static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradWinter", 80, 0, 65535));
  e.NutzgradFruehlingHerbst =
      static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradFruehlingHerbst", 75, 0, 65535));
  e.NutzgradSommer = static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradSommer", 60, 0, 65535));
  RoundEnergieToWritten(e);
  return e;
}

// A file cut short (a copy broken off, a full disk) ends inside its last entry: the keys that
// entry lacks are a tail of the order the writer puts them in, and an entry before holds one
// of them. Deliberate: that entry is left out rather than filled with defaults, which would
// give a project figures the file never held. A key missing before one that is there was
// left out by hand and takes its default; a file whose entries never held a key was written
// without it. A last line without a line end is no sign: files saved by hand often end so.
// The missing keys; none when the last entry is whole.
std::vector<std::string_view> FehlenderSchluss(const TBigIniFile& ini) {
  const int letzte = ini.SectionCount() - 1;
  if (letzte < 1) return {};
  const SektionsLeser leser(ini, letzte);
  std::size_t da = kSchluessel.size();  // the keys from here on are missing
  while (da > 0 && !leser.Hat(kSchluessel[da - 1])) --da;
  for (std::size_t k = 0; k < da; ++k)
    if (!leser.Hat(kSchluessel[k])) return {};  // a gap before a key that is there
  std::vector<std::string_view> fehlt(kSchluessel.begin() + static_cast<std::ptrdiff_t>(da), kSchluessel.end());
  for (int i = 0; i < letzte; ++i)
    for (const std::string_view key : fehlt)
      if (SektionsLeser(ini, i).Hat(key)) return fehlt;
  return {};
}

std::string Aufzaehlung(const std::vector<std::string>& teile) {
  std::string t;
  for (const std::string& teil : teile) t += (t.empty() ? "" : ", ") + teil;
  return t;
}

// What a carrier file holds: the entries a list takes (at most kMaxEnergietraeger) and what
// was found wrong with it, in the session's language.
struct Gelesen {
  std::vector<TEnergie> eintraege;
  std::vector<std::string> probleme;
  std::vector<std::string> ausgelassen;  // sections left out
  std::vector<std::string> ersetzt;      // sections kept with defaults for unreadable values
  int zuviele = 0;                       // sections beyond the list's capacity
};

Gelesen LiesEintraege(const TBigIniFile& ini) {
  Gelesen g;
  const std::vector<std::string_view> fehlt = FehlenderSchluss(ini);
  if (!fehlt.empty()) {
    std::vector<std::string> keys(fehlt.begin(), fehlt.end());
    g.probleme.push_back("[" + Zitat(ini.SectionNameAt(ini.SectionCount() - 1)) + "] " +
                         ReplaceHashMark(T(TX::EnergieAbgeschnitten), Aufzaehlung(keys)));
  }
  for (int i = 0; i < ini.SectionCount(); ++i) {
    if (static_cast<int>(g.eintraege.size()) == kMaxEnergietraeger) {
      g.probleme.push_back(T(TX::WarnungMaxAnzahl));
      g.zuviele = ini.SectionCount() - i;
      break;
    }
    SektionsLeser leser(ini, i);
    // The entry cut short is named once, above; its missing figures are no further problems.
    if (!fehlt.empty() && i == ini.SectionCount() - 1) {
      g.ausgelassen.push_back(leser.Name());
      continue;
    }
    TEnergie e = LeseEintrag(leser, static_cast<int>(g.eintraege.size()) + 1);
    if (leser.Fehlerhaft()) g.probleme.push_back(leser.FehlerText());
    if (!(e.kWhinEinheit > 0.0f)) {
      g.probleme.push_back("[" + Zitat(leser.Name()) + "] kWhinEinheit: " +
                           FloatToCommaStr(1, 2, e.kWhinEinheit) + " " + T(TX::zuniedrig));
      g.ausgelassen.push_back(leser.Name());
      continue;
    }
    if (leser.Fehlerhaft()) g.ersetzt.push_back(leser.Name());
    g.eintraege.push_back(std::move(e));
  }
  // A project finds the last entry of its name; the user is told which names are ambiguous.
  std::vector<std::string> doppelt;
  for (std::size_t i = 0; i < g.eintraege.size(); ++i) {
    const std::string& name = g.eintraege[i].EnergieName;
    bool vorher = false, nachher = false;
    for (std::size_t j = 0; j < g.eintraege.size(); ++j)
      if (j != i && g.eintraege[j].EnergieName == name) (j < i ? vorher : nachher) = true;
    if (nachher && !vorher) doppelt.push_back("\"" + Zitat(name) + "\"");
  }
  if (!doppelt.empty()) g.probleme.push_back(ReplaceHashMark(T(TX::EnergieNamenDoppelt), Aufzaehlung(doppelt)));
  return g;
}

void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = EnergieDateiPfad(s);
  TBigIniFile ini;
  const Ladung l = LadeKatalog(pfad, ini, &s.cat.DateiStaende);
  // Only the German file is made from the built-in rows; an empty file of another language
  // is said below (no entry) and left as it is.
  if (l == Ladung::Fehlt && !IstSprachDatei(c)) {
    DefaultEnergie(s, status);
    return;
  }
  if (l == Ladung::Unlesbar) {
    SetBuiltIn(c);
    return;
  }
  Probleme probleme(pfad);
  Gelesen g = LiesEintraege(ini);
  for (std::string& t : g.probleme) probleme.Add(std::move(t));
  // What the list does not hold as the file has it: a rewrite asks first.
  if (g.zuviele > 0) NotiereLuecke(&c.DateiStaende, pfad, LueckeZuviele(g.zuviele, kMaxEnergietraeger));
  const int n = static_cast<int>(g.eintraege.size());
  if (n == 0) {
    probleme.Add(T(TX::EnergieKeineDaten));
    if (g.ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeKeinEintrag());
    SetBuiltIn(c);
  } else {
    SetzeListe(std::move(g.eintraege), c.Energietraeger, c.EnergieAnzahl);
  }
  if (!g.ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeAusgelassen(g.ausgelassen));
  if (!g.ersetzt.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeErsatzwerte(g.ersetzt));
  probleme.Melde();
}

// Index of the entry whose signature is nearest to `signatur`; on a tie the entry `bevorzugt`
// (the one in use before) wins, else the first.
int NaechsteSignatur(const CatalogueState& c, const std::string& signatur, int bevorzugt) {
  std::int32_t best = 0;
  const int nr = NaechsterEintrag(c.EnergieAnzahl, signatur,
                                  [&](int i) { return EnergieText(c.Energietraeger[i]); }, best);
  if (bevorzugt >= 1 && bevorzugt <= c.EnergieAnzahl &&
      NamensDistanz(signatur, EnergieText(c.Energietraeger[bevorzugt])) == best)
    return bevorzugt;
  return nr;
}

// A carrier as the file of another language holds it, and its row in that file's list.
struct FremderTraeger {
  TEnergie eintrag;
  int zeile = 0;
};

// The entries of another language's carrier file in the data folder as its list would take
// them, read without a word: such a file is only consulted. None when it is not there or
// cannot be read, except that the German file, missing or empty, stands for the built-in
// rows it is made from.
std::optional<std::vector<TEnergie>> EintraegeAnderer(const TavState& s, const std::string& datei) {
  const std::string pfad = DatenPfad(s, datei);
  std::error_code ec;
  const bool da = std::filesystem::exists(pfad, ec);
  std::string bytes;
  if (da && !ReadWholeFile(pfad, bytes, nullptr, kMaxKatalogBytes)) return std::nullopt;
  if (!da || OhneInhalt(bytes)) {
    if (datei == EnergieDateiName("de")) return BuiltInEnergie();
    return std::nullopt;
  }
  TBigIniFile ini;
  ini.LoadFromText(DecodeText(bytes, CodePage::Cp1252));
  return LiesEintraege(ini).eintraege;
}

// The carrier `name` in the carrier files of the other languages: the last entry of that
// name in the first file that holds it.
std::optional<FremderTraeger> InAnderenSprachen(const TavState& s, const std::string& name) {
  const std::string eigene = DateiName(s.cat);
  for (std::size_t l = 1; l < SprachTabelle.size(); ++l) {
    const std::string datei = EnergieDateiName(SprachTabelle[l].Kuerzel);
    if (EqualsNoCase(datei, eigene)) continue;
    const auto eintraege = EintraegeAnderer(s, datei);
    if (!eintraege) continue;
    std::optional<FremderTraeger> fund;
    for (std::size_t i = 0; i < eintraege->size(); ++i)
      if ((*eintraege)[i].EnergieName == name) fund = FremderTraeger{(*eintraege)[i], static_cast<int>(i) + 1};
    if (fund) return fund;
  }
  return std::nullopt;
}

// The carrier names by position, for the name searches.
auto Namen(const CatalogueState& c) {
  return [&c](int i) -> const std::string& {
    return c.Energietraeger[static_cast<std::size_t>(i)].EnergieName;
  };
}

// How a stored carrier name is found: `nr` the entry of the list that is this carrier (-1
// when none is); else `fremd`, the entry of another language's file that holds the name.
struct NamensFund {
  int nr = -1;
  std::optional<TEnergie> fremd;
};

NamensFund FindeNachName(const TavState& s, const std::string& name) {
  const CatalogueState& c = s.cat;
  NamensFund f;
  f.nr = LetzterMitNamen(c.EnergieAnzahl, name, Namen(c));
  if (f.nr != -1 || c.EnergieAnzahl < 1 || name == kInit) return f;
  std::optional<FremderTraeger> fremd = InAnderenSprachen(s, name);
  if (!fremd) return f;
  // The same carrier in this language: the same values; of equal ones, the same row.
  const std::string signatur = EnergieText(fremd->eintrag);
  const int naechste = NaechsteSignatur(c, signatur, fremd->zeile);
  if (EnergieText(c.Energietraeger[static_cast<std::size_t>(naechste)]) == signatur) f.nr = naechste;
  else f.fremd = std::move(fremd->eintrag);
  return f;
}

// The carrier's figures and name into the konv... variables.
void Uebernimm(PlantState& p, const TEnergie& e) {
  p.konvEnergie = e.EnergieName;
  p.konvEinheit = e.Einheit;
  p.konvKWhinEinheit = e.kWhinEinheit;
  p.konvCO2inEinheit = e.CO2inEinheit;
  p.konvNutzgradWinter = e.NutzgradWinter;
  p.konvNutzgradFruehlingHerbst = e.NutzgradFruehlingHerbst;
  p.konvNutzgradSommer = e.NutzgradSommer;
}

}  // namespace

void AppendEnergieSection(std::string& out, int nummer, const TEnergie& e) {
  out += "[Energieform " + std::to_string(nummer) + "]\r\n";
  Zeile(out, "EnergieName", e.EnergieName);
  Zeile(out, "Einheit", e.Einheit);
  Zeile(out, "kWhinEinheit", FloatToCommaStr(1, 2, e.kWhinEinheit));
  Zeile(out, "CO2inEinheit", FloatToCommaStr(1, 2, e.CO2inEinheit));
  Zeile(out, "NutzgradWinter", std::to_string(e.NutzgradWinter));
  Zeile(out, "NutzgradFruehlingHerbst", std::to_string(e.NutzgradFruehlingHerbst));
  Zeile(out, "NutzgradSommer", std::to_string(e.NutzgradSommer));
  out += "\r\n";
}

std::string EnergieKatalogText(const CatalogueState& c) {
  std::string out;
  for (int n = 1; n <= c.EnergieAnzahl; ++n) AppendEnergieSection(out, n, c.Energietraeger[n]);
  return out;
}

void RoundEnergieToWritten(TEnergie& e) {
  e.kWhinEinheit = AufGeschrieben(e.kWhinEinheit, 2);
  e.CO2inEinheit = AufGeschrieben(e.CO2inEinheit, 2);
}

std::vector<TEnergie> BuiltInEnergie() {
  struct Row {
    const char* name;
    const char* einheit;
    float kwh, co2;
    std::uint16_t w, fh, so;
  };
  static constexpr Row kRows[] = {
      {"Heizöl Standard-Kessel", "Liter Öl", 10.0f, 2.6f, 91, 75, 60},
      {"Heizöl Brennwertkessel", "Liter Öl", 10.0f, 2.6f, 91, 75, 60},
      {"Erdgas Kessel mit atmosph. Brenner", "m3 Gas", 10.0f, 1.9f, 85, 70, 55},
      {"Erdgas Kessel mit Gebläse-Brenner", "m3 Gas", 10.0f, 1.9f, 92, 80, 60},
      {"Erdgas Brennwert-Kessel", "m3 Gas", 10.0f, 1.9f, 103, 85, 70},
      {"Elektroenergie (Strommix Deutschland)", "kWh el", 1.0f, 0.8f, 99, 99, 99},
      {"Elektro-Wärmepumpe (Strommix Deutschland)", "kWh el", 1.0f, 0.8f, 350, 370, 400},
      {"Holzpellets", "kg", 5.0f, 0.0f, 90, 70, 55},
  };
  std::vector<TEnergie> out;
  for (const Row& r : kRows) {
    TEnergie e;
    e.EnergieName = r.name;
    e.Einheit = r.einheit;
    e.kWhinEinheit = r.kwh;
    e.CO2inEinheit = r.co2;
    e.NutzgradWinter = r.w;
    e.NutzgradFruehlingHerbst = r.fh;
    e.NutzgradSommer = r.so;
    RoundEnergieToWritten(e);
    out.push_back(std::move(e));
  }
  return out;
}

std::string EnergieText(const TEnergie& e) {
  const std::string co2 = FloatToCommaStr(1, 1, e.CO2inEinheit);
  return "kWh" + FloatToCommaStr(1, 1, e.kWhinEinheit) + "CO2" + co2 + co2 + co2 + "WFS" +
         std::to_string(e.NutzgradWinter) + std::to_string(e.NutzgradFruehlingHerbst) +
         std::to_string(e.NutzgradSommer);
}

std::string EnergieDateiPfad(const TavState& s) { return DatenPfad(s, DateiName(s.cat)); }

bool WriteEnergie(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  for (int n = 1; n <= c.EnergieAnzahl; ++n) RoundEnergieToWritten(c.Energietraeger[n]);
  return SchreibeKatalog(EnergieDateiPfad(s), EnergieKatalogText(c), DateiName(c),
                         T(TX::EnergieSchreibfehler), status, &c.DateiStaende);
}

bool DefaultEnergie(TavState& s, StatusSink& status) {
  SetBuiltIn(s.cat);
  return WriteEnergie(s, status);
}

void ReadEnergie(TavState& s, const std::string& signatur, StatusSink& status) {
  CatalogueState& c = s.cat;
  PlantState& p = s.plant;
  // Read again after a rewrite was refused because another program changed the file.
  if (!c.EnergieGeladen || Veraltet(c.DateiStaende, EnergieDateiPfad(s))) {
    LadeListe(s, status);
    c.EnergieGeladen = true;
  }
  const int vorher = p.EnergieNr;
  p.EnergieNr = -1;
  if (!signatur.empty()) {
    const int nr = NaechsteSignatur(c, signatur, vorher);
    // Deliberate: when no entry of this file has the carrier's figures (the file is short or
    // damaged, or lacks the row), the carrier keeps them and its name, outside the list,
    // rather than taking the nearest entry's: a change of language never changes what a
    // project burns.
    if (nr < 1 || EnergieText(c.Energietraeger[static_cast<std::size_t>(nr)]) != signatur) return;
    p.EnergieNr = nr;
    ShowInfoMessage(T(TX::gewaehlt) + ": " + Zitat(c.Energietraeger[p.EnergieNr].EnergieName));
  } else {
    NamensFund f = FindeNachName(s, p.konvEnergie);
    p.EnergieNr = f.nr;
    if (p.EnergieNr == -1 && p.konvEnergie == kInit && c.EnergieAnzahl >= 1) p.EnergieNr = 1;
    if (p.EnergieNr == -1 && f.fremd) {
      // Deliberate: a carrier that another language's file holds, with figures no entry here
      // has (this file lacks the row, or is cut short), keeps those figures and its name,
      // outside the list, rather than the nearest entry: a language's file never changes
      // what a project burns.
      Uebernimm(p, *f.fremd);
      return;
    }
    if (p.EnergieNr == -1 && c.EnergieAnzahl >= 1) {
      // A name in no file: the nearest name, and the user is told.
      std::int32_t best = 0;
      p.EnergieNr = NaechsterEintrag(c.EnergieAnzahl, p.konvEnergie, Namen(c), best);
      MeldeErsatz(p.konvEnergie, T(TX::Meldung_nichtgefunden),
                  c.Energietraeger[p.EnergieNr].EnergieName);
    }
  }
  SelectEnergie(s, p.EnergieNr);
}

int EnergieNachName(const TavState& s, const std::string& name) { return FindeNachName(s, name).nr; }

bool SelectEnergie(TavState& s, int n) {
  const CatalogueState& c = s.cat;
  if (n < 1 || n > c.EnergieAnzahl) return false;
  s.plant.EnergieNr = n;
  Uebernimm(s.plant, c.Energietraeger[n]);
  return true;
}

}  // namespace tav
