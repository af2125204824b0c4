#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

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

// Console and scripted services answer alike when no answer is given: the set's default,
// else OK, then Yes, then the first button of the set. A question whose Yes throws data away
// is answered No.
TEST(Messages, DefaultAnswerIsTheSetsDefaultElseOkThenYesThenTheFirstButton) {
  const struct { TMsgDlgButtons buttons; int answer; } cases[] = {
      {mbYesNoKeep, mrNo},
      {mbYesNoCancelKeep, mrNo},
      {mbYesNo.WithDefault(mbHelp), mrYes},  // a default that is no member of the set
      {mbOKOnly, mrOk},
      {static_cast<TMsgDlgButtons>(Btn(mbYes) | Btn(mbOK)), mrOk},
      {mbYesNoCancel, mrYes},
      {static_cast<TMsgDlgButtons>(Btn(mbNo) | Btn(mbCancel)), mrNo},
      {static_cast<TMsgDlgButtons>(Btn(mbIgnore) | Btn(mbAbort)), mrAbort},
      {Btn(mbHelp), mrNone},
      {TMsgDlgButtons{}, mrCancel},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultAnswer(c.buttons), c.answer) << c.buttons;
}

// A single button or a number is no button set: passing mbOK where a set is expected once
// showed the set {No}. The compiler now refuses such a call.
static_assert(!std::is_convertible_v<TMsgDlgBtn, TMsgDlgButtons>);
static_assert(!std::is_convertible_v<int, TMsgDlgButtons>);
static_assert(!std::is_constructible_v<TMsgDlgButtons, TMsgDlgBtn>);
static_assert(!std::is_constructible_v<TMsgDlgButtons, std::uint16_t>);
static_assert(Btn(mbOK).Has(mbOK) && !Btn(mbOK).Has(mbNo));
static_assert((Btn(mbYes) | Btn(mbNo)) == mbYesNo);
static_assert(mbYesNoKeep != mbYesNo && mbYesNoKeep.Bits() == mbYesNo.Bits());
static_assert((mbYesNoKeep | Btn(mbCancel)) == mbYesNoCancelKeep);

TEST(Messages, ButtonSetsNameTheirMembersInTableOrder) {
  const struct { TMsgDlgButtons buttons; const char* names; } cases[] = {
      {mbOKOnly, "{OK}"},
      {Btn(mbCancel) | Btn(mbYes), "{Yes,Cancel}"},
      {Btn(mbHelp) | Btn(mbYesToAll), "{YesToAll,Help}"},
      {TMsgDlgButtons{}, "{}"},
      {mbYesNoCancelKeep, "{Yes,No,Cancel default No}"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    out << c.buttons;
    EXPECT_EQ(out.str(), c.names);
  }
}

TEST(Messages, CaptionedMessageKeepsItsCaptionForThatMessageOnly) {
  test::ScopedMessages m;
  EXPECT_EQ(Msg().ShowCaptionedMessage("Achtung!", "Pool", mtWarning, mbOKOnly), mrOk);
  ShowMessageLines("danach");
  ASSERT_EQ(m->shown.size(), 2u);
  EXPECT_EQ(m->shown[0].caption, "Achtung!");
  EXPECT_EQ(m->shown[0].buttons, mbOKOnly);
  EXPECT_EQ(Msg().DialogAntwort, mrOk);
  EXPECT_EQ(m->shown[1].caption, "");
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
