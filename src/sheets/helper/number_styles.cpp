#include "number_styles.h"

#include <array>

#include "formatted_number.h"
#include "number_formats.h"

namespace veltrix::sheetreader {

namespace {

// Ids past the last built-in number format are dates or unknown.
constexpr int kBuiltInIds = 50;

const NumberFormat& builtInFormat(int id) {
  static const std::array<NumberFormat, kBuiltInIds> formats = [] {
    std::array<NumberFormat, kBuiltInIds> parsed;
    for (int i = 0; i < kBuiltInIds; ++i)
      parsed[std::size_t(i)] = parseNumberFormat(builtInFormatCode(i));
    return parsed;
  }();
  static const NumberFormat dateTime{NumberFormat::Kind::DateTime, {}};
  static const NumberFormat general;
  if (isBuiltInDateFormat(id)) return dateTime;
  return id >= 0 && id < kBuiltInIds ? formats[std::size_t(id)] : general;
}

}  // namespace

void NumberStyles::defineFormat(int id, std::string_view code) {
  formats_.insert_or_assign(id, parseNumberFormat(code));
}

void NumberStyles::addStyle(int formatId) {
  styles_.push_back(formatId);
}

std::string NumberStyles::text(double value, std::size_t style) const {
  if (style >= styles_.size()) return formattedNumber(value, builtInFormat(0));
  const int id = styles_[style];
  const auto custom = formats_.find(id);
  return formattedNumber(value, custom != formats_.end() ? custom->second : builtInFormat(id));
}

}  // namespace veltrix::sheetreader
