#include "catalogues/KatalogDiensteSim.h"

#include <array>
#include <charconv>
#include <chrono>
#include <filesystem>

#include "catalogues/KatalogDienste.h"
#include "foundation/BigIni.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/StatusSink.h"
#include "location/TavKlimgen.h"
#include "location/Wetter.h"
#include "foundation/Language.h"
#include "foundation/Settings.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "simulation/SimContext.h"
#include "simulation/SimRun.h"

namespace tav {

namespace {

constexpr std::array<const char*, kMonatswerteAnzahl> kArrayNamen = {
    "SolarertragMonat", "BrennstoffMonat",       "WWBedarfMonat",  "VerlustMonat",
    "Verlust1Monat",    "NachheizungMonat",      "SolHeizenMonat", "PoolWaermeMonat",
    "HeizbedarfMonat",  "KollEinstrahlungMonat", "Reserve11Monat", "HeizanteilMonat",
    "Reserve13Monat"};

bool GanzeZahl(const std::string& text, int min, int max, int& wert) {
  int w = 0;
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), w);
  if (ec != std::errc() || p != text.data() + text.size() || w < min || w > max) return false;
  wert = w;
  return true;
}

// Counts the simulated days; every day has 24 x ZeitZoom steps.
class TageZaehler : public SimObserver {
 public:
  long long tage = 0;
  void ProcessEvents(SimState&) override { ++tage; }
};

// Remembers whether the weather had to be synthesised.
class MerkendeSynthese : public WetterSynthese {
 public:
  explicit MerkendeSynthese(WetterSynthese& echt) : echt_(echt) {}
  bool Synthesise(TavState& s, StatusSink& status) override {
    synthetisiert = echt_.Synthesise(s, status);
    return synthetisiert;
  }
  bool synthetisiert = false;

 private:
  WetterSynthese& echt_;
};

}  // namespace

bool ParseTavsimArgumente(const std::vector<std::string>& args, TavsimOptionen& opt,
                          std::string& fehler) {
  opt = TavsimOptionen{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto wert = [&](const char* name, int min, int max, int& ziel) {
      if (i + 1 >= args.size() || !GanzeZahl(args[i + 1], min, max, ziel)) {
        fehler = std::string(name) + " erwartet eine Zahl von " + std::to_string(min) + " bis " +
                 std::to_string(max);
        return false;
      }
      ++i;
      return true;
    };
    if (a == "--project") {
      if (!wert("--project", 1, kMaxProjekte * 100, opt.projekt)) return false;
    } else if (a == "--years") {
      if (!wert("--years", 1, 3, opt.jahre)) return false;
      if (opt.jahre == 2) {
        fehler = "--years erwartet 1 oder 3";
        return false;
      }
    } else if (a == "--zoom") {
      if (!wert("--zoom", kMinZeitZoom, 255, opt.zoom)) return false;
    } else if (a == "--save-weather") {
      opt.wetterSpeichern = true;
    } else if (!a.empty() && a.front() == '-') {
      fehler = "Unbekannte Option " + a;
      return false;
    } else if (opt.datenDir.empty()) {
      opt.datenDir = a;
    } else {
      fehler = "Nur ein Datenordner: " + a;
      return false;
    }
  }
  if (opt.datenDir.empty()) {
    fehler = "Aufruf: tavsim DATA_DIR [--project N] [--years 1|3] [--zoom Z] [--save-weather]";
    return false;
  }
  return true;
}

bool TavsimLauf(TavState& s, const TavsimOptionen& opt, TavsimErgebnis& erg,
                WetterSynthese* synthese) {
  erg = TavsimErgebnis{};
  std::error_code ec;
  if (!std::filesystem::is_directory(opt.datenDir, ec)) {
    erg.fehler = "Datenordner " + opt.datenDir + " nicht gefunden";
    return false;
  }
  std::string ordner = opt.datenDir;
  if (ordner.back() != '/') ordner += '/';
  s.folders.DatenDir = ordner;
  s.folders.ProgDir = ordner;

  FillLanguageList(s.cat, s.folders.ProgDir);
  LoadSettings(s, Texts(), SettingsEnv{});
  if (opt.projekt > 0) s.settings.ProjektNummer = opt.projekt;
  if (opt.jahre > 0) s.settings.SimJahre = static_cast<std::uint8_t>(opt.jahre);

  KlimgenBridge bruecke;
  MerkendeSynthese merker(synthese ? *synthese : static_cast<WetterSynthese&>(bruecke));
  KatalogDienste dienste(NullStatus(), merker);
  LadeKatalogeUndProjekt(s, dienste);
  if (opt.projekt > 0 && s.settings.ProjektNummer != opt.projekt) {
    // A section of that number may stand beyond what the list takes: then the list is full.
    const std::string pfad = ProjektDateiPfad(s);
    TBigIniFile ini;
    ini.LoadFile(pfad, kMaxKatalogBytes);
    const bool inDatei =
        ini.LoadError().empty() && ini.SectionExists(ProjektSektionIn(ini, opt.projekt));
    ini.DiscardChanges();
    erg.fehler = "Projekt " + std::to_string(opt.projekt) +
                 (inDatei ? " steht in " + pfad + ", doch die Projektliste ist voll (sie fasst " +
                                std::to_string(kMaxProjekte) + " Projekte)"
                          : " nicht in " + std::string(ProjekteDatei));
    return false;
  }
  if (const std::string fehlt = WetterFehlt(s); !fehlt.empty()) {
    erg.fehler = fehlt;
    return false;
  }
  if (opt.wetterSpeichern && merker.synthetisiert &&
      !SaveWetterDaten(s, s.loc.WetterDatei, NullStatus())) {
    erg.fehler = "Wetterdatei " + s.loc.WetterDatei + " nicht geschrieben";
    return false;
  }
  if (opt.zoom > 0) s.plant.ZeitZoom = static_cast<std::uint8_t>(opt.zoom);

  SimState sim;
  TageZaehler zaehler;
  const auto start = std::chrono::steady_clock::now();
  const SimErgebnis e = RunSimulation(s, sim, zaehler);
  erg.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
  // Five pre-run days come before the counted ones, in every full run.
  erg.schritte = (zaehler.tage + 5LL * sim.EnevDurchlaeufe) * 24LL * s.plant.ZeitZoom;
  if (e != SimErgebnis::Fertig) {
    erg.fehler = e == SimErgebnis::Abgebrochen ? "Simulation abgebrochen"
                 : e == SimErgebnis::Ungueltig ? "Simulation abgebrochen: ein Ergebnis ist keine endliche Zahl"
                                               : "Die Anlage kann nicht simuliert werden";
    return false;
  }
  return true;
}

std::string TavsimTabelle(const ResultState& r, const TavsimErgebnis& erg) {
  std::string out = "month";
  for (const char* name : kArrayNamen) out += std::string("\t") + name;
  out += "\n";
  for (int m = 1; m <= 13; ++m) {
    out += std::to_string(m);
    for (int k = 1; k <= kMonatswerteAnzahl; ++k) {
      const float v = r.SimMonatswerte(k)[static_cast<std::size_t>(m)];
      // Energies in kWh; the heating shares have no unit.
      out += "\t" + FloatToPointStr(1, 3, k == mwHeizanteil ? v : v / 1000.0);
    }
    out += "\n";
  }
  out += "# steps " + std::to_string(erg.schritte) + " wall_ms " + FloatToPointStr(1, 1, erg.wallMs) +
         "\n";
  return out;
}

}  // namespace tav
