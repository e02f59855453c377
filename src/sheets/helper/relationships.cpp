#include "relationships.h"

#include "xml_part.h"
#include "zip_package.h"

namespace veltrix::sheetreader {

namespace {

std::string folderOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash);
}

std::string relationshipsPartOf(const std::string& sourcePart) {
  if (sourcePart.empty()) return "_rels/.rels";
  const std::string folder = folderOf(sourcePart);
  const std::string name = sourcePart.substr(folder.empty() ? 0 : folder.size() + 1);
  return (folder.empty() ? "" : folder + "/") + "_rels/" + name + ".rels";
}

}  // namespace

std::string resolvePartName(const std::string& sourcePart, std::string_view target) {
  std::string path;
  if (!target.empty() && target[0] == '/') {
    path = std::string(target.substr(1));
  } else {
    const std::string folder = folderOf(sourcePart);
    path = folder.empty() ? std::string(target) : folder + "/" + std::string(target);
  }
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string segment = path.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = slash + 1;
  }
  std::string name;
  for (const std::string& segment : segments) name += (name.empty() ? "" : "/") + segment;
  return name;
}

Relationships::Relationships(const ZipPackage& package, const std::string& sourcePart) {
  const std::string partName = relationshipsPartOf(sourcePart);
  if (!package.has(partName)) return;
  const XmlPart part(package.read(partName));
  for (pugi::xml_node node : part.root().children()) {
    if (node.type() != pugi::node_element || localName(node.name()) != "Relationship") continue;
    if (std::string_view(node.attribute("TargetMode").value()) == "External") continue;
    const std::string_view type = node.attribute("Type").value();
    const std::size_t slash = type.rfind('/');
    Relationship relationship{
        std::string(slash == std::string_view::npos ? type : type.substr(slash + 1)),
        resolvePartName(sourcePart, node.attribute("Target").value())};
    const std::string id = node.attribute("Id").value();
    if (byId_.emplace(id, std::move(relationship)).second) order_.push_back(id);
  }
}

const Relationship* Relationships::byId(const std::string& id) const {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : &found->second;
}

const Relationship* Relationships::firstOfKind(std::string_view kind) const {
  for (const std::string& id : order_) {
    const Relationship& relationship = byId_.at(id);
    if (relationship.kind == kind) return &relationship;
  }
  return nullptr;
}

}  // namespace veltrix::sheetreader
