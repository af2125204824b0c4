// The printed system descriptions and the printed pool and ecology tables as content: rows by
// plant type, the cascade store labels, the module count, the columns of both tables, the
// year warming, zero divisors, and the state's monthly arrays left as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "foundation/TextTable.h"
#include "results/DruckSeiten.h"
#include "tests/results/AnlageFixture.h"

namespace tav {
namespace {

const std::string kStrich = "\xE2\x80\x93";  // the empty field's dash

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// The line whose first text starts with Label; null when there is none.
const TDruckFeldZeile* Zeile(const TDruckBlock& b, const std::string& label) {
  for (const auto& z : b.Zeilen)
    if (!z.Felder.empty() && z.Felder.front().Text.rfind(label, 0) == 0) return &z;
  return nullptr;
}

const TDruckFeld* Feld(const TDruckFeldZeile& z, int spalte) {
  for (const auto& f : z.Felder)
    if (f.Spalte == spalte) return &f;
  return nullptr;
}

std::string Text(const TDruckFeldZeile* z, int spalte) {
  const TDruckFeld* f = z ? Feld(*z, spalte) : nullptr;
  return f ? Trim(f->Text) : "?";
}

bool Enthaelt(const TDruckBlock& b, const std::string& text) {
  for (const auto& z : b.Zeilen)
    for (const auto& f : z.Felder)
      if (f.Text.find(text) != std::string::npos) return true;
  return false;
}

std::unique_ptr<TavState> Anlage(int typ, bool heizung = false) {
  auto g = test::BaseState();
  auto& p = g->plant;
  p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
  p.SolHeizung = heizung;
  p.Speicher2vol = 200.0f;
  p.Heizwaermebedarf = 12'000'000.0f;
  return g;
}

TEST(DruckAnlageBilanz, RowsStartAtLineNineOneBelowTheOther) {
  auto g = Anlage(3, true);
  g->plant.AntiLegionella = true;
  const TDruckBlock b = DruckAnlageBilanz(*g);
  EXPECT_EQ(b.Tab, (std::vector<int>{90, 185, 250, 270, 310}));
  EXPECT_TRUE(b.Klein);
  ASSERT_FALSE(b.Zeilen.empty());
  // The project line is larger and raised; labels bold, values regular.
  EXPECT_TRUE(b.Zeilen[0].Angehoben);
  EXPECT_EQ(b.Zeilen[0].Felder[0].Groesse, 2);
  EXPECT_TRUE(b.Zeilen[0].Felder[0].Fett);
  EXPECT_FALSE(b.Zeilen[0].Felder[1].Fett);
  for (std::size_t i = 0; i < b.Zeilen.size(); ++i) EXPECT_EQ(b.Zeilen[i].Zeile, 9 + static_cast<int>(i));
  // Type 3 with anti-legionella and heating is the longest description: it ends on line 21.
  EXPECT_EQ(b.Zeilen.back().Zeile, 21);
  EXPECT_NE(Zeile(b, T(TX::Heizfunktion)), nullptr);
  EXPECT_EQ(Text(Zeile(b, T(TX::Kennlinie)), 0).rfind(T(TX::Eta0) + " = ", 0), 0u);
}

TEST(DruckAnlageBilanz, StoreRowsByPlantType) {
  struct Fall {
    int typ, kaskade;
    std::vector<std::string> labels;  // the store rows' labels, in order
    bool schaltung;                    // prints the anti-legionella row
  };
  const std::string sp = T(TX::Speicher);
  const Fall faelle[] = {
      {1, 13, {sp + ":"}, true},
      {3, 13, {sp + ":"}, true},
      {4, 13, {sp + " 1:", sp + " 2:"}, true},
      {5, 13, {sp + " 1:", sp + " 2:"}, true},
      {5, 14, {T(TX::Solarspeicher) + ":", T(TX::Durchlauferhitzer) + ":"}, false},
      {6, 13, {T(TX::Kombipuffer) + ":"}, false},
      {7, 13, {T(TX::WWspeicher) + ":", T(TX::Pufferspeicher) + ":"}, true},
      {8, 13, {T(TX::Pufferspeicher) + ":"}, false},
  };
  for (const Fall& f : faelle) {
    auto g = Anlage(f.typ);
    g->plant.KaskadeTyp = static_cast<std::uint8_t>(f.kaskade);
    g->plant.AntiLegionella = true;
    const TDruckBlock b = DruckAnlageBilanz(*g);
    for (const auto& l : f.labels) EXPECT_NE(Zeile(b, l), nullptr) << f.typ << " " << l;
    EXPECT_EQ(Enthaelt(b, T(TX::AntiLegionella)), f.schaltung) << f.typ << " " << f.kaskade;
    // Only the boiler of the cascade with a solar store is "kesselseitig"; the other
    // cascade heats with a flow heater, its solar store is no boiler.
    EXPECT_EQ(Enthaelt(b, T(TX::kesselseitig)), f.typ == 5 && f.kaskade == 13) << f.typ << " " << f.kaskade;
  }
  auto g = Anlage(5);
  g->plant.KaskadeTyp = 13;
  const TDruckBlock b = DruckAnlageBilanz(*g);
  EXPECT_EQ(Text(Zeile(b, T(TX::Speicher) + " 1:"), 2), "(" + T(TX::Boiler) + ", " + T(TX::kesselseitig) + ")");
  EXPECT_EQ(Text(Zeile(b, T(TX::Speicher) + " 2:"), 2), "(" + T(TX::Solarspeicher) + ")");
}

TEST(DruckAnlageBilanz, FreshWaterStoreMinimumAndHeatingRowsWhateverTheLoad) {
  auto g = Anlage(8, true);
  g->plant.Warmwassertemp = 50.0f;
  g->plant.FWEdTmin = 5.0f;
  g->plant.HeizQnorm = 0.0f;  // the screen leaves the heating out; the paper does not
  const TDruckBlock b = DruckAnlageBilanz(*g);
  EXPECT_TRUE(Enthaelt(b, "min. 55°C"));
  EXPECT_FALSE(Enthaelt(b, T(TX::Frischwassermodul)));
  EXPECT_NE(Zeile(b, T(TX::Solares_Heizen) + ":"), nullptr);
  EXPECT_EQ(Text(Zeile(b, T(TX::Solares_Heizen) + ":"), 1).rfind(T(TX::Heizkreis) + ": ", 0), 0u);
}

TEST(DruckAnlageBilanz, ModuleCountAfterTheAreaTwoPointsSmaller) {
  struct Fall {
    float flaeche, modul;
    bool zweiFelder;
    std::string klein;  // the smaller text after the area; "" none
  };
  const Fall faelle[] = {
      {5.0f, 2.5f, false, "(2 " + T(TX::StkAbk) + ")"},
      {5.1f, 2.5f, false, ""},   // no whole multiple
      {2.5f, 2.5f, false, ""},   // one module
      {4.0f, 0.8f, false, ""},   // modules of 1 m² or less
      {8.0f, 2.0f, true, "(4,0+4,0)"},
  };
  for (const Fall& f : faelle) {
    auto g = Anlage(1);
    auto& p = g->plant;
    p.KollektorFlaeche = f.flaeche;
    p.KollModulFlaeche = f.modul;
    p.OstWestKollektor = f.zweiFelder;
    if (f.zweiFelder) {
      p.KollektorFlaeche = 4.0f;
      p.KollektorFlaeche2 = 4.0f;
      p.KollektorFlaecheGesamt = 8.0f;
    }
    const TDruckBlock b = DruckAnlageBilanz(*g);
    const TDruckFeldZeile* z = Zeile(b, T(TX::Kollektor) + ":");
    ASSERT_NE(z, nullptr);
    const TDruckFeld* klein = Feld(*z, TDruckFeld::kDanach);
    EXPECT_EQ(klein ? Trim(klein->Text) : "", f.klein) << f.flaeche;
    if (klein) {
      EXPECT_EQ(klein->Groesse, -2);
    }
    EXPECT_EQ(Text(z, 1), p.Kollektor);
  }
}

TEST(DruckAnlagePool, RowsOnNormalLinesFromLineTen) {
  auto g = Anlage(1);
  auto& p = g->plant;
  p.Pool = true;
  p.PoolVol = 40.0f;
  p.PoolSpminTemp = 32.5f;
  p.PoolWTdir = true;
  const TDruckBlock b = DruckAnlagePool(*g);
  EXPECT_EQ(b.Tab, (std::vector<int>{96, 185}));
  EXPECT_FALSE(b.Klein);
  EXPECT_EQ(b.Zeilen.front().Zeile, 10);
  EXPECT_TRUE(Enthaelt(b, T(TX::PoolWT) + " direkt im Solarkreis"));
  const TDruckFeldZeile* min = Zeile(b, T(TX::Mindesttemperatur) + " " + T(TX::im_Speicher) + ":");
  ASSERT_NE(min, nullptr);
  EXPECT_EQ(Text(min, 0), "32,5°C");
  // A label too wide for the first column moves its value behind it (decided in print).
  EXPECT_EQ(Feld(*min, 0)->Ausweich, TDruckFeld::kDanach);
  EXPECT_EQ(Text(Zeile(b, T(TX::Poolinhalt) + ":"), 0), "40,0 m³");
  // A season never set (day 0) prints dashes instead of failing the printout.
  EXPECT_EQ(Text(Zeile(b, T(TX::Nutzung_vom) + ":"), 0), kStrich + "  " + T(TX::bis) + "   " + kStrich);
  p.PoolStart = 121;
  p.PoolEnde = 273;
  EXPECT_EQ(Text(Zeile(DruckAnlagePool(*g), T(TX::Nutzung_vom) + ":"), 0), "01.05  " + T(TX::bis) + "   30.09");
}

TEST(DruckAnlageOeko, PlantNameCarrierLineAndNote) {
  auto g = Anlage(7, true);
  auto& p = g->plant;
  p.konvEnergie = "Heizöl";
  p.konvEinheit = "Liter";
  p.konvKWhinEinheit = 10.0f;
  p.konvCO2inEinheit = 2.68f;
  const TDruckBlock b = DruckAnlageOeko(*g);
  EXPECT_EQ(b.Tab, (std::vector<int>{87, 175, 250, 270}));
  // The latitude stands in column 2 whatever the name.
  EXPECT_EQ(Feld(*Zeile(b, T(TX::Standort) + ":"), 2)->Text.rfind(T(TX::geogrBreite), 0), 0u);
  EXPECT_EQ(Text(Zeile(b, T(TX::Anlagentyp) + ":"), 0), T(TX::Anlage7));
  const TDruckFeldZeile* konv = Zeile(b, T(TX::KonvEnergie) + ":");
  ASSERT_NE(konv, nullptr);
  const auto& traeger = b.Zeilen[static_cast<std::size_t>(konv - b.Zeilen.data()) + 1];
  ASSERT_EQ(traeger.Felder.size(), 1u);
  EXPECT_TRUE(traeger.Felder[0].Indiziert);
  EXPECT_EQ(traeger.Felder[0].Text, "1 Liter = 10,0 kWh " + T(TX::Nutzenergie) + " " + T(TX::und) + " 2,68 kg " +
                                        T(TX::CO2Belastung));
  EXPECT_EQ(b.Zeilen.back().Felder[0].Text, T(TX::Winter5Sommer15));
  EXPECT_EQ(b.Zeilen.back().Felder[0].Groesse, -2);
  EXPECT_EQ(b.Zeilen.back().Zeile, 9 + static_cast<int>(b.Zeilen.size()) - 1);
}

// Months with 1000..12000 kWh yield, of it 100 kWh × month into the pool.
std::unique_ptr<TavState> Bilanz(bool heizung) {
  auto g = Anlage(heizung ? 6 : 1, heizung);
  auto& p = g->plant;
  p.Pool = true;
  p.PoolVol = 50.0f;
  p.KollektorFlaecheGesamt = 10.0f;
  auto& r = g->results;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    r.SolarertragMonat[i] = 1'000'000.0f * m;
    r.PoolWaermeMonat[i] = 100'000.0f * m;
    r.SolHeizenMonat[i] = heizung ? 200'000.0f : 0.0f;
    r.BrennstoffMonat[i] = 1'250'000.0f * m;
  }
  r.SolarertragMonat[13] = r.PoolWaermeMonat[13] = r.BrennstoffMonat[13] = 99e9f;  // stale
  return g;
}

TEST(DruckPoolBilanz, ColumnsWithAndWithoutHeatingAndTheYearWarming) {
  for (bool heizung : {false, true}) {
    auto g = Bilanz(heizung);
    const auto vorher = g->results;
    const TDruckBlock t = DruckPoolBilanz(*g, 20);
    EXPECT_EQ(g->results.PoolWaermeMonat, vorher.PoolWaermeMonat);
    EXPECT_EQ(g->results.SolarertragMonat, vorher.SolarertragMonat);
    EXPECT_EQ(t.Tab.size(), heizung ? 4u : 3u);
    EXPECT_EQ(t.Tab, heizung ? (std::vector<int>{65, 130, 185, 250}) : (std::vector<int>{65, 130, 190}));
    ASSERT_EQ(t.Zeilen.size(), 2u + 13u + 1u);
    EXPECT_EQ(t.Zeilen[0].Zeile, 20);
    EXPECT_EQ(t.Zeilen[0].Felder.size(), t.Tab.size());
    EXPECT_EQ(Text(&t.Zeilen[0], 1), heizung ? T(TX::TabHeizung) : T(TX::TabTrinkwasser));
    const int w = static_cast<int>(t.Tab.size()) - 1;
    EXPECT_EQ(Text(&t.Zeilen[1], w), "[" + T(TX::KelvinproTag) + "]");
    const TDruckFeldZeile& jahr = t.Zeilen[14];
    EXPECT_EQ(jahr.Zeile, 34);
    // The year: 7800 kWh into the pool over 365 days into 50 m³ (58.15 kWh per K).
    EXPECT_EQ(Text(&jahr, 0), "7800");
    EXPECT_TRUE(Feld(jahr, 0)->Fett);
    EXPECT_EQ(Text(&jahr, w), "0,4");  // 7 800 000 / 365 / 58 150
    EXPECT_EQ(Text(&t.Zeilen[2], w), "0,1");  // January: 100 000 / 31 / 58 150
    EXPECT_EQ(Text(&jahr, w - 1), heizung ? "67800" : "70200");
    EXPECT_EQ(t.Regeln, (std::vector<int>{22, 34}));
    EXPECT_EQ(t.Zeilen.back().Zeile, 36);
    EXPECT_EQ(Trim(t.Zeilen.back().Felder.back().Text), "7800 kWh/" + T(TX::m_2));
  }
}

TEST(DruckPoolBilanz, NoPoolVolumeLeavesTheWarmingEmpty) {
  auto g = Bilanz(false);
  g->plant.PoolVol = 0.0f;
  g->plant.KollektorFlaecheGesamt = 0.0f;
  const TDruckBlock t = DruckPoolBilanz(*g, 20);
  for (std::size_t i = 2; i < 15; ++i) EXPECT_EQ(Text(&t.Zeilen[i], 2), kStrich) << i;
  EXPECT_EQ(Trim(t.Zeilen.back().Felder.back().Text), kStrich);
  for (const auto& z : t.Zeilen)
    for (const auto& f : z.Felder) {
      EXPECT_EQ(f.Text.find("inf"), std::string::npos);
      EXPECT_EQ(f.Text.find("nan"), std::string::npos);
    }
}

TEST(DruckOekoBilanz, UnitAndCo2ColumnsByCarrier) {
  struct Fall {
    float kwh, co2;
    bool einheit, mitCO2;
    std::string jan2, jan3;  // January in the unit and CO2 columns ("?" none)
  };
  const Fall faelle[] = {
      {10.0f, 2.68f, true, true, "125,0", "335,0"},
      {1.0f, 0.2f, false, true, "?", "250,0"},   // counted in kWh: no unit column
      {10.0f, 0.0f, true, false, "125,0", "?"},  // no CO2: neither header nor values
      {0.0f, 2.68f, true, true, kStrich, kStrich},       // no kWh per unit: empty, not infinite
  };
  for (const Fall& f : faelle) {
    auto g = Bilanz(false);
    g->plant.konvKWhinEinheit = f.kwh;
    g->plant.konvCO2inEinheit = f.co2;
    g->plant.konvEinheit = "Liter";
    const auto vorher = g->results;
    const TDruckBlock t = DruckOekoBilanz(*g);
    EXPECT_EQ(g->results.BrennstoffMonat, vorher.BrennstoffMonat);
    EXPECT_EQ(g->results.SolarertragMonat, vorher.SolarertragMonat);
    ASSERT_EQ(t.Zeilen.size(), 3u + 13u);
    EXPECT_EQ(t.Zeilen[0].Zeile, 20);
    EXPECT_EQ(t.Zeilen[3].Zeile, 23);
    EXPECT_EQ(Feld(t.Zeilen[0], 3) != nullptr, f.mitCO2) << f.kwh << " " << f.co2;
    if (f.mitCO2) {
      EXPECT_EQ(Feld(t.Zeilen[0], 3)->Text, "CO{\\2}-");
      EXPECT_TRUE(Feld(t.Zeilen[0], 3)->Indiziert);
      EXPECT_EQ(Text(&t.Zeilen[2], 3), "[kg]");
    }
    EXPECT_EQ(Feld(t.Zeilen[2], 2) != nullptr, f.einheit);
    if (f.einheit) {
      EXPECT_EQ(Text(&t.Zeilen[2], 2), "[Liter]");
    }
    EXPECT_EQ(Text(&t.Zeilen[3], 2), f.jan2);
    EXPECT_EQ(Text(&t.Zeilen[3], 3), f.jan3);
    // The year row sums the months, whatever the stale slot held.
    EXPECT_EQ(Text(&t.Zeilen[15], 0), "78000,0");
    EXPECT_EQ(Text(&t.Zeilen[15], 1), "97500,0");
    EXPECT_EQ(t.Regeln, (std::vector<int>{23, 35}));
  }
}

}  // namespace
}  // namespace tav
