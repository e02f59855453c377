// Reads an .xls (BIFF5 or BIFF8 in a compound file) into the sheet stream through freexl.
#pragma once

#include <string>

namespace veltrix::sheetreader {

class RecordWriter;

// Fails NotWorkbook for a compound file without a workbook stream (a .doc), Encrypted for a
// workbook with a password to open (or an .xlsx saved with one), Damaged or TooLarge otherwise.
void readXls(const std::string& path, RecordWriter& out);

}  // namespace veltrix::sheetreader
