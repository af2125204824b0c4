#include "foundation/ui/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>

namespace tav {

namespace {
const char* const kCaptions[] = {"&Ja", "&Nein", "&OK", "Ab&brechen", "&Beenden", "&Wiederholen",
                                 "&Ignorieren", "A&lle", "Alle N&ein", "Alle J&a", "&Hilfe"};
const char* const kTitles[] = {"Warnung", "Fehler", "Information", "Bestätigung", ""};
}  // namespace

int QtMessageService::Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  QMessageBox box(QApplication::activeWindow());
  box.setObjectName("FormIntMessageDialog");
  box.setWindowTitle(QString::fromUtf8(kTitles[type <= mtCustom ? type : mtCustom]));
  box.setText(QString::fromUtf8(text));
  static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                            QMessageBox::Information, QMessageBox::Question,
                                            QMessageBox::NoIcon};
  box.setIcon(icons[type <= mtCustom ? type : mtCustom]);
  for (int n = 0; n <= mbHelp; ++n) {
    if (!(buttons & (1u << n))) continue;
    const auto b = static_cast<TMsgDlgBtn>(n);
    QPushButton* button = box.addButton(QString::fromUtf8(kCaptions[n]), QMessageBox::ActionRole);
    button->setProperty("modalResult", ModalResultOf(b));
    if (b == mbYes || b == mbOK) box.setDefaultButton(button);
    if (b == mbNo || b == mbCancel) box.setEscapeButton(button);
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return clicked ? clicked->property("modalResult").toInt() : mrCancel;
}

void QtMessageService::EndProgram() {
  // The message has been confirmed; nothing of the caller may run on.
  std::exit(1);
}

}  // namespace tav
