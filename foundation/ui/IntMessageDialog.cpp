#include "foundation/ui/IntMessageDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <vector>

#include "foundation/TextTable.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/XiButton.h"
#include "foundation/ui/XiPanel.h"

namespace tav {

namespace {

constexpr int kMinButtonWidth = 75;
constexpr int kMinClientWidth = 250;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 640;

// Captions of the buttons in the order of the button set.
constexpr TX kCaptions[] = {TX::BtnYes,   TX::BtnNo,     TX::ButtonOK,   TX::ButtonCancel,
                            TX::BtnAbort, TX::BtnRetry,  TX::BtnIgnore,  TX::BtnAll,
                            TX::BtnNoToAll, TX::BtnYesToAll, TX::BtnHelp};
constexpr const char* kButtonNames[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                        "Ignore", "All", "NoToAll", "YesToAll", "Help"};

}  // namespace

TFormIntMessageDialog::TFormIntMessageDialog(const std::string& msg, TMsgDlgType type,
                                             TMsgDlgButtons buttons, QWidget* parent,
                                             const std::string& caption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("FormIntMessageDialog");
  QFont font("Arial");
  font.setPixelSize(11);
  setFont(font);
  Compose(msg, type, buttons, caption);
}

void TFormIntMessageDialog::Compose(const std::string& msg, TMsgDlgType type,
                                    TMsgDlgButtons buttons, const std::string& caption) {
  static constexpr TX titles[] = {TX::DlgWarning, TX::DlgError, TX::DlgInformation,
                                  TX::DlgConfirmation};
  static constexpr QStyle::StandardPixmap icons[] = {
      QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
      QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion};
  const bool custom = type >= mtCustom;
  setWindowTitle(!caption.empty() ? QString::fromStdString(caption)
                 : custom       ? QApplication::applicationDisplayName()
                                : QString::fromStdString(T(titles[type])));

  auto* panel = new TXiPanel(this);
  panel->setObjectName("XiPanelIntMsgDlg");
  panel->SetColorScheme(TXiPanel::csSilver);
  panel->SetFillDirection(fdVertical);

  const QFontMetrics fm(font());
  const int margin = fm.height();
  const int spacing = fm.height() / 2 + 2;

  int textLeft = margin;
  if (!custom) {
    auto* icon = new QLabel(panel);
    icon->setObjectName("Image");
    icon->setPixmap(style()->standardIcon(icons[type]).pixmap(kIconSize, kIconSize));
    icon->setGeometry(margin, margin, kIconSize, kIconSize);
    textLeft += kIconSize + margin;
  }

  const QString text = QString::fromStdString(msg);
  auto* message = new QLabel(text, panel);
  message->setObjectName("Message");
  message->setTextFormat(Qt::PlainText);  // a "<" in a file name is no markup
  message->setWordWrap(true);
  // Measured as the label lays the text out (tabs expanded), so no line is cut off.
  const QRect textRect = fm.boundingRect(QRect(0, 0, kMaxTextWidth, 100000),
                                         Qt::TextWordWrap | Qt::TextExpandTabs, text);
  message->setGeometry(textLeft, margin, textRect.width() + 2, textRect.height());
  const int contentWidth = textLeft + textRect.width() + 2 - margin;
  const int contentHeight = std::max(custom ? 0 : kIconSize, textRect.height());

  // Every button gets the width of the widest caption, at least 75 pixels.
  int buttonWidth = kMinButtonWidth;
  const int buttonHeight = std::max(25, fm.height() + 12);

  std::vector<QPushButton*> placed;
  QPushButton* defaultButton = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* ignore = nullptr;
  QPushButton* no = nullptr;
  for (int n = 0; n <= mbHelp; ++n) {
    const auto b = static_cast<TMsgDlgBtn>(n);
    if (!buttons.Has(b)) continue;
    const QString caption = QString::fromStdString(T(kCaptions[n]));
    buttonWidth =
        std::max(buttonWidth, fm.horizontalAdvance(QString(caption).remove('&')) + 2 * margin);
    auto* button = new TXiButton(caption, panel);
    button->setObjectName(kButtonNames[n]);
    // Help has no result of its own (0) and leaves the dialog open.
    button->ModalResult = ModalResultOf(b);
    // The set's own default (No where Yes would throw data away), else Yes or OK.
    if (buttons.HasDefault() ? b == buttons.DefaultButton()
                             : !defaultButton && (b == mbYes || b == mbOK))
      defaultButton = button;
    if (b == mbCancel) cancel = button;
    if (b == mbIgnore) ignore = button;
    if (b == mbNo) no = button;
    if (b == mbHelp)
      connect(button, &QPushButton::clicked, this, [this] { ZeigeHilfeFuer(this); });
    placed.push_back(button);
  }
  // Escape never discards anything: Cancel where there is one, else the "not now" answer
  // (Ignore, which asks again later), else No.
  escapeButton_ = cancel ? cancel : ignore ? ignore : no;

  const int count = static_cast<int>(placed.size());
  const int rowWidth = count > 0 ? count * buttonWidth + (count - 1) * spacing : 0;
  // Wide enough for the title too, so no caption is cut in the title bar.
  const int clientWidth = std::max({kMinClientWidth, std::max(contentWidth, rowWidth) + 2 * margin,
                                    TitleBarWidth(windowTitle())});
  const int rowTop = margin + contentHeight + margin;
  const int clientHeight = rowTop + (count > 0 ? buttonHeight + margin : 0);
  int x = (clientWidth - rowWidth) / 2;
  for (QPushButton* button : placed) {
    button->setGeometry(x, rowTop, buttonWidth, buttonHeight);
    x += buttonWidth + spacing;
  }
  panel->setGeometry(0, 0, clientWidth, clientHeight);
  setFixedSize(clientWidth, clientHeight);

  if (defaultButton) {
    defaultButton->setDefault(true);
    defaultButton->setFocus();
  } else if (!placed.empty()) {
    placed.front()->setFocus();
  }
}

void TFormIntMessageDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    if (escapeButton_) {
      escapeButton_->click();
    } else {
      done(mrCancel);
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

int TFormIntMessageDialog::Execute() {
  raise();
  activateWindow();
  const int result = exec();
  // Closed by the window's close button or the window system: no button was chosen.
  return result == QDialog::Rejected ? mrCancel : result;
}

}  // namespace tav
