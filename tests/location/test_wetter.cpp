// The stored weather years (".wet") and their text export.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "location/Wetter.h"
#include "catalogues/test_orte_hilfen.h"

namespace tav::test {
namespace {

class WetterDatei : public ::testing::Test {
 protected:
  OrteFixture f;
  void SetUp() override {
    f.s().plant.Standort = "Freiburg";
    f.s().run.SolarklimadatenOK = true;
    // A distinct value in every slot, fractions among them and negative temperatures, each
    // within what weather can be (irradiances from 0, air temperatures from -40 to 57.6 °C).
    auto& w = f.s().weather.WetterDaten.Werte;
    for (std::size_t i = 0; i < w.size(); ++i) {
      const bool temperatur = (i / kStundenProJahr) % kWetterKanaele == WeatherState::kTemperatur;
      w[i] = temperatur ? static_cast<float>(i % 977) * 0.1f - 40.0f : static_cast<float>(i % 977) * 0.37f;
    }
  }
  std::vector<float> Gespeichert() const { return f.state->weather.WetterDaten.Werte; }
};

TEST_F(WetterDatei, SaveAndLoadGiveTheSameStore) {
  const std::vector<float> vorher = Gespeichert();
  ASSERT_TRUE(SaveWetterDaten(f.s(), "N480E079.wet", f.status));
  const std::string bytes = f.dir.Read("N480E079.wet");
  ASSERT_EQ(bytes.size(), 315410u);
  EXPECT_EQ(bytes.substr(0, 50), "Freiburg" + std::string(42, ' '));
  float erster = 0;
  std::memcpy(&erster, bytes.data() + 50, 4);
  EXPECT_EQ(erster, vorher[0]);

  std::fill(f.s().weather.WetterDaten.Werte.begin(), f.s().weather.WetterDaten.Werte.end(), 0.0f);
  const std::string standort = "Freiburg";
  EXPECT_EQ(LoadWetterDaten(f.s(), "N480E079.wet", f.status, &standort), WetterLaden::Ok);
  EXPECT_EQ(std::memcmp(Gespeichert().data(), vorher.data(), vorher.size() * 4), 0);
  EXPECT_EQ(f.status.status.back(), "N480E079.wet eingelesen!");
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST_F(WetterDatei, NameFieldIsCutAndKeptInTheCodePage) {
  f.s().plant.Standort = std::string(45, 'x') + "Größe";  // 51 characters
  ASSERT_TRUE(SaveWetterDaten(f.s(), "a.wet", f.status));
  EXPECT_EQ(f.dir.Read("a.wet").substr(0, 50), std::string(45, 'x') + "Gr\xF6\xDF" "e");
  const std::string anderer = std::string(45, 'x') + "Größer";
  EXPECT_EQ(LoadWetterDaten(f.s(), "a.wet", f.status, &f.s().plant.Standort), WetterLaden::Ok);
  // Names that agree in the first 50 characters cannot be told apart by the file.
  EXPECT_EQ(LoadWetterDaten(f.s(), "a.wet", f.status, &anderer), WetterLaden::Ok);
  const std::string kurz = "Freiburg";
  EXPECT_EQ(LoadWetterDaten(f.s(), "a.wet", f.status, &kurz), WetterLaden::AndererStandort);
}

TEST_F(WetterDatei, BadFilesLeaveTheStoreAlone) {
  ASSERT_TRUE(SaveWetterDaten(f.s(), "gut.wet", f.status));
  const std::string gut = f.dir.Read("gut.wet");
  std::string nan = gut;
  const float q = std::numeric_limits<float>::quiet_NaN();
  std::memcpy(nan.data() + 50 + 4 * 1000, &q, 4);
  const struct {
    const char* fall;
    std::string bytes;
    WetterLaden ergebnis;
  } faelle[] = {
      {"one byte short", gut.substr(0, gut.size() - 1), WetterLaden::Beschaedigt},
      {"one year only", gut.substr(0, 50 + 105120), WetterLaden::Beschaedigt},
      {"one byte more", gut + "x", WetterLaden::Beschaedigt},
      {"empty", "", WetterLaden::Beschaedigt},
      {"not a number inside", nan, WetterLaden::Beschaedigt},
  };
  std::fill(f.s().weather.WetterDaten.Werte.begin(), f.s().weather.WetterDaten.Werte.end(), 1.5f);
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    f.msgs->shown.clear();
    f.dir.Write("schlecht.wet", c.bytes);
    EXPECT_EQ(LoadWetterDaten(f.s(), "schlecht.wet", f.status), c.ergebnis);
    EXPECT_TRUE(f.msgs->Contains("Fehler beim Lesen von Datei schlecht.wet")) << f.msgs->All();
    for (float w : Gespeichert()) ASSERT_EQ(w, 1.5f);
  }
  f.msgs->shown.clear();
  EXPECT_EQ(LoadWetterDaten(f.s(), "fehlt.wet", f.status), WetterLaden::Fehlt);
  EXPECT_TRUE(f.msgs->Contains("fehlt.wet nicht gefunden")) << f.msgs->All();
}

// What the reader would refuse is not written: no valid weather, too few values, a value that
// cannot be weather.
TEST_F(WetterDatei, InvalidWeatherIsNotSaved) {
  const std::vector<float> gut = Gespeichert();
  const struct {
    const char* fall;
    void (*verderbe)(TavState&);
    const char* grund;
  } faelle[] = {
      {"no valid weather", [](TavState& s) { s.run.SolarklimadatenOK = false; }, "x.wet"},
      {"too few values", [](TavState& s) { s.weather.WetterDaten.Werte.resize(100); }, "100 statt"},
      {"not a number",
       [](TavState& s) { s.weather.WetterDaten.Werte[5000] = std::numeric_limits<float>::quiet_NaN(); },
       "NaN"},
      {"beyond the bounds", [](TavState& s) { s.weather.WetterDaten.Werte[10] = -5.0f; }, "Jahr 1"},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    f.msgs->shown.clear();
    f.s().run.SolarklimadatenOK = true;
    f.s().weather.WetterDaten.Werte = gut;
    c.verderbe(f.s());
    EXPECT_FALSE(SaveWetterDaten(f.s(), "x.wet", f.status));
    EXPECT_FALSE(std::filesystem::exists(f.dir / "x.wet"));
    EXPECT_TRUE(f.msgs->Contains("Fehler beim Schreiben der Klimadaten")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(c.grund)) << f.msgs->All();
  }
}

TEST_F(WetterDatei, WriteFailuresAreReported) {
  f.s().folders.DatenDir = (f.dir / "fehlt" / "").string();
  EXPECT_FALSE(SaveWetterDaten(f.s(), "x.wet", f.status));
  EXPECT_FALSE(ExportKlimgenDaten(f.s(), "KlimgenData.txt", f.status));
  ASSERT_EQ(f.msgs->shown.size(), 2u) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("Schreibfehler beim Schreiben der Klimadaten")) << f.msgs->All();
  EXPECT_EQ(f.status.status.back(), "");
}

std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t e = text.find("\r\n", start);
    if (e == std::string::npos) {
      z.push_back(text.substr(start));
      break;
    }
    z.push_back(text.substr(start, e - start));
    start = e + 2;
  }
  return z;
}

TEST_F(WetterDatei, ExportListsThreeYearsHourByHour) {
  auto& w = f.s().weather.WetterDaten;
  w(1, 0, 0) = 1000.0f;
  w(1, 1, 0) = 0.0f;
  w(1, 2, 0) = -12.5f;
  w(2, 0, 0) = 3.125f;
  w(3, 2, 8759) = 21.0f;
  f.s().plant.Standort = "Müllheim";
  ASSERT_TRUE(ExportKlimgenDaten(f.s(), "KlimgenData.txt", f.status));
  const std::string text = f.dir.Read("KlimgenData.txt");
  const std::vector<std::string> z = Zeilen(text);
  ASSERT_EQ(z.size(), 26282u);
  EXPECT_EQ(z[0], "M\xFCllheim");
  EXPECT_EQ(z[1], "H\tG_dir_norm\tG_diff_hor\tTa");
  EXPECT_EQ(z[2], "0\t1000,00\t  0,00\t-12,50");
  EXPECT_EQ(z[2 + 8760].substr(0, 9), "0\t  3,13\t");
  EXPECT_EQ(z[2 + 8759].substr(0, 5), "8759\t");
  EXPECT_EQ(z.back(), "8759\t" + z.back().substr(5, 14) + " 21,00");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace tav::test
