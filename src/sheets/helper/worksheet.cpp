#include "worksheet.h"

#include <charconv>
#include <optional>

#include "cell_reference.h"
#include "number_styles.h"
#include "read_failure.h"
#include "record_writer.h"
#include "sheets/sheet_stream_format.h"
#include "xlsx_text.h"
#include "xml_part.h"

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

class SheetReading {
 public:
  SheetReading(const std::vector<std::string>& strings, const NumberStyles& styles,
               RecordWriter& out)
      : strings_(strings), styles_(styles), out_(out) {}

  void row(pugi::xml_node row) {
    const pugi::xml_attribute number = row.attribute("r");
    if (number) {
      const std::optional<std::uint32_t> index = parseRowNumber(number.value());
      if (!index) fail(sheetstream::kExitDamaged);
      row_ = *index;
    } else {
      row_ = nextRow_;
    }
    if (row_ >= sheetstream::kMaxRows) fail(sheetstream::kExitDamaged);
    nextRow_ = row_ + 1;
    std::uint32_t cellRow = row_, nextColumn = 0;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
      if (cell.type() != pugi::node_element || localName(cell.name()) != "c") continue;
      std::uint32_t column = nextColumn;
      const pugi::xml_attribute reference = cell.attribute("r");
      if (reference) {
        const std::optional<CellIndex> place = parseCellReference(reference.value());
        if (!place) fail(sheetstream::kExitDamaged);
        cellRow = place->row;
        column = place->column;
      }
      if (column >= sheetstream::kMaxColumns) fail(sheetstream::kExitDamaged);
      nextColumn = column + 1;
      const std::string text = cellText(cell);
      out_.cell(cellRow, column, text);
    }
  }

 private:
  std::string cellText(pugi::xml_node cell) const {
    const std::string_view type = cell.attribute("t").value();
    if (type == "inlineStr") return richText(child(cell, "is"));
    // A formula whose result was never calculated has no value, or an empty one.
    const std::string value = textOf(child(cell, "v"));
    if (trimmed(value).empty()) return {};
    if (type == "s") {
      const auto index = parsedOrDamaged<std::size_t>(value);
      if (index >= strings_.size()) fail(sheetstream::kExitDamaged);
      return strings_[index];
    }
    if (type == "str") return decodeEscapes(value);
    if (!type.empty() && type != "n") return {};  // booleans, errors, ISO dates
    // A calculated number is no name, as in .xls: only a formula's text result names a picture.
    if (child(cell, "f")) return {};
    const pugi::xml_attribute style = cell.attribute("s");
    return styles_.text(parsedOrDamaged<double>(value),
                        style ? parsedOrDamaged<std::size_t>(style.value()) : 0);
  }

  const std::vector<std::string>& strings_;
  const NumberStyles& styles_;
  RecordWriter& out_;
  std::uint32_t row_ = 0;
  std::uint32_t nextRow_ = 0;
};

}  // namespace

void readWorksheet(const XmlPart& sheet, const std::vector<std::string>& sharedStrings,
                   const NumberStyles& numberStyles, RecordWriter& out) {
  SheetReading reading(sharedStrings, numberStyles, out);
  for (pugi::xml_node row : child(sheet.root(), "sheetData").children()) {
    if (row.type() == pugi::node_element && localName(row.name()) == "row") reading.row(row);
  }
}

}  // namespace veltrix::sheetreader
