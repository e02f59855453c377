#include "view/scaler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace veltrix {
namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

// For every output index along one axis: which source indices it reads, and how much of each.
struct Contributions {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<int> offset;  // into weights
  std::vector<int32_t> weights;

  void add(int start, const std::vector<double>& raw) {
    first.push_back(start);
    count.push_back(static_cast<int>(raw.size()));
    offset.push_back(static_cast<int>(weights.size()));
    double total = 0;
    for (double w : raw) total += w;
    int sum = 0;
    size_t largest = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
      const auto w = static_cast<int32_t>(std::lround(raw[i] / total * kWeightOne));
      weights.push_back(w);
      sum += w;
      if (raw[i] > raw[largest]) largest = i;
    }
    // Weights sum to exactly one, so flat areas keep their colour.
    weights[offset.back() + largest] += kWeightOne - sum;
  }
};

// Shrinking: each output pixel averages the source area it covers, partial pixels weighted by
// their covered part.
Contributions areaContributions(int sourceSize, int targetSize) {
  Contributions result;
  const double step = static_cast<double>(sourceSize) / targetSize;
  std::vector<double> raw;
  for (int i = 0; i < targetSize; ++i) {
    const double a = i * step;
    const double b = std::min<double>((i + 1) * step, sourceSize);
    const int start = static_cast<int>(std::floor(a));
    const int end = std::min(static_cast<int>(std::ceil(b)), sourceSize);
    raw.clear();
    for (int s = start; s < end; ++s)
      raw.push_back(std::min<double>(s + 1, b) - std::max<double>(s, a));
    result.add(start, raw);
  }
  return result;
}

// Enlarging: pixel centres map onto each other and the two nearest source pixels blend.
Contributions bilinearContributions(int sourceSize, int targetSize) {
  Contributions result;
  const double step = static_cast<double>(sourceSize) / targetSize;
  for (int i = 0; i < targetSize; ++i) {
    const double centre = std::clamp((i + 0.5) * step - 0.5, 0.0, sourceSize - 1.0);
    const int left = std::min(static_cast<int>(centre), sourceSize - 1);
    const double fraction = centre - left;
    if (left + 1 >= sourceSize || fraction == 0.0)
      result.add(left, {1.0});
    else
      result.add(left, {1.0 - fraction, fraction});
  }
  return result;
}

Contributions contributionsFor(int sourceSize, int targetSize) {
  return targetSize < sourceSize ? areaContributions(sourceSize, targetSize)
                                 : bilinearContributions(sourceSize, targetSize);
}

inline uint8_t toByte(int64_t sum) {
  return static_cast<uint8_t>(std::clamp<int64_t>((sum + kWeightOne / 2) >> kWeightBits, 0, 255));
}

QImage scaleRows(const QImage& source, int width) {
  if (width == source.width()) return source;
  const Contributions c = contributionsFor(source.width(), width);
  QImage target(width, source.height(), QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y) {
    const uint8_t* in = source.constScanLine(y);
    uint8_t* out = target.scanLine(y);
    for (int x = 0; x < width; ++x) {
      int32_t b = 0, g = 0, r = 0;
      const uint8_t* pixel = in + 4 * c.first[x];
      const int32_t* w = c.weights.data() + c.offset[x];
      for (int k = 0; k < c.count[x]; ++k, pixel += 4) {
        b += w[k] * pixel[0];
        g += w[k] * pixel[1];
        r += w[k] * pixel[2];
      }
      out[4 * x] = toByte(b);
      out[4 * x + 1] = toByte(g);
      out[4 * x + 2] = toByte(r);
      out[4 * x + 3] = 0xFF;
    }
  }
  return target;
}

QImage scaleColumns(const QImage& source, int height) {
  if (height == source.height()) return source;
  const Contributions c = contributionsFor(source.height(), height);
  const int bytes = source.width() * 4;
  QImage target(source.width(), height, QImage::Format_RGB32);
  std::vector<int32_t> sums(static_cast<size_t>(bytes));
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int k = 0; k < c.count[y]; ++k) {
      const int32_t w = c.weights[c.offset[y] + k];
      const uint8_t* in = source.constScanLine(c.first[y] + k);
      for (int i = 0; i < bytes; ++i) sums[i] += w * in[i];
    }
    uint8_t* out = target.scanLine(y);
    for (int i = 0; i < bytes; i += 4) {
      out[i] = toByte(sums[i]);
      out[i + 1] = toByte(sums[i + 1]);
      out[i + 2] = toByte(sums[i + 2]);
      out[i + 3] = 0xFF;
    }
  }
  return target;
}

}  // namespace

QImage scalePicture(const QImage& source, int width, int height) {
  if (width <= 0 || height <= 0 || source.isNull()) return {};
  // Shrinking the width first keeps the second pass small; enlarging, the height first does.
  if (width < source.width()) return scaleColumns(scaleRows(source, width), height);
  return scaleRows(scaleColumns(source, height), width);
}

}  // namespace veltrix
