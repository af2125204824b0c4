#pragma once
// The formulas of the three small calculators of the Extra menu: heat and power to warm a
// volume of water, the true orientation of absorbers rotated in an inclined roof plane, and
// the sizing of the solar circuit's membrane expansion vessel (MAG) with its report.
// Plain computation: the windows read their fields, call these and show the results.

#include <string>
#include <vector>

#include "results/ReportModel.h"

namespace tav {

// ---------------------------------------------------------------------------------------
// Hot water: Q = (T_warm - T_kalt) x 4,1868 x V / 3600 kWh, P = Q / t kW.

inline constexpr double kMinZeitraum = 0.1;  // hours; a shorter period is taken as this

struct WarmwasserErgebnis {
  double Zeitraum = 0.0;  // the period used (at least kMinZeitraum)
  double Waerme = 0.0;    // kWh
  double Leistung = 0.0;  // kW
};
WarmwasserErgebnis BerechneWarmwasser(double tKalt, double tWarm, double volumen,
                                      double zeitraum);

// ---------------------------------------------------------------------------------------
// Absorber rotation (all angles in degrees). N roof tilt, A roof azimuth (deviation from
// south), W rotation of the absorbers about their own axis in the roof plane.

// The proposed rotation: arctan(sin N x tan(-A)), within +-30 and rounded. At |A| = 90 the
// tangent is replaced by its limit, so an east roof (-90) proposes +30 and a west roof -30.
int VorschlagDrehwinkel(double neigung, double azimut);

struct AbsorberLage {
  double Neigung = 0.0;
  double Azimut = 0.0;
};
// Tilt = 90 - arctan(cos N / S), azimuth = arctan(tan W / sin N) + A, S = sqrt(tan² W + sin² N).
AbsorberLage BerechneAbsorber(double neigung, double azimut, double drehwinkel);

// ---------------------------------------------------------------------------------------
// Expansion vessel of the solar circuit.

inline constexpr double kStillstandTemp = 212.0;  // collector stagnation temperature, °C
inline constexpr double kMaxSicherheitsventil = 15.0;  // bar
// The vessel sizes offered, litres.
inline const std::vector<int> kMagGroessen = {8, 12, 18, 25, 35, 50, 80};

struct MagEingaben {
  double Kollektorvolumen = 0.0;  // Vk, l
  double Verdampfung = 130.0;     // Td, °C: vapour may form in the collector from here on
  double Hoehe = 9.0;             // H, m static height
  double Leitungsvolumen = 0.0;   // Vr, l
  double Tauschervolumen = 0.0;   // Vw, l
  double Vorlage = 3.0;           // Vv, l water reserve
  double Sicherheitsventil = 6.0; // pSV, bar
  double Groesse = 50.0;          // vessel size, l
};

struct MagErgebnis {
  MagEingaben Ein;                // the inputs after the corrections (shown in the fields)
  bool VordruckFehler = false;    // the pre-pressure was above the final pressure: pSV raised
  bool KeinArbeitsbereich = false;  // even 15 bar leave no working range: nothing sized
  double StatDruck = 0.0;         // pst, bar
  double Schliessdifferenz = 0.0; // margin of the safety valve, bar
  double Enddruck = 0.0;          // pe, bar
  double Dampfdruck = 0.0;        // pD, bar (gauge)
  double Vordruck = 0.0;          // p0, bar: gas pre-pressure of the vessel
  double MinDruckKollektor = 0.0; // pKV, bar
  double Druckfaktor = 0.0;       // Df
  double Arbeitsvolumen = 0.0;    // Ve, l
  double Nennvolumen = 0.0;       // Vn, l
  int Anzahl = 0;                 // vessels of the chosen size
  double Nutzvolumen = 0.0;       // Vu, l
  double Fuelldruck = 0.0;        // pF, bar
};

// The water-reserve proposal: 5 % of the circuit volume, at least 3 l.
double VorlageVorschlag(double vk, double vr, double vw);
// Corrects the inputs and sizes the vessel. The static pressure is taken as H / 9,81 bar.
MagErgebnis BerechneMAG(const MagEingaben& ein);
// The vessel size the list shows for a required nominal volume.
int MagGroesseFuer(double nennvolumen);
// The report: title, then label, TAB, value lines. TabStop in points (125 on screen, 155
// for the clipboard).
TReport MagBericht(const MagErgebnis& e, const std::string& titel, int tabStop);
// The message for pressures that leave no working range.
std::string KeinArbeitsbereichText();

}  // namespace tav
