// Number and name of a new project: the smallest free number, a name made unique.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "project/NeuesProjekt.h"

namespace tav {
namespace {

TEST(NeuesProjekt, NumberIsTheSmallestFreeOne) {
  CatalogueState c;
  const auto mit = [&](std::vector<std::uint16_t> nummern) {
    for (std::size_t i = 0; i < nummern.size(); ++i) c.Projektliste[i + 1].Nummer = nummern[i];
    return static_cast<std::int32_t>(nummern.size());
  };
  EXPECT_EQ(FreieProjektNummer(c, mit({})), 1);
  EXPECT_EQ(FreieProjektNummer(c, mit({1, 2, 4})), 3);
  EXPECT_EQ(FreieProjektNummer(c, mit({4, 2, 1})), 3);
  EXPECT_EQ(FreieProjektNummer(c, mit({2, 3})), 1);
  EXPECT_EQ(FreieProjektNummer(c, mit({3, 1, 2})), 4);
  EXPECT_EQ(FreieProjektNummer(c, mit({1, 1000})), 2);
}

TEST(NeuesProjekt, NameIsMadeUniqueCaseSensitively) {
  CatalogueState c;
  const char* namen[] = {"Haus", "Haus (2)", "Schule", "Halle (9)"};
  for (int i = 0; i < 4; ++i) c.Projektliste[i + 1].ProjektName = namen[i];
  EXPECT_EQ(EindeutigerProjektName(c, 4, "Haus"), "Haus (3)");
  EXPECT_EQ(EindeutigerProjektName(c, 4, "Schule"), "Schule (2)");
  EXPECT_EQ(EindeutigerProjektName(c, 4, "schule"), "schule");
  EXPECT_EQ(EindeutigerProjektName(c, 4, "Neu"), "Neu");
  EXPECT_EQ(EindeutigerProjektName(c, 4, "Halle (9)"), "Halle X(1)");
  EXPECT_EQ(EindeutigerProjektName(c, 2, "Schule"), "Schule");  // only the first entries count
}

}  // namespace
}  // namespace tav
