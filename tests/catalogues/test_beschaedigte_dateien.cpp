// A file of each kind the program reads at start-up or on request, damaged or replaced by
// something that is no file: it is named once with the reason, the program goes on with
// defaults, and the file is left exactly as it was, also by the save that follows.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "catalogues/Energie.h"
#include "foundation/AtomicFile.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/StatusSink.h"
#include "location/Wetter.h"
#include "enev/EnevDatei.h"
#include "foundation/Folders.h"
#include "foundation/Language.h"
#include "foundation/Settings.h"
#include "foundation/TextTable.h"
#include "project/test_projekt_fixture.h"

namespace tav::test {
namespace {

namespace fs = std::filesystem;

struct Umgebung {
  TempDir prog, daten, config;
  TavState s;
  FakeDienste d;
  TTextTable texts;
  SettingsEnv env{{"Buero"}, "Buero", {}, {}};
  ScopedMessages msgs;
  Umgebung() {
    s.folders.ProgDir = prog.path().string() + "/";
    s.folders.DatenDir = daten.path().string() + "/";
    s.folders.ConfigDir = config.path().string() + "/";
  }
};

// A weather file of three calm years (every value 1) with one value set.
std::string WetterDatei(int kanal, int stunde, float wert) {
  std::vector<float> werte(3 * WetJahrBytes / sizeof(float), 1.0f);
  werte[static_cast<std::size_t>(kanal * kStundenProJahr + stunde)] = wert;
  std::string bytes(WetNameBytes, ' ');
  bytes.append(reinterpret_cast<const char*>(werte.data()), werte.size() * sizeof(float));
  return bytes;
}

enum class Art { Inhalt, Ordner, Pipe, Riesig };

struct Fall {
  const char* name;
  const char* ort;    // "prog", "daten" or "config": the folder of the file
  const char* datei;  // its path in there
  Art art;
  std::string inhalt;                          // for Art::Inhalt
  std::function<void(Umgebung&)> lies;         // the reader, and the save that may follow
  std::vector<std::string> grund;              // what the message says besides the name
  bool standardProjekt = false;
};

fs::path Ordner(Umgebung& u, const char* ort) {
  return std::string(ort) == "prog" ? u.prog.path() : std::string(ort) == "daten" ? u.daten.path() : u.config.path();
}

void LadeProjektUndSpeichere(Umgebung& u) {
  LoadProjekt(u.s, u.d);
  u.s.run.ProjektGeaendert = true;
}

// An English session whose project names the German condensing boiler: whatever is left of
// the English carriers, or the built-in rows, the carrier is the same one.
void EnglischeSitzungMitBrennwertkessel(Umgebung& u) {
  fs::copy_file(fs::path(TAV_LANG_DIR) / "english.dat", u.prog / "english.dat");
  u.daten.Write("Tavrel.ini", "[Tavrel]\r\nSprache=english\r\n");
  LoadSettings(u.s, u.texts, u.env);
  EXPECT_EQ(u.s.cat.EnergieDatei, "Energie_en.dat");
  u.s.plant.konvEnergie = "Erdgas Brennwert-Kessel";
  ReadEnergie(u.s, "", NullStatus());
  EXPECT_EQ(u.s.plant.EnergieNr, 5);
  EXPECT_EQ(u.s.plant.konvNutzgradWinter, 103);
}

// The delivered English carriers, broken off inside the sixth entry.
std::string EnglischeEnergieAbgeschnitten() {
  std::string t;
  EXPECT_TRUE(ReadWholeFile(fs::path(TAV_LANG_DIR) / ".." / "daten" / "Energie_en.dat", t));
  const std::size_t sechs = t.find("[Energieform 6]");
  return t.substr(0, t.find("NutzgradWinter=", sechs) + std::strlen("NutzgradWinter=9"));
}

const std::vector<Fall>& Faelle() {
  static const std::vector<Fall> faelle = {
      {"project file as a folder", "daten", "Projekte.dat", Art::Ordner, "", LadeProjektUndSpeichere,
       {"es ist ein Ordner", "Standardprojekt"}, true},
      {"project file as a pipe", "daten", "Projekte.dat", Art::Pipe, "", LadeProjektUndSpeichere,
       {"keine gewöhnliche Datei", "Standardprojekt"}, true},
      {"project file beyond the size bound", "daten", "Projekte.dat", Art::Riesig, "",
       LadeProjektUndSpeichere, {"größer als 32 MB", "Standardprojekt"}, true},
      {"settings without their section", "daten", "Tavrel.ini", Art::Inhalt,
       std::string("\x00\x01\x02PK garbage\r\n", 15),
       [](Umgebung& u) {
         LoadSettings(u.s, u.texts, u.env);
         u.msgs->answers = {mrNo};  // asked before the save replaces it: no
         EXPECT_FALSE(SaveSettings(u.s, "Buero"));
       },
       {"keinen Abschnitt [Tavrel]"}},
      {"settings with values that are no numbers", "daten", "Tavrel.ini", Art::Inhalt,
       "[Tavrel]\r\nProjektNummer=zwölf\r\ndtKollNeuDat=gestern\r\nplotA_To=ja\r\n",
       [](Umgebung& u) {
         LoadSettings(u.s, u.texts, u.env);
         u.msgs->answers = {mrNo};
         EXPECT_FALSE(SaveSettings(u.s, "Buero"));
       },
       {"\"ProjektNummer\", \"plotA_To\", \"dtKollNeuDat\"", "Standardwerte"}},
      {"folder store without a section", "config", "Tavrel/Ordner.ini", Art::Inhalt,
       "TavrelDatenDir=/home/hans/Solar/\r\n",
       [](Umgebung& u) {
         SystemFolders sys;
         sys.ProgDir = u.prog.path().string();
         sys.ConfigDir = u.config.path().string();
         sys.HomeDir = u.daten.path().string();
         SetupFolders(u.s.folders, sys);
         EXPECT_FALSE(WriteDataDirSetting(u.s.folders));
       },
       {"keinen Abschnitt", "Der Datenordner ist daher"}},
      {"folder store as a folder", "config", "Tavrel/Ordner.ini", Art::Ordner, "",
       [](Umgebung& u) {
         SystemFolders sys;
         sys.ProgDir = u.prog.path().string();
         sys.ConfigDir = u.config.path().string();
         SetupFolders(u.s.folders, sys);
       },
       {"es ist ein Ordner", "Der Datenordner ist daher"}},
      {"language file without its section", "prog", "english.dat", Art::Inhalt,
       "BtnYes=&Yes\r\n",
       [](Umgebung& u) { SwitchLanguage(u.s, u.texts, LanguageNumber(u.s.cat, "english")); },
       {"keinen Abschnitt [Tavrel]", "deutschen Texte"}},
      {"language file as a folder", "prog", "english.dat", Art::Ordner, "",
       [](Umgebung& u) {
         u.daten.Write("Tavrel.ini", "[Tavrel]\r\nSprache=english\r\n");
         LoadSettings(u.s, u.texts, u.env);
       },
       {"es ist ein Ordner", "deutschen Texte"}},
      {"English energy carriers as a folder", "daten", "Energie_en.dat", Art::Ordner, "",
       EnglischeSitzungMitBrennwertkessel, {"es ist ein Ordner"}},
      {"English energy carriers as a pipe", "daten", "Energie_en.dat", Art::Pipe, "",
       EnglischeSitzungMitBrennwertkessel, {"keine gewöhnliche Datei"}},
      {"English energy carriers empty", "daten", "Energie_en.dat", Art::Inhalt, "",
       EnglischeSitzungMitBrennwertkessel, {"Keine Energieträgerdaten gefunden"}},
      {"English energy carriers cut short", "daten", "Energie_en.dat", Art::Inhalt,
       EnglischeEnergieAbgeschnitten(), EnglischeSitzungMitBrennwertkessel,
       {"[Energieform 6] endet vor NutzgradFruehlingHerbst, NutzgradSommer", "abgeschnitten"}},
      {"weather file as a folder", "daten", "Ort.wet", Art::Ordner, "",
       [](Umgebung& u) {
         EXPECT_EQ(LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr), WetterLaden::Beschaedigt);
       },
       {"es ist ein Ordner"}},
      {"weather file too long", "daten", "Ort.wet", Art::Inhalt, WetterDatei(0, 0, 1.0f) + "x",
       [](Umgebung& u) { LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr); },
       {"größer als 315410 Bytes"}},
      {"weather file too short", "daten", "Ort.wet", Art::Inhalt, WetterDatei(0, 0, 1.0f).substr(0, 1000),
       [](Umgebung& u) { LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr); },
       {"1000 statt 315410 Bytes"}},
      {"weather file with an air temperature of 1e30", "daten", "Ort.wet", Art::Inhalt,
       WetterDatei(2, 17, 1e30f),
       [](Umgebung& u) { LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr); },
       {"Jahr 1, Stunde 17: Lufttemperatur 1E30 °C"}},
      {"weather file with negative irradiation", "daten", "Ort.wet", Art::Inhalt,
       WetterDatei(3 + 1, 4000, -5.0f),
       [](Umgebung& u) { LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr); },
       {"Jahr 2, Stunde 4000: Diffusstrahlung -5 W/m²"}},
      {"weather file with no number", "daten", "Ort.wet", Art::Inhalt,
       WetterDatei(0, 8759, std::numeric_limits<float>::quiet_NaN()),
       [](Umgebung& u) { LoadWetterDaten(u.s, "Ort.wet", NullStatus(), nullptr); },
       {"Jahr 1, Stunde 8759: Direktstrahlung NaN"}},
      {"EnEV exchange file as a folder", "daten", "enevxsim.dat", Art::Ordner, "",
       [](Umgebung& u) {
         enev::EnevStand stand;
         enev::ImportEnevDaten((u.daten / "enevxsim.dat").string(), u.s, stand, NullStatus());
       },
       {"es ist ein Ordner"}},
      {"EnEV exchange file as a pipe", "daten", "enevxsim.dat", Art::Pipe, "",
       [](Umgebung& u) {
         enev::EnevStand stand;
         enev::ImportEnevDaten((u.daten / "enevxsim.dat").string(), u.s, stand, NullStatus());
       },
       {"keine gewöhnliche Datei"}},
  };
  return faelle;
}

// What the file is, to tell afterwards that it is unchanged.
std::string Abbild(const fs::path& datei) {
  const auto st = fs::symlink_status(datei);
  if (fs::is_directory(st)) return "folder";
  if (fs::is_fifo(st)) return "pipe";
  if (fs::is_regular_file(st) && fs::file_size(datei) > (1u << 20)) return "large " + std::to_string(fs::file_size(datei));
  std::ifstream in(datei, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BeschaedigteDateien, AreNamedOnceWithTheirReasonAndLeftAsTheyWere) {
  for (const Fall& fall : Faelle()) {
    SCOPED_TRACE(fall.name);
    Umgebung u;
    const fs::path datei = Ordner(u, fall.ort) / fall.datei;
    fs::create_directories(datei.parent_path());
    switch (fall.art) {
      case Art::Inhalt: {
        std::ofstream(datei, std::ios::binary) << fall.inhalt;
        break;
      }
      case Art::Ordner:
        fs::create_directory(datei);
        break;
      case Art::Pipe:
        ASSERT_EQ(::mkfifo(datei.c_str(), 0644), 0);
        break;
      case Art::Riesig:
        std::ofstream(datei) << "[Projekt 1]\r\n";
        fs::resize_file(datei, (std::uintmax_t{32} << 20) + 1);  // sparse
        break;
    }
    const std::string vorher = Abbild(datei);
    fall.lies(u);
    // One report; a question before a save (answered no) is no second report.
    std::vector<std::string> berichte;
    for (const ShownMessage& m : u.msgs->shown)
      if (m.type != mtConfirmation) berichte.push_back(m.text);
    ASSERT_EQ(berichte.size(), 1u) << u.msgs->All();
    const std::string& text = berichte[0];
    EXPECT_NE(text.find(fall.datei), std::string::npos) << text;
    for (const auto& g : fall.grund) EXPECT_NE(text.find(g), std::string::npos) << g << "\n" << text;
    EXPECT_EQ(Abbild(datei), vorher);
    if (fall.standardProjekt) {
      EXPECT_EQ(u.s.plant.ProjektName, "Standard-Solaranlage");
      EXPECT_EQ(u.s.plant.Standort, "Freiburg");
      EXPECT_EQ(u.s.cat.ProjektAnzahl, 0);
      // Saving it is refused with the file's reason; the user's file stays.
      EXPECT_FALSE(WriteProjektDat(ProjektDateiPfad(u.s), u.s, u.d));
      EXPECT_EQ(Abbild(datei), vorher);
    }
  }
}

}  // namespace
}  // namespace tav::test
