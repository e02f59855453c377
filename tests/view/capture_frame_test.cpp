#include "view/capture_frame.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

// Interior 125, 34, 160 x 210: columns 125..284, rows 34..243.
const QRect kInterior(125, 34, 160, 210);

TEST(FrameRegion, PressesMatchTheRegionsInTheirOrder) {
  const struct {
    QPoint at;
    FrameDrag region;
  } cases[] = {
      {{126, 35}, FrameDrag::Move},
      {{284, 243}, FrameDrag::Move},
      {{125, 100}, FrameDrag::Left},
      {{123, 36}, FrameDrag::Left},
      {{122, 100}, FrameDrag::None},
      {{285, 100}, FrameDrag::Right},
      {{287, 242}, FrameDrag::Right},
      {{288, 100}, FrameDrag::None},
      {{200, 34}, FrameDrag::Top},
      {{127, 32}, FrameDrag::Top},
      {{200, 31}, FrameDrag::None},
      {{200, 244}, FrameDrag::Bottom},
      {{283, 246}, FrameDrag::Bottom},
      {{125, 34}, FrameDrag::TopLeft},
      {{123, 32}, FrameDrag::TopLeft},
      {{285, 244}, FrameDrag::BottomRight},
      {{287, 246}, FrameDrag::BottomRight},
      {{285, 34}, FrameDrag::TopRight},
      {{287, 32}, FrameDrag::TopRight},
      {{125, 244}, FrameDrag::BottomLeft},
      {{123, 246}, FrameDrag::BottomLeft},
      // Between the interior and the bands: no region.
      {{126, 33}, FrameDrag::None},
      {{126, 34}, FrameDrag::None},
      {{285, 35}, FrameDrag::None},
      {{10, 10}, FrameDrag::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(frameRegionAt(c.at, kInterior), c.region) << c.at.x() << ',' << c.at.y();
}

TEST(FrameRegion, EachRegionHasItsCursor) {
  EXPECT_EQ(cursorFor(FrameDrag::Move), Qt::SizeAllCursor);
  EXPECT_EQ(cursorFor(FrameDrag::Left), Qt::SizeHorCursor);
  EXPECT_EQ(cursorFor(FrameDrag::Bottom), Qt::SizeVerCursor);
  EXPECT_EQ(cursorFor(FrameDrag::BottomRight), Qt::SizeFDiagCursor);
  EXPECT_EQ(cursorFor(FrameDrag::TopRight), Qt::SizeBDiagCursor);
  EXPECT_EQ(cursorFor(FrameDrag::None), Qt::ArrowCursor);
}

TEST(FrameResize, MovingSidesFollowTheMouseDownToTenPixels) {
  const struct {
    FrameDrag drag;
    int dx, dy;
    bool allowed;
    QRect result;
  } cases[] = {
      {FrameDrag::Left, 150, 0, true, {275, 34, 10, 210}},
      {FrameDrag::Left, 151, 0, false, kInterior},
      {FrameDrag::Left, -20, 99, true, {105, 34, 180, 210}},
      {FrameDrag::Right, -150, 0, true, {125, 34, 10, 210}},
      {FrameDrag::Right, -151, 0, false, kInterior},
      {FrameDrag::Top, 0, 200, true, {125, 234, 160, 10}},
      {FrameDrag::Top, 0, 201, false, kInterior},
      {FrameDrag::Bottom, 0, -201, false, kInterior},
      {FrameDrag::TopLeft, 10, 20, true, {135, 54, 150, 190}},
      {FrameDrag::TopLeft, 151, 0, false, kInterior},
      {FrameDrag::BottomRight, 20, 10, true, {125, 34, 180, 220}},
      {FrameDrag::BottomRight, 20, -201, false, kInterior},
      {FrameDrag::TopRight, 5, 5, true, {125, 39, 165, 205}},
      {FrameDrag::BottomLeft, 5, 5, true, {130, 34, 155, 215}},
  };
  for (const auto& c : cases) {
    const ResizeStep step = resizeStep(c.drag, kInterior, c.dx, c.dy);
    EXPECT_EQ(step.allowed, c.allowed) << static_cast<int>(c.drag) << ' ' << c.dx << ',' << c.dy;
    EXPECT_EQ(step.interior, c.result) << static_cast<int>(c.drag) << ' ' << c.dx << ',' << c.dy;
  }
}

}  // namespace
}  // namespace veltrix
