// The computing core of the weather-synthesis library. The shared library wraps these
// routines in its C exports; tests and benchmarks call them directly with a state of their
// own, so a fixed seed gives a reproducible year.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "Klimgen1_1.h"

namespace tav::klimgen {

enum Code : uint8_t {
  kOk = 0,
  kKdNewton = 1,     // "kd I"
  kKdMonat = 2,      // "kd II"
  kKhStunde = 3,     // "kh II"
  kKhTag = 4,        // "kh I"
  kTruebung = 5,     // "Truebung"
  kTooLow = 6,       // "too_low"
  kTooHigh = 7,      // "too_high"
  kIntern = 8,       // unexpected exception or non-finite output
  kUngueltig = 9     // invalid argument
};

// The library's own failure: carries the result code it stands for.
class EKlimgen : public std::runtime_error {
 public:
  EKlimgen(uint8_t code, const std::string& text) : std::runtime_error(text), code_(code) {}
  uint8_t code() const { return code_; }

 private:
  uint8_t code_;
};

// One linear congruential stream; all draws of a library instance come from it.
class Zufall {
 public:
  explicit Zufall(uint32_t seed = 0) : seed_(seed) {}
  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }
  // Uniform in [0, 1).
  double Uniform() {
    seed_ = seed_ * 134775813u + 1u;
    return seed_ * (1.0 / 4294967296.0);
  }
  // Gaussian with mean 0 and deviation sd (polar method, second variate discarded).
  double RandG(float sd);
  // RandG in two halves: the uniform pair (u1, s = u1^2 + u2^2 in (0, 1)) it draws, and the
  // value it makes of them.
  struct Paar {
    double u1, s;
  };
  Paar PolarPaar() {
    double u1, u2, s;
    // s = 0 would take the logarithm of zero; it needs both draws at exactly one half.
    do {
      u1 = 2.0 * Uniform() - 1.0;
      u2 = 2.0 * Uniform() - 1.0;
      s = u1 * u1 + u2 * u2;
    } while (s >= 1.0 || s <= 0.0);
    return {u1, s};
  }
  static double PolarWert(float sd, Paar p) {
    return static_cast<double>(sd) * p.u1 * std::sqrt(-2.0 * std::log(p.s) / p.s);
  }

 private:
  uint32_t seed_;
};

// State that outlives a call: result byte, monthly-check status, generation flag, random
// stream, and which location the last successful mode-1 synthesis prepared.
struct Zustand {
  uint8_t Ergebniscode = 0;
  uint8_t KTStatus = 0;
  bool Generieren = false;
  Zufall Rng;
  bool Vorbereitet = false;
  TKlimOrt VorbereitetOrt{};
};

using KlimaZonenTabelle = std::span<const TKlimKlimaZone, KLIM_KLIMAZONE_EINTRAEGE>;
using TempZonenTabelle = std::span<const TKlimTempZone, KLIM_TEMPZONE_EINTRAEGE>;
using TruebungsTabelle = std::span<const TKlimTruebung, KLIM_TRUEBUNG_EINTRAEGE>;

// Sun, extraterrestrial and clear-sky irradiance, turbidity zones.
uint8_t TurbidZone(float Breite, float Laenge);
void Sun_Position_DIN(TKlimStunden& Stunden, float Breite, float Laenge, float Zeitzone);
void E_ex_hour_day_month(TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate);
// Returns the status 0, 2 (a month too dark) or 3 (too bright); the last failing month wins.
uint8_t Clearness_m_Check(TKlimMonate& Monate, float Breite, float Hoehe);
// Sued: southern hemisphere, the annual turbidity cycle shifted by half a year.
void Clearness_max(const TKlimTruebung& Zone, TKlimStunden& Stunden, TKlimTage& Tage,
                   float Hoehe, bool Sued = false);
double KTMaximum(float Breite, float Hoehe);

// Bounded distribution of the daily clearness normalised by the monthly mean KTm: density
// C x^gamma (1 - x/U) on [0, U], mean 1, variance sigma2 (which depends on KTm).
struct Verteilung {
  double sigma2, gamma, u, c;
  explicit Verteilung(double ktm);
  double Dichte(double x) const;
  double F(double x) const;
  double b(double x) const;
  // x with F(x) = p (to the precision the generator asks for), starting from x0.
  double Invers(double p, double x0) const;

 private:
  // The generator starts every day of a month at the same x0: its power x0^(gamma+1) is kept.
  mutable double start_ = -1.0, startPotenz_ = 0.0;
};

// Where Invers(p, x0) can land, for any x0: F tabulated on an even grid of [0, U]. Newton
// stops at |F(x) - p| < 0.001 b(x) <= 0.001 / (gamma + 1), so the result lies between the
// grid points around p minus and plus that tolerance. The generator rejects most draws of a
// month on their mean alone; these bounds tell most of them apart without solving for a day.
class InversSchranken {
 public:
  static constexpr int kPunkte = 256;  // grid intervals
  explicit InversSchranken(const Verteilung& v);
  // Lowest and highest value Invers(p, x0) may return for any p in [pu, po].
  std::pair<double, double> Grenzen(double pu, double po) const {
    const int i = Index(pu - tol_);
    int j = std::max(i, 0);
    while (j < kPunkte && f_[j + 1] <= po + tol_) ++j;
    return {Stelle(i), Stelle(j + 1)};
  }
  double Unten(double p) const { return Grenzen(p, p).first; }
  double Oben(double p) const { return Grenzen(p, p).second; }

 private:
  static constexpr int kFaecher = 256;  // buckets of p for the first guess of the index
  // Largest i with F(x_i) <= q, -1 below the grid.
  int Index(double q) const;
  double Stelle(int i) const { return i <= 0 ? 0.0 : (i >= kPunkte ? u_ : i * schritt_); }
  double u_, schritt_, tol_;
  double f_[kPunkte + 1];
  short fach_[kFaecher + 1];
};

// Clearness generators and the diffuse/direct split. Failures throw EKlimgen.
void kd_Generator(Zustand& z, int Kandidat, TKlimMonate& Monate, TKlimTage& Tage, float Breite,
                  float Laenge);
void kh_Generator(Zustand& z, TKlimStunden& Stunden, const TKlimTage& Tage);
void Diffus_Direkt_Anteil(int Zone, TKlimStunden& Stunden);

// Temperature series (channel 8).
int Klimaregion(float Breite, float Laenge);
bool TempZoneGueltig(const TKlimOrt& Ort, TempZonenTabelle TempZonen);
void Temp_Addition(Zustand& z, const TKlimOrt& Ort, KlimaZonenTabelle KlimaZonen,
                   TempZonenTabelle TempZonen, TKlimStunden& Stunden, const TKlimTage& Tage,
                   const TKlimMonate& Monate);

// Year synthesis, best-year search, year choice and monthly sums.
uint8_t FindBestYear(const TKlimTage& Tage, const TKlimMonate& Monate);
uint8_t YearChoice(int Mode, const TKlimTage& Tage, const TKlimMonate& Monate,
                   const float* Vorjahre);
// Returns kOk, or kUngueltig (Summen untouched) for non-finite input.
uint8_t CalcMonatssummen(const TKlimOrt& Ort, const float* Reihen, float* Summen);

uint8_t KlimgenSimYears(Zustand& z, uint8_t Mode, bool Generieren, const TKlimOrt& Ort,
                        KlimaZonenTabelle KlimaZonen, TempZonenTabelle TempZonen,
                        TruebungsTabelle TruebungsZonen, const float* Vorjahre,
                        TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate);
uint8_t KlimgenSimulation(Zustand& z, bool Generieren, const TKlimOrt& Ort,
                          KlimaZonenTabelle KlimaZonen, TempZonenTabelle TempZonen,
                          TruebungsTabelle TruebungsZonen, TKlimStunden& Stunden,
                          TKlimTage& Tage, TKlimMonate& Monate);

}  // namespace tav::klimgen
