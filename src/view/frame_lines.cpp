#include "view/frame_lines.h"

#include <algorithm>

namespace veltrix {
namespace {

void horizontalLine(QImage& canvas, int y, int x0, int x1, QRgb colour) {
  if (y < 0 || y >= canvas.height()) return;
  auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
  for (int x = std::max(x0, 0); x < std::min(x1, canvas.width()); ++x) row[x] = colour;
}

void verticalLine(QImage& canvas, int x, int y0, int y1, QRgb colour) {
  if (x < 0 || x >= canvas.width()) return;
  for (int y = std::max(y0, 0); y < std::min(y1, canvas.height()); ++y)
    reinterpret_cast<QRgb*>(canvas.scanLine(y))[x] = colour;
}

}  // namespace

FrameLines frameLines(const CaptureFrame& frame, const OutputSpec& output) {
  return {QRect(frame.interiorLeft, frame.interiorTop, output.pixelWidth, output.pixelHeight),
          frame.colour};
}

void drawFrame(QImage& canvas, const FrameLines& frame) {
  const int l = frame.interior.left();
  const int t = frame.interior.top();
  const int w = frame.interior.width();
  const int h = frame.interior.height();
  const QRgb colour = frame.colour.rgb();
  horizontalLine(canvas, t - 1, l - 1, l + w + 1, colour);
  horizontalLine(canvas, t + h + 1, l - 1, l + w + 1, colour);
  verticalLine(canvas, l - 1, t - 1, t + h + 1, colour);
  verticalLine(canvas, l + w + 1, t - 1, t + h + 1, colour);
}

}  // namespace veltrix
