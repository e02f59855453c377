#include "view/picture_rotation.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "view/view_render.h"

namespace veltrix {
namespace {

// Square blocks small enough that a block's source and target rows stay in the first-level
// cache while the block is turned.
constexpr int kBlock = 16;
// Bands of target rows below this are not worth a thread of their own.
constexpr qint64 kPixelsAThread = 1 << 20;

// Writes target rows [first, last) of the turned picture. Clockwise, target (x, y) comes from
// source (y, h - 1 - x); counter-clockwise from source (w - 1 - y, x).
void turnRows(const QImage& source, QImage& target, bool clockwise, int first, int last) {
  const int w = source.width();
  const int h = source.height();
  const qsizetype sourceStride = source.bytesPerLine() / 4;
  const auto* sourceBits = reinterpret_cast<const QRgb*>(source.constBits());
  const int targetWidth = target.width();
  for (int blockY = first; blockY < last; blockY += kBlock) {
    const int endY = std::min(blockY + kBlock, last);
    for (int blockX = 0; blockX < targetWidth; blockX += kBlock) {
      const int endX = std::min(blockX + kBlock, targetWidth);
      for (int y = blockY; y < endY; ++y) {
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
        if (clockwise) {
          const QRgb* column = sourceBits + y;
          for (int x = blockX; x < endX; ++x) row[x] = column[(h - 1 - x) * sourceStride];
        } else {
          const QRgb* column = sourceBits + (w - 1 - y);
          for (int x = blockX; x < endX; ++x) row[x] = column[x * sourceStride];
        }
      }
    }
  }
}

}  // namespace

QImage turnQuarter(const QImage& picture, int degrees) {
  if ((degrees != 90 && degrees != -90) || picture.isNull()) return {};
  const QImage source = picture.format() == QImage::Format_RGB32
                            ? picture
                            : picture.convertToFormat(QImage::Format_RGB32);
  QImage target(source.height(), source.width(), QImage::Format_RGB32);
  if (target.isNull()) return {};
  const bool clockwise = degrees == 90;
  const qint64 pixels = static_cast<qint64>(target.width()) * target.height();
  const int threads = static_cast<int>(std::clamp<qint64>(
      pixels / kPixelsAThread, 1, std::max(1u, std::thread::hardware_concurrency())));
  const int bandRows = (target.height() / threads + kBlock - 1) / kBlock * kBlock;
  std::vector<std::thread> helpers;
  int first = 0;
  for (int band = 0; band + 1 < threads && first + bandRows < target.height(); ++band) {
    helpers.emplace_back(turnRows, std::cref(source), std::ref(target), clockwise, first,
                         first + bandRows);
    first += bandRows;
  }
  turnRows(source, target, clockwise, first, target.height());
  for (std::thread& helper : helpers) helper.join();
  return target;
}

bool rotatePicture(ImageDocument& document, ViewState& view, int degrees, const FrameLines& frame) {
  if (!document.present) return true;
  // The scaled canvas and then the old pixels go before anything new is made, so that a turn
  // costs one picture at most, not one picture and a canvas.
  view.pictureCanvas = QImage();
  QImage turned = turnQuarter(document.picture, degrees);
  const bool done = !turned.isNull();
  if (done) document.picture = std::move(turned);
  redrawView(view, document, frame);
  return done;
}

}  // namespace veltrix
