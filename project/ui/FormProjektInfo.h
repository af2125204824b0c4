#pragma once
// TFormProjektInfo: the project's name and its two lines of additional information. The
// caller sets the caption ("Projekt-Info" or "Neues Projekt") before it shows the dialog.

#include "foundation/ui/DialogZeile.h"

namespace tav {

struct TavState;

class TFormProjektInfo : public TFormDialogZeile {
  Q_OBJECT
 public:
  explicit TFormProjektInfo(TavState& s, QWidget* parent = nullptr);

 protected:
  void FormShow() override;
  // OK (1) takes the three texts and marks the project modified, also when nothing was
  // changed; any other result only sets Abbruch.
  void done(int result) override;

 private:
  TavState& s_;
};

}  // namespace tav
