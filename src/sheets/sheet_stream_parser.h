// The program's reading of veltrix-sheet-reader's output, record by record as it arrives, into
// a SpreadsheetBook. Anything out of form makes it Broken; beyond what the program is willing
// to hold it is TooLarge.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <cstdint>

#include "sheets/workbook.h"

namespace veltrix {

// What the program holds of one workbook at most: far above any class list, far below what
// would strain the program.
struct SheetStreamLimits {
  qint64 entries = 2'000'000;  // sheets and cells
  qint64 textBytes = 256 << 20;
};

class SheetStreamParser {
 public:
  enum class State { Reading, Whole, Broken, TooLarge };

  explicit SheetStreamParser(SheetStreamLimits limits = SheetStreamLimits()) : limits_(limits) {}

  State feed(QByteArrayView bytes);
  State state() const { return state_; }
  // The book once the stream is Whole.
  SpreadsheetBook takeBook() { return std::move(book_); }

 private:
  void readRecord(std::uint8_t type, QByteArrayView payload);
  bool decoded(QByteArrayView utf8, QString& text);

  SheetStreamLimits limits_;
  State state_ = State::Reading;
  QByteArray pending_;
  bool headerRead_ = false;
  std::uint32_t sum_ = 0;
  qint64 entries_ = 0;
  qint64 textBytes_ = 0;
  std::uint32_t cells_ = 0;
  QStringDecoder utf8_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
  SpreadsheetBook book_;
};

}  // namespace veltrix
