#include "view/scaler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace veltrix {

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

}  // namespace

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

namespace {

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

// Splits rows [0, count) over the processor's cores when there is enough work to share.
void forRowRanges(int count, qint64 work, const std::function<void(int, int)>& run) {
  const int cores = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  const int parts = work < 1'000'000 ? 1 : std::min(cores, count);
  if (parts <= 1) {
    run(0, count);
    return;
  }
  std::vector<std::thread> helpers;
  const int step = (count + parts - 1) / parts;
  for (int begin = step; begin < count; begin += step)
    helpers.emplace_back(run, begin, std::min(begin + step, count));
  run(0, std::min(step, count));
  for (std::thread& helper : helpers) helper.join();
}

inline uint8_t toByte(int64_t sum) {
  return static_cast<uint8_t>(std::clamp<int64_t>((sum + kWeightOne / 2) >> kWeightBits, 0, 255));
}

void scaleRow(const uint8_t* in, const Contributions& c, uint8_t* out, int width) {
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

// Blends the source rows that output row y reads into one row of bytes.
void blendRows(const QImage& source, const Contributions& c, int y, std::vector<int32_t>& sums,
               uint8_t* out) {
  std::fill(sums.begin(), sums.end(), 0);
  for (int k = 0; k < c.count[y]; ++k) {
    const int32_t w = c.weights[c.offset[y] + k];
    const uint8_t* in = source.constScanLine(c.first[y] + k);
    for (size_t i = 0; i < sums.size(); ++i) sums[i] += w * in[i];
  }
  for (size_t i = 0; i < sums.size(); ++i) out[i] = toByte(sums[i]);
}

QImage scaleColumns(const QImage& source, int height) {
  const Contributions c = contributionsFor(source.height(), height);
  QImage target(source.width(), height, QImage::Format_RGB32);
  forRowRanges(height, qint64(source.width()) * source.height(), [&](int begin, int end) {
    std::vector<int32_t> sums(static_cast<size_t>(source.width()) * 4);
    for (int y = begin; y < end; ++y) blendRows(source, c, y, sums, target.scanLine(y));
  });
  return target;
}

// Enlarging goes row by row: the few source rows an output row needs are blended into one row
// buffer, which is then widened straight into the output. No picture-sized intermediate is
// made, so the largest zoom needs little more than the output itself.
QImage scaleEnlarging(const QImage& source, int width, int height) {
  const Contributions cx = contributionsFor(source.width(), width);
  const Contributions cy = contributionsFor(source.height(), height);
  const size_t bytes = static_cast<size_t>(source.width()) * 4;
  QImage target(width, height, QImage::Format_RGB32);
  forRowRanges(height, qint64(width) * height, [&](int begin, int end) {
    std::vector<int32_t> sums(bytes);
    std::vector<uint8_t> blended(bytes);
    for (int y = begin; y < end; ++y) {
      const uint8_t* row = source.constScanLine(cy.first[y]);
      if (cy.count[y] > 1) {
        blendRows(source, cy, y, sums, blended.data());
        row = blended.data();
      }
      scaleRow(row, cx, target.scanLine(y), width);
    }
  });
  return target;
}

}  // namespace

ShrinkingScaler::ShrinkingScaler(QSize source, QSize target)
    : columns_(
          std::make_unique<const Contributions>(contributionsFor(source.width(), target.width()))),
      narrowed_(target.width(), source.height(), QImage::Format_RGB32),
      narrowedBits_(narrowed_.bits()),
      targetHeight_(target.height()) {}

ShrinkingScaler::~ShrinkingScaler() = default;

bool ShrinkingScaler::applies(QSize source, QSize target) {
  return !target.isEmpty() && target.width() < source.width();
}

void ShrinkingScaler::narrowRows(const uchar* source, qsizetype bytesPerLine, int begin, int end) {
  for (int y = begin; y < end; ++y)
    scaleRow(source + bytesPerLine * y, *columns_, narrowedBits_ + narrowed_.bytesPerLine() * y,
             narrowed_.width());
}

QImage ShrinkingScaler::finish() {
  // Only the narrowed rows are still needed; nothing of the first pass stays in memory to
  // sit between the allocations of the second.
  columns_.reset();
  const QImage narrowed = std::exchange(narrowed_, QImage());
  return scaleColumns(narrowed, targetHeight_);
}

QImage scalePicture(const QImage& source, int width, int height) {
  if (width <= 0 || height <= 0 || source.isNull()) return {};
  if (width == source.width() && height == source.height()) return source;
  if (!ShrinkingScaler::applies(source.size(), {width, height}))
    return scaleEnlarging(source, width, height);
  ShrinkingScaler scaler(source.size(), {width, height});
  forRowRanges(source.height(), qint64(source.width()) * source.height(), [&](int begin, int end) {
    scaler.narrowRows(source.constBits(), source.bytesPerLine(), begin, end);
  });
  return scaler.finish();
}

}  // namespace veltrix
