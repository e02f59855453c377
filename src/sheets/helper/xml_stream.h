// An XML part read as it inflates, for the parts that grow with a sheet (its cells, the shared
// strings): the reader keeps what it wants of each element as it passes, never the document.
// It holds the guards XmlPart holds: a DOCTYPE is refused, so no entity but the predefined ones
// is ever known, and names are matched by their local name.
#pragma once

#include <string>
#include <string_view>

namespace veltrix::sheetreader {

class ZipPackage;

// What a streamed part tells its reader, in document order. A failure thrown from here
// (fail(), std::bad_alloc) ends the reading and is thrown on by streamXmlPart.
class XmlEvents {
 public:
  // attributes: name, value, name, value, ..., nullptr, as the part spells the names.
  virtual void start(std::string_view localName, const char* const* attributes) = 0;
  virtual void end() = 0;
  // Character data of the element last started and not ended, in pieces of any size.
  virtual void text(std::string_view characters) = 0;

 protected:
  ~XmlEvents() = default;
};

// No token (a tag with its attributes, a comment) may be longer: expat holds a token whole.
inline constexpr std::size_t kMaxXmlToken = 4u << 20;

// Elements may nest no deeper.
inline constexpr int kMaxXmlDepth = 256;

// Fails Damaged on a DOCTYPE, malformed XML or elements nested past kMaxXmlDepth, TooLarge on a
// token past kMaxXmlToken, and as ZipPackage::stream does.
void streamXmlPart(const ZipPackage& package, const std::string& part, XmlEvents& events);

// The value of the attribute of that name without a prefix, or nullptr.
const char* attributeValue(const char* const* attributes, std::string_view name);

}  // namespace veltrix::sheetreader
