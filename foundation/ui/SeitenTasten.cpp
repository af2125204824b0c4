#include "foundation/ui/SeitenTasten.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTabWidget>

namespace tav {

namespace {

// Watches the application's key presses: a page key aimed at any control of its window
// turns the pages before the control (a grid, the tab bar, a button) can take it. Qt's own
// Ctrl+Tab reaches only the controls inside the page control and would show a hidden page.
class SeitenTastenFilter : public QObject {
 public:
  SeitenTastenFilter(QWidget* window, QTabWidget* pages)
      : QObject(window), window_(window), pages_(pages) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !pages_ || !watched->isWidgetType()) return false;
    bool vor = true;
    if (!IsPageKey(*static_cast<QKeyEvent*>(event), &vor)) return false;
    const auto* w = static_cast<QWidget*>(watched);
    if (w->window() != window_ || !pages_->isVisibleTo(window_)) return false;
    TurnPage(pages_, vor);
    return true;
  }

 private:
  QWidget* window_;
  QPointer<QTabWidget> pages_;
};

}  // namespace

void PageKeys(QWidget* window, QTabWidget* pages) { new SeitenTastenFilter(window, pages); }

bool TurnPage(QTabWidget* pages, bool forward) {
  const int n = pages->count();
  const int start = pages->currentIndex();
  int i = start;
  for (int versuch = 1; versuch < n; ++versuch) {
    i = (i + (forward ? 1 : n - 1)) % n;
    if (pages->isTabVisible(i) && pages->isTabEnabled(i)) {
      pages->setCurrentIndex(i);
      return true;
    }
  }
  return false;
}

void ShowPage(QTabWidget* pages, QWidget* page, bool shown) {
  const int i = pages->indexOf(page);
  if (i >= 0 && pages->isTabVisible(i) != shown) pages->setTabVisible(i, shown);
}

bool IsPageKey(const QKeyEvent& k, bool* forward) {
  const Qt::KeyboardModifiers mod = k.modifiers() & ~Qt::KeypadModifier;
  if (!(mod & Qt::ControlModifier) || (mod & (Qt::AltModifier | Qt::MetaModifier))) return false;
  if (k.key() != Qt::Key_Tab && k.key() != Qt::Key_Backtab) return false;
  if (forward) *forward = k.key() == Qt::Key_Tab && !(mod & Qt::ShiftModifier);
  return true;
}

}  // namespace tav
