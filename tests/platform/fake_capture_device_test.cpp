// The capture device double that window tests lean on: its coded frames must name their pixels
// truly, and its frames and losses must arrive as the real device's do.
#include "fake_capture_device.h"

#include <gtest/gtest.h>

namespace veltrix::test {
namespace {

TEST(FakeCaptureDeviceTest, EveryPixelNamesItsCoordinates) {
  const QImage frame = FakeCaptureDevice::codedFrame(QSize(4000, 3));
  ASSERT_EQ(frame.format(), QImage::Format_RGB32);
  for (const QPoint at : {QPoint(0, 0), QPoint(255, 1), QPoint(256, 2), QPoint(3999, 0)}) {
    EXPECT_EQ(FakeCaptureDevice::decodePixel(frame.pixel(at)), at);
  }
  for (const QPoint at : {QPoint(0, 4095), QPoint(4095, 4095), QPoint(1234, 2345)}) {
    EXPECT_EQ(FakeCaptureDevice::decodePixel(FakeCaptureDevice::codedPixel(at.x(), at.y())), at);
  }
}

TEST(FakeCaptureDeviceTest, FramesReachTheHandlerOnlyWhileConnectedAndPreviewing) {
  FakeCaptureDevice device;
  device.size = QSize(320, 240);
  int frames = 0;
  int lost = 0;
  device.setFrameHandler([&](const QImage& frame) {
    EXPECT_EQ(frame.size(), QSize(320, 240));
    ++frames;
  });
  device.setLostHandler([&] { ++lost; });

  device.pushFrame();
  EXPECT_FALSE(device.connect(2));
  ASSERT_TRUE(device.connect(1));
  device.pushFrame();
  EXPECT_EQ(frames, 0);
  device.preview(true);
  device.pushFrame();
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(device.latestFrame().size(), QSize(320, 240));

  device.loseDevice();
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(device.currentDriver(), 0);
  EXPECT_TRUE(device.frameSize().isEmpty());
  device.pushFrame();
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(device.connects, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace veltrix::test
