#pragma once
// Sun geometry, irradiance split and collector physics that need no run state: the
// building blocks of the collector field and of the instantaneous-output tool.
// Angles in degrees, irradiance in W/m², temperatures in °C, times in hours.

#include <cmath>

namespace tav {

// Degrees per radian used by the sun-position formulas.
inline constexpr double kGradProRad = 57.29577951308232;
// Sine and cosine of an angle in degrees.
inline double SinG(double g) { return std::sin(g / kGradProRad); }
inline double CosG(double g) { return std::cos(g / kGradProRad); }

// Equation of time of a day of the year, hours (360/365 degrees per day, also in leap years).
double CalcZeitgleichung(int tag);
// Solar declination of a day of the year, degrees.
double CalcDeklination(int tag);
// Extraterrestrial irradiance normal to the sun, W/m².
double CalcExtraterrestrisch(int tag);
// Extraterrestrial irradiation on the horizontal between the solar times 24 - t and t, Wh/m²;
// with t = sunset it is the day's total. phi and delta are interchangeable.
double CalcExtraterrSumme(int tag, double phi, double delta, double t);

// Sines and cosines of latitude and declination: they hold for a whole day, so the steps of
// the day take them from here instead of computing them anew.
struct TagesSonne {
  double SinBreite = 0.0, CosBreite = 1.0;
  double SinDeklination = 0.0, CosDeklination = 1.0;
};
TagesSonne CalcTagesSonne(double phi, double delta);

// Sun position of one moment: elevation and azimuth in degrees with their sines and cosines.
struct Sonnenstand {
  double Hoehe = 0.0, Azimut = 0.0;
  double SinHoehe = 0.0, CosHoehe = 1.0;
  double SinAzimut = 0.0, CosAzimut = 1.0;
};

// Sun elevation h and azimuth a (0 = equator side, negative = east) for latitude phi,
// declination delta and solar time t. t is taken modulo 24 h, so afternoon sun stands in the
// west whatever the time-zone shift. Below the horizon both are 0.
void CalcSonnenstand(double& h, double& a, double phi, double delta, double t);
// The same from the day's sines and cosines, with the sines and cosines of the result.
Sonnenstand CalcSonnenstand(const TagesSonne& tag, double t);

// Clock times of sunrise and sunset; k is the correction from clock to solar time.
// Polar day gives 0.01 - k / 23.99 - k, polar night 12.01 - k / 11.99 - k.
void CalcSonnenzeiten(float& aufgang, float& untergang, double delta, double phi, double k);

// Tilt and azimuth of a collector whose tilt follows the sun (fixed azimuth gamma0).
void CalcNachfuehrung(float& neigung, float& azimut, double h, double a, double gamma0);

// Sky-view factor of a plane with the given cosine of tilt (ground reflection folded in).
double SichtFaktor(double cosNeigung);

// Incidence-angle modifier from the value at 50 degrees and the cosine of incidence.
float CalcIAM(float iam50, float cosEinfall);
// Collector efficiency for the temperature difference dT (K) at irradiance g (W/m²); never < 0.
float CalcKollEta(float eta0, float k1, float k2, float dT, float g);
// Stagnation temperature: where the efficiency falls to 0. Without any loss coefficient the
// rise is capped at kStillstandOhneVerlust.
float CalcStillstandTemp(float eta0, float k1, float k2, float g, float ta);
inline constexpr float kStillstandOhneVerlust = 200.0f;

// Diffuse fraction of the global horizontal irradiance ih for the extraterrestrial horizontal
// i0h (clear-sky model). i0h must be > 0; 0 is reported as an internal fault by the caller.
float CalcDiffusAnteil(double ih, double i0h);

// Vapour pressure of water in bar between 100 and 180 °C (extrapolated outside).
float InterpolTab17(float t);

}  // namespace tav
