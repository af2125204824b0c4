// The project wizard offscreen on temporary folders: page order and the pages each plant kind
// shows, OK continuing the main window's chain, Cancel after a complete sizing with a new
// location putting plant, location and weather back byte for byte, and a picture per page.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/Befehle.h"
#include "app/FormPrjAssistent.h"
#include "project/ProjektDatei.h"
#include "project/ProjektRecord.h"
#include "project/ProjektSkyMap.h"
#include "catalogues/SolPaket.h"
#include "foundation/CodePage.h"
#include "foundation/Sums.h"
#include "foundation/TextTable.h"
#include "foundation/TavUtil.h"
#include "support/gui/Kuerzel.h"
#include "tests/app/AppFixture.h"
#include "tests/foundation/ui/ModalDriver.h"
#include "simulation/DayDriver.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

// The program's start-up with the fixture's plant and clear-sky weather at the project's
// location; a location change brings a dimmer sky, as new weather years would.
struct AssistentWelt {
  test::AppFixture app;
  TFormPrjAssistent* f = nullptr;
  int ortWechsel = 0;
  explicit AssistentWelt(bool englisch = false) {
    if (englisch)
      Texts().LoadTexts(std::filesystem::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en"));
    TavState& g = G();
    test::SetzeTrinkwasserAnlage(g);
    test::FuelleKlarhimmelWetter(g.weather);
    for (int m = 1; m <= 12; ++m) g.loc.EinstrahlungMonat[m] = 1.0 + 3.5 * std::sin(3.14159 * (m - 0.5) / 12.0);
    g.run.SolarklimadatenOK = true;
    g.settings.SimJahre = 3;
    g.plant.OrtNr = 1;
    g.plant.KollektorNr = 1;
    g.plant.HeizTnorm = -14.0f;
    g.plant.Heizwaermebedarf = 9e6f;
    f = FormPrjAssistent(app.window.get());
    f->Hooks.OrtWaehlen = [this](TavState& s, int ort, StatusSink& status) {
      ++ortWechsel;
      status.Progress("50%");
      s.plant.OrtNr = ort;
      test::WetterParameter dunkel;
      dunkel.truebung = 0.7;
      dunkel.tempMittel = 6.0;
      test::FuelleKlarhimmelWetter(s.weather, dunkel);
      s.run.SolarklimadatenOK = true;
      return true;
    };
    f->resize(1000, 620);
  }
  int Seite() const { return f->PageControl1->currentIndex(); }
  void Zeige() {
    f->FormShow();
    f->show();
    QApplication::processEvents();
  }
  // Shown, on to the demand page, and the hot-water design sized; with Kombi for a plant that
  // also heats (9000 kWh a year).
  void ZurTWWAuslegung(bool kombi = false) {
    Zeige();
    f->BitBtnForward->click();
    f->BitBtnForward->click();
    f->CheckBoxSolarKombi->setChecked(kombi);
    if (kombi) f->EditQheiz->setText("9000");
    f->BitBtnForward->click();
  }
};

// Each entry, left, gives one message and the field the limit it broke.
struct Grenzfall {
  QLineEdit* feld;
  const char* eingabe;
  const char* danach;
};
void PruefeGrenzen(AssistentWelt& w, const std::vector<Grenzfall>& faelle) {
  for (const Grenzfall& c : faelle) {
    SCOPED_TRACE(c.feld->objectName().toStdString() + " " + c.eingabe);
    w.app.msgs->shown.clear();
    c.feld->setFocus();
    c.feld->setText(c.eingabe);
    emit c.feld->editingFinished();
    EXPECT_EQ(c.feld->text(), c.danach);
    EXPECT_EQ(w.app.msgs->shown.size(), 1u) << w.app.msgs->All();
  }
}

TEST(FormPrjAssistent, PagesInOrderAndEachPlantKindsPages) {
  ASSERT_GE(G().cat.OrtAnzahl, 0);
  AssistentWelt w;
  ASSERT_GE(G().cat.KollektorAnzahl, 1);
  ASSERT_GE(G().cat.OrtAnzahl, 2);
  TFormPrjAssistent& f = *w.f;
  w.Zeige();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sStart);
  EXPECT_EQ(G().settings.SimJahre, 1);
  EXPECT_FALSE(f.BitBtnBackward->isEnabled());
  EXPECT_FALSE(f.ButtonOK->isVisible());
  test::Grab(&f, "FormPrjAssistent-Start");

  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sKollektor);
  EXPECT_EQ(f.Schritt, 2);
  EXPECT_EQ(w.ortWechsel, 0);  // the same location: no new weather
  const QLabel* bild = f.findChild<QLabel*>("ImageKollSpezial");
  ASSERT_TRUE(bild);
  EXPECT_FALSE(bild->pixmap().isNull());  // the selected collector's picture
  test::Grab(&f, "FormPrjAssistent-Kollektortyp");
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
  f.CheckBoxSolarKombi->setChecked(false);
  f.EditTWW_Liter->setText("45");
  f.EditT_WW->setText("55");
  EXPECT_EQ(f.EditTWWkWh->text(), "2,36");
  EXPECT_EQ(f.EditTWWkWhJahr->text(), "860");
  EXPECT_FALSE(f.EditQheiz->isVisible());
  f.EditTWW_Liter->setText("200");
  // The units beside the fields read as one column: none starts with a blank.
  for (const char* n : {"LabelTWWEinheit", "LabelT_WWEinheit", "LabelTWWkWhEinheit", "LabelTWWkWhJahrEinheit"}) {
    const QLabel* einheit = f.findChild<QLabel*>(n);
    ASSERT_TRUE(einheit) << n;
    EXPECT_FALSE(einheit->text().isEmpty()) << n;
    EXPECT_EQ(einheit->text(), einheit->text().trimmed()) << n;
  }
  test::Grab(&f, "FormPrjAssistent-Waermebedarf");

  // Hot water only: the design page is the last one and OK takes it.
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_EQ(f.Schritt, 4);
  EXPECT_TRUE(f.ButtonOK->isVisible());
  EXPECT_FALSE(f.BitBtnForward->isEnabled());
  EXPECT_GT(f.Dim().Ring[0][0], 0.0f);
  EXPECT_FALSE(f.LabelDeckrateWert->text().startsWith("0,0"));
  EXPECT_EQ(G().run.RechenModus, 3);
  test::Grab(&f, "FormPrjAssistent-DimTWW");

  // Back empties the design; with the combi box the heating page follows.
  f.BitBtnBackward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
  EXPECT_FALSE(f.ButtonOK->isVisible());
  EXPECT_EQ(f.Dim().Ring[0][0], 0.0f);
  f.CheckBoxSolarKombi->setChecked(true);
  f.EditQheiz->setText("9000");
  EXPECT_TRUE(f.EditQheiz->isVisible());
  // The short area-factor field ends where the other fields end, its arrows right beside it.
  for (const QWidget* feld : {static_cast<QWidget*>(f.EditQheiz), static_cast<QWidget*>(f.EditQsumme),
                              static_cast<QWidget*>(f.EditThzgrz), static_cast<QWidget*>(f.EditTWW_Liter)})
    EXPECT_EQ(f.EditKAfaktor->geometry().right(), feld->geometry().right()) << feld->objectName().toStdString();
  EXPECT_LE(f.SpeedButtonupf->mapTo(&f, QPoint(0, 0)).x() - f.EditKAfaktor->mapTo(&f, QPoint(f.EditKAfaktor->width(), 0)).x(), 20);
  test::Grab(&f, "FormPrjAssistent-Waermebedarf-Kombi");
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_FALSE(f.ButtonOK->isVisible());
  EXPECT_TRUE(f.BitBtnForward->isEnabled());
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  EXPECT_EQ(f.Schritt, 5);
  EXPECT_TRUE(f.ButtonOK->isVisible());
  EXPECT_EQ(G().plant.AnlagenTypNr, 6);
  EXPECT_TRUE(w.app.msgs->shown.empty()) << w.app.msgs->All();  // every run could start
  EXPECT_LE(G().plant.KollektorFlaeche, f.Dim().ZielFlaeche * G().plant.KAfaktor / 10.0f + 1e-3f);
  test::Grab(&f, "FormPrjAssistent-DimSolHeiz");
  // From the heating page back goes straight to the demand page.
  f.BitBtnBackward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
  f.BitBtnForward->click();
  f.BitBtnForward->click();

  // OK keeps the plant, continues the chain, restores the years and the design temperature
  // with a nominal power that matches it.
  f.ButtonOK->click();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_TRUE(G().run.WeiterModus);
  EXPECT_TRUE(G().run.ProjektGeaendert);
  EXPECT_EQ(G().settings.SimJahre, 3);
  EXPECT_EQ(G().plant.AnlagenTypNr, 6);
  EXPECT_FLOAT_EQ(G().plant.HeizTnorm, -14.0f);
  TavState kontrolle = G();
  EXPECT_NEAR(HeizleistungFuer(kontrolle, -14.0f), G().plant.HeizQnorm, 1.0f);
}

TEST(FormPrjAssistent, CancelAfterASizingWithANewLocationChangesNothing) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  // The user's shading: the sizing runs without it, Cancel gives it back with its map.
  G().plant.SkyMapAktiv = true;
  G().plant.SkyMapDaten[SkyMapIndex(36, 2)] = 1;
  TavState vorher = G();
  w.Zeige();
  f.StringGridOrte->setCurrentCell(1, 0);
  EXPECT_EQ(f.StringGridOrte->currentColumn(), 1);  // the type-ahead column is the name
  f.BitBtnForward->click();
  EXPECT_EQ(w.ortWechsel, 1);
  f.BitBtnForward->click();
  f.CheckBoxSolarKombi->setChecked(true);
  f.EditQheiz->setText("9000");
  f.BitBtnForward->click();
  f.SpeedButtonup->click();
  f.SpeedButtonup2->click();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  ASSERT_NE(G().plant.AnlagenTypNr, vorher.plant.AnlagenTypNr);
  f.ButtonCancel->click();
  EXPECT_EQ(f.result(), QDialog::Rejected);

  const TavState& g = G();
  EXPECT_TRUE(g.run.Abbruch);
  EXPECT_FALSE(g.run.WeiterModus);
  EXPECT_EQ(g.settings.SimJahre, 3);
  EXPECT_EQ(g.plant.OrtNr, vorher.plant.OrtNr);
  EXPECT_EQ(g.weather.WetterDaten.Werte, vorher.weather.WetterDaten.Werte);
  EXPECT_EQ(g.results.StundenErgebnis.Werte, vorher.results.StundenErgebnis.Werte);
  // The project as it would be stored: every key line the same.
  TProjekt a, b;
  FillProjekt(g.plant, a, 0.0);
  FillProjekt(vorher.plant, b, 0.0);
  EXPECT_EQ(ProjektZeilen(a, g.plant), ProjektZeilen(b, vorher.plant));
  EXPECT_EQ(std::memcmp(&g.plant.KollektorFlaeche, &vorher.plant.KollektorFlaeche, sizeof(float)), 0);
  EXPECT_EQ(g.plant.AnlagenTypNr, vorher.plant.AnlagenTypNr);
  EXPECT_EQ(g.plant.Speicher1vol, vorher.plant.Speicher1vol);
  EXPECT_EQ(g.plant.Speicher2vol, vorher.plant.Speicher2vol);
  EXPECT_EQ(g.plant.HeizQnorm, vorher.plant.HeizQnorm);
  EXPECT_EQ(g.plant.Kollektor, vorher.plant.Kollektor);
  EXPECT_EQ(g.plant.ZeitZoom, vorher.plant.ZeitZoom);
  EXPECT_EQ(g.loc.GeoBreite, vorher.loc.GeoBreite);
  EXPECT_EQ(g.run.SolarklimadatenOK, vorher.run.SolarklimadatenOK);
  EXPECT_EQ(g.run.ProjektGeaendert, vorher.run.ProjektGeaendert);
  EXPECT_TRUE(g.plant.SkyMapAktiv);
  EXPECT_EQ(g.plant.SkyMapDaten, vorher.plant.SkyMapDaten);
}

// A location whose weather could not be made holds the start page: no sizing runs on the
// years of the location before, and "weiter" tries the synthesis again.
TEST(FormPrjAssistent, ALocationWithoutWeatherHoldsTheStartPage) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  const std::vector<float> wetter = G().weather.WetterDaten.Werte;
  bool gelingt = false;
  f.Hooks.OrtWaehlen = [&](TavState& s, int ort, StatusSink&) {
    ++w.ortWechsel;
    s.plant.OrtNr = ort;
    s.run.SolarklimadatenOK = gelingt;  // a failed synthesis leaves the store as it was
    return true;
  };
  w.Zeige();
  f.StringGridOrte->setCurrentCell(1, 0);
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sStart);
  f.BitBtnForward->click();  // the same row again: its weather is still missing
  EXPECT_EQ(w.ortWechsel, 2);
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sStart);
  EXPECT_EQ(G().weather.WetterDaten.Werte, wetter);
  gelingt = true;
  f.BitBtnForward->click();
  EXPECT_EQ(w.ortWechsel, 3);
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sKollektor);
}

// A variant whose run is refused after the first sizing shows no figures of that run (the
// cleared results would read as 0 %) and the wizard says that it was not computed.
TEST(FormPrjAssistent, ARefusedVariantRunIsSaidAndShowsNoFigures) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  w.ZurTWWAuslegung();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  ASSERT_GT(f.Dim().Ring[0][0], 0.0f);
  const auto ring = f.Dim().Ring;
  const StillerLauf echt = f.Lauf;
  f.Lauf = [](TavState& g) {
    g.results = ResultState{};  // as a run whose figures stopped being numbers leaves them
    return false;
  };
  f.SpeedButtonup->click();
  EXPECT_EQ(f.LabelDeckrateWert->text(), "– %");
  EXPECT_EQ(f.LabelStatus->text(), "Simulation nicht ausgeführt: für diese Variante gibt es kein Ergebnis (–).");
  EXPECT_EQ(f.Dim().Ring, ring);
  EXPECT_FALSE(f.ButtonOK->isVisible());  // no OK for figures no run gave
  test::Grab(&f, "FormPrjAssistent-DimTWW-nichtGerechnet");
  // The next step that runs shows its fraction, and the note goes.
  f.Lauf = echt;
  f.SpeedButtonup->click();
  EXPECT_NE(f.LabelDeckrateWert->text(), "– %");
  EXPECT_FALSE(f.LabelDeckrateWert->text().startsWith("0,0"));
  EXPECT_TRUE(f.LabelStatus->text().isEmpty());
  EXPECT_TRUE(f.ButtonOK->isVisible());
  f.ButtonCancel->click();
}

// A hot-water design whose runs the engine refuses (it says why) is no design: no OK, no
// "weiter" to the heating sizing, no figures.
TEST(FormPrjAssistent, ARefusedDesignOffersNoOkAndNoWeiter) {
  for (const bool kombi : {false, true}) {
    SCOPED_TRACE(kombi);
    AssistentWelt w;
    TFormPrjAssistent& f = *w.f;
    const StillerLauf echt = f.Lauf;
    f.Lauf = [](TavState&) { return false; };
    w.ZurTWWAuslegung(kombi);
    ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
    EXPECT_FALSE(f.ButtonOK->isVisible());
    EXPECT_FALSE(f.BitBtnForward->isEnabled());
    EXPECT_EQ(f.LabelDeckrateWert->text(), "– %");
    f.BitBtnForward->click();
    EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
    f.Lauf = echt;
    f.ButtonCancel->click();
  }
}

// Leaving a field towards Cancel checks nothing, but "weiter" and OK check their page whatever
// has the focus: the message, the field's limit, and nothing taken into the plant.
TEST(FormPrjAssistent, WeiterAndOkCheckTheirPageWhateverHasTheFocus) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  struct Fall {
    int seite;
    QLineEdit* feld;
    const char* eingabe;
    const char* danach;
  };
  const std::vector<Fall> faelle = {
      {TFormPrjAssistent::sKollektor, f.EditAz, "-400", "-180,0"},
      {TFormPrjAssistent::sKollektor, f.EditAz, "Süd", "-180,0"},
      {TFormPrjAssistent::sKollektor, f.EditNg, "1e40", "90"},
      {TFormPrjAssistent::sQbedarf, f.EditQheiz, "1e40", "100000000"},
      {TFormPrjAssistent::sQbedarf, f.EditQheiz, "viel", "0"},
      {TFormPrjAssistent::sQbedarf, f.EditT_WW, "heiß", "15"},
      {TFormPrjAssistent::sDimSolHeiz, f.EditKollA_hz, "1e40", ""},
      {TFormPrjAssistent::sDimSolHeiz, f.EditKollA_hz, "-5", ""},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.feld->objectName().toStdString() + " " + c.eingabe);
    w.Zeige();
    f.CheckBoxSolarKombi->setChecked(true);
    f.EditQheiz->setText("9000");
    while (w.Seite() != c.seite) f.BitBtnForward->click();
    const PlantState vorher = G().plant;
    const QString inKraft = c.feld->text();
    w.app.msgs->shown.clear();
    c.feld->setFocus();
    c.feld->setText(c.eingabe);
    f.ButtonCancel->setFocus();
    emit c.feld->editingFinished();
    EXPECT_TRUE(w.app.msgs->shown.empty()) << w.app.msgs->All();
    // Alt+W's "weiter", or OK on the last page, with the focus on Cancel.
    (c.seite == TFormPrjAssistent::sDimSolHeiz ? f.ButtonOK : f.BitBtnForward)->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(w.Seite(), c.seite);
    EXPECT_EQ(w.app.msgs->shown.size(), 1u) << w.app.msgs->All();
    EXPECT_EQ(c.feld->text(), *c.danach ? QString(c.danach) : inKraft);
    EXPECT_TRUE(c.feld->hasFocus());
    EXPECT_EQ(G().plant.KollektorAzimut, vorher.KollektorAzimut);
    EXPECT_EQ(G().plant.Heizwaermebedarf, vorher.Heizwaermebedarf);
    EXPECT_EQ(G().plant.KollektorFlaeche, vorher.KollektorFlaeche);
    f.ButtonCancel->click();
  }
  // The heating demand at the project file's bound is taken, and stored as a number.
  w.Zeige();
  f.CheckBoxSolarKombi->setChecked(true);
  while (w.Seite() != TFormPrjAssistent::sQbedarf) f.BitBtnForward->click();
  f.EditQheiz->setText("100000000");
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  EXPECT_FLOAT_EQ(G().plant.Heizwaermebedarf, 1e11f);
  f.ButtonCancel->click();
}

TEST(FormPrjAssistent, InputLimitsAndTheFactorButtons) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  w.Zeige();
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  f.CheckBoxSolarKombi->setChecked(true);
  PruefeGrenzen(w, {{f.EditTWW_Liter, "0", "1"}, {f.EditTWW_Liter, "20000", "10000"}, {f.EditT_WW, "90", "80"},
                    {f.EditKAfaktor, "1,0", "1,1"}, {f.EditKAfaktor, "3,5", "3,0"}, {f.EditQheiz, "-5", "0"}});
  // A text, or a temperature on its way to being typed, shows no demand, never a negative one.
  for (const char* t : {"warm", "5"}) {
    f.EditT_WW->setText(t);
    EXPECT_EQ(f.EditTWWkWh->text(), "") << t;
    EXPECT_EQ(f.EditTWWkWhJahr->text(), "") << t;
  }
  f.EditT_WW->setText("55");
  EXPECT_FALSE(f.EditTWWkWh->text().isEmpty());
  f.EditQheiz->setText("1e40");  // no total of a demand the field refuses
  EXPECT_EQ(f.EditQsumme->text(), "");
  f.EditKAfaktor->setText("2,9");
  f.SpeedButtonupf->click();
  f.SpeedButtonupf->click();
  EXPECT_EQ(f.EditKAfaktor->text(), "3,0");
  f.EditKAfaktor->setText("1,2");
  f.SpeedButtondnf->click();
  f.SpeedButtondnf->click();
  EXPECT_EQ(f.EditKAfaktor->text(), "1,1");

  // Escape from any control (a field, Forward, a button) only moves to Cancel; there a
  // second Escape cancels.
  f.EditQheiz->setText("7500");
  for (QWidget* w0 : std::initializer_list<QWidget*>{f.EditQheiz, f.BitBtnForward, f.BitBtnBackward,
                                                     f.SpeedButtonupf}) {
    w0->setFocus();
    test::Key(w0, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.ButtonCancel->hasFocus());
    EXPECT_EQ(f.EditQheiz->text(), "7500");
  }

  // F1: the wizard's page, or that of the grid in front.
  std::vector<int> hilfe;
  f.Hooks.Hilfe = [&hilfe](int k) { hilfe.push_back(k); };
  test::Key(&f, Qt::Key_F1);
  f.BitBtnBackward->click();
  f.BitBtnBackward->click();
  f.StringGridOrte->setFocus();
  test::Key(&f, Qt::Key_F1);
  EXPECT_EQ(hilfe, (std::vector<int>{870, 871}));
  // From the grid too: Escape offers Cancel and the wizard keeps what was typed.
  test::Key(f.StringGridOrte, Qt::Key_Escape);
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.ButtonCancel->hasFocus());
  test::Key(f.ButtonCancel, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.result(), QDialog::Rejected);
}

// Escape then Enter cancels on every page, whatever control had the focus: the wizard neither
// goes on (nor changes the location) nor keeps the sizing; Enter on a focused Back goes back.
TEST(FormPrjAssistent, EscapeThenEnterCancelsOnEveryPage) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  struct Fall {
    int seite;
    QWidget* fokus;
  };
  const std::vector<Fall> faelle = {{TFormPrjAssistent::sStart, f.StringGridOrte},
                                    {TFormPrjAssistent::sStart, f.EditPrjName},
                                    {TFormPrjAssistent::sKollektor, f.StringGridKollektor},
                                    {TFormPrjAssistent::sQbedarf, f.EditTWW_Liter},
                                    {TFormPrjAssistent::sDimTWW, f.EditKollA}};
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.fokus->objectName().toStdString());
    w.Zeige();
    f.CheckBoxSolarKombi->setChecked(false);
    while (w.Seite() != c.seite) f.BitBtnForward->click();
    c.fokus->setFocus();
    test::Key(c.fokus, Qt::Key_Escape);
    ASSERT_TRUE(f.ButtonCancel->hasFocus());
    test::Key(f.ButtonCancel, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(w.Seite(), c.seite);
    EXPECT_EQ(w.ortWechsel, 0);
  }

  w.Zeige();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sKollektor);
  f.BitBtnBackward->setFocus();
  test::Key(f.BitBtnBackward, Qt::Key_Return);
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sStart);
  EXPECT_TRUE(f.isVisible());
}

void SchreibePaketDatei(const TavState& g);

double FeldWert(const QLineEdit* e) { return QString(e->text()).replace(',', '.').toDouble(); }
QString FeldText(double x, int dezimalen) {
  return QString::fromStdString(FloatToCommaStr(1, static_cast<std::uint8_t>(dezimalen), static_cast<float>(x)));
}

// The sizing fields' keys: Up and Down are their step buttons; Enter runs the typed figure and
// shows its variant, with the focus on OK, which the same key press does not press.
TEST(FormPrjAssistent, SizingFieldsUpDownAndEnter) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  const float modul = ModulFlaecheOderEins(G().cat.Kollektoren[1].ModulFlaeche);
  w.ZurTWWAuslegung();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  struct Fall {
    QLineEdit* feld;
    double schritt;
    int dezimalen;
  };
  auto pfeile = [&](const Fall& c) {
    SCOPED_TRACE(c.feld->objectName().toStdString());
    const double vorher = FeldWert(c.feld);
    c.feld->setFocus();
    test::Key(c.feld, Qt::Key_Up);
    EXPECT_EQ(c.feld->text(), FeldText(vorher + c.schritt, c.dezimalen));
    test::Key(c.feld, Qt::Key_Down);
    test::Key(c.feld, Qt::Key_Down);
    EXPECT_EQ(c.feld->text(), FeldText(vorher - c.schritt, c.dezimalen));
    test::Key(c.feld, Qt::Key_Up);
    EXPECT_EQ(c.feld->text(), FeldText(vorher, c.dezimalen));
    EXPECT_TRUE(c.feld->hasFocus());
  };
  pfeile({f.EditKollA, modul, 2});
  EXPECT_FALSE(f.BitBtnForward->isEnabled());  // the last page of a hot-water plant
  G().plant.KollektorFlaeche = 4.0f * modul;  // room for a store step either way
  f.SpeedButtonup->click();
  f.SpeedButtondn->click();
  pfeile({f.EditSpVol, 50.0, 0});

  const auto tippe = [](QLineEdit* feld, const QString& text, int taste) {
    feld->setFocus();
    feld->setText(text);
    test::Key(feld, taste);
  };
  // Enter in the store field: its variant on this page, the focus on OK, the wizard open.
  const double v = FeldWert(f.EditSpVol) + 100.0;
  tippe(f.EditSpVol, FeldText(v, 0), Qt::Key_Return);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_FLOAT_EQ(G().plant.Speicher1vol, static_cast<float>(v));
  EXPECT_TRUE(f.ButtonOK->hasFocus());
  EXPECT_NE(f.LabelDeckrateWert->text(), "– %");
  // A volume that is none is named and the one in force shown again.
  w.app.msgs->shown.clear();
  tippe(f.EditSpVol, "groß", Qt::Key_Return);
  EXPECT_EQ(w.app.msgs->shown.size(), 1u);
  EXPECT_EQ(f.EditSpVol->text(), FeldText(v, 0));
  EXPECT_TRUE(f.isVisible());

  f.BitBtnBackward->click();
  f.CheckBoxSolarKombi->setChecked(true);
  f.EditQheiz->setText("9000");
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  pfeile({f.EditKollA_hz, modul, 2});
  const double a = FeldWert(f.EditKollA_hz) + 1.0;
  tippe(f.EditKollA_hz, FeldText(a, 2), Qt::Key_Enter);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  EXPECT_NEAR(G().plant.KollektorFlaeche, a, 1e-4);
  EXPECT_NEAR(f.Dim().Ring[1][0], a, 1e-4);
  EXPECT_TRUE(f.ButtonOK->hasFocus());
  EXPECT_TRUE(w.app.msgs->shown.size() == 1u) << w.app.msgs->All();
  f.ButtonCancel->click();
}

// Tab leaves a grid for the next control and never selects another row; the accelerators of
// the controls shown together differ, in German and in English.
TEST(FormPrjAssistent, TabLeavesTheGridsAndAcceleratorsDiffer) {
  for (const bool englisch : {false, true}) {
    SCOPED_TRACE(englisch ? "English" : "German");
    AssistentWelt w(englisch);
    TFormPrjAssistent& f = *w.f;
    SchreibePaketDatei(G());
    InitSolPakete(G().cat, PaketDateiPfad(G()));
    w.Zeige();
    for (QTableWidget* t : {f.StringGridOrte, f.StringGridKollektor}) {
      SCOPED_TRACE(t->objectName().toStdString());
      if (t == f.StringGridKollektor) f.BitBtnForward->click();
      t->setFocus();
      const int zeile = t->currentRow();
      test::Key(t, Qt::Key_Tab);
      EXPECT_EQ(t->currentRow(), zeile);
      EXPECT_FALSE(t->hasFocus());
    }
    // Tab from the collector grid reaches the tilt.
    EXPECT_TRUE(f.EditNg->hasFocus() || f.UpDownNg->isAncestorOf(QApplication::focusWidget()));
    f.BitBtnForward->click();
    f.CheckBoxSolarKombi->setChecked(true);
    ASSERT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
    ASSERT_TRUE(f.BitBtnPakete->isVisible());
    EXPECT_EQ(test::GeteilteKuerzel(&f), "");
    f.ButtonCancel->click();
  }
}

void Tippe(QWidget* w, const QString& buchstaben) {
  for (QChar c : buchstaben) {
    QKeyEvent k(QEvent::KeyPress, Qt::Key_A + (c.toUpper().unicode() - 'A'), Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &k);
  }
}

// Type-ahead in the location grid goes by name; while it runs the wizard stays on its page
// and Cancel waits; the mouse over the page's background ends it.
TEST(FormPrjAssistent, TypeAheadHoldsThePageUntilTheMouseCrossesItsBackground) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  w.Zeige();
  QTableWidget* orte = f.StringGridOrte;
  auto name = [orte] { return orte->item(orte->currentRow(), 1)->text(); };
  orte->setFocus();
  orte->setCurrentCell(0, 1);
  ASSERT_EQ(name(), "Hitzacker");
  Tippe(orte, "so");
  EXPECT_EQ(name(), "Sonnewalde");
  Tippe(orte, "lx");  // "SOLX" finds nothing: the x is dropped
  EXPECT_EQ(name(), "Solar");
  EXPECT_EQ(f.Suche->Text(), "SOL");
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sStart);
  f.ButtonCancel->click();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(w.ortWechsel, 0);
  // Over the grid the search goes on; over the page's margin it ends.
  auto maus = [&f](QWidget* ziel, QPoint p) {
    QMouseEvent m(QEvent::MouseMove, p, ziel->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &m);
  };
  maus(f.TabSheetStart, orte->geometry().center());
  EXPECT_TRUE(f.Suche->Aktiv());
  maus(f.TabSheetStart, QPoint(1, f.TabSheetStart->height() - 2));
  EXPECT_FALSE(f.Suche->Aktiv());
  f.BitBtnForward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sKollektor);
  EXPECT_EQ(w.ortWechsel, 1);
  EXPECT_EQ(G().plant.OrtNr, 4);  // Solar
  f.reject();
}

// Tilt and azimuth: each field with its up-down, held within its range, Up and Down in the
// field stepping, the typed value checked on leaving; the sizing takes what the fields show.
TEST(FormPrjAssistent, TiltAndAzimuthUpDowns) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  G().plant.KollektorNeigung = 89.0f;
  G().plant.KollektorAzimut = -12.5f;
  w.Zeige();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sKollektor);
  EXPECT_EQ(f.EditNg->text(), "89");
  EXPECT_EQ(f.EditAz->text(), "-12,5");
  EXPECT_EQ(f.UpDownNg->Position(), 89);
  f.UpDownNg->Auf->click();
  f.UpDownNg->Auf->click();
  EXPECT_EQ(f.EditNg->text(), "90");
  f.UpDownAz->Ab->click();  // -12,5 down: the next whole degree
  EXPECT_EQ(f.EditAz->text(), "-13");
  f.EditAz->setFocus();
  test::Key(f.EditAz, Qt::Key_Down);
  test::Key(f.EditAz, Qt::Key_Down);
  EXPECT_EQ(f.EditAz->text(), "-15");
  f.EditAz->setText("-179");
  for (int i = 0; i < 3; ++i) f.UpDownAz->Ab->click();
  EXPECT_EQ(f.EditAz->text(), "-180");
  EXPECT_TRUE(w.app.msgs->shown.empty()) << w.app.msgs->All();

  PruefeGrenzen(w, {{f.EditNg, "95", "90"}, {f.EditNg, "-1", "0"}, {f.EditAz, "180,5", "180,0"},
                    {f.EditAz, "Süd", "-180,0"}});
  f.EditNg->setText("35");
  f.EditAz->setText("-20,5");
  test::Grab(&f, "FormPrjAssistent-Kollektortyp-Winkel");
  f.BitBtnForward->click();
  f.CheckBoxSolarKombi->setChecked(false);
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_FLOAT_EQ(G().plant.KollektorNeigung, 35.0f);
  EXPECT_FLOAT_EQ(G().plant.KollektorAzimut, -20.5f);
  f.reject();
}

// A warm location whose design temperature + 10 lies above 25 °C: the heating limit has one
// allowed value, which the field shows and keeps.
TEST(FormPrjAssistent, HeatingLimitOfAWarmLocationIsOneValue) {
  AssistentWelt w;
  test::WetterParameter warm;
  warm.tempMittel = 30.0;
  warm.tempAmplitude = 2.0;
  test::FuelleKlarhimmelWetter(G().weather, warm);
  const int min = CalcMinAussenTemp(G().weather) + 10;
  ASSERT_GT(min, 25);
  TFormPrjAssistent& f = *w.f;
  w.Zeige();
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  f.CheckBoxSolarKombi->setChecked(true);
  EXPECT_EQ(f.EditThzgrz->text(), QString::number(min));
  for (const char* eingabe : {"15", "40"}) {
    f.EditThzgrz->setFocus();
    f.EditThzgrz->setText(eingabe);
    emit f.EditThzgrz->editingFinished();
    EXPECT_EQ(f.EditThzgrz->text(), QString::number(min)) << eingabe;
  }
  f.reject();
}

// The sizing shows its progress and keeps the event loop running between its runs; Cancel
// pressed during a run closes the wizard after that run with everything put back.
TEST(FormPrjAssistent, SizingShowsProgressAndCancelStopsIt) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  const TavState vorher = G();
  w.Zeige();
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  f.CheckBoxSolarKombi->setChecked(false);
  const StillerLauf echt = f.Lauf;
  int laeufe = 0, zeitgeber = 0, fortschritt = -1;
  bool sichtbar = false;
  f.Lauf = [&](TavState& g) {
    ++laeufe;
    sichtbar = f.ProgressBarDim->isVisible();
    fortschritt = f.ProgressBarDim->value();
    QTimer::singleShot(0, [&zeitgeber] { ++zeitgeber; });
    return echt(g);
  };
  f.BitBtnForward->click();
  EXPECT_EQ(laeufe, 2);
  EXPECT_TRUE(sichtbar);
  EXPECT_EQ(fortschritt, 1);      // the second run sees the first counted
  EXPECT_GE(zeitgeber, 1);        // events were processed between the runs
  EXPECT_FALSE(f.ProgressBarDim->isVisible());

  // Cancel during the next run (a module step).
  f.Lauf = [&](TavState& g) {
    f.ButtonCancel->click();
    return echt(g);
  };
  f.SpeedButtonup->click();
  EXPECT_EQ(f.result(), QDialog::Rejected);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(G().plant.KollektorFlaeche, vorher.plant.KollektorFlaeche);
  EXPECT_EQ(G().plant.Speicher1vol, vorher.plant.Speicher1vol);
  EXPECT_EQ(G().settings.SimJahre, vorher.settings.SimJahre);
  EXPECT_EQ(G().weather.WetterDaten.Werte, vorher.weather.WetterDaten.Werte);
  f.Lauf = echt;
}

// A collector entry without a module area is sized and stepped at 1 m² a module on both
// design pages, as a collector of 1,9 m² modules is at 1,9 m²; the heating design's progress
// goal stays within the runs its loop can make.
TEST(FormPrjAssistent, ACollectorWithoutModuleAreaStepsOneSquareMetre) {
  struct Fall {
    float modul, schritt;
  };
  for (const Fall& c : {Fall{0.0f, 1.0f}, Fall{1.9f, 1.9f}}) {
    SCOPED_TRACE(c.modul);
    AssistentWelt w;
    TFormPrjAssistent& f = *w.f;
    G().cat.Kollektoren[static_cast<std::size_t>(G().plant.KollektorNr)].ModulFlaeche = c.modul;
    const auto flaeche = [](const QLineEdit* e) { return QString(e->text()).replace(',', '.').toDouble(); };
    const auto ganz = [&c](double a) {
      const double n = a / c.schritt;
      return n > 0.5 && std::fabs(n - std::round(n)) < 0.006;
    };
    const auto text = [](double a) { return QString::fromStdString(FloatToCommaStr(1, 2, static_cast<float>(a))); };
    w.ZurTWWAuslegung();
    ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
    const double a0 = flaeche(f.EditKollA);
    EXPECT_TRUE(ganz(a0)) << a0;
    EXPECT_EQ(f.LabelModAnz->text().toStdString(), ModulAnzahlText(static_cast<float>(a0), c.modul));
    f.SpeedButtonup->click();
    EXPECT_EQ(f.EditKollA->text(), text(a0 + c.schritt));
    f.SpeedButtondn->click();
    EXPECT_EQ(f.EditKollA->text(), text(a0));

    f.BitBtnBackward->click();
    f.CheckBoxSolarKombi->setChecked(true);
    f.EditQheiz->setText("9000");
    f.BitBtnForward->click();
    const StillerLauf echt = f.Lauf;
    int ziel = 0;
    f.Lauf = [&](TavState& g) {
      ziel = std::max(ziel, f.ProgressBarDim->maximum());
      return echt(g);
    };
    f.BitBtnForward->click();
    ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
    EXPECT_GT(ziel, 0);
    EXPECT_LE(ziel, kMaxHeizSchritte + 2);
    const double ah = flaeche(f.EditKollA_hz);
    EXPECT_TRUE(ganz(ah)) << ah;
    f.SpeedButtonup_hz->click();
    EXPECT_EQ(f.EditKollA_hz->text(), text(ah + c.schritt));
    EXPECT_NEAR(G().plant.KollektorFlaeche, ah + c.schritt, 1e-4);
    f.SpeedButtondn_hz->click();
    EXPECT_EQ(f.EditKollA_hz->text(), text(ah));
    EXPECT_TRUE(w.app.msgs->shown.empty()) << w.app.msgs->All();
    f.Lauf = echt;
    f.ButtonCancel->click();
  }
}

TEST(FormPrjAssistent, TheToolButtonOpensTheWizardAndOkSavesAndSimulates) {
  AssistentWelt w;
  Hauptmenu& h = *w.app.window;
  VerbindeFenster(h);
  h.show();
  auto* knopf = h.findChild<QToolButton*>("SpeedButtonAssistent");
  ASSERT_TRUE(knopf && knopf->isEnabled());
  QString name;
  test::WhenModal([&name](QWidget* d) {
    name = d->objectName();
    static_cast<QDialog*>(d)->reject();
  });
  knopf->click();
  EXPECT_EQ(name, "FormPrjAssistent");
  EXPECT_FALSE(G().run.WeiterModus);
}

TEST(FormPrjAssistent, PlacedOverTheMainWindowAndHigherOnASmallScreen) {
  AssistentWelt w;
  Hauptmenu& h = *w.app.window;
  VerbindeFenster(h);
  h.show();
  h.setGeometry(40, 30, 1000, 800);
  struct Fall {
    bool klein;
    int oben, hoehe;
  } faelle[] = {{false, 159, 162}, {true, 121, 124}};
  for (const Fall& fall : faelle) {
    G().screen.KleinerBildschirm = fall.klein;
    QRect lage;
    test::WhenModal([&lage](QWidget* d) {
      lage = d->geometry();
      static_cast<QDialog*>(d)->reject();
    });
    h.findChild<QToolButton*>("SpeedButtonAssistent")->click();
    const QRect r = h.frameGeometry();
    // Below the tool buttons, but never below the top of the project text.
    const int text = h.RichEditProjekt->parentWidget()->mapToGlobal(QPoint(0, 0)).y();
    const int top = std::min(r.top() + fall.oben, text);
    EXPECT_EQ(lage, QRect(r.left() + 3, top, r.width() - 6, r.height() - fall.hoehe + (r.top() + fall.oben - top)))
        << fall.klein;
    EXPECT_LE(lage.top(), h.RichEditProjekt->mapToGlobal(QPoint(0, 0)).y()) << fall.klein;
    EXPECT_GE(lage.top(), h.ShapeButtonleiste->mapToGlobal(QPoint(0, 0)).y()) << fall.klein;
  }
}

// A package list in the data folder: two packages for the fixture's first collector (one
// hot-water, one combi) and one for the second collector.
void SchreibePaketDatei(const TavState& g) {
  const std::string koll = g.cat.Kollektoren[1].Name;
  std::ofstream f(std::filesystem::u8path(PaketDateiPfad(g)), std::ios::binary);
  f << "Paket TWW\t" << koll << "\t3\tSolarspeicher 400\t400\t0\tCL\t1\r\n"
    << "Paket Kombi\t" << koll << "\t6\tKombispeicher 800\t750\t150\tWT\t6\r\n"
    << "Paket Fremd\t" << g.cat.Kollektoren[2].Name << "\t2\tKleinspeicher\t300\t0\tCL\t1\r\n";
}

TEST(FormPrjAssistent, APackageSizesThePlantAndCancelRestoresIt) {
  AssistentWelt w;
  TFormPrjAssistent& f = *w.f;
  ASSERT_GE(G().cat.KollektorAnzahl, 2);
  std::filesystem::remove(std::filesystem::u8path(PaketDateiPfad(G())));
  w.Zeige();
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
  EXPECT_FALSE(f.BitBtnPakete->isVisible());  // no package list, no button

  SchreibePaketDatei(G());
  InitSolPakete(G().cat, PaketDateiPfad(G()));
  ASSERT_EQ(G().cat.PaketAnzahl, 3);
  f.BitBtnBackward->click();
  f.BitBtnForward->click();
  ASSERT_TRUE(f.BitBtnPakete->isVisible());
  f.CheckBoxSolarKombi->setChecked(false);
  f.EditTWW_Liter->setText("200");
  TavState vorher = G();
  f.BitBtnPakete->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sPakete);
  EXPECT_EQ(f.Schritt, 7);
  EXPECT_FALSE(f.BitBtnPakete->isVisible());
  // The selected collector's hot-water package only; "all" lists the other one too.
  ASSERT_EQ(f.StringGridPakete->rowCount(), 1);
  EXPECT_EQ(f.StringGridPakete->item(0, 0)->text(), "Paket TWW");
  EXPECT_EQ(f.StringGridPakete->item(0, 4)->text(), "400");
  EXPECT_EQ(f.StringGridPakete->item(0, 5)->text(), "1");
  f.SpeedButtonAlleK->setChecked(false);
  f.SpeedButtonAlleK->click();
  EXPECT_EQ(f.StringGridPakete->rowCount(), 2);
  f.SpeedButtonAlleK->click();
  ASSERT_EQ(f.StringGridPakete->rowCount(), 1);
  test::Grab(&f, "FormPrjAssistent-Pakete");
  // F1 in the package grid opens the page of the location and package grids.
  std::vector<int> hilfe;
  f.Hooks.Hilfe = [&hilfe](int k) { hilfe.push_back(k); };
  f.StringGridPakete->setFocus();
  test::Key(f.StringGridPakete, Qt::Key_F1);
  EXPECT_EQ(hilfe, std::vector<int>{871});
  f.Hooks.Hilfe = nullptr;

  f.StringGridPakete->setCurrentCell(0, 0);
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_TRUE(f.PaketModus());
  const PlantState& p = G().plant;
  EXPECT_EQ(p.KollektorNr, 1);
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 3.0f * p.KollModulFlaeche);
  EXPECT_FLOAT_EQ(p.Speicher1vol, 400.0f);
  EXPECT_EQ(p.SpeicherName, "Solarspeicher 400");
  EXPECT_EQ(p.AnlagenTypNr, 1);
  EXPECT_GT(f.Dim().Ring[0][0], 0.0f);
  EXPECT_TRUE(f.ButtonOK->isVisible());
  EXPECT_TRUE(w.app.msgs->shown.empty()) << w.app.msgs->All();
  // The store's name stands apart from the fraction's heading below it.
  const QLabel* deckrate = f.findChild<QLabel*>("LabelDeckrate");
  ASSERT_TRUE(deckrate);
  EXPECT_EQ(f.LabelSpN->text().toStdString(), "Solarspeicher 400");
  EXPECT_GE(deckrate->geometry().top() - f.LabelSpN->geometry().bottom(), 10);
  test::Grab(&f, "FormPrjAssistent-DimTWW-Paket");

  // Back leaves the package; the combi box lists the combi package.
  f.BitBtnBackward->click();
  EXPECT_EQ(w.Seite(), TFormPrjAssistent::sQbedarf);
  EXPECT_FALSE(f.PaketModus());
  f.CheckBoxSolarKombi->setChecked(true);
  f.EditQheiz->setText("9000");
  f.BitBtnPakete->click();
  ASSERT_EQ(f.StringGridPakete->rowCount(), 1);
  EXPECT_EQ(f.StringGridPakete->item(0, 0)->text(), "Paket Kombi");
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_EQ(G().plant.AnlagenTypNr, 6);
  EXPECT_FLOAT_EQ(G().plant.Speicher1vol, 750.0f);
  EXPECT_FLOAT_EQ(G().plant.Speicher2vol, 150.0f);
  EXPECT_EQ(G().plant.SpeicherName, "Kombispeicher 800");

  // The heating page keeps the package's store whatever its area steps do.
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  EXPECT_TRUE(f.ButtonOK->isVisible());
  const float paketFlaeche = 6.0f * G().plant.KollModulFlaeche;
  EXPECT_FLOAT_EQ(G().plant.KollektorFlaeche, paketFlaeche);
  for (QToolButton* pfeil : {f.SpeedButtonup_hz, f.SpeedButtondn_hz, f.SpeedButtondn_hz}) {
    pfeil->click();
    EXPECT_EQ(f.LabelSpN_hz->text(), "Kombispeicher 800");
    EXPECT_EQ(f.LabelPSvol->text(), "900 Liter");
    EXPECT_FLOAT_EQ(G().plant.Speicher1vol, 750.0f);
    EXPECT_FLOAT_EQ(G().plant.Speicher2vol, 150.0f);
  }
  const QLabel* deckrateHz = f.findChild<QLabel*>("LabelDeckrate_hz");
  ASSERT_TRUE(deckrateHz);
  EXPECT_GE(deckrateHz->geometry().top() - f.LabelSpN_hz->geometry().bottom(), 10);
  EXPECT_FLOAT_EQ(G().plant.KollektorFlaeche, paketFlaeche - G().plant.KollModulFlaeche);
  // Back and on without the package: nothing of it stays beside the sized store.
  f.BitBtnBackward->click();
  EXPECT_FALSE(f.PaketModus());
  f.BitBtnForward->click();
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimSolHeiz);
  EXPECT_NE(G().plant.SpeicherName, "Kombispeicher 800");
  EXPECT_NE(f.LabelSpN_hz->text(), "Kombispeicher 800");
  f.BitBtnBackward->click();
  f.CheckBoxSolarKombi->setChecked(false);
  f.BitBtnForward->click();
  ASSERT_EQ(w.Seite(), TFormPrjAssistent::sDimTWW);
  EXPECT_EQ(G().plant.SpeicherName, "");
  EXPECT_EQ(f.LabelSpN->text(), "");

  f.ButtonCancel->click();
  EXPECT_EQ(f.result(), QDialog::Rejected);
  const TavState& g = G();
  EXPECT_EQ(g.plant.AnlagenTypNr, vorher.plant.AnlagenTypNr);
  EXPECT_EQ(g.plant.KollektorNr, vorher.plant.KollektorNr);
  EXPECT_EQ(g.plant.KollektorFlaeche, vorher.plant.KollektorFlaeche);
  EXPECT_EQ(g.plant.Speicher1vol, vorher.plant.Speicher1vol);
  EXPECT_EQ(g.plant.Speicher2vol, vorher.plant.Speicher2vol);
  EXPECT_EQ(g.plant.SpeicherName, vorher.plant.SpeicherName);
  EXPECT_EQ(g.plant.KombiSpTyp, vorher.plant.KombiSpTyp);
  EXPECT_EQ(g.settings.SimJahre, 3);
  EXPECT_EQ(g.weather.WetterDaten.Werte, vorher.weather.WetterDaten.Werte);
}

}  // namespace
}  // namespace tav
