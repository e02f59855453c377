// PNG through libpng's simplified API, which handles every colour type, bit depth, palette,
// interlacing and tRNS; the result is laid over white here.
//
// The chunks are walked by their lengths before libpng sees any of them. The simplified reader
// reads every chunk before the first IDAT, with no limits and before it can be told otherwise:
// a text chunk that claims 2 GB gets 2 GB allocated and cleared, and compressed text is
// inflated and kept. So a chunk that claims more than the file holds is refused here, and text
// chunks before the image data are left out of what libpng reads (it skips those after it
// itself, and no text ever changes a pixel).
#include <png.h>
#include <QByteArrayView>
#include <QtGlobal>
#include <cstdint>
#include <new>
#include <optional>
#include <utility>
#include <vector>

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

constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kChunkFrame = 12;  // length, type and CRC around the data

using ByteRange = std::pair<qsizetype, qsizetype>;  // first byte and size

// How the chunks lie in the file, or why they cannot be laid out: cut or lying before the
// first IDAT is damage, cut after it is a picture whose data ends early.
struct ChunkLayout {
  std::optional<DecodeFailure> failure;
  std::vector<ByteRange> textBeforeImage;
  qsizetype textBytes = 0;
  std::uint32_t width = 0;  // as IHDR claims
  std::uint32_t height = 0;
};

std::uint32_t bigEndian(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

bool isText(QByteArrayView type) {
  return type == "tEXt" || type == "zTXt" || type == "iTXt";
}

ChunkLayout layOutChunks(const QByteArray& bytes) {
  ChunkLayout layout;
  bool imageData = false;  // the first IDAT has begun
  for (qsizetype at = kSignatureSize;;) {
    const qsizetype left = bytes.size() - at;
    const QByteArrayView type = left >= 8 ? QByteArrayView(bytes.constData() + at + 4, 4) : "";
    imageData = imageData || type == "IDAT";
    const std::uint32_t length = left >= 4 ? bigEndian(bytes.constData() + at) : 0;
    if (length > PNG_UINT_31_MAX) {
      layout.failure = kDamaged;
      return layout;
    }
    if (left < kChunkFrame || qsizetype(length) > left - kChunkFrame) {
      layout.failure = imageData ? kIncomplete : kDamaged;
      return layout;
    }
    if (type == "IEND") return layout;
    const qsizetype size = kChunkFrame + qsizetype(length);
    if (type == "IHDR" && length >= 8) {
      layout.width = bigEndian(bytes.constData() + at + 8);
      layout.height = bigEndian(bytes.constData() + at + 12);
    } else if (!imageData && isText(type)) {
      layout.textBeforeImage.push_back({at, size});
      layout.textBytes += size;
    }
    at += size;
  }
}

// The file without the given chunks.
QByteArray without(const QByteArray& bytes, const std::vector<ByteRange>& chunks,
                   qsizetype chunkBytes) {
  QByteArray kept;
  kept.reserve(bytes.size() - chunkBytes);
  qsizetype from = 0;
  for (const auto& [at, size] : chunks) {
    kept.append(bytes.constData() + from, at - from);
    from = at + size;
  }
  kept.append(bytes.constData() + from, bytes.size() - from);
  return kept;
}

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
  const ChunkLayout chunks = layOutChunks(bytes);
  if (chunks.failure) return *chunks.failure;
  QByteArray read = bytes;
  try {
    if (!chunks.textBeforeImage.empty())
      read = without(bytes, chunks.textBeforeImage, chunks.textBytes);
  } catch (const std::bad_alloc&) {
    return outOfMemory(chunks.width, chunks.height);
  }
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), read.constData(), size_t(read.size())))
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
