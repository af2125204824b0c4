#include "results/Uebersicht.h"

#include <algorithm>

#include "foundation/PrintLayout.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr const char* kWarmwasserBedarf = "Warmwasser mit Speicherverlusten:";
constexpr const char* kHeizBedarf = "Heizwärmebedarf:";
constexpr const char* kSpezErtrag = "Spezifischer Kollektor-Jahresertrag:";
constexpr const char* kStrich = "\xE2\x80\x93";  // en dash

double Jahr(const TMonatsArray& a) {
  double s = 0.0;
  for (std::size_t m = 1; m <= 12; ++m) s += a[m];
  return s;
}

std::string KWh(double wh) { return FloatToCommaStr(6, 0, static_cast<float>(wh / 1000.0)) + " kWh/Jahr"; }

// A share in per cent, capped at 100; a dash without a divisor.
std::string Anteil(double a, double b, bool deckeln = true) {
  if (b == 0.0) return kStrich;
  double q = 100.0 * SafeDiv(a, b);
  if (deckeln) q = std::min(q, 100.0);
  return FloatToCommaStr(5, 1, static_cast<float>(std::max(q, 0.0))) + "%";
}

}  // namespace

TReport ErgebnisUebersicht(const TavState& g) {
  TReport r;
  r.Tabs = {230};
  const auto& e = g.results;
  const auto& p = g.plant;
  // The hot-water demand includes the store losses, as its label and the energy balance say.
  const double S = Jahr(e.SolarertragMonat), D = Jahr(e.WWBedarfMonat) + Jahr(e.VerlustMonat),
               H = Jahr(e.SolHeizenMonat),
               P = Jahr(e.PoolWaermeMonat), I = Jahr(e.KollEinstrahlungMonat);
  const double heiz = p.SolHeizung ? p.Heizwaermebedarf : 0.0;
  AddLine(r, T(TX::Ergebnisse), true, true);
  TLineBuilder().Add(kWarmwasserBedarf).Cell(KWh(D)).AppendTo(r);
  if (p.SolHeizung) TLineBuilder().Add(kHeizBedarf).Cell(KWh(heiz)).AppendTo(r);
  TLineBuilder().Add(T(TX::Solarertrag) + ":").Cell(KWh(S), true).AppendTo(r);
  TLineBuilder().Add(T(TX::Deckungsrate) + " " + T(TX::Warmwasser) + ":").Cell(Anteil(S - H - P, D)).AppendTo(r);
  if (p.SolHeizung)
    TLineBuilder().Add(T(TX::Deckungsrate) + " " + T(TX::gesamt) + ":").Cell(Anteil(S - P, D + heiz)).AppendTo(r);
  TLineBuilder().Add(T(TX::Wirkungsgrad) + ":").Cell(Anteil(S, I, false)).AppendTo(r);
  const double a = p.KollektorFlaecheGesamt;
  TLineBuilder()
      .Add(kSpezErtrag)
      .Cell(a > 0 ? FloatToCommaStr(6, 0, static_cast<float>(S / 1000.0 / a)) + " kWh/m²" : kStrich, true)
      .AppendTo(r);
  return r;
}

}  // namespace tav
