#include "results/Uebersicht.h"

#include <algorithm>

#include "foundation/PrintLayout.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/ResultReports.h"

namespace tav {

namespace {

double Jahr(const TMonatsArray& a) {
  double s = 0.0;
  for (std::size_t m = 1; m <= 12; ++m) s += a[m];
  return s;
}

std::string A(int w, int d, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}

std::string KWh(double wh) { return A(6, 0, wh / 1000.0) + " " + T(TX::kWhproJahr); }

// A share in per cent (the heating and total fractions by default); without a divisor a
// dash where the number's last digit would stand.
std::string Anteil(double a, double b, AnteilGrenze g = AnteilGrenze::Bruch) {
  if (b == 0.0) return LeerFeld(6, 1);
  return A(6, 1, 100.0 * Begrenzt(SafeDiv(a, b), g)) + "%";
}

}  // namespace

std::string TUebersichtErgebnisse::PlainText() const {
  std::string out = Titel;
  for (const TUebersichtZeile& z : Zeilen) out += "\n" + z.Abschnitt + "\t" + z.Text + "\t" + z.Wert;
  return out;
}

TUebersichtErgebnisse ErgebnisUebersicht(const TavState& g) {
  TUebersichtErgebnisse r;
  r.Titel = T(TX::Ergebnisse);
  const auto& e = g.results;
  const auto& p = g.plant;
  const bool heiz = p.SolHeizung, pool = p.Pool;
  // The hot-water demand includes the store losses, as its label and the energy balance say.
  const double S = Jahr(e.SolarertragMonat), D = Jahr(e.WWBedarfMonat) + Jahr(e.VerlustMonat),
               H = Jahr(e.SolHeizenMonat), Pw = Jahr(e.PoolWaermeMonat), I = Jahr(e.KollEinstrahlungMonat);
  const double hwb = heiz ? static_cast<double>(p.Heizwaermebedarf) : 0.0;
  const double anteil = e.HeizanteilMonat[13];  // the heated share of the year
  int zeile = heiz ? 2 : 3;
  const auto add = [&](const std::string& abschnitt, const std::string& text, const std::string& wert,
                       bool unter = false) { r.Zeilen.push_back({zeile++, abschnitt, text, wert, unter}); };

  add(T(TX::Waermebedarf), T(TX::WWmitSpVerl), KWh(D));
  if (heiz) {
    add("", T(TX::HeizWaermebedarf), KWh(hwb), true);
    add("", Texts().GesamtGross, KWh(D + hwb));
  }

  ++zeile;
  if (heiz) {
    add(T(p.AnlagenTypNr == 2 ? TX::Deckungsrate : TX::Deckungsraten), T(TX::Warmwasser),
        Anteil(S - H - Pw, D, AnteilGrenze::AbNull));
    if (p.AnlagenTypNr != 2) {
      const double hz = hwb * anteil;
      // No heated share or no heating demand: a heating fraction of 0, as the balance shows it.
      add("", T(TX::Heizung), anteil < 0.002 || hz == 0.0 ? Anteil(0.0, 1.0) : Anteil(H, hz));
      add("", T(TX::fsavTWWHz), Anteil(S - Pw, D + hz));
    }
  } else {
    add(T(TX::Deckungsrate), T(TX::Warmwasser), Anteil(S - Pw, D, AnteilGrenze::AbNull));
  }

  ++zeile;
  add(T(TX::Kennwerte), T(TX::Wirkungsgrad), Anteil(S, I, AnteilGrenze::Keine));
  const double a = p.KollektorFlaecheGesamt;
  add("", T(TX::SpezKollErtrag), a != 0.0 ? A(6, 0, SafeDiv(S, a * 1000.0)) + " kWh/" + T(TX::m_2idx) : LeerFeld(6));

  ++zeile;
  add(T(TX::Solarertrag), T(TX::Warmwasser), KWh(S - H - Pw));
  if (heiz) add("", T(TX::Heizung), KWh(H));
  if (pool) add("", T(TX::Schwimmbad), KWh(Pw));
  if (heiz || pool) add("", Texts().GesamtGross, KWh(S));
  return r;
}

}  // namespace tav
