// The headless annual simulation of a data folder (the logic of bench/tavsim): arguments, the
// standard project from an empty folder with the real weather synthesis, the stored weather,
// the result table and the errors.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogues/KatalogDiensteSim.h"
#include "location/TavKlimgen.h"
#include "foundation/BigIni.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav::test {
namespace {

TEST(TavsimArgumente, UsageIsCheckedStrictly) {
  const struct {
    std::vector<std::string> args;
    bool ok;
    int projekt, jahre, zoom;
    bool speichern;
  } faelle[] = {
      {{"/daten"}, true, 0, 0, 0, false},
      {{"/daten", "--project", "3", "--years", "1", "--zoom", "12", "--save-weather"}, true, 3, 1, 12, true},
      {{"--years", "3", "/daten"}, true, 0, 3, 0, false},
      {{}, false, 0, 0, 0, false},
      {{"/daten", "--years", "2"}, false, 0, 0, 0, false},
      {{"/daten", "--years"}, false, 0, 0, 0, false},
      {{"/daten", "--zoom", "0"}, false, 0, 0, 0, false},
      {{"/daten", "--zoom", "1"}, false, 0, 0, 0, false},  // a run needs two steps per hour
      {{"/daten", "--zoom", "2"}, true, 0, 0, 2, false},
      {{"/daten", "--zoom", "256"}, false, 0, 0, 0, false},
      {{"/daten", "--zoom", "5x"}, false, 0, 0, 0, false},
      {{"/daten", "--project", "-1"}, false, 0, 0, 0, false},
      {{"/daten", "--fast"}, false, 0, 0, 0, false},
      {{"/daten", "/noch"}, false, 0, 0, 0, false},
  };
  for (const auto& e : faelle) {
    TavsimOptionen opt;
    std::string fehler;
    const bool ok = ParseTavsimArgumente(e.args, opt, fehler);
    EXPECT_EQ(ok, e.ok) << testing::PrintToString(e.args);
    if (!ok) {
      EXPECT_FALSE(fehler.empty());
      continue;
    }
    EXPECT_EQ(opt.datenDir, "/daten");
    EXPECT_EQ(opt.projekt, e.projekt);
    EXPECT_EQ(opt.jahre, e.jahre);
    EXPECT_EQ(opt.zoom, e.zoom);
    EXPECT_EQ(opt.wetterSpeichern, e.speichern);
  }
}

// Counts the synthesis calls and passes them on to the real bridge.
class ZaehlendeSynthese : public WetterSynthese {
 public:
  int aufrufe = 0;
  bool Synthesise(TavState& s, StatusSink& status) override {
    ++aufrufe;
    return echt.Synthesise(s, status);
  }
  KlimgenBridge echt;
};

struct Lauf {
  std::unique_ptr<TavState> s = std::make_unique<TavState>();
  TavsimErgebnis erg;
  bool ok = false;
};

// `vorher` prepares the fresh state (the simulated days, say) before the run.
Lauf Simuliere(const TavsimOptionen& opt, WetterSynthese* synthese = nullptr,
               const std::function<void(TavState&)>& vorher = {}) {
  Lauf l;
  if (vorher) vorher(*l.s);
  l.ok = TavsimLauf(*l.s, opt, l.erg, synthese);
  return l;
}

// A week of June: enough for every plant type to fill its stores and show its yield.
constexpr std::int32_t kErsterJuni1997 = 2450450 + 151;

void Woche(TavState& s) {
  s.moment.ErsterSimTag = kErsterJuni1997;
  s.moment.LetzterSimTag = kErsterJuni1997 + 6;
}

// The standard project run once in `dir`, its weather stored: the options of the runs that
// follow on that folder, a year of one weather set.
TavsimOptionen StandardprojektMitWetter(const TempDir& dir) {
  TavsimOptionen opt;
  opt.datenDir = dir.path().string();
  opt.jahre = 1;
  opt.wetterSpeichern = true;
  ScopedMessages msgs;
  EXPECT_TRUE(Simuliere(opt, nullptr, Woche).ok) << msgs->All();
  opt.wetterSpeichern = false;
  return opt;
}

TEST(Tavsim, StandardProjectFromAnEmptyFolderGivesAPlausibleYear) {
  TempDir dir;
  ScopedMessages msgs;
  TavsimOptionen opt;
  opt.datenDir = dir.path().string();
  opt.jahre = 1;
  opt.wetterSpeichern = true;
  ZaehlendeSynthese synthese;
  Lauf l = Simuliere(opt, &synthese);
  ASSERT_TRUE(l.ok) << l.erg.fehler << msgs->All();
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(synthese.aufrufe, 1);

  // The catalogues resolved the standard project's names.
  const PlantState& p = l.s->plant;
  EXPECT_EQ(p.ProjektName, "Standard-Solaranlage");
  EXPECT_EQ(p.Standort, "Freiburg");
  EXPECT_EQ(p.Kollektor, "Flachkollektor, selektiv beschichtet");
  EXPECT_EQ(p.KollektorNr, 2);
  EXPECT_EQ(p.RohrNr, 2);
  EXPECT_EQ(p.ProfilNr, 1);
  EXPECT_EQ(p.EnergieNr, 1);
  EXPECT_FLOAT_EQ(p.KollEta0, 0.77f);
  for (const char* datei : {"Koll.dat", "Orte.dat", "Rohr.dat", "Profil.dat", "Energie.dat", "Projekte.dat"})
    EXPECT_TRUE(std::filesystem::exists(dir / datei)) << datei;
  EXPECT_FALSE(std::filesystem::exists(dir / "Speicher.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir / "SolPaket.dat"));
  EXPECT_EQ(l.s->cat.PaketAnzahl, 1);

  // A finite, plausible year: every value finite, yield above 0 and below the irradiation
  // on the collector, the solar fraction between 0 and 1, the year the sum of its months.
  const ResultState& r = l.s->results;
  for (int k = 1; k <= kMonatswerteAnzahl; ++k)
    for (int m = 1; m <= 13; ++m) ASSERT_TRUE(std::isfinite(r.SimMonatswerte(k)[static_cast<std::size_t>(m)])) << k << " " << m;
  const float ertrag = r.SolarertragMonat[13];
  const float bedarf = r.WWBedarfMonat[13] + r.VerlustMonat[13];
  EXPECT_GT(ertrag, 0.0f);
  EXPECT_LT(ertrag, r.KollEinstrahlungMonat[13]);
  EXPECT_GT(bedarf, 0.0f);
  const float deckung = ertrag / bedarf;
  EXPECT_GT(deckung, 0.0f);
  EXPECT_LT(deckung, 1.0f);
  // 6 m² at Freiburg: roughly 1000..1300 kWh of irradiation per m² and year on the field.
  EXPECT_GT(r.KollEinstrahlungMonat[13] / 6.0f / 1000.0f, 900.0f);
  EXPECT_LT(r.KollEinstrahlungMonat[13] / 6.0f / 1000.0f, 1500.0f);
  float summe = 0.0f;
  for (int m = 1; m <= 12; ++m) summe += r.SolarertragMonat[static_cast<std::size_t>(m)];
  EXPECT_NEAR(summe, ertrag, 1e-3f * ertrag);
  // July yields more than December.
  EXPECT_GT(r.SolarertragMonat[7], r.SolarertragMonat[12]);
  EXPECT_EQ(l.erg.schritte, (5LL + 365LL) * 24LL * p.ZeitZoom);

  // The table: header, 13 rows of 14 fields in kWh with a decimal point, the closing line.
  const std::string t = TavsimTabelle(r, l.erg);
  std::vector<std::string> zeilen;
  for (std::size_t a = 0, b; (b = t.find('\n', a)) != std::string::npos; a = b + 1) zeilen.push_back(t.substr(a, b - a));
  ASSERT_EQ(zeilen.size(), 15u) << t;
  EXPECT_EQ(zeilen[0],
            "month\tSolarertragMonat\tBrennstoffMonat\tWWBedarfMonat\tVerlustMonat\tVerlust1Monat\t"
            "NachheizungMonat\tSolHeizenMonat\tPoolWaermeMonat\tHeizbedarfMonat\tKollEinstrahlungMonat\t"
            "Reserve11Monat\tHeizanteilMonat\tReserve13Monat");
  for (int m = 1; m <= 13; ++m) {
    const std::string& z = zeilen[static_cast<std::size_t>(m)];
    EXPECT_EQ(z.substr(0, z.find('\t')), std::to_string(m));
    EXPECT_EQ(std::count(z.begin(), z.end(), '\t'), 13) << z;
    EXPECT_EQ(z.find(','), std::string::npos) << z;
  }
  const std::string jahr = zeilen[13].substr(3, zeilen[13].find('\t', 3) - 3);
  EXPECT_NEAR(std::stod(jahr), ertrag / 1000.0, 0.001) << zeilen[13];
  EXPECT_EQ(zeilen[14].rfind("# steps " + std::to_string(l.erg.schritte) + " wall_ms ", 0), 0u) << zeilen[14];

  // The stored weather serves the next run: no synthesis, the same year.
  ASSERT_TRUE(std::filesystem::exists(dir / l.s->loc.WetterDatei)) << l.s->loc.WetterDatei;
  ZaehlendeSynthese zweite;
  opt.wetterSpeichern = false;
  Lauf l2 = Simuliere(opt, &zweite);
  ASSERT_TRUE(l2.ok) << l2.erg.fehler;
  EXPECT_EQ(zweite.aufrufe, 0);
  EXPECT_EQ(l2.s->results.SolarertragMonat[13], ertrag);
}

// A catalogue whose entry of the project's collector has a module area of 0 keeps that entry:
// the standard project runs with its own collector, without a warning, and yields what it
// yields with the module area of 1,9 m² (the module area only counts modules).
TEST(Tavsim, StandardProjectKeepsItsCollectorOfModuleAreaZero) {
  TempDir dir;
  const TavsimOptionen opt = StandardprojektMitWetter(dir);
  ASSERT_FALSE(testing::Test::HasFailure());
  ScopedMessages msgs;
  Lauf mitModul = Simuliere(opt, nullptr, Woche);
  ASSERT_TRUE(mitModul.ok) << mitModul.erg.fehler << msgs->All();
  ASSERT_EQ(mitModul.s->plant.KollektorNr, 2);
  ASSERT_FLOAT_EQ(mitModul.s->plant.KollModulFlaeche, 1.9f);

  std::string koll = dir.Read("Koll.dat");
  const std::string modul = "\r\nModulFlaeche=1,900\r\n";
  ASSERT_NE(koll.find(modul), std::string::npos) << koll;
  koll.replace(koll.find(modul), modul.size(), "\r\nModulFlaeche=0\r\n");
  dir.Write("Koll.dat", koll);
  Lauf ohneModul = Simuliere(opt, nullptr, Woche);
  ASSERT_TRUE(ohneModul.ok) << ohneModul.erg.fehler << msgs->All();
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  const PlantState& p = ohneModul.s->plant;
  EXPECT_EQ(p.Kollektor, "Flachkollektor, selektiv beschichtet");
  EXPECT_EQ(p.KollektorNr, 2);
  EXPECT_FLOAT_EQ(p.KollModulFlaeche, 0.0f);
  EXPECT_FLOAT_EQ(p.KollEta0, 0.77f);
  EXPECT_EQ(ohneModul.s->results.SolarertragMonat[13], mitModul.s->results.SolarertragMonat[13]);
  EXPECT_GT(ohneModul.s->results.SolarertragMonat[13], 0.0f);
}

TEST(Tavsim, OptionsAndErrors) {
  TempDir dir;
  ScopedMessages msgs;
  TavsimOptionen opt;
  opt.datenDir = dir.path().string() + "/";
  opt.jahre = 1;
  opt.zoom = 2;
  Lauf l = Simuliere(opt);
  ASSERT_TRUE(l.ok) << l.erg.fehler;
  EXPECT_EQ(l.s->plant.ZeitZoom, 2);
  EXPECT_EQ(l.erg.schritte, (5LL + 365LL) * 24LL * 2LL);

  opt.projekt = 7;  // the folder holds project 1 only
  Lauf fehlt = Simuliere(opt);
  EXPECT_FALSE(fehlt.ok);
  EXPECT_NE(fehlt.erg.fehler.find("Projekt 7 nicht in Projekte.dat"), std::string::npos)
      << fehlt.erg.fehler;

  opt.projekt = 1;
  EXPECT_TRUE(Simuliere(opt).ok);

  // A project that stands in the file beyond what the list takes: the list is full.
  {
    const std::string eins = dir.Read("Projekte.dat");
    ASSERT_EQ(eins.rfind("[Projekt 1]", 0), 0u) << eins;
    std::string alle;
    for (int n = 1; n <= 601; ++n) alle += "[Projekt " + std::to_string(n) + "]" + eins.substr(11);
    dir.Write("Projekte.dat", alle);
    opt.projekt = 601;
    Lauf voll = Simuliere(opt);
    EXPECT_FALSE(voll.ok);
    EXPECT_NE(voll.erg.fehler.find("Projektliste ist voll"), std::string::npos) << voll.erg.fehler;
    EXPECT_NE(voll.erg.fehler.find("600"), std::string::npos) << voll.erg.fehler;
    dir.Write("Projekte.dat", eins);
  }

  opt.datenDir = (dir / "gibt es nicht").string();
  Lauf ordner = Simuliere(opt);
  EXPECT_FALSE(ordner.ok);
  EXPECT_NE(ordner.erg.fehler.find("gibt es nicht"), std::string::npos);
}

// Sets key=value in the only project of the folder's project file (ASCII lines only);
// kFehlt removes the key.
const std::string kFehlt = "\x01";
void SetzeSchluessel(TempDir& dir, const std::string& key, const std::string& wert) {
  std::string text = dir.Read("Projekte.dat");
  const std::string zeile = wert == kFehlt ? std::string() : key + "=" + wert + "\r\n";
  const std::size_t a = text.find("\n" + key + "=");
  if (a == std::string::npos) {
    text += zeile;
  } else {
    const std::size_t b = text.find('\n', a + 1);
    text.replace(a + 1, b - a, zeile);
  }
  dir.Write("Projekte.dat", text);
}

// Absurd or missing project values, as a careless or hostile user may store them: each is
// named with the value that serves in its place, and the plant runs with it; or the run is
// refused, naming what is wrong. A run that happens gives finite, plausible months: never a
// field of 999 m², never a store boiling at 365 °C.
TEST(Tavsim, BadProjectValuesAreReportedOrRefusedNeverSimulatedIntoNonsense) {
  TempDir dir;
  TavsimOptionen opt = StandardprojektMitWetter(dir);
  ASSERT_FALSE(testing::Test::HasFailure());
  const std::string original = dir.Read("Projekte.dat");
  const auto typ = [](std::size_t n) { return std::pair{std::string("AnlagenTyp"), std::string(AnlagenTypNamen[n])}; };
  struct Fall {
    std::vector<std::pair<std::string, std::string>> werte;
    bool laeuft;
    std::vector<std::string> meldung;  // what the message says
    float PlantState::*feld = nullptr;  // a value the plant runs with
    float wert = 0.0f;
  };
  const Fall faelle[] = {
      {{typ(8), {"Warmwassertemp", "1e9"}}, true,
       {"Warmwassertemp = 1e9 liegt nicht zwischen 0 und 150; es gilt 45"}, &PlantState::Warmwassertemp, 45.0f},
      {{typ(8), {"FWEdTmin", "1e308"}}, true, {"FWEdTmin = 1e308"}, &PlantState::FWEdTmin, 5.0f},
      // An area outside its range: the standard project's 6 m², whatever the plant type.
      {{{"KollektorFlaeche", "-5"}}, true, {"KollektorFlaeche = -5 liegt nicht zwischen 0 und 100000; es gilt 6"},
       &PlantState::KollektorFlaeche, 6.0f},
      {{{"KollektorFlaeche", "1e30"}}, true, {"KollektorFlaeche = 1e30"}, &PlantState::KollektorFlaeche, 6.0f},
      {{typ(3), {"KollektorFlaeche", "1e308"}}, true, {"KollektorFlaeche = 1e308", "es gilt 6"},
       &PlantState::KollektorFlaeche, 6.0f},
      {{typ(5), {"KollektorFlaeche", "-5"}}, true, {"es gilt 6"}, &PlantState::KollektorFlaeche, 6.0f},
      {{typ(8), {"KollektorFlaeche", "1e308"}}, true, {"es gilt 6"}, &PlantState::KollektorFlaeche, 6.0f},
      // Missing keys whose default would be no usable plant are named too.
      {{typ(4), {"KollektorFlaeche", kFehlt}}, true, {"KollektorFlaeche fehlt; es gilt 6"},
       &PlantState::KollektorFlaeche, 6.0f},
      {{typ(3), {"Heiztauscherleistung", kFehlt}}, true, {"Heiztauscherleistung fehlt; es gilt 15000"},
       &PlantState::Heiztauscherleistung, 15000.0f},
      {{typ(6), {"Heizgrenztemp", kFehlt}}, true, {"Heizgrenztemp fehlt; es gilt 16"}, &PlantState::Heizgrenztemp, 16.0f},
      {{typ(6), {"Pool", "1"}, {"PoolStart", "0"}}, true, {"PoolStart = 0 liegt nicht zwischen 1 und 366; es gilt 105"}},
      {{{"Speicher1vol", "3e38"}}, true, {"Speicher1vol = 3e38"}, &PlantState::Speicher1vol, 300.0f},
      {{{"Speicher2vol", "1e308"}}, true, {"Speicher2vol"}},
      {{{"Kaltwassertemp", "-1e308"}}, true, {"Kaltwassertemp"}, &PlantState::Kaltwassertemp, 10.0f},
      {{{"Kaltwassertemp", "-300"}}, true, {"Kaltwassertemp"}, &PlantState::Kaltwassertemp, 10.0f},
      {{{"Warmwasserverbrauch", "-8000"}}, true, {"Warmwasserverbrauch"}, &PlantState::Warmwasserverbrauch, 8000.0f},
      {{{"Solarkreislaenge", "-100"}}, true, {"Solarkreislaenge"}, &PlantState::Solarkreislaenge, 15.0f},
      {{{"KollektorNeigung", "400"}}, true, {"KollektorNeigung"}, &PlantState::KollektorNeigung, 35.0f},
      {{{"ZeitZoom", "1"}}, true, {"ZeitZoom"}},
      {{{"KollektorFlaeche", "0"}}, false, {"Kollektorfläche ist 0"}},
      {{{"Warmwassertemp", "5"}}, false, {"Warmwassertemperatur"}},
      // Values each plausible whose order makes the run meaningless.
      {{{"Warmwassertemp", "80"}}, false, {"Warmwassertemperatur (80 °C)", "Maximaltemperatur des Speichers (75 °C)"}},
      {{{"KollektorFlow", "1e-30"}}, false, {"Volumenstrom im Kollektorkreis (1e-30 l/(m²h))", "1 l/(m²h)"}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.werte.back().first + "=" + f.werte.back().second);
    dir.Write("Projekte.dat", original);
    for (const auto& [key, wert] : f.werte) SetzeSchluessel(dir, key, wert);
    ScopedMessages msgs;
    const bool zeitZoom = f.werte.back().first == "ZeitZoom";
    opt.zoom = zeitZoom ? 0 : 2;
    Lauf l = Simuliere(opt, nullptr, Woche);
    for (const auto& teil : f.meldung) EXPECT_TRUE(msgs->Contains(teil)) << teil << " in " << msgs->All();
    EXPECT_EQ(l.ok, f.laeuft) << l.erg.fehler << msgs->All();
    if (!l.ok) continue;
    if (zeitZoom) {
      EXPECT_EQ(l.s->plant.ZeitZoom, 5);
    }
    if (f.feld) {
      EXPECT_EQ(l.s->plant.*f.feld, f.wert);
    }
    EXPECT_TRUE(msgs->Contains("Projekte.dat")) << msgs->All();
    EXPECT_FALSE(msgs->Contains("ist auf")) << msgs->All();  // no store beyond its limit
    const ResultState& r = l.s->results;
    for (int k = 1; k <= kMonatswerteAnzahl; ++k)
      for (int m = 1; m <= 13; ++m)
        ASSERT_TRUE(std::isfinite(r.SimMonatswerte(k)[static_cast<std::size_t>(m)])) << k << " " << m;
    EXPECT_GT(r.WWBedarfMonat[6], 0.0f);
    EXPECT_GT(r.SolarertragMonat[6], 0.0f);
    EXPECT_LT(r.SolarertragMonat[6], r.KollEinstrahlungMonat[6]);
    // A week of June on the field the plant holds: 15 to 60 kWh per m².
    const float kwhJeM2 = r.KollEinstrahlungMonat[6] / l.s->plant.KollektorFlaecheGesamt / 1000.0f;
    EXPECT_GT(kwhJeM2, 15.0f);
    EXPECT_LT(kwhJeM2, 60.0f);
    for (int m : {1, 5, 7, 12}) EXPECT_EQ(r.SolarertragMonat[static_cast<std::size_t>(m)], 0.0f) << m;
  }
}

// An east-west project, field 1 facing east, with one key of its second field refused: the
// plant is the one the missing key gives (the first field's area, azimuth 0, tilt 30), to the
// last digit of the yield. A refused azimuth once faced the second field north.
TEST(Tavsim, ARefusedKeyOfTheSecondFieldGivesThePlantOfTheMissingKey) {
  TempDir dir;
  TavsimOptionen opt = StandardprojektMitWetter(dir);
  ASSERT_FALSE(testing::Test::HasFailure());
  opt.zoom = 2;
  const std::string original = dir.Read("Projekte.dat");
  const struct {
    const char* key;
    float PlantState::*feld;
    float wert;
  } faelle[] = {
      {"KollektorFlaeche2", &PlantState::KollektorFlaeche2, 4.0f},
      {"KollektorAzimut2", &PlantState::KollektorAzimut2, 0.0f},
      {"KollektorNeigung2", &PlantState::KollektorNeigung2, 30.0f},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.key);
    std::vector<float> ertrag;
    for (const std::string& text : {kFehlt, std::string("abc")}) {
      dir.Write("Projekte.dat", original);
      for (const auto& [key, wert] : {std::pair{"OstWestKollektor", "1"}, {"KollektorFlaeche", "4"},
                                      {"KollektorAzimut", "-90"}, {"KollektorFlaeche2", "3"},
                                      {"KollektorAzimut2", "90"}, {"KollektorNeigung2", "20"}})
        SetzeSchluessel(dir, key, wert);
      SetzeSchluessel(dir, f.key, text);
      ScopedMessages msgs;
      Lauf l = Simuliere(opt, nullptr, Woche);
      ASSERT_TRUE(l.ok) << l.erg.fehler << msgs->All();
      EXPECT_EQ(l.s->plant.*f.feld, f.wert);
      EXPECT_EQ(l.s->plant.KollektorAzimut, -90.0f);
      if (text != kFehlt || f.feld == &PlantState::KollektorFlaeche2) {
        EXPECT_TRUE(msgs->Contains("es gilt " + IniFloatToStr(f.wert))) << msgs->All();
      }
      ertrag.push_back(l.s->results.SolarertragMonat[13]);
    }
    EXPECT_GT(ertrag[0], 0.0f);
    EXPECT_EQ(ertrag[0], ertrag[1]);
  }
}

// The standard project with a condensing boiler, saved in German, run in a German and in an
// English session (the English texts in the folder) with the English carrier file whole, cut
// in half, lacking the condensing boiler's row, empty and a folder: the same fuel to the last
// digit every time. The carrier is the English row of the same figures, else the German row
// as the German file holds it; a damaged English file is named once, in English, in the
// English session and not at all in the German one. The atmospheric burner, the nearest of
// what is left, would burn a quarter more.
TEST(Tavsim, ACondensingBoilerBurnsTheSameFuelWhateverTheEnglishCarrierFile) {
  // The English session loads its texts into the program's table: the German ones come back
  // for the tests that follow, however this one ends.
  struct DeutscheTexte {
    ~DeutscheTexte() { Texts().LoadDefaults(); }
  } deutsch;
  TempDir dir;
  const TavsimOptionen opt = StandardprojektMitWetter(dir);
  ASSERT_FALSE(testing::Test::HasFailure());
  SetzeSchluessel(dir, "konvEnergie", "Erdgas Brennwert-Kessel");
  const std::filesystem::path lang(TAV_LANG_DIR);
  // As a program folder would hold it: tavsim takes its language files from the data folder.
  std::filesystem::copy_file(lang / "english.dat", dir / "english.dat");
  const std::string englisch = [&] {
    std::ifstream in(lang / ".." / "daten" / "Energie_en.dat", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  const std::size_t fuenf = englisch.find("[Energieform 5]");
  ASSERT_NE(fuenf, std::string::npos);
  const std::string ohneFuenf = englisch.substr(0, fuenf) + englisch.substr(englisch.find("[Energieform 6]"));
  const std::string deutscherName = "Erdgas Brennwert-Kessel";
  const struct {
    const char* fall;
    std::string text;
    bool ordner;
    int nr;                           // in the English session
    std::string name;                 // in the English session
    std::vector<std::string> meldung;  // in the English session
  } dateien[] = {
      {"whole", englisch, false, 5, "Natural gas, condensing boiler", {}},
      {"cut in half", englisch.substr(0, englisch.size() / 2), false, -1, deutscherName,
       {"] ends before ", "cut short"}},
      {"lacking the row", ohneFuenf, false, -1, deutscherName, {}},
      {"empty", "", false, 5, deutscherName, {"No energy carrier data found"}},
      // The reason a file cannot be read is worded where every file's reading is.
      {"a folder", "", true, 5, deutscherName, {"Energie_en.dat"}},
  };
  std::vector<float> brennstoff;
  for (const auto& d : dateien) {
    std::filesystem::remove_all(dir / "Energie_en.dat");
    if (d.ordner) std::filesystem::create_directory(dir / "Energie_en.dat");
    else dir.Write("Energie_en.dat", d.text);
    for (const std::string sprache : {"deutsch", "english"}) {
      SCOPED_TRACE(std::string(d.fall) + ", " + sprache);
      const bool en = sprache == "english";
      if (!en) Texts().LoadDefaults();
      dir.Write("Tavrel.ini", "[Tavrel]\r\nSprache=" + sprache + "\r\n");
      ScopedMessages msgs;
      Lauf l = Simuliere(opt, nullptr, Woche);
      ASSERT_TRUE(l.ok) << l.erg.fehler << msgs->All();
      EXPECT_EQ(l.s->settings.Sprache, sprache);
      const PlantState& p = l.s->plant;
      EXPECT_EQ(p.EnergieNr, en ? d.nr : 5);
      EXPECT_EQ(p.konvEnergie, en ? d.name : deutscherName);
      EXPECT_EQ(std::vector<int>({p.konvNutzgradWinter, p.konvNutzgradFruehlingHerbst, p.konvNutzgradSommer}),
                std::vector<int>({103, 85, 70}));
      if (!en || d.meldung.empty()) {
        EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
      } else {
        ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
        EXPECT_TRUE(msgs->Contains("Energie_en.dat")) << msgs->All();
        for (const std::string& teil : d.meldung) EXPECT_TRUE(msgs->Contains(teil)) << teil << "\n" << msgs->All();
      }
      // The file is left as it was.
      if (!d.ordner) {
        EXPECT_EQ(dir.Read("Energie_en.dat"), d.text);
      }
      brennstoff.push_back(l.s->results.BrennstoffMonat[6]);
    }
  }
  ASSERT_EQ(brennstoff.size(), 10u);
  EXPECT_GT(brennstoff[0], 0.0f);
  for (const float b : brennstoff) EXPECT_EQ(b, brennstoff[0]);
}

}  // namespace
}  // namespace tav::test
