// The camera window as a webcam behaves: another format or camera with another shape, a change
// that leaves no camera, a camera that stops sending, and a frame moved to the picture's edges.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "camera/camera_window.h"
#include "camera/quick_shot_settings.h"
#include "camera_fixture.h"

namespace veltrix {
namespace {

using test::u;

const QSize kOutput(160, 210);

// A black ball on white, as round on the camera as it is in the room.
QImage ballFrame(QSize size) {
  QImage frame(size, QImage::Format_RGB32);
  frame.fill(Qt::white);
  QPainter painter(&frame);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  const int radius = size.height() * 15 / 100;
  painter.drawEllipse(
      QRect(0, 0, 2 * radius, 2 * radius)
          .translated(QPoint(size.width() / 2, size.height() / 2) - QPoint(radius, radius)));
  return frame;
}

// The size of the dark pixels' bounding box.
QSize darkExtent(const QImage& picture) {
  QRect dark;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (qGray(picture.pixel(x, y)) < 128) dark |= QRect(x, y, 1, 1);
  return dark.size();
}

class CameraLiveTest : public test::CameraWindowTest {
 protected:
  void SetUp() override { start(); }

  static void click(CameraWindow* camera, const char* button) {
    QTest::mouseClick(in<QPushButton>(camera, button), Qt::LeftButton);
  }
  // The frame's inner rectangle on the live picture.
  QRect frameOnPicture() const {
    return {QPoint(program->camera.frameLeft, program->camera.frameTop) - QPoint(10, 16), kOutput};
  }
  QStringList written() const { return QDir(out(QString())).entryList(QDir::Files); }
  void quickShootPng() {
    program->quickShot.quickSaveFormat = u(".PNG");
    program->quickShot.quickSaveFolder = fixture.path(u("out"));
    program->quickShot.quickNamingRule = NamingRule::Sequence;
    program->quickShot.quickMode = true;
  }
};

TEST_F(CameraLiveTest, AnotherFormatOrCameraReshapesThePreviewAndTheBallStaysRound) {
  const struct {
    const char* name;
    const char* button;
    QSize before, after;
    QSize preview;
  } cases[] = {
      {"1280 x 720 chosen on a 640 x 480 camera",
       "视频格式按钮",
       {640, 480},
       {1280, 720},
       {549, 309}},
      {"640 x 480 chosen on a 1280 x 720 camera",
       "视频格式按钮",
       {1280, 720},
       {640, 480},
       {412, 309}},
      {"a 1280 x 720 camera chosen", "设备参数按钮", {640, 480}, {1280, 720}, {549, 309}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    QDir(out(QString())).removeRecursively();
    QDir().mkpath(out(QString()));
    quickShootPng();
    fixture.captureDevice.size = c.before;
    fixture.captureDevice.dialogChoice = c.after;
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    click(camera, c.button);
    EXPECT_EQ(in(camera, "视频设备1")->size(), c.preview);
    const QImage frame = ballFrame(c.after);
    fixture.captureDevice.pushFrame(frame);
    click(camera, "拍照按钮");
    const std::optional<QImage> saved = decodePictureFile(out(u("0001.png")));
    ASSERT_TRUE(saved);
    const QSize ball = darkExtent(*saved);
    EXPECT_LE(std::abs(ball.width() - ball.height()), 1) << ball.width() << " x " << ball.height();
    EXPECT_EQ(*saved, frame.scaled(c.preview, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .copy(frameOnPicture()));
    camera->close();
  }
}

TEST_F(CameraLiveTest, AChangeThatLeavesNoCameraShowsTheRetryAsAnUnplugDoes) {
  const struct {
    const char* name;
    std::function<void(CameraWindow*)> loseCamera;
  } cases[] = {
      {"unplugged", [this](CameraWindow*) { fixture.captureDevice.loseDevice(); }},
      {"a format that fails, its fallback too",
       [](CameraWindow* camera) { click(camera, "视频格式按钮"); }},
      {"another camera that fails, the first one too",
       [](CameraWindow* camera) { click(camera, "设备参数按钮"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    fixture.captureDevice.connectWorks = true;
    fixture.captureDevice.dialogChoice = QSize(1280, 720);
    fixture.captureDevice.changeWorks = false;
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    fixture.captureDevice.pushFrame();
    ASSERT_EQ(caption(camera), u("拍 照"));
    c.loseCamera(camera);
    EXPECT_EQ(caption(camera), u("重 试"));
    for (const char* shown : {"标签1", "标签2"}) EXPECT_FALSE(in(camera, shown)->isHidden());
    for (const char* hidden : {"视频设备1", "设备参数按钮", "视频格式按钮", "启用速拍选择框"})
      EXPECT_TRUE(in(camera, hidden)->isHidden()) << hidden;

    // The button retries: the last frame is never taken again.
    fixture.captureDevice.connectWorks = false;
    const size_t connects = fixture.captureDevice.connects.size();
    click(camera, "拍照按钮");
    EXPECT_EQ(fixture.captureDevice.connects.size(), connects + 1);
    EXPECT_FALSE(program->document.present);
    camera->close();
  }
}

TEST_F(CameraLiveTest, ACameraThatStopsSendingIsNotPhotographedUntilFramesComeBack) {
  const struct {
    const char* name;
    bool quick;
  } cases[] = {{"single photo", false}, {"quick shot", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    QDir(out(QString())).removeRecursively();
    QDir().mkpath(out(QString()));
    if (c.quick) quickShootPng();
    fixture.captureDevice.size = {412, 309};
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    fixture.captureDevice.pushFrame();
    auto* checker = camera->findChild<QTimer*>(u("画面检查时钟"));
    ASSERT_NE(checker, nullptr);
    auto* noFrames = in<QLabel>(camera, "无画面标签");

    // A frame 999 ms old is still the camera's picture; at 1 s the camera sends nothing.
    fixture.clock.time = fixture.clock.time.addMSecs(999);
    QMetaObject::invokeMethod(checker, "timeout");
    EXPECT_TRUE(noFrames->isHidden());
    fixture.clock.time = fixture.clock.time.addMSecs(1);
    QMetaObject::invokeMethod(checker, "timeout");
    EXPECT_FALSE(noFrames->isHidden());
    EXPECT_EQ(noFrames->text(), u("摄像头没有画面，请检查摄像头连接。"));

    fixture.prompter.records.clear();
    click(camera, "拍照按钮");
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提醒："));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u("摄像头没有画面，请检查摄像头连接。"));
    EXPECT_TRUE(written().isEmpty());
    EXPECT_FALSE(program->document.present);

    fixture.captureDevice.pushFrame();
    EXPECT_TRUE(noFrames->isHidden());
    click(camera, "拍照按钮");
    EXPECT_EQ(fixture.prompter.messages().size(), 1u);
    const QImage frame = test::FakeCaptureDevice::codedFrame({412, 309});
    if (c.quick) {
      const std::optional<QImage> saved = decodePictureFile(out(u("0001.png")));
      ASSERT_TRUE(saved);
      EXPECT_EQ(*saved, frame.copy(frameOnPicture()));
    } else {
      EXPECT_EQ(program->document.picture, frame);
    }
    camera->close();
  }
}

TEST_F(CameraLiveTest, TheMoveButtonsStopTheFrameAtTheLivePicturesEdges) {
  const struct {
    const char* button;
    QPoint stop;  // where the frame's inner rectangle stops on the 412 x 309 picture
  } cases[] = {
      {"拍图左移按钮", {1, 49}},
      {"拍图右移按钮", {412 - 4 - 160, 49}},
      {"拍图上移按钮", {126, 1}},
      {"拍图下移按钮", {126, 309 - 1 - 210}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    start();
    QDir(out(QString())).removeRecursively();
    QDir().mkpath(out(QString()));
    quickShootPng();
    fixture.captureDevice.size = {412, 309};
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    fixture.captureDevice.pushFrame();
    for (int step = 0; step < 200; ++step) click(camera, c.button);
    EXPECT_EQ(frameOnPicture().topLeft(), c.stop);
    click(camera, "拍照按钮");
    const std::optional<QImage> saved = decodePictureFile(out(u("0001.png")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, test::FakeCaptureDevice::codedFrame({412, 309}).copy(frameOnPicture()));
    camera->close();
  }
}

TEST_F(CameraLiveTest, AFrameLargerThanTheLivePictureIsRefused) {
  quickShootPng();
  fixture.captureDevice.size = {412, 309};
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  // The user shrinks the window until the picture is smaller than the frame.
  camera->resize(camera->width() - 250, camera->height());
  ASSERT_LT(in(camera, "视频设备1")->height(), kOutput.height());
  fixture.captureDevice.pushFrame();
  fixture.prompter.records.clear();
  click(camera, "拍照按钮");
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("提醒："));
  EXPECT_EQ(fixture.prompter.messages()[0].text,
            u("拍图框超出了摄像画面，请把摄像预览窗口拉大一些，或者把图片尺寸改小一些。"));
  EXPECT_TRUE(written().isEmpty());
}

}  // namespace
}  // namespace veltrix
