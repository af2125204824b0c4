#pragma once
// Presses Tab from a control as the user does, round the window, and names every step that
// goes against reading order: to an earlier row, or to the left within a row. A reader takes
// a window block by block: a step between two group boxes (or other containers) is judged by
// the blocks, and a block beside the one before it, to its right, comes next even where it
// starts higher. A radio button stands for its group box (Tab enters a group at its chosen
// button, Enter walks its buttons). Columns given by name are read one after the other.

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
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
    // The blocks the two lie in: the children of their nearest common container.
    const QWidget* blockA = vorher;
    const QWidget* blockB = jetzt;
    const QWidget* gemeinsam = vorher->parentWidget();
    while (gemeinsam && !gemeinsam->isAncestorOf(jetzt)) gemeinsam = gemeinsam->parentWidget();
    while (blockA->parentWidget() && blockA->parentWidget() != gemeinsam) blockA = blockA->parentWidget();
    while (blockB->parentWidget() && blockB->parentWidget() != gemeinsam) blockB = blockB->parentWidget();
    const QRect a = Lesestelle(blockA);
    const QRect b = Lesestelle(blockB);
    const int sa = spalte(vorher), sb = spalte(jetzt);
    const bool zeile = std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2 + 1;
    const bool daneben = b.left() >= a.right() && b.top() < a.bottom() && b.bottom() > a.top();
    const bool zurueck = sa >= 0 && sb >= 0 && sa != sb ? sb < sa
                         : daneben                      ? false
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

// Every visible page of a window's page control in turn, each walked from the page tabs
// round the window; a window without pages from its focused control. One line per page.
inline std::string GegenDieLesefolgeJeSeite(QWidget* fenster, const std::vector<const QWidget*>& spalten = {}) {
  QTabWidget* seiten = nullptr;
  for (QTabWidget* t : fenster->findChildren<QTabWidget*>())
    if (t->isVisible() && t->window() == fenster) {
      seiten = t;
      break;
    }
  if (!seiten) {  // from the first control Tab reaches
    QWidget* erstes = fenster->nextInFocusChain();
    while (erstes != fenster && !((erstes->focusPolicy() & Qt::TabFocus) && erstes->isVisible() &&
                                  erstes->isEnabled() && !erstes->focusProxy()))
      erstes = erstes->nextInFocusChain();
    return GegenDieLesefolge(erstes, 80, spalten);
  }
  std::string fehler;
  const int vorn = seiten->currentIndex();
  for (int i = 0; i < seiten->count(); ++i) {
    if (!seiten->isTabVisible(i) || !seiten->isTabEnabled(i)) continue;
    seiten->setCurrentIndex(i);
    const std::string seite = GegenDieLesefolge(seiten->findChild<QTabBar*>(), 80, spalten);
    if (!seite.empty()) fehler += Benannt(seiten->widget(i)) + ": " + seite + "\n";
  }
  seiten->setCurrentIndex(vorn);
  return fehler;
}

}  // namespace tav::test
