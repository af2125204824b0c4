// The file messages in the session's language: each failure, made for real where it can be,
// reads in English in an English session and in German in a German one, the system's reason
// included (never the C library's English text in a German message).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/TextTable.h"
#include "support/TempDir.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

class MeldungenSprache : public ::testing::Test {
 protected:
  void TearDown() override { Texts().LoadDefaults(); }
  static void Englisch() {
    ASSERT_TRUE(Texts().LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en")));
  }
  test::TempDir dir;
};

TEST_F(MeldungenSprache, FileFailuresReadInTheSessionsLanguage) {
  const fs::path fehlt = dir.path() / "fehlt.dat";
  const fs::path schreibgeschuetzt = dir.path() / "Tavrel.ini";
  std::ofstream(schreibgeschuetzt) << "[Tavrel]\n";
  fs::permissions(schreibgeschuetzt, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  FileWriteLock halter(dir.path() / "Projekte.dat");
  ASSERT_TRUE(halter.Ok());

  struct Fall {
    const char* was;
    std::function<std::string()> meldung;
    std::string englisch, deutsch;
  };
  const std::string d = dir.path().string();
  const Fall faelle[] = {
      {"missing file read",
       [&] {
         std::string bytes, fehler;
         EXPECT_FALSE(ReadWholeFile(fehlt, bytes, &fehler));
         return fehler;
       },
       "The file " + fehlt.string() + " cannot be read: no such file or folder",
       "Die Datei " + fehlt.string() + " kann nicht gelesen werden: Datei oder Ordner nicht vorhanden"},
      {"folder read",
       [&] {
         std::string bytes, fehler;
         EXPECT_FALSE(ReadWholeFile(dir.path(), bytes, &fehler));
         return fehler;
       },
       "The file " + d + " cannot be read: it is a folder",
       "Die Datei " + d + " kann nicht gelesen werden: es ist ein Ordner"},
      {"file without write bits",
       [&] {
         std::string fehler;
         EXPECT_FALSE(WriteFileAtomic(schreibgeschuetzt, "[Tavrel]\r\n", &fehler));
         return fehler;
       },
       "The file " + schreibgeschuetzt.string() + " cannot be written: permission denied",
       "Die Datei " + schreibgeschuetzt.string() + " kann nicht geschrieben werden: Zugriff verweigert"},
      {"another program's lock",
       [&] {
         const FileWriteLock zweiter(dir.path() / "Projekte.dat", std::chrono::milliseconds(0));
         EXPECT_FALSE(zweiter.Ok());
         return zweiter.Error();
       },
       "The file " + d + "/Projekte.dat cannot be written: another program is writing it just now",
       "Die Datei " + d + "/Projekte.dat kann nicht geschrieben werden: sie wird gerade von einem anderen "
       "Programm geschrieben"},
      {"text the code page cannot hold",
       [&] {
         std::string bytes, problem;
         EXPECT_FALSE(EncodeTextExact("Ost \xCE\xA9", TextEncoding::Cp1252, bytes, &problem));
         return NotWrittenText("Orte.dat", problem);
       },
       "The file Orte.dat is not written: characters that the file's code page 1252 does not know: "
       "\"\xCE\xA9\".|The file is left unchanged.",
       "Die Datei Orte.dat wird nicht geschrieben: Zeichen, die die Codeseite 1252 der Datei nicht kennt: "
       "\"\xCE\xA9\".|Die Datei bleibt unverändert."},
      {"an error number without a text of its own", [] { return SystemGrund(4321); }, "system error 4321",
       "Systemfehler 4321"},
  };
  for (const bool english : {true, false}) {
    if (english) Englisch();
    else Texts().LoadDefaults();
    for (const Fall& f : faelle) EXPECT_EQ(f.meldung(), english ? f.englisch : f.deutsch) << f.was;
  }
}

// In a German session no reason is the C library's English text, in an English one none is
// German: every error number the file functions meet reads in the session's language.
TEST_F(MeldungenSprache, SystemReasonsFollowTheLanguage) {
  const int nummern[] = {EACCES, EPERM,  ENOENT, ENOTDIR, EISDIR, EEXIST, ENOSPC, EDQUOT, EFBIG, EROFS,
                         EIO,    ENAMETOOLONG, ELOOP, EMFILE, ENFILE, ENOMEM, EBUSY, ETXTBSY, EXDEV, EINVAL};
  std::vector<std::string> deutsch;
  for (const int n : nummern) {
    deutsch.push_back(SystemGrund(n));
    EXPECT_NE(deutsch.back(), std::generic_category().message(n)) << n;
    EXPECT_EQ(deutsch.back().find("Systemfehler"), std::string::npos) << n << " has a text of its own";
  }
  Englisch();
  for (std::size_t i = 0; i < std::size(nummern); ++i) {
    const std::string englisch = SystemGrund(nummern[i]);
    EXPECT_NE(englisch, deutsch[i]) << nummern[i];
    EXPECT_EQ(englisch.find("system error"), std::string::npos) << nummern[i];
  }
}

// A value holding "#" is never taken for a mark of the template.
TEST_F(MeldungenSprache, TemplateMarksFilledInOrder) {
  EXPECT_EQ(TextMit(TX::DateiNichtGeschrieben, {"a#b.dat", "#1"}),
            "Die Datei a#b.dat kann nicht geschrieben werden: #1");
  EXPECT_EQ(TextMit(TX::DateiNichtGeschrieben, {"x"}), "Die Datei x kann nicht geschrieben werden: #");
}

}  // namespace
}  // namespace tav
