#include "number_formats.h"

namespace veltrix::sheetreader {

namespace {

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool isDateToken(char c) {
  c = lower(c);
  return c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 's';
}

// [h], [mm], [ss]: elapsed time; any other bracket is a colour, a condition or a locale.
bool isElapsedTime(std::string_view inside) {
  if (inside.empty()) return false;
  const char first = lower(inside[0]);
  if (first != 'h' && first != 'm' && first != 's') return false;
  for (char c : inside) {
    if (lower(c) != first) return false;
  }
  return true;
}

}  // namespace

bool isBuiltInDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

std::string_view builtInFormatCode(int id) {
  switch (id) {
    case 1:
      return "0";
    case 2:
      return "0.00";
    case 3:
      return "#,##0";
    case 4:
      return "#,##0.00";
    case 5:
      return "\"¥\"#,##0;\"¥\"-#,##0";
    case 6:
      return "\"¥\"#,##0;[Red]\"¥\"-#,##0";
    case 7:
      return "\"¥\"#,##0.00;\"¥\"-#,##0.00";
    case 8:
      return "\"¥\"#,##0.00;[Red]\"¥\"-#,##0.00";
    case 9:
      return "0%";
    case 10:
      return "0.00%";
    case 11:
      return "0.00E+00";
    case 12:
      return "# ?/?";
    case 13:
      return "# ?\?/??";
    case 37:
      return "#,##0 ;(#,##0)";
    case 38:
      return "#,##0 ;[Red](#,##0)";
    case 39:
      return "#,##0.00;(#,##0.00)";
    case 40:
      return "#,##0.00;[Red](#,##0.00)";
    case 48:
      return "##0.0E+0";
    case 49:
      return "@";
    default:
      return {};
  }
}

bool isDateFormatCode(std::string_view code) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') {
      const std::size_t close = code.find('"', i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is shown, padded or repeated, never read as a token
    } else if (c == '[') {
      const std::size_t close = code.find(']', i + 1);
      if (close == std::string_view::npos) return false;
      if (isElapsedTime(code.substr(i + 1, close - i - 1))) return true;
      i = close;
    } else if (isDateToken(c)) {
      return true;
    }
  }
  return false;
}

}  // namespace veltrix::sheetreader
