#pragma once
// One window of a kind, made on first use and kept while its parent lives (a window deleted
// with its parent is made anew). A window takes its captions from the text table when it is
// built, so after a language switch a closed window is made anew in the new language; one
// still open stays as it is until it is closed.

#include <QPointer>
#include <QWidget>

#include "foundation/Language.h"

namespace tav {

template <class F, class Make>
F& KeptWindow(QPointer<F>& form, int& language, Make&& make) {
  if (form && language != LanguageGeneration() && !form->isVisible()) delete form.data();
  if (!form) {
    form = make();
    language = LanguageGeneration();
  }
  return *form;
}

}  // namespace tav
