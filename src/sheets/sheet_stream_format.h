// What veltrix-sheet-reader writes on its standard output and how it exits, shared by the
// helper and the program. Plain C++: the helper does not link Qt.
//
// The stream: the 8-byte header "VXSHEET" followed by the version byte, then records, each a
// type byte, a little-endian 32-bit payload length and the payload:
//   'S' sheet: the sheet's name in UTF-8; the cells that follow belong to it.
//   'C' cell:  32-bit row, 32-bit column (0-based, little-endian), then the text in UTF-8.
//   'E' end:   32-bit sheet count, 32-bit cell count and the 32-bit FNV-1a checksum of every
//              byte before this record; nothing may follow it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veltrix::sheetstream {

inline constexpr std::string_view kMagic = "VXSHEET";
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kRecordHeaderSize = 5;

inline constexpr std::uint8_t kSheet = 'S';
inline constexpr std::uint8_t kCell = 'C';
inline constexpr std::uint8_t kEnd = 'E';
inline constexpr std::uint32_t kCellPlaceSize = 8;
inline constexpr std::uint32_t kEndSize = 12;

// No record the helper writes comes near this: Excel holds at most 32,767 characters in a cell.
inline constexpr std::uint32_t kMaxPayload = 16u << 20;

// Excel's largest sheet; the helper refuses cells beyond it and the program trusts none.
inline constexpr std::uint32_t kMaxRows = 1048576;
inline constexpr std::uint32_t kMaxColumns = 16384;

// The helper's exit codes. Anything else, or a stream that is not whole after exit code 0,
// means the helper went wrong.
enum ExitCode : int {
  kExitRead = 0,
  kExitNotWorkbook = 10,
  kExitDamaged = 11,
  kExitTooLarge = 12,
  kExitEncrypted = 13,
  kExitTooOld = 14,  // Excel 4.0 and earlier
};

inline constexpr std::uint32_t kChecksumStart = 2166136261u;

inline std::uint32_t checksum(std::uint32_t sum, const unsigned char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) sum = (sum ^ bytes[i]) * 16777619u;
  return sum;
}

}  // namespace veltrix::sheetstream
