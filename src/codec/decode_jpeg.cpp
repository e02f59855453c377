// JPEG through libjpeg-turbo, decoded straight into the QImage's scanlines, each row laid in its
// upright place as it comes. Colour JPEGs come out in QImage's own byte order with no pass of
// our own; CMYK is converted in place.
//
// A file cut short after its headers is incomplete: libjpeg would fill the missing rows with grey,
// and a crop of that picture would go out unnoticed. A file without complete headers, or with
// data libjpeg calls an error, is damaged.
#include <QtGlobal>
#include <csetjmp>
#include <cstdio>

#include "codec/picture_decoders.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
// The warning codes; jerror.h leans on jpeglib.h's types.
#include <jerror.h>

namespace veltrix::picture {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kQImageOrder = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kQImageOrder = JCS_EXT_ARGB;
#endif

// Real encoders write a few dozen scans at most; a hostile progressive file can carry
// thousands of tiny ones and keep the decoder busy for minutes.
constexpr int kMaxScans = 500;

struct Session {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf failed{};
  bool endedEarly = false;  // the data ran out before the picture was whole

  Session();
  ~Session() { release(); }
  void release() { jpeg_destroy_decompress(&info); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

Session& sessionOf(j_common_ptr info) {
  return *static_cast<Session*>(info->client_data);
}

[[noreturn]] void fail(j_common_ptr info) {
  std::longjmp(sessionOf(info).failed, 1);
}

// libjpeg meets the end of the data as a warning and carries on with made-up data; here it ends
// the decode. Other warnings, about data it can still read past, are tolerated without the
// printing to stderr libjpeg would do.
void heedEndOfData(j_common_ptr info, int level) {
  if (level >= 0 || info->err->msg_code != JWRN_JPEG_EOF) return;
  sessionOf(info).endedEarly = true;
  fail(info);
}

void limitScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) fail(info);
}

Session::Session() {
  info.err = jpeg_std_error(&errors);
  errors.error_exit = fail;
  errors.emit_message = heedEndOfData;
  progress.progress_monitor = limitScans;
}

// Photoshop, and libjpeg-based writers after it, store CMYK inverted (0 means full ink), so
// each channel times the inverted black is already the RGB value.
void convertInvertedCmyk(unsigned char* pixel, int width) {
  QRgb* out = reinterpret_cast<QRgb*>(pixel);
  for (int x = 0; x < width; ++x, pixel += 4) {
    const int k = pixel[3];
    out[x] =
        qRgb((pixel[0] * k + 127) / 255, (pixel[1] * k + 127) / 255, (pixel[2] * k + 127) / 255);
  }
}

// Each step that calls into libjpeg sets its own jump point, so a longjmp only ever unwinds
// libjpeg's C frames and never skips a C++ destructor.
bool readHeader(Session& session, const QByteArray& bytes) {
  if (setjmp(session.failed)) return false;
  jpeg_create_decompress(&session.info);
  session.info.client_data = &session;
  session.info.progress = &session.progress;
  jpeg_mem_src(&session.info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&session.info, JPEG_APP0 + 1, 0xffff);
  return jpeg_read_header(&session.info, TRUE) == JPEG_HEADER_OK;
}

// libjpeg stops at the end of the last scanline; whatever follows in the file does not matter,
// so jpeg_finish_decompress is not called.
bool readScanlines(Session& session, UprightRows& upright, bool cmyk) {
  if (setjmp(session.failed)) return false;
  jpeg_decompress_struct& info = session.info;
  if (!jpeg_start_decompress(&info) || info.output_components != 4 ||
      info.output_width != info.image_width || info.output_height != info.image_height)
    return false;
  while (info.output_scanline < info.output_height) {
    const int first = int(info.output_scanline);
    unsigned char** rows = upright.target(first);
    const int count = int(jpeg_read_scanlines(&info, rows, JDIMENSION(upright.room(first))));
    if (count == 0) return false;
    if (cmyk) {
      for (int i = 0; i < count; ++i) convertInvertedCmyk(rows[i], int(info.output_width));
    }
    upright.written(first, count);
  }
  return true;
}

int orientationOf(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
    if (marker->marker != JPEG_APP0 + 1) continue;
    const int orientation = exifOrientation(marker->data, marker->data_length);
    if (orientation != 1) return orientation;
  }
  return 1;
}

}  // namespace

DecodeResult decodeJpeg(const QByteArray& bytes, PictureRowSink* rows) {
  Session session;
  if (!readHeader(session, bytes)) return kDamaged;
  jpeg_decompress_struct& info = session.info;
  // libjpeg has already refused sides over 65500, so they fit an int.
  const int orientation = orientationOf(info);
  const QSize size = uprightSize(orientation, int(info.image_width), int(info.image_height));
  if (const std::optional<DecodeFailure> failure = sizeFailure(size.width(), size.height()))
    return *failure;

  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : kQImageOrder;
  info.dct_method = JDCT_ISLOW;

  QImage image = newPicture(size.width(), size.height());
  if (image.isNull()) return outOfMemory(size.width(), size.height());
  UprightRows upright(image, orientation, rows);
  if (!readScanlines(session, upright, cmyk)) return session.endedEarly ? kIncomplete : kDamaged;
  // A progressive file's coefficients take as much memory as the picture or more; they go
  // before anyone works on the finished picture.
  session.release();
  upright.finish();
  return image;
}

}  // namespace veltrix::picture
