// The C exports of libKlimgen1_1.so. One library state (result byte, flags, random stream)
// serves every caller; a mutex keeps concurrent calls from interleaving on it, and no
// exception leaves an export.
#include <chrono>
#include <cmath>
#include <initializer_list>
#include <mutex>

#include "Klimgen1_1.h"
#include "core/Intern.h"
#include "core/Klimgen.h"

namespace k = tav::klimgen;

namespace {

uint32_t SeedAusUhr() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return static_cast<uint32_t>(static_cast<unsigned long long>(ticks));
}

// Seeded once when the library is loaded.
k::Zustand g_zustand{0, 0, false, k::Zufall(SeedAusUhr()), false, {}};
std::mutex g_mutex;

bool Endlich(float a) { return std::isfinite(a); }
using k::Endlich;

// Result of a single operation: a non-finite value in what it wrote is an internal fault.
uint8_t Kanaele(const TKlimStunden& s, std::initializer_list<int> kanaele) {
  for (int c : kanaele)
    if (!Endlich(s.Werte + c * KLIM_STUNDEN, KLIM_STUNDEN)) return k::kIntern;
  return k::kOk;
}
uint8_t Reihen(const TKlimTage& t, std::initializer_list<int> reihen) {
  for (int r : reihen)
    if (!Endlich(t.Werte + r * KLIM_TAGE, KLIM_TAGE)) return k::kIntern;
  return k::kOk;
}

template <class F>
uint8_t Geschuetzt(F&& f) {
  try {
    std::lock_guard<std::mutex> lock(g_mutex);
    try {
      return f();
    } catch (const k::EKlimgen& e) {
      g_zustand.Ergebniscode = e.code();
      return e.code();
    }
  } catch (...) {
    return k::kIntern;
  }
}

// Coordinates a location can have; beyond them the regional tables answer nonsense.
bool KoordinatenGueltig(float Breite, float Laenge) {
  return Endlich(Breite) && Endlich(Laenge) && std::fabs(Breite) <= 90.0f && std::fabs(Laenge) <= 180.0f;
}

// The monthly clearness the daily draw starts from: a share of the extraterrestrial
// irradiation, 0 for a dark month. A value beyond makes the drawn spread overflow.
bool MonatsKlarheitGueltig(const TKlimMonate& Monate) {
  for (int m = 1; m <= 12; ++m) {
    const float kt = k::M(Monate, KLIM_M_KT, m);
    if (!Endlich(kt) || kt < 0.0f || kt > 1.0f) return false;
  }
  return true;
}

k::KlimaZonenTabelle KlimaTab(const TKlimKlimaZone* p) { return k::KlimaZonenTabelle(p, KLIM_KLIMAZONE_EINTRAEGE); }
k::TempZonenTabelle TempTab(const TKlimTempZone* p) { return k::TempZonenTabelle(p, KLIM_TEMPZONE_EINTRAEGE); }
k::TruebungsTabelle TruebTab(const TKlimTruebung* p) { return k::TruebungsTabelle(p, KLIM_TRUEBUNG_EINTRAEGE); }

}  // namespace

extern "C" {

KLIMGEN_API uint8_t KlimgenSimYears(uint8_t Mode, uint8_t Generieren, const TKlimOrt* Ort,
                                    const TKlimKlimaZone* KlimaZonen, const TKlimTempZone* TempZonen,
                                    const TKlimTruebung* TruebungsZonen, const float* Vorjahre,
                                    TKlimStunden* Stunden, TKlimTage* Tage, TKlimMonate* Monate) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Ort || !KlimaZonen || !TempZonen || !TruebungsZonen || !Stunden || !Tage || !Monate ||
        (Mode >= 2 && !Vorjahre)) {
      return g_zustand.Ergebniscode = k::kUngueltig;
    }
    return k::KlimgenSimYears(g_zustand, Mode, Generieren != 0, *Ort, KlimaTab(KlimaZonen), TempTab(TempZonen),
                              TruebTab(TruebungsZonen), Vorjahre, *Stunden, *Tage, *Monate);
  });
}

KLIMGEN_API uint8_t KlimgenSimulation(uint8_t Generieren, const TKlimOrt* Ort, const TKlimKlimaZone* KlimaZonen,
                                      const TKlimTempZone* TempZonen, const TKlimTruebung* TruebungsZonen,
                                      TKlimStunden* Stunden, TKlimTage* Tage, TKlimMonate* Monate) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Ort || !KlimaZonen || !TempZonen || !TruebungsZonen || !Stunden || !Tage || !Monate) {
      return g_zustand.Ergebniscode = k::kUngueltig;
    }
    return k::KlimgenSimulation(g_zustand, Generieren != 0, *Ort, KlimaTab(KlimaZonen), TempTab(TempZonen),
                                TruebTab(TruebungsZonen), *Stunden, *Tage, *Monate);
  });
}

KLIMGEN_API uint8_t CalcMonatssummen(const TKlimOrt* Ort, const float* Reihen, float* Summen) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Ort || !Reihen || !Summen) return k::kUngueltig;
    return k::CalcMonatssummen(*Ort, Reihen, Summen);
  });
}

KLIMGEN_API uint8_t FindBestYear(const TKlimTage* Tage, const TKlimMonate* Monate) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Tage || !Monate) return 0;
    return k::FindBestYear(*Tage, *Monate);
  });
}

KLIMGEN_API uint8_t Temp_Addition(const TKlimOrt* Ort, const TKlimKlimaZone* KlimaZonen,
                                  const TKlimTempZone* TempZonen, TKlimStunden* Stunden, const TKlimTage* Tage,
                                  const TKlimMonate* Monate) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Ort || !KlimaZonen || !TempZonen || !Stunden || !Tage || !Monate) return k::kUngueltig;
    if (!KoordinatenGueltig(Ort->Breite, Ort->Laenge) || !k::TempZoneGueltig(*Ort, TempTab(TempZonen)))
      return k::kUngueltig;
    k::Temp_Addition(g_zustand, *Ort, KlimaTab(KlimaZonen), TempTab(TempZonen), *Stunden, *Tage, *Monate);
    return Kanaele(*Stunden, {KLIM_K_TEMP});
  });
}

KLIMGEN_API uint8_t Diffus_Direkt_Anteil(uint8_t Zone, TKlimStunden* Stunden, float /*Breite*/) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Stunden) return k::kUngueltig;
    k::Diffus_Direkt_Anteil(Zone, *Stunden);
    return Kanaele(*Stunden, {KLIM_K_DIREKT, KLIM_K_DIFFUS, KLIM_K_DNI});
  });
}

KLIMGEN_API uint8_t kh_Generator(TKlimStunden* Stunden, const TKlimTage* Tage) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Stunden || !Tage) return k::kUngueltig;
    k::kh_Generator(g_zustand, *Stunden, *Tage);
    return Kanaele(*Stunden, {KLIM_K_GLOBAL, KLIM_K_KT, KLIM_K_VERHAELTNIS});
  });
}

KLIMGEN_API uint8_t kd_Generator(uint8_t Kandidat, TKlimMonate* Monate, TKlimTage* Tage, float Breite,
                                 float Laenge) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Monate || !Tage || Kandidat > KLIM_KANDIDATEN || !KoordinatenGueltig(Breite, Laenge) ||
        !MonatsKlarheitGueltig(*Monate))
      return k::kUngueltig;
    // The drawn monthly mean is stored under the candidate's number, so it needs one.
    if (Kandidat == 0 && g_zustand.Generieren) return k::kUngueltig;
    k::kd_Generator(g_zustand, Kandidat, *Monate, *Tage, Breite, Laenge);
    if (Kandidat == 0) return Reihen(*Tage, {KLIM_T_GLOBAL, KLIM_T_KT});
    // Only the candidate's own column is written; the other columns are the caller's.
    if (g_zustand.Generieren)
      for (int m = 1; m <= 12; ++m)
        if (!Endlich(k::MK(*Monate, m, Kandidat))) return k::kIntern;
    for (int basis : {KLIM_T_KANDIDAT_KT, KLIM_T_KANDIDAT_GLOBAL})
      for (int d = 0; d < KLIM_TAGE; ++d)
        if (!Endlich(Tage->Werte[basis + d * KLIM_KANDIDATEN + Kandidat - 1])) return k::kIntern;
    return k::kOk;
  });
}

KLIMGEN_API uint8_t Clearness_max(const TKlimTruebung* Zone, TKlimStunden* Stunden, TKlimTage* Tage, float Hoehe) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Zone || !Stunden || !Tage || !Endlich(Hoehe) || Hoehe < -1000.0f || Hoehe > 9000.0f) return k::kUngueltig;
    k::Clearness_max(*Zone, *Stunden, *Tage, Hoehe);
    return Kanaele(*Stunden, {KLIM_K_KLAR, KLIM_K_KTMAX}) | Reihen(*Tage, {KLIM_T_KLAR, KLIM_T_KTMAX});
  });
}

KLIMGEN_API uint8_t Clearness_m_Check(TKlimMonate* Monate, uint8_t* Status, float Breite, float Hoehe) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Monate || !Status || !Endlich(Breite) || !Endlich(Hoehe)) return k::kUngueltig;
    *Status = g_zustand.KTStatus = k::Clearness_m_Check(*Monate, Breite, Hoehe);
    return Endlich(Monate->Werte + KLIM_M_KT * 13, 12) ? k::kOk : k::kIntern;
  });
}

KLIMGEN_API uint8_t E_ex_hour_day_month(TKlimStunden* Stunden, TKlimTage* Tage, TKlimMonate* Monate) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Stunden || !Tage || !Monate) return k::kUngueltig;
    k::E_ex_hour_day_month(*Stunden, *Tage, *Monate);
    return Kanaele(*Stunden, {KLIM_K_EXTRA}) | Reihen(*Tage, {KLIM_T_EXTRA});
  });
}

KLIMGEN_API uint8_t Sun_Position_DIN(TKlimStunden* Stunden, float Breite, float Laenge, float Zeitzone) {
  return Geschuetzt([&]() -> uint8_t {
    if (!Stunden || !Endlich(Breite) || !Endlich(Laenge) || !Endlich(Zeitzone) || std::fabs(Breite) > 90.0f)
      return k::kUngueltig;
    k::Sun_Position_DIN(*Stunden, Breite, Laenge, Zeitzone);
    return Kanaele(*Stunden, {KLIM_K_HOEHE, KLIM_K_AZIMUT});
  });
}

KLIMGEN_API uint8_t TurbidZone(float Breite, float Laenge) {
  return Geschuetzt([&]() -> uint8_t { return k::TurbidZone(Breite, Laenge); });
}

}  // extern "C"
