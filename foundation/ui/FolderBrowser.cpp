#include "foundation/ui/FolderBrowser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace tav {

namespace {

std::optional<std::string> SystemChooser(QWidget* owner, const std::string& title,
                                         const std::string& initial, bool includeFiles,
                                         bool newStyle) {
  QFileDialog dialog(owner, QString::fromStdString(title));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::ShowDirsOnly, !includeFiles);
  // Only Qt's own chooser can list files in folder mode or leave out the new-folder button.
  if (includeFiles || !newStyle) dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  if (!newStyle) dialog.setOption(QFileDialog::ReadOnly, true);
  const QFileInfo start(QString::fromStdString(initial));
  if (!initial.empty() && start.isDir()) {
    dialog.setDirectory(start.absoluteFilePath());
    dialog.selectFile(start.absoluteFilePath());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen.front()).toStdString();
}

TFolderBrowser::Chooser& CurrentChooser() {
  static TFolderBrowser::Chooser chooser = SystemChooser;
  return chooser;
}

}  // namespace

TFolderBrowser::TFolderBrowser(QWidget* owner, std::string title, bool includeFiles,
                               bool newStyle, std::string initialFolder)
    : owner_(owner),
      title_(std::move(title)),
      includeFiles_(includeFiles),
      newStyle_(newStyle),
      initial_(std::move(initialFolder)) {}

bool TFolderBrowser::Execute() {
  const auto chosen = CurrentChooser()(owner_, title_, initial_, includeFiles_, newStyle_);
  if (!chosen || chosen->empty()) return false;
  folder_ = *chosen;
  return true;
}

void TFolderBrowser::SetChooser(Chooser chooser) {
  CurrentChooser() = chooser ? std::move(chooser) : Chooser(SystemChooser);
}

}  // namespace tav
