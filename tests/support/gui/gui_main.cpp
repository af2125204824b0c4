// GoogleTest main for widget tests: one QApplication for the whole run, offscreen.
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "foundation/ui/SysUtilsQt.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // The short pauses the windows make to leave a text standing would only slow the tests.
  tav::SetStatusPausen(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
