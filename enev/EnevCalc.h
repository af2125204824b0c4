#pragma once
// The DIN V 4701-10 figures of the EnEV assessment: hot-water heat demand with its
// distribution and storage losses, the DIN standard collector area and standby loss, the
// orientation factor, the regression for the solar contribution, the search for the
// collector area share with the largest yield, and the solar pump's auxiliary energy.
// Pure functions; an input outside the formulas' domain (zero area or demand, no standby
// volume, a logarithm of a non-positive number, a negative tilt) gives std::nullopt, which
// the form shows as "–" and which never reaches the report or the exchange file.

#include <optional>

namespace tav::enev {

// Inputs of the assessment (the form's fields and the project's collector).
struct EnevEingaben {
  double Nutzflaeche = 180.0;     // useful floor area A_N, m²
  double KollFlaeche = 0.0;       // collector area A_C, m²
  double Neigung = 0.0;           // tilt, degrees
  double Azimut = 0.0;            // 0 = south, sign as the project's KollektorAzimut
  double Rohrlaenge = 0.0;        // solar-circuit pipes there and back, m
  double Vsol = 0.0;              // solar volume of the store, l
  double Vaux = 0.0;              // standby volume of the store, l
  double qBS = 0.0;               // standby loss q_B,S, kWh/d
  double Waermekap = 0.0;         // effective heat capacity of the collector, kJ/(m²K)
  float IAM = 0.0f;               // incidence-angle modifier at 50°
  double Eta0 = 0.0;              // the collector's characteristic
  double K1 = 0.0;                // W/(m²K)
  double K2 = 0.0;                // W/(m²K²)
  bool KleineAnlage = false;      // "Kleine Anlage" (else "Große Anlage")
  bool VRK = false;               // vacuum-tube collector
  bool Kombi = false;             // combination plant with solar space-heating support
  bool Zirkulation = false;
  bool VerteilungInnen = false;   // distribution inside the thermal envelope
  bool NachheizElektrisch = false;
  bool SpeicherInnen = false;     // store inside the thermal envelope
};

// Hot-water demand and its losses (all per m² useful area and year unless stated).
struct EnevBedarf {
  double qTWd = 0.0;
  double qhTWd = 0.0;             // share of qTWd credited to space heating
  double qTWs = 0.0;
  double qhTWs = 0.0;             // share of qTWs credited to space heating
  double TUmgebung = 0.0;         // ambient temperature of the store, °C
  double QTW = 0.0;               // kWh/a
};

// The whole assessment. Bedarf is missing when the useful area or q_B,S is out of domain;
// the solar figures are missing when the collector side is (no area, no standby volume...).
struct EnevErgebnis {
  std::optional<EnevBedarf> Bedarf;
  float SpeicherVerlust = 0.0f;   // A_N × qTWs, kWh/a: the target of the store calibration
  std::optional<double> KollFlaecheDIN;
  bool SolarGueltig = false;      // the five figures below hold numbers
  double FlaecheTW = 0.0;         // area share for hot water, m²
  double QTWsol = 0.0;            // kWh/a
  double AlphaTW = 0.0;
  double qTWHE = 0.0;             // auxiliary energy, hot water, kWh/(m²a)
  double qHHE = 0.0;              // auxiliary energy, heating support, kWh/(m²a)
  bool Gueltig() const { return Bedarf.has_value() && KollFlaecheDIN.has_value() && SolarGueltig; }
};

struct EnevVerteilung {
  double qTWd = 0.0;
  double qhTWd = 0.0;
};
struct EnevSpeicher {
  double qTWs = 0.0;
  double qhTWs = 0.0;
  double TUmgebung = 0.0;
};
struct EnevHilfsenergie {
  double qTWHE = 0.0;
  double qHHE = 0.0;
};

std::optional<double> CalcKollFlaecheDIN(bool VRK, bool Kombi, double A_N);
// Standby loss (kWh/d) of the standby volume V1 of a store whose solar volume is V2.
std::optional<double> CalcBereitschaftsverlust(double V1, double V2);
std::optional<EnevVerteilung> CalcVerteilverlust(bool Zirkulation, bool VerteilungInnen, double A_N);
std::optional<EnevSpeicher> CalcSpeicherverlust(bool SpeicherInnen, double A_N, double qBS);
std::optional<double> CalcOrientierungsfaktor(double Neigung, double Azimut);
std::optional<EnevBedarf> CalcWaermebedarfTW(bool Zirkulation, bool VerteilungInnen,
                                             bool SpeicherInnen, double A_N, double qBS);
// Solar contribution Q TW,sol (kWh/a) of the collector area x for the demand QTW.
std::optional<double> CalcSolarertragTW(const EnevEingaben& e, double x, double QTW);
std::optional<EnevHilfsenergie> CalcHilfsenergie(double A_N, double alpha, double A_TW,
                                                 double A_Rest);
EnevErgebnis CalcEnevErgebnis(const EnevEingaben& e);

// A tiny negative left by rounding (an area difference of -1e-16) as 0.
double OhneRundungsrest(double x);

}  // namespace tav::enev
