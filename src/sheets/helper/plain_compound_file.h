// A compound file holding one stream and nothing else, laid out the plainest way the format
// allows. freexl opens this in place of the workbook as it came, so that a damaged or hostile
// container (its header, allocation tables and directory) meets only our own reader.
#pragma once

#include <string>
#include <string_view>

namespace veltrix::sheetreader {

// The stream is padded with zeros to the size the format keeps in whole sectors, so that no
// mini stream is needed.
std::string plainCompoundFile(std::string_view streamName, std::string_view stream);

}  // namespace veltrix::sheetreader
