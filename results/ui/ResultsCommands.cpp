#include "results/ui/ResultsCommands.h"

#include <QEvent>
#include <QEventLoop>

#include "foundation/TavVar.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/FormSimErg.h"

namespace tav {

TFormSimErg* ShowSimErg(QWidget* parent) {
  if (!G().run.ErgebnisGueltig) return nullptr;
  const bool neu = !FormSimErgExists();
  TFormSimErg& f = FormSimErg();
  if (neu && parent) f.setParent(parent, Qt::Window);
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
  const bool neu = !FormSimErgExists();
  TFormSimErg& f = FormSimErg();
  if (neu && parent) f.setParent(parent, Qt::Window);
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
