// Every writer of a shared file gives its lock up before a message waits for the user: with two
// programs on one data folder, one user's open message would otherwise keep the other
// program's save waiting, and failing, though nobody writes.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "enev/EnevDatei.h"
#include "foundation/AtomicFile.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Settings.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "project/test_projekt_fixture.h"
#include "support/Schreibschutz.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// Notes at every message whether the lock of `datei` could be taken at that moment.
class PrueftSperre : public test::ScriptedMessages {
 public:
  fs::path datei;
  std::vector<bool> frei;

 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override {
    frei.push_back(FileWriteLock(datei, std::chrono::milliseconds(0)).Ok());
    return ScriptedMessages::Present(text, type, buttons);
  }
};

struct Fall {
  const char* name;
  const char* datei;
  std::function<bool(TavState&, test::FakeDienste&, const fs::path&)> schreibe;
};

TEST(SperreFrei, NoMessageWaitsWhileTheLockIsHeld) {
  const Fall faelle[] = {
      {"project save", "Projekte.dat",
       [](TavState& s, test::FakeDienste& d, const fs::path& p) {
         return WriteProjektDat(p.string(), s, d);
       }},
      {"project delete", "Projekte.dat",
       [](TavState& s, test::FakeDienste&, const fs::path&) { return DeleteProjekt(s, 1); }},
      {"catalogue rewrite", "Rohr.dat",
       [](TavState&, test::FakeDienste&, const fs::path& p) {
         return katalog::SchreibeKatalog(p.string(), "[Rohr 1]\r\nRohrName=Cu 15\r\n", "Rohr.dat",
                                         "Schreibfehler bei Rohr.dat", NullStatus());
       }},
      {"settings", "Tavrel.ini",
       [](TavState& s, test::FakeDienste&, const fs::path&) { return SaveSettings(s, ""); }},
      {"damaged settings, asked", "Tavrel.ini",
       [](TavState& s, test::FakeDienste&, const fs::path&) {
         s.settings.DateiSchaden = "beschädigt";
         return SaveSettings(s, "");
       }},
      {"EnEV exchange file", "enevxsim.dat",
       [](TavState& s, test::FakeDienste&, const fs::path& p) {
         enev::EnevStand stand;
         return enev::WriteEnevSimDatei(p.string(), s, stand);
       }},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    test::TempDir dir;
    PrueftSperre msgs;
    MessageService* vorher = SetMessageService(&msgs);
    auto s = std::make_unique<TavState>();
    test::FakeDienste d;
    s->folders.DatenDir = dir.path().string() + "/";
    s->plant.AnlagenTypNr = 1;
    dir.Write(f.datei, "[Projekt 1]\r\nProjektName=Eins\r\n");
    const fs::path pfad = dir / f.datei;
    msgs.datei = pfad;
    // A file without write bits: every writer refuses it with a message.
    {
      const test::OhneSchreibrecht schutz(pfad);
      msgs.answers = {mrNo};
      EXPECT_FALSE(f.schreibe(*s, d, pfad));
    }
    SetMessageService(vorher);
    ASSERT_FALSE(msgs.frei.empty()) << "a message was shown";
    for (const bool frei : msgs.frei) EXPECT_TRUE(frei) << msgs.All();
    EXPECT_EQ(dir.Read(f.datei), "[Projekt 1]\r\nProjektName=Eins\r\n");
  }
}

}  // namespace
}  // namespace tav
