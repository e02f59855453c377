// Pictures made for tests: noise, which no decoder or scaler gets right by accident.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRandomGenerator>

namespace veltrix::test {

// Every pixel random, so a pixel put in the wrong place or weighed wrongly shows.
inline QImage noise(int width, int height, quint32 seed = 7) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = random.generate() | 0xFF000000u;
  }
  return image;
}

}  // namespace veltrix::test
