// Turns the bytes of a BMP, JPEG, GIF or PNG file into an upright, opaque picture. The format is
// told by the first bytes, never by the file name, and damaged or hostile files fail cleanly,
// with the reason.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <optional>
#include <variant>

namespace veltrix {

// No picture larger than this is decoded: its header's claim is checked before anything the
// size of the picture is allocated.
inline constexpr qint64 kMaxPixels = 250'000'000;
inline constexpr qint64 kMaxSide = 65535;

enum class PictureFormat { Unknown, Bmp, Jpeg, Gif, Png };

// Looks at the first 8 bytes at most.
PictureFormat sniffPictureFormat(const QByteArray& head);

enum class DecodeError {
  Unreadable,   // the file cannot be opened or read, or is too large to be worth reading
  NotPicture,   // the first bytes are none of the four formats
  Damaged,      // one of the formats, but its decoder gave up
  Incomplete,   // whole headers, but the picture's data ends before the picture does
  TooLarge,     // the header claims more than kMaxPixels pixels or a side over kMaxSide
  OutOfMemory,  // inside the limits, but the memory left cannot hold the picture
};
// Why a file did not decode; width and height are the size the file claims, for TooLarge and
// OutOfMemory.
struct DecodeFailure {
  DecodeError error;
  qint64 width = 0;
  qint64 height = 0;
};

// Hears of the upright picture's rows as the decoder finishes them, so that work on them can
// go on while the rest is decoded. Every row is told once, in no set order, all of them before
// a decode succeeds; a decode that fails may stop after some. Rows told are final and only to
// be read. A sink may keep a copy of the picture to read them later, from any thread: copies
// share the pixels, and the decoder writes the rows still to come through pointers of its own,
// so a kept copy never makes the pixels be copied.
class PictureRowSink {
 public:
  virtual ~PictureRowSink() = default;
  virtual void rowsDone(const QImage& picture, int first, int count) = 0;
};

// A QImage::Format_RGB32 picture with transparency laid over white and, for JPEG, the EXIF
// orientation applied, or the reason there is none.
using DecodeResult = std::variant<QImage, DecodeFailure>;

DecodeResult decodePictureOrFailure(const QByteArray& bytes, PictureRowSink* rows = nullptr);

// Reads the whole file, then decodes it.
DecodeResult decodePictureFileOrFailure(const QString& path, PictureRowSink* rows = nullptr);
// The same for a file opened for reading.
DecodeResult decodePictureFileOrFailure(QFile& file, PictureRowSink* rows = nullptr);

// The same for callers that need no reason.
std::optional<QImage> decodePicture(const QByteArray& bytes);
std::optional<QImage> decodePictureFile(const QString& path);

}  // namespace veltrix
