#include "number_digits.h"

#include <charconv>
#include <cmath>

namespace veltrix::sheetreader {

namespace {

constexpr std::size_t kKeptDigits = 15;

void dropTrailingZeros(DecimalDigits& number) {
  const std::size_t last = number.digits.find_last_not_of('0');
  number.digits.resize(last == std::string::npos ? 0 : last + 1);
  if (number.isZero()) number.point = 0;
}

// Cuts the digits to keep of them and adds one in the last place kept when the first digit cut
// is 5 or more: half away from zero, whatever follows that digit.
void roundAt(DecimalDigits& number, std::size_t keep) {
  if (keep >= number.digits.size()) return;
  const bool up = number.digits[keep] >= '5';
  number.digits.resize(keep);
  if (up) {
    std::size_t i = keep;
    while (i > 0 && number.digits[i - 1] == '9') number.digits[--i] = '0';
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.point;
    } else {
      ++number.digits[i - 1];
    }
  }
  dropTrailingZeros(number);
}

}  // namespace

DecimalDigits excelDigits(double value) {
  DecimalDigits number;
  value = std::fabs(value);
  if (value == 0) return number;
  // Twenty digits after the first, exactly rounded, so that the fifteenth is rounded once and
  // only a true half rounds up.
  char text[40];
  const auto written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 20);
  const std::string_view printed(text, std::size_t(written.ptr - text));
  const std::size_t exponent = printed.find('e');
  for (char c : printed.substr(0, exponent)) {
    if (c != '.') number.digits += c;
  }
  int power = 0;
  const std::string_view powerText = printed.substr(exponent + 1);
  std::from_chars(powerText.data() + (powerText[0] == '+' ? 1 : 0),
                  powerText.data() + powerText.size(), power);
  number.point = power + 1;
  roundAt(number, kKeptDigits);
  dropTrailingZeros(number);
  return number;
}

void shiftDecimal(DecimalDigits& number, int power) {
  if (!number.isZero()) number.point += power;
}

void roundToDecimals(DecimalDigits& number, int decimals) {
  if (number.isZero()) return;
  const long keep = long(number.point) + decimals;
  if (keep < 0) {
    number = {};
  } else {
    roundAt(number, std::size_t(keep));
  }
}

std::string integerDigits(const DecimalDigits& number) {
  const int length = number.integerLength();
  std::string text = number.digits.substr(0, std::size_t(length));
  text.resize(std::size_t(length), '0');
  return text;
}

std::string fractionDigits(const DecimalDigits& number, int count) {
  std::string text(std::size_t(count), '0');
  for (int i = 0; i < count; ++i) {
    const long at = long(number.point) + i;
    if (at >= 0 && at < long(number.digits.size()))
      text[std::size_t(i)] = number.digits[std::size_t(at)];
  }
  return text;
}

}  // namespace veltrix::sheetreader
