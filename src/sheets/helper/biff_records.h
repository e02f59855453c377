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
inline constexpr std::uint16_t kBiff8 = 0x0600;

// BIFF8 string option flags.
inline constexpr unsigned char kTwoByteCharacters = 0x01;
inline constexpr unsigned char kPhonetic = 0x04;
inline constexpr unsigned char kRichText = 0x08;

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
