// The project file is read whole and rewritten whole on every save; these keep an eye on
// both with a file of 600 projects, the most the program lists.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "project/ProjektDatei.h"
#include "project/ProjektKatalogDienste.h"
#include "project/ProjektLaden.h"
#include "foundation/AtomicFile.h"
#include "foundation/TavVar.h"

namespace {

// Resolves nothing: only the file work is measured.
class OhneKataloge : public tav::ProjektKatalogDienste {
 public:
  void ReadOrte(tav::TavState&) override {}
  void ReadKollektoren(tav::TavState&) override {}
  void ReadRohre(tav::TavState&) override {}
  void ReadProfile(tav::TavState&) override {}
  void ReadEnergie(tav::TavState&, const std::string&) override {}
  void CheckAnlagenTyp(tav::PlantState& p) override { p.AnlagenTypNr = 1; }
  void SetAnlgParam(tav::TavState&, int) override {}
  void SetSpeicherParam(tav::TavState&) override {}
  double Jetzt() override { return 46000.5; }
};

// A data folder holding 600 projects; removed at the end.
struct Datenordner {
  Datenordner() {
    pfad = std::filesystem::temp_directory_path() /
           ("tavrel_projekt_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(pfad);
    s.folders.DatenDir = pfad.string() + "/";
    s.plant.ProjektName = "Mehrfamilienhaus";
    s.plant.Standort = "Freiburg";
    s.plant.AnlagenTyp = "Kombi-Pufferspeicher";
    s.plant.AnlagenTypNr = 6;
    s.plant.SkyMapAktiv = true;
    for (std::size_t i = 0; i < s.plant.SkyMapDaten.size(); i += 3) s.plant.SkyMapDaten[i] = 1;
    // One project written by the program, its section repeated under every number.
    s.settings.ProjektNummer = 1;
    const std::string datei = tav::ProjektDateiPfad(s);
    tav::WriteProjektDat(datei, s, d);
    std::string eins;
    tav::ReadWholeFile(datei, eins);
    const std::string rumpf = eins.substr(eins.find('\n') + 1);
    std::string alle;
    for (int n = 1; n <= tav::kMaxProjekte; ++n) alle += "[" + tav::ProjektSektion(n) + "]\r\n" + rumpf;
    tav::WriteFileAtomic(datei, alle);
  }
  ~Datenordner() {
    std::error_code ec;
    std::filesystem::remove_all(pfad, ec);
  }
  std::filesystem::path pfad;
  tav::TavState s;
  OhneKataloge d;
};

void BM_SaveOneOf600Projects(benchmark::State& state) {
  Datenordner ordner;
  ordner.s.settings.ProjektNummer = 300;
  const std::string datei = tav::ProjektDateiPfad(ordner.s);
  for (auto _ : state) benchmark::DoNotOptimize(tav::WriteProjektDat(datei, ordner.s, ordner.d));
}
BENCHMARK(BM_SaveOneOf600Projects)->Unit(benchmark::kMillisecond);

void BM_LoadListOf600Projects(benchmark::State& state) {
  Datenordner ordner;
  ordner.s.settings.ProjektNummer = 600;
  for (auto _ : state) {
    tav::LoadProjekt(ordner.s, ordner.d);
    benchmark::DoNotOptimize(ordner.s.cat.ProjektAnzahl);
  }
}
BENCHMARK(BM_LoadListOf600Projects)->Unit(benchmark::kMillisecond);

}  // namespace
