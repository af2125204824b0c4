// The results window after a real run on the fixture plants: the pages each plant gets, the
// reports and charts on them, curve navigation, copying, the print selection, the heating
// switch while open, and closing by InvalidateResults. Grabs every page to screens/.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <memory>

#include "foundation/Sums.h"
#include "foundation/TextTable.h"
#include "foundation/ui/HilfeFenster.h"
#include "results/ResultCharts.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultPainter.h"
#include "results/ui/ResultsCommands.h"
#include "simulation/SimRun.h"
#include "support/ScriptedMessages.h"
#include "tests/results/ui/ErgebnisFixture.h"

namespace tav {
namespace {

void Grab(TFormSimErg& f, const QString& seite, const QString& fall) {
  QDir().mkpath(TAV_SCREENS_DIR);
  EXPECT_TRUE(f.grab().save(QStringLiteral(TAV_SCREENS_DIR "/FormSimErg-%1-%2.png").arg(seite, fall)));
}

// Every visible page grabbed, the curves in each view.
void GrabAll(TFormSimErg& f, const QString& fall) {
  const char* namen[] = {"Deckungsanteile", "Schwimmbad", "Oekobilanz", "Diagramm", "Kurven"};
  for (int i = 0; i < f.PageControl1->count(); ++i) {
    if (!f.PageControl1->isTabVisible(i)) continue;
    f.PageControl1->setCurrentIndex(i);
    Grab(f, namen[i], fall);
  }
  f.PageControl1->setCurrentWidget(f.TabSheet4);
  f.SpeedButton4->click();
  f.SpeedButton2->click();
  f.SpeedButton2->click();
  f.SpeedButton2->click();
  f.SpeedButton2->click();
  f.SpeedButton2->click();
  Grab(f, "Kurven-Monat", fall);
  f.SpeedButton4->click();
  Grab(f, "Kurven-Tag", fall);
  f.SpeedButton3->click();
  f.SpeedButton3->click();
}

// Each test starts with a results window of its own: the window keeps the page last shown
// for as long as it lives, and no test may start on what an earlier one left.
class FormSimErgTest : public ::testing::Test {
 protected:
  void SetUp() override { Verwerfen(); }
  void TearDown() override {
    InvalidateResults();
    Verwerfen();
  }
  static void Verwerfen() {
    if (FormSimErgExists()) delete &FormSimErg();
    QApplication::processEvents();
  }
  test::ScopedMessages msgs;
};

TEST_F(FormSimErgTest, HotWaterPlantPagesReportsAndGrabs) {
  Simuliere(Anlage::Warmwasser);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->objectName(), "FormSimErg");
  EXPECT_EQ(f->windowTitle(), "Simulations-Ergebnisse");
  EXPECT_FALSE(f->isModal());
  EXPECT_EQ(f->PageControl1->currentWidget(), f->TabSheet1);
  EXPECT_FALSE(f->PageControl1->isTabVisible(f->PageControl1->indexOf(f->TabSheetPool)));
  EXPECT_FALSE(f->BitBtnPool->isVisible());
  EXPECT_TRUE(f->BitBtnOeko->isVisible());
  // The ecology copy button stands where the pool button would.
  EXPECT_EQ(f->BitBtnOeko->x(), f->BitBtn5->x());
  EXPECT_TRUE(f->BitBtnDruck->isEnabled());  // the stored selection prints the energy balance
  EXPECT_TRUE(f->SpeedButton5->isHidden());  // one simulated year

  const QString bilanz = f->RichEdit1->toPlainText();
  EXPECT_TRUE(bilanz.contains("Spezifischer Kollektor-Jahresertrag:"));
  EXPECT_TRUE(bilanz.contains("Dezember:"));
  EXPECT_FALSE(bilanz.contains("Heizen"));
  EXPECT_TRUE(f->RichEditOeko->toPlainText().contains("Konv. Energie:\tHeizöl"));
  EXPECT_FALSE(f->Image1->pixmap().isNull());
  const QRegularExpression kaputt("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption);
  EXPECT_FALSE(bilanz.contains(kaputt));
  EXPECT_FALSE(f->RichEditOeko->toPlainText().contains(kaputt));
  // The tab stops of the table are the points converted to pixels, widened from the 8-point
  // design to the 10-point screen font.
  const QTextBlock jan = f->RichEdit1->document()->findBlock(bilanz.indexOf("Januar:"));
  ASSERT_EQ(jan.blockFormat().tabPositions().size(), 5);
  EXPECT_NEAR(jan.blockFormat().tabPositions()[0].position, 60 * 1.25 * f->RichEdit1->logicalDpiX() / 72.0, 0.01);
  GrabAll(*f, "warmwasser");
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

TEST_F(FormSimErgTest, CombiPlantWithPoolShowsThePoolPageAndHeating) {
  Simuliere(Anlage::KombiPool);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->PageControl1->isTabVisible(f->PageControl1->indexOf(f->TabSheetPool)));
  EXPECT_TRUE(f->BitBtnPool->isVisible());
  EXPECT_LT(f->BitBtnPool->x(), f->BitBtnOeko->x());
  EXPECT_TRUE(f->RichEditPool->toPlainText().contains("Beckeninhalt:"));
  EXPECT_TRUE(f->RichEditPool->toPlainText().contains("Heizung"));
  EXPECT_TRUE(f->RichEdit1->toPlainText().contains("Solarwärme für Schwimmbadbeheizung:"));
  EXPECT_TRUE(f->RichEditOeko->toPlainText().contains("Solares Heizen"));
  GrabAll(*f, "kombi-pool");
  // F1 opens the help's section on the page in front, also from the window's own buttons.
  const std::string abschnitt[] = {"deckung", "pool", "oeko", "diagramm", "kurven"};
  for (int i = 0; i < f->PageControl1->count(); ++i) {
    f->PageControl1->setCurrentIndex(i);
    EXPECT_EQ(HilfeSeiteFuer(f->BitBtnOeko), "de/ergebnisse.htm#" + abschnitt[i]) << i;
  }
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

TEST_F(FormSimErgTest, CurveNavigationWrapsAndTheYearStaysTheWindowsOwn) {
  Simuliere(Anlage::Warmwasser);
  G().settings.SimJahre = 3;
  G().run.WetterDatensatz = 2;
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Label1->text(), "Jahresverlauf");
  EXPECT_FALSE(f->SpeedButton1->isEnabled());
  f->SpeedButton4->click();
  EXPECT_EQ(f->Label1->text(), "Monatsverlauf");
  EXPECT_TRUE(f->SpeedButton1->isEnabled());
  f->SpeedButton1->click();
  EXPECT_EQ(f->KurvenStand().Monat, 12);
  f->SpeedButton2->click();
  EXPECT_EQ(f->KurvenStand().Monat, 1);
  EXPECT_EQ(f->KurvenStand().Tag, 1);
  f->SpeedButton4->click();
  EXPECT_EQ(f->Label1->text(), "Tagesverlauf");
  f->SpeedButton1->click();
  EXPECT_EQ(f->KurvenStand().Tag, 365);
  EXPECT_EQ(f->KurvenStand().Monat, 12);
  f->SpeedButton2->click();
  EXPECT_EQ(f->KurvenStand().Tag, 1);

  EXPECT_FALSE(f->SpeedButton5->isHidden());
  const char* captions[] = {"&Jahr 3", "&Jahr 1", "&Jahr 2"};
  for (const char* c : captions) {
    f->SpeedButton5->click();
    EXPECT_EQ(f->SpeedButton5->text(), c);
  }
  EXPECT_EQ(G().run.WetterDatensatz, 2);  // the program's weather year is untouched

  // A legend box writes its curve switch.
  f->Legende[0]->click();
  EXPECT_FALSE(G().settings.plotE_Koll);
  f->Legende[0]->click();
  EXPECT_TRUE(G().settings.plotE_Koll);
}

// Two fields: the day view draws the second field's irradiation (its own pen) beside its
// temperature, only with the irradiation switch on.
TEST_F(FormSimErgTest, DayCurvesOfTwoFieldsDrawTheSecondFieldsIrradiation) {
  Simuliere(Anlage::ZweiFelder);
  TKurvenStand st;
  st.Ansicht = TKurvenAnsicht::Tag;
  st.Tag = 172;
  const QColor stift2(218, 18, 18);
  // Pixels in the second field's pen.
  const auto pixelIn = [&](const QColor& farbe) {
    const QImage bild = KurvenBild(G(), st);
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
      for (int x = 0; x < bild.width(); ++x) n += bild.pixelColor(x, y) == farbe;
    return n;
  };
  EXPECT_GT(pixelIn(stift2), 50);
  G().settings.plotE_Koll = false;
  EXPECT_EQ(pixelIn(stift2), 0);
  G().settings.plotE_Koll = true;

  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  f->PageControl1->setCurrentWidget(f->TabSheet4);
  f->SpeedButton4->click();
  f->SpeedButton4->click();
  for (int t = 1; t < 172; ++t) f->SpeedButton2->click();
  ASSERT_EQ(f->KurvenStand().Tag, 172);
  Grab(*f, "Kurven-Tag", "ZweiFelder");
}

TEST_F(FormSimErgTest, PrintSelectionAndTitleTail) {
  Simuliere(Anlage::Warmwasser);
  G().settings.DruckSeiten = 0;
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->CheckBoxReport->isChecked());
  EXPECT_FALSE(f->CheckBox1->isChecked());
  EXPECT_FALSE(f->CheckBoxAlles->isChecked());
  f->CheckBox1->click();
  EXPECT_EQ(f->DruckTitel(), " - Report/Solarertrag");
  f->CheckBox2->click();
  EXPECT_TRUE(f->CheckBoxAlles->isChecked());
  EXPECT_EQ(f->DruckTitel(), "");
  f->CheckBox1->click();
  EXPECT_FALSE(f->CheckBoxAlles->isChecked());
  f->CheckBoxAlles->click();
  EXPECT_TRUE(f->CheckBox1->isChecked());
  f->CheckBox2->click();
  f->ButtonEnde->click();
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(G().settings.DruckSeiten, dsReport | dsEnergiebilanz);
}

TEST_F(FormSimErgTest, CopiesPutRichAndPlainTextOnTheClipboardWithoutChangingTheScreen) {
  Simuliere(Anlage::KombiPool);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  QString status;
  const auto verbindung = QObject::connect(f, &TFormSimErg::statusMessage, [&status](const QString& s) { status = s; });
  const QString vorher = f->RichEditOeko->toPlainText();
  f->BitBtnOeko->click();
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->text().startsWith("Tavrel 3.0 - Öko-Bilanz"));
  EXPECT_TRUE(mime->hasHtml());
  EXPECT_TRUE(mime->data("text/rtf").startsWith("{\\rtf1"));
  EXPECT_TRUE(mime->data("text/rtf").contains("\\tx2000"));  // 1.25 x 80 pt, in twips
  EXPECT_EQ(f->RichEditOeko->toPlainText(), vorher);
  EXPECT_EQ(f->PageControl1->currentWidget(), f->TabSheet2);
  EXPECT_EQ(status, "Tabelle in Zwischenablage übernommen");
  EXPECT_FALSE(G().run.DruckAktiv);

  f->BitBtnPool->click();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Tavrel 3.0 - Bilanz der solaren Schwimmbadbeheizung"));
  f->BitBtn2->click();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("*: Teil des Solarertrags"));
  EXPECT_EQ(status, "Text in Zwischenablage übernommen");
  f->BitBtn4->click();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(kBalkenBildBreite, kBalkenBildHoehe));
  EXPECT_EQ(status, "Grafik in Zwischenablage übernommen");
  QObject::disconnect(verbindung);
}

TEST_F(FormSimErgTest, HeatingTypeWithoutDesignLoadShowsNoHeatingWhileOpen) {
  Simuliere(Anlage::Typ7OhneLast);
  ASSERT_TRUE(G().plant.SolHeizung);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(G().plant.SolHeizung);
  EXPECT_FALSE(f->RichEdit1->toPlainText().contains("Heizen"));
  EXPECT_FALSE(f->RichEditOeko->toPlainText().contains("Solares Heizen"));
  f->close();
  EXPECT_TRUE(G().plant.SolHeizung);
}

TEST_F(FormSimErgTest, InvalidateResultsClosesTheWindowAndNothingOpensWithoutResults) {
  Simuliere(Anlage::Warmwasser);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(ShowSimErg(nullptr), f);  // one instance
  InvalidateResults();
  EXPECT_FALSE(G().run.ErgebnisGueltig);
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(ShowSimErg(nullptr), nullptr);
}

TEST(BalkenBild, PixelProbesOfBarFillsTheGapBelowTheCapAndAFractionAboveHundred) {
  auto g = std::make_unique<TavState>();
  auto& r = g->results;
  for (int m = 1; m <= 13; ++m) {
    const auto i = static_cast<std::size_t>(m);
    // January 130 %, March 113 % (more solar heat than the demand), the others 50 %.
    r.SolarertragMonat[i] = m == 1 ? 1300.0f : m == 3 ? 1130.0f : 500.0f;
    r.WWBedarfMonat[i] = 1000.0f;
    r.KollEinstrahlungMonat[i] = 0.0f;                 // no efficiency bars
  }
  const QImage img = DeckungsBild(*g);
  const QColor fuellung(163, 188, 227), linie(43, 80, 156), grund(244, 244, 244);
  auto ist = [&](int x, int y) { return img.pixelColor(x, y); };
  // Inside February's bar (x 73..97, y 190..290): fill or hatch, nothing else.
  for (int y = 195; y < 285; y += 7) {
    const QColor c = ist(80, y);
    EXPECT_TRUE(c == fuellung || c == linie) << y << " " << c.name().toStdString();
  }
  EXPECT_EQ(ist(80, 150), grund);  // above it
  EXPECT_EQ(ist(60, 51), grund);   // January at the cap: the gap line crosses it
  const QColor unterLuecke = ist(60, 60);
  EXPECT_TRUE(unterLuecke == fuellung || unterLuecke == linie);
  // March's 113 % stands above the 100 % line (y 90): its top at y 290 - 226 = 64.
  for (int y = 68; y < 90; y += 5) {
    const QColor c = ist(110, y);
    EXPECT_TRUE(c == fuellung || c == linie) << y << " " << c.name().toStdString();
  }
  EXPECT_EQ(ist(110, 60), grund);
}

TEST(BalkenBild, PlantType2BarsInTheirFixedColours) {
  auto g = std::make_unique<TavState>();
  g->plant.AnlagenTypNr = 2;
  g->plant.SolHeizung = true;
  auto& r = g->results;
  for (int m = 1; m <= 13; ++m) {
    const auto i = static_cast<std::size_t>(m);
    r.SolarertragMonat[i] = 300.0f + 100.0f * m;  // 40 % .. 160 %
    r.SolHeizenMonat[i] = 100.0f;
    r.WWBedarfMonat[i] = 1000.0f;
    r.KollEinstrahlungMonat[i] = 2000.0f;
  }
  const QImage img = DeckungsBild(*g);
  QDir().mkpath(TAV_SCREENS_DIR);
  img.save(QStringLiteral(TAV_SCREENS_DIR "/FormSimErg-Diagramm-typ2.png"));
  // January: red 40 % (y 245..325) with the purple 30 % over it (y 265..325), left of the
  // efficiency box (x 57..70).
  EXPECT_EQ(img.pixelColor(48, 255), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(48, 300), QColor(0x80, 0, 0x80));
  EXPECT_EQ(img.pixelColor(48, 200), QColor(Qt::white));
  // The year (160 %) stands at 151 %: top at y 23, under the white line above the frame.
  EXPECT_EQ(img.pixelColor(40 + 360 + 5 + 5, 24), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(40 + 360 + 5 + 5, 23), QColor(Qt::white));
}

// The year's label under the bars ends inside the picture, in both charts, also where a
// language gives it a long text; it keeps clear of December's label.
TEST(BalkenBild, YearLabelEndsInsideThePicture) {
  const std::string alt = T(TX::Jahresschnitt);
  for (const std::string& text : {alt, std::string("Durchschnitt des ganzen Jahres")}) {
    Texts().Set(TX::Jahresschnitt, text);
    for (int typ : {1, 2}) {
      auto g = std::make_unique<TavState>();
      g->plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
      const QImage img = DeckungsBild(*g);
      if (text != alt) {
        QDir().mkpath(TAV_SCREENS_DIR);
        img.save(QStringLiteral(TAV_SCREENS_DIR "/FormSimErg-Diagramm-langes-Jahr-%1.png").arg(typ));
      }
      const int y0 = typ == 2 ? 335 : 300;
      int tinte = 0;
      for (int y = y0 - 2; y < y0 + 16; ++y) {
        for (int x = img.width() - 3; x < img.width(); ++x) EXPECT_EQ(img.pixelColor(x, y), QColor(Qt::white)) << text;
        for (int x = 43 + 330 + 24; x < img.width(); ++x) tinte += img.pixelColor(x, y) != QColor(Qt::white);
      }
      EXPECT_GT(tinte, 20) << text << " " << typ;
    }
  }
  Texts().Set(TX::Jahresschnitt, alt);
}

}  // namespace
}  // namespace tav
