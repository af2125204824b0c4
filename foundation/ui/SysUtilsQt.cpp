#include "foundation/ui/SysUtilsQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QGuiApplication>
#include <QWidget>
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
  QSize groesse = window->frameGeometry().size();
  if (!window->testAttribute(Qt::WA_Resized)) groesse = window->sizeHint().expandedTo(window->minimumSize());
  QRect g(QPoint(0, 0), groesse);
  g.moveCenter(bereich.center());
  window->move(OntoScreen(g).topLeft());
}

TFensterPos PositionOf(const QWidget* window) {
  const auto small = [](int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
  };
  const QPoint frame = window->pos();  // the frame's top left, as move() takes it
  return {false, small(window->height()), small(frame.x()), small(frame.y()), small(window->width())};
}

void RestorePosition(QWidget* window, const TFensterPos& pos) {
  // The frame's size as last shown, or the size the layout asks for now when that is more
  // (pages shown or hidden since).
  const QSize groesse = window->frameGeometry().size().expandedTo(window->sizeHint()).expandedTo(
      window->minimumSize());
  window->move(OntoScreen(QRect(QPoint(pos.Links, pos.Oben), groesse)).topLeft());
}

void SetFixedDialogFrame(QWidget* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

int TitleBarWidth(const QString& title) {
  // Title bars draw a bold system font; the window icon and the close button take about
  // three title-bar heights.
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics fm(font);
  return fm.horizontalAdvance(title) + 3 * (fm.height() + 16);
}

void FitWidthToTitle(QWidget* dialog) {
  const int least = TitleBarWidth(dialog->windowTitle());
  if (dialog->minimumWidth() < least) dialog->setMinimumWidth(least);
  if (dialog->width() < least) dialog->resize(least, dialog->height());
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
