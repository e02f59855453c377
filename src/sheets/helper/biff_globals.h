// The globals of a BIFF5 or BIFF8 workbook stream, the records before its sheets': the
// worksheets' names and places, the shared strings, the number formats and cell styles, and the
// code page BIFF5 texts are written in.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "number_styles.h"
#include "utf8.h"

namespace veltrix::sheetreader {

struct BiffSheetEntry {
  std::string name;
  std::size_t offset = 0;  // where the sheet's BOF record is
};

struct BiffGlobals {
  bool biff8 = true;
  std::unique_ptr<CodePage> codePage;
  // The worksheets in the workbook's order; chart, macro and module sheets are not among them.
  std::vector<BiffSheetEntry> worksheets;
  std::vector<std::string> sharedStrings;
  NumberStyles styles;
};

// Fails TooOld for Excel 4.0 and earlier, Encrypted for a workbook with a password to open,
// NotWorkbook when the stream does not begin with a BOF, Damaged when a record runs past its
// end or the globals never end.
BiffGlobals readBiffGlobals(std::string_view stream);

}  // namespace veltrix::sheetreader
