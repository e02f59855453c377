#include "number_text.h"

#include <cmath>
#include <cstdio>

namespace veltrix::sheetreader {

std::string generalNumberText(double value) {
  if (!std::isfinite(value)) return {};
  if (value == 0) return "0";
  char text[32];
  // %g drops trailing zeros and picks scientific notation below 10^-4 and from 10^15 up; the
  // helper runs in the C locale, so the decimal point is a point.
  std::snprintf(text, sizeof text, "%.15G", value);
  return text;
}

}  // namespace veltrix::sheetreader
