// Writes the start corpus of every fuzz target into <folder>/<target>/: the files the
// program writes itself (built-in catalogues, the standard project, the default settings, a
// weather file, a full language file) and the fixtures the tests build.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "catalogues/Energie.h"
#include "catalogues/KatalogDienste.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "catalogues/Profile.h"
#include "project/ProjektLaden.h"
#include "catalogues/Rohre.h"
#include "location/Wetter.h"
#include "foundation/Settings.h"
#include "foundation/TextTable.h"

using namespace tav;
namespace fs = std::filesystem;

namespace {

fs::path gZiel;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  const fs::path dir = gZiel / target;
  fs::create_directories(dir);
  std::ofstream f(dir / name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file of the bench written by the program: seed of its own target and of the INI class.
void Datei(fuzz::Workbench& b, const std::string& file, const std::string& target, bool ini = true) {
  const std::string bytes = b.Read(fs::path(file).filename().string());
  if (bytes.empty()) {
    std::fprintf(stderr, "fuzz_seeds: %s was not written\n", file.c_str());
    return;
  }
  Seed(target, fs::path(file).filename().string(), bytes);
  if (ini) Seed("fuzz_ini", fs::path(file).filename().string(), bytes);
}

std::string MonatsDatei() {
  std::string t = "Meteonorm\r\nVersion 4\r\n\r\n\"Teststadt\"\r\n48.0,-7.9,269,\r\nx\r\ny\r\nz\r\n";
  for (int m = 1; m <= 12; ++m)
    t += std::to_string(m) + "\t" + std::to_string(30 + m) + "\t0\t0\t" + std::to_string(m - 3) +
         ".5\t99\t\r\n";
  return t;
}

std::string StundenDatei() {
  std::string t = "\"Teststadt GM\"\n48.0,7.9,269,-1\nfrei\nhy\tG_Gh\tTa\n";
  int stunde = 0;
  for (int m = 1; m <= 12; ++m)
    for (int h = 0; h < MonatsTage[m] * 24; ++h)
      t += std::to_string(++stunde) + "\t100\t" + std::to_string(m) + "\n";
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
    return 2;
  }
  gZiel = argv[1];
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  TavState& s = b.State(0);

  InitOrte(s, NullStatus());
  Datei(b, OrteDateiPfad(s), "fuzz_orte");
  InitKollektoren(s, NullStatus());
  Datei(b, KollDateiPfad(s), "fuzz_kollektoren");
  InitProfile(s, NullStatus());
  Datei(b, ProfilDateiPfad(s), "fuzz_profile");
  DefaultEnergie(s, NullStatus());
  Datei(b, EnergieDateiPfad(s), "fuzz_energie");
  InitRohre(s, NullStatus());
  Datei(b, RohrDateiPfad(s), "fuzz_kleine_kataloge");
  Seed("fuzz_kleine_kataloge", "Speicher.dat",
       "[Speicher 1]\r\nName=Solarspeicher 300\r\nSpTypN=CL\r\nSchema=1\r\nSpVol1=300\r\n"
       "SpVol2=0\r\n\r\n[Kombi]\r\nName=Zweiter Kombi\r\nSpTypN=PS8\r\nSchema=5\r\nSpVol1=x\r\n");
  Seed("fuzz_kleine_kataloge", "SolPaket.dat",
       "; Name\tKollektor\r\nPaket A\tFlachkollektor XY\t3\tSolarspeicher 300\t300\t0\tClassic\t1\r\n"
       "P\tK\t2\tS\t300\t200\tX\t7\r\n");

  {
    KatalogDienste d(NullStatus(), b.synthese);
    CreateStandardProjekt(s, d);
    Datei(b, ProjektDateiPfad(s), "fuzz_projekt");
  }
  {
    TTextTable texts;
    const SettingsEnv env{{"Buero"}, "Buero", {}, {}};
    LoadSettings(s, texts, env);
    SaveSettings(s, "Buero");
    Datei(b, (b.Dir() / "Tavrel.ini").string(), "fuzz_settings");
  }
  {
    std::string t = "[Tavrel]\r\n";
    for (std::size_t k = 0; k < kTextCount; ++k) {
      const TextDefault& d = TextDefaultOf(static_cast<TX>(k));
      t += std::string(d.key) + "=" + d.deutsch + "\r\n";
    }
    t += "SpracheCaption=&English\r\n";
    Seed("fuzz_sprache", "english.dat", t);
  }
  {
    // A weather year that varies by hour, so the seed is no run of equal bytes.
    auto& w = s.weather.WetterDaten.Werte;
    for (std::size_t i = 0; i < w.size(); ++i) w[i] = static_cast<float>(std::sin(0.01 * i) * 300.0);
    s.run.SolarklimadatenOK = true;
    SaveWetterDaten(s, "N480E079.wet", NullStatus());
    Datei(b, (b.Dir() / "N480E079.wet").string(), "fuzz_wetter", false);
  }
  Seed("fuzz_wetter_import", "monat.txt", MonatsDatei());
  Seed("fuzz_wetter_import", "stunden.txt", StundenDatei());

  const char* zahlen[] = {"12,5", " -1,5E-7", "0x1F", "$FFFFFFFF", "10.12.2026", "14:30:15",
                          "1.1.49 7:5", "  1 2,5 3 4 5 6 7 8 9 10 11 12", "1E308", "4 8,5"};
  for (std::size_t i = 0; i < std::size(zahlen); ++i)
    Seed("fuzz_numbers", "zahl" + std::to_string(i), zahlen[i]);
  const char* terme[] = {"1+2*3", "(4,5-1)/2", "-(-3)", "2*(3+4)*5/0", "((1)"};
  for (std::size_t i = 0; i < std::size(terme); ++i)
    Seed("fuzz_term", "term" + std::to_string(i), terme[i]);
  // The data provider reads from the end: the last byte picks the export, zeros elsewhere
  // keep the plausible location and tables.
  for (int k = 0; k <= 12; ++k) {
    std::string bytes(160, '\0');
    bytes.back() = static_cast<char>(k);
    Seed("fuzz_klimgen", "export" + std::to_string(k), bytes);
  }
  // The engine: each plant type as the test fixture builds it (pool with 6 and 8, the circuit
  // types the fixture gives), five steps per hour, three days; then plant type 8 with a hot-water
  // target of 1e9 °C (the ninth ranged value, as a float), which once never ended.
  for (int typ = 1; typ <= kAnlagenTypen; ++typ) {
    const int heizkreis = typ == 7 ? 4 : (typ == 6 || typ == 8) ? 2 : 1;
    const std::string bytes = {static_cast<char>(typ - 1), static_cast<char>(typ == 6 || typ == 8),
                               static_cast<char>(11 - 5), static_cast<char>(heizkreis - 1), 5, 2};
    Seed("fuzz_engine", "typ" + std::to_string(typ), bytes);
  }
  std::string heiss = {7, 1, 6, 1, 5, 2, 0, 0, 0, 0, 0, 0, 0, 0};
  heiss += {'\xC0', '\x4E', '\x6E', '\x6B', '\x28'};
  Seed("fuzz_engine", "typ8-warmwasser-1e9", heiss);
  return 0;
}
