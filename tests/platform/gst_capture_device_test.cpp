// The GStreamer capture device on real pipelines: the videotestsrc camera stands in for a webcam,
// with sources chosen to give known pixels, a YUV wire format, a stream that ends or one that
// never sends.
#include "platform/gst_capture_device.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/capture_texts.h"

namespace veltrix {
namespace {

constexpr int kWaitMs = 10000;
const QString kMovingPicture = QStringLiteral("videotestsrc pattern=ball is-live=true");

QString solidColour(QRgb colour, const char* after = "") {
  return QStringLiteral("videotestsrc pattern=solid-color foreground-color=0x%1 is-live=true%2")
      .arg(colour | 0xff000000u, 8, 16, QLatin1Char('0'))
      .arg(QLatin1String(after));
}

// Sets or clears VELTRIX_TEST_CAMERA for one test and puts back what was there.
class TestCameraVariable {
 public:
  explicit TestCameraVariable(bool set)
      : saved_(qgetenv(kName)), wasSet_(qEnvironmentVariableIsSet(kName)) {
    if (set) {
      qputenv(kName, "1");
    } else {
      qunsetenv(kName);
    }
  }
  ~TestCameraVariable() {
    if (wasSet_) {
      qputenv(kName, saved_);
    } else {
      qunsetenv(kName);
    }
  }

 private:
  static constexpr const char* kName = "VELTRIX_TEST_CAMERA";
  QByteArray saved_;
  bool wasSet_;
};

// Largest difference of any channel of any pixel from the colour; the padding byte must read
// as opaque, as Format_RGB32 requires.
int largestDifference(const QImage& frame, QRgb colour) {
  int largest = 0;
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      if (qAlpha(line[x]) != 255) return 256;
      largest = std::max({largest, std::abs(qRed(line[x]) - qRed(colour)),
                          std::abs(qGreen(line[x]) - qGreen(colour)),
                          std::abs(qBlue(line[x]) - qBlue(colour))});
    }
  }
  return largest;
}

// Runs inside the next modal dialog's event loop, once the dialog shows.
void withModalDialog(std::function<void(QDialog*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    act(qobject_cast<QDialog*>(QApplication::activeModalWidget()));
  });
}

void press(QDialog* dialog, QDialogButtonBox::StandardButton which) {
  dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

TEST(GstCaptureDeviceTest, TheTestCameraIsListedLastAndOnlyWithTheVariable) {
  int realCameras = 0;
  {
    TestCameraVariable variable(false);
    GstCaptureDevice device;
    realCameras = device.driverCount();
    EXPECT_FALSE(device.driverNames().contains(QString::fromUtf8(capture_texts::kTestCamera)));
  }
  TestCameraVariable variable(true);
  GstCaptureDevice device;
  ASSERT_EQ(device.driverCount(), realCameras + 1);
  EXPECT_EQ(device.driverNames().last(), QString::fromUtf8(capture_texts::kTestCamera));
  ASSERT_TRUE(device.connect(device.driverCount()));
  EXPECT_EQ(device.frameSize(), QSize(640, 480));
}

TEST(GstCaptureDeviceTest, ConnectsSendsFramesAndLetsGo) {
  GstCaptureDevice device(kMovingPicture);
  const int camera = device.driverCount();
  EXPECT_EQ(device.currentDriver(), 0);
  EXPECT_TRUE(device.frameSize().isEmpty());
  EXPECT_TRUE(device.latestFrame().isNull());

  ASSERT_TRUE(device.connect(camera));
  EXPECT_EQ(device.currentDriver(), camera);
  EXPECT_EQ(device.frameSize(), QSize(640, 480));
  const QImage frame = device.latestFrame();
  EXPECT_EQ(frame.format(), QImage::Format_RGB32);
  EXPECT_EQ(frame.size(), QSize(640, 480));

  // Connecting again starts afresh on the same driver.
  ASSERT_TRUE(device.connect(camera));
  EXPECT_EQ(device.currentDriver(), camera);

  device.disconnect();
  EXPECT_EQ(device.currentDriver(), 0);
  EXPECT_TRUE(device.frameSize().isEmpty());
  EXPECT_TRUE(device.latestFrame().isNull());
}

TEST(GstCaptureDeviceTest, TheNewestFrameComesWithTheMomentItArrived) {
  GstCaptureDevice device(kMovingPicture);
  EXPECT_TRUE(device.latestArrival().frame.isNull());
  const auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(device.connect(device.driverCount()));
  const GstCaptureDevice::ArrivedFrame first = device.latestArrival();
  EXPECT_EQ(first.frame.size(), QSize(640, 480));
  EXPECT_GE(first.arrived, before);
  EXPECT_LE(first.arrived, std::chrono::steady_clock::now());

  ASSERT_TRUE(
      QTest::qWaitFor([&] { return device.latestArrival().arrived > first.arrived; }, kWaitMs));
  EXPECT_NE(device.latestArrival().frame.cacheKey(), first.frame.cacheKey());
}

TEST(GstCaptureDeviceTest, RefusedDriverNumbersChangeNothing) {
  GstCaptureDevice device(kMovingPicture);
  const int camera = device.driverCount();
  for (int refused : {0, -1, 12, camera + 1}) {
    EXPECT_FALSE(device.connect(refused)) << refused;
    EXPECT_EQ(device.currentDriver(), 0) << refused;
  }
  ASSERT_TRUE(device.connect(camera));
  for (int refused : {0, -1, 12, camera + 1}) {
    EXPECT_FALSE(device.connect(refused)) << refused;
    EXPECT_EQ(device.currentDriver(), camera) << refused;
    EXPECT_EQ(device.frameSize(), QSize(640, 480)) << refused;
  }
}

TEST(GstCaptureDeviceTest, EachOfferedFormatSendsItsSize) {
  GstCaptureDevice device(kMovingPicture);
  EXPECT_TRUE(device.formats().isEmpty());
  ASSERT_TRUE(device.connect(device.driverCount()));
  const QList<CaptureFormat> offered = device.formats();
  ASSERT_EQ(offered.size(), 3);
  EXPECT_EQ(device.format(), offered[0]);
  for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(640, 480)}) {
    const auto format = std::find_if(offered.begin(), offered.end(),
                                     [&](const CaptureFormat& f) { return f.size == size; });
    ASSERT_NE(format, offered.end()) << size.width();
    EXPECT_EQ(format->rateNumerator / format->rateDenominator, 30);
    ASSERT_TRUE(device.setFormat(*format)) << size.width();
    EXPECT_EQ(device.frameSize(), size);
    EXPECT_EQ(device.latestFrame().size(), size);
    EXPECT_EQ(device.format(), *format);
  }
  EXPECT_FALSE(device.setFormat({QString(), QSize(800, 600)}));
  EXPECT_EQ(device.frameSize(), QSize(640, 480));
}

TEST(GstCaptureDeviceTest, SolidColoursArriveAsSentOrCloseThroughYuy2) {
  struct Case {
    const char* wire;
    int tolerance;
  };
  // YUY2 itself rounds each colour by a level or two.
  for (const Case& wire : {Case{"", 0}, Case{" ! capsfilter caps=video/x-raw,format=YUY2", 3}}) {
    for (const QRgb colour : {qRgb(0x20, 0x80, 0xc0), qRgb(200, 30, 90), qRgb(128, 128, 128),
                              qRgb(16, 16, 64), qRgb(64, 200, 64), qRgb(240, 240, 16)}) {
      GstCaptureDevice device(solidColour(colour, wire.wire));
      ASSERT_TRUE(device.connect(device.driverCount())) << wire.wire;
      EXPECT_LE(largestDifference(device.latestFrame(), colour), wire.tolerance)
          << wire.wire << " " << std::hex << colour;
    }
  }
}

TEST(GstCaptureDeviceTest, EachNewFrameReachesTheHandlerOnTheGuiThreadOnceWhilePreviewing) {
  GstCaptureDevice device(kMovingPicture);
  ASSERT_TRUE(device.connect(device.driverCount()));
  std::vector<qint64> frames;
  bool onGuiThread = true;
  bool wholeFrames = true;
  device.setFrameHandler([&](const QImage& frame) {
    frames.push_back(frame.cacheKey());
    onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    wholeFrames = wholeFrames && frame.size() == QSize(640, 480);
  });
  device.preview(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames.size() >= 10; }, kWaitMs));
  device.preview(false);
  EXPECT_TRUE(onGuiThread);
  EXPECT_TRUE(wholeFrames);

  const std::size_t whenStopped = frames.size();
  QTest::qWait(300);
  EXPECT_EQ(frames.size(), whenStopped);

  device.preview(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames.size() >= whenStopped + 3; }, kWaitMs));
  std::vector<qint64> distinct = frames;
  std::sort(distinct.begin(), distinct.end());
  EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
}

// Two seconds of frames to a handler that takes a fifth of a second: it sees a handful of them,
// each once, never the backlog of sixty.
TEST(GstCaptureDeviceTest, AHandlerSlowerThanTheCameraGetsNoBacklog) {
  constexpr int kFramesSent = 60;
  GstCaptureDevice device(
      QStringLiteral("videotestsrc pattern=ball is-live=true num-buffers=%1").arg(kFramesSent));
  ASSERT_TRUE(device.connect(device.driverCount()));
  std::vector<qint64> frames;
  device.setFrameHandler([&](const QImage& frame) {
    frames.push_back(frame.cacheKey());
    QThread::msleep(200);
  });
  bool lost = false;
  device.setLostHandler([&] { lost = true; });
  device.preview(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return lost; }, kWaitMs));
  EXPECT_GE(frames.size(), 2u);
  EXPECT_LE(frames.size(), std::size_t{kFramesSent / 3});
  std::vector<qint64> distinct = frames;
  std::sort(distinct.begin(), distinct.end());
  EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
}

TEST(GstCaptureDeviceTest, AStreamThatEndsIsReportedOnTheGuiThreadAsLost) {
  GstCaptureDevice device(QStringLiteral("videotestsrc is-live=true num-buffers=10"));
  ASSERT_TRUE(device.connect(device.driverCount()));
  int lost = 0;
  bool onGuiThread = false;
  device.setLostHandler([&] {
    ++lost;
    onGuiThread = QThread::currentThread() == qApp->thread();
  });
  device.preview(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return lost > 0; }, kWaitMs));
  EXPECT_TRUE(onGuiThread);
  EXPECT_EQ(device.currentDriver(), 0);
  EXPECT_TRUE(device.frameSize().isEmpty());
  QTest::qWait(100);
  EXPECT_EQ(lost, 1);
}

TEST(GstCaptureDeviceTest, SourcesThatSendNothingFailWithoutHanging) {
  for (
      const char* source : {
          "videotestsrc is-live=true ! valve drop=true",  // runs, but no frame within 3 s
          "videotestsrc is-live=true num-buffers=0",      // ends before its first frame
          "nosuchsource",                                 // cannot be made
          "videotestsrc is-live=true ! capsfilter caps=video/x-raw,width=320,height=240",  // has
                                                                                           // no
                                                                                           // offered
                                                                                           // size
      }) {
    GstCaptureDevice device{QString::fromLatin1(source)};
    int lost = 0;
    device.setLostHandler([&] { ++lost; });
    EXPECT_FALSE(device.connect(device.driverCount())) << source;
    EXPECT_EQ(device.currentDriver(), 0) << source;
    EXPECT_TRUE(device.latestFrame().isNull()) << source;
    QTest::qWait(50);
    EXPECT_EQ(lost, 0) << source;
  }
}

TEST(GstCaptureDeviceTest, TheFormatDialogReconnectsAtTheChosenFormatAndTheDriverKeepsIt) {
  GstCaptureDevice device(kMovingPicture);
  const int camera = device.driverCount();
  ASSERT_TRUE(device.connect(camera));
  QString title;
  int listed = 0;
  withModalDialog([&](QDialog* dialog) {
    title = dialog->windowTitle();
    auto* list = dialog->findChild<QListWidget*>(QString::fromUtf8(capture_texts::kFormatList));
    listed = list->count();
    list->setCurrentRow(1);
    press(dialog, QDialogButtonBox::Ok);
  });
  device.showFormatDialog(nullptr);
  EXPECT_EQ(title, QString::fromUtf8(capture_texts::kFormatTitle));
  EXPECT_EQ(listed, 3);
  EXPECT_EQ(device.currentDriver(), camera);
  EXPECT_EQ(device.frameSize(), QSize(1280, 720));

  device.disconnect();
  ASSERT_TRUE(device.connect(camera));
  EXPECT_EQ(device.frameSize(), QSize(1280, 720));

  withModalDialog([&](QDialog* dialog) {
    dialog->findChild<QListWidget*>()->setCurrentRow(2);
    press(dialog, QDialogButtonBox::Cancel);
  });
  device.showFormatDialog(nullptr);
  EXPECT_EQ(device.frameSize(), QSize(1280, 720));
}

TEST(GstCaptureDeviceTest, TheSourceDialogMovesTheColourControlsAndCancelPutsThemBack) {
  const QRgb grey = qRgb(128, 128, 128);
  GstCaptureDevice device(solidColour(grey, " ! videobalance"));
  const int camera = device.driverCount();
  ASSERT_TRUE(device.connect(camera));
  QString title;
  QStringList devices;
  bool brightened = false;
  withModalDialog([&](QDialog* dialog) {
    title = dialog->windowTitle();
    auto* list = dialog->findChild<QComboBox*>(QString::fromUtf8(capture_texts::kSourceDeviceList));
    for (int i = 0; i < list->count(); ++i) devices.append(list->itemText(i));
    auto* brightness = dialog->findChild<QSlider*>(QStringLiteral("BRIGHTNESS"));
    if (brightness) {
      brightness->setValue(brightness->maximum());
      brightened =
          QTest::qWaitFor([&] { return qRed(device.latestFrame().pixel(0, 0)) > 240; }, kWaitMs);
    }
    press(dialog, QDialogButtonBox::Cancel);
  });
  device.showSourceDialog(nullptr);
  EXPECT_EQ(title, QString::fromUtf8(capture_texts::kSourceTitle));
  EXPECT_EQ(devices, device.driverNames());
  EXPECT_TRUE(brightened);
  EXPECT_EQ(device.currentDriver(), camera);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return largestDifference(device.latestFrame(), grey) <= 3; }, kWaitMs));
}

TEST(GstCaptureDeviceTest, DialogsDoNothingWhileNotConnected) {
  GstCaptureDevice device(kMovingPicture);
  bool opened = false;
  const auto closeAny = [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = true;
      modal->close();
    }
  };
  for (const auto& show : std::vector<std::function<void()>>{
           [&] { device.showFormatDialog(nullptr); }, [&] { device.showSourceDialog(nullptr); }}) {
    QTimer::singleShot(0, closeAny);
    show();
    QTest::qWait(10);
  }
  EXPECT_FALSE(opened);
  EXPECT_EQ(device.currentDriver(), 0);
}

}  // namespace
}  // namespace veltrix
