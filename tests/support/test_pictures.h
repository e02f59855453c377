// Pictures made for tests: noise, which no decoder or scaler gets right by accident, and JPEG
// files that carry an EXIF orientation.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRandomGenerator>

namespace veltrix::test {

// Every pixel random, so a pixel put in the wrong place or weighed wrongly shows; setBits are
// set in every pixel, to keep a colour out of the picture.
inline QImage noise(int width, int height, quint32 seed = 7, quint32 setBits = 0) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = random.generate() | 0xFF000000u | setBits;
  }
  return image;
}

// The JPEG with an APP1 segment right after its SOI, whose big-endian EXIF IFD0 holds only the
// Orientation tag.
inline QByteArray withExifOrientation(const QByteArray& jpeg, int orientation) {
  QByteArray segment = QByteArray::fromHex(
      "ffe10022"                  // APP1 and its length
      "457869660000"              // "Exif" and two zeros
      "4d4d002a00000008"          // big-endian TIFF header, IFD0 right after it
      "0001"                      // one entry:
      "011200030000000100000000"  // Orientation, one SHORT, the value at byte 29
      "00000000");                // no next IFD
  segment[29] = char(orientation);
  return jpeg.left(2) + segment + jpeg.mid(2);
}

}  // namespace veltrix::test
