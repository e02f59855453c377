// Which number formats show a date or a time: a cell so formatted holds no text for a name.
#pragma once

#include <string_view>

namespace veltrix::sheetreader {

// Built-in formats 14-22 and 45-47, and 27-36 and 50-58, which are dates in the Chinese,
// Japanese and Korean editions of Excel where most of these workbooks come from.
bool isBuiltInDateFormat(int id);

// A custom format code with a date or time token (d, m, y, h, s, or an elapsed [h], [m], [s])
// outside quoted text, escapes and other bracketed parts such as colours and locales.
bool isDateFormatCode(std::string_view code);

}  // namespace veltrix::sheetreader
