// Whole-year synthesis, best-year search, year choice and monthly sums.
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <initializer_list>
#include <limits>

#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen {

namespace {

double KandidatMonat(const TKlimTage& Tage, int y, int m) {
  double s = 0.0;
  for (int d = kMonatsAnfang[m - 1]; d < kMonatsAnfang[m]; ++d) s += TK(Tage, KLIM_T_KANDIDAT_GLOBAL, d, y);
  return s;
}

// Member by member: the values decide, not their bytes (0 and -0 are the same longitude).
// The record is packed, so its members are read by value, never bound to a reference or
// a pointer (those would claim an alignment the record does not give them).
bool GleicherOrt(const TKlimOrt& a, const TKlimOrt& b) {
  if (a.Breite != b.Breite || a.Laenge != b.Laenge || a.Hoehe != b.Hoehe ||
      a.Zeitzone != b.Zeitzone || a.TempZone != b.TempZone)
    return false;
  for (int m = 0; m < 12; ++m)
    if (a.MonatsSumme[m] != b.MonatsSumme[m] || a.MonatsTemp[m] != b.MonatsTemp[m]) return false;
  return true;
}

bool OrtGueltig(const TKlimOrt& o) {
  if (!std::isfinite(o.Breite) || std::fabs(o.Breite) > static_cast<float>(KLIM_BREITE_MAX)) return false;
  if (!std::isfinite(o.Laenge) || std::fabs(o.Laenge) > static_cast<float>(KLIM_LAENGE_MAX)) return false;
  // The air-mass formula needs a positive pressure factor.
  if (o.Hoehe < static_cast<int>(KLIM_HOEHE_MIN) || o.Hoehe > static_cast<int>(KLIM_HOEHE_MAX)) return false;
  for (int m = 0; m < 12; ++m) {
    if (!std::isfinite(o.MonatsSumme[m]) || o.MonatsSumme[m] < 0.0f) return false;
    if (!std::isfinite(o.MonatsTemp[m]) || std::fabs(o.MonatsTemp[m]) > static_cast<float>(KLIM_TEMP_MAX)) return false;
  }
  return true;
}

// Linke turbidities lie between 1 and about 10; far beyond, the clear-sky expressions
// overflow.
bool TruebungGueltig(const TKlimTruebung& t) {
  for (float v : {t.Mittel, t.CosKoeff, t.SinKoeff})
    if (!std::isfinite(v) || std::fabs(v) > 100.0f) return false;
  return true;
}

// The parts of the blocks a synthesis writes must all be finite before success is reported.
bool AusgabeEndlich(const TKlimStunden& s, const TKlimTage& t, const TKlimMonate& m, bool kandidaten) {
  if (!Endlich(s.Werte, KLIM_STUNDEN_KANAELE * KLIM_STUNDEN)) return false;
  if (!Endlich(t.Werte, 5 * KLIM_TAGE)) return false;
  if (kandidaten && !Endlich(t.Werte + KLIM_T_KANDIDAT_KT, KLIM_TAGE_WERTE - KLIM_T_KANDIDAT_KT)) return false;
  for (int a : {KLIM_M_EXTRA, KLIM_M_ZIEL, KLIM_M_TEMP, KLIM_M_KT})
    if (!Endlich(m.Werte + a * 13, 12)) return false;
  if (kandidaten && !Endlich(m.Werte + KLIM_M_KANDIDAT_KT, 12 * 15)) return false;
  return true;
}

struct Tabellen {
  std::array<TKlimKlimaZone, KLIM_KLIMAZONE_EINTRAEGE> klima;
  std::array<TKlimTempZone, KLIM_TEMPZONE_EINTRAEGE> temp;
  std::array<TKlimTruebung, KLIM_TRUEBUNG_EINTRAEGE> truebung;
};

// Steps shared by both synthesis entries once the monthly targets are in place.
// Mode 0 stands for the single-year entry (best year by FindBestYear).
void Synthese(Zustand& z, int Mode, const TKlimOrt& ort, const Tabellen& tab, const float* vorjahre,
              TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate) {
  const float breite = std::fabs(ort.Breite);
  const bool sued = ort.Breite < 0.0f;
  const int zone = TurbidZone(breite, ort.Laenge);
  if (zone < 1 || zone > 13) throw EKlimgen(kTruebung, "Truebung");
  if (Mode <= 1) {
    Sun_Position_DIN(Stunden, ort.Breite, ort.Laenge, ort.Zeitzone);
    E_ex_hour_day_month(Stunden, Tage, Monate);
    z.KTStatus = Clearness_m_Check(Monate, ort.Breite, static_cast<float>(ort.Hoehe));
    if (z.KTStatus == 2) throw EKlimgen(kTooLow, "too_low");
    if (z.KTStatus == 3) throw EKlimgen(kTooHigh, "too_high");
    Clearness_max(tab.truebung[zone], Stunden, Tage, static_cast<float>(ort.Hoehe), sued);
  }
  if (z.Generieren) {
    for (int y = 1; y <= KLIM_KANDIDATEN; ++y) kd_Generator(z, y, Monate, Tage, breite, ort.Laenge);
    const int wahl = Mode <= 1 ? FindBestYear(Tage, Monate) : YearChoice(Mode, Tage, Monate, vorjahre);
    for (int d = 1; d <= KLIM_TAGE; ++d) {
      T(Tage, KLIM_T_KT, d) = TK(Tage, KLIM_T_KANDIDAT_KT, d, wahl);
      T(Tage, KLIM_T_GLOBAL, d) = TK(Tage, KLIM_T_KANDIDAT_GLOBAL, d, wahl);
    }
  } else {
    kd_Generator(z, 0, Monate, Tage, breite, ort.Laenge);
  }
  kh_Generator(z, Stunden, Tage);
  Diffus_Direkt_Anteil(zone, Stunden);
  Temp_Addition(z, ort, tab.klima, tab.temp, Stunden, Tage, Monate);
}

uint8_t Ausfuehren(Zustand& z, int Mode, const TKlimOrt& ort, const Tabellen& tab, const float* vorjahre,
                   TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate) {
  try {
    Synthese(z, Mode, ort, tab, vorjahre, Stunden, Tage, Monate);
    if (!AusgabeEndlich(Stunden, Tage, Monate, z.Generieren)) z.Ergebniscode = kIntern;
  } catch (const EKlimgen& e) {
    z.Ergebniscode = e.code();
  } catch (...) {
    z.Ergebniscode = kIntern;
  }
  return z.Ergebniscode;
}

bool PruefenUndKopieren(const TKlimOrt& Ort, KlimaZonenTabelle KlimaZonen, TempZonenTabelle TempZonen,
                 TruebungsTabelle TruebungsZonen, Tabellen& tab) {
  if (!OrtGueltig(Ort) || !TempZoneGueltig(Ort, TempZonen)) return false;
  const int zone = TurbidZone(std::fabs(Ort.Breite), Ort.Laenge);
  if (zone >= 1 && zone <= 13 && !TruebungGueltig(TruebungsZonen[zone])) return false;
  std::copy(KlimaZonen.begin(), KlimaZonen.end(), tab.klima.begin());
  std::copy(TempZonen.begin(), TempZonen.end(), tab.temp.begin());
  std::copy(TruebungsZonen.begin(), TruebungsZonen.end(), tab.truebung.begin());
  return true;
}

}  // namespace

uint8_t FindBestYear(const TKlimTage& Tage, const TKlimMonate& Monate) {
  double best = std::numeric_limits<double>::infinity();
  int wahl = 1;
  for (int y = 1; y <= KLIM_KANDIDATEN; ++y) {
    double d = 0.0;
    for (int m = 1; m <= 12; ++m) d += std::fabs(KandidatMonat(Tage, y, m) - M(Monate, KLIM_M_ZIEL, m));
    if (d < best) {
      best = d;
      wahl = y;
    }
  }
  return static_cast<uint8_t>(wahl);
}

uint8_t YearChoice(int Mode, const TKlimTage& Tage, const TKlimMonate& Monate, const float* Vorjahre) {
  double best = std::numeric_limits<double>::infinity();
  int wahl = 1;
  for (int y = 1; y <= KLIM_KANDIDATEN; ++y) {
    double e = 0.0, summeSV = 0.0, summeT = 0.0;
    for (int m = 1; m <= 12; ++m) {
      const double s = KandidatMonat(Tage, y, m);
      const double t = M(Monate, KLIM_M_ZIEL, m);
      const double v = Vorjahre[m - 1];
      double d = (s + v) / Mode - t;
      // Written without dividing by the target, which is zero in a month of polar night.
      if (std::fabs(s - t) > 0.15 * t) d *= 2.0;
      e += d * d;
      summeSV += s + v;
      summeT += t;
    }
    const double c = summeSV / Mode - summeT;
    const double score = 3.0 * c * c + e;
    if (score < best) {
      best = score;
      wahl = y;
    }
  }
  return static_cast<uint8_t>(wahl);
}

uint8_t CalcMonatssummen(const TKlimOrt& Ort, const float* Reihen, float* Summen) {
  if (!std::isfinite(Ort.Breite) || !Endlich(Reihen, 2 * KLIM_STUNDEN)) return kUngueltig;
  const double phi = Ort.Breite;
  const double sinPhi = SinG(phi), cosPhi = CosG(phi);
  const float* dni = Reihen;
  const float* dhi = Reihen + KLIM_STUNDEN;
  std::array<double, 12> summen{};
  int j = 0, h = 0;
  for (int m = 1; m <= 12; ++m) {
    double summe = 0.0;
    for (int d = 0; d < kMonatsTage[m - 1]; ++d) {
      ++j;
      const double dekl = ArcSinG(0.39795 * CosG(0.98563 * (j - 173)));
      const double sinDsinPhi = SinG(dekl) * sinPhi, cosD = CosG(dekl);
      for (int k = 0; k < 24; ++k, ++h) {
        if (!(dhi[h] > 0.0f)) continue;
        const double cz = std::min(1.0, sinDsinPhi - CosG((k + 0.5) * 15.0) * cosD * cosPhi);
        const double s = CosG(90.0 - ArcSinG(cz));
        summe += s > 0.0 ? dhi[h] + s * dni[h] : dhi[h];
      }
    }
    summen[m - 1] = summe / 1000.0;
  }
  for (int m = 0; m < 12; ++m) Summen[m] = static_cast<float>(summen[m]);
  return kOk;
}

uint8_t KlimgenSimYears(Zustand& z, uint8_t Mode, bool Generieren, const TKlimOrt& Ort,
                        KlimaZonenTabelle KlimaZonen, TempZonenTabelle TempZonen,
                        TruebungsTabelle TruebungsZonen, const float* Vorjahre,
                        TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate) {
  z.Ergebniscode = kOk;
  z.Generieren = Generieren;
  const TKlimOrt ort = Ort;
  std::array<float, 12> vorjahre{};
  Tabellen tab;
  if (Mode < 1 || Mode > 3 || !PruefenUndKopieren(ort, KlimaZonen, TempZonen, TruebungsZonen, tab)) {
    return z.Ergebniscode = kUngueltig;
  }
  if (Mode >= 2) {
    // Modes 2 and 3 build on the blocks of a mode-1 call for this very location.
    bool passt = z.Vorbereitet && GleicherOrt(z.VorbereitetOrt, ort) && Vorjahre != nullptr;
    for (int m = 1; passt && m <= 12; ++m) passt = M(Monate, KLIM_M_ZIEL, m) == ort.MonatsSumme[m - 1];
    if (passt) {
      std::copy(Vorjahre, Vorjahre + 12, vorjahre.begin());
      for (float v : vorjahre) passt = passt && std::isfinite(v) && v >= 0.0f;
    }
    if (!passt) return z.Ergebniscode = kUngueltig;
  } else {
    z.Vorbereitet = false;
    for (int m = 1; m <= 12; ++m) {
      M(Monate, KLIM_M_ZIEL, m) = ort.MonatsSumme[m - 1];
      M(Monate, KLIM_M_TEMP, m) = ort.MonatsTemp[m - 1];
    }
  }
  const uint8_t code = Ausfuehren(z, Mode, ort, tab, vorjahre.data(), Stunden, Tage, Monate);
  if (Mode == 1 && code == kOk) {
    z.Vorbereitet = true;
    z.VorbereitetOrt = ort;
  }
  return code;
}

uint8_t KlimgenSimulation(Zustand& z, bool Generieren, const TKlimOrt& Ort,
                          KlimaZonenTabelle KlimaZonen, TempZonenTabelle TempZonen,
                          TruebungsTabelle TruebungsZonen, TKlimStunden& Stunden,
                          TKlimTage& Tage, TKlimMonate& Monate) {
  z.Ergebniscode = kOk;
  z.Generieren = Generieren;
  const TKlimOrt ort = Ort;
  Tabellen tab;
  if (!PruefenUndKopieren(ort, KlimaZonen, TempZonen, TruebungsZonen, tab)) return z.Ergebniscode = kUngueltig;
  z.Vorbereitet = false;
  for (int m = 1; m <= 12; ++m) {
    M(Monate, KLIM_M_ZIEL, m) = static_cast<float>(kMonatsTage[m - 1] * static_cast<double>(ort.MonatsSumme[m - 1]));
    M(Monate, KLIM_M_TEMP, m) = ort.MonatsTemp[m - 1];
  }
  return Ausfuehren(z, 0, ort, tab, nullptr, Stunden, Tage, Monate);
}

}  // namespace tav::klimgen
