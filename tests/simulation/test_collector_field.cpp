// Collector field of one step and the irradiance on the fields: invariants of the iteration,
// the pipe loss, the 1200 W/m² cap, shading, the weather interpolation, measured data.
#include <gtest/gtest.h>

#include <cmath>

#include "simulation/CollectorField.h"
#include "simulation/DayDriver.h"
#include "simulation/PlantParams.h"
#include "simulation/SolarPhysics.h"
#include "support/ScriptedMessages.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

using test::ScopedMessages;

struct Feld {
  test::SimWelt w{test::WetterParameter{}, false};
  SimContext c{*w.g, *w.s, StillerBeobachter()};
  PlantState& p = w.g->plant;
  SimState& s = *w.s;
  float& q = w.g->moment.QKoll;

  explicit Feld(float g = 800.0f) {
    s.SonnenHoehe = 40.0;
    s.SinSonnenHoehe = std::sin(40.0 / kGradProRad);
    s.CosSonnenHoehe = std::cos(40.0 / kGradProRad);
    s.CosEinfall1 = 1.0f;
    Strahlung(g);
    w.g->moment.AussenTemp = 15.0f;
    w.g->moment.RuecklaufTemp = 30.0f;
  }
  void Strahlung(float g) {
    s.EinstrDirekt1 = 0.8f * g * p.KollektorFlaeche;
    s.EinstrDiffus1 = 0.2f * g * p.KollektorFlaeche;
  }
  float Q(float rueck) {
    w.g->moment.RuecklaufTemp = rueck;
    CalcKollektorfeld(c);
    return q;
  }
};

TEST(CollectorField, OutputIsBoundedAndMonotonic) {
  Feld f;
  const float a = f.p.KollektorFlaeche;
  float vorher = 1e9f;
  for (float rueck = 0.0f; rueck <= 120.0f; rueck += 5.0f) {
    const float q = f.Q(rueck);
    EXPECT_GE(q, 0.0f);
    EXPECT_LE(q, f.p.KollEta0 * 800.0f * a * 1.05f);  // optical limit (cold inlet may pass Eta0 slightly)
    EXPECT_LE(q, vorher + 1.0f) << rueck;
    vorher = q;
  }
  float qVorher = -1.0f;
  for (float g : {0.0f, 100.0f, 300.0f, 600.0f, 1000.0f}) {
    Feld h(g);
    const float q = h.Q(40.0f);
    if (g == 0.0f) {
      EXPECT_EQ(q, 0.0f);
    }
    EXPECT_GE(q, qVorher);
    qVorher = q;
  }
  qVorher = -1.0f;
  for (float flow : {10.0f, 20.0f, 40.0f, 80.0f}) {
    Feld h;
    h.p.KollektorFlow = flow;
    const float q = h.Q(40.0f);
    EXPECT_GE(q, qVorher - 1.0f) << flow;
    qVorher = q;
  }
}

TEST(CollectorField, IterationSettlesForVeryLowFlowAndStaysFinite) {
  for (float flow : {0.5f, 1.0f, 2.0f, 5.0f}) {
    Feld f;
    f.p.KollektorFlow = flow;
    f.p.Solarkreislaenge = 0.0f;
    const float q = f.Q(20.0f);
    EXPECT_TRUE(std::isfinite(q)) << flow;
    EXPECT_GE(q, 0.0f);
    // Self-consistent: the field gives q at the outlet temperature that q produces.
    const float a = f.p.KollektorFlaeche;
    const float aus = 20.0f + 3.6f * q / (3.8f * flow * a);
    const float eta = CalcKollEta(f.p.KollEta0, f.p.KollK1, f.p.KollK2, (aus + 20.0f) / 2.0f + 1.0f - 15.0f, 800.0f);
    EXPECT_NEAR(800.0f * a * eta, q, 4.0f * a + 0.02f * q) << flow;
  }
  Feld ohneFlaeche;
  ohneFlaeche.p.KollektorFlaeche = 0.0f;
  EXPECT_EQ(ohneFlaeche.Q(20.0f), 0.0f);
  Feld ohneFluss;
  ohneFluss.p.KollektorFlow = 0.0f;
  EXPECT_EQ(ohneFluss.Q(20.0f), 0.0f);
}

TEST(CollectorField, PipeLossIsBookedOnlyWithOutput) {
  Feld ohne, mit;
  ohne.p.Solarkreislaenge = 0.0f;
  mit.p.Solarkreislaenge = 30.0f;
  const float q0 = ohne.Q(50.0f), q1 = mit.Q(50.0f);
  EXPECT_LT(q1, q0);
  EXPECT_NEAR(q0 - q1, (mit.s.TKollMittel - 20.0f) * 0.22f * 30.0f * 2.0f, 1e-2f);
  Feld nacht(0.0f);
  nacht.p.Solarkreislaenge = 30.0f;
  EXPECT_EQ(nacht.Q(50.0f), 0.0f);
}

TEST(CollectorField, EastWestFieldsShareTheIteratedDifference) {
  Feld f;
  f.p.OstWestKollektor = true;
  f.p.KollektorFlaeche2 = 4.0f;
  f.s.CosEinfall2 = 1.0f;  // equal incidence: field 2 is iterated
  f.s.EinstrDirekt2 = 0.8f * 800.0f * 4.0f;
  f.s.EinstrDiffus2 = 0.2f * 800.0f * 4.0f;
  const float q = f.Q(40.0f);
  EXPECT_EQ(f.s.KollFeld, 2);
  EXPECT_NEAR(f.s.QKoll1 + f.s.QKoll2, q, 1e-2f);
  EXPECT_NEAR(f.s.QKoll1 / f.p.KollektorFlaeche, f.s.QKoll2 / 4.0f, 1.0f);
}

TEST(CollectorField, IrradianceCapShadingAndLowSun) {
  Feld f;
  auto& s = f.s;
  f.p.KollektorFlaeche = 2.0f;
  s.CosNeigung1 = 1.0f;
  const int tag = 100, i = (tag - 1) * 24 + 12;
  auto& wetter = f.w.g->weather;
  wetter.Wetter(1, WeatherState::kDirektNormal, i) = 1400.0f;
  wetter.Wetter(1, WeatherState::kDiffus, i) = 300.0f;
  SetEinstrahlung(f.c, tag, 12.0f);
  EXPECT_FLOAT_EQ(s.DirektNormal, 1400.0f);  // f = 0 reads the hour itself
  EXPECT_FLOAT_EQ(s.EinstrGesamt1, 1200.0f * 2.0f);
  EXPECT_FLOAT_EQ(s.Einstrahlung1, s.EinstrGesamt1);
  SetEinstrahlung(f.c, tag, 12.5f);
  EXPECT_FLOAT_EQ(s.DirektNormal, 1400.0f);  // so does f = 0.5
  s.Verschattet = true;
  SetEinstrahlung(f.c, tag, 12.0f);
  EXPECT_FLOAT_EQ(s.Einstrahlung1, s.EinstrDiffus1);
  s.SonnenHoehe = 1.0;
  SetEinstrahlung(f.c, tag, 12.0f);
  EXPECT_EQ(s.Einstrahlung1, 0.0f);
  EXPECT_EQ(s.EinstrDirekt1, 0.0f);
  // First and last hour of the year read no neighbour outside the store.
  s.SonnenHoehe = 10.0;
  SetEinstrahlung(f.c, 1, 0.25f);
  SetEinstrahlung(f.c, 365, 23.75f);
  EXPECT_TRUE(std::isfinite(s.DirektNormal));
}

TEST(CollectorField, MeasuredIrradianceAndItsAmbientTemperature) {
  ScopedMessages msgs;
  Feld f;
  auto& s = f.s;
  f.w.g->weather.Messdaten1[100] = 800.0f;  // hour index 99
  s.CosEinfall1 = 1.0f;
  SetMessEinstrahlung(f.c, 5, 3.5f);
  EXPECT_FLOAT_EQ(s.EinstrGesamt1, 800.0f * f.p.KollektorFlaeche);
  EXPECT_FLOAT_EQ(s.EinstrDirekt1 + s.EinstrDiffus1, s.EinstrGesamt1);
  EXPECT_FLOAT_EQ(s.Einstrahlung1, s.EinstrGesamt1);
  // Series that stop before the hour (or were never filled) give no irradiance there.
  f.w.g->weather.Messdaten1.resize(50);
  f.w.g->weather.Messdaten2.clear();
  f.p.OstWestKollektor = true;
  f.p.KollektorFlaeche2 = 4.0f;
  SetMessEinstrahlung(f.c, 5, 3.5f);
  EXPECT_EQ(s.Einstrahlung1, 0.0f);
  f.p.OstWestKollektor = false;
  // In the day driver the ambient rises 6 K per 1000 W/m² of measured irradiance, whatever
  // the area (a polar day keeps the sun up in the last step of the day).
  for (float flaeche : {2.0f, 20.0f}) {
    test::SimWelt w({}, false);
    auto& g = *w.g;
    g.plant.KollektorFlaeche = flaeche;
    SetSpeicherParam(g.plant, w.s->geo);
    g.loc.GeoBreite = 80.0;
    InitOrtSonne(g.loc);
    g.run.MessdatenAktiv = true;
    for (int h = 1; h <= kStundenProJahr; ++h) g.weather.Messdaten1[static_cast<std::size_t>(h)] = 1000.0f;
    g.moment.SimTag = 172;
    g.moment.SimMonat = 6;
    SimContext c{g, *w.s, StillerBeobachter()};
    RunSimSchritte(c, 120);
    EXPECT_NEAR(g.moment.AussenTemp, CalcLuftTemp(g.loc, 172, 23.8f) - 2.0f + 6.0f, 1e-3f) << flaeche;
  }
}

TEST(CollectorField, SkyMapLookUpCoversTheWholeSky) {
  PlantState p;
  p.SkyMapDaten.fill(0);
  p.SkyMapDaten[(37 - 1) * 18 + (18 - 1)] = 1;  // sector of azimuth 0, top band
  EXPECT_TRUE(IstVerschattet(p, 0.0f, 90.0f));  // a zenith sun belongs to the top band
  EXPECT_TRUE(IstVerschattet(p, 2.0f, 87.0f));
  EXPECT_FALSE(IstVerschattet(p, 2.0f, 80.0f));
  p.SkyMapDaten[0] = 1;  // sector 1 (north, from -180), band 1
  EXPECT_TRUE(IstVerschattet(p, -180.0f, 0.0f));
  EXPECT_TRUE(IstVerschattet(p, 180.0f, 0.0f));  // wraps from sector 73 to 1
}

TEST(CollectorField, InconsistentIncidenceStopsTheRunNotTheProgram) {
  ScopedMessages msgs;
  Feld f;
  f.s.SinSonnenHoehe = 1.0;
  f.s.CosSonnenHoehe = 1.0;  // not a real sun
  f.s.SinSonnenAzimut = 0.0;
  f.s.CosSonnenAzimut = 1.0;
  EXPECT_EQ(CalcCosEinfall(f.c, 0.0, 1.0, 45.0f, 0.7071f, 0.7071f), -1.0f);
  EXPECT_TRUE(f.s.AbbruchAnfrage);
  EXPECT_TRUE(msgs->Contains("Interner Fehler \"CS\""));
  f.s.CosSonnenHoehe = 0.45;  // 1.025
  EXPECT_EQ(CalcCosEinfall(f.c, 0.0, 1.0, 45.0f, 0.7071f, 0.7071f), 1.0f);  // just above 1: clamped
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(CollectorField, ClearSkyOfTheInstantaneousTool) {
  Feld f;
  auto& s = f.s;
  f.w.g->moment.SimTag = 172;
  f.w.g->moment.TruebungsFaktor = 3.5f;
  f.p.KollektorNeigung = 30.0f;
  s.Einstrahlung1 = 123.0f;
  float dnVorher = 0.0f;
  for (double h : {10.0, 30.0, 60.0}) {
    s.SonnenHoehe = h;
    s.CosEinfall1 = 0.9f;
    CalcKlarhimmel(f.c);
    EXPECT_GT(s.DirektNormal, dnVorher);  // less air mass, more beam
    EXPECT_LT(s.DirektNormal, 1367.0f);
    EXPECT_GT(s.DiffusHorizontal, 0.0f);
    EXPECT_LE(s.DiffusAnteil, 0.95f);
    EXPECT_LE(s.EinstrGesamt1, 1200.0f * f.p.KollektorFlaeche);
    EXPECT_FLOAT_EQ(s.EinstrWirksam1, s.EinstrGesamt1);
    dnVorher = s.DirektNormal;
  }
  EXPECT_EQ(s.Einstrahlung1, 123.0f);
  s.SonnenHoehe = 0.5;
  CalcKlarhimmel(f.c);
  EXPECT_EQ(s.EinstrGesamt1, 0.0f);
}

}  // namespace
}  // namespace tav
