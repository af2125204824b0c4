#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/AnlageFixture.h"
#include "support/ScriptedMessages.h"

namespace tav {
namespace {

std::vector<std::string> LineTexts(const TReport& r) {
  std::vector<std::string> out;
  for (const TReportLine& l : r.Lines) out.push_back(l.Text);
  return out;
}

std::vector<std::string> BoldTexts(const TReport& r) {
  std::vector<std::string> out;
  for (const TReportLine& l : r.Lines)
    if (l.WhollyBold()) out.push_back(l.Text);
  return out;
}

bool Has(const TReport& r, const std::string& line) {
  const auto t = LineTexts(r);
  return std::find(t.begin(), t.end(), line) != t.end();
}

std::string Dump(const TReport& r) {
  std::string s;
  for (const auto& t : LineTexts(r)) s += "[" + t + "]\n";
  return s;
}

struct AnlageReportTest : ::testing::Test {
  test::ScopedMessages messages;
  void SetUp() override { Texts().LoadDefaults(); }
};

TEST_F(AnlageReportTest, LongFormLinesAndEmphasis) {
  const auto s = test::BaseState();
  const TReport r = AnlageReport(*s, true, false);
  const std::vector<std::string> expected = {
      "Projekt:\tMuster",
      "",
      "Standort:\tWürzburg        \tgeogr. Breite: 49,8°",
      "",
      "Kollektor:\tSonnenfang 25",
      "Aperturfläche:\t5,00 m²",
      "Kennlinie:\tEta0 = 0,800 / k-Wert = 3,500 W/(m²K)",
      "Neigung:\t45,0°\tSüdabweichung: 0,0°",
      "",
      "Anlagentyp:\tTrinkwassererwärmung mit bivalentem Speicher",
      "Speicher:\t300 Liter",
      "Temperatur:\tmax. 60°C / min. 45°C",
      "",
      "Wärmebedarf:\t8,14 kWh/Tag   =\t200 Liter/Tag von 10°C auf 45°C",
  };
  EXPECT_EQ(LineTexts(r), expected);
  const std::vector<std::string> bold = {expected[0], expected[2], expected[4], expected[9]};
  EXPECT_EQ(BoldTexts(r), bold);
  EXPECT_EQ(r.Tabs, (std::vector<int>{90, 175, 235, 290}));
  EXPECT_TRUE(messages->shown.empty()) << messages->All();
}

TEST_F(AnlageReportTest, ShortFormLinesAndEmphasis) {
  auto s = test::BaseState();
  s->plant.SkyMapAktiv = true;
  s->plant.AntiLegionella = true;
  const TReport r = AnlageReport(*s, false, false);
  const std::vector<std::string> expected = {
      "Projekt:\tMuster",
      "Standort:\tWürzburg        \tgeogr. Breite: 49,8°",
      "Kollektor:\t5,00 m² - mit Verschattung\tSonnenfang 25",
      "Kennlinie:\tEta0 = 0,800 / k-Wert = 3,500 W/(m²K)",
      "Neigung:\t45,0°\tSüdabweichung: 0,0°",
      "Anlagentyp:\tTrinkwassererwärmung mit bivalentem Speicher",
      "Speicher:\t300 Liter",
      "Temperatur:\tmax. 60°C / min. 45°C",
      "\tAnti-Legionellen-Schaltung",
      "Wärmebedarf:\t8,14 kWh/Tag   =\t200 Liter/Tag von 10°C auf 45°C",
  };
  EXPECT_EQ(LineTexts(r), expected);
  EXPECT_EQ(BoldTexts(r), std::vector<std::string>{expected[0]});
}

TEST_F(AnlageReportTest, LocationFilledToFifteenCharacters) {
  const struct {
    std::string name;
    std::string column;  // between ":\t" and "\tgeogr."
  } cases[] = {
      {"Abcdefghijklmn", "Abcdefghijklmn  "},     // 14: one blank fill, then the blank
      {"Abcdefghijklmno", "Abcdefghijklmno "},    // 15: no fill
      {"Abcdefghijklmnop", "Abcdefghijklmnop "},  // 16: no fill
      {"Ödön", "Ödön            "},                 // counted in characters, not bytes
      {"", "                "},
  };
  for (const auto& c : cases) {
    auto s = test::BaseState();
    s->plant.Standort = c.name;
    for (bool longForm : {false, true}) {
      const TReport r = AnlageReport(*s, longForm, false);
      EXPECT_TRUE(Has(r, "Standort:\t" + c.column + "\tgeogr. Breite: 49,8°"))
          << c.name << "\n" << Dump(r);
    }
  }
}

TEST_F(AnlageReportTest, CharacteristicCurveByK2) {
  auto s = test::BaseState();
  s->plant.KollK2 = 0.0f;
  EXPECT_TRUE(Has(AnlageReport(*s, false, false),
                  "Kennlinie:\tEta0 = 0,800 / k-Wert = 3,500 W/(m²K)"));
  s->plant.KollEta0 = 0.795f;
  s->plant.KollK1 = 3.62f;
  s->plant.KollK2 = 0.0123f;
  const std::string line =
      "Kennlinie:\tn0 = 0,795   a1 = 3,620 W/(m²K)   a2 = 0,0123 W/(m²K²)";
  EXPECT_TRUE(Has(AnlageReport(*s, false, false), line));
  EXPECT_TRUE(Has(AnlageReport(*s, true, false), line));
}

TEST_F(AnlageReportTest, SecondCollectorField) {
  auto s = test::BaseState();
  PlantState& p = s->plant;
  p.OstWestKollektor = true;
  p.KollektorFlaeche = 5.0f;
  p.KollektorFlaeche2 = 7.5f;
  p.KollektorFlaecheGesamt = 12.5f;
  p.KollektorNeigung2 = 30.0f;
  p.KollektorAzimut = -90.0f;
  p.KollektorAzimut2 = 90.0f;
  const TReport shortForm = AnlageReport(*s, false, false);
  EXPECT_TRUE(Has(shortForm, "Kollektor:\t5,00 + 7,50 m²\tSonnenfang 25")) << Dump(shortForm);
  EXPECT_TRUE(Has(shortForm, "Neigung:\t45,0/30,0°\tSüdabweichung: -90,0/90,0°"));
  const TReport longForm = AnlageReport(*s, true, false);
  EXPECT_TRUE(Has(longForm, "Aperturfläche:\t12,50 m²  (5,0 m² + 7,5 m²)")) << Dump(longForm);
  EXPECT_TRUE(Has(longForm, "Kollektor:\tSonnenfang 25"));
  p.SkyMapAktiv = true;
  EXPECT_TRUE(Has(AnlageReport(*s, true, false),
                  "Aperturfläche:\t12,50 m²  (5,0 m² + 7,5 m²) - mit Verschattung"));
}

TEST_F(AnlageReportTest, OrientationByMounting) {
  const struct {
    std::uint8_t montage;
    std::string line;  // empty: no orientation line
  } cases[] = {
      {2, "Neigung:\t45,0°, horizontal nachgeführt"},
      {3, "Südabweichung:\t0,0°, Neigung nachgeführt"},
      {4, "Kollektorausrichtung:\tautomatisch nachgeführt"},
      {0, ""},
      {5, ""},
  };
  for (const auto& c : cases) {
    auto s = test::BaseState();
    s->plant.KollektorMontage = c.montage;
    const TReport r = AnlageReport(*s, false, false);
    // The line after the characteristic curve.
    const auto t = LineTexts(r);
    const auto it = std::find_if(t.begin(), t.end(),
                                 [](const std::string& l) { return l.rfind("Kennlinie", 0) == 0; });
    ASSERT_NE(it, t.end());
    const std::string next = *(it + 1);
    if (c.line.empty())
      EXPECT_EQ(next.rfind("Anlagentyp", 0), 0u) << int(c.montage);
    else
      EXPECT_EQ(next, c.line) << int(c.montage);
  }
}

// Store lines: the lines between the plant-type line and the demand line.
std::vector<std::string> StoreLines(const TReport& r) {
  const auto t = LineTexts(r);
  std::vector<std::string> out;
  bool in = false;
  for (const auto& l : t) {
    if (l.rfind("Anlagentyp", 0) == 0) {
      in = true;
      continue;
    }
    if (l.rfind("Wärmebedarf", 0) == 0) break;
    if (in) out.push_back(l);
  }
  return out;
}

TEST_F(AnlageReportTest, StoreLinesByPlantType) {
  const struct {
    const char* what;
    std::function<void(PlantState&)> set;
    std::vector<std::string> lines;
  } cases[] = {
      {"type 1, three named stores",
       [](PlantState& p) {
         p.SpeicherName = "Vitocell";
         p.SpeicherAnz = 3;
         p.Speicher1vol = 900;
       },
       {"Speicher:\tVitocell\t(3 x 300 Liter)", "Temperatur:\tmax. 60°C / min. 45°C"}},
      {"type 2, one named store",
       [](PlantState& p) {
         p.AnlagenTypNr = 2;
         p.SpeicherName = "Vitocell";
       },
       {"Speicher:\tVitocell\t(300 Liter)", "Temperatur:\tmax. 60°C / min. 45°C"}},
      {"store count 0 counts as one",
       [](PlantState& p) {
         p.SpeicherName = "Vitocell";
         p.SpeicherAnz = 0;
       },
       {"Speicher:\tVitocell\t(300 Liter)", "Temperatur:\tmax. 60°C / min. 45°C"}},
      {"type 4, preheating store",
       [](PlantState& p) {
         p.AnlagenTypNr = 4;
         p.Speicher2vol = 200;
         p.Maximaltemp2 = 70;
       },
       {"Speicher 1:\t300 Liter \tTemperatur : max. 60°C / min. 45°C",
        "Speicher 2:\t200 Liter  (Vorwärmspeicher)\tmax. 70°C"}},
      {"type 5, boiler cascade",
       [](PlantState& p) {
         p.AnlagenTypNr = 5;
         p.KaskadeTyp = 13;
         p.Speicher1vol = 80;
         p.Speicher2vol = 400;
       },
       {"Speicher 1:\t  80 Liter\tTemp. min. \t  45°C\t(Boiler)",
        "Speicher 2:\t400 Liter\tTemp. max. \t  60°C\t(Solarspeicher)"}},
      {"type 5, instantaneous heater",
       [](PlantState& p) {
         p.AnlagenTypNr = 5;
         p.KaskadeTyp = 14;
         p.Speicher2vol = 400;
       },
       {"Solarspeicher\t400 Liter, Temp. max.\t60°C", "Durchlauferhitzer\tTemp. min.\t45°C"}},
      {"type 6, two combined stores",
       [](PlantState& p) {
         p.AnlagenTypNr = 6;
         p.SpeicherName = "Kombi";
         p.SpeicherAnz = 2;
         p.Speicher1vol = 800;
         p.Speicher2vol = 200;
       },
       {"Kombipuffer:\tKombi  (2 x [400 + 100 Liter Heiz- + Warmwasser])",
        "Temperatur:\tmax. 60°C / min. 45°C"}},
      {"type 6, unnamed",
       [](PlantState& p) {
         p.AnlagenTypNr = 6;
         p.Speicher1vol = 800;
         p.Speicher2vol = 200;
       },
       {"Kombipuffer:\t800 + 200 Liter (Heiz- + Warmwasser)", "Temperatur:\tmax. 60°C / min. 45°C"}},
      {"type 7",
       [](PlantState& p) {
         p.AnlagenTypNr = 7;
         p.Speicher2vol = 500;
         p.Maximaltemp2 = 90;
       },
       {"Warmwassersp.:\t300 Liter \tTemperatur : max. 60°C / min. 45°C",
        "Pufferspeicher:\t500 Liter \tTemperatur : max. 90°C"}},
      {"type 8, fresh-water module",
       [](PlantState& p) {
         p.AnlagenTypNr = 8;
         p.Warmwassertemp = 50;
         p.FWEdTmin = 5;
         p.FWEnennleistung = 48846;
         p.SpeicherName = "Puffer";
         p.SpeicherAnz = 2;
         p.Speicher1vol = 1000;
       },
       {"Pufferspeicher:\tPuffer\t(2 x 500 Liter)\tTemperatur : max. 60°C / min. 55°C",
        "Frischwassermodul:\t20 Liter/Min bei 10 -> 45°C und 55°C Vorlauftemperatur"}},
  };
  for (const auto& c : cases) {
    auto s = test::BaseState();
    c.set(s->plant);
    const TReport r = AnlageReport(*s, false, false);
    EXPECT_EQ(StoreLines(r), c.lines) << c.what << "\n" << Dump(r);
    EXPECT_TRUE(messages->shown.empty()) << c.what << ": " << messages->All();
  }
}

TEST_F(AnlageReportTest, UnknownPlantTypeReportedOnceWithoutStoreLines) {
  for (std::uint8_t typ : {0, 9}) {
    auto s = test::BaseState();
    s->plant.AnlagenTypNr = typ;
    s->plant.SolHeizung = true;
    test::ScopedMessages own;
    for (bool longForm : {false, true}) {
      const TReport r = AnlageReport(*s, longForm, false);
      EXPECT_TRUE(Has(r, "Anlagentyp:\t")) << Dump(r);
      const auto stores = StoreLines(r);
      EXPECT_TRUE(std::all_of(stores.begin(), stores.end(),
                              [](const std::string& l) { return l.empty(); }))
          << Dump(r);
      EXPECT_TRUE(Has(r, "Wärmebedarf:\t8,14 kWh/Tag   =\t200 Liter/Tag von 10°C auf 45°C"));
    }
    ASSERT_EQ(own->shown.size(), 2u) << own->All();  // once per report
    EXPECT_EQ(own->shown[0].text, "A_Typ unbekannt");
  }
}

TEST_F(AnlageReportTest, HotWaterNotWarmerThanColdGivesNoLitres) {
  const struct {
    float warm;
    const char* shown;
  } cases[] = {{10.0f, "10"}, {5.0f, " 5"}};
  for (const auto& c : cases) {
    auto s = test::BaseState();
    s->plant.Warmwassertemp = c.warm;
    const TReport r = AnlageReport(*s, false, false);
    EXPECT_TRUE(Has(r, std::string("Wärmebedarf:\t8,14 kWh/Tag   =\t- Liter/Tag von 10°C auf ") +
                           c.shown + "°C"))
        << Dump(r);
  }
}

TEST_F(AnlageReportTest, SpaceHeatingLines) {
  const struct {
    const char* what;
    std::uint8_t typ;
    float qnorm;
    bool longForm;
    std::vector<std::string> lines;  // after the demand line
  } cases[] = {
      {"type 1 heats nothing", 1, 9000, true, {}},
      {"type 2", 2, 0, false,
       {"Heizfunktion:\tbei T außen < 12°C und  T speicher > 55°C"}},
      {"type 3", 3, 0, false,
       {"\t12000 kWh/Jahr Heizwärmebedarf",
        "Heizleistung:\t10 kW bei dT = 15 K (prim./sek.),   30°C im Sekundär-Rücklauf",
        "Heizfunktion:\tbei T außen < 12°C  und T speicher,unten > 55°C"}},
      {"type 7 without a heating load", 7, 0, true, {}},
      {"type 7, long form", 7, 9000, true,
       {"\t12000 kWh/Jahr Heizwärmebedarf", "Solares Heizen:\tbei T außen < 12°C ",
        "Heizkreis:\t55/45°C,  9 kW bei -12°C"}},
      {"type 8, short form", 8, 9000, false,
       {"\t12000 kWh/Jahr Heizwärmebedarf",
        "Solares Heizen:\tbei T außen < 12°C \tHeizkreis: 55/45°C,  9 kW bei -12°C"}},
  };
  for (const auto& c : cases) {
    auto s = test::BaseState();
    PlantState& p = s->plant;
    p.AnlagenTypNr = c.typ;
    p.SolHeizung = c.typ != 1;
    p.HeizQnorm = c.qnorm;
    p.Heizgrenztemp = 12;
    p.MaxTempWinter = 55;
    p.Heizwaermebedarf = 12000000;
    p.Heiztauscherleistung = 10000;
    p.HeiztauscherDeltaT = 15;
    p.Heiztemp = 30;
    p.HeizTvor100 = 55;
    p.HeizTrck100 = 45;
    p.HeizTnorm = -12;
    const auto t = LineTexts(AnlageReport(*s, c.longForm, false));
    const auto demand = std::find_if(t.begin(), t.end(), [](const std::string& l) {
      return l.rfind("Wärmebedarf", 0) == 0;
    });
    ASSERT_NE(demand, t.end());
    EXPECT_EQ(std::vector<std::string>(demand + 1, t.end()), c.lines) << c.what;
  }
}

TEST_F(AnlageReportTest, PrintModeWidensTabsAndAddsTitle) {
  auto s = test::BaseState();
  for (bool longForm : {false, true}) {
    const TReport r = AnlageReport(*s, longForm, true);
    EXPECT_EQ(r.Tabs, (std::vector<int>{112, 218, 293, 362}));
    ASSERT_GE(r.Lines.size(), 3u);
    EXPECT_EQ(r.Lines[0].Text, "Tavrel - 3.0 - Energiebilanz der Solarsimulation");
    EXPECT_TRUE(r.Lines[0].WhollyBold() && r.Lines[0].Underlined());
    EXPECT_EQ(r.Lines[1].Text, "");
    EXPECT_EQ(r.Lines[2].Text, "Projekt:\tMuster");
    EXPECT_TRUE(r.Lines[2].WhollyBold());
    EXPECT_FALSE(r.Lines[2].Underlined());
    // The rest is the screen report unchanged.
    const TReport screen = AnlageReport(*s, longForm, false);
    const auto printed = LineTexts(r);
    EXPECT_EQ(std::vector<std::string>(printed.begin() + 2, printed.end()), LineTexts(screen));
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// The module count on paper: whole multiples of modules above 1 m² only, never one module;
// the screen form leaves it out.
TEST_F(AnlageReportTest, ModuleCountOnPaperOnly) {
  struct Fall {
    double flaeche, modul;
    std::string text;
  };
  const Fall faelle[] = {
      {5.0, 2.5, "  (2 Stk)"},   {7.5, 2.5, "  (3 Stk)"},    {7.505, 2.5, "  (3 Stk)"},
      {7.52, 2.5, ""},           {2.5, 2.5, ""},             {5.0, 1.0, ""},
      {3.0, 0.5, ""},            {5.0, 0.0, ""},             {0.0, 2.5, ""},
      {3.8, 1.9, "  (2 Stk)"},   {4.0, 1.9, ""},             {5.0, 0.004, ""},  // none: 1 m²
  };
  for (const Fall& f : faelle) EXPECT_EQ(ModulAnzahl(f.flaeche, f.modul), f.text) << f.flaeche << " " << f.modul;
  auto s = test::BaseState();
  s->plant.KollModulFlaeche = 2.5f;  // 5 m² = two modules
  EXPECT_TRUE(Has(AnlageReport(*s, true, true), "Aperturfläche:\t5,00 m²  (2 Stk)")) << Dump(AnlageReport(*s, true, true));
  EXPECT_TRUE(Has(AnlageReport(*s, true, false), "Aperturfläche:\t5,00 m²"));
  const std::string kurz = AnlageReport(*s, false, true).PlainText();
  EXPECT_NE(kurz.find("5,00 m²  (2 Stk)"), std::string::npos) << kurz;
  // A collector without a module area counts 1 m² a module: no count on paper.
  s->plant.KollModulFlaeche = 0.0f;
  EXPECT_TRUE(Has(AnlageReport(*s, true, true), "Aperturfläche:\t5,00 m²")) << Dump(AnlageReport(*s, true, true));
  // A cascade plant's solar store on paper carries no boiler label unless its code says so.
  s->plant.AnlagenTypNr = 5;
  s->plant.KaskadeTyp = 14;
  EXPECT_EQ(AnlageReport(*s, true, true).PlainText().find(T(TX::kesselseitig)), std::string::npos);
}

}  // namespace
}  // namespace tav
