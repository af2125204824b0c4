#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QGuiApplication>
#include <QTableWidget>
#include <QTimer>
#include <ctime>
#include <string>
#include <vector>

#include "ModalDriver.h"
#include "foundation/TextTable.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/Documents.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/TermEdit.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

TEST(DialogZeile, ReturnConfirmsAndEscapeCancelsInEveryLine) {
  for (const char* edit : {"Edit1", "Edit2", "Edit3"}) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, 1}, std::pair{Qt::Key_Escape, 2}}) {
      TFormDialogZeile form;
      QString ok, cancel;
      test::WhenModal([&, edit, key = key](QWidget* d) {
        ok = d->findChild<QPushButton*>("ButtonOK")->text();
        cancel = d->findChild<QPushButton*>("ButtonCancel")->text();
        test::Key(d->findChild<QLineEdit*>(edit), key);
      });
      EXPECT_EQ(form.exec(), result) << edit;
      EXPECT_EQ(ok, "&OK");
      EXPECT_EQ(cancel, "Ab&brechen");
      EXPECT_EQ(form.windowTitle(), "Dialog mit Zeile(n)");
    }
  }
}

// "Neues Projekt" and the other one-line dialogs: fixed, no maximise or minimise button, and
// wide enough for a long title.
TEST(DialogZeile, FixedAndWideEnoughForItsTitle) {
  TFormDialogZeile form;
  form.setWindowTitle(QString(60, QChar('W')));
  int breite = 0;
  test::WhenModal([&](QWidget* d) {
    breite = d->width();
    test::Click(d, "ButtonCancel");
  });
  form.exec();
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QFont fett = QApplication::font();
  fett.setBold(true);
  EXPECT_GT(breite, QFontMetrics(fett).horizontalAdvance(form.windowTitle()));
}

TEST(DialogZeile, SearchDialogIsCompactAndTellsCancel) {
  TFormWortSuche form;
  bool edit2Hidden = false, cancelHidden = false;
  QString label;
  int okBottom = 0;
  test::WhenModal([&](QWidget* d) {
    edit2Hidden = d->findChild<QLineEdit*>("Edit2")->isHidden();
    cancelHidden = d->findChild<QPushButton*>("ButtonCancel")->isHidden();
    label = d->findChild<QLabel*>("Label1")->text();
    auto* ok = d->findChild<QPushButton*>("ButtonOK");
    okBottom = ok->y() + ok->height();
    test::Key(d->findChild<QLineEdit*>("Edit1"), Qt::Key_Escape);
  });
  form.exec();
  EXPECT_TRUE(form.Abbruch());
  EXPECT_TRUE(edit2Hidden);
  EXPECT_TRUE(cancelHidden);
  EXPECT_EQ(label, "&Suchbegriff:");
  EXPECT_EQ(form.windowTitle(), "Suche");
  EXPECT_LE(okBottom, form.height());  // the button stays inside the shrunk form

  test::WhenModal([](QWidget* d) {
    d->findChild<QLineEdit*>("Edit1")->setText("x");
    test::Click(d, "ButtonOK");
  });
  EXPECT_EQ(form.exec(), 1);
  EXPECT_FALSE(form.Abbruch());

  test::WhenModal([](QWidget* d) { d->close(); });  // the window's close button
  EXPECT_EQ(form.exec(), 2);
  EXPECT_TRUE(form.Abbruch());
}

// Types Term into the search dialog and confirms it (or cancels it when Term is null).
void AnswerSearch(const char* term) {
  test::WhenModal([term](QWidget* d) {
    if (!term) {
      test::Key(d->findChild<QLineEdit*>("Edit1"), Qt::Key_Escape);
      return;
    }
    d->findChild<QLineEdit*>("Edit1")->setText(QString::fromUtf8(term));
    test::Key(d->findChild<QLineEdit*>("Edit1"), Qt::Key_Return);
  });
}

TEST(DialogZeile, ListSearchWrapsAndReportsOnce) {
  test::ScopedMessages m;
  const std::vector<std::string> list = {"Berlin", "Bremen", "Bernau", "Köln"};
  int index = 0;
  AnswerSearch("ber");
  EXPECT_TRUE(SearchList(list, 0, index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(Msg().ErgebnisOK);
  QString offered, selected;
  test::WhenModal([&](QWidget* d) {  // the last term is offered: Return alone searches on
    auto* edit = d->findChild<QLineEdit*>("Edit1");
    offered = edit->text();
    selected = edit->selectedText();
    test::Key(edit, Qt::Key_Return);
  });
  EXPECT_TRUE(SearchList(list, 0, index));
  EXPECT_EQ(offered, "ber");
  EXPECT_EQ(selected, "ber");  // typing replaces it
  EXPECT_EQ(index, 0);  // wrapped round to the top

  AnswerSearch("hamburg");
  EXPECT_FALSE(SearchList(list, 0, index));
  EXPECT_EQ(index, 0);  // selection unchanged
  ASSERT_EQ(m->shown.size(), 1u);
  EXPECT_EQ(m->shown[0].text, "\"HAMBURG\" nicht gefunden");
  EXPECT_FALSE(Msg().ErgebnisOK);

  AnswerSearch(nullptr);  // cancelled
  EXPECT_FALSE(SearchList(list, 0, index));
  AnswerSearch("");  // confirmed empty
  EXPECT_FALSE(SearchList(list, 0, index));
  EXPECT_EQ(m->shown.size(), 1u);  // neither shows anything

  int none = 0;
  AnswerSearch("x");
  EXPECT_FALSE(SearchList({}, 0, none));  // an empty list: a message, no crash
  EXPECT_EQ(none, 0);
  EXPECT_EQ(m->shown.size(), 2u);
}

TEST(DialogZeile, GridSearchLooksAtColumnOne) {
  test::ScopedMessages m;
  QTableWidget grid(1, 2);
  grid.setItem(0, 0, new QTableWidgetItem("79100"));
  grid.setItem(0, 1, new QTableWidgetItem("Freiburg"));
  grid.setCurrentCell(0, 0);
  AnswerSearch("FREI");
  EXPECT_TRUE(SearchGrid(&grid));  // the one row finds itself
  EXPECT_EQ(grid.currentRow(), 0);
  AnswerSearch("79100");  // column 0 is not searched
  EXPECT_FALSE(SearchGrid(&grid));
  EXPECT_EQ(m->shown.back().text, "\"79100\" nicht gefunden");

  QTableWidget empty(0, 2);
  AnswerSearch("x");
  EXPECT_FALSE(SearchGrid(&empty));

  // A heading row on top is not searched, also when it is all there is.
  QTableWidget headed(1, 2);
  headed.setItem(0, 1, new QTableWidgetItem("Standort"));
  AnswerSearch("standort");
  EXPECT_FALSE(SearchGrid(&headed, 1));
  headed.setRowCount(3);
  headed.setItem(1, 1, new QTableWidgetItem("Freiburg"));
  headed.setItem(2, 1, new QTableWidgetItem("Standort Ost"));
  headed.setCurrentCell(2, 1);
  AnswerSearch("standort");
  EXPECT_TRUE(SearchGrid(&headed, 1));
  EXPECT_EQ(headed.currentRow(), 2);  // the heading is skipped in the wrap-around
}

TEST(TermEdit, LeavingTheFieldShowsTheResultOrTheMarkedTerm) {
  QLineEdit edit;
  AttachTermSolver(&edit);
  EXPECT_EQ(edit.toolTip(), "Zahl oder Term, z.B.: 2 * (2,5 + 3,5)");
  const struct { const char* in; const char* shown; } cases[] = {
      {"2 * (2,5 + 3,5)", "12"},
      {"1.5", "1,5"},
      {"10 x 2", "102 // Fehler"},
      {"1/0", "1/0 // Div/0"},
  };
  for (const auto& c : cases) {
    edit.setText(QString::fromUtf8(c.in));
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown)) << c.in;
  }
}

TEST(SysUtilsQt, GreyPictureAndReadOnlyLook) {
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(1, 0, qRgb(10, 20, 30));
  BitmapToGray(image);
  EXPECT_EQ(image.pixel(0, 0), qRgb(77, 77, 77));
  EXPECT_EQ(image.pixel(1, 0), qRgb(18, 18, 18));

  QLineEdit edit;
  SetEditReadOnlyLook(&edit, true);
  EXPECT_TRUE(edit.isReadOnly());
  EXPECT_EQ(edit.focusPolicy(), Qt::ClickFocus);  // out of the tab order, text still copyable
  EXPECT_FALSE(edit.hasFrame());
  SetEditReadOnlyLook(&edit, false);
  EXPECT_FALSE(edit.isReadOnly());
  EXPECT_TRUE(edit.hasFrame());
  EXPECT_EQ(edit.focusPolicy(), Qt::StrongFocus);
}

// Top row of the dark pixels in columns From..To of a picture.
int TopInk(const QImage& img, int from, int to) {
  for (int y = 0; y < img.height(); ++y) {
    for (int x = from; x < to && x < img.width(); ++x) {
      if (qGray(img.pixel(x, y)) < 128) return y;
    }
  }
  return -1;
}

TEST(SysUtilsQt, RaisedAndLoweredMarkup) {
  const auto render = [](const std::string& text, int* end) {
    QImage img(120, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    QFont f = p.font();
    f.setPointSizeF(20);
    p.setFont(f);
    p.setPen(Qt::black);
    *end = TextOutIndexed(p, 5, 10, text);
    return img;
  };
  int endPlain = 0, endHoch = 0, endTief = 0;
  const QImage plain = render("m", &endPlain);
  const QImage hoch = render("m{/2}", &endHoch);
  const QImage tief = render("m{\\2}", &endTief);
  ASSERT_GT(endPlain, 5);
  EXPECT_GT(endHoch, endPlain);
  const int topHoch = TopInk(hoch, endPlain, endHoch);
  const int topTief = TopInk(tief, endPlain, endTief);
  ASSERT_GE(topHoch, 0);
  ASSERT_GE(topTief, 0);
  EXPECT_LT(topHoch, topTief);  // the raised 2 starts higher than the lowered one
}

// The raised and lowered pieces sit where the rule puts them: raised by the font's text
// height / 8 and 4 points smaller, lowered by a third of it and 3 points smaller; measured
// on the device drawn on, for fonts sized in points and in pixels.
TEST(SysUtilsQt, MarkupOffsetsAndSizesOnTheDevice) {
  const struct {
    const char* name;
    int dpi;
    qreal points;  // 0: the font is sized in pixels
    int pixels;
  } cases[] = {{"20 pt, screen", 96, 20, 0}, {"40 px, screen", 96, 0, 40},
               {"12 pt, 300 dpi", 300, 12, 0}};
  for (const auto& c : cases) {
    QFont base("DejaVu Sans");
    if (c.points > 0) base.setPointSizeF(c.points); else base.setPixelSize(c.pixels);
    for (const bool hoch : {true, false}) {
      QImage img(260, 200, QImage::Format_RGB32);
      img.setDotsPerMeterX(qRound(c.dpi / 0.0254));
      img.setDotsPerMeterY(qRound(c.dpi / 0.0254));
      img.fill(Qt::white);
      int end = 0;
      {
        QPainter p(&img);
        p.setFont(base);
        p.setPen(Qt::black);
        end = TextOutIndexed(p, 5, 60, hoch ? "m{/2}" : "m{\\2}");
      }
      const qreal smaller = hoch ? 4 : 3;
      QFont small = base;
      if (c.points > 0) small.setPointSizeF(c.points - smaller);
      else small.setPixelSize(c.pixels - qRound(smaller * c.dpi / 72.0));
      const QFontMetrics baseFm(base, &img), smallFm(small, &img);
      const int mEnd = 5 + baseFm.horizontalAdvance("m");
      EXPECT_NEAR(end, mEnd + smallFm.horizontalAdvance("2"), 1) << c.name;
      const int shift = hoch ? -(baseFm.height() / 8) : baseFm.height() / 3;
      const int inkTop = 60 + shift + smallFm.ascent() + smallFm.boundingRect('2').top();
      EXPECT_NEAR(TopInk(img, mEnd, end), inkTop, 1) << c.name << (hoch ? " raised" : " lowered");
    }
  }
}

// Processor time this thread has used so far, in milliseconds.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

TEST(SysUtilsQt, DelayKeepsTimersRunningAndSleeps) {
  bool fired = false;
  QTimer::singleShot(5, [&] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  const double cpuBefore = ThreadCpuMs();
  DelayWithMessages(200);
  const double cpu = ThreadCpuMs() - cpuBefore;
  EXPECT_TRUE(fired);
  EXPECT_GE(clock.elapsed(), 200);
  EXPECT_LT(cpu, 100.0);  // it waits for events instead of polling for them
}

// Qt's own dialogs speak the program's language: German from Qt's translation, back to Qt's
// English for English and for a language Qt has no translation of.
TEST(SysUtilsQt, QtStandardTextsFollowTheLanguage) {
  const auto abbrechen = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
  EXPECT_TRUE(SetQtLanguage("de"));
  EXPECT_EQ(abbrechen(), "Abbrechen");
  EXPECT_FALSE(SetQtLanguage("en"));
  EXPECT_EQ(abbrechen(), "Cancel");
  EXPECT_FALSE(SetQtLanguage("xx"));
  EXPECT_EQ(abbrechen(), "Cancel");
}

TEST(Documents, MissingFilesAreReportedAndOthersOpened) {
  test::ScopedMessages m;
  test::TempDir dir;
  dir.Write("Fragebogen.pdf", "%PDF");
  std::vector<std::string> opened;
  bool openWorks = true;
  SetDocumentOpener([&](const std::string& f) {
    opened.push_back(f);
    return openWorks;
  });
  const std::string survey = (dir / "Fragebogen.pdf").string();
  OpenSurveyForm(survey);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(m->shown.back().type, mtInformation);
  EXPECT_NE(m->shown.back().text.find("\n\n"), std::string::npos);  // an empty line between

  const std::string missing = (dir / "AnschreibenTr.doc").string();
  OpenCoverLetter(missing);
  EXPECT_EQ(m->shown.back().text, "\"" + missing + "\" nicht gefunden");
  openWorks = false;
  OpenCoverLetter(survey);
  EXPECT_EQ(m->shown.back().text.rfind("Fehler beim Öffnen des Anschreibens!\n", 0), 0u);
  EXPECT_EQ(opened.size(), 2u);
  SetDocumentOpener({});
}


TEST(SysUtilsQt, ToolButtonFontFollowsTheCaptionLength) {
  QPushButton button;
  SetToolButtonText(&button, "&Simulation", "Anlagensimulation starten");
  EXPECT_EQ(button.font().pointSize(), 8);
  EXPECT_EQ(button.toolTip(), "Anlagensimulation starten");
  const int shortWidth = button.width();
  SetToolButtonText(&button, "Anlagensimulation", "");
  EXPECT_EQ(button.font().pointSize(), 7);  // longer than 12 characters
  EXPECT_GT(button.width(), shortWidth);
  EXPECT_EQ(button.text(), "Anlagensimulation");
}

TEST(SysUtilsQt, PlacementOffEveryScreenComesBack) {
  QWidget window;
  RestorePlacement(&window, {false, 300, 20, 30, 400});
  TFensterPos pos = PlacementOf(&window);
  EXPECT_EQ(pos.Links, 20);
  EXPECT_EQ(pos.Oben, 30);
  EXPECT_EQ(pos.Breite, 400);
  EXPECT_EQ(pos.Hoehe, 300);
  RestorePlacement(&window, {false, 630, 30000, -30000, 800});  // a screen long gone
  EXPECT_TRUE(window.screen()->availableGeometry().intersects(window.geometry()));
  // A place partly off the screen comes back whole; one on it stays.
  const QRect area = window.screen()->availableGeometry();
  const QRect halb(area.right() - 50, area.top() + 10, 200, 100);
  EXPECT_TRUE(area.contains(OntoScreen(halb)));
  const QRect drauf(area.topLeft() + QPoint(5, 5), QSize(100, 80));
  EXPECT_EQ(OntoScreen(drauf), drauf);
}

// A window without a stored place (results, help) opens centred over the main window, not at
// the screen's corner.
TEST(SysUtilsQt, NewWindowsOpenCentredOverTheMainWindow) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget haupt;
  haupt.setObjectName("Hauptmenu");
  haupt.setGeometry(area.left() + 60, area.top() + 40, 500, 400);
  haupt.show();
  QWidget neu;
  neu.resize(300, 200);
  CentreOverMainWindow(&neu);
  EXPECT_EQ(neu.frameGeometry().center(), haupt.frameGeometry().center());
  haupt.hide();
}

// The print font "Arial" becomes the face the system's font matching gives for that family
// (Liberation Sans with the Debian fonts), never a fallback face found by its glyphs.
TEST(SysUtilsQt, MissingPrintFontTakesTheMatchingFamily) {
  EXPECT_EQ(PickInstalledFont("Liberation Sans"), "Liberation Sans");
  const std::string arial = PickInstalledFont("Arial");
  EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromStdString(arial))) << arial;
  EXPECT_EQ(arial.find("Fallback"), std::string::npos) << arial;
  EXPECT_EQ(arial.find("CJK"), std::string::npos) << arial;
  if (!QFontDatabase::hasFamily("Arial") && QFontDatabase::hasFamily("Liberation Sans")) {
    EXPECT_EQ(arial, "Liberation Sans");
  }
}

}  // namespace
}  // namespace tav
