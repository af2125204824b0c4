// The weather library's thirteen exports with any location, tables and arguments. A call
// that answers 0 must leave only finite numbers in the blocks (they start finite).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "Klimgen1_1.h"
#include "location/KlimaTabellen.h"

namespace {

struct Bloecke {
  std::unique_ptr<TKlimStunden> stunden = std::make_unique<TKlimStunden>();
  std::unique_ptr<TKlimTage> tage = std::make_unique<TKlimTage>();
  std::unique_ptr<TKlimMonate> monate = std::make_unique<TKlimMonate>();
};

// Any 32-bit pattern, infinities and NaN included.
float RawFloat(FuzzedDataProvider& p) {
  const std::uint32_t bits = p.ConsumeIntegral<std::uint32_t>();
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// A plausible value, or with some chance any pattern.
float Wert(FuzzedDataProvider& p, float plausibel) {
  return p.ConsumeBool() ? RawFloat(p) : plausibel;
}

template <typename T>
void Ueberschreibe(FuzzedDataProvider& p, T& block) {
  if (!p.ConsumeBool()) return;
  const std::size_t at = p.ConsumeIntegralInRange<std::size_t>(0, sizeof(T) - 1);
  const std::string bytes = p.ConsumeBytesAsString(std::min<std::size_t>(sizeof(T) - at, 64));
  std::memcpy(reinterpret_cast<unsigned char*>(&block) + at, bytes.data(), bytes.size());
}

template <typename T>
std::size_t ErstesNichtEndliches(const T& block) {
  const std::size_t n = sizeof(block.Werte) / sizeof(block.Werte[0]);
  for (std::size_t i = 0; i < n; ++i)
    if (!std::isfinite(block.Werte[i])) return i;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Bloecke b;
  FuzzedDataProvider p(data, size);

  // Freiburg as the program hands it over, each field perhaps replaced.
  static const float tagesmittel[12] = {1.05f, 1.71f, 2.87f, 4.14f, 4.94f, 5.73f,
                                        5.61f, 4.55f, 3.77f, 2.23f, 1.16f, 0.82f};
  static const float temp[12] = {1.0f, 1.9f, 6.2f, 10.2f, 14.4f, 17.5f,
                                 19.3f, 18.6f, 15.5f, 9.9f, 5.2f, 1.8f};
  static const int tage[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const std::uint8_t welche = p.ConsumeIntegralInRange<std::uint8_t>(0, 12);
  const std::uint8_t modus = p.ConsumeIntegralInRange<std::uint8_t>(0, 4);
  const std::uint8_t generieren = p.ConsumeIntegral<std::uint8_t>();
  TKlimOrt ort{};
  ort.Breite = Wert(p, 48.0f);
  ort.Laenge = Wert(p, 7.9f);
  ort.Hoehe = p.ConsumeBool() ? p.ConsumeIntegral<std::int32_t>() : 269;
  for (int m = 0; m < 12; ++m) {
    ort.MonatsSumme[m] = Wert(p, welche == 1 ? tagesmittel[m] : tagesmittel[m] * tage[m]);
    ort.MonatsTemp[m] = Wert(p, temp[m]);
  }
  ort.Zeitzone = p.ConsumeBool() ? p.ConsumeIntegral<std::int8_t>() : 1;
  ort.TempZone = p.ConsumeBool() ? p.ConsumeIntegral<std::uint8_t>() : 6;

  tav::KlimaTabellen tab = tav::ProgrammKlimaTabellen();
  Ueberschreibe(p, tab.TruebungsZonen);
  Ueberschreibe(p, tab.TempZonen);
  Ueberschreibe(p, tab.KlimaZonen);

  // Finite blocks, as an earlier call of the sequence would leave them.
  std::fill(std::begin(b.stunden->Werte), std::end(b.stunden->Werte),
            p.ConsumeFloatingPointInRange<float>(-50.0f, 1500.0f));
  std::fill(std::begin(b.tage->Werte), std::end(b.tage->Werte),
            p.ConsumeFloatingPointInRange<float>(0.0f, 1.0f));
  std::fill(std::begin(b.monate->Werte), std::end(b.monate->Werte),
            p.ConsumeFloatingPointInRange<float>(0.0f, 1.0f));
  float vorjahre[12];
  for (float& v : vorjahre) v = Wert(p, 100.0f);
  const float a = Wert(p, 48.0f), c = Wert(p, 7.9f), z = Wert(p, 1.0f);
  std::uint8_t status = 0;
  float summen[12] = {};
  static float reihen[3 * KLIM_STUNDEN];
  std::fill(std::begin(reihen), std::end(reihen), p.ConsumeFloatingPointInRange<float>(0.0f, 900.0f));

  std::uint8_t code = 0;
  switch (welche) {
    case 0:
      code = KlimgenSimYears(modus, generieren, &ort, tab.KlimaZonen.data(), tab.TempZonen.data(),
                             tab.TruebungsZonen.data(), vorjahre, b.stunden.get(), b.tage.get(),
                             b.monate.get());
      break;
    case 1:
      code = KlimgenSimulation(generieren, &ort, tab.KlimaZonen.data(), tab.TempZonen.data(),
                               tab.TruebungsZonen.data(), b.stunden.get(), b.tage.get(),
                               b.monate.get());
      break;
    case 2:
      code = CalcMonatssummen(&ort, reihen, summen);
      for (float v : summen)
        tav::fuzz::Require(code != 0 || std::isfinite(v), "weather library: CalcMonatssummen wrote a non-finite sum with code 0");
      break;
    case 3:
      FindBestYear(b.tage.get(), b.monate.get());
      break;
    case 4:
      code = Temp_Addition(&ort, tab.KlimaZonen.data(), tab.TempZonen.data(), b.stunden.get(),
                           b.tage.get(), b.monate.get());
      break;
    case 5:
      code = Diffus_Direkt_Anteil(generieren, b.stunden.get(), a);
      break;
    case 6:
      code = kh_Generator(b.stunden.get(), b.tage.get());
      break;
    case 7:
      code = kd_Generator(generieren, b.monate.get(), b.tage.get(), a, c);
      break;
    case 8:
      code = Clearness_max(&tab.TruebungsZonen[generieren % KLIM_TRUEBUNG_EINTRAEGE],
                           b.stunden.get(), b.tage.get(), z);
      break;
    case 9:
      code = Clearness_m_Check(b.monate.get(), &status, a, z);
      break;
    case 10:
      code = E_ex_hour_day_month(b.stunden.get(), b.tage.get(), b.monate.get());
      break;
    case 11:
      code = Sun_Position_DIN(b.stunden.get(), a, c, z);
      break;
    default:
      TurbidZone(a, c);
      break;
  }
  if (code == 0) {
    const std::string art = "export " + std::to_string(welche);
    tav::fuzz::Require(ErstesNichtEndliches(*b.stunden) == KLIM_STUNDEN_KANAELE * KLIM_STUNDEN,
                       "weather library: non-finite hourly value with code 0", art);
    tav::fuzz::Require(ErstesNichtEndliches(*b.tage) == KLIM_TAGE_WERTE,
                       "weather library: non-finite daily value with code 0", art);
    tav::fuzz::Require(ErstesNichtEndliches(*b.monate) == KLIM_MONATE_WERTE,
                       "weather library: non-finite monthly value with code 0", art);
  }
  return 0;
}
