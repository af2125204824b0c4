// The report builders of the results window over plant types and options: columns, tab
// stops, headers, year rows, emphasis spans and the fractions without divisor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "foundation/TextTable.h"
#include "results/DruckBilanz.h"
#include "results/PrintCharts.h"
#include "results/PrintSelection.h"
#include "results/ResultCharts.h"
#include "results/ResultReports.h"
#include "support/ScriptedMessages.h"

namespace tav {
namespace {

int Tabs(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\t')); }

// Results of a plant with plausible months: 100..1200 kWh yield, demand 300 kWh.
std::unique_ptr<TavState> Welt(int typ, bool heizung, bool pool) {
  auto g = std::make_unique<TavState>();
  auto& p = g->plant;
  p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
  p.SolHeizung = heizung;
  p.Pool = pool;
  p.PoolVol = 50.0f;
  p.KollektorFlaecheGesamt = 10.0f;
  p.KollektorFlaeche = 10.0f;
  p.WWMonatsfaktor.fill(100.0f);
  p.Heizwaermebedarf = 10'000'000.0f;
  p.konvKWhinEinheit = 10.0f;
  p.konvCO2inEinheit = 2.7f;
  p.konvEinheit = "Liter";
  auto& r = g->results;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    r.SolarertragMonat[i] = 100'000.0f * m;
    r.BrennstoffMonat[i] = 120'000.0f * m;
    r.WWBedarfMonat[i] = 280'000.0f;
    r.VerlustMonat[i] = 20'000.0f;
    r.KollEinstrahlungMonat[i] = 250'000.0f * m;
    r.NachheizungMonat[i] = 50'000.0f;
    r.SolHeizenMonat[i] = heizung ? 10'000.0f * m : 0.0f;
    r.PoolWaermeMonat[i] = pool ? 5'000.0f * m : 0.0f;
    r.HeizanteilMonat[i] = 1.0f / 12.0f;
  }
  r.HeizanteilMonat[13] = 1.0f;
  for (auto* a : {&r.SolarertragMonat, &r.BrennstoffMonat, &r.KollEinstrahlungMonat}) (*a)[13] = 99e9f;  // stale year slot
  return g;
}

const TReportLine& Zeile(const TReport& r, const std::string& anfang, int n = 0) {
  for (const auto& l : r.Lines)
    if (l.Text.rfind(anfang, 0) == 0 && n-- == 0) return l;
  static TReportLine leer;
  ADD_FAILURE() << "no line " << anfang;
  return leer;
}

TEST(Energiebilanz, ColumnsAndTabStopsByPlantTypeAndFactors) {
  struct Fall {
    int typ;
    bool heizung, faktoren;
    int tabs;     // stops in the table
    int spalten;  // tabs in a month row
  } faelle[] = {
      {1, false, false, 5, 5}, {1, false, true, 6, 6}, {6, true, false, 7, 7},
      {6, true, true, 8, 8},   {2, true, false, 7, 6}, {2, false, false, 5, 5},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << "type " << f.typ << " heating " << f.heizung << " factors " << f.faktoren);
    auto g = Welt(f.typ, f.heizung, false);
    if (f.faktoren) g->plant.WWMonatsfaktor[3] = 80.0f;
    TReport r;
    ReportEnergiebilanz(r, *g, false);
    const auto& jan = Zeile(r, "Januar:");
    EXPECT_EQ(static_cast<int>(jan.Tabs.size()), f.tabs);
    EXPECT_EQ(Tabs(jan.Text), f.spalten);
    // The header's unit line has a cell per column.
    EXPECT_EQ(Tabs(Zeile(r, "\t  [kWh]").Text), f.spalten);
  }
}

// The one "Deckungsrate" heading spans the hot-water and heating fraction columns: its line
// has no stop between them, so the next heading sits over the efficiency column however long
// the heading is in a language ("Solar fraction" once pushed "Effi-" over the heating column).
TEST(Energiebilanz, SpanningFractionHeadingLeavesTheNextHeadingOverItsColumn) {
  for (bool faktoren : {false, true}) {
    for (bool copy : {false, true}) {
      SCOPED_TRACE(testing::Message() << "factors " << faktoren << " copy " << copy);
      auto g = Welt(6, true, false);
      if (faktoren) g->plant.WWMonatsfaktor[3] = 80.0f;
      TReport r;
      ReportEnergiebilanz(r, *g, copy);
      const auto& kopf = Zeile(r, "Monat");
      const auto& zweite = r.Lines[static_cast<std::size_t>(&kopf - r.Lines.data()) + 1];
      std::vector<int> ohneHeizung = zweite.Tabs;
      ohneHeizung.erase(ohneHeizung.end() - 2);  // the heating fraction's stop
      EXPECT_EQ(kopf.Tabs, ohneHeizung);
      EXPECT_EQ(Tabs(kopf.Text), static_cast<int>(kopf.Tabs.size()));
      EXPECT_EQ(Tabs(zweite.Text), static_cast<int>(zweite.Tabs.size()));
      EXPECT_EQ(Zeile(r, "Januar:").Tabs, zweite.Tabs);
    }
  }
}

TEST(Energiebilanz, HeaderEmphasisYearRowAndSpans) {
  auto g = Welt(1, false, false);
  TReport r;
  ReportEnergiebilanz(r, *g, false);
  EXPECT_EQ(Zeile(r, "Monat").BoldTexts().front(), Zeile(r, "Monat").Text);
  EXPECT_TRUE(Zeile(r, "\t  [kWh]").Underlined());
  EXPECT_NE(Zeile(r, "\t  [kWh]").Text.find("[%]    "), std::string::npos);
  // Year row = sum of the months (7800 kWh), whatever slot 13 held; its yield is bold.
  const auto& jahr = Zeile(r, "Summe:");
  ASSERT_EQ(jahr.BoldTexts().size(), 1u);
  EXPECT_EQ(jahr.BoldTexts()[0], "    7800");
  EXPECT_FALSE(jahr.Underlined());
  EXPECT_TRUE(Zeile(r, "Dezember:").Underlined());
  EXPECT_EQ(Zeile(r, "Dezember:").BoldTexts()[0], "    1200");
  // The specific yield: 7800 kWh on 10 m², bold.
  const auto& spez = Zeile(r, "Spezifischer Kollektor-Jahresertrag");
  EXPECT_EQ(spez.Text, "Spezifischer Kollektor-Jahresertrag:   780 kWh/m²");
  EXPECT_EQ(spez.BoldTexts()[0], "  780 kWh/m²");
}

TEST(Energiebilanz, PrintFormWidensStopsAndAddsTheFootnote) {
  auto g = Welt(6, true, false);
  TReport screen, copy;
  ReportEnergiebilanz(screen, *g, false);
  ReportEnergiebilanz(copy, *g, true);
  EXPECT_EQ(Zeile(copy, "Januar:").Tabs, (std::vector<int>{72, 126, 175, 232, 290, 348, 396}));
  EXPECT_EQ(screen.PlainText().find("*: "), std::string::npos);
  EXPECT_NE(copy.PlainText().find("*: Teil des Solarertrags"), std::string::npos);
  // Total fraction with its decimal point: 7800 / (3600 + 10000) kWh.
  EXPECT_NE(screen.PlainText().find("Gesamtdeckungsrate für Warmwasser und Heizung:  57.4%"), std::string::npos);
  // A pool replaces the total fraction by the pool heat.
  auto gp = Welt(6, true, true);
  TReport mitPool;
  ReportEnergiebilanz(mitPool, *gp, false);
  EXPECT_EQ(mitPool.PlainText().find("Gesamtdeckungsrate"), std::string::npos);
  EXPECT_NE(mitPool.PlainText().find("Solarwärme für Schwimmbadbeheizung:     390 kWh/Jahr"), std::string::npos);
}

TEST(Energiebilanz, HeatingFractionCappedAndZeroWithoutShare) {
  auto g = Welt(6, true, false);
  g->results.HeizanteilMonat[1] = 0.001f;             // below the threshold
  g->results.SolHeizenMonat[2] = 5'000'000.0f;         // far above the month's demand
  g->plant.Heizwaermebedarf = 0.0f;                    // and a month without demand
  g->results.HeizanteilMonat[3] = 0.5f;
  TReport r;
  ReportEnergiebilanz(r, *g, false);
  auto feld = [&](const char* monat, int spalte) {
    std::string t = Zeile(r, monat).Text;
    for (int i = 0; i < spalte; ++i) t = t.substr(t.find('\t') + 1);
    return t.substr(0, t.find('\t'));
  };
  EXPECT_EQ(feld("Januar:", 6), "      0");
  EXPECT_EQ(feld("März:", 6), "      0");
  g->plant.Heizwaermebedarf = 1'000'000.0f;
  TReport r2;
  ReportEnergiebilanz(r2, *g, false);
  std::string t = Zeile(r2, "Februar:").Text;
  for (int i = 0; i < 6; ++i) t = t.substr(t.find('\t') + 1);
  EXPECT_EQ(t.substr(0, t.find('\t')), "  100");
}

// A month whose hot-water side got more solar heat than its demand (113 % in May, 108 % in
// June) while the auxiliary heater still ran: the table on screen, the printed table and the
// charts on screen and on paper show the fraction as computed, above 100 %. With heating, the
// heating fraction of the same months stays at 100 % (its solar heat exceeds the heating
// demand), and so does the total fraction of the year.
TEST(Energiebilanz, HotWaterFractionAboveItsDemandIsShownAsComputed) {
  for (const bool heizung : {false, true}) {
    SCOPED_TRACE(heizung ? "combi store" : "hot water only");
    auto g = Welt(heizung ? 6 : 1, heizung, false);
    auto& r = g->results;
    const float bedarf = 300'000.0f;  // 280 kWh demand and 20 kWh store loss
    if (heizung) {
      for (int m : {5, 6, 7}) r.SolHeizenMonat[static_cast<std::size_t>(m)] = 2'000'000.0f;  // above 833 kWh
      for (auto& m : r.SolarertragMonat) m += 5'000'000.0f;  // the total fraction of the year above 100 %
    }
    r.SolarertragMonat[5] = 1.13f * bedarf + r.SolHeizenMonat[5];
    r.SolarertragMonat[6] = 1.08f * bedarf + r.SolHeizenMonat[6];
    r.NachheizungMonat[5] = 61'000.0f;
    r.NachheizungMonat[6] = 34'000.0f;
    r.SolarertragMonat[7] = 0.5f * bedarf + r.SolHeizenMonat[7];
    const struct {
      int monat;
      int prozent;
    } faelle[] = {{5, 113}, {6, 108}, {7, 50}};

    TReport bildschirm;
    ReportEnergiebilanz(bildschirm, *g, false);
    const TDruckEnergiebilanz druck = DruckEnergiebilanz(*g);
    const auto balken = DeckungsBalken(r, g->plant);
    const auto druckBalken = DruckDeckungsBalken(r, g->plant);
    // Columns: yield, (solar heating,) irradiation, auxiliary energy, hot-water fraction,
    // (heating fraction).
    const int spalte = heizung ? 4 : 3;
    for (const auto& c : faelle) {
      SCOPED_TRACE(c.monat);
      std::string t = Zeile(bildschirm, Texts().Monatsnamen[static_cast<std::size_t>(c.monat)] + ":").Text;
      for (int i = 0; i <= spalte; ++i) t = t.substr(t.find('\t') + 1);
      EXPECT_EQ(std::stoi(t.substr(0, t.find('\t'))), c.prozent) << t;
      const TDruckZeile& z = druck.Zeilen[static_cast<std::size_t>(2 + c.monat)];
      ASSERT_GT(z.Zellen.size(), static_cast<std::size_t>(spalte + 2));
      EXPECT_EQ(std::stoi(z.Zellen[static_cast<std::size_t>(spalte + 1)].Text), c.prozent);
      if (heizung) {
        t = t.substr(t.find('\t') + 1);
        EXPECT_EQ(std::stoi(t.substr(0, t.find('\t'))), 100) << t;
        EXPECT_EQ(std::stoi(z.Zellen[static_cast<std::size_t>(spalte + 2)].Text), 100);
      }
      int hoehe = -1, druckHoehe = -1;
      for (const auto& b : balken)
        if (b.Monat == c.monat && b.Serie == TBalkenSerie::Warmwasser) hoehe = b.Hoehe;
      for (const auto& b : druckBalken)
        if (b.Monat == c.monat && b.Serie == TBalkenSerie::Warmwasser) druckHoehe = b.Hoehe;
      EXPECT_EQ(hoehe, c.prozent);
      EXPECT_EQ(druckHoehe, c.prozent);
    }
    if (heizung) {
      EXPECT_NE(bildschirm.PlainText().find("Gesamtdeckungsrate für Warmwasser und Heizung: 100.0%"), std::string::npos)
          << bildschirm.PlainText();
      EXPECT_EQ(druck.Summe, T(TX::fsavTWWHz) + ": 100.0%");
      for (const auto& b : balken) {
        if (b.Serie == TBalkenSerie::Gesamt) {
          EXPECT_LE(b.Hoehe, 100) << b.Monat;
        }
      }
    }
  }
}

TEST(Energiebilanz, ZeroDivisorsShowADash) {
  auto g = Welt(6, true, false);
  g->results.WWBedarfMonat.fill(0.0f);
  g->results.VerlustMonat.fill(0.0f);
  g->results.KollEinstrahlungMonat.fill(0.0f);
  g->plant.KollektorFlaecheGesamt = 0.0f;
  g->plant.Heizwaermebedarf = 0.0f;
  TReport r;
  ReportEnergiebilanz(r, *g, false);
  const std::string text = r.PlainText();
  for (const char* schlecht : {"inf", "nan", "NaN", "INF"}) EXPECT_EQ(text.find(schlecht), std::string::npos) << schlecht;
  EXPECT_NE(Zeile(r, "Januar:").Text.find(LeerFeld(4)), std::string::npos);
  EXPECT_NE(text.find("Gesamtdeckungsrate für Warmwasser und Heizung: –"), std::string::npos);
  EXPECT_NE(text.find("Spezifischer Kollektor-Jahresertrag: –"), std::string::npos);
}

TEST(OekoTabelle, ColumnsUnitsAndBoldByCarrier) {
  struct Fall {
    bool heizung;
    float kwh;
    int spalten;
    std::string fett;    // bold text of the January row
    std::string einheit; // unit line
  } faelle[] = {
      {false, 10.0f, 4, "      12", "\t[kWh]\t[kWh]\t[Liter]\t[kg]    "},
      {true, 10.0f, 5, "      12", "\t[kWh]\t[kWh]\t[kWh]\t[Liter]\t[kg]    "},
      {false, 1.0f, 4, "      120", "\t[kWh]\t[kWh]\t              \t[kg]    "},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << "heating " << f.heizung << " kWh/unit " << f.kwh);
    auto g = Welt(1, f.heizung, false);
    g->plant.konvKWhinEinheit = f.kwh;
    g->plant.konvEinheit = "Liter";
    TReport r;
    WriteOekoTabelle(r, *g, false);
    const auto& jan = Zeile(r, "Januar:");
    EXPECT_EQ(Tabs(jan.Text), f.spalten);
    ASSERT_EQ(jan.BoldTexts().size(), 1u);
    EXPECT_EQ(jan.BoldTexts()[0], f.fett);
    EXPECT_EQ(r.Lines[3].Text, f.einheit);
    EXPECT_TRUE(Zeile(r, "Dezember:").Underlined());
  }
}

TEST(OekoTabelle, YearRowIsTheSumAndCopyWidensStops) {
  auto g = Welt(1, false, false);
  TReport r, copy;
  WriteOekoTabelle(r, *g, false);
  EXPECT_EQ(Zeile(r, "Summe:").Text, "Summe:\t    7800\t    9360\t    936\t  2527");
  EXPECT_EQ(Zeile(r, "Summe:").Tabs, (std::vector<int>{65, 130, 185, 245}));
  WriteOekoTabelle(copy, *g, true);
  EXPECT_EQ(Zeile(copy, "Summe:").Tabs, (std::vector<int>{85, 169, 241, 319}));
}

TEST(OekoTabelle, BoldFallsOnTheCarrierEvenWhenTheYieldHasTheSameDigits) {
  auto g = Welt(1, false, false);
  g->results.SolarertragMonat[1] = 100'000.0f;  // yield 100 kWh
  g->results.BrennstoffMonat[1] = 1'000'000.0f; // saving 1000 kWh -> 100 units
  TReport r;
  WriteOekoTabelle(r, *g, false);
  const auto& jan = Zeile(r, "Januar:");
  ASSERT_EQ(jan.Spans.size(), 1u);
  // The span starts at the third cell, not inside the yield.
  EXPECT_EQ(jan.Spans[0].Start, jan.Text.find('\t', jan.Text.find('\t', jan.Text.find('\t') + 1) + 1) + 1);
}

TEST(OekoBilanz, CarrierValuesAndZeroCarrier) {
  auto g = Welt(1, false, false);
  g->results.BrennstoffMonat[1] = 1'000'000.0f;  // 1000 kWh saved
  TReport r;
  ReportOekoBilanz(r, *g, false);
  const auto& jan = Zeile(r, "Januar:");
  EXPECT_NE(jan.Text.find("100,0\t"), std::string::npos);
  EXPECT_NE(jan.Text.find("270,0"), std::string::npos);
  EXPECT_EQ(jan.BoldTexts()[0], "    100,0");
  EXPECT_TRUE(r.Lines[3].Underlined());

  g->plant.konvKWhinEinheit = 0.0f;
  TReport null;
  ReportOekoBilanz(null, *g, false);
  WriteOekoTabelle(null, *g, false);
  for (const char* schlecht : {"inf", "nan"}) EXPECT_EQ(null.PlainText().find(schlecht), std::string::npos);
  EXPECT_EQ(Zeile(null, "Januar:").Text.substr(Zeile(null, "Januar:").Text.size() - 2), "\t\t");
}

TEST(OekoAnlage, PlantTypeTextsAndHeatingLinesFollowSolHeizung) {
  test::ScopedMessages msgs;
  auto g = Welt(8, true, true);
  g->plant.HeizkreisTyp = 2;
  g->plant.LFTkreis = true;
  g->plant.HeizQnorm = 8000.0f;
  TReport r;
  ReportOekoAnlage(r, *g, false);
  EXPECT_EQ(Zeile(r, "Anlagentyp").Text, "Anlagentyp:\tPufferspeicher + FWE (2), Low-Flow, Schwimmbad");
  EXPECT_NE(r.PlainText().find("Solares Heizen"), std::string::npos);
  g->plant.SolHeizung = false;
  ReportOekoAnlage(r, *g, false);
  EXPECT_EQ(r.PlainText().find("Solares Heizen"), std::string::npos);
  EXPECT_EQ(r.PlainText().find("Heizwärmebedarf"), std::string::npos);
  // Unknown type: the message, and the line is still written.
  g->plant.AnlagenTypNr = 0;
  g->plant.Pool = false;
  ReportOekoAnlage(r, *g, true);
  EXPECT_EQ(Zeile(r, "Anlagentyp").Text, "Anlagentyp:\t");
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_TRUE(msgs->Contains("A_Typ unbekannt"));
  EXPECT_EQ(r.Lines[0].Text, "Tavrel 3.0 - Öko-Bilanz");
  EXPECT_EQ(r.Tabs, (std::vector<int>{100, 206, 281, 350}));
}

TEST(Pool, DescriptionDatesAndWarming) {
  auto g = Welt(1, false, true);
  g->plant.PoolStart = 105;
  g->plant.PoolEnde = 258;
  g->results.PoolWaermeMonat[4] = 1'163'000.0f;  // April, 30 days
  TReport r;
  ReportPoolAnlage(r, *g, false);
  EXPECT_EQ(Zeile(r, "Nutzung").Text, "Nutzung  vom:\t15.04  bis   15.09");
  EXPECT_EQ(Zeile(r, "Beckeninhalt").Text, "Beckeninhalt:\t50,0 m³");
  // A season never set up (day 0) shows dashes instead of failing the whole report.
  g->plant.PoolStart = 0;
  TReport ohneSaison;
  ReportPoolAnlage(ohneSaison, *g, false);
  EXPECT_EQ(Zeile(ohneSaison, "Nutzung").Text, "Nutzung  vom:\t\u2013  bis   15.09");
  g->plant.PoolStart = 105;
  ReportPoolBilanz(r, *g, false);
  const auto& apr = Zeile(r, "April:");
  EXPECT_EQ(apr.Text.substr(apr.Text.rfind('\t') + 1), "0,7");
  EXPECT_EQ(apr.BoldTexts()[0], "      1163");
  EXPECT_EQ(Tabs(apr.Text), 3);

  auto h = Welt(6, true, true);
  TReport rh;
  ReportPoolBilanz(rh, *h, false);
  EXPECT_NE(rh.Lines[1].Text.find("Heizung"), std::string::npos);
  EXPECT_EQ(Tabs(Zeile(rh, "April:").Text), 4);
  EXPECT_EQ(Zeile(rh, "April:").Tabs, (std::vector<int>{52, 114, 165, 228, 237, 285}));

  g->plant.PoolVol = 0.0f;
  TReport null;
  ReportPoolBilanz(null, *g, false);
  EXPECT_EQ(null.PlainText().find("inf"), std::string::npos);
  EXPECT_EQ(null.PlainText().find("nan"), std::string::npos);
}

TEST(DruckAuswahl, SelectionTitleAndPageSequence) {
  EXPECT_EQ(DruckSeitenBeimZeigen(0), dsReport);
  EXPECT_TRUE(AllesGewaehlt(DruckSeitenAus(true, true, true)));
  EXPECT_FALSE(AllesGewaehlt(DruckSeitenAus(true, false, true)));
  EXPECT_EQ(DruckTitelZusatz(false, true, true, false, "&Report", "&Solarertrag", "Ök&obilanz"), " - Report/Solarertrag");
  EXPECT_EQ(DruckTitelZusatz(true, true, true, true, "&Report", "&Solarertrag", "Ök&obilanz"), "");
  EXPECT_EQ(DruckTitelZusatz(false, false, false, false, "&Report", "&Solarertrag", "Ök&obilanz"), "");

  const auto oeko = DruckSeitenFolge(dsOekologie, true);
  ASSERT_EQ(oeko.size(), 1u);
  EXPECT_EQ(oeko[0].Nummer, 1);
  EXPECT_FALSE(oeko[0].NeueSeite);
  const auto alles = DruckSeitenFolge(dsReport | dsEnergiebilanz | dsOekologie, true);
  ASSERT_EQ(alles.size(), 4u);
  EXPECT_EQ(alles[0].Teil, TDruckTeilSeite::Report);
  EXPECT_EQ(alles[1].Teil, TDruckTeilSeite::Energie);
  EXPECT_EQ(alles[2].Teil, TDruckTeilSeite::Pool);
  EXPECT_EQ(alles[3].Teil, TDruckTeilSeite::Oeko);
  EXPECT_EQ(alles[3].Nummer, 4);
  EXPECT_TRUE(alles[3].NeueSeite);
  EXPECT_EQ(DruckSeitenFolge(dsEnergiebilanz, false).size(), 1u);
  EXPECT_TRUE(DruckSeitenFolge(0, true).empty());
}

}  // namespace
}  // namespace tav
