// The program's main road as a user takes it, offscreen on fresh temporary folders: start-up
// as main() runs it, a new project, one simulated year, the wizard's sizing, the run window,
// the results window, a printout into a PDF file, saving, and a restart of the program on the
// same data folder that must show the same project and compute the same results. Every step's
// window is grabbed as screens/mainroad_<language>_NN_<step>.png.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/Befehle.h"
#include "foundation/TavUtil.h"
#include "app/DatenStart.h"
#include "app/FormPrjAssistent.h"
#include "app/FormSplash.h"
#include "app/Hauptmenu.h"
#include "app/ProjektDialoge.h"
#include "enev/ui/FormEnev.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Folders.h"
#include "foundation/Language.h"
#include "foundation/TavMathe.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/FormSimErg.h"
#include "simulation/ui/FormSimRun.h"
#include "simulation/ui/SimCommands.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/gui/GrabScreen.h"
#include "tests/app/AppFixture.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// The languages the road is taken in; "en" switches through the language menu to the shipped
// "english.dat" (see EnglischeSprachdatei).
constexpr const char* kSprachen[] = {"de", "en"};

// A name with a character outside ASCII: it must come back from the project file unchanged.
const QString kProjektName = QStringLiteral("Haus an der Hauptstraße 7");

// Weather years for the fixture: the clear sky of the current location's latitude, the same
// on every start, so that a restart must reproduce the results exactly.
class KlarhimmelSynthese : public WetterSynthese {
 public:
  int aufrufe = 0;
  bool Synthesise(TavState& s, StatusSink& status) override {
    ++aufrufe;
    test::WetterParameter par;
    par.breite = s.loc.GeoBreite;
    test::FuelleKlarhimmelWetter(s.weather, par);
    status.Progress("100%");
    s.run.SolarklimadatenOK = true;
    s.run.WetterDatensatz = 1;
    return true;
  }
};

// The English language file as the program ships it: in the built program's folder, else
// where it lies in the source tree (build folders and hidden folders left out).
fs::path EnglischeSprachdatei() {
  const fs::path imProgramm = FindFileNoCase(TAV_PROGRAMM_DIR, "english.dat");
  std::error_code ec;
  if (fs::is_regular_file(imProgramm, ec)) return imProgramm;
  for (auto it = fs::recursive_directory_iterator(TAV_QUELLEN_DIR, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (it->is_directory(ec) && (name.rfind("build", 0) == 0 || name.rfind('.', 0) == 0)) {
      it.disable_recursion_pending();
    } else if (it->is_regular_file(ec) && EqualsNoCase(name, "english.dat")) {
      return it->path();
    }
  }
  return {};
}

// Runs `act` with the next modal dialog that `passt` accepts, from inside that dialog's event
// loop. When no such dialog comes within the time limit, the road fails there and whatever
// modal dialog is open is closed, so that the test ends instead of waiting for ever.
void WennDialog(const std::string& was, std::function<bool(QWidget*)> passt,
                std::function<void(QWidget*)> act, int sekunden = 60) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  auto uhr = std::make_shared<QElapsedTimer>();
  uhr->start();
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog && passt(dialog)) {
      timer->stop();
      timer->deleteLater();
      act(dialog);
      // A step that failed fatally leaves its dialog open: close it, the road ends here.
      auto* d = qobject_cast<QDialog*>(dialog);
      if (::testing::Test::HasFatalFailure() && d && d->isVisible()) d->reject();
    } else if (uhr->elapsed() > sekunden * 1000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no dialog " << was << (dialog ? ", open: " + dialog->objectName().toStdString() : "");
      if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
    }
  });
  timer->start();
}

void WennDialog(const char* name, std::function<void(QWidget*)> act) {
  WennDialog(name, [name](QWidget* d) { return d->objectName() == name; }, std::move(act));
}

template <typename T>
T* Kind(QWidget* w, const char* name) {
  T* kind = w->findChild<T*>(name);
  EXPECT_NE(kind, nullptr) << name << " in " << w->objectName().toStdString();
  return kind;
}

void Klick(QWidget* w, const char* name) {
  if (auto* b = Kind<QAbstractButton>(w, name)) b->click();
}

// The pages of a PDF file: its page objects.
int PdfSeiten(const QString& datei) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(f.readAll());
  return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// What the user sees of a finished run: the run window's solar fraction, the annual yield and
// the report of the results window.
struct Ergebnis {
  QString deckungsrate;
  double ertrag = 0.0;
  QString bericht;
};

class MainRoad : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    // The user's folders lie in the temporary folder: nothing reaches the real home.
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
      const char* alt = std::getenv(name);
      umgebung_[name] = alt ? std::optional<std::string>(alt) : std::nullopt;
      const fs::path ordner = tmp_.path() / name;
      fs::create_directories(ordner);
      ::setenv(name, ordner.string().c_str(), 1);
    }
    fs::create_directories(Programm());
    druckHooks_ = DruckHooks();
    // A machine with a printer prints through the printer dialog: there the job goes into
    // the same PDF file, so the road checks the same pages either way.
    DruckHooks().DruckerDialog = [this](QWidget*, QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(PdfDatei());
      return true;
    };
  }

  void TearDown() override {
    fenster_.reset();
    SimCommandHooks() = SimHooks{};
    ProjektCommandHooks() = ProjektHooks{};
    EnevCommandHooks() = EnevHooks{};
    DruckHooks() = druckHooks_;
    G() = TavState{};
    Texts().LoadDefaults();
    for (const auto& [name, wert] : umgebung_) {
      if (wert)
        ::setenv(name.c_str(), wert->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }

  std::string Sprache() const { return GetParam(); }
  bool Englisch() const { return Sprache() == "en"; }
  fs::path Programm() const { return tmp_.path() / "programm"; }
  QString PdfDatei() const { return QString::fromStdString((tmp_.path() / "ergebnisse.pdf").string()); }

  // Saves the window as the road's next picture.
  void Bild(QWidget* w, const std::string& schritt) {
    QApplication::processEvents();
    char nr[8];
    std::snprintf(nr, sizeof nr, "%02d", bildNr_++);
    const QString name = QString::fromStdString("mainroad_" + Sprache() + "_" + nr + "_" + schritt);
    EXPECT_FALSE(test::GrabScreen(w, name).isEmpty()) << name.toStdString();
  }

  // The program's start as main() runs it: folders of an installed program (its folder is not
  // the data folder), defaults, the splash as the data start-up's status, then the main window
  // with every command wired.
  void Starte() {
    G() = TavState{};
    Texts().LoadDefaults();
    TavState& s = G();
    SystemFolders sys = QuerySystemFolders();
    sys.ProgDir = Programm().string();
    sys.ProgrammeDirs = {Programm().string()};
    SetupFolders(s.folders, sys);
    RemoveCrashLeftovers(s.folders);
    const QScreen* screen = QGuiApplication::primaryScreen();
    SetProgramDefaults(s, {}, Now(), screen ? screen->geometry().width() : 0);
    auto splash = std::make_unique<FormSplash>();
    splash->show();
    DatenStart(s, Texts(), QtSettingsEnv(), *splash, wetter_);
    Bild(splash.get(), "splash");
    fenster_ = std::make_unique<Hauptmenu>(wetter_);
    VerbindeFenster(*fenster_);
    fenster_->FormShow();
    fenster_->show();
    splash.reset();
    QApplication::processEvents();
  }

  // The menu items' captions of the main window, for a language check.
  QStringList Menuetitel() const {
    QStringList titel;
    for (QMenu* m : {fenster_->Datei, fenster_->Simulation, fenster_->Extra}) titel << m->title();
    return titel;
  }

  // F5 or the tool button: the run window, started, read and left through its results button.
  // After the tool button the results window is modal: it is looked at and printed from
  // inside, then closed.
  std::function<void(QWidget*)> LaufUndErgebnisse(Ergebnis& e, const std::string& bild, bool ergebnisModal = false) {
    return [this, &e, bild, ergebnisModal](QWidget* d) {
      auto* form = static_cast<TFormSimRun*>(d);
      form->BitBtnStart->click();
      EXPECT_EQ(form->LetztesErgebnis(), SimErgebnis::Fertig);
      EXPECT_TRUE(G().run.ErgebnisGueltig);
      e.deckungsrate = form->LDeckungsrateV->text();
      e.ertrag = G().results.SolarertragMonat[13];
      Bild(d, bild);
      EXPECT_TRUE(form->BitBtnErgebnisse->isEnabled());
      if (ergebnisModal)
        WennDialog("FormSimErg", [this, &e](QWidget* erg) {
          ErgebnisfensterUndDruck(e);
          erg->close();
        });
      form->BitBtnErgebnisse->click();
    };
  }

  // The results window the run window opened: each tab, then the printout of every part into
  // the PDF file through the print button.
  void ErgebnisfensterUndDruck(Ergebnis& e) {
    auto* erg = fenster_->findChild<TFormSimErg*>("FormSimErg");
    ASSERT_NE(erg, nullptr);
    ASSERT_TRUE(erg->isVisible());
    erg->PageControl1->setCurrentIndex(0);
    e.bericht = erg->RichEdit1->toPlainText();
    for (int i = 0; i < erg->PageControl1->count(); ++i) {
      if (!erg->PageControl1->isTabVisible(i)) continue;
      erg->PageControl1->setCurrentIndex(i);
      Bild(erg, "ergebnisse_" + erg->PageControl1->widget(i)->objectName().toStdString());
    }
    erg->PageControl1->setCurrentIndex(0);

    if (!erg->CheckBoxAlles->isChecked()) erg->CheckBoxAlles->click();
    ASSERT_TRUE(erg->CheckBoxReport->isChecked() && erg->CheckBox1->isChecked() && erg->CheckBox2->isChecked());
    const QString pdf = PdfDatei();
    bool gefragt = false;
    WennDialog(
        "for the PDF file", [](QWidget* d) { return qobject_cast<QFileDialog*>(d) != nullptr; },
        [&](QWidget* d) {
          gefragt = true;
          auto* datei = static_cast<QFileDialog*>(d);
          EXPECT_TRUE(datei->selectedFiles().value(0).endsWith(".pdf")) << datei->selectedFiles().value(0).toStdString();
          datei->selectFile(pdf);
          Bild(d, "pdf_datei");
          static_cast<QDialog*>(datei)->accept();  // QFileDialog::accept, as its Save button does
        },
        DruckerVorhanden() ? 1 : 60);
    erg->BitBtnDruck->click();
    EXPECT_TRUE(gefragt || DruckerVorhanden());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    // No pool: the summary sheet, the energy balance and the ecology page.
    EXPECT_EQ(PdfSeiten(pdf), 3);
    // Kept beside the pictures for anyone to look at.
    const QString kopie = QStringLiteral(TAV_SCREENS_DIR "/mainroad_%1_ergebnisse.pdf").arg(QString::fromStdString(Sprache()));
    QFile::remove(kopie);
    EXPECT_TRUE(QFile::copy(pdf, kopie));
    // A printer's job was sent to the printer; a PDF file is named where it went.
    EXPECT_EQ(fenster_->statusBar()->currentMessage(),
              DruckerVorhanden() ? QString::fromStdString(T(TX::MeldungDruckenfertig))
                                 : QString::fromStdString(ReplaceHashMark(T(TX::MeldungPdfGeschrieben),
                                                                          QDir::toNativeSeparators(pdf).toStdString())));
  }

  test::TempDir tmp_;
  test::ScopedMessages msgs_;
  KlarhimmelSynthese wetter_;
  std::unique_ptr<Hauptmenu> fenster_;
  std::map<std::string, std::optional<std::string>> umgebung_;
  TDruckHooks druckHooks_;
  int bildNr_ = 0;
};

TEST_P(MainRoad, FromStartUpToTheSameResultsAfterARestart) {
  if (Englisch()) {
    const fs::path datei = EnglischeSprachdatei();
    ASSERT_FALSE(datei.empty()) << "english.dat is not in the tree";
    fs::copy_file(datei, Programm() / "english.dat");
  }

  // Start-up on empty folders: the data folder is made and seeded, the standard project open.
  Starte();
  Hauptmenu& w = *fenster_;
  const std::string datenDir = G().folders.DatenDir;
  EXPECT_TRUE(fs::is_directory(datenDir));
  EXPECT_NE(fs::path(datenDir).parent_path(), Programm());
  EXPECT_EQ(G().cat.ProjektAnzahl, 1);
  EXPECT_TRUE(G().run.SolarklimadatenOK);
  Bild(&w, "hauptfenster");

  // The language menu, as the user picks English.
  const QStringList deutsch = Menuetitel();
  if (Englisch()) {
    const int nr = LanguageNumber(G().cat, "english");
    auto* item = w.findChild<QAction*>(QString("Sprache%1").arg(nr, 2, 10, QChar('0')));
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isVisible()) << "the language menu does not offer English";
    item->trigger();
    EXPECT_EQ(G().settings.Sprache, "english");
    EXPECT_NE(Menuetitel(), deutsch);
    Bild(&w, "hauptfenster_englisch");
  }
  const QStringList sprachTitel = Menuetitel();

  // A new project by name.
  WennDialog("FormProjektInfo", [this](QWidget* d) {
    Kind<QLineEdit>(d, "Edit1")->setText(kProjektName);
    Bild(d, "neues_projekt");
    Klick(d, "ButtonOK");
  });
  w.findChild<QAction*>("Neu")->trigger();
  ASSERT_EQ(QString::fromStdString(G().plant.ProjektName), kProjektName);
  ASSERT_EQ(G().cat.ProjektAnzahl, 2);
  const int projektNummer = G().settings.ProjektNummer;
  EXPECT_EQ(projektNummer, 2);
  Bild(&w, "hauptfenster_neues_projekt");

  // One simulated year, through the options dialog.
  WennDialog("FormSimOpt", [this](QWidget* d) {
    Kind<QRadioButton>(d, "RadioButton1Jahr")->setChecked(true);
    Bild(d, "optionen");
    Klick(d, "ButtonOK");
  });
  w.findChild<QAction*>("Optionen")->trigger();
  ASSERT_EQ(G().settings.SimJahre, 1);

  // The wizard: another location (its weather is made), the collector, hot water only, the
  // design; its OK saves the project and starts the run, whose results button opens the
  // results window.
  const int synthesen = wetter_.aufrufe;
  std::string standort;
  Ergebnis vorher;
  WennDialog("FormPrjAssistent", [&](QWidget* d) {
    auto& f = *static_cast<TFormPrjAssistent*>(d);
    EXPECT_EQ(f.EditPrjName->text(), kProjektName);
    ASSERT_GE(f.StringGridOrte->rowCount(), 2);
    const int zeile = f.StringGridOrte->currentRow() == 1 ? 0 : 1;
    f.StringGridOrte->setCurrentCell(zeile, 1);
    standort = G().cat.Orte[static_cast<std::size_t>(zeile + 1)].Name;
    Bild(d, "assistent_start");
    f.BitBtnForward->click();
    EXPECT_EQ(f.PageControl1->currentIndex(), TFormPrjAssistent::sKollektor);
    EXPECT_EQ(wetter_.aufrufe, synthesen + 1);
    Bild(d, "assistent_kollektor");
    f.BitBtnForward->click();
    ASSERT_EQ(f.PageControl1->currentIndex(), TFormPrjAssistent::sQbedarf);
    f.CheckBoxSolarKombi->setChecked(false);
    f.EditTWW_Liter->setText("200");
    Bild(d, "assistent_waermebedarf");
    f.BitBtnForward->click();
    ASSERT_EQ(f.PageControl1->currentIndex(), TFormPrjAssistent::sDimTWW);
    ASSERT_TRUE(f.ButtonOK->isVisible());
    EXPECT_GT(f.Dim().Ring[0][0], 0.0f);
    Bild(d, "assistent_auslegung");
    WennDialog("FormProjektSpeichern", [&](QWidget* speichern) {
      Bild(speichern, "speichern_nach_assistent");
      WennDialog("FormSimRun", LaufUndErgebnisse(vorher, "simulation", true));
      Klick(speichern, "ButtonOK");
    });
    f.ButtonOK->click();
  });
  w.SpeedButtonAssistent->click();
  EXPECT_EQ(G().plant.Standort, standort);
  EXPECT_EQ(G().cat.Orte[static_cast<std::size_t>(G().plant.OrtNr)].Name, standort);
  EXPECT_EQ(G().settings.SimJahre, 1);
  ASSERT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_TRUE(w.Ergebnis->isEnabled());
  EXPECT_GT(vorher.ertrag, 0.0);
  EXPECT_NE(vorher.deckungsrate, "0 %");
  Bild(&w, "hauptfenster_nach_lauf");
  ASSERT_FALSE(vorher.bericht.isEmpty());

  // Saved once more from the file menu, under the project's own number.
  WennDialog("FormProjektSpeichern", [this](QWidget* d) {
    Bild(d, "speichern");
    Klick(d, "ButtonOK");
  });
  w.findChild<QAction*>("Speichern")->trigger();
  EXPECT_FALSE(G().run.ProjektGeaendert);
  EXPECT_EQ(G().settings.ProjektNummer, projektNummer);
  EXPECT_EQ(G().cat.ProjektAnzahl, 2);

  // What the user sees of the project, then the program ends as the user ends it.
  const PlantState anlage = G().plant;
  const QString beschreibung = w.RichEditProjekt->toPlainText();
  w.close();
  ASSERT_FALSE(w.isVisible()) << msgs_->All();
  fenster_.reset();
  SimCommandHooks() = SimHooks{};
  ProjektCommandHooks() = ProjektHooks{};

  // The restart: a new state and main window on the same data folder.
  Starte();
  Hauptmenu& w2 = *fenster_;
  Bild(&w2, "neustart");
  EXPECT_EQ(G().folders.DatenDir, datenDir);
  EXPECT_EQ(Menuetitel(), sprachTitel);
  EXPECT_EQ(G().settings.SimJahre, 1);
  EXPECT_EQ(G().cat.ProjektAnzahl, 2);
  EXPECT_EQ(G().settings.ProjektNummer, projektNummer);
  EXPECT_EQ(QString::fromStdString(G().plant.ProjektName), kProjektName);
  EXPECT_EQ(G().plant.Standort, anlage.Standort);
  EXPECT_EQ(G().plant.Kollektor, anlage.Kollektor);
  EXPECT_EQ(G().plant.AnlagenTypNr, anlage.AnlagenTypNr);
  EXPECT_FLOAT_EQ(G().plant.KollektorFlaeche, anlage.KollektorFlaeche);
  EXPECT_FLOAT_EQ(G().plant.Speicher1vol, anlage.Speicher1vol);
  EXPECT_FLOAT_EQ(G().plant.Warmwasserverbrauch, anlage.Warmwasserverbrauch);
  EXPECT_EQ(w2.RichEditProjekt->toPlainText(), beschreibung);
  EXPECT_FALSE(w2.Ergebnis->isEnabled());

  // F5: the same results as before the restart.
  Ergebnis nachher;
  WennDialog("FormSimRun", LaufUndErgebnisse(nachher, "simulation_nach_neustart"));
  w2.findChild<QAction*>("Start")->trigger();
  EXPECT_EQ(nachher.deckungsrate, vorher.deckungsrate);
  EXPECT_NEAR(nachher.ertrag, vorher.ertrag, 1e-4 * vorher.ertrag);
  auto* erg = w2.findChild<TFormSimErg*>("FormSimErg");
  ASSERT_NE(erg, nullptr);
  EXPECT_EQ(erg->RichEdit1->toPlainText(), vorher.bericht);
  Bild(erg, "ergebnisse_nach_neustart");

  // Nothing on the way was an error or a warning.
  for (const auto& m : msgs_->shown) {
    EXPECT_NE(m.type, mtError) << m.text;
    EXPECT_NE(m.type, mtWarning) << m.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Sprachen, MainRoad, ::testing::ValuesIn(kSprachen),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace tav
