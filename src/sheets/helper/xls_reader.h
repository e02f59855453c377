// Reads an .xls (a BIFF5 or BIFF8 workbook stream in a compound file) into the sheet stream.
#pragma once

#include <string>
#include <string_view>

namespace veltrix::sheetreader {

class RecordWriter;

// Fails NotWorkbook for a compound file without a workbook stream (a .doc), Encrypted for a
// workbook with a password to open (or an .xlsx saved with one), TooOld for Excel 4.0 and
// earlier, Damaged or TooLarge otherwise.
void readXls(const std::string& path, RecordWriter& out);

// A file that is the workbook stream alone, without the compound file around it.
void readBareBiff(const std::string& path, RecordWriter& out);

// The workbook stream itself: its worksheets in order, each with its text and number cells as a
// spreadsheet program shows them.
void readBiffStream(std::string_view stream, RecordWriter& out);

}  // namespace veltrix::sheetreader
