#pragma once
// Saves a picture of a widget as screens/<Name>.png in the build folder (TAV_SCREENS_DIR, set
// for every test executable), so anyone can look at the windows after a test run.

#include <QDir>
#include <QWidget>
#include <QString>

namespace tav::test {

// The path written; empty when the picture could not be saved.
inline QString GrabScreen(QWidget* widget, const QString& name) {
  QDir dir(QStringLiteral(TAV_SCREENS_DIR));
  if (!dir.mkpath(QStringLiteral("."))) return QString();
  const QString path = dir.absoluteFilePath(name + ".png");
  return widget->grab().save(path, "PNG") ? path : QString();
}

}  // namespace tav::test
