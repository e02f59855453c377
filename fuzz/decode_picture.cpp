// Fuzzes the public decoding entry: the format told by the first bytes, then its decoder, with
// and without a row sink; both must agree.
#include "codec/image_codec.h"
#include "picture_checks.h"
#include "qt_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const QByteArray bytes = fuzz::bytesOf(data, size);
  fuzz::RowCheck rows;
  const DecodeResult result = decodePictureOrFailure(bytes, &rows);
  fuzz::checkResult(result);
  fuzz::checkRows(result, rows);
  const std::optional<QImage> picture = decodePicture(bytes);
  fuzz::check(picture.has_value() == std::holds_alternative<QImage>(result),
              "the same verdict without a sink");
  if (picture) fuzz::check(*picture == std::get<QImage>(result), "the same pixels");
  return 0;
}
