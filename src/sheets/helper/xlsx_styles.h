// The number formats and cell styles of an .xlsx, from its styles part.
#pragma once

#include "number_styles.h"

namespace veltrix::sheetreader {

class XmlPart;

NumberStyles readNumberStyles(const XmlPart& styles);

}  // namespace veltrix::sheetreader
