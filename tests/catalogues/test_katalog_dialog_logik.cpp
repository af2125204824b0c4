#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogues/KatalogDialogLogik.h"
#include "foundation/TavVar.h"

namespace tav {
namespace {

TEST(KatalogDialogLogik, TypeAheadFromFocusedRowWrapsAndDropsMisses) {
  const std::vector<std::string> rows = {"", "Berlin", "München", "Mulhouse", "Mannheim", "Basel"};
  std::string such;
  EXPECT_EQ(TypeAhead(rows, 1, 3, such, U'm'), 3);  // the focused row is tried first
  EXPECT_EQ(TypeAhead(rows, 1, 3, such, U'ü'), 2);  // wraps past the end to row 1
  EXPECT_EQ(such, "MÜ");
  EXPECT_EQ(TypeAhead(rows, 1, 2, such, U'x'), std::nullopt);
  EXPECT_EQ(such, "MÜ");  // the letter that matched nothing is dropped
  std::string such2;
  EXPECT_EQ(TypeAhead(rows, 1, 5, such2, U'b'), 5);
  EXPECT_FALSE(IstSuchBuchstabe(U'#'));
  EXPECT_TRUE(IstSuchBuchstabe(U'ß'));
}

TEST(KatalogDialogLogik, AddCopyNamesAndUndoRestoreTheList) {
  std::vector<TOrt> liste(6);
  int anzahl = 3;
  liste[1].Name = "A";
  liste[2].Name = std::string(40, 'x');
  liste[3].Name = "C";
  const std::vector<TOrt> vorher = liste;
  FuegeKopieEin(liste, anzahl, 2, &TOrt::Name, "neu");
  EXPECT_EQ(anzahl, 4);
  EXPECT_EQ(liste[2].Name, std::string(31, 'x') + "... (neu)");
  EXPECT_EQ(liste[3].Name, std::string(40, 'x'));
  EXPECT_EQ(liste[4].Name, "C");
  NimmKopieZurueck(liste, anzahl, 2);
  EXPECT_EQ(anzahl, 3);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(liste[i].Name, vorher[i].Name) << i;
  std::string kurz = "Kurz";
  ShortenWithEllipsis(kurz, "neu");
  EXPECT_EQ(kurz, "Kurz (neu)");
}

TEST(KatalogDialogLogik, DeleteShiftsTheProjectsEntry) {
  const struct { int nr, d, anzahl, erwartet; bool geloescht; } faelle[] = {
      {5, 2, 5, 4, false},  // above the deleted row: one down
      {2, 5, 5, 2, false},  // below: unchanged
      {3, 3, 5, 3, true},   // itself: its successor
      {6, 6, 5, 5, true},   // the last row itself: the new last
  };
  for (const auto& f : faelle) {
    bool geloescht = false;
    EXPECT_EQ(NrNachLoeschen(f.nr, f.d, f.anzahl, geloescht), f.erwartet) << f.nr << "/" << f.d;
    EXPECT_EQ(geloescht, f.geloescht);
  }
  std::vector<TKollektor> liste(5);
  std::int16_t anzahl = 3;
  for (int i = 1; i <= 3; ++i) liste[i].Name = std::to_string(i);
  LoescheEintrag(liste, anzahl, 1);
  EXPECT_EQ(anzahl, 2);
  EXPECT_EQ(liste[1].Name, "2");
  EXPECT_EQ(liste[2].Name, "3");
}

TEST(KatalogDialogLogik, MonthlySumsBecomeDailyMeansAndTimeZonesHaveLabels) {
  EXPECT_DOUBLE_EQ(TagesmittelAusEingabe(155, 1), 5.0);
  EXPECT_DOUBLE_EQ(TagesmittelAusEingabe(56, 2), 2.0);
  EXPECT_DOUBLE_EQ(TagesmittelAusEingabe(10, 3), 10.0);
  EXPECT_DOUBLE_EQ(TagesmittelAusEingabe(100, 4), 3.33);
  EXPECT_EQ(ZeitzoneText(0), "(UTC/GMT)");
  EXPECT_EQ(ZeitzoneText(1), "(CET/MEZ)");
  EXPECT_EQ(ZeitzoneText(2), "(UTC+2)");
  EXPECT_EQ(ZeitzoneText(3), "(MSK)");
  EXPECT_EQ(ZeitzoneText(5), "");
  EXPECT_NE(ZeitzoneText(kKeineZeitzone), "");  // "none" is offered as such
}

int Gefuellt(const SkyMapGrid& g) {
  int n = 0;
  for (auto c : g) n += c;
  return n;
}

TEST(KatalogDialogLogik, ShadingMapPaintsColumnsAndRasterisesObjects) {
  SkyMapGrid g{};
  MaleSkySpalte(g, 36, 10, false, true);  // Ctrl: down to the horizon
  for (int j = 0; j < 18; ++j) EXPECT_EQ(SkyZelle(g, 36, j), j >= 10) << j;
  EXPECT_EQ(g[SkyMapIndex(37, 1)], 1);  // the bottom row is the lowest band
  MaleSkySpalte(g, 36, 12, true, false);  // right button erases one cell
  EXPECT_FALSE(SkyZelle(g, 36, 12));
  EXPECT_TRUE(SkyZelle(g, 36, 13));
  MaleSkySpalte(g, 72, 0, false, true);  // outside: nothing
  MaleSkySpalte(g, 0, 18, false, true);
  EXPECT_EQ(Gefuellt(g), 7);

  SkyMapGrid leer{};
  EXPECT_EQ(SkyObjektEintragen(leer, 10, 10, 0, 0), 0);
  EXPECT_EQ(Gefuellt(leer), 0);

  // A wide object due south: columns on both sides of south, lower towards its edges.
  SkyMapGrid o{};
  const int n = SkyObjektEintragen(o, 10, 10, 20, 0);
  EXPECT_EQ(n, 45);
  auto hoehe = [&](int k) {
    for (int j = 0; j < 18; ++j)
      if (SkyZelle(o, k, j)) return 18 - j;
    return 0;
  };
  EXPECT_GT(hoehe(36), 0);            // just west of south
  EXPECT_GT(hoehe(35), 0);            // just east of south
  EXPECT_GE(hoehe(36), hoehe(44));    // lower outward
  EXPECT_EQ(hoehe(36 + 10), 0);       // beyond the half width
  EXPECT_EQ(hoehe(0), 0);             // north stays open
}

TEST(KatalogDialogLogik, PasteParserReportsTheFirstBadLinePerColumn) {
  auto text = [](int zeilen, const std::string& zeile) {
    std::string t;
    for (int i = 0; i < zeilen; ++i) t += zeile + "\n";
    return t;
  };
  auto r = ParseMessdaten(text(8760, "100"), false);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.zeile1, "Koll. 1: 8760 Stundenwerte übernommen");
  EXPECT_EQ(r.zeile2, "");
  EXPECT_FLOAT_EQ(r.feld1[1], 100.0f);
  EXPECT_FLOAT_EQ(r.feld1[8760], 100.0f);

  r = ParseMessdaten(text(8760, "100"), true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.zeile2, "Koll. 2: Fehler in Zeile 1");

  r = ParseMessdaten(text(8760, "12,5\t3,0"), true);
  EXPECT_TRUE(r.ok);
  EXPECT_FLOAT_EQ(r.feld1[1], 12.5f);
  EXPECT_FLOAT_EQ(r.feld2[1], 3.0f);

  std::string t = text(99, "1") + "x\n" + text(8660, "1");
  r = ParseMessdaten(t, false);
  EXPECT_EQ(r.zeile1, "Koll. 1: Fehler in Zeile 100");
  EXPECT_FALSE(r.ok);

  t = text(199, "1\t2") + "1\t-2\n" + text(8560, "1\t2");
  r = ParseMessdaten(t, true);  // negative values are refused with their line
  EXPECT_EQ(r.zeile2, "Koll. 2: Fehler in Zeile 200");

  r = ParseMessdaten(text(8759, "1"), false);
  EXPECT_TRUE(r.zuWenige);
  EXPECT_EQ(r.zeile1, "Zu wenige Datenzeilen!");
  EXPECT_FALSE(r.ok);

  EXPECT_TRUE(MessdatenSchalter({"-m"}));
  EXPECT_TRUE(MessdatenSchalter({"-M"}));
  EXPECT_FALSE(MessdatenSchalter({"-M", "x"}));
  EXPECT_FALSE(MessdatenSchalter({}));
}

TEST(KatalogDialogLogik, CollectorFieldNumbers) {
  std::string meldung;
  EXPECT_FLOAT_EQ(BegrenzeFlaeche(0.3f, meldung), 0.5f);
  EXPECT_NE(meldung.find("0,5 m²"), std::string::npos);
  EXPECT_FLOAT_EQ(BegrenzeFlaeche(400.0f, meldung), 299.9f);
  EXPECT_NE(meldung.find("300,00 m²"), std::string::npos);
  EXPECT_FLOAT_EQ(BegrenzeFlaeche(12.0f, meldung), 12.0f);
  EXPECT_TRUE(meldung.empty());
  EXPECT_FLOAT_EQ(AzimutGegenueber(100), -80);
  EXPECT_FLOAT_EQ(AzimutGegenueber(-100), 80);
  EXPECT_FLOAT_EQ(AzimutGegenueber(0), 180);
  EXPECT_EQ(StandardFlow("Typ K3 Vakuum"), 30);
  EXPECT_EQ(StandardFlow("Flach 2000"), 20);
  EXPECT_NEAR(CurveEta(800, 40, 0.01f, 4, 0.8f), 0.58f, 1e-6);
  EXPECT_NEAR(CurveEta(800, 80, 0.01f, 4, 0.8f), 0.32f, 1e-6);
  EXPECT_NEAR(CurveEta(800, 80, 0, 4, 0.8f), 0.4f, 1e-6);
  EXPECT_EQ(CurveEta(800, 200, 0.01f, 4, 0.8f), 0.0f);
}

}  // namespace
}  // namespace tav
