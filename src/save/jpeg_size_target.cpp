// The JPEG size search and the message shown when the limit cannot be reached.
#include "save/jpeg_size_target.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "settings/number_rules.h"

namespace veltrix {

namespace {

constexpr double kTolerance = 1e-12;
constexpr int kCoarseStep = 5;

// A limit typed as a fraction of a KB can land a hair under a whole byte count after the
// multiplication; that hair must not cost a byte.
double limitBytes(double limitKb) {
  return std::floor(limitKb * 1024.0 + kTolerance);
}

bool fits(const QByteArray& bytes, double limit) {
  return double(bytes.size()) <= limit;
}

}  // namespace

EncodeResult fitJpegToLimit(double limitKb, const JpegEncoder& encode) {
  const double limit = limitBytes(limitKb);
  int best = 100;
  QByteArray result;
  for (;; best -= kCoarseStep) {
    result = encode(best);
    if (result.isEmpty()) return {};
    if (fits(result, limit)) break;
    if (best == 0) return {result, false, result.size()};
  }
  for (int quality = best + 1; quality <= std::min(best + kCoarseStep - 1, 100); ++quality) {
    QByteArray bytes = encode(quality);
    if (bytes.isEmpty() || !fits(bytes, limit)) break;
    result = std::move(bytes);
  }
  return {result, true, 0};
}

QString sizeTargetMessage(qint64 smallestBytes) {
  const double tenthsOfKb = roundHalfAway(double(smallestBytes) / 1024.0 * 10.0);
  return QStringLiteral("当前截图区域输出图片所能达到的最小体积为") +
         formatDouble(tenthsOfKb / 10.0) + QStringLiteral("KB大小，\r\n请重新设置JPG输出体积。");
}

}  // namespace veltrix
