#include "xlsx_styles.h"

#include "xml_part.h"

namespace veltrix::sheetreader {

NumberStyles readNumberStyles(const XmlPart& styles) {
  NumberStyles numberStyles;
  for (pugi::xml_node format : child(styles.root(), "numFmts").children()) {
    if (format.type() != pugi::node_element || localName(format.name()) != "numFmt") continue;
    numberStyles.defineFormat(format.attribute("numFmtId").as_int(-1),
                              format.attribute("formatCode").value());
  }
  for (pugi::xml_node xf : child(styles.root(), "cellXfs").children()) {
    if (xf.type() != pugi::node_element || localName(xf.name()) != "xf") continue;
    numberStyles.addStyle(xf.attribute("numFmtId").as_int(0));
  }
  return numberStyles;
}

}  // namespace veltrix::sheetreader
