#include "simulation/DayDriver.h"

#include <algorithm>
#include <cmath>

#include "foundation/TavMathe.h"
#include "simulation/CollectorField.h"
#include "simulation/HeatingCircuit.h"
#include "simulation/PlantCommon.h"
#include "simulation/SolarPhysics.h"

namespace tav {

namespace {

void InitSimTag(SimContext& c) {
  auto& s = c.s;
  s.TagEinstrahlung = s.TagSolarertrag = s.TagBrennstoff = 0.0f;
  s.TagHeizbedarf = s.TagNachheizung = s.TagSolHeizen = s.TagPoolWaerme = 0.0f;
  s.AltNachheiz = s.AltSolHeiz = s.AltPool = s.AltHeizBedarf = s.AltEinstrahlung = s.AltSolar = 0.0f;
  s.TagErtragAbzug = 0.0f;
  s.QVerlustSumme = s.QVerlustSumme2 = 0.0f;
  s.SpTempTag.fill(0.0f);
  s.TagesBeginn = true;
  c.g.moment.RuecklaufTemp = 20.0f;
}

// Trapezoid of one step value: half of the previous and half of this step.
void Trapez(float& summe, float& alt, float wert, double faktor = 1.0) {
  summe += static_cast<float>((alt + wert) / 2.0 * faktor);
  alt = wert;
}

// Fixed plane of field 2 (also beside a tracked field 1).
float CosEinfallFest(const SimState& s, double sinGamma, double cosGamma, float sinBeta, float cosBeta) {
  const double q = CosSonnenAzimutZu(s, sinGamma, cosGamma) * s.CosSonnenHoehe * sinBeta + s.SinSonnenHoehe * cosBeta;
  return static_cast<float>(std::min(q, 1.0));
}

void Einfallswinkel(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (s.SonnenHoehe <= 1.0) {
    s.CosEinfall1 = s.CosEinfall2 = 0.0f;
    return;
  }
  if (p.KollektorMontage != 3) {
    s.CosEinfall1 =
        CalcCosEinfall(c, s.SinAzimut1, s.CosAzimut1, p.KollektorNeigung, s.SinNeigung1, s.CosNeigung1);
    if (p.OstWestKollektor) {
      s.CosEinfall2 =
          CalcCosEinfall(c, s.SinAzimut2, s.CosAzimut2, p.KollektorNeigung2, s.SinNeigung2, s.CosNeigung2);
    }
    return;
  }
  CalcNachfuehrung(s.NachfNeigung, s.NachfAzimut, s.SonnenHoehe, s.SonnenAzimut, p.KollektorAzimut);
  const double beta = s.NachfNeigung / kGradProRad;
  s.CosEinfall1 = CalcCosEinfall(c, SinG(s.NachfAzimut), CosG(s.NachfAzimut), s.NachfNeigung,
                                 static_cast<float>(std::sin(beta)), static_cast<float>(std::cos(beta)));
  // A second field beside a tracked one stands fixed; its incidence follows the sun too.
  if (p.OstWestKollektor) s.CosEinfall2 = CosEinfallFest(s, s.SinAzimut2, s.CosAzimut2, s.SinNeigung2, s.CosNeigung2);
}

// The sun of the step from the day's sines and cosines.
void SetzeSonnenstand(SimState& s, double sonnenzeit) {
  const Sonnenstand st = CalcSonnenstand(s.SonneDesTages, sonnenzeit);
  s.SonnenHoehe = st.Hoehe;
  s.SonnenAzimut = st.Azimut;
  s.SinSonnenHoehe = st.SinHoehe;
  s.CosSonnenHoehe = st.CosHoehe;
  s.SinSonnenAzimut = st.SinAzimut;
  s.CosSonnenAzimut = st.CosAzimut;
}

// One hour record per hour: the first step at or after the half hour.
void StoreStundenErgebnis(SimContext& c, int schritt, int zoom) {
  auto& s = c.s;
  auto& r = c.g.results;
  const int tag = c.g.moment.SimTag;
  const int h = schritt / zoom + 1 + (tag - 1) * 24;
  if (!(s.StundeZaehler < h && (schritt % zoom) * 2 >= zoom)) return;
  const int jahr = std::clamp<int>(c.g.run.WetterDatensatz, 1, kWetterSaetze);
  const int idx = std::clamp<int>(s.StundeZaehler, 0, kStundenProJahr - 1);
  const bool zweiFelder = c.g.plant.OstWestKollektor;
  r.Stunde(jahr, 0, idx) = s.Einstrahlung1;
  r.Stunde(jahr, 1, idx) = s.QSolar;
  if (zweiFelder) r.Stunde(jahr, 2, idx) = s.QKoll1;
  r.Stunde(jahr, 3, idx) = s.TKoll1;
  if (zweiFelder) {
    r.Stunde(jahr, 4, idx) = s.TKoll2;
    r.Stunde(jahr, 11, idx) = s.EinstrWirksam2;
  }
  for (int k = 1; k <= 6; ++k) {
    const int knoten = std::clamp<int>(s.SchichtReihenfolge[static_cast<std::size_t>(k)] - 1, 0, 13);
    r.Stunde(jahr, 4 + k, idx) = s.SpTemp[static_cast<std::size_t>(knoten)];
  }
  s.StundeZaehler = static_cast<std::int16_t>(h);
}

void HeizkreisAufteilung(const PlantState& p, SimState& s, float d, float y, float pool) {
  if (p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2) {
    if (s.Heiztag) {
      s.TagSolHeizen = std::max(s.TagSolHeizen, 0.0f);
      if (s.TagSolHeizen > 0.1f * s.TagHeizbedarf) s.TagSolHeizen = 0.1f * s.TagHeizbedarf;
      if (d < y - s.TagSolHeizen - pool) s.TagSolHeizen = y - pool - d;
      if (s.TagSolHeizen > s.TagHeizbedarf) s.TagSolHeizen = s.TagHeizbedarf;
      s.TagNachheizung = d == 0.0f ? 0.0f : (1.0f - (y - s.TagSolHeizen - pool) / d) * d;
      if (s.TagNachheizung < 0.0f) {
        s.TagSolHeizen -= s.TagNachheizung;
        s.TagNachheizung = 0.0f;
      }
    } else {
      s.TagSolHeizen = p.HeizQnorm == 0.0f
                           ? 0.0f
                           : y + s.TagNachheizung - pool - s.WWTagesEnergie - s.QVerlustSumme;
    }
  } else if (p.HeizkreisTyp == 3 && y - pool < s.TagSolHeizen) {
    const float x = s.TagSolHeizen - (y - pool);
    s.TagNachheizung -= x;
    s.TagSolHeizen = y - pool;
  } else if (p.HeizkreisTyp == 4) {
    // This circuit draws from the buffer bottom, where the auxiliary heater's heat arrives too;
    // what the day's yield cannot have supplied is that heater's, already booked as auxiliary.
    s.TagSolHeizen = std::clamp(s.TagSolHeizen, 0.0f, std::max(0.0f, y - pool));
  }
}

// The surplus heating of type 2 and the second consumer of type 3 take collector heat without
// a heat load of their own. Their day's demand is the day's share of the annual space-heating
// demand, and at least the heat they took, so no month shows heat delivered against no demand.
void BedarfOhneHeizlast(SimContext& c) {
  const auto& p = c.g.plant;
  auto& s = c.s;
  if (p.AnlagenTypNr != 2 && p.AnlagenTypNr != 3) return;
  if (p.SolHeizung) {
    const auto mo = static_cast<std::size_t>(std::clamp<int>(c.g.moment.SimMonat, 1, 12));
    s.TagHeizbedarf = std::max(s.TagHeizbedarf, p.Heizwaermebedarf * c.g.results.HeizanteilMonat[mo] / MonatsTage[mo]);
  }
  s.TagHeizbedarf = std::max(s.TagHeizbedarf, s.TagSolHeizen);
}

}  // namespace

void TagesAufteilung(const PlantState& p, SimState& s) {
  // The buffer-side losses can take back no more than the day's yield.
  if (!s.Heiztag) s.TagSolarertrag = std::max(0.0f, s.TagSolarertrag - s.TagErtragAbzug);
  const float d = s.WWTagesEnergie + s.QVerlustSumme;
  const float y = s.TagSolarertrag;
  const float pool = s.TagPoolWaerme;
  if (p.AnlagenTypNr == 6 || p.AnlagenTypNr == 8) HeizkreisAufteilung(p, s, d, y, pool);
  if (p.AnlagenTypNr == 7 && (p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2)) {
    if (s.TagHeizbedarf > 0.0f) {
      s.TagSolHeizen = std::max(s.TagSolHeizen, 0.0f);
      s.TagNachheizung = d == 0.0f ? 0.0f : (1.0f - (y - s.TagSolHeizen - pool) / d) * d;
    } else if (s.TagNachheizung > 0.0f) {
      s.TagSolHeizen += s.TagNachheizung;
    }
  }
}

void RunSimSchritte(SimContext& c, int n) {
  auto& s = c.s;
  auto& m = c.g.moment;
  const auto& p = c.g.plant;
  const auto& loc = c.g.loc;
  n = std::max(n, 24);
  const int zoom = n / 24;
  InitSimTag(c);
  const int tag = m.SimTag;
  s.WWTagesEnergie = p.WWMonatsfaktor[std::clamp<int>(m.SimMonat, 1, 12)] * p.Warmwasserverbrauch / 100.0f;
  s.LuftTemp8 = CalcLuftTemp(loc, tag, 8.0f);
  s.Heiztag = !(s.LuftTemp8 > p.Heizgrenztemp);
  // A season that starts after it ends runs over the new year (southern sites).
  s.PoolSaison = p.Pool && (p.PoolStart <= p.PoolEnde ? p.PoolStart <= tag && tag <= p.PoolEnde
                                                       : tag >= p.PoolStart || tag <= p.PoolEnde);
  s.SonnenDeklination = WirksameDeklination(loc, tag);
  s.SonneDesTages = CalcTagesSonne(loc.GeoBreiteBetrag, s.SonnenDeklination);
  s.SinAzimut1 = SinG(p.KollektorAzimut);
  s.CosAzimut1 = CosG(p.KollektorAzimut);
  s.SinAzimut2 = SinG(p.KollektorAzimut2);
  s.CosAzimut2 = CosG(p.KollektorAzimut2);
  s.SchrittDauer = 24.0 / n;
  s.HalbeSchrittDauer = s.SchrittDauer / 2.0;
  s.SonnenzeitKorrektur = CalcZeitgleichung(tag) - s.ZeitzonenKorrektur;
  // Loss coefficients per node and kelvin for this day's step length.
  s.SpVerlustKA1 = static_cast<float>(s.geo.SpFlaeche1 * p.SpeicherkWert * s.SchrittDauer / 2.0);
  s.SpVerlustKA2 = static_cast<float>(s.geo.SpFlaeche2 * p.SpeicherkWert2 * s.SchrittDauer / 2.0);

  for (int i = 0; i < n; ++i) {
    // i / zoom is exact at the half hours, which the hour records rely on.
    m.Tageszeit = static_cast<float>(static_cast<double>(i) / zoom);
    SetzeSonnenstand(s, m.Tageszeit + s.SonnenzeitKorrektur);
    Einfallswinkel(c);
    s.Verschattet = p.SkyMapAktiv && s.SonnenHoehe > 1.0 &&
                    IstVerschattet(p, static_cast<float>(s.SonnenAzimut), static_cast<float>(s.SonnenHoehe));
    SetEinstrahlung(c, tag, m.Tageszeit);
    m.AussenTemp = CalcStundenTemp(c, tag, m.Tageszeit);
    if (c.g.run.MessdatenAktiv) {
      SetMessEinstrahlung(c, tag, m.Tageszeit);
      // +6 K per 1000 W/m² of measured irradiance on the plane. Deliberate: per square metre,
      // not per watt on the whole field, which would warm the air by the field's size.
      const float wm2 = p.KollektorFlaeche > 0.0f ? s.EinstrGesamt1 / p.KollektorFlaeche : 0.0f;
      m.AussenTemp = CalcLuftTemp(loc, tag, m.Tageszeit) - 2.0f + 6.0f * wm2 / 1000.0f;
    }
    CalcKollektorfeld(c);
    Zeitschritt(c, static_cast<float>(s.SchrittDauer));
    Trapez(s.TagNachheizung, s.AltNachheiz, s.QNachheiz);
    Trapez(s.TagSolHeizen, s.AltSolHeiz, s.QSolHeiz);
    Trapez(s.TagPoolWaerme, s.AltPool, s.QPool);
    Trapez(s.TagHeizbedarf, s.AltHeizBedarf, s.QHeizBedarf);
    Trapez(s.TagEinstrahlung, s.AltEinstrahlung, s.Einstrahlung1, s.SchrittDauer);
    Trapez(s.TagSolarertrag, s.AltSolar, s.QSolar, s.SchrittDauer);
    StoreStundenErgebnis(c, i, zoom);
    if (s.AbbruchAnfrage) s.Abbruch = true;
  }
  BedarfOhneHeizlast(c);
  if (s.Abbruch) return;
  TagesAufteilung(p, s);
}

void CloseSimTag(SimState& s, float warmwasserverbrauch) {
  auto schiebe = [](std::array<float, 8>& w, float neu) {
    for (int k = 1; k <= 6; ++k) w[static_cast<std::size_t>(k)] = w[static_cast<std::size_t>(k + 1)];
    w[7] = neu;
    return (w[4] + w[5] + w[6] + w[7]) / 4.0f;
  };
  s.MittelEinstrahlung = schiebe(s.WocheEinstrahlung, s.TagEinstrahlung);
  s.MittelSolarertrag = schiebe(s.WocheSolarertrag, s.TagSolarertrag);
  s.MittelNachheizung = schiebe(s.WocheNachheizung, s.TagNachheizung);
  s.MittelSolHeizen = schiebe(s.WocheSolHeizen, s.TagSolHeizen);
  s.MittelPoolWaerme = schiebe(s.WochePoolWaerme, s.TagPoolWaerme);
  s.MittelWWBedarf = schiebe(s.WocheWWBedarf, warmwasserverbrauch);
  s.MittelVerlust = schiebe(s.WocheVerlust, s.QVerlustSumme);
}

void ClearWochenWerte(SimState& s) {
  for (auto* w : {&s.WocheEinstrahlung, &s.WocheSolarertrag, &s.WocheNachheizung, &s.WocheSolHeizen,
                  &s.WochePoolWaerme, &s.WocheWWBedarf, &s.WocheVerlust}) {
    w->fill(0.0f);
  }
}

void ResetSimMonatswerte(ResultState& r) {
  for (int k = 1; k <= kMonatswerteAnzahl; ++k) {
    if (k == mwHeizanteil) continue;
    auto& a = r.SimMonatswerte(k);
    std::fill(a.begin() + 1, a.end(), 0.0f);
  }
}

void BildeJahressummen(ResultState& r) {
  for (const TMonatswert k : ResultState::SummenArrays) {
    auto& a = r.SimMonatswerte(k);
    float summe = 0.0f;
    for (int m = 1; m <= 12; ++m) summe += a[static_cast<std::size_t>(m)];
    a[13] = summe;
  }
}

void CalcHeizbedarfMonat(ResultState& r, const LocationState& loc, float qNorm, float tNorm, float heizgrenze) {
  auto& bedarf = r.HeizbedarfMonat;
  auto summe = [&bedarf] {
    float x = 0.0f;
    for (int m = 1; m <= 12; ++m) x += bedarf[static_cast<std::size_t>(m)];
    return x;
  };
  bedarf[13] = summe();
  if (bedarf[13] == 0.0f) {
    int tag = 0;
    for (int m = 1; m <= 12; ++m) {
      bedarf[static_cast<std::size_t>(m)] = 0.0f;
      for (int d = 1; d <= MonatsTage[static_cast<std::size_t>(m)]; ++d) {
        ++tag;
        if (CalcLuftTemp(loc, tag, 8.0f) > heizgrenze) continue;
        for (int h = 0; h <= 23; ++h) {
          float q = 0, vor = 0, rueck = 0;
          CalcHeizkreis(q, vor, rueck, qNorm, tNorm, 75.0f, 55.0f, CalcLuftTemp(loc, tag, static_cast<float>(h)),
                        static_cast<float>(h));
          bedarf[static_cast<std::size_t>(m)] += q;
        }
      }
    }
    bedarf[13] = summe();
  }
  auto& anteil = r.HeizanteilMonat;
  anteil[13] = 0.0f;
  for (int m = 1; m <= 12; ++m) {
    anteil[static_cast<std::size_t>(m)] = bedarf[13] > 0.0f ? bedarf[static_cast<std::size_t>(m)] / bedarf[13] : 0.0f;
    anteil[13] += anteil[static_cast<std::size_t>(m)];
  }
}

int CalcMinAussenTemp(const WeatherState& w) {
  double summe = 0.0;
  for (int satz = 1; satz <= kWetterSaetze; ++satz) {
    float minimum = 50.0f;
    for (int h = 0; h < kStundenProJahr; ++h) {
      const float t = w.Wetter(satz, WeatherState::kTemperatur, h);
      if (t < minimum) minimum = t;
    }
    summe += minimum;
  }
  return RoundToInt(summe / kWetterSaetze);
}

float CheckEnevAbgleich(RunState& run, const ResultState& r, float& kWert, float& jahresverlust, bool scale) {
  jahresverlust = 0.0f;
  for (int m = 1; m <= 12; ++m) jahresverlust += r.Verlust1Monat[static_cast<std::size_t>(m)] / 1000.0f;
  const float ratio = jahresverlust != 0.0f ? run.EnevSpeicherverlust / jahresverlust : 1.0f;
  if (scale && run.EnevAbgleich) {
    if (std::fabs(ratio - 1.0f) <= 0.03f) {
      run.EnevSimModus = false;
    } else {
      kWert *= ratio;
    }
  }
  return ratio;
}

}  // namespace tav
