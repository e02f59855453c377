#include "xlsx_reader.h"

#include <memory>
#include <vector>

#include "read_failure.h"
#include "record_writer.h"
#include "relationships.h"
#include "shared_strings.h"
#include "utf8.h"
#include "worksheet.h"
#include "xlsx_styles.h"
#include "xml_part.h"
#include "zip_package.h"

namespace veltrix::sheetreader {

namespace {

struct SheetEntry {
  std::string name;
  std::string part;
};

std::unique_ptr<XmlPart> optionalPart(const ZipPackage& package, const Relationship* link) {
  if (!link || !package.has(link->target)) return nullptr;
  return std::make_unique<XmlPart>(package.read(link->target));
}

}  // namespace

void readXlsx(const std::string& path, RecordWriter& out) {
  const ZipPackage package(path);
  // Kept while document points into it.
  const Relationships packageLinks(package, "");
  const Relationship* document = packageLinks.firstOfKind("officeDocument");
  if (!document || !package.has(document->target)) fail(sheetstream::kExitNotWorkbook);
  const std::string bookName = document->target;

  std::vector<SheetEntry> sheets;
  const Relationships links(package, bookName);
  {
    const XmlPart book(package.read(bookName));
    if (localName(book.root().name()) != "workbook") fail(sheetstream::kExitNotWorkbook);
    for (pugi::xml_node sheet : child(book.root(), "sheets").children()) {
      if (sheet.type() != pugi::node_element || localName(sheet.name()) != "sheet") continue;
      const std::string id = prefixedAttribute(sheet, "id").value();
      // Macro workbooks list sheets that have no part of their own, with an empty r:id.
      if (id.empty()) continue;
      const Relationship* link = links.byId(id);
      if (!link) fail(sheetstream::kExitDamaged);
      // Chart sheets and the like hold no cells to name pictures by.
      if (link->kind != "worksheet") continue;
      sheets.push_back({repairedUtf8(sheet.attribute("name").value()), link->target});
    }
  }

  SharedStrings strings;
  if (const Relationship* part = links.firstOfKind("sharedStrings");
      part && package.has(part->target)) {
    strings = readSharedStrings(package, part->target);
  }
  NumberStyles styles;
  if (const std::unique_ptr<XmlPart> part = optionalPart(package, links.firstOfKind("styles"))) {
    styles = readNumberStyles(*part);
  }

  for (const SheetEntry& sheet : sheets) {
    out.sheet(sheet.name);
    readWorksheet(package, sheet.part, strings, styles, out);
  }
}

}  // namespace veltrix::sheetreader
