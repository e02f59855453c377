// The records of a BIFF workbook stream: a type, a size and that many bytes, one after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrix::sheetreader::biff {

inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kFormat = 0x041E;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kWsBool = 0x0081;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kSharedFormula = 0x04BC;
inline constexpr std::uint16_t kArray = 0x0221;
inline constexpr std::uint16_t kTable = 0x0236;

// The BOF's version of the stream, and the kind of substream it opens.
inline constexpr std::uint16_t kBiff5 = 0x0500;
inline constexpr std::uint16_t kBiff8 = 0x0600;
inline constexpr std::uint16_t kWorksheetSubstream = 0x0010;

// The BOF records of Excel 2.x, 3.0 and 4.0, whose files are a bare record stream.
inline constexpr std::uint16_t kBiff2Bof = 0x0009;
inline constexpr std::uint16_t kBiff3Bof = 0x0209;
inline constexpr std::uint16_t kBiff4Bof = 0x0409;

inline std::uint16_t u16(std::string_view data, std::size_t at) {
  return std::uint16_t(static_cast<unsigned char>(data[at]) |
                       (static_cast<unsigned char>(data[at + 1]) << 8));
}

inline std::uint32_t u32(std::string_view data, std::size_t at) {
  return std::uint32_t(u16(data, at)) | (std::uint32_t(u16(data, at + 2)) << 16);
}

struct Record {
  std::uint16_t type = 0;
  std::string_view payload;
  std::size_t next = 0;  // where the record after it starts
};

// Nothing when the record runs past the stream.
inline std::optional<Record> recordAt(std::string_view stream, std::size_t at) {
  if (at > stream.size() || stream.size() - at < 4) return std::nullopt;
  const std::size_t size = u16(stream, at + 2);
  if (stream.size() - at - 4 < size) return std::nullopt;
  return Record{u16(stream, at), stream.substr(at + 4, size), at + 4 + size};
}

}  // namespace veltrix::sheetreader::biff
