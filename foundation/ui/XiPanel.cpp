#include "foundation/ui/XiPanel.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tav {

namespace {

int LineComponent(int from, int to, int line, int lines) {
  // One line (or none) has nothing to go towards: it keeps the start colour.
  if (lines <= 1) return from;
  const double v = from + (to - from) * double(line) / double(lines - 1);
  return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

}  // namespace

QColor GradientLineColor(const QColor& face, const QColor& grad, int line, int lines) {
  return QColor(LineComponent(face.red(), grad.red(), line, lines),
                LineComponent(face.green(), grad.green(), line, lines),
                LineComponent(face.blue(), grad.blue(), line, lines));
}

void PaintGradient(QPainter& painter, const QRect& rect, const QColor& face, const QColor& grad,
                   TFillDirection direction) {
  if (rect.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int w = rect.width();
  const int h = rect.height();
  if (face == grad) {
    painter.fillRect(rect, face);
  } else if (direction == fdHorizontal) {
    for (int x = 0; x < w; ++x) {
      painter.setPen(GradientLineColor(face, grad, x, w));
      painter.drawLine(rect.left() + x, rect.top(), rect.left() + x, rect.bottom());
    }
  } else if (direction == fdVertical) {
    for (int y = 0; y < h; ++y) {
      painter.setPen(GradientLineColor(face, grad, y, h));
      painter.drawLine(rect.left(), rect.top() + y, rect.right(), rect.top() + y);
    }
  } else {
    // Slanted lines x + y = k from the top-left corner to the bottom-right one.
    painter.setClipRect(rect);
    const int lines = w + h - 1;
    for (int k = 0; k < lines; ++k) {
      painter.setPen(GradientLineColor(face, grad, k, lines));
      painter.drawLine(rect.left() + k, rect.top(), rect.left() + k - (h - 1), rect.bottom());
    }
  }
  painter.restore();
}

std::array<QColor, 4> TXiPanel::SchemeColors(TColorScheme scheme) {
  const QColor white(255, 255, 255);
  switch (scheme) {
    case csDesert: return {white, QColor(255, 225, 164), QColor(213, 143, 0), QColor(155, 105, 0)};
    case csGrass: return {white, QColor(203, 242, 176), QColor(106, 181, 62), QColor(55, 111, 21)};
    case csSilver: return {white, QColor(222, 224, 218), QColor(125, 125, 125), QColor(98, 98, 98)};
    case csSky: return {white, QColor(193, 224, 255), QColor(77, 150, 240), QColor(0, 89, 179)};
    case csRose: return {white, QColor(255, 204, 204), QColor(204, 81, 6), QColor(157, 0, 0)};
    case csSun: return {white, QColor(255, 255, 191), QColor(149, 149, 0), QColor(100, 100, 0)};
    case csCustom: break;
  }
  return {};
}

TXiPanel::TXiPanel(QWidget* parent) : QWidget(parent) {
  colors_[ciDark] = QColor(0, 0, 0);
  colors_[ciLight] = QColor(192, 192, 192);
  direction_ = fdVertical;
  SetColorScheme(csDesert);
}

void TXiPanel::SetColor(int index, const QColor& color) {
  if (index < 0 || index >= static_cast<int>(colors_.size())) return;
  colors_[static_cast<std::size_t>(index)] = color;
  scheme_ = csCustom;
  update();
}

void TXiPanel::SetColorScheme(TColorScheme scheme) {
  scheme_ = scheme;
  if (scheme != csCustom) colors_ = SchemeColors(scheme);
  update();
}

void TXiPanel::SetFillDirection(TFillDirection direction) {
  direction_ = direction;
  update();
}

void TXiPanel::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TXiPanel::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void TXiPanel::SetBevels(TBevel outer, TBevel inner, int width) {
  bevelOuter_ = outer;
  bevelInner_ = inner;
  bevelWidth_ = std::max(width, 0);
  update();
}

void TXiPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect r = rect();
  PaintGradient(painter, r, colors_[ciFace], colors_[ciGrad], direction_);

  if (!caption_.isEmpty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    const Qt::Alignment horizontal = alignment_ & Qt::AlignHorizontal_Mask;
    painter.drawText(r, static_cast<int>((horizontal ? horizontal : Qt::AlignHCenter) |
                                         Qt::AlignVCenter),
                     caption_);
  }

  // One frame per pixel of the bevel width, each inset by one pixel; a raised bevel is
  // light at the top and left, a lowered one at the bottom and right.
  for (TBevel bevel : {bevelOuter_, bevelInner_}) {
    if (bevel == bvNone) continue;
    const QColor topLeft = bevel == bvRaised ? colors_[ciLight] : colors_[ciDark];
    const QColor bottomRight = bevel == bvRaised ? colors_[ciDark] : colors_[ciLight];
    for (int i = 0; i < bevelWidth_ && r.width() > 0 && r.height() > 0; ++i) {
      painter.setPen(topLeft);
      painter.drawLine(r.topLeft(), r.topRight());
      painter.drawLine(r.topLeft(), r.bottomLeft());
      painter.setPen(bottomRight);
      painter.drawLine(r.bottomLeft(), r.bottomRight());
      painter.drawLine(r.topRight(), r.bottomRight());
      r.adjust(1, 1, -1, -1);
    }
  }
}

}  // namespace tav
