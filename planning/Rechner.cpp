#include "planning/Rechner.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/SolarPhysics.h"

namespace tav {

namespace {

// The report's line when no vessel can be sized (the text table has none for it).
constexpr const char* kKeinArbeitsbereich =
    "Kein Arbeitsbereich: der Vordruck liegt über dem Enddruck auch bei 15 bar";

constexpr double kGrad = std::numbers::pi / 180.0;

double SinD(double x) { return std::sin(x * kGrad); }
double CosD(double x) { return std::cos(x * kGrad); }
double TanD(double x) { return std::tan(x * kGrad); }
double AtanD(double x) { return std::atan(x) / kGrad; }

// Closing margin of a safety valve: 0,3 bar up to 3 bar, else a tenth.
double Schliessdifferenz(double psv) { return psv <= 3.0 ? 0.3 : psv / 10.0; }

// Right-aligned for the report's proportional font (a digit is about two blanks wide).
std::string Zahl(int breite, int stellen, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(breite),
                                static_cast<std::uint8_t>(stellen), static_cast<float>(x));
}

}  // namespace

WarmwasserErgebnis BerechneWarmwasser(double tKalt, double tWarm, double volumen,
                                      double zeitraum) {
  WarmwasserErgebnis e;
  e.Zeitraum = zeitraum < kMinZeitraum ? kMinZeitraum : zeitraum;
  // 4,1868 kJ per kg and K, one litre taken as one kilogram, 3600 kJ per kWh.
  e.Waerme = (tWarm - tKalt) * 4.1868 * volumen / 3600.0;
  e.Leistung = e.Waerme / e.Zeitraum;
  return e;
}

int VorschlagDrehwinkel(double neigung, double azimut) {
  double w = 0.0;
  if (std::abs(azimut) == 90.0) {
    // tan(-A) runs to +infinity for A -> -90 and to -infinity for A -> +90.
    w = azimut < 0.0 ? 90.0 : -90.0;
    if (SinD(neigung) < 0.0) w = -w;
  } else {
    w = AtanD(SinD(neigung) * TanD(-azimut));
  }
  w = std::clamp(w, -30.0, 30.0);
  return static_cast<int>(std::lround(w));
}

AbsorberLage BerechneAbsorber(double neigung, double azimut, double drehwinkel) {
  const double tw = TanD(drehwinkel);
  const double sn = SinD(neigung);
  const double s = std::sqrt(tw * tw + sn * sn);
  AbsorberLage l;
  l.Neigung = 90.0 - AtanD(CosD(neigung) / s);
  l.Azimut = AtanD(tw / sn) + azimut;
  return l;
}

double VorlageVorschlag(double vk, double vr, double vw) {
  return std::max(3.0, (vk + vr + vw) * 0.05);
}

int MagGroesseFuer(double vn) {
  for (int g : kMagGroessen) {
    if (vn <= g) return g;
  }
  return 50;  // above the largest size: several vessels of 50 l
}

MagErgebnis BerechneMAG(const MagEingaben& ein) {
  MagErgebnis e;
  MagEingaben& x = e.Ein;
  x = ein;
  x.Kollektorvolumen = std::max(x.Kollektorvolumen, 1.0);
  x.Verdampfung = std::min(x.Verdampfung, 180.0);
  x.Leitungsvolumen = std::max(x.Leitungsvolumen, 1.0);
  x.Tauschervolumen = std::max(x.Tauschervolumen, 1.0);
  x.Hoehe = std::clamp(x.Hoehe, 0.0, 30.0);
  x.Sicherheitsventil = std::clamp(x.Sicherheitsventil, 2.0, kMaxSicherheitsventil);
  if (x.Groesse < 1.0) x.Groesse = 8.0;
  const double vMin =
      std::max(3.0, (x.Kollektorvolumen + x.Leitungsvolumen + x.Tauschervolumen) * 0.005);
  x.Vorlage = std::max(x.Vorlage, vMin);

  // 1 bar taken as 9,81 m water column (the usual rule of thumb, slightly on the safe side).
  e.StatDruck = x.Hoehe / 9.81;
  e.Schliessdifferenz = Schliessdifferenz(x.Sicherheitsventil);
  e.Enddruck = x.Sicherheitsventil - e.Schliessdifferenz;
  e.Dampfdruck = InterpolTab17(static_cast<float>(x.Verdampfung)) - 1.0;
  e.Vordruck = e.StatDruck + e.Dampfdruck + 0.1;
  e.MinDruckKollektor = e.Vordruck - e.StatDruck;

  if (e.Enddruck <= e.Vordruck) {
    e.VordruckFehler = true;
    double psv = std::trunc(e.Vordruck + e.Schliessdifferenz + 0.2) + 1.0;
    // The raised valve's own margin may still leave the final pressure below the
    // pre-pressure: one bar more at a time, up to the strongest valve offered.
    psv = std::min(psv, kMaxSicherheitsventil);
    while (psv - Schliessdifferenz(psv) <= e.Vordruck && psv < kMaxSicherheitsventil) psv += 1.0;
    psv = std::min(psv, kMaxSicherheitsventil);
    x.Sicherheitsventil = psv;
    e.Schliessdifferenz = Schliessdifferenz(psv);
    e.Enddruck = psv - e.Schliessdifferenz;
    if (e.Enddruck <= e.Vordruck) {
      e.KeinArbeitsbereich = true;
      return e;
    }
  }

  e.Druckfaktor = (e.Enddruck - e.Vordruck) / (e.Enddruck + 1.0);
  const double f = kStillstandTemp > x.Verdampfung ? 1.1 : 0.15;
  e.Arbeitsvolumen = f * x.Kollektorvolumen + 0.1 * x.Leitungsvolumen +
                     0.1 * x.Tauschervolumen + x.Vorlage;
  e.Nennvolumen = e.Arbeitsvolumen / e.Druckfaktor;
  // A working range of a hair's breadth asks for absurdly many vessels; the count is held
  // where it still fits.
  e.Anzahl = static_cast<int>(std::min(std::trunc(e.Nennvolumen / x.Groesse), 1e6)) + 1;
  e.Nutzvolumen = e.Anzahl * x.Groesse * e.Druckfaktor;
  e.Fuelldruck = e.Vordruck + (e.Enddruck - e.Vordruck) * x.Vorlage / e.Nutzvolumen;
  return e;
}

TReport MagBericht(const MagErgebnis& e, const std::string& titel, int tabStop) {
  const MagEingaben& x = e.Ein;
  TReport r;
  r.Tabs = {tabStop};
  AddLine(r, titel, true, true);
  AddLine(r, "");
  auto zeile = [&r](const std::string& label, const std::string& wert) {
    AddLine(r, label + "\t" + wert);
  };
  const std::string liter = " " + T(TX::Liter);
  const std::string bar = " bar";
  zeile(RemoveAmpersands(T(TX::FormSvolLabelKvol)) + ":", Zahl(5, 0, x.Kollektorvolumen) + liter);
  zeile(T(TX::KstillstandsT) + ":", Zahl(5, 0, kStillstandTemp) + "°C");
  if (kStillstandTemp >= x.Verdampfung)
    zeile(T(TX::FormSvolVerdampfg) + ":", Zahl(5, 0, x.Verdampfung) + "°C");
  zeile(T(TX::FormSvolDampfdruck) + " " + Zahl(1, 0, x.Verdampfung) + "°C",
        Zahl(5, 1, e.Dampfdruck) + bar);
  zeile(T(TX::FormSvolstatDruck) + ":", Zahl(5, 1, e.StatDruck) + bar);
  AddLine(r, "");
  const double gesamt = x.Kollektorvolumen + x.Leitungsvolumen + x.Tauschervolumen + x.Vorlage;
  zeile(T(TX::FormSvolVolLtgWT) + ":", Zahl(4, 0, x.Leitungsvolumen + x.Tauschervolumen) + liter);
  zeile(T(TX::Vorlagevolumen) + ":", Zahl(4, 0, x.Vorlage) + liter);
  zeile(T(TX::GesamtVol) + ":", Zahl(4, 0, gesamt) + liter);
  zeile(T(TX::Frostschutz) + ":", Zahl(4, 0, gesamt * 0.4 + 0.5) + liter);
  zeile(T(TX::Sicherheitsventil) + ":", Zahl(5, 1, x.Sicherheitsventil) + bar);
  zeile(T(TX::Vordruck) + ":", Zahl(5, 1, e.Vordruck) + bar);
  if (e.KeinArbeitsbereich) {
    zeile(T(TX::Enddruck) + ":", Zahl(5, 1, e.Enddruck) + bar);
    AddLine(r, "");
    AddLine(r, kKeinArbeitsbereich, true);
    return r;
  }
  zeile(T(TX::Fuelldruck) + ":", Zahl(5, 1, e.Fuelldruck) + bar);
  zeile(T(TX::Enddruck) + ":", Zahl(5, 1, e.Enddruck) + bar);
  // Two more places for the two more decimals: the comma stands under the others'.
  zeile(T(TX::Druckfaktor) + ":", Zahl(7, 3, e.Druckfaktor));
  zeile(T(TX::Arbeitsvolumen) + ":", Zahl(4, 0, e.Arbeitsvolumen) + liter);
  zeile(T(TX::FormSvolNennvol) + ":", Zahl(4, 0, e.Nennvolumen) + liter);
  const int groesse = static_cast<int>(std::lround(x.Groesse));
  zeile(T(TX::FormSvolMAGvol2) + ":", Zahl(4, 0, double(e.Anzahl) * x.Groesse) + liter + " (" +
                                          std::to_string(e.Anzahl) + " x " +
                                          std::to_string(groesse) + ")");
  return r;
}

std::string KeinArbeitsbereichText() { return kKeinArbeitsbereich; }

}  // namespace tav
