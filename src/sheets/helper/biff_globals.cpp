#include "biff_globals.h"

#include <optional>

#include "biff_records.h"
#include "biff_strings.h"
#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

using biff::Record;
using biff::u16;

constexpr std::uint16_t kWindowsLatin1 = 1252;  // BIFF5's code page when none is named
constexpr std::uint8_t kWorksheetEntry = 0;

// More shared strings than the cells a BIFF8 sheet can hold is no roster.
constexpr std::size_t kMaxSharedStrings = std::size_t(65536) * 256;

bool isOldBof(std::uint16_t type) {
  return type == biff::kBiff2Bof || type == biff::kBiff3Bof || type == biff::kBiff4Bof;
}

// BIFF5 texts of the globals (sheet names, format codes) are in the code page, which a CODEPAGE
// record after them may name: their bytes wait for the globals' end.
struct PendingSheet {
  std::size_t offset;
  std::string biff8Name;
  std::string_view biff5Name;
};

struct PendingFormat {
  int id;
  std::string_view biff5Code;  // the record's payload after the id
};

void readSharedStrings(std::string_view stream, const Record& sst, BiffGlobals& globals) {
  ContinuedRecords in(stream, sst);
  in.skip(4);  // the count of cells that use them
  const std::size_t unique = in.u32();
  // Some writers count wrong: the strings that are there are read, to the run's end.
  for (std::size_t i = 0; i < unique && !in.atEnd(); ++i) {
    if (globals.sharedStrings.size() == kMaxSharedStrings) fail(sheetstream::kExitTooLarge);
    globals.sharedStrings.push_back(biff8String(in));
  }
}

}  // namespace

BiffGlobals readBiffGlobals(std::string_view stream) {
  const std::optional<Record> bof = biff::recordAt(stream, 0);
  if (!bof) fail(sheetstream::kExitNotWorkbook);
  if (isOldBof(bof->type)) fail(sheetstream::kExitTooOld);
  if (bof->type != biff::kBof || bof->payload.size() < 4) fail(sheetstream::kExitNotWorkbook);
  const std::uint16_t version = u16(bof->payload, 0);
  if (version < biff::kBiff5) fail(sheetstream::kExitTooOld);

  BiffGlobals globals;
  globals.biff8 = version >= biff::kBiff8;
  std::uint16_t codePage = kWindowsLatin1;
  std::vector<PendingSheet> pending;
  std::vector<PendingFormat> formats;
  for (std::size_t at = bof->next;;) {
    const std::optional<Record> record = biff::recordAt(stream, at);
    if (!record) fail(sheetstream::kExitDamaged);
    const std::string_view payload = record->payload;
    if (record->type == biff::kEof) break;
    switch (record->type) {
      case biff::kFilePass:
        fail(sheetstream::kExitEncrypted);
      case biff::kCodePage:
        if (payload.size() >= 2) codePage = u16(payload, 0);
        break;
      case biff::kBoundSheet: {
        if (payload.size() < 7) fail(sheetstream::kExitDamaged);
        if (std::uint8_t(payload[5]) != kWorksheetEntry) break;
        PendingSheet sheet{biff::u32(payload, 0), {}, {}};
        if (globals.biff8) {
          ContinuedRecords in(stream, *record);
          in.skip(6);
          sheet.biff8Name = biff8String(in, 1);
        } else {
          sheet.biff5Name = payload.substr(6);
        }
        pending.push_back(std::move(sheet));
        break;
      }
      case biff::kFormat:
        if (payload.size() < 2) fail(sheetstream::kExitDamaged);
        if (globals.biff8) {
          ContinuedRecords in(stream, *record);
          in.skip(2);
          globals.styles.defineFormat(u16(payload, 0), biff8String(in));
        } else {
          formats.push_back({u16(payload, 0), payload.substr(2)});
        }
        break;
      case biff::kXf:
        if (payload.size() < 4) fail(sheetstream::kExitDamaged);
        globals.styles.addStyle(u16(payload, 2));
        break;
      case biff::kSst:
        if (globals.biff8) readSharedStrings(stream, *record, globals);
        break;
      default:
        break;
    }
    at = record->next;
  }

  globals.codePage = std::make_unique<CodePage>(codePage);
  if (!globals.biff8 && !globals.codePage->known()) fail(sheetstream::kExitDamaged);
  for (const PendingFormat& format : formats) {
    globals.styles.defineFormat(format.id, biff5String(format.biff5Code, 0, 1, *globals.codePage));
  }
  for (PendingSheet& sheet : pending) {
    std::string name = globals.biff8 ? std::move(sheet.biff8Name)
                                     : biff5String(sheet.biff5Name, 0, 1, *globals.codePage);
    globals.worksheets.push_back({std::move(name), sheet.offset});
  }
  return globals;
}

}  // namespace veltrix::sheetreader
