// One sheet part of an .xlsx: its cells that hold text, read as the part inflates and sent as
// they are met, so that a sheet costs the helper no more memory however many cells it has.
#pragma once

#include <string>

namespace veltrix::sheetreader {

class NumberStyles;
class RecordWriter;
class SharedStrings;
class ZipPackage;

// Fails Damaged on a cell or row beyond XFD1048576, a malformed reference or number, or a
// shared string index out of range; otherwise as streamXmlPart does.
void readWorksheet(const ZipPackage& package, const std::string& part,
                   const SharedStrings& sharedStrings, const NumberStyles& numberStyles,
                   RecordWriter& out);

}  // namespace veltrix::sheetreader
