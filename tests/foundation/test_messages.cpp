#include <gtest/gtest.h>

#include "support/ScriptedMessages.h"

namespace tav {
namespace {

TEST(Messages, LinesSplitAtBarAndCrLf) {
  const struct { const char* in; const char* out; } cases[] = {
      {"eins", "eins"}, {"eins|zwei", "eins\nzwei"}, {"a\r\nb", "a\nb"}, {"|", "\n"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(SplitMessageLines(c.in), c.out) << c.in;
}

TEST(Messages, WarningUnlessFatalAndFatalDoesNotRunOn) {
  test::ScopedMessages m;
  Msg().ErgebnisOK = true;
  ShowMessageLines("Achtung|zwei Zeilen");
  ASSERT_EQ(m->shown.size(), 1u);
  EXPECT_EQ(m->shown[0].type, mtWarning);
  EXPECT_EQ(m->shown[0].text, "Achtung\nzwei Zeilen");
  EXPECT_EQ(m->shown[0].buttons, mbOKOnly);
  EXPECT_FALSE(Msg().ErgebnisOK);
  EXPECT_EQ(Msg().DialogAntwort, mrOk);

  Msg().AbbruchFehler = true;
  bool ranOn = false;
  EXPECT_THROW(
      {
        ShowMessageLines("Interner Programmfehler");
        ranOn = true;
      },
      test::FatalMessage);
  EXPECT_FALSE(ranOn);
  EXPECT_EQ(m->shown.back().type, mtError);
}

TEST(Messages, QuestionsTakeScriptedAnswers) {
  test::ScopedMessages m;
  m->answers = {mrNo, mrCancel};
  EXPECT_EQ(Msg().Ask("Speichern?", mbYesNoCancel), mrNo);
  EXPECT_EQ(Msg().DialogAntwort, mrNo);
  EXPECT_EQ(Msg().Ask("Speichern?", mbYesNoCancel), mrCancel);
  EXPECT_EQ(Msg().Ask("Weiter?", mbYesNo), mrYes);  // script exhausted: the default button
}

// Console and scripted services answer alike when no answer is given: OK, then Yes, then
// the first button of the set.
TEST(Messages, DefaultAnswerPrefersOkThenYesThenTheFirstButton) {
  const struct { TMsgDlgButtons buttons; int answer; } cases[] = {
      {mbOKOnly, mrOk},
      {static_cast<TMsgDlgButtons>(Btn(mbYes) | Btn(mbOK)), mrOk},
      {mbYesNoCancel, mrYes},
      {static_cast<TMsgDlgButtons>(Btn(mbNo) | Btn(mbCancel)), mrNo},
      {static_cast<TMsgDlgButtons>(Btn(mbIgnore) | Btn(mbAbort)), mrAbort},
      {Btn(mbHelp), mrNone},
      {0, mrCancel},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultAnswer(c.buttons), c.answer) << c.buttons;
}

TEST(Messages, ButtonResults) {
  EXPECT_EQ(ModalResultOf(mbYes), 6);
  EXPECT_EQ(ModalResultOf(mbNo), 7);
  EXPECT_EQ(ModalResultOf(mbOK), 1);
  EXPECT_EQ(ModalResultOf(mbCancel), 2);
  EXPECT_EQ(ModalResultOf(mbYesToAll), 10);
  EXPECT_EQ(ModalResultOf(mbHelp), 0);
}

}  // namespace
}  // namespace tav
