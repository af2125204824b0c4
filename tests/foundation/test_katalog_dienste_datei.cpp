// The catalogue files keep the encoding they were read in: a UTF-8 catalogue (with or without
// byte-order mark) is written back as UTF-8, a code-page 1252 catalogue as 1252, every
// character kept over two rewrites; a character code page 1252 lacks is reported and the
// file left as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "catalogues/Energie.h"
#include "foundation/KatalogDiensteDatei.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "catalogues/Profile.h"
#include "foundation/CodePage.h"
#include "catalogues/test_kodierung_faelle.h"
#include "catalogues/test_orte_hilfen.h"

namespace tav::test {
namespace {

struct Katalog {
  const char* art;
  std::function<std::string(TavState&)> pfad;
  std::function<std::string(const std::string& name)> text;  // one entry named `name`
  std::function<void(OrteFixture&, const std::string& name)> lies;
  std::function<bool(OrteFixture&)> schreibe;
  std::function<std::string&(TavState&)> ersterName;
};

std::string OrtText(const std::string& name) {
  std::string t;
  AppendOrtSection(t, 1, BeispielOrt(name));
  return t;
}

std::string KollektorText(const std::string& name) {
  TKollektor k;
  k.Name = name;
  k.Norm = "EN 12975";
  k.Quelle = "Test";
  k.Eta0 = 0.8f;
  k.K1 = 3.5f;
  k.K2 = 0.01f;
  k.IAM50 = 0.9f;
  k.ModulFlaeche = 2.0f;
  k.qmVolumen = 1.0f;
  std::string t;
  AppendKollektorSection(t, 1, k);
  return t;
}

std::string ProfilText(const std::string& name) {
  TProfil p;
  p.Name = name;
  p.Vormittag[1] = 100;
  for (int m = 1; m <= 12; ++m) p.Monate[m] = 100;
  std::string t;
  AppendProfilSection(t, 1, p);
  return t;
}

std::string EnergieTextMit(const std::string& name) {
  TEnergie e;
  e.EnergieName = name;
  e.Einheit = "kWh";
  e.kWhinEinheit = 1.0f;
  e.CO2inEinheit = 0.2f;
  e.NutzgradWinter = 90;
  e.NutzgradFruehlingHerbst = 85;
  e.NutzgradSommer = 80;
  std::string t;
  AppendEnergieSection(t, 1, e);
  return t;
}

const Katalog kKataloge[] = {
    {"Orte", OrteDateiPfad, OrtText,
     [](OrteFixture& f, const std::string& name) {
       f.s().plant.Standort = name;
       ReadOrte(f.s(), f.env);
     },
     [](OrteFixture& f) { return WriteOrte(f.s(), f.status); },
     [](TavState& s) -> std::string& { return s.cat.Orte[1].Name; }},
    {"Kollektoren", KollDateiPfad, KollektorText,
     [](OrteFixture& f, const std::string& name) {
       f.s().plant.Kollektor = name;
       ReadKollektoren(f.s(), f.status);
     },
     [](OrteFixture& f) { return WriteKollektoren(f.s(), f.status); },
     [](TavState& s) -> std::string& { return s.cat.Kollektoren[1].Name; }},
    {"Profile", ProfilDateiPfad, ProfilText,
     [](OrteFixture& f, const std::string& name) {
       f.s().plant.Zapfprofil = name;
       ReadProfile(f.s(), f.status);
     },
     [](OrteFixture& f) { return WriteProfile(f.s(), f.status); },
     [](TavState& s) -> std::string& { return s.cat.Profile[1].Name; }},
    {"Energie", EnergieDateiPfad, EnergieTextMit,
     [](OrteFixture& f, const std::string& name) {
       f.s().plant.konvEnergie = name;
       ReadEnergie(f.s(), "", f.status);
     },
     [](OrteFixture& f) { return WriteEnergie(f.s(), f.status); },
     [](TavState& s) -> std::string& { return s.cat.Energietraeger[1].EnergieName; }},
};

TEST(KatalogKodierung, EveryCharacterAndTheEncodingSurviveTwoRewrites) {
  for (const auto& k : kKataloge) {
    for (const auto& c : kKodierungsFaelle) {
      SCOPED_TRACE(std::string(k.art) + ", " + c.fall);
      OrteFixture f;
      const std::string pfad = k.pfad(f.s());
      f.dir.Write(std::filesystem::path(pfad).filename().string(), EncodeText(k.text(c.name), c.kodierung));
      k.lies(f, c.name);
      EXPECT_EQ(k.ersterName(f.s()), c.name);
      ASSERT_TRUE(k.schreibe(f)) << f.msgs->All();
      const std::string erste = f.dir.Read(std::filesystem::path(pfad).filename().string());
      ASSERT_TRUE(k.schreibe(f)) << f.msgs->All();
      const std::string zweite = f.dir.Read(std::filesystem::path(pfad).filename().string());
      EXPECT_EQ(zweite, erste);
      TextEncoding gelesen = TextEncoding::Cp1252;
      const std::string text = DecodeText(zweite, CodePage::Cp1252, &gelesen);
      EXPECT_EQ(gelesen, c.kodierung);
      EXPECT_NE(text.find(c.name), std::string::npos) << text;
      EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();

      // A fresh start reads the same name back.
      OrteFixture g;
      g.dir.Write(std::filesystem::path(pfad).filename().string(), zweite);
      k.lies(g, c.name);
      EXPECT_EQ(k.ersterName(g.s()), c.name);
    }
  }
}

TEST(KatalogKodierung, ACharacterCodePage1252LacksIsReportedBeforeTheRewrite) {
  for (const auto& k : kKataloge) {
    SCOPED_TRACE(k.art);
    OrteFixture f;
    const std::string datei = std::filesystem::path(k.pfad(f.s())).filename().string();
    // "ó" makes the file evidently code page 1252.
    const std::string vorher = EncodeCodePage(k.text("Lódz"), CodePage::Cp1252);
    f.dir.Write(datei, vorher);
    k.lies(f, "Lódz");
    k.ersterName(f.s()) = "Łódź";
    EXPECT_FALSE(k.schreibe(f));
    EXPECT_TRUE(f.msgs->Contains("\"Ł\", \"ź\"")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(k.pfad(f.s()))) << f.msgs->All();
    EXPECT_EQ(f.dir.Read(datei), vorher);
  }
}

// A catalogue of plain ASCII shows no encoding yet: a name code page 1252 cannot hold makes it
// UTF-8 with byte-order mark, and every later rewrite keeps that.
TEST(KatalogKodierung, APlainAsciiCatalogueBecomesUtf8WhenItMust) {
  for (const auto& k : kKataloge) {
    SCOPED_TRACE(k.art);
    OrteFixture f;
    const std::string datei = std::filesystem::path(k.pfad(f.s())).filename().string();
    f.dir.Write(datei, k.text("Lodz"));
    k.lies(f, "Lodz");
    k.ersterName(f.s()) = "Łódź";
    for (int mal = 0; mal < 2; ++mal) {
      ASSERT_TRUE(k.schreibe(f)) << f.msgs->All();
      EXPECT_TRUE(HasUtf8Bom(f.dir.Read(datei)));
    }
    OrteFixture g;
    g.dir.Write(datei, f.dir.Read(datei));
    k.lies(g, "Łódź");
    EXPECT_EQ(k.ersterName(g.s()), "Łódź");
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
}

}  // namespace
}  // namespace tav::test

namespace tav::test {
namespace {

// Two programs on one data folder, each with the catalogue read into its own state: the one
// that writes second would replace the other's change with its own older list. It is refused
// with a message; after reading the file again its change can be saved.
TEST(KatalogZweiProgramme, ARewriteNeverReplacesWhatTheOtherProgramWroteSince) {
  for (const auto& k : kKataloge) {
    SCOPED_TRACE(k.art);
    OrteFixture f;
    const std::string datei = std::filesystem::path(k.pfad(f.s())).filename().string();
    f.dir.Write(datei, EncodeText(k.text("Eins"), TextEncoding::Cp1252));
    const auto neuerStand = [&f] {
      auto t = std::make_unique<TavState>();
      t->folders.DatenDir = f.dir.path().string() + "/";
      return t;
    };
    k.lies(f, "Eins");  // program B
    auto b = std::exchange(f.state, neuerStand());
    k.lies(f, "Eins");  // program A
    k.ersterName(f.s()) = "Von A";
    ASSERT_TRUE(k.schreibe(f)) << f.msgs->All();
    const std::string nachA = f.dir.Read(datei);

    std::swap(f.state, b);
    k.ersterName(f.s()) = "Von B";
    EXPECT_FALSE(k.schreibe(f));
    EXPECT_EQ(f.dir.Read(datei), nachA);
    EXPECT_TRUE(f.msgs->Contains(datei)) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains("anderen Programm")) << f.msgs->All();

    // A's own later rewrite is no conflict; B after reading the file again may write.
    std::swap(f.state, b);
    f.msgs->shown.clear();
    k.ersterName(f.s()) = "Von A, nochmals";
    EXPECT_TRUE(k.schreibe(f)) << f.msgs->All();
    f.state = neuerStand();
    k.lies(f, "Von A, nochmals");
    EXPECT_EQ(k.ersterName(f.s()), "Von A, nochmals");
    k.ersterName(f.s()) = "Von B, nach dem Lesen";
    EXPECT_TRUE(k.schreibe(f)) << f.msgs->All();
    EXPECT_NE(DecodeText(f.dir.Read(datei), CodePage::Cp1252).find("Von B, nach dem Lesen"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace tav::test
