#include "tools/canvas_marks.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "tools/tool_font.h"

namespace veltrix {
namespace {

QImage white(int width = 200, int height = 200) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// The smallest rectangle holding every pixel that differs between the two images.
QRect changed(const QImage& before, const QImage& after) {
  QRect box;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(CanvasMarks, DotSpansItsWholeBoxThroughTheMiddle) {
  const struct {
    int width;
    int first;
    int last;
  } cases[] = {{4, 98, 101}, {5, 98, 102}, {2, 99, 100}, {20, 90, 109}};
  for (const auto& c : cases) {
    QImage canvas = white();
    drawDot(canvas, {100, 100}, c.width, Qt::black);
    EXPECT_EQ(changed(white(), canvas), QRect(QPoint(c.first, c.first), QPoint(c.last, c.last)))
        << c.width;
    for (int x = c.first; x <= c.last; ++x) EXPECT_EQ(canvas.pixel(x, 100), qRgb(0, 0, 0)) << x;
    for (int y = c.first; y <= c.last; ++y) EXPECT_EQ(canvas.pixel(100, y), qRgb(0, 0, 0)) << y;
  }
}

TEST(CanvasMarks, NoDotForWidthsOfOneAndBelow) {
  for (int width : {1, 0, -2}) {
    QImage canvas = white();
    drawDot(canvas, {100, 100}, width, Qt::black);
    EXPECT_TRUE(changed(white(), canvas).isNull()) << width;
  }
}

TEST(CanvasMarks, ThinWidthsDrawOnePixelLines) {
  for (int width : {1, 0, -5}) {
    QImage canvas = white();
    drawStrokeSegment(canvas, {20, 50}, {120, 50}, width, Qt::black);
    EXPECT_EQ(changed(white(), canvas).height(), 1) << width;
  }
}

TEST(CanvasMarks, StrokeStaysInsideItsEndsWidenedByHalfItsWidth) {
  for (int width : {3, 8, 15}) {
    QImage canvas = white();
    const QPoint from(60, 70), to(140, 110);
    drawStrokeSegment(canvas, from, to, width, Qt::red);
    const int reach = width / 2 + 1;
    const QRect allowed = QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach);
    const QRect marked = changed(white(), canvas);
    EXPECT_FALSE(marked.isNull());
    EXPECT_TRUE(allowed.contains(marked)) << width;
  }
}

TEST(CanvasMarks, TextIsGreyScaleAntialiasedInsideItsBox) {
  QImage canvas = white(300, 80);
  QFont chosen(QStringLiteral("宋体"));
  chosen.setPointSize(20);
  const QFont font = toolFont(chosen);
  drawToolText(canvas, {10, 10}, QStringLiteral("中文 Wg"), font, QColor(200, 0, 0));
  const QRect marked = changed(white(300, 80), canvas);
  ASSERT_FALSE(marked.isNull());
  EXPECT_TRUE(QRect(10, 10, 290, QFontMetrics(font).height()).contains(marked));
  int full = 0;
  for (int y = marked.top(); y <= marked.bottom(); ++y)
    for (int x = marked.left(); x <= marked.right(); ++x) {
      const QRgb pixel = canvas.pixel(x, y);
      // Red blended over white by one coverage value: green and blue always alike.
      EXPECT_EQ(qGreen(pixel), qBlue(pixel)) << x << "," << y;
      if (pixel == qRgb(200, 0, 0)) ++full;
    }
  EXPECT_GT(full, 20);
}

TEST(CanvasMarks, ErasingThePreviewShowsTheBackCanvasWithTheFrame) {
  ViewState view;
  view.backCanvas = white();
  view.viewCanvas = white();
  drawDot(view.viewCanvas, {50, 50}, 9, Qt::blue);
  const FrameLines frame{QRect(20, 20, 100, 100), QColor(255, 255, 0)};
  erasePenPreview(view, frame);
  QImage expected = white();
  drawFrame(expected, frame);
  EXPECT_EQ(view.viewCanvas, expected);
}

}  // namespace
}  // namespace veltrix
