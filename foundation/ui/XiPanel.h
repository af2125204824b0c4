#pragma once
// TXiPanel: the background panel of the program's dialogs. It paints its area with a
// two-colour gradient, its caption, and bevel frames in a light and a dark colour; colour
// schemes give the four colours at once.

#include <QColor>
#include <QWidget>
#include <array>

class QPainter;

namespace tav {

enum TFillDirection { fdHorizontal, fdVertical, fdDiagonal };

// Colour of line Line (0-based) of a gradient of Lines lines going from Face at the first line
// to Grad at the last; each component rounded and capped at 255. A gradient of one line (or
// none) is Face.
QColor GradientLineColor(const QColor& face, const QColor& grad, int line, int lines);

class TXiPanel : public QWidget {
  Q_OBJECT
 public:
  enum TColorScheme { csCustom, csDesert, csGrass, csSilver, csSky, csRose, csSun };
  // Indices of the colour setter.
  enum TColorIndex { ciFace = 0, ciGrad = 1, ciLight = 2, ciDark = 3 };
  enum TBevel { bvNone, bvLowered, bvRaised };

  explicit TXiPanel(QWidget* parent = nullptr);

  QColor ColorFace() const { return colors_[ciFace]; }
  QColor ColorGrad() const { return colors_[ciGrad]; }
  QColor ColorLight() const { return colors_[ciLight]; }
  QColor ColorDark() const { return colors_[ciDark]; }
  // Stores one of the four colours; the scheme becomes csCustom.
  void SetColor(int index, const QColor& color);

  TColorScheme ColorScheme() const { return scheme_; }
  // Loads the scheme's four colours (csCustom keeps the colours set).
  void SetColorScheme(TColorScheme scheme);

  TFillDirection FillDirection() const { return direction_; }
  void SetFillDirection(TFillDirection direction);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  Qt::Alignment Alignment() const { return alignment_; }
  void SetAlignment(Qt::Alignment alignment);
  TBevel BevelOuter() const { return bevelOuter_; }
  TBevel BevelInner() const { return bevelInner_; }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevels(TBevel outer, TBevel inner, int width);

  // The four colours of a scheme (face, gradient, light, dark); csCustom has none.
  static std::array<QColor, 4> SchemeColors(TColorScheme scheme);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<QColor, 4> colors_;
  TColorScheme scheme_ = csCustom;
  TFillDirection direction_ = fdVertical;
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignHCenter;
  TBevel bevelOuter_ = bvRaised;
  TBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
};

// Fills Rect line by line with the gradient from Face to Grad in Direction.
void PaintGradient(QPainter& painter, const QRect& rect, const QColor& face, const QColor& grad,
                   TFillDirection direction);

}  // namespace tav
