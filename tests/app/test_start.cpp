// Start-up from empty folders: the data folder is created, seeded and recorded, the standard
// project is loaded and shown with its scheme and description; a data folder that cannot be
// created ends the program with its message; progress reaches the splash label.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>

#include "app/FormSplash.h"
#include "app/Schema.h"
#include "location/Wetter.h"
#include "catalogues/Kollektoren.h"
#include "foundation/CodePage.h"
#include "foundation/Folders.h"
#include "location/Orte.h"
#include "tests/catalogues/test_orte_hilfen.h"
#include "results/ui/ReportAnlage.h"
#include "tests/app/AppFixture.h"
#include "support/Schreibschutz.h"
#include "tests/foundation/FileSizeLimit.h"

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

// A start of the program on the folders under Root, from a fresh state.
void Starte(const fs::path& root, WetterSynthese& wetter) {
  test::FrischerZustand(root);
  DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter);
}

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
  Starte(root.path(), wetter);
  G().settings.ProjektNummer = 1;
  ASSERT_TRUE(SaveSettings(G(), ""));
  fs::remove(RegDateiPfad(G().folders));

  Starte(root.path(), wetter);
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(G().plant.ProjektName, "Standard-Solaranlage");
  // Only a newly made folder is recorded again.
  EXPECT_FALSE(fs::exists(RegDateiPfad(G().folders)));
  G() = TavState{};
}

// A data folder the program cannot write is said once at start, with the folder, the reason
// and that changes will not be saved; the save of the settings at the end says nothing more.
TEST(Start, AReadOnlyDataFolderIsSaidOnceAtStart) {
  test::TempDir root;
  test::WetterAttrappe wetter;
  test::ScopedMessages msgs;
  Starte(root.path(), wetter);
  const std::string daten = G().folders.DatenDir;
  {
    const test::OhneSchreibrecht schutz(daten);
    msgs->shown.clear();
    Starte(root.path(), wetter);
    ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
    EXPECT_NE(msgs->shown[0].text.find(daten), std::string::npos) << msgs->All();
    EXPECT_NE(msgs->shown[0].text.find("nicht gespeichert"), std::string::npos) << msgs->All();
    G().settings.SimJahre = 1;  // a change the exit would save
    EXPECT_FALSE(SaveSettings(G(), ""));
    EXPECT_EQ(msgs->shown.size(), 1u) << msgs->All();
  }
  G() = TavState{};
}

// A first start on a full disk (every write fails) gives one message that lists the files it
// could not write, not one message per file.
TEST(Start, AFirstStartOnAFullDiskGivesOneMessage) {
  test::TempDir root;
  test::WetterAttrappe wetter;
  test::ScopedMessages msgs;
  test::FrischerZustand(root.path());
  root.Write("prog/Kopf.txt", "Firma\r\n");
  {
    const test::FileSizeLimit voll(0);
    DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter);
  }
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  for (const char* datei : {"nicht gespeichert", "Kopf.txt", "Orte.dat", "Koll.dat"})
    EXPECT_NE(msgs->shown[0].text.find(datei), std::string::npos) << datei << ": " << msgs->All();
  // The save of the settings at the end says nothing more.
  {
    const test::FileSizeLimit voll(0);
    EXPECT_FALSE(SaveSettings(G(), ""));
  }
  EXPECT_EQ(msgs->shown.size(), 1u) << msgs->All();
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
  // Before any progress the label stands at "10%", lime on the label's grey.
  EXPECT_EQ(splash.Label1->text(), "10%");
  EXPECT_TRUE(splash.Label1->isVisible());
  EXPECT_EQ(splash.Label1->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x00));
  DatenStart(G(), Texts(), SettingsEnv{}, splash, wetter);
  EXPECT_EQ(wetter.fortschritt, (std::vector<std::string>{"33%", "67%", "100%"}));
  EXPECT_EQ(splash.Label1->text(), "100%");
  EXPECT_TRUE(splash.Label1->isVisible());
  EXPECT_EQ(splash.Label2->text(), "- Kelbrand -  Helmark");
  test::Grab(&splash, "FormSplash");
  G() = TavState{};
}

// The start's message about a data folder it cannot write comes in the language the settings
// name, with the system's reason in that language; German without them.
TEST(Start, AReadOnlyDataFolderIsSaidInTheSettingsLanguage) {
  for (const bool englisch : {true, false}) {
    SCOPED_TRACE(englisch ? "English" : "German");
    test::TempDir root;
    test::WetterAttrappe wetter;
    test::ScopedMessages msgs;
    Starte(root.path(), wetter);
    const std::string daten = G().folders.DatenDir;
    if (englisch) {
      fs::copy_file(fs::path(TAV_LANG_DIR) / "english.dat", root.path() / "prog" / "english.dat");
      G().settings.Sprache = "english";
      ASSERT_TRUE(SaveSettings(G(), ""));
    }
    {
      const test::OhneSchreibrecht schutz(daten);
      msgs->shown.clear();
      Starte(root.path(), wetter);
      ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
      EXPECT_EQ(msgs->shown[0].text.rfind(englisch ? "The data folder " + daten + " cannot be written: permission denied"
                                                   : "In den Datenordner " + daten +
                                                         " kann nicht geschrieben werden: Zugriff verweigert",
                                          0),
                0u)
          << msgs->All();
    }
    G() = TavState{};
    Texts().LoadDefaults();
  }
}

// The main window comes first: the data start-up only notes that the location's weather
// years are owed; they are made after the window's first paint, before ErsterPaint, with the
// progress in the splash. A location with its stored weather file owes nothing.
TEST(Start, WeatherIsMadeAfterTheMainWindowsFirstPaint) {
  for (const bool gespeichert : {false, true}) {
    SCOPED_TRACE(gespeichert ? "stored weather file" : "synthesis");
    test::TempDir root;
    test::WetterAttrappe wetter;
    test::ScopedMessages msgs;
    if (gespeichert) {
      // The years of the first start, stored as the program stores them.
      Starte(root.path(), wetter);
      ASSERT_TRUE(SaveWetterDaten(G(), G().loc.WetterDatei, NullStatus()));
      wetter.aufrufe = 0;
      wetter.fortschritt.clear();
    }
    test::FrischerZustand(root.path());
    FormSplash splash;
    splash.show();
    WetterNachStart nachStart;
    DatenStart(G(), Texts(), SettingsEnv{}, splash, nachStart);
    EXPECT_EQ(nachStart.Offen(), !gespeichert);
    EXPECT_EQ(G().run.SolarklimadatenOK, gespeichert);

    Hauptmenu w(wetter);
    bool sichtbarBeimWetter = false;
    w.NachErstemPaint = [&] {
      sichtbarBeimWetter = w.isVisible();
      nachStart.Nachholen(G(), wetter, splash);
    };
    int aufrufeBeiSignal = -1;
    QObject::connect(&w, &Hauptmenu::ErsterPaint, [&] { aufrufeBeiSignal = wetter.aufrufe; });
    w.FormShow();
    EXPECT_EQ(wetter.aufrufe, 0);
    // The scheme and the description are built once per start: at show, not again after the
    // first paint.
    const qint64 bild = w.ImageSchema->pixmap().cacheKey();
    int textAenderungen = 0;
    QObject::connect(w.RichEditProjekt->document(), &QTextDocument::contentsChanged, [&] { ++textAenderungen; });
    w.show();
    for (int i = 0; i < 200 && aufrufeBeiSignal < 0; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    // The timer the first paint starts has run.
    QElapsedTimer uhr;
    uhr.start();
    while (w.TimerAnlgParameter->isActive() && uhr.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(2);
    }
    ASSERT_GE(aufrufeBeiSignal, 0);
    ASSERT_FALSE(w.TimerAnlgParameter->isActive());
    EXPECT_EQ(w.ImageSchema->pixmap().cacheKey(), bild);
    EXPECT_EQ(textAenderungen, 0);
    EXPECT_TRUE(sichtbarBeimWetter);
    EXPECT_EQ(aufrufeBeiSignal, gespeichert ? 0 : 1);
    EXPECT_TRUE(G().run.SolarklimadatenOK);
    EXPECT_FALSE(nachStart.Offen());
    if (!gespeichert) {
      EXPECT_EQ(wetter.fortschritt, (std::vector<std::string>{"33%", "67%", "100%"}));
      EXPECT_EQ(splash.Label1->text(), "100%");
    }
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
    w.hide();
    G() = TavState{};
  }
}

// A delivered update whose list had no room for some of its entries is offered again at the
// next start (the user may make room meanwhile); one whose entries all found their place is
// done. Collectors and locations alike; the update brings two new entries.
TEST(Start, AnUpdateAFullListCouldNotTakeIsOfferedAgain) {
  const struct {
    const char* katalog;
    const char* update;
    int hoechstens;
    std::function<int()> anzahl;
    std::function<void(std::string&, int)> eintrag;  // appends entry n
  } arten[] = {
      {"Koll.dat", "KollNeu.dat", kMaxKollektoren, [] { return int(G().cat.KollektorAnzahl); },
       [](std::string& t, int n) { AppendKollektorSection(t, n, test::BeispielKollektor("K " + std::to_string(n))); }},
      {"Orte.dat", "OrteNeu.dat", kMaxOrte, [] { return int(G().cat.OrtAnzahl); },
       [](std::string& t, int n) { AppendOrtSection(t, n, test::BeispielOrt("Stadt " + std::to_string(n))); }},
  };
  const struct {
    int platz;  // free places in the list
    bool nochmal;
  } faelle[] = {{0, true}, {1, true}, {5, false}};
  for (const auto& a : arten) {
    for (const auto& c : faelle) {
      SCOPED_TRACE(std::string(a.katalog) + ", room for " + std::to_string(c.platz));
      test::TempDir root;
      test::WetterAttrappe wetter;
      test::ScopedMessages msgs;
      Starte(root.path(), wetter);
      // The seeded list, filled up to leave the room of the case.
      std::string text = root.Read(std::string("daten/") + a.katalog);
      for (int n = a.anzahl() + 1; n <= a.hoechstens - c.platz; ++n) {
        std::string eintrag;
        a.eintrag(eintrag, n);
        text += EncodeCodePage(eintrag, CodePage::Cp1252);
      }
      root.Write(std::string("daten/") + a.katalog, text);
      std::string update;
      a.eintrag(update, 1001);
      a.eintrag(update, 1002);
      root.Write(std::string("prog/") + a.update, EncodeCodePage(update, CodePage::Cp1252));
      const std::string frage = "Neue Daten aus " + std::string(a.update) + " importieren?";
      const auto start = [&] {
        msgs->shown.clear();
        msgs->answers = {mrYes};
        Starte(root.path(), wetter);
        EXPECT_TRUE(SaveSettings(G(), ""));
        return msgs->Contains(frage);
      };
      ASSERT_TRUE(start()) << msgs->All();
      EXPECT_EQ(a.anzahl(), a.hoechstens - c.platz + std::min(c.platz, 2));
      EXPECT_EQ(start(), c.nochmal) << msgs->All();
      G() = TavState{};
    }
  }
}

}  // namespace
}  // namespace tav
