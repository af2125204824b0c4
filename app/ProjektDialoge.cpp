#include "app/ProjektDialoge.h"

#include <QPointer>

#include <QApplication>
#include <QWidget>

#include "app/FormAbsorberDreh.h"
#include "app/FormProgrammInfo.h"
#include "app/FormProjekt.h"
#include "app/FormSolarkreisVol.h"
#include "app/FormVerzWechsel.h"
#include "app/FormWarmwasser.h"
#include "project/ProjektKatalogDienste.h"
#include "foundation/Messages.h"
#include "foundation/TavVar.h"
#include "foundation/ui/KeptWindow.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {

// The warning when only one project is stored (the text table has none for it).
constexpr const char* kNurEinProjekt = "Nur ein Projekt gespeichert - das bleibt!";

void Refresh() {
  if (const auto& f = ProjektCommandHooks().RefreshSchema) f();
}

void Invalidate() {
  G().run.ErgebnisGueltig = false;
  if (const auto& f = ProjektCommandHooks().InvalidateResults) f();
}

// The services the hooks hold at the moment of each call, so the windows made once stay
// right when the main window hands over other services.
class HookDienste : public ProjektKatalogDienste {
 public:
  void ReadOrte(TavState& s) override { D().ReadOrte(s); }
  void ReadKollektoren(TavState& s) override { D().ReadKollektoren(s); }
  void ReadRohre(TavState& s) override { D().ReadRohre(s); }
  void ReadProfile(TavState& s) override { D().ReadProfile(s); }
  void ReadEnergie(TavState& s, const std::string& name) override { D().ReadEnergie(s, name); }
  void CheckAnlagenTyp(PlantState& p) override { D().CheckAnlagenTyp(p); }
  void SetAnlgParam(TavState& s, int typ) override { D().SetAnlgParam(s, typ); }
  void SetSpeicherParam(TavState& s) override { D().SetSpeicherParam(s); }
  StatusSink& Status() override { return D().Status(); }
  double Jetzt() override { return D().Jetzt(); }

 private:
  static ProjektKatalogDienste& D() { return *ProjektCommandHooks().Dienste; }
};

HookDienste& Dienste() {
  static HookDienste d;
  return d;
}

// One window of each kind, made on first use and kept (KeptWindow).
template <typename F>
F& Einmal(QWidget* parent) {
  static QPointer<F> form;
  static int sprache = 0;
  return KeptWindow(form, sprache, [parent] { return new F(G(), Dienste(), parent); });
}

template <typename F>
F& EinmalOhneDienste(QWidget* parent) {
  static QPointer<F> form;
  static int sprache = 0;
  return KeptWindow(form, sprache, [parent] { return new F(G(), parent); });
}

}  // namespace

ProjektHooks& ProjektCommandHooks() {
  static ProjektHooks hooks;
  return hooks;
}

int ProjektSpeichernBefehl(QWidget* parent) {
  if (!ProjektCommandHooks().Dienste) return mrCancel;
  const int r = Einmal<TFormProjektSpeichern>(parent).exec();
  Refresh();
  return r;
}

int ProjektWaehlenBefehl(QWidget* parent) {
  if (!ProjektCommandHooks().Dienste) return mrCancel;
  const int r = Einmal<TFormProjektWaehlen>(parent).exec();
  if (r == mrOk) Invalidate();  // another project: the results were not made for it
  Refresh();
  return r;
}

int ProjektLoeschenBefehl(QWidget* parent) {
  if (!ProjektCommandHooks().Dienste) return mrCancel;
  if (G().cat.ProjektAnzahl < 2) {
    Msg().ShowIntMessageDlg(kNurEinProjekt, mtWarning, Btn(mbYes));
    return mrCancel;
  }
  const std::int32_t vorher = G().settings.ProjektNummer;
  const int r = Einmal<TFormProjektLoeschen>(parent).exec();
  if (r == mrOk && G().settings.ProjektNummer != vorher) Invalidate();
  Refresh();
  return r;
}

int DatenordnerBefehl(QWidget* parent) {
  auto& hooks = ProjektCommandHooks();
  if (!hooks.Dienste) return mrCancel;
  const int r = Einmal<TFormVerzWechsel>(parent).exec();
  if (parent) parent->window()->raise();
  QApplication::processEvents();
  if (G().run.Abbruch) {
    Refresh();
    return mrCancel;
  }
  DatenNeuLaden(G(), Dienste());
  if (hooks.EinstellungenGeladen) hooks.EinstellungenGeladen();
  Invalidate();
  Refresh();
  return r;
}

int ProgrammInfoBefehl(QWidget* parent) {
  auto& form = EinmalOhneDienste<TFormProgrammInfo>(parent);
  if (!form.DatenordnerAktion) form.DatenordnerAktion = [&form] { DatenordnerBefehl(&form); };
  if (parent) PlaceFrameAt(&form, FrameOrigin(parent->window()) + QPoint(273, 73));
  return form.exec();
}

void WarmwasserBefehl(QWidget* parent) {
  auto& form = EinmalOhneDienste<TFormWarmwasser>(parent);
  form.show();
  form.raise();
  form.activateWindow();
}

int AbsorberDrehungBefehl(QWidget* parent) {
  const int r = EinmalOhneDienste<TFormAbsorberDreh>(parent).exec();
  if (r == mrOk) Invalidate();  // the collector orientation changed
  Refresh();
  return r;
}

int SolarkreisVolBefehl(QWidget* parent) {
  return EinmalOhneDienste<TFormSolarkreisVol>(parent).exec();
}

}  // namespace tav
