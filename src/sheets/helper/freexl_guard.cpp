#include "freexl_guard.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "biff_records.h"
#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

using namespace biff;

constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kDimension = 0x0200;
constexpr std::uint16_t kBiff5 = 0x0500;
// freexl gives up on a shared-string table claiming more strings than this.
constexpr std::uint32_t kMostSharedStrings = 1024 * 1024;

void require(bool inside) {
  if (!inside) fail(sheetstream::kExitDamaged);
}

// A BIFF8 string's option flags and the optional run count and phonetic size after them; extra
// is how many bytes of runs and phonetic data follow the characters.
struct StringHeader {
  std::uint64_t size = 1;
  std::uint64_t width = 1;
  std::uint64_t extra = 0;
};

StringHeader headerAt(std::string_view record, std::uint64_t at) {
  require(at < record.size());
  const auto flags = static_cast<unsigned char>(record[at]);
  StringHeader header;
  header.width = flags & kTwoByteCharacters ? 2 : 1;
  if (flags & kRichText) {
    require(record.size() - at >= header.size + 2);
    header.extra += 4 * std::uint64_t(u16(record, at + header.size));
    header.size += 2;
  }
  if (flags & kPhonetic) {
    require(record.size() - at >= header.size + 4);
    header.extra += u32(record, at + header.size);
    header.size += 4;
  }
  return header;
}

// A BIFF8 string of the given length whose flags are at `at`, wholly inside the record.
void requireWholeString(std::string_view record, std::uint64_t at, std::uint64_t length) {
  const StringHeader header = headerAt(record, at);
  require(record.size() - at - header.size >= length * header.width);
}

// The shared-string table followed as freexl reads it: a string may start in one record and end
// in the next, whose first byte gives the width of the rest; the runs and phonetic data after a
// string are skipped, into the next record when they run past this one.
class SharedStrings {
 public:
  void read(std::string_view record) {
    if (!started_) {
      started_ = true;
      require(record.size() >= 8);
      count_ = u32(record, 4);
      if (count_ > kMostSharedStrings) fail(sheetstream::kExitTooLarge);
      readStrings(record, 8);
      return;
    }
    std::uint64_t at = 0;
    if (pendingLength_ > 0) {
      require(!record.empty());
      const std::uint64_t width =
          static_cast<unsigned char>(record[0]) & kTwoByteCharacters ? 2 : 1;
      const std::uint64_t left = pendingLength_ - pendingDone_;
      require(record.size() - 1 >= left * width);
      // What the finished string's runs and phonetic data leave over is not carried on.
      at = 1 + left * width + pendingExtra_;
      pendingLength_ = 0;
      carried_ = 0;
      ++index_;
    }
    readStrings(record, at);
  }

 private:
  void readStrings(std::string_view record, std::uint64_t at) {
    for (; index_ < count_; ++index_) {
      if (at >= record.size()) return;
      at += carried_;
      require(at <= record.size() && record.size() - at >= 2);
      const std::uint64_t length = u16(record, at);
      at += 2;
      const StringHeader header = headerAt(record, at);
      at += header.size;
      const std::uint64_t available = record.size() - at;
      if (length * header.width > available) {
        pendingLength_ = length;
        pendingDone_ = available / header.width;
        pendingExtra_ = header.extra;
        carried_ = 0;
        return;
      }
      require(length > 0);
      at += length * header.width + header.extra;
      carried_ = at >= record.size() ? at - record.size() : 0;
    }
  }

  bool started_ = false;
  std::uint32_t count_ = 0;
  std::uint32_t index_ = 0;
  std::uint64_t carried_ = 0;  // bytes of the last string's extra data in the next record
  // A string begun in one record, to be finished in the next.
  std::uint64_t pendingLength_ = 0;
  std::uint64_t pendingDone_ = 0;
  std::uint64_t pendingExtra_ = 0;
};

}  // namespace

void refuseWhatFreexlMisreads(std::string_view stream) {
  bool biff8 = true;
  std::optional<bool> inSubstream;  // none before the first BOF
  std::uint16_t lastType = 0;       // the last record that was not a CONTINUE
  SharedStrings strings;
  std::vector<std::uint64_t> sheetStarts;
  std::vector<bool> dimensioned;
  std::vector<bool> begun;  // a BOF stands where the sheet's BOUNDSHEET says
  constexpr std::size_t kNoSheet = std::size_t(-1);
  std::size_t active = kNoSheet;
  for (std::size_t at = 0;;) {
    const std::optional<Record> record = recordAt(stream, at);
    if (!record) {
      // A sheet whose records never begin, the stream cut short say, makes freexl lose the
      // cells of the sheet before it.
      for (const bool sheetBegun : begun) require(sheetBegun);
      return;
    }
    const std::string_view data = record->payload;
    const std::size_t here = at;
    at = record->next;
    if (record->type == kContinue) {
      if (lastType == kSst) strings.read(data);
      continue;
    }
    lastType = record->type;
    if (!inSubstream) {
      // freexl reads nothing of a stream that does not start with a BIFF5 or BIFF8 BOF.
      if (record->type != kBof || data.size() < 2) return;
      if (u16(data, 0) != kBiff8 && u16(data, 0) != kBiff5) return;
      biff8 = u16(data, 0) == kBiff8;
      inSubstream = true;
      continue;
    }
    if (!*inSubstream) {
      // Between an EOF and the next BOF freexl reads nothing.
      if (record->type != kBof) continue;
      inSubstream = true;
      active = kNoSheet;
      for (std::size_t i = 0; i < sheetStarts.size(); ++i) {
        if (sheetStarts[i] != here) continue;
        if (active == kNoSheet) active = i;
        begun[i] = true;
      }
      continue;
    }
    switch (record->type) {
      case kEof:
        inSubstream = false;
        break;
      case kSst:
        strings.read(data);
        break;
      case kBoundSheet: {
        require(data.size() >= (biff8 ? 8u : 7u));
        const std::uint64_t length = static_cast<unsigned char>(data[6]);
        if (biff8) {
          require(data.size() - 8 >= length * (data[7] == 0 ? 1 : 2));
        } else {
          require(data.size() - 7 >= length);
        }
        sheetStarts.push_back(u32(data, 0));
        dimensioned.push_back(false);
        begun.push_back(false);
        break;
      }
      case kFormat:
        if (biff8) {
          require(data.size() >= 4);
          requireWholeString(data, 4, u16(data, 2));
        }
        break;
      case kLabel:
        require(data.size() >= 8);
        if (biff8) {
          requireWholeString(data, 8, u16(data, 6));
        } else {
          require(data.size() - 8 >= u16(data, 6));
        }
        break;
      case kDimension:
        // A second one makes freexl size the sheet anew; when that fails it frees the cells of
        // the new size, which were never made.
        if (active != kNoSheet) {
          require(!dimensioned[active]);
          dimensioned[active] = true;
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace veltrix::sheetreader
