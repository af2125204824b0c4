#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <filesystem>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/FileUtil.h"
#include "foundation/Folders.h"
#include "foundation/TavMathe.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string Slash(const fs::path& p) { return WithSlash(p.string()); }

// Sets a file's modification time to `tage` days before now.
void Alter(const fs::path& file, int tage) {
  fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24 * tage));
}

std::vector<std::string> Inhalt(const fs::path& folder) {
  std::vector<std::string> namen;
  for (const auto& e : fs::directory_iterator(folder)) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

TEST(SanitizeFileName, Table) {
  struct Fall {
    std::string_view ein;
    std::string_view aus;
  };
  const Fall faelle[] = {
      {"Hans_C:\\Programme\\Tavrel\\", "hans_c:_programme_tavrel"},
      {"hans_/opt/tavrel/", "hans__opt_tavrel"},
      {"J\u00d6RG_/home/j\u00f6rg/Tavrel 3.0/", "j\u00f6rg__home_j\u00f6rg_tavrel_3.0"},
      {"\u00c4\u00d6\u00dc\u00df-x", "\u00e4\u00f6\u00fc\u00df-x"},
      {"caf\u00e9", "caf"},  // one character, one "_", removed as the trailing one
      {"a__", "a_"},          // only one trailing "_" goes
      {"", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(SanitizeFileName(f.ein), f.aus) << f.ein;
}

TEST(OrdnerKurzname, ShortNamesAndDots) {
  struct Fall {
    std::string_view ordner;
    std::string_view prog;
    std::string_view aus;
  };
  const Fall faelle[] = {
      {"/opt/SolarPlaner/", "Tavrel", "SolarPlaner"},
      {"/opt/SolarPlaner", "Tavrel", "SolarPlaner"},
      {"/home/u/Tav/", "Tavrel", "Tavrel"},
      {"/home/u/Sol.ar.Planer.2/", "Tavrel", "SolarPlaner2"},
      {"/home/u/a.b.c.d/", "Tavrel", "Tavrel"},  // 7 characters before the dots go
      {"/home/u/\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df/", "Tav", "Tav"},  // characters, not bytes
      {"/", "Tav.rel", "Tavrel"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(OrdnerKurzname(std::string(f.ordner), std::string(f.prog)), f.aus) << f.ordner;
  }
}

TEST(CanWriteToFolder, ProbesAndCleansUp) {
  TempDir t;
  // A catalogue writer's temporary file in the folder is left alone by the probe.
  t.Write(std::string(TempDateiName), "halb geschrieben");
  EXPECT_TRUE(CanWriteToFolder(t.path().string()));
  EXPECT_EQ(Inhalt(t.path()), std::vector<std::string>{std::string(TempDateiName)});
  EXPECT_EQ(t.Read(std::string(TempDateiName)), "halb geschrieben");

  EXPECT_FALSE(CanWriteToFolder((t / "fehlt").string()));
  EXPECT_FALSE(CanWriteToFolder(""));
  // A folder without write bits is read-only also for root, who could write it: a program
  // installed read-only then keeps its data in the user's data folder.
  fs::create_directory(t / "nurlesen");
  fs::permissions(t / "nurlesen", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(CanWriteToFolder((t / "nurlesen").string()));
  EXPECT_EQ(Inhalt(t / "nurlesen"), std::vector<std::string>{});
  fs::permissions(t / "nurlesen", fs::perms::owner_all);
}

// The delivered files of an installed program lie in share/tavrel beside its bin folder;
// in the build folder they lie beside the program.
TEST(LieferOrdner, InstalledLayoutOrBesideTheProgram) {
  TempDir t;
  for (const char* d : {"prefix/bin", "prefix/share/tavrel", "build/app", "nurbin/bin"})
    fs::create_directories(t / d);
  EXPECT_EQ(LieferOrdner(Slash(t / "prefix/bin")), Slash(t / "prefix/share/tavrel"));
  EXPECT_EQ(LieferOrdner(Slash(t / "build/app")), Slash(t / "build/app"));
  EXPECT_EQ(LieferOrdner(Slash(t / "nurbin/bin")), Slash(t / "nurbin/bin"));
  EXPECT_EQ(LieferOrdner(""), "");
  // The installed program's data folder is named after the program, not after "tavrel".
  FolderState F;
  SystemFolders sys;
  sys.ProgDir = LieferOrdner(Slash(t / "prefix/bin"));
  sys.AppDataDir = Slash(t / "home/.local/share");
  sys.HomeDir = Slash(t / "home");
  fs::permissions(t / "prefix/share/tavrel", fs::perms::owner_read | fs::perms::owner_exec);
  SetupFolders(F, sys);
  fs::permissions(t / "prefix/share/tavrel", fs::perms::owner_all);
  EXPECT_EQ(F.StandardDatenDir, sys.AppDataDir + "Tavrel/");
}

// A fake system in a temporary folder: program, data, configuration and home folders.
struct FakeSystem {
  TempDir t;
  SystemFolders sys;
  FakeSystem() {
    for (const char* d : {"progs/SolarPlaner", "data", "config", "home/hans"}) fs::create_directories(t / d);
    sys.ProgDir = Slash(t / "progs/SolarPlaner");
    sys.AppDataDir = Slash(t / "data");
    sys.ConfigDir = Slash(t / "config");
    sys.HomeDir = Slash(t / "home/hans");
    sys.ProgrammeDirs = {"/usr/", "/opt/"};
    sys.Jetzt = 45000.25;
  }
};

TEST(SetupFolders, DecisionTable) {
  struct Fall {
    const char* was;
    bool unterSystem;     // the program folder is under a system program folder
    bool beschreibbar;    // the program folder can be written
    bool appDataDa;       // the application-data folder exists
    bool installiert;     // the program folder is an installation's share/tavrel
    const char* erwartet; // "prog" or "appdata"
  };
  // Without an application-data folder (a fresh account without ~/.local/share) the data
  // folder is still planned there: the start-up creates it, never the home folder itself.
  const Fall faelle[] = {
      {"writable own folder", false, true, true, false, "prog"},
      {"installed in the system", true, true, true, false, "appdata"},
      {"not writable", false, false, true, false, "appdata"},
      {"no application-data folder", true, true, false, false, "appdata"},
      {"not writable, no application-data folder", false, false, false, false, "appdata"},
      // A user's own or a scratch prefix: writable and outside the system's folders, yet an
      // installation, whose files are in no manifest and would seed other users' folders.
      {"writable installed layout", false, true, true, true, "appdata"},
      {"writable installed layout, no application-data folder", false, true, false, true, "appdata"},
  };
  for (const Fall& f : faelle) {
    FakeSystem fake;
    if (f.unterSystem) fake.sys.ProgrammeDirs.push_back(Slash(fake.t / "progs"));
    if (!f.beschreibbar) fake.sys.ProgDir = Slash(fake.t / "fehlt/SolarPlaner");
    if (!f.appDataDa) fake.sys.AppDataDir = Slash(fake.t / "keinedaten");
    fake.sys.Installiert = f.installiert;
    FolderState F;
    SetupFolders(F, fake.sys);
    std::string erwartet;
    if (std::string(f.erwartet) == "prog") erwartet = fake.sys.ProgDir;
    if (std::string(f.erwartet) == "appdata") erwartet = fake.sys.AppDataDir + "SolarPlaner/";
    EXPECT_EQ(F.StandardDatenDir, erwartet) << f.was;
    EXPECT_EQ(F.DatenDir, F.StandardDatenDir) << f.was;
    EXPECT_EQ(F.BenutzerName, "hans") << f.was;
  }
}

TEST(SetupFolders, EmptySystemFolderEntryForbidsNothing) {
  FakeSystem fake;
  fake.sys.ProgrammeDirs = {"", "/usr/"};
  FolderState F;
  SetupFolders(F, fake.sys);
  EXPECT_EQ(F.StandardDatenDir, fake.sys.ProgDir);
  EXPECT_EQ(F.ProgrammeDir, "/usr/");
  EXPECT_TRUE(UnterProgrammOrdner("/usr/lib/tavrel", {"/usr"}));
  EXPECT_FALSE(UnterProgrammOrdner("/usrlocal/tavrel/", {"/usr"}));
  EXPECT_FALSE(UnterProgrammOrdner("/home/x/", {""}));
}

TEST(SetupFolders, StoredDataFolderPerUserAndInstallation) {
  FakeSystem fake;
  FolderState hans;
  SetupFolders(hans, fake.sys);
  EXPECT_EQ(RegSektion(hans), SanitizeFileName("hans_" + fake.sys.ProgDir));
  // The store lives in the configuration folder under the program's name.
  EXPECT_EQ(RegDateiPfad(hans), fake.sys.ConfigDir + "Tavrel/" + std::string(RegDateiName));
  {
    TBigIniFile reg(RegDateiPfad(hans));
    EXPECT_DOUBLE_EQ(reg.ReadFloat(RegSektion(hans), RegWertRemTime, 0.0), 45000.25);
  }

  hans.DatenDir = Slash(fake.t / "woanders");
  ASSERT_TRUE(WriteDataDirSetting(hans));
  FolderState wieder;
  SetupFolders(wieder, fake.sys);
  EXPECT_EQ(wieder.DatenDir, hans.DatenDir);
  EXPECT_EQ(wieder.StandardDatenDir, fake.sys.ProgDir);

  // Another user of the same installation keeps the default.
  fs::create_directories(fake.t / "home/grete");
  SystemFolders grete = fake.sys;
  grete.HomeDir = Slash(fake.t / "home/grete");
  FolderState g;
  SetupFolders(g, grete);
  EXPECT_NE(RegSektion(g), RegSektion(hans));
  EXPECT_EQ(g.DatenDir, g.StandardDatenDir);
}

TEST(SetupFolders, AStoreThatCannotBeWrittenFallsBackSilently) {
  FakeSystem fake;
  fake.t.Write("datei", "kein Ordner");
  fake.sys.ConfigDir = Slash(fake.t / "datei");  // no folder can be made there
  test::ScopedMessages messages;
  FolderState F;
  SetupFolders(F, fake.sys);
  EXPECT_EQ(F.DatenDir, fake.sys.ProgDir);
  F.DatenDir = Slash(fake.t / "woanders");
  EXPECT_FALSE(WriteDataDirSetting(F));
  EXPECT_TRUE(messages->shown.empty());
}

// Sets an environment variable for the lifetime of the object and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* alt = std::getenv(name)) alt_ = alt;
    Set(value);
  }
  ~ScopedEnv() { Set(alt_ ? alt_->c_str() : nullptr); }

 private:
  void Set(const char* value) {
    if (value != nullptr) {
      ::setenv(name_, value, 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> alt_;
};

TEST(SystemFolders, XdgVariablesWithHomeDefaults) {
  ScopedEnv home("HOME", "/home/hans");
  {
    ScopedEnv data("XDG_DATA_HOME", "/srv/daten");
    ScopedEnv config("XDG_CONFIG_HOME", "relativ/config");  // relative values are ignored
    EXPECT_EQ(XdgDataHome(), "/srv/daten/");
    EXPECT_EQ(XdgConfigHome(), "/home/hans/.config/");
  }
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", "");
  EXPECT_EQ(HomeFolder(), "/home/hans/");
  EXPECT_EQ(XdgDataHome(), "/home/hans/.local/share/");
  EXPECT_EQ(XdgConfigHome(), "/home/hans/.config/");
}

TEST(CopyFileKeepDate, CopiesContentAndDate) {
  TempDir t;
  t.Write("quelle.dat", std::string("Inhalt\r\n\0\xff", 10));
  Alter(t / "quelle.dat", 10);
  ASSERT_TRUE(CopyFileKeepDate(t / "quelle.dat", t / "ziel.dat"));
  EXPECT_EQ(t.Read("ziel.dat"), t.Read("quelle.dat"));
  EXPECT_EQ(fs::last_write_time(t / "ziel.dat"), fs::last_write_time(t / "quelle.dat"));
  EXPECT_NEAR(FileDateOf(t / "ziel.dat"), Now() - 10.0, 0.1);
  EXPECT_FALSE(ChangedSinceCopy(t / "ziel.dat"));

  t.Write("ziel.dat", "vom Benutzer");
  EXPECT_TRUE(ChangedSinceCopy(t / "ziel.dat"));

  // Missing source, same file, unwritable target folder: nothing changes.
  EXPECT_FALSE(CopyFileKeepDate(t / "fehlt.dat", t / "ziel.dat"));
  EXPECT_FALSE(CopyFileKeepDate(t / "ziel.dat", t / "ziel.dat"));
  EXPECT_FALSE(CopyFileKeepDate(t / "quelle.dat", t / "keinordner/ziel.dat"));
  EXPECT_EQ(t.Read("ziel.dat"), "vom Benutzer");
  EXPECT_EQ(Inhalt(t.path()), (std::vector<std::string>{"quelle.dat", "ziel.dat"}));
  EXPECT_EQ(FileDateOf(t / "fehlt.dat"), 0.0);
}

// A copy is a working file: the owner may write it whatever the source's mode, which it
// keeps otherwise.
TEST(CopyFileKeepDate, CopyGetsTheOwnersWritePermission) {
  TempDir t;
  using P = fs::perms;
  const struct {
    P quelle;
    P kopie;
  } faelle[] = {
      {P::owner_read | P::group_read | P::others_read,
       P::owner_read | P::owner_write | P::group_read | P::others_read},
      {P::owner_read, P::owner_read | P::owner_write},
      {P::owner_read | P::owner_write | P::group_read, P::owner_read | P::owner_write | P::group_read},
  };
  for (const auto& f : faelle) {
    t.Write("quelle.dat", "x");
    fs::permissions(t / "quelle.dat", f.quelle);
    ASSERT_TRUE(CopyFileKeepDate(t / "quelle.dat", t / "ziel.dat"));
    EXPECT_EQ(fs::status(t / "ziel.dat").permissions(), f.kopie);
    fs::remove(t / "quelle.dat");
    fs::remove(t / "ziel.dat");
  }
}

// Source and data folder for UpdateDataFiles; delivered files are dated in the past.
struct Lieferung {
  TempDir quelle;
  TempDir ziel;
  void Liefere(const std::string& name, const std::string& inhalt, int alterTage) {
    quelle.Write(name, inhalt);
    Alter(quelle / name, alterTage);
  }
  // A copy made by an earlier start: delivered and not touched since.
  void FrueherKopiert(const std::string& name, const std::string& inhalt, int alterTage) {
    TempDir alt;
    alt.Write(name, inhalt);
    Alter(alt / name, alterTage);
    ASSERT_TRUE(CopyFileKeepDate(alt / name, ziel / name));
  }
  void Update(bool force) { UpdateDataFiles(Slash(quelle.path()), Slash(ziel.path()), force); }
};

TEST(UpdateDataFiles, MissingFilesAreCopiedWithTheirDate) {
  Lieferung l;
  l.Liefere("Orte.dat", "orte", 30);
  l.Liefere("Tavrel.ini", "ini", 30);
  l.Liefere("Energie_en.dat", "en", 30);
  l.Liefere("Speicher.dat", "sp", 30);
  l.Liefere("Fremd.dat", "x", 30);  // not a delivered file
  l.Update(false);
  EXPECT_EQ(Inhalt(l.ziel.path()),
            (std::vector<std::string>{"Energie_en.dat", "Orte.dat", "Speicher.dat", "Tavrel.ini"}));
  EXPECT_EQ(fs::last_write_time(l.ziel / "Orte.dat"), fs::last_write_time(l.quelle / "Orte.dat"));
}

TEST(UpdateDataFiles, NewerOlderForceAndUserChanges) {
  struct Fall {
    const char* was;
    const char* datei;
    int quelleAlter;      // days; -1: dated tomorrow, newer than anything in the target
    int zielAlter;        // days; -1: the user wrote the file just now
    bool force;
    bool ersetzt;
  };
  const Fall faelle[] = {
      {"newer delivery", "Rohr.dat", 5, 20, false, true},
      {"older delivery kept", "Rohr.dat", 20, 5, false, false},
      {"force over a newer copy", "Rohr.dat", 20, 5, true, true},
      {"missing-only file never replaced", "Orte.dat", 5, 20, true, false},
      {"always-copied file", "Koll.dac", 20, 5, false, true},
      {"user change kept against a newer delivery", "Profil.dat", -1, -1, false, false},
      {"user change kept under force", "Energie.dat", 1, -1, true, false},
      {"user change of an always-copied file kept", "Logo.bmp", 1, -1, false, false},
  };
  for (const Fall& f : faelle) {
    Lieferung l;
    l.Liefere(f.datei, "neu", f.quelleAlter);
    if (f.zielAlter < 0) {
      l.ziel.Write(f.datei, "alt");
    } else {
      l.FrueherKopiert(f.datei, "alt", f.zielAlter);
    }
    l.Update(f.force);
    EXPECT_EQ(l.ziel.Read(f.datei), f.ersetzt ? "neu" : "alt") << f.was;
    EXPECT_EQ(Inhalt(l.ziel.path()), std::vector<std::string>{f.datei}) << f.was;  // no leftovers
  }
}

// Read-only delivered files (an installation owned by root, a read-only medium) give working
// copies the program can save, also when it runs as root: the settings written at every exit
// and a catalogue rewritten later are refused otherwise.
TEST(UpdateDataFiles, ReadOnlyDeliveryGivesWritableWorkingCopies) {
  Lieferung l;
  for (const char* name : {"Tavrel.ini", "Rohr.dat"}) {
    l.Liefere(name, "geliefert", 5);
    fs::permissions(l.quelle / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  }
  l.Update(true);
  for (const char* name : {"Tavrel.ini", "Rohr.dat"}) {
    std::string fehler;
    EXPECT_TRUE(WriteFileAtomic(l.ziel / name, "gespeichert", &fehler)) << name << ": " << fehler;
    EXPECT_EQ(l.ziel.Read(name), "gespeichert") << name;
    EXPECT_EQ(l.quelle.Read(name), "geliefert") << name;
  }
}

TEST(UpdateDataFiles, FindsFilesWhateverTheirCase) {
  Lieferung l;
  l.Liefere("ROHR.DAT", "neu", 5);
  l.FrueherKopiert("rohr.dat", "alt", 20);
  l.Update(false);
  EXPECT_EQ(Inhalt(l.ziel.path()), std::vector<std::string>{"rohr.dat"});
  EXPECT_EQ(l.ziel.Read("rohr.dat"), "neu");
}

TEST(UpdateDataFiles, SameFolderAndPrintLogo) {
  Lieferung l;
  l.Liefere("Rohr.dat", "r", 5);
  UpdateDataFiles(Slash(l.quelle.path()), Slash(l.quelle.path()), true);
  EXPECT_EQ(Inhalt(l.quelle.path()), std::vector<std::string>{"Rohr.dat"});

  l.Liefere("Firma.jpg", "logo", 5);
  UpdateDataFiles(Slash(l.quelle.path()), Slash(l.ziel.path()), false, "/irgendwo/Firma.jpg");
  EXPECT_EQ(l.ziel.Read("Firma.jpg"), "logo");
}

TEST(EnevSwitch, FirstArgumentOnly) {
  struct Fall {
    std::vector<std::string> args;
    bool enev;
  };
  const Fall faelle[] = {
      {{"-E"}, true},        {{"-e"}, true},   {{"-E", "x"}, true}, {{"x", "-E"}, false},
      {{}, false},           {{"-EE"}, false}, {{"E"}, false},      {{"/E"}, false},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(IstEnevSchalter(f.args), f.enev) << (f.args.empty() ? "" : f.args[0]);
    TavState s;
    SetProgramDefaults(s, f.args, EncodeDate(2024, 7, 5));
    EXPECT_EQ(s.run.EnevStart, f.enev);
  }
}

TEST(SetProgramDefaults, DatesScreenAndInstantDefaults) {
  TavState s;
  s.run.Abbruch = true;
  s.plant.SkyMapAktiv = true;
  SetProgramDefaults(s, {}, EncodeDate(2024, 7, 5) + 0.75, 800);
  EXPECT_EQ(s.folders.ProgDatum, EncodeDate(2009, 2, 13));
  EXPECT_EQ(s.moment.SimJahr, 2024);
  EXPECT_EQ(s.moment.SimMonat, 7);
  EXPECT_EQ(s.moment.SimMonatsTag, 5);
  EXPECT_EQ(s.moment.AktJahr, 2024);
  EXPECT_EQ(s.moment.Fruehlingsanfang, EncodeDate(2024, 3, 21));
  EXPECT_EQ(s.moment.Herbstanfang, EncodeDate(2024, 9, 23));
  EXPECT_EQ(s.moment.Winteranfang, EncodeDate(2024, 12, 21));
  // The default simulated period is the 365-day year 1997, matching the weather store.
  EXPECT_EQ(s.moment.LetzterSimTag - s.moment.ErsterSimTag + 1, 365);
  EXPECT_EQ(s.moment.ErsterSimTag, DateToJulianDay(1, 1, 1997));
  EXPECT_EQ(s.moment.LetzterSimTag, DateToJulianDay(31, 12, 1997));
  EXPECT_FALSE(s.run.Abbruch);
  EXPECT_FALSE(s.plant.SkyMapAktiv);
  EXPECT_EQ(s.print.Leerraum, std::string(78, ' '));
  EXPECT_TRUE(s.screen.KleinerBildschirm);
  SetProgramDefaults(s, {}, EncodeDate(2024, 7, 5), 801);
  EXPECT_FALSE(s.screen.KleinerBildschirm);
}

}  // namespace
}  // namespace tav
