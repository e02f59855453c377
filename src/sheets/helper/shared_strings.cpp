#include "shared_strings.h"

#include "xlsx_text.h"
#include "xml_stream.h"

namespace veltrix::sheetreader {

namespace {

// Items are the root's <si> children; everything inside one goes to its text.
class SharedStringEvents final : public XmlEvents {
 public:
  explicit SharedStringEvents(SharedStrings& strings) : strings_(strings) {}

  void start(std::string_view localName, const char* const*) override {
    ++depth_;
    if (depth_ == 2) {
      inItem_ = localName == "si";
    } else if (inItem_) {
      item_.start(localName);
    }
  }

  void end() override {
    if (depth_ == 2 && inItem_) {
      strings_.add(item_.take());
      inItem_ = false;
    } else if (inItem_) {
      item_.end();
    }
    --depth_;
  }

  void text(std::string_view characters) override {
    if (inItem_) item_.text(characters);
  }

 private:
  SharedStrings& strings_;
  RichText item_;
  int depth_ = 0;
  bool inItem_ = false;
};

}  // namespace

void SharedStrings::add(std::string_view text) {
  bytes_ += text;
  ends_.push_back(std::uint32_t(bytes_.size()));
}

std::string_view SharedStrings::operator[](std::size_t index) const {
  const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

SharedStrings readSharedStrings(const ZipPackage& package, const std::string& part) {
  SharedStrings strings;
  SharedStringEvents events(strings);
  streamXmlPart(package, part, events);
  return strings;
}

}  // namespace veltrix::sheetreader
