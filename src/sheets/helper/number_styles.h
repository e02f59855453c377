// How a workbook's cells show their numbers: the number formats it defines and the cell styles
// that name them. Each reader fills one from its workbook and asks it for every number cell, so
// that .xls and .xlsx show a number alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "number_format.h"

namespace veltrix::sheetreader {

class NumberStyles {
 public:
  // A format of the workbook's own (an .xlsx numFmt, an .xls FORMAT record); it takes the place
  // of a built-in format of the same id.
  void defineFormat(int id, std::string_view code);
  // The next cell style in the workbook's order (an .xlsx cellXfs xf, an .xls XF record) shows
  // numbers in format id.
  void addStyle(int formatId);

  // The number as a cell of this style shows it, or "" for a date or a time. A style the
  // workbook never defined is General.
  std::string text(double value, std::size_t style) const;

 private:
  std::unordered_map<int, NumberFormat> formats_;  // read once, when defined
  std::vector<int> styles_;
};

}  // namespace veltrix::sheetreader
