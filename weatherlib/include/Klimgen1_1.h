/*
 * Klimgen1_1: synthesis of hourly weather years from a location's monthly climate data.
 *
 * Plain C interface of the shared library libKlimgen1_1.so. All records are packed and
 * passed by address; every number is a 32-bit IEEE float unless the field says otherwise.
 * The library copies its inputs, writes only into the caller's blocks and lets no
 * exception escape. It is not re-entrant in the sense of sharing one random stream and one
 * result byte between all calls; the exports serialise themselves, so calls from several
 * threads are safe but run one after another.
 *
 * Calendar: 365 days (no leap day). Hour index h = (day - 1) * 24 + (hour of day - 1),
 * hour of day 1 being 0:00-1:00 local standard time.
 *
 * Result codes (uint8_t):
 *   0 success
 *   1 "kd I"      daily generator: inverse distribution did not converge
 *   2 "kd II"     daily generator: no month draw reached mean and variance
 *   3 "kh II"     hourly generator: no hourly draw fell inside its bounds
 *   4 "kh I"      hourly generator: no attempt matched the daily clearness (within the
 *                 attempts of its tolerance steps and the call's bound on hourly draws)
 *   5 "Truebung"  turbidity zone outside 1..13
 *   6 "too_low"   a monthly clearness index below 0.15
 *   7 "too_high"  a monthly clearness index above its climatic maximum
 *   8 internal fault (unexpected exception, or a non-finite value found in an output block)
 *   9 invalid argument (null block, mode outside 1..3, mode 2 or 3 without a preceding
 *     successful mode 1 for the same location, temperature zone missing or empty in the
 *     table, a negative or non-finite monthly value, latitude, longitude, altitude or a
 *     monthly temperature beyond the KLIM_..._MAX / _MIN bounds below)
 * Whenever the code is not 0 the caller must treat the blocks as invalid. With code 9 the
 * blocks are left untouched.
 *
 * Latitude: `Breite` may be negative for the southern hemisphere. The sun geometry then is
 * the true one for that latitude and the seasonal terms of the model follow the southern
 * seasons; the monthly data are taken as they stand (January is January). The empirical
 * rules (turbidity zone, climate region, clearness limit) take the absolute latitude; for
 * northern locations nothing changes.
 *
 * High latitudes: a month without sun above the horizon must have zero irradiation and is
 * synthesised dark; days without a daylight hour are dark. At the poles themselves the
 * hourly model may end with code 4.
 */
#ifndef KLIMGEN1_1_H
#define KLIMGEN1_1_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KLIMGEN_API __attribute__((visibility("default")))
#else
#define KLIMGEN_API
#endif

/* Sizes, channels, series and arrays (one enumeration, so they mix freely in arithmetic). */
enum {
  KLIM_TAGE = 365,
  KLIM_STUNDEN = 8760,
  KLIM_KANDIDATEN = 15,
  KLIM_STUNDEN_KANAELE = 12,
  KLIM_TAGE_WERTE = 18250,
  KLIM_MONATE_WERTE = 258,
  KLIM_TRUEBUNG_EINTRAEGE = 21, /* entries 0..20 */
  KLIM_TEMPZONE_EINTRAEGE = 20, /* entries 1..20, passed from entry 1 on */
  KLIM_KLIMAZONE_EINTRAEGE = 20, /* entries 1..20, passed from entry 1 on */
  /* What a location record may hold; beyond it a synthesis gives code 9. */
  KLIM_BREITE_MAX = 90,    /* |Breite|, degrees */
  KLIM_LAENGE_MAX = 180,   /* |Laenge|, degrees */
  KLIM_HOEHE_MIN = -1000,  /* Hoehe, m */
  KLIM_HOEHE_MAX = 9000,
  KLIM_TEMP_MAX = 100,     /* |MonatsTemp|, degC; MonatsSumme must not be negative */
  /* Channels of the hourly block: channel c of hour h at Werte[c * 8760 + h]. */
  KLIM_K_HOEHE = 0,       /* sun elevation, degrees (0 below the horizon) */
  KLIM_K_AZIMUT = 1,      /* azimuth from south, negative before solar noon */
  KLIM_K_EXTRA = 2,       /* extraterrestrial horizontal, Wh/m2 */
  KLIM_K_KLAR = 3,        /* clear-sky global horizontal, Wh/m2 */
  KLIM_K_GLOBAL = 4,      /* global horizontal, Wh/m2 */
  KLIM_K_DIREKT = 5,      /* beam horizontal, Wh/m2 */
  KLIM_K_DIFFUS = 6,      /* diffuse horizontal, Wh/m2 */
  KLIM_K_DNI = 7,         /* direct normal, Wh/m2 */
  KLIM_K_TEMP = 8,        /* ambient air temperature, degC */
  KLIM_K_KTMAX = 9,       /* maximum hourly clearness */
  KLIM_K_KT = 10,         /* hourly clearness */
  KLIM_K_VERHAELTNIS = 11, /* global / clear-sky global */
  /* Daily block: series s of day d at Werte[s * 365 + d - 1]; candidate matrices at
     base + (d - 1) * 15 + (candidate - 1). */
  KLIM_T_EXTRA = 0,   /* extraterrestrial daily, kWh/m2 */
  KLIM_T_KLAR = 1,    /* clear-sky daily global, kWh/m2 */
  KLIM_T_GLOBAL = 2,  /* daily global of the generated year, kWh/m2 */
  KLIM_T_KTMAX = 3,   /* maximum daily clearness */
  KLIM_T_KT = 4,      /* daily clearness of the generated year */
  KLIM_T_KANDIDAT_KT = 7300,
  KLIM_T_KANDIDAT_GLOBAL = 12775,
  /* Monthly block: array a of month m at Werte[a * 13 + m - 1]; candidate matrix at
     78 + (m - 1) * 15 + (candidate - 1). */
  KLIM_M_EXTRA = 0,  /* extraterrestrial monthly, kWh/m2 */
  KLIM_M_ZIEL = 1,   /* target monthly global, kWh/m2 */
  KLIM_M_TEMP = 4,   /* target monthly mean temperature, degC */
  KLIM_M_KT = 5,     /* monthly clearness index */
  KLIM_M_KANDIDAT_KT = 78,
};

#pragma pack(push, 1)

/* One location, 110 bytes. */
typedef struct TKlimOrt {
  float Breite;          /* latitude, degrees, north positive (south negative, see above) */
  float Laenge;          /* longitude, degrees, east positive */
  int32_t Hoehe;         /* altitude above sea level, m */
  float MonatsSumme[12]; /* KlimgenSimYears: monthly global kWh/m2; KlimgenSimulation: daily mean */
  float MonatsTemp[12];  /* monthly mean air temperature, degC */
  int8_t Zeitzone;       /* time zone of local standard time, hours east of Greenwich */
  uint8_t TempZone;      /* temperature zone 1..20 of the temperature-zone table */
} TKlimOrt;

/* Turbidity zone, 16 bytes. The name slot is the caller's reference, never read. */
typedef struct TKlimTruebung {
  uint32_t Name;
  float Mittel;   /* mean Linke turbidity */
  float CosKoeff; /* coefficient of the cosine of the annual term */
  float SinKoeff; /* coefficient of the sine of the annual term */
} TKlimTruebung;

/* Temperature zone, 76 bytes. */
typedef struct TKlimTempZone {
  uint32_t Name;
  float Koeffizient[12]; /* temperature rise per Wh/m2 of hourly global */
  uint8_t Fenster[12];   /* averaging window, hours */
  uint8_t Verzug[12];    /* delay of the window behind the hour, hours */
} TKlimTempZone;

/* Climate zone, 24 bytes: distances of the monthly lower and upper bound from the mean
   (bounds = mean + 0.7 * Unten, mean + 0.8 * Oben). The library reads both as signed. */
typedef struct TKlimKlimaZone {
  int8_t Unten[12];
  uint8_t Oben[12];
} TKlimKlimaZone;

typedef struct TKlimStunden {
  float Werte[KLIM_STUNDEN_KANAELE * KLIM_STUNDEN];
} TKlimStunden;

typedef struct TKlimTage {
  float Werte[KLIM_TAGE_WERTE];
} TKlimTage;

typedef struct TKlimMonate {
  float Werte[KLIM_MONATE_WERTE];
} TKlimMonate;

#pragma pack(pop)

#ifdef __cplusplus
#define KLIMGEN_STATIC_ASSERT static_assert
#else
#define KLIMGEN_STATIC_ASSERT _Static_assert
#endif
KLIMGEN_STATIC_ASSERT(sizeof(TKlimOrt) == 110, "TKlimOrt");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, Laenge) == 4, "Laenge");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, Hoehe) == 8, "Hoehe");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, MonatsSumme) == 12, "MonatsSumme");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, MonatsTemp) == 60, "MonatsTemp");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, Zeitzone) == 108, "Zeitzone");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimOrt, TempZone) == 109, "TempZone");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimTruebung) == 16, "TKlimTruebung");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimTruebung, Mittel) == 4, "Mittel");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimTruebung, SinKoeff) == 12, "SinKoeff");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimTempZone) == 76, "TKlimTempZone");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimTempZone, Koeffizient) == 4, "Koeffizient");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimTempZone, Fenster) == 52, "Fenster");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimTempZone, Verzug) == 64, "Verzug");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimKlimaZone) == 24, "TKlimKlimaZone");
KLIMGEN_STATIC_ASSERT(offsetof(TKlimKlimaZone, Oben) == 12, "Oben");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimStunden) == 420480, "TKlimStunden");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimTage) == 73000, "TKlimTage");
KLIMGEN_STATIC_ASSERT(sizeof(TKlimMonate) == 1032, "TKlimMonate");

/*
 * The thirteen exports. Pointer arguments marked [in] are only read, [out] are written.
 * Table arguments: KlimaZonen 20 entries (zones 1..20), TempZonen 20 entries (zones
 * 1..20), TruebungsZonen 21 entries (zones 0..20). A null pointer gives code 9.
 *
 * The operations that the original interface declares without result return the result
 * byte here (0 on success); a caller that ignores it stays correct. On code 9 they leave
 * their outputs untouched.
 */

/* One synthetic year. Mode 1 prepares the location and, with Generieren set, keeps the best
   of 15 candidates; modes 2 and 3 reuse the mode-1 preparation (same location record and
   the blocks filled by that call) and choose among 15 new candidates the one that keeps the
   running mean of the series on target. Vorjahre [in, 12]: element-wise sum of the monthly
   global sums of the years generated before (ignored in mode 1, may be null there). */
KLIMGEN_API uint8_t KlimgenSimYears(uint8_t Mode, uint8_t Generieren, const TKlimOrt* Ort,
                                    const TKlimKlimaZone* KlimaZonen,
                                    const TKlimTempZone* TempZonen,
                                    const TKlimTruebung* TruebungsZonen, const float* Vorjahre,
                                    TKlimStunden* Stunden, TKlimTage* Tage, TKlimMonate* Monate);

/* The single-year variant: MonatsSumme holds daily means; always prepares the location. */
KLIMGEN_API uint8_t KlimgenSimulation(uint8_t Generieren, const TKlimOrt* Ort,
                                      const TKlimKlimaZone* KlimaZonen,
                                      const TKlimTempZone* TempZonen,
                                      const TKlimTruebung* TruebungsZonen,
                                      TKlimStunden* Stunden, TKlimTage* Tage, TKlimMonate* Monate);

/* Monthly global horizontal sums (kWh/m2) of an hourly year given as direct normal
   (Reihen[0..8759]), diffuse horizontal (Reihen[8760..17519]) and a third series that is
   not read. Summen [out, 12]. Non-finite input values give code 9. */
KLIMGEN_API uint8_t CalcMonatssummen(const TKlimOrt* Ort, const float* Reihen, float* Summen);

/* Number 1..15 of the candidate year whose monthly sums deviate least from the targets;
   0 when a block is missing. */
KLIMGEN_API uint8_t FindBestYear(const TKlimTage* Tage, const TKlimMonate* Monate);

/* Hourly ambient temperature (channel 8). A latitude beyond +-90 or a longitude beyond
   +-180 degrees gives code 9. */
KLIMGEN_API uint8_t Temp_Addition(const TKlimOrt* Ort, const TKlimKlimaZone* KlimaZonen,
                                  const TKlimTempZone* TempZonen, TKlimStunden* Stunden,
                                  const TKlimTage* Tage, const TKlimMonate* Monate);

/* Splits channel 4 into channels 5, 6 and 7; Breite is accepted and not used. */
KLIMGEN_API uint8_t Diffus_Direkt_Anteil(uint8_t Zone, TKlimStunden* Stunden, float Breite);

/* Hourly clearness (channel 10), global (4) and ratio (11) from the daily series 4. */
KLIMGEN_API uint8_t kh_Generator(TKlimStunden* Stunden, const TKlimTage* Tage);

/* Daily clearness for candidate 1..15 (candidate matrices; Monate receives the drawn
   monthly clearness) or, with Kandidat 0, series 2 and 4. Kandidat 0 while the library's
   generation flag is set, or above 15, coordinates out of range, or a monthly clearness
   (array 5) that is not a number from 0 to 1, give code 9. */
KLIMGEN_API uint8_t kd_Generator(uint8_t Kandidat, TKlimMonate* Monate, TKlimTage* Tage,
                                 float Breite, float Laenge);

/* Clear-sky global (channel 3), maximum hourly clearness (9), daily clear-sky sums
   (series 1) and maximum daily clearness (series 3). Used on its own it applies the
   northern phase of the annual turbidity cycle. */
KLIMGEN_API uint8_t Clearness_max(const TKlimTruebung* Zone, TKlimStunden* Stunden,
                                  TKlimTage* Tage, float Hoehe);

/* Monthly clearness (array 5) and its plausibility status 0, 2 (too low) or 3 (too high). */
KLIMGEN_API uint8_t Clearness_m_Check(TKlimMonate* Monate, uint8_t* Status, float Breite,
                                      float Hoehe);

/* Extraterrestrial irradiation per hour (channel 2), day (series 0) and month (array 0). */
KLIMGEN_API uint8_t E_ex_hour_day_month(TKlimStunden* Stunden, TKlimTage* Tage,
                                        TKlimMonate* Monate);

/* Sun elevation and azimuth (channels 0 and 1). */
KLIMGEN_API uint8_t Sun_Position_DIN(TKlimStunden* Stunden, float Breite, float Laenge,
                                     float Zeitzone);

/* Turbidity zone 1..13 of a location (0 for a non-finite coordinate). */
KLIMGEN_API uint8_t TurbidZone(float Breite, float Laenge);

#ifdef __cplusplus
}
#endif

#endif /* KLIMGEN1_1_H */
