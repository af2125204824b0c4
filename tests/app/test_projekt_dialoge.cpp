// The project dialogs on a project file with projects 1, 2 and 4: the grid order, saving
// under the own and another number, a new project, opening by name with umlauts, deleting
// several projects with the current one; the file after each step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <utility>
#include <vector>

#include "app/FormProjekt.h"
#include "app/ProjektDialoge.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "project/test_projekt_fixture.h"
#include "foundation/TavMathe.h"
#include "foundation/ui/ModalDriver.h"
#include "foundation/ui/XiButton.h"
#include "support/Schreibschutz.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

using Liste = std::vector<std::pair<int, std::string>>;

const std::string kEins = "Einfamilienhaus Freiburg";
const std::string kUmlaut = "Müller Öhringen – Straße";
const std::string kLang =
    "Schule mit einem sehr langen Namen, der weit über sechzig Zeichen hinausreicht, Bauteil B";

class ProjektDialoge : public test::ProjektTest {
 protected:
  void SetUp() override {
    test::VollesProjekt(s.plant);
    Anlegen(1, kEins, EncodeDate(2026, 3, 1));
    Anlegen(2, kUmlaut, EncodeDate(2026, 5, 1));
    Anlegen(4, kLang, EncodeDate(2026, 4, 1));
    s.settings.ProjektNummer = 1;
    LoadProjekt(s, d);
    ASSERT_EQ(s.cat.ProjektAnzahl, 3);
    msgs->shown.clear();
  }
  void TearDown() override { ProjektCommandHooks().ProjektInfo = nullptr; }

  void Anlegen(int nr, const std::string& name, double datum) {
    s.settings.ProjektNummer = nr;
    s.plant.ProjektName = name;
    d.jetzt = datum;
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  }

  // Number and name of every project in the file, read as the program reads it.
  Liste ImFile() {
    TavState t;
    t.folders.DatenDir = s.folders.DatenDir;
    test::FakeDienste f;
    LoadProjekt(t, f);
    Liste l;
    for (int i = 1; i <= t.cat.ProjektAnzahl; ++i)
      l.emplace_back(t.cat.Projektliste[i].Nummer, t.cat.Projektliste[i].ProjektName);
    return l;
  }

  static std::vector<int> Nummern(const TFormProjektSpeichern& f) {
    std::vector<int> n;
    for (const auto& z : f.Zeilen()) n.push_back(z.Nummer);
    return n;
  }
  static int ZeileVon(const TFormProjektSpeichern& f, int nummer) {
    for (int r = 0; r < static_cast<int>(f.Zeilen().size()); ++r)
      if (f.Zeilen()[r].Nummer == nummer) return r;
    return -1;
  }
  static void Waehle(TFormProjektSpeichern& f, int nummer) {
    f.StringGrid1->setCurrentCell(ZeileVon(f, nummer), 1);
    f.StringGrid1->selectRow(ZeileVon(f, nummer));
  }
};

TEST_F(ProjektDialoge, SaveListsNewestFirstAndWritesTheOwnRowWithoutAQuestion) {
  TFormProjektSpeichern f(s, d);
  f.show();
  EXPECT_EQ(Nummern(f), (std::vector<int>{2, 4, 1}));
  EXPECT_EQ(f.StringGrid1->currentRow(), 2);  // the current project
  EXPECT_EQ(f.StringGrid1->item(0, 1)->text().toStdString(), kUmlaut);
  EXPECT_EQ(f.StringGrid1->item(1, 1)->text().size(), 60);  // cut to 60 characters
  EXPECT_EQ(f.StringGrid1->item(1, 2)->text(), "01.04.2026");
  EXPECT_EQ(f.Label1->text().toStdString(), "Projekt '" + kEins + "' speichern unter:");
  EXPECT_FALSE(f.XiButtonNeuesProjekt->isEnabled());  // no project-info dialog to ask with
  test::GrabScreen(&f, "FormProjektSpeichern");

  s.plant.Info1 = "neu gespeichert";
  f.ButtonOK->click();
  EXPECT_EQ(f.result(), 1);
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(s.plant.Info1, "neu gespeichert");
  EXPECT_EQ(ImFile(), (Liste{{1, kEins}, {2, kUmlaut}, {4, kLang}}));
}

TEST_F(ProjektDialoge, SavingOverAnotherNumberAsksWithTheShortenedName) {
  const std::string vorher = Datei();
  TFormProjektSpeichern f(s, d);
  f.show();
  Waehle(f, 4);
  msgs->answers = {mrCancel, mrNo};
  f.ButtonOK->click();  // Cancel: back to the grid
  EXPECT_TRUE(f.isVisible());
  f.ButtonOK->click();  // No: closed, nothing written
  EXPECT_EQ(f.result(), 2);
  EXPECT_EQ(Datei(), vorher);
  ASSERT_EQ(msgs->shown.size(), 2u);
  EXPECT_EQ(msgs->shown[0].text, "Projekt Schule mit einem sehr lan... überschreiben?");
  EXPECT_EQ(msgs->shown[0].buttons, mbYesNoCancelKeep);  // Enter keeps the stored project

  msgs->shown.clear();
  f.show();
  Waehle(f, 2);
  msgs->answers = {mrYes};
  test::Key(f.StringGrid1, Qt::Key_Return);
  EXPECT_EQ(f.result(), 1);
  EXPECT_EQ(msgs->shown.at(0).text, "Projekt " + kUmlaut + " überschreiben?");
  EXPECT_EQ(s.settings.ProjektNummer, 2);
  EXPECT_EQ(ImFile(), (Liste{{1, kEins}, {2, kEins}, {4, kLang}}));
}

TEST_F(ProjektDialoge, NewProjectTakesTheSmallestFreeNumberAndAUniqueName) {
  std::vector<std::string> titel;
  int antwort = mrCancel;
  ProjektCommandHooks().ProjektInfo = [&](QWidget*, const std::string& t) {
    titel.push_back(t);
    return antwort;
  };
  TFormProjektSpeichern f(s, d);
  f.show();
  ASSERT_TRUE(f.XiButtonNeuesProjekt->isEnabled());
  f.XiButtonNeuesProjekt->click();  // cancelled in the info dialog
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(s.settings.ProjektNummer, 1);
  EXPECT_EQ(s.plant.ProjektName, kEins);
  EXPECT_EQ(s.cat.ProjektAnzahl, 3);

  antwort = mrOk;
  f.XiButtonNeuesProjekt->click();
  EXPECT_EQ(f.result(), 1);
  EXPECT_EQ(titel, (std::vector<std::string>{"Neues Projekt", "Neues Projekt"}));
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(s.settings.ProjektNummer, 3);
  EXPECT_EQ(ImFile(), (Liste{{1, kEins}, {2, kUmlaut}, {4, kLang}, {3, kEins + " (2)"}}));
}

// Another program on the same data folder saved its new project 3 after this one read the
// list (whose slot beyond the count still holds the deleted project 3). The save dialog reads
// the list anew: it shows the other program's project, and "neues Projekt" takes the next
// number free on disk and is written, without touching the other program's project.
TEST_F(ProjektDialoge, NewProjectTakesTheNextNumberFreeOnDisk) {
  Anlegen(3, "Drei", EncodeDate(2026, 6, 1));
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  ASSERT_EQ(s.cat.ProjektAnzahl, 4);
  ASSERT_TRUE(DeleteProjekt(s, 3));
  LoadProjekt(s, d);
  ASSERT_EQ(s.cat.ProjektAnzahl, 3);
  {
    // The other program saves its new project 3 into the same file.
    TavState anderer;
    test::FakeDienste ad;
    anderer.folders.DatenDir = s.folders.DatenDir;
    anderer.settings.ProjektNummer = 3;
    anderer.plant.ProjektName = "Vom anderen Programm";
    ASSERT_TRUE(WriteProjektDat(Pfad(), anderer, ad));
  }
  // Named as the project-info dialog does it: the new name and info, the project changed.
  ProjektCommandHooks().ProjektInfo = [&](QWidget*, const std::string&) {
    s.plant.ProjektName = s.plant.Projekt.ProjektName = "Neubau";
    s.plant.Info1 = "neu";
    s.run.ProjektGeaendert = true;
    return mrOk;
  };
  TFormProjektSpeichern f(s, d);
  f.show();
  EXPECT_EQ(Nummern(f), (std::vector<int>{3, 2, 4, 1}));
  msgs->shown.clear();
  f.XiButtonNeuesProjekt->click();
  EXPECT_EQ(f.result(), 1);
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(s.settings.ProjektNummer, 5);
  EXPECT_EQ(s.plant.ProjektName, "Neubau");
  EXPECT_EQ(s.plant.Info1, "neu");
  EXPECT_FALSE(s.run.ProjektGeaendert);
  EXPECT_EQ(s.cat.ProjektAnzahl, 5);
  EXPECT_EQ(ImFile(), (Liste{{1, kEins}, {2, kUmlaut}, {4, kLang}, {3, "Vom anderen Programm"}, {5, "Neubau"}}));
}

TEST_F(ProjektDialoge, OpenTakesTheRowPickedAndSavesFirstWhenAsked) {
  TFormProjektWaehlen f(s, d);
  f.show();
  EXPECT_EQ(f.windowTitle(), "Projekt wählen");
  EXPECT_FALSE(f.XiButtonNeuesProjekt->isVisible());
  EXPECT_EQ(f.StringGrid1->currentRow(), 2);
  test::GrabScreen(&f, "FormProjektWaehlen");

  s.plant.Info1 = "ungespeichert";
  s.run.ProjektGeaendert = true;
  Waehle(f, 2);
  msgs->answers = {mrYes};
  f.ButtonOK->click();
  EXPECT_EQ(f.result(), 1);
  EXPECT_EQ(msgs->shown.at(0).text, "Aktuelle Projektdaten speichern?");
  EXPECT_EQ(s.settings.ProjektNummer, 2);
  EXPECT_EQ(s.plant.ProjektName, kUmlaut);
  EXPECT_FALSE(s.run.ProjektGeaendert);

  // The unsaved change went into project 1 before project 2 was opened.
  TavState t;
  t.folders.DatenDir = s.folders.DatenDir;
  test::FakeDienste fd;
  LoadProjekt(t, fd);
  EXPECT_EQ(t.plant.ProjektName, kEins);
  EXPECT_EQ(t.plant.Info1, "ungespeichert");

  // A double click opens without a question when nothing is modified.
  msgs->shown.clear();
  f.show();
  Waehle(f, 4);  // the press of a double click selects the row first
  f.StringGrid1->cellDoubleClicked(ZeileVon(f, 4), 1);
  EXPECT_EQ(f.result(), 1);
  EXPECT_TRUE(msgs->shown.empty());
  EXPECT_EQ(s.plant.ProjektName, kLang);
}

TEST_F(ProjektDialoge, DeleteKeepsArrowsAndDeletesSeveralWithTheCurrentOne) {
  s.plant.ProjektName = "Einfamilienhaus (nicht gespeichert)";
  TFormProjektLoeschen f(s, d);
  f.show();
  EXPECT_EQ(Nummern(f), (std::vector<int>{1, 2, 4}));  // the current project first
  EXPECT_EQ(f.StringGrid1->item(0, 1)->text().toStdString(), s.plant.ProjektName);
  EXPECT_EQ(f.StringGrid1->item(0, 2)->text(), "01.03.2026");
  EXPECT_EQ(f.StringGrid1->currentRow(), 1);
  test::GrabScreen(&f, "FormProjektLoeschen");

  test::Key(f.StringGrid1, Qt::Key_Down);
  EXPECT_EQ(f.StringGrid1->currentRow(), 2);
  test::Key(f.StringGrid1, Qt::Key_Up);
  EXPECT_EQ(f.StringGrid1->currentRow(), 1);
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  QApplication::sendEvent(f.StringGrid1, &x);
  EXPECT_EQ(f.focusWidget(), f.ButtonOK);
  EXPECT_EQ(f.StringGrid1->currentRow(), 1);

  // Every row: one project must stay.
  f.StringGrid1->setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 2), true);
  f.ButtonOK->click();
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(msgs->Contains("Letzter Eintrag darf nicht gelöscht werden"));
  EXPECT_EQ(ImFile().size(), 3u);

  msgs->shown.clear();
  f.StringGrid1->clearSelection();
  f.StringGrid1->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
  s.run.SolarklimadatenOK = true;
  msgs->answers = {mrYes};
  f.ButtonOK->click();
  EXPECT_EQ(f.result(), 1);
  EXPECT_EQ(msgs->shown.at(0).text, "Markierte Projekte löschen?");
  EXPECT_EQ(msgs->shown.at(0).buttons, mbYesNoCancelKeep);  // Enter deletes nothing
  EXPECT_EQ(ImFile(), (Liste{{4, kLang}}));
  EXPECT_EQ(s.settings.ProjektNummer, 4);  // the first remaining row
  EXPECT_EQ(s.plant.ProjektName, kLang);
  EXPECT_EQ(s.cat.ProjektAnzahl, 1);
  EXPECT_FALSE(s.run.SolarklimadatenOK);
}

TEST(ProjektZeilen, EqualDatesKeepTheFileOrderAndTheCurrentComesFirstWhenAsked) {
  CatalogueState c;
  const float tag = static_cast<float>(EncodeDate(2026, 6, 1));
  const std::vector<std::pair<int, float>> eintraege = {
      {5, tag}, {3, tag + 1}, {9, tag}, {1, tag}, {7, tag + 1}};
  for (const auto& [nr, datum] : eintraege) {
    ++c.ProjektAnzahl;
    c.Projektliste[c.ProjektAnzahl] = {"P" + std::to_string(nr), "", "", static_cast<std::uint16_t>(nr), datum};
  }
  std::vector<int> n;
  for (const auto& z : ProjektZeilen(c, 9, false, "")) n.push_back(z.Nummer);
  EXPECT_EQ(n, (std::vector<int>{3, 7, 5, 9, 1}));
  n.clear();
  const auto mitAktuellem = ProjektZeilen(c, 9, true, "Neu benannt");
  for (const auto& z : mitAktuellem) n.push_back(z.Nummer);
  EXPECT_EQ(n, (std::vector<int>{9, 3, 7, 5, 1}));
  EXPECT_EQ(mitAktuellem[0].Name, "Neu benannt");
  EXPECT_EQ(KurzerProjektName(std::string(28, 'x')), std::string(28, 'x'));
  EXPECT_EQ(KurzerProjektName("Größere Äpfel über Öfen und Tür"), "Größere Äpfel über Öfen u...");
}

// The open project with an unsaved name and area. Deleting other projects keeps both and the
// changed flag (a later save writes them without a word); deleting the open project loads the
// first remaining row as stored.
TEST_F(ProjektDialoge, DeletingOtherProjectsKeepsTheOpenProjectsUnsavedChanges) {
  Anlegen(3, "Drei", EncodeDate(2026, 6, 1));
  const std::string datei = Datei();  // the grid: 1 (open), 3, 2, 4
  const std::string kUngespeichert = "Einfamilienhaus (nicht gespeichert)";
  const struct {
    const char* was;
    int oben, unten;  // grid rows marked
    Liste bleibt;
    int nummer;
    std::string name;
    float flaeche;
    bool geaendert;
  } faelle[] = {
      {"one other row", 1, 1, {{1, kEins}, {2, kUmlaut}, {4, kLang}}, 1, kUngespeichert, 9.5f, true},
      {"two other rows", 2, 3, {{1, kEins}, {3, "Drei"}}, 1, kUngespeichert, 9.5f, true},
      {"the open project", 0, 0, {{2, kUmlaut}, {4, kLang}, {3, "Drei"}}, 3, "Drei", 12.5f, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    dir.Write("Projekte.dat", datei);
    s.settings.ProjektNummer = 1;
    LoadProjekt(s, d);
    ASSERT_EQ(s.plant.KollektorFlaeche, 12.5f);
    s.plant.ProjektName = kUngespeichert;
    s.plant.KollektorFlaeche = 9.5f;
    s.run.ProjektGeaendert = true;
    s.run.SolarklimadatenOK = true;
    msgs->shown.clear();

    TFormProjektLoeschen dlg(s, d);
    dlg.show();
    ASSERT_EQ(Nummern(dlg), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(dlg.StringGrid1->item(0, 1)->text().toStdString(), kUngespeichert);
    dlg.StringGrid1->clearSelection();
    dlg.StringGrid1->setRangeSelected(QTableWidgetSelectionRange(f.oben, 0, f.unten, 2), true);
    msgs->answers = {mrYes};
    dlg.ButtonOK->click();
    EXPECT_EQ(dlg.result(), 1);
    EXPECT_EQ(ImFile(), f.bleibt);
    EXPECT_EQ(s.settings.ProjektNummer, f.nummer);
    EXPECT_EQ(s.plant.ProjektName, f.name);
    EXPECT_EQ(s.plant.KollektorFlaeche, f.flaeche);
    EXPECT_EQ(s.run.ProjektGeaendert, f.geaendert);
    EXPECT_EQ(s.run.SolarklimadatenOK, f.geaendert) << "the weather of a project still open stays";
    EXPECT_EQ(s.cat.ProjektAnzahl, static_cast<int>(f.bleibt.size()));
    ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
    EXPECT_EQ(msgs->shown[0].text, f.oben == f.unten ? "Markiertes Projekt löschen?" : "Markierte Projekte löschen?");

    // The changes kept are the open project's own: saved, they go into its section only.
    if (!f.geaendert) continue;
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
    EXPECT_EQ(msgs->shown.size(), 1u) << msgs->All();
    Liste erwartet = f.bleibt;
    erwartet.front().second = kUngespeichert;
    EXPECT_EQ(ImFile(), erwartet);
  }
}

// Deleting the current project with another, into a file that cannot be written: nothing is
// deleted, the open project with its unsaved changes stays, and so does the dialog.
TEST_F(ProjektDialoge, DeleteThatCannotBeWrittenDeletesNothing) {
  s.plant.ProjektName = "Einfamilienhaus (nicht gespeichert)";
  s.run.ProjektGeaendert = true;
  s.run.SolarklimadatenOK = true;
  const std::string vorher = Datei();
  TFormProjektLoeschen f(s, d);
  f.show();
  f.StringGrid1->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
  msgs->answers = {mrYes};
  {
    const test::OhneSchreibrecht schutz(Pfad());
    f.ButtonOK->click();
  }
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(msgs->Contains("Projekte.dat")) << msgs->All();
  EXPECT_EQ(Datei(), vorher);
  EXPECT_EQ(s.settings.ProjektNummer, 1);
  EXPECT_EQ(s.plant.ProjektName, "Einfamilienhaus (nicht gespeichert)");
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_TRUE(s.run.SolarklimadatenOK);
  EXPECT_EQ(s.cat.ProjektAnzahl, 3);
}

}  // namespace
}  // namespace tav
