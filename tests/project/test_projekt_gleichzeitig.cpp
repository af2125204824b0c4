// Two programs on one data folder (two instances, or the program and the headless
// simulation), each with its own state: no save of one silently drops what the other saved.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "project/NeuesProjekt.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "test_projekt_fixture.h"

namespace tav {
namespace {

using test::FakeDienste;
using test::ProjektTest;

std::string Wert(const std::string& pfad, const std::string& sektion, const std::string& key) {
  TBigIniFile ini;
  ini.LoadFile(pfad);
  return ini.ReadString(sektion, key, "<fehlt>");
}

// A second program: its own state on the same data folder, its current project `nummer`.
struct Programm {
  TavState s;
  FakeDienste d;
  Programm(const std::string& datenDir, std::int32_t nummer) {
    s.folders.DatenDir = datenDir;
    s.settings.ProjektNummer = nummer;
    LoadProjekt(s, d);
  }
  bool Speichere(const std::string& name) {
    s.plant.ProjektName = name;
    s.run.ProjektGeaendert = true;
    return WriteProjektDat(ProjektDateiPfad(s), s, d);
  }
};

class ZweiProgramme : public ProjektTest {
 protected:
  ZweiProgramme() {
    std::vector<std::string> zeilen;
    for (const auto& [sektion, name, ort] : {std::array<std::string, 3>{"[Projekt 1]", "Eins", "A"},
                                             std::array<std::string, 3>{"[Projekt 2]", "Zwei", "B"}}) {
      zeilen.insert(zeilen.end(), {sektion, "ProjektName=" + name, "Standort=" + ort});
      zeilen.insert(zeilen.end(), test::kBrauchbareZeilen.begin(), test::kBrauchbareZeilen.end());
      zeilen.emplace_back();
    }
    dir.Write("Projekte.dat", Crlf(zeilen));
  }
};

// A and B load from one file; A saves project 1, then B project 2: project 1 keeps A's change.
TEST_F(ZweiProgramme, SavesOfDifferentProjectsKeepEachOther) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 2);
  ASSERT_EQ(a.s.plant.ProjektName, "Eins");
  ASSERT_EQ(b.s.plant.ProjektName, "Zwei");
  EXPECT_TRUE(a.Speichere("Eins von A"));
  EXPECT_TRUE(b.Speichere("Zwei von B"));
  EXPECT_TRUE(a.Speichere("Eins von A, zweimal")) << "its own last save is what the file holds";
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Eins von A, zweimal");
  EXPECT_EQ(Wert(Pfad(), "Projekt 2", "ProjektName"), "Zwei von B");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

// Both have project 1 open: the later save would replace the earlier one's change. It is
// refused, named, and the file keeps A's save; saved under a new number, B's work is kept too.
TEST_F(ZweiProgramme, TheSameProjectChangedElsewhereIsNotOverwritten) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 1);
  ASSERT_TRUE(a.Speichere("Eins von A"));
  const std::string nachA = Datei();
  msgs->answers = {mrNo};  // not under the new number offered
  EXPECT_FALSE(b.Speichere("Eins von B"));
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  EXPECT_TRUE(msgs->Contains("Projekt Nr. 1")) << msgs->All();
  EXPECT_TRUE(msgs->Contains(Pfad())) << msgs->All();
  EXPECT_TRUE(msgs->Contains("anderen Programm")) << msgs->All();
  EXPECT_TRUE(msgs->Contains("unter der Nummer 3 speichern?")) << msgs->All();
  EXPECT_EQ(b.s.settings.ProjektNummer, 1);
  EXPECT_EQ(b.s.plant.ProjektName, "Eins von B");
  EXPECT_EQ(Datei(), nachA);
  EXPECT_TRUE(b.s.run.ProjektGeaendert) << "B's change is still there to be saved";

  b.s.settings.ProjektNummer = 3;
  EXPECT_TRUE(b.Speichere("Eins von B"));
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Eins von A");
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "Eins von B");

  // After loading again, B sees A's save and may save over it.
  msgs->shown.clear();
  b.s.settings.ProjektNummer = 1;
  LoadProjekt(b.s, b.d);
  EXPECT_EQ(b.s.plant.ProjektName, "Eins von A");
  EXPECT_TRUE(b.Speichere("Eins von B, nach dem Laden"));
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

// Two new projects take the smallest free number of each program's list: the second one must
// not land on the first.
TEST_F(ZweiProgramme, ANewProjectDoesNotTakeANumberTheOtherProgramGaveMeanwhile) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 1);
  a.s.settings.ProjektNummer = 3;
  ASSERT_TRUE(a.Speichere("Neu von A"));
  b.s.settings.ProjektNummer = 3;
  msgs->answers = {mrNo};
  EXPECT_FALSE(b.Speichere("Neu von B"));
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "Neu von A");
  // A project of B's own list may be saved over on purpose (the save dialog asked).
  msgs->shown.clear();
  b.s.settings.ProjektNummer = 2;
  EXPECT_TRUE(b.Speichere("Zwei ersetzt")) << msgs->All();
}

// A save refused because the other program changed the project offers a number of the
// project's own: "Ja" writes it there, the name made unique among the projects on disk, and
// leaves it open under that number, saved; its next save says nothing.
TEST_F(ZweiProgramme, ARefusedSaveIsWrittenUnderTheNewNumberOffered) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 1);
  ASSERT_TRUE(a.Speichere("Eins"));  // the same name as B's
  msgs->answers = {mrYes};
  EXPECT_TRUE(b.Speichere("Eins"));
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  EXPECT_EQ(msgs->shown[0].buttons, mbYesNo);
  EXPECT_EQ(b.s.settings.ProjektNummer, 3);
  EXPECT_EQ(b.s.plant.ProjektName, "Eins (2)");
  EXPECT_FALSE(b.s.run.ProjektGeaendert);
  EXPECT_EQ(b.s.cat.ProjektAnzahl, 3);
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Eins");
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "Eins (2)");
  msgs->shown.clear();
  EXPECT_TRUE(b.Speichere("Eins von B"));
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "Eins von B");
}

// "neues Projekt" in both programs, each list read at its start: A adds project 3, then B's
// new project takes 4, the next number free on disk, and B's list shows A's project. When A
// adds another while B is naming its next one, B's moves on to the number after it.
TEST_F(ZweiProgramme, ANewProjectTakesTheNextNumberFreeOnDisk) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 2);
  const auto neu = [](Programm& p, const std::string& name, const std::function<void()>& derweil) {
    return NeuesProjektAnlegen(p.s, p.d, [&] {
      p.s.plant.ProjektName = name;
      if (derweil) derweil();
      return true;
    });
  };
  const struct {
    Programm* wer;
    const char* name;
    bool andererDerweil;
    int nummer;
  } schritte[] = {{&a, "Drei von A", false, 3}, {&b, "Vier von B", false, 4}, {&b, "Sechs von B", true, 6}};
  for (const auto& x : schritte) {
    SCOPED_TRACE(x.name);
    ASSERT_TRUE(neu(*x.wer, x.name, x.andererDerweil ? std::function<void()>([&] {
      EXPECT_TRUE(neu(a, "Fünf von A", {}));
    }) : std::function<void()>()));
    EXPECT_EQ(x.wer->s.settings.ProjektNummer, x.nummer);
    EXPECT_EQ(x.wer->s.plant.ProjektName, x.name);
    EXPECT_EQ(Wert(Pfad(), "Projekt " + std::to_string(x.nummer), "ProjektName"), x.name);
  }
  EXPECT_EQ(Wert(Pfad(), "Projekt 5", "ProjektName"), "Fünf von A");
  EXPECT_EQ(b.s.cat.ProjektAnzahl, 6) << "B lists every project on disk";
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

// Real concurrency: two threads, each a program with its own state, save their projects
// again and again. Each save reads the file, replaces its section and renames a new file
// over it; without the lock across that, one program's rename drops the other's save.
TEST_F(ZweiProgramme, ConcurrentSavesUnderTheLockLoseNothing) {
  Programm a(s.folders.DatenDir, 1), b(s.folders.DatenDir, 2);
  constexpr int kRunden = 40;
  bool okA = true, okB = true;
  const auto speichere = [](Programm& p, const std::string& wer, bool& ok) {
    for (int i = 1; i <= kRunden; ++i) ok = p.Speichere(wer + " " + std::to_string(i)) && ok;
  };
  std::thread ta(speichere, std::ref(a), "A", std::ref(okA));
  std::thread tb(speichere, std::ref(b), "B", std::ref(okB));
  ta.join();
  tb.join();
  EXPECT_TRUE(okA && okB) << msgs->All();
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "A " + std::to_string(kRunden));
  EXPECT_EQ(Wert(Pfad(), "Projekt 2", "ProjektName"), "B " + std::to_string(kRunden));
}

// While another program holds the file for its save, deleting a project waits for it, so the
// other save is kept.
TEST_F(ZweiProgramme, DeletingWaitsForAnotherProgramsSave) {
  Programm a(s.folders.DatenDir, 1);
  std::thread anderer;
  {
    auto sperre = std::make_unique<FileWriteLock>(Pfad());
    ASSERT_TRUE(sperre->Ok());
    anderer = std::thread([&] { EXPECT_TRUE(DeleteProjekt(a.s, 2)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // The other program saves project 1 meanwhile, as its own atomic rewrite.
    TBigIniFile ini;
    ini.LoadFile(Pfad());
    ini.WriteString("Projekt 1", "ProjektName", "Eins, gespeichert vom anderen");
    std::string bytes, fehler;
    ASSERT_TRUE(ini.ExactFileImage(bytes, fehler));
    ASSERT_TRUE(WriteFileAtomic(Pfad(), bytes));
    ini.DiscardChanges();
  }
  anderer.join();
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Eins, gespeichert vom anderen");
  EXPECT_EQ(Wert(Pfad(), "Projekt 2", "ProjektName"), "<fehlt>");
}

}  // namespace
}  // namespace tav
