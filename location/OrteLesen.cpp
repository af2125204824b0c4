#include "location/OrteLesen.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/KatalogDiensteDatei.h"
#include "location/Orte.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr char kFehlt[] = "\x01";  // default that tells a missing key from any stored text

// A catalogue number. The values are kept in single precision later, so a number beyond its
// range is no number either.
bool LeseZahl(std::string_view text, double& wert) {
  return katalog::LeseZahl(text, wert) && std::isfinite(static_cast<float>(wert));
}

}  // namespace

bool ParseMonatsliste(std::string_view text, std::array<double, 13>& werte) {
  bool ok = true;
  for (int m = 1; m <= 12; ++m) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    std::size_t ende = text.find_first_of(" \t");
    if (ende == std::string_view::npos) ende = text.size();
    double w = 0.0;
    if (ende > 0 && LeseZahl(text.substr(0, ende), w)) {
      werte[m] = w;
    } else {
      werte[m] = ParseFehlerWert;
      ok = false;
    }
    text.remove_prefix(ende);
  }
  // A thirteenth value means the list is not what it seems (a value split by a blank).
  return ok && text.find_first_not_of(" \t") == std::string_view::npos;
}

OrteLeser::OrteLeser(const TBigIniFile& ini, std::string dateiName, bool nurOrtSektionen)
    : ini_(ini), datei_(dateiName), probleme_(std::move(dateiName)) {
  for (int i = 0; i < ini_.SectionCount(); ++i) {
    if (nurOrtSektionen && ini_.SectionNameAt(i).compare(0, 3, "Ort") != 0) continue;
    sektionen_.push_back(i);
  }
  fehlerhaft_.assign(sektionen_.size(), false);
}

void OrteLeser::Problem(int i, std::string text) {
  fehlerhaft_[static_cast<std::size_t>(i)] = true;
  probleme_.Add(std::move(text));
}

TOrt OrteLeser::Lese(int i, int n, NameDefault art) {
  const int idx = sektionen_.at(static_cast<std::size_t>(i));
  const std::string& sektion = ini_.SectionNameAt(idx);
  auto wert = [&](std::string_view key) { return ini_.ReadStringAt(idx, key, kFehlt); };
  bool zahlenFehler = false;
  bool datenFehler = false;

  TOrt o;
  o.Name = ini_.ReadStringAt(idx, "Name",
                             "Ort Nr." + (art == NameDefault::MitDezimale
                                              ? FloatToPointStr(1, 1, n)
                                              : std::to_string(n)));
  o.Land = ini_.ReadStringAt(idx, "Land", "-");
  o.PLZ = ini_.ReadStringAt(idx, "PLZ", "");

  auto zahl = [&](std::string_view key, float& feld) {
    const std::string t = wert(key);
    if (t == kFehlt) return;
    double w = 0.0;
    if (LeseZahl(t, w))
      feld = static_cast<float>(w);
    else
      zahlenFehler = true;
  };
  zahl("GeoBreite", o.GeoBreite);
  zahl("GeoLaenge", o.GeoLaenge);

  auto ganzzahl = [&](std::string_view key, long long min, long long max, long long& feld) {
    const std::string t = wert(key);
    if (t == kFehlt) return;
    long long w = 0;
    if (!katalog::LeseGanzzahl(t, w))
      zahlenFehler = true;
    else if (w < min || w > max)
      datenFehler = true;
    else
      feld = w;
  };
  long long hoehe = o.Hoehe;
  ganzzahl("Hoehe", std::numeric_limits<std::int32_t>::min(),
           std::numeric_limits<std::int32_t>::max(), hoehe);
  o.Hoehe = static_cast<std::int32_t>(hoehe);
  long long zone = o.wsTempZone;
  ganzzahl("wsTempZone", 0, 255, zone);
  o.wsTempZone = static_cast<std::uint8_t>(zone);
  long long zeitzone = o.Zeitzone;
  ganzzahl("Zeitzone", -128, 127, zeitzone);
  o.Zeitzone = static_cast<std::int8_t>(zeitzone);

  // A missing or bad monthly list would feed the weather synthesis with 999.
  if (!ParseMonatsliste(wert("Einstrahlung") == kFehlt ? "" : wert("Einstrahlung"),
                        o.Einstrahlung))
    zahlenFehler = true;
  if (!ParseMonatsliste(wert("LuftTemp") == kFehlt ? "" : wert("LuftTemp"), o.LuftTemp))
    zahlenFehler = true;

  o.Zeitzone = GeltendeZeitzone(o.Zeitzone, o.GeoLaenge);
  if (o.Land == "-") CalcLand(o);

  if (zahlenFehler) Problem(i, ReplaceHashMark(T(TX::ZahlenangabenPruefen), Zitat(sektion)));
  if (datenFehler) Problem(i, "Datenfehler bei " + Zitat(sektion) + "!");
  return o;
}

bool OrteLeser::SektionFehlerhaft(int i) const {
  return fehlerhaft_.at(static_cast<std::size_t>(i));
}

void OrteLeser::ZuvieleEintraege() { probleme_.Add(T(TX::WarnZuvieleE) + " " + datei_); }

void OrteLeser::Melde() { probleme_.Melde(); }

}  // namespace tav
