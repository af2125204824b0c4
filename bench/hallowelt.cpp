// hallowelt: the smallest Qt main window, the yardstick for the program's cold start
// (start_bench, bench/callgrind_start.sh). With TAVREL_QUIT_WHEN_IDLE=1 it ends as soon as its
// window has been painted and the event loop is idle, as the program does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace {

class Fenster : public QMainWindow {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QMainWindow::paintEvent(event);
    if (gemalt_) return;
    gemalt_ = true;
    const char* v = std::getenv("TAVREL_QUIT_WHEN_IDLE");
    if (v && std::strcmp(v, "1") == 0) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  }

 private:
  bool gemalt_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  Fenster w;
  w.setWindowTitle(QStringLiteral("Hallo"));
  w.setCentralWidget(new QLabel(QStringLiteral("Hallo, Welt")));
  w.resize(800, 600);
  w.show();
  return QApplication::exec();
}
