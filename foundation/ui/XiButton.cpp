#include "foundation/ui/XiButton.h"

#include <QDialog>
#include <QEnterEvent>
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>

#include "foundation/ui/XiPanel.h"

namespace tav {

namespace {

using TColors = TXiButton::TColors;

// The model scheme; the other neo schemes are its colours in their own hue.
const TColors& NeoDesert() {
  static const TColors c = {
      QColor(255, 236, 198), QColor(255, 190, 55),  QColor(232, 156, 0),   QColor(255, 231, 185),
      QColor(128, 86, 0),    QColor(0, 0, 0),       QColor(255, 231, 179), QColor(240, 163, 0),
      QColor(210, 142, 0),   QColor(255, 218, 149), QColor(128, 86, 0),    QColor(0, 0, 0),
      QColor(255, 186, 43),  QColor(255, 210, 119), QColor(255, 217, 138), QColor(183, 119, 0),
      QColor(166, 112, 0),   QColor(0, 0, 0),       QColor(238, 238, 238), QColor(255, 255, 255),
      QColor(210, 210, 210), QColor(255, 255, 255), QColor(128, 128, 128), QColor(128, 128, 128),
      QColor(255, 128, 64)};
  return c;
}
constexpr int kNeoDesertHue = 40;

// The disabled set, the same in every scheme.
void SetDisabled(TColors& c) {
  const TColors& d = NeoDesert();
  for (int i = TXiButton::ciDisabled; i < TXiButton::ciDisabled + 6; ++i)
    c[static_cast<std::size_t>(i)] = d[static_cast<std::size_t>(i)];
}

// The neo-desert colours turned to Hue (a negative hue: grey).
TColors NeoInHue(int hue) {
  TColors c = NeoDesert();
  for (int i = 0; i < TXiButton::kColorCount; ++i) {
    if (i >= TXiButton::ciDisabled && i < TXiButton::ciFocusRect) continue;
    QColor& col = c[static_cast<std::size_t>(i)];
    int h, s, v;
    col.getHsv(&h, &s, &v);
    if (h < 0) continue;  // black text stays black
    if (hue < 0)
      col = QColor::fromHsv(0, 0, v * 9 / 10 + s / 12);
    else
      col = QColor::fromHsv((h - kNeoDesertHue + hue + 360) % 360, s, v);
  }
  return c;
}

QColor Mix(const QColor& a, const QColor& b) {
  return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// The plain schemes take the colours of the panel scheme of the same name.
TColors FromPanel(TXiPanel::TColorScheme scheme) {
  const auto p = TXiPanel::SchemeColors(scheme);
  const QColor face = p[TXiPanel::ciFace], grad = p[TXiPanel::ciGrad];
  const QColor light = p[TXiPanel::ciLight], dark = p[TXiPanel::ciDark];
  const QColor white(255, 255, 255), black(0, 0, 0);
  TColors c = {face, grad, dark, white, dark, black,
               grad, white, light, white, dark, black,
               grad, Mix(grad, light), white, dark, dark, black};
  c[TXiButton::ciFocusRect] = light;
  SetDisabled(c);
  return c;
}

}  // namespace

TColors TXiButton::SchemeColors(TColorScheme scheme) {
  switch (scheme) {
    case csNeoDesert: return NeoDesert();
    case csNeoSky: return NeoInHue(210);
    case csNeoGrass: return NeoInHue(95);
    case csNeoSilver: return NeoInHue(-1);
    case csNeoRose: return NeoInHue(350);
    case csNeoSun: return NeoInHue(58);
    case csDesert: return FromPanel(TXiPanel::csDesert);
    case csGrass: return FromPanel(TXiPanel::csGrass);
    case csSky: return FromPanel(TXiPanel::csSky);
    case csSun: return FromPanel(TXiPanel::csSun);
    case csRose: return FromPanel(TXiPanel::csRose);
    case csSilver: return FromPanel(TXiPanel::csSilver);
    case csCustom: break;
  }
  return {};
}

TXiButton::TXiButton(QWidget* parent) : QPushButton(parent) {
  resize(75, 25);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
  SetColorScheme(csNeoDesert);
  // The hot, pressed and disabled faces run to white, the scheme staying what it is.
  colors_[ciOver + ciGrad] = colors_[ciDown + ciGrad] = colors_[ciDisabled + ciGrad] =
      QColor(255, 255, 255);
  connect(this, &QPushButton::clicked, this, &TXiButton::Clicked);
}

TXiButton::TXiButton(const QString& caption, QWidget* parent) : TXiButton(parent) {
  setText(caption);
}

void TXiButton::Clicked() {
  SetState(vsNormal);
  if (ModalResult == 0) return;
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* d = qobject_cast<QDialog*>(w)) {
      d->done(ModalResult);
      return;
    }
}

void TXiButton::SetColor(int index, const QColor& color) {
  if (index < 0 || index >= kColorCount) return;
  colors_[static_cast<std::size_t>(index)] = color;
  scheme_ = csCustom;
  update();
}

void TXiButton::SetColorScheme(TColorScheme scheme) {
  scheme_ = scheme;
  if (scheme != csCustom) {
    colors_ = SchemeColors(scheme);
    gradient_ = true;
  }
  update();
}

void TXiButton::SetGradient(bool on) { gradient_ = on; update(); }
void TXiButton::SetHotTrack(bool on) { hotTrack_ = on; update(); }
void TXiButton::SetCtl3D(bool on) { ctl3D_ = on; update(); }
void TXiButton::SetLayout(TButtonLayout layout) { layout_ = layout; update(); }
void TXiButton::SetGlyph(const QPixmap& glyph) { glyph_ = glyph; update(); }
void TXiButton::SetSpacing(int pixels) { spacing_ = pixels; update(); }
void TXiButton::SetTransparentGlyph(bool on) { transparentGlyph_ = on; update(); }

void TXiButton::SetCancel(bool on) {
  if (on == Cancel()) return;
  if (on) {
    cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelShortcut_->setContext(Qt::WindowShortcut);
    connect(cancelShortcut_, &QShortcut::activated, this, [this] {
      if (isEnabled() && isVisible()) click();
    });
  } else {
    delete cancelShortcut_;
    cancelShortcut_ = nullptr;
  }
}

int TXiButton::ColorSetFor(bool enabled, TVisualState state) {
  return enabled ? static_cast<int>(state) * 6 : ciDisabled;
}

int TXiButton::ActiveColorSet() const { return ColorSetFor(isEnabled(), state_); }

QSize TXiButton::sizeHint() const {
  const QFontMetrics fm(font());
  QSize text(fm.horizontalAdvance(QString(this->text()).remove('&')), fm.height());
  if (!glyph_.isNull()) {
    const bool beside = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    text = beside ? QSize(text.width() + spacing_ + glyph_.width(),
                          std::max(text.height(), glyph_.height()))
                  : QSize(std::max(text.width(), glyph_.width()),
                          text.height() + spacing_ + glyph_.height());
  }
  return QSize(std::max(75, text.width() + 16), std::max(25, text.height() + 10));
}

void TXiButton::SetState(TVisualState state) {
  if (state_ == state) return;
  state_ = state;
  update();
}

void TXiButton::enterEvent(QEnterEvent* event) {
  if (hotTrack_) SetState(vsHot);
  QPushButton::enterEvent(event);
}

void TXiButton::leaveEvent(QEvent* event) {
  SetState(vsNormal);
  QPushButton::leaveEvent(event);
}

void TXiButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    setFocus(Qt::MouseFocusReason);
    SetState(vsPressed);
  }
  QPushButton::mousePressEvent(event);
}

void TXiButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const bool inside = rect().contains(event->position().toPoint());
    SetState(inside && hotTrack_ ? vsHot : vsNormal);
  }
  QPushButton::mouseReleaseEvent(event);
}

void TXiButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) SetState(vsPressed);
  // Return clicks the focused button, as Space released does.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void TXiButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
    SetState(underMouse() && hotTrack_ ? vsHot : vsNormal);
  QPushButton::keyReleaseEvent(event);
}

void TXiButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int set = ActiveColorSet();
  auto col = [&](int i) { return colors_[static_cast<std::size_t>(set + i)]; };
  QRect r = rect();
  painter.fillRect(r, col(ciFace));
  if (gradient_) PaintGradient(painter, r, col(ciFace), col(ciGrad), fdVertical);

  // Border, then the 3D edges inside it; a pressed button's set has its edges exchanged.
  painter.setPen(col(ciBorder));
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  if (ctl3D_ && r.width() > 2 && r.height() > 2) {
    const QRect e = r.adjusted(1, 1, -2, -2);
    painter.setPen(col(ciLight));
    painter.drawLine(e.topLeft(), e.topRight());
    painter.drawLine(e.topLeft(), e.bottomLeft());
    painter.setPen(col(ciDark));
    painter.drawLine(e.bottomLeft(), e.bottomRight());
    painter.drawLine(e.topRight(), e.bottomRight());
  }

  // Glyph and caption as one group in the middle, the glyph on its side.
  const QString caption = text();
  const QFontMetrics fm(font());
  const QSize textSize(fm.horizontalAdvance(QString(caption).remove('&')), fm.height());
  QSize glyphSize = glyph_.isNull() ? QSize() : glyph_.deviceIndependentSize().toSize();
  const int gap = glyph_.isNull() || caption.isEmpty() ? 0 : spacing_;
  const bool beside = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  const QSize group = beside ? QSize(glyphSize.width() + gap + textSize.width(),
                                     std::max(glyphSize.height(), textSize.height()))
                             : QSize(std::max(glyphSize.width(), textSize.width()),
                                     glyphSize.height() + gap + textSize.height());
  const QPoint origin((width() - group.width()) / 2, (height() - group.height()) / 2);
  QRect glyphRect, textRect;
  switch (layout_) {
    case blGlyphLeft:
      glyphRect = QRect(origin.x(), origin.y() + (group.height() - glyphSize.height()) / 2,
                        glyphSize.width(), glyphSize.height());
      textRect = QRect(origin.x() + glyphSize.width() + gap,
                       origin.y() + (group.height() - textSize.height()) / 2, textSize.width(),
                       textSize.height());
      break;
    case blGlyphRight:
      textRect = QRect(origin.x(), origin.y() + (group.height() - textSize.height()) / 2,
                       textSize.width(), textSize.height());
      glyphRect = QRect(origin.x() + textSize.width() + gap,
                        origin.y() + (group.height() - glyphSize.height()) / 2,
                        glyphSize.width(), glyphSize.height());
      break;
    case blGlyphTop:
      glyphRect = QRect(origin.x() + (group.width() - glyphSize.width()) / 2, origin.y(),
                        glyphSize.width(), glyphSize.height());
      textRect = QRect(origin.x() + (group.width() - textSize.width()) / 2,
                       origin.y() + glyphSize.height() + gap, textSize.width(), textSize.height());
      break;
    case blGlyphBottom:
      textRect = QRect(origin.x() + (group.width() - textSize.width()) / 2, origin.y(),
                       textSize.width(), textSize.height());
      glyphRect = QRect(origin.x() + (group.width() - glyphSize.width()) / 2,
                        origin.y() + textSize.height() + gap, glyphSize.width(),
                        glyphSize.height());
      break;
  }
  if (!glyph_.isNull()) {
    QPixmap g = glyph_;
    // A transparent glyph leaves out its background: the colour of its bottom-left pixel.
    if (transparentGlyph_ && !g.hasAlphaChannel()) {
      const QImage image = g.toImage();
      g.setMask(QBitmap::fromImage(
          image.createMaskFromColor(image.pixel(0, image.height() - 1), Qt::MaskInColor)));
    }
    if (!isEnabled())
      g = style()->generatedIconPixmap(QIcon::Disabled, g, nullptr);
    painter.drawPixmap(glyphRect, g);
  }
  if (!caption.isEmpty()) {
    painter.setPen(col(ciText));
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
  }

  if (hasFocus()) {
    QPen pen(colors_[ciFocusRect]);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(r.adjusted(3, 3, -4, -4));
  }
}

}  // namespace tav
