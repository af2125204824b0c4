// The number and date readers on any text: no fault, and what the file writer makes of a
// number or date it read, the reader reads back as the same value.
#include <array>
#include <cmath>

#include "FuzzSupport.h"
#include "foundation/BigIni.h"
#include "foundation/TavUtil.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);

  IniStrToInt(text, 0);
  const double v = IniStrToFloat(text, 0.0);
  if (std::isfinite(v)) {
    const std::string written = IniFloatToStr(v);
    const double back = IniStrToFloat(written, std::nan(""));
    fuzz::Require(std::fabs(back - v) <= 1e-14 * std::fabs(v) + 1e-300,
                  "numbers: a written number reads back as another value", std::string(text),
                  written);
  }

  std::int32_t code = 0;
  StrToFloatComma(text, code);
  StrToIntComma(text, code);
  std::array<float, 24> values{};
  std::uint8_t firstBad = 0;
  ParseSingleList(text, size > 0 ? static_cast<std::uint8_t>(data[0] % 25) : 12, firstBad, values);
  try {
    CheckFloatRange(text, -1000.0, 1000.0);
  } catch (const ENonsenseInput&) {
  } catch (const ERangeViolation&) {
  }
  try {
    CheckIntRange(text, -1000, 1000);
  } catch (const ENonsenseInput&) {
  } catch (const ERangeViolation&) {
  }

  TDateTime d = 0.0;
  if (IniStrToDate(text, d)) {
    TDateTime back = -1.0;
    const std::string written = IniDateToStr(d);
    fuzz::Require(IniStrToDate(written, back) && back == d,
                  "numbers: a written date reads back as another day", std::string(text), written);
  }
  if (IniStrToTime(text, d)) IniTimeToStr(d);
  if (IniStrToDateTime(text, d)) IniDateTimeToStr(d);
  return 0;
}
