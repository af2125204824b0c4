// The language switch with the English file shipped beside the program: the main window
// takes the English texts and gets every German caption back on the way home, and each window
// opened after the switch, also one first opened in German and kept since, shows no German
// text of the text table.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "app/Befehle.h"
#include "app/ProjektDialoge.h"
#include "enev/ui/FormEnev.h"
#include "foundation/CodePage.h"
#include "foundation/Language.h"
#include "simulation/ui/SimCommands.h"
#include "support/gui/GrabScreen.h"
#include "tests/app/AppFixture.h"
#include "tests/foundation/ui/ModalDriver.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

using test::kEnglischNr;
using test::MitEnglisch;

// Shown unless hidden on purpose: a widget on a page of a tab or stack that is not in front
// counts as shown, as the user reaches it with one click.
bool Erreichbar(const QWidget* w, const QWidget* root) {
  for (; w && w != root; w = w->parentWidget()) {
    if (w->isHidden() && !qobject_cast<const QStackedWidget*>(w->parentWidget())) return false;
  }
  return true;
}

// Every caption a window shows, by where it sits (object name, kind, number among its kind).
// List entries are catalogue data (profiles, energy carriers), not captions.
std::map<std::string, std::string> Texte(QWidget* root) {
  std::map<std::string, std::string> texte;
  std::map<std::string, int> nummer;
  const auto add = [&](const QObject* o, const char* art, const QString& text) {
    const std::string ort = o->objectName().toStdString() + "/" + art;
    texte[ort + "#" + std::to_string(nummer[ort]++)] = text.toStdString();
  };
  add(root, "title", root->windowTitle());
  for (QAction* a : root->findChildren<QAction*>()) {
    add(a, "text", a->text());
    add(a, "tip", a->toolTip());
    add(a, "status", a->statusTip());
  }
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!Erreichbar(w, root)) continue;
    add(w, "tip", w->toolTip());
    if (auto* m = qobject_cast<QMenu*>(w)) add(m, "menu", m->title());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(b, "button", b->text());
    if (auto* l = qobject_cast<QLabel*>(w)) add(l, "label", l->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add(g, "group", g->title());
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) add(t, "tab", t->tabText(i));
    if (auto* e = qobject_cast<QTextEdit*>(w)) add(e, "rich", e->toPlainText());
    if (auto* t = qobject_cast<QTableWidget*>(w))
      for (int i = 0; i < t->columnCount(); ++i)
        if (t->horizontalHeaderItem(i)) add(t, "head", t->horizontalHeaderItem(i)->text());
  }
  return texte;
}

std::string OhneKuerzel(std::string s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  while (!out.empty() && (out.back() == ':' || out.back() == ' ')) out.pop_back();
  while (!out.empty() && out.front() == ' ') out.erase(out.begin());
  return out;
}

// The German texts of the table that English says otherwise, as a window would show them.
const std::set<std::string>& DeutscheTexte() {
  static const std::set<std::string> texte = [] {
    TTextTable englisch;
    englisch.LoadTexts(fs::path(TAV_LANG_DIR) / "english.dat", CodePageForLanguage("en"));
    std::set<std::string> s;
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const auto key = static_cast<TX>(i);
      const std::string de = OhneKuerzel(TextDefaultOf(key).deutsch);
      // Short words like "Ort" or "Grad" would be found inside names and numbers.
      if (de.size() < 4 || de == OhneKuerzel(englisch[key])) continue;
      s.insert(de);
      // With its accelerator where it has one, keyed apart from the bare text.
      const std::string mit = TextDefaultOf(key).deutsch;
      if (mit.find('&') != std::string::npos) s.insert(de + "\x01" + mit);
    }
    return s;
  }();
  return texte;
}

// Where a window still shows a German text of the table (with its accelerator, or without
// one where the window drops it). The unit beside the energy carrier is catalogue data;
// Ausser names a place the window keeps German on purpose.
std::string DeutscheReste(const std::map<std::string, std::string>& texte,
                          const std::string& ausser = "LabelE41/") {
  std::string reste;
  for (const auto& [ort, text] : texte) {
    if (ort.rfind("LabelE41/", 0) == 0 || ort.rfind(ausser, 0) == 0) continue;
    std::string roh = text;
    while (!roh.empty() && (roh.back() == ':' || roh.back() == ' ')) roh.pop_back();
    const bool ohne = roh.find('&') == std::string::npos;
    if (ohne ? DeutscheTexte().count(OhneKuerzel(roh))
             : DeutscheTexte().count(OhneKuerzel(roh) + "\x01" + roh))
      reste += ort + " = \"" + text + "\"\n";
  }
  return reste;
}

std::string Unterschiede(const std::map<std::string, std::string>& vorher,
                         const std::map<std::string, std::string>& nachher) {
  std::string u;
  for (const auto& [ort, text] : vorher) {
    const auto it = nachher.find(ort);
    if (it == nachher.end()) u += ort + " gone\n";
    else if (it->second != text) u += ort + ": \"" + text + "\" -> \"" + it->second + "\"\n";
  }
  for (const auto& [ort, text] : nachher)
    if (!vorher.count(ort)) u += ort + " new: \"" + text + "\"\n";
  return u;
}

TEST(Sprachwechsel, TheLanguageMenuOffersEnglishFromItsFile) {
  test::AppFixture app(MitEnglisch);
  QAction* englisch = app.window->Sprache[kEnglischNr];
  EXPECT_TRUE(englisch->isVisible());
  EXPECT_EQ(englisch->text(), "&English");
  EXPECT_TRUE(app.window->Sprache[kDeutschNr]->isChecked());
  EXPECT_EQ(app.window->Datei->title(), "&Datei");
}

TEST(Sprachwechsel, EnglishAndBackRestoresEveryCaptionOfTheMainWindow) {
  test::AppFixture app(MitEnglisch);
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
  const auto deutsch = Texte(&w);

  w.Sprache[kEnglischNr]->trigger();
  const auto englisch = Texte(&w);
  EXPECT_EQ(G().settings.Sprache, "english");
  EXPECT_EQ(Texts()[TX::HmenuDatei], "&File");
  EXPECT_EQ(w.Datei->title(), "&File");
  EXPECT_EQ(w.SpeedButtonOrt->text(), "Location");
  EXPECT_EQ(w.SpeedButtonOrt->toolTip(), "Choose the location");
  EXPECT_EQ(DeutscheReste(englisch), "");
  test::GrabScreen(&w, "Hauptmenu_en");

  w.Sprache[kDeutschNr]->trigger();
  EXPECT_EQ(Unterschiede(deutsch, Texte(&w)), "");
  EXPECT_TRUE(w.Sprache[kDeutschNr]->isChecked());
  EXPECT_FALSE(w.Sprache[kEnglischNr]->isChecked());
  EXPECT_TRUE(app.msgs->shown.empty()) << app.msgs->All();
  SimCommandHooks() = SimHooks{};
  ProjektCommandHooks() = ProjektHooks{};
  EnevCommandHooks() = EnevHooks{};
}

// The texts of the modal window a command opens, grabbed as <name>_en when English.
std::map<std::string, std::string> TexteDesFensters(const std::function<void()>& befehl,
                                                    std::string& name, bool englisch) {
  std::map<std::string, std::string> texte;
  test::WhenModal([&](QWidget* d) {
    name = d->objectName().toStdString();
    texte = Texte(d);
    if (englisch) {
      test::GrabScreen(d, d->objectName() + "_en");
      // Each page of a tabbed window, for looking at the longer English captions.
      for (QTabWidget* t : d->findChildren<QTabWidget*>()) {
        const int vorn = t->currentIndex();
        for (int i = 0; i < t->count(); ++i) {
          if (i == vorn || !t->isTabEnabled(i) || !t->isTabVisible(i)) continue;
          t->setCurrentIndex(i);
          test::GrabScreen(d, d->objectName() + "_en-" + QString::number(i));
        }
        t->setCurrentIndex(vorn);
      }
    }
    static_cast<QDialog*>(d)->reject();
  });
  befehl();
  return texte;
}

TEST(Sprachwechsel, WindowsOpenedAfterTheSwitchAreInEnglish) {
  test::AppFixture app(MitEnglisch);
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
  const auto aktion = [&w](const char* name) {
    return [&w, name] { w.findChild<QAction*>(name)->trigger(); };
  };
  const struct {
    const char* fenster;
    std::function<void()> befehl;
    // The EnEV form belongs to the German regulation and keeps its German layout texts.
    bool englisch = true;
    const char* ausser = "LabelE41/";
  } faelle[] = {
      {"FormProjektSpeichern", aktion("Speichern")},
      {"FormProjektWaehlen", aktion("Waehlen")},
      {"FormVerzWechsel", aktion("Datenordner")},
      {"FormProgrammInfo", aktion("Info")},
      {"FormKopftext", aktion("Druckoptionen")},
      {"FormAbsorberDreh", aktion("AbsorberDrehung")},
      {"FormSolarkreisVol", aktion("Solarkreisvolumen")},
      {"FormOrt", aktion("Ort")},
      {"FormKollektor", aktion("Kollektor")},
      {"FormAnlage", aktion("Anlage")},
      {"FormSimRun", aktion("Start")},
      {"FormSimOpt", aktion("Optionen")},
      {"FormMoment", [&w] { w.SpeedButtonMoment->click(); }},
      {"FormPrjAssistent", [&w] { w.SpeedButtonAssistent->click(); }},
      {"FormEnev", aktion("Enev"), false},
  };
  // First in German, so the windows kept after their first use exist before the switch.
  for (const auto& f : faelle) {
    std::string name;
    TexteDesFensters(f.befehl, name, false);
    EXPECT_EQ(name, f.fenster);
    G().run.RechenModus = 3;
  }
  w.Sprache[kEnglischNr]->trigger();
  for (const auto& f : faelle) {
    std::string name;
    const auto texte = TexteDesFensters(f.befehl, name, true);
    EXPECT_EQ(name, f.fenster);
    if (f.englisch) {
      EXPECT_EQ(DeutscheReste(texte, f.ausser), "") << f.fenster;
    }
    G().run.RechenModus = 3;
  }
  // Units put together from a word of the table and a fixed part follow the language too.
  auto* koll = w.findChild<QWidget*>("FormKollektor");
  ASSERT_NE(koll, nullptr);
  EXPECT_TRUE(koll->findChild<QLabel*>("LabelVolStrom")->text().endsWith(" litres/h"))
      << koll->findChild<QLabel*>("LabelVolStrom")->text().toStdString();
  // The windows that stay open beside the main window: the hot-water calculator, and the
  // results (opened in German before the switch, kept, shown again).
  w.findChild<QAction*>("Warmwasser")->trigger();
  auto* ww = w.findChild<QWidget*>("FormWarmwasser");
  ASSERT_NE(ww, nullptr);
  EXPECT_EQ(DeutscheReste(Texte(ww)), "");
  test::GrabScreen(ww, "FormWarmwasser_en");
  ww->close();
  w.Sprache[kDeutschNr]->trigger();
  G().run.ErgebnisGueltig = true;
  SimCommandHooks().ErgebnisFreigeben(true);
  w.Ergebnis->trigger();
  auto* ergebnisse = w.findChild<QWidget*>("FormSimErg");
  ASSERT_NE(ergebnisse, nullptr);
  ergebnisse->close();
  w.Sprache[kEnglischNr]->trigger();
  w.Ergebnis->trigger();
  EXPECT_TRUE(ergebnisse->isVisible());
  EXPECT_EQ(DeutscheReste(Texte(ergebnisse)), "");
  test::GrabScreen(ergebnisse, "FormSimErg_en");
  ergebnisse->close();

  w.Sprache[kDeutschNr]->trigger();
  SimCommandHooks() = SimHooks{};
  ProjektCommandHooks() = ProjektHooks{};
  EnevCommandHooks() = EnevHooks{};
}

}  // namespace
}  // namespace tav
