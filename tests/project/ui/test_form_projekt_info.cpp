// The project-info dialog: OK takes the three texts and marks the project modified (also
// unchanged, also with an empty name); Cancel and Escape change nothing but Abbruch.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "project/ui/FormProjektInfo.h"
#include "foundation/TavVar.h"
#include "tests/foundation/ui/ModalDriver.h"

namespace tav {
namespace {

struct Fall {
  const char* name;
  const char* neuerName;  // typed into Edit1; nullptr leaves it
  int ergebnis;           // how the dialog is left
  bool uebernommen;
};

// ctest lists the case by its name, not by the bytes of the struct.
void PrintTo(const Fall& f, std::ostream* os) { *os << f.name; }

class ProjektInfo : public ::testing::TestWithParam<Fall> {};

TEST_P(ProjektInfo, TakesTheTextsOnlyOnOk) {
  const Fall& f = GetParam();
  auto s = std::make_unique<TavState>();
  s->plant.ProjektName = "Haus";
  s->plant.Projekt.ProjektName = "Haus";
  s->plant.Info1 = "Zeile 1";
  s->plant.Info2 = "Zeile 2";
  TFormProjektInfo form(*s);
  EXPECT_EQ(form.objectName(), "FormProjektInfo");
  std::string label1, label2, edit1;
  test::WhenModal([&](QWidget* d) {
    auto* dlg = static_cast<TFormProjektInfo*>(d);
    label1 = dlg->Label1->text().toStdString();
    label2 = dlg->Label2->text().toStdString();
    edit1 = dlg->Edit1->text().toStdString();
    EXPECT_EQ(dlg->focusWidget(), dlg->Edit1);
    if (std::string(f.name) == "OkUnveraendert") {
      QDir dir(QCoreApplication::applicationDirPath() + "/../screens");
      dir.mkpath(".");
      dlg->grab().save(dir.filePath("FormProjektInfo.png"));
    }
    if (f.neuerName) dlg->Edit1->setText(f.neuerName);
    dlg->Edit3->setText("neu 2");
    if (f.ergebnis == 0)
      test::Key(dlg->Edit2, Qt::Key_Escape);
    else
      (f.ergebnis == 1 ? dlg->ButtonOK : dlg->ButtonCancel)->click();
  });
  form.exec();
  EXPECT_EQ(label1, "&Name");
  EXPECT_EQ(label2, "&Zusätzliche Informationen");
  EXPECT_EQ(edit1, "Haus");
  const std::string name = f.uebernommen && f.neuerName ? f.neuerName : "Haus";
  EXPECT_EQ(s->plant.ProjektName, name);
  EXPECT_EQ(s->plant.Projekt.ProjektName, name);
  EXPECT_EQ(s->plant.Info1, "Zeile 1");
  EXPECT_EQ(s->plant.Info2, f.uebernommen ? "neu 2" : "Zeile 2");
  EXPECT_EQ(s->run.ProjektGeaendert, f.uebernommen);
  EXPECT_EQ(s->run.Abbruch, !f.uebernommen);
}

INSTANTIATE_TEST_SUITE_P(
    FormProjektInfo, ProjektInfo,
    ::testing::Values(Fall{"OkUnveraendert", nullptr, 1, true}, Fall{"OkNeuerName", "Schule", 1, true},
                      Fall{"OkLeererName", "", 1, true}, Fall{"Abbrechen", "Schule", 2, false},
                      Fall{"Escape", "Schule", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tav
