#pragma once
// Numeric edit fields that take an arithmetic term: when the field is left, its text is
// evaluated and replaced by the result, or by the cleaned term with " // " and the error.

#include <QString>

class QLineEdit;

namespace tav {

// The text a field shows after its term was evaluated; Ok tells whether it was readable.
QString EvaluateTermText(const QString& text, bool* ok = nullptr);

// Evaluates the field's term whenever editing finishes and gives it the term hint.
void AttachTermSolver(QLineEdit* edit);

}  // namespace tav
