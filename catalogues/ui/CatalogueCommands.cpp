#include "catalogues/ui/CatalogueCommands.h"

#include <QPointer>
#include <QCoreApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "catalogues/KatalogDialogLogik.h"
#include "catalogues/Kollektoren.h"
#include "foundation/KatalogDiensteDatei.h"
#include "location/Orte.h"
#include "location/TavKlimgen.h"
#include "catalogues/ui/FormKollektor.h"
#include "catalogues/ui/FormKollektorEdit.h"
#include "catalogues/ui/FormOrt.h"
#include "catalogues/ui/FormOrtTeile.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/ui/KeptWindow.h"

namespace tav {

namespace {
DialogStatus& Status() {
  static DialogStatus status;
  return status;
}

bool MitMessdaten() {
  const QStringList args = QCoreApplication::arguments();
  std::vector<std::string> p;
  for (int i = 1; i < args.size(); ++i) p.push_back(args[i].toStdString());
  return MessdatenSchalter(p);
}

template <class F>
QPointer<F>& Gehalten() {
  static QPointer<F> form;
  return form;
}

template <class F, class... A>
F& Einmal(QWidget* parent, A&... args) {
  static int sprache = 0;
  return KeptWindow(Gehalten<F>(), sprache, [&] { return new F(args..., parent); });
}
}  // namespace

int ShowOrtDialog(QWidget* parent, bool nurWetterdaten) {
  auto& form = Einmal<TFormOrt>(parent, G(), ProgrammKlimgenBridge());
  return form.Zeige(nurWetterdaten, MitMessdaten());
}

int ShowKollektorDialog(QWidget* parent) {
  return Einmal<TFormKollektor>(parent, G(), Status()).Zeige();
}

int ShowKollektorEditor(QWidget* parent) {
  TavState& s = G();
  if (s.plant.KollektorNr < 1 || s.plant.KollektorNr > s.cat.KollektorAnzahl) return 2;
  s.run.KollEditNr = s.plant.KollektorNr;
  const int r = Einmal<TFormKollektorEdit>(parent, s, Status()).Bearbeite(s.plant.KollektorNr);
  // Its OK was refused because another program changed the catalogue: read as written there.
  if (katalog::Veraltet(s.cat.DateiStaende, KollDateiPfad(s))) ReadKollektoren(s, Status());
  return r;
}

int KollektorDialogHoehe() {
  const QPointer<TFormKollektor>& form = Gehalten<TFormKollektor>();
  return form ? form->height() : TFormKollektor::kHoehe;
}

int ShowOrtEditImport(QWidget* parent) {
  TavState& s = G();
  if (s.plant.OrtNr < 1 || s.plant.OrtNr > s.cat.OrtAnzahl) return 2;
  s.run.OrtEditNr = s.plant.OrtNr;
  const int r = Einmal<TFormOrtEdit>(parent, s, Status()).Bearbeite(s.plant.OrtNr, true);
  // Its store was refused because another program changed the catalogue: read as written there.
  LeseOrteNeuWennVeraltet(s, Status());
  s.run.SolarklimadatenOK = false;
  OrtUmgebung env{Status(), ProgrammKlimgenBridge()};
  SelectOrt(s, s.plant.OrtNr, env);
  return r;
}

}  // namespace tav
