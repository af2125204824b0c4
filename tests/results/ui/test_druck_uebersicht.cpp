// The printed summary sheet on a recording page: everything inside the page and above the
// footer line for every plant on both papers and resolutions, the right column clear of the
// left blocks and the picture, fixed lines below the picture, the module count, the two-line
// collector name, the fractions by plant type and the disclaimers' smallest size.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QRegularExpression>

#include "foundation/PrintLayout.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/PrintSelection.h"
#include "results/ui/DruckUebersicht.h"
#include "results/ui/ErgebnisDruck.h"
#include "support/gui/PaintRecorder.h"
#include "tests/results/ui/ErgebnisFixture.h"

namespace tav {
namespace {

// A recorded primitive as the sheet's checks read it.
struct TGezeichnet {
  enum Art { Text, Bild, Anderes } art = Anderes;
  QRectF rect;
  QString text;
  double punkt = 0.0;
  bool fett = false;
};

const QSizeF kA4(210, 297), kLetter(215.9, 279.4);
constexpr int P = TUebersichtRaster::Bildzeile;

// A simulated year of the combination plant with pool, taken once.
const TavState& Basis() {
  static const TavState basis = [] {
    Simuliere(Anlage::KombiPool);
    return G();
  }();
  return basis;
}

TSeitenrahmen Rahmen() {
  TSeitenrahmen r;
  r.Kopfzeilen = {"Solarplanung Muster GmbH", "Sonnenweg 1", "12345 Teststadt", "Tel. 0123 456789"};
  r.Farbe = true;
  // The program's identity as the frame has it by default (one source for every page).
  r.Zeit = QDateTime(QDate(2026, 12, 10), QTime(12, 0));
  return r;
}

QImage Schema() {
  QImage s(309, 275, QImage::Format_RGB32);
  s.fill(QColor(211, 47, 47));
  return s;
}

struct TBogen {
  std::vector<TGezeichnet> liste;
  PrintState m;
  int w = 0, h = 0;
  TUebersichtRaster raster{0};
  int ZK() const { return m.ZeilenHoeheKlein; }
  int X(int tab) const { return m.RandLinks + raster.Tab[static_cast<std::size_t>(tab)]; }
  std::vector<TGezeichnet> Texte(const QString& t) const {
    std::vector<TGezeichnet> out;
    for (const auto& g : liste)
      if (g.art == TGezeichnet::Text && g.text == t) out.push_back(g);
    return out;
  }
  const TGezeichnet* Bild() const {
    for (const auto& g : liste)
      if (g.art == TGezeichnet::Bild) return &g;
    return nullptr;
  }
  double Oben(const QString& t) const {
    const auto v = Texte(t);
    return v.empty() ? -1.0 : v.front().rect.top();
  }
};

// The summary page of G as the results printout paints it, on a recording page.
TBogen Zeichne(const TavState& g, const QImage& schema = Schema(), QSizeF mm = kA4, int dpi = 300) {
  test::TRecorder seite(mm, dpi);
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsReport, g.plant.Pool);
  d.Rahmen = Rahmen();
  d.Schema = schema;
  {
    QPainter pa(&seite);
    MaleErgebnisSeite(pa, QRectF(QPointF(0, 0), mm), 1, d, g);
  }
  TBogen b;
  for (const test::TPrimitiv& p : seite.Liste()) {
    TGezeichnet g;
    g.art = p.Typ == test::TPrimitiv::Text ? TGezeichnet::Text
            : p.Typ == test::TPrimitiv::Bild ? TGezeichnet::Bild
                                             : TGezeichnet::Anderes;
    g.rect = p.Box;
    g.text = p.Inhalt;
    g.punkt = p.Schrift.pointSizeF();
    g.fett = p.Schrift.bold();
    b.liste.push_back(g);
  }
  b.m = SeitenMasseFuer(seite, QRectF(QPointF(0, 0), mm));
  b.w = seite.Breite();
  b.h = seite.Hoehe();
  b.raster = TUebersichtRaster(b.m.SeitenBreite);
  return b;
}

// Long names and the widest values the right column shows.
void Lang(TavState& g) {
  auto& p = g.plant;
  p.ProjektName = "Mehrfamilienhaus mit solarer Heizungsunterstützung, Schwimmbad und Frischwasserstation Nord";
  p.Info1 = "Bauherr: Wohnungsbaugenossenschaft Sonnenhang eG, Abteilung Haustechnik und Energie";
  p.Info2 = "Planung: Ingenieurbüro für regenerative Energiesysteme, Projektnummer 2026-0815-A";
  p.Standort = "Garmisch-Partenkirchen (Zugspitzplatt, Wetterstation Ost)";
  p.Kollektor = "Hochleistungs-Vakuumroehrenkollektor Sonnenfang Premium XL 30 mit Spiegel";
  p.SpeicherName = "Schichtenspeicher mit Frischwasserstation und Heizungspuffer";
  p.konvEnergie = "Erdgas H (Brennwertkessel mit modulierendem Brenner)";
  p.Warmwasserverbrauch = 99999.0f;
  p.Warmwassertemp = 99.0f;
  p.Kaltwassertemp = 10.0f;
  p.AntiLegionella = true;
  p.SkyMapAktiv = true;
  p.Heizwaermebedarf = 999'999'000.0f;
  p.Heiztauscherleistung = 99999.0f;
  p.HeiztauscherDeltaT = 99.0f;
  p.Heiztemp = 99.0f;
  p.Heizgrenztemp = 99.0f;
  p.MaxTempWinter = 99.0f;
  p.HeizTvor100 = 100.0f;
  p.HeizTrck100 = 100.0f;
  p.PoolVol = 9999.0f;
  p.PoolTemp = 99.0f;
  p.SpeicherAnz = 3;
  p.Speicher1vol = 99999.0f;
  p.Speicher2vol = 99999.0f;
  p.FWEnennleistung = 999999.0f;
}

// Everything inside the page and above the footer line (the footer's two texts on it); the
// right column clear of the left blocks; no text on the picture.
void PruefeSeite(const TBogen& b, const std::string& fall) {
  const double fuss = 59.0 * b.m.ZeilenHoehe;
  const double rechts = b.X(6);
  const double ergebnisse = b.Oben(QString::fromStdString(T(TX::Ergebnisse)));
  ASSERT_GT(ergebnisse, 0.0) << fall;
  const TGezeichnet* bild = b.Bild();
  int fussTexte = 0;
  for (const TGezeichnet& g : b.liste) {
    const std::string was = fall + " \"" + g.text.toStdString() + "\"";
    EXPECT_GE(g.rect.left(), -0.5) << was;
    EXPECT_LE(g.rect.right(), b.w + 0.5) << was;
    EXPECT_LE(g.rect.right(), b.m.RandRechts + 2.5 * b.raster.U + 1.0) << was;
    EXPECT_GE(g.rect.top(), -0.5) << was;
    if (g.rect.top() >= fuss - 0.5) {
      ++fussTexte;
      EXPECT_EQ(g.art, TGezeichnet::Text) << was;
      EXPECT_LE(g.rect.bottom(), b.h + 0.5) << was;
      continue;
    }
    EXPECT_LE(g.rect.bottom(), fuss + 0.5) << was;
    if (g.art != TGezeichnet::Text || g.text.trimmed().isEmpty()) continue;
    if (bild) {
      EXPECT_FALSE(g.rect.adjusted(0.5, 0.5, -0.5, -0.5).intersects(bild->rect)) << was;
    }
    // From the picture's line down to the results: left blocks end before the right column.
    if (g.rect.top() >= P * b.ZK() - 0.5 && g.rect.top() < ergebnisse - 0.5 && g.rect.left() < rechts - 0.5) {
      EXPECT_LE(g.rect.right(), rechts + 0.5) << was;
    }
  }
  EXPECT_EQ(fussTexte, 2) << fall;
}

class DruckUebersichtTest : public ::testing::Test {
 protected:
  void SetUp() override { Texts().LoadDefaults(); }
  void TearDown() override { Texts().LoadDefaults(); }
};

TEST_F(DruckUebersichtTest, EveryPlantStaysOnThePageAboveTheFooterOnBothPapers) {
  struct Variante {
    int typ;
    int kaskade;
    bool ostWest;
    int montage;
  };
  const Variante varianten[] = {{1, 13, false, 1}, {2, 13, true, 1},  {3, 13, false, 2}, {4, 13, false, 3},
                                {5, 13, false, 4}, {5, 14, true, 1},  {6, 13, false, 1}, {7, 13, false, 1},
                                {8, 13, true, 1}};
  for (const Variante& v : varianten)
    for (bool heizung : {false, true})
      for (bool pool : {false, true})
        for (bool lang : {false, true}) {
          TavState g = Basis();
          g.plant.AnlagenTypNr = static_cast<std::uint8_t>(v.typ);
          g.plant.KaskadeTyp = static_cast<std::uint8_t>(v.kaskade);
          g.plant.SolHeizung = heizung;
          g.plant.Pool = pool;
          g.plant.OstWestKollektor = v.ostWest;
          g.plant.KollektorFlaeche2 = v.ostWest ? 6.0f : 0.0f;
          g.plant.KollektorMontage = static_cast<std::uint8_t>(v.montage);
          if (lang) Lang(g);
          for (QSizeF mm : {kA4, kLetter})
            for (int dpi : {100, 300, 1200}) {
              const std::string fall = "Typ " + std::to_string(v.typ) + "/" + std::to_string(v.kaskade) +
                                       (heizung ? " Heizung" : "") + (pool ? " Pool" : "") + (lang ? " lang" : "") +
                                       (mm == kA4 ? " A4 " : " Letter ") + std::to_string(dpi);
              PruefeSeite(Zeichne(g, Schema(), mm, dpi), fall);
              if (HasFailure()) return;
            }
        }
}

// A wrapped line of the right column breaks between terms, never inside one: the heating
// limits "bei T außen < 99°C" and "T speicher,unten > 99°C" stay whole, each on one line.
TEST_F(DruckUebersichtTest, WrappedLinesKeepTheirTermsWhole) {
  for (int typ : {2, 3})
    for (QSizeF mm : {kA4, kLetter}) {
      TavState g = Basis();
      g.plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
      g.plant.SolHeizung = true;
      Lang(g);
      const TBogen b = Zeichne(g, Schema(), mm, 300);
      const QString nbsp(QChar(0x00A0));
      const QString speicher = QString::fromStdString(T(typ == 3 ? TX::T_spu : TX::T_sp)).replace(' ', nbsp) + nbsp + ">";
      const QString aussen = QString::fromStdString(T(TX::bei_T_aussen)).replace(' ', nbsp) + nbsp + "<";
      bool ganz = false;
      for (const auto& t : b.liste) {
        if (t.art != TGezeichnet::Text) continue;
        const QString text = t.text;
        // The last word of a term never ends a line, its first never starts one alone.
        EXPECT_FALSE(text.endsWith(QStringLiteral(" T"))) << typ << ": " << text.toStdString();
        EXPECT_FALSE(text.startsWith(QStringLiteral("speicher"))) << typ << ": " << text.toStdString();
        ganz = ganz || text.contains(speicher);
        if (text.contains(QStringLiteral("außen"))) {
          EXPECT_TRUE(text.contains(aussen)) << typ << ": " << text.toStdString();
        }
      }
      EXPECT_TRUE(ganz) << typ << ": the store's limit in one piece";
    }
}

// A picture taller than the heater's lines allow is made smaller on Letter; on A4 it keeps
// its 77 units.
TEST_F(DruckUebersichtTest, PictureStandsAtItsPlaceAndAnEmptyOneIsSkipped) {
  const TBogen a4 = Zeichne(Basis());
  const TGezeichnet* bild = a4.Bild();
  ASSERT_NE(bild, nullptr);
  EXPECT_NEAR(bild->rect.left(), a4.X(3) - std::lround(2 * a4.raster.U), 1.0);
  EXPECT_NEAR(bild->rect.top(), P * a4.ZK(), 1.0);
  EXPECT_NEAR(bild->rect.width(), std::lround(77 * a4.raster.U), 1.0);
  const TBogen letter = Zeichne(Basis(), Schema(), kLetter);
  ASSERT_NE(letter.Bild(), nullptr);
  EXPECT_LE(letter.Bild()->rect.bottom(), (P + 16) * letter.ZK());
  for (const QImage& leer : {QImage(), QImage(0, 10, QImage::Format_RGB32)}) {
    const TBogen ohne = Zeichne(Basis(), leer);
    EXPECT_EQ(ohne.Bild(), nullptr);
    EXPECT_EQ(ohne.Oben(QString::fromStdString(T(TX::Ergebnisse))),
              a4.Oben(QString::fromStdString(T(TX::Ergebnisse))));
  }
}

TEST_F(DruckUebersichtTest, EmptyInfoLinesKeepThePictureAndEverythingBelowInPlace) {
  TavState mit = Basis();
  mit.plant.Info1 = "Bauherr Muster";
  mit.plant.Info2 = "Architekt Beispiel";
  for (int leer = 0; leer <= 2; ++leer) {
    TavState ohne = mit;
    if (leer >= 1) ohne.plant.Info2.clear();
    if (leer >= 2) ohne.plant.Info1.clear();
    const TBogen a = Zeichne(mit), b = Zeichne(ohne);
    const QString standort = QString::fromStdString(T(TX::Standort));
    EXPECT_NEAR(a.Oben(standort) - b.Oben(standort), leer * a.ZK(), 1.0) << leer;
    std::vector<std::pair<QString, QRectF>> unten_a, unten_b;
    for (const auto* bogen : {&a, &b})
      for (const TGezeichnet& g : bogen->liste)
        if (g.rect.top() >= P * a.ZK() - 0.5)
          (bogen == &a ? unten_a : unten_b).push_back({g.text, g.rect});
    ASSERT_EQ(unten_a.size(), unten_b.size()) << leer;
    for (std::size_t i = 0; i < unten_a.size(); ++i) {
      EXPECT_EQ(unten_a[i].first, unten_b[i].first) << leer;
      EXPECT_EQ(unten_a[i].second, unten_b[i].second) << leer << " " << unten_a[i].first.toStdString();
    }
  }
}

// The module count follows the area, two points smaller and centred on its line.
TEST_F(DruckUebersichtTest, ModuleCountRule) {
  const struct {
    float flaeche, modul;
    bool ostWest;
    const char* zusatz;  // empty: none
  } faelle[] = {
      {10.0f, 2.0f, false, "  (5 Stk)"},   {7.5f, 2.5f, false, "  (3 Stk)"},  {10.005f, 2.0f, false, "  (5 Stk)"},
      {10.02f, 2.0f, false, ""},           {2.0f, 2.0f, false, ""},           {5.0f, 1.0f, false, ""},
      {4.5f, 0.9f, false, ""},             {0.5f, 2.0f, false, ""},           {6.0f, 2.0f, true, "  (6,0+4,5)"},
  };
  for (const auto& f : faelle) {
    TavState g = Basis();
    g.plant.KollektorFlaeche = f.flaeche;
    g.plant.KollModulFlaeche = f.modul;
    g.plant.OstWestKollektor = f.ostWest;
    g.plant.KollektorFlaeche2 = 4.5f;
    g.plant.KollektorFlaecheGesamt = f.ostWest ? 10.5f : f.flaeche;
    const TBogen b = Zeichne(g);
    const std::string flaeche = FloatToCommaStr(1, 2, f.ostWest ? 10.5f : f.flaeche) + " m";
    const auto area = b.Texte(QString::fromStdString(flaeche));
    ASSERT_EQ(area.size(), 1u) << flaeche;
    const TGezeichnet* zusatz = nullptr;
    for (const auto& t : b.liste)
      if (t.art == TGezeichnet::Text && t.text.startsWith("  (")) zusatz = &t;
    if (std::string(f.zusatz).empty()) {
      EXPECT_EQ(zusatz, nullptr) << f.flaeche << " " << f.modul;
      continue;
    }
    ASSERT_NE(zusatz, nullptr) << f.flaeche << " " << f.modul;
    EXPECT_EQ(zusatz->text.toStdString(), f.zusatz);
    EXPECT_DOUBLE_EQ(zusatz->punkt, area[0].punkt - 2);
    EXPECT_GT(zusatz->rect.left(), area[0].rect.right());  // after "m" and its superscript 2
    EXPECT_LT(zusatz->rect.left(), area[0].rect.right() + b.raster.U * 3);
    EXPECT_NEAR(zusatz->rect.center().y(), area[0].rect.center().y(), b.ZK() / 8.0);
  }
}

TEST_F(DruckUebersichtTest, LongCollectorNameOnTwoLines) {
  const std::string lang = "Hochleistungs-Vakuumroehrenkollektor Sonnenfang Premium XL 30 mit Spiegel";
  for (const std::string& name : {std::string("Flachkollektor FK 2.5"), lang}) {
    TavState g = Basis();
    g.plant.Kollektor = name;
    for (QSizeF mm : {kA4, kLetter}) {
      const TBogen b = Zeichne(g, Schema(), mm);
      std::vector<TGezeichnet> zeilen;
      for (const auto& t : b.liste)
        if (t.art == TGezeichnet::Text && t.fett && t.rect.left() < b.m.RandLinks + 1 &&
            t.rect.top() >= P * b.ZK() - 0.5 && t.rect.top() < (P + 3) * b.ZK())
          zeilen.push_back(t);
      if (name != lang) {
        ASSERT_EQ(zeilen.size(), 1u);
        EXPECT_EQ(zeilen[0].text.toStdString(), name);
        continue;
      }
      ASSERT_EQ(zeilen.size(), 2u);
      EXPECT_EQ(zeilen[0].text.toStdString(), SplitTextTwoLines(lang, 1));
      EXPECT_EQ(zeilen[1].text.toStdString(), SplitTextTwoLines(lang, 2));
      EXPECT_NEAR(zeilen[1].rect.top() - zeilen[0].rect.top(), b.ZK(), 1.0);
      EXPECT_EQ(SplitTextTwoLines(lang, 1) + " " + SplitTextTwoLines(lang, 2), lang);
      // Both lines end before the picture.
      for (const auto& z : zeilen) EXPECT_LT(z.rect.right(), b.Bild()->rect.left());
    }
  }
}

// Type 2 heats but shows only the hot-water fraction under "Deckungsrate"; types 3, 6, 7, 8
// show three under "Deckungsraten". Twenty times the yield: the hot-water fraction (the first
// row) prints above 100 %, the total fraction stops at 100,0%.
TEST_F(DruckUebersichtTest, FractionsByPlantType) {
  for (int typ : {1, 2, 3, 6, 7, 8}) {
    TavState g = Basis();
    g.plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    g.plant.SolHeizung = typ != 1;
    g.plant.Pool = false;
    for (int m = 1; m <= 12; ++m) g.results.SolarertragMonat[static_cast<std::size_t>(m)] *= 20.0f;
    const TBogen b = Zeichne(g);
    const bool drei = typ != 1 && typ != 2;
    const QString kopf = QString::fromStdString(T(drei ? TX::Deckungsraten : TX::Deckungsrate));
    const auto koepfe = b.Texte(kopf);
    ASSERT_EQ(koepfe.size(), 1u) << typ;
    const double y0 = koepfe[0].rect.top(), y1 = b.Oben(QString::fromStdString(T(TX::Kennwerte)));
    ASSERT_GT(y1, y0);
    int zeilen = 0, hundert = 0;
    double warmwasser = 0.0, warmwasserOben = y1;
    for (const auto& t : b.liste) {
      if (t.art != TGezeichnet::Text || t.rect.top() < y0 - 0.5 || t.rect.top() >= y1 - 0.5) continue;
      if (std::abs(t.rect.left() - b.X(1)) < 1.0) ++zeilen;
      if (t.rect.left() < b.X(5) - 0.5) continue;
      if (t.text.trimmed() == "100,0%") ++hundert;
      if (t.rect.top() < warmwasserOben) {
        warmwasserOben = t.rect.top();
        warmwasser = t.text.trimmed().chopped(1).replace(',', '.').toDouble();
      }
    }
    EXPECT_EQ(zeilen, drei ? 3 : 1) << typ;
    EXPECT_GT(warmwasser, 100.0) << typ;
    if (drei) {
      EXPECT_GE(hundert, 1) << typ;
    } else {
      EXPECT_EQ(hundert, 0) << typ;
    }
    // Two lines above: the space-heating rows of the demand block, with heating only.
    EXPECT_EQ(b.Texte(QString::fromStdString(Texts().GesamtGross)).empty(), typ == 1) << typ;
  }
}

// From the page's size down a point at a time until the widest line fits the text width
// plus 2.5 units; at 6 points the shrinking stops and a line still too wide is cut there.
TEST_F(DruckUebersichtTest, DisclaimersShrinkToSixPointsAtTheMost) {
  const std::string satz = " Die Ergebnisse sind Rechenwerte und keine zugesicherten Eigenschaften der Anlage.";
  const struct {
    std::string anhang;
    bool sechs;  // only 6 points, and cut
  } faelle[] = {{"", false}, {" (2026)", false}, {satz + satz + satz, true}};
  for (const auto& f : faelle) {
    Texts().LoadDefaults();
    Texts().Set(TX::ReportDisclaimer2, T(TX::ReportDisclaimer2) + f.anhang);
    for (QSizeF mm : {kA4, kLetter}) {
      const TBogen b = Zeichne(Basis(), Schema(), mm);
      const double oben = (P + 41) * b.ZK() - 1.0, fuss = 59.0 * b.m.ZeilenHoehe - 1.0;
      std::vector<TGezeichnet> zeilen;
      for (const auto& t : b.liste)
        if (t.art == TGezeichnet::Text && t.rect.top() >= oben && t.rect.top() < fuss) zeilen.push_back(t);
      ASSERT_EQ(zeilen.size(), 5u) << f.anhang;
      const double punkt = zeilen[0].punkt;
      const double grenze = b.m.RandRechts - b.m.RandLinks + std::lround(2.5 * b.raster.U);
      double breitest = 0.0;
      for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(zeilen[k].punkt, punkt);
        EXPECT_NEAR(zeilen[k].rect.left(), b.m.RandLinks, 1.0);
        EXPECT_NEAR(zeilen[k].rect.top(), std::trunc((P + 41 + 0.9 * static_cast<double>(k)) * b.ZK()), 1.0) << k;
        breitest = std::max(breitest, zeilen[k].rect.width());
      }
      EXPECT_LE(breitest, grenze + 1.0) << f.anhang;
      EXPECT_GE(punkt, 6.0);
      EXPECT_LE(punkt, 10.0);
      EXPECT_EQ(zeilen[1].text.endsWith(QChar(0x2026)), f.sechs) << zeilen[1].text.toStdString();
      if (f.sechs) {
        EXPECT_EQ(punkt, 6.0);
      } else {
        EXPECT_EQ(zeilen[1].text.toStdString(), T(TX::ReportDisclaimer2));
        // One point larger would not have fitted.
        if (punkt < 10.0) {
          EXPECT_GT(breitest * (punkt + 1) / punkt, grenze * 0.97) << punkt;
        }
      }
    }
  }
}

// The cascade names the heater-side boiler only when it has one; otherwise the solar store and
// the flow heater, as the screen report says.
TEST_F(DruckUebersichtTest, CascadeStoresFollowTheCascadeKind) {
  const QString boiler = QString::fromStdString("(" + T(TX::Boiler) + ", " + T(TX::kesselseitig) + ")");
  for (int kaskade : {13, 14}) {
    TavState g = Basis();
    g.plant.AnlagenTypNr = 5;
    g.plant.SolHeizung = false;
    g.plant.KaskadeTyp = static_cast<std::uint8_t>(kaskade);
    g.plant.Speicher2vol = 400.0f;
    const TBogen b = Zeichne(g);
    EXPECT_EQ(b.Texte(boiler).size(), kaskade == 13 ? 1u : 0u);
    EXPECT_EQ(b.Texte(QString::fromStdString(T(TX::Durchlauferhitzer))).size(), kaskade == 13 ? 0u : 1u);
    EXPECT_EQ(b.Texte(QString::fromStdString(T(TX::Solarspeicher))).size(), kaskade == 13 ? 0u : 1u);
    EXPECT_EQ(b.Texte(QString::fromStdString("400 " + T(TX::Liter))).size(), 1u) << kaskade;
  }
}

// A plant without results, demand, area or temperature difference, and pool days outside the
// year: dashes, never an infinite or undefined number, and the sheet still on its page.
TEST_F(DruckUebersichtTest, NothingToDivideByPrintsDashes) {
  TavState g = Basis();
  g.results = ResultState{};
  g.plant.KollektorFlaecheGesamt = 0.0f;
  g.plant.KollektorFlaeche = 0.0f;
  g.plant.Warmwassertemp = g.plant.Kaltwassertemp = 10.0f;
  g.plant.PoolStart = 0;
  g.plant.PoolEnde = 400;
  g.plant.SolHeizung = true;
  g.plant.AnlagenTypNr = 3;
  const TBogen b = Zeichne(g);
  int striche = 0;
  for (const auto& t : b.liste) {
    EXPECT_FALSE(t.text.contains(QRegularExpression(QStringLiteral("\\b(inf|nan)\\b"))))
        << t.text.toStdString();
    striche += t.text.contains(QChar(0x2013)) ? 1 : 0;
  }
  // Litres per day, the pool days' line, the hot-water and total fractions, efficiency and
  // specific yield (the heating fraction is 0 without a heated share).
  EXPECT_EQ(striche, 6);
  PruefeSeite(b, "leer");
  // A dash of the results stands in the column of the numbers it replaces (the same plant
  // with results and an area has numbers on the same rows), not at the column's left edge.
  TavState mitZahlen = g;
  mitZahlen.results = Basis().results;
  mitZahlen.plant.KollektorFlaecheGesamt = Basis().plant.KollektorFlaecheGesamt;
  const TBogen zahlen = Zeichne(mitZahlen);
  for (TX zeile : {TX::Wirkungsgrad, TX::SpezKollErtrag}) {
    const double oben = b.Oben(QString::fromStdString(T(zeile)));
    ASSERT_GT(oben, 0.0);
    ASSERT_EQ(zahlen.Oben(QString::fromStdString(T(zeile))), oben);
    const auto wert = [&](const TBogen& bogen) {
      for (const auto& t : bogen.liste)
        if (t.art == TGezeichnet::Text && t.rect.top() == oben && t.rect.left() > bogen.X(5) - 1.0) return t.rect;
      return QRectF();
    };
    const QRectF strich = wert(b), zahl = wert(zahlen);
    ASSERT_FALSE(strich.isEmpty() || zahl.isEmpty()) << T(zeile);
    EXPECT_GT(strich.center().x(), zahl.left()) << T(zeile);
    EXPECT_LT(strich.center().x(), zahl.right()) << T(zeile);
  }
}

// A heating plant without heating demand prints a heating fraction of 0, as the balance shows
// it, not a dash.
TEST_F(DruckUebersichtTest, NoHeatingDemandPrintsAHeatingFractionOfZero) {
  TavState g = Basis();
  g.plant.AnlagenTypNr = 3;
  g.plant.SolHeizung = true;
  g.plant.Heizwaermebedarf = 0.0f;
  ASSERT_GE(g.results.HeizanteilMonat[13], 0.002f);
  const TBogen b = Zeichne(g);
  const double oben = b.Oben(QString::fromStdString(T(TX::Heizung)));
  ASSERT_GT(oben, 0.0);
  bool null = false;
  for (const auto& t : b.liste)
    if (t.rect.top() == oben && t.rect.left() > b.X(5) - 1.0) null = t.text == QStringLiteral("0,0%");
  EXPECT_TRUE(null);
}

// A picture of the sheet for a person to look at: a heating plant with pool and long names.
TEST_F(DruckUebersichtTest, PictureOfTheSheet) {
  TavState g = Basis();
  g.plant.AnlagenTypNr = 3;
  g.plant.SolHeizung = true;
  g.plant.AntiLegionella = true;
  g.plant.KollModulFlaeche = 2.5f;
  g.plant.KollektorFlaeche = 12.5f;
  g.plant.KollektorFlaecheGesamt = 12.5f;
  g.plant.Info1 = "Bauherr: Familie Muster";
  for (int m = 1; m <= 12; ++m)  // daily means, kWh/m²
    g.loc.EinstrahlungMonat[static_cast<std::size_t>(m)] = static_cast<float>(1.0 + 4.0 * std::sin(3.14159 * (m - 0.5) / 12.0));
  g.plant.Kollektor = "Hochleistungs-Vakuumroehrenkollektor Sonnenfang Premium XL 30";
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(dsReport, g.plant.Pool);
  d.Rahmen = Rahmen();
  d.Schema = Schema();
  for (bool letter : {false, true}) {
    const QImage bild =
        SeitenBild([&](QPainter& pa, const QRectF& mm, int n) { MaleErgebnisSeite(pa, mm, n, d, g); }, 1, 150, letter);
    QDir().mkpath(TAV_SCREENS_DIR);
    EXPECT_TRUE(bild.save(QStringLiteral(TAV_SCREENS_DIR "/Print-Uebersicht-%1.png").arg(letter ? "Letter" : "A4")));
  }
}

}  // namespace
}  // namespace tav
