// The camera window's sizes and places, worked out for the cases a photographer meets.
#include "camera/camera_geometry.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(CameraGeometry, PreviewKeepsTheCameraAspectAndHoldsTheFrame) {
  const struct {
    QSize output;
    double aspect;
    QSize preview;
  } cases[] = {
      {{358, 441}, 0.75, {628, 471}},    // taller than the video: the height limits
      {{120, 144}, 0.75, {412, 309}},    // small: the design's minimum
      {{160, 210}, 0.5625, {549, 309}},  // a 1280 × 720 camera: a wider preview
      {{600, 300}, 0.75, {630, 472}},    // wider than the video: the width limits
      {{382, 257}, 0.75, {412, 309}},    // 412 wide exactly at the minimum
      {{413, 626}, 0.75, {874, 656}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(previewSizeFor(c.output, c.aspect), c.preview)
        << c.output.width() << 'x' << c.output.height();
}

TEST(CameraGeometry, WindowAndPreviewSizesGoBothWays) {
  const QSize corrections(8, 31);
  EXPECT_EQ(windowSizeFor({628, 471}, corrections), QSize(628 + 8 + 163, 471 + 31 + 90));
  EXPECT_EQ(previewInside(windowSizeFor({412, 309}, corrections), corrections), QSize(412, 309));
}

TEST(CameraGeometry, AResizedWindowKeepsThePreviewAspect) {
  const QSize corrections(0, 0);
  const QSize last = windowSizeFor({412, 309}, corrections);
  // Only the bottom edge was dragged: the width follows the height.
  EXPECT_EQ(previewAfterResize(last + QSize(0, 90), last, corrections, 0.75), QSize(532, 399));
  // The right edge: the height follows the width.
  EXPECT_EQ(previewAfterResize(last + QSize(100, 10), last, corrections, 0.75), QSize(512, 384));
  // Nothing changed: the preview stays, even where the aspect would round it another way.
  const QSize wide = windowSizeFor({549, 309}, corrections);
  EXPECT_EQ(previewAfterResize(wide, wide, corrections, 0.5625), QSize(549, 309));
}

TEST(CameraGeometry, APreviewGrowsWhenTheOutputNoLongerFits) {
  const QSize current(412, 309);
  EXPECT_EQ(previewAfterOutputChange(SizeChange::WidthChanged, {500, 210}, current, 0.75),
            QSize(530, 397));
  EXPECT_EQ(previewAfterOutputChange(SizeChange::HeightChanged, {160, 400}, current, 0.75),
            QSize(573, 430));
  // Still fitting: the sizing rule decides, which keeps the minimum here.
  EXPECT_EQ(previewAfterOutputChange(SizeChange::WidthChanged, {200, 210}, current, 0.75),
            QSize(412, 309));
  EXPECT_EQ(previewAfterOutputChange(SizeChange::SizeChanged, {358, 441}, current, 0.75),
            QSize(628, 471));
}

TEST(CameraGeometry, ControlsStandBesideThePreview) {
  const CameraLayout layout = cameraLayout({412, 309});
  EXPECT_EQ(layout.group, QSize(434, 336));
  EXPECT_EQ(layout.quickShotBoxTop, 343);
  EXPECT_EQ(layout.buttonsLeft, 445);
  EXPECT_EQ(layout.photoButtonTop, 280);
  EXPECT_EQ(layout.left, QPoint(457, 171));
  EXPECT_EQ(layout.right, QPoint(517, 171));
  EXPECT_EQ(layout.up, QPoint(489, 139));
  EXPECT_EQ(layout.down, QPoint(489, 199));
}

TEST(CameraGeometry, FrameBarsSurroundTheInnerRectangle) {
  const CameraFrameBars bars = cameraFrameBars({100, 80}, {120, 144});
  EXPECT_EQ(bars.inner, QRect(100, 80, 120, 144));
  EXPECT_EQ(bars.left, QRect(90, 70, 9, 164));
  EXPECT_EQ(bars.top, QRect(90, 70, 140, 9));
  EXPECT_EQ(bars.bottom, QRect(90, 225, 140, 9));
  EXPECT_EQ(bars.right, QRect(229, 74, 9, 164));
  EXPECT_EQ(centredFrame({412, 309}, {120, 144}), QPoint(156, 98));
}

TEST(CameraGeometry, DraggedFramesStayOnTheLivePicture) {
  const QSize group(434, 336);
  const struct {
    QPoint wanted;
    QSize output;
    QPoint kept;
  } cases[] = {
      {{-500, 100}, {120, 144}, {11, 100}},
      {{100, -5}, {120, 144}, {100, 17}},
      {{1000, 1000}, {120, 144}, {434 - 10 - 120 - 6, 336 - 10 - 144 - 2}},
      {{150, 90}, {120, 144}, {150, 90}},
      // A frame wider than the preview ends at the upper limit, which is below 11.
      {{-500, 100}, {500, 144}, {434 - 10 - 500 - 6, 100}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(clampedFrame(c.wanted, group, c.output), c.kept)
        << c.wanted.x() << ',' << c.wanted.y();
}

}  // namespace
}  // namespace veltrix
