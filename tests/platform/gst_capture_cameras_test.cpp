// Which cameras the GStreamer capture device lists and connects, with the device monitor's
// providers faked: a v4l2 provider, and PipeWire and libcamera providers that hide it.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fake_device_providers.h"
#include "platform/gst_capture_device.h"

namespace veltrix {
namespace {

// v4l2 lists each camera's colour node, and a laptop's infrared camera as a node of its own.
constexpr const char* kYuyvCaps =
    "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, "
    "framerate=(fraction){ 30/1, 15/1 }";
constexpr const char* kInfraredCaps =
    "video/x-raw, format=(string)GRAY8, width=(int)640, height=(int)360, framerate=(fraction)15/1";
constexpr int kCameras = 13;

QRgb colourOf(int camera) {
  return qRgb(20 + camera * 15, 200 - camera * 10, 60 + camera * 5);
}

QString solidYuyv(QRgb colour) {
  return QStringLiteral(
             "videotestsrc pattern=solid-color foreground-color=0x%1 is-live=true ! "
             "capsfilter caps=video/x-raw,format=YUY2")
      .arg(colour | 0xff000000u, 8, 16, QLatin1Char('0'));
}

test::FakeCamera camera(const QString& name, const char* caps, QRgb colour, int node) {
  return {name, QString::fromLatin1(caps), solidYuyv(colour),
          QStringLiteral("/dev/veltrix-video%1").arg(node)};
}

int largestDifference(const QImage& frame, QRgb colour) {
  int largest = 0;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb pixel = frame.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(pixel) - qRed(colour)),
                          std::abs(qGreen(pixel) - qGreen(colour)),
                          std::abs(qBlue(pixel) - qBlue(colour))});
    }
  }
  return largest;
}

TEST(GstCaptureCamerasTest, ColourCamerasOfTheV4l2ProviderAreListedBesidePipeWireAndLibcamera) {
  test::FakeProviders providers;
  QStringList expected;
  for (int i = 0; i < kCameras; ++i) {
    const QString name = QStringLiteral("USB Camera %1").arg(i + 1);
    providers.v4l2.push_back(camera(name, kYuyvCaps, colourOf(i), 2 * i));
    providers.pipeWire.push_back(
        camera(QStringLiteral("PipeWire ") + name, kYuyvCaps, qRgb(0, 0, 0), 2 * i));
    expected.append(name);
  }
  providers.v4l2.push_back(camera(QStringLiteral("IR Camera"), kInfraredCaps, 0, 5));
  providers.libcamera.push_back(
      {QStringLiteral("libcamera camera"), QString::fromLatin1(kYuyvCaps), solidYuyv(0), {}});
  const test::InstalledProviders installed(providers);

  GstCaptureDevice device;
  ASSERT_GE(device.driverCount(), kCameras);
  EXPECT_EQ(device.driverNames().mid(0, kCameras).join(u'|').toStdString(),
            expected.join(u'|').toStdString());
  EXPECT_FALSE(device.driverNames().contains(QStringLiteral("IR Camera")));
  EXPECT_FALSE(device.driverNames().contains(QStringLiteral("libcamera camera")));

  for (const int chosen : {1, kCameras}) {
    ASSERT_TRUE(device.connect(chosen)) << chosen;
    EXPECT_EQ(device.currentDriver(), chosen);
    EXPECT_EQ(device.format().pixelFormat, QStringLiteral("YUY2"));
    // YUY2 rounds each colour by a level or two.
    EXPECT_LE(largestDifference(device.latestFrame(), colourOf(chosen - 1)), 3) << chosen;
  }
}

}  // namespace
}  // namespace veltrix
