// The instantaneous output: sun position against an independent solar-position reference
// (NOAA formulas), noon height, sunrise and sunset edges, the night branch, a southern site,
// day 1 and day 365, clear-sky irradiance, tracking, shading, stagnation (also without loss
// coefficients), and the report lines. No weather years are present: the clear-sky model
// alone must carry the computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/TavMathe.h"
#include "simulation/Moment.h"

namespace tav {
namespace {

struct Welt {
  LocationState loc;
  PlantState p;
  Welt(double breite = 50.0, double laenge = 10.0, int zone = 1) {
    loc.GeoBreite = breite;
    loc.GeoLaenge = laenge;
    loc.OrtZeitzone = static_cast<std::int8_t>(zone);
    loc.OrtHoehe = 0;
    for (auto& t : loc.LuftTempMonat) t = 10.0f;
    p.KollektorFlaeche = 10.0f;
    p.KollEta0 = 0.8f;
    p.KollK1 = 3.5f;
    p.KollK2 = 0.015f;
    p.KollIAM50 = 0.92f;
    p.KollektorFlow = 40.0f;
    p.Solarkreislaenge = 0.0f;
  }
};

MomentEingabe Eingabe(int tag, int monat, double uhr, int montage = 1, double neigung = 45.0, double azimut = 0.0) {
  MomentEingabe e;
  e.Tag = tag;
  e.Monat = monat;
  e.Jahr = 2026;
  e.Uhrzeit = uhr;
  e.Montage = montage;
  e.Neigung = neigung;
  e.Azimut = azimut;
  e.AussenNachNatur = false;
  e.Aussen = 20.0;
  e.Ruecklauf = 30.0;
  return e;
}

bool Enthaelt(const std::vector<MomentZeile>& z, const std::string& teil) {
  return std::any_of(z.begin(), z.end(), [&](const MomentZeile& l) { return l.Text.find(teil) != std::string::npos; });
}

// Elevation and compass azimuth (south 0, west positive) from the NOAA solar-position
// formulas for the given clock time in the site's standard time.
TEST(Moment, SunPositionMatchesTheReference) {
  struct Fall {
    const char* ort;
    double breite, laenge;
    int zone, tag, monat;
    double uhr, hoehe, azimut;
  };
  const Fall faelle[] = {
      {"Berlin midsummer noon", 52.52, 13.405, 1, 21, 6, 12.0, 60.88, -3.86},
      {"Berlin midsummer morning", 52.52, 13.405, 1, 21, 6, 9.0, 44.11, -69.27},
      {"Munich equinox afternoon", 48.14, 11.58, 1, 21, 3, 15.0, 31.18, 48.43},
      {"Munich midwinter noon", 48.14, 11.58, 1, 21, 12, 12.0, 18.37, -2.84},
      {"50 N autumn morning", 50.0, 10.0, 1, 23, 9, 10.5, 35.28, -31.97},
      {"Sydney midsummer noon", -33.87, 151.21, 10, 21, 12, 12.0, 79.45, 171.23},
      {"Sydney midwinter noon", -33.87, 151.21, 10, 21, 6, 12.0, 32.69, 179.15},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.ort);
    Welt w(f.breite, f.laenge, f.zone);
    const auto r = BerechneMoment(Eingabe(f.tag, f.monat, f.uhr), w.loc, w.p);
    EXPECT_NEAR(r.SonnenHoehe, f.hoehe, 0.7);
    double d = std::fmod(r.SonnenAzimutKompass - f.azimut + 540.0, 360.0) - 180.0;
    EXPECT_NEAR(d, 0.0, 1.5);
    EXPECT_FALSE(r.Nacht);
    EXPECT_TRUE(r.Tagansicht);
  }
}

// Noon height is 90 - |latitude| + declination (as the engine mirrors the south); the
// declination of the solstices and equinoxes within half a degree of the published values.
TEST(Moment, NoonHeightAndDayLengthFollowTheDeclination) {
  struct Fall {
    int tag, monat;
    double deklination, tageslaenge;  // geometric day length at 50 N, hours
  };
  const Fall faelle[] = {{21, 6, 23.44, 16.15}, {21, 12, -23.44, 7.85}, {21, 3, 0.0, 12.0}, {23, 9, 0.0, 12.0}};
  for (double breite : {50.0, -50.0}) {
    for (const auto& f : faelle) {
      SCOPED_TRACE(std::to_string(breite) + " " + std::to_string(f.monat));
      Welt w(breite);
      const auto r = BerechneMoment(Eingabe(f.tag, f.monat, 12.0), w.loc, w.p);
      const double wahreDekl = breite < 0 ? -r.Deklination : r.Deklination;
      EXPECT_NEAR(wahreDekl, f.deklination, 0.6);
      EXPECT_NEAR(r.SonnenHoeheMax, 90.0 - 50.0 + r.Deklination, 1e-6);
      const double laenge = r.Sonnenuntergang - r.Sonnenaufgang;
      EXPECT_NEAR(laenge, breite > 0 ? f.tageslaenge : 24.0 - f.tageslaenge, 0.25);
      // Sunrise and sunset lie symmetric about solar noon.
      EXPECT_NEAR((r.Sonnenaufgang + r.Sonnenuntergang) / 2.0 + r.SonnenzeitKorrektur, 12.0, 1e-3);
    }
  }
}

// Just after sunrise the sun is up; within the hour before it the day view already shows
// (with "nachts" in the time line); earlier the night view; the same at sunset.
TEST(Moment, SunriseAndSunsetEdges) {
  Welt w;
  const auto tag = BerechneMoment(Eingabe(21, 3, 12.0), w.loc, w.p);
  struct Fall {
    double uhr;
    bool nacht, tagansicht;
  };
  const Fall faelle[] = {
      {tag.Sonnenaufgang - 1.05, true, false}, {tag.Sonnenaufgang - 0.95, true, true},
      {tag.Sonnenaufgang + 0.05, false, true}, {tag.Sonnenuntergang - 0.05, false, true},
      {tag.Sonnenuntergang + 0.95, true, true}, {tag.Sonnenuntergang + 1.05, true, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.uhr);
    const auto r = BerechneMoment(Eingabe(21, 3, f.uhr), w.loc, w.p);
    EXPECT_EQ(r.Nacht, f.nacht);
    EXPECT_EQ(r.Tagansicht, f.tagansicht);
    if (f.nacht && f.tagansicht) {
      const auto z = MomentBericht(Eingabe(21, 3, f.uhr), r, w.p, false, "");
      EXPECT_TRUE(Enthaelt(z, "nachts"));
      EXPECT_EQ(r.QKoll, 0.0);
    }
  }
}

// At night: no irradiance, no incidence, no gain, the collector at ambient temperature, and
// the report lists the four principal moon phases in order and after the date.
TEST(Moment, NightHasNoGainAndListsTheMoonPhases) {
  Welt w;
  for (bool stillstand : {false, true}) {
    auto e = Eingabe(21, 12, 2.0);
    e.RLStillstand = stillstand;
    const auto r = BerechneMoment(e, w.loc, w.p);
    EXPECT_TRUE(r.Nacht);
    EXPECT_FALSE(r.Tagansicht);
    EXPECT_LT(r.SonnenHoehe, 0.0);
    for (double v : {r.DirektNormal, r.DiffusHorizontal, r.CosEinfall, r.EinstrDirekt, r.EinstrDiffus,
                     r.EinstrGesamt, r.QKoll})
      EXPECT_EQ(v, 0.0);
    EXPECT_EQ(r.TKollAus, r.AussenTemp);
    const auto z = MomentBericht(e, r, w.p, false, "");
    ASSERT_EQ(z.size(), 4u);
    EXPECT_EQ(z[0].Text.rfind("Neumond\t", 0), 0u);
    EXPECT_EQ(z[3].Text.rfind("Letztes Viertel\t", 0), 0u);
    const int heute = DateToJulianDay(21, 12, 2026);
    for (const auto& ph : r.MondPhasen) {
      const int jd = DateToJulianDay(ph.Tag, ph.Monat, ph.Jahr);
      EXPECT_GE(jd, heute);
      EXPECT_LT(jd, heute + 31);
    }
  }
}

// Published principal phases (UT dates) of January 2024: new moon 11.01., first quarter
// 18.01., full moon 25.01., last quarter 02.02.
TEST(Moment, MoonPhasesMatchPublishedDates) {
  Welt w;
  const int erwartet[4] = {DateToJulianDay(11, 1, 2024), DateToJulianDay(18, 1, 2024), DateToJulianDay(25, 1, 2024),
                           DateToJulianDay(2, 2, 2024)};
  auto e = Eingabe(10, 1, 23.0);
  e.Jahr = 2024;
  const auto r24 = BerechneMoment(e, w.loc, w.p);
  for (int i = 0; i < 4; ++i) {
    const auto& ph = r24.MondPhasen[static_cast<std::size_t>(i)];
    EXPECT_LE(std::abs(DateToJulianDay(ph.Tag, ph.Monat, ph.Jahr) - erwartet[i]), 1) << i;
  }
  EXPECT_GT(r24.MondPhase, 300.0);  // the day before new moon
}

// A southern site: the noon sun stands in the north, and the diagram's sun path passes
// through the sun position shown, for the true latitude.
TEST(Moment, SouthernSiteNoonSunInTheNorthAndPathThroughThePosition) {
  Welt w(-33.87, 151.21, 10);
  for (double uhr : {8.0, 11.9, 15.5}) {
    const auto r = BerechneMoment(Eingabe(21, 12, uhr), w.loc, w.p);
    EXPECT_GT(std::fabs(r.SonnenAzimut12), 150.0);  // north of the site
    const auto jetzt = SonneUm(r, w.loc, uhr);
    EXPECT_NEAR(jetzt.Azimut, r.SonnenAzimutKompass, 1e-9);
    EXPECT_NEAR(jetzt.Hoehe, r.SonnenHoehe, 1e-9);
    const auto bahn = Sonnenbahn(r, w.loc);
    ASSERT_EQ(bahn.size(), 41u);
    // Morning in the east, evening in the west, highest point near north.
    EXPECT_LT(bahn.front().Azimut, 0.0);
    EXPECT_GT(bahn.back().Azimut, 0.0);
    const auto hoch = *std::max_element(bahn.begin(), bahn.end(),
                                        [](const auto& a, const auto& b) { return a.Hoehe < b.Hoehe; });
    EXPECT_GT(std::fabs(hoch.Azimut), 150.0);
  }
  // A collector facing the equator (azimuth 0) gains at noon as in the north.
  const auto r = BerechneMoment(Eingabe(21, 12, 12.0, 1, 30.0, 0.0), w.loc, w.p);
  EXPECT_GT(r.CosEinfall, 0.9);
  EXPECT_GT(r.QKoll, 0.0);
}

// Day 1 and day 365, and 29 February of a leap year, lie within the simulated year; the
// ambient from the climate works on each.
TEST(Moment, FirstAndLastDayAndLeapDay) {
  Welt w;
  struct Fall {
    int tag, monat, jahr, simTag;
  };
  const Fall faelle[] = {{1, 1, 2026, 1}, {31, 12, 2026, 365}, {31, 12, 2028, 365}, {29, 2, 2028, 60}, {1, 3, 2028, 60}};
  for (const auto& f : faelle) {
    auto e = Eingabe(f.tag, f.monat, 12.0);
    e.Jahr = f.jahr;
    e.AussenNachNatur = true;
    const auto r = BerechneMoment(e, w.loc, w.p);
    EXPECT_EQ(r.SimTag, f.simTag);
    EXPECT_FALSE(r.Nacht);
    EXPECT_EQ(r.AussenTemp, std::round(r.AussenTemp));
  }
}

// Clear-sky direct normal irradiance of the Linke model (about 880 W/m² at 60 degrees and
// TL 3.5 at sea level in June); more turbidity, less light; the global value on a field
// never exceeds 1200 W/m².
TEST(Moment, ClearSkyIrradiance) {
  Welt w(52.52, 13.405);
  auto e = Eingabe(21, 6, 12.0);
  e.Truebung = 3.5;
  const auto klar = BerechneMoment(e, w.loc, w.p);
  EXPECT_NEAR(klar.DirektNormal, 870.0, 50.0);
  EXPECT_GT(klar.DiffusHorizontal, 50.0);
  EXPECT_LT(klar.DiffusHorizontal, 200.0);
  e.Truebung = 8.0;
  const auto trueb = BerechneMoment(e, w.loc, w.p);
  EXPECT_LT(trueb.DirektNormal, klar.DirektNormal);
  EXPECT_LT(trueb.QKoll, klar.QKoll);
  EXPECT_LE(klar.EinstrGesamt, 1200.0 * w.p.KollektorFlaeche + 1e-3);
  // 1.0 is the least turbidity computed; values beneath are taken as 1.0.
  e.Truebung = 0.2;
  const auto unten = BerechneMoment(e, w.loc, w.p);
  e.Truebung = 1.0;
  EXPECT_EQ(unten.DirektNormal, BerechneMoment(e, w.loc, w.p).DirektNormal);
}

// Two-axis tracking faces the sun: incidence 1 and at least the direct light of any fixed
// plane, over the whole day.
TEST(Moment, TwoAxisTrackingGainsOverAFixedPlane) {
  Welt w;
  for (double uhr = 6.0; uhr <= 18.0; uhr += 1.5) {
    const auto fest = BerechneMoment(Eingabe(21, 6, uhr, 1, 45.0, 0.0), w.loc, w.p);
    const auto folgt = BerechneMoment(Eingabe(21, 6, uhr, 4, 45.0, 0.0), w.loc, w.p);
    const auto neigt = BerechneMoment(Eingabe(21, 6, uhr, 3, 45.0, 0.0), w.loc, w.p);
    SCOPED_TRACE(uhr);
    EXPECT_DOUBLE_EQ(folgt.CosEinfall, 1.0);
    EXPECT_GE(folgt.EinstrDirekt + 1e-3, fest.EinstrDirekt);
    EXPECT_GE(folgt.QKoll + 1e-3, fest.QKoll);
    EXPECT_LE(neigt.NachfNeigung, 70.0);
    EXPECT_GE(neigt.CosEinfall, -1.0);
    EXPECT_LE(neigt.CosEinfall, 1.0);
  }
}

// The stagnation case: the inlet becomes the temperature at which the collector gives
// nothing, and the report says so; without loss coefficients the result stays finite.
TEST(Moment, StagnationAlsoWithoutLossCoefficients) {
  struct Fall {
    const char* name;
    float k1, k2;
  };
  const Fall faelle[] = {{"quadratic", 3.5f, 0.015f}, {"linear", 3.5f, 0.0f}, {"no loss", 0.0f, 0.0f}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Welt w;
    w.p.KollK1 = f.k1;
    w.p.KollK2 = f.k2;
    auto e = Eingabe(21, 6, 12.0);
    e.RLStillstand = true;
    const auto r = BerechneMoment(e, w.loc, w.p);
    EXPECT_TRUE(r.Stagnation);
    EXPECT_TRUE(std::isfinite(r.RuecklaufTemp));
    EXPECT_GT(r.RuecklaufTemp, r.AussenTemp + 50.0);
    EXPECT_TRUE(std::isfinite(r.QKoll));
    if (f.k1 > 0.0f) {
      EXPECT_LT(r.QKoll, 0.02 * r.GlobalKollektor);
    }
    const auto z = MomentBericht(e, r, w.p, false, "");
    EXPECT_TRUE(Enthaelt(z, "Stagnationstemperatur"));
  }
  // A hot typed inlet that gives no gain is no stagnation case: no such line.
  Welt w;
  auto e = Eingabe(21, 6, 12.0);
  e.Ruecklauf = 250.0;
  const auto r = BerechneMoment(e, w.loc, w.p);
  EXPECT_EQ(r.QKoll, 0.0);
  EXPECT_FALSE(Enthaelt(MomentBericht(e, r, w.p, false, ""), "Stagnationstemperatur"));
}

// With the sun behind a shaded sky-map cell, the field gets only the diffuse light and the
// report says why; with a clear map it notes "kein Schatten".
TEST(Moment, ShadingTakesTheDirectLight) {
  Welt w;
  w.p.SkyMapAktiv = true;
  const auto frei = BerechneMoment(Eingabe(21, 6, 12.0), w.loc, w.p);
  EXPECT_FALSE(frei.Verschattet);
  EXPECT_TRUE(Enthaelt(MomentBericht(Eingabe(21, 6, 12.0), frei, w.p, false, ""), "(kein Schatten)"));
  w.p.SkyMapDaten.fill(1);
  const auto r = BerechneMoment(Eingabe(21, 6, 12.0), w.loc, w.p);
  EXPECT_TRUE(r.Verschattet);
  EXPECT_NEAR(r.GlobalKollektor, r.EinstrGesamt - r.EinstrDirekt, 1e-3);
  EXPECT_LT(r.QKoll, frei.QKoll);
  EXPECT_TRUE(Enthaelt(MomentBericht(Eingabe(21, 6, 12.0), r, w.p, false, ""), "= 0 W wegen Verschattung!"));
}

// The day report: heading, time since sunrise, orientation by mounting, and the program
// line only for the copy.
TEST(Moment, DayReportLines) {
  Welt w;
  auto e = Eingabe(21, 6, 9.25);
  const auto r = BerechneMoment(e, w.loc, w.p);
  const auto z = MomentBericht(e, r, w.p, true, "Tavrel 3.0");
  ASSERT_GT(z.size(), 12u);
  EXPECT_EQ(z[0].Text, "Tavrel 3.0");
  EXPECT_EQ(z[2].Text, "Momentanleistung am 21.06.2026 / 9:15 h");
  EXPECT_TRUE(z[2].Kopf);
  EXPECT_NE(z[3].Text.find("h nach Sonnenaufgang"), std::string::npos);
  EXPECT_TRUE(Enthaelt(z, "Neigung:\t45°\tSüdabweichung: 0°"));
  EXPECT_TRUE(Enthaelt(z, "Wirkungsgrad:\t"));
  EXPECT_FALSE(MomentBericht(e, r, w.p, false, "")[0].Text == "Tavrel 3.0");
  e.Uhrzeit = 16.0;
  EXPECT_TRUE(Enthaelt(MomentBericht(e, BerechneMoment(e, w.loc, w.p), w.p, false, ""), "h vor Sonnenuntergang"));
  e.Montage = 4;
  EXPECT_TRUE(Enthaelt(MomentBericht(e, BerechneMoment(e, w.loc, w.p), w.p, false, ""), "Kollektorausrichtung:\t"));
}

// Polar day and night: no azimuth at dawn; polar night has no sun path.
TEST(Moment, PolarDayAndNight) {
  Welt w(75.0, 15.0, 1);
  const auto sommer = BerechneMoment(Eingabe(21, 6, 0.5), w.loc, w.p);
  EXPECT_EQ(sommer.AzimutDaemmerung, 0.0);
  EXPECT_FALSE(sommer.Nacht);
  EXPECT_EQ(Sonnenbahn(sommer, w.loc).size(), 41u);
  const auto winter = BerechneMoment(Eingabe(21, 12, 12.0), w.loc, w.p);
  EXPECT_EQ(winter.AzimutDaemmerung, 0.0);
  EXPECT_TRUE(winter.Nacht);
  EXPECT_EQ(winter.QKoll, 0.0);
  EXPECT_TRUE(Sonnenbahn(winter, w.loc).empty());
}

}  // namespace
}  // namespace tav
