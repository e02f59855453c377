// Cell references (A1, XFD1048576) and row numbers as a sheet part writes them, read within
// Excel's largest sheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrix::sheetreader {

struct CellIndex {
  std::uint32_t row = 0;  // 0-based
  std::uint32_t column = 0;
};

// Nothing for a reference that is malformed or beyond XFD1048576.
std::optional<CellIndex> parseCellReference(std::string_view reference);

// A row's 1-based r attribute as a 0-based row; nothing when malformed or beyond 1048576.
std::optional<std::uint32_t> parseRowNumber(std::string_view number);

}  // namespace veltrix::sheetreader
