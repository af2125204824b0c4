// Files that are no catalogue at all: a named pipe, a link to a device and a file far beyond
// any real size in place of each data file. Every reader refuses them at once with a message
// naming the file, and leaves them as they are.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "catalogues/Energie.h"
#include "catalogues/Kollektoren.h"
#include "catalogues/Profile.h"
#include "project/ProjektLaden.h"
#include "catalogues/Rohre.h"
#include "catalogues/SolPaket.h"
#include "catalogues/Speicher.h"
#include "location/Wetter.h"
#include "foundation/AtomicFile.h"
#include "test_orte_hilfen.h"
#include "project/test_projekt_fixture.h"

namespace tav::test {
namespace {

namespace fs = std::filesystem;

struct Leser {
  const char* datei;  // the data file the reader opens
  std::function<void(OrteFixture&)> lies;
};

const Leser kLeser[] = {
    {"Orte.dat", [](OrteFixture& f) { ReadOrte(f.s(), f.env); }},
    {"Koll.dat", [](OrteFixture& f) { ReadKollektoren(f.s(), f.status); }},
    {"Koll.dac", [](OrteFixture& f) { DecodeDatFile(f.s()); }},
    {"Profil.dat", [](OrteFixture& f) { ReadProfile(f.s(), f.status); }},
    {"Energie.dat",
     [](OrteFixture& f) {
       f.s().plant.konvEnergie = "*init*";
       ReadEnergie(f.s(), "", f.status);
     }},
    {"Rohr.dat", [](OrteFixture& f) { ReadRohre(f.s(), f.status); }},
    {"Speicher.dat", [](OrteFixture& f) { ReadSpeicher(f.s().cat, SpeicherDateiPfad(f.s())); }},
    {"SolPaket.dat", [](OrteFixture& f) { InitSolPakete(f.s().cat, PaketDateiPfad(f.s())); }},
    {"Projekte.dat",
     [](OrteFixture& f) {
       FakeDienste dienste;
       LoadProjekt(f.s(), dienste);
     }},
    {"Ort.wet", [](OrteFixture& f) { LoadWetterDaten(f.s(), "Ort.wet", f.status, nullptr); }},
    {"Meteo.dat", [](OrteFixture& f) { ReadMeteoDatei(f.s(), (f.dir / "Meteo.dat").string(), f.status); }},
    {"Stunden.mn5", [](OrteFixture& f) { ReadMN5Datei(f.s(), (f.dir / "Stunden.mn5").string(), f.status); }},
};

enum class Art { Pipe, GeraeteLink, Riesig };

struct Fall {
  Art art;
  const char* name;
};

// Puts the odd thing in place of the file; returns how to tell it is still there unchanged.
std::function<bool()> Lege(const TempDir& dir, const fs::path& datei, Art art) {
  switch (art) {
    case Art::Pipe:
      EXPECT_EQ(::mkfifo(datei.c_str(), 0644), 0);
      return [datei] { return fs::is_fifo(fs::symlink_status(datei)); };
    case Art::GeraeteLink:
      dir.DeviceLink(datei.filename().string());
      return [datei] { return fs::is_symlink(fs::symlink_status(datei)) && fs::is_character_file(datei); };
    case Art::Riesig: {
      // A sparse file: the size counts, not what is on the disk.
      constexpr std::uintmax_t kGroesse = std::uintmax_t{1} << 30;
      { std::ofstream(datei) << "[Ort 1]\r\n"; }
      fs::resize_file(datei, kGroesse);
      return [datei] { return fs::is_regular_file(datei) && fs::file_size(datei) == kGroesse; };
    }
  }
  return [] { return false; };
}

TEST(SeltsameDateien, EveryReaderRefusesThemWithAMessageAndLeavesThemAlone) {
  const Fall faelle[] = {{Art::Pipe, "named pipe"}, {Art::GeraeteLink, "link to a device"},
                         {Art::Riesig, "1 GB file"}};
  for (const Fall& fall : faelle) {
    for (const Leser& leser : kLeser) {
      SCOPED_TRACE(std::string(leser.datei) + " as " + fall.name);
      OrteFixture f;
      f.msgs->answers = {mrNo, mrNo, mrNo, mrNo};  // nothing is to be overwritten
      const fs::path datei = f.dir / leser.datei;
      const auto unveraendert = Lege(f.dir, datei, fall.art);
      leser.lies(f);
      EXPECT_TRUE(f.msgs->Contains(leser.datei)) << f.msgs->All();
      EXPECT_TRUE(unveraendert());
    }
  }
}

}  // namespace
}  // namespace tav::test
