#include "sheet_stream_parser.h"

#include "sheets/sheet_stream_format.h"

namespace veltrix {

namespace {

std::uint32_t u32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::uint32_t checksum(std::uint32_t sum, QByteArrayView bytes) {
  return sheetstream::checksum(sum, reinterpret_cast<const unsigned char*>(bytes.data()),
                               std::size_t(bytes.size()));
}

}  // namespace

SheetStreamParser::State SheetStreamParser::feed(QByteArrayView bytes) {
  if (state_ != State::Reading) {
    // Nothing may follow the end record.
    if (state_ == State::Whole && !bytes.isEmpty()) state_ = State::Broken;
    return state_;
  }
  pending_.append(bytes);
  qsizetype at = 0;
  const auto available = [&] { return pending_.size() - at; };
  if (!headerRead_) {
    if (available() < qsizetype(sheetstream::kHeaderSize)) return state_;
    const QByteArrayView header(pending_.constData(), sheetstream::kHeaderSize);
    if (header.first(sheetstream::kMagic.size()) !=
            QByteArrayView(sheetstream::kMagic.data(), sheetstream::kMagic.size()) ||
        std::uint8_t(header.back()) != sheetstream::kVersion) {
      state_ = State::Broken;
      return state_;
    }
    sum_ = checksum(sheetstream::kChecksumStart, header);
    headerRead_ = true;
    at = sheetstream::kHeaderSize;
  }
  while (state_ == State::Reading && available() >= qsizetype(sheetstream::kRecordHeaderSize)) {
    const char* record = pending_.constData() + at;
    const std::uint32_t size = u32(record + 1);
    if (size > sheetstream::kMaxPayload) {
      state_ = State::Broken;
      break;
    }
    if (available() < qsizetype(sheetstream::kRecordHeaderSize + size)) break;
    const auto type = std::uint8_t(record[0]);
    const QByteArrayView payload(record + sheetstream::kRecordHeaderSize, size);
    readRecord(type, payload);
    if (state_ == State::Broken || state_ == State::TooLarge) break;
    const QByteArrayView whole(record, sheetstream::kRecordHeaderSize + size);
    sum_ = checksum(sum_, whole);
    at += whole.size();
  }
  if (state_ == State::Whole && at != pending_.size()) state_ = State::Broken;
  pending_.remove(0, at);
  return state_;
}

void SheetStreamParser::readRecord(std::uint8_t type, QByteArrayView payload) {
  textBytes_ += payload.size();
  if (++entries_ > limits_.entries || textBytes_ > limits_.textBytes) {
    state_ = State::TooLarge;
    return;
  }
  if (type == sheetstream::kSheet) {
    SpreadsheetSheet sheet;
    if (decoded(payload, sheet.name)) book_.sheets.push_back(std::move(sheet));
    return;
  }
  if (type == sheetstream::kCell) {
    if (book_.sheets.empty() || payload.size() <= qsizetype(sheetstream::kCellPlaceSize)) {
      state_ = State::Broken;
      return;
    }
    const std::uint32_t row = u32(payload.data());
    const std::uint32_t column = u32(payload.data() + 4);
    if (row >= sheetstream::kMaxRows || column >= sheetstream::kMaxColumns) {
      state_ = State::Broken;
      return;
    }
    QString text;
    if (!decoded(payload.sliced(sheetstream::kCellPlaceSize), text)) return;
    book_.sheets.back().cells.insert({int(row), int(column)}, text);
    ++cells_;
    return;
  }
  if (type == sheetstream::kEnd && payload.size() == qsizetype(sheetstream::kEndSize) &&
      u32(payload.data()) == book_.sheets.size() && u32(payload.data() + 4) == cells_ &&
      u32(payload.data() + 8) == sum_) {
    state_ = State::Whole;
    return;
  }
  state_ = State::Broken;
}

bool SheetStreamParser::decoded(QByteArrayView utf8, QString& text) {
  text = utf8_.decode(utf8);
  if (utf8_.hasError()) state_ = State::Broken;
  return state_ == State::Reading;
}

}  // namespace veltrix
