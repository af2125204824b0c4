#include "simulation/ui/SimCommands.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "foundation/Messages.h"
#include "foundation/TavVar.h"
#include "simulation/ui/FormSimOpt.h"
#include "simulation/ui/FormSimRun.h"

namespace tav {

namespace {

// Centres a dialog over its caller's window (or the primary screen).
void Zentriere(QWidget& dialog, QWidget* parent) {
  dialog.adjustSize();
  QRect bereich;
  if (parent) {
    bereich = parent->window()->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    bereich = screen->availableGeometry();
  }
  if (bereich.isValid()) dialog.move(bereich.center() - dialog.rect().center());
}

}  // namespace

SimHooks& SimCommandHooks() {
  static SimHooks hooks;
  return hooks;
}

int ShowSimRun(QWidget* parent) {
  auto& form = FormSimRun();
  Zentriere(form, parent);
  return form.exec();
}

bool ShowSimOpt(QWidget* parent) {
  auto& form = FormSimOpt();
  Zentriere(form, parent);
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
