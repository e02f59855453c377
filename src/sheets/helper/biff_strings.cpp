#include "biff_strings.h"

#include <algorithm>

#include "read_failure.h"

namespace veltrix::sheetreader {

namespace {

constexpr unsigned char kTwoByteCharacters = 0x01;
constexpr unsigned char kPhonetic = 0x04;
constexpr unsigned char kRichText = 0x08;

}  // namespace

ContinuedRecords::ContinuedRecords(std::string_view stream, const biff::Record& record)
    : stream_(stream), data_(record.payload), next_(record.next) {}

bool ContinuedRecords::nextRecord() {
  const std::optional<biff::Record> more = biff::recordAt(stream_, next_);
  if (!more || more->type != biff::kContinue) return false;
  data_ = more->payload;
  next_ = more->next;
  return true;
}

bool ContinuedRecords::atEnd() {
  while (data_.empty()) {
    if (!nextRecord()) return true;
  }
  return false;
}

std::uint8_t ContinuedRecords::byte() {
  if (atEnd()) fail(sheetstream::kExitDamaged);
  const auto value = static_cast<std::uint8_t>(data_.front());
  data_.remove_prefix(1);
  return value;
}

std::uint16_t ContinuedRecords::u16() {
  const std::uint16_t low = byte();
  return std::uint16_t(low | (byte() << 8));
}

std::uint32_t ContinuedRecords::u32() {
  const std::uint32_t low = u16();
  return low | (std::uint32_t(u16()) << 16);
}

void ContinuedRecords::skip(std::size_t count) {
  while (count > 0) {
    if (atEnd()) fail(sheetstream::kExitDamaged);
    const std::size_t here = std::min(count, data_.size());
    data_.remove_prefix(here);
    count -= here;
  }
}

void ContinuedRecords::characters(std::size_t count, bool twoBytes, std::string& out,
                                  std::size_t keep) {
  Utf16Appender units(out);
  while (count > 0) {
    if (data_.empty()) {
      if (!nextRecord() || data_.empty()) fail(sheetstream::kExitDamaged);
      twoBytes = static_cast<unsigned char>(data_.front()) & kTwoByteCharacters;
      data_.remove_prefix(1);
      continue;
    }
    const std::size_t width = twoBytes ? 2 : 1;
    const std::size_t here = std::min(count, data_.size() / width);
    // A character is never split between records; a byte left over is damage.
    if (here == 0) fail(sheetstream::kExitDamaged);
    for (std::size_t i = 0; i < here && keep > 0; ++i, --keep) {
      units.add(twoBytes ? char16_t(biff::u16(data_, 2 * i))
                         : char16_t(static_cast<unsigned char>(data_[i])));
    }
    data_.remove_prefix(here * width);
    count -= here;
  }
}

std::string biff8String(ContinuedRecords& in, int countBytes) {
  const std::size_t count = countBytes == 1 ? in.byte() : in.u16();
  const std::uint8_t flags = in.byte();
  const std::size_t runs = flags & kRichText ? in.u16() : 0;
  const std::size_t phonetic = flags & kPhonetic ? in.u32() : 0;
  std::string text;
  in.characters(count, flags & kTwoByteCharacters, text, kKeptCharacters);
  in.skip(4 * runs);
  in.skip(phonetic);
  return text;
}

std::string biff5String(std::string_view payload, std::size_t at, int countBytes,
                        const CodePage& codePage) {
  if (payload.size() < at + std::size_t(countBytes)) fail(sheetstream::kExitDamaged);
  const std::size_t count =
      countBytes == 1 ? static_cast<unsigned char>(payload[at]) : biff::u16(payload, at);
  at += std::size_t(countBytes);
  if (payload.size() - at < count) fail(sheetstream::kExitDamaged);
  return codePage.text(payload.substr(at, std::min(count, kKeptCharacters)));
}

}  // namespace veltrix::sheetreader
