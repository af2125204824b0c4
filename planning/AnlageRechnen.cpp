#include "planning/AnlageRechnen.h"

#include <algorithm>
#include <cmath>

#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"

namespace tav {

namespace {
constexpr double kWasser = 4.1868;  // kJ/(kg K)
}

std::optional<double> LiterZuKWh(double liter, double warm, double kalt) {
  if (!(warm > kalt)) return std::nullopt;
  return (warm - kalt) * kWasser * liter / 3600.0;
}

std::optional<double> KWhZuLiter(double kwh, double warm, double kalt) {
  if (!(warm > kalt)) return std::nullopt;
  return kwh * 3600.0 / kWasser / (warm - kalt);
}

double FWELiterProMin(double watt) { return watt / 1000.0 * 3600.0 / kWasser / 60.0 / 35.0; }

double FWEWatt(double literProMin, double kaltwasser) {
  return literProMin * 1000.0 * 60.0 * kWasser / 3600.0 * (45.0 - kaltwasser);
}

int DaemmungPosition(double kWert) {
  return std::clamp(static_cast<int>(std::lround((1.3 - kWert) * 20.0)), 1, 24);
}

double DaemmungKWert(int position) { return 1.3 - position / 20.0; }

std::pair<int, int> PoolSaison(const std::function<float(int)>& temperatur, float schwelle) {
  auto warm = [&](int d) { return temperatur(d) > schwelle; };
  auto kalt = [&](int d) { return temperatur(d) < schwelle; };
  // The season running forwards from its first warm day.
  auto endeAb = [&](int start) {
    for (int d = start + 1; d <= 365; ++d)
      if (kalt(d)) return d - 1;
    return 365;
  };
  int start = 0;
  for (int d = 1; d <= 364 && start == 0; ++d)
    if (warm(d)) start = d;
  if (start == 0) return {365, 365};
  const int ende = endeAb(start);
  if (start == 1 && ende < 365) {
    // Warm at the new year: a later season that lasts to the year's end is the same season.
    for (int d = ende + 1; d <= 364; ++d) {
      if (!warm(d)) continue;
      if (endeAb(d) == 365) return {d, ende};
      break;
    }
  }
  return {start, ende};
}

HeizPruefung PruefeHeizbedarf(double qnW, double qaKWh,
                              const std::function<double(double)>& jahresbedarfWh) {
  HeizPruefung r;
  if (qnW > 0.0) {
    r.knopfAktiv = true;
    if (qaKWh == 0.0) return r;  // nothing to compare with
    double qc = std::round(jahresbedarfWh(qnW) / 10000.0) * 10.0;
    if (std::abs(qc - qaKWh) > 0.5 * qaKWh) {
      r.warnung = true;
      const double qn = qc > 0.0 ? qaKWh / qc * qnW : 0.0;
      r.qnormKW = qn / 1000.0;
      qc = qaKWh;
    }
    r.farbe = std::abs(qc - qaKWh) > 0.25 * qaKWh ? HeizFarbe::Rot : HeizFarbe::Gruen;
    return r;
  }
  if (qaKWh > 0.0) {
    r.knopfAktiv = true;
    const double jahr = jahresbedarfWh(1000.0);
    r.qnormKW = jahr > 0.0 ? qaKWh / jahr * 1000.0 : 0.0;
  }
  return r;
}

double SparFaktor(int nutzgrad) {
  const double f = nutzgrad <= 0 ? 1000.0 : 100.0 / nutzgrad;
  return std::min(f, 3.0);
}

int NutzgradBeiTemperatur(float temp, int winter, int fruehlingHerbst, int sommer) {
  if (temp < 5.0f) return winter;
  if (temp > 15.0f) return sommer;
  return fruehlingHerbst;
}

std::string ViertelstundeText(int i) {
  auto hMin = [](double stunden) {
    const int h = static_cast<int>(std::floor(stunden + 1e-9));
    const int min = static_cast<int>(std::lround((stunden - h) * 60.0));
    return FloatToPointStr(1, 2, h + min / 100.0);
  };
  return hMin(i / 4.0 - 0.25) + " - " + hMin(i / 4.0) + " h";
}

AnlageSicht SichtFuer(const PlantState& p) {
  AnlageSicht s;
  switch (p.AnlagenTypNr) {
    case 1:
      s.anzahl = true;
      s.pool = s.antiLeg = p.BivSpTyp == 0 || p.BivSpTyp == 2;
      s.elektro = p.BivSpTyp == 0 || p.BivSpTyp == 1;
      s.thermosiphon = p.BivSpTyp == 4;
      if (s.thermosiphon) s.antiLeg = false;
      break;
    case 2:
      s.temp2 = s.heizgrenze = s.anzahl = true;
      break;
    case 3:
      s.temp2 = s.heizgrenze = s.anzahl = s.gruppe5 = s.solHeiz = true;
      break;
    case 4:
      s.antiLeg = s.maxTemp2 = s.speicher2 = true;
      s.labelSp2 = TX::FormAnlageLabel26a;
      break;
    case 5:
      s.antiLeg = s.speicher2 = s.kaskade = true;
      s.durchlauf = p.KaskadeTyp == 14;
      if (s.durchlauf) s.antiLeg = false;
      s.labelSp1 = TX::FormAnlageLabel23b;
      s.labelSp2 = TX::FormAnlageLabel26a;
      break;
    case 6:
      s.heizgrenze = s.speicher2 = s.anzahl = s.gruppe6 = s.solHeiz = s.kombi = s.heizkreis = true;
      s.pool = p.KombiSpTyp != 12;
      s.labelSp1 = TX::FormAnlageLabel23c;
      s.labelSp2 = TX::FormAnlageLabel26b;
      if (p.KombiSpTyp == 12) s.hkItems = 5;
      break;
    case 7:
      s.maxTemp2 = s.heizgrenze = s.speicher2 = s.gruppe6 = s.solHeiz = s.heizkreis = true;
      s.labelSp2 = TX::FormAnlageLabel26c;
      break;
    case 8:
      s.fwe = s.heizgrenze = s.pool = s.gruppe6 = s.anzahl = s.solHeiz = s.heizkreis = true;
      s.stuetzTemp = s.kaltEditierbar = s.lowFlow = false;
      s.labelSp1 = TX::FormAnlageLabel26c;
      break;
    default:
      break;
  }
  return s;
}

int GesamtVolumen(int typ, int anzahl, int v1, int v2) {
  const bool zwei = typ == 3 || typ == 4 || typ == 5 || typ == 6 || typ == 8;
  return anzahl * (v1 + (zwei ? v2 : 0));
}

std::string HeizerBildName(const std::string& name) {
  const std::string text = UpperCaseText(name);
  const auto hat = [&](std::size_t i) {
    for (std::string_view code : HeizerKennung[i])
      if (text.find(UpperCaseText(code)) != std::string::npos) return true;
    return false;
  };
  if (hat(0)) return "WQ1";
  if (hat(1) && !hat(2)) return "WQ2";
  if (hat(2)) return "WQ3";
  if (hat(3)) return "WQ4";
  return {};
}

}  // namespace tav
