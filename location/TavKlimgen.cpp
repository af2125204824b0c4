#include "location/TavKlimgen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "simulation/WerteBereiche.h"

namespace tav {

namespace {

constexpr char kProblem[] = "Problem beim Generieren der Solarklimadaten";

// Library channels of the three quantities of the weather store, in store order.
constexpr int kStoreKanal[kWetterKanaele] = {KLIM_K_DNI, KLIM_K_DIFFUS, KLIM_K_TEMP};

void KopiereJahr(const TKlimStunden& stunden, float* ziel) {
  for (int k = 0; k < kWetterKanaele; ++k) {
    const float* quelle = stunden.Werte + std::size_t(kStoreKanal[k]) * KLIM_STUNDEN;
    std::copy(quelle, quelle + KLIM_STUNDEN, ziel + std::size_t(k) * KLIM_STUNDEN);
  }
}

std::string Ausserhalb(const std::string& was, double wert, double min, double max, const char* einheit) {
  const auto zahl = [](double v) { return WertText(static_cast<float>(v)); };
  return was + " = " + zahl(wert) + einheit + " liegt nicht zwischen " + zahl(min) + einheit + " und " +
         zahl(max) + einheit;
}

}  // namespace

std::string OrtUnbrauchbar(const TKlimOrt& ort, const KlimaTabellen& tabellen) {
  if (!(std::fabs(ort.Breite) <= static_cast<float>(KLIM_BREITE_MAX)))
    return Ausserhalb("Breite", ort.Breite, -KLIM_BREITE_MAX, KLIM_BREITE_MAX, "°");
  if (!(std::fabs(ort.Laenge) <= static_cast<float>(KLIM_LAENGE_MAX)))
    return Ausserhalb("Länge", ort.Laenge, -KLIM_LAENGE_MAX, KLIM_LAENGE_MAX, "°");
  if (ort.Hoehe < static_cast<int>(KLIM_HOEHE_MIN) || ort.Hoehe > static_cast<int>(KLIM_HOEHE_MAX))
    return Ausserhalb("Höhe", ort.Hoehe, KLIM_HOEHE_MIN, KLIM_HOEHE_MAX, " m");
  for (int m = 1; m <= 12; ++m) {
    const std::string monat = Texts().Monatsnamen[static_cast<std::size_t>(m)];
    // The record holds the month's sum; the location holds the daily mean, as the user typed it.
    const float summe = ort.MonatsSumme[m - 1];
    if (!(summe >= 0.0f))
      return "Einstrahlung " + monat + " = " + WertText(summe / static_cast<float>(MonatsTage[m])) +
             " kWh/m²d ist keine mögliche Einstrahlung";
    const float t = ort.MonatsTemp[m - 1];
    if (!(std::fabs(t) <= static_cast<float>(KLIM_TEMP_MAX)))
      return Ausserhalb("Lufttemperatur " + monat, t, -KLIM_TEMP_MAX, KLIM_TEMP_MAX, " °C");
  }
  // A zone of the table that was never filled has no averaging window.
  const int zone = ort.TempZone;
  if (zone < 1 || zone > KLIM_TEMPZONE_EINTRAEGE ||
      tabellen.TempZonen[static_cast<std::size_t>(zone - 1)].Fenster[0] == 0)
    return "Temperaturzone = " + std::to_string(zone) + " ist unbekannt";
  return {};
}

std::string KlimgenProblem(std::uint8_t code, const TKlimOrt& ort, const KlimaTabellen& tabellen) {
  const std::string wert = OrtUnbrauchbar(ort, tabellen);
  if (!wert.empty()) return wert;
  switch (code) {
    case 6: return "Die Einstrahlung eines Monats ist für diese Lage zu gering.";
    case 7: return "Die Einstrahlung eines Monats ist für diese Lage zu hoch.";
    default: return "Fehlercode " + std::to_string(code);
  }
}

KlimgenBibliothek GelinkteKlimgenBibliothek() {
  KlimgenBibliothek lib;
  lib.SimYears = &::KlimgenSimYears;
  lib.CalcMonatssummen = &::CalcMonatssummen;
  return lib;
}

TKlimOrt MakeKlimOrt(const TavState& s) {
  const LocationState& l = s.loc;
  TKlimOrt ort{};
  ort.Breite = static_cast<float>(l.GeoBreite);
  ort.Laenge = static_cast<float>(l.GeoLaenge);
  ort.Hoehe = l.OrtHoehe;
  for (int m = 1; m <= 12; ++m) {
    ort.MonatsSumme[m - 1] = static_cast<float>(MonatsTage[m]) * l.EinstrahlungMonat[m];
    ort.MonatsTemp[m - 1] = l.LuftTempMonat[m];
  }
  // Deliberate: time zone "none given" (25) goes to the library as the zone of the longitude,
  // as the engine takes it; with 25 the library puts the sun of every hour east of south and
  // synthesises the location's weather around the wrong hours.
  ort.Zeitzone = GeltendeZeitzone(l.OrtZeitzone, static_cast<float>(l.GeoLaenge));
  ort.TempZone = l.OrtTempZone;
  return ort;
}

KlimgenBridge::KlimgenBridge(KlimgenBibliothek lib, const KlimaTabellen& tabellen)
    : KlimStunden(std::make_unique<TKlimStunden>()),
      KlimTage(std::make_unique<TKlimTage>()),
      KlimMonate(std::make_unique<TKlimMonate>()),
      lib_(std::move(lib)),
      tabellen_(tabellen) {}

bool KlimgenBridge::Synthesise(TavState& s, StatusSink& status) {
  const TKlimOrt ort = MakeKlimOrt(s);
  // The years are collected here and reach the store only when all three were made, so a
  // failure never leaves a mixture of years of two locations behind.
  const std::size_t jahrWerte = std::size_t(kWetterKanaele) * KLIM_STUNDEN;
  std::vector<float> jahre(kWetterSaetze * jahrWerte);
  bool ok = true;

  for (std::uint8_t mode = 1; mode <= 3; ++mode) {
    s.run.Abbruch = false;
    if (mode == 1) {
      KlimgenGenerate = false;
      std::fill(std::begin(Vorjahre), std::end(Vorjahre), 0.0f);
    } else {
      KlimgenGenerate = true;
      // The year before, as already collected in store order.
      const float* vorjahr = jahre.data() + (mode - 2) * jahrWerte;
      float summen[12] = {};
      KlimgenCode = lib_.CalcMonatssummen(&ort, vorjahr, summen);
      if (KlimgenCode != 0) {
        ok = false;
        break;
      }
      for (int m = 0; m < 12; ++m) Vorjahre[m] += summen[m];
    }
    KlimgenCode = lib_.SimYears(mode, KlimgenGenerate ? 1 : 0, &ort, tabellen_.KlimaZonen.data(),
                                tabellen_.TempZonen.data(), tabellen_.TruebungsZonen.data(),
                                Vorjahre, KlimStunden.get(), KlimTage.get(), KlimMonate.get());
    status.Progress(FloatToPointStr(1, 0, mode / 3.0 * 100.0) + "%");
    if (KlimgenCode != 0) {
      ok = false;
      break;
    }
    KopiereJahr(*KlimStunden, jahre.data() + (mode - 1) * jahrWerte);
  }

  if (!ok) {
    s.run.SolarklimadatenOK = false;
    // The location and why the library could not use it, with the value where one is to blame.
    ShowIntMessageDlg(std::string(kProblem) + "|" + s.plant.Standort + ": " +
                          KlimgenProblem(KlimgenCode, ort, tabellen_),
                      mtWarning, mbOKOnly);
    return false;
  }
  for (int jahr = 1; jahr <= kWetterSaetze; ++jahr)
    std::copy_n(jahre.data() + (jahr - 1) * jahrWerte, jahrWerte,
                s.weather.WetterDaten.Reihe(jahr, 0));
  s.run.SolarklimadatenOK = true;
  s.run.WetterDatensatz = 1;
  return true;
}

KlimgenBridge& ProgrammKlimgenBridge() {
  static KlimgenBridge bridge;
  return bridge;
}

}  // namespace tav
