#include "simulation/CollectorField.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "simulation/SolarPhysics.h"

namespace tav {

namespace {

// Hour index of the weather store for a day of the year and a time of day.
int StundenIndex(int tag, float t) {
  const int i = (tag - 1) * 24 + static_cast<int>(std::trunc(t));
  return std::clamp(i, 0, kStundenProJahr - 1);
}

// Weather value between the hours as the weather years were tuned with: a quarter of the
// slope towards the next hour after the half hour, away from the previous one before it.
// Indices beyond the first and last hour of the year read the hour itself.
float ZwischenWert(const WeatherState& w, int satz, int kanal, int i, float f) {
  const float x = w.Wetter(satz, kanal, i);
  if (f >= 0.5f) {
    const float naechste = w.Wetter(satz, kanal, std::min(i + 1, kStundenProJahr - 1));
    return x + (f - 0.5f) * (naechste - x) / 4.0f;
  }
  const float vorige = w.Wetter(satz, kanal, std::max(i - 1, 0));
  return x + f * (x - vorige) / 4.0f;
}

// Sky-view factor of field 1 for the mounting.
double SichtFaktorFeld1(SimContext& c) {
  auto& s = c.s;
  switch (c.g.plant.KollektorMontage) {
    case 3:
      return SichtFaktor(CosG(s.NachfNeigung));
    case 4:
      s.NachfNeigung = static_cast<float>(90.0 - s.SonnenHoehe);
      return SichtFaktor(CosG(s.NachfNeigung));
    default:
      return SichtFaktor(s.CosNeigung1);
  }
}

// With the sun at or below 1 degree the irradiance block is 0.
bool SonneZuTief(SimState& s) {
  if (s.SonnenHoehe > 1.0) return false;
  s.DirektNormal = s.DiffusHorizontal = 0.0f;
  s.EinstrDirekt1 = s.EinstrDiffus1 = s.EinstrGesamt1 = s.EinstrWirksam1 = 0.0f;
  s.EinstrDirekt2 = s.EinstrDiffus2 = s.EinstrGesamt2 = s.EinstrWirksam2 = 0.0f;
  s.Einstrahlung1 = 0.0f;
  return true;
}

// Direct, diffuse and total irradiance on one field (W), the total capped at 1200 W/m².
void FeldEinstrahlung(float flaeche, float cosEinfall, double sicht, float dn, float df, float& direkt,
                      float& diffus, float& gesamt) {
  direkt = cosEinfall > 0.0f ? flaeche * cosEinfall * dn : 0.0f;
  diffus = static_cast<float>(flaeche * sicht * df);
  gesamt = std::min(direkt + diffus, kMaxEinstrahlung * flaeche);
}

// The weather year in use, within the store.
int Satz(const SimContext& c) { return std::clamp<int>(c.g.run.WetterDatensatz, 1, kWetterSaetze); }

}  // namespace

void InitOrtSonne(LocationState& loc) {
  loc.GeoBreiteBetrag = std::fabs(loc.GeoBreite);
  loc.Hemisphaere = loc.GeoBreite < 0 ? -1 : 1;
  loc.SinGeoBreite = static_cast<float>(SinG(loc.GeoBreiteBetrag));
  loc.CosGeoBreite = static_cast<float>(CosG(loc.GeoBreiteBetrag));
}

// Deliberate: a southern site runs mirrored into the north, so its declination's sign turns;
// the seasons would otherwise fall the wrong way round.
double WirksameDeklination(const LocationState& loc, int tag) {
  const double delta = CalcDeklination(tag);
  return loc.GeoBreite < 0 ? -delta : delta;
}

float CalcLuftTemp(const LocationState& loc, int tag, float t) {
  std::int32_t m = 1, d = 15;
  DayOfYearToMonthDay(std::clamp(tag, 1, 365), m, d);
  const auto& lt = loc.LuftTempMonat;
  // Slot 0 repeats December and slot 13 January.
  const float vor = lt[m == 1 ? 12 : m - 1];
  const float nach = lt[m == 12 ? 1 : m + 1];
  float temp = lt[m];
  if (d > 15) {
    temp = lt[m] + (nach - lt[m]) * (d - 15) / 30.0f;
  } else if (d < 15) {
    temp = lt[m] - (lt[m] - vor) * (15 - d) / 30.0f;
  }
  return static_cast<float>(temp + 7.5 * CosG((t - 14.0) * 15.0));
}

float CalcStundenTemp(const SimContext& c, int tag, float t) {
  return c.g.weather.Wetter(Satz(c), WeatherState::kTemperatur, StundenIndex(tag, t));
}

bool IstVerschattet(const PlantState& p, float a, float h) {
  int sektor = static_cast<int>(std::trunc((a + 180.0f) / 5.0f)) + 1;
  if (sektor > 72) sektor -= 72;
  sektor = std::clamp(sektor, 1, 72);
  // A sun in the zenith belongs to the top band.
  const int band = std::clamp(static_cast<int>(std::trunc(h / 5.0f)) + 1, 1, 18);
  return p.SkyMapDaten[static_cast<std::size_t>((sektor - 1) * 18 + (band - 1))] != 0;
}

float CalcCosEinfall(SimContext& c, double sinGamma, double cosGamma, float beta, float sinBeta, float cosBeta) {
  auto& s = c.s;
  double q;
  switch (c.g.plant.KollektorMontage) {
    case 2:
      q = SinG(s.SonnenHoehe + beta);
      break;
    case 4:
      q = 1.0;
      break;
    default:
      q = CosSonnenAzimutZu(s, sinGamma, cosGamma) * s.CosSonnenHoehe * sinBeta + s.SinSonnenHoehe * cosBeta;
      break;
  }
  if (q > 1.0) {
    if (q < 1.1) return 1.0f;
    // Cannot happen for a consistent geometry. Deliberate: stop the run, not the program,
    // which would lose the unsaved project.
    if (!s.Abbruch) ShowMessageLines("Interner Fehler \"CS\"");
    s.AbbruchAnfrage = true;
    return -1.0f;
  }
  return static_cast<float>(q);
}

void SetEinstrahlung(SimContext& c, int tag, float t) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (SonneZuTief(s)) return;
  const int i = StundenIndex(tag, t);
  const float f = t - std::trunc(t);
  const int satz = Satz(c);
  s.DirektNormal = ZwischenWert(c.g.weather, satz, WeatherState::kDirektNormal, i, f);
  s.DiffusHorizontal = ZwischenWert(c.g.weather, satz, WeatherState::kDiffus, i, f);
  FeldEinstrahlung(p.KollektorFlaeche, s.CosEinfall1, SichtFaktorFeld1(c), s.DirektNormal,
                   s.DiffusHorizontal, s.EinstrDirekt1, s.EinstrDiffus1, s.EinstrGesamt1);
  if (p.OstWestKollektor) {
    FeldEinstrahlung(p.KollektorFlaeche2, s.CosEinfall2, SichtFaktor(s.CosNeigung2), s.DirektNormal,
                     s.DiffusHorizontal, s.EinstrDirekt2, s.EinstrDiffus2, s.EinstrGesamt2);
  }
  s.EinstrWirksam1 = s.Verschattet ? s.EinstrDiffus1 : s.EinstrGesamt1;
  s.EinstrWirksam2 = s.Verschattet ? s.EinstrDiffus2 : s.EinstrGesamt2;
  s.Einstrahlung1 = s.EinstrWirksam1 + s.EinstrWirksam2;
}

void SetMessEinstrahlung(SimContext& c, int tag, float t) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (SonneZuTief(s)) return;
  const int i = StundenIndex(tag, t);
  // The measured series are numbered 1..8760.
  auto teile = [&s](float m, float cosEinfall, float flaeche, float& direkt, float& diffus) {
    float dir = 0.0f, dif = m;
    if (cosEinfall >= 0.0f) {
      dir = 0.8f * m;
      dif = 0.2f * m;
      const float verschoben = (1.0f - cosEinfall) * dir;
      dir -= verschoben;
      dif += verschoben;
    }
    s.DirektNormal = dir;
    s.DiffusHorizontal = dif;
    direkt = dir * flaeche;
    diffus = dif * flaeche;
  };
  // A series shorter than the year reads 0 for the hours it lacks.
  auto messwert = [i](const std::vector<float>& reihe) {
    const auto k = static_cast<std::size_t>(i) + 1;
    return k < reihe.size() ? reihe[k] : 0.0f;
  };
  const float m1 = messwert(c.g.weather.Messdaten1);
  s.EinstrGesamt1 = p.KollektorFlaeche * m1;
  teile(m1, s.CosEinfall1, p.KollektorFlaeche, s.EinstrDirekt1, s.EinstrDiffus1);
  if (p.OstWestKollektor) {
    const float m2 = messwert(c.g.weather.Messdaten2);
    s.EinstrGesamt2 = p.KollektorFlaeche2 * m2;
    teile(m2, s.CosEinfall2, p.KollektorFlaeche2, s.EinstrDirekt2, s.EinstrDiffus2);
  }
  s.EinstrWirksam1 = s.EinstrGesamt1;
  s.EinstrWirksam2 = s.EinstrGesamt2;
  s.Einstrahlung1 = s.EinstrWirksam1 + s.EinstrWirksam2;
}

void CalcKlarhimmel(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const auto& m = c.g.moment;
  if (s.SonnenHoehe <= 1.0) {
    s.DirektNormal = s.DiffusHorizontal = 0.0f;
    s.EinstrDirekt1 = s.EinstrDiffus1 = s.EinstrGesamt1 = s.EinstrWirksam1 = 0.0f;
    return;
  }
  s.SinSonnenHoehe = SinG(s.SonnenHoehe);
  s.Exzentrizitaet = static_cast<float>(1.0 + 0.034 * CosG(0.986 * m.SimTag - 2.0));
  const double luftmasse = (1.0 - c.g.loc.OrtHoehe / 10000.0) / s.SinSonnenHoehe;
  const double trueb = m.TruebungsFaktor;
  s.DirektNormal = static_cast<float>(1320.0 * s.Exzentrizitaet *
                                      std::exp(-trueb * luftmasse / (0.9 * luftmasse + 9.4)));
  const double ibh = s.DirektNormal * s.SinSonnenHoehe;
  s.ExtraterrHorizontal = static_cast<float>(CalcExtraterrestrisch(m.SimTag) * s.SinSonnenHoehe);
  s.EinstrDirekt1 = s.CosEinfall1 > 0.0f ? p.KollektorFlaeche * s.CosEinfall1 * s.DirektNormal : 0.0f;
  if (s.SinSonnenHoehe >= 0.05) {
    for (int k = 1; k <= 29; ++k) {
      const float vermutet = static_cast<float>(k) / 40.0f + 0.225f;
      s.DiffusAnteil = CalcDiffusAnteil(ibh / (1.0 - vermutet), s.ExtraterrHorizontal);
      if (std::fabs(vermutet - s.DiffusAnteil) < 0.1f) break;
    }
  } else {
    s.DiffusAnteil = 0.95f;
  }
  s.DiffusAnteil = std::min(s.DiffusAnteil, 0.95f);
  double dh = ibh * s.DiffusAnteil / (1.0 - s.DiffusAnteil);
  const double dmax = std::max(10.0, std::sqrt(s.SinSonnenHoehe) * (500.0 - 10.0 * trueb) + 100.0 - 10.0 * trueb);
  if (dh > dmax) {
    dh = dmax * dmax / dh;
    s.DiffusAnteil = static_cast<float>(dh / (ibh + dh));
  }
  s.DiffusHorizontal = static_cast<float>(dh);
  s.CosNeigung1 = static_cast<float>(CosG(p.KollektorNeigung));
  s.EinstrDiffus1 = static_cast<float>(p.KollektorFlaeche * SichtFaktorFeld1(c) * s.DiffusHorizontal);
  s.EinstrGesamt1 = std::min(s.EinstrDirekt1 + s.EinstrDiffus1, kMaxEinstrahlung * p.KollektorFlaeche);
  s.EinstrWirksam1 = s.Verschattet ? s.EinstrDiffus1 : s.EinstrGesamt1;
}

namespace {

// Output of one field of irradiance g (W/m²) and area a at the current inlet temperature:
// the fixed point of outlet temperature and output. Leaves TKollAus, TKollMittel, KollDeltaT
// and KollEta of the last pass.
float IteriereFeld(SimContext& c, float g, float a) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float rueck = c.g.moment.RuecklaufTemp;
  const float aussen = c.g.moment.AussenTemp;
  if (a <= 0.0f || p.KollektorFlow <= 0.0f) return 0.0f;
  const float waermestrom = 3.8f * p.KollektorFlow * a;  // W/K of the solar circuit, as 3.6 W per l/h
  auto durchgang = [&](float q) {
    s.TKollAus = rueck + 3.6f * q / waermestrom;
    s.TKollMittel = (s.TKollAus + rueck) / 2.0f;
    s.KollDeltaT = s.TKollMittel + 1.0f - aussen;
    s.KollEta = CalcKollEta(p.KollEta0, p.KollK1, p.KollK2, s.KollDeltaT, g);
    return g * a * s.KollEta;
  };
  float q = 0.0f;
  for (int pass = 0; pass < kKollektorIterationen; ++pass) {
    const float alt = q;
    q = durchgang(alt);
    if (std::fabs(q - alt) / a < 4.0f) return q;
    // No output at the inlet temperature itself: the field gives nothing.
    if (q == 0.0f && alt == 0.0f) return q;
    // Otherwise a pass that falls to 0 has overshot the outlet temperature (low flows).
    if (q == 0.0f) break;
  }
  // The passes overshoot or alternate (very low flows): the output solves q = g a eta(q),
  // whose right side falls with q; bisect on it. Deliberate: the passes are capped and end
  // in this bisection, because at low flows they never settled and the loop ran on.
  float lo = 0.0f, hi = std::max(g * a * 2.0f, 1.0f);
  for (int i = 0; i < 60; ++i) {
    const float mitte = (lo + hi) / 2.0f;
    if (durchgang(mitte) > mitte) {
      lo = mitte;
    } else {
      hi = mitte;
    }
  }
  q = (lo + hi) / 2.0f;
  durchgang(q);
  return q;
}

}  // namespace

void CalcKollektorfeld(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  float& qKoll = c.g.moment.QKoll;
  if (s.SinSonnenHoehe <= 0.0) {
    qKoll = s.QKoll1 = s.QKoll2 = 0.0f;
    s.KollFeld = 1;
    s.TKollAus = CalcStundenTemp(c, c.g.moment.SimTag, c.g.moment.Tageszeit);
    return;
  }
  auto strahlung = [&s, &p](float direkt, float diffus, float cosEinfall, float flaeche) {
    if (flaeche <= 0.0f) return 0.0f;
    const float wirksam = s.Verschattet ? diffus : CalcIAM(p.KollIAM50, cosEinfall) * direkt + diffus;
    return wirksam / flaeche;
  };
  const float g1 = strahlung(s.EinstrDirekt1, s.EinstrDiffus1, s.CosEinfall1, p.KollektorFlaeche);
  if (!p.OstWestKollektor) {
    qKoll = IteriereFeld(c, g1, p.KollektorFlaeche);
    s.KollFeld = 1;
  } else {
    const float g2 = strahlung(s.EinstrDirekt2, s.EinstrDiffus2, s.CosEinfall2, p.KollektorFlaeche2);
    s.KollFeld = s.CosEinfall1 <= s.CosEinfall2 ? 2 : 1;
    const bool feld2 = s.KollFeld == 2;
    const float gIt = feld2 ? g2 : g1, aIt = feld2 ? p.KollektorFlaeche2 : p.KollektorFlaeche;
    const float gAnd = feld2 ? g1 : g2, aAnd = feld2 ? p.KollektorFlaeche : p.KollektorFlaeche2;
    const float qIt = IteriereFeld(c, gIt, aIt);
    s.KollEta = CalcKollEta(p.KollEta0, p.KollK1, p.KollK2, s.KollDeltaT, gAnd);
    const float qAnd = std::max(0.0f, gAnd * aAnd * s.KollEta);
    s.QKoll1 = feld2 ? qAnd : qIt;
    s.QKoll2 = feld2 ? qIt : qAnd;
    qKoll = s.QKoll1 + s.QKoll2;
  }
  if (qKoll > 0.0f) {
    const float vorher = qKoll;
    const float verlust = (s.TKollMittel - 20.0f) * p.RohrMeterkWert * p.Solarkreislaenge * 2.0f;
    if (verlust > 0.0f) qKoll -= verlust;
    qKoll = std::max(qKoll, 0.0f);
    if (p.OstWestKollektor && vorher != 0.0f) {
      const float anteil = qKoll / vorher;
      s.QKoll1 *= anteil;
      s.QKoll2 *= anteil;
    }
  }
}

}  // namespace tav
