// Shared pieces of the picture decoders behind image_codec.h: size limits, the white
// background every transparent pixel is laid over, and one entry point per format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "codec/image_codec.h"

namespace veltrix::picture {

inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr DecodeFailure kDamaged{DecodeError::Damaged};
// A file cut short, as an interrupted copy leaves it: never shown with its missing part filled
// in, since a crop of that would go out unnoticed.
inline constexpr DecodeFailure kIncomplete{DecodeError::Incomplete};

inline bool fitsLimits(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

inline DecodeFailure tooLarge(std::int64_t width, std::int64_t height) {
  return {DecodeError::TooLarge, width, height};
}

// A picture inside the limits is no larger for memory running out: the user is to hear that the
// memory is short, not that the picture is too large.
inline DecodeFailure outOfMemory(std::int64_t width, std::int64_t height) {
  return {DecodeError::OutOfMemory, width, height};
}

// Checked against the header's claim before anything the size of the picture is allocated: a
// side of no pixels is damage, a size over the limits is too large.
inline std::optional<DecodeFailure> sizeFailure(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return kDamaged;
  if (!fitsLimits(width, height)) return tooLarge(width, height);
  return std::nullopt;
}

// An RGB32 picture of a size that passed sizeFailure, or a null image when memory runs out.
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

DecodeResult decodeBmp(const QByteArray& bytes);
DecodeResult decodeJpeg(const QByteArray& bytes, PictureRowSink* rows);
DecodeResult decodeGif(const QByteArray& bytes);
DecodeResult decodePng(const QByteArray& bytes);

// The value of an APP1 "Exif" segment's Orientation tag, 1 when it is absent or unreadable.
int exifOrientation(const unsigned char* segment, std::size_t size);

// The upright size of a picture stored at width x height under an EXIF orientation.
QSize uprightSize(int orientation, int width, int height);

// Lays the rows of a picture stored under an EXIF orientation straight into their upright
// places as a decoder delivers them, a band at a time, so that no second full picture is ever
// made. Flipped rows go straight to their row and are reversed there; rows of a picture stored
// on its side pass through a band buffer and are written as columns.
class UprightRows {
 public:
  // upright already has uprightSize(); its rows are told to sink, which may be null.
  UprightRows(QImage& upright, int orientation, PictureRowSink* sink);

  // Where the decoder writes stored rows first, first + 1, ..., at most room(first) of them,
  // as Format_RGB32 pixels.
  unsigned char** target(int first);
  int room(int first) const;

  // Stored rows [first, first + count) were written to target(first).
  void written(int first, int count);

  // Every stored row is written: a picture stored on its side is final only now.
  void finish();

 private:
  QImage& upright_;
  PictureRowSink* sink_;
  unsigned char* bits_;
  qsizetype bytesPerLine_;
  bool sideways_;
  bool flipRows_;     // stored row y lands at the far end: last upright row or column first
  bool flipColumns_;  // stored column x likewise
  int storedWidth_;
  int storedHeight_;
  std::vector<QRgb> band_;
  std::vector<unsigned char*> rows_;
};

}  // namespace veltrix::picture
