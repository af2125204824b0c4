#include "app/FormSplash.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {
const char* const kEditionLine = "- Kelbrand -  Helmark";
const QColor kLabelGrund(0xD6, 0xDA, 0xDB);
}  // namespace

FormSplash::FormSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("FormSplash");
  setWindowTitle("Tavrel");
  const QImage& bild = LoadResBitmap("SPLASH", ResTyp::Jpeg);
  // At least the 250 x 250 the labels are laid out for.
  const QSize groesse = bild.deviceIndependentSize().toSize().expandedTo(QSize(250, 250));
  setFixedSize(groesse);

  ImageStartF = new QLabel(this);
  ImageStartF->setObjectName("ImageStartF");
  ImageStartF->setGeometry(rect());
  ImageStartF->setScaledContents(true);
  ImageStartF->setPixmap(QPixmap::fromImage(bild));

  const auto beschriftung = [&](const char* name, const QColor& schrift) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, kLabelGrund);
    p.setColor(QPalette::WindowText, schrift);
    l->setPalette(p);
    l->setContentsMargins(4, 1, 4, 1);
    return l;
  };
  // The edition line at the left, the progress at the right of the same row, both near the
  // bottom of the picture where they cover none of it that matters.
  Label2 = beschriftung("Label2", Qt::red);
  Label2->setText(kEditionLine);
  Label2->adjustSize();
  const int zeile = height() - Label2->height() - 12;
  Label2->move(12, zeile);
  // The progress in lime, "10%" until the first progress text comes.
  Label1 = beschriftung("Label1", QColor(0x00, 0xFF, 0x00));
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label1->setText("100%");
  Label1->adjustSize();
  Label1->setFixedWidth(Label1->width() + 8);
  Label1->move(width() - Label1->width() - 12, zeile);
  Label1->setText("10%");

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void FormSplash::Progress(const std::string& text) {
  Label1->setText(QString::fromStdString(text));
  Repaint();
}

void FormSplash::Status(const std::string&) {}

void FormSplash::Busy(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void FormSplash::Pause(int ms) { StatusPause(ms); }

void FormSplash::Repaint() {
  if (!isVisible()) return;
  repaint();
  // Painting only: no click or key reaches a window before the start-up is done.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tav
