#include "results/ui/ResultsCommands.h"

#include <QEvent>
#include <QEventLoop>

#include "foundation/TavVar.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/FormSimErg.h"

namespace tav {

namespace {

// The results window belongs to the window it was opened over: a window of its own with
// the usual frame, but transient for its owner (a plain top-level window carries no such
// hint to the window manager), so a click on the owner does not bury it and it goes down
// with the owner when that is minimised.
void Anbinden(TFormSimErg& f, QWidget* parent) {
  if (!parent) return;
  QWidget* owner = parent->window();
  if (f.parentWidget() == owner) return;
  const bool sichtbar = f.isVisible();
  f.setParent(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  if (sichtbar) f.show();
}

}  // namespace

TFormSimErg* ShowSimErg(QWidget* parent) {
  if (!G().run.ErgebnisGueltig) return nullptr;
  const bool neu = !FormSimErgExists();
  TFormSimErg& f = FormSimErg();
  Anbinden(f, parent);
  // The first time over the main window, later where the user left it.
  if (neu) CentreOverMainWindow(&f, parent);
  if (f.isVisible())
    f.Fuellen();
  else
    f.show();
  f.raise();
  f.activateWindow();
  return &f;
}

void ShowSimErgModal(QWidget* parent, const std::function<void(TFormSimErg*)>& vorher) {
  if (!G().run.ErgebnisGueltig) return;
  // The modality of a window can change only while it is hidden.
  TFormSimErg& f = FormSimErg();
  Anbinden(f, parent);
  if (f.isVisible()) f.hide();
  if (vorher) vorher(&f);
  f.setWindowModality(Qt::ApplicationModal);
  ShowSimErg(parent);
  QEventLoop warten;
  struct Schliessen : QObject {
    QEventLoop* loop;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Hide) loop->quit();
      return false;
    }
  } beobachter;
  beobachter.loop = &warten;
  f.installEventFilter(&beobachter);
  if (f.isVisible()) warten.exec();
  f.removeEventFilter(&beobachter);
  f.setWindowModality(Qt::NonModal);
}

void InvalidateResults() {
  G().run.ErgebnisGueltig = false;
  if (FormSimErgExists() && FormSimErg().isVisible()) FormSimErg().close();
}

}  // namespace tav
