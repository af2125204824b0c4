#include "simulation/WerteBereiche.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

using P = PlantState;

// Temperatures of water stay between freezing and what the dialogs allow for a store (150 °C);
// the stores' upper limits may go further, as the engine stops a store above 120 °C itself.
// Amounts reach far beyond any single house, as the wizard sizes large plants too.
constexpr std::array kProjekt = {
    WertBereich{"KollektorFlaeche", 0.0, 1e5, &P::KollektorFlaeche},
    WertBereich{"KollektorAzimut", -360.0, 360.0, &P::KollektorAzimut},
    WertBereich{"KollektorNeigung", 0.0, 90.0, &P::KollektorNeigung},
    WertBereich{"KollektorFlaeche2", 0.0, 1e5, &P::KollektorFlaeche2},
    WertBereich{"KollektorAzimut2", -360.0, 360.0, &P::KollektorAzimut2},
    WertBereich{"KollektorNeigung2", 0.0, 90.0, &P::KollektorNeigung2},
    WertBereich{"KollektorFlow", 0.0, 1000.0, &P::KollektorFlow},
    WertBereich{"Kaltwassertemp", 0.0, 100.0, &P::Kaltwassertemp},
    WertBereich{"Warmwassertemp", 0.0, 150.0, &P::Warmwassertemp},
    WertBereich{"Minimaltemp", 0.0, 150.0, &P::Minimaltemp},
    WertBereich{"Maximaltemp", 0.0, 200.0, &P::Maximaltemp},
    WertBereich{"Maximaltemp2", 0.0, 200.0, &P::Maximaltemp2},
    WertBereich{"MaxTempWinter", 0.0, 200.0, &P::MaxTempWinter},
    WertBereich{"Warmwasserverbrauch", 0.0, 1e8, &P::Warmwasserverbrauch},  // Wh per day
    WertBereich{"ZiLaenge", 0.0, 1e4, &P::ZiLaenge},
    WertBereich{"ZiVol", 0.0, 1e4, &P::ZiVol},
    WertBereich{"PoolTemp", 0.0, 60.0, &P::PoolTemp},
    WertBereich{"PoolVol", 0.0, 1e5, &P::PoolVol},
    WertBereich{"PoolSpminTemp", 0.0, 100.0, &P::PoolSpminTemp},
    WertBereich{"Heiztemp", 0.0, 150.0, &P::Heiztemp},
    WertBereich{"Heizgrenztemp", -20.0, 50.0, &P::Heizgrenztemp},
    WertBereich{"Heizwaermebedarf", 0.0, 1e11, &P::Heizwaermebedarf},  // Wh per year
    WertBereich{"Heiztauscherleistung", 0.0, 1e8, &P::Heiztauscherleistung},
    WertBereich{"HeiztauscherDeltaT", 0.0, 100.0, &P::HeiztauscherDeltaT},
    WertBereich{"FWEnennleistung", 0.0, 1e7, &P::FWEnennleistung},
    WertBereich{"FWEdTmin", 0.0, 50.0, &P::FWEdTmin},
    WertBereich{"Glykolanteil", 0.0, 100.0, &P::Glykolanteil},
    WertBereich{"Speicher1vol", 0.0, 1e7, &P::Speicher1vol},  // litres
    WertBereich{"Speicher2vol", 0.0, 1e7, &P::Speicher2vol},
    WertBereich{"SpeicherkWert", 0.0, 10.0, &P::SpeicherkWert},
    WertBereich{"SpeicherkWert2", 0.0, 10.0, &P::SpeicherkWert2},  // not in the file: store 2's copy
    WertBereich{"Speichertauscherleistung", 0.0, 1e4, &P::Speichertauscherleistung},
    WertBereich{"Solarkreislaenge", 0.0, 1e5, &P::Solarkreislaenge},
    WertBereich{"HeizQnorm", 0.0, 1e8, &P::HeizQnorm},
    WertBereich{"HeizTnorm", -60.0, 40.0, &P::HeizTnorm},
    WertBereich{"HeizTvor100", 0.0, 150.0, &P::HeizTvor100},
    WertBereich{"HeizTrck100", 0.0, 150.0, &P::HeizTrck100},
};

// Wider than physics where collector files hold such values: fitted test results may give a
// slightly negative quadratic loss; an optical efficiency far above 1 or a negative linear
// loss is no collector.
constexpr std::array kKollektor = {
    WertBereich{"Eta0", 0.0, 1.5, &P::KollEta0},
    WertBereich{"K1", 0.0, 200.0, &P::KollK1},
    WertBereich{"K2", -0.1, 10.0, &P::KollK2},
    WertBereich{"IAM50", 0.0, 1.5, &P::KollIAM50},
    WertBereich{"WkapC", 0.0, 1e6, &P::KollWkapC},
    WertBereich{"ModulFlaeche", 0.0, 1000.0, &P::KollModulFlaeche},
    WertBereich{"qmVolumen", 0.0, 100.0, &P::KollqmVolumen},
};

// The dialog offers the days of a 365-day year; a run in a leap year reaches day 366.
constexpr std::array kTage = {
    TagBereich{"PoolStart", 1, 366, &P::PoolStart},
    TagBereich{"PoolEnde", 1, 366, &P::PoolEnde},
};

template <typename B>
const B* Suche(std::span<const B> tabelle, std::string_view schluessel) {
  const auto it = std::find_if(tabelle.begin(), tabelle.end(),
                               [&](const B& b) { return EqualsNoCase(b.Schluessel, schluessel); });
  return it == tabelle.end() ? nullptr : &*it;
}

}  // namespace

std::span<const WertBereich> ProjektWertBereiche() { return kProjekt; }
std::span<const WertBereich> KollektorWertBereiche() { return kKollektor; }

std::span<const TagBereich> ProjektTagBereiche() { return kTage; }

const WertBereich* ProjektWertBereich(std::string_view schluessel) {
  return Suche(ProjektWertBereiche(), schluessel);
}
const WertBereich* KollektorWertBereich(std::string_view schluessel) {
  return Suche(KollektorWertBereiche(), schluessel);
}
const TagBereich* ProjektTagBereich(std::string_view schluessel) { return Suche(ProjektTagBereiche(), schluessel); }

std::string WertText(float x) {
  if (!std::isfinite(x)) return IniFloatToStr(x);
  char puffer[32];
  const auto [ende, ec] = std::to_chars(puffer, puffer + sizeof puffer, x);
  std::string text(puffer, ec == std::errc() ? ende : puffer);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string WerteAusserhalb(const PlantState& p) {
  std::string zeilen;
  for (const auto tabelle : {ProjektWertBereiche(), KollektorWertBereiche()}) {
    for (const WertBereich& b : tabelle) {
      // Compared as the working values are held: a bound such as -0.1 read from a file
      // becomes the float next to it.
      const float wert = p.*b.Feld;
      if (wert >= static_cast<float>(b.Min) && wert <= static_cast<float>(b.Max)) continue;
      if (!zeilen.empty()) zeilen += "|";
      zeilen += TextMit(TX::StartWertAusserhalb,
                        {std::string(b.Schluessel), WertText(wert), IniFloatToStr(b.Min), IniFloatToStr(b.Max)});
    }
  }
  for (const TagBereich& b : ProjektTagBereiche()) {
    const int tag = p.*b.Feld;
    if (!p.Pool || (tag >= b.Min && tag <= b.Max)) continue;
    if (!zeilen.empty()) zeilen += "|";
    zeilen += TextMit(TX::StartWertAusserhalb, {std::string(b.Schluessel), std::to_string(tag),
                                                std::to_string(b.Min), std::to_string(b.Max)});
  }
  return zeilen;
}

}  // namespace tav
