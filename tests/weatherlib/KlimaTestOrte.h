// Test climates and the bridge's call sequence (modes 1, 2, 3 with the monthly sums of the
// previous years in between), run on the library core with a fixed seed.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "location/KlimaTabellen.h"
#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen::test {

struct TestOrt {
  const char* name;
  float breite, laenge;
  int hoehe, zeitzone, tempZone;
  std::array<float, 12> tagesmittel;  // kWh/m2 per day
  std::array<float, 12> temp;         // degC
};

// Two built-in locations of the program and sites from other climates; monthly values are
// long-term means from public climate tables, rounded.
inline const std::vector<TestOrt>& TestOrte() {
  static const std::vector<TestOrt> orte = {
      {"Freiburg", 48.0f, 7.9f, 269, 1, 6,
       {1.05f, 1.71f, 2.87f, 4.14f, 4.94f, 5.73f, 5.61f, 4.55f, 3.77f, 2.23f, 1.16f, 0.82f},
       {1.0f, 1.9f, 6.2f, 10.2f, 14.4f, 17.5f, 19.3f, 18.6f, 15.5f, 9.9f, 5.2f, 1.8f}},
      {"Hitzacker", 53.1f, 11.0f, 14, 1, 6,
       {0.57f, 1.15f, 2.36f, 3.55f, 4.75f, 5.40f, 4.88f, 4.36f, 2.88f, 1.52f, 0.71f, 0.42f},
       {0.1f, 0.5f, 3.8f, 8.2f, 12.9f, 16.3f, 18.2f, 17.6f, 14.3f, 9.6f, 5.2f, 1.9f}},
      {"Athen", 38.0f, 23.7f, 100, 2, 5,
       {2.2f, 2.9f, 4.1f, 5.3f, 6.5f, 7.3f, 7.3f, 6.6f, 5.2f, 3.6f, 2.4f, 1.9f},
       {10.0f, 10.5f, 12.5f, 16.0f, 20.5f, 25.0f, 27.8f, 27.5f, 23.8f, 19.0f, 14.8f, 11.5f}},
      {"Bergen", 60.4f, 5.3f, 12, 1, 7,
       {0.2f, 0.7f, 1.7f, 3.1f, 4.4f, 4.8f, 4.4f, 3.5f, 2.0f, 1.0f, 0.35f, 0.1f},
       {1.5f, 1.5f, 3.2f, 5.8f, 10.0f, 12.8f, 14.5f, 14.5f, 11.8f, 8.6f, 4.8f, 2.5f}},
      {"Melbourne", -37.8f, 145.0f, 30, 10, 6,
       {6.9f, 6.1f, 4.8f, 3.4f, 2.3f, 1.8f, 2.0f, 2.8f, 3.9f, 5.1f, 6.1f, 6.7f},
       {20.5f, 20.6f, 18.9f, 16.0f, 13.3f, 11.0f, 10.3f, 11.2f, 12.8f, 14.9f, 17.0f, 19.0f}},
      {"Singapur", 1.35f, 103.8f, 15, 8, 5,
       {4.3f, 5.0f, 4.9f, 4.8f, 4.5f, 4.6f, 4.5f, 4.6f, 4.6f, 4.4f, 3.8f, 3.7f},
       {26.5f, 27.1f, 27.5f, 28.0f, 28.3f, 28.3f, 27.9f, 27.8f, 27.6f, 27.6f, 27.0f, 26.5f}},
      {"Tromsoe", 69.65f, 18.95f, 10, 1, 8,
       {0.02f, 0.35f, 1.4f, 3.0f, 4.3f, 4.9f, 4.3f, 3.0f, 1.5f, 0.55f, 0.06f, 0.0f},
       {-4.0f, -4.1f, -2.5f, 0.8f, 5.0f, 9.0f, 12.1f, 11.4f, 7.6f, 3.2f, -0.5f, -2.7f}},
  };
  return orte;
}

inline const TestOrt& Ort(const std::string& name) {
  for (const TestOrt& o : TestOrte())
    if (name == o.name) return o;
  throw std::runtime_error("unknown test location " + name);
}

// The record as the program's bridge builds it: month length times daily mean.
inline TKlimOrt KlimOrt(const TestOrt& o) {
  TKlimOrt k{};
  k.Breite = o.breite;
  k.Laenge = o.laenge;
  k.Hoehe = o.hoehe;
  k.Zeitzone = static_cast<int8_t>(o.zeitzone);
  k.TempZone = static_cast<uint8_t>(o.tempZone);
  for (int m = 0; m < 12; ++m) {
    k.MonatsSumme[m] = static_cast<float>(kMonatsTage[m] * o.tagesmittel[m]);
    k.MonatsTemp[m] = o.temp[m];
  }
  return k;
}

struct Bloecke {
  std::unique_ptr<TKlimStunden> stunden = std::make_unique<TKlimStunden>();
  std::unique_ptr<TKlimTage> tage = std::make_unique<TKlimTage>();
  std::unique_ptr<TKlimMonate> monate = std::make_unique<TKlimMonate>();
};

struct Jahr {
  uint8_t code = 0;
  std::vector<float> stunden, tage, monate;  // copies of the blocks after the call
  std::array<float, 12> vorjahre{};          // what the call was given
  float K(int c, int h) const { return stunden[c * KLIM_STUNDEN + h]; }
  float T(int s, int d) const { return tage[s * KLIM_TAGE + d - 1]; }
  float M(int a, int m) const { return monate[a * 13 + m - 1]; }
  double MonatsSumme(int c, int m) const {  // kWh/m2 (or degC h for the temperature)
    double s = 0.0;
    for (int h = (kMonatsAnfang[m - 1] - 1) * 24; h < (kMonatsAnfang[m] - 1) * 24; ++h) s += K(c, h);
    return s / 1000.0;
  }
  double MonatsMittel(int c, int m) const { return MonatsSumme(c, m) * 1000.0 / (kMonatsTage[m - 1] * 24); }
};

inline std::vector<float> Kopie(const float* p, size_t n) { return std::vector<float>(p, p + n); }

// The three series of a year in the order of the program's weather store (direct normal,
// diffuse, temperature), as the bridge hands them to CalcMonatssummen.
inline void StoreReihen(const TKlimStunden& s, float* reihen) {
  for (int h = 0; h < KLIM_STUNDEN; ++h) {
    reihen[h] = K(s, KLIM_K_DNI, h);
    reihen[KLIM_STUNDEN + h] = K(s, KLIM_K_DIFFUS, h);
    reihen[2 * KLIM_STUNDEN + h] = K(s, KLIM_K_TEMP, h);
  }
}

// Modes 1, 2 and 3 as the bridge calls them; stops after the first failing year.
inline std::vector<Jahr> BridgeSerie(const TKlimOrt& ort, uint32_t seed,
                                     const KlimaTabellen& tab = ProgrammKlimaTabellen()) {
  Zustand z;
  z.Rng.SetSeed(seed);
  Bloecke b;
  std::vector<Jahr> jahre;
  std::array<float, 12> vorjahre{};
  for (uint8_t mode = 1; mode <= 3; ++mode) {
    if (mode > 1) {
      std::vector<float> reihen(3 * KLIM_STUNDEN);
      StoreReihen(*b.stunden, reihen.data());
      std::array<float, 12> summen{};
      CalcMonatssummen(ort, reihen.data(), summen.data());
      for (int m = 0; m < 12; ++m) vorjahre[m] += summen[m];
    }
    Jahr j;
    j.vorjahre = vorjahre;
    j.code = KlimgenSimYears(z, mode, mode > 1, ort, tab.KlimaZonen, tab.TempZonen, tab.TruebungsZonen,
                             vorjahre.data(), *b.stunden, *b.tage, *b.monate);
    j.stunden = Kopie(b.stunden->Werte, std::size(b.stunden->Werte));
    j.tage = Kopie(b.tage->Werte, std::size(b.tage->Werte));
    j.monate = Kopie(b.monate->Werte, std::size(b.monate->Werte));
    jahre.push_back(std::move(j));
    if (jahre.back().code != kOk) break;
  }
  return jahre;
}

// The series of a test location with the seed the tests share, computed once per run.
inline const std::vector<Jahr>& Serie(const std::string& name) {
  static std::map<std::string, std::vector<Jahr>> cache;
  auto it = cache.find(name);
  if (it == cache.end()) it = cache.emplace(name, BridgeSerie(KlimOrt(Ort(name)), 20240611u)).first;
  return it->second;
}

}  // namespace tav::klimgen::test
