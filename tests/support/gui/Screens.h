#pragma once
// Grabs of windows for looking at them after a test run: screens/<name>.png in the build folder.

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tav::test {

// Saves a grab of the window; true when the file was written.
inline bool GrabToScreens(QWidget& window, const QString& name) {
  const QString ordner = QStringLiteral(TAV_SCREENS_DIR);
  QDir().mkpath(ordner);
  return window.grab().save(ordner + "/" + name + ".png");
}

}  // namespace tav::test
