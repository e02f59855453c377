#include "view/clipboard_picture.h"

#include <QMimeData>
#include <QPainter>

#include "codec/image_codec.h"

namespace veltrix {
namespace {

// Qt's image may hold transparency; a picture here is opaque, laid over white as a file is.
std::optional<QImage> overWhite(const QImage& image) {
  if (image.isNull() || image.width() > kMaxSide || image.height() > kMaxSide ||
      static_cast<qint64>(image.width()) * image.height() > kMaxPixels)
    return std::nullopt;
  QImage opaque(image.size(), QImage::Format_RGB32);
  if (opaque.isNull()) return std::nullopt;
  opaque.fill(Qt::white);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, image);
  return opaque;
}

}  // namespace

std::optional<QImage> clipboardPicture(const QMimeData* offered) {
  if (!offered) return std::nullopt;
  for (const char* type : {"image/png", "image/bmp", "image/jpeg", "image/gif"}) {
    const QString mime = QString::fromLatin1(type);
    if (offered->hasFormat(mime)) return decodePicture(offered->data(mime));
  }
  if (!offered->hasImage()) return std::nullopt;
  return overWhite(qvariant_cast<QImage>(offered->imageData()));
}

}  // namespace veltrix
