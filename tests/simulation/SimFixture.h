#pragma once
// A plant, a collector, a location and three synthetic clear-sky weather years for engine
// tests and benchmarks. Header-only so that the benchmarks can use it too.

#include <cmath>
#include <memory>

#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"
#include "simulation/SimState.h"

namespace tav::test {

struct WetterParameter {
  double breite = 48.0;        // latitude the sky is computed for
  double truebung = 1.0;       // 1 = clear sky; smaller values dim the direct part
  double tempMittel = 9.0;     // annual mean temperature
  double tempAmplitude = 9.0;  // seasonal swing
};

// Clear-sky hourly weather of a 365-day year at local solar time: direct normal and diffuse
// horizontal irradiance from the sun's elevation at the middle of the hour, a seasonal and a
// daily temperature swing. The same year fills all three sets.
inline void FuelleKlarhimmelWetter(WeatherState& w, const WetterParameter& par = {}) {
  constexpr double kRad = 3.14159265358979323846 / 180.0;
  for (int tag = 1; tag <= 365; ++tag) {
    const double delta = 23.45 * std::sin(kRad * 360.0 * (284 + tag) / 365.0);
    for (int h = 0; h < 24; ++h) {
      const double omega = (h + 0.5 - 12.0) * 15.0;
      const double sinH = std::sin(kRad * par.breite) * std::sin(kRad * delta) +
                          std::cos(kRad * par.breite) * std::cos(kRad * delta) * std::cos(kRad * omega);
      const double dn = sinH > 0.02 ? par.truebung * 900.0 * std::exp(-0.25 / sinH) : 0.0;
      const double df = sinH > 0.0 ? 30.0 + 90.0 * sinH : 0.0;
      const double temp = par.tempMittel - par.tempAmplitude * std::cos(2.0 * 3.14159265358979 * (tag - 20) / 365.0) +
                          4.0 * std::cos(2.0 * 3.14159265358979 * (h - 14) / 24.0);
      const int i = (tag - 1) * 24 + h;
      for (int satz = 1; satz <= kWetterSaetze; ++satz) {
        w.Wetter(satz, WeatherState::kDirektNormal, i) = static_cast<float>(dn);
        w.Wetter(satz, WeatherState::kDiffus, i) = static_cast<float>(df);
        w.Wetter(satz, WeatherState::kTemperatur, i) = static_cast<float>(temp);
      }
    }
  }
}

// A hot-water plant (type 1) of 6 m² flat-plate collector, 300 l store, 4 kWh per day.
inline void SetzeTrinkwasserAnlage(TavState& g) {
  auto& p = g.plant;
  p.AnlagenTypNr = 1;
  p.AnlagenTyp = "Brauchwarmwasser";
  p.BivSpTyp = 0;
  p.SolHeizung = false;
  p.KollektorMontage = 1;
  p.KollEta0 = 0.8f;
  p.KollK1 = 3.5f;
  p.KollK2 = 0.015f;
  p.KollIAM50 = 0.9f;
  p.KollektorFlaeche = 6.0f;
  p.KollektorNeigung = 45.0f;
  p.KollektorAzimut = 0.0f;
  p.OstWestKollektor = false;
  p.KollektorFlow = 40.0f;
  p.Speichertauscherleistung = 60.0f;
  p.Solarkreislaenge = 15.0f;
  p.RohrMeterkWert = 0.22f;
  p.Speicher1vol = 300.0f;
  p.Speicher2vol = 0.0f;
  p.SpeicherkWert = 0.4f;
  p.SpeicherkWert2 = 0.4f;
  p.Kaltwassertemp = 10.0f;
  p.Warmwassertemp = 50.0f;
  p.Minimaltemp = 45.0f;
  p.Maximaltemp = 70.0f;
  p.MaxTempWinter = 60.0f;
  p.Heizgrenztemp = 12.0f;
  p.HeizTnorm = -12.0f;
  p.Warmwasserverbrauch = 4000.0f;
  p.WWMonatsfaktor.fill(100.0f);
  // Morning and evening peaks, 100 % over hours 1..24; [0] repeats [24].
  const int profil[25] = {2, 2, 1, 1, 1, 2, 6, 10, 8, 5, 4, 3, 4, 4, 3, 3, 3, 4, 6, 8, 8, 6, 4, 2, 2};
  for (int h = 0; h <= 24; ++h) p.AktZapfprofil[static_cast<std::size_t>(h)] = profil[h];
  p.ZeitZoom = 5;
  p.Pool = false;
  p.AntiLegionella = false;
  p.SkyMapAktiv = false;
  p.konvNutzgradWinter = 80;
  p.konvNutzgradFruehlingHerbst = 75;
  p.konvNutzgradSommer = 60;

  auto& loc = g.loc;
  loc.GeoBreite = 48.0;
  loc.GeoLaenge = 15.0;  // on the zone meridian: clock time = mean solar time
  loc.OrtZeitzone = 1;
  loc.OrtHoehe = 300;
  const float luft[14] = {1, 0, 1, 5, 9, 14, 17, 19, 18, 15, 10, 5, 1, 0};
  for (int m = 0; m <= 13; ++m) loc.LuftTempMonat[static_cast<std::size_t>(m)] = luft[m];

  g.settings.SimJahre = 1;
  g.moment.ErsterSimTag = DateToJulianDay(1, 1, 1997);
  g.moment.LetzterSimTag = DateToJulianDay(31, 12, 1997);
  g.run.RechenModus = 3;
  g.run.EnevSimModus = false;
  g.run.EnevAbgleich = false;
  g.run.MessdatenAktiv = false;
}

// A plant of type typ (3..8) built on the hot-water fixture: space heating of 8 kW design
// load, a 750 l buffer or a 300 l + 500 l pair of stores, a 30 kW fresh-water station and,
// with pool, a pool season from May to August. Sub-types and circuit types are the caller's.
inline void SetzeAnlage(TavState& g, int typ, bool pool = false) {
  auto& p = g.plant;
  p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
  p.SolHeizung = typ >= 6;
  p.KollektorFlaeche = 12.0f;
  p.Speicher1vol = typ == 6 ? 600.0f : typ == 8 ? 800.0f : 300.0f;
  p.Speicher2vol = typ == 6 ? 150.0f : typ == 8 ? 0.0f : 500.0f;
  p.Maximaltemp = 80.0f;
  p.Maximaltemp2 = 85.0f;
  p.MaxTempWinter = 60.0f;
  p.HeizQnorm = 8000.0f;
  p.HeizTnorm = -12.0f;
  p.HeizTvor100 = 55.0f;
  p.HeizTrck100 = 40.0f;
  p.Heiztemp = 25.0f;
  p.Heiztauscherleistung = 3000.0f;
  p.HeiztauscherDeltaT = 10.0f;
  p.FWEnennleistung = 30000.0f;
  p.FWEdTmin = 5.0f;
  p.KaskadeTyp = 13;
  p.KombiSpTyp = 11;
  p.KombiSpeicherWT = 16;
  p.HeizkreisTyp = (typ == 6 || typ == 8) ? 2 : typ == 7 ? 4 : 1;
  p.LFTkreis = false;
  p.Pool = pool;
  p.PoolWTdir = false;
  p.PoolStart = 121;
  p.PoolEnde = 243;
  p.PoolTemp = 24.0f;
  p.PoolSpminTemp = 45.0f;
  p.ZeitZoom = typ == 8 ? 10 : 5;
}

// A sunny moment of a step: the sun 35° high, 0.9 cosine of incidence, 4200 W on 6 m² per
// kW of field (scaled by the factor), collector outlet 60 °C.
inline void SonnigerMoment(TavState& g, SimState& s, float faktor = 1.0f) {
  constexpr double kSonne = 35.0 / 57.29577951308232;
  s.SonnenHoehe = 35.0;
  s.SinSonnenHoehe = std::sin(kSonne);
  s.CosSonnenHoehe = std::cos(kSonne);
  s.CosEinfall1 = 0.9f;
  s.EinstrDirekt1 = 3600.0f * faktor;
  s.EinstrDiffus1 = 600.0f * faktor;
  s.Einstrahlung1 = 4200.0f * faktor;
  s.TKollAus = 60.0f;
  g.moment.AussenTemp = 12.0f;
  g.moment.Tageszeit = 8.4f;
}

// A complete test world: program state with plant and weather, engine state.
struct SimWelt {
  std::unique_ptr<TavState> g = std::make_unique<TavState>();
  std::unique_ptr<SimState> s = std::make_unique<SimState>();
  explicit SimWelt(const WetterParameter& wetter = {}, bool mitWetter = true) {
    SetzeTrinkwasserAnlage(*g);
    if (mitWetter) FuelleKlarhimmelWetter(g->weather, wetter);
  }
};

}  // namespace tav::test
