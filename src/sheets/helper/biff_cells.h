// What freexl leaves out of an .xls: it reports a boolean or an error cell (a BOOLERR record) as
// the number 1 or 0. This scan of the workbook stream finds those cells so that they stay
// empty, as in an .xlsx.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace veltrix::sheetreader {

struct BiffSheet {
  bool worksheet = true;                                // false for chart, macro and dialog sheets
  std::unordered_set<std::uint64_t> booleansAndErrors;  // cellKey(row, column)
};

inline std::uint64_t cellKey(std::uint32_t row, std::uint32_t column) {
  return (std::uint64_t(row) << 32) | column;
}

// The sheets in the workbook's order (its BOUNDSHEET records). A stream cut short yields what
// was found before the cut; freexl judges the damage.
std::vector<BiffSheet> scanBiffSheets(std::string_view stream);

}  // namespace veltrix::sheetreader
