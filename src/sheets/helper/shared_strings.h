// The shared strings of an .xlsx, read as the part inflates and each kept only as far as a cell
// sends it, so that they cost what they hold and not what the part spends on them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::sheetreader {

class ZipPackage;

class SharedStrings {
 public:
  void add(std::string_view text);
  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t index) const;

 private:
  std::string bytes_;                // every string, one after the other
  std::vector<std::uint32_t> ends_;  // where each ends in bytes_
};

// Every item of the part, in order; the count attributes are not trusted. Fails as
// streamXmlPart does.
SharedStrings readSharedStrings(const ZipPackage& package, const std::string& part);

}  // namespace veltrix::sheetreader
