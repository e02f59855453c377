// A small XML part of a workbook package (the workbook, relationships, styles) parsed whole,
// without any document type: a DOCTYPE anywhere is refused before parsing, so no entity is ever
// declared, let alone expanded. Elements are matched by their local name, so Strict namespaces
// and prefixes such as x:row read alike.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace veltrix::sheetreader {

class XmlPart {
 public:
  // Parses the bytes in place; fails Damaged on a DOCTYPE or malformed XML.
  explicit XmlPart(std::string bytes);
  XmlPart(const XmlPart&) = delete;
  XmlPart& operator=(const XmlPart&) = delete;

  pugi::xml_node root() const { return document_.document_element(); }

 private:
  std::string bytes_;
  pugi::xml_document document_;
};

std::string_view localName(const char* name);

// The first child element with this local name, or an empty node.
pugi::xml_node child(pugi::xml_node parent, std::string_view name);

// The attribute with this local name that carries a prefix (r:id), as opposed to an
// unprefixed one of the same local name.
pugi::xml_attribute prefixedAttribute(pugi::xml_node node, std::string_view name);

}  // namespace veltrix::sheetreader
