#pragma once
// Accelerators ("&" in a caption) that two controls shown together share: Alt and the letter
// then only moves between them instead of doing what either says. The check looks at a shown
// window as the user sees it, page by page: buttons, check and radio boxes, labels that lead
// to a field, group titles, the visible tabs, the menu bar's titles, and each menu's items.

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

namespace tav::test {

// One line per shared accelerator: "<page>: Alt+X: text | text". Empty when there is none.
inline std::string GeteilteKuerzel(QWidget* fenster) {
  std::string ergebnis;
  const auto pruefe = [&](const QString& wo) {
    std::map<QString, QStringList> kuerzel;
    const auto add = [&](const QString& text) {
      const QKeySequence k = QKeySequence::mnemonic(text);
      if (!k.isEmpty()) kuerzel[k.toString()] << text;
    };
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
      if (!w->isVisible() || w->window() != fenster) continue;
      if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        add(b->text());
      } else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) {
        add(l->text());
      } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        add(g->title());
      } else if (auto* t = qobject_cast<QTabBar*>(w)) {
        for (int i = 0; i < t->count(); ++i)
          if (t->isTabVisible(i)) add(t->tabText(i));
      } else if (auto* m = qobject_cast<QMenuBar*>(w)) {
        for (QAction* a : m->actions())
          if (a->isVisible() && !a->isSeparator()) add(a->text());
      }
    }
    for (const auto& [k, texte] : kuerzel)
      if (texte.size() > 1)
        ergebnis += (wo + k + ": " + texte.join(" | ") + "\n").toStdString();
  };

  // Every page of each page control in turn (the others as they stand), then back.
  std::vector<std::pair<QWidget*, int>> seiten;
  for (QTabWidget* t : fenster->findChildren<QTabWidget*>())
    if (t->isVisible()) seiten.emplace_back(t, t->currentIndex());
  for (QStackedWidget* s : fenster->findChildren<QStackedWidget*>())
    if (s->isVisible() && !qobject_cast<QTabWidget*>(s->parentWidget())) seiten.emplace_back(s, s->currentIndex());
  pruefe(fenster->objectName() + ": ");
  for (const auto& [seite, vorn] : seiten) {
    auto* tabs = qobject_cast<QTabWidget*>(seite);
    auto* stapel = qobject_cast<QStackedWidget*>(seite);
    const int n = tabs ? tabs->count() : stapel->count();
    for (int i = 0; i < n; ++i) {
      if (i == vorn || (tabs && !tabs->isTabVisible(i))) continue;
      if (tabs) tabs->setCurrentIndex(i);
      else stapel->setCurrentIndex(i);
      pruefe(fenster->objectName() + "/" + seite->objectName() + "[" + QString::number(i) + "]: ");
    }
    if (tabs) tabs->setCurrentIndex(vorn);
    else stapel->setCurrentIndex(vorn);
  }
  // The items of each menu are shown together.
  for (QMenu* m : fenster->findChildren<QMenu*>()) {
    if (m->parentWidget() && m->parentWidget()->window() != fenster) continue;
    std::map<QString, QStringList> kuerzel;
    for (QAction* a : m->actions()) {
      if (!a->isVisible() || a->isSeparator()) continue;
      const QKeySequence k = QKeySequence::mnemonic(a->text());
      if (!k.isEmpty()) kuerzel[k.toString()] << a->text();
    }
    for (const auto& [k, texte] : kuerzel)
      if (texte.size() > 1)
        ergebnis += (fenster->objectName() + " menu " + m->objectName() + ": " + k + ": " +
                     texte.join(" | ") + "\n").toStdString();
  }
  return ergebnis;
}

}  // namespace tav::test
