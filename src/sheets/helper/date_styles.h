// Which cell styles of an .xlsx show a date or a time, from its styles part.
#pragma once

#include <cstddef>
#include <vector>

namespace veltrix::sheetreader {

class XmlPart;

class DateStyles {
 public:
  DateStyles() = default;
  explicit DateStyles(const XmlPart& styles);

  // style: a cell's s attribute, an index into the cell formats; one out of range is General.
  bool isDate(std::size_t style) const { return style < dates_.size() && dates_[style]; }

 private:
  std::vector<bool> dates_;
};

}  // namespace veltrix::sheetreader
