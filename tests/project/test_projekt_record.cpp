// Project record <-> working variables: the bounds applied on loading, the derived second
// collector field, the horizon switch, and the storage sub-types that must survive the
// plant dialog's copy (FillProjekt, then ApplyProjekt on Cancel).

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <string>

#include "project/ProjektRecord.h"
#include "test_projekt_fixture.h"

namespace tav {
namespace {

using test::ErwarteGleichesProjekt;
using test::VollesProjekt;

TEST(ProjektRecord, FillThenApplyRestoresEveryWorkingVariable) {
  PlantState a;
  VollesProjekt(a);
  TProjekt r;
  FillProjekt(a, r, 46000.25);
  EXPECT_EQ(r.Datum, 46000.25);
  PlantState b;
  ApplyProjekt(r, b);
  ErwarteGleichesProjekt(a, b);
}

TEST(ProjektRecord, ApplyHoldsValuesToWhatTheEngineAccepts) {
  struct Case {
    const char* name;
    std::function<void(TProjekt&)> set;
    std::function<bool(const PlantState&)> ok;
  };
  const std::string lang(60, 'K');
  const Case cases[] = {
      {"SpeicherAnz 0 -> 1", [](TProjekt& r) { r.SpeicherAnz = 0; }, [](auto& p) { return p.SpeicherAnz == 1; }},
      {"SpeicherAnz 7 -> 3", [](TProjekt& r) { r.SpeicherAnz = 7; }, [](auto& p) { return p.SpeicherAnz == 3; }},
      {"SpeicherAnz 2 stays", [](TProjekt& r) { r.SpeicherAnz = 2; }, [](auto& p) { return p.SpeicherAnz == 2; }},
      {"ZeitZoom 2 -> 5", [](TProjekt& r) { r.ZeitZoom = 2; }, [](auto& p) { return p.ZeitZoom == 5; }},
      {"ZeitZoom 12 stays", [](TProjekt& r) { r.ZeitZoom = 12; }, [](auto& p) { return p.ZeitZoom == 12; }},
      {"exchanger 15 -> 20", [](TProjekt& r) { r.Speichertauscherleistung = 15.0; },
       [](auto& p) { return p.Speichertauscherleistung == 20.0f; }},
      {"exchanger 20 stays", [](TProjekt& r) { r.Speichertauscherleistung = 20.0; },
       [](auto& p) { return p.Speichertauscherleistung == 20.0f; }},
      {"exchanger 35.5 stays", [](TProjekt& r) { r.Speichertauscherleistung = 35.5; },
       [](auto& p) { return p.Speichertauscherleistung == 35.5f; }},
      {"collector name cut to 50", [&](TProjekt& r) { r.Kollektor = lang; },
       [&](auto& p) { return p.Kollektor == lang.substr(0, 50); }},
      {"cut counts characters, not bytes", [](TProjekt& r) { r.AnlagenTyp = std::string(25, 'x') + "ä"; },
       [](auto& p) { return p.AnlagenTyp == std::string(20, 'x'); }},
      {"mounting is always fixed", [](TProjekt& r) { r.KollektorMontage = "Neigung"; },
       [](auto& p) { return p.KollektorMontage == 1; }},
      {"cascade DLE -> 14", [](TProjekt& r) { r.KaskadeTyp = "DLE"; }, [](auto& p) { return p.KaskadeTyp == 14; }},
      {"cascade 2SP -> 13", [](TProjekt& r) { r.KaskadeTyp = "2SP"; }, [](auto& p) { return p.KaskadeTyp == 13; }},
      {"cascade unknown -> 13", [](TProjekt& r) { r.KaskadeTyp = "x"; }, [](auto& p) { return p.KaskadeTyp == 13; }},
      {"unknown combi code -> 11", [](TProjekt& r) { r.KombiSpTyp = "FOO"; }, [](auto& p) { return p.KombiSpTyp == 11; }},
      {"unknown bivalent code -> 0", [](TProjekt& r) { r.BivSpTyp = "FOO"; }, [](auto& p) { return p.BivSpTyp == 0; }},
      {"heat-exchanger store -> 16", [](TProjekt& r) { r.KombiSpeicherWT = ""; },
       [](auto& p) { return p.KombiSpeicherWT == 16; }},
      {"one loss coefficient for both stores", [](TProjekt& r) { r.SpeicherkWert = 0.4; },
       [](auto& p) { return p.SpeicherkWert == 0.4f && p.SpeicherkWert2 == 0.4f; }},
      {"schedule of 23 letters -> no circulation times", [](TProjekt& r) { r.ZiZeiten = std::string(23, 'O'); },
       [](auto& p) { return std::count(p.ZiZeiten.begin() + 1, p.ZiZeiten.end(), true) == 0; }},
      {"schedule of 24 O -> every quarter hour", [](TProjekt& r) { r.ZiZeiten = std::string(24, 'O'); },
       [](auto& p) { return std::count(p.ZiZeiten.begin() + 1, p.ZiZeiten.end(), true) == 96; }},
      {"a real beyond float stays finite", [](TProjekt& r) { r.KollektorFlaeche = 1e300; },
       [](auto& p) { return p.KollektorFlaeche == FLT_MAX; }},
  };
  for (const auto& c : cases) {
    TProjekt r;
    FillProjekt(PlantState{}, r, 0.0);
    c.set(r);
    PlantState p;
    p.ZiZeiten.fill(true);
    ApplyProjekt(r, p);
    EXPECT_TRUE(c.ok(p)) << c.name;
  }
}

TEST(ProjektRecord, WithoutSecondFieldTheSecondFollowsTheFirstFacingTheOtherWay) {
  struct Case {
    float azimut, azimut2;
  };
  for (const Case c : {Case{0, 180}, Case{30, -150}, Case{-90, 90}, Case{180, 0}, Case{-180, 0}}) {
    TProjekt r;
    r.OstWestKollektor = false;
    r.KollektorFlaeche = 8.5;
    r.KollektorNeigung = 33;
    r.KollektorAzimut = c.azimut;
    r.KollektorFlaeche2 = 99;  // ignored without a second field
    PlantState p;
    ApplyProjekt(r, p);
    EXPECT_EQ(p.KollektorAzimut2, c.azimut2) << c.azimut;
    EXPECT_EQ(p.KollektorFlaeche2, 8.5f);
    EXPECT_EQ(p.KollektorNeigung2, 33.0f);
    EXPECT_EQ(p.KollektorFlaecheGesamt, 8.5f) << "not twice the area";
  }
  TProjekt r;
  r.OstWestKollektor = true;
  r.KollektorFlaeche = 8.5;
  r.KollektorFlaeche2 = 4;
  PlantState p;
  ApplyProjekt(r, p);
  EXPECT_EQ(p.KollektorFlaecheGesamt, 12.5f);
}

TEST(ProjektRecord, EmptyHorizonSwitchesShadingOffButKeepsTheGrid) {
  PlantState p;
  p.SkyMapAktiv = true;
  p.SkyMapDaten[5] = 1;
  p.SkyMapDaten[700] = 1;
  const auto grid = p.SkyMapDaten;
  TProjekt r;
  FillProjekt(p, r, 0.0);
  r.SkyMap.clear();
  ApplyProjekt(r, p);
  EXPECT_FALSE(p.SkyMapAktiv);
  EXPECT_EQ(p.SkyMapDaten, grid);

  // Inactive shading stores no horizon at all.
  FillProjekt(p, r, 0.0);
  EXPECT_TRUE(r.SkyMap.empty());
}

TEST(ProjektRecord, StorageSubTypesSurviveTheCopy) {
  struct Case {
    std::uint8_t PlantState::*feld;
    std::string TProjekt::*text;
    std::uint8_t wert;
    const char* recordText;  // what the record holds for it
  };
  const Case cases[] = {
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 0, "TSS"},
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 1, "#1"},  // electric store
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 2, "SL"},
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 3, "#3"},
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 4, "#4"},  // thermosiphon
      {&PlantState::BivSpTyp, &TProjekt::BivSpTyp, 16, "SLPS"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 0, "TSS"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 5, "#5"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 10, "#10"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 11, "KombiSH"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 12, "#12"},
      {&PlantState::KombiSpTyp, &TProjekt::KombiSpTyp, 16, "SLPS"},
      {&PlantState::KombiSpeicherWT, &TProjekt::KombiSpeicherWT, 16, ""},
      {&PlantState::KombiSpeicherWT, &TProjekt::KombiSpeicherWT, 8, "#8"},
  };
  for (const auto& c : cases) {
    PlantState a;
    a.*c.feld = c.wert;
    TProjekt r;
    FillProjekt(a, r, 0.0);
    EXPECT_EQ(r.*c.text, c.recordText) << int(c.wert);
    PlantState b;
    b.*c.feld = 99;
    ApplyProjekt(r, b);
    EXPECT_EQ(b.*c.feld, c.wert) << c.recordText;
  }
  for (std::uint8_t kaskade : {13, 14}) {
    PlantState a;
    a.KaskadeTyp = kaskade;
    TProjekt r;
    FillProjekt(a, r, 0.0);
    EXPECT_EQ(r.KaskadeTyp, kaskade == 13 ? "2SP" : "DLE");
    PlantState b;
    ApplyProjekt(r, b);
    EXPECT_EQ(b.KaskadeTyp, kaskade);
  }
}

TEST(ProjektRecord, CodeTextOfAGroupIsItsLastEntry) {
  struct Case {
    std::uint8_t nr;
    const char* code;
  };
  for (const Case c : {Case{0, "TSS"}, Case{2, "SL"}, Case{11, "KombiSH"}, Case{16, "SLPS"},
                       Case{7, "alt"}, Case{17, "alt"}}) {
    std::string code = "alt";
    SpTypCodeText(c.nr, code);
    EXPECT_EQ(code, c.code) << int(c.nr);
  }
  EXPECT_EQ(SpTypNummer("#12"), 12);
  for (const char* kein : {"#", "#256", "#1a", "12", "SL", ""}) EXPECT_FALSE(SpTypNummer(kein)) << kein;
}

TEST(ProjektRecord, FillKeepsTheRecordsSecondFieldWithoutOneAndStoresSafeTexts) {
  PlantState p;
  p.OstWestKollektor = false;
  p.KollektorFlaeche2 = 3;
  p.KollektorMontage = 9;  // outside the table
  p.KAfaktor = 300;        // more than the record's byte holds
  TProjekt r;
  r.KollektorFlaeche2 = 11;
  FillProjekt(p, r, 0.0);
  EXPECT_EQ(r.KollektorFlaeche2, 11.0);
  EXPECT_EQ(r.KollektorMontage, "fest");
  EXPECT_EQ(r.KAfaktor, 255);
  p.KollektorMontage = 4;
  FillProjekt(p, r, 0.0);
  EXPECT_EQ(r.KollektorMontage, "Zwei-Achsen-Tracking");
}

}  // namespace
}  // namespace tav
