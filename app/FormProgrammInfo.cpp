#include "app/FormProgrammInfo.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/FormHilfen.h"
#include "foundation/Language.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/XiPanel.h"

namespace tav {

using namespace form;

namespace {

// Product identity line of this edition.
constexpr const char* kAdresse = "Planung und Simulation thermischer Solaranlagen";
constexpr const char* kAdresseEnglisch = "Planning and simulation of solar thermal systems";
constexpr const char* kLinkFarbe = "#0000FF";
constexpr const char* kBesuchtFarbe = "#800080";
constexpr int kHilfeInfo = 901;  // help context of the about box

void Farbe(QLabel* l, const char* farbe, bool unterstrichen) {
  l->setStyleSheet(QString("color: %1;%2").arg(farbe, unterstrichen ? " text-decoration: underline;" : ""));
}

}  // namespace

std::function<bool(const std::string&)>& TFormProgrammInfo::Oeffner() {
  static std::function<bool(const std::string&)> oeffner = [](const std::string& url) {
    return QDesktopServices::openUrl(QUrl(Q(url)));
  };
  return oeffner;
}

void TFormProgrammInfo::Oeffne(const std::string& url, const std::string& was, bool ordner) {
  if (Oeffner()(url)) return;
  ShowMessageLines(ReplaceHashMark(T(ordner ? TX::OrdnerOeffnenFehlt : TX::AdresseOeffnenFehlt), was));
}

TFormProgrammInfo::TFormProgrammInfo(TavState& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("FormProgrammInfo");
  SetFixedDialogFrame(this);
  setWindowTitle("Info");
  XiPanel1 = Named(new TXiPanel(this), "XiPanel1");
  XiPanel1->SetColor(TXiPanel::ciFace, Qt::white);
  XiPanel1->SetColor(TXiPanel::ciGrad, Qt::white);
  Label1 = Named(new TKlickLabel(XiPanel1), "Label1");
  QFont gross = Label1->font();
  gross.setPointSize(gross.pointSize() + 12);
  gross.setBold(true);
  Label1->setFont(gross);
  Label1->setStyleSheet("color: #0D47A1;");
  LabelR = Named(new QLabel("®", XiPanel1), "LabelR");
  LabelR->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelVer = Named(new QLabel(XiPanel1), "LabelVer");
  LabelVersion = Named(new QLabel(XiPanel1), "LabelVersion");
  LabelCopyright = Named(new QLabel(XiPanel1), "LabelCopyright");
  LabelAdresse = Named(new QLabel(XiPanel1), "LabelAdresse");
  EditPrgVerz = Named(new QLineEdit(XiPanel1), "EditPrgVerz");
  EditDatVerz = Named(new QLineEdit(XiPanel1), "EditDatVerz");
  const QPixmap ordner = QPixmap::fromImage(LoadResBitmap("GlyphOeffnen"));
  ImagePrgVerz = Named(new TKlickLabel(XiPanel1), "ImagePrgVerz");
  ImageDatVerz = Named(new TKlickLabel(XiPanel1), "ImageDatVerz");
  for (TKlickLabel* b : {ImagePrgVerz, ImageDatVerz}) {
    b->setPixmap(ordner);
    b->setCursor(Qt::PointingHandCursor);
  }
  for (QLineEdit* e : {EditPrgVerz, EditDatVerz}) {
    e->setReadOnly(true);
    e->setMinimumWidth(300);
  }
  SpeedButtonDatVerz = Named(new QToolButton(XiPanel1), "SpeedButtonDatVerz");
  SpeedButtonDatVerz->setText("...");
  LabelInfo1 = Named(new QLabel(XiPanel1), "LabelInfo1");
  LabelInfo2 = Named(new QLabel(XiPanel1), "LabelInfo2");
  LabelInfo3 = Named(new QLabel(XiPanel1), "LabelInfo3");
  LabelInfo4 = Named(new QLabel(XiPanel1), "LabelInfo4");
  LabelLink = Named(new TKlickLabel(XiPanel1), "LabelLink");
  LabelMail = Named(new TKlickLabel(XiPanel1), "LabelMail");
  for (TKlickLabel* l : {LabelLink, LabelMail}) {
    l->setCursor(Qt::PointingHandCursor);
    Farbe(l, kLinkFarbe, true);
  }
  ImageLogo = Named(new QLabel(XiPanel1), "ImageLogo");
  ButtonOK = Named(new QPushButton(XiPanel1), "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonOK->installEventFilter(this);
  ButtonHilfe = Named(new QPushButton(XiPanel1), "ButtonHilfe");
  setProperty(kHelpContext, kHilfeInfo);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);

  auto* name = new QHBoxLayout;
  name->setSpacing(0);
  name->addWidget(Label1);
  name->addWidget(LabelR, 0, Qt::AlignTop);
  name->addStretch();
  auto* version = new QHBoxLayout;
  version->addWidget(LabelVer);
  version->addWidget(LabelVersion);
  version->addStretch();
  auto* kopf = new QVBoxLayout;
  kopf->addLayout(name);
  kopf->addLayout(version);
  kopf->addWidget(LabelCopyright);
  kopf->addWidget(LabelAdresse);
  kopf->addStretch();
  auto* oben = new QHBoxLayout;
  oben->addLayout(kopf, 1);
  oben->addWidget(ImageLogo, 0, Qt::AlignTop | Qt::AlignRight);
  auto* ordnerGitter = new QGridLayout;
  ordnerGitter->addWidget(ImagePrgVerz, 0, 0);
  ordnerGitter->addWidget(EditPrgVerz, 0, 1);
  ordnerGitter->addWidget(ImageDatVerz, 1, 0);
  ordnerGitter->addWidget(EditDatVerz, 1, 1);
  ordnerGitter->addWidget(SpeedButtonDatVerz, 1, 2);
  ordnerGitter->setColumnStretch(1, 1);
  auto* kontakt = new QVBoxLayout;
  kontakt->setSpacing(2);
  for (QLabel* l : {LabelInfo1, LabelInfo2, LabelInfo3, LabelInfo4}) kontakt->addWidget(l);
  kontakt->addSpacing(6);
  kontakt->addWidget(LabelLink);
  kontakt->addWidget(LabelMail);
  auto* unten = new QHBoxLayout;
  unten->addLayout(kontakt, 1);
  // The last contact line runs as far as the buttons in English: kept clear of them.
  unten->addSpacing(12);
  unten->addWidget(ButtonHilfe, 0, Qt::AlignBottom);
  unten->addWidget(ButtonOK, 0, Qt::AlignBottom);
  auto* innen = new QVBoxLayout(XiPanel1);
  innen->setContentsMargins(18, 14, 18, 14);
  innen->addLayout(oben);
  innen->addSpacing(8);
  innen->addLayout(ordnerGitter);
  innen->addSpacing(10);
  innen->addLayout(unten);
  auto* aussen = new QVBoxLayout(this);
  aussen->setContentsMargins(0, 0, 0, 0);
  aussen->addWidget(XiPanel1);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonHilfe, &QPushButton::clicked, this, [] { ZeigeHilfeKontext(kHilfeInfo); });
  connect(Label1, &TKlickLabel::geklickt, this, [this] { Label1Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  const auto oeffneOrdner = [this](const std::string& pfad) {
    Oeffne(QUrl::fromLocalFile(Q(pfad)).toString().toStdString(), pfad, true);
  };
  connect(ImagePrgVerz, &TKlickLabel::geklickt, this, [this, oeffneOrdner] { oeffneOrdner(s_.folders.ProgDir); });
  connect(ImageDatVerz, &TKlickLabel::geklickt, this, [this, oeffneOrdner] { oeffneOrdner(s_.folders.DatenDir); });
  connect(LabelLink, &TKlickLabel::geklickt, this, [this] {
    const std::string url = "http://" + LabelLink->text().toStdString();
    Oeffne(url, url, false);
    Farbe(LabelLink, kBesuchtFarbe, true);
  });
  connect(LabelMail, &TKlickLabel::geklickt, this, [this] {
    const std::string url = "mailto:" + LabelMail->text().toStdString() + "?subject=" +
                            s_.folders.ProgName + " " + s_.folders.ProgVersion;
    LabelMail->setToolTip(Q(url));
    Oeffne(url, LabelMail->text().toStdString(), false);
    Farbe(LabelMail, kBesuchtFarbe, true);
  });
  connect(SpeedButtonDatVerz, &QToolButton::clicked, this, [this] {
    if (DatenordnerAktion) DatenordnerAktion();
    EditDatVerz->setText(Q(s_.folders.DatenDir));
    raise();
  });
}

void TFormProgrammInfo::showEvent(QShowEvent* event) {
  FormShow();
  LayoutJetzt(this);
  // A small box of fixed size: no maximise or minimise button.
  FixDialogSize(this);
  QDialog::showEvent(event);
}

void TFormProgrammInfo::FormShow() {
  const FolderState& f = s_.folders;
  setWindowTitle(DialogTitle(Q(T(TX::HmenuInfo))));
  LabelVer->setText(Q(T(TX::Version)));
  Label1->setText(Q(f.ProgName));
  LabelVersion->setText(Q(f.ProgVersion + "  :  " + DateTimeToDotStr(f.ProgDatum)));
  LabelVersion->setToolTip(Q(f.ProgVersion));
  EditDatVerz->setText(Q(f.DatenDir));
  EditPrgVerz->setText(Q(f.ProgDir));
  EditDatVerz->setCursorPosition(0);
  EditPrgVerz->setCursorPosition(0);
  LabelCopyright->setText(Q(f.Copyright));
  // The subtitle in the language of the texts: German only where the program speaks German.
  const bool deutsch = LanguageCode(s_.cat, LanguageNumber(s_.cat, s_.settings.Sprache)) == "de";
  LabelAdresse->setText(deutsch ? kAdresse : kAdresseEnglisch);
  ImageLogo->setPixmap(QPixmap::fromImage(LoadResBitmap("Logo")));
  LabelInfo1->setText(Q(T(TX::Info1)));
  LabelInfo2->setText(Q(T(TX::Info2)));
  LabelInfo3->setText(Q(T(TX::Info3)));
  LabelInfo4->setText(Q(T(TX::Info4)));
  LabelLink->setText(Q(T(TX::InfoLink)));
  LabelMail->setText(Q(T(TX::InfoMail)));
  // A language without a web or mail address shows no empty line that opens nothing.
  LabelLink->setVisible(!LabelLink->text().isEmpty());
  LabelMail->setVisible(!LabelMail->text().isEmpty());
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonHilfe->setText(Q(T(TX::BtnHelp)));
  SpeedButtonDatVerz->hide();
  Timer1->stop();
  raise();
  LabelR->setVisible(Label1->text() == "Tavrel");
}

void TFormProgrammInfo::Label1Click() {
  ButtonOK->setFocus();
  puffer_.clear();
  Timer1->start(kCodeZeit);
}

void TFormProgrammInfo::Timer1Timer() {
  Timer1->stop();
  s_.run.MeteoFreigabe = puffer_ == kCodeWort;
  puffer_.clear();
}

bool TFormProgrammInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ButtonOK && event->type() == QEvent::KeyPress && Timer1->isActive()) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
      puffer_ += text.toStdString();
      return true;  // typed, not a click of OK by its accelerator
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tav
