// Atomic whole-file writes and the case-insensitive file look-up.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "foundation/AtomicFile.h"
#include "foundation/FileUtil.h"
#include "foundation/StatusSink.h"
#include "FileSizeLimit.h"
#include "support/TempDir.h"

namespace tav {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

int EntryCount(const fs::path& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(AtomicFile, WritesNewFilesAndReplacesOldOnesWithoutLeftovers) {
  TempDir dir;
  std::string error = "stale";
  ASSERT_TRUE(WriteFileAtomic(dir / "a.dat", "first\r\n", &error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(dir.Read("a.dat"), "first\r\n");
  ASSERT_TRUE(WriteFileAtomic(dir / "a.dat", std::string("\0\xFF", 2)));
  EXPECT_EQ(dir.Read("a.dat"), std::string("\0\xFF", 2));
  ASSERT_TRUE(WriteFileAtomic(dir / "a.dat", ""));
  EXPECT_EQ(dir.Read("a.dat"), "");
  EXPECT_EQ(EntryCount(dir.path()), 1) << "no temporary file may stay behind";
}

TEST(AtomicFile, KeepsPermissionsAndFollowsSymbolicLinks) {
  TempDir dir;
  dir.Write("real.ini", "old");
  ASSERT_EQ(::chmod((dir / "real.ini").c_str(), 0640), 0);
  fs::create_symlink(dir / "real.ini", dir / "link.ini");
  ASSERT_TRUE(WriteFileAtomic(dir / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(dir.Read("real.ini"), "new");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "real.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// A link whose target is missing stays a link: neither a write nor a copy of a delivered file
// puts a regular file in its place, and the message says that the target is missing.
TEST(AtomicFile, ALinkWithoutItsTargetIsKeptAndNamed) {
  TempDir dir;
  dir.Write("quelle.dat", "geliefert");
  fs::create_directory(dir / "geteilt");
  fs::create_symlink(dir / "geteilt" / "Orte.dat", dir / "Orte.dat");
  fs::create_symlink("fehlt.dat", dir / "Koll.dat");  // relative, as users make them
  for (const char* name : {"Orte.dat", "Koll.dat"}) {
    std::string fehler;
    EXPECT_FALSE(WriteFileAtomic(dir / name, "neu", &fehler)) << name;
    EXPECT_NE(fehler.find((dir / name).string()), std::string::npos) << fehler;
    EXPECT_NE(fehler.find("die es nicht gibt"), std::string::npos) << fehler;
    fehler.clear();
    EXPECT_FALSE(CopyFileKeepDate(dir / "quelle.dat", dir / name, &fehler)) << name;
    EXPECT_NE(fehler.find("die es nicht gibt"), std::string::npos) << fehler;
    EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
  }
  EXPECT_FALSE(fs::exists(dir / "geteilt" / "Orte.dat"));
  // With its target there, a copy goes where the link points and the link stays.
  dir.Write("geteilt/Orte.dat", "alt");
  EXPECT_TRUE(CopyFileKeepDate(dir / "quelle.dat", dir / "Orte.dat"));
  EXPECT_TRUE(fs::is_symlink(dir / "Orte.dat"));
  EXPECT_EQ(dir.Read("geteilt/Orte.dat"), "geliefert");
  EXPECT_EQ(EntryCount(dir / "geteilt"), 1);
}

// A write that fails halfway (the file-size limit makes write() fail with EFBIG) must leave the
// old file exactly as it was and report the file by name.
TEST(AtomicFile, AFailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  const std::string old = "[Tavrel]\r\nSprache=deutsch\r\n";
  dir.Write("Tavrel.ini", old);
  std::string error;
  bool ok;
  {
    test::FileSizeLimit limit(16);
    ok = WriteFileAtomic(dir / "Tavrel.ini", std::string(4096, 'x'), &error);
  }
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find((dir / "Tavrel.ini").string()), std::string::npos) << error;
  EXPECT_EQ(dir.Read("Tavrel.ini"), old);
  EXPECT_EQ(EntryCount(dir.path()), 1) << "the temporary file is removed";
}

TEST(AtomicFile, FailuresAreReportedNotThrown) {
  TempDir dir;
  fs::create_directory(dir / "sub");
  ASSERT_EQ(::mkfifo((dir / "pipe.dat").c_str(), 0644), 0);
  dir.DeviceLink("geraet.dat");
  struct Case {
    fs::path target;
    const char* why;
  };
  const Case cases[] = {
      {dir / "missing" / "a.dat", "folder does not exist"},
      {dir / "sub", "target is a folder"},
      {dir / "pipe.dat", "target is a named pipe"},
      {dir / "geraet.dat", "target links to a device"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(c.target, "x", &error)) << c.why;
    EXPECT_NE(error.find(c.target.string()), std::string::npos) << c.why << ": " << error;
  }
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
  EXPECT_TRUE(fs::is_empty(dir / "sub"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.dat"));
  EXPECT_TRUE(fs::is_character_file(dir / "geraet.dat"));
  EXPECT_EQ(EntryCount(dir.path()), 3 + (fs::exists(dir / "geraet.dat.geraet") ? 1 : 0))
      << "no temporary file may stay behind";
}

TEST(AtomicFile, WriteProtectionIsRespected) {
  TempDir dir;
  fs::create_directory(dir / "ro");
  const fs::path inReadOnlyFolder = dir / "ro" / "Projekte.dat";
  const fs::path readOnlyFile = dir / "Koll.dat";
  ASSERT_TRUE(WriteFileAtomic(inReadOnlyFolder, "old"));
  ASSERT_TRUE(WriteFileAtomic(readOnlyFile, "old"));
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  fs::permissions(readOnlyFile, fs::perms::owner_read);
  // Also as root, who could write both: the missing write bit is the user's decision.
  for (const fs::path& file : {inReadOnlyFolder, readOnlyFile}) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(file, "new", &error)) << file;
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
  }
  fs::permissions(dir / "ro", fs::perms::owner_all);
  EXPECT_EQ(dir.Read("ro/Projekte.dat"), "old");
  EXPECT_EQ(dir.Read("Koll.dat"), "old");
}

// Each write or copy names its temporary file so that a crash's leftover can be told from
// anyone else's file; only such leftovers are removed, and only once they are old.
TEST(AtomicFile, StaleTemporaryFilesOfOurOwnNamingAreRemoved) {
  TempDir dir;
  std::string tmpl = TempFileTemplate(dir / "Orte.dat");
  const int fd = ::mkstemp(tmpl.data());
  ASSERT_GE(fd, 0);
  ::close(fd);
  const std::string leftover = fs::path(tmpl).filename().string();
  EXPECT_TRUE(IsOwnTempFileName(leftover)) << leftover;
  const std::string foreign[] = {".Orte.dat.abc123", "Orte.dat.tavtmp-abc123", ".x.tavtmp-abc12",
                                 ".x.tavtmp-abc12_", ".tavtmp-abc123", "Orte.dat"};
  for (const std::string& name : foreign) {
    EXPECT_FALSE(IsOwnTempFileName(name)) << name;
    dir.Write(name, "keep");
  }
  fs::create_directory(dir / ".ordner.tavtmp-abc123");
  fs::create_symlink(dir / "Orte.dat", dir / ".link.tavtmp-abc123");

  EXPECT_EQ(RemoveStaleTempFiles(dir.path()), 0u) << "a fresh one may be a write in progress";
  EXPECT_TRUE(fs::exists(tmpl));
  EXPECT_EQ(RemoveStaleTempFiles(dir.path(), std::chrono::seconds(0)), 1u);
  EXPECT_FALSE(fs::exists(tmpl));
  for (const std::string& name : foreign) EXPECT_EQ(dir.Read(name), "keep") << name;
  EXPECT_TRUE(fs::is_directory(dir / ".ordner.tavtmp-abc123"));
  EXPECT_TRUE(fs::is_symlink(dir / ".link.tavtmp-abc123"));
  EXPECT_EQ(RemoveStaleTempFiles(dir / "nowhere", std::chrono::seconds(0)), 0u);
  // A very long name still leaves room for the marks within a file name's 255 bytes.
  EXPECT_TRUE(WriteFileAtomic(dir / std::string(250, 'n'), "x"));
}

// Past the file-size limit the kernel ends a process by SIGXFSZ unless it ignores the
// signal; then the write fails and the save reports it like any other failure.
TEST(AtomicFileDeathTest, ASaveBeyondTheFileSizeLimitFailsWithItsMessage) {
  TempDir dir;
  EXPECT_EXIT(
      {
        IgnoreFileSizeSignal();
        rlimit lim{};
        ::getrlimit(RLIMIT_FSIZE, &lim);
        lim.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &lim);
        std::string error;
        const bool ok = WriteFileAtomic(dir / "Projekte.dat", std::string(4096, 'x'), &error);
        std::_Exit(!ok && error.find("Projekte.dat") != std::string::npos ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(AtomicFile, ReadWholeFile) {
  TempDir dir;
  dir.Write("b.dat", std::string("a\0b\r\n", 5));
  std::string bytes, error;
  ASSERT_TRUE(ReadWholeFile(dir / "b.dat", bytes, &error));
  EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));
  EXPECT_FALSE(ReadWholeFile(dir / "none.dat", bytes, &error));
  EXPECT_NE(error.find("none.dat"), std::string::npos);
  EXPECT_TRUE(bytes.empty());
}

// Only a regular file is read: a named pipe would block the reader, a device never ends.
// Each is refused at once, with the file and the reason.
TEST(AtomicFile, ReadWholeFileTakesOnlyRegularFilesWithinTheBound) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.dat").c_str(), 0644), 0);
  dir.DeviceLink("geraet.dat");
  fs::create_directory(dir / "ordner.dat");
  dir.Write("zehn.dat", "0123456789");
  fs::create_symlink(dir / "zehn.dat", dir / "link.dat");
  struct Case {
    const char* name;
    std::uintmax_t maxBytes;
    const char* reason;  // nullptr: read
  };
  const Case cases[] = {
      {"pipe.dat", kMaxIniBytes, "keine gewöhnliche Datei"},
      {"geraet.dat", kMaxIniBytes, "keine gewöhnliche Datei"},
      {"ordner.dat", kMaxIniBytes, "ein Ordner"},
      {"zehn.dat", 9, "größer als 9 Bytes"},
      {"zehn.dat", 10, nullptr},
      {"link.dat", 10, nullptr},
  };
  for (const Case& c : cases) {
    std::string bytes = "stale";
    std::string error = "stale";
    const bool ok = ReadWholeFile(dir / c.name, bytes, &error, c.maxBytes);
    if (c.reason == nullptr) {
      EXPECT_TRUE(ok) << c.name << ": " << error;
      EXPECT_EQ(bytes, "0123456789") << c.name;
      EXPECT_EQ(error, "") << c.name;
    } else {
      EXPECT_FALSE(ok) << c.name;
      EXPECT_TRUE(bytes.empty()) << c.name;
      EXPECT_NE(error.find((dir / c.name).string()), std::string::npos) << error;
      EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
  }
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.dat"));
}

// Read-modify-write under the lock: two threads (each with its own open lock file, as two
// programs have) add to one counter file; without the lock, one's rewrite drops the other's.
TEST(FileWriteLock, KeepsConcurrentReadModifyWritesFromLosingUpdates) {
  TempDir dir;
  const fs::path datei = dir / "Zaehler.dat";
  ASSERT_TRUE(WriteFileAtomic(datei, "0"));
  constexpr int kRunden = 200;
  const auto erhoehe = [&] {
    for (int i = 0; i < kRunden; ++i) {
      const FileWriteLock sperre(datei);
      ASSERT_TRUE(sperre.Ok()) << sperre.Error();
      std::string text;
      ASSERT_TRUE(ReadWholeFile(datei, text));
      std::this_thread::yield();  // give the other writer every chance to come in between
      ASSERT_TRUE(WriteFileAtomic(datei, std::to_string(std::stoi(text) + 1)));
    }
  };
  std::thread a(erhoehe), b(erhoehe);
  a.join();
  b.join();
  EXPECT_EQ(dir.Read("Zaehler.dat"), std::to_string(2 * kRunden));
}

TEST(FileWriteLock, WaitsForTheHolderThenGivesUpWithAMessage) {
  TempDir dir;
  const fs::path datei = dir / "Projekte.dat";
  dir.Write("Projekte.dat", "[Projekt 1]\r\n");
  std::string fremd;
  {
    const FileWriteLock erster(datei);
    ASSERT_TRUE(erster.Ok());
    const FileWriteLock zweiter(datei, std::chrono::milliseconds(100));
    EXPECT_FALSE(zweiter.Ok());
    fremd = zweiter.Error();
  }
  EXPECT_NE(fremd.find(datei.string()), std::string::npos) << fremd;
  EXPECT_NE(fremd.find("anderen Programm"), std::string::npos) << fremd;
  EXPECT_TRUE(FileWriteLock(datei, std::chrono::milliseconds(100)).Ok()) << "released on closing";
  // The lock is a file of its own beside the target, also for a target reached by a link.
  fs::create_symlink(datei, dir / "link.dat");
  {
    const FileWriteLock ueberLink(dir / "link.dat");
    EXPECT_FALSE(FileWriteLock(datei, std::chrono::milliseconds(50)).Ok());
  }
  EXPECT_EQ(LockFilePath(dir / "link.dat"), dir / ".Projekte.dat.tavlock");
  EXPECT_FALSE(IsOwnTempFileName(".Projekte.dat.tavlock")) << "never tidied away while in use";
  EXPECT_EQ(dir.Read("Projekte.dat"), "[Projekt 1]\r\n");
}

// A lock file that cannot be opened for writing (another user's, one without write bits, a
// folder in its place) is locked read-only: it still keeps a second holder out, and it is left
// in place. One that cannot be opened at all refuses the lock with a message; the test runs
// as root too, so "another user's" is a lock file without write bits.
TEST(FileWriteLock, ALockFileThatCannotBeWrittenStillLocks) {
  struct Fall {
    const char* name;
    void (*mache)(const fs::path& lock);
    bool sperrt;
  };
  const Fall faelle[] = {
      {"without write bits",
       [](const fs::path& l) {
         std::FILE* f = std::fopen(l.c_str(), "w");
         std::fclose(f);
         ::chmod(l.c_str(), 0444);
       },
       true},
      {"a folder", [](const fs::path& l) { fs::create_directory(l); }, true},
      {"a link", [](const fs::path& l) { fs::create_symlink("/dev/null", l); }, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    TempDir dir;
    const fs::path datei = dir / "Projekte.dat";
    dir.Write("Projekte.dat", "[Projekt 1]\r\n");
    f.mache(LockFilePath(datei));
    {
      const FileWriteLock erster(datei, std::chrono::milliseconds(50));
      EXPECT_EQ(erster.Ok(), f.sperrt) << erster.Error();
      if (f.sperrt) {
        EXPECT_FALSE(FileWriteLock(datei, std::chrono::milliseconds(50)).Ok()) << "keeps out";
      } else {
        EXPECT_NE(erster.Error().find(LockFilePath(datei).string()), std::string::npos)
            << erster.Error();
      }
    }
    EXPECT_TRUE(fs::exists(fs::symlink_status(LockFilePath(datei)))) << "not ours to remove";
    EXPECT_EQ(FileWriteLock(datei, std::chrono::milliseconds(50)).Ok(), f.sperrt);
  }
}

TEST(FileWriteLock, AFolderWithoutWritePermissionLeavesTheRefusalToTheWrite) {
  TempDir dir;
  fs::create_directory(dir / "nurlesen");
  ASSERT_EQ(::chmod((dir / "nurlesen").c_str(), 0555), 0);
  const FileWriteLock sperre(dir / "nurlesen" / "Tavrel.ini");
  EXPECT_TRUE(sperre.Ok());
  std::string fehler;
  EXPECT_FALSE(WriteFileAtomic(dir / "nurlesen" / "Tavrel.ini", "x", &fehler));
  EXPECT_FALSE(fehler.empty());
  ::chmod((dir / "nurlesen").c_str(), 0755);
}

// A wait for another holder that lasts more than a moment is shown (status text naming the
// file, busy cursor) and cleared at its end; a free lock shows nothing.
TEST(FileWriteLock, AWaitOfMoreThanAMomentIsShown) {
  struct Aufzeichnung : StatusSink {
    std::vector<std::string> texte;
    int busy = 0;
    void Status(const std::string& text) override { texte.push_back(text); }
    void Busy(bool on) override { busy += on ? 1 : -1; }
  } anzeige;
  SetLockWaitStatus(&anzeige);
  TempDir dir;
  const fs::path datei = dir / "Koll.dat";
  { const FileWriteLock frei(datei); }
  EXPECT_TRUE(anzeige.texte.empty());
  {
    const FileWriteLock erster(datei);
    const FileWriteLock zweiter(datei, std::chrono::milliseconds(250));
    EXPECT_FALSE(zweiter.Ok());
  }
  SetLockWaitStatus(nullptr);
  ASSERT_EQ(anzeige.texte.size(), 2u);
  EXPECT_NE(anzeige.texte[0].find(datei.string()), std::string::npos) << anzeige.texte[0];
  EXPECT_EQ(anzeige.texte[1], "");
  EXPECT_EQ(anzeige.busy, 0);
}

// Lock files of a program that was killed while it wrote are tidied at start-up; one in use,
// and anything else of such a name, stays.
TEST(FileWriteLock, LeftoverLockFilesAreRemovedUnlessHeld) {
  TempDir dir;
  dir.Write(".Orte.dat.tavlock", "");
  dir.Write(".Koll.dat.tavlock", "");
  dir.Write("Orte.dat.tavlock", "");
  fs::create_directory(dir / ".Rohr.dat.tavlock");
  EXPECT_TRUE(IsOwnLockFileName(".Orte.dat.tavlock"));
  EXPECT_FALSE(IsOwnLockFileName("Orte.dat.tavlock"));
  EXPECT_FALSE(IsOwnLockFileName(".tavlock"));
  {
    const FileWriteLock haelt(dir / "Koll.dat");
    EXPECT_EQ(RemoveStaleLockFiles(dir.path()), 1u);
    EXPECT_TRUE(fs::exists(dir / ".Koll.dat.tavlock"));
  }
  EXPECT_FALSE(fs::exists(dir / ".Orte.dat.tavlock"));
  EXPECT_FALSE(fs::exists(dir / ".Koll.dat.tavlock")) << "removed on release";
  EXPECT_TRUE(fs::exists(dir / "Orte.dat.tavlock"));
  EXPECT_TRUE(fs::is_directory(dir / ".Rohr.dat.tavlock"));
  EXPECT_EQ(RemoveStaleLockFiles(dir / "nowhere"), 0u);
}

TEST(AtomicFile, FindFileNoCase) {
  TempDir dir;
  dir.Write("deutsch.dat", "");
  dir.Write("KOLL.DAT", "");
  dir.Write("Orte.dat", "");
  dir.Write("ORTE.DAT", "");
  struct Case {
    const char* asked;
    const char* found;
  };
  const Case cases[] = {
      {"Deutsch.dat", "deutsch.dat"}, {"deutsch.dat", "deutsch.dat"}, {"Koll.dat", "KOLL.DAT"},
      {"orte.dat", "ORTE.DAT"},       // the first in name order among case variants
      {"Orte.dat", "Orte.dat"},       // an exact match wins
      {"Rohr.dat", "Rohr.dat"},       // missing: the name as asked, ready to be created
  };
  for (const auto& c : cases) EXPECT_EQ(FindFileNoCase(dir.path(), c.asked), dir / c.found) << c.asked;
  EXPECT_EQ(FindFileNoCase(dir / "nowhere", "x.dat"), dir / "nowhere" / "x.dat");
}

}  // namespace
}  // namespace tav
