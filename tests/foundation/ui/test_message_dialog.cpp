#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/BigIni.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Settings.h"
#include "foundation/StatusSink.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/QtMessageService.h"
#include "foundation/ui/XiButton.h"
#include "foundation/ui/XiPanel.h"
#include "support/gui/GrabScreen.h"
#include "support/TempDir.h"
#include "ModalDriver.h"

namespace tav {
namespace {

// The dialog-backed service installed for one test.
struct MessageDialogFixture : ::testing::Test {
  QtMessageService service;
  MessageService* previous = nullptr;
  void SetUp() override {
    previous = SetMessageService(&service);
    Texts().LoadDefaults();
  }
  void TearDown() override {
    SetMessageService(previous);
    Texts().LoadDefaults();
  }
};

enum class Act { Escape, Return, CloseWindow, ClickNo, HelpThenOK };

TEST_F(MessageDialogFixture, AnswersForEachButtonSet) {
  const struct {
    TMsgDlgButtons buttons;
    Act act;
    int result;
  } cases[] = {
      {mbYesNoCancel, Act::Escape, mrCancel},  // never No: that could discard a project
      {mbYesNoCancel, Act::Return, mrYes},
      {mbYesNoCancel, Act::ClickNo, mrNo},
      {mbYesNo, Act::Escape, mrNo},
      {mbYesNo, Act::Return, mrYes},
      // A question whose Yes throws data away: Enter keeps them.
      {mbYesNoKeep, Act::Return, mrNo},
      {mbYesNoKeep, Act::Escape, mrNo},
      {mbYesNoCancelKeep, Act::Return, mrNo},
      {mbYesNoCancelKeep, Act::Escape, mrCancel},
      {mbOKOnly, Act::Return, mrOk},
      {mbOKOnly, Act::Escape, mrCancel},
      {mbOKCancel, Act::Escape, mrCancel},
      {mbOKCancel, Act::Return, mrOk},
      {Btn(mbYes) | Btn(mbNo) | Btn(mbIgnore), Act::Escape, mrIgnore},  // "ask later"
      {mbYesNoCancel, Act::CloseWindow, mrCancel},
      {TMsgDlgButtons{}, Act::CloseWindow, mrCancel},
      {Btn(mbOK) | Btn(mbHelp), Act::HelpThenOK, mrOk},  // Help leaves the dialog open
  };
  for (const auto& c : cases) {
    test::WhenModal([act = c.act](QWidget* d) {
      switch (act) {
        case Act::Escape: test::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); break;
        case Act::Return: test::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); break;
        case Act::CloseWindow: d->close(); break;
        case Act::ClickNo: test::Click(d, "No"); break;
        case Act::HelpThenOK:
          test::Click(d, "Help");
          test::Click(d, "OK");
          break;
      }
    });
    EXPECT_EQ(Msg().Ask("Frage?", c.buttons), c.result)
        << "buttons " << c.buttons << " act " << static_cast<int>(c.act);
    EXPECT_EQ(Msg().DialogAntwort, c.result);
  }
}

// The questions whose "Yes" would replace a file: Enter in the dialog, and the console service
// of the headless tools, answer "No", and the file stays as it was.
TEST(DiscardQuestions, EnterAndTheConsoleKeepTheFile) {
  struct Frage {
    const char* name;
    const char* datei;
    std::function<bool(const std::string& ordner)> schreibe;  // asks first; true: written
  };
  const Frage fragen[] = {
      {"catalogue read in part", "Koll.dat",
       [](const std::string& ordner) {
         const std::string pfad = ordner + "Koll.dat";
         katalog::DateiStaende staende;
         TBigIniFile ini;
         katalog::LadeKatalog(pfad, ini, &staende);
         katalog::NotiereLuecke(&staende, pfad, katalog::LueckeZuviele(5, 600));
         return katalog::SchreibeKatalog(pfad, "[Kollektor 1]\r\nName=Neu\r\n", "Koll.dat",
                                         "Schreibfehler", NullStatus(), &staende);
       }},
      {"damaged settings file", "Tavrel.ini",
       [](const std::string& ordner) {
         auto s = std::make_unique<TavState>();
         s->folders.DatenDir = ordner;
         s->settings.DateiSchaden = "ProjektNummer";
         return SaveSettings(*s, "");
       }},
  };
  QtMessageService dialoge;
  for (const Frage& f : fragen) {
    for (const bool konsole : {false, true}) {
      SCOPED_TRACE(std::string(f.name) + (konsole ? ", console" : ", Enter"));
      test::TempDir dir;
      const std::string alt = "[Alt]\r\nWert=1\r\n";
      dir.Write(f.datei, alt);
      MessageService* vorher = SetMessageService(konsole ? nullptr : &dialoge);
      QString frage;
      if (!konsole) {
        test::WhenModal([&](QWidget* d) {
          frage = d->findChild<QLabel*>("Message")->text();
          test::GrabScreen(d, "FormIntMessageDialog-" + QString::fromUtf8(f.datei));
          test::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return);
        });
      }
      testing::internal::CaptureStderr();
      const bool geschrieben = f.schreibe(dir.path().string() + "/");
      const std::string konsolenText = testing::internal::GetCapturedStderr();
      const int antwort = Msg().DialogAntwort;
      SetMessageService(vorher);
      EXPECT_FALSE(geschrieben);
      EXPECT_EQ(dir.Read(f.datei), alt);
      EXPECT_EQ(antwort, mrNo);
      const std::string gefragt = konsole ? konsolenText : frage.toStdString();
      EXPECT_NE(gefragt.find("?"), std::string::npos) << "no question: " << gefragt;
      EXPECT_NE(gefragt.find(f.datei), std::string::npos) << gefragt;
    }
  }
}

TEST_F(MessageDialogFixture, LayoutTitleAndLines) {
  int width = 0, okWidth = 0, okCentre = 0;
  QString title, text;
  bool hasIcon = false;
  test::WhenModal([&](QWidget* d) {
    width = d->width();
    title = d->windowTitle();
    auto* ok = d->findChild<QPushButton*>("OK");
    okWidth = ok->width();
    okCentre = ok->mapTo(d, QPoint(ok->width() / 2, 0)).x();
    text = d->findChild<QLabel*>("Message")->text();
    hasIcon = d->findChild<QLabel*>("Image") != nullptr;
    auto* panel = d->findChild<TXiPanel*>("XiPanelIntMsgDlg");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ColorScheme(), TXiPanel::csSilver);
    EXPECT_EQ(panel->FillDirection(), fdVertical);
    auto* xi = qobject_cast<TXiButton*>(ok);
    ASSERT_NE(xi, nullptr);
    EXPECT_EQ(xi->ModalResult, mrOk);
    EXPECT_FALSE(test::GrabScreen(d, "FormIntMessageDialog").isEmpty());
    test::Click(d, "OK");
  });
  ShowMessageLines("Kurz|zwei");
  EXPECT_EQ(width, 250);  // a short text: the least width
  EXPECT_GE(okWidth, 75);
  EXPECT_NEAR(okCentre, width / 2, 1);  // a single button stands in the middle
  EXPECT_EQ(title, "Warnung");
  EXPECT_EQ(text, "Kurz\nzwei");
  EXPECT_TRUE(hasIcon);
  EXPECT_EQ(Msg().DialogAntwort, mrOk);

  std::vector<QRect> geometry;
  test::WhenModal([&](QWidget* d) {
    for (const char* name : {"Yes", "No", "Cancel"}) {
      geometry.push_back(d->findChild<QPushButton*>(name)->geometry());
    }
    title = d->windowTitle();
    test::Click(d, "Yes");
  });
  Msg().Ask(std::string(200, 'x'), mbYesNoCancel);
  ASSERT_EQ(geometry.size(), 3u);
  EXPECT_EQ(title, "Bestätigung");
  EXPECT_EQ(geometry[0].width(), geometry[1].width());
  EXPECT_EQ(geometry[1].width(), geometry[2].width());
  EXPECT_LT(geometry[0].x(), geometry[1].x());  // in the order of the button set
  EXPECT_LT(geometry[1].x(), geometry[2].x());
  EXPECT_EQ(geometry[1].x() - geometry[0].right(), geometry[2].x() - geometry[1].right());
}

// A message under its own caption; the dialog is a fixed tool box without maximise or
// minimise and wide enough for its title beside the close button.
TEST_F(MessageDialogFixture, OwnCaptionFixedAndWideEnoughForItsTitle) {
  const std::string caption = "Achtung! " + std::string(60, 'T');
  QString title;
  int width = 0, needed = 0;
  Qt::WindowFlags flags;
  QSize least, most;
  test::WhenModal([&](QWidget* d) {
    title = d->windowTitle();
    width = d->width();
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    needed = QFontMetrics(titleFont).horizontalAdvance(title);
    flags = d->windowFlags();
    least = d->minimumSize();
    most = d->maximumSize();
    test::Click(d, "OK");
  });
  EXPECT_EQ(Msg().ShowCaptionedMessage(caption, "Kurz", mtWarning, mbOKOnly), mrOk);
  EXPECT_EQ(title.toStdString(), caption);
  EXPECT_GT(width, needed);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(least, most);
}

TEST_F(MessageDialogFixture, MessageTextIsNeverCut) {
  const std::string texts[] = {
      "Kurz",
      "Wert:\t12,5\tkWh|Fl\u00e4che:\t3\tm\u00b2",
      "Fehler beim Lesen der Datei /home/benutzer/Tavrel/" + std::string(150, 'x') + "/a.dat",
      std::string(60, 'w') + " " + std::string(300, 'i'),
  };
  for (const std::string& t : texts) {
    int needed = 0, height = 0;
    test::WhenModal([&](QWidget* d) {
      auto* label = d->findChild<QLabel*>("Message");
      needed = label->heightForWidth(label->width());
      height = label->height();
      test::Click(d, "OK");
    });
    ShowMessageLines(t);
    EXPECT_GE(height, needed) << t;
  }
}

TEST_F(MessageDialogFixture, LanguageSwitchRelabelsTheNextDialogAndBack) {
  test::TempDir dir;
  dir.Write("english.dat", "[Tavrel]\r\nBtnYes=&Yes\r\nBtnNo=&No\r\nDlgConfirmation=Question\r\n");
  QString yes, no, title;
  const auto read = [&](QWidget* d) {
    yes = d->findChild<QPushButton*>("Yes")->text();
    no = d->findChild<QPushButton*>("No")->text();
    title = d->windowTitle();
    test::Click(d, "No");
  };
  ASSERT_TRUE(Texts().LoadTexts(dir / "english.dat"));
  test::WhenModal(read);
  EXPECT_EQ(Msg().Ask("?", mbYesNo), mrNo);
  EXPECT_EQ(yes, "&Yes");
  EXPECT_EQ(no, "&No");
  EXPECT_EQ(title, "Question");

  Texts().LoadDefaults();
  test::WhenModal(read);
  Msg().Ask("?", mbYesNo);
  EXPECT_EQ(yes, "&Ja");
  EXPECT_EQ(no, "&Nein");
  EXPECT_EQ(title, "Bestätigung");
}

// The fatal path: the error-type dialog shows, and after OK the program ends at once; the
// caller's next statement never runs.
TEST(MessageDialogDeathTest, FatalMessageEndsTheProgramAfterOK) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static QtMessageService service;
        SetMessageService(&service);
        test::WhenModal([](QWidget* d) {
          if (d->windowTitle() != "Fehler") std::_Exit(3);
          test::Click(d, "OK");
        });
        Msg().AbbruchFehler = true;
        ShowMessageLines("Kann Datenordner /x nicht anlegen");
        std::_Exit(4);
      },
      ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

}  // namespace
}  // namespace tav
