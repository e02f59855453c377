// Picks the encoder for a format and hands it the picture in the one layout they all read.
#include "codec/image_encoder.h"

#include <algorithm>

#include "codec/picture_encoders.h"

namespace veltrix {

QByteArray encodeImage(const QImage& image, EncodedFormat format, int dpi, int jpegQuality) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return {};
  // A no-op that shares the pixels when the picture is already RGB32, as every caller's is.
  const QImage picture = image.convertToFormat(QImage::Format_RGB32);
  switch (format) {
    case EncodedFormat::Bmp:
      return picture::encodeBmp(picture, dpi);
    case EncodedFormat::Gif:
      return picture::encodeGif(picture);
    case EncodedFormat::Png:
      return picture::encodePng(picture, dpi);
    case EncodedFormat::Jpeg:
      return picture::encodeJpeg(picture, dpi, std::clamp(jpegQuality, 0, 100));
  }
  return {};
}

}  // namespace veltrix
