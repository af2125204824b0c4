// Numbers must read and print the same whatever the process locale is (the GUI toolkit
// switches the C locale to the user's, where the decimal separator may be a comma).

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "foundation/TavUtil.h"

namespace tav {
namespace {

// Everything the number routines produce for a fixed set of inputs, as one list of texts.
std::vector<std::string> NumberSample() {
  std::vector<std::string> out;
  for (const char* in : {"1 234,5", "1.5", "-,5", "2,5E-2", "12,5x", "3,14159"}) {
    std::int32_t code = 0;
    const double v = StrToFloatComma(in, code);
    out.push_back(FloatToPointStr(1, 6, v) + " #" + std::to_string(code));
  }
  std::int32_t code = 0;
  out.push_back(std::to_string(StrToIntComma("2,5", code)) + " #" + std::to_string(code));
  out.push_back(FloatToCommaStr(8, 3, 1234.5678f));
  out.push_back(FloatToCommaStrAligned(8, 2, -12.345f));
  out.push_back(FloatToColonStr(5, 2, 7.5f));
  out.push_back(FloatToCommaStrZero(2, 0, 7.0f));
  out.push_back(FloatToPointStr(12, 4, 98765.4321));
  out.push_back(FloatToPointStr(1, 2, RoundDecimals(2, 2.675)));
  try {
    CheckFloatRange("12,5", 20, 30);
  } catch (const ERangeViolation& e) {
    out.push_back(e.what());
  }
  try {
    RealPower(-2.5, 0.5);
  } catch (const EMathError& e) {
    out.push_back(e.what());
  }
  std::uint8_t firstBad = 0;
  std::array<float, 24> values{};
  ParseSingleList("1,5 2.25 x", 3, firstBad, values);
  for (int i = 0; i < 3; ++i) out.push_back(FloatToCommaStr(1, 2, values[static_cast<std::size_t>(i)]));
  out.push_back(std::to_string(firstBad));
  out.push_back(DateTimeToDotStr(StrToDateChecked("29.02.2024")));
  return out;
}

// Switches the C and the C++ global locale for its lifetime.
class LocaleSwitch {
 public:
  explicit LocaleSwitch(const char* name) : previousC_(std::setlocale(LC_ALL, nullptr)) {
    if (std::setlocale(LC_ALL, name) == nullptr) return;
    try {
      previousCpp_ = std::locale::global(std::locale(name));
      ok_ = true;
    } catch (const std::runtime_error&) {
      std::setlocale(LC_ALL, previousC_.c_str());
    }
  }
  ~LocaleSwitch() {
    if (!ok_) return;
    std::locale::global(previousCpp_);
    std::setlocale(LC_ALL, previousC_.c_str());
  }
  LocaleSwitch(const LocaleSwitch&) = delete;
  LocaleSwitch& operator=(const LocaleSwitch&) = delete;
  bool ok() const { return ok_; }

 private:
  std::string previousC_;
  std::locale previousCpp_;
  bool ok_ = false;
};

TEST(Locale, NumbersReadAndPrintTheSameUnderAGermanLocale) {
  std::vector<std::string> plain;
  {
    LocaleSwitch c("C");
    ASSERT_TRUE(c.ok());
    plain = NumberSample();
  }
  EXPECT_EQ(plain[0], "1234.500000 #0");
  EXPECT_EQ(plain[7], "1234,568");

  LocaleSwitch german("de_DE.UTF-8");
  ASSERT_TRUE(german.ok()) << "locale de_DE.UTF-8 is not installed (scripts/setup makes it)";
  // The locale really is German: the C library now prints a decimal comma.
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  EXPECT_EQ(NumberSample(), plain);
}

}  // namespace
}  // namespace tav
