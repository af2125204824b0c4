#include "foundation/StrSolver.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tav {

namespace {

constexpr char kDecimalSeparator = ',';
// Deeper nesting of signs or parentheses than this is no sensible input; it is rejected
// instead of exhausting the stack.
constexpr int kMaxDepth = 200;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }
bool IsOperator(char c) {
  return c == '(' || c == ')' || c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Keeps digits, operators and parentheses, turns "." and "," into the decimal comma and
// drops blanks. Everything else (letters, units, other signs) and a blank inside a number
// make the input unreadable: the value would silently differ from what was meant.
std::string Filter(const std::string& text, bool& readable) {
  std::string out;
  readable = true;
  bool blankAfterNumber = false;
  for (char c : text) {
    if (IsDigit(c) || IsSeparator(c)) {
      if (blankAfterNumber) readable = false;
      out += IsSeparator(c) ? kDecimalSeparator : c;
    } else if (IsOperator(c)) {
      out += c;
    } else if (!IsBlank(c)) {
      readable = false;
    }
    if (IsBlank(c)) {
      blankAfterNumber = blankAfterNumber || (!out.empty() && (IsDigit(out.back()) ||
                                                               out.back() == kDecimalSeparator));
    } else {
      blankAfterNumber = false;
    }
  }
  return out;
}

}  // namespace

void TStrSolver::SetTermString(const std::string& term) {
  bool readable = true;
  term_ = Filter(term, readable);
  meldung_.clear();
  ok_ = true;
  if (!readable) Fail("Fehler");
  pos_ = 0;
  depth_ = 0;
  ergebnis_ = Expression();
  if (ch_ != '\0') Fail("Fehler");
  if (!std::isfinite(ergebnis_)) {
    Fail("Fehler");
    ergebnis_ = 0.0;
  }
  if (!ok_) term_ += " // " + meldung_;
}

void TStrSolver::Next() {
  ++pos_;
  ch_ = pos_ <= term_.size() ? term_[pos_ - 1] : '\0';
}

void TStrSolver::Fail(const char* meldung) {
  meldung_ = meldung;
  ok_ = false;
}

// An overflow on the way is an error even when a later step would bring the value back into
// range: one divided by the square of a 200-digit number is not 0.
void TStrSolver::CheckFinite(double value) {
  if (!std::isfinite(value)) Fail("Fehler");
}

double TStrSolver::Expression() {
  double value = Term();
  while (ch_ == '+' || ch_ == '-') {
    if (ch_ == '+') {
      value += Term();
    } else {
      value -= Term();
    }
    CheckFinite(value);
  }
  return value;
}

double TStrSolver::Term() {
  double value = Factor();
  while (ch_ == '*' || ch_ == '/') {
    if (ch_ == '*') {
      value *= Factor();
    } else {
      const double d = Factor();
      if (d == 0.0) {
        Fail("Div/0");
      } else {
        value /= d;
      }
    }
    CheckFinite(value);
  }
  return value;
}

double TStrSolver::Factor() {
  Next();
  if (ch_ != '+' && ch_ != '-') return Primary();
  if (depth_ >= kMaxDepth) {
    Fail("Fehler");
    ch_ = '\0';  // nothing more of this term is read
    return 0.0;
  }
  const bool negative = ch_ == '-';
  ++depth_;
  const double value = Factor();
  --depth_;
  return negative ? -value : value;
}

double TStrSolver::Primary() {
  if (ch_ == '(') return Parenthesis();
  if (IsDigit(ch_)) return Number();
  Fail("Syntax error");
  return 0.0;
}

double TStrSolver::Parenthesis() {
  if (depth_ >= kMaxDepth) {
    Fail("Fehler");
    ch_ = '\0';
    return 0.0;
  }
  ++depth_;
  const double value = Expression();
  --depth_;
  if (ch_ != ')') {
    Fail("Klammer-Problem");
  } else {
    Next();
  }
  return value;
}

double TStrSolver::Number() {
  std::string text;
  int separators = 0;
  while (IsDigit(ch_) || ch_ == kDecimalSeparator) {
    if (ch_ == kDecimalSeparator) {
      ++separators;
      text += '.';
    } else {
      text += ch_;
    }
    Next();
  }
  // Two separators in one number ("1,2,3") make no number.
  double value = 0.0;
  if (separators > 1) {
    Fail("Fehler");
    return 0.0;
  }
  if (text.back() == '.') text.pop_back();
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec != std::errc() || end != last) {
    Fail("Fehler");
    return 0.0;
  }
  return value;
}

}  // namespace tav
