#include "simulation/PlantParams.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "foundation/Messages.h"
#include "foundation/Sums.h"

namespace tav {

namespace {

constexpr double kPi = 3.14159265358979323846;

double ZylinderOberflaeche(double v) {
  const double r = ZylinderRadius(v);
  return 2.0 * kPi * r * 6.0 * r + 2.0 * kPi * r * r;
}

// Volume changes when the plant type changes from a to n.
void PasseVolumenAn(PlantState& p, int n, int a) {
  float& v1 = p.Speicher1vol;
  float& v2 = p.Speicher2vol;
  auto tausche = [&] { std::swap(v1, v2); };
  auto tauscheT = [&] { std::swap(p.Maximaltemp, p.Maximaltemp2); };
  auto teile = [&](float zaehler) {
    if (1.1f * v2 >= v1) v2 = std::trunc(zaehler * v1 / 3.0f);
    v1 -= v2;
  };
  const bool ausEinem = a >= 1 && a <= 3;
  if (n >= 1 && n <= 3) {
    if (a >= 4 && a <= 7) v1 += v2;
  } else if (n == 4 || n == 5) {
    if (ausEinem && 1.1f * v2 < v1) v1 -= v2;
    if (a == 6) tausche();
    if (a == 8 && 1.5f * v2 < v1) v1 -= v2;
  } else if (n == 6) {
    if (ausEinem) teile(1.0f);
    if (a == 4 || a == 5) tausche();
    if (a == 7) {
      tausche();
      tauscheT();
    }
    if (a == 8 && 1.5f * v2 < v1) v1 -= v2;
  } else if (n == 7) {
    if (ausEinem) teile(2.0f);
    if (a == 6) {
      tausche();
      tauscheT();
    }
    if (a == 8) {
      tausche();
      if (1.5f * v1 < v2) v2 -= v1;
      tauscheT();
    }
  } else if (n == 8) {
    if (a == 4) teile(2.0f);
    if (a == 6) v1 += v2;
    if (a == 7) {
      tausche();
      v1 += v2;
      tauscheT();
    }
  }
}

}  // namespace

double Kombi9ObenVol(const PlantState& p) {
  const double v1 = p.Speicher1vol, v2 = p.Speicher2vol;
  const double r = ZylinderRadius(v1 + v2), h = 6.0 * r;
  const double ri = 0.7 * r;
  if (!(h > 0.0) || !(ri > 0.0)) return 0.0;
  const double hi = v2 / (1000.0 * kPi * ri * ri);
  return (v1 + v2) * hi / h - v2;
}

double ZylinderRadius(double v) { return std::cbrt(std::max(0.0, v) / (6000.0 * kPi)); }

void SetAnlgParam(PlantState& p, int n, SpeicherGeometrie* geo) {
  if (p.Minimaltemp > p.Warmwassertemp) p.Minimaltemp = p.Warmwassertemp;
  if (n == 2 && p.MaxTempWinter <= p.Warmwassertemp) p.MaxTempWinter = p.Warmwassertemp + 1.0f;
  if (n < 1 || n > kAnlagenTypen) {
    // An unknown type has no name, no store layout and no model: leave the plant as it is.
    ShowMessageLines("A_Typ - SetAnlgParam");
    return;
  }
  const int alt = p.AnlagenTypNr;
  PasseVolumenAn(p, n, alt);
  // A combi store made from single stores keeps the user's store count.
  if (n == 4 || n == 5 || n == 7 || (n == 6 && (alt == 4 || alt == 5 || alt == 7))) p.SpeicherAnz = 1;
  if (n == 8 && p.ZeitZoom < 10) p.ZeitZoom = 10;
  if (n == 1) p.PoolWTdir = true;
  if ((n >= 2 && n <= 5) || n == 7) p.Pool = false;
  if (n == 8) p.PoolWTdir = !p.LFTkreis;
  p.AnlagenTypNr = static_cast<std::uint8_t>(n);
  p.AnlagenTyp = std::string(AnlagenTypNamen[static_cast<std::size_t>(n)].substr(0, 20));
  SetSolHeizung(p, static_cast<std::uint8_t>(n));
  SpeicherGeometrie verworfen;
  SetSpeicherParam(p, geo ? *geo : verworfen);
  p.HeizkreisTyp = (n == 6 || n == 8) ? 2 : 4;
}

bool SetSpeicherParam(const PlantState& p, SpeicherGeometrie& g) {
  const double v1 = p.Speicher1vol, v2 = p.Speicher2vol;
  const double zoom = std::max<int>(p.ZeitZoom, 1);
  g.SpKnotenVol1 = static_cast<float>(v1 / 2.0);
  g.SpKnotenVol2 = static_cast<float>(v2 / 2.0);
  g.SpViertelVol1 = static_cast<float>(v1 / 4.0);
  g.SpMischVol = static_cast<float>(2.0 * g.SpKnotenVol1 / zoom);
  // The cap by store 2 only applies where there is a store 2; a single store still circulates.
  if (g.SpKnotenVol2 > 0.0f) g.SpMischVol = std::min(g.SpMischVol, static_cast<float>(g.SpKnotenVol2 / 2.0 / zoom));
  switch (p.AnlagenTypNr) {
    case 1:
    case 2:
    case 3:
      g.SpFlaeche1 = static_cast<float>(ZylinderOberflaeche(v1));
      if (p.BivSpTyp == 3) {
        g.SpObenVol = static_cast<float>(v1 * 60.0 / 160.0);
        g.SpUntenVol = static_cast<float>(v1 - g.SpObenVol);
      }
      break;
    case 5:
      g.SpKnotenVol1 = static_cast<float>(p.KaskadeTyp == 13 ? v1 / 2.0 : g.SpKnotenVol2);
      [[fallthrough]];
    case 4:
    case 7:
      g.SpFlaeche1 = static_cast<float>(ZylinderOberflaeche(v1));
      g.SpFlaeche2 = static_cast<float>(ZylinderOberflaeche(v2));
      break;
    case 8: {
      const double r = ZylinderRadius(v1);
      const double mantel = 2.0 * kPi * r * 6.0 * r;
      g.SpFlaeche1 = static_cast<float>(mantel);
      g.SpFlaeche2 = static_cast<float>(mantel / 4.0 + 2.0 * kPi * r * r);
      break;
    }
    case 6: {
      g.NachheizLeistung = static_cast<float>(v1 / 100.0 * 1000.0);
      for (int k = 0; k <= 5; ++k) g.SpKnotenVolN[k] = static_cast<float>(v1 / 6.0);
      g.SpKnotenVolN[11] = static_cast<float>(v2 / 3.0);
      for (int k = 6; k <= 10; ++k) g.SpKnotenVolN[k] = static_cast<float>((v2 - g.SpKnotenVolN[11]) / 5.0);
      const double r = ZylinderRadius(v1 + v2), h = 6.0 * r;
      g.SpFlaeche1 = static_cast<float>(2.0 * kPi * r * h + 2.0 * kPi * r * r);
      switch (p.KombiSpTyp) {
        case 5:
        case 6:
          g.SpFlaeche2 = static_cast<float>(2.0 * kPi * ZylinderRadius(v2) * h);
          break;
        case 7: {
          const double hh = 0.8 * h;
          const double a = std::sqrt((3.0 * v2 / 1000.0) / (kPi * hh * 2.3125));
          const double b = 3.0 * a / 4.0, m = (a + b) / 2.0;
          const double s = std::sqrt((a - b) * (a - b) + hh * hh);
          g.WTFlaecheOben = static_cast<float>(kPi / 2.0 * s * (a + m) + 1.1 * kPi * a * a);
          g.WTFlaecheUnten = static_cast<float>(kPi / 2.0 * s * (m + b) + 1.3 * kPi * b * b);
          g.SpFlaeche2 = g.WTFlaecheOben + g.WTFlaecheUnten;
          g.Sp2ObenVol = static_cast<float>((a * a + a * m + m * m) * (hh / 2.0 * kPi / 3.0) * 1000.0);
          g.Sp2UntenVol = static_cast<float>((m * m + m * b + b * b) * (hh / 2.0 * kPi / 3.0) * 1000.0);
          g.SpObenVol = static_cast<float>((v1 + v2) / 2.0 - g.Sp2ObenVol);
          g.SpUntenVol = static_cast<float>(v1 - g.SpObenVol);
          break;
        }
        case 8:
        case 10:
        case 11: {
          const double laenge = (v2 / 1000.0) / (kPi * 0.035 * 0.035);
          g.SpFlaeche2 = static_cast<float>(6.2 * kPi * 0.035 * laenge);
          break;
        }
        case 9: {
          const double ri = 0.7 * r;
          const double hi = v2 / (1000.0 * kPi * ri * ri);
          g.Sp2ObenVol = static_cast<float>(0.9 * v2);
          g.Sp2UntenVol = static_cast<float>(v2 - g.Sp2ObenVol);
          g.SpFlaeche2 = static_cast<float>(2.0 * kPi * ri * hi);
          g.WTFlaecheOben = 0.95f * g.SpFlaeche2;
          g.WTFlaecheUnten = static_cast<float>(0.05 * g.SpFlaeche2 + 1.1 * kPi * ri * ri);
          double oben = Kombi9ObenVol(p);
          // Deliberate: a tall inner cylinder would leave the lower node with a negative volume
          // (the run refuses such a store; the dialogs still get a usable geometry).
          if (oben <= 0.0 || oben >= v1) oben = v1 / 2.0;
          g.SpObenVol = static_cast<float>(oben);
          g.SpUntenVol = static_cast<float>(v1 - oben);
          break;
        }
        case 12: {
          const double q = std::cbrt(g.SpKnotenVolN[11] / (500.0 * kPi));
          g.WTFlaecheOben = static_cast<float>(2.5 * kPi * q * q);
          const double w = r > 0 ? g.SpKnotenVolN[6] / (1000.0 * r * kPi) : 0.0;
          g.WTFlaecheUnten = static_cast<float>(2.0 * kPi * w * h * 5.0 / 6.0);
          break;
        }
        default:
          ShowMessageLines("unbekannter Kombipuffer");
          break;
      }
      break;
    }
    default:
      ShowMessageLines("A_Typ unbekannt");
      return false;
  }
  g.SpWTFlaeche1 = static_cast<float>(v1 >= 1000.0 ? 2.0 * v1 / 1000.0
                                                   : 0.00207 * v1 + 0.643 - 7.143e-7 * v1 * v1);
  return true;
}

void CheckAnlagenTyp(PlantState& p) {
  int nr = 0;
  for (int k = 1; k <= kAnlagenTypen; ++k) {
    if (p.AnlagenTyp == AnlagenTypNamen[static_cast<std::size_t>(k)]) nr = k;
  }
  if (nr == 0) {
    ShowMessageLines("Unbekannter Anlagentyp wird ignoriert");
    nr = 1;
  }
  p.AnlagenTypNr = AnlagenTypZuordnung[static_cast<std::size_t>(nr)];
  p.AnlagenTyp = std::string(AnlagenTypNamen[p.AnlagenTypNr].substr(0, 20));
}

namespace {
int SucheSpTyp(std::string_view code) {
  int gefunden = -1;
  for (int k = 1; k <= SpeicherTypAnzahl; ++k) {
    if (SpeicherTypen[static_cast<std::size_t>(k)].Name == code) gefunden = SpeicherTypen[static_cast<std::size_t>(k)].Code;
  }
  return gefunden;
}
}  // namespace

std::uint8_t FindSpTypNr(std::string_view code) {
  const int c = SucheSpTyp(code);
  return static_cast<std::uint8_t>(c < 0 ? 0 : c);
}

std::uint8_t FindSpTypNrOr11(std::string_view code) {
  const int c = SucheSpTyp(code);
  return static_cast<std::uint8_t>(c < 0 || c == 17 ? 11 : c);
}

std::uint8_t FindSpTypNrOr17(std::string_view code) {
  const int c = SucheSpTyp(code);
  return static_cast<std::uint8_t>(c < 0 ? 17 : c);
}

std::uint8_t FindSpTypNr16(std::string_view /*code*/) { return 16; }

double ZahlMitPraefix(double x, std::string& praefix) {
  struct Stufe {
    double grenze;
    const char* text;
  };
  static constexpr Stufe kStufen[] = {{1e3, "  "}, {1e6, " k"}, {1e9, " M"}, {1e12, " G"}, {1e15, "E6 M"}, {1e18, "E9 M"}};
  double teiler = 1.0;
  for (const auto& st : kStufen) {
    if (x < st.grenze) {
      praefix = st.text;
      return x / teiler;
    }
    teiler = st.grenze;
  }
  praefix = "****";
  return x;
}

}  // namespace tav
