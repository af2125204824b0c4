// The language files shipped beside the program (resources/lang): each is read by the text
// table as the language menu reads it, so a missing, misspelt or mangled key shows here and
// not as a German word in an English window.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// The code of the language whose file this is, from the fixed language list.
std::string Kuerzel(const fs::path& file) {
  for (int l = 1; l <= kMaxSprachen; ++l)
    if (file.stem().string() == SprachTabelle[l].Name) return std::string(SprachTabelle[l].Kuerzel);
  return {};
}

std::size_t Anzahl(const std::string& s, const std::string& teil) {
  std::size_t n = 0;
  for (auto pos = s.find(teil); pos != std::string::npos; pos = s.find(teil, pos + teil.size())) ++n;
  return n;
}

std::vector<fs::path> Sprachdateien() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(TAV_LANG_DIR))
    if (e.path().extension() == ".dat") files.push_back(e.path());
  return files;
}

TEST(LanguageFiles, EnglishShipsWithTheProgram) {
  EXPECT_TRUE(fs::is_regular_file(fs::path(TAV_LANG_DIR) / "english.dat"));
  EXPECT_EQ(Kuerzel("english.dat"), "en");
}

// Every key once, no key the table does not know, the menu caption, code page and CRLF.
TEST(LanguageFiles, HoldEveryKeyOnceInTheirCodePageWithCrlf) {
  for (const fs::path& file : Sprachdateien()) {
    SCOPED_TRACE(file.filename().string());
    const std::string kuerzel = Kuerzel(file);
    ASSERT_FALSE(kuerzel.empty()) << "no language of the language list";
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(file, bytes));
    EXPECT_FALSE(HasUtf8Bom(bytes));
    EXPECT_EQ(Anzahl(bytes, "\n"), Anzahl(bytes, "\r\n")) << "every line ends in CRLF";
    EXPECT_EQ(Anzahl(bytes, "\r"), Anzahl(bytes, "\r\n")) << "no lone CR";
    const CodePage cp = CodePageForLanguage(kuerzel);
    // The bytes the code page leaves undefined decode to C1 controls: no text holds them.
    for (unsigned char c : bytes) {
      if (c == '\r' || c == '\n') continue;
      const char32_t u = CodePageToUnicode(c, cp);
      EXPECT_TRUE(u >= 0x20 && !(u >= 0x7F && u < 0xA0)) << "byte " << int(c) << " is no character";
    }

    const std::vector<std::string> lines = SplitLines(DecodeCodePage(bytes, cp));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "[Tavrel]");
    std::set<TX> gesehen;
    bool caption = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.empty()) continue;
      EXPECT_NE(line[0], '[') << "one section only: " << line;
      const auto eq = line.find('=');
      ASSERT_NE(eq, std::string::npos) << line;
      const std::string key = line.substr(0, eq);
      if (key == "SpracheCaption") {
        caption = !line.substr(eq + 1).empty();
        continue;
      }
      const auto tx = TextKeyByName(key);
      EXPECT_TRUE(tx.has_value()) << "unknown key " << key;
      if (tx) {
        EXPECT_TRUE(gesehen.insert(*tx).second) << "key twice: " << key;
      }
    }
    EXPECT_TRUE(caption) << "SpracheCaption";
    EXPECT_EQ(gesehen.size(), kTextCount) << "keys missing";
  }
}

// Captions that have no accelerator in English although the German has one: the results
// window's curves page shows more controls than its captions have letters, and an
// accelerator two controls share would only move between them.
const std::set<std::string>& OhneKuerzelImEnglischen() {
  static const std::set<std::string> keys = {"FormSimErgplA_To1", "FormSimErgplP_Anlg"};
  return keys;
}

// What the program relies on inside a text stays as the German has it: the "#" where a value
// goes, the "|" line breaks, the sub- and superscript markup, an accelerator where the German
// caption has one, and the blanks at either end that callers join texts with.
TEST(LanguageFiles, KeepTheConventionsOfTheGermanTexts) {
  for (const fs::path& file : Sprachdateien()) {
    SCOPED_TRACE(file.filename().string());
    TTextTable t;
    ASSERT_TRUE(t.LoadTexts(file, CodePageForLanguage(Kuerzel(file))));
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const auto key = static_cast<TX>(i);
      const std::string de = TextDefaultOf(key).deutsch;
      const std::string& text = t[key];
      SCOPED_TRACE(TextDefaultOf(key).key);
      EXPECT_EQ(Anzahl(text, "#"), Anzahl(de, "#"));
      EXPECT_EQ(Anzahl(text, "|"), Anzahl(de, "|"));
      EXPECT_EQ(Anzahl(text, "{\\"), Anzahl(de, "{\\"));
      EXPECT_EQ(Anzahl(text, "{/"), Anzahl(de, "{/"));
      if (Kuerzel(file) == "en" && OhneKuerzelImEnglischen().count(TextDefaultOf(key).key))
        EXPECT_EQ(text.find('&'), std::string::npos);
      else
        EXPECT_EQ(text.find('&') != std::string::npos, de.find('&') != std::string::npos);
      EXPECT_EQ(!text.empty() && text.front() == ' ', !de.empty() && de.front() == ' ');
      EXPECT_EQ(!text.empty() && text.back() == ' ', !de.empty() && de.back() == ' ');
      EXPECT_EQ(text.empty(), de.empty());
    }
  }
}

// The English file is a translation: read as the switch reads it, it replaces the German
// texts (months, plant types and the derived names included).
TEST(LanguageFiles, EnglishReplacesTheGermanTexts) {
  TTextTable t;
  ASSERT_TRUE(t.LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en")));
  std::size_t gleich = 0;
  for (std::size_t i = 0; i < kTextCount; ++i)
    if (t[static_cast<TX>(i)] == TextDefaultOf(static_cast<TX>(i)).deutsch) ++gleich;
  // Words both languages share ("Simulation", "Name", "Winter", units) and nothing more.
  EXPECT_LT(gleich, kTextCount / 10);
  EXPECT_EQ(t.Monatsnamen[3], "March");
  EXPECT_EQ(t.Monatsnamen[13], "Total");
  EXPECT_EQ(t.AnlagenKurzNamen[1], "Domestic hot water");
  EXPECT_EQ(t.GesamtGross, "Total");
  EXPECT_EQ(t[TX::HmenuDatei], "&File");
  EXPECT_EQ(t[TX::m_2], "m²");
  EXPECT_EQ(t[TX::WarnZuvieleProj], "Too many projects in ");
}

}  // namespace
}  // namespace tav
