// A package part's relationships (its _rels/NAME.rels part): how the package finds its workbook,
// and the workbook its sheets, shared strings and styles, wherever the writer put them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veltrix::sheetreader {

class ZipPackage;

struct Relationship {
  std::string kind;    // the last segment of the type: "officeDocument", "worksheet", ...
  std::string target;  // the part name, resolved against the source part
};

class Relationships {
 public:
  // The relationships of sourcePart, or of the package itself for "". None when the package
  // holds no relationships part for it.
  Relationships(const ZipPackage& package, const std::string& sourcePart);

  const Relationship* byId(const std::string& id) const;
  const Relationship* firstOfKind(std::string_view kind) const;

 private:
  std::unordered_map<std::string, Relationship> byId_;
  std::vector<std::string> order_;
};

// A relationship's target as a part name: relative to the source part's folder, or from the
// package root when it starts with "/"; "." and ".." segments resolved.
std::string resolvePartName(const std::string& sourcePart, std::string_view target);

}  // namespace veltrix::sheetreader
