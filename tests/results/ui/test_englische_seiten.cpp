// The results in English: the window's pages, its charts and every printed page carry no
// German text of ours and none of the odd unit texts an English page once showed; the
// energy carriers come from the English file delivered with the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTextEdit>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "catalogues/Energie.h"
#include "foundation/CodePage.h"
#include "foundation/StatusSink.h"
#include "foundation/TextTable.h"
#include "results/ui/ErgebnisDruck.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultPainter.h"
#include "results/ui/ResultsCommands.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/gui/PaintRecorder.h"
#include "tests/results/ui/ErgebnisFixture.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

std::string OhneKuerzel(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  return out;
}

// The German texts of the table that English says otherwise (long enough to be no part of a
// word or a number), each with its key.
std::map<std::string, std::string> DeutscheTexte(const TTextTable& englisch) {
  std::map<std::string, std::string> texte;
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const auto key = static_cast<TX>(i);
    const TextDefault& d = TextDefaultOf(key);
    const std::string de = OhneKuerzel(d.deutsch);
    // The edition's contact lines are its identity, as the copyright line of the footer.
    if (key >= TX::Info1 && key <= TX::InfoLink) continue;
    if (de.size() < 6 || de == OhneKuerzel(englisch[key])) continue;
    texte[de] = d.key;
  }
  return texte;
}

// Whether Text holds Wort as a word of its own (no letter before or after it: "Januar" is
// not in "January").
bool HatWort(const std::string& text, const std::string& wort) {
  const auto buchstabe = [](unsigned char c) { return std::isalpha(c) || c >= 0x80; };
  for (auto pos = text.find(wort); pos != std::string::npos; pos = text.find(wort, pos + 1)) {
    const bool vorn = pos == 0 || !buchstabe(static_cast<unsigned char>(text[pos - 1]));
    const std::size_t ende = pos + wort.size();
    const bool hinten = ende >= text.size() || !buchstabe(static_cast<unsigned char>(text[ende]));
    if (vorn && hinten) return true;
  }
  return false;
}

// The texts a page paints, one per drawn text.
std::vector<std::string> Texte(const std::function<void(QPainter&)>& male) {
  test::TRecorder r(QSizeF(210, 297), 100);
  {
    QPainter pa(&r);
    male(pa);
  }
  std::vector<std::string> texte;
  for (const auto& p : r.Liste())
    if (p.Typ == test::TPrimitiv::Text) texte.push_back(p.Inhalt.toStdString());
  return texte;
}

class EnglischeSeiten : public ::testing::Test {
 protected:
  void TearDown() override {
    Texts().LoadDefaults();
    InvalidateResults();
    QApplication::processEvents();
  }
  test::ScopedMessages msgs;
  test::TempDir dir;
};

TEST_F(EnglischeSeiten, CarryNoGermanTextOfOurs) {
  Simuliere(Anlage::KombiPool);
  TavState& g = G();
  // Names of the user's own, in English too.
  g.plant.ProjektName = "Combi plant with pool";
  g.plant.Standort = "Test town";
  g.plant.Kollektor = "Flat plate FK 2.5";
  // The English energy carriers as the program delivers them into the data folder.
  fs::copy_file(fs::path(TAV_LANG_DIR) / ".." / "daten" / "Energie_en.dat", dir.path() / "Energie_en.dat");
  g.folders.DatenDir = dir.path().string() + "/";
  g.cat.EnergieDatei = "Energie_en.dat";
  g.cat.EnergieGeladen = false;
  g.plant.konvEnergie = "Heating oil, standard boiler";
  StatusSink status;
  ReadEnergie(g, "", status);
  ASSERT_EQ(g.plant.konvEnergie, "Heating oil, standard boiler");
  EXPECT_EQ(g.plant.konvEinheit, "l oil");
  for (int i = 1; i <= g.cat.EnergieAnzahl; ++i) {
    SCOPED_TRACE(g.cat.Energietraeger[static_cast<std::size_t>(i)].EnergieName);
    EXPECT_EQ(EnergieText(g.cat.Energietraeger[static_cast<std::size_t>(i)]),
              EnergieText(BuiltInEnergie()[static_cast<std::size_t>(i - 1)]))
        << "the same carrier as in German, found again after a language change";
  }

  TTextTable englisch;
  ASSERT_TRUE(englisch.LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en")));
  ASSERT_TRUE(Texts().LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en")));
  const auto deutsch = DeutscheTexte(englisch);

  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  for (QCheckBox* c : {f->CheckBoxReport, f->CheckBox1, f->CheckBox2}) c->setChecked(true);
  const TErgebnisDruck druck = f->DruckAuftrag();
  ASSERT_EQ(druck.Seiten.size(), 4u);

  // Each page of the window and of the printout, with the texts it shows.
  std::vector<std::pair<std::string, std::vector<std::string>>> seiten = {
      {"energy balance", {f->RichEdit1->toPlainText().toStdString()}},
      {"pool", {f->RichEditPool->toPlainText().toStdString()}},
      {"ecology", {f->RichEditOeko->toPlainText().toStdString()}},
      {"chart", Texte([&](QPainter& pa) { PaintDeckungsDiagramm(pa, QRect(0, 0, 480, 390), g); })},
  };
  for (int n = 1; n <= static_cast<int>(druck.Seiten.size()); ++n)
    seiten.push_back({"printed page " + std::to_string(n), Texte([&](QPainter& pa) {
                        MaleErgebnisSeite(pa, QRectF(0, 0, 210, 297), n, druck, g);
                      })});
  // The heating plant with one exchanger to the heating circuit (type 3) and a gas boiler: its
  // lines on the description pages and the gas unit of the ecology page.
  const auto typ6 = g.plant;
  g.plant.AnlagenTypNr = 3;
  g.plant.konvEnergie = "Natural gas, boiler with atmospheric burner";
  ReadEnergie(g, "", status);
  ASSERT_EQ(g.plant.konvEinheit, "m\xC2\xB3 gas");
  const TErgebnisDruck druck3 = f->DruckAuftrag();
  for (int n = 1; n <= static_cast<int>(druck3.Seiten.size()); ++n)
    seiten.push_back({"type 3, printed page " + std::to_string(n), Texte([&](QPainter& pa) {
                        MaleErgebnisSeite(pa, QRectF(0, 0, 210, 297), n, druck3, g);
                      })});
  // Kept beside the pictures for anyone to look at.
  EXPECT_TRUE(f->Drucken(QStringLiteral(TAV_SCREENS_DIR "/Print-English-Typ3.pdf")));
  g.plant = typ6;
  ReadEnergie(g, "", status);

  // What an English page once showed: a German unit, a capital inside a phrase and in a unit,
  // a missing blank, German abbreviations and German word order.
  const char* const falsch[] = {"Liter", "Öl", "kWh Useful", "Year)", "spring,autumn", "prim./sek.", "T sp,u",
                                "Temperature level", "day with", "m3"};
  for (const auto& [seite, texte] : seiten) {
    SCOPED_TRACE(seite);
    ASSERT_FALSE(texte.empty());
    for (const std::string& text : texte) {
      for (const auto& [de, key] : deutsch)
        EXPECT_FALSE(HatWort(text, de)) << "German \"" << de << "\" (" << key << ") in: " << text;
      for (const char* f : falsch) EXPECT_EQ(text.find(f), std::string::npos) << "\"" << f << "\" in: " << text;
    }
  }
  // The type 3 pages name the exchanger's sides and the gas unit in English.
  std::string alle;
  for (const auto& [seite, texte] : seiten)
    for (const std::string& text : texte) alle += text + "\n";
  for (const char* englisch : {"(primary/secondary)", "at a temperature level of", "T store (bottom)", "m\xC2\xB3 gas"})
    EXPECT_NE(alle.find(englisch), std::string::npos) << englisch;
  // The pool tables head their warming column as warming, on screen and on paper.
  EXPECT_NE(f->RichEditPool->toPlainText().toStdString().find("Warming"), std::string::npos);
  const auto& pool = seiten[4 + 2].second;  // the third printed page
  EXPECT_NE(std::find(pool.begin(), pool.end(), "Warming"), pool.end());
}

}  // namespace
}  // namespace tav
