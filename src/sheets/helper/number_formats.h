// The built-in number formats: the codes of those that show numbers, and which formats show a
// date or a time, so that a cell so formatted holds no text for a name.
#pragma once

#include <string_view>

namespace veltrix::sheetreader {

// Built-in formats 14-22 and 45-47, and 27-36 and 50-58, which are dates in the Chinese,
// Japanese and Korean editions of Excel where most of these workbooks come from.
bool isBuiltInDateFormat(int id);

// The code of built-in format id as the Chinese edition of Excel has it (5 is "¥"#,##0;"¥"-#,##0),
// or "" for General and for the ids that are dates or unknown.
std::string_view builtInFormatCode(int id);

// A custom format code with a date or time token (d, m, y, h, s, or an elapsed [h], [m], [s])
// outside quoted text, escapes and other bracketed parts such as colours and locales.
bool isDateFormatCode(std::string_view code);

}  // namespace veltrix::sheetreader
