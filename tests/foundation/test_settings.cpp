#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/FileUtil.h"
#include "foundation/Settings.h"
#include "foundation/SysUtil.h"
#include "foundation/TavMathe.h"
#include "foundation/TextTable.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

// A program state whose program, data and configuration folders are temporary.
struct SettingsFixture : ::testing::Test {
  test::TempDir prog, daten, config;
  std::unique_ptr<TavState> s = std::make_unique<TavState>();
  TTextTable texts;
  SettingsEnv env{{"Buero", "Labor"}, "Buero", {}, {}};
  test::ScopedMessages messages;

  void SetUp() override {
    s->folders.ProgDir = prog.path().string() + "/";
    s->folders.DatenDir = daten.path().string() + "/";
    s->folders.ConfigDir = config.path().string() + "/";
  }
  void Load() { LoadSettings(*s, texts, env); }
  void LoadFrom(const std::string& body) {
    daten.Write("Tavrel.ini", "[Tavrel]\r\n" + body);
    *s = TavState();
    SetUp();
    Load();
  }
};

TEST_F(SettingsFixture, MissingFileGivesTheDefaults) {
  Load();
  const SettingsState& st = s->settings;
  EXPECT_EQ(st.ProjektNummer, 1);
  EXPECT_TRUE(st.DruckDatum);
  EXPECT_TRUE(st.DruckHeader);
  EXPECT_EQ(st.FarbModus, 0);
  EXPECT_EQ(st.DruckSeiten, dsEnergiebilanz);  // no "DruckModus" either: part E
  EXPECT_EQ(st.DruckFont, "Arial");
  EXPECT_EQ(st.Drucker, "Buero");
  EXPECT_EQ(st.DrucklogoDatei, "FIX");  // the fixed logo is always on
  EXPECT_EQ(st.SimJahre, 3);
  EXPECT_EQ(st.Sprache, "deutsch");
  EXPECT_EQ(st.SprachDatei, "deutsch.dat");
  EXPECT_EQ(st.ImportDir, ".");
  EXPECT_EQ(st.HMPos.Breite, 800);
  EXPECT_EQ(st.HMPos.Hoehe, 630);
  EXPECT_FALSE(st.HMPos.Maximiert);
  EXPECT_TRUE(st.plotA_Tu2);
  EXPECT_EQ(texts[TX::BtnYes], "&Ja");
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SettingsFixture, RoundTripKeepsEveryValueAndForeignKeys) {
  daten.Write("Tavrel.ini", "[Tavrel]\r\nDruckModus=1\r\nNeuerSchluessel=bleibt\r\n"
                            "sprache=deutsch\r\nPLOTA_TU2=1\r\n[Andere]\r\nx=1\r\n");
  prog.Write("english.dat", "[Tavrel]\r\nBtnYes=&Yes\r\n");
  Load();
  SettingsState& st = s->settings;
  st.ProjektNummer = 17;
  st.DruckDatum = false;
  st.DruckHeader = false;
  st.FarbModus = 1;
  st.DruckSeiten = dsReport | dsOekologie;
  st.DruckFont = "Liberation Sans";
  st.Sprache = "english";
  st.ImportDir = "/home/planer/Import/";
  st.MeteoDir = "/daten/meteo/ä ö/";
  st.EnEVDir = "/enev/";
  st.DatumKollNeu = 3.0;  // a postponement counter
  st.DatumOrteNeu = 45000.5;
  st.SimJahre = 1;
  st.HMPos = {true, 700, -20, 15, 1024};
  st.AFPos.Links = 300;
  st.AFPos.Oben = -32768;
  st.plotT_Koll = false;
  st.plotA_Tu2 = false;
  const SettingsState saved = st;
  ASSERT_TRUE(SaveSettings(*s, "Labor"));

  const std::string file = daten.Read("Tavrel.ini");
  EXPECT_NE(file.find("[Tavrel]\r\nProjektNummer=17\r\nDruckDatum="), std::string::npos) << file;
  EXPECT_NE(file.find("DruckSeiten=RO\r\n"), std::string::npos);
  EXPECT_NE(file.find("Drucker=Labor\r\n"), std::string::npos);
  EXPECT_EQ(file.find("DruckModus"), std::string::npos);  // read only, never written
  EXPECT_NE(file.find("NeuerSchluessel=bleibt\r\n"), std::string::npos);
  EXPECT_NE(file.find("[Andere]\r\nx=1\r\n"), std::string::npos);

  *s = TavState();
  SetUp();
  Load();
  const SettingsState& r = s->settings;
  EXPECT_EQ(r.ProjektNummer, saved.ProjektNummer);
  EXPECT_EQ(r.DruckDatum, saved.DruckDatum);
  EXPECT_EQ(r.DruckHeader, saved.DruckHeader);
  EXPECT_EQ(r.FarbModus, saved.FarbModus);
  EXPECT_EQ(r.DruckSeiten, saved.DruckSeiten);
  EXPECT_EQ(r.DruckFont, saved.DruckFont);
  EXPECT_EQ(r.Drucker, "Labor");
  EXPECT_EQ(r.Sprache, "english");
  EXPECT_EQ(r.ImportDir, saved.ImportDir);
  EXPECT_EQ(r.MeteoDir, saved.MeteoDir);
  EXPECT_EQ(r.EnEVDir, saved.EnEVDir);
  EXPECT_DOUBLE_EQ(r.DatumKollNeu, 3.0);
  EXPECT_NEAR(r.DatumOrteNeu, 45000.5, 1e-5);
  EXPECT_EQ(r.SimJahre, 1);
  EXPECT_EQ(r.HMPos.Maximiert, true);
  EXPECT_EQ(r.HMPos.Hoehe, 700);
  EXPECT_EQ(r.HMPos.Links, -20);
  EXPECT_EQ(r.HMPos.Oben, 15);
  EXPECT_EQ(r.HMPos.Breite, 1024);
  EXPECT_EQ(r.AFPos.Links, 300);
  EXPECT_EQ(r.AFPos.Oben, -32768);
  EXPECT_FALSE(r.plotT_Koll);
  EXPECT_TRUE(r.plotA_To2);
  EXPECT_FALSE(r.plotA_Tu2);
  EXPECT_EQ(texts[TX::BtnYes], "&Yes");  // the language switch has reloaded the texts
}

// Lines of another version survive a save byte for byte, also those the key-value writer
// refuses to write (a CR in the key, a leading "[") and comments; a lone CR in a value of the
// program's own stays too.
TEST_F(SettingsFixture, LinesTheWriterCannotComposeSurviveASave) {
  const std::string fremd =
      "Schl\rssel=mit CR im Namen\r\n[Klammer=auf\r\n; Kommentar ohne Gleichheitszeichen\r\n"
      "Wert=lone\rCR\r\n";
  daten.Write("Tavrel.ini", "[Tavrel]\r\nDruckFont=Schrift\rmit CR\r\n" + fremd);
  Load();
  EXPECT_EQ(s->settings.DruckFont, "Schrift\rmit CR");
  for (int mal = 0; mal < 2; ++mal) {
    ASSERT_TRUE(SaveSettings(*s, "Buero"));
    const std::string file = daten.Read("Tavrel.ini");
    EXPECT_NE(file.find(fremd), std::string::npos) << file;
    EXPECT_NE(file.find("DruckFont=Schrift\rmit CR\r\n"), std::string::npos) << file;
    Load();
  }
  EXPECT_EQ(s->settings.DruckFont, "Schrift\rmit CR");
  EXPECT_TRUE(messages->shown.empty()) << messages->All();
}

TEST_F(SettingsFixture, OddAndDamagedValuesFallBackAlone) {
  LoadFrom("DruckSeiten=OR\r\n");
  EXPECT_EQ(s->settings.DruckSeiten, dsReport | dsOekologie);
  LoadFrom("DruckModus=1\r\n");
  EXPECT_EQ(s->settings.DruckSeiten, dsOekologie);
  LoadFrom("DruckModus=7\r\n");
  EXPECT_EQ(s->settings.DruckSeiten, dsReport | dsEnergiebilanz | dsOekologie);
  // No part named: the report is printed and saved as "R", and that is said.
  for (const char* text : {"xyz", ""}) {
    LoadFrom("DruckSeiten=" + std::string(text) + "\r\n");
    EXPECT_EQ(s->settings.DruckSeiten, dsReport);
    EXPECT_TRUE(messages->Contains("DruckSeiten")) << messages->All();
    EXPECT_TRUE(messages->Contains("Tavrel.ini")) << messages->All();
    messages->shown.clear();
  }
  EXPECT_EQ(DruckSeitenText(0), "R");  // an empty set is written "R"

  LoadFrom("SimJahre=2\r\nFarbModus=7\r\nProjektNummer=12\r\n");
  EXPECT_EQ(s->settings.SimJahre, 3);
  EXPECT_EQ(s->settings.FarbModus, 0);
  EXPECT_EQ(s->settings.ProjektNummer, 12);

  // A damaged number keeps its default, named in one message; nothing else is lost.
  LoadFrom("HMleft=99999\r\nHMtop=-99999\r\nHMwidth=breit\r\nHMheight=500\r\nSimJahre=eins\r\n"
           "DruckFont=Courier\r\n");
  EXPECT_EQ(s->settings.HMPos.Links, 32767);
  EXPECT_EQ(s->settings.HMPos.Oben, -32768);
  EXPECT_EQ(s->settings.HMPos.Breite, 800);
  EXPECT_EQ(s->settings.HMPos.Hoehe, 500);
  EXPECT_EQ(s->settings.SimJahre, 3);
  EXPECT_EQ(s->settings.DruckFont, "Courier");
  ASSERT_EQ(messages->shown.size(), 1u) << messages->All();
  EXPECT_TRUE(messages->Contains("\"SimJahre\", \"HMwidth\"")) << messages->All();
  EXPECT_FALSE(s->settings.DateiSchaden.empty());
  messages->shown.clear();

  LoadFrom("Drucker=Verschwunden\r\n");
  EXPECT_EQ(s->settings.Drucker, "Buero");
  env.Drucker.clear();
  LoadFrom("Drucker=Buero\r\n");
  EXPECT_EQ(s->settings.Drucker, "");
  EXPECT_TRUE(messages->shown.empty());
}

// A settings file that is damaged, or that a save would not write so that it reads back the
// same (bytes that are no UTF-8 beside text that would then read as UTF-8), is named once: at
// start for the damage, then one question at the first save. "No" keeps the file for the
// session without a further word; "Yes" replaces it with the current settings in a form that
// reads back, and the next start and save say nothing.
TEST_F(SettingsFixture, AFileThatCannotBeKeptIsAskedAboutOnce) {
  struct Fall {
    const char* name;
    std::string inhalt;
    std::size_t beimStart;  // messages at start
  };
  const Fall faelle[] = {
      {"damaged", "ProjektNummer=sieben\r\nSprache=deutsch\r\n", 1},
      // The logo file is gone, so its value is replaced, and with it the only byte that made
      // the file no UTF-8: the rest would read back as UTF-8, "Ã¤" as "ä".
      {"not read back the same", "ImportDir=/home/\xC3\xA4\r\nDrucklogoDatei=/nix/Logo\xE9.bmp\r\n", 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    messages->shown.clear();
    LoadFrom(f.inhalt);
    const std::string vorher = daten.Read("Tavrel.ini");
    EXPECT_EQ(messages->shown.size(), f.beimStart) << messages->All();
    messages->shown.clear();
    messages->answers = {mrNo};
    EXPECT_FALSE(SaveSettings(*s, "Buero"));
    ASSERT_EQ(messages->shown.size(), 1u) << messages->All();
    EXPECT_EQ(messages->shown[0].type, mtConfirmation);
    EXPECT_EQ(messages->shown[0].buttons, mbYesNoKeep);  // Enter keeps the file
    EXPECT_TRUE(messages->Contains("Tavrel.ini")) << messages->All();
    EXPECT_FALSE(SaveSettings(*s, "Buero"));  // the data-folder change, the exit: no question
    EXPECT_EQ(messages->shown.size(), 1u) << messages->All();
    EXPECT_EQ(daten.Read("Tavrel.ini"), vorher);

    // "Yes" is about the file as it was when asked: what another program writes while the
    // question is open is kept, and that is said.
    LoadFrom(f.inhalt);
    messages->shown.clear();
    messages->answers = {mrYes};
    const std::string fremd = "[Tavrel]\r\nSprache=Labor\r\n";
    messages->whileAsking = [&] { daten.Write("Tavrel.ini", fremd); };
    EXPECT_FALSE(SaveSettings(*s, "Buero"));
    EXPECT_EQ(daten.Read("Tavrel.ini"), fremd);
    EXPECT_TRUE(messages->Contains("von einem anderen Programm geändert")) << messages->All();

    // The next session asks again; "Yes" replaces the file.
    LoadFrom(f.inhalt);
    const std::string importDir = s->settings.ImportDir;
    messages->shown.clear();
    messages->answers = {mrYes};
    EXPECT_TRUE(SaveSettings(*s, "Buero")) << messages->All();
    EXPECT_EQ(messages->shown.size(), 1u) << messages->All();
    messages->shown.clear();
    *s = TavState();
    SetUp();
    Load();
    EXPECT_TRUE(messages->shown.empty()) << messages->All();
    EXPECT_EQ(s->settings.ImportDir, importDir) << "read back as written";
    EXPECT_TRUE(SaveSettings(*s, "Buero"));
    EXPECT_TRUE(messages->shown.empty()) << messages->All();
  }
}

// Looking the printer up when it is first needed gives the printer reading it at once gave,
// and until then the stored name goes back into the file unchanged.
TEST_F(SettingsFixture, PrinterLookedUpLaterChoosesAsAtOnce) {
  struct Fall {
    const char* ini;
    std::vector<std::string> drucker;
    const char* gewaehlt;
  };
  const Fall faelle[] = {
      {"Drucker=Labor\r\n", {"Buero", "Labor"}, "Labor"},
      {"Drucker=Verschwunden\r\n", {"Buero", "Labor"}, "Buero"},  // the current printer
      {"DruckFont=Arial\r\n", {"Buero", "Labor"}, "Buero"},       // no key: the current one
      {"Drucker=Labor\r\n", {}, ""},                              // no printers at all
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.ini);
    env = SettingsEnv{f.drucker, "Buero", {}, {}};
    LoadFrom(f.ini);
    const std::string sofort = s->settings.Drucker;
    EXPECT_EQ(sofort, f.gewaehlt);
    EXPECT_FALSE(s->settings.DruckerOffen);

    std::string gewaehlt;
    SettingsEnv spaeter{{}, {}, {}, [&](const std::string& n) { gewaehlt = n; }};
    spaeter.DruckerSpaeter = true;
    std::swap(env, spaeter);
    LoadFrom(f.ini);
    std::swap(env, spaeter);
    EXPECT_TRUE(s->settings.DruckerOffen);
    const std::string gelesen = s->settings.Drucker;
    ASSERT_TRUE(SaveSettings(*s, s->settings.Drucker));
    EXPECT_NE(daten.Read("Tavrel.ini").find("Drucker=" + gelesen + "\r\n"), std::string::npos);
    EXPECT_TRUE(gewaehlt.empty());

    spaeter.Drucker = f.drucker;
    spaeter.AktuellerDrucker = "Buero";
    ResolvePrinter(s->settings, spaeter);
    EXPECT_EQ(s->settings.Drucker, sofort);
    EXPECT_FALSE(s->settings.DruckerOffen);
    // A printer the system has is made the current one; a replacement already is.
    EXPECT_EQ(gewaehlt, sofort == "Labor" ? "Labor" : "");
  }
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SettingsFixture, AFailedSaveIsReportedOnce) {
  s->folders.DatenDir = (daten / "fehlt").string() + "/";
  EXPECT_FALSE(SaveSettings(*s, "Buero"));
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_NE(messages->shown[0].text.find("Tavrel.ini"), std::string::npos);
}

TEST_F(SettingsFixture, UnknownOrMissingLanguageFallsBackToGerman) {
  prog.Write("dansk.dat", "[Tavrel]\r\nBtnYes=&Ja (dk)\r\n");
  prog.Write("meine.dat", "[Tavrel]\r\nBtnYes=&Mine\r\n");
  const struct { const char* stored; const char* sprache; } cases[] = {
      {"klingonisch", "deutsch"},  // no file
      {"meine", "deutsch"},        // a file, but no language of the list: not Danish
      {"Deutsch", "deutsch"},
      {"dansk", "dansk"},
      {"DANSK", "dansk"},
  };
  for (const auto& c : cases) {
    LoadFrom(std::string("Sprache=") + c.stored + "\r\n");
    EXPECT_EQ(s->settings.Sprache, c.sprache) << c.stored;
    EXPECT_EQ(texts[TX::BtnYes], std::string(c.sprache) == "dansk" ? "&Ja (dk)" : "&Ja")
        << c.stored;
  }
}

// The update catalogues of the program folder.
struct CatalogUpdateFixture : SettingsFixture {
  int kollImports = 0;
  bool importGelingt = true;
  CatalogImports imports{[this](const std::string&) {
                           ++kollImports;
                           return importGelingt;
                         },
                         {}};
  double kollDatum = 0.0;

  void SetUp() override {
    SettingsFixture::SetUp();
    prog.Write("KollNeu.dat", "[Kollektor 1]\r\nName=Neu\r\n");
    // A date in whole seconds, as the settings file stores it.
    ASSERT_TRUE(SetFileDateOf((prog / "KollNeu.dat").string(), EncodeDate(2025, 2, 1) + 0.5));
    kollDatum = FileDateOf(prog / "KollNeu.dat");
  }
  // One start: returns whether the collector question was asked.
  bool Start() {
    const std::size_t before = messages->shown.size();
    CheckCatalogFileDates(*s, texts, s->folders.ProgDir, imports);
    return messages->shown.size() > before;
  }
};

TEST_F(CatalogUpdateFixture, AskLaterSkipsFiveStartsAndAsksAtTheSixth) {
  messages->answers = {mrIgnore};
  ASSERT_TRUE(Start());
  EXPECT_NE(messages->shown.back().text.find("Neue Daten aus KollNeu.dat importieren?"),
            std::string::npos);
  EXPECT_EQ(messages->shown.back().buttons, Btn(mbYes) | Btn(mbNo) | Btn(mbIgnore));
  EXPECT_DOUBLE_EQ(s->settings.DatumKollNeu, 5.0);
  for (int start = 1; start <= 5; ++start) EXPECT_FALSE(Start()) << start;
  messages->answers = {mrNo};
  EXPECT_TRUE(Start());
  EXPECT_DOUBLE_EQ(s->settings.DatumKollNeu, kollDatum);
  EXPECT_FALSE(Start());  // a file already offered is not offered again
  EXPECT_EQ(kollImports, 0);
  EXPECT_EQ(texts[TX::BtnIgnore], "&Ignorieren");  // the caption is back
}

TEST_F(CatalogUpdateFixture, OnlyANewerFileIsOfferedAndYesImports) {
  s->settings.DatumKollNeu = kollDatum;  // as old as the file
  EXPECT_FALSE(Start());
  s->settings.DatumKollNeu = kollDatum + 1.0;  // newer than the file
  EXPECT_FALSE(Start());
  s->settings.DatumKollNeu = kollDatum - 1.0;
  std::string ignoreCaption;
  imports.ImportKollektoren = [&](const std::string&) {
    ++kollImports;
    ignoreCaption = texts[TX::BtnIgnore];
    return importGelingt;
  };
  // An import that could not write its catalogue leaves the update to be offered again.
  importGelingt = false;
  messages->answers = {mrYes};
  EXPECT_TRUE(Start());
  EXPECT_EQ(kollImports, 1);
  EXPECT_DOUBLE_EQ(s->settings.DatumKollNeu, kollDatum - 1.0);
  importGelingt = true;
  messages->answers = {mrYes};
  EXPECT_TRUE(Start());
  EXPECT_EQ(kollImports, 2);
  EXPECT_EQ(ignoreCaption, "&Später nochmal fragen");  // while the routine runs
  EXPECT_DOUBLE_EQ(s->settings.DatumKollNeu, kollDatum);
}

TEST_F(CatalogUpdateFixture, AnAnsweredUpdateStaysAnsweredAfterARestart) {
  // File systems keep fractions of a second; the settings file keeps whole seconds.
  const double datum = EncodeDate(2025, 3, 1) + (12 * 3600 + 0.75) / 86400.0;
  ASSERT_TRUE(SetFileDateOf((prog / "KollNeu.dat").string(), datum));
  for (const int answer : {mrNo, mrYes}) {
    s->settings.DatumKollNeu = 0.0;
    messages->answers = {answer};
    ASSERT_TRUE(Start()) << answer;
    ASSERT_TRUE(SaveSettings(*s, "Buero"));
    *s = TavState();
    SettingsFixture::SetUp();
    Load();
    EXPECT_FALSE(Start()) << answer;  // the next start knows the file already
  }
  EXPECT_EQ(kollImports, 1);
}

TEST_F(CatalogUpdateFixture, CaptionComesBackWhenTheImportFails) {
  imports.ImportKollektoren = [](const std::string&) -> bool { throw std::runtime_error("kaputt"); };
  messages->answers = {mrYes};
  EXPECT_THROW(Start(), std::runtime_error);
  EXPECT_EQ(texts[TX::BtnIgnore], "&Ignorieren");
}

}  // namespace
}  // namespace tav
