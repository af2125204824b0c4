#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <set>

#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

TEST(TavVarTables, MonthDaysAndMiddles) {
  int summe = 0;
  for (int m = 1; m <= 12; ++m) summe += MonatsTage[m];
  EXPECT_EQ(summe, 365);
  // The outer slots wrap the year for interpolation: 0 is December, 13 January.
  EXPECT_EQ(MonatsTage[0], MonatsTage[12]);
  EXPECT_EQ(MonatsTage[13], MonatsTage[1]);

  // Middles are the day of the year of each month's 15th in a 365-day year.
  int tageDavor = 0;
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(MonatsMitte[m], tageDavor + 15) << "month " << m;
    tageDavor += MonatsTage[m];
  }
  EXPECT_EQ(MonatsMitte[0], -15);
  EXPECT_EQ(MonatsMitte[13], 379);
  EXPECT_EQ(MonatsMitte[0], MonatsMitte[1] - 30);
  EXPECT_EQ(MonatsMitte[13], MonatsMitte[12] + 30);
}

TEST(TavVarTables, StorageTypes) {
  struct Fall {
    int nr;
    std::string_view name;
    int code;
    int attr;
  };
  const Fall faelle[] = {
      {1, "CL", 0, 1},      {2, "EL", 0, 1},      {3, "SL", 2, 1},     {4, "KLS", 0, 1},
      {5, "TSS", 0, 1},     {6, "TT", 11, 6},     {7, "TT2", 11, 6},   {8, "PL_2S", 11, 6},
      {9, "P_S", 11, 6},    {10, "DUO", 11, 6},   {11, "WT", 11, 6},   {12, "SLWT", 11, 6},
      {13, "KombiSH", 11, 6}, {14, "PS8", 16, 8}, {15, "SLPS", 16, 8},
  };
  ASSERT_EQ(SpeicherTypAnzahl, 15);
  for (const Fall& f : faelle) {
    EXPECT_EQ(SpeicherTypen[f.nr].Name, f.name) << f.nr;
    EXPECT_EQ(SpeicherTypen[f.nr].Code, f.code) << f.nr;
    EXPECT_EQ(SpeicherTypen[f.nr].Attr, f.attr) << f.nr;
  }
  // Codes are unique, and the wizard's combi store is a group-11 type.
  std::set<std::string_view> namen;
  for (int i = 1; i <= SpeicherTypAnzahl; ++i) namen.insert(SpeicherTypen[i].Name);
  EXPECT_EQ(namen.size(), 15u);
  EXPECT_EQ(SpeicherTypen[StandardKombiSpTyp].Code, 11);
  // The "unknown" group is none of the table's groups.
  for (int i = 1; i <= SpeicherTypAnzahl; ++i) EXPECT_NE(SpeicherTypen[i].Code, kSpTypUnbekannt);
}

TEST(TavVarTables, PlantTypeListMapping) {
  // Position 2 of the selection list yields type 3; type 2 is not offered.
  EXPECT_EQ(AnlagenTypZuordnung[2], 3);
  std::set<int> erreichbar;
  for (int pos = 1; pos <= kAnlagenTypen; ++pos) {
    EXPECT_GE(AnlagenTypZuordnung[pos], 1);
    EXPECT_LE(AnlagenTypZuordnung[pos], kAnlagenTypen);
    erreichbar.insert(AnlagenTypZuordnung[pos]);
  }
  EXPECT_EQ(erreichbar, (std::set<int>{1, 3, 4, 5, 6, 7, 8}));
  // Stored names (project files) are the long forms.
  EXPECT_EQ(AnlagenTypNamen[1], "Brauchwarmwasser");
  EXPECT_EQ(AnlagenTypNamen[8], "Pufferspeicher + FWM");
  EXPECT_EQ(MontageTexte[1], "fest");
  EXPECT_EQ(MontageTexte[4], "Zwei-Achsen-Tracking");
}

TEST(TavVarTables, LettersOfTypeAheadSearch) {
  for (char32_t c : U"AZaz\u00c4\u00d6\u00dc\u00df\u00e4\u00f6\u00fc") {
    if (c != 0) {
      EXPECT_TRUE(IstBuchstabe(c)) << unsigned(c);
    }
  }
  for (char32_t c : U"09 -_@[`{\u00e9\u00c9") {
    EXPECT_FALSE(IstBuchstabe(c)) << unsigned(c);
  }
}

TEST(TavVarFiles, EnergyFileOfEveryLanguage) {
  EXPECT_EQ(EnergieDateiName("de"), "Energie.dat");
  EXPECT_EQ(EnergieDateiName("en"), "Energie_en.dat");
  std::set<std::string> namen;
  for (int i = 1; i <= kMaxSprachen; ++i) namen.insert(EnergieDateiName(SprachTabelle[i].Kuerzel));
  EXPECT_EQ(namen.size(), 15u);
}

TEST(TavVarState, LanguageListIsFilled) {
  const CatalogueState cat;
  ASSERT_EQ(cat.SprachListe.size(), std::size_t(kMaxSprachen + 1));
  EXPECT_EQ(cat.SprachListe[2].Name, "deutsch");
  EXPECT_EQ(cat.SprachListe[2].Kuerzel, "de");
  EXPECT_EQ(cat.SprachListe[15].Name, "vlaams");
  EXPECT_EQ(cat.Kollektoren.size(), std::size_t(kMaxKollektoren + 1));
  EXPECT_EQ(cat.Orte.size(), std::size_t(kMaxOrte + 1));
  EXPECT_EQ(cat.SortSchluessel.size(), std::size_t(kSortSchluesselAnzahl));
}

// Month and plant-type names read before the first language switch are the German texts.
TEST(TavVarState, NamesFromTheTextTableStartWithTheirGermanDefaults) {
  const auto c = std::make_unique<CatalogueState>();
  const TTextTable t;
  EXPECT_EQ(c->Monatsnamen, t.Monatsnamen);
  EXPECT_EQ(c->AnlagenKurzNamen, t.AnlagenKurzNamen);
}

TEST(TavVarResults, MonthlyBlockSlotsMatchNames) {
  ResultState r;
  struct Fall {
    int slot;
    TMonatsArray* arr;
  };
  const Fall faelle[] = {
      {mwSolarertrag, &r.SolarertragMonat},     {mwBrennstoff, &r.BrennstoffMonat},
      {mwWWBedarf, &r.WWBedarfMonat},           {mwVerlust, &r.VerlustMonat},
      {mwVerlust1, &r.Verlust1Monat},           {mwNachheizung, &r.NachheizungMonat},
      {mwSolHeizen, &r.SolHeizenMonat},         {mwPoolWaerme, &r.PoolWaermeMonat},
      {mwHeizbedarf, &r.HeizbedarfMonat},       {mwKollEinstrahlung, &r.KollEinstrahlungMonat},
      {mwReserve11, &r.Reserve11Monat},         {mwHeizanteil, &r.HeizanteilMonat},
      {mwReserve13, &r.Reserve13Monat},
  };
  std::set<const TMonatsArray*> verschieden;
  for (const Fall& f : faelle) {
    EXPECT_EQ(&r.SimMonatswerte(f.slot), f.arr) << f.slot;
    verschieden.insert(f.arr);
  }
  EXPECT_EQ(verschieden.size(), 13u);
  EXPECT_THROW(r.SimMonatswerte(0), std::out_of_range);
  EXPECT_THROW(r.SimMonatswerte(14), std::out_of_range);

  // The totalled arrays are the ten the year loop fills; the shares are not among them.
  std::set<int> summen(ResultState::SummenArrays.begin(), ResultState::SummenArrays.end());
  EXPECT_EQ(summen.size(), 10u);
  EXPECT_EQ(summen.count(mwHeizanteil), 0u);
}

TEST(TavVarResults, HourlyBlocksAreContiguousRows) {
  // Weather: set s occupies rows 3s, 3s + 1, 3s + 2 of a store seen as rows 3..11.
  for (int s = 1; s <= 3; ++s) {
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(TStundenBlock<kWetterKanaele>::Index(s, k, 0) / kStundenProJahr + 3,
                std::size_t(3 * s + k));
    }
  }
  WeatherState w;
  EXPECT_EQ(w.WetterDaten.Werte.size(), std::size_t(3 * 3 * 8760));
  w.WetterDaten(3, WeatherState::kTemperatur, 8759) = 7.5f;
  EXPECT_EQ(w.WetterDaten.Werte.back(), 7.5f);
  EXPECT_EQ(w.WetterDaten.Reihe(2, 1) + 8759, &w.WetterDaten(2, 1, 8759));

  ResultState r;
  EXPECT_EQ(r.StundenErgebnis.Werte.size(), std::size_t(3 * 12 * 8760));
  r.StundenErgebnis(1, 1, 0) = 1.0f;  // solar power of year 1 starts after channel 0
  EXPECT_EQ(r.StundenErgebnis.Werte[8760], 1.0f);
  r.StundenErgebnis(1, 11, 8759) = 2.0f;  // the second field's irradiance ends year 1
  EXPECT_EQ(r.StundenErgebnis.Werte[12 * 8760 - 1], 2.0f);
}

TEST(TavVarState, ProgramWideInstanceIsOne) {
  EXPECT_EQ(&G(), &G());
}

}  // namespace
}  // namespace tav
