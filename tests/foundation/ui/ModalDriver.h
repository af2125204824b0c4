#pragma once
// Drives a modal dialog from inside its own event loop: once the dialog is up, Act runs
// with it (click a button found by name, send a key, read captions).

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tav::test {

inline void WhenModal(std::function<void(QWidget* dialog)> act) {
  // Owned by the application, so a timer whose dialog never came is freed at the end.
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, tries = 0, act]() mutable {
    // The platform makes a shown dialog the active window a moment later, and a window's
    // shortcuts (Escape on a cancel button) only answer once it is active: act then.
    QWidget* dialog = QApplication::activeModalWidget();
    if ((!dialog || !dialog->isActiveWindow()) && ++tries < 400) return;
    timer->stop();
    timer->deleteLater();
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
