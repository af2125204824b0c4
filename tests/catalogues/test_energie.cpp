// The energy-carrier catalogue: format, built-in rows, signature, resolution by name and by
// signature, the capacity limit and the refusal of a zero energy content.

#include <gtest/gtest.h>

#include "catalogues/Energie.h"
#include <filesystem>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

namespace fs = std::filesystem;

struct EnergieFixture : OrteFixture {
  void Lies(const std::string& name, const std::string& signatur = "") {
    s().plant.konvEnergie = name;
    ReadEnergie(s(), signatur, status);
  }
  const TEnergie& E(int i) { return s().cat.Energietraeger[static_cast<std::size_t>(i)]; }
};

std::string Abschnitt(const std::string& kopf, const std::string& name, const std::string& kwh = "10,00",
                      const std::string& winter = "91") {
  return "[" + kopf + "]\r\nEnergieName=" + name + "\r\nEinheit=Liter\r\nkWhinEinheit=" + kwh +
         "\r\nCO2inEinheit=2,60\r\nNutzgradWinter=" + winter +
         "\r\nNutzgradFruehlingHerbst=75\r\nNutzgradSommer=60\r\n\r\n";
}

TEST(EnergieDatei, MissingFileGivesTheEightBuiltInRows) {
  EnergieFixture f;
  f.Lies("*init*");
  const CatalogueState& c = f.s().cat;
  ASSERT_EQ(c.EnergieAnzahl, 8);
  EXPECT_EQ(f.E(8).EnergieName, "Holzpellets");
  EXPECT_EQ(f.E(7).NutzgradSommer, 400);
  EXPECT_FLOAT_EQ(f.E(8).CO2inEinheit, 0.0f);
  const std::string datei = f.dir.Read("Energie.dat");
  EXPECT_EQ(datei.substr(0, datei.find("[Energieform 2]")),
            EncodeCodePage("[Energieform 1]\r\n"
                           "EnergieName=Heizöl Standard-Kessel\r\n"
                           "Einheit=Liter Öl\r\n"
                           "kWhinEinheit=10,00\r\n"
                           "CO2inEinheit=2,60\r\n"
                           "NutzgradWinter=91\r\n"
                           "NutzgradFruehlingHerbst=75\r\n"
                           "NutzgradSommer=60\r\n"
                           "\r\n",
                           CodePage::Cp1252));
  // "*init*" takes the first carrier silently.
  const PlantState& p = f.s().plant;
  EXPECT_EQ(p.EnergieNr, 1);
  EXPECT_EQ(p.konvEnergie, "Heizöl Standard-Kessel");
  EXPECT_EQ(p.konvEinheit, "Liter Öl");
  EXPECT_FLOAT_EQ(p.konvKWhinEinheit, 10.0f);
  EXPECT_EQ(p.konvNutzgradWinter, 91);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(EnergieDatei, SignatureOfTheFirstBuiltInCarrier) {
  EXPECT_EQ(EnergieText(BuiltInEnergie()[0]), "kWh10,0CO22,62,62,6WFS917560");
  EXPECT_EQ(EnergieText(BuiltInEnergie()[6]), "kWh1,0CO20,80,80,8WFS350370400");
}

TEST(EnergieDatei, RoundTripKeepsValuesAndBytesAndRenumbersSections) {
  EnergieFixture f;
  f.dir.Write("Energie.dat", EncodeCodePage(Abschnitt("Energie 1", "Öl", "10.5") +
                                                Abschnitt("Gas", "Gas", "9,876") +
                                                Abschnitt("x", "Fern", "123,45", "400"),
                                            CodePage::Cp1252));
  f.Lies("Gas");
  ASSERT_EQ(f.s().cat.EnergieAnzahl, 3);
  EXPECT_EQ(f.s().plant.EnergieNr, 2);
  // Kept as the file will hold it, so a rewrite and a restart change nothing.
  EXPECT_FLOAT_EQ(f.E(2).kWhinEinheit, 9.88f);
  EXPECT_FLOAT_EQ(f.s().plant.konvKWhinEinheit, 9.88f);
  const std::vector<TEnergie> vorher(f.s().cat.Energietraeger.begin() + 1, f.s().cat.Energietraeger.begin() + 4);
  ASSERT_TRUE(WriteEnergie(f.s(), f.status));
  const std::string bytes = f.dir.Read("Energie.dat");
  EXPECT_NE(bytes.find("[Energieform 1]\r\nEnergieName=\xD6l\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("[Energieform 3]\r\nEnergieName=Fern\r\nEinheit=Liter\r\nkWhinEinheit=123,45\r\n"),
            std::string::npos);

  EnergieFixture g;
  g.dir.Write("Energie.dat", bytes);
  g.Lies("Fern");
  ASSERT_EQ(g.s().cat.EnergieAnzahl, 3);
  for (int i = 1; i <= 3; ++i) {
    const TEnergie& a = vorher[static_cast<std::size_t>(i - 1)];
    EXPECT_EQ(g.E(i).EnergieName, a.EnergieName);
    EXPECT_EQ(g.E(i).Einheit, a.Einheit);
    EXPECT_EQ(g.E(i).kWhinEinheit, a.kWhinEinheit) << i;
    EXPECT_EQ(g.E(i).CO2inEinheit, a.CO2inEinheit) << i;
    EXPECT_EQ(g.E(i).NutzgradWinter, a.NutzgradWinter) << i;
  }
  ASSERT_TRUE(WriteEnergie(g.s(), g.status));
  EXPECT_EQ(g.dir.Read("Energie.dat"), bytes);
}

TEST(EnergieAufloesung, NamesAndSignaturesResolveAsExpected) {
  const std::string liste = Abschnitt("E1", "Öl A") + Abschnitt("E2", "Öl B") +
                            Abschnitt("E3", "Gas", "10,00", "85") + Abschnitt("E4", "Öl B");
  // Farther from every list name than any fixed start value of the search.
  const std::string fern(3000, 'x');
  const struct {
    const char* fall;
    std::string name;
    std::string signatur;
    int vorher;
    int nr;
    std::string meldung;
  } faelle[] = {
      {"exact, last of equals", "Öl B", "", -1, 4, ""},
      {"init: the first", "*init*", "", -1, 1, ""},
      {"nearest name with warning", "Gase", "", -1, 3, "\"Gase\" nicht gefunden\ngewählt: Gas"},
      {"signature", "egal", "kWh10,0CO22,62,62,6WFS857560", -1, 3, "gewählt: Gas"},
      {"signature tie: first", "egal", "kWh10,0CO22,62,62,6WFS917560", -1, 1, "gewählt: Öl A"},
      {"signature tie: the carrier in use", "egal", "kWh10,0CO22,62,62,6WFS917560", 2, 2,
       "gewählt: Öl B"},
      {"far from every name: still the nearest", fern, "", -1, 1,
       "\"" + Zitat(fern) + "\" nicht gefunden\ngewählt: Öl A"},
  };
  for (const auto& e : faelle) {
    EnergieFixture f;
    f.dir.Write("Energie.dat", EncodeCodePage(liste, CodePage::Cp1252));
    f.s().plant.EnergieNr = e.vorher;
    f.Lies(e.name, e.signatur);
    EXPECT_EQ(f.s().plant.EnergieNr, e.nr) << e.fall;
    EXPECT_EQ(f.s().plant.konvEnergie, f.E(e.nr).EnergieName) << e.fall;
    // First the file's note that it names "Öl B" twice, then what the resolution says.
    ASSERT_EQ(f.msgs->shown.size(), e.meldung.empty() ? 1u : 2u) << e.fall << f.msgs->All();
    EXPECT_NE(f.msgs->shown[0].text.find("Namen (ein Projekt erhält den letzten Eintrag des Namens): \"Öl B\""),
              std::string::npos) << e.fall << f.msgs->All();
    if (!e.meldung.empty()) {
      EXPECT_EQ(f.msgs->shown[1].text, e.meldung) << e.fall;
    }
  }
}

TEST(EnergieAufloesung, EditedNameIsFoundAgainAfterALanguageChange) {
  EnergieFixture f;
  f.Lies("*init*");
  f.s().cat.Energietraeger[5].EnergieName = "Mein Brennwertkessel";
  ASSERT_TRUE(SelectEnergie(f.s(), 5));
  const std::string signatur = EnergieText(f.E(5));
  // The other language's file: other names, the same numbers.
  std::string fremd;
  int n = 0;
  for (TEnergie e : BuiltInEnergie()) {
    e.EnergieName = "Fuel " + std::to_string(++n);
    AppendEnergieSection(fremd, n, e);
  }
  f.dir.Write("Energie_en.dat", fremd);
  f.s().cat.EnergieDatei = "Energie_en.dat";
  f.s().cat.EnergieGeladen = false;
  ReadEnergie(f.s(), signatur, f.status);
  EXPECT_EQ(f.s().plant.EnergieNr, 5);
  EXPECT_EQ(f.s().plant.konvEnergie, "Fuel 5");
}

// A project saved in one language names its carrier as that language's file does: in every
// other language the same carrier (the same values, of equal ones the same row) is found,
// silently; when no entry here has its values, it keeps the values of the file that holds the
// name, outside the list (-1); only a name that no carrier file holds takes the nearest entry,
// with the notice.
TEST(EnergieAufloesung, ANameOfAnotherLanguagesFileFindsTheSameCarrier) {
  std::string deutsch;
  int n = 0;
  for (const TEnergie& e : BuiltInEnergie()) AppendEnergieSection(deutsch, ++n, e);
  std::string englisch;
  ASSERT_TRUE(ReadWholeFile(fs::path(TAV_LANG_DIR) / ".." / "daten" / "Energie_en.dat", englisch));
  // The German condensing boiler with a winter efficiency no English entry has.
  std::string geaendert = deutsch;
  geaendert.replace(geaendert.find("NutzgradWinter=103"), 18, "NutzgradWinter=104");
  const struct {
    const char* fall;
    const char* sitzung;  // the carrier file of the session's language
    std::string name;
    int nr;               // 0: any entry
    std::string meldung;  // empty: none
    std::string deutscheDatei = "";
    bool englischOrdner = false;  // the English file a folder
    bool ohneDeutsche = false;    // no German file yet: its built-in rows stand for it
  } faelle[] = {
      {"German name, English session", "Energie_en.dat", "Erdgas Brennwert-Kessel", 5, ""},
      {"equal values: the same row", "Energie_en.dat", "Heizöl Brennwertkessel", 2, ""},
      {"English name, German session", "Energie.dat", "Natural gas, condensing boiler", 5, ""},
      {"English name, equal values", "Energie.dat", "Heating oil, condensing boiler", 2, ""},
      {"German name, no German file yet", "Energie_en.dat", "Erdgas Brennwert-Kessel", 5, "", "", false, true},
      {"new project", "Energie_en.dat", "*init*", 1, ""},
      {"name in no file", "Energie_en.dat", "Wood pellet", 8,
       "\"Wood pellet\" nicht gefunden\ngewählt: Wood pellets"},
      {"values in no entry: its own, outside the list", "Energie_en.dat", "Erdgas Brennwert-Kessel", -1, "",
       geaendert},
      // A file that cannot be read is only passed over: the notice names the carrier alone.
      {"the other file unreadable", "Energie.dat", "Natural gas, condensing boiler", 0,
       "\"Natural gas, condensing boiler\" nicht gefunden", "", true},
  };
  for (const auto& e : faelle) {
    EnergieFixture f;
    if (!e.ohneDeutsche)
      f.dir.Write("Energie.dat", EncodeCodePage(e.deutscheDatei.empty() ? deutsch : e.deutscheDatei,
                                                CodePage::Cp1252));
    if (e.englischOrdner) fs::create_directory(f.dir / "Energie_en.dat");
    else f.dir.Write("Energie_en.dat", englisch);
    f.s().cat.EnergieDatei = e.sitzung;
    f.Lies(e.name);
    const PlantState& p = f.s().plant;
    if (e.nr == -1) {
      EXPECT_EQ(p.EnergieNr, -1) << e.fall;
      EXPECT_EQ(p.konvEnergie, e.name) << e.fall;
      EXPECT_EQ(p.konvNutzgradWinter, 104) << e.fall;
      EXPECT_EQ(p.konvNutzgradSommer, 70) << e.fall;
      EXPECT_EQ(p.konvEinheit, "m3 Gas") << e.fall;
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
      continue;
    }
    ASSERT_GE(p.EnergieNr, 1) << e.fall;
    EXPECT_EQ(p.konvEnergie, f.E(p.EnergieNr).EnergieName) << e.fall;
    if (e.nr > 0) {
      EXPECT_EQ(p.EnergieNr, e.nr) << e.fall;
      // The values of that row of the German file.
      EXPECT_EQ(EnergieText(f.E(p.EnergieNr)), EnergieText(BuiltInEnergie()[static_cast<std::size_t>(e.nr - 1)]))
          << e.fall;
    }
    if (e.meldung.empty()) {
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
    } else {
      ASSERT_EQ(f.msgs->shown.size(), 1u) << e.fall << f.msgs->All();
      EXPECT_EQ(f.msgs->shown[0].text.rfind(e.meldung, 0), 0u) << e.fall << f.msgs->All();
    }
  }
  // The project's plant is the same in both languages: the figures of the condensing boiler.
  for (const char* sitzung : {"Energie.dat", "Energie_en.dat"}) {
    EnergieFixture f;
    f.dir.Write("Energie.dat", EncodeCodePage(deutsch, CodePage::Cp1252));
    f.dir.Write("Energie_en.dat", englisch);
    f.s().cat.EnergieDatei = sitzung;
    f.Lies("Erdgas Brennwert-Kessel");
    const PlantState& p = f.s().plant;
    EXPECT_EQ(std::vector<int>({p.konvNutzgradWinter, p.konvNutzgradFruehlingHerbst, p.konvNutzgradSommer}),
              std::vector<int>({103, 85, 70})) << sitzung;
    EXPECT_FLOAT_EQ(p.konvKWhinEinheit, 10.0f) << sitzung;
    EXPECT_FLOAT_EQ(p.konvCO2inEinheit, 1.9f) << sitzung;
  }
}

// A change of language finds the carrier in use again by its figures. When the new language's
// file has no entry with them (cut short, lacking the row), the carrier keeps its figures and
// name, outside the list: only a whole row with those figures takes its place, said so.
TEST(EnergieAufloesung, ALanguageChangeNeverChangesTheCarriersFigures) {
  std::string englisch;
  ASSERT_TRUE(ReadWholeFile(fs::path(TAV_LANG_DIR) / ".." / "daten" / "Energie_en.dat", englisch));
  const std::size_t fuenf = englisch.find("[Energieform 5]");
  const struct {
    const char* fall;
    std::string text;
    int nr;
    std::string name;
    std::vector<std::string> meldungen;  // the beginnings, in order
  } faelle[] = {
      {"whole", englisch, 5, "Natural gas, condensing boiler", {"gewählt: Natural gas, condensing boiler"}},
      {"cut in half", englisch.substr(0, englisch.size() / 2), -1, "Erdgas Brennwert-Kessel",
       {"Energie_en.dat"}},
      {"lacking the row", englisch.substr(0, fuenf) + englisch.substr(englisch.find("[Energieform 6]")), -1,
       "Erdgas Brennwert-Kessel", {}},
      {"empty: the built-in rows", "", 5, "Erdgas Brennwert-Kessel", {"Keine Energieträgerdaten gefunden", "gewählt: Erdgas Brennwert-Kessel"}},
  };
  for (const auto& e : faelle) {
    SCOPED_TRACE(e.fall);
    EnergieFixture f;
    f.Lies("Erdgas Brennwert-Kessel");
    ASSERT_EQ(f.s().plant.EnergieNr, 5);
    const std::string signatur = EnergieText(f.E(5));
    f.dir.Write("Energie_en.dat", e.text);
    f.s().cat.EnergieDatei = "Energie_en.dat";
    f.s().cat.EnergieGeladen = false;
    ReadEnergie(f.s(), signatur, f.status);
    const PlantState& p = f.s().plant;
    EXPECT_EQ(p.EnergieNr, e.nr);
    EXPECT_EQ(p.konvEnergie, e.name);
    EXPECT_EQ(std::vector<int>({p.konvNutzgradWinter, p.konvNutzgradFruehlingHerbst, p.konvNutzgradSommer}),
              std::vector<int>({103, 85, 70}));
    EXPECT_FLOAT_EQ(p.konvCO2inEinheit, 1.9f);
    ASSERT_EQ(f.msgs->shown.size(), e.meldungen.size()) << f.msgs->All();
    for (std::size_t i = 0; i < e.meldungen.size(); ++i)
      EXPECT_NE(f.msgs->shown[i].text.find(e.meldungen[i]), std::string::npos) << f.msgs->All();
  }
}

TEST(EnergieDatei, BadFilesAreReportedAndLeftUntouched) {
  std::string sechzehn;
  for (int n = 1; n <= 16; ++n) sechzehn += Abschnitt("E" + std::to_string(n), "T" + std::to_string(n));
  const struct {
    const char* fall;
    std::string text;
    int anzahl;
    const char* meldung;
  } faelle[] = {
      {"16 sections", sechzehn, 15, "Maximale Anzahl von Einträgen erreicht!"},
      {"kWh 0,0001", Abschnitt("E1", "Gut") + Abschnitt("E2", "Klein", "0,0001"), 1, "[E2] kWhinEinheit: 0,00 zu niedrig"},
      {"kWh 0,004", Abschnitt("E1", "Gut") + Abschnitt("E2", "Klein", "0,004"), 1, "[E2] kWhinEinheit: 0,00 zu niedrig"},
      {"kWh missing",
       [] {
         std::string t = Abschnitt("E1", "Gut") + Abschnitt("E2", "Ohne");
         const std::size_t k = t.rfind("kWhinEinheit=");
         return t.erase(k, t.find("\r\n", k) + 2 - k);
       }(),
       1, "[E2] kWhinEinheit: 0,00 zu niedrig"},
      // Cut short after its name: named once as cut, not again for the figures it lacks.
      {"cut short after the name", Abschnitt("E1", "Gut") + "[E2]\r\nEnergieName=Ohne\r\n", 1,
       "[E2] endet vor Einheit, kWhinEinheit"},
      {"negative kWh", Abschnitt("E1", "Gut") + Abschnitt("E2", "Neg", "-1"), 1, "[E2] kWhinEinheit"},
      {"bad word", Abschnitt("E1", "Gut") + Abschnitt("E2", "Wort", "1", "9x"), 2, "Zahlenangaben bei E2 prüfen!"},
      {"word out of range", Abschnitt("E1", "Gut") + Abschnitt("E2", "Gross", "1", "70000"), 2,
       "Zahlenangaben bei E2 prüfen!"},
      {"same section name twice", Abschnitt("E1", "Gut") + Abschnitt("E1", "Zweiter", "1", "7x"), 2,
       "Zahlenangaben bei E1 prüfen!"},
      {"nothing usable", Abschnitt("E1", "Null", "0"), 8, "Keine Energieträgerdaten gefunden"},
      {"no section at all", "EnergieName=ohne Abschnitt\r\n", 8, "Keine Energieträgerdaten gefunden"},
      // A blank inside a number is a typing error, not 48,5.
      {"blank inside a number", Abschnitt("E1", "Gut") + Abschnitt("E2", "Luecke", "4 8,5"), 1,
       "Zahlenangaben bei E2 prüfen!"},
      // A file cut short (a copy broken off) ends inside its last entry.
      {"cut short inside an entry",
       Abschnitt("E1", "Gut") + "[E2]\r\nEnergieName=Halb\r\nEinheit=Liter\r\nkWhinEinheit=10,00\r\n", 1,
       "[E2] endet vor CO2inEinheit, NutzgradWinter, NutzgradFruehlingHerbst, NutzgradSommer: die Datei ist "
       "wohl abgeschnitten"},
      {"cut short inside a line",
       [] {
         std::string t = Abschnitt("E1", "Gut") + Abschnitt("E2", "Zwei");
         t.resize(t.rfind("NutzgradWinter=9") + 16);
         return t;
       }(),
       1, "[E2] endet vor NutzgradFruehlingHerbst, NutzgradSommer: die Datei ist wohl abgeschnitten"},
  };
  for (const auto& e : faelle) {
    EnergieFixture f;
    f.dir.Write("Energie.dat", e.text);
    f.Lies("Gut");
    EXPECT_EQ(f.s().cat.EnergieAnzahl, e.anzahl) << e.fall;
    EXPECT_GE(f.s().plant.EnergieNr, 1) << e.fall;
    EXPECT_GT(f.s().plant.konvKWhinEinheit, 0.0f) << e.fall;
    EXPECT_TRUE(f.msgs->Contains(e.meldung)) << e.fall << f.msgs->All();
    if (std::string_view(e.meldung).find("abgeschnitten") != std::string_view::npos ||
        std::string_view(e.meldung).find("endet vor") != std::string_view::npos) {
      EXPECT_FALSE(f.msgs->Contains("zu niedrig")) << e.fall << f.msgs->All();
    }
    EXPECT_TRUE(f.msgs->Contains((f.dir / "Energie.dat").string())) << e.fall << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Energie.dat"), e.text) << e.fall;
  }
  // Blanks around the name and the unit are not part of them.
  {
    EnergieFixture g;
    g.dir.Write("Energie.dat", "[E1]\r\nEnergieName= Gas \r\nEinheit= m3 \r\nkWhinEinheit=10,00\r\n");
    g.Lies("Gas");
    EXPECT_EQ(g.E(1).EnergieName, "Gas");
    EXPECT_EQ(g.E(1).Einheit, "m3");
    EXPECT_TRUE(g.msgs->shown.empty()) << g.msgs->All();
  }
  // A small energy content that is still written as a number above 0.
  EnergieFixture f;
  f.dir.Write("Energie.dat", Abschnitt("E1", "Klein", "0,006"));
  f.Lies("Klein");
  EXPECT_FLOAT_EQ(f.s().plant.konvKWhinEinheit, 0.01f);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

// A file written by hand or broken off, read in a German and in an English session. A key
// missing before keys the entry holds was left out: it takes its default; a last line without
// a line end is sound. Only keys missing from one point to the end of the last entry, where
// an entry before holds them, tell a file cut short: that entry alone is left out. Names held
// twice are named once each, every entry kept. The one message in the session's language.
TEST(EnergieDatei, OnlyARealCutLeavesAnEntryOutAndTwiceHeldNamesAreNamedOnce) {
  struct DeutscheTexte {
    ~DeutscheTexte() { Texts().LoadDefaults(); }
  } deutsch;
  const std::string zwei = Abschnitt("E1", "Gut") + Abschnitt("E2", "Zwei");
  const auto ohne = [](std::string t, const std::string& teil) { return t.erase(t.rfind(teil), teil.size()); };
  const auto bis = [](std::string t, const std::string& teil) { return t.substr(0, t.rfind(teil) + teil.size()); };
  const struct {
    const char* fall;
    std::string text;
    std::string projekt;  // the carrier the project names
    int anzahl, nr;
    std::vector<std::string> deutsch, englisch;  // what the message says; none when empty
  } faelle[] = {
      {"last entry without CO2inEinheit", ohne(zwei, "CO2inEinheit=2,60\r\n"), "Zwei", 2, 2, {}, {}},
      {"last entry without its name", ohne(zwei, "EnergieName=Zwei\r\n"), "Gut", 2, 1, {}, {}},
      {"last line without line end", zwei.substr(0, zwei.size() - 4), "Zwei", 2, 2, {}, {}},
      {"cut after kWhinEinheit", bis(zwei, "kWhinEinheit=10,00\r\n"), "Gut", 1, 1,
       {"[E2] endet vor CO2inEinheit, NutzgradWinter, NutzgradFruehlingHerbst, NutzgradSommer: die Datei ist "
        "wohl abgeschnitten; der Eintrag wird nicht übernommen"},
       {"[E2] ends before CO2inEinheit, NutzgradWinter, NutzgradFruehlingHerbst, NutzgradSommer: the file has "
        "probably been cut short; the entry is not taken over"}},
      {"cut after the section line", bis(zwei, "[E2]\r\n"), "Gut", 1, 1, {"[E2] endet vor EnergieName, Einheit"},
       {"[E2] ends before EnergieName, Einheit"}},
      {"names held twice", zwei + Abschnitt("E3", "Gut", "10,00", "92") + Abschnitt("E4", "Gut", "10,00", "93") +
                               Abschnitt("E5", "Zwei", "10,00", "94"),
       "Gut", 5, 4,
       {"Mehrfach vorhandene Namen (ein Projekt erhält den letzten Eintrag des Namens): \"Gut\", \"Zwei\""},
       {"Names found more than once (a project takes the last entry of the name): \"Gut\", \"Zwei\""}},
  };
  for (const bool englisch : {false, true}) {
    if (englisch) {
      ASSERT_TRUE(Texts().LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat"));
    }
    for (const auto& e : faelle) {
      SCOPED_TRACE(std::string(e.fall) + (englisch ? " (English)" : " (German)"));
      EnergieFixture f;
      f.dir.Write("Energie.dat", e.text);
      f.Lies(e.projekt);
      EXPECT_EQ(f.s().cat.EnergieAnzahl, e.anzahl);
      EXPECT_EQ(f.s().plant.EnergieNr, e.nr);
      EXPECT_EQ(f.s().plant.konvEnergie, e.projekt);
      EXPECT_EQ(f.s().plant.konvNutzgradWinter, f.E(e.nr).NutzgradWinter);
      const std::vector<std::string>& meldung = englisch ? e.englisch : e.deutsch;
      if (meldung.empty()) {
        EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
      } else {
        ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
        const std::string& text = f.msgs->shown[0].text;
        EXPECT_NE(text.find((f.dir / "Energie.dat").string()), std::string::npos) << text;
        for (const std::string& teil : meldung) EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
        // Each name once.
        EXPECT_EQ(text.find("\"Gut\""), text.rfind("\"Gut\"")) << text;
      }
      EXPECT_EQ(f.dir.Read("Energie.dat"), e.text);
    }
  }
  // The defaults of what a hand-written entry leaves out.
  EnergieFixture f;
  f.dir.Write("Energie.dat", ohne(ohne(zwei, "CO2inEinheit=2,60\r\n"), "EnergieName=Zwei\r\n"));
  f.Lies("Energie 2");
  EXPECT_EQ(f.s().plant.EnergieNr, 2);
  EXPECT_FLOAT_EQ(f.s().plant.konvCO2inEinheit, 0.0f);  // 0,0001 as the file would hold it
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(EnergieDatei, ReadOnceUntilTheLanguageChangesTheFile) {
  EnergieFixture f;
  f.Lies("*init*");
  f.dir.Write("Energie.dat", Abschnitt("E1", "Neu"));
  f.Lies("Neu");  // still the list read before: nearest name, with the warning
  EXPECT_EQ(f.s().cat.EnergieAnzahl, 8);
  EXPECT_FALSE(f.msgs->shown.empty());
  EXPECT_FALSE(SelectEnergie(f.s(), 9));
  EXPECT_FALSE(SelectEnergie(f.s(), -1));
}

}  // namespace
}  // namespace tav::test
