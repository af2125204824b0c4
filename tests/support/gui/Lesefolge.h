#pragma once
// Presses Tab from a control as the user does, round the window, and names every step that
// goes against reading order: to an earlier row, or to the left within a row.

#include <QApplication>
#include <QKeyEvent>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace tav::test {

inline std::string Benannt(const QWidget* w) {
  for (; w; w = w->parentWidget())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) return w->objectName().toStdString();
  return "?";
}

inline std::string GegenDieLesefolge(QWidget* erstes, int hoechstens = 80) {
  erstes->setFocus(Qt::TabFocusReason);
  std::string fehler;
  QWidget* vorher = erstes;
  for (int i = 0; i < hoechstens; ++i) {
    QWidget* fokus = QApplication::focusWidget();
    if (!fokus) return "no focus after " + Benannt(vorher);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(fokus, &tab);
    QWidget* jetzt = QApplication::focusWidget();
    if (!jetzt || jetzt == erstes || jetzt == fokus) break;
    const QRect a(vorher->mapToGlobal(QPoint(0, 0)), vorher->size());
    const QRect b(jetzt->mapToGlobal(QPoint(0, 0)), jetzt->size());
    const bool zeile = std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2 + 1;
    if (zeile ? b.left() <= a.left() : b.center().y() < a.center().y())
      fehler += Benannt(vorher) + " -> " + Benannt(jetzt) + "; ";
    vorher = jetzt;
  }
  return fehler;
}

}  // namespace tav::test
