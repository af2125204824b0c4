// The folder chooser: Cancel leaves the result alone; a chosen folder comes back whole, also
// a path far longer than the old 262-character limit.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <filesystem>
#include <string>

#include "foundation/ui/FolderBrowser.h"
#include "foundation/ui/ModalDriver.h"
#include "support/TempDir.h"

namespace tav {
namespace {

TEST(FolderBrowser, CancelKeepsTheResultAndALongPathComesBackWhole) {
  test::TempDir dir;
  std::filesystem::path lang = dir.path();
  while (lang.string().size() < 300) lang /= "ein_recht_langer_Ordnername_fuer_Daten";
  std::filesystem::create_directories(lang);

  TFolderBrowser abbruch(nullptr, "Datenordner", false, true, lang.string());
  std::string titel;
  test::WhenModal([&](QWidget* w) {
    titel = w->windowTitle().toStdString();
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(abbruch.Execute());
  EXPECT_EQ(titel, "Datenordner");
  EXPECT_TRUE(abbruch.Folder().empty());

  TFolderBrowser wahl(nullptr, "Datenordner", false, false, lang.string());
  test::WhenModal([](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(d, nullptr);
    static_cast<QDialog*>(d)->accept();  // the folder selected at the start
  });
  ASSERT_TRUE(wahl.Execute());
  EXPECT_EQ(std::filesystem::path(wahl.Folder()), lang);

  // A start folder that does not exist leaves the chooser at its own start.
  TFolderBrowser fehlt(nullptr, "Datenordner", true, true, (dir / "gibt es nicht").string());
  std::string start;
  test::WhenModal([&](QWidget* w) {
    start = qobject_cast<QFileDialog*>(w)->directory().absolutePath().toStdString();
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(fehlt.Execute());
  EXPECT_EQ(start.find("gibt es nicht"), std::string::npos);
}

}  // namespace
}  // namespace tav
