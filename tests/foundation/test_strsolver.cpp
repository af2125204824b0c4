#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/StrSolver.h"

namespace tav {
namespace {

struct GoodTerm {
  const char* in;
  double value;
  const char* stored;  // the cleaned term
};

TEST(StrSolver, GoodTermsGiveTheirValueAndTheCleanedTerm) {
  const GoodTerm cases[] = {
      {"2 * (2,5 + 3,5)", 12.0, "2*(2,5+3,5)"},
      {"-3+4", 1.0, "-3+4"},
      {"5-2-1", 2.0, "5-2-1"},
      {"2+3*4", 14.0, "2+3*4"},
      {"8/4/2", 1.0, "8/4/2"},
      {"2*-3", -6.0, "2*-3"},
      {"--3", 3.0, "--3"},
      {"+-+2", -2.0, "+-+2"},
      {"1.5", 1.5, "1,5"},
      {"1,5", 1.5, "1,5"},
      {"5,", 5.0, "5,"},
      {" 12 ", 12.0, "12"},
      {"((1))", 1.0, "((1))"},
      {"0,1+0,2", 0.1 + 0.2, "0,1+0,2"},
      {"007", 7.0, "007"},
  };
  TStrSolver s;
  for (const auto& c : cases) {
    s.SetTermString(c.in);
    EXPECT_TRUE(s.OK()) << c.in << " -> " << s.TermString();
    EXPECT_DOUBLE_EQ(s.Ergebnis(), c.value) << c.in;
    EXPECT_EQ(s.TermString(), c.stored) << c.in;
  }
}

struct BadTerm {
  const char* in;
  const char* stored;  // cleaned term, " // " and the error
};

TEST(StrSolver, UnreadableTermsAreRejectedWithTheirMessage) {
  const BadTerm cases[] = {
      {"1/0", "1/0 // Div/0"},
      {"(1+2", "(1+2 // Klammer-Problem"},
      {"((1", "((1 // Klammer-Problem"},
      {"*3", "*3 // Syntax error"},
      {"", " // Syntax error"},
      {"2^3", "2^3 // Fehler"},
      {"2)", "2) // Fehler"},
      // Letters, blanks inside a number and two separators would silently give another
      // number if they were dropped: "10 x 2" is not 102, "1,5e3" is not 1,53.
      {"10 x 2", "102 // Fehler"},
      {"1,5e3", "1,53 // Fehler"},
      {"1 2", "12 // Fehler"},
      {"1,2,3", "1,2,3 // Fehler"},
      {"1.000,5", "1,000,5 // Fehler"},
      {"12 m²", "12 // Fehler"},
      {"1e3", "13 // Fehler"},
  };
  TStrSolver s;
  for (const auto& c : cases) {
    EXPECT_NO_THROW(s.SetTermString(c.in)) << c.in;
    EXPECT_FALSE(s.OK()) << c.in;
    EXPECT_EQ(s.TermString(), c.stored) << c.in;
  }
}

TEST(StrSolver, DivisionByZeroKeepsTheValueAndTheLastErrorWins) {
  TStrSolver s;
  s.SetTermString("6/0+1");
  EXPECT_FALSE(s.OK());
  EXPECT_DOUBLE_EQ(s.Ergebnis(), 7.0);  // 6 unchanged by the division, then + 1
  EXPECT_EQ(s.Meldung(), "Div/0");
  s.SetTermString("1/0)");
  EXPECT_EQ(s.Meldung(), "Fehler");  // the left-over ")" comes later than the division
  s.SetTermString("3");  // a good term after a bad one clears the error
  EXPECT_TRUE(s.OK());
  EXPECT_EQ(s.TermString(), "3");
}

TEST(StrSolver, ResultsAndStepsThatAreNotFiniteAreRejected) {
  const std::string big = "1" + std::string(200, '0');      // 1e200
  const std::string huge = "9" + std::string(308, '0');     // 9e308 is out of range itself
  const std::string nearMax = "1" + std::string(308, '0');  // 1e308
  const std::string cases[] = {
      big + "*" + big,                              // product overflows
      nearMax + "+" + nearMax + "+" + nearMax,      // sum overflows
      "-" + nearMax + "-" + nearMax,                // towards minus infinity
      big + "*" + big + "-" + big + "*" + big,      // infinity minus infinity
      "1/(" + big + "*" + big + ")",                // back to 0 only through an overflow
      huge,
  };
  TStrSolver s;
  for (const std::string& term : cases) {
    s.SetTermString(term);
    EXPECT_FALSE(s.OK()) << term;
    EXPECT_EQ(s.Meldung(), "Fehler") << term;
    EXPECT_TRUE(std::isfinite(s.Ergebnis())) << term;
  }
  s.SetTermString(big + "*" + "1" + std::string(100, '0'));  // 1e300 is fine
  EXPECT_TRUE(s.OK());
  EXPECT_DOUBLE_EQ(s.Ergebnis(), 1e300);
}

TEST(StrSolver, DeepNestingIsRejectedNotOverflowingTheStack) {
  TStrSolver s;
  for (const std::string& term : {std::string(100000, '('), std::string(100000, '-') + "1",
                                  std::string(100000, '+')}) {
    s.SetTermString(term);
    EXPECT_FALSE(s.OK());
  }
  s.SetTermString(std::string(50, '(') + "2" + std::string(50, ')'));
  EXPECT_TRUE(s.OK());
  EXPECT_DOUBLE_EQ(s.Ergebnis(), 2.0);
  std::string longSum = "1";
  for (int i = 0; i < 20000; ++i) longSum += "+1";
  s.SetTermString(longSum);
  EXPECT_TRUE(s.OK());
  EXPECT_DOUBLE_EQ(s.Ergebnis(), 20001.0);
}

}  // namespace
}  // namespace tav
