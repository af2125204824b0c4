#pragma once
// The page keys of a window with pages: Ctrl+Tab turns to the next page and Ctrl+Shift+Tab
// to the one before, from whatever control has the focus (also the one the window opened
// with, outside the pages); a page the window hides is passed over and never shown, and a
// grid's selection stays as it is.

class QKeyEvent;
class QTabWidget;
class QWidget;

namespace tav {

// Gives Window the page keys for Pages (for as long as Window exists).
void PageKeys(QWidget* window, QTabWidget* pages);
// Turns Pages to the next (or previous) page that is shown and enabled, wrapping around;
// false when there is no other such page.
bool TurnPage(QTabWidget* pages, bool forward);
// Ctrl+Tab or Ctrl+Shift+Tab; Forward tells which.
bool IsPageKey(const QKeyEvent& k, bool* forward = nullptr);
// Shows or hides Page of Pages. Only a change reaches the tab bar: told a page's visibility
// anew while the window is closed, Qt's tab bar drops the new layout a change before it had
// left pending, and opens with a gap where a page went away meanwhile.
void ShowPage(QTabWidget* pages, QWidget* page, bool shown);

}  // namespace tav
