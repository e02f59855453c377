#include "biff_cells.h"

namespace veltrix::sheetreader {

namespace {

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kBoolErr = 0x0205;

constexpr std::size_t kNoSheet = std::size_t(-1);

std::uint16_t u16(std::string_view data, std::size_t at) {
  return std::uint16_t(static_cast<unsigned char>(data[at]) |
                       (static_cast<unsigned char>(data[at + 1]) << 8));
}

}  // namespace

std::vector<BiffSheet> scanBiffSheets(std::string_view stream) {
  std::vector<BiffSheet> sheets;
  std::vector<std::size_t> starts;
  // An index, not a pointer: a BOUNDSHEET record out of place may grow the sheets.
  std::size_t current = kNoSheet;
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    const std::uint16_t type = u16(stream, at);
    const std::size_t size = u16(stream, at + 2);
    if (at + 4 + size > stream.size()) break;
    const std::string_view payload = stream.substr(at + 4, size);
    if (type == kBoundSheet && size >= 6) {
      starts.push_back(std::size_t(u16(payload, 0)) | (std::size_t(u16(payload, 2)) << 16));
      sheets.push_back({payload[5] == 0, {}});
    } else if (type == kBof) {
      current = kNoSheet;
      for (std::size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] == at) current = i;
      }
    } else if (type == kBoolErr && size >= 4 && current != kNoSheet) {
      sheets[current].booleansAndErrors.insert(cellKey(u16(payload, 0), u16(payload, 2)));
    }
    at += 4 + size;
  }
  return sheets;
}

}  // namespace veltrix::sheetreader
