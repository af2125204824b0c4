#include "foundation/ui/FormKopftext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/PrintLayout.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {

constexpr const char* kJpegFilter = "JPEG-Grafikdatei (*.jpg *.jpeg)";
constexpr int kVorschauB = 538, kVorschauH = 108;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(TX k) { return Q(T(k)); }

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// The printer the dialog shows: the stored one, else the system's default, else the note
// that there is none (printouts then go to a PDF file).
QString DruckerName(TavState& g) {
  if (!ChosenPrinter(g).empty()) return Q(g.settings.Drucker);
  const QString standard = QPrinterInfo::defaultPrinterName();
  return standard.isEmpty() ? Q(TX::MeldungKeinDrucker) : standard;
}

void WendeDruckerAn(TavState& g) {
  QPrinter p(QPrinter::HighResolution);
  SelectPrinter(p, g, ChosenPrinter(g));
}

}  // namespace

TFormKopftext::TFormKopftext(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormKopftext"));
  MemoKopftext = Named(new QPlainTextEdit, "MemoKopftext");
  MemoKopftext->setPlainText(QStringLiteral("Zeile 1\nZeile 2\nZeile 3\nZeile 4"));
  MemoKopftext->setMinimumHeight(90);
  // Tab moves on to the next control: a tab character has no place in a printed header line.
  MemoKopftext->setTabChangesFocus(true);
  CheckBox1 = Named(new QCheckBox, "CheckBox1");
  CheckBox2 = Named(new QCheckBox, "CheckBox2");
  Label1 = Named(new QLabel, "Label1");
  RadioButton1 = Named(new QRadioButton, "RadioButton1");
  RadioButton2 = Named(new QRadioButton, "RadioButton2");
  LabelFont = Named(new QLabel, "LabelFont");
  ComboBoxFont = Named(new QComboBox, "ComboBoxFont");
  LabelFont->setBuddy(ComboBoxFont);
  ButtonDruckerEinrichten = Named(new QPushButton, "ButtonDruckerEinrichten");
  LabelDruckername = Named(new QLabel, "LabelDruckername");
  GroupBox2 = Named(new QGroupBox, "GroupBox2");
  ImageLogo = Named(new QLabel, "ImageLogo");
  ImageLogo->setFixedSize(kVorschauB, kVorschauH);
  SpeedButtonLogoladen = Named(new QToolButton, "SpeedButtonLogoladen");
  SpeedButtonLogoloeschen = Named(new QToolButton, "SpeedButtonLogoloeschen");
  ButtonOK = Named(new QPushButton, "ButtonOK");
  ButtonCancel = Named(new QPushButton, "ButtonCancel");
  ButtonOK->setDefault(true);

  auto* farbe = new QHBoxLayout;
  farbe->addWidget(Label1);
  farbe->addWidget(RadioButton1);
  farbe->addWidget(RadioButton2);
  farbe->addStretch();
  auto* font = new QHBoxLayout;
  font->addWidget(LabelFont);
  font->addWidget(ComboBoxFont, 1);
  auto* drucker = new QHBoxLayout;
  drucker->addWidget(ButtonDruckerEinrichten);
  drucker->addWidget(LabelDruckername, 1);
  auto* logo = new QGridLayout(GroupBox2);
  logo->addWidget(ImageLogo, 0, 0, 2, 1);
  logo->addWidget(SpeedButtonLogoladen, 0, 1);
  logo->addWidget(SpeedButtonLogoloeschen, 1, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonOK);
  knoepfe->addWidget(ButtonCancel);
  auto* l = new QVBoxLayout(this);
  l->addWidget(MemoKopftext);
  l->addWidget(CheckBox1);
  l->addWidget(CheckBox2);
  l->addLayout(farbe);
  l->addLayout(font);
  l->addLayout(drucker);
  l->addWidget(GroupBox2);
  l->addLayout(knoepfe);

  Beschriften();
  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });
  connect(ComboBoxFont, &QComboBox::currentTextChanged, this, [this](const QString& f) {
    if (!G().run.FormAufbau) MemoKopftext->setFont(QFont(f, MemoKopftext->font().pointSize()));
  });
  connect(RadioButton1, &QRadioButton::toggled, this, [this] { FarbeGeklickt(); });
  connect(ButtonDruckerEinrichten, &QPushButton::clicked, this, [this] { DruckerEinrichten(); });
  connect(SpeedButtonLogoladen, &QToolButton::clicked, this, [this] {
    const QString f = QFileDialog::getOpenFileName(this, QString(), QString(), QString::fromUtf8(kJpegFilter));
    if (!f.isEmpty()) LogoLaden(f.toStdString());
  });
  connect(SpeedButtonLogoloeschen, &QToolButton::clicked, this, [this] {
    G().settings.DrucklogoDatei = "NUL";
    LoadPrintLogo("NUL");
    GroupBox2->setTitle(Q(TX::FormKopfGroupbox2));
    ShowLogo();
  });
}

void TFormKopftext::Beschriften() {
  setWindowTitle(Q(TX::FormKopfCaption));
  CheckBox1->setText(Q(TX::FormKopfCheckbox1));
  CheckBox2->setText(Q(TX::FormKopfCheckbox2));
  Label1->setText(Q(TX::FormKopfLabel1));
  LabelFont->setText(Q(TX::FormKopfLabelFont));
  RadioButton1->setText(Q(TX::FormKopfRadioButton1));
  RadioButton2->setText(Q(TX::FormKopfRadioButton2));
  ButtonDruckerEinrichten->setText(Q(TX::HmenuDruckereinrichten));
  SpeedButtonLogoladen->setText(Q(TX::FormKopfLogoladen));
  SpeedButtonLogoloeschen->setText(Q(TX::FormKopfLogoloeschen));
  ButtonOK->setText(Q(TX::ButtonOK));
  ButtonCancel->setText(Q(TX::ButtonCancel));
}

void TFormKopftext::showEvent(QShowEvent* e) {
  auto& g = G();
  Beschriften();
  g.run.FormAufbau = true;
  MemoKopftext->setFont(QFont(Q(g.settings.DruckFont)));
  QStringList zeilen;
  for (const auto& z : LoadHeaderLines(g.folders.DatenDir)) zeilen << Q(z);
  MemoKopftext->setPlainText(zeilen.join(QLatin1Char('\n')));
  MemoKopftext->setEnabled(true);
  CheckBox1->setChecked(!g.settings.DruckHeader);
  CheckBox2->setChecked(g.settings.DruckDatum);
  farbModusAlt_ = g.settings.FarbModus;
  (g.settings.FarbModus == 1 ? RadioButton2 : RadioButton1)->setChecked(true);
  ComboBoxFont->clear();
  ComboBoxFont->addItems(QFontDatabase::families());
  const int i = ComboBoxFont->findText(Q(g.settings.DruckFont));
  if (i < 0) ComboBoxFont->addItem(Q(g.settings.DruckFont));
  ComboBoxFont->setCurrentText(Q(g.settings.DruckFont));
  LabelDruckername->setText(DruckerName(g));
  SpeedButtonLogoladen->setVisible(!g.settings.LogoFest);
  SpeedButtonLogoloeschen->setVisible(!g.settings.LogoFest);
  logoDateiAlt_ = g.settings.DrucklogoDatei;
  GroupBox2->setTitle(Q(TX::FormKopfGroupbox2));
  if (g.settings.DrucklogoDatei != "NUL") {
    if (LoadPrintLogo(g.settings.DrucklogoDatei)) {
      if (!g.settings.LogoFest)
        GroupBox2->setTitle(Q(g.settings.DrucklogoDatei) + ": " + Q(TX::FormKopfGroupbox2));
    } else {
      g.settings.DrucklogoDatei = "NUL";
    }
  }
  ShowLogo();
  g.run.FormAufbau = false;
  QDialog::showEvent(e);
}

void TFormKopftext::ShowLogo() {
  QPixmap bild(ImageLogo->size());
  bild.fill(palette().color(QPalette::Button));
  QPainter pa(&bild);
  const auto& k = DruckKopf();
  const QImage& logo = RadioButton2->isChecked() ? k.Logo : k.LogoGrau;
  const TGroesse v = LogoVorschau(logo.width(), logo.height());
  if (G().settings.DrucklogoDatei == "NUL" || v.Breite <= 0) {
    pa.setPen(palette().color(QPalette::Dark));
    pa.drawLine(0, 0, bild.width() - 1, bild.height() - 1);
    pa.drawLine(0, bild.height() - 1, bild.width() - 1, 0);
  } else {
    pa.setRenderHint(QPainter::SmoothPixmapTransform);
    pa.drawImage(QRect(0, 0, v.Breite, v.Hoehe), logo);
  }
  pa.end();
  ImageLogo->setPixmap(bild);
}

bool TFormKopftext::LogoLaden(const std::string& datei) {
  if (!LoadPrintLogo(datei)) return false;
  G().settings.DrucklogoDatei = datei;
  GroupBox2->setTitle(Q(datei) + ": " + Q(TX::FormKopfGroupbox2));
  ShowLogo();
  return true;
}

void TFormKopftext::FarbeGeklickt() {
  auto& g = G();
  if (g.run.FormAufbau) return;
  g.settings.FarbModus = RadioButton2->isChecked() ? 1 : 0;
  ShowLogo();
  WendeDruckerAn(g);
}

void TFormKopftext::DruckerEinrichten() {
  auto& g = G();
  QPrinter p(QPrinter::HighResolution);
  if (!DruckerVorhanden()) {
    ShowIntMessageDlg(T(TX::MeldungKeinDrucker), mtInformation, mbOKOnly);
    return;
  }
  if (!ChosenPrinter(g).empty()) p.setPrinterName(Q(g.settings.Drucker));
  if (!DruckHooks().DruckerDialog(this, p)) return;
  g.settings.Drucker = p.printerName().toStdString();
  WendeDruckerAn(g);
  LabelDruckername->setText(DruckerName(g));
  ButtonOK->setFocus();
}

void TFormKopftext::done(int r) {
  auto& g = G();
  if (r == 1) {
    std::vector<std::string> zeilen;
    const QString text = MemoKopftext->toPlainText();
    if (!text.isEmpty())
      for (const QString& z : text.split(QLatin1Char('\n'))) zeilen.push_back(z.toStdString());
    std::string fehler;
    if (!SaveHeaderLines(g.folders.DatenDir, zeilen, &fehler)) ShowIntMessageDlg(fehler, mtError, mbOKOnly);
    DruckKopf().Zeilen = LoadHeaderLines(g.folders.DatenDir);
    g.settings.DruckHeader = !CheckBox1->isChecked();
    g.settings.DruckDatum = CheckBox2->isChecked();
    g.settings.FarbModus = RadioButton2->isChecked() ? 1 : 0;
    g.settings.DruckFont = ComboBoxFont->currentText().toStdString();
  } else {
    r = 2;
    const bool logoAnders = g.settings.DrucklogoDatei != logoDateiAlt_;
    g.settings.DrucklogoDatei = logoDateiAlt_;
    if (logoAnders) LoadPrintLogo(logoDateiAlt_);
    g.settings.FarbModus = farbModusAlt_;
    WendeDruckerAn(g);
  }
  QDialog::done(r);
}

TFormKopftext& FormKopftext() {
  static QPointer<TFormKopftext> f;
  if (!f) f = new TFormKopftext;
  return *f;
}

int ShowKopftext(QWidget* parent) {
  auto& f = FormKopftext();
  if (parent && f.parentWidget() != parent) f.setParent(parent, Qt::Dialog);
  return f.exec();
}

}  // namespace tav
