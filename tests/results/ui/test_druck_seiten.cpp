// The printed descriptions and the pool and ecology tables on paper: recorded on a paint
// device of the printer's size and resolution (A4 and Letter, 300 and 1200 dpi), every text
// and line as its rectangle. The latitude's column, the pool minimum behind a wide label,
// the longest description above the table, the table columns, and every page inside the
// paper and above the footer. Pictures of the three pages land in the screens folder.
#include <gtest/gtest.h>

#include <QDir>

#include <cmath>
#include <memory>

#include "foundation/PrintLayout.h"
#include "foundation/Sums.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/PrintSelection.h"
#include "results/ui/DruckSeiten.h"
#include "results/ui/ErgebnisDruck.h"
#include "tests/results/AnlageFixture.h"
#include "tests/support/gui/PaintRecorder.h"

namespace tav {
namespace {

using Blatt = test::TRecorder;
using Strich = test::TPrimitiv;

struct Papier {
  const char* name;
  QSizeF mm;
  int dpi;
};
const Papier kPapiere[] = {{"A4/300", {210, 297}, 300},
                           {"A4/1200", {210, 297}, 1200},
                           {"Letter/300", {215.9, 279.4}, 300},
                           {"Letter/1200", {215.9, 279.4}, 1200}};

// Paints with Maler on a recorded page of paper P; Metriken gets the page's metrics.
std::unique_ptr<Blatt> Male(const Papier& p, const std::function<void(TDruckBlatt&)>& maler, PrintState* m = nullptr) {
  auto blatt = std::make_unique<Blatt>(p.mm, p.dpi);
  QPainter pa(blatt.get());
  TSeitenrahmen rahmen;
  rahmen.Datum = false;
  {
    TDruckBlatt b(pa, QRectF(QPointF(0, 0), p.mm), rahmen);
    if (m) *m = b.M();
    maler(b);
  }
  pa.end();
  return blatt;
}

const Strich* Suche(const Blatt& b, const QString& anfang) {
  for (const Strich& s : b.Liste())
    if (s.Inhalt.startsWith(anfang)) return &s;
  return nullptr;
}

int Spalte(const PrintState& m, int k) { return m.RandLinks + static_cast<int>(std::lround(m.SeitenBreite * k / 473.0)); }

// Type 3 with anti-legionella and space heating: the longest description of the energy page.
std::unique_ptr<TavState> Laengste() {
  auto g = test::BaseState();
  auto& p = g->plant;
  p.AnlagenTypNr = 3;
  p.SolHeizung = true;
  p.AntiLegionella = true;
  p.Heizwaermebedarf = 12'000'000.0f;
  p.Heiztauscherleistung = 10'000.0f;
  p.HeiztauscherDeltaT = 10.0f;
  p.Heiztemp = 35.0f;
  p.Heizgrenztemp = 15.0f;
  p.MaxTempWinter = 40.0f;
  p.SpeicherName = "Schichtenspeicher SLS 1000 mit Solarwärmetauscher";
  p.SpeicherAnz = 2;
  p.KollektorFlaecheGesamt = p.KollektorFlaeche;
  p.KollModulFlaeche = 2.5f;
  p.Pool = true;
  p.PoolVol = 40.0f;
  p.konvEnergie = "Heizöl";
  p.konvEinheit = "Liter";
  p.konvKWhinEinheit = 10.0f;
  p.konvCO2inEinheit = 2.68f;
  auto& r = g->results;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    const float sommer = static_cast<float>(1.0 + std::sin((m - 4) * 3.14159 / 6.0));
    r.SolarertragMonat[i] = 400'000.0f * sommer + 50'000.0f;
    r.BrennstoffMonat[i] = 1.2f * r.SolarertragMonat[i];
    r.WWBedarfMonat[i] = 280'000.0f;
    r.VerlustMonat[i] = 20'000.0f;
    r.KollEinstrahlungMonat[i] = 2.5f * r.SolarertragMonat[i];
    r.NachheizungMonat[i] = 150'000.0f;
    r.SolHeizenMonat[i] = 40'000.0f * (2.0f - sommer);
    r.PoolWaermeMonat[i] = m >= 5 && m <= 9 ? 90'000.0f : 0.0f;
    r.HeizanteilMonat[i] = (2.0f - sommer) / 12.0f;
  }
  CalcYearSums(r);
  return g;
}

TEST(DruckSeiten, LatitudeMovesToColumnTwoBehindALongLocationName) {
  for (const Papier& papier : kPapiere)
    for (const std::string& name : {std::string("Würzburg"), std::string("Bad Neustadt an der Saale (Rhön-Grabfeld)")}) {
      auto g = test::BaseState();
      g->plant.Standort = name;
      PrintState m;
      const auto blatt = Male(papier, [&](TDruckBlatt& b) { PrintAnlageBilanz(b, *g); }, &m);
      const Strich* breite = Suche(*blatt, QString::fromStdString(T(TX::geogrBreite)));
      const Strich* ort = Suche(*blatt, QString::fromStdString(name));
      ASSERT_TRUE(breite && ort) << papier.name;
      const bool lang = name.size() > 20;
      EXPECT_NEAR(breite->Box.left(), Spalte(m, lang ? 250 : 185), 1) << papier.name << " " << name;
      EXPECT_GT(breite->Box.left(), ort->Box.right()) << papier.name;
    }
}

TEST(DruckSeiten, WidePoolLabelMovesTheMinimumBehindIt) {
  const std::string min = T(TX::Mindesttemperatur), im = T(TX::im_Speicher);
  // A short label leaves the value in the first column; a wide one (German is one) moves
  // it behind the label on the same line.
  for (const std::string& label : {std::string("Min."), min, std::string("Température minimale")}) {
    Texts().Set(TX::Mindesttemperatur, label);
    Texts().Set(TX::im_Speicher, label == "Min." ? "Sp." : im);
    auto g = Laengste();
    g->plant.PoolSpminTemp = 32.5f;
    for (const Papier& papier : kPapiere) {
      PrintState m;
      const auto blatt = Male(papier, [&](TDruckBlatt& b) { PrintAnlagePool(b, *g); }, &m);
      const Strich* l = Suche(*blatt, QString::fromStdString(label));
      const Strich* wert = Suche(*blatt, QStringLiteral("32,5°C"));
      ASSERT_TRUE(l && wert);
      EXPECT_NEAR(wert->Box.top(), l->Box.top(), 2);
      if (label == "Min.") {
        EXPECT_NEAR(wert->Box.left(), Spalte(m, 96), 1) << papier.name;
      } else {
        EXPECT_GT(l->Box.right(), Spalte(m, 96)) << papier.name;
        EXPECT_GT(wert->Box.left(), l->Box.right()) << papier.name;
        EXPECT_LT(wert->Box.left(), l->Box.right() + m.ZeilenHoehe) << papier.name;
      }
    }
  }
  Texts().Set(TX::Mindesttemperatur, min);
  Texts().Set(TX::im_Speicher, im);
}

// The longest description ends above the table's first line (line 20), which stays there.
TEST(DruckSeiten, LongestDescriptionEndsAboveTheTable) {
  auto g = Laengste();
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsEnergiebilanz, false);
  for (const Papier& papier : kPapiere) {
    PrintState m;
    int unten = 0;
    Male(papier, [&](TDruckBlatt& b) { unten = PrintAnlageBilanz(b, *g); }, &m);
    const int tabelle = 20 * m.ZeilenHoehe;
    EXPECT_LE(unten, tabelle) << papier.name;
    EXPECT_GT(unten, 21 * m.ZeilenHoeheKlein) << papier.name;  // its last row is on line 21

    auto blatt = std::make_unique<Blatt>(papier.mm, papier.dpi);
    {
      QPainter pa(blatt.get());
      MaleErgebnisSeite(pa, QRectF(QPointF(0, 0), papier.mm), 1, d, *g);
    }
    const Strich* monat = Suche(*blatt, QString::fromStdString(T(TX::Monat)));
    ASSERT_NE(monat, nullptr);
    EXPECT_NEAR(monat->Box.top(), tabelle, 1) << papier.name;
    for (const Strich& s : blatt->Liste())
      if (s.Box.top() < tabelle - 1) {
        EXPECT_LE(s.Box.bottom(), tabelle + 0.5) << papier.name << " " << s.Inhalt.toStdString();
      }
  }
}

TEST(DruckSeiten, PoolTableColumnsWithAndWithoutHeating) {
  for (bool heizung : {false, true}) {
    auto g = Laengste();
    g->plant.SolHeizung = heizung;
    PrintState m;
    const auto blatt = Male(kPapiere[0], [&](TDruckBlatt& b) { PrintPoolBilanz(b, *g, 20); }, &m);
    // The headings on line 20: pool, (heating), hot water, warming at their columns.
    std::vector<double> x;
    for (const Strich& s : blatt->Liste())
      if (!s.Inhalt.isEmpty() && std::abs(s.Box.top() - 20 * m.ZeilenHoehe) <= 1) x.push_back(s.Box.left());
    const std::vector<int> k = heizung ? std::vector<int>{65, 130, 185, 250} : std::vector<int>{65, 130, 190};
    ASSERT_EQ(x.size(), k.size()) << heizung;
    for (std::size_t i = 0; i < k.size(); ++i) EXPECT_NEAR(x[i], Spalte(m, k[i]), 1);
    // The two rules under the units and above the year.
    int regeln = 0;
    for (const Strich& s : blatt->Liste())
      if (s.Typ == Strich::Linie && s.Strecke.dy() == 0 && s.Strecke.x1() == m.RandLinks) {
        ++regeln;
        const double y = s.Strecke.y1();
        EXPECT_TRUE(std::abs(y - 22 * m.ZeilenHoehe) < 1 || std::abs(y - 34 * m.ZeilenHoehe) < 1);
      }
    EXPECT_EQ(regeln, 2);
  }
}

TEST(DruckSeiten, EcologyTableHeadsWithCo2AndUnitColumns) {
  for (float co2 : {0.0f, 2.68f}) {
    auto g = Laengste();
    g->plant.konvCO2inEinheit = co2;
    PrintState m;
    const auto blatt = Male(kPapiere[1], [&](TDruckBlatt& b) { PrintOekoBilanz(b, *g); }, &m);
    // "CO" with its subscript 2 below the line, then "-".
    const Strich* co = Suche(*blatt, QStringLiteral("CO"));
    EXPECT_EQ(co != nullptr, co2 != 0.0f);
    if (!co) continue;
    EXPECT_NEAR(co->Box.left(), Spalte(m, 270), 1);
    const Strich* zwei = Suche(*blatt, QStringLiteral("2"));
    ASSERT_NE(zwei, nullptr);
    EXPECT_GT(zwei->Box.bottom(), co->Box.bottom());
    EXPECT_LT(zwei->Box.height(), co->Box.height());
    EXPECT_NE(Suche(*blatt, QStringLiteral("[Liter]")), nullptr);
  }
}

// Every plant type's energy, pool and ecology pages with long names on both papers at both
// resolutions: everything inside the paper, and above the footer line but the footer.
TEST(DruckSeiten, EveryPageInsideThePaperAndAboveTheFooter) {
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsEnergiebilanz | dsOekologie, true);
  d.Rahmen.Datum = false;
  d.Rahmen.Kopfzeilen = {"Ingenieurbüro Sonnenschein", "Lange Straße 12", "97070 Würzburg"};
  for (int typ = 1; typ <= 8; ++typ)
    for (bool heizung : {false, true}) {
      auto g = Laengste();
      auto& p = g->plant;
      p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
      p.SolHeizung = heizung;
      p.KaskadeTyp = heizung ? 13 : 14;
      p.OstWestKollektor = heizung;
      p.KollektorFlaeche2 = 5.0f;
      p.ProjektName = "Mehrfamilienhaus mit Schwimmbad, Heizungsunterstützung und Frischwasserstation, Bauabschnitt 2";
      p.Standort = "Bad Neustadt an der Saale (Rhön-Grabfeld), Unterfranken";
      p.Kollektor = "Hochleistungs-Vakuumröhrenkollektor Sonnenfang Premium XL 30 mit Spiegel";
      p.konvEnergie = "Fernwärme aus Kraft-Wärme-Kopplung mit hohem Anteil erneuerbarer Energie";
      p.HeizQnorm = 8000.0f;
      for (const Papier& papier : kPapiere)
        for (int n = 1; n <= static_cast<int>(d.Seiten.size()); ++n) {
          auto blatt = std::make_unique<Blatt>(papier.mm, papier.dpi);
          {
            QPainter pa(blatt.get());
            MaleErgebnisSeite(pa, QRectF(QPointF(0, 0), papier.mm), n, d, *g);
          }
          PrintState m;
          BerechneSeitenMasse(m, blatt->Breite(), blatt->Hoehe());
          const int fuss = 59 * m.ZeilenHoehe;
          ASSERT_GT(blatt->Liste().size(), 50u);
          for (const Strich& s : blatt->Liste()) {
            const std::string wo = std::string(papier.name) + " Typ " + std::to_string(typ) + (heizung ? "H" : "") +
                                   " Seite " + std::to_string(n) + " " + s.Inhalt.toStdString();
            EXPECT_GE(s.Box.left(), 0) << wo;
            // Lines may reach half their pen width beyond their end points.
            const double stift = s.StiftBreite / 2;
            EXPECT_LE(s.Box.right(), m.RandRechts + 1 + stift) << wo;
            EXPECT_GE(s.Box.top(), 0) << wo;
            if (s.Box.top() < fuss - 1) {
              EXPECT_LE(s.Box.bottom(), fuss + stift) << wo;
            }
            EXPECT_LE(s.Box.bottom(), blatt->Hoehe()) << wo;
          }
        }
    }
}

// Pictures of the energy, pool and ecology pages of one plant, for a person to look at.
TEST(DruckSeiten, PicturesOfThePages) {
  auto g = Laengste();
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsEnergiebilanz | dsOekologie, true);
  d.Rahmen = TSeitenrahmen::Aus(*g);
  d.Rahmen.Datum = false;
  QDir().mkpath(TAV_SCREENS_DIR);
  const char* namen[] = {"Report", "Energie", "Pool", "Oeko"};
  for (int n = 1; n <= static_cast<int>(d.Seiten.size()); ++n) {
    const QImage bild =
        SeitenBild([&](QPainter& pa, const QRectF& mm, int k) { MaleErgebnisSeite(pa, mm, k, d, *g); }, n, 150);
    EXPECT_TRUE(bild.save(QStringLiteral(TAV_SCREENS_DIR "/DruckSeite-%1.png")
                              .arg(namen[static_cast<int>(d.Seiten[static_cast<std::size_t>(n - 1)].Teil)])));
  }
}

}  // namespace
}  // namespace tav
