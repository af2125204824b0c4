// Name look-up with very long names: the exact name, compared in full, comes first; the
// nearest name is judged by the first 50 characters, as the collector key a project stores.

#include <gtest/gtest.h>

#include <string>

#include "foundation/KatalogDiensteDatei.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "foundation/TavVar.h"
#include "support/ScriptedMessages.h"

namespace tav::test {
namespace {

constexpr int kAnzahl = 600;
constexpr std::size_t kLaenge = 6000;

// A 50-character beginning that tells entry i from every other (an umlaut counts as one
// character), then a long tail. Entries 11 and 12 share their beginning.
std::string Anfang(int i) {
  if (i == 12) i = 11;
  std::string a = "Ört " + std::to_string(i) + " ";
  while (a.size() < 51) a += "-";  // 50 characters: "Ö" takes two bytes
  return a;
}
std::string LangerName(int i, char schwanz = 'x') {
  return Anfang(i) + std::to_string(i) + std::string(kLaenge - Anfang(i).size(), schwanz);
}

struct Fall {
  const char* was;
  std::string gesucht;
  int erwartet;
};

std::vector<Fall> Faelle() {
  return {
      {"the exact name", LangerName(417), 417},
      {"exact, though an earlier entry has the same beginning", LangerName(12), 12},
      {"the beginning with another tail", Anfang(233) + std::string(kLaenge, 'y'), 233},
      {"the beginning alone", Anfang(599), 599},
      {"same beginning as two: the first of equals", Anfang(12) + "z", 11},
      {"a near beginning", "Ort 42 " + std::string(kLaenge, '-'), 42},
  };
}

TEST(LangeNamen, ExactNameFirstThenTheNearestByTheFirstFiftyCharacters) {
  EXPECT_EQ(katalog::ZeichenAnfang("Äbc", 2), "Äb");
  EXPECT_EQ(katalog::ZeichenAnfang("ab", 50), "ab");
  ScopedMessages msgs;
  auto state = std::make_unique<TavState>();
  CatalogueState& c = state->cat;
  for (int i = 1; i <= kAnzahl; ++i) {
    c.Orte[i].Name = LangerName(i);
    c.Kollektoren[i].Name = LangerName(i);
  }
  c.OrtAnzahl = kAnzahl;
  c.KollektorAnzahl = kAnzahl;
  const auto name = [&](int i) -> const std::string& { return c.Orte[i].Name; };
  for (const Fall& f : Faelle()) {
    SCOPED_TRACE(f.was);
    EXPECT_EQ(FindOrtNr(*state, f.gesucht, false), f.erwartet);
    std::uint16_t d = 0;
    const int exakt = katalog::LetzterMitNamen(kAnzahl, f.gesucht, name);
    EXPECT_EQ(exakt != -1 ? exakt : FindKollektor(c, f.gesucht, d), f.erwartet);
    std::int32_t best = 0;
    if (exakt == -1) {
      EXPECT_EQ(katalog::NaechsterEintrag(kAnzahl, f.gesucht, name, best), f.erwartet);
    }
  }
}

}  // namespace
}  // namespace tav::test
