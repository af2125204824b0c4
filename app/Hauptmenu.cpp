#include "app/Hauptmenu.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <utility>

#include "project/NeuesProjekt.h"
#include "app/Schema.h"
#include "catalogues/Energie.h"
#include "catalogues/KatalogDienste.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "app/FormProjekt.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "location/Wetter.h"
#include "project/ui/FormProjektInfo.h"
#include "foundation/BigIni.h"
#include "foundation/Language.h"
#include "foundation/Messages.h"
#include "foundation/PrintLayout.h"
#include "foundation/ui/Drucken.h"
#include "foundation/Settings.h"
#include "foundation/TavVar.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Documents.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/ReportAnlage.h"

namespace tav {

namespace {

// Texts the text table does not hold.
const char* const kKolldat = "&Koll.dat";
const char* const kOrtedat = "&Orte.dat";
const char* const kMN5hourdat = "Met&hour.dat (MN5/MN6)";
const char* const kMeteonormHint = "Datensatz im METEOnorm-Format";
const char* const kHilfe = "     &?";
const char* const kGrafikKopieren = "&Grafik kopieren";
const char* const kEnevKnopf = "EnE&V";
const char* const kEnevHint = "Berechnung nach DIN 4701-10";
const char* const kProjektFilter = "Tavrel-Projektdateien (*.DAT *.dat)";
const char* const kKollFilter = "Kollektordateien (*.DAT *.dat)";
const char* const kOrteFilter = "Orte-Dateien (*.DAT *.dat *.ALT *.alt)";
const char* const kMN4Filter = "Meteonorm 4.0-Dateien (*.DAT *.dat)";
const char* const kMN5Filter = "Meteonorm 5.0/6.0-Dateien (*.DAT *.dat)";
const char* const kExportPrefix = "Tavrel_";
const char* const kFragebogen = "Fragebogen.pdf";
const char* const kAnschreiben = "AnschreibenTr.doc";

// Layout sizes of the window.
constexpr int kBannerHoehe = 68;
constexpr int kLeisteHoehe = 42;
constexpr int kMarkerHoehe = 3;
const QColor kOrange(0xFF, 0x80, 0x00);
const QSize kStandardGroesse(872, 864);
const QSize kMindestGroesse(775, 625);

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString QT_(TX key) { return Q(T(key)); }

QString Ordner(const std::string& dir) {
  return dir.empty() || dir == "." ? QString() : Q(dir);
}

std::string OrdnerVon(const QString& file) {
  std::string dir = QFileInfo(file).absolutePath().toStdString();
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

QString StandardDialog(bool speichern, QWidget* parent, const QString& caption,
                       const QString& folder, const QString& name, const QString& filter) {
  const QString start = name.isEmpty() ? folder : QDir(folder).filePath(name);
  // The overwrite question is the program's own: it names the project, not the file.
  return speichern ? QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr,
                                                  QFileDialog::DontConfirmOverwrite)
                   : QFileDialog::getOpenFileName(parent, caption, start, filter);
}

}  // namespace

Hauptmenu::Hauptmenu(WetterSynthese& synthese, QWidget* parent)
    : QMainWindow(parent), s_(G()), synthese_(synthese) {
  setObjectName("Hauptmenu");
  setWindowTitle(Q(s_.folders.ProgName));
  setMinimumSize(kMindestGroesse);
  resize(kStandardGroesse);

  auto* zentrum = new QWidget(this);
  zentrum->setObjectName("Zentrum");
  auto* spalte = new QVBoxLayout(zentrum);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);

  // Banner with the lettering at its right.
  ImageBanner = new QLabel(zentrum);
  ImageBanner->setObjectName("ImageBanner");
  ImageBanner->setFixedHeight(kBannerHoehe);
  ImageBanner->setScaledContents(true);
  ImageBanner->setMinimumWidth(1);
  ImageBanner->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  spalte->addWidget(ImageBanner);
  ImageSchriftli = new QLabel(ImageBanner);
  ImageSchriftli->setObjectName("ImageSchriftli");
  ImageSchriftli->hide();
  ImageSchrift = new QLabel(ImageBanner);
  ImageSchrift->setObjectName("ImageSchrift");
  ImageSchrift->setFixedSize(183, 34);
  ImageSchrift->setScaledContents(true);
  ImageLogo = new QLabel(ImageBanner);
  ImageLogo->setObjectName("ImageLogo");
  ImageLogo->hide();

  BuildToolButtons();
  spalte->addWidget(ShapeButtonleiste);

  // Scheme and description side by side.
  auto* inhalt = new QWidget(zentrum);
  inhalt->setObjectName("Inhalt");
  auto* reihe = new QHBoxLayout(inhalt);
  reihe->setContentsMargins(8, 22, 8, 8);
  reihe->setSpacing(11);
  ImageSchema = new QLabel(inhalt);
  ImageSchema->setObjectName("ImageSchema");
  ImageSchema->setFixedSize(309, 275);
  ImageSchema->setContextMenuPolicy(Qt::CustomContextMenu);
  reihe->addWidget(ImageSchema, 0, Qt::AlignTop);
  RichEditProjekt = new QTextEdit(inhalt);
  RichEditProjekt->setObjectName("RichEditProjekt");
  RichEditProjekt->setReadOnly(true);
  RichEditProjekt->setTabChangesFocus(true);
  RichEditProjekt->setFrameShape(QFrame::NoFrame);
  reihe->addWidget(RichEditProjekt, 1);
  spalte->addWidget(inhalt, 1);
  setCentralWidget(zentrum);

  PopupMenuKopieren = new QMenu(this);
  PopupMenuKopieren->setObjectName("PopupMenuKopieren");
  GrafikKopieren = PopupMenuKopieren->addAction(kGrafikKopieren);
  GrafikKopieren->setObjectName("GrafikKopieren");
  connect(GrafikKopieren, &QAction::triggered, this, [this] { GrafikKopierenClick(); });
  connect(ImageSchema, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenuKopieren->popup(ImageSchema->mapToGlobal(p)); });

  statusBar()->setObjectName("StatusBar1");

  TimerAnlgParameter = new QTimer(this);
  TimerAnlgParameter->setObjectName("TimerAnlgParameter");
  TimerAnlgParameter->setSingleShot(true);
  TimerAnlgParameter->setInterval(10);
  connect(TimerAnlgParameter, &QTimer::timeout, this, [this] { TimerAnlgParameterTimer(); });
  TimerInfo = new QTimer(this);
  TimerInfo->setObjectName("TimerInfo");
  TimerInfo->setSingleShot(true);
  TimerInfo->setInterval(200);
  connect(TimerInfo, &QTimer::timeout, this, [this] { TimerInfoTimer(); });

  BuildMenus();

  OeffnenDialog = [this](const QString& c, const QString& f, const QString& n,
                         const QString& filter) { return StandardDialog(false, this, c, f, n, filter); };
  SpeichernDialog = [this](const QString& c, const QString& f, const QString& n,
                           const QString& filter) { return StandardDialog(true, this, c, f, n, filter); };

  SetLanguageSwitchListener([this](int l) {
    SetQtLanguage(LanguageCode(s_.cat, l));
    Retranslate();
    // Without a header of the user's the print header is the hint of the new language.
    DruckKopf().Zeilen = LoadHeaderLines(s_.folders.DatenDir);
  });
  SetQtLanguage(LanguageCode(s_.cat, LanguageNumber(s_.cat, s_.settings.Sprache)));
  Retranslate();
}

Hauptmenu::~Hauptmenu() { SetLanguageSwitchListener({}); }

void Hauptmenu::BuildToolButtons() {
  ShapeButtonleiste = new QWidget(this);
  ShapeButtonleiste->setObjectName("ShapeButtonleiste");
  ShapeButtonleiste->setFixedHeight(kLeisteHoehe);
  ShapeButtonleiste->setAutoFillBackground(true);
  QPalette p = ShapeButtonleiste->palette();
  p.setColor(QPalette::Window, QColor(0xEC, 0xEF, 0xF1));
  ShapeButtonleiste->setPalette(p);
  auto* leiste = new QHBoxLayout(ShapeButtonleiste);
  leiste->setContentsMargins(6, 6, 6, 10);
  leiste->setSpacing(2);
  const auto knopf = [&](QToolButton*& b, const char* name, const char* glyph) {
    b = new QToolButton(ShapeButtonleiste);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setFixedHeight(26);
    b->setFocusPolicy(Qt::NoFocus);
    const QImage& bild = LoadResBitmap(glyph);
    b->setIcon(QIcon(QPixmap::fromImage(bild)));
    b->setIconSize(QSize(18, 18));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    leiste->addWidget(b);
  };
  knopf(SpeedButtonNeu, "SpeedButtonNeu", "GlyphNeu");
  knopf(SpeedButtonOeffnen, "SpeedButtonOeffnen", "GlyphOeffnen");
  knopf(SpeedButtonSpeichern, "SpeedButtonSpeichern", "GlyphSpeichern");
  leiste->addSpacing(10);
  knopf(SpeedButtonAssistent, "SpeedButtonAssistent", "GlyphAssistent");
  knopf(SpeedButtonOrt, "SpeedButtonOrt", "GlyphOrt");
  knopf(SpeedButtonAnlage, "SpeedButtonAnlage", "GlyphAnlage");
  knopf(SpeedButtonKollektor, "SpeedButtonKollektor", "GlyphKollektor");
  knopf(SpeedButtonMeteoImport, "SpeedButtonMeteoImport", "GlyphMeteoImport");
  leiste->addSpacing(10);
  knopf(SpeedButtonMoment, "SpeedButtonMoment", "GlyphMoment");
  knopf(SpeedButtonSimulation, "SpeedButtonSimulation", "GlyphSimulation");
  knopf(SpeedButtonENEV, "SpeedButtonENEV", "GlyphENEV");
  leiste->addStretch(1);
  // The three project buttons show their pictures only.
  for (QToolButton* b : {SpeedButtonNeu, SpeedButtonOeffnen, SpeedButtonSpeichern, SpeedButtonMeteoImport})
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  SpeedButtonMeteoImport->hide();

  ShapeOrange = new QFrame(ShapeButtonleiste);
  ShapeOrange->setObjectName("ShapeOrange");
  ShapeOrange->setAutoFillBackground(true);
  QPalette o = ShapeOrange->palette();
  o.setColor(QPalette::Window, kOrange);
  ShapeOrange->setPalette(o);
  ShapeOrange->hide();

  knopfFuer_ = {{"Neu", SpeedButtonNeu},         {"Waehlen", SpeedButtonOeffnen},
                {"Speichern", SpeedButtonSpeichern}, {"Ort", SpeedButtonOrt},
                {"Anlage", SpeedButtonAnlage},   {"Kollektor", SpeedButtonKollektor},
                {"MN5hourdat", SpeedButtonMeteoImport}, {"Enev", SpeedButtonENEV}};
  connect(SpeedButtonNeu, &QToolButton::clicked, this,
          [this] { MitMarker(SpeedButtonNeu, [this] { NeuesProjekt(); }); });
  connect(SpeedButtonSpeichern, &QToolButton::clicked, this,
          [this] { MitMarker(SpeedButtonSpeichern, [this] { ProjektSpeichern(); }); });
  connect(SpeedButtonOrt, &QToolButton::clicked, this, [this] { ShowOrtDialog(); });
  connect(SpeedButtonAnlage, &QToolButton::clicked, this, [this] { ShowAnlageDialog(); });
  connect(SpeedButtonKollektor, &QToolButton::clicked, this, [this] { ShowKollektorDialog(); });
  connect(SpeedButtonMeteoImport, &QToolButton::clicked, this,
          [this] { MitMarker(SpeedButtonMeteoImport, [this] { WetterImportieren(true); }); });
  // Off until WireCommand (or UpdateChainEnabled for the chain's dialogs) gives them their window.
  for (QToolButton* b : {SpeedButtonOeffnen, SpeedButtonAssistent, SpeedButtonOrt,
                         SpeedButtonAnlage, SpeedButtonKollektor, SpeedButtonMoment,
                         SpeedButtonSimulation, SpeedButtonENEV})
    b->setEnabled(false);
}

void Hauptmenu::BuildMenus() {
  QMenuBar* mb = menuBar();
  mb->setObjectName("MainMenu1");
  const auto item = [this](QMenu* menu, QAction*& a, const char* name,
                           const QKeySequence& kurz = QKeySequence()) {
    a = menu->addAction(QString());
    a->setObjectName(name);
    if (!kurz.isEmpty()) a->setShortcut(kurz);
    return a;
  };
  const auto menue = [&](QMenu*& m, const char* name) {
    m = mb->addMenu(QString());
    m->setObjectName(name);
    m->menuAction()->setObjectName(QString(name) + "Menu");
  };
  const auto oben = [&](QAction*& a, const char* name) {
    a = mb->addAction(QString());
    a->setObjectName(name);
  };

  menue(Datei, "Datei");
  item(Datei, Neu, "Neu", QKeySequence(Qt::CTRL | Qt::Key_N));
  item(Datei, Projektinfo, "Projektinfo", QKeySequence(Qt::CTRL | Qt::Key_I));
  item(Datei, Waehlen, "Waehlen", QKeySequence(Qt::CTRL | Qt::Key_O));
  item(Datei, Speichern, "Speichern", QKeySequence(Qt::CTRL | Qt::Key_S));
  item(Datei, Loeschen, "Loeschen");
  Datei->addSeparator();
  item(Datei, ImportProjekt, "ImportProjekt");
  item(Datei, ExportProjekt, "ExportProjekt");
  Datei->addSeparator();
  item(Datei, Datenordner, "Datenordner");
  item(Datei, Druckoptionen, "Druckoptionen");
  item(Datei, Erfassungsbogen1, "Erfassungsbogen1");
  item(Datei, KundenAnschreiben1, "KundenAnschreiben1");
  Datei->addSeparator();
  item(Datei, Beenden, "Beenden");

  menue(Simulation, "Simulation");
  item(Simulation, Rechenmodus, "Rechenmodus");
  Rechenmodus->setEnabled(false);
  item(Simulation, Momentanleistung, "Momentanleistung");
  item(Simulation, AnlagenSimulation, "AnlagenSimulation");
  rechenmodusGruppe_ = new QActionGroup(this);
  for (QAction* a : {Momentanleistung, AnlagenSimulation}) {
    a->setCheckable(true);
    rechenmodusGruppe_->addAction(a);
  }
  Simulation->addSeparator();
  item(Simulation, Start, "Start", QKeySequence(Qt::Key_F5));
  Start->setProperty("HelpContext", 211);
  item(Simulation, Ergebnis, "Ergebnis", QKeySequence(Qt::Key_F6));
  item(Simulation, Optionen, "Optionen");

  oben(Ort, "Ort");
  oben(Anlage, "Anlage");
  oben(Energie, "Energie");
  oben(Kollektor, "Kollektor");

  menue(Extra, "Extra");
  item(Extra, AbsorberDrehung, "AbsorberDrehung", QKeySequence(Qt::CTRL | Qt::Key_R));
  item(Extra, Warmwasser, "Warmwasser", QKeySequence(Qt::CTRL | Qt::Key_W));
  item(Extra, Solarkreisvolumen, "Solarkreisvolumen", QKeySequence(Qt::CTRL | Qt::Key_V));
  item(Extra, Enev, "Enev", QKeySequence(Qt::CTRL | Qt::Key_E));
  Import = Extra->addMenu(QString());
  Import->setObjectName("Import");
  item(Import, KolldatImport, "KolldatImport");
  item(Import, OrtedatImport, "OrtedatImport");
  item(Import, Meteonorm4dat, "Meteonorm4dat");
  item(Import, MN5hourdat, "MN5hourdat");
  Sprachwahl = Extra->addMenu(QString());
  Sprachwahl->setObjectName("Sprachwahl");
  auto* sprachGruppe = new QActionGroup(this);
  Sprache[0] = nullptr;
  for (int i = 1; i <= kMaxSprachen; ++i) {
    const QString name = QString("Sprache%1").arg(i, 2, 10, QChar('0'));
    Sprache[i] = Sprachwahl->addAction(name);
    Sprache[i]->setObjectName(name);
    Sprache[i]->setCheckable(true);
    sprachGruppe->addAction(Sprache[i]);
    connect(Sprache[i], &QAction::triggered, this, [this, i] { Sprache01Click(i); });
  }
  Extra->addSeparator();
  item(Extra, Info, "Info");
  oben(Hilfe1, "Hilfe1");

  // Ctrl+V stays paste inside edit fields: the fields take the key first.
  Solarkreisvolumen->setShortcutContext(Qt::WindowShortcut);
  // A hidden item does not take its short-cut in Qt; the short-cut of the hidden absorber
  // tool still reaches it (once the tool is wired, the item is enabled).
  auto* ctrlR = new QShortcut(AbsorberDrehung->shortcut(), this);
  connect(ctrlR, &QShortcut::activated, AbsorberDrehung, &QAction::trigger);
  connect(AbsorberDrehung, &QAction::visibleChanged, ctrlR,
          [this, ctrlR] { ctrlR->setEnabled(!AbsorberDrehung->isVisible()); });

  connect(Neu, &QAction::triggered, this, [this] {
    MarkToolButton(nullptr);
    NeuesProjekt();
  });
  connect(Projektinfo, &QAction::triggered, this, [this] { ProjektInfoZeigen(); });
  connect(Speichern, &QAction::triggered, this, [this] { ProjektSpeichern(); });
  connect(ImportProjekt, &QAction::triggered, this, [this] { ProjektImportieren(); });
  connect(ExportProjekt, &QAction::triggered, this, [this] { ProjektExportieren(); });
  connect(Erfassungsbogen1, &QAction::triggered, this,
          [this] { OpenSurveyForm(s_.folders.DatenDir + kFragebogen); });
  connect(KundenAnschreiben1, &QAction::triggered, this,
          [this] { OpenCoverLetter(s_.folders.DatenDir + kAnschreiben); });
  connect(Beenden, &QAction::triggered, this, [this] { close(); });
  connect(Momentanleistung, &QAction::triggered, this, [this] { SetRechenModus(2); });
  connect(AnlagenSimulation, &QAction::triggered, this, [this] { SetRechenModus(3); });
  // The titles of the menu bar that open a dialog themselves: the title's highlight goes
  // before the dialog comes up (the menu bar would keep it for as long as the dialog is open).
  // Connected first, so it runs before the command's own slot.
  for (QAction* a : {Ort, Anlage, Kollektor, Energie})
    connect(a, &QAction::triggered, this, [this] {
      if (menuBar()->activeAction()) menuBar()->setActiveAction(nullptr);
    });
  connect(Ort, &QAction::triggered, this, [this] { ShowOrtDialog(); });
  connect(Anlage, &QAction::triggered, this, [this] { ShowAnlageDialog(); });
  connect(Kollektor, &QAction::triggered, this, [this] { ShowKollektorDialog(); });
  connect(Energie, &QAction::triggered, this, [this] {
    if (!FormAnlage) return;
    MarkToolButton(nullptr);
    s_.run.DialogFuellen = true;
    FormAnlage(true);
    if (s_.run.ProjektGeaendert) InvalidateResults();
    RefreshSchema();
  });
  connect(KolldatImport, &QAction::triggered, this, [this] { KollektorenImportieren(); });
  connect(OrtedatImport, &QAction::triggered, this, [this] { OrteImportieren(); });
  connect(Meteonorm4dat, &QAction::triggered, this, [this] { WetterImportieren(false); });
  connect(MN5hourdat, &QAction::triggered, this, [this] { WetterImportieren(true); });

  // Hidden at show; their commands work.
  for (QAction* a : {AbsorberDrehung, KolldatImport, Meteonorm4dat, MN5hourdat, Datenordner,
                     Erfassungsbogen1, KundenAnschreiben1})
    a->setVisible(false);
  // Off until WireCommand (or UpdateChainEnabled for the chain's dialogs) gives them their window.
  for (QAction* a : {Waehlen, Loeschen, Datenordner, Druckoptionen, Start, Ergebnis, Optionen,
                     Ort, Anlage, Energie, Kollektor, AbsorberDrehung, Warmwasser,
                     Solarkreisvolumen, Enev, Info, Hilfe1})
    a->setEnabled(false);
}

void Hauptmenu::Retranslate() {
  const auto text = [](QAction* a, TX key) { a->setText(QT_(key)); };
  Datei->setTitle(QT_(TX::HmenuDatei));
  text(Neu, TX::HmenuProjektNeu);
  text(Projektinfo, TX::HmenuProjektinfo);
  text(Waehlen, TX::HmenuWaehlen);
  text(Speichern, TX::HmenuSpeichern);
  text(Loeschen, TX::HmenuLoeschen);
  text(ImportProjekt, TX::HmenuPImport);
  text(ExportProjekt, TX::HmenuPExport);
  text(Datenordner, TX::HmenuDatenordner);
  text(Druckoptionen, TX::HmenuDruckoptionen);
  text(Erfassungsbogen1, TX::HmenuErfassungsbogen);
  text(KundenAnschreiben1, TX::HmenuAnschreiben);
  text(Beenden, TX::HmenuBeenden);
  Simulation->setTitle(QT_(TX::HmenuSimulation));
  text(Rechenmodus, TX::HmenuRechenmodus);
  text(Momentanleistung, TX::HmenuMomentanleistung);
  text(AnlagenSimulation, TX::HmenuAnlagenSimulation);
  text(Start, TX::HmenuStart);
  text(Ergebnis, TX::HmenuErgebnis);
  text(Optionen, TX::HmenuOptionen);
  text(Ort, TX::HmenuOrt);
  text(Anlage, TX::HmenuAnlage);
  text(Energie, TX::HmenuEnergie);
  text(Kollektor, TX::HmenuKollektor);
  Extra->setTitle(QT_(TX::HmenuExtra));
  text(AbsorberDrehung, TX::HmenuAbsorberdrehung);
  text(Warmwasser, TX::HmenuWarmwasser);
  text(Solarkreisvolumen, TX::HmenuSolarkreisvolumen);
  text(Enev, TX::HmenuEnev);
  Import->setTitle(QT_(TX::HmenuImport));
  KolldatImport->setText(kKolldat);
  OrtedatImport->setText(kOrtedat);
  text(Meteonorm4dat, TX::HmenuMeteonormdat);
  Meteonorm4dat->setToolTip(kMeteonormHint);
  Meteonorm4dat->setStatusTip(kMeteonormHint);
  MN5hourdat->setText(kMN5hourdat);
  Sprachwahl->setTitle(QT_(TX::HmenuSprache));
  text(Info, TX::HmenuInfo);
  Hilfe1->setText(kHilfe);
  GrafikKopieren->setText(kGrafikKopieren);

  const auto knopf = [](QToolButton* b, const std::string& caption, const std::string& hint) {
    SetToolButtonText(b, caption, hint);
    b->setFixedHeight(26);
  };
  knopf(SpeedButtonNeu, "", T(TX::SButtonProjektNeuHint));
  knopf(SpeedButtonOeffnen, "", T(TX::SButtonProjektWaehlenHint));
  knopf(SpeedButtonSpeichern, "", T(TX::SButtonProjektSpeichernHint));
  knopf(SpeedButtonAssistent, T(TX::SButtonAssistent), T(TX::SButtonAssistent));
  knopf(SpeedButtonOrt, T(TX::SButtonOrt), T(TX::SButtonOrtHint));
  knopf(SpeedButtonAnlage, T(TX::SButtonAnlage), T(TX::SButtonAnlageHint));
  knopf(SpeedButtonKollektor, T(TX::SButtonKollektor), T(TX::SButtonKollektorHint));
  knopf(SpeedButtonMeteoImport, "", kMeteonormHint);
  knopf(SpeedButtonMoment, T(TX::SButtonMoment), T(TX::SButtonMomentHint));
  knopf(SpeedButtonSimulation, T(TX::SButtonSimulation), T(TX::SButtonSimulationHint));
  knopf(SpeedButtonENEV, kEnevKnopf, kEnevHint);
  // The bar makes room for longer captions at once, not only at the next layout pass.
  ShapeButtonleiste->layout()->activate();
  if (formProjektInfo_) formProjektInfo_->setWindowTitle(QT_(TX::FormPrjInfoCaption));
}

void Hauptmenu::BuildLanguageMenu() {
  const CatalogueState& c = s_.cat;
  const int aktuell = LanguageNumber(c, s_.settings.Sprache);
  for (int i = 1; i <= kMaxSprachen; ++i) {
    const TSprache& sp = c.SprachListe[static_cast<std::size_t>(i)];
    QAction* a = Sprache[i];
    a->setText(Q(sp.Caption));
    a->setToolTip(QString::number(i));
    a->setVisible(i == kDeutschNr || LanguageFileExists(s_.folders.ProgDir, sp.Name));
    a->setChecked(i == aktuell);
  }
}

void Hauptmenu::FormShow() {
  s_.run.DialogFuellen = true;
  BuildLanguageMenu();
  SetRechenModus(s_.run.RechenModus == 2 ? 2 : 3);
  Ergebnis->setEnabled(false);
  setWindowTitle(Q(s_.folders.ProgName));
  ImageBanner->setPixmap(QPixmap::fromImage(LoadResBitmap("ImageBanner")));
  ImageSchriftli->setPixmap(QPixmap::fromImage(LoadResBitmap("ImageSchriftli")));
  ImageSchrift->setPixmap(QPixmap::fromImage(LoadResBitmap("ImageSchriftre")));
  UpdateNeuEnabled();
  RefreshSchema();
  ApplyPlacement();
}

bool Hauptmenu::StartsMaximised() const {
  const TFensterPos& pos = s_.settings.HMPos;
  const bool gespeichert = pos.Links != 0 && pos.Oben != 0;
  return !s_.screen.KleinerBildschirm && (!gespeichert || pos.Maximiert);
}

void Hauptmenu::ApplyPlacement() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
  s_.screen.KleinerBildschirm = screen && screen->geometry().width() <= 800;
  const TFensterPos& pos = s_.settings.HMPos;
  if (pos.Links != 0 && pos.Oben != 0) {
    RestorePlacement(this, pos);
  } else {
    // Default size, kept on the screen.
    QSize g = kStandardGroesse.boundedTo(area.size());
    resize(g.expandedTo(minimumSize()).boundedTo(area.size()));
    move(area.center() - rect().center());
  }
  if (s_.screen.KleinerBildschirm) {
    setMinimumHeight(std::min(600, area.height()));
    const int w = std::min(width(), 800);
    const int h = std::min(height(), 600);
    resize(w, h);
    move(std::max(0, area.right() + 1 - w), std::max(0, area.bottom() + 1 - h));
  }
}

void Hauptmenu::PlaceLettering() {
  const int b = ImageBanner->width();
  ImageSchrift->move(b - ImageSchrift->width() - 10, (kBannerHoehe - ImageSchrift->height()) / 2);
  ImageSchriftli->move(32, (kBannerHoehe - ImageSchriftli->sizeHint().height()) / 2);
  ImageLogo->move(b - ImageLogo->width(), 0);
}

void Hauptmenu::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceLettering();
  if (ShapeOrange->isVisible()) {
    // The marker follows its button when the bar is laid out again.
    for (QToolButton* b : ShapeButtonleiste->findChildren<QToolButton*>())
      if (b->property("markiert").toBool()) MarkToolButton(b);
  }
}

void Hauptmenu::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  if (!ersterPaint_) return;
  ersterPaint_ = false;
  s_.run.ErsterPaint = false;
  PlaceLettering();
  // Out of the paint event: what follows may repaint windows and wait for long.
  QTimer::singleShot(0, this, [this] {
    if (NachErstemPaint) std::exchange(NachErstemPaint, nullptr)();
    TimerAnlgParameter->start();
    emit ErsterPaint();
  });
}

void Hauptmenu::TimerAnlgParameterTimer() {
  if (KollektorDialogHoehe) s_.settings.AFPos.Hoehe = static_cast<std::int16_t>(KollektorDialogHoehe());
  TimerAnlgParameter->stop();
  TimerInfo->start();
  RefreshSchema();
  // The collector the EnEV import appended is shown once, on the project's collector.
  if (s_.run.KollektorEditAnfrage && FormKollektorEdit) {
    s_.run.KollektorEditAnfrage = false;
    FormKollektorEdit();
    RefreshSchema();
  }
}

void Hauptmenu::TimerInfoTimer() {
  TimerInfo->stop();
  // The print header lines and the print logo: after the window shows, so the start stays quick.
  LadeDruckKopf(s_);
}

void Hauptmenu::RefreshSchema() {
  ImageSchema->setPixmap(QPixmap::fromImage(ShowSchema(s_)));
  ReportAnlage(RichEditProjekt, s_, true);
}

void Hauptmenu::MarkToolButton(QToolButton* button) {
  for (QToolButton* b : ShapeButtonleiste->findChildren<QToolButton*>())
    b->setProperty("markiert", b == button);
  if (!button) {
    ShapeOrange->hide();
    return;
  }
  ShapeOrange->setGeometry(button->x(), button->y() + button->height() + 2, button->width(),
                           kMarkerHoehe);
  ShapeOrange->show();
  ShapeOrange->raise();
}

void Hauptmenu::MitMarker(QToolButton* button, const std::function<void()>& befehl) {
  MarkToolButton(button);
  befehl();
  MarkToolButton(nullptr);
}

void Hauptmenu::SetRechenModus(int modus) {
  s_.run.RechenModus = static_cast<std::uint8_t>(modus);
  Momentanleistung->setChecked(modus == 2);
  AnlagenSimulation->setChecked(modus == 3);
}

void Hauptmenu::InvalidateResults() {
  Ergebnis->setEnabled(false);
  s_.run.ErgebnisGueltig = false;
  if (CloseResults) CloseResults();
}

void Hauptmenu::Sprache01Click(int i) {
  if (i < 1 || i > kMaxSprachen) return;
  const std::string signatur =
      s_.plant.EnergieNr >= 1 && s_.plant.EnergieNr <= s_.cat.EnergieAnzahl
          ? EnergieText(s_.cat.Energietraeger[static_cast<std::size_t>(s_.plant.EnergieNr)])
          : std::string();
  // A new carrier file is read and the carrier in use found again by its values; with the
  // same file the carrier stays as it is (and nobody is told it was chosen anew).
  if (!SwitchLanguage(s_, Texts(), i)) {
    s_.cat.EnergieGeladen = false;
    ReadEnergie(s_, signatur, *this);
  }
  BuildLanguageMenu();
  RefreshSchema();
}

TFormProjektInfo* Hauptmenu::FormProjektInfo() {
  if (!formProjektInfo_) formProjektInfo_ = new TFormProjektInfo(s_, this);
  return formProjektInfo_;
}

KatalogDienste Hauptmenu::Dienste() { return KatalogDienste(*this, synthese_); }

std::string Hauptmenu::ProjektDatei() const { return ProjektDateiPfad(s_); }

void Hauptmenu::UpdateNeuEnabled() {
  const bool moeglich = NeuesProjektMoeglich(s_.cat);
  Neu->setEnabled(moeglich);
  SpeedButtonNeu->setEnabled(moeglich);
}

// --- Project commands ---------------------------------------------------------------------

void Hauptmenu::NeuesProjekt() {
  CatalogueState& c = s_.cat;
  if (!NeuesProjektMoeglich(c)) {
    UpdateNeuEnabled();
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return;
  }
  PlantState& p = s_.plant;
  KatalogDienste d = Dienste();
  NeuesProjektAnlegen(s_, d, [&] {
    // The new project starts from the info of the project as stored.
    p.Info1 = p.Projekt.Info1;
    p.Info2 = p.Projekt.Info2;
    TFormProjektInfo* dlg = FormProjektInfo();
    dlg->setWindowTitle(QT_(TX::FormPrjInfoNeuCaption));
    dlg->exec();
    return !s_.run.Abbruch;
  });
  UpdateNeuEnabled();
  RefreshSchema();
}

void Hauptmenu::ProjektInfoZeigen() {
  MarkToolButton(nullptr);
  TFormProjektInfo* dlg = FormProjektInfo();
  dlg->setWindowTitle(QT_(TX::FormPrjInfoCaption));
  dlg->exec();
  if (s_.run.ProjektGeaendert) InvalidateResults();
  RefreshSchema();
}

void Hauptmenu::ProjektSpeichern() {
  // Saves the open project under its number; the save dialog with its choice of number
  // replaces this when the project dialogs are built.
  KatalogDienste d = Dienste();
  WriteProjektDat(ProjektDatei(), s_, d);
  UpdateNeuEnabled();
  RefreshSchema();
}

void Hauptmenu::ProjektImportieren() {
  MarkToolButton(nullptr);
  const QString datei = OeffnenDialog(DialogTitle(QT_(TX::HmenuPImport)),
                                      Ordner(s_.settings.ImportDir), QString(), kProjektFilter);
  if (!datei.isEmpty()) {
    int antwort = mrNo;
    if (s_.run.ProjektGeaendert)
      antwort = Msg().Ask(T(TX::AktuelleDatenSpeichernAbfrage), mbYesNoCancel);
    KatalogDienste d = Dienste();
    bool weiter = antwort == mrNo;
    if (antwort == mrYes) weiter = WriteProjektDat(ProjektDatei(), s_, d);
    // A failed import leaves the open project, and so its results, as they were.
    if (weiter && tav::ImportProjekt(s_, datei.toStdString(), d)) InvalidateResults();
    s_.settings.ImportDir = OrdnerVon(datei);
  }
  UpdateNeuEnabled();
  RefreshSchema();
}

void Hauptmenu::ProjektExportieren() {
  MarkToolButton(nullptr);
  const QString vorschlag = Q(kExportPrefix + s_.plant.ProjektName + ".dat");
  const QString datei = SpeichernDialog(DialogTitle(QT_(TX::HmenuPExport)),
                                        Ordner(s_.settings.ImportDir), vorschlag, kProjektFilter);
  if (datei.isEmpty()) return;
  const std::string pfad = datei.toStdString();
  s_.settings.ImportDir = OrdnerVon(datei);
  std::error_code ec;
  if (std::filesystem::exists(pfad, ec)) {
    TBigIniFile ini;
    if (!LadeProjektDatei(pfad, ini)) return;
    // The section of that number however it is spelled ("Projekt 01"), as the save finds it;
    // the question names the project it would replace.
    const std::int32_t nummer = s_.settings.ProjektNummer;
    const std::string sektion = ProjektSektionIn(ini, nummer);
    if (ini.SectionExists(sektion)) {
      const std::string name = ini.ReadString(sektion, "ProjektName", StandardProjektName(nummer));
      ini.DiscardChanges();
      if (Msg().Ask(ReplaceHashMark(T(TX::Projektueberschreiben),
                                    std::to_string(nummer) + " \"" + KurzerProjektName(name) + "\""),
                    mbYesNoKeep) != mrYes)
        return;
    }
    ini.DiscardChanges();
  }
  // The copy elsewhere does not save the open project in the data folder: it stays modified.
  const bool geaendert = s_.run.ProjektGeaendert;
  KatalogDienste d = Dienste();
  WriteProjektDat(pfad, s_, d);
  s_.run.ProjektGeaendert = geaendert;
}

void Hauptmenu::KollektorenImportieren() {
  MarkToolButton(nullptr);
  const QString datei = OeffnenDialog(DialogTitle(kKolldat), Ordner(s_.settings.ImportDir),
                                      Q(std::string(KollDatei)), kKollFilter);
  if (datei.isEmpty()) return;
  ImportKollektoren(s_, datei.toStdString(), *this);
  s_.settings.ImportDir = OrdnerVon(datei);
  RefreshSchema();
}

void Hauptmenu::OrteImportieren() {
  MarkToolButton(nullptr);
  const QString datei = OeffnenDialog(DialogTitle(kOrtedat), Ordner(s_.settings.ImportDir),
                                      Q(std::string(OrteDatei)), kOrteFilter);
  if (datei.isEmpty()) return;
  ImportOrte(s_, datei.toStdString(), *this);
  s_.settings.ImportDir = OrdnerVon(datei);
  RefreshSchema();
}

void Hauptmenu::WetterImportieren(bool stuendlich) {
  const QString datei = OeffnenDialog(DialogTitle(stuendlich ? kMN5hourdat : QT_(TX::HmenuMeteonormdat)),
                                      Ordner(s_.settings.MeteoDir), QString(),
                                      stuendlich ? kMN5Filter : kMN4Filter);
  if (datei.isEmpty()) return;
  const std::string pfad = datei.toStdString();
  const bool neu = stuendlich ? ReadMN5Datei(s_, pfad, *this) : ReadMeteoDatei(s_, pfad, *this);
  if (neu) {
    // The new location becomes the project's location, with its own weather years.
    s_.run.SolarklimadatenOK = false;
    OrtUmgebung env{*this, synthese_};
    SelectOrt(s_, s_.plant.OrtNr, env);
    s_.run.ProjektGeaendert = true;
    if (FormOrtEdit) {
      // The editor stores the new entry whichever button closes it.
      s_.run.OrtEditNr = s_.plant.OrtNr;
      s_.run.MeteoImport = true;
      FormOrtEdit();
      s_.run.MeteoImport = false;
    }
  }
  s_.settings.MeteoDir = OrdnerVon(datei);
  // Deliberate: only a location taken makes the results stale; an import that took nothing
  // (file refused, list full, catalogue not written) leaves the project and so its results
  // as they were, as a failed project import does.
  if (neu) InvalidateResults();
  RefreshSchema();
}

void Hauptmenu::GrafikKopierenClick() {
  QClipboard* cb = QGuiApplication::clipboard();
  cb->clear();
  cb->setImage(ImageSchema->pixmap().toImage());
  statusBar()->showMessage(QT_(TX::MeldungGrafikinZA));
}

// --- Dialog chain and wired windows -------------------------------------------------------

bool Hauptmenu::KettenDialog(QToolButton* button, const std::function<void()>& zeigen) {
  s_.run.DialogFuellen = true;
  MarkToolButton(button);
  zeigen();
  if (s_.run.ProjektGeaendert) InvalidateResults();
  RefreshSchema();
  MarkToolButton(nullptr);
  const bool weiter = s_.run.WeiterModus;
  s_.run.WeiterModus = false;
  return weiter;
}

void Hauptmenu::ShowOrtDialog() {
  if (FormOrt && KettenDialog(SpeedButtonOrt, FormOrt)) ShowAnlageDialog();
}

void Hauptmenu::ShowAnlageDialog() {
  if (FormAnlage && KettenDialog(SpeedButtonAnlage, [this] { FormAnlage(false); }))
    ShowKollektorDialog();
}

void Hauptmenu::ShowKollektorDialog() {
  if (!FormKollektor || !KettenDialog(SpeedButtonKollektor, FormKollektor)) return;
  // Saved through the save command, then the EnEV form or the annual simulation, each as
  // its tool button does it (nothing while that command is not wired).
  SpeedButtonSpeichern->click();
  QToolButton* weiter = s_.run.EnevStart ? SpeedButtonENEV : SpeedButtonSimulation;
  if (weiter->isEnabled()) weiter->click();
}

void Hauptmenu::UpdateChainEnabled() {
  for (QAction* a : {Ort, Anlage, Energie, Kollektor}) {
    const bool da = a == Ort ? static_cast<bool>(FormOrt)
                    : a == Kollektor ? static_cast<bool>(FormKollektor)
                                     : static_cast<bool>(FormAnlage);
    a->setEnabled(da);
    if (QToolButton* b = ToolButtonFuer(a->objectName())) b->setEnabled(da);
  }
}

QToolButton* Hauptmenu::ToolButtonFuer(const QString& actionName) const {
  const auto it = knopfFuer_.find(actionName);
  return it == knopfFuer_.end() ? nullptr : it->second;
}

void Hauptmenu::WireCommand(const QString& name, std::function<void()> handler) {
  // A menu item by its name, with the tool button of the same command; or a tool button
  // alone by its own name (the buttons "Moment", "Simulation", "Assistent").
  QAction* a = findChild<QAction*>(name);
  QToolButton* b = a ? ToolButtonFuer(name) : findChild<QToolButton*>(name);
  if (a) {
    QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
    // The results stay out of reach until a run has made them.
    a->setEnabled(a != Ergebnis || s_.run.ErgebnisGueltig);
    connect(a, &QAction::triggered, this, [this, a, handler] {
      MarkToolButton(nullptr);
      handler();
      // The help reveals the weather-import button once the about box's code word was typed.
      if (a == Hilfe1 && s_.run.MeteoFreigabe) SpeedButtonMeteoImport->show();
    });
  }
  if (b) {
    QObject::disconnect(b, &QToolButton::clicked, nullptr, nullptr);
    b->setEnabled(true);
    // The two calculation buttons set their mode first and leave no stale results behind.
    const int modus = b == SpeedButtonMoment ? 2 : b == SpeedButtonSimulation ? 3 : 0;
    connect(b, &QToolButton::clicked, this, [this, b, modus, handler] {
      if (modus != 0) {
        SetRechenModus(modus);
        InvalidateResults();
      }
      MitMarker(b, handler);
    });
  }
}

// --- Closing ------------------------------------------------------------------------------

bool Hauptmenu::SaveSettingsOnClose() {
  s_.settings.HMPos = PlacementOf(this);
  return SaveSettings(s_, PrinterToSave(s_));
}

bool Hauptmenu::FormCloseQuery() {
  if (s_.run.ProjektGeaendert) {
    const int antwort =
        ShowIntMessageDlg(T(TX::SpeichernAbfrage), mtConfirmation, mbYesNoCancel);
    Msg().DialogAntwort = static_cast<std::uint16_t>(antwort);
    if (antwort == mrYes) {
      KatalogDienste d = Dienste();
      // A project that could not be written keeps the program open (the message is shown).
      if (!WriteProjektDat(ProjektDatei(), s_, d)) return false;
    } else if (antwort != mrNo) {
      return false;
    }
  }
  SaveSettingsOnClose();
  return true;
}

void Hauptmenu::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery())
    event->accept();
  else
    event->ignore();
}

// --- Status -------------------------------------------------------------------------------

void Hauptmenu::Status(const std::string& text) {
  if (text.empty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(Q(text));
}

void Hauptmenu::Busy(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace tav
