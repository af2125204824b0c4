// The installed program: cmake --install into a temporary prefix, then the program started
// from there on a fresh account keeps its data in the user's data folder and writes nothing
// beside itself, whether its installation can be written or not; the weather library lies in
// the program's own library folder, which the program's RUNPATH names; the desktop entry, its
// icon (also the windows' icon) and the AppStream metadata are installed with it and pass
// their validators where these are present.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "foundation/FileUtil.h"
#include "foundation/Folders.h"
#include "foundation/Language.h"
#include "foundation/ProgIdent.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/ui/ResBitmap.h"
#include "support/TempDir.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

struct Lauf {
  bool beendet = false;  // ended by itself within the time given
  int code = -1;         // exit code; -1 when it crashed or did not end
  std::string ausgabe;   // standard output and error
};

// Runs a program to its end, at most `sekunden` long.
Lauf Starte(const QString& programm, const QStringList& args, const QProcessEnvironment& env,
            int sekunden) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(programm, args);
  Lauf l;
  if (!p.waitForStarted(10000)) {
    l.ausgabe = "not started: " + p.errorString().toStdString();
    return l;
  }
  l.beendet = p.waitForFinished(sekunden * 1000);
  if (!l.beendet) {
    p.kill();
    p.waitForFinished(5000);
  }
  if (l.beendet && p.exitStatus() == QProcess::NormalExit) l.code = p.exitCode();
  l.ausgabe = p.readAll().toStdString();
  return l;
}

// Every entry below `ordner` with its kind, size, mode and modification time.
std::map<std::string, std::string> Bestand(const fs::path& ordner) {
  std::map<std::string, std::string> b;
  for (const auto& e : fs::recursive_directory_iterator(ordner)) {
    const fs::file_status st = e.symlink_status();
    std::string wert = std::to_string(static_cast<int>(st.type())) + " " +
                       std::to_string(static_cast<unsigned>(st.permissions()));
    if (fs::is_regular_file(st)) {
      wert += " " + std::to_string(e.file_size()) + " " +
              std::to_string(e.last_write_time().time_since_epoch().count());
    }
    b[fs::relative(e.path(), ordner).string()] = wert;
  }
  return b;
}

// Takes every write bit of a tree away (or gives the owner's back), as a system installation
// looks to the program.
void Schreibschutz(const fs::path& ordner, bool an) {
  const auto setze = [an](const fs::path& p) {
    if (fs::is_symlink(fs::symlink_status(p))) return;
    if (an)
      fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    else
      fs::permissions(p, fs::perms::owner_write, fs::perm_options::add);
  };
  setze(ordner);
  for (const auto& e : fs::recursive_directory_iterator(ordner)) setze(e.path());
}

std::string Lies(const fs::path& datei) {
  QFile f(QString::fromStdString(datei.string()));
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// The value of `key` in the [Desktop Entry] group of a desktop file (no locale variants).
std::string DesktopWert(const std::string& text, const std::string& key) {
  const std::string marke = "\n" + key + "=";
  const std::size_t p = ("\n" + text).find(marke);
  if (p == std::string::npos) return {};
  const std::size_t anfang = p + marke.size() - 1;
  return text.substr(anfang, text.find('\n', anfang) - anfang);
}

class Installation : public ::testing::Test {
 protected:
  void SetUp() override {
    const Lauf l = Starte(TAV_CMAKE_COMMAND,
                          {"--install", TAV_BUILD_DIR, "--prefix", Q(prefix())},
                          QProcessEnvironment::systemEnvironment(), 120);
    ASSERT_TRUE(l.beendet && l.code == 0) << l.ausgabe;
  }
  void TearDown() override {
    std::error_code ec;
    if (fs::exists(prefix(), ec)) Schreibschutz(prefix(), false);  // so it can be removed
  }

  static QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }
  fs::path prefix() const { return tmp_ / "prefix"; }
  fs::path share() const { return prefix() / "share"; }
  fs::path DesktopDatei() const { return share() / "applications" / TAV_APP_ID ".desktop"; }
  fs::path MetaDatei() const { return share() / "metainfo" / TAV_APP_ID ".metainfo.xml"; }

  test::TempDir tmp_;
};

// The value of a dynamic-section entry (RUNPATH, SONAME) of an ELF file, read by readelf; empty
// when there is none.
std::string ElfEintrag(const Lauf& readelf, const std::string& art) {
  const std::string marke = "(" + art + ")";
  const std::size_t p = readelf.ausgabe.find(marke);
  if (p == std::string::npos) return {};
  const std::size_t auf = readelf.ausgabe.find('[', p);
  const std::size_t zu = readelf.ausgabe.find(']', auf);
  return readelf.ausgabe.substr(auf + 1, zu - auf - 1);
}

TEST_F(Installation, PutsProgramLibraryAndFilesInTheirPlaces) {
  for (const char* datei : {"bin/Tavrel", "lib/tavrel/libKlimgen1_1.so", "share/tavrel/english.dat",
                            "share/tavrel/Energie_en.dat"})
    EXPECT_TRUE(fs::is_regular_file(prefix() / datei)) << datei;
  EXPECT_TRUE(fs::is_regular_file(DesktopDatei()));
  EXPECT_TRUE(fs::is_regular_file(MetaDatei()));
  // The weather library, loaded by the program alone, stays out of the public library
  // folder, where its unversioned name would offer it to every program.
  for (const auto& e : fs::directory_iterator(prefix() / "lib"))
    EXPECT_TRUE(e.is_directory()) << e.path().filename().string() << " in lib/";
  // The installed program finds its delivered files under share/, not beside itself, and
  // there its language files.
  const std::string progDir = LieferOrdner(WithSlash((prefix() / "bin").string()));
  EXPECT_EQ(progDir, WithSlash((share() / "tavrel").string()));
  EXPECT_TRUE(LanguageFileExists(progDir, "English"));

  // The program names the library's folder relative to itself, as RUNPATH (which
  // LD_LIBRARY_PATH may override), so the installation can be moved.
  const QString readelf = QStandardPaths::findExecutable("readelf");
  ASSERT_FALSE(readelf.isEmpty()) << "readelf is not installed (scripts/setup installs it)";
  const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  const Lauf programm = Starte(readelf, {"-d", Q(prefix() / "bin/Tavrel")}, env, 60);
  ASSERT_TRUE(programm.beendet && programm.code == 0) << programm.ausgabe;
  EXPECT_EQ(ElfEintrag(programm, "RUNPATH"), "$ORIGIN/../lib/tavrel") << programm.ausgabe;
  EXPECT_EQ(ElfEintrag(programm, "RPATH"), "") << programm.ausgabe;
  EXPECT_NE(programm.ausgabe.find("[libKlimgen1_1.so]"), std::string::npos) << programm.ausgabe;
  const Lauf bibliothek =
      Starte(readelf, {"-d", Q(prefix() / "lib/tavrel/libKlimgen1_1.so")}, env, 60);
  ASSERT_TRUE(bibliothek.beendet && bibliothek.code == 0) << bibliothek.ausgabe;
  EXPECT_EQ(ElfEintrag(bibliothek, "SONAME"), "libKlimgen1_1.so") << bibliothek.ausgabe;
}

// A fresh account (no ~/.local/share, no ~/.config) starts the installed program. A system
// installation carries no write bit (root could write it all the same, so the program decides
// by the write bits, and the case means the same as root and as user); a user's own or a
// scratch prefix can be written. Either way the data go to the user's data folder and nothing
// is written beside the program or its delivered files.
TEST_F(Installation, FreshAccountGetsItsDataFolderUnderXdgData) {
  for (const bool schreibgeschuetzt : {true, false}) {
    SCOPED_TRACE(schreibgeschuetzt ? "read-only installation" : "writable installation");
    Schreibschutz(prefix(), schreibgeschuetzt);
    ASSERT_EQ(CanWriteToFolder((share() / "tavrel").string()), !schreibgeschuetzt);
    const std::map<std::string, std::string> vorher = Bestand(prefix());

    const fs::path heim = tmp_ / (schreibgeschuetzt ? "heim" : "heim2");
    fs::create_directories(heim);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "LD_LIBRARY_PATH"})
      env.remove(name);
    env.insert("HOME", Q(heim));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TAVREL_QUIT_WHEN_IDLE", "1");
    // A message of the start-up would wait for an answer: the run then ends by the time limit.
    const Lauf l = Starte(Q(prefix() / "bin/Tavrel"), {}, env, 180);
    ASSERT_TRUE(l.beendet) << "no idle main window (a message waiting?)\n" << l.ausgabe;
    EXPECT_EQ(l.code, 0) << l.ausgabe;

    const fs::path daten = heim / ".local/share/Tavrel";
    ASSERT_TRUE(fs::is_directory(daten)) << l.ausgabe;
    EXPECT_TRUE(CanWriteToFolder(daten.string()));
    for (const char* datei : {"Tavrel.ini", "Projekte.dat", "Orte.dat", "Koll.dat"}) {
      EXPECT_TRUE(fs::is_regular_file(daten / datei)) << datei;
      EXPECT_NE(fs::status(daten / datei).permissions() & fs::perms::owner_write, fs::perms::none) << datei;
    }
    // Nothing lands in the home folder itself, and the data folder is remembered per user.
    for (const auto& e : fs::directory_iterator(heim))
      EXPECT_TRUE(e.is_directory()) << e.path().filename().string() << " in the home folder";
    EXPECT_NE(Lies(heim / ".config/Tavrel" / std::string(RegDateiName)).find(WithSlash(daten.string())),
              std::string::npos);
    // Nothing was written beside the program or its delivered files.
    EXPECT_EQ(Bestand(prefix()), vorher);
  }
}

TEST_F(Installation, DesktopEntryNamesTheInstalledProgramAndIcon) {
  const std::string eintrag = Lies(DesktopDatei());
  EXPECT_TRUE(fs::is_regular_file(prefix() / "bin" / DesktopWert(eintrag, "Exec")));
  const std::string icon = DesktopWert(eintrag, "Icon");
  EXPECT_EQ(icon, TAV_APP_ID);
  const fs::path svg = share() / "icons/hicolor/scalable/apps" / (icon + ".svg");
  QSvgRenderer bild(Q(svg));
  ASSERT_TRUE(bild.isValid()) << svg;
  EXPECT_EQ(bild.viewBox().width(), bild.viewBox().height());
  EXPECT_NE(Lies(MetaDatei()).find(std::string(TAV_APP_ID) + ".desktop</launchable>"),
            std::string::npos);
  // The desktop tells the program's windows by their X11 class, which is the application's
  // name (main.cpp), and shows the entry's icon and name for them.
  EXPECT_EQ(DesktopWert(eintrag, "StartupWMClass"), kProgName);
  // The windows' own icon is the same drawing, compiled into the program.
  QFile eingebaut(":/icons/Programm.svg");
  ASSERT_TRUE(eingebaut.open(QIODevice::ReadOnly));
  EXPECT_EQ(eingebaut.readAll().toStdString(), Lies(svg));
  const QIcon fensterIcon = ProgrammIcon();
  for (const int groesse : {16, 48}) {
    const QImage bild = fensterIcon.pixmap(groesse, groesse).toImage();
    ASSERT_EQ(bild.size(), QSize(groesse, groesse)) << groesse;
    int deckend = 0;
    for (int y = 0; y < groesse; ++y)
      for (int x = 0; x < groesse; ++x) deckend += qAlpha(bild.pixel(x, y)) > 0;
    EXPECT_GT(deckend, groesse * groesse / 4) << groesse;
  }

  const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
  ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate is not installed (scripts/setup installs it)";
  const Lauf l = Starte(validator, {Q(DesktopDatei())}, QProcessEnvironment::systemEnvironment(), 60);
  EXPECT_TRUE(l.beendet && l.code == 0 && l.ausgabe.empty()) << l.ausgabe;
}

// The metadata describe this version with its release date (CMakeLists.txt, beside the
// version), which the about box shows too.
TEST_F(Installation, MetadataPassesAppstreamValidation) {
  EXPECT_NE(Lies(MetaDatei()).find(std::string("<release version=\"") + kProgVersion +
                                   "\" date=\"" + TAV_RELEASE_DATE + "\"/>"),
            std::string::npos)
      << Lies(MetaDatei());
  auto s = std::make_unique<TavState>();
  SetProgramDefaults(*s, {}, 0.0);
  const std::string iso = TAV_RELEASE_DATE;
  EXPECT_EQ(DateTimeToDotStr(s->folders.ProgDatum),
            iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4));

  const QString validator = QStandardPaths::findExecutable("appstreamcli");
  ASSERT_FALSE(validator.isEmpty()) << "appstreamcli is not installed (scripts/setup installs it)";
  const Lauf l = Starte(validator, {"validate", "--no-net", Q(MetaDatei())},
                        QProcessEnvironment::systemEnvironment(), 60);
  EXPECT_TRUE(l.beendet && l.code == 0) << l.ausgabe;
}

}  // namespace
}  // namespace tav
