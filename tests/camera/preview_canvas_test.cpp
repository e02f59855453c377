// The live picture on a real, shown widget: what is painted is exactly what a photo takes, and
// the canvas says when a frame has been painted.
#include "camera/preview_canvas.h"

#include <gtest/gtest.h>

#include <QTest>

#include "fake_capture_device.h"

namespace veltrix {
namespace {

using test::FakeCaptureDevice;

TEST(PreviewCanvasTest, ThePaintedPixelsAreTheShownFrameAndEachPaintIsReported) {
  const struct {
    const char* name;
    QSize frame;
  } cases[] = {
      {"shrunk from 1920 x 1080", {1920, 1080}},
      {"shrunk from 640 x 360", {640, 360}},
      {"enlarged from 320 x 180", {320, 180}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PreviewCanvas canvas;
    canvas.resize(549, 309);
    int painted = 0;
    QObject::connect(&canvas, &PreviewCanvas::framePainted, [&] { ++painted; });
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    EXPECT_EQ(painted, 0);

    canvas.showFrame(FakeCaptureDevice::codedFrame(c.frame));
    ASSERT_EQ(canvas.shown().size(), QSize(549, 309));
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted > 0; }));
    const int before = painted;
    const QImage onScreen = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(onScreen, canvas.shown());
    EXPECT_EQ(painted, before + 1);
  }
}

}  // namespace
}  // namespace veltrix
