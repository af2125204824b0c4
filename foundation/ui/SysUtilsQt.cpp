#include "foundation/ui/SysUtilsQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <stdexcept>
#include <memory>
#include <vector>

#include "foundation/SysUtil.h"

namespace tav {

void MoveMouseToControl(QWidget* control, bool center, int dx, int dy) {
  if (!control) return;
  const QPoint local = center ? QPoint(control->width() / 2, control->height() / 2) : QPoint(dx, dy);
  QCursor::setPos(control->mapToGlobal(local));
}

void BitmapToGray(QImage& image) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32) {
    image = image.convertToFormat(QImage::Format_ARGB32);
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      const int g = GreyValue(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                              static_cast<std::uint8_t>(qBlue(p)));
      line[x] = qRgba(g, g, g, qAlpha(p));
    }
  }
}

void StretchPrintBitmap(QPainter& painter, const QRect& target, const QImage& image) {
  if (image.isNull()) throw std::runtime_error("unsufficient ressources for stretching bitmap");
  painter.drawImage(target, image);
}

int TextOutIndexed(QPainter& painter, int x, int y, const std::string& text) {
  const QFont base = painter.font();
  QPaintDevice* device = painter.device();
  const QFontMetrics baseMetrics(base, device);
  // The text height of "M" as a canvas gives it: the height of the font's line, not the ink.
  const int mHeight = baseMetrics.height();
  for (const IndexedSegment& seg : SplitIndexedText(text)) {
    QFont font = base;
    int shift = 0;
    if (seg.lage != IndexedSegment::Normal) {
      const bool hoch = seg.lage == IndexedSegment::Hoch;
      const qreal smaller = hoch ? 4.0 : 3.0;  // points
      // A small font keeps at least one point (or pixel).
      if (base.pointSizeF() > 0) {
        font.setPointSizeF(std::max<qreal>(1.0, base.pointSizeF() - smaller));
      } else {  // a font sized in pixels: the same step in pixels of this device
        const int dpi = device ? device->logicalDpiY() : 96;
        font.setPixelSize(std::max(1, base.pixelSize() - qRound(smaller * dpi / 72.0)));
      }
      shift = hoch ? -(mHeight / 8) : mHeight / 3;
    }
    painter.setFont(font);
    const QFontMetrics fm(font, device);
    const QString s = QString::fromStdString(seg.text);
    // Each piece is placed by its top, as the base text is.
    painter.drawText(x, y + shift + fm.ascent(), s);
    x += fm.horizontalAdvance(s);
  }
  painter.setFont(base);
  return x;
}

void SetEditReadOnlyLook(QLineEdit* edit, bool readOnly) {
  edit->setReadOnly(readOnly);
  // No tab stop, but a click still focuses it, so its text can be selected and copied.
  edit->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
  edit->setFrame(!readOnly);
  QPalette pal;  // the application's palette: the editable look
  if (readOnly) pal.setColor(QPalette::Base, pal.color(QPalette::Button));
  edit->setPalette(pal);
}

std::string PickInstalledFont(const std::string& name) {
  const QString family = QString::fromStdString(name);
  if (QFontDatabase::hasFamily(family)) return name;
  // A family the system lacks resolves as the system's font matching does it (fontconfig's
  // substitutes: "Arial" -> "Liberation Sans"), never by the glyphs of a fallback face.
  const QString match = QFontInfo(QFont(family)).family();
  if (!match.isEmpty() && QFontDatabase::hasFamily(match)) return match.toStdString();
  std::vector<std::string> installed;
  for (const QString& f : QFontDatabase::families()) installed.push_back(f.toStdString());
  return PickNearestFont(name, installed);
}

bool SetPrinterOrientationColor(QPrinter& printer, QPageLayout::Orientation orientation,
                                bool farbig) {
  if (!printer.isValid()) return false;
  const bool ok = printer.setPageOrientation(orientation);
  printer.setColorMode(farbig ? QPrinter::Color : QPrinter::GrayScale);
  return ok;
}

SettingsEnv QtSettingsEnv() {
  SettingsEnv env;
  env.PickFont = PickInstalledFont;
  env.DruckerSpaeter = true;
  return env;
}

const std::string& ChosenPrinter(TavState& g) {
  if (g.settings.DruckerOffen) {
    SettingsEnv env;
    for (const QString& p : QPrinterInfo::availablePrinterNames()) env.Drucker.push_back(p.toStdString());
    env.AktuellerDrucker = QPrinterInfo::defaultPrinterName().toStdString();
    ResolvePrinter(g.settings, env);
  }
  return g.settings.Drucker;
}

void SetToolButtonText(QAbstractButton* button, const std::string& caption,
                       const std::string& hint) {
  const QString text = QString::fromStdString(caption);
  QFont font = button->font();
  font.setPointSize(text.size() > 12 ? 7 : 8);
  button->setFont(font);
  button->setText(text);
  button->setToolTip(QString::fromStdString(hint));
  button->adjustSize();
}

namespace {

// The size a window will have when it shows: the size it was given, or the one Qt gave it as
// it began to show; before that, for one its layout sizes, what Qt makes of the size hint (at
// most two thirds of the screen); never below the minimum the layout sets.
QSize GroesseBeimZeigen(QWidget* window) {
  if (QLayout* l = window->layout()) l->activate();
  QSize s = window->size();
  if (!window->testAttribute(Qt::WA_Resized) && !window->isVisible()) {
    s = window->sizeHint();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      s = s.boundedTo(screen->geometry().size() * 2 / 3);
  }
  return s.expandedTo(window->minimumSize());
}

}  // namespace

TFensterPos PlacementOf(const QWidget* window) {
  const QRect g = window->isMaximized() ? window->normalGeometry() : window->geometry();
  const auto small = [](int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
  };
  return {window->isMaximized(), small(g.height()), small(g.x()), small(g.y()), small(g.width())};
}

QRect OntoScreen(const QRect& rect) {
  const QScreen* best = nullptr;
  long long bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    if (area.contains(rect)) return rect;
    const QRect common = area.intersected(rect);
    const long long a = static_cast<long long>(common.width()) * common.height();
    if (a > bestArea) {
      bestArea = a;
      best = screen;
    }
  }
  if (!best) best = QGuiApplication::primaryScreen();
  if (!best) return rect;
  const QRect area = best->availableGeometry();
  QRect g(rect.topLeft(), rect.size().boundedTo(area.size()));
  g.moveLeft(std::clamp(g.left(), area.left(), area.right() + 1 - g.width()));
  g.moveTop(std::clamp(g.top(), area.top(), area.bottom() + 1 - g.height()));
  return g;
}

void RestorePlacement(QWidget* window, const TFensterPos& pos) {
  const QRect g(pos.Links, pos.Oben, std::max<int>(pos.Breite, 100), std::max<int>(pos.Hoehe, 100));
  window->setGeometry(OntoScreen(g));
  if (pos.Maximiert) window->showMaximized();
}

namespace {

// Where the placement put a window's frame, and the client origin Qt gave it then.
constexpr const char* kGesetzterRahmen = "tavGesetzterRahmen";
constexpr const char* kGesetzterKlient = "tavGesetzterKlient";
// Where a window's opener put its frame for this opening (true: placed otherwise), from the
// placement until the window hides.
constexpr const char* kPlatziert = "tavPlatziert";

FrameMarginsSource& RahmenQuelle() {
  static FrameMarginsSource quelle;
  return quelle;
}

// The window manager's word on the frame, asked of the platform window each time (its
// answer is current, unlike the widget's cached frame).
std::optional<QMargins> GemeldeterRahmen(const QWidget* window) {
  if (RahmenQuelle()) return RahmenQuelle()(window);
  const QWindow* handle = window->windowHandle();
  if (!handle || !window->isVisible()) return std::nullopt;
  const QMargins m = handle->frameMargins();
  if (m.isNull()) return std::nullopt;
  return m;
}

// Puts the window's frame at Frame and remembers it, so that FrameOrigin gives Frame back
// while the window stands there.
void SetzeRahmen(QWidget* window, QPoint frame) {
  window->move(frame);
  // A window made but never framed yet has no frame Qt knows of: move() then puts its client
  // there and the window manager adds the title bar above it. Its platform window is told the
  // frame's place instead (as a window not yet made is), and so once more by the dialog place
  // rule after any later resize before it shows.
  if (QWindow* handle = window->windowHandle();
      handle && !handle->isVisible() && window->frameGeometry() == window->geometry()) {
    // Its own size first: a platform window of another size is given the widget's geometry
    // again as it shows, and with it the client's place.
    handle->resize(window->size());
    handle->setFramePosition(frame);
  }
  window->setProperty(kGesetzterRahmen, frame);
  window->setProperty(kGesetzterKlient, window->geometry().topLeft());
  window->setProperty(kPlatziert, frame);
}

// The dialog place rule, for every dialog as it shows: one its opener placed for this
// opening stays there (told again to a window not framed yet, whose own show handling may
// have resized it since); any other opens centred over the main window, measured as it is
// after its own show handling, so every opening lands on the same place.
class DialogPlatz : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() != QEvent::Show && ev->type() != QEvent::Hide) return false;
    auto* dialog = qobject_cast<QDialog*>(obj);
    if (!dialog || !dialog->isWindow()) return false;
    if (ev->type() == QEvent::Hide) {
      dialog->setProperty(kPlatziert, QVariant());
      return false;
    }
    // The dialog's own show handling first (texts, sizes, its own placement), and the layouts
    // it left to settle, then the rule. (Filters on the dialog itself do not see its Show.)
    static_cast<QObject*>(dialog)->event(ev);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // A dialog its layout sizes was sized by Qt before its show handling set its texts: at
    // a first opening by the texts it was built with. Sized again by the texts it shows, it
    // has the size of every later opening.
    if (!dialog->testAttribute(Qt::WA_Resized)) {
      dialog->adjustSize();
      dialog->setAttribute(Qt::WA_Resized, false);
    }
    const QVariant platz = dialog->property(kPlatziert);
    if (platz.typeId() == QMetaType::QPoint) SetzeRahmen(dialog, platz.toPoint());
    else if (!platz.isValid()) CentreOverMainWindow(dialog);
    return true;
  }
};

}  // namespace

void SetFrameMarginsSource(FrameMarginsSource source) { RahmenQuelle() = std::move(source); }

QPoint FrameOrigin(const QWidget* window) {
  const QVariant rahmen = window->property(kGesetzterRahmen);
  const QPoint klient = window->geometry().topLeft();
  if (rahmen.isValid() && window->property(kGesetzterKlient).toPoint() == klient) return rahmen.toPoint();
  if (const std::optional<QMargins> m = GemeldeterRahmen(window))
    return klient - QPoint(m->left(), m->top());
  if (rahmen.isValid()) return rahmen.toPoint();
  return window->pos();
}

void CentreOverMainWindow(QWidget* window, const QWidget* over) {
  if (!over) {
    for (const QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "Hauptmenu" && w->isVisible()) over = w;
  }
  QRect bereich;
  if (over) {
    bereich = over->window()->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    bereich = screen->availableGeometry();
  }
  if (!bereich.isValid()) return;
  // The window's own size, without the frame (which a window shown before has and a new one
  // has not yet), so every opening lands on the same place.
  QRect g(QPoint(0, 0), GroesseBeimZeigen(window));
  g.moveCenter(bereich.center());
  SetzeRahmen(window, OntoScreen(g).topLeft());
}

TFensterPos PositionOf(const QWidget* window) {
  const auto small = [](int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
  };
  const QPoint frame = FrameOrigin(window);  // the frame's top left, as move() takes it
  return {false, small(window->height()), small(frame.x()), small(frame.y()), small(window->width())};
}

void RestorePosition(QWidget* window, const TFensterPos& pos) {
  // The size it will show in (pages shown or hidden since count), with the frame it had.
  const QSize rahmen = window->frameGeometry().size() - window->size();
  SetzeRahmen(window, OntoScreen(QRect(QPoint(pos.Links, pos.Oben), GroesseBeimZeigen(window) + rahmen)).topLeft());
}

void PlaceFrameAt(QWidget* window, QPoint frame) { SetzeRahmen(window, frame); }

void MarkPlaced(QWidget* window) { window->setProperty(kPlatziert, true); }

void CentreOnDesktop(QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect g(QPoint(0, 0), GroesseBeimZeigen(window));
  g.moveCenter(screen->availableGeometry().center());
  SetzeRahmen(window, OntoScreen(g).topLeft());
}

void InstallDialogPlaces() {
  static QPointer<DialogPlatz> regel;
  if (!regel && qApp) {
    regel = new DialogPlatz(qApp);
    qApp->installEventFilter(regel);
  }
}

void PlaceKeptDialog(QWidget* dialog, const TFensterPos& pos) {
  // Deliberate: every dialog takes the shared place by its top left, the location and
  // collector dialogs too (not aligned by the stored height), because with the plant dialog
  // and the editors keeping their top, dialogs of other heights that take turns would walk
  // up or down the screen by the difference at every change.
  if (pos.Links != 0 || pos.Oben != 0) RestorePosition(dialog, pos);
  else CentreOverMainWindow(dialog);
}

QString DialogTitle(const QString& caption) {
  QString titel;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (i + 1 < caption.size() && caption[i + 1] == u'&') titel += caption[++i];
      continue;
    }
    titel += caption[i];
  }
  return titel;
}

void SetFixedDialogFrame(QWidget* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

int TitleBarWidth(const QString& title) {
  // Title bars draw a bold font of the window manager's own, often wider than the program's
  // (openbox's bold "sans" runs about a tenth wider here), beside the window icon and up to
  // three buttons, which the manager may draw even where they do nothing; each takes about
  // a title-bar height and its padding.
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics fm(font);
  return fm.horizontalAdvance(title) * 6 / 5 + 4 * (fm.height() + 10) + 16;
}

void FixDialogSize(QWidget* dialog, QSize size) {
  if (!size.isValid()) {
    if (QLayout* l = dialog->layout()) l->activate();
    size = dialog->sizeHint().expandedTo(dialog->minimumSizeHint());
  }
  size.setWidth(std::max(size.width(), TitleBarWidth(dialog->windowTitle())));
  dialog->setFixedSize(size);
}

std::uint16_t UserPrimaryLangID() {
  switch (QLocale::system().language()) {
    case QLocale::German: return 0x07;
    case QLocale::English: return 0x09;
    case QLocale::Danish: return 0x06;
    case QLocale::Spanish: return 0x0A;
    case QLocale::French: return 0x0C;
    case QLocale::Italian: return 0x10;
    case QLocale::Dutch: return 0x13;
    case QLocale::Polish: return 0x15;
    case QLocale::Romanian: return 0x18;
    case QLocale::Slovenian: return 0x24;
    case QLocale::Swedish: return 0x1D;
    case QLocale::Hungarian: return 0x0E;
    case QLocale::Finnish: return 0x0B;
    case QLocale::Czech: return 0x05;
    default: return 0;
  }
}

bool SetQtLanguage(const std::string& code) {
  static QTranslator* uebersetzung = nullptr;
  if (uebersetzung) {
    QCoreApplication::removeTranslator(uebersetzung);
    delete uebersetzung;
    uebersetzung = nullptr;
  }
  if (code.empty() || code == "en") return false;
  auto neu = std::make_unique<QTranslator>();
  if (!neu->load(QLocale(QString::fromStdString(code)), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  uebersetzung = neu.release();
  QCoreApplication::installTranslator(uebersetzung);
  return true;
}

}  // namespace tav
