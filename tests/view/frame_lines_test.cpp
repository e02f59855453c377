#include "view/frame_lines.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(FrameLines, DrawsFourOnePixelLinesThatStopShortOfTheirEnds) {
  QImage canvas(12, 12, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  drawFrame(canvas, {QRect(3, 3, 4, 5), QColor(255, 0, 0)});
  // Interior 3..6 x 3..7: lines at x 2 and 8, y 2 and 9; the far corner stays unpainted.
  QStringList rows;
  for (int y = 0; y < 12; ++y) {
    QString row;
    for (int x = 0; x < 12; ++x) row += canvas.pixel(x, y) == qRgb(255, 0, 0) ? '#' : '.';
    rows << row;
  }
  const QStringList expected = {
      "............", "............", "..#######...", "..#.....#...",
      "..#.....#...", "..#.....#...", "..#.....#...", "..#.....#...",
      "..#.....#...", "..######....", "............", "............",
  };
  EXPECT_EQ(rows.join('\n').toStdString(), expected.join('\n').toStdString());
}

TEST(FrameLines, FrameReachingPastTheCanvasIsClipped) {
  QImage canvas(5, 5, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  drawFrame(canvas, {QRect(0, 0, 8, 8), QColor(0, 0, 255)});
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
  drawFrame(canvas, {QRect(-20, -20, 3, 3), QColor(0, 0, 255)});
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace veltrix
