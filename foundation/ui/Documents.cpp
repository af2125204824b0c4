#include "foundation/ui/Documents.h"

#include <QDesktopServices>
#include <QUrl>

#include "foundation/FileUtil.h"
#include "foundation/Messages.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

bool OpenWithDesktop(const std::string& fileName) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(fileName)));
}

DocumentOpener& Opener() {
  static DocumentOpener opener = OpenWithDesktop;
  return opener;
}

void ShowNotFound(const std::string& fileName) {
  ShowMessageLines("\"" + fileName + "\" " + T(TX::Meldung_nichtgefunden));
}

void ShowOpenFailed(const std::string& fileName) {
  ShowMessageLines("Fehler beim Öffnen des Anschreibens!|Bitte versuchen Sie, die Datei " +
                   fileName + "|direkt zu laden.");
}

}  // namespace

void SetDocumentOpener(DocumentOpener opener) {
  Opener() = opener ? std::move(opener) : DocumentOpener(OpenWithDesktop);
}

void OpenSurveyForm(const std::string& fileName) {
  if (!IsRegularFile(fileName)) {
    ShowNotFound(fileName);
    return;
  }
  ShowInfoMessage(T(TX::Fragebogen1) + "||" + T(TX::Fragebogen2));
  Opener()(fileName);
}

void OpenCoverLetter(const std::string& fileName) {
  if (!IsRegularFile(fileName)) {
    ShowNotFound(fileName);
    return;
  }
  if (!Opener()(fileName)) ShowOpenFailed(fileName);
}

}  // namespace tav
