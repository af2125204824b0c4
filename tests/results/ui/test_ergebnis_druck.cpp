// The results printout: the pages of each selection into a PDF file, every page inside the
// paper and above the footer, the monthly results untouched, and a picture of every page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/AnlageReport.h"
#include "results/ui/DruckSeiten.h"
#include "results/ui/ErgebnisDruck.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultsCommands.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/gui/PaintRecorder.h"
#include "tests/results/ui/ErgebnisFixture.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

int PdfSeiten(const QString& datei) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

// Rows of the page picture that carry ink.
bool ZeileDunkel(const QImage& bild, int y) {
  for (int x = 0; x < bild.width(); ++x)
    if (bild.pixelColor(x, y) != Qt::white) return true;
  return false;
}

class ErgebnisDruckTest : public ::testing::Test {
 protected:
  void TearDown() override {
    InvalidateResults();
    QApplication::processEvents();
  }
  test::ScopedMessages msgs;
  test::TempDir dir;
};

TEST_F(ErgebnisDruckTest, SelectionsGiveTheirPagesInOrder) {
  Simuliere(Anlage::KombiPool);
  TFormSimErg* f = ShowSimErg(nullptr);
  ASSERT_NE(f, nullptr);
  struct Fall {
    bool report, energie, oeko;
    int seiten;
  };
  // The pool page follows the energy balance for this plant.
  const Fall faelle[] = {{true, false, false, 1}, {false, true, false, 2}, {false, false, true, 1},
                         {true, true, true, 4}};
  int i = 0;
  for (const Fall& c : faelle) {
    f->CheckBoxReport->setChecked(c.report);
    f->CheckBox1->setChecked(c.energie);
    f->CheckBox2->setChecked(c.oeko);
    EXPECT_TRUE(f->BitBtnDruck->isEnabled());
    const QString datei = QString::fromStdString((dir.path() / ("d" + std::to_string(i++) + ".pdf")).string());
    EXPECT_TRUE(f->Drucken(datei));
    EXPECT_EQ(PdfSeiten(datei), c.seiten) << i;
  }
  // No section: the button stays usable, but nothing is printed.
  f->CheckBoxReport->setChecked(false);
  f->CheckBox1->setChecked(false);
  f->CheckBox2->setChecked(false);
  EXPECT_TRUE(f->BitBtnDruck->isEnabled());
  EXPECT_FALSE(f->Drucken(QString::fromStdString((dir.path() / "leer.pdf").string())));
  EXPECT_FALSE(QFile::exists(QString::fromStdString((dir.path() / "leer.pdf").string())));
}

TEST_F(ErgebnisDruckTest, PagesStayInsideThePaperAndLeaveTheResultsAlone) {
  for (Anlage a : {Anlage::Warmwasser, Anlage::KombiPool}) {
    Simuliere(a);
    G().plant.ProjektName = "Ein sehr langer Projektname einer Kombianlage mit Schwimmbad und Heizung";
    const auto vorher = G().results;
    TErgebnisDruck d;
    d.Seiten = DruckSeitenFolge(dsReport | dsEnergiebilanz | dsOekologie, G().plant.Pool);
    d.Rahmen = TSeitenrahmen::Aus(G());
    d.Rahmen.Datum = false;
    QImage schema(309, 275, QImage::Format_RGB32);
    schema.fill(QColor(211, 47, 47));
    d.Schema = schema;
    const char* namen[] = {"Report", "Energie", "Pool", "Oeko"};
    for (bool letter : {false, true})
      for (int n = 1; n <= static_cast<int>(d.Seiten.size()); ++n) {
        const QImage bild = SeitenBild(
            [&](QPainter& pa, const QRectF& mm, int k) { MaleErgebnisSeite(pa, mm, k, d, G()); }, n, 100, letter);
        if (!letter) {
          QDir().mkpath(TAV_SCREENS_DIR);
          bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-%1-%2.png")
                        .arg(namen[static_cast<int>(d.Seiten[n - 1].Teil)])
                        .arg(a == Anlage::Warmwasser ? n : n + 10));
        }
        const int zh = bild.height() / 62;
        // Ink between the band and the footer, none beside the footer line's row band below it.
        int letzte = 0;
        for (int y = 0; y < bild.height(); ++y)
          if (ZeileDunkel(bild, y) && y < 59 * zh) letzte = y;
        EXPECT_GT(letzte, 12 * zh) << n;
        for (int y = 60 * zh + 2; y < bild.height(); ++y) ASSERT_FALSE(ZeileDunkel(bild, y)) << n << " " << y;
        // Nothing right of the paper's right margin band (the text ends at 93 % of the width).
        for (int y = 0; y < bild.height(); y += 3)
          for (int x = bild.width() * 97 / 100; x < bild.width(); ++x)
            ASSERT_EQ(bild.pixelColor(x, y), Qt::white) << namen[static_cast<int>(d.Seiten[n - 1].Teil)] << " " << y;
      }
    EXPECT_EQ(G().results.SolarertragMonat, vorher.SolarertragMonat);
    EXPECT_EQ(G().results.BrennstoffMonat, vorher.BrennstoffMonat);
  }
}

// The energy-balance table on its page: the two rules at lines 23 and 35 (under the units,
// above the year) reach from the left margin to the efficiency column, on both papers and
// resolutions alike; at line 38 (the other caller's start) they move down with it.
// The two heading lines of the energy balance: each heading ends before the next heading of
// its line begins (measured with the print font's metrics), for the eight columns of a
// heating plant and the six of a hot-water plant, in the usual font and in a wider one at a
// larger size, on A4 and Letter; the wider font shrinks the headings, never the rows.
TEST_F(ErgebnisDruckTest, EnergyBalanceHeadingsFitBetweenTheirTabStops) {
  for (Anlage a : {Anlage::Warmwasser, Anlage::KombiPool}) {
    Simuliere(a);
    G().plant.WWMonatsfaktor[3] = 90.0f;  // the hot-water demand column too
    for (const char* font : {"Arial", "DejaVu Sans"})
      for (int punkt : {10, 12})
        for (QSizeF mm : {QSizeF(210, 297), QSizeF(215.9, 279.4)}) {
          TSeitenrahmen rahmen = TSeitenrahmen::Aus(G());
          rahmen.Font = QString::fromLatin1(font);
          rahmen.Punkt = punkt;
          test::TRecorder r(mm, 600);
          int zh = 0;
          {
            QPainter pa(&r);
            TDruckBlatt b(pa, QRectF(QPointF(0, 0), mm), rahmen);
            zh = b.ZH();
            b.Schrift(0);
            PrintEnergiebilanz(b, G(), 20);
          }
          const std::string fall = std::string(font) + " " + std::to_string(punkt);
          for (int zeile : {20, 21}) {
            std::vector<test::TPrimitiv> kopf;
            for (const auto& p : r.Liste())
              if (p.Typ == test::TPrimitiv::Text && std::abs(p.Box.top() - zeile * zh) < 2.0) kopf.push_back(p);
            std::sort(kopf.begin(), kopf.end(),
                      [](const auto& x, const auto& y) { return x.Box.left() < y.Box.left(); });
            ASSERT_GE(kopf.size(), a == Anlage::Warmwasser ? 6u : 8u) << fall;
            for (std::size_t i = 0; i + 1 < kopf.size(); ++i) {
              const QFontMetricsF fm(kopf[i].Schrift, &r);
              EXPECT_LT(kopf[i].Box.left() + fm.horizontalAdvance(kopf[i].Inhalt), kopf[i + 1].Box.left())
                  << fall << ": \"" << kopf[i].Inhalt.toStdString() << "\" runs into \""
                  << kopf[i + 1].Inhalt.toStdString() << "\"";
            }
            for (const auto& p : kopf) EXPECT_LE(p.Box.right(), r.Breite() * 0.93 + 1) << fall;
          }
          // The month rows keep the page's size.
          for (const auto& p : r.Liste())
            if (p.Typ == test::TPrimitiv::Text && p.Inhalt.endsWith(':') && std::abs(p.Box.top() - 24 * zh) < 2.0) {
              EXPECT_EQ(p.Schrift.pointSize(), punkt) << fall;
            }
        }
  }
}

TEST_F(ErgebnisDruckTest, EnergyBalanceRulesStandOnTheirLines) {
  for (Anlage a : {Anlage::Warmwasser, Anlage::KombiPool}) {
    Simuliere(a);
    const TSeitenrahmen rahmen = TSeitenrahmen::Aus(G());
    for (int start : {20, 38})
      for (bool letter : {false, true})
        for (double dpi : {100.0, 150.0}) {
          int zh = 0;
          const QImage bild = SeitenBild(
              [&](QPainter& pa, const QRectF& mm, int) {
                TDruckBlatt b(pa, mm, rahmen);
                zh = b.ZH();
                b.Schrift(0);
                PrintEnergiebilanz(b, G(), start);
              },
              1, dpi, letter);
          if (!letter && dpi == 100.0 && start == 20) {
            QDir().mkpath(TAV_SCREENS_DIR);
            bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-Energiebilanz-%1.png").arg(a == Anlage::Warmwasser ? 1 : 2));
          }
          const int w = bild.width();
          // A rule: a dark run over more than half the page width.
          const auto lang = [&](int y) {
            int lauf = 0, best = 0;
            for (int x = 0; x < w; ++x) {
              lauf = bild.pixelColor(x, y).lightness() < 128 ? lauf + 1 : 0;
              best = std::max(best, lauf);
            }
            return best > w / 2;
          };
          std::vector<int> regeln;
          for (int y = 0; y < bild.height(); ++y)
            if (lang(y) && (regeln.empty() || y > regeln.back() + 2)) regeln.push_back(y);
          ASSERT_EQ(regeln.size(), 2u) << start << letter << dpi;
          EXPECT_NEAR(regeln[0], (start + 3) * zh, 2);
          EXPECT_NEAR(regeln[1], (start + 15) * zh, 2);
          // Everything of the table lies above the footer line, even from line 38.
          for (int y = 58 * zh; y < bild.height(); ++y)
            for (int x = 0; x < w; x += 2) ASSERT_EQ(bild.pixelColor(x, y), Qt::white) << start << " " << y;
        }
  }
}

// The three monthly tables end their two rules past the end of every heading, the bold last
// one included (it once stood beyond the rules, which were measured in the regular font), in
// German and English, in the usual font and a wider one at a larger size.
TEST_F(ErgebnisDruckTest, TableRulesReachPastEveryHeading) {
  Simuliere(Anlage::KombiPool);
  const struct {
    const char* name;
    std::function<void(TDruckBlatt&)> male;
  } tabellen[] = {
      {"energy balance", [](TDruckBlatt& b) { PrintEnergiebilanz(b, G(), 20); }},
      {"pool", [](TDruckBlatt& b) { PrintPoolBilanz(b, G(), 20); }},
      {"ecology", [](TDruckBlatt& b) { PrintOekoBilanz(b, G()); }},
  };
  for (bool englisch : {false, true}) {
    if (englisch) Texts().LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en"));
    for (const auto& t : tabellen)
      for (const char* font : {"Arial", "DejaVu Sans"})
        for (int punkt : {10, 12}) {
          const std::string fall = std::string(t.name) + (englisch ? " en " : " de ") + font + " " + std::to_string(punkt);
          TSeitenrahmen rahmen = TSeitenrahmen::Aus(G());
          rahmen.Font = QString::fromLatin1(font);
          rahmen.Punkt = punkt;
          test::TRecorder r(QSizeF(210, 297), 600);
          {
            QPainter pa(&r);
            TDruckBlatt b(pa, QRectF(0, 0, 210, 297), rahmen);
            b.Schrift(0);
            t.male(b);
          }
          // The rules: the long horizontal lines; the headings: the bold texts above the first.
          std::vector<QLineF> regeln;
          for (const auto& p : r.Liste())
            if (p.Typ == test::TPrimitiv::Linie && p.Strecke.dy() == 0.0 && p.Strecke.length() > r.Breite() / 3.0)
              regeln.push_back(p.Strecke);
          ASSERT_EQ(regeln.size(), 2u) << fall;
          const double oben = std::min(regeln[0].y1(), regeln[1].y1());
          const double rechts = std::min(std::max(regeln[0].x1(), regeln[0].x2()), std::max(regeln[1].x1(), regeln[1].x2()));
          int koepfe = 0;
          for (const auto& p : r.Liste()) {
            if (p.Typ != test::TPrimitiv::Text || !p.Schrift.bold() || p.Box.top() >= oben) continue;
            if (p.Box.top() < oben - 4 * r.Hoehe() / 62.0) continue;  // the page header and description
            ++koepfe;
            const QFontMetricsF fm(p.Schrift, &r);
            EXPECT_LE(p.Box.left() + fm.horizontalAdvance(p.Inhalt), rechts + 1.0)
                << fall << ": \"" << p.Inhalt.toStdString() << "\" ends beyond the rules";
          }
          EXPECT_GE(koepfe, 3) << fall;
        }
  }
  Texts().LoadDefaults();
}

}  // namespace
}  // namespace tav
