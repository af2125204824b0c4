// The main window: the close question, the language menu, new projects and their limit,
// the project export's overwrite question, the menu items with their states, and the
// window's picture per plant type.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "catalogues/KatalogDienste.h"
#include "project/ProjektLaden.h"
#include "foundation/Language.h"
#include "foundation/ui/SysUtilsQt.h"
#include "tests/foundation/ui/ModalDriver.h"
#include "tests/app/AppFixture.h"
#include "support/Schreibschutz.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

std::string Lies(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// --- Closing ------------------------------------------------------------------------------

struct CloseFall {
  const char* name;
  bool geaendert;
  int antwort;           // scripted answer of the save question
  bool schreibFehler;    // the project file cannot be written
  bool projektGeschrieben;
  bool settingsGeschrieben;
  bool geschlossen;
};

// ctest lists the case by its name, not by the bytes of the struct.
void PrintTo(const CloseFall& f, std::ostream* os) { *os << f.name; }

class CloseQuestion : public ::testing::TestWithParam<CloseFall> {};

TEST_P(CloseQuestion, WritesAndClosesAsAnswered) {
  const CloseFall& f = GetParam();
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  w.show();
  const fs::path projekte = app.Daten("Projekte.dat");
  const fs::path ini = app.Daten("Tavrel.ini");
  fs::remove(ini);
  if (f.geaendert) {
    G().plant.ProjektName = "Umbenannt";
    G().run.ProjektGeaendert = true;
  }
  if (f.schreibFehler) {
    // A folder in the place of the project file: no rewrite can succeed.
    fs::remove(projekte);
    fs::create_directory(projekte);
  }
  app.msgs->shown.clear();
  app.msgs->answers = {f.antwort};

  const bool geschlossen = w.close();

  EXPECT_EQ(geschlossen, f.geschlossen);
  EXPECT_EQ(!w.isVisible(), f.geschlossen);
  const bool gefragt = !app.msgs->shown.empty() && app.msgs->shown[0].text == "Projektdaten speichern?";
  EXPECT_EQ(gefragt, f.geaendert) << app.msgs->All();
  if (!f.schreibFehler)
    EXPECT_EQ(Lies(projekte).find("Umbenannt") != std::string::npos, f.projektGeschrieben);
  else
    EXPECT_GE(app.msgs->shown.size(), 2u) << "the failed write is reported";
  EXPECT_EQ(fs::exists(ini), f.settingsGeschrieben);
}

INSTANTIATE_TEST_SUITE_P(
    Hauptmenu, CloseQuestion,
    ::testing::Values(CloseFall{"Unveraendert", false, mrYes, false, false, true, true},
                      CloseFall{"Ja", true, mrYes, false, true, true, true},
                      CloseFall{"Nein", true, mrNo, false, false, true, true},
                      CloseFall{"Abbrechen", true, mrCancel, false, false, false, false},
                      CloseFall{"JaMitSchreibfehler", true, mrYes, true, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Language menu ------------------------------------------------------------------------

TEST(Hauptmenu, LanguageMenuFromTheProgramFolder) {
  test::AppFixture app([](const test::TempDir& tmp) {
    tmp.Write("prog/english.dat",
              "[Tavrel]\r\nSpracheCaption=&English\r\nHmenuDatei=&File\r\n");
    tmp.Write("prog/francais.dat", "[Tavrel]\r\nHmenuDatei=&Fichier\r\n");
  });
  Hauptmenu& w = *app.window;
  const auto item = [&](int i) { return w.Sprache[i]; };
  // German is always there, also without its file; others only with theirs.
  EXPECT_TRUE(item(kDeutschNr)->isVisible());
  EXPECT_EQ(item(kDeutschNr)->text(), "&Deutsch");
  EXPECT_TRUE(item(kDeutschNr)->isChecked());
  EXPECT_TRUE(item(3)->isVisible());
  EXPECT_EQ(item(3)->text(), "&English");
  EXPECT_TRUE(item(5)->isVisible());
  EXPECT_EQ(item(5)->text(), "&Francais");
  for (int i : {1, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) EXPECT_FALSE(item(i)->isVisible()) << i;
  EXPECT_EQ(w.Datei->title(), "&Datei");

  item(3)->trigger();
  EXPECT_EQ(w.Datei->title(), "&File");
  EXPECT_TRUE(item(3)->isChecked());
  EXPECT_EQ(G().settings.Sprache, "english");
  item(kDeutschNr)->trigger();
  EXPECT_EQ(w.Datei->title(), "&Datei");
  EXPECT_TRUE(app.msgs->shown.empty()) << app.msgs->All();
}

// --- New project --------------------------------------------------------------------------

TEST(NeuesProjekt, ConfirmedWritesAndLoadsTheNewProject) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  test::WhenModal([](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), "Neues Projekt");
    auto* name = d->findChild<QLineEdit*>("Edit1");
    EXPECT_EQ(name->text(), "Standard-Solaranlage (2)");
    name->setText("Neubau");
    test::Click(d, "ButtonOK");
  });
  w.Neu->trigger();
  EXPECT_EQ(G().cat.ProjektAnzahl, 2);
  EXPECT_EQ(G().settings.ProjektNummer, 2);
  EXPECT_EQ(G().plant.ProjektName, "Neubau");
  EXPECT_FALSE(G().run.ProjektGeaendert);
  EXPECT_NE(Lies(app.Daten("Projekte.dat")).find("[Projekt 2]"), std::string::npos);
}

TEST(NeuesProjekt, CancelledRestoresAndWritesNothing) {
  test::AppFixture app;
  const std::string vorher = Lies(app.Daten("Projekte.dat"));
  test::WhenModal([](QWidget* d) { test::Click(d, "ButtonCancel"); });
  app.window->NeuesProjekt();
  EXPECT_EQ(G().cat.ProjektAnzahl, 1);
  EXPECT_EQ(G().settings.ProjektNummer, 1);
  EXPECT_EQ(G().plant.ProjektName, "Standard-Solaranlage");
  EXPECT_FALSE(G().run.ProjektGeaendert);
  EXPECT_EQ(Lies(app.Daten("Projekte.dat")), vorher);
}

TEST(NeuesProjekt, The600thProjectDisablesTheCommand) {
  test::AppFixture app;
  // 599 copies of the standard project.
  const std::string datei = Lies(app.Daten("Projekte.dat"));
  const std::size_t kopf = datei.find("[Projekt 1]");
  ASSERT_NE(kopf, std::string::npos);
  const std::string rumpf = datei.substr(datei.find('\n', kopf) + 1);
  std::string alle;
  for (int n = 1; n <= 599; ++n) alle += "[Projekt " + std::to_string(n) + "]\r\n" + rumpf;
  std::ofstream(app.Daten("Projekte.dat"), std::ios::binary) << alle;
  KatalogDienste d(NullStatus(), app.wetter);
  LoadProjekt(G(), d);
  ASSERT_EQ(G().cat.ProjektAnzahl, 599);
  app.window->FormShow();
  EXPECT_TRUE(app.window->Neu->isEnabled());
  EXPECT_TRUE(app.window->SpeedButtonNeu->isEnabled());

  test::WhenModal([](QWidget* d) { test::Click(d, "ButtonOK"); });
  app.window->NeuesProjekt();
  EXPECT_EQ(G().cat.ProjektAnzahl, 600);
  EXPECT_EQ(G().settings.ProjektNummer, 600);
  EXPECT_FALSE(app.window->Neu->isEnabled());
  EXPECT_FALSE(app.window->SpeedButtonNeu->isEnabled());

  app.msgs->shown.clear();
  app.window->NeuesProjekt();
  ASSERT_EQ(app.msgs->shown.size(), 1u);
  EXPECT_EQ(app.msgs->shown[0].text, "Maximale Anzahl von Einträgen erreicht!");
  EXPECT_EQ(G().cat.ProjektAnzahl, 600);
}

TEST(Hauptmenu, ProjectInfoCancelChangesNothing) {
  test::AppFixture app;
  test::WhenModal([](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), "Projekt-Info");
    d->findChild<QLineEdit*>("Edit1")->setText("Anders");
    test::Click(d, "ButtonCancel");
  });
  app.window->Projektinfo->trigger();
  EXPECT_EQ(G().plant.ProjektName, "Standard-Solaranlage");
  EXPECT_FALSE(G().run.ProjektGeaendert);
  EXPECT_TRUE(G().run.Abbruch);
}

// --- Export -------------------------------------------------------------------------------

TEST(Hauptmenu, ExportAsksBeforeOverwritingTheSameNumber) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  const fs::path ziel = app.tmp / "export.dat";
  QString vorschlag;
  w.SpeichernDialog = [&](const QString&, const QString&, const QString& name, const QString&) {
    vorschlag = name;
    return QString::fromStdString(ziel.string());
  };
  G().run.ProjektGeaendert = true;
  w.ExportProjekt->trigger();  // new file: no question
  EXPECT_EQ(vorschlag, "Tavrel_Standard-Solaranlage.dat");
  EXPECT_TRUE(app.msgs->shown.empty()) << app.msgs->All();
  EXPECT_NE(Lies(ziel).find("[Projekt 1]"), std::string::npos);
  EXPECT_TRUE(G().run.ProjektGeaendert) << "the data folder's copy is still unsaved";

  G().plant.ProjektName = "Zweiter Stand";
  app.msgs->answers = {mrNo};
  w.ExportProjekt->trigger();
  ASSERT_EQ(app.msgs->shown.size(), 1u);
  EXPECT_EQ(app.msgs->shown[0].text, "Projekt 1 \"Standard-Solaranlage\" überschreiben?");
  EXPECT_EQ(app.msgs->shown[0].buttons, mbYesNoKeep);  // Enter keeps the file's project
  EXPECT_EQ(Lies(ziel).find("Zweiter Stand"), std::string::npos);

  app.msgs->answers = {mrYes};
  w.ExportProjekt->trigger();
  EXPECT_NE(Lies(ziel).find("Zweiter Stand"), std::string::npos);
  EXPECT_EQ(G().settings.ImportDir, app.tmp.path().string() + "/");

  // The number in any spelling the reader takes is that project: asked, named, kept on "No".
  for (const char* sektion : {"[Projekt 01]", "[projekt  1]"}) {
    SCOPED_TRACE(sektion);
    const std::string andere = std::string(sektion) + "\r\nProjektName=Haus am See\r\n\r\n";
    {
      std::ofstream out(ziel, std::ios::binary | std::ios::trunc);
      out << andere;
    }
    app.msgs->shown.clear();
    app.msgs->answers = {mrNo};
    w.ExportProjekt->trigger();
    ASSERT_EQ(app.msgs->shown.size(), 1u) << app.msgs->All();
    EXPECT_EQ(app.msgs->shown[0].text, "Projekt 1 \"Haus am See\" überschreiben?");
    EXPECT_EQ(Lies(ziel), andere);
  }
}

// --- Imports ------------------------------------------------------------------------------

struct ImportFall {
  const char* name;
  int antwort;           // to "Aktuelle Projektdaten speichern?"
  bool gespeichert;      // the open project was written first
  bool importiert;
};

void PrintTo(const ImportFall& f, std::ostream* os) { *os << f.name; }

class ProjectImport : public ::testing::TestWithParam<ImportFall> {};

TEST_P(ProjectImport, ModifiedProjectIsOfferedForSavingFirst) {
  const ImportFall& f = GetParam();
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  const fs::path quelle = app.tmp / "fremd" / "Projekte.dat";
  fs::create_directories(quelle.parent_path());
  fs::copy_file(app.Daten("Projekte.dat"), quelle);
  w.OeffnenDialog = [&](const QString&, const QString&, const QString&, const QString& filter) {
    EXPECT_EQ(filter, "Tavrel-Projektdateien (*.DAT *.dat)");
    return QString::fromStdString(quelle.string());
  };
  G().plant.Info2 = "ungespeichert";
  G().run.ProjektGeaendert = true;
  app.msgs->answers = {f.antwort};
  w.ImportProjekt->trigger();
  ASSERT_FALSE(app.msgs->shown.empty());
  EXPECT_EQ(app.msgs->shown[0].text, "Aktuelle Projektdaten speichern?");
  const std::string datei = Lies(app.Daten("Projekte.dat"));
  EXPECT_EQ(datei.find("ungespeichert") != std::string::npos, f.gespeichert);
  EXPECT_EQ(G().cat.ProjektAnzahl, f.importiert ? 2 : 1);
  EXPECT_EQ(G().settings.ImportDir, quelle.parent_path().string() + "/");
}

INSTANTIATE_TEST_SUITE_P(Hauptmenu, ProjectImport,
                         ::testing::Values(ImportFall{"Ja", mrYes, true, true},
                                           ImportFall{"Nein", mrNo, false, true},
                                           ImportFall{"Abbrechen", mrCancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The file dialogs of the import and export commands are titled with the command's caption
// without its accelerator mark.
TEST(Hauptmenu, FileDialogTitlesShowNoAccelerator) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  QString titel;
  const auto merke = [&titel](const QString& t, const QString&, const QString&, const QString&) {
    titel = t;
    return QString();
  };
  w.OeffnenDialog = merke;
  w.SpeichernDialog = merke;
  for (QAction* a : {w.ImportProjekt, w.ExportProjekt, w.KolldatImport, w.OrtedatImport, w.Meteonorm4dat,
                     w.MN5hourdat}) {
    titel.clear();
    a->trigger();
    EXPECT_EQ(titel, QString(a->text()).remove('&')) << a->objectName().toStdString();
    EXPECT_FALSE(titel.isEmpty() || titel.contains('&')) << titel.toStdString();
  }
  EXPECT_EQ(DialogTitle("A && B &Orte.dat"), "A & B Orte.dat");
}

TEST(Hauptmenu, WeatherImportMakesTheNewLocationCurrent) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  std::string text = "Meteonorm\r\nVersion 4\r\n\r\n\"Teststadt\"\r\n48.0,-7.9,269,\r\nx\r\ny\r\nz\r\n";
  for (int m = 1; m <= 12; ++m)
    text += std::to_string(m) + "\t" + std::to_string(30 + m) + "\t0\t0\t" + std::to_string(m - 3) +
            ".5\t99\t\r\n";
  app.tmp.Write("meteo.dat", text);
  app.tmp.Write("kaputt.dat", "nichts\r\n");
  QString datei;
  w.OeffnenDialog = [&](const QString&, const QString&, const QString&, const QString&) {
    return datei;
  };
  const int orte = G().cat.OrtAnzahl;
  const int synthesen = app.wetter.aufrufe;

  datei = QString::fromStdString((app.tmp / "kaputt.dat").string());
  app.msgs->shown.clear();
  w.Meteonorm4dat->trigger();
  EXPECT_FALSE(app.msgs->shown.empty()) << "the reader reports the rejected file";
  EXPECT_EQ(G().cat.OrtAnzahl, orte);
  EXPECT_EQ(G().plant.Standort, "Freiburg");
  EXPECT_FALSE(G().run.ProjektGeaendert);

  datei = QString::fromStdString((app.tmp / "meteo.dat").string());
  w.Meteonorm4dat->trigger();
  EXPECT_EQ(G().cat.OrtAnzahl, orte + 1);
  EXPECT_EQ(G().plant.OrtNr, orte + 1);
  EXPECT_EQ(G().plant.Standort, "Teststadt");
  EXPECT_EQ(app.wetter.aufrufe, synthesen + 1) << "the new location gets its own weather years";
  EXPECT_TRUE(G().run.SolarklimadatenOK);
  EXPECT_TRUE(G().run.ProjektGeaendert);
  EXPECT_EQ(G().settings.MeteoDir, app.tmp.path().string() + "/");

  // With the location editor there, it opens on the new entry in its weather-import mode.
  int editor = 0;
  w.FormOrtEdit = [&] {
    ++editor;
    EXPECT_TRUE(G().run.MeteoImport);
    EXPECT_EQ(G().run.OrtEditNr, G().plant.OrtNr);
  };
  w.Meteonorm4dat->trigger();
  EXPECT_EQ(editor, 1);
  EXPECT_EQ(G().plant.Standort, "Teststadt (Meteo)");
  EXPECT_FALSE(G().run.MeteoImport);
}

// A weather import that took nothing, hourly or monthly (a file refused, a full list, a
// catalogue that could not be written), leaves the project and so its results as they were;
// one that took a location makes them stale.
TEST(Hauptmenu, AWeatherImportThatTookNothingLeavesTheResultsValid) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  std::string monat = "Meteonorm\r\nVersion 4\r\n\r\n\"Neustadt\"\r\n48.0,-7.9,269,\r\nx\r\ny\r\nz\r\n";
  for (int m = 1; m <= 12; ++m)
    monat += std::to_string(m) + "\t" + std::to_string(30 + m) + "\t0\t0\t" + std::to_string(m) + ".5\t99\t\r\n";
  std::string stunde = "\"Neustadt GM\"\n48.0,7.9,269,-1\nfrei\nhy\tG_Gh\tTa\n";
  for (int h = 1; h <= 8760; ++h) stunde += std::to_string(h) + "\t100\t5\n";
  app.tmp.Write("monat.dat", monat);
  app.tmp.Write("stunde.dat", stunde);
  app.tmp.Write("kaputt.dat", "nichts\r\n");
  QString datei;
  w.OeffnenDialog = [&](const QString&, const QString&, const QString&, const QString&) {
    return datei;
  };
  enum class Liste { Frei, Voll, Schreibgeschuetzt };
  const struct {
    const char* fall;
    QAction* befehl;
    const char* datei;
    Liste liste;
    bool gueltig;  // the results after the import
  } faelle[] = {
      {"monthly, file refused", w.Meteonorm4dat, "kaputt.dat", Liste::Frei, true},
      {"hourly, file refused", w.MN5hourdat, "kaputt.dat", Liste::Frei, true},
      {"monthly, list full", w.Meteonorm4dat, "monat.dat", Liste::Voll, true},
      {"hourly, list full", w.MN5hourdat, "stunde.dat", Liste::Voll, true},
      {"monthly, catalogue not written", w.Meteonorm4dat, "monat.dat", Liste::Schreibgeschuetzt, true},
      {"hourly, catalogue not written", w.MN5hourdat, "stunde.dat", Liste::Schreibgeschuetzt, true},
      {"monthly, taken", w.Meteonorm4dat, "monat.dat", Liste::Frei, false},
      {"hourly, taken", w.MN5hourdat, "stunde.dat", Liste::Frei, false},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    datei = QString::fromStdString((app.tmp / c.datei).string());
    G().run.ErgebnisGueltig = true;
    w.Ergebnis->setEnabled(true);
    app.msgs->shown.clear();
    const int orte = G().cat.OrtAnzahl;
    if (c.liste == Liste::Voll) G().cat.OrtAnzahl = kMaxOrte;
    {
      std::optional<test::OhneSchreibrecht> schutz;
      if (c.liste == Liste::Schreibgeschuetzt) schutz.emplace(G().folders.DatenDir);
      c.befehl->trigger();
    }
    if (c.liste == Liste::Voll) G().cat.OrtAnzahl = orte;
    EXPECT_EQ(app.msgs->shown.empty(), !c.gueltig) << "an import that took nothing says why";
    EXPECT_EQ(G().run.ErgebnisGueltig, c.gueltig);
    EXPECT_EQ(w.Ergebnis->isEnabled(), c.gueltig);
    EXPECT_EQ(G().cat.OrtAnzahl, orte + (c.gueltig ? 0 : 1));
  }
}

TEST(Hauptmenu, HelpRevealsTheWeatherImportButtonAfterTheCodeWord) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  w.show();
  int hilfe = 0;
  w.WireCommand("Hilfe1", [&] { ++hilfe; });
  w.Hilfe1->trigger();
  EXPECT_FALSE(w.SpeedButtonMeteoImport->isVisible());
  G().run.MeteoFreigabe = true;
  w.Hilfe1->trigger();
  EXPECT_EQ(hilfe, 2);
  EXPECT_TRUE(w.SpeedButtonMeteoImport->isVisible());
}

TEST(Hauptmenu, StoredPlacementOffEveryScreenComesBack) {
  test::AppFixture app([](const test::TempDir&) {});
  G().settings.HMPos = TFensterPos{false, 700, 9000, 9000, 900};
  app.window->FormShow();
  const QRect g = app.window->geometry();
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(g));
  EXPECT_LE(g.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

// A first start has no stored placement: the window opens maximised until the user stores
// another placement by closing it otherwise.
TEST(Hauptmenu, MaximisedByDefaultUntilAnotherPlacementIsStored) {
  test::AppFixture app([](const test::TempDir&) {});
  const struct {
    TFensterPos pos;
    bool maximiert;
  } faelle[] = {
      {TFensterPos{false, 630, 0, 0, 800}, true},     // nothing stored
      {TFensterPos{false, 600, 50, 40, 900}, false},  // a normal placement
      {TFensterPos{true, 600, 50, 40, 900}, true},    // left maximised
  };
  G().screen.KleinerBildschirm = false;
  for (const auto& fall : faelle) {
    G().settings.HMPos = fall.pos;
    EXPECT_EQ(app.window->StartsMaximised(), fall.maximiert) << fall.pos.Links;
  }
  // A screen at most 800 pixels wide cuts the window to 800 x 600 instead.
  G().screen.KleinerBildschirm = true;
  G().settings.HMPos = faelle[0].pos;
  EXPECT_FALSE(app.window->StartsMaximised());
}

// --- Menus and tool buttons ---------------------------------------------------------------

TEST(Hauptmenu, MenuItemsWithCaptionsShortcutsAndStates) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence kurz;
    bool sichtbar;
    bool aktiv;
  };
  const Item items[] = {
      {"Neu", "&Neues Projekt", QKeySequence("Ctrl+N"), true, true},
      {"Projektinfo", "&Projekt-Info", QKeySequence("Ctrl+I"), true, true},
      {"Waehlen", "&Wählen", QKeySequence("Ctrl+O"), true, false},
      {"Speichern", "&Speichern", QKeySequence("Ctrl+S"), true, true},
      {"Loeschen", "&Löschen", {}, true, false},
      {"ImportProjekt", "&Import", {}, true, true},
      {"ExportProjekt", "&Export", {}, true, true},
      {"Datenordner", "Daten&ordner", {}, false, false},
      {"Druckoptionen", "&Druckoptionen", {}, true, false},
      {"Beenden", "&Beenden", {}, true, true},
      {"Momentanleistung", "&Momentanleistung", {}, true, true},
      {"AnlagenSimulation", "&Anlagensimulation", {}, true, true},
      {"Start", "&START", QKeySequence("F5"), true, false},
      {"Ergebnis", "&Ergebnis", QKeySequence("F6"), true, false},
      {"Optionen", "&Optionen", {}, true, false},
      {"Ort", "&Ort", {}, true, false},
      {"Anlage", "&Anlage", {}, true, false},
      {"Energie", "&Energie", {}, true, false},
      {"Kollektor", "&Kollektor", {}, true, false},
      {"AbsorberDrehung", "Absorber-D&rehung", QKeySequence("Ctrl+R"), false, false},
      {"Warmwasser", "&Warmwasser", QKeySequence("Ctrl+W"), true, false},
      {"Solarkreisvolumen", "Solarkreis&volumen", QKeySequence("Ctrl+V"), true, false},
      {"Enev", "&EnEV", QKeySequence("Ctrl+E"), true, false},
      {"KolldatImport", "&Koll.dat", {}, false, true},
      {"OrtedatImport", "&Orte.dat", {}, true, true},
      {"Meteonorm4dat", "&Meteo.dat (MN4)", {}, false, true},
      {"MN5hourdat", "Met&hour.dat (MN5/MN6)", {}, false, true},
      {"Info", "&Info", {}, true, false},
      {"Hilfe1", "     &?", {}, true, false},
      {"GrafikKopieren", "&Grafik kopieren", {}, true, true},
  };
  for (const Item& i : items) {
    auto* a = w.findChild<QAction*>(i.name);
    ASSERT_NE(a, nullptr) << i.name;
    EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
    EXPECT_EQ(a->shortcut(), i.kurz) << i.name;
    EXPECT_EQ(a->isVisible(), i.sichtbar) << i.name;
    // Qt counts a hidden item as disabled; what it does shows below.
    if (i.sichtbar) {
      EXPECT_EQ(a->isEnabled(), i.aktiv) << i.name;
    }
  }
  // The hidden imports work (their short-cuts and later menus reach them).
  int dialoge = 0;
  w.OeffnenDialog = [&](const QString&, const QString&, const QString&, const QString&) {
    ++dialoge;
    return QString();
  };
  for (QAction* a : {w.KolldatImport, w.Meteonorm4dat, w.MN5hourdat}) a->trigger();
  EXPECT_EQ(dialoge, 3);
  EXPECT_TRUE(w.AnlagenSimulation->isChecked());
  w.Momentanleistung->trigger();
  EXPECT_EQ(G().run.RechenModus, 2);
  EXPECT_FALSE(w.AnlagenSimulation->isChecked());

  struct Knopf {
    QToolButton* b;
    const char* caption;
    bool sichtbar;
    bool aktiv;
  };
  const Knopf knoepfe[] = {
      {w.SpeedButtonNeu, "", true, true},           {w.SpeedButtonOeffnen, "", true, false},
      {w.SpeedButtonSpeichern, "", true, true},     {w.SpeedButtonAssistent, "Assistent", true, false},
      {w.SpeedButtonOrt, "Ort", true, false},       {w.SpeedButtonAnlage, "Anlage", true, false},
      {w.SpeedButtonKollektor, "Kollektor", true, false},
      {w.SpeedButtonMeteoImport, "", false, true},  {w.SpeedButtonMoment, "&Moment", true, false},
      {w.SpeedButtonSimulation, "&Simulation", true, false},
      {w.SpeedButtonENEV, "EnE&V", true, false},
  };
  w.show();
  for (const Knopf& k : knoepfe) {
    EXPECT_EQ(k.b->text(), QString::fromUtf8(k.caption)) << k.b->objectName().toStdString();
    EXPECT_EQ(k.b->isVisible(), k.sichtbar) << k.b->objectName().toStdString();
    EXPECT_EQ(k.b->isEnabled(), k.aktiv) << k.b->objectName().toStdString();
  }
  EXPECT_EQ(w.SpeedButtonAnlage->toolTip(), "Anlagendaten ändern");
  EXPECT_EQ(w.SpeedButtonENEV->toolTip(), "Berechnung nach DIN 4701-10");
}

TEST(Hauptmenu, WiredCommandEnablesItemAndButtonAndMarksTheButton) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  w.show();
  int aufrufe = 0;
  bool markiert = false;
  w.WireCommand("Enev", [&] {
    ++aufrufe;
    markiert = w.ShapeOrange->isVisible() && w.ShapeOrange->x() == w.SpeedButtonENEV->x();
  });
  EXPECT_TRUE(w.Enev->isEnabled());
  EXPECT_TRUE(w.SpeedButtonENEV->isEnabled());
  w.SpeedButtonENEV->click();
  EXPECT_EQ(aufrufe, 1);
  EXPECT_TRUE(markiert);
  EXPECT_FALSE(w.ShapeOrange->isVisible());
  w.Enev->trigger();
  EXPECT_EQ(aufrufe, 2);

  // The results command waits for results; invalidating them takes it away again.
  w.WireCommand("Ergebnis", [] {});
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  G().run.ErgebnisGueltig = true;
  w.Ergebnis->setEnabled(true);
  int geschlossen = 0;
  w.CloseResults = [&] { ++geschlossen; };
  w.InvalidateResults();
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  EXPECT_FALSE(G().run.ErgebnisGueltig);
  EXPECT_EQ(geschlossen, 1);

  // A command built here is replaced, not doubled, by a window wired later.
  const std::string vorher = Lies(app.Daten("Projekte.dat"));
  G().plant.ProjektName = "Nicht direkt";
  int speichern = 0;
  w.WireCommand("Speichern", [&] { ++speichern; });
  w.Speichern->trigger();
  w.SpeedButtonSpeichern->click();
  EXPECT_EQ(speichern, 2);
  EXPECT_EQ(Lies(app.Daten("Projekte.dat")), vorher);
}

TEST(Hauptmenu, SetUpChainContinuesWhileDialogsAskForIt) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  std::vector<std::string> folge;
  const auto dialog = [&](const char* name, bool weiter) {
    return [&, name, weiter] {
      folge.push_back(name);
      G().run.WeiterModus = weiter;
    };
  };
  w.FormOrt = dialog("Ort", true);
  w.FormAnlage = [&, d = dialog("Anlage", true)](bool energie) {
    d();
    if (energie) folge.back() += "/Energie";
  };
  w.FormKollektor = dialog("Kollektor", true);
  G().run.RechenModus = 2;
  w.WireCommand("Speichern", [&] { folge.push_back("Speichern"); });
  w.WireCommand("SpeedButtonSimulation", [&] { folge.push_back("Simulation"); });
  w.WireCommand("Enev", [&] { folge.push_back("EnEV"); });
  w.UpdateChainEnabled();
  for (QAction* a : {w.Ort, w.Anlage, w.Energie, w.Kollektor}) EXPECT_TRUE(a->isEnabled());
  EXPECT_TRUE(w.SpeedButtonOrt->isEnabled());

  w.SpeedButtonOrt->click();
  EXPECT_EQ(folge,
            (std::vector<std::string>{"Ort", "Anlage", "Kollektor", "Speichern", "Simulation"}));
  EXPECT_FALSE(G().run.WeiterModus);
  EXPECT_FALSE(w.ShapeOrange->isVisible());
  // The simulation button set its mode, and the radio items followed.
  EXPECT_EQ(G().run.RechenModus, 3);
  EXPECT_TRUE(w.AnlagenSimulation->isChecked());
  EXPECT_FALSE(w.Momentanleistung->isChecked());

  folge.clear();
  G().run.EnevStart = true;
  w.Kollektor->trigger();
  EXPECT_EQ(folge, (std::vector<std::string>{"Kollektor", "Speichern", "EnEV"}));
  folge.clear();
  w.FormAnlage = [&](bool energie) { folge.push_back(energie ? "Energie" : "Anlage"); };
  w.Energie->trigger();
  EXPECT_EQ(folge, (std::vector<std::string>{"Energie"}));
}

TEST(Hauptmenu, GraphicCopyPutsTheSchemeOnTheClipboard) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  w.GrafikKopieren->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image(), w.ImageSchema->pixmap().toImage());
  EXPECT_EQ(w.statusBar()->currentMessage(), "Grafik in Zwischenablage übernommen");
}

TEST(Hauptmenu, GrabPerPlantType) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  w.show();
  for (int typ = 1; typ <= 8; ++typ) {
    G().plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    w.RefreshSchema();
    test::Grab(&w, QString("Hauptmenu-Typ%1").arg(typ));
  }
  for (QMenu* m : {w.Datei, w.Simulation, w.Extra, w.Extra->findChild<QMenu*>("Import")}) {
    m->adjustSize();
    test::Grab(m, "Hauptmenu-Menu" + m->objectName());
  }
}

}  // namespace
}  // namespace tav
