#pragma once
// TFolderBrowser: the system's folder chooser with a title, a folder selected at the start,
// optionally the files shown beside the folders and the new-folder button.

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace tav {

class TFolderBrowser {
 public:
  // Owner is the window the chooser stays above (may be nullptr).
  TFolderBrowser(QWidget* owner, std::string title, bool includeFiles, bool newStyle,
                 std::string initialFolder);

  // Shows the chooser. True with Folder() set to the chosen folder (never shortened); false
  // when cancelled, Folder() then unchanged. An initial folder that does not exist leaves the
  // chooser at its own start.
  bool Execute();
  const std::string& Folder() const { return folder_; }

  // What the chooser answers: the chosen folder, or nothing when cancelled. Tests and other
  // desktops replace it; nullptr restores the system's chooser.
  using Chooser = std::function<std::optional<std::string>(
      QWidget* owner, const std::string& title, const std::string& initialFolder,
      bool includeFiles, bool newStyle)>;
  static void SetChooser(Chooser chooser);

 private:
  QWidget* owner_;
  std::string title_;
  bool includeFiles_;
  bool newStyle_;
  std::string initial_;
  std::string folder_;
};

}  // namespace tav
