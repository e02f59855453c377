#include "xml_part.h"

#include <cstring>

#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

bool holdsDoctype(std::string_view bytes) {
  constexpr std::string_view kDoctype = "<!doctype";
  for (std::size_t at = bytes.find("<!"); at != std::string_view::npos;
       at = bytes.find("<!", at + 2)) {
    if (bytes.size() - at < kDoctype.size()) return false;
    bool same = true;
    for (std::size_t i = 2; i < kDoctype.size() && same; ++i) {
      char c = bytes[at + i];
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
      same = c == kDoctype[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

XmlPart::XmlPart(std::string bytes) : bytes_(std::move(bytes)) {
  if (holdsDoctype(bytes_)) fail(sheetstream::kExitDamaged);
  // A space alone in a cell is text; pugixml drops whitespace-only character data otherwise.
  const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
  const pugi::xml_parse_result result =
      document_.load_buffer_inplace(bytes_.data(), bytes_.size(), options, pugi::encoding_utf8);
  if (result.status == pugi::status_out_of_memory) fail(sheetstream::kExitTooLarge);
  if (!result) fail(sheetstream::kExitDamaged);
}

std::string_view localName(const char* name) {
  const char* colon = std::strrchr(name, ':');
  return colon ? std::string_view(colon + 1) : std::string_view(name);
}

pugi::xml_node child(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element && localName(node.name()) == name) return node;
  }
  return {};
}

pugi::xml_attribute prefixedAttribute(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    const char* full = attribute.name();
    if (std::strchr(full, ':') && localName(full) == name) return attribute;
  }
  return {};
}

}  // namespace veltrix::sheetreader
