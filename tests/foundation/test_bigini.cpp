// The INI-file class: file layout, look-up rules, typed values, flushing and its failures.

#include <gtest/gtest.h>
#include <clocale>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "foundation/BigIni.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::TempDir;

Lines Image(const TBigIniFile& ini) {
  Lines out;
  ini.SaveToStrings(out);
  return out;
}

// A memory-only object holding the given file lines.
void Load(TBigIniFile& ini, const Lines& lines) { ini.LoadFromStrings(lines); }

// ----- file layout -------------------------------------------------------------------------

// What the class writes it reads back identically: umlauts in the code page, CR LF, comments,
// lines without "=", and the order of sections and lines.
TEST(BigIni, RoundTripKeepsContentOrderAndLineEnds) {
  TempDir dir;
  const fs::path file = dir / "Orte.dat";
  {
    TBigIniFile ini(file.string());
    ini.WriteString("Ort 2", "Name", "Würzburg");
    ini.WriteString("Ort 1", "Name", "Görlitz = Zgorzelec");
    ini.WriteFloat("Ort 2", "Breite", 49.79);
    ini.WriteInteger("Ort 1", "PLZ", 2826);
    ASSERT_TRUE(ini.UpdateFile()) << ini.LastError();
    EXPECT_FALSE(ini.Modified());
  }
  const std::string written =
      "[Ort 2]\r\nName=W\xFCrzburg\r\nBreite=49,79\r\n\r\n"
      "[Ort 1]\r\nName=G\xF6rlitz = Zgorzelec\r\nPLZ=2826\r\n\r\n";
  EXPECT_EQ(dir.Read("Orte.dat"), written);

  // A hand-edited file: LF line ends, comments, a line without "=", lines before the first
  // section, blank lines. One change rewrites it in the class's own layout.
  dir.Write("Koll.dat",
            "vorweg=weg\n\n[Kollektor 1]\n; Kommentar\nName=Solar \xC4 plus\nohne Gleichheitszeichen\n"
            "Eta0=0,8\n\n\n[Kollektor 2]\nName=Zwei\n\x1A\n");
  {
    TBigIniFile ini((dir / "Koll.dat").string());
    EXPECT_EQ(ini.ReadString("Kollektor 1", "Name", "?"), "Solar Ä plus");
    ini.WriteString("Kollektor 1", "Eta0", "0,81");
  }
  EXPECT_EQ(dir.Read("Koll.dat"),
            "[Kollektor 1]\r\n; Kommentar\r\nName=Solar \xC4 plus\r\nohne Gleichheitszeichen\r\nEta0=0,81\r\n\r\n"
            "[Kollektor 2]\r\nName=Zwei\r\n\r\n");

  // Reading the written file again gives the same image, and rewriting it changes no byte.
  TBigIniFile again(file.string());
  EXPECT_EQ(Image(again), (Lines{"[Ort 2]", "Name=Würzburg", "Breite=49,79", "", "[Ort 1]",
                                  "Name=Görlitz = Zgorzelec", "PLZ=2826", ""}));
  again.WriteString("Ort 2", "x", "1");
  again.DeleteKey("Ort 2", "x");
  ASSERT_TRUE(again.UpdateFile());
  EXPECT_EQ(dir.Read("Orte.dat"), written);
}

TEST(BigIni, EncodingIsKeptAsRead) {
  TempDir dir;
  struct Case {
    const char* name;
    CodePage cp;
    std::string bytes;  // one section, key "T"
    std::string text;   // value of T as read
  };
  const Case cases[] = {
      {"deutsch.dat", CodePage::Cp1252, "[Tavrel]\r\nT=\xC4rger\r\n\r\n", "Ärger"},
      {"polski.dat", CodePage::Cp1250, "[Tavrel]\r\nT=\xB3\xB9ka\r\n\r\n", "łąka"},
      {"bom.dat", CodePage::Cp1252, "\xEF\xBB\xBF[Tavrel]\r\nT=\xC3\xA4\xE2\x82\xAC\r\n\r\n", "ä€"},
      {"utf8.dat", CodePage::Cp1252, "[Tavrel]\r\nT=\xC5\x82\r\n\r\n", "ł"},
  };
  for (const auto& c : cases) {
    dir.Write(c.name, c.bytes);
    {
      TBigIniFile ini((dir / c.name).string(), c.cp);
      EXPECT_EQ(ini.ReadString("Tavrel", "T", ""), c.text) << c.name;
      ini.WriteString("Tavrel", "X", "1");
      ini.DeleteKey("Tavrel", "X");
    }
    EXPECT_EQ(dir.Read(c.name), c.bytes) << c.name << " is written back in the encoding read";
  }
}

// A character the file's code page lacks is reported and the file left as it was, never
// stored as "?"; code-page bytes that would read back as UTF-8 are refused the same way.
TEST(BigIni, TextTheEncodingCannotHoldIsRefused) {
  TempDir dir;
  test::ScopedMessages messages;
  const std::string alt = "[A]\r\nk=\xC4lt\r\n\r\n";  // "Ält": evidently code page 1252
  dir.Write("alt.ini", alt);
  const struct {
    const char* value;
    const char* meldung;
  } cases[] = {
      {"Łódź", "\"Ł\", \"ź\""},
      {"Ã¤", "als UTF-8"},  // bytes C3 A4: the next read would see "ä"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    messages->shown.clear();
    {
      TBigIniFile ini((dir / "alt.ini").string());
      ini.WriteString("A", "k", c.value);
      EXPECT_FALSE(ini.FlushFile());
      EXPECT_NE(ini.LastError().find(c.meldung), std::string::npos) << ini.LastError();
      EXPECT_NE(ini.LastError().find("alt.ini"), std::string::npos) << ini.LastError();
    }  // the destructor reports the failure once more
    EXPECT_EQ(dir.Read("alt.ini"), alt);
    EXPECT_TRUE(messages->Contains(c.meldung)) << messages->All();
  }
  // A new file, or one of plain ASCII, shows no encoding yet: what code page 1252 cannot hold
  // is written as UTF-8 with byte-order mark, and stays so.
  dir.Write("ascii.ini", "[A]\r\nk=alt\r\n\r\n");
  for (const char* name : {"neu.ini", "ascii.ini"}) {
    SCOPED_TRACE(name);
    for (const char* wert : {"Łódź", "Łódź ä"}) {
      TBigIniFile ini((dir / name).string());
      EXPECT_TRUE(ini.WriteString("A", "k", wert));
      EXPECT_TRUE(ini.FlushFile()) << ini.LastError();
      EXPECT_EQ(ini.Encoding(), TextEncoding::Utf8Bom);
    }
    EXPECT_EQ(dir.Read(name).rfind("\xEF\xBB\xBF" + std::string("[A]\r\nk=Łódź ä\r\n"), 0), 0u);
  }
  // A UTF-8 file takes any character and keeps it over two rewrites.
  dir.Write("utf8.ini", "[A]\r\nk=\xC3\xA4\r\n\r\n");
  for (const char* wert : {"Łódź", "Łódź ąę 漢"}) {
    TBigIniFile ini((dir / "utf8.ini").string());
    ini.WriteString("A", "k", wert);
  }
  TBigIniFile ini((dir / "utf8.ini").string());
  EXPECT_EQ(ini.ReadString("A", "k", ""), "Łódź ąę 漢");
  EXPECT_EQ(ini.Encoding(), TextEncoding::Utf8);
}

TEST(BigIni, SectionLines) {
  TBigIniFile ini;
  Load(ini, {"[A] ", "a=1", "[B]x", "[ C ]\t", "c=3", "[", "[]", "e=5", "[D]]", "d=4", "\x1A"});
  Lines names;
  ini.ReadSections(names);
  EXPECT_EQ(names, (Lines{"A", " C ", "", "D]"}));
  Lines a;
  ini.ReadSectionValues("A", a);
  EXPECT_EQ(a, (Lines{"a=1", "[B]x"})) << "text after the bracket makes it a key line";
  EXPECT_EQ(ini.ReadString(" c ", "c", ""), "3") << "the name is not trimmed";
  EXPECT_EQ(ini.ReadString("C", "c", "-"), "-");
  EXPECT_EQ(ini.ReadString("", "e", ""), "5");
  Lines d;
  ini.ReadSectionValues("D]", d);
  EXPECT_EQ(d, (Lines{"d=4", "\x1A"})) << "the end-of-file mark only counts in files";
}

TEST(BigIni, KeyRules) {
  TBigIniFile ini;
  Load(ini, {"[S]", "Name =mit Blank", "Wert= 12", "Formel=a=b+c", "=ohne Name", "; Kommentar",
             "nur Text", "NAME=zweiter", "leer="});
  struct Case {
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"Name", "zweiter"},     // "Name " does not match "Name"; the later "NAME" does
      {"Name ", "mit Blank"},  // the blank belongs to the key
      {"wert", " 12"},         // case-insensitive key; value untrimmed
      {"Formel", "a=b+c"},     // further "=" belong to the value
      {"leer", ""},
      {"nur Text", "<d>"},     // lines without "=" never match
      {"; Kommentar", "<d>"},
      {"", "ohne Name"},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.ReadString("s", c.key, "<d>"), c.value) << "[" << c.key << "]";

  Lines keys;
  ini.ReadSection("S", keys);
  EXPECT_EQ(keys, (Lines{"Name ", "Wert", "Formel", "NAME", "leer"}));
  EXPECT_TRUE(ini.ValueExists("S", "formel"));
  EXPECT_FALSE(ini.ValueExists("S", "nur Text"));
  EXPECT_FALSE(ini.ValueExists("S", ""));  // "=ohne Name" has a value but no key
  EXPECT_FALSE(ini.ValueExists("T", "Name"));
}

// Two sections with the same name: look-ups see the first; the second is kept, reported and
// reachable by index, and written back rather than silently dropped.
TEST(BigIni, DuplicateSectionsFirstWinsNothingLost) {
  TempDir dir;
  dir.Write("Orte.dat", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n\r\n[a]\r\nx=9\r\nz=3\r\n\r\n");
  TBigIniFile ini((dir / "Orte.dat").string());
  EXPECT_FALSE(ini.Modified());
  Lines names;
  ini.ReadSections(names);
  EXPECT_EQ(names, (Lines{"A", "B"}));
  EXPECT_TRUE(ini.HasDuplicates());
  EXPECT_EQ(ini.DuplicateSectionNames(), Lines{"A"});

  // Whichever section was used last, "a" finds the first occurrence.
  EXPECT_EQ(ini.ReadString("B", "y", ""), "2");
  EXPECT_EQ(ini.ReadString("a", "x", ""), "1");
  EXPECT_EQ(ini.ReadString("A", "z", "-"), "-");
  ASSERT_EQ(ini.SectionCount(), 3);
  EXPECT_TRUE(ini.IsDuplicateAt(2));
  EXPECT_EQ(ini.SectionNameAt(2), "a");
  EXPECT_EQ(ini.ReadStringAt(2, "X", ""), "9");
  EXPECT_EQ(ini.ReadStringAt(2, "Z", ""), "3");

  ini.WriteString("A", "x", "5");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(dir.Read("Orte.dat"), "[A]\r\nx=5\r\n\r\n[B]\r\ny=2\r\n\r\n[a]\r\nx=9\r\nz=3\r\n\r\n");

  // Erasing the name removes every occurrence; dropping the duplicates is explicit.
  TBigIniFile copy;
  Load(copy, Image(ini));
  EXPECT_TRUE(copy.EraseDuplicates());
  EXPECT_TRUE(copy.Modified());
  EXPECT_FALSE(copy.HasDuplicates());
  EXPECT_EQ(Image(copy), (Lines{"[A]", "x=5", "", "[B]", "y=2", ""}));
  ini.EraseSection("a");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_EQ(Image(ini), (Lines{"[B]", "y=2", ""}));
}

TEST(BigIni, WriteStringRules) {
  TBigIniFile ini;
  Load(ini, {"[S]", "Key=1", "; c", "[T]", "t=1"});
  struct Case {
    const char* section;
    const char* ident;
    const char* value;
    bool accepted;
  };
  const Case cases[] = {
      {"S", "", "x", false},       // an empty key never erases the section
      {"S", "a=b", "x", false},    // would read back as another key
      {"S", "[U]", "", false},     // would read back as a section
      {"S", "a\nb", "x", false},
      {"S\r\nU", "a", "x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.WriteString(c.section, c.ident, c.value), c.accepted) << c.ident;
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(Image(ini), (Lines{"[S]", "Key=1", "; c", "", "[T]", "t=1", ""}));

  EXPECT_TRUE(ini.WriteString("s", "KEY", "1"));  // new letters of the key replace the old
  EXPECT_TRUE(ini.WriteString("S", "neu", "zwei\r\nZeilen\nund\rmehr"));
  EXPECT_TRUE(ini.WriteString("U", "u", "1"));  // new sections go last, new keys after the last line
  // Line ends become blanks; a lone CR is kept, as the reader keeps it inside a line.
  EXPECT_EQ(Image(ini), (Lines{"[S]", "KEY=1", "; c", "neu=zwei Zeilen und\rmehr", "", "[T]", "t=1", "", "[U]",
                                "u=1", ""}));
}

TEST(BigIni, ModifiedOnlyWhenTheContentChanges) {
  TBigIniFile ini;
  Load(ini, {"[S]", "a=1", "b=2"});
  struct Step {
    const char* what;
    void (*run)(TBigIniFile&);
    bool modified;
  };
  const Step steps[] = {
      {"same value", [](TBigIniFile& i) { i.WriteString("S", "a", "1"); }, false},
      {"same value, other key case is a change", [](TBigIniFile& i) { i.WriteString("s", "A", "1"); }, true},
      {"same integer", [](TBigIniFile& i) { i.WriteInteger("S", "b", 2); }, false},
      {"same bool", [](TBigIniFile& i) { i.WriteBool("S", "a", true); }, true},  // "A=1" -> "a=1"
      {"missing key", [](TBigIniFile& i) { i.DeleteKey("S", "zz"); }, false},
      {"missing section", [](TBigIniFile& i) { i.DeleteKey("Neu", "zz"); }, false},
      {"missing section erase", [](TBigIniFile& i) { i.EraseSection("Nirgends"); }, false},
      {"existing key", [](TBigIniFile& i) { i.DeleteKey("S", "B"); }, true},
      {"existing section", [](TBigIniFile& i) { i.EraseSection("neu"); }, true},
      {"new value", [](TBigIniFile& i) { i.WriteFloat("S", "a", 1.5); }, true},
  };
  for (const auto& s : steps) {
    ASSERT_TRUE(ini.FlushFile());  // memory only: just clears Modified
    s.run(ini);
    EXPECT_EQ(ini.Modified(), s.modified) << s.what;
  }
}

TEST(BigIni, DeleteKeyCreatesTheSectionAndEmptySectionsAreNotWritten) {
  TempDir dir;
  dir.Write("p.dat", "[Projekt 1]\r\nName=x\r\n\r\n[Projekt 2]\r\nName=y\r\n\r\n");
  {
    TBigIniFile ini((dir / "p.dat").string());
    EXPECT_FALSE(ini.SectionExists("Projekt 3"));
    ini.DeleteKey("Projekt 3", "Name");
    EXPECT_TRUE(ini.SectionExists("Projekt 3"));
    EXPECT_FALSE(ini.Modified());
    ini.DeleteKey("Projekt 1", "name");
  }
  EXPECT_EQ(dir.Read("p.dat"), "[Projekt 2]\r\nName=y\r\n\r\n");
}

// ----- typed values ------------------------------------------------------------------------

// Whole numbers take blanks and tabs around them as the decimal numbers below do.
TEST(BigIni, ReadIntegerAndBool) {
  struct Case {
    const char* text;
    std::int32_t expected;  // with Default -7
  };
  const Case cases[] = {
      {"0x1F", 31},         {"0X1F", 31},        {"$1F", 31},         {"$1f", 31},
      {"x1F", 31},          {" 12", 12},         {"12 ", 12},         {"1,5", -7},
      {" 12\t", 12},        {" 0x1F ", 31},      {"1 2", -7},
      {"", -7},             {"abc", -7},         {"+7", 7},           {"-12", -12},
      {"-$1F", -31},        {" -0x10", -16},     {"0x", -7},          {"$", -7},
      {"-", -7},            {"2147483647", 2147483647},               {"2147483648", -7},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},     {"-2147483649", -7},
      {"99999999999999999999", -7},             {"$7FFFFFFF", 2147483647},
      {"$FFFFFFFF", -1},    {"$100000000", -7},  {"\t5", 5},           {"1E3", -7},
  };
  TBigIniFile ini;
  for (const auto& c : cases) {
    ini.WriteString("S", "k", c.text);
    EXPECT_EQ(ini.ReadInteger("S", "k", -7), c.expected) << "\"" << c.text << "\"";
  }
  EXPECT_EQ(ini.ReadInteger("S", "fehlt", -7), -7);

  struct BoolCase {
    const char* text;
    bool withTrue, withFalse;  // results for Default true / false
  };
  const BoolCase bools[] = {
      {"1", true, true}, {"0", false, false}, {"-5", true, true}, {"True", true, false}, {"", true, false},
  };
  for (const auto& b : bools) {
    ini.WriteString("S", "b", b.text);
    EXPECT_EQ(ini.ReadBool("S", "b", true), b.withTrue) << b.text;
    EXPECT_EQ(ini.ReadBool("S", "b", false), b.withFalse) << b.text;
  }
  ini.WriteBool("S", "b", true);
  EXPECT_EQ(ini.ReadString("S", "b", ""), "1");
  ini.WriteBool("S", "b", false);
  EXPECT_EQ(ini.ReadString("S", "b", ""), "0");
}

TEST(BigIni, ReadFloatAcceptsCommaAndPointAndNeverThrows) {
  struct Case {
    const char* text;
    double expected;  // with Default -99
  };
  const Case cases[] = {
      {"1,5", 1.5},      {"1.5", 1.5},     {" 2,25 ", 2.25},  {"-0,25", -0.25},  {"+3", 3},
      {",5", 0.5},       {"7,", 7},        {"1E3", 1000},     {"1,5e-3", 0.0015}, {"2.5E+2", 250},
      {"1E999", -99},    {"-1e999", -99},  {"1,5,5", -99},    {"1.000,5", -99},  {"abc", -99},
      {"", -99},         {" ", -99},       {"INF", -99},      {"nan", -99},      {"-", -99},
      {"1e", -99},       {"1 5", -99},     {"0x10", -99},     {"12,5x", -99},
  };
  TBigIniFile ini;
  for (const auto& c : cases) {
    ini.WriteString("S", "f", c.text);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "f", -99), c.expected) << "\"" << c.text << "\"";
  }
}

TEST(BigIni, WriteFloatFormat) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.1f, "0,100000001490116"},   // a Single passed on as Double
      {0.1, "0,1"},
      {1e-6, "1E-6"},
      {1e-5, "0,00001"},
      {1.5e-7, "1,5E-7"},
      {1e20, "1E20"},
      {-2.5e20, "-2,5E20"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {100000000000000.0, "100000000000000"},
      {-0.0, "0"},
      {0.0, "0"},
      {42, "42"},
      {-3, "-3"},
      {-1234.5, "-1234,5"},
      {1.0 / 3.0, "0,333333333333333"},
      {2.0 / 3.0, "0,666666666666667"},
      {0.99999999999999999, "1"},
      {49.79, "49,79"},
  };
  TBigIniFile ini;
  for (const auto& c : cases) {
    ini.WriteFloat("S", "f", c.value);
    EXPECT_EQ(ini.ReadString("S", "f", ""), c.text) << c.value;
  }
  // What is written reads back to 15 significant digits.
  for (double v : {3.14159265358979, -1e-300, 6.02214076e23, 1e-5, 99999.99999, static_cast<double>(0.1f * 3.0f)})
    EXPECT_NEAR(IniStrToFloat(IniFloatToStr(v), 0), v, std::fabs(v) * 1e-14) << v;
}

// Number texts do not depend on the process locale (the GUI sets the user's locale).
TEST(BigIni, NumbersIgnoreTheProcessLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* name : {"C", "de_DE.UTF-8", "de_DE.utf8"}) {
    if (!std::setlocale(LC_ALL, name)) continue;
    EXPECT_EQ(IniFloatToStr(1234.5), "1234,5") << name;
    EXPECT_EQ(IniFloatToStr(1e-7), "1E-7") << name;
    EXPECT_DOUBLE_EQ(IniStrToFloat("1.5", 0), 1.5) << name;
    EXPECT_DOUBLE_EQ(IniStrToFloat("1,5", 0), 1.5) << name;
    EXPECT_EQ(IniStrToInt("1000", 0), 1000) << name;
  }
  std::setlocale(LC_ALL, before.c_str());
}

TEST(BigIni, DatesAndTimes) {
  struct Case {
    TDateTime value;
    const char* dateTime;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {0, "30.12.1899", "30.12.1899", "00:00:00"},
      {2, "01.01.1900", "01.01.1900", "00:00:00"},
      {36526, "01.01.2000", "01.01.2000", "00:00:00"},
      {36526.75, "01.01.2000 18:00:00", "01.01.2000", "18:00:00"},
      {39857 + (13 * 3600 + 5 * 60 + 9) / 86400.0, "13.02.2009 13:05:09", "13.02.2009", "13:05:09"},
      {43890, "29.02.2020", "29.02.2020", "00:00:00"},
      {-1.25, "29.12.1899 06:00:00", "29.12.1899", "06:00:00"},
      {36526.99999999999, "02.01.2000", "02.01.2000", "00:00:00"},  // rounds up to midnight
  };
  TBigIniFile ini;
  for (const auto& c : cases) {
    ini.WriteDateTime("S", "dt", c.value);
    ini.WriteDate("S", "d", c.value);
    ini.WriteTime("S", "t", c.value);
    EXPECT_EQ(ini.ReadString("S", "dt", ""), c.dateTime) << c.value;
    EXPECT_EQ(ini.ReadString("S", "d", ""), c.date) << c.value;
    EXPECT_EQ(ini.ReadString("S", "t", ""), c.time) << c.value;
    const TDateTime back = ini.ReadDateTime("S", "dt", -1e9);
    EXPECT_NEAR(back, std::round(c.value * 86400) / 86400, 1e-9) << c.dateTime;
    EXPECT_NEAR(std::fabs(back - std::trunc(back)), ini.ReadTime("S", "t", -1), 1e-9) << c.time;
  }
  struct Bad {
    const char* text;
  };
  for (const Bad b : {Bad{""}, Bad{"31.02.2020"}, Bad{"29.02.2021"}, Bad{"1.13.2000"}, Bad{"01.01."},
                      Bad{"heute"}, Bad{"01.01.2000 25:00:00"}, Bad{"01.01.2000 12"}, Bad{"01.01.2000x"}}) {
    ini.WriteString("S", "x", b.text);
    EXPECT_EQ(ini.ReadDateTime("S", "x", -5), -5) << b.text;
  }
  ini.WriteString("S", "x", "1.2.09");
  EXPECT_EQ(ini.ReadDate("S", "x", -5), 39845) << "two-digit year";
  ini.WriteString("S", "x", "7:30");
  EXPECT_DOUBLE_EQ(ini.ReadTime("S", "x", -5), 7.5 / 24);
  ini.WriteDateTime("S", "x", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(ini.ReadString("S", "x", "?"), "");
}

TEST(BigIni, BinaryStreams) {
  TBigIniFile ini;
  std::istringstream in(std::string("\x00\x0A\xFF", 3));
  ini.WriteBinaryStream("S", "bin", in);
  EXPECT_EQ(ini.ReadString("S", "bin", ""), "000AFF");

  struct Case {
    const char* text;
    std::string bytes;
  };
  const Case cases[] = {
      {"000AF", std::string("\x00\x0A", 2)},  // a trailing odd character is ignored
      {"0G41", std::string("\x00\x41", 2)},   // an invalid pair is the byte 0
      {"ff", "\xFF"},
      {"", ""},
  };
  for (const auto& c : cases) {
    ini.WriteString("S", "bin", c.text);
    std::ostringstream out;
    EXPECT_EQ(ini.ReadBinaryStream("S", "bin", out), static_cast<std::int32_t>(c.bytes.size())) << c.text;
    EXPECT_EQ(out.str(), c.bytes) << c.text;
  }
}

// ----- flushing --------------------------------------------------------------------------

TEST(BigIni, FilesAreWrittenOnlyWhenModified) {
  TempDir dir;
  {
    TBigIniFile ini((dir / "fehlt.ini").string());
    EXPECT_EQ(ini.ReadString("A", "b", "d"), "d");
    ini.DeleteKey("A", "b");
    ini.WriteString("A", "b", "");
    ini.DeleteKey("A", "b");
    EXPECT_TRUE(ini.Modified());
    ini.EraseSection("A");
  }
  EXPECT_TRUE(fs::exists(dir / "fehlt.ini")) << "written after writes";
  {
    TBigIniFile ini((dir / "nie.ini").string());
    ini.DeleteKey("A", "b");
    ini.ReadInteger("A", "b", 0);
  }
  EXPECT_FALSE(fs::exists(dir / "nie.ini")) << "a missing file with no writes is never created";

  // An unchanged object leaves the file as it is, LF line ends and all.
  dir.Write("lf.ini", "[A]\nb=1\n");
  {
    TBigIniFile ini((dir / "lf.ini").string());
    ini.WriteInteger("A", "b", 1);
  }
  EXPECT_EQ(dir.Read("lf.ini"), "[A]\nb=1\n");
}

TEST(BigIni, EmptyIdentWithEmptySectionAndValueFlushes) {
  TempDir dir;
  TBigIniFile ini((dir / "a.ini").string());
  ini.WriteString("A", "b", "c");
  EXPECT_TRUE(ini.WriteString("", "", ""));
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(dir.Read("a.ini"), "[A]\r\nb=c\r\n\r\n");
}

TEST(BigIni, SetFileNameWritesTheOldFileAndLoadsTheNew) {
  TempDir dir;
  dir.Write("b.ini", "[B]\r\nx=2\r\n");
  TBigIniFile ini((dir / "a.ini").string());
  ini.WriteString("A", "x", "1");
  ASSERT_TRUE(ini.SetFileName((dir / "b.ini").string()));
  EXPECT_EQ(dir.Read("a.ini"), "[A]\r\nx=1\r\n\r\n");
  EXPECT_FALSE(ini.Modified());
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_EQ(ini.ReadString("B", "x", ""), "2");
}

// A rewrite that fails halfway keeps the old file, reports the file, keeps Modified set so a
// later flush can still succeed, and the destructor reports instead of throwing.
TEST(BigIni, FailedFlushKeepsTheOldFileAndStaysModified) {
  TempDir dir;
  const std::string old = "[Projekt 1]\r\nProjektName=Alt\r\n\r\n";
  dir.Write("Projekte.dat", old);
  test::ScopedMessages messages;
  auto ini = std::make_unique<TBigIniFile>((dir / "Projekte.dat").string());
  ini->WriteString("Projekt 1", "Info1", std::string(2000, 'x'));
  {
    test::FileSizeLimit limit(64);
    EXPECT_FALSE(ini->UpdateFile());
    EXPECT_FALSE(ini->SetFileName((dir / "anders.dat").string())) << "the pending changes would be lost";
    EXPECT_EQ(ini->FileName(), (dir / "Projekte.dat").string());
  }
  EXPECT_TRUE(ini->Modified());
  EXPECT_NE(ini->LastError().find("Projekte.dat"), std::string::npos) << ini->LastError();
  EXPECT_EQ(dir.Read("Projekte.dat"), old);
  EXPECT_TRUE(messages->shown.empty()) << "an explicit flush reports to its caller";

  ASSERT_TRUE(ini->UpdateFile()) << "the same object writes once the disk has room";
  EXPECT_EQ(ini->LastError(), "");
  ini->WriteString("Projekt 1", "Info2", std::string(2000, 'y'));
  {
    test::FileSizeLimit limit(64);
    EXPECT_NO_THROW(ini.reset());
  }
  EXPECT_TRUE(messages->Contains("Projekte.dat")) << messages->All();
  EXPECT_EQ(dir.Read("Projekte.dat").find("Info2"), std::string::npos);
  EXPECT_NE(dir.Read("Projekte.dat").find("Info1=xx"), std::string::npos);
}

// A folder, a named pipe (opening it would wait for a writer), a link to a device and a file
// beyond the size bound: refused at once, and never replaced by what the object holds.
TEST(BigIni, AnUnreadableFileIsNeverOverwritten) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    std::function<bool(const fs::path&)> unchanged;
  };
  TempDir dir;
  const Case cases[] = {
      {"folder", [](const fs::path& p) { fs::create_directory(p); },
       [](const fs::path& p) { return fs::is_directory(p); }},
      {"named pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
       [](const fs::path& p) { return fs::is_fifo(p); }},
      {"link to a device", [&dir](const fs::path& p) { dir.DeviceLink(p.filename().string()); },
       [](const fs::path& p) { return fs::is_symlink(fs::symlink_status(p)) && fs::is_character_file(p); }},
      {"too large",
       [](const fs::path& p) {
         { std::ofstream(p) << "[A]\r\n"; }
         fs::resize_file(p, kMaxIniBytes + 1);
       },
       [](const fs::path& p) { return fs::file_size(p) == kMaxIniBytes + 1; }},
  };
  for (const Case& c : cases) {
    const fs::path file = dir / (std::string(c.what) + ".dat");
    c.make(file);
    test::ScopedMessages messages;
    {
      TBigIniFile ini(file.string());
      EXPECT_NE(ini.LoadError().find(file.string()), std::string::npos) << c.what;
      Lines names;
      ini.ReadSections(names);
      EXPECT_TRUE(names.empty()) << c.what;
      ini.WriteString("A", "b", "c");
      EXPECT_FALSE(ini.UpdateFile()) << c.what;
      EXPECT_TRUE(ini.Modified()) << c.what;
    }
    EXPECT_TRUE(c.unchanged(file)) << c.what;
    EXPECT_EQ(messages->shown.size(), 1u) << c.what << ": " << messages->All();
  }
}

// Empty lines cost nothing: a file of nothing but line ends up to the bound loads without a
// section, one beyond it is refused before it is read.
TEST(BigIni, FilesOfLineEndsLoadOrAreRefused) {
  TempDir dir;
  const fs::path gross = dir / "Zeilen.dat";
  const std::string block(1 << 20, '\n');
  {
    std::ofstream out(gross, std::ios::binary);
    for (int mb = 0; mb < 100; ++mb) out << block;
  }
  TBigIniFile abgelehnt;
  abgelehnt.LoadFile(gross.string());
  EXPECT_NE(abgelehnt.LoadError().find("16 MB"), std::string::npos) << abgelehnt.LoadError();
  EXPECT_EQ(abgelehnt.SectionCount(), 0);

  fs::resize_file(gross, 30u << 20);
  TBigIniFile ini;
  ini.LoadFile(gross.string(), kMaxKatalogBytes);
  EXPECT_EQ(ini.LoadError(), "");
  EXPECT_EQ(ini.SectionCount(), 0);
  ini.LoadFromText(std::string(1000, '\n') + "[A]\r\n\r\n\nb=c\r\n\n\n");
  ASSERT_EQ(ini.SectionCount(), 1);
  EXPECT_EQ(ini.SectionLinesAt(0), Lines{"b=c"});
}

#if defined(__SANITIZE_ADDRESS__)
#define TAV_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAV_TEST_ASAN 1
#endif
#endif

// Running out of memory while a file is taken in is that file's failure with its message,
// not the program's end; nothing half-read stays behind.
TEST(BigIniDeathTest, RunningOutOfMemoryWhileLoadingIsTheFilesError) {
#ifdef TAV_TEST_ASAN
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#endif
  TempDir dir;
  const fs::path datei = dir / "Projekte.dat";
  {
    // Short lines cost many times their bytes once held line by line.
    std::string block;
    for (int i = 0; i < (1 << 18); ++i) block += "a=b\n";
    std::ofstream out(datei, std::ios::binary);
    out << "[A]\n";
    for (int mb = 0; mb < 24; ++mb) out << block;
  }
  const fs::path riesig = dir / "riesig.dat";
  { std::ofstream(riesig) << "x"; }
  fs::resize_file(riesig, std::uintmax_t{1} << 32);
  EXPECT_EXIT(
      {
        long seiten = 0;
        std::ifstream("/proc/self/statm") >> seiten;
        rlimit lim{};
        ::getrlimit(RLIMIT_AS, &lim);
        lim.rlim_cur = static_cast<rlim_t>(seiten) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (96u << 20);
        ::setrlimit(RLIMIT_AS, &lim);
        TBigIniFile ini;
        ini.LoadFile(datei.string(), kMaxKatalogBytes);
        std::string bytes;
        std::string error;
        const bool gelesen = ReadWholeFile(riesig, bytes, &error, std::uintmax_t{1} << 40);
        const bool richtig = ini.LoadError().find("nicht genug Arbeitsspeicher") != std::string::npos &&
                             ini.SectionCount() == 0 && !gelesen &&
                             error.find("nicht genug Arbeitsspeicher") != std::string::npos;
        std::_Exit(richtig ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tav
