#include "xls_reader.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "biff_globals.h"
#include "biff_records.h"
#include "biff_strings.h"
#include "compound_file.h"
#include "read_failure.h"
#include "record_writer.h"

namespace veltrix::sheetreader {

namespace {

using biff::Record;
using biff::u16;
using biff::u32;

constexpr std::streamoff kMaxFileSize = 256 << 20;

// WSBOOL's flag of a dialog sheet, which Excel lists as a worksheet.
constexpr std::uint16_t kDialogSheet = 0x0010;

// A FORMULA record's cached result: 8 bytes after row, column and style. A result that is no
// number has 0xFFFF in its last two bytes, where a number would be a NaN, and its kind in the
// first.
constexpr std::size_t kResultAt = 6;
constexpr std::size_t kResultSize = 8;
constexpr std::uint8_t kStringResult = 0;

std::string wholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) fail(sheetstream::kExitDamaged);
  if (file.tellg() > kMaxFileSize) fail(sheetstream::kExitTooLarge);
  file.seekg(0);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

double littleEndianDouble(std::string_view data, std::size_t at) {
  const std::uint64_t bits = u32(data, at) | (std::uint64_t(u32(data, at + 4)) << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// An RK value: a 30-bit integer or the top 30 bits of a double, perhaps divided by 100.
double rkValue(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = double(std::int32_t(rk) >> 2);
  } else {
    const std::uint64_t bits = std::uint64_t(rk & 0xFFFFFFFC) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return rk & 0x01 ? value / 100 : value;
}

// Where each substream of the stream's top level starts and where the record after its EOF is.
// A chart inside a worksheet is a substream within the worksheet's, and belongs to it.
std::unordered_map<std::size_t, std::size_t> topLevelSubstreams(std::string_view stream,
                                                                std::size_t from) {
  std::unordered_map<std::size_t, std::size_t> ends;
  std::size_t depth = 0, start = 0, at = from;
  for (;;) {
    const std::optional<Record> record = biff::recordAt(stream, at);
    if (!record) break;
    if (record->type == biff::kBof) {
      if (depth++ == 0) start = at;
    } else if (record->type == biff::kEof && depth > 0) {
      if (--depth == 0) ends.emplace(start, record->next);
    }
    at = record->next;
  }
  return ends;
}

// One worksheet's cells, sent as they come: the sheet's name goes out before its first cell,
// once the records before the cells have shown that it is no dialog sheet.
class SheetReading {
 public:
  SheetReading(std::string_view stream, const BiffGlobals& globals, const BiffSheetEntry& entry,
               RecordWriter& out)
      : stream_(stream), globals_(globals), entry_(entry), out_(out) {}

  void read(std::size_t from, std::size_t end) {
    const std::optional<Record> bof = biff::recordAt(stream_, from);
    if (!bof || bof->type != biff::kBof || bof->payload.size() < 4) {
      fail(sheetstream::kExitDamaged);
    }
    // A worksheet entry whose substream is a chart or a macro sheet holds no names.
    if (u16(bof->payload, 2) != biff::kWorksheetSubstream) return;
    std::size_t depth = 0;
    for (std::size_t at = from; at < end;) {
      const std::optional<Record> record = biff::recordAt(stream_, at);
      if (!record) fail(sheetstream::kExitDamaged);
      if (record->type == biff::kBof) {
        ++depth;
      } else if (record->type == biff::kEof) {
        --depth;
      } else if (depth == 1) {
        if (!take(*record)) return;
      }
      at = record->next;
    }
    announce();
  }

 private:
  // False once the sheet is known to be a dialog sheet.
  bool take(const Record& record) {
    const std::string_view payload = record.payload;
    if (record.type == biff::kWsBool && payload.size() >= 2 && !announced_) {
      return !(u16(payload, 0) & kDialogSheet);
    }
    if (record.type == biff::kString) {
      if (stringFormula_) cell(stringFormula_->first, stringFormula_->second, formulaText(record));
      stringFormula_.reset();
      return true;
    }
    // A shared or array formula's records may come between a formula and its text.
    if (record.type == biff::kSharedFormula || record.type == biff::kArray ||
        record.type == biff::kTable) {
      return true;
    }
    if (!isCell(record.type)) return true;
    stringFormula_.reset();
    if (payload.size() < 6) fail(sheetstream::kExitDamaged);
    const std::uint32_t row = u16(payload, 0), column = u16(payload, 2);
    const std::uint16_t style = u16(payload, 4);
    switch (record.type) {
      case biff::kLabelSst: {
        if (payload.size() < 10) fail(sheetstream::kExitDamaged);
        const std::uint32_t index = u32(payload, 6);
        if (index >= globals_.sharedStrings.size()) fail(sheetstream::kExitDamaged);
        cell(row, column, globals_.sharedStrings[index]);
        break;
      }
      case biff::kLabel:
      case biff::kRString:
        cell(row, column, labelText(record));
        break;
      case biff::kNumber:
        if (payload.size() < 14) fail(sheetstream::kExitDamaged);
        number(row, column, style, littleEndianDouble(payload, 6));
        break;
      case biff::kRk:
        if (payload.size() < 10) fail(sheetstream::kExitDamaged);
        number(row, column, style, rkValue(u32(payload, 6)));
        break;
      case biff::kMulRk:
        mulRk(payload);
        break;
      case biff::kFormula:
        formula(payload, row, column, style);
        break;
    }
    return true;
  }

  static bool isCell(std::uint16_t type) {
    return type == biff::kLabelSst || type == biff::kLabel || type == biff::kRString ||
           type == biff::kNumber || type == biff::kRk || type == biff::kMulRk ||
           type == biff::kFormula;
  }

  // Row, first column, then a style and an RK value for each column, then the last column.
  void mulRk(std::string_view payload) {
    if (payload.size() < 6 || (payload.size() - 6) % 6 != 0) fail(sheetstream::kExitDamaged);
    const std::uint32_t row = u16(payload, 0), first = u16(payload, 2);
    const std::size_t count = (payload.size() - 6) / 6;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = 4 + 6 * i;
      number(row, std::uint32_t(first + i), u16(payload, at), rkValue(u32(payload, at + 2)));
    }
  }

  void formula(std::string_view payload, std::uint32_t row, std::uint32_t column,
               std::uint16_t style) {
    if (payload.size() < kResultAt + kResultSize) fail(sheetstream::kExitDamaged);
    if (u16(payload, kResultAt + 6) != 0xFFFF) {
      number(row, column, style, littleEndianDouble(payload, kResultAt));
    } else if (std::uint8_t(payload[kResultAt]) == kStringResult) {
      stringFormula_.emplace(row, column);
    }
    // Booleans, errors and empty texts name nothing.
  }

  std::string formulaText(const Record& record) const {
    if (!globals_.biff8) return biff5String(record.payload, 0, 2, *globals_.codePage);
    ContinuedRecords in(stream_, record);
    return biff8String(in);
  }

  std::string labelText(const Record& record) const {
    if (!globals_.biff8) return biff5String(record.payload, 6, 2, *globals_.codePage);
    ContinuedRecords in(stream_, record);
    in.skip(6);
    return biff8String(in);
  }

  void number(std::uint32_t row, std::uint32_t column, std::uint16_t style, double value) {
    cell(row, column, globals_.styles.text(value, style));
  }

  void cell(std::uint32_t row, std::uint32_t column, const std::string& text) {
    if (column >= sheetstream::kMaxColumns) fail(sheetstream::kExitDamaged);
    announce();
    out_.cell(row, column, text);
  }

  void announce() {
    if (announced_) return;
    announced_ = true;
    out_.sheet(entry_.name);
  }

  std::string_view stream_;
  const BiffGlobals& globals_;
  const BiffSheetEntry& entry_;
  RecordWriter& out_;
  bool announced_ = false;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> stringFormula_;
};

}  // namespace

void readBiffStream(std::string_view stream, RecordWriter& out) {
  const BiffGlobals globals = readBiffGlobals(stream);
  const std::unordered_map<std::size_t, std::size_t> substreams = topLevelSubstreams(stream, 0);
  std::unordered_set<std::size_t> read;
  for (const BiffSheetEntry& entry : globals.worksheets) {
    const auto substream = substreams.find(entry.offset);
    // A sheet whose records the stream never reaches, or whose records another entry took.
    if (substream == substreams.end() || !read.insert(entry.offset).second) {
      fail(sheetstream::kExitDamaged);
    }
    SheetReading(stream, globals, entry, out).read(entry.offset, substream->second);
  }
}

void readXls(const std::string& path, RecordWriter& out) {
  std::string stream;
  {
    const CompoundFile file(wholeFile(path));
    if (file.has("EncryptedPackage")) fail(sheetstream::kExitEncrypted);
    const char* name = file.has("Workbook") ? "Workbook" : file.has("Book") ? "Book" : nullptr;
    if (!name) fail(sheetstream::kExitNotWorkbook);
    stream = file.stream(name);
  }
  readBiffStream(stream, out);
}

void readBareBiff(const std::string& path, RecordWriter& out) {
  readBiffStream(wholeFile(path), out);
}

}  // namespace veltrix::sheetreader
