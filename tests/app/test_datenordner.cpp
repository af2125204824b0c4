// The data-folder switch on temporary folders: an empty or new folder is filled, a folder
// with data of its own is only switched to (its edited catalogues are what the program then
// reads), the same folder changes nothing, a folder that cannot be made is reported; and the
// dialog with a scripted folder chooser.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>

#include "app/FormVerzWechsel.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "catalogues/Rohre.h"
#include "project/test_projekt_fixture.h"
#include "foundation/BigIni.h"
#include "foundation/Folders.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/ui/FolderBrowser.h"
#include "support/Schreibschutz.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// Reads the pipe catalogue for real, so the test sees which folder's file is used.
struct RohrDienste : test::FakeDienste {
  void ReadRohre(TavState& s) override { tav::ReadRohre(s, NullStatus()); }
};

class Datenordner : public ::testing::Test {
 protected:
  void SetUp() override {
    s.folders.DatenDir = alt.path().string() + "/";
    s.folders.StandardDatenDir = s.folders.DatenDir;
    s.folders.ConfigDir = cfg.path().string() + "/";
    s.folders.ProgDir = alt.path().string() + "/";
    test::VollesProjekt(s.plant);
    s.plant.ProjektName = "Projekt im alten Ordner";
    s.plant.RohrTyp = "*init*";  // a pipe of the built-in catalogue
    s.settings.ProjektNummer = 1;
    ASSERT_TRUE(WriteProjektDat(ProjektDateiPfad(s), s, d));
    alt.Write("Rohr.dat", RohreBuiltInText());
    msgs->shown.clear();
  }

  std::string Gespeichert() {
    TBigIniFile reg(RegDateiPfad(s.folders));
    return reg.ReadString(RegSektion(s.folders), RegWertDatenDir, "");
  }

  test::TempDir alt, neu, cfg;
  test::ScopedMessages msgs;
  TavState s;
  RohrDienste d;
};

TEST_F(Datenordner, EmptyAndNewFoldersAreFilledAndRecorded) {
  for (const fs::path& ziel : {neu.path(), neu.path() / "tief" / "unten"}) {
    s.folders.DatenDir = alt.path().string() + "/";
    DatenordnerWechseln(s, d, ziel.string());  // typed without the trailing "/"
    EXPECT_FALSE(s.run.Abbruch) << ziel;
    EXPECT_EQ(s.folders.DatenDir, ziel.string() + "/");
    EXPECT_EQ(Gespeichert(), ziel.string() + "/");
    EXPECT_EQ(alt.Read("Projekte.dat"), neu.Read(fs::relative(ziel / "Projekte.dat", neu.path())));
    EXPECT_EQ(alt.Read("Rohr.dat"), neu.Read(fs::relative(ziel / "Rohr.dat", neu.path())));
    EXPECT_TRUE(fs::exists(alt / "Tavrel.ini"));  // the old folder's settings written first
  }
  DatenNeuLaden(s, d);
  EXPECT_EQ(s.cat.ProjektAnzahl, 1);
  EXPECT_EQ(s.plant.ProjektName, "Projekt im alten Ordner");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

TEST_F(Datenordner, AFolderWithDataIsOnlySwitchedToAndItsCataloguesAreRead) {
  // The other folder's own project and an edited, older pipe catalogue.
  TavState anderer;
  anderer.folders.DatenDir = neu.path().string() + "/";
  test::VollesProjekt(anderer.plant);
  anderer.plant.ProjektName = "Projekt im neuen Ordner";
  anderer.settings.ProjektNummer = 7;
  ASSERT_TRUE(WriteProjektDat(ProjektDateiPfad(anderer), anderer, d));
  std::string rohre = RohreBuiltInText();
  const std::size_t pos = rohre.find("RohrName=") + 9;
  rohre.replace(pos, rohre.find("\r\n", pos) - pos, "Bearbeitetes Rohr 99");
  neu.Write("Rohr.dat", rohre);
  fs::last_write_time(neu / "Rohr.dat", fs::file_time_type::clock::now() - std::chrono::hours(24 * 3000));
  const std::string projekteVorher = neu.Read("Projekte.dat");

  DatenordnerWechseln(s, d, neu.path().string() + "/");
  EXPECT_FALSE(s.run.Abbruch);
  EXPECT_EQ(neu.Read("Rohr.dat"), rohre);
  EXPECT_EQ(neu.Read("Projekte.dat"), projekteVorher);

  s.cat.RohreGeladen = true;  // read from the old folder before
  DatenNeuLaden(s, d);
  EXPECT_EQ(s.cat.Rohre[1].RohrName, "Bearbeitetes Rohr 99");
  EXPECT_EQ(s.plant.ProjektName, "Projekt im neuen Ordner");
  EXPECT_EQ(s.settings.ProjektNummer, 7);  // the old number is not in this file
}

TEST_F(Datenordner, SameFolderFailuresAndTheModifiedProject) {
  const std::string altDir = s.folders.DatenDir;
  DatenordnerWechseln(s, d, alt.path().string());  // the folder in force, without "/"
  EXPECT_TRUE(s.run.Abbruch);
  EXPECT_EQ(s.folders.DatenDir, altDir);

  neu.Write("datei", "x");
  const std::string unmoeglich = (neu / "datei" / "unter").string();
  DatenordnerWechseln(s, d, unmoeglich);
  EXPECT_TRUE(s.run.Abbruch);
  EXPECT_EQ(s.folders.DatenDir, altDir);
  EXPECT_TRUE(msgs->Contains("Kann Ordner " + unmoeglich + "/ nicht anlegen")) << msgs->All();

  for (int antwort : {mrNo, mrYes}) {
    s.folders.DatenDir = altDir;
    s.plant.Info1 = antwort == mrYes ? "gespeichert" : "verworfen";
    s.run.ProjektGeaendert = true;
    msgs->shown.clear();
    msgs->answers = {antwort};
    const fs::path ziel = neu.path() / (antwort == mrYes ? "ja" : "nein");
    DatenordnerWechseln(s, d, ziel.string());
    EXPECT_FALSE(s.run.Abbruch);
    EXPECT_EQ(msgs->shown.at(0).text, "Projektdaten speichern?");
    TavState t;
    t.folders.DatenDir = altDir;
    test::FakeDienste f;
    LoadProjekt(t, f);
    EXPECT_EQ(t.plant.Info1 == "gespeichert", antwort == mrYes);
  }

  // Yes, but the project cannot be written: the folder stays, so its changes are not dropped.
  s.folders.DatenDir = altDir;
  s.run.ProjektGeaendert = true;
  msgs->answers = {mrYes};
  {
    const test::OhneSchreibrecht schutz(alt / "Projekte.dat");
    DatenordnerWechseln(s, d, (neu.path() / "gesperrt").string());
  }
  EXPECT_TRUE(s.run.Abbruch);
  EXPECT_EQ(s.folders.DatenDir, altDir);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_FALSE(fs::exists(neu / "gesperrt"));
}

TEST_F(Datenordner, DialogChoosesAFolderAndSwitchesOnOk) {
  std::string titel, start;
  TFolderBrowser::SetChooser([&](QWidget*, const std::string& t, const std::string& i, bool, bool) {
    titel = t;
    start = i;
    return std::optional<std::string>(neu.path().string());
  });
  TFormVerzWechsel f(s, d);
  f.show();
  EXPECT_EQ(f.windowTitle(), "Datenordner ändern");
  EXPECT_EQ(f.LabelInfoH->text().toStdString(), "Anderen Datenordner für Tavrel auswählen");
  EXPECT_TRUE(f.RadioButtonStdVerz->isChecked());
  // A small dialog of fixed size: no maximise or minimise button, no resizing.
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  test::GrabScreen(&f, "FormVerzWechsel");

  f.SpeedButtonDatVerz->click();
  EXPECT_EQ(titel, "Anderen Datenordner für Tavrel auswählen");
  EXPECT_EQ(start, s.folders.DatenDir);
  EXPECT_EQ(f.EditNeuVerz->text().toStdString(), neu.path().string());
  EXPECT_TRUE(f.RadioButtonNeuVerz->isChecked());

  // Cancel changes nothing; OK switches.
  f.ButtonCancel->click();
  EXPECT_TRUE(s.run.Abbruch);
  EXPECT_EQ(s.folders.DatenDir, alt.path().string() + "/");
  f.show();
  f.SpeedButtonDatVerz->click();
  f.ButtonOK->click();
  EXPECT_FALSE(s.run.Abbruch);
  EXPECT_EQ(s.folders.DatenDir, neu.path().string() + "/");
  EXPECT_TRUE(fs::exists(neu / "Projekte.dat"));
  TFolderBrowser::SetChooser(nullptr);
}

}  // namespace
}  // namespace tav
