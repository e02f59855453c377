// Shared pieces of the picture encoders behind image_encoder.h: one entry point per format,
// each given a non-empty Format_RGB32 picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace veltrix::picture {

// PNG and BMP store resolution per metre in a 32-bit field.
inline std::uint32_t pixelsPerMetre(int dpi) {
  const double perMetre = std::round(std::max(dpi, 0) / 0.0254);
  return static_cast<std::uint32_t>(std::min(perMetre, 2147483647.0));
}

QByteArray encodeBmp(const QImage& image, int dpi);
QByteArray encodeGif(const QImage& image);
QByteArray encodePng(const QImage& image, int dpi);
QByteArray encodeJpeg(const QImage& image, int dpi, int quality);

}  // namespace veltrix::picture
