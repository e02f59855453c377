// PNG through libpng's write API: 8-bit RGB without alpha, with the resolution in pHYs. libpng
// reads QImage's scanlines directly, dropping the unused fourth byte itself.
#include <png.h>

#include <QtGlobal>
#include <new>

#include "codec/picture_encoders.h"

namespace veltrix::picture {

namespace {

struct Session {
  png_structp png = nullptr;
  png_infop info = nullptr;

  Session() {
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, stayQuiet);
    if (png) info = png_create_info_struct(png);
  }
  ~Session() { png_destroy_write_struct(&png, &info); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // libpng would print warnings to stderr; none of them concerns a picture we write.
  static void stayQuiet(png_structp, png_const_charp) {}
};

void appendBytes(png_structp png, png_bytep data, size_t length) {
  bool stored = true;
  try {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
  } catch (const std::bad_alloc&) {
    stored = false;
  }
  // Only after the catch block has ended may libpng longjmp out of here.
  if (!stored) png_error(png, "out of memory");
}

void flushNothing(png_structp) {}

// The jump point lives here, so a longjmp only unwinds libpng's C frames.
bool write(Session& session, const QImage& image, int dpi, QByteArray* out) {
  png_structp png = session.png;
  png_infop info = session.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, appendBytes, flushNothing);
  png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, pixelsPerMetre(dpi), pixelsPerMetre(dpi), PNG_RESOLUTION_METER);
  png_write_info(png, info);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
#else
  png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
  for (int y = 0; y < image.height(); ++y) png_write_row(png, image.constScanLine(y));
  png_write_end(png, info);
  return true;
}

}  // namespace

QByteArray encodePng(const QImage& image, int dpi) {
  Session session;
  if (!session.info) return {};
  QByteArray bytes;
  if (!write(session, image, dpi, &bytes)) return {};
  return bytes;
}

}  // namespace veltrix::picture
