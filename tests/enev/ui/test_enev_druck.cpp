// The printed EnEV report: the page frame and the report lines, to a picture and to PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <memory>

#include "enev/EnevBericht.h"
#include "enev/ui/EnevDruck.h"
#include "foundation/ui/Drucken.h"
#include "support/TempDir.h"
#include "support/gui/GrabScreen.h"
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
