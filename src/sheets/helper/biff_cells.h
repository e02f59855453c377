// What freexl leaves out of an .xls. It reports a boolean or an error cell (a BOOLERR record)
// as the number 1 or 0, and it skips FORMULA records, so a formula reads empty even when its
// cached result is text. This scan of the workbook stream finds those cells, so that booleans
// and errors stay empty and a formula reads as its cached text, as in an .xlsx.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace veltrix::sheetreader {

struct BiffSheet {
  bool worksheet = true;                                // false for chart, macro and dialog sheets
  std::unordered_set<std::uint64_t> booleansAndErrors;  // cellKey(row, column)
  // Formulas whose cached result is text that is not empty, by cellKey; the text is UTF-8.
  std::unordered_map<std::uint64_t, std::string> formulaTexts;
};

inline std::uint64_t cellKey(std::uint32_t row, std::uint32_t column) {
  return (std::uint64_t(row) << 32) | column;
}

// The sheets in the workbook's order (its BOUNDSHEET records). A stream cut short yields what
// was found before the cut, and one with a password yields no cells; freexl judges those. A
// formula's cached text that runs past its records fails Damaged, as freexl fails any other
// string that does.
std::vector<BiffSheet> scanBiffSheets(std::string_view stream);

}  // namespace veltrix::sheetreader
