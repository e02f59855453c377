// Reads an .xlsx (an Office Open XML workbook package, Transitional or Strict) into the sheet
// stream.
#pragma once

#include <string>

namespace veltrix::sheetreader {

class RecordWriter;

// Fails NotWorkbook for a zip that holds no workbook (a .docx, a plain zip), Damaged, Encrypted
// or TooLarge otherwise.
void readXlsx(const std::string& path, RecordWriter& out);

}  // namespace veltrix::sheetreader
