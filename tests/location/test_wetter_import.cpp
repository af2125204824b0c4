// Imports of outside weather files as new locations: monthly files and hourly files, built
// here from the format description.

#include <gtest/gtest.h>

#include "location/Wetter.h"
#include "catalogues/test_orte_hilfen.h"

namespace tav::test {
namespace {

struct MonatsDatei {
  std::string name = "\"Teststadt\"";
  std::string kopf = "48.0,-7.9,269,";
  std::string monat[13];  // [1..12]
  MonatsDatei() {
    for (int m = 1; m <= 12; ++m)
      monat[m] = std::to_string(m) + "\t" + std::to_string(30 + m) + "\t0\t0\t" +
                 std::to_string(m - 3) + ".5\t99\t";
  }
  std::string Text() const {
    std::string t = "Meteonorm\r\nVersion 4\r\n\r\n" + name + "\r\n" + kopf + "\r\nx\r\ny\r\nz\r\n";
    for (int m = 1; m <= 12; ++m) t += monat[m] + "\r\n";
    return t;
  }
};

struct StundenDatei {
  std::string name = "\"Teststadt GM\"";
  std::string kopf = "48.0,7.9,269,-1";
  std::string spalten = "hy\tG_Gh\tTa";
  std::vector<std::string> stunden;
  StundenDatei() {
    for (int m = 1; m <= 12; ++m)
      for (int h = 0; h < MonatsTage[m] * 24; ++h)
        stunden.push_back(std::to_string(stunden.size() + 1) + "\t100\t" + std::to_string(m));
  }
  std::string Text() const {
    std::string t = name + "\n" + kopf + "\nfrei\n" + spalten + "\n";
    for (const auto& z : stunden) t += z + "\n";
    return t;
  }
};

class WetterImport : public ::testing::Test {
 protected:
  OrteFixture f;
  std::string orteVorher;
  void SetUp() override {
    f.s().plant.Standort = "Freiburg";
    ReadOrte(f.s(), f.env);
    f.msgs->shown.clear();
    orteVorher = f.dir.Read("Orte.dat");
  }
  std::string Datei(const std::string& text) {
    f.dir.Write("import.txt", text);
    return (f.dir / "import.txt").string();
  }
  const TOrt& Neu() const { return f.state->cat.Orte[f.state->cat.OrtAnzahl]; }
  void ErwarteUnveraendert() {
    EXPECT_EQ(f.s().cat.OrtAnzahl, 6);
    EXPECT_EQ(f.dir.Read("Orte.dat"), orteVorher);
  }
};

TEST_F(WetterImport, MonthlyFileAddsALocation) {
  ASSERT_TRUE(ReadMeteoDatei(f.s(), Datei(MonatsDatei().Text()), f.status)) << f.msgs->All();
  ASSERT_EQ(f.s().cat.OrtAnzahl, 7);
  EXPECT_EQ(f.s().plant.OrtNr, 7);
  const TOrt& o = Neu();
  EXPECT_EQ(o.Name, "Teststadt");
  EXPECT_FLOAT_EQ(o.GeoBreite, 48.0f);
  EXPECT_FLOAT_EQ(o.GeoLaenge, 7.9f);  // west-positive in the file
  EXPECT_EQ(o.Hoehe, 269);
  EXPECT_EQ(o.Zeitzone, 1);
  EXPECT_EQ(o.Land, "");
  EXPECT_EQ(o.PLZ, "");
  EXPECT_EQ(o.wsTempZone, 6);
  EXPECT_DOUBLE_EQ(o.Einstrahlung[1], 1.0);    // 31 kWh/m² in 31 days
  EXPECT_DOUBLE_EQ(o.Einstrahlung[2], 1.14);   // 32 / 28 as written
  EXPECT_DOUBLE_EQ(o.LuftTemp[1], -2.5);
  EXPECT_DOUBLE_EQ(o.LuftTemp[12], 9.5);
  EXPECT_NE(f.dir.Read("Orte.dat").find("[Ort 7]\r\nName=Teststadt\r\n"), std::string::npos);
}

TEST_F(WetterImport, MonthlyFileEastLongitude) {
  MonatsDatei d;
  d.kopf = "48.0,7.9,269,";
  ASSERT_TRUE(ReadMeteoDatei(f.s(), Datei(d.Text()), f.status));
  EXPECT_FLOAT_EQ(Neu().GeoLaenge, -7.9f);
  EXPECT_EQ(Neu().Zeitzone, -1);
}

TEST_F(WetterImport, MonthlyHeaderWithDecimalCommasAndBlanksIsReadAsWritten) {
  for (const char* kopf : {"48,5, -7,9, 269,", "48.5, -7.9, 269,", "48.5,-7.9,269,"}) {
    SCOPED_TRACE(kopf);
    MonatsDatei d;
    d.kopf = kopf;
    ASSERT_TRUE(ReadMeteoDatei(f.s(), Datei(d.Text()), f.status)) << f.msgs->All();
    EXPECT_FLOAT_EQ(Neu().GeoBreite, 48.5f);
    EXPECT_FLOAT_EQ(Neu().GeoLaenge, 7.9f);
    EXPECT_EQ(Neu().Hoehe, 269);
  }
}

TEST_F(WetterImport, BadMonthlyFilesChangeNothing) {
  const struct {
    const char* fall;
    void (*aendern)(MonatsDatei&);
    const char* meldung;
  } faelle[] = {
      {"no comma after the altitude", [](MonatsDatei& d) { d.kopf = "48.0,-7.9,269"; }, "Fehler in"},
      {"latitude south", [](MonatsDatei& d) { d.kopf = "-33.9,-18.4,10,"; }, "Fehler in"},
      {"altitude 0", [](MonatsDatei& d) { d.kopf = "48.0,-7.9,0,"; }, "Fehler in"},
      {"month line without tab", [](MonatsDatei& d) { d.monat[5] = "5 150 0 0 12.5"; }, "Fehler in"},
      {"no tab after the temperature",
       [](MonatsDatei& d) { d.monat[7] = "7\t150\t0\t0\t12.5"; }, "Fehler in"},
      {"temperature not a number", [](MonatsDatei& d) { d.monat[3] = "3\t90\t0\t0\tx\t"; },
       "String enthält keine Zahl"},
      {"blank inside the temperature", [](MonatsDatei& d) { d.monat[3] = "3\t90\t0\t0\t1 2,5\t"; },
       "String enthält keine Zahl"},
      {"empty name", [](MonatsDatei& d) { d.name = "\"  \""; }, "Fehler in"},
      // Decimal commas without blanks cannot be told from the separators: refused, never
      // read as latitude 48, longitude 5, altitude 7.
      {"decimal commas without blanks", [](MonatsDatei& d) { d.kopf = "48,5,7,9,269,"; }, "Kopfzeile"},
      {"text after the altitude", [](MonatsDatei& d) { d.kopf = "48.0,-7.9,269,x"; }, "Kopfzeile"},
      {"a blank inside a number", [](MonatsDatei& d) { d.kopf = "48.0, -7 9, 269,"; }, "Fehler in"},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    f.msgs->shown.clear();
    MonatsDatei d;
    c.aendern(d);
    EXPECT_FALSE(ReadMeteoDatei(f.s(), Datei(d.Text()), f.status));
    EXPECT_TRUE(f.msgs->Contains(c.meldung)) << f.msgs->All();
    ErwarteUnveraendert();
  }
  f.msgs->shown.clear();
  EXPECT_FALSE(ReadMeteoDatei(f.s(), (f.dir / "fehlt.txt").string(), f.status));
  EXPECT_TRUE(f.msgs->Contains("fehlt.txt nicht gefunden")) << f.msgs->All();
  ErwarteUnveraendert();
}

TEST_F(WetterImport, FullListRefusesBothImports) {
  for (int n = 7; n <= kMaxOrte; ++n) f.s().cat.Orte[n] = BeispielOrt("Voll " + std::to_string(n));
  f.s().cat.OrtAnzahl = kMaxOrte;
  EXPECT_FALSE(ReadMeteoDatei(f.s(), Datei(MonatsDatei().Text()), f.status));
  EXPECT_FALSE(ReadMN5Datei(f.s(), Datei(StundenDatei().Text()), f.status));
  EXPECT_EQ(f.s().cat.OrtAnzahl, kMaxOrte);
  ASSERT_EQ(f.msgs->shown.size(), 2u);
  // The message names the catalogue that is full and its limit.
  for (const auto& m : f.msgs->shown)
    EXPECT_NE(m.text.find("Zuviele Einträge in " + f.orteDatei() + " (höchstens 600 Einträge)"),
              std::string::npos)
        << m.text;
  EXPECT_EQ(f.dir.Read("Orte.dat"), orteVorher);
}

TEST_F(WetterImport, HourlyFileAddsALocation) {
  ASSERT_TRUE(ReadMN5Datei(f.s(), Datei(StundenDatei().Text()), f.status)) << f.msgs->All();
  ASSERT_EQ(f.s().cat.OrtAnzahl, 7);
  EXPECT_EQ(f.s().plant.OrtNr, 7);
  const TOrt& o = Neu();
  EXPECT_EQ(o.Name, "Teststadt");
  EXPECT_EQ(o.Land, "D");
  EXPECT_FLOAT_EQ(o.GeoBreite, 48.0f);
  EXPECT_FLOAT_EQ(o.GeoLaenge, 7.9f);
  EXPECT_EQ(o.Hoehe, 269);
  EXPECT_EQ(o.Zeitzone, 1);  // short comma form: west positive
  for (int m = 1; m <= 12; ++m) {
    EXPECT_DOUBLE_EQ(o.Einstrahlung[m], 2.4) << m;
    EXPECT_DOUBLE_EQ(o.LuftTemp[m], m) << m;
  }
  EXPECT_NE(f.dir.Read("Orte.dat").find("[Ort 7]\r\nName=Teststadt\r\nLand=D\r\n"),
            std::string::npos);
}

TEST_F(WetterImport, HourlyFileVariants) {
  const struct {
    const char* fall;
    void (*aendern)(StundenDatei&);
    bool ok;
    const char* meldung;
  } faelle[] = {
      {"8763 lines", [](StundenDatei& d) { d.stunden.pop_back(); }, false, " (Header)"},
      {"8765 lines", [](StundenDatei& d) { d.stunden.push_back(""); }, false, " (Header)"},
      {"other header", [](StundenDatei& d) { d.spalten = "hy\tG_Gh\tTa\tFF"; }, false, " (Header)"},
      {"header in brackets", [](StundenDatei& d) { d.spalten = "<hy>\t<G_Gh>\t< Ta >"; }, true, ""},
      {"irradiance 1200", [](StundenDatei& d) { d.stunden[4000] = "1\t1200\t5"; }, true, ""},
      {"irradiance 1201", [](StundenDatei& d) { d.stunden[4000] = "1\t1201\t5"; }, false,
       "Datenzeile '1\t1201\t5' nicht plausibel"},
      {"temperature -40", [](StundenDatei& d) { d.stunden[10] = "1\t0\t-40"; }, true, ""},
      {"temperature -41", [](StundenDatei& d) { d.stunden[10] = "1\t0\t-41"; }, false,
       "Datenzeile '1\t0\t-41' nicht plausibel"},
      {"a fourth field", [](StundenDatei& d) { d.stunden[10] = "1\t0\t5\t7"; }, false,
       "nicht plausibel"},
      {"blank inside the temperature", [](StundenDatei& d) { d.stunden[10] = "1\t0\t1 5"; }, false,
       "nicht plausibel"},
      {"latitude 23.9", [](StundenDatei& d) { d.kopf = "23.9,7.9,269,-1"; }, false,
       "Problem beim Import von"},
      {"long blank-separated line", [](StundenDatei& d) { d.kopf = "48,000    7,900     269     -1"; },
       true, ""},
      {"decimal commas without blanks", [](StundenDatei& d) { d.kopf = "48,5,7,9,269,-1"; }, false,
       "Kopfdaten des Standorts passen nicht"},
      {"five numbers", [](StundenDatei& d) { d.kopf = "48.0,7.9,269,-1,5"; }, false,
       "Kopfdaten des Standorts passen nicht"},
      {"a blank inside a number", [](StundenDatei& d) { d.kopf = "48,0 7 9 269 -1"; }, false,
       "Kopfdaten des Standorts passen nicht"},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    f.msgs->shown.clear();
    StundenDatei d;
    c.aendern(d);
    const std::string datei = Datei(d.Text());
    EXPECT_EQ(ReadMN5Datei(f.s(), datei, f.status), c.ok) << f.msgs->All();
    if (c.ok) {
      EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
      // Take it back for the next case.
      f.s().cat.OrtAnzahl = 6;
      f.dir.Write("Orte.dat", orteVorher);
      f.s().cat.DateiStaende.clear();  // as if read again: the file is no other program's change
      continue;
    }
    EXPECT_TRUE(f.msgs->Contains(c.meldung)) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(datei)) << f.msgs->All();
    ErwarteUnveraendert();
  }
}

// The coordinates line comes in two forms, and the form alone says how the time zone counts:
// separated by commas it is west positive (reversed on import), separated by blanks east
// positive. The length of the line says nothing: a comma line with more digits and a short
// blank line keep the sign of their form.
TEST_F(WetterImport, HourlyHeaderForms) {
  const struct {
    const char* fall;
    const char* kopf;
    float breite, laenge;
    int zeitzone;
  } faelle[] = {
      {"comma form, short", "48.0,7.9,269,-1", 48.0f, 7.9f, 1},
      {"comma form, long", "48.012345,-7.845678,250,-1", 48.0f, -7.8f, 1},  // stored to 0.1°
      {"blank form, long", "48,000    7,900     269     -1", 48.0f, 7.9f, -1},
      {"blank form, short", "48,5 7,9 269 -1", 48.5f, 7.9f, -1},
      {"commas with blanks behind them", "48,5, 7,9, 269, 1", 48.5f, 7.9f, -1},
      {"blanks around the line", "  48.0,-3.7,269,1  ", 48.0f, -3.7f, -1},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    StundenDatei d;
    d.kopf = c.kopf;
    ASSERT_TRUE(ReadMN5Datei(f.s(), Datei(d.Text()), f.status)) << f.msgs->All();
    EXPECT_FLOAT_EQ(Neu().GeoBreite, c.breite);
    EXPECT_FLOAT_EQ(Neu().GeoLaenge, c.laenge);
    EXPECT_EQ(Neu().Zeitzone, c.zeitzone);
  }
  // Some numbers separated by commas, others by blanks only: no form, so no sign either.
  f.msgs->shown.clear();
  const auto anzahl = f.s().cat.OrtAnzahl;
  StundenDatei d;
  d.kopf = "48.0, 7.9 269 -1";
  EXPECT_FALSE(ReadMN5Datei(f.s(), Datei(d.Text()), f.status));
  EXPECT_TRUE(f.msgs->Contains("Kopfdaten des Standorts passen nicht: \"48.0, 7.9 269 -1\"")) << f.msgs->All();
  EXPECT_EQ(f.s().cat.OrtAnzahl, anzahl);
}

TEST_F(WetterImport, HourlyCountryCodes) {
  const struct {
    const char* zeile;
    const char* name;
    const char* land;
  } faelle[] = {
      {"\"Berlin GM\"", "Berlin", "D"},  {"\"Wien AU\"", "Wien", "A"},
      {"\"Paris FR\"", "Paris", "F"},    {"\"Roma IT\"", "Roma", "I"},
      {"\"Madrid SP\"", "Madrid", "E"},  {"\"Bern XX\"", "Bern", "XX"},
      {"\"Oslo\"", "Oslo", ""},          {"\"\"", "48.0,7.9,269,-1", ""},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeile);
    StundenDatei d;
    d.name = c.zeile;
    ASSERT_TRUE(ReadMN5Datei(f.s(), Datei(d.Text()), f.status)) << f.msgs->All();
    EXPECT_EQ(Neu().Name, c.name);
    EXPECT_EQ(Neu().Land, c.land);
  }
}

TEST_F(WetterImport, RepeatedImportsGetDistinctNames) {
  const std::string datei = Datei(MonatsDatei().Text());
  for (const char* erwartet : {"Teststadt", "Teststadt (Meteo)", "Teststadt (Meteo) (Meteo)"}) {
    ASSERT_TRUE(ReadMeteoDatei(f.s(), datei, f.status));
    EXPECT_EQ(Neu().Name, erwartet);
  }
}

TEST_F(WetterImport, UniqueNamesAlsoWhereTheSimpleRuleRepeatsItself) {
  TavState& s = f.s();
  const std::string lang(40, 'L');
  const std::string lang32 = lang.substr(0, 32) + " (Meteo)";
  s.cat.Orte[7] = BeispielOrt("X (Meteo)");
  s.cat.Orte[8] = BeispielOrt("X");
  s.cat.Orte[9] = BeispielOrt(lang);
  s.cat.OrtAnzahl = 9;
  EXPECT_EQ(UniqueMeteoName(s, "Neu"), "Neu");
  // The list order does not matter: "X (Meteo)" is taken already.
  EXPECT_EQ(UniqueMeteoName(s, "X"), "X (Meteo) (Meteo)");
  EXPECT_EQ(UniqueMeteoName(s, lang), lang32);
  s.cat.Orte[++s.cat.OrtAnzahl] = BeispielOrt(lang32);
  // Cutting would give the same name again; a counted suffix keeps it distinct.
  const std::string dritter = UniqueMeteoName(s, lang);
  EXPECT_EQ(dritter, lang.substr(0, 32) + " (Meteo 2)");
  s.cat.Orte[++s.cat.OrtAnzahl] = BeispielOrt(dritter);
  EXPECT_EQ(UniqueMeteoName(s, lang), lang.substr(0, 32) + " (Meteo 3)");
}

}  // namespace
}  // namespace tav::test
