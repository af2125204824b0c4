#include "results/PrintSelection.h"

#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"

namespace tav {

namespace {
constexpr std::uint8_t kAlle = dsReport | dsEnergiebilanz | dsOekologie;
}

std::uint8_t DruckSeitenBeimZeigen(std::uint8_t seiten) {
  seiten &= kAlle;
  return seiten == 0 ? std::uint8_t(dsReport) : seiten;
}

std::uint8_t DruckSeitenAus(bool report, bool energie, bool oeko) {
  return static_cast<std::uint8_t>((report ? dsReport : 0) | (energie ? dsEnergiebilanz : 0) | (oeko ? dsOekologie : 0));
}

bool AllesGewaehlt(std::uint8_t seiten) { return (seiten & kAlle) == kAlle; }

std::string DruckTitelZusatz(bool alles, bool report, bool energie, bool oeko, const std::string& captionReport,
                             const std::string& captionEnergie, const std::string& captionOeko) {
  if (alles) return std::string();
  std::string s;
  auto dazu = [&s](bool an, const std::string& c) {
    if (!an) return;
    if (!s.empty()) s += "/";
    s += RemoveAmpersands(c);
  };
  dazu(report, captionReport);
  dazu(energie, captionEnergie);
  dazu(oeko, captionOeko);
  return s.empty() ? s : " - " + s;
}

std::vector<TDruckSeite> DruckSeitenFolge(std::uint8_t seiten, bool pool) {
  std::vector<TDruckSeite> out;
  auto seite = [&out](TDruckTeilSeite teil, TX kopf) {
    out.push_back({teil, kopf, static_cast<std::uint8_t>(out.size() + 1), !out.empty()});
  };
  if (seiten & dsReport) seite(TDruckTeilSeite::Report, TX::SolarSim);
  if (seiten & dsEnergiebilanz) {
    seite(TDruckTeilSeite::Energie, TX::SolarBilanz);
    if (pool) seite(TDruckTeilSeite::Pool, TX::PoolBilanz);
  }
  if (seiten & dsOekologie) seite(TDruckTeilSeite::Oeko, TX::OekoBilanz);
  return out;
}

}  // namespace tav
