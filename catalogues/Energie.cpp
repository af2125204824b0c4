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

constexpr std::string_view kSchreibfehler = "Schreibfehler bei Energieträger-Datei";
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

// A file cut short (a copy broken off, a full disk) ends inside its last entry: its last
// line has no line end, or its last section lacks keys that an entry before it holds. The
// problem's text, empty when the file ends whole; `unvollstaendig` tells that the last entry
// lacks keys (its values would be defaults, not the file's).
std::string Abgeschnitten(const TBigIniFile& ini, std::string_view text, bool& unvollstaendig) {
  unvollstaendig = false;
  const int letzte = ini.SectionCount() - 1;
  if (letzte < 0) return {};
  // Blanks and an end-of-file mark after the last line end are no part of a line.
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\x1A'))
    text.remove_suffix(1);
  const bool ohneZeilenende = !text.empty() && text.back() != '\n' && text.back() != '\r';
  const SektionsLeser leser(ini, letzte);
  std::string fehlt;
  for (const std::string_view key : kSchluessel) {
    if (leser.Hat(key)) continue;
    bool davor = false;
    for (int i = 0; i < letzte && !davor; ++i) davor = SektionsLeser(ini, i).Hat(key);
    if (!davor && !ohneZeilenende) continue;
    fehlt += (fehlt.empty() ? "" : ", ") + std::string(key);
  }
  unvollstaendig = !fehlt.empty();
  if (!unvollstaendig && !ohneZeilenende) return {};
  std::string t = "[" + Zitat(leser.Name()) + "] ";
  t += unvollstaendig ? "endet vor " + fehlt : "endet ohne Zeilenende";
  t += ": die Datei ist wohl abgeschnitten";
  t += unvollstaendig ? "; der Eintrag wird nicht übernommen" : "; Zahlenangaben prüfen!";
  return t;
}

void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = EnergieDateiPfad(s);
  TBigIniFile ini;
  std::string text;
  const Ladung l = LadeKatalog(pfad, ini, &s.cat.DateiStaende, &text);
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
  bool unvollstaendig = false;
  if (std::string t = Abgeschnitten(ini, text, unvollstaendig); !t.empty()) probleme.Add(std::move(t));
  // What the list does not hold as the file has it: a rewrite asks first.
  std::vector<std::string> ersetzt;
  std::vector<std::string> ausgelassen;
  int n = 0;
  for (int i = 0; i < ini.SectionCount(); ++i) {
    if (n == kMaxEnergietraeger) {
      probleme.Add(T(TX::WarnungMaxAnzahl));
      NotiereLuecke(&c.DateiStaende, pfad, LueckeZuviele(ini.SectionCount() - i, kMaxEnergietraeger));
      break;
    }
    SektionsLeser leser(ini, i);
    TEnergie e = LeseEintrag(leser, n + 1);
    if (leser.Fehlerhaft()) probleme.Add(leser.FehlerText());
    if (!(e.kWhinEinheit > 0.0f)) {
      probleme.Add("[" + Zitat(leser.Name()) + "] kWhinEinheit: " + FloatToCommaStr(1, 2, e.kWhinEinheit) +
                   " " + T(TX::zuniedrig));
      ausgelassen.push_back(leser.Name());
      continue;
    }
    if (unvollstaendig && i == ini.SectionCount() - 1) {
      ausgelassen.push_back(leser.Name());
      continue;
    }
    if (leser.Fehlerhaft()) ersetzt.push_back(leser.Name());
    c.Energietraeger[++n] = std::move(e);
  }
  c.EnergieAnzahl = n;
  if (n == 0) {
    probleme.Add("Keine Energieträgerdaten gefunden");
    if (ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeKeinEintrag());
    SetBuiltIn(c);
  }
  if (!ausgelassen.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeAusgelassen(ausgelassen));
  if (!ersetzt.empty()) NotiereLuecke(&c.DateiStaende, pfad, LueckeErsatzwerte(ersetzt));
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

// A carrier as the file of another language holds it.
struct FremderTraeger {
  std::string signatur;
  int zeile = 0;
};

// The entries of another language's carrier file in the data folder, read without a word:
// such a file is only consulted. None when it is not there or cannot be read, except that
// the German file, missing or empty, stands for the built-in rows it is made from.
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
  std::vector<TEnergie> eintraege;
  for (int i = 0; i < ini.SectionCount() && i < kMaxEnergietraeger; ++i) {
    SektionsLeser leser(ini, i);
    eintraege.push_back(LeseEintrag(leser, i + 1));
  }
  return eintraege;
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
      if ((*eintraege)[i].EnergieName == name)
        fund = FremderTraeger{EnergieText((*eintraege)[i]), static_cast<int>(i) + 1};
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

// How a stored carrier name is found in the current list: `nr` the entry that is this
// carrier (-1 when none is); `naechste`, when another language's file holds the name, the
// entry whose values are nearest to the ones it has there (-1 when no file holds it).
struct NamensFund {
  int nr = -1;
  int naechste = -1;
};

NamensFund FindeNachName(const TavState& s, const std::string& name) {
  const CatalogueState& c = s.cat;
  NamensFund f;
  f.nr = LetzterMitNamen(c.EnergieAnzahl, name, Namen(c));
  if (f.nr != -1 || c.EnergieAnzahl < 1 || name == kInit) return f;
  const std::optional<FremderTraeger> fremd = InAnderenSprachen(s, name);
  if (!fremd) return f;
  // The same carrier in this language: the same values; of equal ones, the same row.
  f.naechste = NaechsteSignatur(c, fremd->signatur, fremd->zeile);
  if (EnergieText(c.Energietraeger[static_cast<std::size_t>(f.naechste)]) == fremd->signatur)
    f.nr = f.naechste;
  return f;
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
                         std::string(kSchreibfehler), status, &c.DateiStaende);
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
    p.EnergieNr = NaechsteSignatur(c, signatur, vorher);
    if (p.EnergieNr >= 1)
      ShowInfoMessage(T(TX::gewaehlt) + ": " + Zitat(c.Energietraeger[p.EnergieNr].EnergieName));
  } else {
    const NamensFund f = FindeNachName(s, p.konvEnergie);
    p.EnergieNr = f.nr;
    if (p.EnergieNr == -1 && p.konvEnergie == kInit && c.EnergieAnzahl >= 1) p.EnergieNr = 1;
    if (p.EnergieNr == -1 && c.EnergieAnzahl >= 1) {
      // Known in another language, but no entry here has its values: the nearest values;
      // a name in no file: the nearest name. Either way the user is told.
      std::int32_t best = 0;
      p.EnergieNr = f.naechste != -1 ? f.naechste
                                     : NaechsterEintrag(c.EnergieAnzahl, p.konvEnergie, Namen(c), best);
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
  const TEnergie& e = c.Energietraeger[n];
  PlantState& p = s.plant;
  p.EnergieNr = n;
  p.konvEnergie = e.EnergieName;
  p.konvEinheit = e.Einheit;
  p.konvKWhinEinheit = e.kWhinEinheit;
  p.konvCO2inEinheit = e.CO2inEinheit;
  p.konvNutzgradWinter = e.NutzgradWinter;
  p.konvNutzgradFruehlingHerbst = e.NutzgradFruehlingHerbst;
  p.konvNutzgradSommer = e.NutzgradSommer;
  return true;
}

}  // namespace tav
