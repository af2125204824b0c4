// Start-up from empty folders: the data folder is created, seeded and recorded, the standard
// project is loaded and shown with its scheme and description; a data folder that cannot be
// created ends the program with its message; progress reaches the splash label.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/FormSplash.h"
#include "app/Schema.h"
#include "foundation/Folders.h"
#include "results/ui/ReportAnlage.h"
#include "tests/app/AppFixture.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// No test may touch the real home folder: every XDG folder points into a temporary one.
class FremdesHeim : public ::testing::Environment {
 public:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      ::setenv(name, (heim_.path() / name).string().c_str(), 1);
  }

 private:
  test::TempDir heim_;
};
const auto* const kHeim = ::testing::AddGlobalTestEnvironment(new FremdesHeim);

TEST(Start, EmptyFoldersGiveSeededDataFolderAndStandardProject) {
  test::AppFixture app;
  const TavState& s = G();
  EXPECT_TRUE(app.msgs->shown.empty()) << app.msgs->All();
  EXPECT_TRUE(fs::is_directory(s.folders.DatenDir));
  for (const char* datei : {"Projekte.dat", "Orte.dat", "Koll.dat"})
    EXPECT_TRUE(fs::exists(app.Daten(datei))) << datei;
  // The new data folder is recorded for the next start.
  EXPECT_TRUE(fs::exists(RegDateiPfad(s.folders)));
  EXPECT_EQ(s.plant.ProjektName, "Standard-Solaranlage");
  EXPECT_EQ(s.plant.Standort, "Freiburg");
  EXPECT_EQ(s.plant.AnlagenTypNr, 1);
  EXPECT_EQ(s.cat.ProjektAnzahl, 1);
  EXPECT_TRUE(s.run.SolarklimadatenOK);
  EXPECT_EQ(app.wetter.aufrufe, 1);

  // The window shows the scheme and the long description of exactly this plant.
  Hauptmenu& w = *app.window;
  EXPECT_EQ(w.objectName(), "Hauptmenu");
  EXPECT_EQ(w.ImageSchema->pixmap().toImage(), ShowSchema(s));
  EXPECT_EQ(w.ImageSchema->size(), QSize(309, 275));
  QTextEdit lang;
  ReportAnlage(&lang, s, true);
  const QString beschreibung = w.RichEditProjekt->toPlainText();
  EXPECT_EQ(beschreibung, lang.toPlainText());
  if (!beschreibung.isEmpty()) {
    EXPECT_TRUE(beschreibung.contains("Freiburg"));
    EXPECT_TRUE(beschreibung.contains(QString::fromStdString(s.plant.Kollektor)));
  }
  EXPECT_TRUE(w.RichEditProjekt->isReadOnly());
  EXPECT_EQ(w.windowTitle(), "Tavrel");
  w.show();
  test::Grab(&w, "Hauptmenu");
  w.hide();
}

TEST(Start, LaterStartKeepsTheFolderAndOpensTheProjectOfTheSettings) {
  test::TempDir root;
  test::WetterAttrappe wetter;
  test::ScopedMessages msgs;
  test::FrischerZustand(root.path());
  DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter);
  G().settings.ProjektNummer = 1;
  ASSERT_TRUE(SaveSettings(G(), ""));
  fs::remove(RegDateiPfad(G().folders));

  test::FrischerZustand(root.path());
  DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter);
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(G().plant.ProjektName, "Standard-Solaranlage");
  // Only a newly made folder is recorded again.
  EXPECT_FALSE(fs::exists(RegDateiPfad(G().folders)));
  G() = TavState{};
}

TEST(Start, DataFolderThatCannotBeCreatedIsFatal) {
  test::TempDir root;
  test::WetterAttrappe wetter;
  test::ScopedMessages msgs;
  // A file stands where a parent folder would have to be.
  root.Write("blockiert", "x");
  test::FrischerZustand(root.path(), "blockiert/daten");
  const std::string daten = G().folders.DatenDir;
  EXPECT_THROW(DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter),
               test::FatalMessage);
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_EQ(msgs->shown[0].text, "Kann Datenordner " + daten + " nicht anlegen");
  EXPECT_EQ(wetter.aufrufe, 0);
  Msg().AbbruchFehler = false;
  G() = TavState{};
}

TEST(Start, WeatherProgressReachesTheSplashLabel) {
  test::TempDir root;
  test::WetterAttrappe wetter;
  test::ScopedMessages msgs;
  test::FrischerZustand(root.path());
  FormSplash splash;
  splash.show();
  DatenStart(G(), Texts(), SettingsEnv{}, splash, wetter);
  EXPECT_EQ(wetter.fortschritt, (std::vector<std::string>{"33%", "67%", "100%"}));
  EXPECT_EQ(splash.Label1->text(), "100%");
  EXPECT_TRUE(splash.Label1->isVisible());
  EXPECT_EQ(splash.Label2->text(), "- Kelbrand -  Helmark");
  test::Grab(&splash, "FormSplash");
  G() = TavState{};
}

}  // namespace
}  // namespace tav
