#include "catalogues/Wetter.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "catalogues/KatalogDiensteDatei.h"
#include "foundation/AtomicFile.h"
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

constexpr char kFehlerSchreiben[] = "Fehler beim Schreiben der Klimadaten";
constexpr char kSchreibfehler[] = "Schreibfehler beim Schreiben der Klimadaten";

// The name field: the location name in the code page, cut to 50 bytes, blank-padded.
std::string NamensFeld(const std::string& standort) {
  std::string feld = EncodeCodePage(standort, CodePage::Cp1252).substr(0, WetNameBytes);
  feld.resize(WetNameBytes, ' ');
  return feld;
}

std::string FehlerLesen(const std::string& name) {
  return ReplaceHashMark(T(TX::FehlerDateiLesen), name);
}

}  // namespace

bool SaveWetterDaten(TavState& s, const std::string& name, StatusSink& status) {
  // A store without valid weather must not become a file that later passes for it.
  if (!s.run.SolarklimadatenOK) {
    ShowMessageLines(std::string(kFehlerSchreiben) + "|" + name);
    return false;
  }
  status.Status(name + " schreiben ...");
  std::string bytes = NamensFeld(s.plant.Standort);
  const std::vector<float>& werte = s.weather.WetterDaten.Werte;
  const std::size_t anfang = bytes.size();
  bytes.resize(WetDateiBytes);
  std::memcpy(bytes.data() + anfang, werte.data(), 3 * WetJahrBytes);
  std::string fehler;
  const bool ok = WriteFileAtomic(katalog::DatenPfad(s, name), bytes, &fehler);
  status.Status("");
  if (!ok) ShowMessageLines(std::string(kSchreibfehler) + "|" + fehler);
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
  if (!ReadWholeFile(pfad, bytes, nullptr, WetDateiBytes) || bytes.size() != WetDateiBytes) {
    ShowMessageLines(FehlerLesen(name));
    return WetterLaden::Beschaedigt;
  }
  if (standort && bytes.compare(0, WetNameBytes, NamensFeld(*standort)) != 0)
    return WetterLaden::AndererStandort;
  std::vector<float> werte(3 * WetJahrBytes / sizeof(float));
  std::memcpy(werte.data(), bytes.data() + WetNameBytes, 3 * WetJahrBytes);
  for (float w : werte) {
    if (!std::isfinite(w)) {
      ShowMessageLines(FehlerLesen(name));
      return WetterLaden::Beschaedigt;
    }
  }
  s.weather.WetterDaten.Werte = std::move(werte);
  status.Status(name + " eingelesen!");
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
  return katalog::SchreibeKatalog(katalog::DatenPfad(s, name), text, name, kSchreibfehler, status);
}

}  // namespace tav
