// The printed EnEV report: the page frame and the report lines, to a picture and to PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "enev/EnevBericht.h"
#include "enev/ui/EnevDruck.h"
#include "foundation/CodePage.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/DruckBilanz.h"
#include "support/TempDir.h"
#include "support/gui/GrabScreen.h"
#include "support/gui/PaintRecorder.h"
#include "tests/enev/ui/EnevDruckFixture.h"

using namespace tav;

namespace {

struct DruckFixture {
  std::unique_ptr<TavState> state = std::make_unique<TavState>();
  enev::EnevStand st = test::EnevDruckStand();
  DruckFixture() {
    state->plant.ProjektName = "Haus A";
    state->plant.Kollektor = "Sonnwerk SW 2";
  }
};

int Dunkel(const QImage& bild, int y0, int y1) {
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(bild.height(), y1); ++y)
    for (int x = 0; x < bild.width(); ++x)
      if (bild.pixelColor(x, y) != Qt::white) ++n;
  return n;
}

}  // namespace

TEST(EnevDruck, PageHasFrameReportAndBalanceInSimulationMode) {
  for (int modus : {enev::kEnevAuswertung, enev::kEnevSimulation}) {
    DruckFixture f;
    f.state->run.EnevSimQTW = 3500;
    f.state->run.EnevSimQTWsol = 1900;
    const QImage bild = SeitenBild(
        [&](QPainter& pa, const QRectF& mm, int) { PrintEnevSeite(pa, mm, *f.state, f.st, modus); }, 1, 100);
    ASSERT_FALSE(bild.isNull());
    QDir().mkpath(TAV_SCREENS_DIR);
    bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-Enev-%1.png").arg(modus));
    const int zh = bild.height() / 62;
    EXPECT_GT(Dunkel(bild, 9 * zh - zh, 12 * zh), 0);  // the report's first lines
    // Lines 38 on hold the energy balance only after a simulation.
    const int bilanz = Dunkel(bild, 38 * zh - zh, 55 * zh);
    if (modus == enev::kEnevSimulation) EXPECT_GT(bilanz, 0);
    else EXPECT_EQ(bilanz, 0);
  }
}

TEST(EnevDruck, PrintsToPdf) {
  test::TempDir dir;
  DruckFixture f;
  const QString datei = QString::fromStdString((dir.path() / "enev.pdf").string());
  EXPECT_TRUE(PrintEnevBericht(nullptr, *f.state, f.st, enev::kEnevAuswertung, datei));
  QFile pdf(datei);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray inhalt = pdf.readAll();
  EXPECT_TRUE(inhalt.startsWith("%PDF"));
  EXPECT_EQ(inhalt.count("/Type /Page\n") + inhalt.count("/Type /Page\r") + inhalt.count("/Type /Page "),
            1) << "page objects";
}

// The sheet belongs to the German regulation: in an English session it prints exactly what it
// prints in a German one, the results' energy balance and the footer included, while the
// session keeps its English texts for everything else.
TEST(EnevDruck, TheSheetIsGermanInAnEnglishSession) {
  DruckFixture f;
  TavState& g = *f.state;
  g.settings.DruckDatum = false;  // no clock in the footer: both pages are painted alike
  g.plant.KollektorFlaecheGesamt = 5.7f;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    g.results.SolarertragMonat[i] = 100000.0f + 20000.0f * m;
    g.results.KollEinstrahlungMonat[i] = 400000.0f + 30000.0f * m;
    g.results.NachheizungMonat[i] = 150000.0f;
    g.results.WWBedarfMonat[i] = 250000.0f;
  }
  const auto texte = [&] {
    test::TRecorder r(QSizeF(210, 297), 100);
    {
      QPainter pa(&r);
      PrintEnevSeite(pa, QRectF(0, 0, 210, 297), g, f.st, enev::kEnevSimulation);
    }
    std::vector<std::string> t;
    for (const auto& p : r.Liste())
      if (p.Typ == test::TPrimitiv::Text) t.push_back(p.Inhalt.toStdString());
    return t;
  };
  Texts().LoadDefaults();
  const std::vector<std::string> deutsch = texte();
  for (const char* text : {"Monat", "Januar:", "Seite 1"})
    EXPECT_NE(std::find(deutsch.begin(), deutsch.end(), text), deutsch.end()) << text;

  ASSERT_TRUE(Texts().LoadTexts(std::filesystem::path(TAV_LANG_DIR) / "english.dat", CodePage::Cp1252));
  ASSERT_EQ(T(TX::Monat), "Month");
  EXPECT_EQ(texte(), deutsch);
  // The results' own printout stays in the session's language.
  EXPECT_EQ(T(TX::Monat), "Month");
  EXPECT_EQ(DruckEnergiebilanz(g).Zeilen.front().Zellen.front().Text, "Month");
  Texts().LoadDefaults();
}
