// Fuzzes the number rules on any text a settings file or a box may hold.
#include <cmath>

#include "fuzz_support.h"
#include "qt_input.h"
#include "settings/number_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
  const double number = leadingNumber(text);
  fuzz::check(!std::isnan(number), "a number, never NaN");
  truncToInt(number);
  roundHalfAway(number);
  integerPrefix(text);
  formatDouble(number);
  formatFloat(static_cast<float>(number));
  return 0;
}
