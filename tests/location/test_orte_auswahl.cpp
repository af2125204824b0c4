// Making a location current: working variables, hemisphere, the stored weather file's
// name, and where the weather years come from.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "location/Orte.h"
#include "location/TavKlimgen.h"
#include "location/Wetter.h"
#include "simulation/Moment.h"
#include "simulation/SimRun.h"
#include "catalogues/test_orte_hilfen.h"
#include "tests/simulation/SimFixture.h"

namespace tav::test {
namespace {

TEST(WetterDateiName, FromTheCoordinatesAsWritten) {
  const struct {
    double breite, laenge;
    const char* name;
  } faelle[] = {
      {48.0, 7.9, "N480E079.wet"},   {40.4, -3.7, "N404W037.wet"},
      {5.0, 0.0, "N050E000.wet"},    {1.0, 123.4, "N010E1234.wet"},
      {-33.9, 18.4, "S339E184.wet"}, {-33.9, -70.6, "S339W706.wet"},
      // A value that is written as 0,0 has no sign in the file, and neither in the name.
      {48.0, -0.04, "N480E000.wet"}, {47.38, 8.54, "N474E085.wet"},
  };
  for (const auto& f : faelle) EXPECT_EQ(MakeWetterDateiName(f.breite, f.laenge), f.name);
}

class Auswahl : public ::testing::Test {
 protected:
  OrteFixture f;
  void SetUp() override {
    TavState& s = f.s();
    s.cat.OrtAnzahl = 3;
    s.cat.Orte[1] = BeispielOrt("Nord", 48.0f, 7.9f);
    s.cat.Orte[2] = BeispielOrt("Süd", -33.9f, 18.4f);
    s.cat.Orte[3] = BeispielOrt("Zweite Nord", 48.0f, 7.9f);
  }
  // A stored weather file with this name field and a marker value in every hour.
  void SpeichereWetter(const std::string& datei, const std::string& standort, float wert) {
    auto quelle = std::make_unique<TavState>();
    quelle->folders.DatenDir = f.s().folders.DatenDir;
    quelle->plant.Standort = standort;
    quelle->run.SolarklimadatenOK = true;
    std::fill(quelle->weather.WetterDaten.Werte.begin(), quelle->weather.WetterDaten.Werte.end(),
              wert);
    ASSERT_TRUE(SaveWetterDaten(*quelle, datei, f.status));
  }
  float ErsterWert() { return f.s().weather.WetterDaten(1, 0, 0); }
};

TEST_F(Auswahl, CopiesTheEntryWithWrapSlots) {
  ASSERT_TRUE(SelectOrt(f.s(), 2, f.env));
  const TavState& s = f.s();
  EXPECT_EQ(s.plant.Standort, "Süd");
  EXPECT_EQ(s.loc.OrtLand, "D");
  EXPECT_EQ(s.loc.OrtPLZ, "79100");
  EXPECT_FLOAT_EQ(static_cast<float>(s.loc.GeoBreite), -33.9f);
  EXPECT_EQ(s.loc.OrtHoehe, 269);
  for (int m = 1; m <= 12; ++m) {
    EXPECT_FLOAT_EQ(s.loc.EinstrahlungMonat[m], static_cast<float>(0.5 + 0.25 * m));
    EXPECT_FLOAT_EQ(s.loc.LuftTempMonat[m], static_cast<float>(-2.0 + 1.5 * m));
  }
  EXPECT_EQ(s.loc.EinstrahlungMonat[0], s.loc.EinstrahlungMonat[12]);
  EXPECT_EQ(s.loc.EinstrahlungMonat[13], s.loc.EinstrahlungMonat[1]);
  EXPECT_EQ(s.loc.LuftTempMonat[0], s.loc.LuftTempMonat[12]);
  EXPECT_EQ(s.loc.LuftTempMonat[13], s.loc.LuftTempMonat[1]);
  EXPECT_EQ(s.loc.Hemisphaere, -1);
  EXPECT_NEAR(s.loc.GeoBreiteBetrag, 33.9, 1e-5);
  EXPECT_NEAR(s.loc.SinGeoBreite, 0.5577, 1e-4);
  EXPECT_EQ(s.loc.WetterDatei, "S339E184.wet");
  EXPECT_EQ(f.synthese.aufrufe, 1);
  EXPECT_TRUE(s.run.SolarklimadatenOK);
  // Status text and busy cursor are reset at the end.
  ASSERT_FALSE(f.status.status.empty());
  EXPECT_EQ(f.status.status.front(), "Initialisiere Solarklimadaten ...");
  EXPECT_EQ(f.status.status.back(), "");
  EXPECT_EQ(f.status.busy, 0);
}

TEST_F(Auswahl, IndexOutsideTheListChangesNothing) {
  f.s().plant.Standort = "vorher";
  for (int index : {-1, 0, 4}) EXPECT_FALSE(SelectOrt(f.s(), index, f.env));
  EXPECT_EQ(f.s().plant.Standort, "vorher");
  EXPECT_EQ(f.synthese.aufrufe, 0);
}

TEST_F(Auswahl, ValidWeatherIsNotMadeAgainButHemisphereFollows) {
  ASSERT_TRUE(SelectOrt(f.s(), 1, f.env));
  f.synthese.marker = 7.0f;
  ASSERT_TRUE(SelectOrt(f.s(), 1, f.env));
  EXPECT_EQ(f.synthese.aufrufe, 1);
  EXPECT_EQ(std::count(f.status.ablauf.begin(), f.status.ablauf.end(), "W:1000"), 0);  // made, not loaded
  EXPECT_EQ(ErsterWert(), 42.0f);
  // Another index with the flag still set: hemisphere values are not stale.
  ASSERT_TRUE(SelectOrt(f.s(), 2, f.env));
  EXPECT_EQ(f.s().loc.Hemisphaere, -1);
  EXPECT_NEAR(f.s().loc.GeoBreiteBetrag, 33.9, 1e-5);
}

TEST_F(Auswahl, StoredWeatherOfTheLocationIsLoaded) {
  SpeichereWetter("N480E079.wet", "Nord", 5.0f);
  ASSERT_TRUE(SelectOrt(f.s(), 1, f.env));
  EXPECT_EQ(f.synthese.aufrufe, 0);
  EXPECT_EQ(ErsterWert(), 5.0f);
  EXPECT_TRUE(f.s().run.SolarklimadatenOK);
  EXPECT_EQ(f.status.progress, std::vector<std::string>{"100%"});
  // The "100%" stands a second before the work goes on; no other pause.
  const auto& a = f.status.ablauf;
  const auto hundert = std::find(a.begin(), a.end(), "P:100%");
  ASSERT_NE(hundert, a.end());
  ASSERT_NE(hundert + 1, a.end());
  EXPECT_EQ(*(hundert + 1), "W:1000");
  EXPECT_EQ(std::count_if(a.begin(), a.end(), [](const std::string& e) { return e.rfind("W:", 0) == 0; }), 1);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST_F(Auswahl, StoredWeatherOfAnotherLocationIsNotUsed) {
  // Same coordinates, other name; and a northern file for the southern location.
  SpeichereWetter("N480E079.wet", "Nord", 5.0f);
  SpeichereWetter("N339E184.wet", "Süd", 6.0f);
  ASSERT_TRUE(SelectOrt(f.s(), 3, f.env));
  EXPECT_EQ(f.synthese.aufrufe, 1);
  EXPECT_EQ(ErsterWert(), 42.0f);
  f.s().run.SolarklimadatenOK = false;
  ASSERT_TRUE(SelectOrt(f.s(), 2, f.env));
  EXPECT_EQ(f.synthese.aufrufe, 2);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST_F(Auswahl, DamagedWeatherFileIsRefusedAndTheYearsMadeAnew) {
  SpeichereWetter("N480E079.wet", "Nord", 5.0f);
  std::string bytes = f.dir.Read("N480E079.wet");
  bytes.pop_back();
  f.dir.Write("N480E079.wet", bytes);
  f.synthese.gelingt = false;
  ASSERT_TRUE(SelectOrt(f.s(), 1, f.env));
  EXPECT_EQ(f.synthese.aufrufe, 1);
  EXPECT_FALSE(f.s().run.SolarklimadatenOK);
  EXPECT_EQ(ErsterWert(), 0.0f);  // nothing of the damaged file reached the store
  EXPECT_TRUE(f.msgs->Contains("N480E079.wet")) << f.msgs->All();
}


// Records the engine's clock shift on the first simulated day and asks the run to stop.
class ZeitzonenBeobachter : public SimObserver {
 public:
  void ProcessEvents(SimState& s) override {
    if (!gesehen) korrektur = s.ZeitzonenKorrektur;
    gesehen = true;
    s.AbbruchAnfrage = true;
  }
  bool gesehen = false;
  double korrektur = 0.0;
};

// A location without a time zone (25) keeps one clock on every path: read back from the
// catalogue, and made current straight from the entry as the editor leaves it, for the weather
// synthesis, the instantaneous output and the year run. 7.5 and -7.5 lie on zone boundaries.
TEST(OhneZeitzone, EveryPathTakesTheSameZoneOfTheLongitude) {
  const struct {
    float laenge;
    int zone;
  } faelle[] = {{7.5f, 1}, {-7.5f, -1}, {22.5f, 2}, {0.0f, 0}, {15.0f, 1}};
  constexpr int kFaelle = static_cast<int>(std::size(faelle));
  OrteFixture f;
  TavState& s = f.s();
  s.cat.OrtAnzahl = kFaelle;
  for (int n = 1; n <= kFaelle; ++n) {
    s.cat.Orte[n] = BeispielOrt("Ort " + std::to_string(n), 48.0f, faelle[n - 1].laenge);
    s.cat.Orte[n].Zeitzone = static_cast<std::int8_t>(kKeineZeitzone);
  }
  ASSERT_TRUE(WriteOrte(s, f.status));
  auto gelesen = std::make_unique<TavState>();
  gelesen->folders.DatenDir = s.folders.DatenDir;
  ReadOrte(*gelesen, f.env);
  ASSERT_EQ(gelesen->cat.OrtAnzahl, kFaelle);

  for (int n = 1; n <= kFaelle; ++n) {
    const auto& fall = faelle[n - 1];
    SCOPED_TRACE(fall.laenge);
    EXPECT_EQ(gelesen->cat.Orte[n].Zeitzone, fall.zone);

    ASSERT_TRUE(SelectOrt(s, n, f.env));
    ASSERT_EQ(s.loc.OrtZeitzone, kKeineZeitzone);
    EXPECT_EQ(MakeKlimOrt(s).Zeitzone, fall.zone);

    const double verschiebung = fall.zone - fall.laenge / 15.0;
    SimWelt w;
    w.g->loc = s.loc;
    EXPECT_NEAR(BerechneMoment(MomentEingabe{}, w.g->loc, w.g->plant).ZeitzonenKorrektur, verschiebung, 1e-6);

    ZeitzonenBeobachter obs;
    EXPECT_EQ(RunSimulation(*w.g, *w.s, obs), SimErgebnis::Abgebrochen);
    ASSERT_TRUE(obs.gesehen);
    EXPECT_NEAR(obs.korrektur, verschiebung, 1e-6);
  }
}

}  // namespace
}  // namespace tav::test
