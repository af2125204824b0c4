#include "catalogues/Energie.h"

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

std::string DateiName(const CatalogueState& c) {
  return c.EnergieDatei.empty() ? EnergieDateiName("de") : c.EnergieDatei;
}

void SetBuiltIn(CatalogueState& c) {
  SetzeListe(BuiltInEnergie(), c.Energietraeger, c.EnergieAnzahl);
}

void LadeListe(TavState& s, StatusSink& status) {
  CatalogueState& c = s.cat;
  const std::string pfad = EnergieDateiPfad(s);
  TBigIniFile ini;
  const Ladung l = LadeKatalog(pfad, ini, &s.cat.DateiStaende);
  if (l == Ladung::Fehlt) {
    DefaultEnergie(s, status);
    return;
  }
  if (l == Ladung::Unlesbar) {
    SetBuiltIn(c);
    return;
  }
  Probleme probleme(pfad);
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
    TEnergie e;
    e.EnergieName = leser.TextOhneRand("EnergieName", "Energie " + std::to_string(n + 1));
    e.Einheit = leser.TextOhneRand("Einheit", "Einheit?");
    e.kWhinEinheit = leser.Zahl("kWhinEinheit", 0.0001f);
    e.CO2inEinheit = leser.Zahl("CO2inEinheit", 0.0001f);
    e.NutzgradWinter = static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradWinter", 80, 0, 65535));
    e.NutzgradFruehlingHerbst =
        static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradFruehlingHerbst", 75, 0, 65535));
    e.NutzgradSommer = static_cast<std::uint16_t>(leser.Ganzzahl("NutzgradSommer", 60, 0, 65535));
    RoundEnergieToWritten(e);
    if (leser.Fehlerhaft()) probleme.Add(leser.FehlerText());
    if (!(e.kWhinEinheit > 0.0f)) {
      probleme.Add("[" + Zitat(leser.Name()) + "] kWhinEinheit: " + FloatToCommaStr(1, 2, e.kWhinEinheit) +
                   " " + T(TX::zuniedrig));
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
    const auto name = [&](int i) -> const std::string& { return c.Energietraeger[i].EnergieName; };
    p.EnergieNr = LetzterMitNamen(c.EnergieAnzahl, p.konvEnergie, name);
    if (p.EnergieNr == -1 && p.konvEnergie == "*init*" && c.EnergieAnzahl >= 1) p.EnergieNr = 1;
    if (p.EnergieNr == -1 && c.EnergieAnzahl >= 1) {
      std::int32_t best = 0;
      p.EnergieNr = NaechsterEintrag(c.EnergieAnzahl, p.konvEnergie, name, best);
      MeldeErsatz(p.konvEnergie, T(TX::Meldung_nichtgefunden),
                  c.Energietraeger[p.EnergieNr].EnergieName);
    }
  }
  SelectEnergie(s, p.EnergieNr);
}

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
