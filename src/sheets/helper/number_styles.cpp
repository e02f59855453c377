#include "number_styles.h"

#include "number_formats.h"
#include "number_text.h"

namespace veltrix::sheetreader {

void NumberStyles::defineFormat(int id, std::string_view code) {
  formats_.insert_or_assign(id, std::string(code));
}

void NumberStyles::addStyle(int formatId) {
  styles_.push_back(formatId);
}

std::string NumberStyles::text(double value, std::size_t style) const {
  if (style < styles_.size()) {
    const int id = styles_[style];
    const auto custom = formats_.find(id);
    if (custom != formats_.end() ? isDateFormatCode(custom->second) : isBuiltInDateFormat(id)) {
      return {};
    }
  }
  return generalNumberText(value);
}

}  // namespace veltrix::sheetreader
