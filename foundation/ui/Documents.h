#pragma once
// The customer documents delivered with the program, opened with the desktop's program for
// their type.

#include <functional>
#include <string>

namespace tav {

// Shows the questionnaire's notes and opens it; a missing file is reported.
void OpenSurveyForm(const std::string& fileName);
// Opens the cover letter; a missing file or a failure to open it is reported.
void OpenCoverLetter(const std::string& fileName);

// Hands a file to the desktop; true when that worked. Replaceable (tests, other desktops).
using DocumentOpener = std::function<bool(const std::string& fileName)>;
void SetDocumentOpener(DocumentOpener opener);

}  // namespace tav
