#include "simulation/ui/FormInfo.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

#include "foundation/Messages.h"

namespace tav {

TFormInfo::TFormInfo(QWidget* parent) : QDialog(parent) {
  setObjectName("FormInfo");
  setWindowTitle(QString::fromUtf8("Informationen"));
  setModal(false);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setTabChangesFocus(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  ButtonOK = new QPushButton(QString::fromUtf8("&OK"), this);
  ButtonOK->setObjectName("ButtonOK");
  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addLayout(knoepfe);
  resize(420, 220);
}

void TFormInfo::Zeige(const std::string& zeilen) {
  Memo1->clear();
  const std::string text = SplitMessageLines(zeilen);
  std::size_t anfang = 0;
  for (;;) {
    const std::size_t ende = text.find('\n', anfang);
    Memo1->appendPlainText(QString::fromStdString(text.substr(anfang, ende - anfang)));
    if (ende == std::string::npos) break;
    anfang = ende + 1;
  }
  show();
}

void TFormInfo::Verberge() { hide(); }

TFormInfo& FormInfo() {
  static TFormInfo* form = new TFormInfo;
  return *form;
}

}  // namespace tav
