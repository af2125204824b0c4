#pragma once
// Drives a modal dialog from inside its own event loop: once the dialog is up, Act runs
// with it (click a button found by name, send a key, read captions).

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace tav::test {

inline void WhenModal(std::function<void(QWidget* dialog)> act) {
  auto timer = std::make_shared<QTimer>();
  auto tries = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer.get(), &QTimer::timeout, [timer, tries, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog && ++*tries < 400) return;
    timer->stop();
    if (dialog) act(dialog);
  });
  timer->start();
}

inline void Click(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QPushButton*>(name);
  if (button) button->click();
}

inline void Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace tav::test
