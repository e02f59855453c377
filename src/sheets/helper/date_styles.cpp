#include "date_styles.h"

#include <string>
#include <unordered_map>

#include "number_formats.h"
#include "xml_part.h"

namespace veltrix::sheetreader {

DateStyles::DateStyles(const XmlPart& styles) {
  std::unordered_map<int, bool> customDates;
  for (pugi::xml_node format : child(styles.root(), "numFmts").children()) {
    if (format.type() != pugi::node_element || localName(format.name()) != "numFmt") continue;
    customDates[format.attribute("numFmtId").as_int(-1)] =
        isDateFormatCode(format.attribute("formatCode").value());
  }
  for (pugi::xml_node xf : child(styles.root(), "cellXfs").children()) {
    if (xf.type() != pugi::node_element || localName(xf.name()) != "xf") continue;
    const int id = xf.attribute("numFmtId").as_int(0);
    const auto custom = customDates.find(id);
    dates_.push_back(custom != customDates.end() ? custom->second : isBuiltInDateFormat(id));
  }
}

}  // namespace veltrix::sheetreader
