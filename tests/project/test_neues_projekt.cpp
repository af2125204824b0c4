// Number and name of a new project: the smallest free number, a name made unique; a new
// project that is cancelled or cannot be written leaves the open project as it was.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "project/NeuesProjekt.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "support/Schreibschutz.h"
#include "test_projekt_fixture.h"

namespace tav {
namespace {

using test::ProjektTest;

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

// The user names the new project as the project-info dialog does: name and info change, the
// project counts as changed. Cancelled, or written nowhere, all of that is put back: a
// later save must not rename the open project.
TEST_F(ProjektTest, ANewProjectCancelledOrNotWrittenKeepsTheOpenProject) {
  const struct {
    const char* name;
    bool bestaetigt;
    bool schreibbar;
    bool geaendert;
  } faelle[] = {
      {"cancelled", false, true, true},
      {"file without write bits", true, false, false},
      {"file without write bits, open project changed", true, false, true},
  };
  s.plant.ProjektName = "Haus";
  s.plant.Info1 = "Bauherr";
  s.settings.ProjektNummer = 1;
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  LoadProjekt(s, d);
  const std::string datei = Datei();
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    s.plant.Info2 = "ungespeichert";
    s.run.ProjektGeaendert = f.geaendert;
    const TProjekt record = s.plant.Projekt;
    test::ScopedMessages m;
    bool gefragt = false;
    {
      std::optional<test::OhneSchreibrecht> schutz;
      if (!f.schreibbar) schutz.emplace(Pfad());
      EXPECT_FALSE(NeuesProjektAnlegen(s, d, [&] {
        gefragt = true;
        EXPECT_EQ(s.settings.ProjektNummer, 2);
        EXPECT_EQ(s.plant.ProjektName, "Haus (2)");
        s.plant.ProjektName = s.plant.Projekt.ProjektName = "Anbau";
        s.plant.Info1 = "neu";
        s.plant.Info2.clear();
        s.run.ProjektGeaendert = true;
        return f.bestaetigt;
      }));
    }
    EXPECT_TRUE(gefragt);
    EXPECT_EQ(s.settings.ProjektNummer, 1);
    EXPECT_EQ(s.plant.ProjektName, "Haus");
    EXPECT_EQ(s.plant.Info1, "Bauherr");
    EXPECT_EQ(s.plant.Info2, "ungespeichert");
    EXPECT_EQ(s.plant.Projekt.ProjektName, record.ProjektName);
    EXPECT_EQ(s.plant.Projekt.Datum, record.Datum);
    EXPECT_EQ(s.run.ProjektGeaendert, f.geaendert);
    EXPECT_EQ(s.cat.ProjektAnzahl, 1);
    EXPECT_EQ(Datei(), datei);
    EXPECT_EQ(m->shown.empty(), f.schreibbar) << m->All();
  }

  // Confirmed and written: the new project is listed and open, saved.
  EXPECT_TRUE(NeuesProjektAnlegen(s, d, [&] {
    s.plant.ProjektName = "Anbau";
    s.run.ProjektGeaendert = true;
    return true;
  }));
  EXPECT_EQ(s.settings.ProjektNummer, 2);
  EXPECT_EQ(s.plant.ProjektName, "Anbau");
  EXPECT_FALSE(s.run.ProjektGeaendert);
  ASSERT_EQ(s.cat.ProjektAnzahl, 2);
  EXPECT_EQ(s.cat.Projektliste[2].ProjektName, "Anbau");
}

}  // namespace
}  // namespace tav
