// The camera window opened from the main window, with a capture device double whose frames name
// their own pixel coordinates.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "camera/camera_geometry.h"
#include "camera/camera_window.h"
#include "camera/quick_shot_settings.h"
#include "camera_fixture.h"
#include "widgets/colour_picker.h"
#include "write_faults.h"

namespace veltrix {
namespace {

using test::u;

class CameraTest : public test::CameraWindowTest {
 protected:
  void SetUp() override { start(); }

  QSize corrections() const {
    return {program->shell.widthCorrection, program->shell.heightCorrection};
  }
};

TEST_F(CameraTest, NoCameraShowsTheReasonsAndARetryThatConnectsInPlace) {
  fixture.captureDevice.drivers = 0;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_TRUE(program->camera.open);
  EXPECT_EQ(caption(camera), u("重 试"));
  EXPECT_FALSE(in(camera, "标签1")->isHidden());
  EXPECT_EQ(static_cast<QLabel*>(in(camera, "标签1"))->text(), u("    无法连接摄像头哦"));
  EXPECT_TRUE(static_cast<QLabel*>(in(camera, "标签2"))->text().startsWith(u("\n  1、")));
  for (const char* hidden : {"视频设备1", "设备参数按钮", "视频格式按钮", "启用速拍选择框",
                             "速拍设置按钮", "拍图上移按钮", "拍图框上标签"})
    EXPECT_TRUE(in(camera, hidden)->isHidden()) << hidden;
  const QSize before = camera->size();

  fixture.captureDevice.drivers = 1;
  static_cast<QPushButton*>(in(camera, "拍照按钮"))->click();
  EXPECT_EQ(caption(camera), u("拍 照"));
  EXPECT_TRUE(in(camera, "标签1")->isHidden());
  EXPECT_FALSE(in(camera, "视频设备1")->isHidden());
  EXPECT_FALSE(in(camera, "启用速拍选择框")->isHidden());
  EXPECT_TRUE(fixture.captureDevice.previewing);
  EXPECT_EQ(camera->size(), before);
}

TEST_F(CameraTest, PreviewKeepsTheCameraAspectAndHoldsTheOutput) {
  const struct {
    const char* name;
    QSize frames;
    int preset;  // -1: the default output
    QSize preview;
  } cases[] = {
      {"640 x 480, default output", {640, 480}, -1, {412, 309}},
      {"1280 x 720 is wider", {1280, 720}, -1, {549, 309}},
      {"student record output", {640, 480}, 2, {628, 471}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    if (c.preset >= 0) choosePreset(c.preset);
    fixture.captureDevice.size = c.frames;
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_DOUBLE_EQ(program->camera.aspect,
                     static_cast<double>(c.frames.height()) / c.frames.width());
    EXPECT_EQ(in(camera, "视频设备1")->size(), c.preview);
    EXPECT_EQ(camera->size(), windowSizeFor(c.preview, corrections()));
    camera->close();
  }
}

TEST_F(CameraTest, TheOutputSizeChangingReshapesTheOpenWindow) {
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  choosePreset(2);
  EXPECT_EQ(in(camera, "视频设备1")->size(), QSize(628, 471));
  EXPECT_EQ(camera->size(), windowSizeFor({628, 471}, corrections()));
}

TEST_F(CameraTest, ASinglePhotoIsTheLivePictureAsShown) {
  // Frames of the preview's own size are shown one to one, so the photo must equal them.
  fixture.captureDevice.size = {412, 309};
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  fixture.captureDevice.pushFrame();
  static_cast<QPushButton*>(in(camera, "拍照按钮"))->click();
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture,
            test::FakeCaptureDevice::codedFrame({412, 309}).convertToFormat(QImage::Format_RGB32));
  EXPECT_DOUBLE_EQ(program->view.zoom, 279.0 / 309);  // fitted to the 411 x 279 view
  EXPECT_FALSE(control("横向滚动条")->isEnabled());
}

TEST_F(CameraTest, TheQuickShootFrameMovesByButtonAndDragsWithinThePicture) {
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  const QSize output(160, 210);
  const QPoint centre = centredFrame({412, 309}, output);
  EXPECT_EQ(in(camera, "拍图画板")->geometry(), QRect(centre, output));
  for (const char* shown : {"拍图框上标签", "拍图框右标签", "拍图上移按钮", "速拍设置按钮"})
    EXPECT_FALSE(in(camera, shown)->isHidden()) << shown;
  EXPECT_EQ(in(camera, "拍图框右标签")->geometry(), cameraFrameBars(centre, output).right);

  // Held: one pixel at the press, none for nine ticks, then one a tick.
  auto* right = static_cast<QPushButton*>(in(camera, "拍图右移按钮"));
  auto* timer = camera->findChild<QTimer*>(u("拍图时钟"));
  ASSERT_NE(timer, nullptr);
  QTest::mousePress(right, Qt::LeftButton);
  EXPECT_EQ(program->camera.frameLeft, centre.x() + 1);
  for (int tick = 1; tick <= 9; ++tick) QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(program->camera.frameLeft, centre.x() + 1);
  QMetaObject::invokeMethod(timer, "timeout");
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(program->camera.frameLeft, centre.x() + 3);
  QTest::mouseRelease(right, Qt::LeftButton);
  EXPECT_FALSE(timer->isActive());

  // A bar dragged far up and left stops the frame on the picture.
  QWidget* bar = in(camera, "拍图框上标签");
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 5));
  QMouseEvent away(QEvent::MouseMove, QPointF(-900, -900), bar->mapToGlobal(QPointF(-900, -900)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &away);
  EXPECT_EQ(QPoint(program->camera.frameLeft, program->camera.frameTop), QPoint(11, 17));
  QMouseEvent far(QEvent::MouseMove, QPointF(900, 900), bar->mapToGlobal(QPointF(900, 900)),
                  Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &far);
  EXPECT_EQ(QPoint(program->camera.frameLeft, program->camera.frameTop),
            QPoint(434 - 10 - 160 - 6, 336 - 10 - 210 - 2));
  QTest::mouseRelease(bar, Qt::LeftButton);
  EXPECT_EQ(in(camera, "拍图画板")->geometry().topLeft(),
            QPoint(program->camera.frameLeft, program->camera.frameTop));
}

TEST_F(CameraTest, AQuickShotHoldsExactlyThePixelsInsideTheFrame) {
  fixture.captureDevice.size = {412, 309};
  QuickShotSettings& quick = program->quickShot;
  quick.quickMode = true;
  quick.quickSaveFolder = fixture.path(u("out"));
  quick.quickSaveFormat = u(".PNG");
  quick.quickNamingRule = NamingRule::Sequence;
  quick.shutterSound = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  fixture.captureDevice.pushFrame();
  static_cast<QPushButton*>(in(camera, "拍照按钮"))->click();
  const std::optional<QImage> saved = decodePictureFile(out(u("0001.png")));
  ASSERT_TRUE(saved);
  const QRect inner(QPoint(program->camera.frameLeft, program->camera.frameTop) - QPoint(10, 16),
                    QSize(160, 210));
  EXPECT_EQ(*saved, test::FakeCaptureDevice::codedFrame({412, 309}).copy(inner));
  ASSERT_EQ(fixture.sound.played.size(), 1);
  EXPECT_EQ(fixture.sound.played[0].size(), 50794);
  EXPECT_FALSE(program->document.present);  // the main window's picture is not touched
}

TEST_F(CameraTest, QuickShotsAreNamedByTheirRuleWithALowerCaseExtension) {
  const struct {
    NamingRule rule;
    QStringList names;  // after two photos in the same second
  } cases[] = {
      {NamingRule::TimeStamp, {u("2022-1-10 11-45-23.jpg"), u("2022-1-10 11-45-23—1.jpg")}},
      {NamingRule::Sequence, {u("0001.jpg"), u("0002.jpg")}},
      {NamingRule::CustomPrefix, {u("速拍0001.jpg"), u("速拍0002.jpg")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.rule));
    start();
    QDir(out(QString())).removeRecursively();
    QDir().mkpath(out(QString()));
    program->quickShot.quickCustomName = u("速拍");
    CameraWindow* camera = openForQuickShots(c.rule);
    ASSERT_NE(camera, nullptr);
    for (int photo = 0; photo < 2; ++photo) takePhoto(camera);
    QStringList names = QDir(out(QString())).entryList(QDir::Files);
    names.sort();
    QStringList expected = c.names;
    expected.sort();
    EXPECT_EQ(names, expected);
    camera->close();
  }
}

TEST_F(CameraTest, QuickShootWithoutASaveFolderSaysSoAndTakesNothing) {
  const struct {
    QString folder;
    const char* message;
  } cases[] = {
      {QString(), "批量速拍图片保存目录尚未设置，请先设置。"},
      {fixture.path(u("gone")), "批量速拍图片保存目录不存在，请重新设置。"},
  };
  for (const auto& c : cases) {
    start();
    program->quickShot.quickMode = true;
    program->quickShot.quickSaveFolder = c.folder;
    program->quickShot.shutterSound = true;
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    fixture.captureDevice.pushFrame();
    fixture.prompter.records.clear();
    fixture.sound.played.clear();
    // The settings window follows the message, for the folder to be set.
    QString settingsTitle;
    whenModalOpens([&settingsTitle](QDialog& settings) { settingsTitle = settings.windowTitle(); });
    takePhoto(camera);
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示："));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u(c.message));
    EXPECT_EQ(settingsTitle, u("批量速拍设置"));
    EXPECT_TRUE(fixture.sound.played.isEmpty());
    camera->close();
  }
}

TEST_F(CameraTest, AQuickShotThatCannotBeWrittenIsNamedAndPlaysNoShutter) {
  program->quickShot.quickSaveFormat = u(".PNG");
  program->quickShot.shutterSound = true;
  CameraWindow* camera = openForQuickShots(NamingRule::Sequence);
  ASSERT_NE(camera, nullptr);
  test::withFilesLimitedTo(16, [camera] { takePhoto(camera); });
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text,
            u("磁盘空间已满，图片文件“") + QDir::toNativeSeparators(out(u("0001.png"))) +
                u("”无法写入。请清理“") + QDir::toNativeSeparators(fixture.path(u("out"))) +
                u("”所在磁盘的空间，或换一个保存目录。"));
  EXPECT_TRUE(fixture.sound.played.isEmpty());
  EXPECT_TRUE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// The shot's file is named, no shutter sounds, and the folder stays as it was.
TEST_F(CameraTest, AFaultOfTheShotsFolderIsNamedAndChangesNothing) {
  for (const test::WriteFault& fault : test::writeFaults()) {
    // A folder in the way only takes a numbered name, which the next number passes over.
    if (fault.folderInTheWay) continue;
    SCOPED_TRACE(fault.name);
    start();
    fixture.prompter.records.clear();
    fixture.sound.played.clear();
    program->quickShot.quickSaveFormat = u(".PNG");
    program->quickShot.shutterSound = true;
    CameraWindow* camera = openForQuickShots(NamingRule::Sequence);
    ASSERT_NE(camera, nullptr);
    const QString earlier = out(u("0001.png"));
    const bool made = fault.around(earlier, "earlier", [&] {
      takePhoto(camera);
      EXPECT_TRUE(test::leftAsItWas(fault, earlier, "earlier"));
    });
    camera->close();
    if (!made) continue;
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              test::pictureNotWrittenText(fault, out(u("0002.png"))));
    EXPECT_TRUE(fixture.sound.played.isEmpty());
    QDir(out(QString())).removeRecursively();
  }
}

TEST_F(CameraTest, NumberedShotsPassOverFoldersAndLinks) {
  const QString elsewhere = fixture.path(u("elsewhere.png"));
  ASSERT_TRUE(test::writeBytes(elsewhere, "earlier"));
  ASSERT_TRUE(QDir(out(QString())).mkdir(u("0001.png")));
  ASSERT_TRUE(QFile::link(elsewhere, out(u("0002.png"))));
  ASSERT_TRUE(QFile::link(fixture.path(u("nowhere.png")), out(u("0003.png"))));
  program->quickShot.quickSaveFormat = u(".PNG");
  CameraWindow* camera = openForQuickShots(NamingRule::Sequence);
  ASSERT_NE(camera, nullptr);
  takePhoto(camera);
  EXPECT_TRUE(fixture.prompter.messages().empty());
  const std::optional<QImage> shot = decodePictureFile(out(u("0004.png")));
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->size(), QSize(160, 210));
  EXPECT_EQ(test::readBytes(elsewhere), "earlier");
  EXPECT_FALSE(QFileInfo::exists(fixture.path(u("nowhere.png"))));
}

TEST_F(CameraTest, FrameBarsTakeTheFrameColourAndClosingLetsTheDeviceGo) {
  auto* picker = control<ColourPicker>("像素法颜色选择器");
  picker->setColour(QColor(255, 0, 0));
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(in(camera, "拍图框左标签")->palette().color(QPalette::Window), QColor(255, 0, 0));
  picker->setColour(QColor(0, 0, 255));
  EXPECT_EQ(in(camera, "拍图框右标签")->palette().color(QPalette::Window), QColor(0, 0, 255));
  camera->close();
  QApplication::processEvents();
  EXPECT_FALSE(program->camera.open);
  EXPECT_FALSE(fixture.captureDevice.previewing);
  EXPECT_EQ(fixture.captureDevice.currentDriver(), 0);
}

}  // namespace
}  // namespace veltrix
