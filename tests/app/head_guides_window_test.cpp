// The head guides of the "工具" menu on the real window: shown over the view, remembered, and
// never part of a saved, copied or quick-shot picture.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QTest>

#include "app/program.h"
#include "camera_fixture.h"
#include "codec/image_codec.h"
#include "settings/settings_store.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

constexpr QRgb kGuideBlue = qRgb(0, 0, 255);  // against the yellow frame

class HeadGuidesWindowTest : public test::CameraWindowTest {
 protected:
  void SetUp() override { start(); }

  QAction* guidesItem() const { return window->findChild<QAction*>(u("显示头像参考线菜单")); }

  // How many pixels of the view's widget, as the screen shows it, are in the guides' colour.
  int guidePixelsShown() const {
    const QImage shown =
        control("可视画板")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) count += shown.pixel(x, y) == kGuideBlue;
    }
    return count;
  }

  // A grey photo, so that nothing in it has the guides' colour.
  void openGreyPhoto() {
    QImage photo(600, 500, QImage::Format_RGB32);
    photo.fill(qRgb(120, 120, 120));
    openPicture(photo);
  }
};

TEST_F(HeadGuidesWindowTest, TheToolsMenuComesBeforeHelpWithTheGuidesOff) {
  const QList<QAction*> menus = window->findChild<QMenuBar*>()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[1]->text(), u("工具"));
  EXPECT_EQ(menus[2]->text(), u("帮助"));
  ASSERT_NE(guidesItem(), nullptr);
  EXPECT_EQ(guidesItem()->text(), u("显示头像参考线"));
  EXPECT_TRUE(guidesItem()->isCheckable());
  EXPECT_FALSE(guidesItem()->isChecked());
  openGreyPhoto();
  EXPECT_EQ(guidePixelsShown(), 0);
}

TEST_F(HeadGuidesWindowTest, TheGuidesShowOnTheScreenAndAreRemembered) {
  openGreyPhoto();
  guidesItem()->trigger();
  EXPECT_GT(guidePixelsShown(), 200);
  const SettingsStore store(program->shell.settingsFile);
  EXPECT_EQ(store.read(u("头像参考线"), u("显示")), u("真"));

  start();
  ASSERT_TRUE(guidesItem()->isChecked());
  openGreyPhoto();
  EXPECT_GT(guidePixelsShown(), 200);
  guidesItem()->trigger();
  EXPECT_EQ(guidePixelsShown(), 0);
  EXPECT_EQ(store.read(u("头像参考线"), u("显示")), QString());
}

TEST_F(HeadGuidesWindowTest, NoPictureHoldsTheGuides) {
  openPicture(test::noisePicture(300, 200));
  const std::optional<QImage> plain = saveAs(u("plain.png"));
  ASSERT_TRUE(plain);
  const QImage canvas = program->view.viewCanvas;
  guidesItem()->trigger();
  ASSERT_GT(guidePixelsShown(), 0);

  // The view canvas the crop is taken from, the saved crop and the copied one.
  EXPECT_EQ(program->view.viewCanvas, canvas);
  const std::optional<QImage> guided = saveAs(u("guided.png"));
  ASSERT_TRUE(guided);
  EXPECT_EQ(*guided, *plain);
  EXPECT_EQ(*guided, expectedCrop());
  control("可视画板")->setFocus();
  QTest::keyClick(control("可视画板"), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), *plain);
}

TEST_F(HeadGuidesWindowTest, AQuickShotHoldsNoGuides) {
  openGreyPhoto();
  guidesItem()->trigger();
  fixture.captureDevice.size = {412, 309};
  QuickShotSettings& quick = program->quickShot;
  quick.quickSaveFormat = u(".PNG");
  CameraWindow* camera = openForQuickShots(NamingRule::Sequence);
  ASSERT_NE(camera, nullptr);
  takePhoto(camera);
  const std::optional<QImage> saved = decodePictureFile(out(u("0001.png")));
  ASSERT_TRUE(saved);
  const QRect inner(QPoint(program->camera.frameLeft, program->camera.frameTop) - QPoint(10, 16),
                    QSize(160, 210));
  EXPECT_EQ(*saved, test::FakeCaptureDevice::codedFrame({412, 309}).copy(inner));
}

}  // namespace
}  // namespace veltrix
