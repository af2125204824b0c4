#include "location/KlimaTabellen.h"

#include <cstring>

namespace tav {
namespace {

struct TruebungsZeile {
  std::string_view name;
  float mittel, cosKoeff, sinKoeff;
};

// Entry 14 ("not specified") repeats the continental entry 8.
constexpr TruebungsZeile kTruebung[14] = {
    {"Norwegische See", 3.34f, -0.34f, 0.09f},
    {"Nordeuropa und Ostsee", 3.6f, -0.6f, 0.007f},
    {"Irischer Graben", 3.31f, -0.65f, 0.13f},
    {"Irische See", 3.65f, -0.65f, 0.041f},
    {"England und Kanalküste", 3.96f, -0.84f, -0.009f},
    {"Deutsche und Polnische Tiefebene", 3.95f, -0.92f, 0.033f},
    {"Atlantik", 3.64f, -0.7f, 0.116f},
    {"Kontinentaleuropa", 3.9f, -0.76f, -0.0032f},
    {"Balkan", 4.3f, -1.03f, 0.189f},
    {"Spanien und Portugal", 4.21f, -0.93f, 0.064f},
    {"Mittelmeer", 3.91f, -0.65f, 0.0318f},
    {"Adria", 3.74f, -0.58f, -0.04f},
    {"Ägäische See", 4.72f, -1.34f, 0.0075f},
    {"Nicht spezifiziert", 3.9f, -0.76f, -0.0032f},
};

struct TempZoneZeile {
  std::string_view name;
  float koeff[12];
  unsigned char fenster[12];
  unsigned char verzug[12];
};

// Zone 4 in November carries 0.08 among 0.005/0.008 in the other months. It looks like a
// slip by a factor of ten in the source data, but it is kept as the table is delivered.
constexpr TempZoneZeile kTempZonen[8] = {
    {"Gebirgstal",
     {0.035f, 0.03f, 0.025f, 0.022f, 0.02f, 0.018f, 0.018f, 0.018f, 0.021f, 0.028f, 0.035f, 0.035f},
     {6, 7, 9, 9, 9, 9, 9, 9, 9, 8, 7, 6},
     {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
    {"Gebirgsregion  1000 - 2000 m (Höhenzüge)",
     {0.016f, 0.014f, 0.012f, 0.012f, 0.012f, 0.012f, 0.012f, 0.012f, 0.014f, 0.015f, 0.016f, 0.016f},
     {6, 7, 9, 9, 9, 9, 9, 9, 9, 9, 7, 6},
     {2, 2, 2, 3, 3, 3, 3, 3, 3, 2, 2, 2}},
    {"Gebirgsregion  2000 - 3000 m (Höhenzüge)",
     {0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f, 0.01f},
     {8, 8, 9, 9, 9, 9, 9, 9, 9, 9, 8, 8},
     {2, 2, 2, 3, 3, 3, 3, 3, 3, 2, 2, 2}},
    {"Gebirgsregion  > 3000 m (Höhenzüge)",
     {0.008f, 0.008f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.005f, 0.08f, 0.008f},
     {8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 8},
     {2, 2, 2, 3, 3, 3, 3, 3, 3, 2, 2, 2}},
    {"Mediterranes Klima",
     {0.016f, 0.015f, 0.013f, 0.013f, 0.012f, 0.011f, 0.011f, 0.011f, 0.011f, 0.012f, 0.013f, 0.015f},
     {6, 7, 8, 8, 8, 8, 8, 8, 8, 8, 7, 7},
     {2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2}},
    {"gemässigtes Klima, kühl bis warm",
     {0.025f, 0.024f, 0.023f, 0.021f, 0.02f, 0.019f, 0.019f, 0.019f, 0.02f, 0.023f, 0.025f, 0.025f},
     {7, 7, 8, 9, 9, 9, 9, 9, 9, 8, 8, 7},
     {2, 2, 2, 3, 3, 3, 3, 3, 3, 2, 2, 2}},
    {"gemässigtes Klima, kühl, Küste",
     {0.017f, 0.018f, 0.018f, 0.016f, 0.015f, 0.014f, 0.014f, 0.014f, 0.015f, 0.016f, 0.018f, 0.017f},
     {8, 8, 9, 9, 9, 9, 9, 9, 9, 9, 8, 8},
     {2, 2, 2, 3, 3, 3, 3, 3, 2, 2, 2, 2}},
    {"polares und kaltes Klima",
     {0.044f, 0.04f, 0.034f, 0.024f, 0.02f, 0.02f, 0.02f, 0.02f, 0.028f, 0.034f, 0.04f, 0.044f},
     {6, 7, 8, 9, 10, 10, 10, 10, 9, 8, 7, 6},
     {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
};

struct KlimaZoneZeile {
  signed char unten[12];
  unsigned char oben[12];
};

constexpr KlimaZoneZeile kKlimaZonen[7] = {
    {{-16, -17, -18, -12, -11, -10, -9, -10, -12, -15, -18, -17},
     {13, 12, 12, 16, 19, 18, 16, 12, 14, 14, 13, 13}},
    {{-24, -24, -27, -26, -19, -15, -16, -16, -16, -24, -23, -26},
     {24, 22, 21, 22, 20, 18, 16, 17, 18, 19, 21, 22}},
    {{-15, -13, -12, -10, -11, -12, -10, -10, -11, -12, -12, -14},
     {10, 12, 13, 15, 15, 15, 15, 14, 14, 12, 11, 10}},
    {{-22, -22, -20, -14, -15, -14, -16, -14, -15, -15, -18, -19},
     {15, 17, 17, 17, 16, 16, 17, 16, 16, 16, 15, 15}},
    {{-26, -23, -24, -18, -15, -15, -13, -14, -16, -18, -20, -25},
     {16, 20, 20, 20, 18, 17, 15, 16, 17, 17, 15, 16}},
    {{-13, -13, -14, -11, -12, -11, -11, -11, -12, -15, -14, -13},
     {13, 14, 15, 16, 15, 15, 14, 13, 14, 13, 14, 13}},
    {{-11, -11, -12, -14, -13, -12, -10, -10, -12, -13, -12, -11},
     {12, 13, 13, 13, 14, 12, 12, 10, 12, 12, 13, 12}},
};

}  // namespace

void FillKlimaTabellen(KlimaTabellen& t) {
  t = KlimaTabellen{};
  for (int n = 1; n <= 14; ++n) {
    const TruebungsZeile& z = kTruebung[n - 1];
    t.TruebungsZonen[n] = TKlimTruebung{static_cast<uint32_t>(n), z.mittel, z.cosKoeff, z.sinKoeff};
  }
  for (int n = 1; n <= 8; ++n) {
    const TempZoneZeile& z = kTempZonen[n - 1];
    TKlimTempZone& e = t.TempZonen[n - 1];
    e.Name = static_cast<uint32_t>(n);
    std::memcpy(e.Koeffizient, z.koeff, sizeof e.Koeffizient);
    std::memcpy(e.Fenster, z.fenster, sizeof e.Fenster);
    std::memcpy(e.Verzug, z.verzug, sizeof e.Verzug);
  }
  for (int n = 1; n <= 7; ++n) {
    TKlimKlimaZone& e = t.KlimaZonen[n - 1];
    std::memcpy(e.Unten, kKlimaZonen[n - 1].unten, sizeof e.Unten);
    std::memcpy(e.Oben, kKlimaZonen[n - 1].oben, sizeof e.Oben);
  }
}

const KlimaTabellen& ProgrammKlimaTabellen() {
  static const KlimaTabellen tabellen = [] {
    KlimaTabellen t;
    FillKlimaTabellen(t);
    return t;
  }();
  return tabellen;
}

std::string_view TruebungsZoneName(int zone) {
  return zone >= 1 && zone <= 14 ? kTruebung[zone - 1].name : std::string_view{};
}

std::string_view TempZoneName(int zone) {
  return zone >= 1 && zone <= 8 ? kTempZonen[zone - 1].name : std::string_view{};
}

}  // namespace tav
