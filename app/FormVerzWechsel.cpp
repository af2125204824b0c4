#include "app/FormVerzWechsel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "catalogues/Kollektoren.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "catalogues/SolPaket.h"
#include "catalogues/Speicher.h"
#include "app/DatenStart.h"
#include "app/FormHilfen.h"
#include "foundation/FileUtil.h"
#include "foundation/Folders.h"
#include "foundation/Messages.h"
#include "foundation/Settings.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/FolderBrowser.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/XiPanel.h"

namespace tav {

namespace fs = std::filesystem;
using namespace form;

namespace {


// A folder that holds nothing at all (or does not exist).
bool LeererOrdner(const std::string& ordner) {
  std::error_code ec;
  if (!fs::exists(ordner, ec)) return true;
  return fs::is_directory(ordner, ec) && fs::directory_iterator(ordner, ec) == fs::directory_iterator();
}

}  // namespace

void DatenordnerWechseln(TavState& s, ProjektKatalogDienste& d, std::string neu) {
  s.run.Abbruch = true;
  if (neu.empty()) return;
  neu = WithSlash(neu);
  const std::string alt = s.folders.DatenDir;
  if (neu == alt) return;

  // A project that could not be saved (the reason has been shown) keeps the folder, so that
  // its changes are not dropped by loading the other folder's project.
  if (s.run.ProjektGeaendert && Msg().Ask(T(TX::SpeichernAbfrage), mbYesNo) == mrYes &&
      !WriteProjektDat(ProjektDateiPfad(s), s, d))
    return;
  SaveSettings(s, PrinterToSave(s));

  std::error_code ec;
  const bool fuellen = LeererOrdner(neu);
  if (!fs::exists(neu, ec)) {
    fs::create_directories(neu, ec);
    if (ec || !fs::is_directory(neu, ec)) {
      ShowMessageLines(ReplaceHashMark(T(TX::FehlerCreateFolder), neu));
      return;
    }
  } else if (!CanWriteToFolder(neu)) {
    ShowMessageLines(TextMit(TX::OrdnerNichtSchreibbar, {neu}));
    return;
  }
  // Only a new or empty folder is filled; the data of a folder in use stay as they are.
  if (fuellen) {
    const std::vector<std::string> fehler = UpdateDataFiles(alt, neu, true, s.settings.DrucklogoDatei);
    if (!fehler.empty()) ShowMessageLines(DateienNichtGeschriebenText(neu, fehler));
  }
  s.folders.DatenDir = neu;
  s.folders.DatenDirNurLesen.clear();  // checked above
  s.run.Abbruch = false;
  WriteDataDirSetting(s.folders);
}

void DatenNeuLaden(TavState& s, ProjektKatalogDienste& d) {
  LoadSettings(s, Texts(), QtSettingsEnv());
  CatalogueState& c = s.cat;
  c.OrteGeladen = false;
  c.KollektorenGeladen = false;
  c.RohreGeladen = false;
  c.EnergieGeladen = false;
  s.run.SolarklimadatenOK = false;
  if (s.run.FirmenVersion) DecodeDatFile(s);
  InitSolPakete(c, PaketDateiPfad(s));
  ReadSpeicher(c, SpeicherDateiPfad(s));
  LoadProjekt(s, d);
}

TFormVerzWechsel::TFormVerzWechsel(TavState& s, ProjektKatalogDienste& d, QWidget* parent)
    : QDialog(parent), s_(s), d_(d) {
  setObjectName("FormVerzWechsel");
  SetFixedDialogFrame(this);
  setWindowTitle("Datenordner ändern");
  XiPanel1 = Named(new TXiPanel(this), "XiPanel1");
  XiPanel1->SetColorScheme(TXiPanel::csSilver);
  LabelInfoH = Named(new QLabel(XiPanel1), "LabelInfoH");
  Fett({LabelInfoH});
  LabelInfo1 = Named(new QLabel(XiPanel1), "LabelInfo1");
  LabelInfo2 = Named(new QLabel(XiPanel1), "LabelInfo2");
  RadioButtonStdVerz = Named(new QRadioButton(XiPanel1), "RadioButtonStdVerz");
  EditStdVerz = Named(new QLineEdit(XiPanel1), "EditStdVerz");
  RadioButtonNeuVerz = Named(new QRadioButton(XiPanel1), "RadioButtonNeuVerz");
  EditNeuVerz = Named(new QLineEdit(XiPanel1), "EditNeuVerz");
  for (QLineEdit* e : {EditStdVerz, EditNeuVerz}) {
    e->setReadOnly(true);
    e->setMinimumWidth(360);
  }
  SpeedButtonDatVerz = Named(new QToolButton(XiPanel1), "SpeedButtonDatVerz");
  SpeedButtonDatVerz->setIcon(QIcon(QPixmap::fromImage(LoadResBitmap("GlyphOeffnen"))));
  ButtonOK = Named(new QPushButton(XiPanel1), "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = Named(new QPushButton(XiPanel1), "ButtonCancel");

  auto* ordner = new QGridLayout;
  ordner->addWidget(RadioButtonStdVerz, 0, 0);
  ordner->addWidget(EditStdVerz, 0, 1);
  ordner->addWidget(RadioButtonNeuVerz, 1, 0);
  ordner->addWidget(EditNeuVerz, 1, 1);
  ordner->addWidget(SpeedButtonDatVerz, 1, 2);
  ordner->setColumnStretch(1, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonOK);
  knoepfe->addWidget(ButtonCancel);
  auto* innen = new QVBoxLayout(XiPanel1);
  innen->setContentsMargins(14, 12, 14, 12);
  innen->addWidget(LabelInfoH);
  innen->addSpacing(4);
  innen->addWidget(LabelInfo1);
  innen->addWidget(LabelInfo2);
  innen->addSpacing(10);
  innen->addLayout(ordner);
  innen->addSpacing(10);
  innen->addLayout(knoepfe);
  auto* aussen = new QVBoxLayout(this);
  aussen->setContentsMargins(0, 0, 0, 0);
  aussen->addWidget(XiPanel1);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });
  connect(SpeedButtonDatVerz, &QToolButton::clicked, this, [this] { Durchsuchen(); });
  EditFieldKeys(this, ButtonCancel);
}

void TFormVerzWechsel::showEvent(QShowEvent* event) {
  FormShow();
  LayoutJetzt(this);
  // A small dialog of fixed size: no maximise or minimise button.
  FixDialogSize(this);
  QDialog::showEvent(event);
}

void TFormVerzWechsel::FormShow() {
  setWindowTitle(Q(T(TX::FormVerzWCaption)));
  LabelInfoH->setText(Q(ReplaceHashMark(T(TX::FormVerzInfoH), s_.folders.ProgName)));
  LabelInfo1->setText(Q(T(TX::FormVerzInfo1)));
  LabelInfo2->setText(Q(T(TX::FormVerzInfo2)));
  RadioButtonStdVerz->setText(Q(T(TX::FormVerzRButton1)));
  RadioButtonNeuVerz->setText(Q(T(TX::FormVerzRButton2)));
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonCancel->setText(Q(T(TX::ButtonCancel)));
  if (s_.settings.AFPos.Links != 0) RestorePosition(this, s_.settings.AFPos);
  EditStdVerz->setText(Q(s_.folders.StandardDatenDir));
  EditNeuVerz->setText(Q(s_.folders.DatenDir));
  EditStdVerz->setCursorPosition(0);
  EditNeuVerz->setCursorPosition(0);
  (s_.folders.DatenDir == s_.folders.StandardDatenDir ? RadioButtonStdVerz : RadioButtonNeuVerz)
      ->setChecked(true);
}

void TFormVerzWechsel::Durchsuchen() {
  TFolderBrowser browser(this, LabelInfoH->text().toStdString(), false, true,
                         EditNeuVerz->text().toStdString());
  if (!browser.Execute()) return;
  EditNeuVerz->setText(Q(browser.Folder()));
  EditNeuVerz->setCursorPosition(0);
  RadioButtonNeuVerz->setChecked(true);
}

void TFormVerzWechsel::reject() { done(2); }

void TFormVerzWechsel::done(int result) {
  s_.run.Abbruch = true;
  if (result == 1) {
    const QLineEdit* e = RadioButtonStdVerz->isChecked() ? EditStdVerz : EditNeuVerz;
    DatenordnerWechseln(s_, d_, e->text().toStdString());
  }
  QDialog::done(result);
}

}  // namespace tav
