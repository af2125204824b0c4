#include "location/Wetter.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

static_assert(std::endian::native == std::endian::little,
              "the weather file holds little-endian floats and is copied as such");
static_assert(WetDateiBytes == 315410);

namespace {


// The name field: the location name in the code page, cut to 50 bytes, blank-padded.
std::string NamensFeld(const std::string& standort) {
  std::string feld = EncodeCodePage(standort, CodePage::Cp1252).substr(0, WetNameBytes);
  feld.resize(WetNameBytes, ' ');
  return feld;
}

std::string FehlerLesen(const std::string& name) {
  return ReplaceHashMark(T(TX::FehlerDateiLesen), name);
}

// What the hourly values of a weather year may be: the irradiances cannot be negative nor
// reach far beyond the solar constant, the air temperature stays within the extremes ever
// measured on earth with some room. A value outside has not come from weather.
struct Grenzen {
  TX groesse;
  const char* einheit;
  float min, max;
};
constexpr Grenzen kGrenzen[kWetterKanaele] = {
    {TX::WetterDirektstrahlung, "W/m²", 0.0f, 1500.0f},
    {TX::WetterDiffusstrahlung, "W/m²", 0.0f, 1500.0f},
    {TX::WetterLufttemperatur, "°C", -100.0f, 70.0f},
};

// A value as the file holds it: the shortest text that reads back as the same float, with
// the decimal comma ("1E30", "-5", "0,5").
std::string FloatText(float w) {
  char buf[32];
  const auto [ende, ec] = std::to_chars(buf, buf + sizeof buf, w);
  std::string t = ec == std::errc() ? std::string(buf, ende) : std::string("?");
  for (char& c : t) c = c == '.' ? ',' : c == 'e' ? 'E' : c;
  if (const auto plus = t.find("E+"); plus != std::string::npos) t.erase(plus + 1, 1);
  return t;
}

// Why the values of a weather file cannot be weather, empty when they can: the first value
// that is no number or lies outside its bounds, with its year, hour and quantity.
std::string UnmoeglicherWert(const std::vector<float>& werte) {
  const std::size_t proKanal = kStundenProJahr;
  for (std::size_t i = 0; i < werte.size(); ++i) {
    const float w = werte[i];
    const std::size_t kanal = (i / proKanal) % kWetterKanaele;
    const Grenzen& g = kGrenzen[kanal];
    if (std::isfinite(w) && w >= g.min && w <= g.max) continue;
    const std::size_t jahr = i / (proKanal * kWetterKanaele) + 1;
    const std::size_t stunde = i % proKanal;
    const std::string wert = std::isfinite(w) ? FloatText(w) : (std::isnan(w) ? "NaN" : T(TX::WertUnendlich));
    return TextMit(TX::WetterWertAusserhalb, {std::to_string(jahr), std::to_string(stunde), T(g.groesse),
                                              wert + " " + g.einheit, IniFloatToStr(g.min),
                                              IniFloatToStr(g.max) + " " + g.einheit});
  }
  return {};
}

}  // namespace

bool SaveWetterDaten(TavState& s, const std::string& name, StatusSink& status) {
  // A store without valid weather must not become a file that later passes for it.
  if (!s.run.SolarklimadatenOK) {
    ShowMessageLines(T(TX::KlimadatenFehlerSchreiben) + "|" + name);
    return false;
  }
  const std::vector<float>& werte = s.weather.WetterDaten.Werte;
  // What the reader would refuse is not written either: too few values, or one that cannot
  // be weather.
  std::string falsch;
  if (werte.size() * sizeof(float) < 3 * WetJahrBytes)
    falsch = TextMit(TX::AnzahlStattWerte,
                     {std::to_string(werte.size()), std::to_string(3 * WetJahrBytes / sizeof(float))});
  else
    falsch = UnmoeglicherWert(werte);
  if (!falsch.empty()) {
    ShowMessageLines(T(TX::KlimadatenFehlerSchreiben) + "|" + name + ": " + falsch);
    return false;
  }
  status.Status(ReplaceHashMark(T(TX::DateiSchreiben), name));
  std::string bytes = NamensFeld(s.plant.Standort);
  const std::size_t anfang = bytes.size();
  bytes.resize(WetDateiBytes);
  std::memcpy(bytes.data() + anfang, werte.data(), 3 * WetJahrBytes);
  std::string fehler;
  const bool ok = WriteFileAtomic(katalog::DatenPfad(s, name), bytes, &fehler);
  status.Status("");
  if (!ok) ShowMessageLines(T(TX::KlimadatenSchreibfehler) + "|" + fehler);
  return ok;
}

WetterLaden LoadWetterDaten(TavState& s, const std::string& name, StatusSink& status,
                            const std::string* standort) {
  const auto pfad = katalog::DatenPfad(s, name);
  std::error_code ec;
  if (!std::filesystem::exists(pfad, ec)) {
    ShowMessageLines(name + " " + T(TX::Meldung_nichtgefunden));
    return WetterLaden::Fehlt;
  }
  std::string bytes;
  std::string grund;
  if (!ReadWholeFile(pfad, bytes, &grund, WetDateiBytes)) {
    ShowMessageLines(FehlerLesen(name) + "|" + grund);
    return WetterLaden::Beschaedigt;
  }
  if (bytes.size() != WetDateiBytes) {
    ShowMessageLines(FehlerLesen(name) + "|" + std::string(pfad) + ": " +
                     TextMit(TX::AnzahlStattBytes, {std::to_string(bytes.size()), std::to_string(WetDateiBytes)}));
    return WetterLaden::Beschaedigt;
  }
  if (standort && bytes.compare(0, WetNameBytes, NamensFeld(*standort)) != 0)
    return WetterLaden::AndererStandort;
  std::vector<float> werte(3 * WetJahrBytes / sizeof(float));
  std::memcpy(werte.data(), bytes.data() + WetNameBytes, 3 * WetJahrBytes);
  if (const std::string falsch = UnmoeglicherWert(werte); !falsch.empty()) {
    ShowMessageLines(FehlerLesen(name) + "|" + falsch);
    return WetterLaden::Beschaedigt;
  }
  s.weather.WetterDaten.Werte = std::move(werte);
  status.Status(ReplaceHashMark(T(TX::DateiEingelesen), name));
  return WetterLaden::Ok;
}

bool ExportKlimgenDaten(const TavState& s, const std::string& name, StatusSink& status) {
  std::string text;
  text.reserve(2 + 3 * kStundenProJahr * 28);
  text += s.plant.Standort + "\r\n";
  text += "H\tG_dir_norm\tG_diff_hor\tTa\r\n";
  const auto& w = s.weather.WetterDaten;
  for (int jahr = 1; jahr <= kWetterSaetze; ++jahr) {
    for (int h = 0; h < kStundenProJahr; ++h) {
      text += std::to_string(h);
      for (int k = 0; k < kWetterKanaele; ++k) {
        text += '\t';
        text += FloatToCommaStr(6, 2, w(jahr, k, h));
      }
      text += "\r\n";
    }
  }
  return katalog::SchreibeKatalog(katalog::DatenPfad(s, name), text, name, T(TX::KlimadatenSchreibfehler), status);
}

}  // namespace tav
