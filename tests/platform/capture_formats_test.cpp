// The formats read from the caps real UVC webcams report through v4l2src, and the one each
// starts at.
#include "platform/capture_formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace veltrix {

void PrintTo(const CaptureFormat& f, std::ostream* out) {
  *out << f.pixelFormat.toStdString() << " " << f.size.width() << "x" << f.size.height() << "@"
       << f.rateNumerator << "/" << f.rateDenominator;
}

namespace {

const QString kMjpg = QString::fromLatin1(kMjpegFormat);
const QString kYuy2 = QStringLiteral("YUY2");

CaptureFormat format(const QString& pixels, int width, int height, int rate) {
  return {pixels, QSize(width, height), rate, 1};
}

struct CameraCase {
  const char* name;
  const char* caps;
  int count;
  CaptureFormat start;
  // Each is offered and is the first listed at its size, as the format dialog shows them.
  std::vector<CaptureFormat> firstAtItsSize;
};

// Written as v4l2src reports them, sizes in the order the driver lists them.
const CameraCase kCameras[] = {
    {"Webcam720p",
     "image/jpeg, width=(int)1280, height=(int)720, pixel-aspect-ratio=(fraction)1/1, "
     "framerate=(fraction){ 30/1, 25/1, 20/1, 15/1, 10/1, 5/1 }; "
     "image/jpeg, width=(int)640, height=(int)480, pixel-aspect-ratio=(fraction)1/1, "
     "framerate=(fraction){ 30/1, 15/1 }; "
     "video/x-raw, format=(string)YUY2, width=(int)1280, height=(int)720, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction){ 10/1, 5/1 }; "
     "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction){ 30/1, 15/1 }; "
     "video/x-raw, format=(string)YUY2, width=(int)320, height=(int)240, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction)30/1",
     13,
     format(kYuy2, 640, 480, 30),
     {format(kMjpg, 1280, 720, 30), format(kYuy2, 320, 240, 30)}},
    {"Webcam1080p",
     "image/jpeg, width=(int)1920, height=(int)1080, pixel-aspect-ratio=(fraction)1/1, "
     "framerate=(fraction){ 30/1, 25/1, 20/1, 15/1, 10/1, 5/1 }; "
     "image/jpeg, width=(int)1280, height=(int)720, pixel-aspect-ratio=(fraction)1/1, "
     "framerate=(fraction){ 30/1, 25/1, 20/1, 15/1, 10/1, 5/1 }; "
     "image/jpeg, width=(int)640, height=(int)480, pixel-aspect-ratio=(fraction)1/1, "
     "framerate=(fraction){ 30/1, 25/1, 20/1, 15/1, 10/1, 5/1 }; "
     "video/x-raw, format=(string)YUY2, width=(int)1920, height=(int)1080, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction)5/1; "
     "video/x-raw, format=(string)YUY2, width=(int)1280, height=(int)720, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction)10/1; "
     "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, "
     "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction){ 30/1, 20/1 }",
     22,
     format(kYuy2, 640, 480, 30),
     {format(kMjpg, 1920, 1080, 30), format(kMjpg, 1280, 720, 30)}},
    {"RangesOfSizesAndRates",
     "video/x-raw, format=(string)YUY2, width=(int)[ 160, 1920 ], height=(int)[ 120, 1080 ], "
     "framerate=(fraction)[ 5/1, 30/1 ]; "
     "image/jpeg, width=(int)[ 160, 1920 ], height=(int)[ 120, 1080 ], "
     "framerate=(fraction)[ 5/1, 30/1 ]",
     // 11 common sizes fit the ranges, each at 30, 25, 20, 15, 10 and 5 frames a second.
     132,
     format(kYuy2, 640, 480, 30),
     {format(kMjpg, 1920, 1080, 30), format(kMjpg, 1280, 720, 30), format(kYuy2, 160, 120, 30)}},
    {"No640x480StartsAtTheNearestSize",
     "image/jpeg, width=(int)1280, height=(int)720, framerate=(fraction)30/1; "
     "image/jpeg, width=(int)800, height=(int)600, framerate=(fraction)30/1; "
     "video/x-raw, format=(string)YUY2, width=(int)800, height=(int)600, "
     "framerate=(fraction)10/1; "
     "video/x-raw, format=(string)YUY2, width=(int)320, height=(int)240, framerate=(fraction)30/1; "
     "video/x-raw, format=(string)YUY2, width=(int)160, height=(int)120, framerate=(fraction)30/1",
     5,
     format(kMjpg, 800, 600, 30),
     {format(kYuy2, 160, 120, 30)}},
    {"RawOnlyNearestBelow",
     "video/x-raw, format=(string)NV12, width=(int)1280, height=(int)720, "
     "framerate=(fraction)15/1; "
     "video/x-raw, format=(string){ NV12, YUY2 }, width=(int)352, height=(int)288, "
     "framerate=(fraction)30/1",
     3,
     format(kYuy2, 352, 288, 30),
     {format(QStringLiteral("NV12"), 1280, 720, 15)}},
    {"InfraredNodeGreyOnly",
     "video/x-raw, format=(string)GRAY8, width=(int)640, height=(int)360, "
     "framerate=(fraction)15/1; "
     "video/x-raw, format=(string)GRAY16_LE, width=(int)640, height=(int)360, "
     "framerate=(fraction)15/1",
     0,
     {},
     {}},
    {"NotCapsAtAll", "this is ; not caps", 0, {}, {}},
};

class CameraFormatsTest : public testing::TestWithParam<CameraCase> {};

TEST_P(CameraFormatsTest, OffersItsColourFormatsAndStartsNearest640x480) {
  const CameraCase& camera = GetParam();
  const QList<CaptureFormat> offered = offeredFormats(QString::fromLatin1(camera.caps));
  EXPECT_EQ(offered.size(), camera.count);
  EXPECT_EQ(startingFormat(offered), camera.start);
  if (camera.count > 0) {
    EXPECT_TRUE(offered.contains(camera.start));
  }
  for (const CaptureFormat& first : camera.firstAtItsSize) {
    const auto atSize = std::find_if(offered.begin(), offered.end(),
                                     [&](const CaptureFormat& f) { return f.size == first.size; });
    ASSERT_NE(atSize, offered.end()) << testing::PrintToString(first);
    EXPECT_EQ(*atSize, first);
  }
  EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end(), [](const auto& a, const auto& b) {
    return qint64(a.size.width()) * a.size.height() < qint64(b.size.width()) * b.size.height();
  }));
}

INSTANTIATE_TEST_SUITE_P(UvcWebcams, CameraFormatsTest, testing::ValuesIn(kCameras),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veltrix
