// Pictures the benchmarks make for themselves, and the peer every load is measured against:
// libjpeg-turbo decoding a file on its own.
#pragma once

#include <jpeglib.h>

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace veltrix::bench {

// A photo-like picture: smooth gradients with fine noise, so the JPEG is of a usual size.
inline QImage makePhoto(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(42);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int n = static_cast<int>(random.bounded(24));
      row[x] = qRgb((x * 255 / width + n) & 255, (y * 255 / height + n) & 255,
                    ((x + y) * 127 / (width + height) + n) & 255);
    }
  }
  return image;
}

inline QString writeJpeg(const QTemporaryDir& dir, const QImage& image, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  image.save(path, "JPG", 90);
  return path;
}

// libjpeg-turbo on its own: read the file and decode every scanline to RGB, into a whole
// picture, or into one band that every call overwrites, to see what libjpeg itself needs.
inline void plainDecode(const QString& path, bool wholePicture = true) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  const QByteArray bytes = file.readAll();
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  const size_t stride = static_cast<size_t>(info.output_width) * info.output_components;
  std::vector<unsigned char> pixels(stride * (wholePicture ? info.output_height : 16));
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[16];
    for (JDIMENSION i = 0; i < 16; ++i) {
      rows[i] =
          pixels.data() +
          stride * (wholePicture ? std::min(info.output_scanline + i, info.output_height - 1) : i);
    }
    jpeg_read_scanlines(&info, rows, 16);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

}  // namespace veltrix::bench
