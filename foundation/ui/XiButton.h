#pragma once
// TXiButton: the program's gradient push button. It paints its face with a vertical
// gradient, a border, 3D edges, an optional glyph and its caption, in separate colour sets
// for the normal, hot (mouse over), pressed and disabled states. A click closes its dialog
// with ModalResult when that is not 0.

#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <array>

class QShortcut;

namespace tav {

class TXiButton : public QPushButton {
  Q_OBJECT
 public:
  enum TColorScheme {
    csNeoDesert, csNeoSky, csNeoGrass, csNeoSilver, csNeoRose, csNeoSun,
    csDesert, csGrass, csSky, csSun, csRose, csSilver, csCustom,
  };
  enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
  // Visual state; a disabled button is drawn in the disabled set whatever its state.
  enum TVisualState { vsNormal = 0, vsHot = 1, vsPressed = 2 };
  // The 25 colours: six per state (normal 0, hot 6, pressed 12, disabled 18), then the
  // focus rectangle.
  enum TColorIndex {
    ciFace = 0, ciGrad = 1, ciDark = 2, ciLight = 3, ciBorder = 4, ciText = 5,
    ciOver = 6, ciDown = 12, ciDisabled = 18, ciFocusRect = 24,
  };
  static constexpr int kColorCount = 25;
  using TColors = std::array<QColor, kColorCount>;

  explicit TXiButton(QWidget* parent = nullptr);
  TXiButton(const QString& caption, QWidget* parent = nullptr);

  // The dialog's result when this button is clicked; 0 leaves the dialog open.
  int ModalResult = 0;

  QColor Color(int index) const { return colors_.at(static_cast<std::size_t>(index)); }
  // Stores one of the 25 colours; the scheme becomes csCustom.
  void SetColor(int index, const QColor& color);
  TColorScheme ColorScheme() const { return scheme_; }
  // Loads the scheme's 25 colours and turns the gradient on (csCustom keeps the colours).
  void SetColorScheme(TColorScheme scheme);
  static TColors SchemeColors(TColorScheme scheme);

  bool Gradient() const { return gradient_; }
  void SetGradient(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  const QPixmap& Glyph() const { return glyph_; }
  void SetGlyph(const QPixmap& glyph);
  int Spacing() const { return spacing_; }
  void SetSpacing(int pixels);
  bool TransparentGlyph() const { return transparentGlyph_; }
  void SetTransparentGlyph(bool on);
  // Escape clicks a cancel button of its window.
  bool Cancel() const { return cancelShortcut_ != nullptr; }
  void SetCancel(bool on);

  TVisualState VisualState() const { return state_; }
  // First index of the colour set the button is drawn in now.
  int ActiveColorSet() const;
  static int ColorSetFor(bool enabled, TVisualState state);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void SetState(TVisualState state);
  void Clicked();

  TColors colors_{};
  TColorScheme scheme_ = csCustom;
  bool gradient_ = true;
  bool hotTrack_ = true;
  bool ctl3D_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  QPixmap glyph_;
  int spacing_ = 4;
  bool transparentGlyph_ = true;
  TVisualState state_ = vsNormal;
  QShortcut* cancelShortcut_ = nullptr;
};

}  // namespace tav
