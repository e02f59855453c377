// A number as a sheet shows it in the General format, the text a picture is named by.
#pragma once

#include <string>

namespace veltrix::sheetreader {

// Whole numbers below 10^15 in full (20230101, never 2.0230101E+07); others with up to 15
// significant digits and no trailing zeros (0.1, 1234.5). Magnitudes from 10^15 up, or below
// 10^-4, go to scientific notation as Excel writes it (1E+15, 1.5E-07). Excel's own General
// switches at 11 characters because of the column's width; a picture's name has no width, so
// the reader keeps every digit Excel stores. Not-a-number and infinities give "".
std::string generalNumberText(double value);

}  // namespace veltrix::sheetreader
