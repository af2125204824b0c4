#include "foundation/Sums.h"

#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/TextTable.h"
#include "foundation/TavUtil.h"

namespace tav {

void CalcYearSums(ResultState& r) {
  // Only the arrays that carry an annual total; the reserves and the heating shares give
  // slot 13 a meaning of their own.
  for (TMonatswert k : ResultState::SummenArrays) {
    TMonatsArray& a = r.SimMonatswerte(k);
    float sum = 0.0f;
    for (int m = 1; m <= 12; ++m) sum += a[m];
    a[13] = sum;
  }
}

namespace {

// Months 1..12 weighted with their days, summed in double precision.
template <class Monate>
double DayWeightedSum(const Monate& v) {
  double sum = 0.0;
  for (int m = 1; m <= 12; ++m) sum += static_cast<double>(v[m]) * MonatsTage[m];
  return sum;
}

}  // namespace

double SumMonthsByDays(const std::array<double, 13>& v) { return DayWeightedSum(v); }
double SumMonthsByDaysS(const TMonatsArray& v) { return DayWeightedSum(v); }

bool AnyMonthNot100(const std::array<std::int32_t, 13>& p) {
  for (int m = 1; m <= 12; ++m) {
    if (p[m] != 100) return true;
  }
  return false;
}

void SetSolHeizung(PlantState& p, std::uint8_t typ) {
  switch (typ) {
    case 1: case 4: case 5:
      p.SolHeizung = false;
      break;
    case 2: case 3: case 6: case 7: case 8:
      p.SolHeizung = true;
      break;
    default:
      ShowMessageLines("A_Typ - SetSolHeizung");
  }
}

TRgb ValueToColor(std::int32_t v) {
  if (v > 100) v = 100;
  if (v < 0) v = 0;
  TRgb c;
  if (v <= 50) {
    c.B = 255;
    c.G = static_cast<std::uint8_t>(static_cast<int>(v / 50.0 * 250.0));
  } else {
    c.G = 255;
    c.B = static_cast<std::uint8_t>(static_cast<int>((100 - v) / 50.0 * 250.0));
  }
  return c;
}

const std::array<TRgb, 10> DiagrammFarben = {{{244, 244, 244},
                                             {0, 0, 0},
                                             {98, 143, 206},
                                             {255, 255, 255},
                                             {43, 80, 156},
                                             {163, 188, 227},
                                             {98, 143, 206},
                                             {255, 255, 255},
                                             {0, 0, 128},
                                             {255, 255, 255}}};

std::string PlantTypeText(const PlantState& p, const TTextTable& t, bool langForm) {
  const int typ = p.AnlagenTypNr;
  if (typ < 1 || typ > 8) {
    ShowMessageLines("A_Typ unbekannt");
    return std::string();
  }
  const bool thermosiphon = typ == 1 && p.BivSpTyp == 4;
  if (langForm) {
    static constexpr TX lang[] = {TX::Anlage1, TX::Anlage2, TX::Anlage3, TX::Anlage4,
                                  TX::Anlage5, TX::Anlage6, TX::Anlage7, TX::Anlage8};
    std::string s = thermosiphon ? RemoveAmpersands(t[TX::FormAnlageSchema1_TSS])
                                 : t[lang[typ - 1]];
    if (typ == 5) {
      s += ", " + t[TX::Vorwaermspeicher] + "/" +
           (p.KaskadeTyp == 13 ? t[TX::Boiler] : t[TX::Durchlauferhitzer]);
    }
    if (typ == 8 && p.LFTkreis) s += ", Low-Flow";
    if (p.Pool) s += ", " + t[TX::TabPool];
    return s;
  }
  if (thermosiphon) return RemoveAmpersands(t[TX::FormAnlageSchema1_TSS]);
  std::string s = t.AnlagenKurzNamen[typ];
  if (typ >= 6) {
    s += " (" + std::to_string(p.HeizkreisTyp) + (typ == 8 && p.LFTkreis ? "), Low-Flow" : ")");
  }
  return s;
}

std::string ModulAnzahlText(float flaeche, float modul) {
  const float m = ModulFlaecheOderEins(modul);
  if (std::fabs(m - 1.0f) <= 0.01f) return {};
  const double n = static_cast<double>(flaeche) / m;
  const double ganz = std::round(n);
  if (!(std::fabs(n - ganz) < 0.01) || ganz < 1.0) return {};
  if (ganz == 1.0) return "(1 " + T(TX::Kollektor) + ")";
  return "(" + std::to_string(static_cast<long long>(ganz)) + " " + T(TX::Kollektoren) + ")";
}

bool FindStorageForVolume(const CatalogueState& c, std::uint8_t typ, std::uint8_t kind,
                          std::string& name, std::uint16_t& vol2, std::uint16_t& vol1) {
  // Deliberate: the second volume is taken for types 6 and 7 too, so their second store
  // never keeps the volume of the tank before.
  const bool twoStores = typ == 6 || typ == 7;
  int required = vol1 + (twoStores ? vol2 : 0);
  const int count = std::min<int>(c.SpeicherlisteAnzahl, static_cast<int>(c.Speicherliste.size()) - 1);
  int start = 1;
  if (!name.empty()) {
    for (int i = 1; i <= count; ++i) {
      if (c.Speicherliste[i].Name == name) {
        start = i + 1;
        required = 0;
        break;
      }
    }
  }
  const auto search = [&](int from, int need) {
    for (int i = from; i <= count; ++i) {
      const TSpeicher& s = c.Speicherliste[i];
      if (s.Schema == typ && s.SpTypN == kind && s.SpVol1 + s.SpVol2 >= need) return i;
    }
    return 0;
  };
  int hit = search(start, required);
  if (hit == 0) hit = search(1, 0);
  if (hit == 0) return false;
  const TSpeicher& s = c.Speicherliste[hit];
  name = s.Name;
  vol1 = s.SpVol1;
  // Both two-store types size the second store with the tank, so both take its volume.
  if (twoStores) vol2 = s.SpVol2;
  return true;
}

}  // namespace tav
