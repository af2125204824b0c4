// "Projekte.dat": the text the writer produces (key order, conditions, roundings, code page,
// CR LF), the round trip of a full project, the values a save normalises on purpose, the
// reader's defaults and its tolerance, and a save that never loses data.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "project/ProjektRecord.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/FileSizeLimit.h"
#include "simulation/WerteBereiche.h"
#include "catalogues/test_kodierung_faelle.h"
#include "test_projekt_fixture.h"

namespace tav {
namespace {

using test::ErwarteGleichesProjekt;
using test::ProjektTest;
using test::VollesProjekt;

// Key = value lines of one section of a file image (CR LF), in file order.
std::vector<std::pair<std::string, std::string>> SektionZeilen(const std::string& bytes,
                                                               const std::string& sektion) {
  std::vector<std::pair<std::string, std::string>> out;
  bool drin = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 2;
    if (!line.empty() && line.front() == '[') {
      drin = line == "[" + sektion + "]";
    } else if (drin && !line.empty()) {
      const auto eq = line.find('=');
      out.emplace_back(line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1));
    }
  }
  return out;
}

std::vector<std::string> Schluessel(const std::vector<std::pair<std::string, std::string>>& z) {
  std::vector<std::string> k;
  for (const auto& [key, value] : z) k.push_back(key);
  return k;
}

// Reads section `sektion` of the file into a fresh plant state as loading does (the plant
// type number is not stored; loading takes it from the plant-type name).
PlantState Zurueckgelesen(const std::string& pfad, const std::string& sektion) {
  TBigIniFile ini;
  EXPECT_TRUE(LadeProjektDatei(pfad, ini));
  PlantState p;
  ReadProjektDat(ini, sektion, 1, 0.0, p, pfad);
  CheckAnlagenTyp(p);
  return p;
}

TEST_F(ProjektTest, FullProjectRoundTripsByteForByte) {
  VollesProjekt(s.plant);
  s.settings.ProjektNummer = 4;
  s.run.ProjektGeaendert = true;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d)) << msgs->All();
  EXPECT_FALSE(s.run.ProjektGeaendert);
  ASSERT_FALSE(d.status.texte.empty());
  EXPECT_EQ(d.status.texte.back(), "Projektdaten abgespeichert");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();

  const std::string erste = Datei();
  const auto zeilen = SektionZeilen(erste, "Projekt 4");
  const std::vector<std::string> reihenfolge = {
      "ProjektName", "Info1", "Info2", "Standort", "Kollektor", "KollektorMontage",
      "KollektorFlaeche", "KollektorAzimut", "KollektorNeigung", "OstWestKollektor",
      "KollektorFlaeche2", "KollektorAzimut2", "KollektorNeigung2", "KollektorFlow", "LFTkreis",
      "SkyMap", "AnlagenTyp", "SpeicherName", "KombiSpTyp", "KombiSpTypNr", "KaskadeTyp",
      "BivSpTyp", "BivSpTypNr", "RohrTyp", "Zapfprofil", "konvEnergie", "Kaltwassertemp",
      "Warmwassertemp", "Minimaltemp", "Maximaltemp", "Maximaltemp2", "MaxTempWinter",
      "Warmwasserverbrauch", "Zirkulation", "ZiZeiten", "ZiLaenge", "ZiVol", "ZiModus", "Pool",
      "PoolTemp", "PoolVol", "PoolSpminTemp", "PoolStart", "PoolEnde", "PoolWTdir",
      "AntiLegionella", "Heiztemp", "Heizgrenztemp", "Heizwaermebedarf", "Heiztauscherleistung",
      "HeiztauscherDeltaT", "FWEnennleistung", "FWEdTmin", "Glykolanteil", "Speicher1vol",
      "Speicher2vol", "SpeicherAnz", "SpeicherkWert", "Speichertauscherleistung",
      "Solarkreislaenge", "Rohrtype", "HeizQnorm", "HeizTnorm", "HeizTvor100", "HeizTrck100",
      "HeizkreisTyp", "ZeitZoom", "KAfaktor", "Datum"};
  EXPECT_EQ(Schluessel(zeilen), reihenfolge);

  // Windows code page and CR LF; the detailed horizon is longer than a short string.
  EXPECT_NE(erste.find("ProjektName=Mehrfamilienhaus \xD6hringen \x80\r\n"), std::string::npos);
  EXPECT_NE(erste.find("Info1=Bauherr: M\xFCller\r\n"), std::string::npos);
  for (std::size_t i = erste.find('\n'); i != std::string::npos; i = erste.find('\n', i + 1))
    ASSERT_EQ(erste[i - 1], '\r') << "bare LF at " << i;
  for (const auto& [key, value] : zeilen) {
    if (key == "SkyMap") {
      EXPECT_GT(value.size(), 255u);
    }
  }

  const PlantState zurueck = Zurueckgelesen(Pfad(), "Projekt 4");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  ErwarteGleichesProjekt(s.plant, zurueck);

  TavState s2;
  s2.plant = zurueck;
  s2.settings.ProjektNummer = 4;
  const std::string zweitePfad = (dir / "Zweite.dat").string();
  ASSERT_TRUE(WriteProjektDat(zweitePfad, s2, d));
  EXPECT_EQ(dir.Read("Zweite.dat"), erste);
}

TEST_F(ProjektTest, WriterTextOfASimpleProject) {
  PlantState& p = s.plant;
  p.ProjektName = "Einfach";
  p.Standort = "Freiburg";
  p.Kollektor = "K";
  p.KollektorMontage = 1;
  p.KollektorFlaeche = 12.345f;
  p.KollektorNeigung = 45.0f;
  p.KollektorFlow = 50.0f;
  p.AnlagenTyp = "Brauchwarmwasser";
  p.AnlagenTypNr = 1;
  p.RohrTyp = "Cu";
  p.Zapfprofil = p.konvEnergie = "*init*";
  p.Kaltwassertemp = 10;
  p.Warmwassertemp = 45;
  p.Minimaltemp = 42;
  p.Maximaltemp = p.Maximaltemp2 = 75;
  p.MaxTempWinter = 55;
  p.Warmwasserverbrauch = 8000;
  p.ZiLaenge = 12.3f;
  p.ZiVol = 3;
  p.ZiModus = 1;
  p.Heiztemp = 30;
  p.Heizgrenztemp = 16;
  p.Heizwaermebedarf = 20000000;
  p.Heiztauscherleistung = 15000;
  p.HeiztauscherDeltaT = 10;
  p.FWEnennleistung = 48846;
  p.FWEdTmin = 5;
  p.Glykolanteil = 40;
  p.Speicher1vol = 300;
  p.Speicher2vol = 100;
  p.SpeicherAnz = 1;
  p.SpeicherkWert = 0.3f;
  p.Speichertauscherleistung = 60;
  p.Solarkreislaenge = 15;
  p.ZeitZoom = 5;
  p.KAfaktor = 20;
  s.settings.ProjektNummer = 1;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  EXPECT_EQ(Datei(),
            Crlf({"[Projekt 1]", "ProjektName=Einfach", "Standort=Freiburg", "Kollektor=K",
                  "KollektorMontage=fest", "KollektorFlaeche=12,35", "KollektorAzimut=0",
                  "KollektorNeigung=45", "OstWestKollektor=0", "KollektorFlow=50", "LFTkreis=0",
                  "AnlagenTyp=Brauchwarmwasser", "KombiSpTyp=KombiSH", "KaskadeTyp=2SP",
                  "RohrTyp=Cu", "Zapfprofil=*init*", "konvEnergie=*init*", "Kaltwassertemp=10",
                  "Warmwassertemp=45", "Minimaltemp=42", "Maximaltemp=75", "Maximaltemp2=75",
                  "MaxTempWinter=55", "Warmwasserverbrauch=8000", "Zirkulation=0",
                  "ZiZeiten=" + std::string(24, '@'), "ZiLaenge=12,3000001907349", "ZiVol=3",
                  "ZiModus=1", "Heiztemp=30", "Heizgrenztemp=16", "Heizwaermebedarf=20000000",
                  "Heiztauscherleistung=15000", "HeiztauscherDeltaT=10", "FWEnennleistung=48846",
                  "FWEdTmin=5", "Glykolanteil=40", "Speicher1vol=300", "Speicher2vol=100",
                  "SpeicherAnz=1", "SpeicherkWert=0,3", "Speichertauscherleistung=60",
                  "Solarkreislaenge=15", "Rohrtype=Cu", "ZeitZoom=5", "KAfaktor=20",
                  "Datum=10.12.2026 14:30:15", ""}));
}

TEST_F(ProjektTest, SavingNormalisesWhatTheFileCannotHold) {
  struct Case {
    const char* name;
    std::function<void(PlantState&)> set;
    const char* key;
    const char* text;  // nullptr: the key is not written
    std::function<bool(const PlantState&)> loaded;
  };
  const Case cases[] = {
      {"area to 2 decimals", [](PlantState& p) { p.KollektorFlaeche = 12.345f; }, "KollektorFlaeche",
       "12,35", [](auto& p) { return p.KollektorFlaeche == 12.35f; }},
      {"hot water to 3 decimals", [](PlantState& p) { p.Warmwasserverbrauch = 123.45678f; },
       "Warmwasserverbrauch", "123,457", [](auto& p) { return p.Warmwasserverbrauch == 123.457f; }},
      {"design temperature half to even", [](PlantState& p) { p.AnlagenTypNr = 6; p.HeizTnorm = -12.5f; },
       "HeizTnorm", "-12", [](auto& p) { return p.HeizTnorm == -12.0f; }},
      {"design temperature half to even, odd", [](PlantState& p) { p.AnlagenTypNr = 7; p.HeizTnorm = -13.5f; },
       "HeizTnorm", "-14", [](auto& p) { return p.HeizTnorm == -14.0f; }},
      {"heating load to whole watts", [](PlantState& p) { p.AnlagenTypNr = 8; p.HeizQnorm = 9876.5f; },
       "HeizQnorm", "9876", [](auto& p) { return p.HeizQnorm == 9876.0f; }},
      {"types 1 to 5 store no heating design",
       [](PlantState& p) { p.AnlagenTypNr = 5; p.HeizQnorm = 1; p.HeizTnorm = 1; p.HeizTvor100 = 1; p.HeizTrck100 = 1; p.HeizkreisTyp = 3; },
       "HeizQnorm", nullptr,
       [](auto& p) {
         return p.HeizQnorm == 15000.0f && p.HeizTnorm == -16.0f && p.HeizTvor100 == 55.0f &&
                p.HeizTrck100 == 40.0f && p.HeizkreisTyp == 2;
       }},
      {"no pool stores no pool settings",
       [](PlantState& p) { p.Pool = false; p.PoolTemp = 33; p.PoolVol = 9; p.PoolSpminTemp = 45; p.PoolStart = 1; p.PoolEnde = 2; p.PoolWTdir = true; },
       "PoolTemp", nullptr,
       [](auto& p) {
         return !p.Pool && p.PoolTemp == 28.0f && p.PoolVol == 50.0f && p.PoolSpminTemp == 40.0f &&
                p.PoolStart == 105 && p.PoolEnde == 258 && !p.PoolWTdir;
       }},
      {"no anti-legionella key when off", [](PlantState& p) { p.AntiLegionella = false; }, "AntiLegionella",
       nullptr, [](auto& p) { return !p.AntiLegionella; }},
      {"no second field", [](PlantState& p) { p.OstWestKollektor = false; p.KollektorFlaeche = 5; p.KollektorFlaeche2 = 9; },
       "KollektorFlaeche2", nullptr, [](auto& p) { return p.KollektorFlaeche2 == 5.0f; }},
      {"three stores at most", [](PlantState& p) { p.SpeicherAnz = 7; }, "SpeicherAnz", "7",
       [](auto& p) { return p.SpeicherAnz == 3; }},
      {"five steps per hour at least", [](PlantState& p) { p.ZeitZoom = 2; }, "ZeitZoom", "2",
       [](auto& p) { return p.ZeitZoom == 5; }},
      {"store exchanger 20 at least", [](PlantState& p) { p.Speichertauscherleistung = 15; },
       "Speichertauscherleistung", "15", [](auto& p) { return p.Speichertauscherleistung == 20.0f; }},
      {"tracking mounting loads as fixed", [](PlantState& p) { p.KollektorMontage = 3; }, "KollektorMontage",
       "Neigung", [](auto& p) { return p.KollektorMontage == 1; }},
      {"factor held to a byte", [](PlantState& p) { p.KAfaktor = 300; }, "KAfaktor", "255",
       [](auto& p) { return p.KAfaktor == 255; }},
      {"bivalent store only when not the classic one", [](PlantState& p) { p.BivSpTyp = 0; }, "BivSpTyp",
       nullptr, [](auto& p) { return p.BivSpTyp == 0; }},
      {"electric store keeps its number", [](PlantState& p) { p.BivSpTyp = 1; }, "BivSpTypNr", "1",
       [](auto& p) { return p.BivSpTyp == 1; }},
      {"saving stamps the date", [](PlantState&) {}, "Datum", "10.12.2026 14:30:15",
       [](auto& p) { return p.Projekt.Datum == EncodeDate(2026, 12, 10) + EncodeTime(14, 30, 15); }},
  };
  int i = 0;
  for (const auto& c : cases) {
    TavState t;
    t.plant.AnlagenTypNr = 1;
    t.plant.SpeicherAnz = 1;
    t.plant.ZeitZoom = 10;
    t.plant.Speichertauscherleistung = 30;
    c.set(t.plant);
    const std::string datei = "n" + std::to_string(++i) + ".dat";
    ASSERT_TRUE(WriteProjektDat((dir / datei).string(), t, d)) << c.name;
    const auto zeilen = SektionZeilen(dir.Read(datei), "Projekt 1");
    const auto it = std::find_if(zeilen.begin(), zeilen.end(), [&](auto& z) { return z.first == c.key; });
    if (c.text == nullptr) {
      EXPECT_EQ(it, zeilen.end()) << c.name;
    } else {
      ASSERT_NE(it, zeilen.end()) << c.name;
      EXPECT_EQ(it->second, c.text) << c.name;
    }
    EXPECT_TRUE(c.loaded(Zurueckgelesen((dir / datei).string(), "Projekt 1"))) << c.name;
  }
}

TEST(ProjektDateiLesen, DefaultsAndToleratedTexts) {
  struct Case {
    const char* name;
    std::vector<std::string> zeilen;
    std::function<bool(const TProjekt&)> ok;
    std::vector<std::string> gemeldet = {};  // keys reported as unreadable
  };
  const Case cases[] = {
      // A missing collector area, heating heat exchanger or heating limit would be no usable
      // plant (999 m², 15 W, heating at 50 °C): the standard project's values serve.
      {"empty section: the table's defaults", {"Fremd=1"},
       [](const TProjekt& r) {
         return r.ProjektName == "Projekt 3.0" && r.Info1.empty() && r.Standort == "*** unbekannt ***" &&
                r.Kollektor == "*** fehlt ***" && r.KollektorMontage == "fest" && r.KollektorFlaeche == 6.0 &&
                r.KollektorAzimut == 0.0 && r.KollektorNeigung == 30.0 && !r.OstWestKollektor &&
                r.KollektorFlow == 50.0 && !r.LFTkreis && r.SkyMap.empty() && r.AnlagenTyp == "Brauchwarmwasser" &&
                r.KombiSpTyp == "0" && r.KaskadeTyp == "2SP" && r.BivSpTyp == "Classic" && r.RohrTyp == "*init*" &&
                r.Zapfprofil == "*init*" && r.konvEnergie == "*init*" && r.Kaltwassertemp == 10.0 &&
                r.Warmwassertemp == 50.0 && r.Minimaltemp == 40.0 && r.Maximaltemp == 70.0 &&
                r.Maximaltemp2 == 80.0 && r.MaxTempWinter == 55.0 && r.Warmwasserverbrauch == 10000.0 &&
                !r.Zirkulation && r.ZiZeiten.empty() && r.ZiLaenge == 10.0 && r.ZiVol == 3.0 && r.ZiModus == 1 &&
                !r.Pool && r.PoolTemp == 28.0 && r.PoolVol == 50.0 && r.PoolSpminTemp == 40.0 &&
                r.PoolStart == 105 && r.PoolEnde == 258 && !r.PoolWTdir && !r.AntiLegionella &&
                r.Heiztemp == 30.0 && r.Heizgrenztemp == 16.0 && r.Heizwaermebedarf == 20000000.0 &&
                r.Heiztauscherleistung == 15000.0 && r.HeiztauscherDeltaT == 10.0 && r.FWEnennleistung == 48846.0 &&
                r.FWEdTmin == 5.0 && r.Glykolanteil == 40.0 && r.Speicher1vol == 750.0 && r.Speicher2vol == 300.0 &&
                r.SpeicherAnz == 1 && r.SpeicherkWert == 0.3 && r.Speichertauscherleistung == 50.0 &&
                r.Solarkreislaenge == 15.0 && r.HeizQnorm == 15000.0 && r.HeizTnorm == -16.0 &&
                r.HeizTvor100 == 55.0 && r.HeizTrck100 == 40.0 && r.HeizkreisTyp == 2 && r.ZeitZoom == 5 &&
                r.KAfaktor == 20 && r.Datum == 45000.5;
       }},
      {"without east-west the second field is not read",
       {"OstWestKollektor=0", "KollektorFlaeche2=5", "KollektorAzimut2=6", "KollektorNeigung2=7"},
       [](const TProjekt& r) { return r.KollektorFlaeche2 == -1.0 && r.KollektorAzimut2 == -1.0 && r.KollektorNeigung2 == -1.0; }},
      {"with east-west missing second-field keys take their defaults, the area the first field's",
       {"OstWestKollektor=1", "KollektorFlaeche=8,5"},
       [](const TProjekt& r) { return r.KollektorFlaeche2 == 8.5 && r.KollektorAzimut2 == 0.0 && r.KollektorNeigung2 == 30.0; }},
      {"any non-zero number is true; a word is not a Boolean", {"OstWestKollektor=2", "LFTkreis=True"},
       [](const TProjekt& r) { return r.OstWestKollektor && !r.LFTkreis; }, {"LFTkreis"}},
      {"keys in any letter case", {"rohrtyp=Cu 18", "ZAPFPROFIL=Hotel"},
       [](const TProjekt& r) { return r.RohrTyp == "Cu 18" && r.Zapfprofil == "Hotel"; }},
      {"the second pipe key is never read", {"Rohrtype=Cu 28"}, [](const TProjekt& r) { return r.RohrTyp == "*init*"; }},
      {"numbers with a point, blanks or an exponent", {"KollektorFlaeche=12.5", "KollektorFlow= 7,25 ", "Heizwaermebedarf=2E7"},
       [](const TProjekt& r) { return r.KollektorFlaeche == 12.5 && r.KollektorFlow == 7.25 && r.Heizwaermebedarf == 2e7; }},
      {"a number that is no number gives the standard project's value", {"KollektorFlaeche=abc", "Speicher1vol="},
       [](const TProjekt& r) { return r.KollektorFlaeche == 6.0 && r.Speicher1vol == 300.0; },
       {"KollektorFlaeche", "Speicher1vol"}},
      {"integers: hexadecimal yes, decimals no", {"SpeicherAnz=$2", "HeizTnorm=-16,0", "HeizTvor100=70,0", "PoolStart=0x20"},
       [](const TProjekt& r) { return r.SpeicherAnz == 2 && r.HeizTnorm == -16.0 && r.HeizTvor100 == 55.0 && r.PoolStart == 32; },
       {"HeizTnorm", "HeizTvor100"}},
      {"heat-exchanger store flag decides the combi default", {"KombiSpeicherWT=1"},
       [](const TProjekt& r) { return r.KombiSpTyp == "1"; }},
      {"circulation times cut to 24 letters", {"ZiZeiten=" + std::string(30, 'A')},
       [](const TProjekt& r) { return r.ZiZeiten == std::string(24, 'A'); }},
      {"sub-type numbers win over the code text", {"BivSpTyp=", "BivSpTypNr=4", "KombiSpTyp=", "KombiSpTypNr=12"},
       [](const TProjekt& r) { return r.BivSpTyp == "#4" && r.KombiSpTyp == "#12"; }},
      {"a date without time", {"Datum=03.04.2025"},
       [](const TProjekt& r) { return r.Datum == EncodeDate(2025, 4, 3); }},
  };
  for (const auto& c : cases) {
    test::ScopedMessages msgs;
    TBigIniFile ini;
    std::vector<std::string> lines = {"[Projekt 9]"};
    lines.insert(lines.end(), c.zeilen.begin(), c.zeilen.end());
    ini.LoadFromStrings(lines);
    TProjekt r;
    r.KollektorFlaeche2 = r.KollektorAzimut2 = r.KollektorNeigung2 = -1.0;
    std::vector<std::string> ungueltig, zeilen;
    ReadProjektRecord(ini, "projekt 9", 3, 45000.5, r, ungueltig, &zeilen);
    EXPECT_TRUE(c.ok(r)) << c.name;
    EXPECT_EQ(ungueltig, c.gemeldet) << c.name;
    EXPECT_TRUE(msgs->shown.empty()) << c.name;
    if (c.zeilen == std::vector<std::string>{"Fremd=1"}) {
      EXPECT_EQ(zeilen, (std::vector<std::string>{"KollektorFlaeche fehlt; es gilt 6",
                                                  "Heizgrenztemp fehlt; es gilt 16",
                                                  "Heiztauscherleistung fehlt; es gilt 15000"}));
    }
  }
}

// Values that cannot be read as numbers are reported like integers out of their field: one
// message naming file, project and keys; the defaults serve; loading leaves the file alone.
TEST_F(ProjektTest, UnreadableNumbersAreReportedNotSavedOverSilently) {
  const std::string inhalt =
      Crlf({"[Projekt 2]", "ProjektName=Halle", "KollektorFlaeche=12.5 m2", "KollektorNeigung=45°",
            "Heizwaermebedarf=1e400", "KollektorAzimut=NaN", "HeizkreisTyp=abc", "Pool=ja",
            "HeizTnorm=-12 Grad", "Datum=gestern", "Kaltwassertemp=12"});
  dir.Write("Projekte.dat", inhalt);
  const PlantState p = Zurueckgelesen(Pfad(), "Projekt 2");
  EXPECT_EQ(dir.Read("Projekte.dat"), inhalt);
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  const std::string& text = msgs->shown[0].text;
  // Each with its text and the value that serves: the standard project's, or, for the heat
  // demand (none in the standard project, for its plant type), the missing key's.
  for (const char* teil : {"Projekte.dat", "Halle", "Projekt 2", "\nKollektorFlaeche = 12.5 m2 ist keine Zahl; es gilt 6\n",
                           "\nKollektorNeigung = 45° ist keine Zahl; es gilt 35\n",
                           "\nHeizwaermebedarf = 1e400 ist keine Zahl; es gilt 20000000\n",
                           "\nKollektorAzimut = NaN ist keine Zahl; es gilt 0\n",
                           "\nHeizkreisTyp = abc ist keine ganze Zahl; es gilt 2", "\nPool = ja ist keine ganze Zahl; es gilt 0",
                           "\nHeizTnorm = -12 Grad ist keine ganze Zahl; es gilt -16", "\nDatum = gestern ist kein Datum"})
    EXPECT_NE(text.find(teil), std::string::npos) << teil << " in " << text;
  EXPECT_EQ(text.find("Kaltwassertemp"), std::string::npos) << text;
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 6.0f);
  EXPECT_FLOAT_EQ(p.KollektorNeigung, 35.0f);
  EXPECT_FLOAT_EQ(p.KollektorAzimut, 0.0f);
  EXPECT_EQ(p.HeizkreisTyp, 2);
  EXPECT_FLOAT_EQ(p.Kaltwassertemp, 12.0f);
}

// A project file keeps its encoding and every character over two saves; a character its code
// page lacks is reported and the file left as it was.
TEST_F(ProjektTest, EncodingAndEveryCharacterSurviveTwoSaves) {
  for (const auto& c : test::kKodierungsFaelle) {
    SCOPED_TRACE(c.fall);
    const std::string name = c.name;
    std::vector<std::string> zeilen = {"[Projekt 1]", "ProjektName=" + name, "Info1=" + name, "Info2=lone\rCR",
                                       "Standort=" + name};
    zeilen.insert(zeilen.end(), test::kBrauchbareZeilen.begin(), test::kBrauchbareZeilen.end());
    zeilen.emplace_back();
    dir.Write("Projekte.dat", EncodeText(Crlf(zeilen), c.kodierung));
    s.plant = Zurueckgelesen(Pfad(), "Projekt 1");
    EXPECT_EQ(s.plant.ProjektName, name);
    s.settings.ProjektNummer = 1;
    s.run.ProjektAufPlatte = {};  // a new file each case, not a change to the last one's
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d)) << msgs->All();
    const std::string erste = Datei();
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d)) << msgs->All();
    EXPECT_EQ(Datei(), erste);
    TextEncoding gelesen = TextEncoding::Cp1252;
    DecodeText(erste, CodePage::Cp1252, &gelesen);
    EXPECT_EQ(gelesen, c.kodierung);
    const PlantState zurueck = Zurueckgelesen(Pfad(), "Projekt 1");
    EXPECT_EQ(zurueck.ProjektName, name);
    EXPECT_EQ(zurueck.Info1, name);
    EXPECT_EQ(zurueck.Standort, name);
    EXPECT_EQ(zurueck.Info2, "lone\rCR");
  }
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();

  dir.Write("Projekte.dat", EncodeCodePage(Crlf({"[Projekt 1]", "ProjektName=Lódz", ""}), CodePage::Cp1252));
  const std::string vorher = Datei();
  s.plant = Zurueckgelesen(Pfad(), "Projekt 1");
  s.plant.ProjektName = "Łódź";
  s.run.ProjektGeaendert = true;
  s.run.ProjektAufPlatte = {};  // a new file, not a change to the last one
  EXPECT_FALSE(WriteProjektDat(Pfad(), s, d));
  EXPECT_EQ(Datei(), vorher);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_TRUE(msgs->Contains("\"Ł\", \"ź\"")) << msgs->All();
  EXPECT_TRUE(msgs->Contains(Pfad())) << msgs->All();
}

TEST_F(ProjektTest, IntegerOutsideItsFieldTakesTheDefaultWithOneMessage) {
  dir.Write("Projekte.dat", Crlf({"[Projekt 2]", "ProjektName=Halle", "Standort=Halle (Saale)",
                                  "SpeicherAnz=256", "PoolStart=0", "PoolEnde=367", "ZeitZoom=1000",
                                  "KAfaktor=300", "ZiModus=-3", "HeizkreisTyp=3", "BivSpTypNr=999"}));
  const PlantState p = Zurueckgelesen(Pfad(), "Projekt 2");
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  const std::string& text = msgs->shown[0].text;
  for (const char* key : {"Halle", "Projekt 2", "SpeicherAnz", "PoolStart", "PoolEnde", "ZeitZoom",
                          "KAfaktor", "ZiModus", "BivSpTypNr"})
    EXPECT_NE(text.find(key), std::string::npos) << key << " in " << text;
  EXPECT_EQ(text.find("HeizkreisTyp"), std::string::npos);
  // The pool's days are days of the year.
  EXPECT_NE(text.find("\nPoolStart = 0 liegt nicht zwischen 1 und 366; es gilt 105\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nSpeicherAnz = 256 liegt nicht zwischen 0 und 255; es gilt 1\n"), std::string::npos) << text;
  EXPECT_EQ(p.SpeicherAnz, 1);
  EXPECT_EQ(p.PoolStart, 105);
  EXPECT_EQ(p.PoolEnde, 258);
  EXPECT_EQ(p.ZeitZoom, 5);
  EXPECT_EQ(p.KAfaktor, 20);
  EXPECT_EQ(p.ZiModus, 1);
  EXPECT_EQ(p.BivSpTyp, 0);
  // The rest of the project loads.
  EXPECT_EQ(p.Standort, "Halle (Saale)");
  EXPECT_EQ(p.HeizkreisTyp, 3);
}

// A real value no dialog would accept (absurd, or beyond the float range the program keeps)
// is named with file, project, key, its text and the standard project's value, which takes its
// place.
TEST_F(ProjektTest, RealOutsideItsPlausibleRangeTakesTheStandardValueWithAMessage) {
  struct Case {
    const char* key;
    const char* text;
    float PlantState::*feld;
    float ersatz;
    const char* zeile;
  };
  const Case cases[] = {
      {"KollektorFlaeche", "-5", &PlantState::KollektorFlaeche, 6.0f,
       "KollektorFlaeche = -5 liegt nicht zwischen 0 und 100000; es gilt 6"},
      {"KollektorFlaeche", "1e308", &PlantState::KollektorFlaeche, 6.0f,
       "KollektorFlaeche = 1e308 liegt nicht zwischen 0 und 100000; es gilt 6"},
      {"KollektorNeigung", "400", &PlantState::KollektorNeigung, 35.0f, "es gilt 35"},
      {"KollektorFlow", "-1", &PlantState::KollektorFlow, 50.0f, "es gilt 50"},
      {"Kaltwassertemp", "-300", &PlantState::Kaltwassertemp, 10.0f, "es gilt 10"},
      {"Kaltwassertemp", "-1e308", &PlantState::Kaltwassertemp, 10.0f, "es gilt 10"},
      {"Warmwassertemp", "1e9", &PlantState::Warmwassertemp, 45.0f,
       "Warmwassertemp = 1e9 liegt nicht zwischen 0 und 150; es gilt 45"},
      {"Warmwasserverbrauch", "-8000", &PlantState::Warmwasserverbrauch, 8000.0f, "es gilt 8000"},
      {"Solarkreislaenge", "-20", &PlantState::Solarkreislaenge, 15.0f, "es gilt 15"},
      {"Speicher1vol", "1e308", &PlantState::Speicher1vol, 300.0f, "es gilt 300"},
      {"Speicher2vol", "3e38", &PlantState::Speicher2vol, 100.0f, "es gilt 100"},
      {"FWEdTmin", "1e308", &PlantState::FWEdTmin, 5.0f, "es gilt 5"},
      {"SpeicherkWert", "-0,3", &PlantState::SpeicherkWert, 0.3f, "SpeicherkWert = -0,3 liegt nicht zwischen 0 und 10; es gilt 0,3"},
      {"HeizTvor100", "9999", &PlantState::HeizTvor100, 55.0f, "es gilt 55"},
      {"Heiztauscherleistung", "-1", &PlantState::Heiztauscherleistung, 15000.0f, "es gilt 15000"},
      {"PoolVol", "-1", &PlantState::PoolVol, 50.0f, "PoolVol = -1 liegt nicht zwischen 0 und 100000; es gilt 50"},
  };
  // The keys whose missing-key default is no usable plant are present and plausible.
  const std::vector<std::string> brauchbar = {"KollektorFlaeche=6", "Heizgrenztemp=16", "Heiztauscherleistung=15000"};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.text);
    test::ScopedMessages m;
    std::vector<std::string> zeilen = {"[Projekt 3]", "ProjektName=Werte"};
    for (const auto& z : brauchbar)
      if (z.rfind(std::string(c.key) + "=", 0) != 0) zeilen.push_back(z);
    zeilen.push_back(std::string(c.key) + "=" + c.text);
    dir.Write("Projekte.dat", Crlf(zeilen));
    const PlantState p = Zurueckgelesen(Pfad(), "Projekt 3");
    ASSERT_EQ(m->shown.size(), 1u) << m->All();
    for (const std::string& wort : {Pfad(), std::string("Projekt 3"), std::string("Werte"), std::string(c.zeile)})
      EXPECT_NE(m->shown[0].text.find(wort), std::string::npos) << wort << " in " << m->shown[0].text;
    EXPECT_EQ(std::count(m->shown[0].text.begin(), m->shown[0].text.end(), '\n'), 1) << m->shown[0].text;
    EXPECT_EQ(p.*c.feld, c.ersatz);
  }
  // The edges of a range are plausible and kept.
  test::ScopedMessages m;
  std::vector<std::string> zeilen = {"[Projekt 3]", "KollektorNeigung=90", "KollektorNeigung2=0", "Warmwasserverbrauch=0",
                                     "Maximaltemp=150", "Pool=1", "PoolStart=1", "PoolEnde=366"};
  zeilen.insert(zeilen.end(), brauchbar.begin(), brauchbar.end());
  dir.Write("Projekte.dat", Crlf(zeilen));
  const PlantState p = Zurueckgelesen(Pfad(), "Projekt 3");
  EXPECT_TRUE(m->shown.empty()) << m->All();
  EXPECT_EQ(p.KollektorNeigung, 90.0f);
  EXPECT_EQ(p.Warmwasserverbrauch, 0.0f);
  EXPECT_EQ(p.Maximaltemp, 150.0f);
  EXPECT_EQ(p.PoolEnde, 366);
}

// Every value of the standard project lies within its range, so a replacement is one a run
// takes.
TEST(ProjektStandard, EveryStandardValueIsPlausible) {
  for (const WertBereich& b : ProjektWertBereiche()) {
    if (const auto wert = StandardProjektWert(b.Schluessel)) {
      EXPECT_TRUE(ImBereich(b, *wert)) << b.Schluessel << " = " << *wert;
    }
  }
  EXPECT_EQ(StandardProjektWert("kollektorflaeche"), 6.0);
  EXPECT_EQ(StandardProjektWert("ProjektName"), std::nullopt);
}

// One table gives the standard project and what a refused value becomes. The standard project
// holds and writes the table's values whatever project was open before; the value of any key
// that is no number, lies outside its range or does not fit its field becomes the table's
// (where the table's stands for another key's, what the missing key gives), and the message
// names it with that value.
TEST_F(ProjektTest, EveryRefusedValueBecomesTheStandardProjectsValue) {
  const auto wertIn = [](const PlantState& p, const StandardWert& w) {
    return std::visit([&](auto feld) { return static_cast<float>(p.*feld); }, w.Feld);
  };
  // A project unlike the standard one is open: nothing of it carries over.
  for (const StandardWert& w : StandardProjektWerte())
    std::visit([&](auto feld) { s.plant.*feld = static_cast<std::remove_reference_t<decltype(s.plant.*feld)>>(w.Wert + 1); },
               w.Feld);
  s.plant.SkyMapAktiv = true;
  s.plant.AnlagenTypNr = 6;
  ASSERT_TRUE(CreateStandardProjekt(s, d));
  TBigIniFile datei;
  ASSERT_TRUE(LadeProjektDatei(Pfad(), datei));
  EXPECT_FALSE(datei.ValueExists("Projekt 1", "SkyMap"));
  const PlantState standard = Zurueckgelesen(Pfad(), "Projekt 1");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  for (const StandardWert& w : StandardProjektWerte()) {
    EXPECT_EQ(wertIn(standard, w), static_cast<float>(w.Wert)) << w.Schluessel;
    double geschrieben = 0.0;
    if (datei.ValueExists("Projekt 1", w.Schluessel)) {
      EXPECT_TRUE(IniParseFloat(datei.ReadString("Projekt 1", w.Schluessel, ""), geschrieben)) << w.Schluessel;
      EXPECT_EQ(geschrieben, w.Wert) << w.Schluessel;
    }
  }

  for (const StandardWert& w : StandardProjektWerte()) {
    const std::string key(w.Schluessel);
    // The second collector field is read only with "OstWestKollektor" set.
    const bool zweitesFeld = key.starts_with("Kollektor") && key.ends_with('2');
    std::vector<std::string> ohne = {"[Projekt 1]"};
    for (const StandardWert& andere : StandardProjektWerte()) {
      if (andere.Schluessel == w.Schluessel) continue;
      const bool ostWest = zweitesFeld && andere.Schluessel == "OstWestKollektor";
      ohne.push_back(std::string(andere.Schluessel) + "=" + (ostWest ? "1" : IniFloatToStr(andere.Wert)));
    }
    dir.Write("Projekte.dat", Crlf(ohne));
    const float fehlend = [&] {
      test::ScopedMessages m;
      return wertIn(Zurueckgelesen(Pfad(), "Projekt 1"), w);
    }();
    const double erwartet = w.VonAnderemSchluessel ? fehlend : w.Wert;
    EXPECT_EQ(w.VonAnderemSchluessel, zweitesFeld || key == "Heizwaermebedarf") << key;
    for (const std::string text : {"abc", "1e300", "-1e300"}) {
      SCOPED_TRACE(key + "=" + text);
      std::vector<std::string> zeilen = ohne;
      zeilen.push_back(key + "=" + text);
      dir.Write("Projekte.dat", Crlf(zeilen));
      test::ScopedMessages m;
      const PlantState p = Zurueckgelesen(Pfad(), "Projekt 1");
      EXPECT_EQ(wertIn(p, w), static_cast<float>(erwartet));
      ASSERT_EQ(m->shown.size(), 1u) << m->All();
      const std::string& meldung = m->shown[0].text;
      EXPECT_NE(meldung.find("\n" + key + " = " + text + " "), std::string::npos) << meldung;
      EXPECT_TRUE(meldung.ends_with("; es gilt " + IniFloatToStr(erwartet))) << meldung;
    }
  }
}

// A run needs two steps per hour: 0 and 1 are reported; 2 to 4 are raised to 5 silently.
TEST_F(ProjektTest, TooFewStepsPerHourAreReportedWhenRaised) {
  for (const auto& [text, gemeldet] : {std::pair{"0", true}, std::pair{"1", true}, std::pair{"2", false},
                                       std::pair{"4", false}}) {
    test::ScopedMessages m;
    dir.Write("Projekte.dat", Crlf({"[Projekt 1]", std::string("ZeitZoom=") + text}));
    const PlantState p = Zurueckgelesen(Pfad(), "Projekt 1");
    EXPECT_EQ(p.ZeitZoom, 5) << text;
    EXPECT_EQ(m->Contains("ZeitZoom"), gemeldet) << text << m->All();
  }
}

TEST_F(ProjektTest, AFileThatIsNoProjectFileIsRefusedAndLeftAlone) {
  struct Case {
    const char* name;
    std::string inhalt;
  };
  const Case cases[] = {
      {"foreign section", Crlf({"[Ort 1]", "Name=Ulm"})},
      {"a section named like a project without its number", Crlf({"[Projekt]", "ProjektName=A"})},
      {"another word before the number", Crlf({"[Notizen 1]", "Text=A"})},
      {"text without any section", "Hallo Welt\r\n"},
  };
  for (const auto& c : cases) {
    test::ScopedMessages m;
    dir.Write("fremd.dat", c.inhalt);
    EXPECT_FALSE(WriteProjektDat((dir / "fremd.dat").string(), s, d)) << c.name;
    EXPECT_EQ(dir.Read("fremd.dat"), c.inhalt) << c.name;
    ASSERT_EQ(m->shown.size(), 1u) << c.name;
    EXPECT_EQ(m->shown[0].text, "ABBRUCH: " + (dir / "fremd.dat").string() + " ist keine korrekte Projekt-Datei")
        << c.name;
  }
  // A file left empty by deleting its last project takes the next save.
  dir.Write("leer.dat", "\r\n\x1a");
  EXPECT_TRUE(WriteProjektDat((dir / "leer.dat").string(), s, d));
  EXPECT_EQ(dir.Read("leer.dat").rfind("[Projekt 1]\r\n", 0), 0u);
}

TEST_F(ProjektTest, SavedSectionKeepsItsPlaceAndTheLinesThisVersionDoesNotKnow) {
  const std::string vorher = Crlf({"[Projekt 1]", "ProjektName=Eins", "", "[Projekt 2]", "; Notiz",
                                   "ProjektName=Alt", "Neuheit=42", "projektname=Doppelt", "", "[Projekt 3]",
                                   "ProjektName=Drei", "Ohne Gleichheitszeichen", ""});
  dir.Write("Projekte.dat", vorher);
  s.plant.ProjektName = "Zwei";
  s.plant.AnlagenTypNr = 1;
  s.settings.ProjektNummer = 2;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  const std::string nachher = Datei();
  // Sections 1 and 3 are untouched and in their places.
  EXPECT_EQ(nachher.rfind(Crlf({"[Projekt 1]", "ProjektName=Eins", "", "[Projekt 2]", "ProjektName=Zwei"}), 0), 0u);
  const std::string ende = Crlf({"; Notiz", "Neuheit=42", "", "[Projekt 3]", "ProjektName=Drei",
                                 "Ohne Gleichheitszeichen", ""});
  ASSERT_GE(nachher.size(), ende.size());
  EXPECT_EQ(nachher.substr(nachher.size() - ende.size()), ende) << nachher;
  EXPECT_EQ(nachher.find("Alt"), std::string::npos);
  EXPECT_EQ(nachher.find("Doppelt"), std::string::npos);

  // A new number goes to the end.
  s.settings.ProjektNummer = 7;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  EXPECT_NE(Datei().find(ende + "[Projekt 7]\r\n"), std::string::npos);
}

TEST_F(ProjektTest, FailedSaveKeepsTheOldFileAndSaysSo) {
  s.plant.ProjektName = "Erste Fassung";
  s.plant.AnlagenTypNr = 1;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  const std::string alt = Datei();
  s.plant.ProjektName = "Zweite Fassung";
  s.run.ProjektGeaendert = true;
  d.status.texte.clear();
  {
    test::FileSizeLimit voll(64);  // the disk is full after 64 bytes
    EXPECT_FALSE(WriteProjektDat(Pfad(), s, d));
  }
  EXPECT_EQ(Datei(), alt);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_EQ(s.plant.Projekt.ProjektName, "Erste Fassung") << "the record holds what the file holds";
  EXPECT_TRUE(d.status.texte.empty());
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_NE(msgs->shown[0].text.find("Projekte.dat"), std::string::npos) << msgs->All();
  std::size_t dateien = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++dateien;
  EXPECT_EQ(dateien, 1u) << "no temporary file left behind";
}

TEST_F(ProjektTest, UnknownPlantTypeIsReportedAndWrittenWithoutHeatingDesign) {
  for (std::uint8_t typ : {0, 9}) {
    test::ScopedMessages m;
    s.plant.AnlagenTypNr = typ;
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
    ASSERT_EQ(m->shown.size(), 1u);
    EXPECT_EQ(m->shown[0].text, "A_Typ - WriteProjektDat");
    const auto keys = Schluessel(SektionZeilen(Datei(), "Projekt 1"));
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "HeizQnorm"), 0);
    EXPECT_EQ(keys.back(), "Datum");
  }
}

}  // namespace
}  // namespace tav
