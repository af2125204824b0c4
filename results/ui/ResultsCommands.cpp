#include "results/ui/ResultsCommands.h"

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

void InvalidateResults() {
  G().run.ErgebnisGueltig = false;
  if (FormSimErgExists() && FormSimErg().isVisible()) FormSimErg().close();
}

}  // namespace tav
