// Shared pieces of the picture decoders behind image_codec.h: size limits, the white
// background every transparent pixel is laid over, and one entry point per format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace veltrix::picture {

inline constexpr std::int64_t kMaxPixels = 250'000'000;
inline constexpr std::int64_t kMaxSide = 65535;
inline constexpr QRgb kWhite = 0xffffffff;

// Checked against the header's claim before anything the size of the picture is allocated.
inline bool fitsLimits(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

// An RGB32 picture of a size that passed fitsLimits, or a null image when memory runs out.
inline QImage newPicture(int width, int height) {
  return QImage(width, height, QImage::Format_RGB32);
}

inline int overWhite(int channel, int alpha) {
  return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

inline QRgb overWhite(int red, int green, int blue, int alpha) {
  if (alpha == 255) return qRgb(red, green, blue);
  return qRgb(overWhite(red, alpha), overWhite(green, alpha), overWhite(blue, alpha));
}

std::optional<QImage> decodeBmp(const QByteArray& bytes);
std::optional<QImage> decodeJpeg(const QByteArray& bytes);
std::optional<QImage> decodeGif(const QByteArray& bytes);
std::optional<QImage> decodePng(const QByteArray& bytes);

// The value of an APP1 "Exif" segment's Orientation tag, 1 when it is absent or unreadable.
int exifOrientation(const unsigned char* segment, std::size_t size);

// Turns a picture stored with the given EXIF orientation upright.
QImage orientUpright(QImage stored, int orientation);

}  // namespace veltrix::picture
