// PNG through libpng's simplified API, which handles every colour type, bit depth, palette,
// interlacing and tRNS; the result is laid over white here.
#include <png.h>
#include <QtGlobal>

#include "codec/picture_decoders.h"

namespace veltrix::picture {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr png_uint_32 kQImageOrder = PNG_FORMAT_BGRA;
#else
constexpr png_uint_32 kQImageOrder = PNG_FORMAT_ARGB;
#endif

class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* operator->() { return &image_; }
  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

void layOverWhite(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = row[x];
      row[x] = overWhite(qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel));
    }
  }
}

}  // namespace

DecodeResult decodePng(const QByteArray& bytes) {
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), bytes.constData(), size_t(bytes.size())))
    return kDamaged;
  if (const std::optional<DecodeFailure> failure = sizeFailure(png->width, png->height))
    return *failure;

  const bool transparent = png->format & PNG_FORMAT_FLAG_ALPHA;
  png->format = kQImageOrder;
  // Without gAMA or sRGB, libpng would take 16-bit samples as linear light; the writers we
  // meet store them like 8-bit ones, in sRGB.
  png->flags |= PNG_IMAGE_FLAG_16BIT_sRGB;

  QImage image = newPicture(int(png->width), int(png->height));
  if (image.isNull()) return outOfMemory(png->width, png->height);
  // For 8-bit samples the row stride in components equals the stride in bytes. libpng frees
  // its state itself once the last row is in.
  if (!png_image_finish_read(png.get(), nullptr, image.bits(), png_int_32(image.bytesPerLine()),
                             nullptr))
    return kDamaged;
  if (transparent) layOverWhite(image);
  return image;
}

}  // namespace veltrix::picture
