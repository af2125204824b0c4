#pragma once
// The stateful half of the solar physics: location set-up, temperatures from the climate
// data and the weather store, incidence on the collector fields, irradiance of the step and
// the collector field with its solar-circuit pipe loss.

#include "foundation/TavVar.h"
#include "simulation/SimContext.h"

namespace tav {

// Highest irradiance a field receives from the weather store, W/m².
inline constexpr float kMaxEinstrahlung = 1200.0f;

// Absolute latitude, hemisphere and their sine and cosine of the current location.
void InitOrtSonne(LocationState& loc);

// Declination the sun geometry works with: southern sites use the mirrored sky, so the
// declination changes sign there and a collector facing the equator sees the same sun as
// its mirror image in the north.
double WirksameDeklination(const LocationState& loc, int tag);

// Synthetic air temperature: monthly means interpolated about the 15th, ±7.5 K daily swing
// with the maximum at 14 h. tag is the day of the year 1..365.
float CalcLuftTemp(const LocationState& loc, int tag, float t);

// Hourly ambient temperature of the weather year in use.
float CalcStundenTemp(const SimContext& c, int tag, float t);

// Whether the sky map hides the sun at azimuth a and elevation h.
bool IstVerschattet(const PlantState& p, float a, float h);

// Cosine of the angle between the sun's azimuth and an azimuth given by its sine and cosine.
inline double CosSonnenAzimutZu(const SimState& s, double sinGamma, double cosGamma) {
  return s.CosSonnenAzimut * cosGamma + s.SinSonnenAzimut * sinGamma;
}

// Cosine of incidence on a plane (azimuth given by its sine and cosine, tilt beta) for the
// mounting of the plant. Values just above 1 from rounding give 1; a value from 1.1 on is an
// internal fault that stops the run and gives -1.
float CalcCosEinfall(SimContext& c, double sinGamma, double cosGamma, float beta, float sinBeta, float cosBeta);

// Irradiance block of the step from the weather store or from measured plane irradiance.
void SetEinstrahlung(SimContext& c, int tag, float t);
void SetMessEinstrahlung(SimContext& c, int tag, float t);
// Clear-sky irradiance on field 1 for the instantaneous tool (Einstrahlung1 unchanged).
void CalcKlarhimmel(SimContext& c);

// Collector field of the step: QKoll (after pipe loss), QKoll1/2, TKollAus, TKollMittel.
void CalcKollektorfeld(SimContext& c);

// Passes after which the fixed-point iteration of a field gives way to bisection.
inline constexpr int kKollektorIterationen = 100;

}  // namespace tav
