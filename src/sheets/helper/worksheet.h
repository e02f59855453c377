// One sheet part of an .xlsx: its cells that hold text, sent as they are met.
#pragma once

#include <string>
#include <vector>

namespace veltrix::sheetreader {

class NumberStyles;
class RecordWriter;
class XmlPart;

// Fails Damaged on a cell or row beyond XFD1048576, a malformed reference or number, or a
// shared string index out of range.
void readWorksheet(const XmlPart& sheet, const std::vector<std::string>& sharedStrings,
                   const NumberStyles& numberStyles, RecordWriter& out);

}  // namespace veltrix::sheetreader
