// A number as a cell in a number format shows it, the text a school's system names a photo by:
// 123 in 000000 is 000123.
#pragma once

#include <string>

#include "number_format.h"

namespace veltrix::sheetreader {

// The longest text a cell holds; a number that would show longer reads as General.
constexpr std::size_t kLongestCellText = 255;

// "" for a date or a time format, and for not-a-number and the infinities.
std::string formattedNumber(double value, const NumberFormat& format);

}  // namespace veltrix::sheetreader
