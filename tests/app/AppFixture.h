#pragma once
// The program's start-up on temporary folders: a fresh program-wide state whose program,
// data and configuration folders lie in a temporary folder, the data start-up with a weather
// stand-in that reports progress like the library bridge, and the main window on top.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/DatenStart.h"
#include "app/Hauptmenu.h"
#include "location/TavKlimgen.h"
#include "foundation/Settings.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav::test {

// Stands in for the weather library: reports the three years' progress and marks the
// weather present (the store keeps zeros; nothing here simulates).
class WetterAttrappe : public WetterSynthese {
 public:
  std::vector<std::string> fortschritt;
  int aufrufe = 0;
  bool Synthesise(TavState& s, StatusSink& status) override {
    ++aufrufe;
    for (const char* p : {"33%", "67%", "100%"}) {
      status.Progress(p);
      fortschritt.push_back(p);
    }
    s.run.SolarklimadatenOK = true;
    return true;
  }
};

// A fresh program-wide state on the folders of `root`: program folder root/prog, data
// folder root/<daten>, configuration root/config.
inline void FrischerZustand(const std::filesystem::path& root, const std::string& daten = "daten") {
  G() = TavState{};
  Texts().LoadDefaults();
  FolderState& f = G().folders;
  f.ProgDir = (root / "prog").string() + "/";
  f.DatenDir = (root / daten).string() + "/";
  f.ConfigDir = (root / "config").string() + "/";
  f.AppDataDir = (root / "appdata").string() + "/";
  f.StandardDatenDir = f.DatenDir;
  std::filesystem::create_directories(root / "prog");
}

// Folder for the window pictures: screens/ in the build folder.
inline QString ScreensDir() {
  QDir dir(QCoreApplication::applicationDirPath() + "/../screens");
  dir.mkpath(".");
  return dir.absolutePath();
}

inline void Grab(QWidget* w, const QString& name) {
  w->grab().save(ScreensDir() + "/" + name + ".png");
}

// Start-up as main() runs it, on temporary folders, with scripted messages.
class AppFixture {
 public:
  explicit AppFixture(const std::function<void(const TempDir&)>& vorStart = {}) {
    FrischerZustand(tmp.path());
    if (vorStart) vorStart(tmp);
    DatenStart(G(), Texts(), SettingsEnv{}, NullStatus(), wetter);
    window = std::make_unique<Hauptmenu>(wetter);
    window->FormShow();
  }
  ~AppFixture() {
    window.reset();
    G() = TavState{};
    Texts().LoadDefaults();
  }
  std::filesystem::path Daten(const std::string& name) const {
    return std::filesystem::path(G().folders.DatenDir) / name;
  }

  TempDir tmp;
  ScopedMessages msgs;
  WetterAttrappe wetter;
  std::unique_ptr<Hauptmenu> window;
};

// The English language file beside the program, as the language menu's third entry.
constexpr int kEnglischNr = 3;
inline void MitEnglisch(const TempDir& tmp) {
  std::filesystem::copy_file(std::filesystem::path(TAV_LANG_DIR) / "english.dat",
                             tmp / "prog/english.dat");
}

}  // namespace tav::test
