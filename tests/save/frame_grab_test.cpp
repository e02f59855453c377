#include "save/frame_grab.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(FrameGrab, TakesTheShownPixelsOneToOneAndWhiteBeyondTheCanvas) {
  QImage canvas(20, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) canvas.setPixel(x, y, qRgb(x * 10, y * 20, 7));

  EXPECT_EQ(grabFrame(canvas, QRect(3, 2, 5, 4)), canvas.copy(3, 2, 5, 4));

  const QImage past = grabFrame(canvas, QRect(17, -2, 6, 5));
  ASSERT_EQ(past.size(), QSize(6, 5));
  EXPECT_EQ(past.pixel(0, 2), canvas.pixel(17, 0));
  EXPECT_EQ(past.pixel(2, 4), canvas.pixel(19, 2));
  EXPECT_EQ(past.pixel(3, 2), qRgb(255, 255, 255));
  EXPECT_EQ(past.pixel(0, 1), qRgb(255, 255, 255));

  EXPECT_TRUE(grabFrame(canvas, QRect(3, 2, 0, 4)).isNull());
}

}  // namespace
}  // namespace veltrix
