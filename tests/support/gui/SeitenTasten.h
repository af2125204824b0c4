#pragma once
// Presses Ctrl+Tab (or Ctrl+Shift+Tab) where the keyboard focus is, as the user does, and
// records the page in front after each press.

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <algorithm>
#include <vector>

namespace tav::test {

inline std::vector<int> SeitenNachTasten(QTabWidget* seiten, bool vor, int anzahl) {
  std::vector<int> vorn;
  for (int i = 0; i < anzahl; ++i) {
    QWidget* fokus = QApplication::focusWidget();
    QKeyEvent e(QEvent::KeyPress, vor ? Qt::Key_Tab : Qt::Key_Backtab,
                vor ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(fokus ? fokus : seiten->window(), &e);
    vorn.push_back(seiten->currentIndex());
  }
  return vorn;
}

// The pages a window shows, in order.
inline std::vector<int> SichtbareSeiten(const QTabWidget* seiten) {
  std::vector<int> v;
  for (int i = 0; i < seiten->count(); ++i)
    if (seiten->isTabVisible(i)) v.push_back(i);
  return v;
}

// The pages Ctrl+Tab (Ctrl+Shift+Tab) should bring up one after the other from Start: the
// shown pages after (before) it, round and round.
inline std::vector<int> ErwarteteSeiten(const std::vector<int>& sichtbar, int start, bool vor, int anzahl) {
  std::vector<int> folge;
  const int n = static_cast<int>(sichtbar.size());
  int i = static_cast<int>(std::find(sichtbar.begin(), sichtbar.end(), start) - sichtbar.begin());
  for (int k = 0; k < anzahl; ++k) {
    i = ((vor ? i + 1 : i - 1) % n + n) % n;
    folge.push_back(sichtbar[static_cast<std::size_t>(i)]);
  }
  return folge;
}

}  // namespace tav::test
