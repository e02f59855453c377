#include "cell_reference.h"

#include "sheets/sheet_stream_format.h"

namespace veltrix::sheetreader {

std::optional<std::uint32_t> parseRowNumber(std::string_view number) {
  if (number.empty() || number.size() > 7 || number[0] == '0') return std::nullopt;
  std::uint32_t row = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + std::uint32_t(c - '0');
  }
  if (row > sheetstream::kMaxRows) return std::nullopt;
  return row - 1;
}

std::optional<CellIndex> parseCellReference(std::string_view reference) {
  std::size_t letters = 0;
  std::uint32_t column = 0;
  while (letters < reference.size() && letters < 4) {
    char c = reference[letters];
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') break;
    column = column * 26 + std::uint32_t(c - 'A' + 1);
    ++letters;
  }
  if (letters == 0 || column > sheetstream::kMaxColumns) return std::nullopt;
  const std::optional<std::uint32_t> row = parseRowNumber(reference.substr(letters));
  if (!row) return std::nullopt;
  return CellIndex{*row, column - 1};
}

}  // namespace veltrix::sheetreader
