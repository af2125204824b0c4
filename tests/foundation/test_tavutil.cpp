#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "foundation/TavUtil.h"

namespace tav {
namespace {

// ---------------------------------------------------------------------------------------
// Number input

TEST(Zahleneingabe, StrToFloatComma) {
  const struct { const char* in; double value; int code; } cases[] = {
      {"1 234,5", 1234.5, 0},  // every blank goes
      {"12,5x", 0, 5},          // 1-based position of the bad character
      {"1.5", 1.5, 0},          {"", 0, 1},         {"-,5", -0.5, 0},
      {" 3 , 25 ", 3.25, 0},    {"+7", 7, 0},       {"1e3", 1000, 0},
      {"2,5E-2", 0.025, 0},     {"1,2,3", 0, 4},    {"abc", 0, 1},
      {"-", 0, 2},              {"1e", 0, 3},       {",", 0, 2},
      {"nan", 0, 1},            {"inf", 0, 1},      {"0x10", 0, 2},
  };
  for (const auto& c : cases) {
    std::int32_t code = -1;
    const double v = StrToFloatComma(c.in, code);
    EXPECT_EQ(code, c.code) << '"' << c.in << '"';
    EXPECT_DOUBLE_EQ(v, c.value) << '"' << c.in << '"';
  }
  std::int32_t code = 0;
  StrToFloatComma("1e999", code);  // beyond the range of a double
  EXPECT_NE(code, 0);
}

TEST(Zahleneingabe, StrToIntCommaStopsAtBlankAndKeepsPartialValue) {
  const struct { const char* in; int value; int code; } cases[] = {
      {"12", 12, 0},  {"  -7", -7, 0}, {"+5", 5, 0},   {"12 34", 12, 0},
      {"2,5", 2, 2},  {"abc", 0, 1},   {"", 0, 1},     {"-", 0, 2},
      {"2147483647", 2147483647, 0},   {"-2147483648", -2147483647 - 1, 0},
      {"99999999999", 999999999, 10},  // stops before the digit that overflows
  };
  for (const auto& c : cases) {
    std::int32_t code = -1;
    EXPECT_EQ(StrToIntComma(c.in, code), c.value) << '"' << c.in << '"';
    EXPECT_EQ(code, c.code) << '"' << c.in << '"';
  }
}

TEST(Zahleneingabe, ParseSingleListMarksBadAndMissingNumbers) {
  const struct {
    const char* in;
    std::uint8_t count;
    std::vector<float> values;
    int firstBad;
  } cases[] = {
      {"1 2,5  3.5", 3, {1, 2.5f, 3.5f}, 0},
      {"1 x 3 y", 4, {1, 999, 3, 999}, 2},
      {"1 2", 4, {1, 2, 999, 999}, 3},  // a missing number is an error value too
      {"ERROR", 3, {999, 999, 999}, 1},
      {"  -4,25 ", 1, {-4.25f}, 0},
      {"1 2 3", 2, {1, 2}, 0},
  };
  for (const auto& c : cases) {
    std::array<float, 24> values{};
    std::uint8_t firstBad = 77;
    ParseSingleList(c.in, c.count, firstBad, values);
    EXPECT_EQ(firstBad, c.firstBad) << c.in;
    for (std::size_t i = 0; i < c.values.size(); ++i) EXPECT_FLOAT_EQ(values[i], c.values[i]) << c.in << " #" << i;
  }
}

TEST(Zahleneingabe, ParseSingleListNeverWritesPastItsTarget) {
  std::array<float, 26> buffer;
  buffer.fill(-1.0f);
  std::uint8_t firstBad = 0;
  std::string text;
  for (int i = 0; i < 30; ++i) text += std::to_string(i) + " ";
  ParseSingleList(text, 255, firstBad, std::span<float>(buffer.data(), 24));
  EXPECT_EQ(firstBad, 0);
  EXPECT_FLOAT_EQ(buffer[23], 23.0f);
  EXPECT_FLOAT_EQ(buffer[24], -1.0f);
  EXPECT_FLOAT_EQ(buffer[25], -1.0f);

  buffer.fill(-1.0f);
  firstBad = 5;
  ParseSingleList("1 2", 0, firstBad, buffer);  // nothing asked, nothing touched
  EXPECT_EQ(firstBad, 0);
  EXPECT_FLOAT_EQ(buffer[0], -1.0f);
}

TEST(Bereichspruefung, CheckFloatRange) {
  EXPECT_DOUBLE_EQ(CheckFloatRange("20", 20, 30), 20);  // limits are inclusive
  EXPECT_DOUBLE_EQ(CheckFloatRange("30,0", 20, 30), 30);
  EXPECT_DOUBLE_EQ(CheckFloatRange(" 2 5,5", 20, 30), 25.5);
  const struct { const char* in; double min, max; const char* msg; } violations[] = {
      {"12,5", 20, 30, "12,5 liegt unter dem Minimumwert 20,0"},
      {"30,04", 20, 30, "30,0 liegt über dem Maximumwert 30,0"},
      {"-51", -50, 400, "-51,0 liegt unter dem Minimumwert -50,0"},
      {"1.5", 2, 20, "1,5 liegt unter dem Minimumwert 2,0"},
  };
  for (const auto& c : violations) {
    try {
      CheckFloatRange(c.in, c.min, c.max);
      ADD_FAILURE() << c.in << " accepted";
    } catch (const ERangeViolation& e) {
      EXPECT_EQ(std::string(e.what()), c.msg);
    }
  }
  for (const char* bad : {"abc", "", "12,5x", "1e999"}) {
    try {
      CheckFloatRange(bad, -1e300, 1e300);
      ADD_FAILURE() << '"' << bad << "\" accepted";
    } catch (const ENonsenseInput& e) {
      EXPECT_EQ(std::string(e.what()), "String enthält keine Zahl");
    }
  }
}

TEST(Bereichspruefung, CheckIntRangeRejectsWhatIsNoWholeNumber) {
  EXPECT_EQ(CheckIntRange("10", 10, 20), 10);
  EXPECT_EQ(CheckIntRange(" 20 ", 10, 20), 20);
  for (const char* bad : {"abc", "2,5", "", "12 34", "15x"})
    EXPECT_THROW(CheckIntRange(bad, 0, 100), ENonsenseInput) << '"' << bad << '"';
  const struct { const char* in; const char* msg; } violations[] = {
      {"5", "5 liegt unter dem Minimumwert 10"}, {"21", "21 liegt über dem Maximumwert 20"},
      {"-3", "-3 liegt unter dem Minimumwert 10"}};
  for (const auto& c : violations) {
    try {
      CheckIntRange(c.in, 10, 20);
      ADD_FAILURE() << c.in << " accepted";
    } catch (const ERangeViolation& e) {
      EXPECT_EQ(std::string(e.what()), c.msg);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Number output

TEST(Zahlenausgabe, Formatters) {
  EXPECT_EQ(FloatToCommaStr(6, 1, 3.14f), "   3,1");
  EXPECT_EQ(FloatToCommaStrZero(2, 0, 7.0f), "07");
  EXPECT_EQ(FloatToCommaStrZero(4, 0, 2024.0f), "2024");
  EXPECT_EQ(FloatToCommaStr(0, 2, 1234.5f), "1234,50");
  EXPECT_EQ(FloatToCommaStr(1, 2, 0.125f), "0,13");  // halves away from zero
  EXPECT_EQ(FloatToCommaStr(1, 0, -2.5f), "-3");
  EXPECT_EQ(FloatToCommaStr(5, 1, -0.04f), "  0,0");  // no "-0,0" in a report
  EXPECT_EQ(FloatToCommaStr(3, 1, 99.96f), "100,0");  // the carry widens the text
  EXPECT_EQ(FloatToCommaStr(6, 1, 0.1f), "   0,1");
  EXPECT_EQ(FloatToPointStr(8, 3, -1.0625), "  -1.063");
  EXPECT_EQ(FloatToPointStr(1, 0, 1e15), "1000000000000000");
  EXPECT_EQ(FloatToPointStr(1, 0, 2.5), "3");
  EXPECT_EQ(FloatToPointStr(4, 2, 0.005), "0.01");
  EXPECT_EQ(FloatToColonStr(5, 2, 7.30f), " 7:30");
  EXPECT_EQ(FloatToColonStr(1, 2, 12.0f), "12:00");
  EXPECT_EQ(BoolToStr01(true), "1");
  EXPECT_EQ(BoolToStr01(false), "0");
}

TEST(Zahlenausgabe, AlignedColumnsDoubleBlanksAndWidenMinus) {
  const struct { float x; const char* out; } cases[] = {
      {3.5f, "      3,5"},    // 3 padding blanks doubled
      {-3.5f, "     -3,5"},   // 2 padding blanks doubled, then " -"
      {13.5f, "    13,5"},
      {-123.5f, " -123,5"},
      {0.0f, "      0,0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToCommaStrAligned(6, 1, c.x), c.out) << c.x;
}

TEST(Zahlenausgabe, RoundDecimalsHalvesToEven) {
  const struct { std::uint8_t dec; double x, out; } cases[] = {
      {0, 0.5, 0}, {0, 1.5, 2}, {0, 2.5, 2}, {0, -2.5, -2}, {0, 3.5, 4},
      {1, 0.25, 0.2}, {2, 0.125, 0.12}, {3, 1234.5678, 1234.568}, {4, 1.23456, 1.2346},
      {2, -7.0, -7.0}, {1, -0.25, -0.2},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundDecimals(c.dec, c.x), c.out) << int(c.dec) << " " << c.x;
  EXPECT_DOUBLE_EQ(RoundDecimals(255, 1.5), 1.5);  // a factor beyond double range keeps X
}

TEST(Zahlenausgabe, StepModuleCount) {
  const struct { bool up; float value, module; int n; } cases[] = {
      {true, 4.0f, 2.0f, 3},   {false, 4.0f, 2.0f, 1},  // on a multiple
      {true, 5.0f, 2.0f, 3},   {false, 5.0f, 2.0f, 2},  // between multiples
      {false, 3.99f, 2.0f, 1}, {true, 3.99f, 2.0f, 3},  // just below a multiple
      {false, 4.05f, 2.0f, 1},                           // just above
      {false, 2.0f, 2.0f, 1},                            // never below one module
      {false, 0.5f, 2.0f, 1},  {true, 0.0f, 2.0f, 1},   {true, -5.0f, 2.0f, 1},
      {true, 2.51f, 2.51f, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepModuleCount(c.up, c.value, c.module), c.n)
        << (c.up ? "up " : "down ") << c.value << " / " << c.module;
  for (float bad : {0.0f, -1.0f, std::nanf("")})
    EXPECT_THROW(StepModuleCount(true, 4.0f, bad), ERangeViolation) << bad;
}

// Collector areas stepped by whole modules: an entry without a module area (below 0.01 m²,
// or no number) steps 1 m² a module; the count stays within 1..MaxCount.
TEST(Zahlenausgabe, StepModuleArea) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float modul, eins;
  } modul[] = {{0.0f, 1.0f}, {0.009f, 1.0f}, {-2.0f, 1.0f}, {std::nanf(""), 1.0f}, {inf, 1.0f},
               {0.01f, 0.01f}, {1.9f, 1.9f}};
  for (const auto& m : modul) EXPECT_FLOAT_EQ(ModulFlaecheOderEins(m.modul), m.eins) << m.modul;

  const struct {
    bool up;
    float value, module;
    std::uint16_t max, n;
    float area;
  } cases[] = {
      {true, 5.0f, 0.0f, 65535, 6, 6.0f},   {false, 5.0f, 0.0f, 65535, 4, 4.0f},
      {true, 5.5f, 0.0f, 65535, 6, 6.0f},   {false, 5.5f, 0.0f, 65535, 5, 5.0f},
      {false, 1.0f, 0.0f, 65535, 1, 1.0f},  {true, 5.0f, std::nanf(""), 65535, 6, 6.0f},
      {true, 3.8f, 1.9f, 65535, 3, 5.7f},   {false, 3.8f, 1.9f, 65535, 1, 1.9f},
      {true, 5.0f, 1.9f, 65535, 3, 5.7f},   {false, 5.0f, 1.9f, 65535, 2, 3.8f},
      {true, 10.0f, 2.0f, 5, 5, 10.0f},     {true, 10.0f, 0.0f, 0, 1, 1.0f},
  };
  for (const auto& c : cases) {
    const TModulSchritt s = StepModuleArea(c.up, c.value, c.module, c.max);
    EXPECT_EQ(s.Anzahl, c.n) << (c.up ? "up " : "down ") << c.value << " / " << c.module;
    EXPECT_FLOAT_EQ(s.Flaeche, c.area) << (c.up ? "up " : "down ") << c.value << " / " << c.module;
  }
}

// ---------------------------------------------------------------------------------------
// Text helpers

TEST(Text, TrimBlanks) {
  const struct { const char* in; const char* lead; const char* trail; } cases[] = {
      {"  ab", "ab", "  ab"}, {"ab  ", "ab  ", "ab"}, {" ", "", ""},
      {"   ", "", ""},        {"", "", ""},           {" a ", "a ", " a"},
  };
  for (const auto& c : cases) {
    std::string l = c.in, t = c.in;
    TrimLeadingBlanks(l);
    TrimTrailingBlanks(t);
    EXPECT_EQ(l, c.lead) << '"' << c.in << '"';
    EXPECT_EQ(t, c.trail) << '"' << c.in << '"';
  }
}

TEST(Text, KeyToUmlaut) {
  EXPECT_EQ(KeyToUmlaut(186), U'\u00DC');
  EXPECT_EQ(KeyToUmlaut(192), U'\u00D6');
  EXPECT_EQ(KeyToUmlaut(219), U'\u00DF');
  EXPECT_EQ(KeyToUmlaut(222), U'\u00C4');
  EXPECT_EQ(KeyToUmlaut(65), U'A');
  EXPECT_EQ(KeyToUmlaut(0x141), U'A');  // the low byte
  EXPECT_EQ(KeyToUmlaut(0x80), U'\u20AC');  // as a Windows-1252 character
}

TEST(Text, MakeUniqueNameCountsOn) {
  std::string s = "Kollektor";
  const char* expected[] = {"Kollektor (2)", "Kollektor (3)", "Kollektor (4)", "Kollektor (5)",
                            "Kollektor (6)", "Kollektor (7)", "Kollektor (8)", "Kollektor (9)",
                            "Kollektor X(1)", "Kollektor X(2)"};
  for (const char* e : expected) {
    MakeUniqueName(s);
    EXPECT_EQ(s, e);
  }
  const struct { const char* in; const char* out; } cases[] = {
      {"Ort (0)", "Ort (1)"}, {"A(5)", "A(6)"},    {"X(9)", "XX(1)"},
      {"(x)", "(x) (2)"},     {"", " (2)"},        {"Ort (10)", "Ort (10) (2)"},
  };
  for (const auto& c : cases) {
    std::string n = c.in;
    MakeUniqueName(n);
    EXPECT_EQ(n, c.out) << c.in;
  }
  // A caller that loops until the name is new never meets a name twice.
  std::set<std::string> seen;
  std::string n = "Profil (0)";
  for (int i = 0; i < 100; ++i) {
    MakeUniqueName(n);
    EXPECT_TRUE(seen.insert(n).second) << n;
  }
}

TEST(Text, ShortenWithEllipsisFitsFortyCharacters) {
  std::string s = "Profil";
  ShortenWithEllipsis(s);
  EXPECT_EQ(s, "Profil (neu)");
  const std::string name34(34, 'a');
  s = name34;
  ShortenWithEllipsis(s);
  EXPECT_EQ(s, name34 + " (neu)");
  s = std::string(35, 'b');
  ShortenWithEllipsis(s);
  EXPECT_EQ(s, std::string(31, 'b') + "... (neu)");
  EXPECT_EQ(s.size(), 40u);
  s = "\u00C4" + std::string(40, 'c');  // characters, not bytes
  ShortenWithEllipsis(s, "new");
  EXPECT_EQ(s, "\u00C4" + std::string(30, 'c') + "... (new)");
  EXPECT_EQ(Utf8Length(s), 40u);
}

TEST(Text, ComparisonAndReplacement) {
  EXPECT_TRUE(StrGreaterText("b", "A"));
  EXPECT_FALSE(StrGreaterText("a", "B"));
  EXPECT_FALSE(StrGreaterText("abc", "ABC"));
  EXPECT_TRUE(StrGreaterText("\u00E4pfel", "Zebra"));
  EXPECT_EQ(UpperCaseText("stra\u00DFe \u00E4rger \u0142\u00F3d\u017A"),
            "STRA\u00DFE \u00C4RGER \u0141\u00D3D\u0179");
  EXPECT_EQ(RemoveAmpersands("&Datei && Ende"), "Datei  Ende");
  EXPECT_EQ(StripChars("a-b/c", "-/"), "abc");
  EXPECT_EQ(StripChars("xyz", "abcdefghijklz"), "xyz");  // only the first 12 characters count
  EXPECT_EQ(StripChars("Gr\u00F6\u00DFe", "\u00F6"), "Gr\u00DFe");
  EXPECT_EQ(ReplaceAll("a.b.c", ".", ","), "a,b,c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceHashMark("# Tage, # Stunden", "5"), "5 Tage, # Stunden");
  EXPECT_EQ(ReplaceHashMark("ohne", "5"), "ohne");
  EXPECT_EQ(PipeToLineBreaks("a|b|"), "a\r\nb\r\n");
  EXPECT_TRUE(NameTailInText("VK Sonne", "Die Sonne scheint"));
  EXPECT_FALSE(NameTailInText("VK Mond", "Die Sonne scheint"));
  EXPECT_FALSE(NameTailInText("VK", "VK"));
  EXPECT_TRUE(HasVKPrefix("VK 20", true));
  EXPECT_FALSE(HasVKPrefix("Flach", true));
  EXPECT_TRUE(HasVKPrefix("Flach", false));
  EXPECT_FALSE(HasVKPrefix("vk 20", true));
}

TEST(Text, NextTabFieldAndPadding) {
  std::string line = "  a \tb\t c ";
  std::string field;
  const char* fields[] = {"a", "b", "c", ""};
  for (const char* f : fields) {
    NextTabField(line, field);
    EXPECT_EQ(field, f);
  }
  EXPECT_EQ(line, "");
  EXPECT_EQ(PadLeftNbsp("7", 3), "\u00A0\u00A07");
  EXPECT_EQ(PadLeftNbsp("lang", 2), "lang");
  EXPECT_EQ(PadLeftNbsp("\u00E4", 2), "\u00A0\u00E4");
}

TEST(Text, SplitTextTwoLines) {
  const struct { const char* in; const char* first; const char* second; } cases[] = {
      {"Kollektor Fl\u00E4che gesamt", "Kollektor", "Fl\u00E4che gesamt"},  // split lands on a blank
      {"Jahres Energie Bilanz", "Jahres Energie", "Bilanz"},                 // moves on to the blank
      {"Warmwasser-Speicher", "Warmwasser-", "Speicher"},                    // or past a hyphen
      {"Sonnenkollektor", "Sonnenkollekto", "r"},                             // no place to break
      {"ab", "a", "b"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitTextTwoLines(c.in, 1), c.first) << c.in;
    EXPECT_EQ(SplitTextTwoLines(c.in, 2), c.second) << c.in;
  }
}

TEST(Text, ReplaceUmlautsByCharacter) {
  const struct { const char* in; const char* out; } cases[] = {
      {"Gr\u00FC\u00DFe aus K\u00F6ln", "Gruesse aus Koeln"},
      {"\u00C4\u00D6\u00DC\u00E4\u00F6\u00FC", "AeOeUeaeoeue"},
      {"Caf\u00E9", "Cafe"},
      {"Wroc\u0142aw B\u0105d\u017A", "Wroclaw Bad\u017A"},
      {"Berlin", "Berlin"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceUmlauts(c.in), c.out) << c.in;
}

TEST(Text, FindClosestString) {
  const std::vector<std::string> list = {"R\u00F6hrenkollektor", "Flachkollektor", "Flachkollektor 2"};
  EXPECT_EQ(FindClosestString("Flachkolektor", list), "Flachkollektor");
  EXPECT_EQ(FindClosestString("ab", {"ax", "ay"}), "ax");  // the first of equals
  EXPECT_EQ(FindClosestString("ab", {}), "");
}

TEST(Text, Utf8RoundTripAndBadBytes) {
  const std::string s = "Gr\u00FC\u00DFe \u0142 \u20AC \U0001D11E";
  EXPECT_EQ(CodePointsToUtf8(Utf8ToCodePoints(s)), s);
  EXPECT_EQ(Utf8Length(s), 11u);
  // A stray single-byte character still counts as one character.
  EXPECT_EQ(Utf8ToCodePoints("a\xFC" "b"), U"a\u00FCb");
  EXPECT_EQ(Utf8ToCodePoints("\xC3"), U"\u00C3");  // cut sequence
  EXPECT_EQ(StringDistance("M\xFCller", "Muller"), 16);
}

// ---------------------------------------------------------------------------------------
// Sorting

TEST(Sortieren, SortListByText) {
  std::vector<std::string> list = {"b", "A", "c", "a"};
  SortListByText(list, 4, 'S');
  EXPECT_EQ(list, (std::vector<std::string>{"A", "a", "b", "c"}));
  SortListByText(list, 4, 'F');
  EXPECT_EQ(list, (std::vector<std::string>{"c", "b", "A", "a"}));
  list = {"z", "y", "b", "a"};
  SortListByText(list, 2, 'S');  // only the first Count items
  EXPECT_EQ(list, (std::vector<std::string>{"y", "z", "b", "a"}));
  SortListByText(list, 4, 'X');  // any other letter leaves the list alone
  EXPECT_EQ(list, (std::vector<std::string>{"y", "z", "b", "a"}));
  SortListByText(list, 1000, 'S');  // a count beyond the list is harmless
  EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "y", "z"}));
}

TEST(Sortieren, SortListByValueMovesKeysAlong) {
  std::vector<std::string> list = {"a", "b", "c"};
  std::vector<float> keys = {2, 1, 3};
  SortListByValue(list, keys, 'S');
  EXPECT_EQ(list, (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(keys, (std::vector<float>{1, 2, 3}));
  SortListByValue(list, keys, 'F');
  EXPECT_EQ(list, (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(keys, (std::vector<float>{3, 2, 1}));
  // More items than keys: the items without a key stay where they are.
  list = {"a", "b", "c", "d"};
  keys = {5, 1};
  SortListByValue(list, keys, 'S');
  EXPECT_EQ(list, (std::vector<std::string>{"b", "a", "c", "d"}));
}

// ---------------------------------------------------------------------------------------
// Day schedules

TEST(Tagesplan, DecodeEncode) {
  TViertelstunden q;
  DecodeDaySchedule(std::string(24, 'O'), q);
  for (int i = 1; i <= 96; ++i) EXPECT_TRUE(q[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(EncodeDaySchedule(q), std::string(24, 'O'));

  for (const std::string& bad : {std::string(23, 'O'), std::string(25, 'O'),
                                  std::string(5, 'O') + "P" + std::string(18, 'O'),  // 16
                                  std::string(23, 'O') + "?", std::string(23, 'O') + "a"}) {
    q.fill(true);
    DecodeDaySchedule(bad, q);
    for (int i = 0; i <= 96; ++i) ASSERT_FALSE(q[static_cast<std::size_t>(i)]) << bad << " " << i;
  }

  // "H" = 8: only the first quarter of the hour; "A" = 1: only the last.
  DecodeDaySchedule("HA" + std::string(22, '@'), q);
  const bool first[] = {true, false, false, false, false, false, false, true};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(q[i + 1], first[i]) << i + 1;
  const std::string pattern = "@ABCDEFGHIJKLMNO@EJOHA@O";
  DecodeDaySchedule(pattern, q);
  EXPECT_EQ(EncodeDaySchedule(q), pattern);
}

// ---------------------------------------------------------------------------------------
// Dates

TEST(Datum, DotStringsAndDayOfYear) {
  EXPECT_EQ(DateToDotStr(5, 3, -1), "05.03");
  EXPECT_EQ(DateToDotStr(5, 3, 2024), "05.03.2024");
  EXPECT_EQ(DateToDotStr(1, 1, 800), "01.01.0800");
  EXPECT_EQ(DateTimeToDotStr(EncodeDate(1996, 12, 30) + 0.99), "30.12.1996");
  EXPECT_EQ(TimeToLongStr(EncodeTime(7, 5, 9)), "07:05:09");
  EXPECT_TRUE(IsLeapYearOf(EncodeDate(2024, 7, 1)));
  EXPECT_FALSE(IsLeapYearOf(EncodeDate(1900, 7, 1)));
  EXPECT_EQ(DayOfYearOf(EncodeDate(2024, 12, 31)), 366);
  EXPECT_EQ(DayOfYearOf(EncodeDate(2023, 3, 1)), 60);
  EXPECT_EQ(DateFromDayOfYear(60, 2024), EncodeDate(2024, 2, 29));
  EXPECT_EQ(DateFromDayOfYear(1, 1996), EncodeDate(1996, 1, 1));
  std::int32_t y = 0, m = 0, d = 0;
  DecodeDate(Today(), y, m, d);
  EXPECT_EQ(DateFromDayOfYear(1), EncodeDate(y, 1, 1));
}

TEST(Datum, StrToDateChecked) {
  EXPECT_EQ(StrToDateChecked("5.3.2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateChecked(" 05.03.2024 "), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateChecked("29.02.2024"), EncodeDate(2024, 2, 29));
  std::int32_t y = 0, m = 0, d = 0;
  DecodeDate(Today(), y, m, d);
  EXPECT_EQ(StrToDateChecked("21.03."), EncodeDate(y, 3, 21));  // no year: this year

  const char* bad[] = {"31.02.2024", "29.02.2023", "32.1.2024", "1.13.2024", "0.1.2024",
                       "12",         "12..2024",   ".3.2024",   "a.3.2024",  "5.3.20x4",
                       "2,5.3.2024", "",           "5.3.2024.1"};
  for (const char* s : bad) {
    try {
      StrToDateChecked(s);
      ADD_FAILURE() << '"' << s << "\" accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string(s) + " ist kein gültiges Datum");
    }
  }
}

TEST(Datum, StrToTimeChecked) {
  EXPECT_DOUBLE_EQ(StrToTimeChecked("12:00"), 0.5);
  EXPECT_DOUBLE_EQ(StrToTimeChecked(" 7:30:15"), EncodeTime(7, 30, 15));
  EXPECT_DOUBLE_EQ(StrToTimeChecked("23:45"), EncodeTime(23, 45, 0));
  for (const char* s : {"24:00", "12", "ab:cd", "12:60", "", "-1:00", "1:2:3:4"})
    EXPECT_THROW(StrToTimeChecked(s), EConvertError) << s;
}

// Nonsense from a file or a form gives some value or a clear error, never undefined behaviour.
TEST(Robustheit, ExtremeInputsStayDefined) {
  EXPECT_EQ(FloatToPointStr(1, INT32_MAX, 1e308).size(), 309u + 1u + 255u);
  EXPECT_EQ(FloatToPointStr(INT32_MAX, 0, 1.0).size(), 1000u);
  EXPECT_EQ(FloatToPointStr(INT32_MIN, -5, 2.0), "2");
  EXPECT_EQ(FloatToCommaStr(3, 0, std::nanf("")), "NAN");
  EXPECT_EQ(StepModuleCount(true, 1e30f, 1e-30f), 65535);
  EXPECT_EQ(StepModuleCount(false, std::nanf(""), 2.0f), 1);
  EXPECT_EQ(DateToDotStr(INT32_MIN, 0, INT32_MAX), "-2147483648.00.2147483647");
  EXPECT_THROW(DateFromDayOfYear(1, INT32_MAX), EConvertError);
  EXPECT_THROW(StrToDateChecked("1.1.99999999999"), EConvertError);
  std::int32_t n = INT32_MAX;
  IncInt(n);
  EXPECT_EQ(n, INT32_MAX);
  std::string name(1000, 'x');
  MakeUniqueName(name);
  SplitTextTwoLines(name, 1);
}

}  // namespace
}  // namespace tav
