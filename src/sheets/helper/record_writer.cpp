#include "record_writer.h"

#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

void appendLittleEndian(char* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = char((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string_view cellTextPrefix(std::string_view utf8) {
  if (utf8.size() <= kMaxCellText) return utf8;
  std::size_t end = kMaxCellText;
  // A continuation byte at the cut would part a character from its lead byte.
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

RecordWriter::RecordWriter(std::FILE* out) : out_(out), sum_(sheetstream::kChecksumStart) {
  put(sheetstream::kMagic.data(), sheetstream::kMagic.size());
  put(&sheetstream::kVersion, 1);
}

void RecordWriter::sheet(std::string_view name) {
  record(sheetstream::kSheet, {}, name);
  ++sheets_;
}

void RecordWriter::cell(std::uint32_t row, std::uint32_t column, std::string_view text) {
  if (text.empty()) return;
  char place[sheetstream::kCellPlaceSize];
  appendLittleEndian(place, row);
  appendLittleEndian(place + 4, column);
  record(sheetstream::kCell, std::string_view(place, sizeof place), cellTextPrefix(text));
  ++cells_;
}

bool RecordWriter::end() {
  char counts[sheetstream::kEndSize];
  appendLittleEndian(counts, sheets_);
  appendLittleEndian(counts + 4, cells_);
  appendLittleEndian(counts + 8, sum_);
  record(sheetstream::kEnd, std::string_view(counts, sizeof counts), {});
  return std::fflush(out_) == 0 && !std::ferror(out_);
}

void RecordWriter::record(std::uint8_t type, std::string_view head, std::string_view text) {
  if (text.size() > sheetstream::kMaxPayload - head.size()) fail(sheetstream::kExitTooLarge);
  char header[sheetstream::kRecordHeaderSize];
  header[0] = char(type);
  appendLittleEndian(header + 1, std::uint32_t(head.size() + text.size()));
  put(header, sizeof header);
  put(head.data(), head.size());
  put(text.data(), text.size());
}

void RecordWriter::put(const void* bytes, std::size_t size) {
  if (size == 0) return;
  sum_ = sheetstream::checksum(sum_, static_cast<const unsigned char*>(bytes), size);
  std::fwrite(bytes, 1, size, out_);
}

}  // namespace veltrix::sheetreader
