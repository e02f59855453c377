#include "view/picture_rotation.h"

#include <gtest/gtest.h>

#include "test_pictures.h"
#include "view/view_render.h"

namespace veltrix {
namespace {

using test::noise;

// Six different colours, so that any misplaced pixel shows:
//   a b c
//   d e f
const QRgb a = qRgb(10, 0, 0), b = qRgb(20, 0, 0), c = qRgb(30, 0, 0);
const QRgb d = qRgb(0, 40, 0), e = qRgb(0, 50, 0), f = qRgb(0, 60, 0);

QImage fixture3x2() {
  QImage picture(3, 2, QImage::Format_RGB32);
  const QRgb rows[2][3] = {{a, b, c}, {d, e, f}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) picture.setPixel(x, y, rows[y][x]);
  return picture;
}

void expectPixels(const QImage& picture, const std::vector<std::vector<QRgb>>& rows) {
  ASSERT_EQ(picture.height(), static_cast<int>(rows.size()));
  ASSERT_EQ(picture.width(), static_cast<int>(rows[0].size()));
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      EXPECT_EQ(picture.pixel(x, y), rows[y][x]) << x << "," << y;
}

TEST(TurnQuarterTest, ClockwiseMovesTheLeftColumnToTheTopRow) {
  expectPixels(turnQuarter(fixture3x2(), 90), {{d, a}, {e, b}, {f, c}});
}

TEST(TurnQuarterTest, CounterClockwiseMovesTheRightColumnToTheTopRow) {
  expectPixels(turnQuarter(fixture3x2(), -90), {{c, f}, {b, e}, {a, d}});
}

TEST(TurnQuarterTest, OtherAnglesGiveNothing) {
  EXPECT_TRUE(turnQuarter(fixture3x2(), 180).isNull());
  EXPECT_TRUE(turnQuarter(QImage(), 90).isNull());
}

// Sizes that cross the blocks and the bands of rows the threads share, one way and the other.
class TurnRoundTest : public testing::TestWithParam<QSize> {};

TEST_P(TurnRoundTest, ATurnBackAndFourTurnsGiveThePictureAgain) {
  const QImage picture = noise(GetParam().width(), GetParam().height(), 7);
  const QImage right = turnQuarter(picture, 90);
  ASSERT_EQ(right.size(), picture.size().transposed());
  EXPECT_EQ(right.pixel(0, 0), picture.pixel(0, picture.height() - 1));
  EXPECT_EQ(right.pixel(right.width() - 1, right.height() - 1),
            picture.pixel(picture.width() - 1, 0));
  EXPECT_EQ(turnQuarter(right, -90), picture);
  QImage turned = picture;
  for (int i = 0; i < 4; ++i) turned = turnQuarter(turned, -90);
  EXPECT_EQ(turned, picture);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TurnRoundTest,
                         testing::Values(QSize(1, 1), QSize(17, 33), QSize(640, 480),
                                         QSize(2100, 1500), QSize(1500, 2100)));

class RotateViewTest : public testing::Test {
 protected:
  void SetUp() override { resizeCanvases(view, 411, 279); }

  ViewState view;
  ImageDocument document;
  FrameLines frame{QRect(125, 34, 160, 210), QColor(255, 255, 0)};
};

TEST_F(RotateViewTest, KeepsTheZoomAndTheScrollPlaces) {
  document = {noise(640, 480, 3), true};
  view.scrollFractionX = view.scrollFractionY = 0.5;
  showNewPicture(view, document, frame);
  ASSERT_TRUE(zoomView(view, document, 1.1, frame));
  view.scrollFractionX = 0.25;
  view.scrollFractionY = 0.75;
  const double zoom = view.zoom;
  ASSERT_TRUE(rotatePicture(document, view, 90, frame));
  EXPECT_EQ(document.picture.size(), QSize(480, 640));
  EXPECT_DOUBLE_EQ(view.zoom, zoom);
  EXPECT_EQ(view.scaledWidth, static_cast<int>(480 * zoom));
  EXPECT_EQ(view.scaledHeight, static_cast<int>(640 * zoom));
  EXPECT_TRUE(view.vertical.enabled);
  EXPECT_EQ(view.vertical.position, static_cast<int>(view.vertical.maximum * 0.75));
  ASSERT_TRUE(rotatePicture(document, view, -90, frame));
  EXPECT_EQ(document.picture.size(), QSize(640, 480));
  EXPECT_DOUBLE_EQ(view.zoom, zoom);
}

TEST_F(RotateViewTest, WithoutAPictureNothingHappens) {
  EXPECT_TRUE(rotatePicture(document, view, 90, frame));
  EXPECT_FALSE(document.present);
  EXPECT_TRUE(document.picture.isNull());
}

}  // namespace
}  // namespace veltrix
