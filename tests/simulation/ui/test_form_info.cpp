// The warning window beside the flow warnings: its parts, and that it holds the advice lines
// exactly while a flow warning of a run is open.
#include <gtest/gtest.h>

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "simulation/PlantCommon.h"
#include "simulation/ui/FormInfo.h"
#include "support/ScriptedMessages.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

// Records, for every message, whether the warning window was showing and what it held.
class FensterProtokoll : public test::ScriptedMessages {
 public:
  explicit FensterProtokoll(TFormInfo& form) : form_(form) {}
  std::vector<bool> sichtbar;
  std::vector<std::string> memo;

 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override {
    sichtbar.push_back(form_.isVisible());
    memo.push_back(form_.Memo1->toPlainText().toStdString());
    return ScriptedMessages::Present(text, type, buttons);
  }

 private:
  TFormInfo& form_;
};

TEST(FormInfo, CaptionButtonAndReadOnlyMemo) {
  TFormInfo form;
  EXPECT_EQ(form.objectName(), "FormInfo");
  EXPECT_EQ(form.windowTitle(), "Informationen");
  EXPECT_FALSE(form.isModal());
  auto* memo = form.findChild<QPlainTextEdit*>("Memo1");
  auto* ok = form.findChild<QPushButton*>("ButtonOK");
  ASSERT_NE(memo, nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(ok->text(), "&OK");
  form.Zeige(" erste| zweite");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(memo->toPlainText().toStdString(), " erste\n zweite");
  form.Zeige("neu");  // every warning starts with an empty memo
  EXPECT_EQ(memo->toPlainText().toStdString(), "neu");
  ok->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrOk);
}

TEST(FormInfo, ShownBesideEachFlowWarningAndHiddenAfter) {
  TFormInfo form;
  FensterProtokoll protokoll(form);
  MessageService* vorher = SetMessageService(&protokoll);
  test::SimWelt w{test::WetterParameter{}, false};
  InfoBeobachter obs(form);
  SimContext c{*w.g, *w.s, obs};
  w.g->plant.ZeitZoom = 10;
  ZeigeDurchflussWarnung(c);
  EXPECT_FALSE(form.isVisible());
  ZeigeHeizDurchflussWarnung(c, 0.1f);
  EXPECT_FALSE(form.isVisible());
  SetMessageService(vorher);

  ASSERT_EQ(protokoll.shown.size(), 2u);
  EXPECT_EQ(protokoll.sichtbar, (std::vector<bool>{true, true}));
  EXPECT_EQ(protokoll.memo[0],
            " Der Wasserdurchfluss eines Zeitschrittes\n ist größer als das entsprechende Speichervolumen\n"
            " Mögliche Abhilfe:\n - Speicher vergrößern\n - Nachheiztemperatur anheben\n"
            " - Rechenschritt verkürzen (ZeitZoom)");
  EXPECT_EQ(protokoll.memo[1],
            " Der Heizwasserdurchfluss innerhalb 1 min\n ist größer als das entsprechende Pufferspeichervolumen\n"
            " Mögliche Abhilfe:\n - Speicher vergrößern\n - Rechenschritt verkürzen (ZeitZoom)");
  // The message itself carries the advice and the question, for runs without windows.
  EXPECT_NE(protokoll.shown[0].text.find("Speichervolumen? Verbrauch?"), std::string::npos);
  EXPECT_NE(protokoll.shown[0].text.find("Mögliche Abhilfe"), std::string::npos);
  EXPECT_TRUE(w.s->AbbruchAnfrage);
}

}  // namespace
}  // namespace tav
