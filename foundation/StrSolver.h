#pragma once
// TStrSolver: lets a numeric field take a small arithmetic term instead of a number: the four
// basic operations, unary signs, parentheses and the decimal comma ("." is taken as well).
// Writing the term evaluates it; OK tells whether it could be read, Ergebnis holds the value,
// and on an error TermString gives the cleaned term followed by " // " and the error.

#include <cstddef>
#include <string>

namespace tav {

class TStrSolver {
 public:
  // Evaluates Term. Never throws; what cannot be read, and a result or step that is not a
  // finite number (an overflowing product or sum), sets OK to false.
  void SetTermString(const std::string& term);

  // The cleaned term, with " // " and the error text appended when the evaluation failed.
  const std::string& TermString() const { return term_; }
  bool OK() const { return ok_; }
  double Ergebnis() const { return ergebnis_; }
  // Text of the last error ("Div/0", "Klammer-Problem", "Syntax error" or "Fehler").
  const std::string& Meldung() const { return meldung_; }

 private:
  void Next();
  void Fail(const char* meldung);
  void CheckFinite(double value);
  double Expression();
  double Term();
  double Factor();
  double Primary();
  double Parenthesis();
  double Number();

  std::string term_;
  std::string meldung_;
  double ergebnis_ = 0.0;
  bool ok_ = false;
  std::size_t pos_ = 0;  // 1-based position of the current character
  char ch_ = '\0';       // the current character, '\0' past the end
  int depth_ = 0;        // nesting of signs and parentheses
};

}  // namespace tav
