// Fuzzes the JPEG decoder with a row sink, as picture prefetching uses it.
#include "codec/picture_decoders.h"
#include "picture_checks.h"
#include "qt_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  fuzz::RowCheck rows;
  const DecodeResult result = picture::decodeJpeg(fuzz::bytesOf(data, size), &rows);
  fuzz::checkResult(result);
  fuzz::checkRows(result, rows);
  return 0;
}
