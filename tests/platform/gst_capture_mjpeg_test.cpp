// A camera that sends MJPEG, as most USB webcams do above 640 × 480: the test camera fed JPEG
// files written by a real encoder, some of them damaged as a loose cable damages them.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gst_capture_device.h"
#include "platform/mjpeg_guard.h"
#include "test_files.h"

namespace veltrix {
namespace {

constexpr int kWaitMs = 10000;
constexpr QRgb kRed = qRgb(200, 30, 40);
constexpr QRgb kGreen = qRgb(40, 190, 60);
constexpr QRgb kBlue = qRgb(30, 60, 210);
// JPEG and its decoding to RGB move a flat colour by a few levels.
constexpr int kTolerance = 8;

QByteArray jpeg(QRgb colour) {
  QImage picture(640, 480, QImage::Format_RGB32);
  picture.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "JPG", 90);
  return bytes;
}

bool flat(const QImage& frame, QRgb colour) {
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      if (std::abs(qRed(line[x]) - qRed(colour)) > kTolerance ||
          std::abs(qGreen(line[x]) - qGreen(colour)) > kTolerance ||
          std::abs(qBlue(line[x]) - qBlue(colour)) > kTolerance) {
        return false;
      }
    }
  }
  return true;
}

// The frames as files 0.jpg, 1.jpg … in the folder, sent one every 15 ms as a 640 × 480 MJPEG
// camera sends them.
QString mjpegCamera(const QTemporaryDir& folder, const std::vector<QByteArray>& frames) {
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_TRUE(test::writeBytes(folder.filePath(QStringLiteral("%1.jpg").arg(i)), frames[i]));
  }
  return QStringLiteral(
             "multifilesrc location=%1/%d.jpg caps=\"image/jpeg,width=640,height=480,"
             "framerate=30/1\" ! identity sleep-time=15000")
      .arg(folder.path());
}

TEST(GstCaptureMjpegTest, AJpegCameraOffersMjpegAndItsFramesArriveDecoded) {
  QTemporaryDir folder;
  GstCaptureDevice device(mjpegCamera(folder, std::vector<QByteArray>(30, jpeg(kGreen))));
  ASSERT_TRUE(device.connect(device.driverCount()));
  EXPECT_EQ(device.format().pixelFormat, QString::fromLatin1(kMjpegFormat));
  for (const CaptureFormat& offered : device.formats()) {
    EXPECT_EQ(offered.pixelFormat, QString::fromLatin1(kMjpegFormat));
  }
  EXPECT_TRUE(flat(device.latestFrame(), kGreen));
}

TEST(GstCaptureMjpegTest, DamagedJpegFramesAreDroppedAndTheStreamGoesOn) {
  const QByteArray good = jpeg(kGreen);
  QByteArray junkBetweenMarkers("\xff\xd8", 2);
  junkBetweenMarkers.append(QByteArray(4000, '\x5a')).append("\xff\xd9", 2);
  QByteArray paddedAfterEnd = jpeg(kRed);
  paddedAfterEnd.append(QByteArray(64, '\0'));
  // A red frame, then a dozen frames jpegdec cannot read and some cut off or no JPEG at all,
  // then blue.
  std::vector<QByteArray> frames{paddedAfterEnd};
  for (int i = 0; i < 12; ++i) {
    frames.push_back(junkBetweenMarkers);
    if (i % 4 == 0) {
      frames.push_back(good.left(good.size() * 3 / 5));  // cut off: the lower part would be grey
      frames.push_back(QByteArray(3000, '\x33'));
    }
  }
  frames.push_back(jpeg(kBlue));
  QTemporaryDir folder;
  GstCaptureDevice device(mjpegCamera(folder, frames));

  std::vector<QImage> shown;
  int lost = 0;
  device.setFrameHandler([&](const QImage& frame) { shown.push_back(frame); });
  device.setLostHandler([&] { ++lost; });
  ASSERT_TRUE(device.connect(device.driverCount()));
  device.preview(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return lost > 0; }, kWaitMs));

  EXPECT_EQ(lost, 1);
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(flat(shown.front(), kRed));
  EXPECT_TRUE(flat(shown.back(), kBlue));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_TRUE(flat(shown[i], kRed) || flat(shown[i], kBlue)) << "frame " << i;
  }
}

// A frame is whole when it starts with the start marker and its end marker is at its end,
// whatever padding a camera adds after it.
TEST(MjpegGuardTest, TellsWholeFramesFromCutOnes) {
  const QByteArray whole = jpeg(kRed);
  const struct {
    const char* name;
    QByteArray bytes;
    bool wholeFrame;
  } cases[] = {
      {"as encoded", whole, true},
      {"padded with zeros", whole + QByteArray(4000, '\0'), true},
      {"a few bytes of the camera's own after the end", whole + QByteArray("\x01\x02\xaa\x55"),
       true},
      {"cut short", whole.first(whole.size() / 2), false},
      {"cut short and padded", whole.first(whole.size() / 2) + QByteArray(100, '\0'), false},
      {"no start marker", whole.mid(2), false},
      {"empty", QByteArray(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(isWholeJpeg(c.bytes), c.wholeFrame) << c.name;
}

}  // namespace
}  // namespace veltrix
