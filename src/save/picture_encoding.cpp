// Chooses the encoder by extension and writes finished files atomically.
#include "save/picture_encoding.h"

#include <QDir>
#include <QFileInfo>

#include "save/texts.h"

namespace veltrix {

std::optional<EncodedFormat> formatForExtension(const QString& ext) {
  const QString lower = ext.toLower();
  if (lower == QLatin1String(".bmp")) return EncodedFormat::Bmp;
  if (lower == QLatin1String(".gif")) return EncodedFormat::Gif;
  if (lower == QLatin1String(".png")) return EncodedFormat::Png;
  if (lower == QLatin1String(".jpg") || lower == QLatin1String(".jpeg")) return EncodedFormat::Jpeg;
  return std::nullopt;
}

std::optional<EncodeResult> encodePicture(const QImage& source, const QString& ext, double limitKb,
                                          int dpi) {
  const std::optional<EncodedFormat> format = formatForExtension(ext);
  if (!format || source.isNull()) return std::nullopt;
  EncodeResult result;
  if (*format != EncodedFormat::Jpeg) {
    result.bytes = encodeImage(source, *format, dpi);
  } else {
    // Converted once here rather than once per quality tried.
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    result = fitJpegToLimit(limitKb, [&picture, dpi](int quality) {
      return encodeImage(picture, EncodedFormat::Jpeg, dpi, quality);
    });
  }
  if (result.bytes.isEmpty()) return std::nullopt;
  return result;
}

WriteOutcome writePictureFile(const QString& path, const QByteArray& bytes) {
  const QFileInfo existing(path);
  if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner))
    return WriteOutcome::Failed;
  return replaceFileWhole(path, bytes);
}

bool writeBytesToFile(const QString& path, const QByteArray& bytes) {
  return writePictureFile(path, bytes) == WriteOutcome::Written;
}

QString cannotWriteMessage(const QString& path, WriteOutcome outcome) {
  using namespace save_texts;
  const QString file = QDir::toNativeSeparators(path);
  if (outcome == WriteOutcome::DiskFull)
    return QString::fromUtf8(kDiskFullBefore) + file + QString::fromUtf8(kDiskFullMiddle) +
           QDir::toNativeSeparators(QFileInfo(path).path()) + QString::fromUtf8(kDiskFullAfter);
  return QString::fromUtf8(kCannotWriteBefore) + file + QString::fromUtf8(kCannotWriteAfter);
}

}  // namespace veltrix
