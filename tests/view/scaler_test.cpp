#include "view/scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "test_pictures.h"

namespace veltrix {
namespace {

QImage checkerboard(int width, int height, int cell) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, ((x / cell + y / cell) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  return image;
}

TEST(Scaler, SameSizeIsThePictureItself) {
  const QImage picture = checkerboard(37, 23, 1);
  const QImage scaled = scalePicture(picture, 37, 23);
  EXPECT_EQ(scaled.cacheKey(), picture.cacheKey());
}

TEST(Scaler, ShrinkingAveragesTheCoveredArea) {
  // Halving a one-pixel checkerboard must give even grey everywhere: every output pixel
  // covers two black and two white pixels. Dropping pixels would give black or white.
  const QImage half = scalePicture(checkerboard(64, 48, 1), 32, 24);
  ASSERT_EQ(half.size(), QSize(32, 24));
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_NEAR(qRed(half.pixel(x, y)), 128, 1) << x << ',' << y;

  // A third of 2x2 cells: each output pixel covers 4.5 black and 4.5 white pixels.
  const QImage third = scalePicture(checkerboard(60, 60, 1), 20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_NEAR(qGreen(third.pixel(x, y)), 128, 15);
}

TEST(Scaler, FlatColourStaysExactAtAnySize) {
  QImage flat(97, 61, QImage::Format_RGB32);
  flat.fill(qRgb(12, 200, 77));
  for (QSize size : {QSize(13, 9), QSize(96, 60), QSize(98, 62), QSize(301, 190), QSize(1, 1)}) {
    const QImage scaled = scalePicture(flat, size.width(), size.height());
    ASSERT_EQ(scaled.size(), size);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x)
        ASSERT_EQ(scaled.pixel(x, y), qRgb(12, 200, 77)) << size.width() << 'x' << size.height();
  }
}

TEST(Scaler, EnlargingBlendsBetweenNeighbours) {
  QImage two(2, 1, QImage::Format_RGB32);
  two.setPixel(0, 0, qRgb(0, 0, 0));
  two.setPixel(1, 0, qRgb(200, 200, 200));
  const QImage wide = scalePicture(two, 8, 1);
  // Outer pixels keep the end colours; the inner ones rise steadily between them.
  EXPECT_EQ(qRed(wide.pixel(0, 0)), 0);
  EXPECT_EQ(qRed(wide.pixel(7, 0)), 200);
  for (int x = 1; x < 8; ++x) EXPECT_GE(qRed(wide.pixel(x, 0)), qRed(wide.pixel(x - 1, 0)));
  EXPECT_GT(qRed(wide.pixel(3, 0)), 0);
  EXPECT_LT(qRed(wide.pixel(4, 0)), 200);
}

// Rows narrowed in any order, from two threads at once, give scalePicture's pixels exactly.
TEST(ShrinkingScaler, RowsInAnyOrderFromTwoThreadsGiveScalePicturesPixels) {
  const QImage source = test::noise(301, 203);
  for (const QSize target : {QSize(97, 61), QSize(300, 1), QSize(1, 1), QSize(150, 203)}) {
    ASSERT_TRUE(ShrinkingScaler::applies(source.size(), target));
    ShrinkingScaler scaler(source.size(), target);
    const int bands = (source.height() + 15) / 16;
    const auto narrowBands = [&](int from, int step) {
      for (int band = from; band >= 0 && band < bands; band += step)
        scaler.narrowRows(source.constBits(), source.bytesPerLine(), band * 16,
                          std::min(band * 16 + 16, source.height()));
    };
    std::thread even([&] { narrowBands(0, 2); });
    narrowBands(bands % 2 ? bands - 2 : bands - 1, -2);  // the odd bands, from the bottom up
    even.join();
    EXPECT_EQ(scaler.finish(), scalePicture(source, target.width(), target.height()))
        << target.width() << 'x' << target.height();
  }
}

TEST(ShrinkingScaler, TakesOnlyShrinkingWidths) {
  EXPECT_TRUE(ShrinkingScaler::applies({100, 50}, {99, 50}));
  EXPECT_TRUE(ShrinkingScaler::applies({100, 50}, {10, 80}));
  EXPECT_FALSE(ShrinkingScaler::applies({100, 50}, {100, 20}));
  EXPECT_FALSE(ShrinkingScaler::applies({100, 50}, {200, 100}));
  EXPECT_FALSE(ShrinkingScaler::applies({100, 50}, {0, 20}));
}

TEST(Scaler, EmptyTargetGivesNothing) {
  EXPECT_TRUE(scalePicture(checkerboard(4, 4, 1), 0, 3).isNull());
  EXPECT_TRUE(scalePicture(QImage(), 3, 3).isNull());
}

}  // namespace
}  // namespace veltrix
