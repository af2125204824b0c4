#pragma once
// Saves a picture of a widget as screens/<Name>.png in the build folder (beside tests/),
// so anyone can look at the windows after a test run.

#include <QCoreApplication>
#include <QDir>
#include <QWidget>
#include <QString>

namespace tav::test {

// The path written; empty when the picture could not be saved.
inline QString GrabScreen(QWidget* widget, const QString& name) {
  QDir dir(QCoreApplication::applicationDirPath() + "/..");
  if (!dir.mkpath("screens")) return QString();
  const QString path = dir.absoluteFilePath("screens/" + name + ".png");
  return widget->grab().save(path, "PNG") ? path : QString();
}

}  // namespace tav::test
