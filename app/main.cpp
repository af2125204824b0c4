#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/Befehle.h"
#include "app/DatenStart.h"
#include "app/FormSplash.h"
#include "app/Hauptmenu.h"
#include "location/TavKlimgen.h"
#include "foundation/AtomicFile.h"
#include "foundation/Folders.h"
#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/QtMessageService.h"
#include "foundation/ui/SysUtilsQt.h"

namespace {

// Developer switch: TAVREL_QUIT_WHEN_IDLE=1 ends the program as soon as the main window has
// been painted and the event loop is idle, so that the cold start can be timed as a whole
// (bench/README.md). It also tells on standard error how long main() took to that point.
bool QuitWhenIdle() {
  const char* v = std::getenv("TAVREL_QUIT_WHEN_IDLE");
  return v && std::string(v) == "1";
}

// The program's message dialogs; while the splash is up, a message takes its place, so that
// no dialog of the start-up is hidden behind the splash picture.
class StartMessages : public tav::QtMessageService {
 public:
  tav::FormSplash* splash = nullptr;

 protected:
  int Present(const std::string& text, tav::TMsgDlgType type,
              tav::TMsgDlgButtons buttons) override {
    const bool zeigen = splash && splash->isVisible();
    if (zeigen) splash->hide();
    const int antwort = QtMessageService::Present(text, type, buttons);
    if (zeigen) splash->show();
    return antwort;
  }
};

// Shows a wait for another program's file lock in the splash screen or the main window:
// painted at once, since the wait itself pumps no events.
class SperrWarten : public tav::StatusSink {
 public:
  tav::StatusSink* ziel = nullptr;
  void Status(const std::string& text) override {
    if (!ziel) return;
    ziel->Status(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  void Busy(bool on) override {
    if (ziel) ziel->Busy(on);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer uhr;
  uhr.start();
  // A save past the file-size limit must fail with its message, not end the program.
  tav::IgnoreFileSizeSignal();
  QApplication app(argc, argv);
  // The name is also the windows' class on X11, which the desktop entry names (StartupWMClass).
  QApplication::setApplicationName(tav::kProgName);
  QGuiApplication::setDesktopFileName(TAV_APP_ID);
  // Every window without an icon of its own shows the program's (the desktop entry's drawing).
  QApplication::setWindowIcon(tav::ProgrammIcon());
  StartMessages messages;
  tav::SetMessageService(&messages);
  SperrWarten sperrWarten;
  tav::SetLockWaitStatus(&sperrWarten);

  tav::TavState& s = tav::G();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const QScreen* screen = QGuiApplication::primaryScreen();
  tav::SetupFolders(s.folders, tav::QuerySystemFolders());
  tav::RemoveCrashLeftovers(s.folders);
  tav::SetProgramDefaults(s, args, tav::Now(), screen ? screen->geometry().width() : 0);

  int rc = 0;
  {
    auto splash = std::make_unique<tav::FormSplash>();
    messages.splash = splash.get();
    sperrWarten.ziel = splash.get();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // The help's languages decide the help file the language switch of the start-up names.
    tav::LadeHilfeSprachen();
    tav::WetterNachStart wetter;
    tav::DatenStart(s, tav::Texts(), tav::QtSettingsEnv(), *splash, wetter);

    tav::Hauptmenu window(tav::ProgrammKlimgenBridge());
    sperrWarten.ziel = &window;
    // Weather years the location has no stored file for are made once the main window is on
    // the screen, with their progress in the splash, which stays up until then.
    const auto splashWeg = [&] {
      messages.splash = nullptr;
      splash.reset();
    };
    window.NachErstemPaint = [&] {
      if (wetter.Offen()) {
        splash->raise();
        wetter.Nachholen(s, tav::ProgrammKlimgenBridge(), *splash);
      }
      splashWeg();
    };
    tav::VerbindeFenster(window);
    window.FormShow();
    if (QuitWhenIdle()) {
      QObject::connect(&window, &tav::Hauptmenu::ErsterPaint, &app, [&uhr] {
        QTimer::singleShot(0, qApp, [&uhr] {
          std::fprintf(stderr, "Tavrel: main window shown and idle after %lld ms in main()\n",
                       static_cast<long long>(uhr.elapsed()));
          QCoreApplication::quit();
        });
      });
    }
    if (window.StartsMaximised())
      window.showMaximized();
    else
      window.show();
    if (!wetter.Offen()) splashWeg();
    window.raise();
    window.activateWindow();
    rc = QApplication::exec();
    sperrWarten.ziel = nullptr;
  }
  tav::SetLockWaitStatus(nullptr);
  tav::SetMessageService(nullptr);
  return rc;
}
