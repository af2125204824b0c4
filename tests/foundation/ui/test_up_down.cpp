// The shared up-down: steps from the associate's number within the range, the field follows,
// Up and Down in the field step only when asked for, and a control without a field steps its
// own position for the window to read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <vector>

#include "foundation/ui/UpDown.h"

namespace tav {
namespace {

struct Fall {
  int min, max, increment;
  const char* feld;  // what the field holds before the step
  int richtung;
  const char* danach;
  int position;
};

TEST(UpDown, StepsFromTheFieldWithinTheRange) {
  const std::vector<Fall> faelle = {
      {0, 90, 1, "45", 1, "46", 46},         // plain step
      {0, 90, 1, "90", 1, "90", 90},         // held at the top
      {0, 90, 1, "0", -1, "0", 0},           // held at the bottom
      {0, 90, 1, "120", -1, "90", 90},       // a typed value above the range comes back in
      {-180, 180, 1, "-180", -1, "-180", -180},
      {-180, 180, 1, "12,5", 1, "13", 13},   // a fraction goes to the next whole number
      {-180, 180, 1, "12,5", -1, "12", 12},
      {-180, 180, 1, "-7,5", -1, "-8", -8},
      {-180, 180, 1, " 30 ", 1, "31", 31},   // blanks around the number
      {1, 30000, 10, "300", 1, "310", 310},  // the increment
      {1, 30000, 10, "5", -1, "1", 1},
      {0, 90, 1, "abc", 1, "21", 21},        // no number: from the last position (20)
      {0, 90, 1, "", -1, "19", 19},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(std::string(c.feld) + (c.richtung > 0 ? " auf" : " ab"));
    QLineEdit e;
    TUpDown u(&e, c.min, c.max, c.increment);
    u.SetPosition(20);
    e.setText(c.feld);
    std::vector<bool> klicks;
    QObject::connect(&u, &TUpDown::geklickt, [&klicks](bool auf) { klicks.push_back(auf); });
    (c.richtung > 0 ? u.Auf : u.Ab)->click();
    EXPECT_EQ(e.text(), c.danach);
    EXPECT_EQ(u.Position(), c.position);
    EXPECT_EQ(klicks, std::vector<bool>{c.richtung > 0});
  }
}

TEST(UpDown, SetPositionClampsAndWritesTheField) {
  QLineEdit e;
  TUpDown u(&e, -180, 180);
  for (const auto& [setze, text] : std::vector<std::pair<int, const char*>>{{200, "180"}, {-999, "-180"}, {-5, "-5"}}) {
    u.SetPosition(setze);
    EXPECT_EQ(e.text(), text);
  }
  EXPECT_EQ(u.Auf->objectName(), "Auf");
  EXPECT_EQ(u.Ab->objectName(), "Ab");
  EXPECT_EQ(u.Auf->focusPolicy(), Qt::NoFocus);  // the field keeps the focus
}

TEST(UpDown, ArrowKeysInTheFieldStepOnlyWhenAsked) {
  QLineEdit e;
  TUpDown u(&e, 0, 90);
  u.SetPosition(89);
  int klicks = 0;
  QObject::connect(&u, &TUpDown::geklickt, [&klicks] { ++klicks; });
  const auto taste = [&e](int key) {
    QKeyEvent k(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&e, &k);
  };
  taste(Qt::Key_Up);
  EXPECT_EQ(e.text(), "89");  // off: the field's own key
  u.ArrowKeys = true;
  for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down})
    taste(key);
  EXPECT_EQ(e.text(), "89");  // 90, held at 90, 89
  EXPECT_EQ(klicks, 3);
  u.setEnabled(false);
  taste(Qt::Key_Down);
  EXPECT_EQ(e.text(), "89");
  EXPECT_EQ(klicks, 3);
}

TEST(UpDown, WithoutAFieldItStepsItsPositionForTheWindow) {
  TUpDown u(1, 200);
  EXPECT_EQ(u.Position(), 1);  // a range above 0 starts at its bottom
  std::vector<bool> klicks;
  QObject::connect(&u, &TUpDown::geklickt, [&klicks](bool auf) { klicks.push_back(auf); });
  u.Ab->click();
  u.Auf->click();
  u.Auf->click();
  EXPECT_EQ(u.Position(), 3);
  EXPECT_EQ(klicks, (std::vector<bool>{false, true, true}));
  u.SetPosition(500);
  EXPECT_EQ(u.Position(), 200);
}

}  // namespace
}  // namespace tav
