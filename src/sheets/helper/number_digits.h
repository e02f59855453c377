// The decimal digits a spreadsheet program keeps of a number, fifteen significant ones, and the
// rounding it does on them, so that a format shows 2.675 to two places as 2.68, as the user
// typed it, never 2.67 from the binary fraction beneath.
#pragma once

#include <string>

namespace veltrix::sheetreader {

// A magnitude as significant decimal digits: the value is 0.<digits> x 10^point. Zero has no
// digits; the digits never end in a zero.
struct DecimalDigits {
  std::string digits;
  int point = 0;

  bool isZero() const { return digits.empty(); }
  // The number of digits before the decimal point, 0 below one.
  int integerLength() const { return isZero() || point < 0 ? 0 : point; }
};

// |value| rounded to fifteen significant digits, half away from zero; value is finite.
DecimalDigits excelDigits(double value);

// Multiplies by 10^power (percent signs, scaling commas).
void shiftDecimal(DecimalDigits& number, int power);

// Rounds half away from zero to that many digits after the point (a negative count rounds to
// tens, hundreds and so on).
void roundToDecimals(DecimalDigits& number, int decimals);

// The digits before the point, without leading zeros: "" below one.
std::string integerDigits(const DecimalDigits& number);

// Exactly count digits after the point, cut (not rounded) beyond them.
std::string fractionDigits(const DecimalDigits& number, int count);

}  // namespace veltrix::sheetreader
