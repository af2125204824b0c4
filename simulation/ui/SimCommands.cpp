#include "simulation/ui/SimCommands.h"

#include <QWidget>

#include "foundation/Messages.h"
#include "foundation/TavVar.h"
#include "foundation/ui/SysUtilsQt.h"
#include "simulation/ui/FormSimOpt.h"
#include "simulation/ui/FormSimRun.h"

namespace tav {

SimHooks& SimCommandHooks() {
  static SimHooks hooks;
  return hooks;
}

int ShowSimRun(QWidget* /*parent: centred on the desktop whoever opens it*/) {
  auto& form = FormSimRun();
  CentreOnDesktop(&form);
  return form.exec();
}

bool ShowSimOpt(QWidget* /*parent: centred on the desktop whoever opens it*/) {
  auto& form = FormSimOpt();
  CentreOnDesktop(&form);
  return form.exec() == mrOk;
}

void SimulationBefehl(QWidget* parent, bool ergebnisseModal) {
  const auto& hooks = SimCommandHooks();
  const int modus = G().run.RechenModus;
  if ((modus == 2 || modus == 3) && hooks.InvalidateResults) hooks.InvalidateResults();
  switch (modus) {
    case 2:
      if (hooks.Momentanleistung) hooks.Momentanleistung(parent);
      break;
    case 3: {
      if (ShowSimRun(parent) != mrOk) break;
      const auto& zeige = ergebnisseModal ? hooks.ZeigeErgebnisseModal : hooks.ZeigeErgebnisse;
      if (zeige) zeige();
      break;
    }
    default:
      break;
  }
}

void SetzeRechenModus(std::uint8_t modus) {
  if (modus == 2 || modus == 3) G().run.RechenModus = modus;
}

}  // namespace tav
