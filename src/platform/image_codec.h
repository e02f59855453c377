// Turns the bytes of a BMP, JPEG, GIF or PNG file into an upright, opaque picture. The format is
// told by the first bytes, never by the file name, and damaged or hostile files fail cleanly.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace veltrix {

enum class PictureFormat { Unknown, Bmp, Jpeg, Gif, Png };

// Looks at the first 8 bytes at most.
PictureFormat sniffPictureFormat(const QByteArray& head);

// A QImage::Format_RGB32 picture with transparency laid over white and, for JPEG, the EXIF
// orientation applied; nothing when the bytes are not a picture this program can read, or claim
// more than 250 million pixels or a side over 65535.
std::optional<QImage> decodePicture(const QByteArray& bytes);

// Reads the whole file, then decodePicture.
std::optional<QImage> decodePictureFile(const QString& path);

}  // namespace veltrix
