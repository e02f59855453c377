// BMP written by hand: a 24-bit BI_RGB picture, bottom-up, with the 40-byte BITMAPINFOHEADER
// that every reader since Windows 3 understands.
#include <QRgb>
#include <cstdint>

#include "codec/picture_encoders.h"

namespace veltrix::picture {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(char* at) : at_(reinterpret_cast<unsigned char*>(at)) {}
  void u16(std::uint32_t value) { bytes(value, 2); }
  void u32(std::uint32_t value) { bytes(value, 4); }

 private:
  void bytes(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) *at_++ = static_cast<unsigned char>(value >> (8 * i));
  }
  unsigned char* at_;
};

}  // namespace

QByteArray encodeBmp(const QImage& image, int dpi) {
  const std::uint64_t stride = (std::uint64_t(image.width()) * 3 + 3) & ~std::uint64_t(3);
  const std::uint64_t pixelBytes = stride * std::uint64_t(image.height());
  // bfSize is 32 bits, and a QByteArray must hold the whole file.
  if (kPixelOffset + pixelBytes > 0x7fffffffu) return {};

  QByteArray file(qsizetype(kPixelOffset + pixelBytes), '\0');
  LittleEndianWriter header(file.data());
  header.u16(0x4d42);  // "BM"
  header.u32(std::uint32_t(kPixelOffset + pixelBytes));
  header.u32(0);  // reserved
  header.u32(kPixelOffset);
  header.u32(kInfoHeaderSize);
  header.u32(std::uint32_t(image.width()));
  header.u32(std::uint32_t(image.height()));  // positive: rows run bottom-up
  header.u16(1);                              // planes
  header.u16(24);                             // bits per pixel
  header.u32(0);                              // BI_RGB
  header.u32(std::uint32_t(pixelBytes));
  header.u32(pixelsPerMetre(dpi));
  header.u32(pixelsPerMetre(dpi));
  header.u32(0);  // colours used
  header.u32(0);  // important colours

  unsigned char* out = reinterpret_cast<unsigned char*>(file.data()) + kPixelOffset;
  for (int y = image.height() - 1; y >= 0; --y, out += stride) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    unsigned char* pixel = out;
    for (int x = 0; x < image.width(); ++x) {
      *pixel++ = static_cast<unsigned char>(qBlue(row[x]));
      *pixel++ = static_cast<unsigned char>(qGreen(row[x]));
      *pixel++ = static_cast<unsigned char>(qRed(row[x]));
    }
  }
  return file;
}

}  // namespace veltrix::picture
