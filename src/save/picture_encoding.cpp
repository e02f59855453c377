// Chooses the encoder by extension and writes finished files atomically.
#include "save/picture_encoding.h"

#include <QSaveFile>

namespace veltrix {

std::optional<EncodedFormat> formatForExtension(const QString& ext) {
  const QString lower = ext.toLower();
  if (lower == QLatin1String(".bmp")) return EncodedFormat::Bmp;
  if (lower == QLatin1String(".gif")) return EncodedFormat::Gif;
  if (lower == QLatin1String(".png")) return EncodedFormat::Png;
  if (lower == QLatin1String(".jpg") || lower == QLatin1String(".jpeg")) return EncodedFormat::Jpeg;
  return std::nullopt;
}

EncodeResult encodePicture(const QImage& source, const QString& ext, double limitKb, int dpi) {
  const std::optional<EncodedFormat> format = formatForExtension(ext);
  if (!format) return {};
  if (*format != EncodedFormat::Jpeg) return {encodeImage(source, *format, dpi)};
  // Converted once here rather than once per quality tried.
  const QImage picture = source.convertToFormat(QImage::Format_RGB32);
  return fitJpegToLimit(limitKb, [&picture, dpi](int quality) {
    return encodeImage(picture, EncodedFormat::Jpeg, dpi, quality);
  });
}

bool writeBytesToFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace veltrix
