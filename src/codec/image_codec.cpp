// Picks the decoder from the file's first bytes and reads picture files whole.
#include "codec/image_codec.h"

#include <QByteArrayView>
#include <QFile>
#include <utility>

#include "codec/picture_decoders.h"

namespace veltrix {

namespace {

// The largest file worth reading: a 250-megapixel 32-bit BMP plus room for its headers.
constexpr qint64 kMaxFileBytes = kMaxPixels * 4 + 16 * 1024 * 1024;

bool startsWith(const QByteArray& head, QByteArrayView magic) {
  return head.size() >= magic.size() && QByteArrayView(head.constData(), magic.size()) == magic;
}

std::optional<QImage> pictureOf(DecodeResult result) {
  if (QImage* picture = std::get_if<QImage>(&result)) return std::move(*picture);
  return std::nullopt;
}

}  // namespace

PictureFormat sniffPictureFormat(const QByteArray& head) {
  if (startsWith(head, QByteArrayView("\x89PNG\r\n\x1a\n", 8))) return PictureFormat::Png;
  if (startsWith(head, QByteArrayView("\xff\xd8\xff", 3))) return PictureFormat::Jpeg;
  if (startsWith(head, "GIF87a") || startsWith(head, "GIF89a")) return PictureFormat::Gif;
  if (startsWith(head, "BM")) return PictureFormat::Bmp;
  return PictureFormat::Unknown;
}

DecodeResult decodePictureOrFailure(const QByteArray& bytes, PictureRowSink* rows) {
  DecodeResult result = DecodeFailure{DecodeError::NotPicture};
  switch (sniffPictureFormat(bytes)) {
    case PictureFormat::Bmp:
      result = picture::decodeBmp(bytes);
      break;
    case PictureFormat::Jpeg:
      return picture::decodeJpeg(bytes, rows);
    case PictureFormat::Gif:
      result = picture::decodeGif(bytes);
      break;
    case PictureFormat::Png:
      result = picture::decodePng(bytes);
      break;
    case PictureFormat::Unknown:
      break;
  }
  // These decoders finish no row for certain before the last: a GIF frame or an RLE bitmap
  // may still draw anywhere, and libpng hands the rows over all at once.
  if (const QImage* picture = std::get_if<QImage>(&result); picture && rows)
    rows->rowsDone(*picture, 0, picture->height());
  return result;
}

DecodeResult decodePictureFileOrFailure(const QString& path, PictureRowSink* rows) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return DecodeFailure{DecodeError::Unreadable};
  return decodePictureFileOrFailure(file, rows);
}

DecodeResult decodePictureFileOrFailure(QFile& file, PictureRowSink* rows) {
  if (file.size() > kMaxFileBytes) return DecodeFailure{DecodeError::Unreadable};
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return DecodeFailure{DecodeError::Unreadable};
  return decodePictureOrFailure(bytes, rows);
}

std::optional<QImage> decodePicture(const QByteArray& bytes) {
  return pictureOf(decodePictureOrFailure(bytes));
}

std::optional<QImage> decodePictureFile(const QString& path) {
  return pictureOf(decodePictureFileOrFailure(path));
}

}  // namespace veltrix
