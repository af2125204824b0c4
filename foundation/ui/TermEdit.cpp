#include "foundation/ui/TermEdit.h"

#include <QLineEdit>

#include "foundation/BigIni.h"
#include "foundation/StrSolver.h"
#include "foundation/TextTable.h"

namespace tav {

QString EvaluateTermText(const QString& text, bool* ok) {
  TStrSolver solver;
  solver.SetTermString(text.toStdString());
  if (ok) *ok = solver.OK();
  return QString::fromStdString(solver.OK() ? IniFloatToStr(solver.Ergebnis())
                                            : solver.TermString());
}

void AttachTermSolver(QLineEdit* edit) {
  edit->setToolTip(QString::fromStdString(T(TX::EditTermSolverHint)));
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] {
    edit->setText(EvaluateTermText(edit->text()));
  });
}

}  // namespace tav
