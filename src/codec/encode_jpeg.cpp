// JPEG through libjpeg-turbo, compressed straight from QImage's scanlines: baseline, optimised
// Huffman tables, libjpeg's default 4:2:0 sampling and a JFIF header carrying the dpi.
#include <QtGlobal>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "codec/picture_encoders.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace veltrix::picture {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kQImageOrder = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kQImageOrder = JCS_EXT_XRGB;
#endif

struct Session {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf failed{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;

  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

[[noreturn]] void fail(j_common_ptr info) {
  std::longjmp(static_cast<Session*>(info->client_data)->failed, 1);
}

void stayQuiet(j_common_ptr) {}

Session::Session() {
  info.err = jpeg_std_error(&errors);
  errors.error_exit = fail;
  errors.output_message = stayQuiet;
}

Session::~Session() {
  // After a failure the memory destination may have moved to a grown buffer that only it
  // knows; terminating it (harmless a second time) hands that buffer back to be freed.
  if (info.dest) info.dest->term_destination(&info);
  jpeg_destroy_compress(&info);
  std::free(buffer);
}

// The jump point lives here, so a longjmp only unwinds libjpeg's C frames.
bool compress(Session& session, const QImage& image, int dpi, int quality) {
  jpeg_compress_struct& info = session.info;
  if (setjmp(session.failed)) return false;
  jpeg_create_compress(&info);
  info.client_data = &session;
  jpeg_mem_dest(&info, &session.buffer, &session.size);
  info.image_width = JDIMENSION(image.width());
  info.image_height = JDIMENSION(image.height());
  info.input_components = 4;
  info.in_color_space = kQImageOrder;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;  // dots per inch
  // JFIF stores 16 bits and calls a zero density invalid.
  info.X_density = UINT16(std::clamp(dpi, 1, 65535));
  info.Y_density = info.X_density;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes non-const rows but only reads them.
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

QByteArray encodeJpeg(const QImage& image, int dpi, int quality) {
  Session session;
  if (!compress(session, image, dpi, quality)) return {};
  return QByteArray(reinterpret_cast<const char*>(session.buffer), qsizetype(session.size));
}

}  // namespace veltrix::picture
