#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <memory>

#include "foundation/TextTable.h"
#include "results/AnlageFixture.h"
#include "results/ui/ReportAnlage.h"
#include "support/ScriptedMessages.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

// A combined-store heating plant on the common test plant.
std::unique_ptr<TavState> Plant() {
  auto s = test::BaseState();
  PlantState& p = s->plant;
  p.ProjektName = "Familie Berger";
  p.KollektorFlaeche = 7.5f;
  p.KollEta0 = 0.795f;
  p.KollK1 = 3.62f;
  p.KollK2 = 0.0123f;
  p.AnlagenTypNr = 6;
  p.SpeicherName = "Kombi 800";
  p.Speicher1vol = 650;
  p.Speicher2vol = 150;
  p.Maximaltemp = 85;
  p.Minimaltemp = 50;
  p.SolHeizung = true;
  p.HeizQnorm = 9000;
  p.Heizgrenztemp = 15;
  p.Heizwaermebedarf = 12000000;
  p.HeizTvor100 = 55;
  p.HeizTrck100 = 45;
  p.HeizTnorm = -12;
  return s;
}

struct Block {
  QString text;
  bool bold;
  bool underline;
  QList<QTextOption::Tab> tabs;
};

std::vector<Block> Blocks(const QTextEdit& edit) {
  std::vector<Block> out;
  for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next()) {
    const QTextCharFormat f =
        b.text().isEmpty() ? b.charFormat() : b.begin().fragment().charFormat();
    out.push_back({b.text(), f.fontWeight() >= QFont::Bold, f.fontUnderline(),
                   b.blockFormat().tabPositions()});
  }
  return out;
}

struct ReportAnlageUi : ::testing::Test {
  test::ScopedMessages messages;
  void SetUp() override { Texts().LoadDefaults(); }
};

TEST_F(ReportAnlageUi, LongFormLaidOutWithEmphasisAndTabStops) {
  const auto s = Plant();
  QTextEdit edit;
  edit.setReadOnly(true);
  edit.setPlainText("left over from before");
  ReportAnlage(&edit, *s, true);

  const auto blocks = Blocks(edit);
  ASSERT_GE(blocks.size(), 10u);
  EXPECT_EQ(blocks[0].text, "Projekt:\tFamilie Berger");
  EXPECT_EQ(blocks[2].text.left(19), "Standort:\tWürzburg ");
  EXPECT_EQ(blocks[4].text, "Kollektor:\tSonnenfang 25");
  EXPECT_EQ(blocks[9].text.left(12), "Anlagentyp:\t");
  for (std::size_t i : {0u, 2u, 4u, 9u}) EXPECT_TRUE(blocks[i].bold) << i;
  for (std::size_t i : {5u, 6u, 10u}) EXPECT_FALSE(blocks[i].bold) << i;
  for (const Block& b : blocks) EXPECT_FALSE(b.underline);
  EXPECT_TRUE(edit.toPlainText().indexOf("left over") < 0);

  // Four stops in points, laid out in the view's pixels.
  const double px = edit.logicalDpiX() / 72.0;
  for (const Block& b : blocks) {
    ASSERT_EQ(b.tabs.size(), 4);
    EXPECT_DOUBLE_EQ(b.tabs[0].position, 90 * px);
    EXPECT_DOUBLE_EQ(b.tabs[3].position, 290 * px);
  }
  // The report font "Arial" is asked for by an installed family (where Arial itself is
  // missing, its metric-compatible stand-in), so laying the report out starts no search
  // through every font for a fallback.
  const QString familie = edit.document()->defaultFont().family();
  const QStringList installiert = QFontDatabase::families();
  EXPECT_TRUE(installiert.contains(familie)) << familie.toStdString();
  EXPECT_EQ(familie, installiert.contains("Arial") ? "Arial" : "Liberation Sans");

  edit.resize(560, 330);
  EXPECT_FALSE(test::GrabScreen(&edit, "ReportAnlage-long").isEmpty());
  ReportAnlage(&edit, *s, false);
  EXPECT_FALSE(test::GrabScreen(&edit, "ReportAnlage-short").isEmpty());
}

TEST_F(ReportAnlageUi, PrintModeFromTheStateWidensTabsAndUnderlinesTheTitle) {
  auto s = Plant();
  s->run.DruckAktiv = true;
  QTextEdit edit;
  ReportAnlage(&edit, *s, false);
  const auto blocks = Blocks(edit);
  ASSERT_GE(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].text, "Tavrel - 3.0 - Energiebilanz der Solarsimulation");
  EXPECT_TRUE(blocks[0].bold && blocks[0].underline);
  EXPECT_TRUE(blocks[2].bold && !blocks[2].underline);
  EXPECT_FALSE(blocks[3].bold);
  const double px = edit.logicalDpiX() / 72.0;
  EXPECT_DOUBLE_EQ(blocks[2].tabs[1].position, 218 * px);
  // The explicit mode overrides the state.
  ReportAnlage(&edit, *s, false, false);
  EXPECT_EQ(Blocks(edit)[0].text, "Projekt:\tFamilie Berger");
}

}  // namespace
}  // namespace tav
