#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "foundation/TextTable.h"
#include "support/TempDir.h"

namespace tav {
namespace {

TEST(TextTable, StartsWithTheGermanDefaultOfEveryKey) {
  const TTextTable t;
  std::set<std::string> names;
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const auto key = static_cast<TX>(i);
    const TextDefault& d = TextDefaultOf(key);
    // Only the contact block's mail and web address are empty: there is none to give.
    const bool ohneAdresse = key == TX::InfoMail || key == TX::InfoLink;
    EXPECT_EQ(std::string(d.deutsch).empty(), ohneAdresse) << d.key;
    EXPECT_EQ(t[key], d.deutsch) << d.key;
    EXPECT_EQ(TextKeyByName(d.key), key) << d.key;
    names.insert(d.key);
  }
  EXPECT_EQ(kTextCount, 875u);
  EXPECT_EQ(names.size(), kTextCount);  // no key twice
  EXPECT_EQ(t.GesamtGross, "Gesamt");
  EXPECT_EQ(t.Monatsnamen[1], "Januar");
  EXPECT_EQ(t.Monatsnamen[3], "März");
  EXPECT_EQ(t.Monatsnamen[13], "Summe");
  EXPECT_EQ(t.AnlagenKurzNamen[8], "Pufferspeicher + FWE");
  EXPECT_EQ(t.FormSimErgBitBtn5Hint2, t[TX::FormSimErgBitBtn5Hint]);
}

TEST(TextTable, DefaultsOfTheTellingRows) {
  const TTextTable t;
  const struct { TX key; const char* text; } rows[] = {
      {TX::DatenUpdateAbfrage, "Neue Daten aus # importieren?"},
      {TX::EditTermSolverHint, "Zahl oder Term, z.B.: 2 * (2,5 + 3,5)"},
      {TX::BtnAskLater, "&Später nochmal fragen"},
      {TX::ButtonCancel, "Ab&brechen"},
      {TX::BtnYes, "&Ja"},
      {TX::DlgConfirmation, "Bestätigung"},
      {TX::Anlage2, "Trinkwarmwasser und Überschussverwertung über Heizkreis"},
      {TX::HK_Typ5, "Vorlauf aus Puffer mit Mehrwegemischer, Rücklauf in unteres Viertel"},
      {TX::EnName10, "Holzpellet-Kessel"},
      {TX::EnEinhHolz, "kg"},
      {TX::KlimgenTempZone8, "polares und kaltes Klima"},
      {TX::LetztViertel, "Letztes Viertel"},
      {TX::Meldung_nichtgefunden, "nicht gefunden"},
      {TX::Solares_Heizen, "Solares Heizen"},
      {TX::m_2idx, "m{/2}"},
      // Captions of the dialog layouts; the accelerator letters differ between dialogs.
      {TX::FormOrtUnitCaption, "Ortsdaten"},
      {TX::FormOrtUnitOrtSuchenSpeedButton, "S&uchen"},
      {TX::FormOrtUnitOrtSortSpeedButton, "So&rtieren"},
      {TX::FormOrtUnitPopHinzufuegen, "Hinzufügen"},
      {TX::FormOrtUnitGeoBreite, "geogr. Breite"},
      {TX::FormKollUnitKollSortSpeedButton, "Sor&tieren"},
      {TX::FormKollUnitKollSuchenSpeedButton, "&Suchen"},
      {TX::FormEnerEditCaption, "Energie-Daten ändern"},
      {TX::FormProfEditCaption, "Verbrauchsprofil ändern"},
      {TX::FormWWCaption, "Warmwasser und Wärme"},
      {TX::FormSimRunGroupBox1, "Deckungsrate + Wirkungsgrad"},
      {TX::FormMomentCheckbox1, "R&L = Stillstandstemp."},
      {TX::FormMomentCheckboxAussentemp, "Außent. nach &Natur"},
      {TX::FormMomentCheckbox2, "Sonnen&position"},
      {TX::FormAssProzHzg, "% (Heizung)"},
  };
  for (const auto& r : rows) EXPECT_EQ(t[r.key], r.text) << TextDefaultOf(r.key).key;
  EXPECT_EQ(TextKeyByName("Solares Heizen"), TX::Solares_Heizen);
  EXPECT_EQ(TextKeyByName("m^2"), TX::m_2);
  EXPECT_EQ(TextKeyByName("btnyes"), TX::BtnYes);
  EXPECT_FALSE(TextKeyByName("SpracheCaption").has_value());
}

TEST(TextTable, LanguageFileOverridesOnlyItsKeys) {
  test::TempDir dir;
  // Code page 1252: "Ä" is 0xC4, "é" 0xE9. The key case differs from the table's.
  dir.Write("english.dat",
            "[Tavrel]\r\nSpracheCaption=&English\r\nbtnyes=&Yes\r\nJan=January\r\n"
            "Feb=A month name much longer than fifteen\r\ngesamt=total\r\n"
            "FormSimErgBitBtn5Hint=Copy graphic\r\nDlgError=Erreur \xC4\xE9\r\n"
            "Anl3=DHW + 2nd\r\nMeldung_nichtgefunden=\r\n");
  TTextTable t;
  ASSERT_TRUE(t.LoadTexts(dir / "english.dat", CodePage::Cp1252));
  EXPECT_EQ(t[TX::BtnYes], "&Yes");
  EXPECT_EQ(t[TX::BtnNo], "&Nein");  // missing key keeps the German default
  EXPECT_EQ(t[TX::DlgError], "Erreur Äé");
  EXPECT_EQ(t[TX::Meldung_nichtgefunden], "");  // an empty value is a value
  EXPECT_EQ(t.Monatsnamen[1], "January");
  EXPECT_EQ(t.Monatsnamen[2], "A month name mu");  // cut to 15 characters
  EXPECT_EQ(t[TX::Feb], "A month name much longer than fifteen");
  EXPECT_EQ(t.AnlagenKurzNamen[3], "DHW + 2nd");
  EXPECT_EQ(t.GesamtGross, "Total");
  EXPECT_EQ(t[TX::FormSimErgBitBtn5Hint], "Copy graphic");
  EXPECT_EQ(t.FormSimErgBitBtn5Hint2, "Copy graphic");

  // A missing file brings every German text back.
  EXPECT_FALSE(t.LoadTexts(dir / "missing.dat"));
  EXPECT_EQ(t[TX::BtnYes], "&Ja");
  EXPECT_EQ(t.Monatsnamen[2], "Februar");
  EXPECT_EQ(t.GesamtGross, "Gesamt");
}

TEST(TextTable, CentralEuropeanFileIsReadInCodePage1250) {
  test::TempDir dir;
  // "Łódź" and "Zażółć" in code page 1250; month names with a capital umlaut first letter.
  dir.Write("polski.dat",
            "[Tavrel]\r\nBtnYes=\xA3\xF3" "d\x9F\r\nBtnNo=Za\xBF\xF3\xB3\xE6\r\n"
            "gesamt=\xE4hnlich\r\nMar=Marzec\r\n");
  TTextTable t;
  ASSERT_TRUE(t.LoadTexts(dir / "polski.dat", CodePageForLanguage("pl")));
  EXPECT_EQ(t[TX::BtnYes], "Łódź");
  EXPECT_EQ(t[TX::BtnNo], "Zażółć");
  EXPECT_EQ(t.GesamtGross, "Ähnlich");
  EXPECT_EQ(t.Monatsnamen[3], "Marzec");

  // The total's capital also for letters outside Latin-1.
  const struct { const char* gesamt; const char* gross; } cases[] = {
      {"\xB3\xB9" "cznie", "Łącznie"}, {"\x9A" "est", "Šest"}, {"celkem", "Celkem"}, {"", ""}};
  for (const auto& c : cases) {
    dir.Write("polski.dat", std::string("[Tavrel]\r\ngesamt=") + c.gesamt + "\r\n");
    ASSERT_TRUE(t.LoadTexts(dir / "polski.dat", CodePage::Cp1250));
    EXPECT_EQ(t.GesamtGross, c.gross) << c.gross;
  }
}

TEST(TextTable, LanguageDataFileNames) {
  test::TempDir dir;
  dir.Write("Energie_fr.dat", "");
  // Not a file one can read, but the language's own: its reader names it rather than the
  // German file taking its place unsaid.
  std::filesystem::create_directory(dir / "Energie_it.dat");
  const struct { const char* code; const char* lang; const char* data; } cases[] = {
      {"de", "Energie.dat", "Energie.dat"},
      {"DE", "Energie.dat", "Energie.dat"},
      {"en", "Energie_en.dat", "Energie.dat"},  // no English file in the folder
      {"fr", "Energie_fr.dat", "Energie_fr.dat"},
      {"it", "Energie_it.dat", "Energie_it.dat"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LangFileName("Energie", c.code), c.lang) << c.code;
    EXPECT_EQ(LangDataFileName("Energie", c.code, dir.path()), c.data) << c.code;
  }
}

}  // namespace
}  // namespace tav
