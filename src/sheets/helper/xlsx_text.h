// Text as .xlsx parts hold it: shared strings and inline strings made of runs, with phonetic
// guides beside them, and characters XML cannot carry written as _xHHHH_.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml_part.h"

namespace veltrix::sheetreader {

// _xHHHH_ as the UTF-16 unit it names (pairs joined), _x005F_ as the underscore that keeps the
// following _xHHHH_ literal; the result is valid UTF-8.
std::string decodeEscapes(std::string_view text);

// The text of a shared string item or an inline string: its own <t>, or the <t> of each run;
// phonetic runs (<rPh>), the reading shown above Japanese names, are not part of it.
std::string richText(pugi::xml_node item);

// Every item of the shared strings part, in order; the count attributes are not trusted.
std::vector<std::string> readSharedStrings(const XmlPart& part);

}  // namespace veltrix::sheetreader
