#include "worksheet.h"

#include <charconv>
#include <optional>

#include "cell_reference.h"
#include "number_styles.h"
#include "read_failure.h"
#include "record_writer.h"
#include "shared_strings.h"
#include "sheets/sheet_stream_format.h"
#include "xlsx_text.h"
#include "xml_stream.h"

namespace veltrix::sheetreader {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

template <typename Number>
Number parsedOrDamaged(std::string_view text) {
  text = trimmed(text);
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) fail(sheetstream::kExitDamaged);
  return value;
}

// An attribute's value, empty when it is absent: writers leave one empty (s="", r="") where they
// mean it is not there.
std::string_view presentValue(const char* const* attributes, std::string_view name) {
  const char* value = attributeValue(attributes, name);
  return value ? std::string_view(value) : std::string_view();
}

// Where the events are, counted from the part's root element.
enum Depth : int { kRoot = 1, kSheetData, kRow, kCell, kCellChild };

class SheetEvents final : public XmlEvents {
 public:
  SheetEvents(const SharedStrings& strings, const NumberStyles& styles, RecordWriter& out)
      : strings_(strings), styles_(styles), out_(out) {}

  void start(std::string_view localName, const char* const* attributes) override {
    ++depth_;
    if (depth_ == kSheetData) {
      inSheetData_ = !sheetDataRead_ && localName == "sheetData";
    } else if (depth_ == kRow && inSheetData_ && localName == "row") {
      inRow_ = true;
      startRow(presentValue(attributes, "r"));
    } else if (depth_ == kCell && inRow_ && localName == "c") {
      inCell_ = true;
      startCell(attributes);
    } else if (depth_ == kCellChild && inCell_) {
      startCellChild(localName);
    } else if (inInlineString_) {
      inlineString_.start(localName);
    }
  }

  void end() override {
    if (depth_ == kSheetData && inSheetData_) {
      inSheetData_ = false;
      sheetDataRead_ = true;
    } else if (depth_ == kRow) {
      inRow_ = false;
    } else if (depth_ == kCell && inCell_) {
      inCell_ = false;
      out_.cell(cellRow_, column_, cellText());
    } else if (depth_ == kCellChild) {
      inValue_ = inInlineString_ = false;
    } else if (inInlineString_) {
      inlineString_.end();
    }
    --depth_;
  }

  void text(std::string_view characters) override {
    if (inValue_ && depth_ == kCellChild) {
      value_.add(characters);
    } else if (inInlineString_) {
      inlineString_.text(characters);
    }
  }

 private:
  void startRow(std::string_view number) {
    if (number.empty()) {
      row_ = nextRow_;
    } else {
      const std::optional<std::uint32_t> index = parseRowNumber(number);
      if (!index) fail(sheetstream::kExitDamaged);
      row_ = *index;
    }
    if (row_ >= sheetstream::kMaxRows) fail(sheetstream::kExitDamaged);
    nextRow_ = row_ + 1;
    cellRow_ = row_;
    nextColumn_ = 0;
  }

  void startCell(const char* const* attributes) {
    column_ = nextColumn_;
    if (const std::string_view reference = presentValue(attributes, "r"); !reference.empty()) {
      const std::optional<CellIndex> place = parseCellReference(reference);
      if (!place) fail(sheetstream::kExitDamaged);
      cellRow_ = place->row;
      column_ = place->column;
    }
    if (column_ >= sheetstream::kMaxColumns) fail(sheetstream::kExitDamaged);
    nextColumn_ = column_ + 1;
    type_ = presentValue(attributes, "t");
    style_ = presentValue(attributes, "s");
    value_.clear();
    hasValue_ = hasInlineString_ = false;
  }

  // A cell's first <v> and first <is> count, as the first of anything does.
  void startCellChild(std::string_view localName) {
    if (localName == "v" && !hasValue_) {
      inValue_ = hasValue_ = true;
    } else if (localName == "is" && !hasInlineString_) {
      inInlineString_ = hasInlineString_ = true;
    }
  }

  std::string cellText() {
    const std::string inlineText = hasInlineString_ ? inlineString_.take() : std::string();
    if (type_ == "inlineStr") return inlineText;
    // A formula whose result was never calculated has no value, or an empty one.
    const std::string_view value = trimmed(value_.kept());
    if (value.empty()) return {};
    if (type_ == "str") return decodeEscapes(value_.kept());
    if (!type_.empty() && type_ != "s" && type_ != "n") return {};  // booleans, errors, ISO dates
    // Nothing a number or an index is written as comes near what is kept of a value.
    if (value_.cut()) fail(sheetstream::kExitDamaged);
    if (type_ == "s") {
      const auto index = parsedOrDamaged<std::size_t>(value);
      if (index >= strings_.size()) fail(sheetstream::kExitDamaged);
      return std::string(strings_[index]);
    }
    // A formula's cached number shows as the same number typed into a cell of its style.
    return styles_.text(parsedOrDamaged<double>(value),
                        style_.empty() ? 0 : parsedOrDamaged<std::size_t>(style_));
  }

  const SharedStrings& strings_;
  const NumberStyles& styles_;
  RecordWriter& out_;
  int depth_ = 0;
  bool inSheetData_ = false, sheetDataRead_ = false, inRow_ = false, inCell_ = false;
  bool inValue_ = false, hasValue_ = false, inInlineString_ = false, hasInlineString_ = false;
  std::uint32_t row_ = 0, nextRow_ = 0, cellRow_ = 0, column_ = 0, nextColumn_ = 0;
  std::string type_, style_;
  CappedText value_;
  RichText inlineString_;
};

}  // namespace

void readWorksheet(const ZipPackage& package, const std::string& part,
                   const SharedStrings& sharedStrings, const NumberStyles& numberStyles,
                   RecordWriter& out) {
  SheetEvents events(sharedStrings, numberStyles, out);
  streamXmlPart(package, part, events);
}

}  // namespace veltrix::sheetreader
