#include "biff_cells.h"

#include <algorithm>
#include <optional>

#include "biff_records.h"
#include "read_failure.h"
#include "utf8.h"

namespace veltrix::sheetreader {

namespace {

using biff::kBiff8;
using biff::kBof;
using biff::kBoundSheet;
using biff::kContinue;
using biff::kEof;
using biff::kPhonetic;
using biff::kRichText;
using biff::kTwoByteCharacters;
using biff::Record;
using biff::recordAt;
using biff::u16;

constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kString = 0x0207;

constexpr std::size_t kNoSheet = std::size_t(-1);

constexpr std::uint16_t kWindowsLatin1 = 1252;  // BIFF5's code page when none is named

// A FORMULA record's cached result: 8 bytes after row, column and style.
constexpr std::size_t kResultAt = 6;
constexpr std::size_t kResultEnd = kResultAt + 8;

// A string result is marked by 0 in the first byte and 0xFFFF in the last two, where a number
// would be a NaN; the text itself is in the STRING record that follows.
bool cachesString(std::string_view formula) {
  return formula.size() >= kResultEnd && formula[kResultAt] == 0 &&
         u16(formula, kResultEnd - 2) == 0xFFFF;
}

// BIFF8: a character count, option flags, the counts of the rich-text runs and the phonetic
// data that follow the characters, then the characters. Where the record ends before they do,
// each CONTINUE record after it goes on with a flags byte of its own and more characters.
std::string biff8String(std::string_view stream, const Record& string) {
  std::string_view data = string.payload;
  if (data.size() < 3) fail(sheetstream::kExitDamaged);
  std::size_t left = u16(data, 0);
  const unsigned char flags = static_cast<unsigned char>(data[2]);
  const std::size_t skipped = 3 + (flags & kRichText ? 2 : 0) + (flags & kPhonetic ? 4 : 0);
  if (data.size() < skipped) fail(sheetstream::kExitDamaged);
  data.remove_prefix(skipped);
  bool twoBytes = flags & kTwoByteCharacters;
  std::size_t next = string.next;
  std::string text;
  Utf16Appender units(text);
  for (;;) {
    const std::size_t width = twoBytes ? 2 : 1;
    const std::size_t here = std::min(left, data.size() / width);
    for (std::size_t i = 0; i < here; ++i) {
      units.add(twoBytes ? char16_t(u16(data, 2 * i))
                         : char16_t(static_cast<unsigned char>(data[i])));
    }
    left -= here;
    if (left == 0) break;
    // A character is never split between records; a byte left over is damage.
    if (data.size() != here * width) fail(sheetstream::kExitDamaged);
    const std::optional<Record> more = recordAt(stream, next);
    if (!more || more->type != kContinue || more->payload.empty()) fail(sheetstream::kExitDamaged);
    twoBytes = more->payload[0] & kTwoByteCharacters;
    data = more->payload.substr(1);
    next = more->next;
  }
  units.flush();
  return text;
}

// BIFF5: a character count and bytes in the workbook's code page, never continued, since a
// cell's text then held at most 255 characters.
std::string biff5String(const Record& string, std::uint16_t codePage) {
  const std::string_view data = string.payload;
  if (data.size() < 2 || data.size() - 2 < u16(data, 0)) fail(sheetstream::kExitDamaged);
  return codePageText(data.substr(2, u16(data, 0)), codePage);
}

}  // namespace

std::vector<BiffSheet> scanBiffSheets(std::string_view stream) {
  std::vector<BiffSheet> sheets;
  std::vector<std::size_t> starts;
  // An index, not a pointer: a BOUNDSHEET record out of place may grow the sheets.
  std::size_t current = kNoSheet;
  bool biff8 = true;
  std::uint16_t codePage = kWindowsLatin1;
  // The cell whose cached text the next STRING record holds. A shared or array formula's
  // SHRFMLA or ARRAY record may come between the two.
  std::optional<std::uint64_t> stringFormula;
  for (std::size_t at = 0;;) {
    const std::optional<Record> record = recordAt(stream, at);
    if (!record) break;
    const std::string_view payload = record->payload;
    const std::size_t size = payload.size();
    // Everything after FILEPASS is encrypted; freexl refuses such a workbook.
    if (record->type == kFilePass) break;
    if (record->type == kBoundSheet && size >= 6) {
      starts.push_back(std::size_t(u16(payload, 0)) | (std::size_t(u16(payload, 2)) << 16));
      sheets.push_back({payload[5] == 0, {}, {}});
    } else if (record->type == kBof) {
      if (at == 0 && size >= 2) biff8 = u16(payload, 0) == kBiff8;
      current = kNoSheet;
      stringFormula.reset();
      for (std::size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] == at) current = i;
      }
    } else if (record->type == kEof) {
      stringFormula.reset();
    } else if (record->type == kCodePage && size >= 2) {
      codePage = u16(payload, 0);
    } else if (record->type == kBoolErr && size >= 4 && current != kNoSheet) {
      sheets[current].booleansAndErrors.insert(cellKey(u16(payload, 0), u16(payload, 2)));
    } else if (record->type == kFormula && current != kNoSheet) {
      stringFormula.reset();
      if (cachesString(payload)) stringFormula = cellKey(u16(payload, 0), u16(payload, 2));
    } else if (record->type == kString && stringFormula) {
      std::string text = biff8 ? biff8String(stream, *record) : biff5String(*record, codePage);
      if (!text.empty()) {
        sheets[current].formulaTexts.insert_or_assign(*stringFormula, std::move(text));
      }
      stringFormula.reset();
    }
    at = record->next;
  }
  return sheets;
}

}  // namespace veltrix::sheetreader
