// Writes the sheet stream (sheets/sheet_stream_format.h) as the workbook is read, keeping the
// counts and the checksum that the end record carries.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace veltrix::sheetreader {

// The most of a cell's text the helper sends, in bytes of UTF-8: as much as a file name can
// hold, and a name is what a cell is read for.
inline constexpr std::size_t kMaxCellText = 255;

// The longest start of the UTF-8 text that ends at a character boundary within kMaxCellText.
std::string_view cellTextPrefix(std::string_view utf8);

class RecordWriter {
 public:
  explicit RecordWriter(std::FILE* out);

  void sheet(std::string_view name);
  // Empty text is no cell and is not written; longer text is cut to cellTextPrefix.
  void cell(std::uint32_t row, std::uint32_t column, std::string_view text);
  // False when the stream could not be written whole.
  bool end();

 private:
  void record(std::uint8_t type, std::string_view head, std::string_view text);
  void put(const void* bytes, std::size_t size);

  std::FILE* out_;
  std::uint32_t sum_;
  std::uint32_t sheets_ = 0;
  std::uint32_t cells_ = 0;
};

}  // namespace veltrix::sheetreader
