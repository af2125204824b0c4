// Chart computations without painting: bar heights, caps and slots, the curve channels,
// scales and mappings, and the curve navigation.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "results/ResultCharts.h"

namespace tav {
namespace {

std::unique_ptr<TavState> Monate(double s, double d, double i) {
  auto g = std::make_unique<TavState>();
  for (int m = 1; m <= 13; ++m) {
    const auto k = static_cast<std::size_t>(m);
    g->results.SolarertragMonat[k] = static_cast<float>(s);
    g->results.WWBedarfMonat[k] = static_cast<float>(d);
    g->results.KollEinstrahlungMonat[k] = static_cast<float>(i);
  }
  return g;
}

const TBalken* Finde(const std::vector<TBalken>& b, int monat, TBalkenSerie s) {
  for (const auto& x : b)
    if (x.Monat == monat && x.Serie == s) return &x;
  return nullptr;
}

TEST(Balken, HeightsCapsAndSlots) {
  struct Fall {
    double s, d, i;
    int hoehe, wirkung;
  } faelle[] = {
      {500, 1000, 2000, 50, 25},   // 50 % and 25 %
      {1300, 1000, 2000, 120, 65}, // 130 % drawn to the cap: top at y 50
      {2600, 1000, 1000, 120, 120}, // the efficiency of 260 % stops at the cap too
      {1130, 1000, 1000, 113, 113}, // more solar heat than demand stands above the 100 % line
      {-100, 1000, 2000, 0, 0},    // negative values stand at 0
  };
  for (const auto& f : faelle) {
    auto g = Monate(f.s, f.d, f.i);
    const auto b = DeckungsBalken(g->results, g->plant);
    const auto* ww = Finde(b, 1, TBalkenSerie::Warmwasser);
    ASSERT_NE(ww, nullptr);
    EXPECT_EQ(ww->Hoehe, f.hoehe);
    EXPECT_EQ(Finde(b, 1, TBalkenSerie::Wirkungsgrad)->Hoehe, f.wirkung);
  }
  auto g = Monate(1300, 1000, 2000);
  const auto b = DeckungsBalken(g->results, g->plant);
  EXPECT_EQ(Finde(b, 1, TBalkenSerie::Warmwasser)->Top(kBalkenBasis), 50);
  // Slots: month 12 at 370, the year 10 pixels further than a 13th month.
  EXPECT_EQ(Finde(b, 12, TBalkenSerie::Warmwasser)->X1, 40 + 330 + 3);
  EXPECT_EQ(Finde(b, 13, TBalkenSerie::Warmwasser)->X1, 40 + 360 + 10 + 3);
  EXPECT_EQ(Finde(b, 13, TBalkenSerie::Wirkungsgrad)->X2, 40 + 360 + 10 + 16);
}

TEST(Balken, SeriesByHeatingAndPoolAndMissingDivisors) {
  auto g = Monate(600, 1000, 2000);
  g->plant.SolHeizung = true;
  g->plant.Pool = true;
  g->plant.Heizwaermebedarf = 12000;
  for (auto& a : g->results.HeizanteilMonat) a = 1.0f / 12.0f;
  for (auto& p : g->results.PoolWaermeMonat) p = 100;
  for (auto& h : g->results.SolHeizenMonat) h = 100;
  const auto b = DeckungsBalken(g->results, g->plant);
  const auto* pool = Finde(b, 3, TBalkenSerie::Pool);
  ASSERT_NE(pool, nullptr);
  EXPECT_EQ(pool->Hoehe, 5);  // 100 / (1000 + 1000)
  EXPECT_EQ(pool->X2 - pool->X1, 30);
  EXPECT_EQ(Finde(b, 3, TBalkenSerie::Warmwasser)->Hoehe, 40);  // (600 - 100 - 100) / 1000
  EXPECT_EQ(Finde(b, 3, TBalkenSerie::Gesamt)->Hoehe, 25);      // (600 - 100) / 2000
  EXPECT_EQ(Finde(b, 3, TBalkenSerie::Gesamt)->X1, 40 + 60 + 13);

  // No demand and no irradiation in a month: no bars at all for it.
  g->results.WWBedarfMonat[6] = 0;
  g->plant.SolHeizung = false;
  g->results.KollEinstrahlungMonat[6] = 0;
  const auto c = DeckungsBalken(g->results, g->plant);
  for (const auto& x : c) EXPECT_NE(x.Monat, 6);
}

TEST(Balken, PlantType2DrawsOver150As151AndTheSurplusShare) {
  auto g = Monate(2000, 1000, 1000);
  g->plant.AnlagenTypNr = 2;
  g->plant.SolHeizung = true;
  for (auto& h : g->results.SolHeizenMonat) h = 1500;
  const auto b = DeckungsBalken2(g->results, g->plant);
  EXPECT_EQ(Finde(b, 1, TBalkenSerie::Warmwasser)->Hoehe, 151);
  EXPECT_EQ(Finde(b, 1, TBalkenSerie::NurWarmwasser)->Hoehe, 50);
  EXPECT_EQ(Finde(b, 1, TBalkenSerie::Wirkungsgrad)->Hoehe, 162);  // 200 %, kept inside the picture
  EXPECT_EQ(Finde(b, 13, TBalkenSerie::Warmwasser)->X1, 40 + 360 + 5 + 3);
}

TEST(Kurven, ChannelOfEveryCurve) {
  struct Fall {
    TKurve k;
    int kanal;
  } faelle[] = {{TKurve::Einstrahlung, 0}, {TKurve::Leistung, 1},       {TKurve::TKoll, 3},
                {TKurve::Speicher1Oben, 5}, {TKurve::Speicher1Unten, 6}, {TKurve::Speicher2Oben, 7},
                {TKurve::Speicher2Unten, 8}, {TKurve::TKoll2, 4},       {TKurve::Einstrahlung2, 11}};
  for (const auto& f : faelle) EXPECT_EQ(KurvenKanal(f.k), f.kanal);
  EXPECT_TRUE(IstEnergieKurve(TKurve::Einstrahlung2));
  // The curves read exactly those channels: a value put into each shows in its own curve.
  auto g = std::make_unique<TavState>();
  for (const auto& f : faelle) {
    if (IstEnergieKurve(f.k)) continue;
    g->results.Stunde(1, f.kanal, 10 * 24 + 12) = 10.0f * (f.kanal + 1);
    const auto pt = KurvenPunkte(g->results, 1, TKurvenAnsicht::Tag, 1, 11, f.k, 0.0);
    ASSERT_EQ(pt.size(), 24u);
    EXPECT_EQ(pt[12].Y, TempY(10.0 * (f.kanal + 1)));
  }
}

TEST(Kurven, ScalesAndMappings) {
  EXPECT_EQ(TempY(-20), 265);
  EXPECT_EQ(TempY(130), 25);
  EXPECT_EQ(TempY(55), 145);
  EXPECT_EQ(EnergieY(50, 100), 145);
  struct Fall {
    double max, schritt;
  } faelle[] = {{150, 20}, {25, 5}, {31, 5}, {4.2, 1}, {79, 10}, {850, 200}, {0, 0}, {-3, 0}};
  for (const auto& f : faelle) EXPECT_DOUBLE_EQ(SkalenSchritt(f.max), f.schritt) << f.max;

  auto g = std::make_unique<TavState>();
  auto& r = g->results;
  // No energy curve, or nothing in the channel: no scale.
  EXPECT_FALSE(EnergieSkala(r, 1, TKurvenAnsicht::Jahr, false, false));
  EXPECT_FALSE(EnergieSkala(r, 1, TKurvenAnsicht::Jahr, true, true));
  EXPECT_TRUE(KurvenPunkte(r, 1, TKurvenAnsicht::Jahr, 1, 1, TKurve::Einstrahlung, 0.0).empty());
  // 4 kWh on day 200 (irradiation), 1 kW most in an hour.
  for (int h = 8; h < 12; ++h) r.Stunde(1, 0, 199 * 24 + h) = 1000.0f;
  r.Stunde(1, 1, 5) = 2000.0f;
  const auto jahr = EnergieSkala(r, 1, TKurvenAnsicht::Jahr, true, true);
  ASSERT_TRUE(jahr);
  EXPECT_DOUBLE_EQ(jahr->Maximum, 4.2);
  // Same scale in every month; the plant power when irradiation is off.
  EXPECT_DOUBLE_EQ(EnergieSkala(r, 1, TKurvenAnsicht::Monat, true, true)->Maximum, 4.2);
  EXPECT_DOUBLE_EQ(EnergieSkala(r, 1, TKurvenAnsicht::Monat, false, true)->Maximum, 2.1);
  EXPECT_DOUBLE_EQ(EnergieSkala(r, 1, TKurvenAnsicht::Tag, true, false)->Maximum, 1.05);

  // Year view: day 200's sum at x = 250; month view: daily sums at day resolution.
  const auto pj = KurvenPunkte(r, 1, TKurvenAnsicht::Jahr, 1, 1, TKurve::Einstrahlung, 4.2);
  ASSERT_EQ(pj.size(), 365u);
  EXPECT_EQ(pj[199].X, 250);
  EXPECT_EQ(pj[199].Y, EnergieY(4.0, 4.2));
  const auto pm = KurvenPunkte(r, 1, TKurvenAnsicht::Monat, 7, 1, TKurve::Einstrahlung, 4.2);
  ASSERT_EQ(pm.size(), 31u);
  EXPECT_EQ(pm[18].Y, EnergieY(4.0, 4.2));  // day 200 = 19 July
  // Year view temperatures: the daily maximum.
  r.Stunde(1, 3, 24 * 4 + 13) = 70.0f;
  r.Stunde(1, 3, 24 * 4 + 14) = 40.0f;
  EXPECT_EQ(KurvenPunkte(r, 1, TKurvenAnsicht::Jahr, 1, 1, TKurve::TKoll, 0.0)[4].Y, TempY(70));
  EXPECT_EQ(KurvenBreite(TKurvenAnsicht::Monat, 2), 336);
}

TEST(Kurven, StoreTwoCurvesOnlyForTwoStoreTypes) {
  SettingsState s;
  PlantState p;
  p.AnlagenTypNr = 1;
  EXPECT_EQ(SichtbareKurven(s, p, TKurvenAnsicht::Jahr).size(), 5u);
  p.AnlagenTypNr = 6;
  EXPECT_EQ(SichtbareKurven(s, p, TKurvenAnsicht::Jahr).size(), 7u);
  p.OstWestKollektor = true;
  // The day view adds the second field's irradiation and temperature, each with its switch.
  auto tag = SichtbareKurven(s, p, TKurvenAnsicht::Tag);
  ASSERT_EQ(tag.size(), 9u);
  EXPECT_EQ(tag[7], TKurve::Einstrahlung2);
  EXPECT_EQ(tag[8], TKurve::TKoll2);
  EXPECT_EQ(SichtbareKurven(s, p, TKurvenAnsicht::Monat).size(), 7u);
  s.plotE_Koll = false;
  tag = SichtbareKurven(s, p, TKurvenAnsicht::Tag);
  EXPECT_EQ(std::count(tag.begin(), tag.end(), TKurve::Einstrahlung2), 0);
  EXPECT_EQ(tag.back(), TKurve::TKoll2);
}

TEST(Kurven, NavigationWrapsAtTheYearsEnds) {
  TKurvenStand st;
  st.ZoomRein();
  EXPECT_EQ(st.Ansicht, TKurvenAnsicht::Monat);
  st.Monat = 12;
  st.Weiter();
  EXPECT_EQ(st.Monat, 1);
  EXPECT_EQ(st.Tag, 1);
  st.Zurueck();
  EXPECT_EQ(st.Monat, 12);
  EXPECT_EQ(st.Tag, 335);
  st.ZoomRein();
  st.Tag = 365;
  st.Weiter();
  EXPECT_EQ(st.Tag, 1);
  EXPECT_EQ(st.Monat, 1);
  st.Zurueck();
  EXPECT_EQ(st.Tag, 365);
  EXPECT_EQ(st.Monat, 12);
  st.ZoomRein();  // the day view stays
  EXPECT_EQ(st.Ansicht, TKurvenAnsicht::Tag);
  st.ZoomRaus();
  st.ZoomRaus();
  st.ZoomRaus();
  EXPECT_EQ(st.Ansicht, TKurvenAnsicht::Jahr);
  const int jahre[] = {2, 3, 1};
  for (int j : jahre) {
    st.NaechstesJahr();
    EXPECT_EQ(st.Jahr, j);
  }
}

}  // namespace
}  // namespace tav
