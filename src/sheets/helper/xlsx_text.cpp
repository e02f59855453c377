#include "xlsx_text.h"

#include "utf8.h"

namespace veltrix::sheetreader {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of an _xHHHH_ escape at the start of text, or -1.
int escapeAt(std::string_view text) {
  if (text.size() < 7 || text[0] != '_' || text[1] != 'x' || text[6] != '_') return -1;
  int unit = 0;
  for (int i = 2; i < 6; ++i) {
    const int digit = hexValue(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

}  // namespace

std::string decodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return repairedUtf8(text);
  std::string out;
  Utf16Appender units(out);
  for (std::size_t i = 0; i < text.size();) {
    const int unit = escapeAt(text.substr(i));
    if (unit >= 0) {
      units.add(char16_t(unit));
      i += 7;
    } else {
      units.flush();
      out += text[i++];
    }
  }
  units.flush();
  return repairedUtf8(out);
}

std::string richText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node node = item.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element) continue;
    const std::string_view name = localName(node.name());
    if (name == "t") {
      text += textOf(node);
    } else if (name == "r") {
      text += textOf(child(node, "t"));
    }
  }
  return decodeEscapes(text);
}

std::vector<std::string> readSharedStrings(const XmlPart& part) {
  std::vector<std::string> strings;
  for (pugi::xml_node node = part.root().first_child(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element && localName(node.name()) == "si") {
      strings.push_back(richText(node));
    }
  }
  return strings;
}

}  // namespace veltrix::sheetreader
