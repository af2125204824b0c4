// The climate-region tables the program hands to the weather library.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "location/KlimaTabellen.h"

namespace tav {
namespace {

static_assert(sizeof(KlimaTabellen::TruebungsZonen) == 336);
static_assert(sizeof(KlimaTabellen::TempZonen) == 1520);
static_assert(sizeof(KlimaTabellen::KlimaZonen) == 480);

bool Null(const void* p, size_t n) {
  const auto* b = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < n; ++i)
    if (b[i] != 0) return false;
  return true;
}

TEST(KlimaTabellen, UnfilledEntriesAreZero) {
  const KlimaTabellen& t = ProgrammKlimaTabellen();
  EXPECT_TRUE(Null(&t.TruebungsZonen[0], sizeof(TKlimTruebung)));
  for (int n = 15; n <= 20; ++n) EXPECT_TRUE(Null(&t.TruebungsZonen[n], sizeof(TKlimTruebung))) << n;
  for (int n = 9; n <= 20; ++n) EXPECT_TRUE(Null(&t.TempZonen[n - 1], sizeof(TKlimTempZone))) << n;
  for (int n = 8; n <= 20; ++n) EXPECT_TRUE(Null(&t.KlimaZonen[n - 1], sizeof(TKlimKlimaZone))) << n;
  for (int n = 1; n <= 14; ++n) EXPECT_FALSE(Null(&t.TruebungsZonen[n], sizeof(TKlimTruebung))) << n;
}

TEST(KlimaTabellen, ValuesAsListed) {
  const KlimaTabellen& t = ProgrammKlimaTabellen();
  const TKlimTruebung& aegaeis = t.TruebungsZonen[13];
  EXPECT_EQ(aegaeis.Mittel, 4.72f);
  EXPECT_EQ(aegaeis.CosKoeff, -1.34f);
  EXPECT_EQ(aegaeis.SinKoeff, 0.0075f);
  // "Not specified" repeats the continental entry.
  EXPECT_EQ(0, std::memcmp(&t.TruebungsZonen[14].Mittel, &t.TruebungsZonen[8].Mittel, 12));
  EXPECT_EQ(TruebungsZoneName(14), "Nicht spezifiziert");
  EXPECT_EQ(TruebungsZoneName(13), "Ägäische See");

  // Zone 6, the default of new locations.
  const TKlimTempZone& z6 = t.TempZonen[6 - 1];
  const float koeff[12] = {0.025f, 0.024f, 0.023f, 0.021f, 0.02f, 0.019f, 0.019f, 0.019f, 0.02f, 0.023f, 0.025f, 0.025f};
  const uint8_t fenster[12] = {7, 7, 8, 9, 9, 9, 9, 9, 9, 8, 8, 7};
  const uint8_t verzug[12] = {2, 2, 2, 3, 3, 3, 3, 3, 3, 2, 2, 2};
  EXPECT_EQ(0, std::memcmp(z6.Koeffizient, koeff, sizeof koeff));
  EXPECT_EQ(0, std::memcmp(z6.Fenster, fenster, sizeof fenster));
  EXPECT_EQ(0, std::memcmp(z6.Verzug, verzug, sizeof verzug));
  EXPECT_EQ(TempZoneName(6), "gemässigtes Klima, kühl bis warm");
  EXPECT_EQ(TempZoneName(2), "Gebirgsregion  1000 - 2000 m (Höhenzüge)");
  // Kept as delivered, though it looks like a slip by a factor of ten.
  EXPECT_EQ(t.TempZonen[4 - 1].Koeffizient[10], 0.08f);

  const TKlimKlimaZone& k2 = t.KlimaZonen[2 - 1];
  const int8_t unten[12] = {-24, -24, -27, -26, -19, -15, -16, -16, -16, -24, -23, -26};
  const uint8_t oben[12] = {24, 22, 21, 22, 20, 18, 16, 17, 18, 19, 21, 22};
  EXPECT_EQ(0, std::memcmp(k2.Unten, unten, sizeof unten));
  EXPECT_EQ(0, std::memcmp(k2.Oben, oben, sizeof oben));
}

// The tables go to the library as they are: a location of temperature zone 6 synthesises
// its year, an empty zone is refused.
TEST(KlimaTabellen, HandedToTheLibrary) {
  const KlimaTabellen& t = ProgrammKlimaTabellen();
  const float tagesmittel[12] = {0.57f, 1.15f, 2.36f, 3.55f, 4.75f, 5.40f, 4.88f, 4.36f, 2.88f, 1.52f, 0.71f, 0.42f};
  const float temp[12] = {0.1f, 0.5f, 3.8f, 8.2f, 12.9f, 16.3f, 18.2f, 17.6f, 14.3f, 9.6f, 5.2f, 1.9f};
  TKlimOrt ort{};
  ort.Breite = 53.1f;
  ort.Laenge = 11.0f;
  ort.Hoehe = 14;
  ort.Zeitzone = 1;
  ort.TempZone = 6;
  for (int m = 0; m < 12; ++m) {
    ort.MonatsSumme[m] = tagesmittel[m];
    ort.MonatsTemp[m] = temp[m];
  }
  auto s = std::make_unique<TKlimStunden>();
  auto tage = std::make_unique<TKlimTage>();
  auto monate = std::make_unique<TKlimMonate>();
  EXPECT_EQ(KlimgenSimulation(1, &ort, t.KlimaZonen.data(), t.TempZonen.data(), t.TruebungsZonen.data(), s.get(),
                              tage.get(), monate.get()),
            0);
  ort.TempZone = 9;
  EXPECT_EQ(KlimgenSimulation(1, &ort, t.KlimaZonen.data(), t.TempZonen.data(), t.TruebungsZonen.data(), s.get(),
                              tage.get(), monate.get()),
            9);
}

}  // namespace
}  // namespace tav
