#include <QApplication>
#include <QMainWindow>

#include "foundation/ui/QtMessageService.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavrel");
  tav::QtMessageService messages;
  tav::SetMessageService(&messages);

  QMainWindow window;
  window.setObjectName("Hauptmenu");
  window.setWindowTitle("Tavrel");
  window.resize(900, 600);
  window.show();
  const int rc = QApplication::exec();
  tav::SetMessageService(nullptr);
  return rc;
}
