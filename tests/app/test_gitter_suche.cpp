// Type-ahead in the wizard's grids: letters extend the search on the search column, a letter
// that finds nothing is dropped, Shift or another key ends the search (Enter and Escape only
// end it), and leaving the grid ends it too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/GitterSuche.h"
#include "foundation/ui/HilfeFenster.h"

namespace tav {
namespace {

// A page holding a location-like grid (postcode, name); the page records the keys the grid
// passes on.
class Seite : public QWidget {
 public:
  std::vector<int> weiter;
  QTableWidget* gitter;
  TGitterSuche suche;
  Seite() {
    // Like the wizard, the page answers F1 itself (the program-wide F1 key leaves it alone).
    setProperty(kHelpByHook, true);
    auto* l = new QVBoxLayout(this);
    gitter = new QTableWidget(0, 2, this);
    l->addWidget(gitter);
    const char* namen[][2] = {{"52062", "Aachen"},  {"10115", "Berlin"}, {"07743", "Jena"},
                              {"6330", "Jenbach"},  {"26441", "Jever"},  {"50667", "Köln"},
                              {"71229", "Warmbronn"}, {"89073", "Ulm"}};
    for (const auto& n : namen) {
      const int z = gitter->rowCount();
      gitter->insertRow(z);
      gitter->setItem(z, 0, new QTableWidgetItem(n[0]));
      gitter->setItem(z, 1, new QTableWidgetItem(n[1]));
    }
    suche.Beobachte(gitter, 1);
  }
  QString Aktuell() const { return gitter->item(gitter->currentRow(), 1)->text(); }

 protected:
  void keyPressEvent(QKeyEvent* e) override { weiter.push_back(e->key()); }
};

// A key as the keyboard sends it: "j" is J without Shift, "J" with it; anything else by code.
struct Taste {
  int key;
  Qt::KeyboardModifiers mod;
  QString text;
};
Taste Buchstabe(char c) {
  const bool gross = c >= 'A' && c <= 'Z';
  return {Qt::Key_A + (QChar(c).toUpper().unicode() - 'A'), gross ? Qt::ShiftModifier : Qt::NoModifier,
          QString(QChar(c))};
}
Taste Code(int key) { return {key, Qt::NoModifier, {}}; }

void Tippe(QWidget* w, const std::vector<Taste>& tasten) {
  for (const Taste& t : tasten) {
    QKeyEvent k(QEvent::KeyPress, t.key, t.mod, t.text);
    QApplication::sendEvent(w, &k);
  }
}

TEST(GitterSuche, LettersFindByTheSearchColumn) {
  struct Fall {
    const char* name;
    int start;
    std::vector<Taste> tasten;
    const char* aktuell;
    const char* text;
    bool aktiv;
    std::vector<int> weiter;  // keys the grid passed on to its page
  };
  const std::vector<Fall> faelle = {
      {"first letter, below the current row", 0, {Buchstabe('j')}, "Jena", "J", true, {}},
      {"letters extend", 0, {Buchstabe('j'), Buchstabe('e'), Buchstabe('v')}, "Jever", "JEV", true, {}},
      {"an extension keeps a current row that still matches", 0,
       {Buchstabe('j'), Buchstabe('e'), Buchstabe('n'), Buchstabe('a')}, "Jena", "JENA", true, {}},
      {"a letter that finds nothing is dropped", 0, {Buchstabe('j'), Buchstabe('x'), Buchstabe('e')},
       "Jena", "JE", true, {}},
      {"umlaut and case", 0, {Buchstabe('k')}, "Köln", "K", true, {}},
      {"only rows below the current one", 3, {Buchstabe('b')}, "Jenbach", "", true, {}},
      {"a letter with Shift ends the search and goes nowhere", 0, {Buchstabe('j'), Buchstabe('W')}, "Jena", "",
       false, {}},
      {"another key ends the search and does its work", 0, {Buchstabe('j'), Code(Qt::Key_Down)}, "Jenbach", "",
       false, {}},
      {"Enter during a search only ends it", 0, {Buchstabe('w'), Code(Qt::Key_Return)}, "Warmbronn", "", false, {}},
      {"Enter without a search goes on", 0, {Code(Qt::Key_Return)}, "Aachen", "", false, {Qt::Key_Return}},
      {"Escape during a search only ends it, a second one goes on", 0,
       {Buchstabe('u'), Code(Qt::Key_Escape), Code(Qt::Key_Escape)}, "Ulm", "", false, {Qt::Key_Escape}},
      {"F1 ends the search and still asks for help", 0, {Buchstabe('b'), Code(Qt::Key_F1)}, "Berlin", "", false,
       {Qt::Key_F1}},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    Seite s;
    s.gitter->setCurrentCell(c.start, 1);
    Tippe(s.gitter, c.tasten);
    EXPECT_EQ(s.Aktuell(), c.aktuell);
    EXPECT_EQ(s.suche.Text(), c.text);
    EXPECT_EQ(s.suche.Aktiv(), c.aktiv);
    EXPECT_EQ(s.weiter, c.weiter);
  }
}

TEST(GitterSuche, LeavingTheGridEndsTheSearch) {
  Seite s;
  s.show();
  s.activateWindow();
  s.gitter->setFocus();
  s.gitter->setCurrentCell(0, 1);
  Tippe(s.gitter, {Buchstabe('j'), Buchstabe('e')});
  ASSERT_TRUE(s.suche.Aktiv());
  QFocusEvent raus(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(s.gitter, &raus);
  EXPECT_FALSE(s.suche.Aktiv());
  EXPECT_EQ(s.suche.Text(), "");
  // A new search starts below the row the last one found.
  Tippe(s.gitter, {Buchstabe('j')});
  EXPECT_EQ(s.Aktuell(), "Jenbach");
}

}  // namespace
}  // namespace tav
