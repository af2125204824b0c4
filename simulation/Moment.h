#pragma once
// The instantaneous output of the collector: for one date and clock time under a clear sky
// of a given Linke turbidity, the sun (position, noon height, sunrise and sunset), the
// clear-sky irradiance on the collector field and the field's output and temperatures; and
// the report lines of the tool. Works without weather years; no Qt.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"

namespace tav {

// What the user chose in the tool.
struct MomentEingabe {
  int Tag = 21, Monat = 6, Jahr = 2026;  // date of the instant
  double Uhrzeit = 12.0;                 // clock time, hours
  double Truebung = 3.5;                 // Linke turbidity, 1..20
  double Ruecklauf = 20.0;               // collector inlet, °C (unless RLStillstand)
  bool RLStillstand = false;             // the inlet is the stagnation temperature
  bool AussenNachNatur = true;           // ambient from the location's climate
  double Aussen = 20.0;                  // typed ambient, °C
  int Montage = 1;                       // 1 fixed, 2 horizontal, 3 tilt tracking, 4 two-axis
  double Neigung = 45.0, Azimut = 0.0;   // collector tilt and azimuth (0 = equator side)
};

struct MomentErgebnis {
  int SimTag = 1;                // day of the 365-day simulated year
  double ZeitzonenKorrektur = 0.0, SonnenzeitKorrektur = 0.0, Deklination = 0.0;
  // Sun of the instant. Elevation is the true one (negative below the horizon); the
  // azimuths: engine frame (0 = equator side, the frame of the collector azimuth) and compass
  // (0 = south, negative east), which differ for southern sites.
  double SonnenHoehe = 0.0, SonnenAzimut = 0.0, SonnenAzimutKompass = 0.0;
  double SonnenHoeheMax = 0.0;   // at solar noon
  double SonnenHoehe12 = 0.0, SonnenAzimut12 = 0.0;  // at 12:00 clock time (compass azimuth)
  double Sonnenaufgang = 0.0, Sonnenuntergang = 0.0; // clock hours
  double AzimutDaemmerung = 0.0; // compass azimuth at sunrise, 0 at polar day or night
  double TagesEinstrahlungExtra = 0.0;  // Wh/m² on the horizontal over the day
  bool Nacht = false;            // the sun is at or below the horizon
  bool Tagansicht = true;        // within an hour of sunrise to sunset: report and sky diagram
  // Clear-sky irradiance (W/m²) and on the field (W).
  double DirektNormal = 0.0, DiffusHorizontal = 0.0, CosEinfall = 0.0;
  double EinstrDirekt = 0.0, EinstrDiffus = 0.0, EinstrGesamt = 0.0;
  double GlobalKollektor = 0.0;  // what reaches the field: less the direct part when shaded
  bool SkyMap = false, Verschattet = false;
  double NachfNeigung = 0.0, NachfAzimut = 0.0;  // plane of tilt tracking
  // Temperatures and output.
  double AussenTemp = 0.0, RuecklaufTemp = 0.0, TKollAus = 0.0;
  double KollEta = 0.0, QKoll = 0.0;  // efficiency, W after pipe loss
  bool Stagnation = false;            // the inlet was set to the stagnation temperature
  // Moon of the date (phase angle in degrees and the next four principal phases).
  double MondPhase = 0.0;
  TMondPhasen MondPhasen{};
};

// The computation. Location and collector come from loc and p; mounting, tilt and azimuth
// from the input. The weather store is not read.
MomentErgebnis BerechneMoment(const MomentEingabe& e, const LocationState& loc, const PlantState& p);
// Zeitzone - Laenge / 15: the shift in hours between the clock time of the zone and the local
// mean solar time at Laenge (degrees east); the tool's name for the year run's shift.
inline double ZeitzonenDifferenz(std::int8_t Zeitzone, double Laenge) { return HourMinusLongitude(Zeitzone, Laenge); }

// Compass azimuth (0 = south) of an engine azimuth (0 = equator side) at this latitude.
double KompassAzimut(double azimut, double geoBreite);

// Sun over the day for the sky diagram: points (compass azimuth, elevation) from sunrise to
// sunset, n + 1 equal steps; empty at polar night.
struct Himmelspunkt {
  double Azimut = 0.0, Hoehe = 0.0;
};
std::vector<Himmelspunkt> Sonnenbahn(const MomentErgebnis& r, const LocationState& loc, int n = 40);
// The sun's true position at a clock time of the instant's day.
Himmelspunkt SonneUm(const MomentErgebnis& r, const LocationState& loc, double uhrzeit);

// One line of the tool's report: tab-separated columns.
struct MomentZeile {
  std::string Text;
  bool Kopf = false;  // the heading
};
// Report lines: by day (with the program line first when mitProgramm), by night the four
// principal moon phases.
std::vector<MomentZeile> MomentBericht(const MomentEingabe& e, const MomentErgebnis& r, const PlantState& p,
                                       bool mitProgramm, const std::string& programm);

// Clock time "h:mm" of decimal hours, rounded to the minute.
std::string MomentUhrzeit(double stunden);

}  // namespace tav
