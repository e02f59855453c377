// Fuzzes the program's reading of the helper's output, which a misbehaving helper may have
// written. The stream is read whole and again in pieces as a pipe delivers them; the verdict
// must not depend on where the pieces break.
#include <algorithm>

#include "fuzz_support.h"
#include "sheets/sheet_stream_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  if (size == 0) return 0;
  // Small limits, so that the fuzzer reaches them too.
  const SheetStreamLimits limits{64, 4096};
  const std::size_t piece = data[0] % 16 + 1;
  const QByteArrayView stream(data + 1, static_cast<qsizetype>(size - 1));

  SheetStreamParser whole(limits);
  const SheetStreamParser::State verdict = whole.feed(stream);

  SheetStreamParser pieces(limits);
  for (qsizetype at = 0; at < stream.size(); at += qsizetype(piece))
    pieces.feed(stream.sliced(at, std::min(qsizetype(piece), stream.size() - at)));
  fuzz::check(pieces.state() == verdict, "the same verdict whole and in pieces");

  if (verdict == SheetStreamParser::State::Whole) {
    const SpreadsheetBook book = whole.takeBook();
    fuzz::check(qint64(book.sheets.size()) <= limits.entries, "no more sheets than the limit");
  }
  return 0;
}
