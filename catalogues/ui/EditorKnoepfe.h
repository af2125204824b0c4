#pragma once
// The OK / Cancel row of the catalogue editors: OK closes with 1 when the editor could store its
// entry, Cancel closes with 2; Enter is OK.

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>
#include <functional>

#include "foundation/TextTable.h"

namespace tav {

inline QHBoxLayout* EditorKnoepfe(QDialog* d, QPushButton*& ok, QPushButton*& cancel, std::function<bool()> speichere) {
  ok = new QPushButton(QString::fromStdString(T(TX::ButtonOK)), d);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  cancel = new QPushButton(QString::fromStdString(T(TX::ButtonCancel)), d);
  cancel->setObjectName("ButtonCancel");
  QObject::connect(ok, &QPushButton::clicked, d, [d, speichere] {
    if (speichere()) d->done(1);
  });
  QObject::connect(cancel, &QPushButton::clicked, d, [d] { d->done(2); });
  auto* zeile = new QHBoxLayout;
  zeile->addStretch();
  zeile->addWidget(ok);
  zeile->addWidget(cancel);
  return zeile;
}

}  // namespace tav
