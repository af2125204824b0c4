#pragma once
// Presses Tab from a control as the user does, round the window, and names every step that
// goes against reading order: to an earlier row, or to the left within a row. A radio button
// stands for its group box (Tab enters a group at its chosen button, Enter walks its buttons).
// A page laid out in columns is read column by column: a step into a later column may go up
// to its top.

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace tav::test {

inline std::string Benannt(const QWidget* w) {
  for (; w; w = w->parentWidget())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) return w->objectName().toStdString();
  return "?";
}

// Where a reader sees the control: a radio button in a group box is read with its group.
inline QRect Lesestelle(const QWidget* w) {
  if (qobject_cast<const QRadioButton*>(w))
    if (auto* g = qobject_cast<const QGroupBox*>(w->parentWidget())) w = g;
  return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// The steps of `folge` (controls as the focus reached them) that go against reading order;
// `spalten`: the columns of a page in reading order (controls outside them go by position).
inline std::string GegenDieLesefolge(const std::vector<QWidget*>& folge,
                                     const std::vector<const QWidget*>& spalten = {}) {
  const auto spalte = [&spalten](const QWidget* w) {
    for (std::size_t i = 0; i < spalten.size(); ++i)
      if (spalten[i]->isAncestorOf(w)) return static_cast<int>(i);
    return -1;
  };
  std::string fehler;
  for (std::size_t i = 1; i < folge.size(); ++i) {
    const QWidget* vorher = folge[i - 1];
    const QWidget* jetzt = folge[i];
    const QRect a = Lesestelle(vorher);
    const QRect b = Lesestelle(jetzt);
    const int sa = spalte(vorher), sb = spalte(jetzt);
    const bool zeile = std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2 + 1;
    const bool zurueck = sa >= 0 && sb >= 0 && sa != sb ? sb < sa
                         : zeile                        ? b.left() <= a.left() && a != b
                                                        : b.center().y() < a.center().y();
    if (zurueck) fehler += Benannt(vorher) + " -> " + Benannt(jetzt) + "; ";
  }
  return fehler;
}

// The controls Tab reaches from `erstes` on, once round the window.
inline std::vector<QWidget*> TabFolge(QWidget* erstes, int hoechstens = 80) {
  erstes->setFocus(Qt::TabFocusReason);
  std::vector<QWidget*> folge{erstes};
  for (int i = 0; i < hoechstens; ++i) {
    QWidget* fokus = QApplication::focusWidget();
    if (!fokus) break;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(fokus, &tab);
    QWidget* jetzt = QApplication::focusWidget();
    if (!jetzt || jetzt == erstes || jetzt == fokus) break;
    folge.push_back(jetzt);
  }
  return folge;
}

inline std::string GegenDieLesefolge(QWidget* erstes, int hoechstens = 80,
                                     const std::vector<const QWidget*>& spalten = {}) {
  if (!erstes->isVisible()) return "not shown: " + Benannt(erstes);
  const std::vector<QWidget*> folge = TabFolge(erstes, hoechstens);
  if (!QApplication::focusWidget()) return "no focus after " + Benannt(folge.back());
  return GegenDieLesefolge(folge, spalten);
}

}  // namespace tav::test
