// Code-page tables, text decoding at the file boundary and case folding of names.

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "foundation/CodePage.h"

namespace tav {
namespace {

struct NamedCodePage {
  CodePage cp;
  const char* iconvName;
};
constexpr NamedCodePage kCodePages[] = {{CodePage::Cp1252, "CP1252"}, {CodePage::Cp1250, "CP1250"}};

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const auto& [cp, name] : kCodePages) {
    bool lossy = true;
    const std::string utf8 = DecodeCodePage(all, cp);
    EXPECT_TRUE(IsValidUtf8(utf8)) << name;
    EXPECT_EQ(EncodeCodePage(utf8, cp, &lossy), all) << name;
    EXPECT_FALSE(lossy) << name;
  }
}

// The system's own converter is an independent reference for every byte it defines.
TEST(CodePage, TablesAgreeWithTheSystemConverter) {
  for (const auto& [cp, name] : kCodePages) {
    iconv_t cd = iconv_open("UTF-32LE", name);
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "no " << name << " in iconv";
    int compared = 0;
    for (int b = 0x80; b < 256; ++b) {
      char in = static_cast<char>(b);
      char out[8] = {};
      char* inp = &in;
      char* outp = out;
      std::size_t inLeft = 1, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1)) continue;
      const char32_t expected = static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
                                static_cast<unsigned char>(out[2]) << 16;
      EXPECT_EQ(CodePageToUnicode(static_cast<unsigned char>(b), cp), expected) << name << " byte " << b;
      ++compared;
    }
    iconv_close(cd);
    EXPECT_GE(compared, 123) << name;
  }
}

TEST(CodePage, KnownCharacters) {
  struct Case {
    CodePage cp;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {CodePage::Cp1252, "\x80", "€"},
      {CodePage::Cp1252, "\xE4\xF6\xFC\xC4\xD6\xDC\xDF", "äöüÄÖÜß"},
      {CodePage::Cp1252, "\x8A\x9F", "ŠŸ"},
      {CodePage::Cp1250, "\xB3\xB9", "łą"},
      {CodePage::Cp1250, "\xE4\xE8\x8A", "äčŠ"},
      {CodePage::Cp1250, "\xA3\xF3\x9F", "Łóź"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeCodePage(c.bytes, c.cp), c.utf8);
    EXPECT_EQ(EncodeCodePage(c.utf8, c.cp), c.bytes);
  }
}

TEST(CodePage, UnmappedCharactersBecomeQuestionMarks) {
  struct Case {
    CodePage cp;
    std::string utf8;
    std::string bytes;
    bool lossy;
  };
  const Case cases[] = {
      {CodePage::Cp1252, "a ł b", "a ? b", true},
      {CodePage::Cp1250, "a ł b", "a \xB3 b", false},
      {CodePage::Cp1252, "漢字", "??", true},
      {CodePage::Cp1252, "\xF0\x9F\x98\x80", "?", true},  // outside the basic plane
      {CodePage::Cp1252, "x\xFFy", "x?y", true},           // not UTF-8 at all
      {CodePage::Cp1252, "\xC3", "?", true},               // cut-off sequence
      {CodePage::Cp1252, "\xC2\x85", "?", true},           // a C1 control the code page defines otherwise
      {CodePage::Cp1252, "", "", false},
  };
  for (const auto& c : cases) {
    bool lossy = !c.lossy;
    EXPECT_EQ(EncodeCodePage(c.utf8, c.cp, &lossy), c.bytes) << c.utf8;
    EXPECT_EQ(lossy, c.lossy) << c.utf8;
  }
}

TEST(CodePage, DecodeTextTellsTheEncoding) {
  struct Case {
    std::string bytes;
    CodePage fallback;
    std::string utf8;
    TextEncoding enc;
  };
  const Case cases[] = {
      {"[A]\r\nx=\xE4", CodePage::Cp1252, "[A]\r\nx=ä", TextEncoding::Cp1252},
      {"x=\xB3", CodePage::Cp1250, "x=ł", TextEncoding::Cp1250},
      {"plain", CodePage::Cp1250, "plain", TextEncoding::Cp1250},
      {"\xEF\xBB\xBFx=\xC3\xA4", CodePage::Cp1252, "x=ä", TextEncoding::Utf8Bom},
      {"\xEF\xBB\xBF", CodePage::Cp1252, "", TextEncoding::Utf8Bom},
      {"x=\xC3\xA4", CodePage::Cp1252, "x=ä", TextEncoding::Utf8},
      // A byte that cannot be UTF-8 makes the whole file single-byte.
      {"x=\xC3\xA4 \xE4", CodePage::Cp1252, "x=Ã¤ ä", TextEncoding::Cp1252},
      // After a mark, a stray byte is read as its 1252 character instead of being lost.
      {"\xEF\xBB\xBF\xE4", CodePage::Cp1250, "ä", TextEncoding::Utf8Bom},
  };
  for (const auto& c : cases) {
    TextEncoding enc{};
    EXPECT_EQ(DecodeText(c.bytes, c.fallback, &enc), c.utf8);
    EXPECT_EQ(enc, c.enc);
    if (c.enc != TextEncoding::Utf8Bom || IsValidUtf8(c.bytes.substr(3))) {
      EXPECT_EQ(EncodeText(c.utf8, c.enc), c.bytes) << "written back as read";
    }
  }
}

TEST(CodePage, CentralEuropeanLanguagesUse1250) {
  for (const char* code : {"pl", "PL", "cz", "hu", "ro", "sl"}) EXPECT_EQ(CodePageForLanguage(code), CodePage::Cp1250) << code;
  for (const char* code : {"de", "en", "dk", "fr", "it", "nl", "es", "sv", "fi", "vl", ""})
    EXPECT_EQ(CodePageForLanguage(code), CodePage::Cp1252) << code;
}

TEST(CodePage, NamesCompareWithoutRegardToCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"Ort 1", "ORT 1", true},   {"Ort 1", "Ort 1 ", false}, {"", "", true},
      {"Ärger", "äRGER", true},   {"ÖÜ", "öü", true},         {"Łódź", "łÓDŹ", true},
      {"Ÿ", "ÿ", true},           {"Šč", "šČ", true},         {"ß", "SS", false},
      {"abc", "abcd", false},     {"×", "÷", false},          {"Ä", "A", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(FoldCaseUtf8(c.a) == FoldCaseUtf8(c.b), c.equal) << c.a << " / " << c.b;
  }
  // Every letter of both code pages folds onto a letter that folds to itself.
  for (const auto& [cp, name] : kCodePages)
    for (int b = 0; b < 256; ++b) {
      const char32_t c = CodePageToUnicode(static_cast<unsigned char>(b), cp);
      EXPECT_EQ(FoldCase(FoldCase(c)), FoldCase(c)) << name << " byte " << b;
    }
}

}  // namespace
}  // namespace tav
