// The printed charts on a recording page: scaling with the page, the colour sets, the capped
// bar, the year from its months, and every primitive on the paper above the footer line.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "foundation/ui/Drucken.h"
#include "results/PrintCharts.h"
#include "results/PrintSelection.h"
#include "results/ui/DruckDiagramme.h"
#include "results/ui/ErgebnisDruck.h"
#include "results/ui/ResultPainter.h"
#include "results/ui/ResultsCommands.h"
#include "support/gui/PaintRecorder.h"
#include "tests/results/ui/ErgebnisFixture.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

using test::TPrimitiv;

const QSizeF kA4(210.0, 297.0), kLetter(215.9, 279.4);

// A year whose summer covers more than the hot-water demand; the year slots of the results
// stay 0, so the charts must total the months themselves.
TavState Jahr(int typ, bool pool, bool heizung) {
  TavState g;
  test::SetzeAnlage(g, typ, pool);
  g.plant.SolHeizung = heizung;
  g.plant.Heizwaermebedarf = 12'000'000.0f;
  const double sommer[13] = {0, 0.2, 0.35, 0.55, 0.8, 1.0, 1.1, 1.25, 0.9, 0.6, 0.3, 0.15, 0.1};
  const double heizanteil[13] = {0, 0.2, 0.16, 0.12, 0.06, 0.02, 0, 0, 0, 0.04, 0.1, 0.14, 0.16};
  auto& r = g.results;
  for (std::size_t m = 1; m <= 12; ++m) {
    r.WWBedarfMonat[m] = 250000.0f;
    r.VerlustMonat[m] = 50000.0f;
    r.SolarertragMonat[m] = static_cast<float>(300000.0 * sommer[m] + (heizung ? 60000.0 : 0.0));
    r.SolHeizenMonat[m] = heizung ? static_cast<float>(60000.0 * (1.2 - sommer[m])) : 0.0f;
    r.PoolWaermeMonat[m] = pool && m >= 5 && m <= 9 ? 40000.0f : 0.0f;
    r.KollEinstrahlungMonat[m] = r.SolarertragMonat[m] / 0.4f;
    r.BrennstoffMonat[m] = r.SolarertragMonat[m] * 1.2f;
    r.HeizanteilMonat[m] = static_cast<float>(heizanteil[m]);
  }
  r.HeizanteilMonat[13] = 1.0f;  // the shares' sum, as the engine leaves it
  return g;
}

struct Seite {
  std::vector<TPrimitiv> Liste;
  PrintState M;
  int W = 0, H = 0;
  int Stift(double k) const { return std::max(1, static_cast<int>(std::lround(k * M.StiftFaktor))); }
  std::vector<TPrimitiv> Von(TPrimitiv::Art a) const {
    std::vector<TPrimitiv> out;
    std::copy_if(Liste.begin(), Liste.end(), std::back_inserter(out), [&](const TPrimitiv& p) { return p.Typ == a; });
    return out;
  }
};

Seite Male(QSizeF mm, int dpi, bool farbe, const std::function<void(TDruckBlatt&)>& f) {
  test::TRecorder dev(mm, dpi);
  TSeitenrahmen rahmen;
  rahmen.Farbe = farbe;
  Seite s;
  {
    QPainter pa(&dev);
    TDruckBlatt b(pa, QRectF(QPointF(0, 0), mm), rahmen);
    s.M = b.M();
    f(b);
  }
  s.Liste = dev.Liste();
  s.W = dev.Breite();
  s.H = dev.Hoehe();
  return s;
}

Seite Monatsdiagramm(const TavState& g, QSizeF mm = kA4, int dpi = 300, bool farbe = true) {
  return Male(mm, dpi, farbe, [&](TDruckBlatt& b) {
    if (g.plant.AnlagenTypNr == 2) PrintDeckungsDiagramm2(b, g);
    else PrintDeckungsDiagramm(b, g);
  });
}

Seite Ertragsdiagramm(const TavState& g, QSizeF mm = kA4, int dpi = 300, bool farbe = true) {
  return Male(mm, dpi, farbe, [&](TDruckBlatt& b) { PrintOekoDiagramm(b, g); });
}

// The chart frame (the first polyline) without its pen: x of chart unit 0, y of the top and
// of the baseline.
struct Rahmen {
  double Links = 0, Oben = 0, Basis = 0;
};
Rahmen RahmenVon(const Seite& s) {
  const auto polys = s.Von(TPrimitiv::Polygon);
  EXPECT_FALSE(polys.empty());
  if (polys.empty()) return {};
  const TPrimitiv& p = polys.front();
  const double h = p.StiftBreite / 2.0;
  return {p.Box.left() + h, p.Box.top() + h, p.Box.bottom() - h};
}

bool Grau(const QColor& c) { return !c.isValid() || (c.red() == c.green() && c.green() == c.blue()); }

// The base page is twice A4: there the two-line legend leaves the chart its full height, as on
// the page twice as wide again (on A4 itself the chart gives the legend a little of it).
TEST(DruckDiagramme, DoubledPageDoublesTheChartAndKeepsTheGridLabelsAtTheMargin) {
  const TavState g = Jahr(1, false, false);
  const Seite a = Monatsdiagramm(g, kA4 * 2.0), d = Monatsdiagramm(g, kA4 * 4.0);
  for (const Seite* s : {&a, &d}) {
    int labels = 0;
    for (const TPrimitiv& t : s->Von(TPrimitiv::Text))
      if (t.Inhalt.endsWith('%')) {
        EXPECT_NEAR(t.Box.left(), s->M.RandLinks, 0.5) << t.Inhalt.toStdString();
        ++labels;
      }
    EXPECT_EQ(labels, 5);
  }
  // The frame, the grid and the bars (everything not below the baseline) at twice the place.
  const auto zeichnung = [](const Seite& s) {
    const double basis = RahmenVon(s).Basis;
    std::vector<TPrimitiv> out;
    for (const TPrimitiv& p : s.Liste)
      if (p.Typ != TPrimitiv::Text && p.Box.top() < basis) out.push_back(p);
    return out;
  };
  // Chart coordinates are offsets from the chart's origin (X0, 38 lines down); those double.
  const auto relativ = [](const Seite& s, const QRectF& r) {
    return r.translated(-(s.M.RandLinks + s.M.SeitenBreite * 8 / 100), -38.0 * s.M.ZeilenHoehe);
  };
  const auto za = zeichnung(a), zd = zeichnung(d);
  ASSERT_EQ(za.size(), zd.size());
  ASSERT_GT(za.size(), 40u);
  for (std::size_t i = 0; i < za.size(); ++i) {
    const QRectF ra = relativ(a, za[i].Box), rd = relativ(d, zd[i].Box);
    EXPECT_NEAR(rd.left(), 2 * ra.left(), 3.0) << i;
    EXPECT_NEAR(rd.right(), 2 * ra.right(), 3.0) << i;
    EXPECT_NEAR(rd.top(), 2 * ra.top(), 3.0) << i;
    EXPECT_NEAR(rd.bottom(), 2 * ra.bottom(), 3.0) << i;
    EXPECT_EQ(zd[i].Pinsel, za[i].Pinsel) << i;
    EXPECT_EQ(zd[i].Stift, za[i].Stift) << i;
  }
}

TEST(DruckDiagramme, MonochromeUsesGreysWithWhitePoolBoxesOutlinedDarkGrey) {
  for (int typ : {1, 6}) {
    const TavState g = Jahr(typ, true, typ == 6);
    for (bool farbe : {false, true}) {
      const Seite s = Monatsdiagramm(g, kA4, 300, farbe);
      int pool = 0, bunt = 0;
      for (const TPrimitiv& p : s.Liste) {
        if (!Grau(p.Stift) || !Grau(p.Pinsel)) ++bunt;
        if (p.Typ == TPrimitiv::Rechteck && p.Stift == QColor(69, 69, 69)) {
          ++pool;
          if (p.Pinsel.isValid()) {
            EXPECT_EQ(p.Pinsel, QColor(Qt::white));
          }
        }
      }
      if (farbe) {
        EXPECT_GT(bunt, 0) << typ;
        EXPECT_EQ(pool, 0) << typ;
      } else {
        EXPECT_EQ(bunt, 0) << typ;
        EXPECT_GT(pool, 5 * 3) << typ;  // five pool months and the year, boxes and outlines
      }
    }
    for (bool farbe : {false, true}) {
      const Seite s = Ertragsdiagramm(g, kA4, 300, farbe);
      const bool grau = std::all_of(s.Liste.begin(), s.Liste.end(),
                                    [](const TPrimitiv& p) { return Grau(p.Stift) && Grau(p.Pinsel); });
      EXPECT_EQ(grau, !farbe) << typ;
    }
  }
}

// A month at 130 % stops at the 120 % cap with the white line across it; a month at 113 %
// (more solar heat than its demand) stands above the 100 % line; the year bar is the fraction
// of the months' sums although the state's year slots are 0 (and stay so).
TEST(DruckDiagramme, CappedBarAFractionAboveHundredAndTheYearFromItsMonths) {
  TavState g = Jahr(1, false, false);
  g.results.SolarertragMonat[1] = 1.3f * 300000.0f;
  g.results.SolarertragMonat[2] = 1.13f * 300000.0f;
  const auto vorher = g.results;
  const Seite s = Monatsdiagramm(g);
  EXPECT_EQ(g.results.SolarertragMonat, vorher.SolarertragMonat);
  const Rahmen r = RahmenVon(s);
  const double fy = (r.Basis - r.Oben) / 250.0;
  const double fx = (s.M.SeitenBreite * 66 / 100) / 481.0;
  const double kappe = r.Basis - 240.0 * fy;
  // The outlines of the hot-water bars, at double pen width without a brush.
  const auto umriss = [&](double xChart) -> const TPrimitiv* {
    for (const TPrimitiv& p : s.Liste) {
      const double h = p.StiftBreite / 2.0;
      if (p.Typ == TPrimitiv::Rechteck && !p.Pinsel.isValid() && std::abs(p.Box.left() + h - (r.Links + xChart * fx)) < 1.5)
        return &p;
    }
    return nullptr;
  };
  const TPrimitiv* januar = umriss(3);
  ASSERT_NE(januar, nullptr);
  EXPECT_EQ(januar->StiftBreite, 2 * s.Stift(1.5));
  EXPECT_NEAR(januar->Box.top() + januar->StiftBreite / 2, kappe, 1.5);
  const TPrimitiv* februar = umriss(30 + 3);
  ASSERT_NE(februar, nullptr);
  EXPECT_NEAR(februar->Box.top() + februar->StiftBreite / 2, r.Basis - 226.0 * fy, 1.5);
  EXPECT_LT(februar->Box.top() + februar->StiftBreite / 2, r.Basis - 200.0 * fy - 10.0);
  int weiss = 0;
  for (const TPrimitiv& p : s.Von(TPrimitiv::Linie))
    if (p.Stift == QColor(Qt::white)) {
      ++weiss;
      EXPECT_EQ(p.StiftBreite, 4 * s.Stift(1.5));
      EXPECT_NEAR(p.Strecke.y1(), kappe, 1.0);
      EXPECT_LE(p.Strecke.x1(), januar->Box.left());
      EXPECT_GE(p.Strecke.x2(), januar->Box.right());
    }
  EXPECT_EQ(weiss, 1);

  double sS = 0, sD = 0;
  for (std::size_t m = 1; m <= 12; ++m) {
    sS += g.results.SolarertragMonat[m];
    sD += g.results.WWBedarfMonat[m] + g.results.VerlustMonat[m];
  }
  const TPrimitiv* jahr = umriss(375 + 3);
  ASSERT_NE(jahr, nullptr);
  EXPECT_NEAR(jahr->Box.top() + jahr->StiftBreite / 2, r.Basis - 2.0 * std::lround(100.0 * sS / sD) * fy, 1.5);
}

// A pool that takes several times the hot-water demand: its bars (and every other bar) stand
// inside the chart's frame, capped below its top, on screen and on paper, with and without
// space heating; the tallest reach the cap.
TEST(DruckDiagramme, PoolBarsAboveAHundredPerCentStayInsideTheChart) {
  for (bool heizung : {false, true})
    for (bool papier : {false, true}) {
      const std::string fall = std::string(heizung ? "heating" : "hot water") + (papier ? " paper" : " screen");
      TavState g = Jahr(6, true, heizung);
      for (std::size_t m = 1; m <= 12; ++m) {
        g.results.PoolWaermeMonat[m] = 4.0f * (g.results.WWBedarfMonat[m] + g.results.VerlustMonat[m]) +
                                       static_cast<float>(g.plant.Heizwaermebedarf * g.results.HeizanteilMonat[m]);
        g.results.SolarertragMonat[m] += g.results.PoolWaermeMonat[m];
      }
      std::vector<TPrimitiv> liste;
      if (papier) {
        liste = Monatsdiagramm(g).Liste;
      } else {
        test::TRecorder dev(QSizeF(200, 150), 96);
        {
          QPainter pa(&dev);
          PaintDeckungsDiagramm(pa, QRect(0, 0, 480, 390), g);
        }
        liste = dev.Liste();
      }
      Seite s;
      s.Liste = liste;
      const Rahmen r = RahmenVon(s);
      int balken = 0;
      double hoechster = r.Basis;
      for (const TPrimitiv& p : liste) {
        // The bars and boxes, outlined; the plot's own fill has no pen.
        if (p.Typ != TPrimitiv::Rechteck || !p.Stift.isValid() || p.Box.left() < r.Links - 1.0) continue;
        const double h = p.StiftBreite / 2.0;
        if (std::abs(p.Box.bottom() - h - r.Basis) > 2.0 || p.Box.height() < 4.0) continue;  // stands on the baseline
        ++balken;
        hoechster = std::min(hoechster, p.Box.top() + h);
        EXPECT_GE(p.Box.top() + h, r.Oben - 0.5) << fall << ": a bar reaches above the frame";
      }
      EXPECT_GT(balken, 13) << fall;
      const double kappe = r.Basis - (r.Basis - r.Oben) * 120.0 / 125.0;
      EXPECT_NEAR(hoechster, kappe, 2.5) << fall;
      // The capped bars keep their top edge: drawn again after the line of the gap below
      // the cap (which once covered it, so they seemed to run off the top), one per bar.
      std::size_t luecke = liste.size();
      for (std::size_t i = 0; i < liste.size(); ++i)
        if (liste[i].Typ == TPrimitiv::Linie && liste[i].Strecke.dy() == 0.0 && liste[i].Strecke.length() > (r.Basis - r.Oben))
          luecke = i;
      ASSERT_LT(luecke, liste.size()) << fall;
      int kanten = 0;
      for (std::size_t i = luecke + 1; i < liste.size(); ++i)
        if (liste[i].Typ == TPrimitiv::Linie && std::abs(liste[i].Strecke.y1() - kappe) < 2.5 && liste[i].Stift != QColor(Qt::white))
          ++kanten;
      EXPECT_GE(kanten, 13) << fall;  // the pool's twelve months and its year
    }
}

// Every plant type, with pool, with and without space heating, on A4 and Letter at 300 and
// 1200 dpi: both charts on the paper and above the footer line, their texts below the
// baseline (month labels, legend) clear of each other and of the bars.
TEST(DruckDiagramme, ChartsStayOnThePageAboveTheFooter) {
  for (int typ = 1; typ <= 8; ++typ)
    for (bool heizung : {false, true})
      for (QSizeF mm : {kA4, kLetter})
        for (int dpi : {300, 1200}) {
          const TavState g = Jahr(typ, true, heizung);
          for (const Seite& s : {Monatsdiagramm(g, mm, dpi), Ertragsdiagramm(g, mm, dpi)}) {
            const std::string fall = std::to_string(typ) + (heizung ? " H " : " ") + std::to_string(s.W) + "x" +
                                     std::to_string(s.H) + "@" + std::to_string(dpi);
            const double fuss = 59.0 * s.M.ZeilenHoehe;
            for (const TPrimitiv& p : s.Liste) {
              EXPECT_GE(p.Box.left(), 0.0) << fall << " " << p.Inhalt.toStdString();
              EXPECT_GE(p.Box.top(), 0.0) << fall;
              EXPECT_LE(p.Box.right(), s.M.RandRechts) << fall << " " << p.Inhalt.toStdString();
              EXPECT_LT(p.Box.bottom(), fuss) << fall << " " << p.Inhalt.toStdString();
            }
            const double basis = RahmenVon(s).Basis;
            std::vector<QRectF> unten;
            for (const TPrimitiv& p : s.Liste)
              if (p.Typ == TPrimitiv::Text && p.Box.top() >= basis) unten.push_back(p.Box);
            EXPECT_GE(unten.size(), 13u) << fall;
            for (std::size_t i = 0; i < unten.size(); ++i)
              for (std::size_t j = i + 1; j < unten.size(); ++j)
                EXPECT_FALSE(unten[i].intersects(unten[j])) << fall << " " << i << " " << j;
          }
        }
}

TEST(DruckDiagramme, YieldChartScaleAndAveragePair) {
  // Nothing yielded: no grid, no scale unit, no bars; the frame, the labels and the legend.
  TavState g = Jahr(1, false, false);
  g.results.SolarertragMonat.fill(0.0f);
  g.results.BrennstoffMonat.fill(0.0f);
  Seite s = Ertragsdiagramm(g);
  EXPECT_TRUE(s.Von(TPrimitiv::Linie).empty());
  EXPECT_EQ(s.Von(TPrimitiv::Rechteck).size(), 2u);  // the legend boxes
  for (const TPrimitiv& t : s.Von(TPrimitiv::Text)) EXPECT_FALSE(t.Inhalt.contains("kWh"));

  // A largest month of 952.095 kWh: the scale top is 999.7 kWh, which prints as "1000", so
  // the step is 100 and the grid runs to 800.
  g = Jahr(1, false, false);
  g.results.BrennstoffMonat.fill(100000.0f);
  g.results.SolarertragMonat[7] = 952095.25f;
  s = Ertragsdiagramm(g);
  std::vector<QString> werte;
  for (const TPrimitiv& t : s.Von(TPrimitiv::Text))
    if (t.Box.right() < s.M.RandLinks + s.M.SeitenBreite * 8 / 100 && t.Inhalt != " kWh") werte.push_back(t.Inhalt);
  EXPECT_EQ(werte, (std::vector<QString>{"100", "200", "300", "400", "500", "600", "700", "800"}));
  EXPECT_EQ(s.Von(TPrimitiv::Linie).size(), 8u);
  // The average pair stands 15 units right of where a thirteenth month would.
  const double x0 = s.M.RandLinks + s.M.SeitenBreite * 8 / 100, ux = (s.M.SeitenBreite * 66 / 100) / 481.0;
  int paar = 0;
  for (const TPrimitiv& p : s.Von(TPrimitiv::Rechteck)) {
    const double links = p.Box.left() + p.StiftBreite / 2;
    if (std::abs(links - (x0 + std::lround(375 * ux))) <= 1 || std::abs(links - (x0 + std::lround(384 * ux))) <= 1) ++paar;
  }
  EXPECT_EQ(paar, 2);
}

// Pictures to look at: the energy and ecology pages of a simulated plant with heating and
// pool in colour, and the plant-type-2 chart; nothing inked from the footer line's band on
// but the footer.
TEST(DruckDiagramme, PagesAsPictures) {
  Simuliere(Anlage::KombiPool);
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsEnergiebilanz | dsOekologie, G().plant.Pool);
  d.Rahmen = TSeitenrahmen::Aus(G());
  d.Rahmen.Farbe = true;
  QDir().mkpath(TAV_SCREENS_DIR);
  const auto pruefe = [](const QImage& bild) {
    const int zh = bild.height() / 62;
    for (int y = 58 * zh; y < 59 * zh; ++y)
      for (int x = 0; x < bild.width(); ++x) ASSERT_EQ(bild.pixelColor(x, y), QColor(Qt::white)) << y;
  };
  for (int n = 1; n <= static_cast<int>(d.Seiten.size()); ++n) {
    const TDruckTeilSeite teil = d.Seiten[static_cast<std::size_t>(n - 1)].Teil;
    if (teil != TDruckTeilSeite::Energie && teil != TDruckTeilSeite::Oeko) continue;
    const QImage bild =
        SeitenBild([&](QPainter& pa, const QRectF& mm, int k) { MaleErgebnisSeite(pa, mm, k, d, G()); }, n, 150);
    bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-Diagramm-%1.png")
                  .arg(teil == TDruckTeilSeite::Energie ? "Energie" : "Oeko"));
    pruefe(bild);
  }
  InvalidateResults();
  const TavState g = Jahr(2, false, true);
  TSeitenrahmen rahmen;
  rahmen.Farbe = true;
  const QImage bild = SeitenBild(
      [&](QPainter& pa, const QRectF& mm, int) {
        TDruckBlatt b(pa, mm, rahmen);
        PrintDeckungsDiagramm2(b, g);
      },
      1, 150, true);
  bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-Diagramm-Typ2-Letter.png"));
  pruefe(bild);
}

}  // namespace
}  // namespace tav
