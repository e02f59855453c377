// One-click head framing on the real window, with the face detector told where the face is.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QTest>

#include "app/main_window.h"
#include "app/program.h"
#include "framing/head_guides.h"
#include "platform/face_detector.h"
#include "test_files.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

constexpr QRgb kBackground = qRgb(70, 130, 200);
constexpr QRgb kHair = qRgb(50, 35, 25);
constexpr QRgb kSkin = qRgb(240, 205, 175);

// A portrait drawn in code: the hair's top at `crown`, the face an ellipse under it.
QImage portrait(QSize size, int crown, QRect face) {
  QImage photo(size, QImage::Format_RGB32);
  photo.fill(kBackground);
  QPainter painter(&photo);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(kHair));
  painter.drawEllipse(
      QRect(face.left() - face.width() / 10, crown, face.width() * 6 / 5, face.height()));
  painter.setBrush(QColor(kSkin));
  painter.drawEllipse(face);
  return photo;
}

bool near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
             std::abs(qBlue(a) - qBlue(b)) <
         60;
}

class HeadFramingWindowTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  QAction* frameItem() const { return window->findChild<QAction*>(u("自动框选头像菜单")); }

  struct ViewMark {
    double zoom;
    int left, top, sourceX, sourceY;
    bool operator==(const ViewMark&) const = default;
  };
  ViewMark mark() const {
    return {program->view.zoom, program->frame.interiorLeft, program->frame.interiorTop,
            program->view.sourceX, program->view.sourceY};
  }
};

TEST_F(HeadFramingWindowTest, WhatItCannotDoItSaysAndChangesNothing) {
  frameItem()->trigger();
  ASSERT_EQ(fixture.prompter.messages().size(), 1);
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_EQ(fixture.faceDetector.asked, 0);

  openPicture(test::noisePicture(900, 700));
  const struct {
    const char* name;
    bool available;
    const char* text;
  } cases[] = {
      {"no face", true, "未检测到人脸，请手动调整采集框。"},
      {"no detector", false,
       "自动框选头像不可用：没有找到人脸检测数据，请安装 opencv-data 后再试。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixture.prompter.records.clear();
    fixture.faceDetector.isAvailable = c.available;
    const ViewMark before = mark();
    frameItem()->trigger();
    ASSERT_EQ(fixture.prompter.messages().size(), 1);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示"));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u(c.text));
    EXPECT_EQ(mark(), before);
  }
}

TEST_F(HeadFramingWindowTest, ControlJFramesTheHeadAsTheIdCardRuleAsks) {
  const QSize size(2400, 3000);
  const QRect face(900, 1060, 600, 780);
  const QImage photo = portrait(size, 1000, face);
  openPicture(photo);
  choosePreset(2);
  ASSERT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), QSize(358, 441));
  // The cascade's box: about the eyebrows to the mouth.
  fixture.faceDetector.photoWidth = size.width();
  fixture.faceDetector.found = {{QRect(930, 1190, 540, 540), {}}};

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  control("可视画板")->setFocus();
  QTest::keyClick(control("可视画板"), Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(fixture.prompter.messages().empty());
  EXPECT_EQ(fixture.faceDetector.asked, 1);
  // The detected face is as wide as the rule asks.
  const HeadGuides rule = headGuides(358, 441);
  EXPECT_GE(540 * program->view.zoom, rule.faceWidth->from);
  EXPECT_LE(540 * program->view.zoom, rule.faceWidth->to);

  const std::optional<QImage> saved = saveAs(u("framed.png"));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->size(), QSize(358, 441));
  // The top of the hair in the crop's middle column, and the face centred.
  int crown = 0;
  while (crown < saved->height() && !near(saved->pixel(179, crown), kHair)) ++crown;
  EXPECT_GE(crown, rule.crown.from - 1);
  EXPECT_LE(crown, rule.crown.to + 1);
  const int row = 250;
  int left = 0, right = saved->width() - 1;
  while (left < right && !near(saved->pixel(left, row), kSkin)) ++left;
  while (right > left && !near(saved->pixel(right, row), kSkin)) --right;
  EXPECT_NEAR((left + right) / 2.0, 179, 2);
}

// Photos of a real face, framed by OpenCV's detector: the crown and the eyes where they were
// measured by eye in the photo, and the face the detector finds again in the saved crop.
TEST_F(HeadFramingWindowTest, RealPhotosAreFramedToTheIdCardRule) {
  const std::unique_ptr<FaceDetector> detector = makeFaceDetector();
  if (!VELTRIX_FACE_DETECTION || !QFileInfo::exists(u("/usr/share/opencv4/haarcascades")))
    GTEST_SKIP() << "built without OpenCV, or its cascades are not installed";
  ASSERT_TRUE(detector->available());
  fixture.faceDetector.real = detector.get();
  const QString faces = QStringLiteral(VELTRIX_TEST_DATA "/faces/");
  const struct {
    const char* file;
    int scale;  // the photo enlarged this many times first, as a camera of more pixels gives it
    int crown;  // the top of the hair and the eyes in the photo as stored
    int eyes;
  } cases[] = {
      {"astronaut.jpg", 1, 16, 101},
      {"astronaut-portrait.jpg", 1, 16, 101},
      {"astronaut.jpg", 5, 16 * 5, 101 * 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " x" << c.scale);
    QImage photo(faces + u(c.file));
    ASSERT_FALSE(photo.isNull());
    photo = photo.scaled(photo.size() * c.scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    openPicture(photo);
    choosePreset(2);
    fixture.prompter.records.clear();
    frameItem()->trigger();
    ASSERT_TRUE(fixture.prompter.messages().empty());

    const HeadGuides rule = headGuides(358, 441);
    const ViewState& view = program->view;
    const int originY = view.sourceY + program->frame.interiorTop - view.offsetY;
    const double crown = c.crown * view.zoom - originY;
    const double eyes = c.eyes * view.zoom - originY;
    EXPECT_GE(crown, rule.crown.from - 3);
    EXPECT_LE(crown, rule.crown.to + 3);
    EXPECT_LE(eyes, *rule.eyeLine + 3);

    const std::optional<QImage> saved = saveAs(u("framed.png"));
    ASSERT_TRUE(saved);
    const std::vector<DetectedFace> found = detector->faces(*saved);
    ASSERT_FALSE(found.empty());
    const DetectedFace& face = *std::max_element(found.begin(), found.end(),
                                                 [](const DetectedFace& a, const DetectedFace& b) {
                                                   return a.face.width() < b.face.width();
                                                 });
    EXPECT_GE(face.face.width(), rule.faceWidth->from - 10);
    EXPECT_LE(face.face.width(), rule.faceWidth->to + 10);
    EXPECT_NEAR(face.face.center().x(), rule.centre, 10);
    QFile::remove(out(u("framed.png")));
  }
}

}  // namespace
}  // namespace veltrix
