// What a batch crop is named and recorded by when the picture shown is not the task's: a file the
// user tried to open and could not, a picture pasted from the clipboard, and a crop whose name the
// user was asked for and never gave.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "batch_fixture.h"

namespace veltrix {
namespace {

using test::u;

class BatchOriginTest : public test::BatchTest {
 protected:
  // The toolbar's "打开" clicked and a file chosen in the open dialog.
  void openThroughToolbar(const QString& path) {
    fixture.prompter.paths.push_back(path);
    auto* toolbar = control<QToolBar>("工具条1");
    QTest::mouseClick(toolbar->widgetForAction(toolbar->actions().at(1)), Qt::LeftButton);
  }

  QStringList written() const { return QDir(saveFolder()).entryList(QDir::Files); }
  QRgb colourOfCrop(const QString& name) const {
    const std::optional<QImage> crop = decodePictureFile(saveFolder() + u("/") + name);
    EXPECT_TRUE(crop) << name.toStdString();
    return crop ? crop->pixel(crop->width() / 2, crop->height() / 2) : 0;
  }
};

// A damaged file opened at entry 1 leaves entry 1 on the screen: the crop is entry 1's, in its
// name, in its record and title.
TEST_F(BatchOriginTest, AFailedOpenLeavesTheShownPictureItsName) {
  startBatch(0);
  const QString first = task().name(1);
  const QString damaged = fixture.path(u("李四.jpg"));
  ASSERT_TRUE(test::writeBytes(damaged, QByteArray("\xFF\xD8\xFF\xE0 not a picture", 19)));
  openThroughToolbar(damaged);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_TRUE(fixture.prompter.messages()[0].text.contains(u("李四.jpg")));
  ASSERT_TRUE(program->document.present);

  cropThroughToolbar();
  const QString expected = QFileInfo(first).completeBaseName() + u(".jpg");
  EXPECT_EQ(written(), QStringList{expected});
  EXPECT_EQ(colourOfCrop(expected), colourOf(first));
  EXPECT_EQ(task().record(1), u("已截图"));
  EXPECT_EQ(title(), titleFor(first, "已截图"));
}

// A pasted picture is no task picture: under the same-name rule it is named by the moment of the
// crop, the entry's own crop is not replaced and its record is left alone.
TEST_F(BatchOriginTest, APastedPictureIsCroppedAsOneFromOutsideTheTask) {
  startBatch(0);
  const QString first = task().name(1);
  cropThroughToolbar();
  const QString entryCrop = QFileInfo(first).completeBaseName() + u(".jpg");
  ASSERT_EQ(written(), QStringList{entryCrop});
  press(NavigationKey::D);
  ASSERT_EQ(task().record(2), u("未截图"));

  QImage pasted(300, 300, QImage::Format_RGB32);
  pasted.fill(qRgb(10, 20, 240));
  QGuiApplication::clipboard()->setImage(pasted);
  QTest::keyClick(control("可视画板"), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(program->document.picture.size(), QSize(300, 300));
  cropThroughToolbar();

  const QString pastedCrop = u("2022-1-10 11-45-23.jpg");
  EXPECT_EQ(written(), (QStringList{pastedCrop, entryCrop}));
  EXPECT_EQ(colourOfCrop(entryCrop), colourOf(first));
  EXPECT_EQ(qBlue(colourOfCrop(pastedCrop)), 240);
  EXPECT_EQ(task().record(2), u("未截图"));
  EXPECT_EQ(title(), titleFor(u("剪贴板图片"), "已截图"));

  // The next key shows the task's picture again, and its crop is the task's.
  press(NavigationKey::D);
  cropThroughToolbar();
  EXPECT_EQ(task().record(3), u("已截图"));
  EXPECT_EQ(title(), titleFor(task().name(3), "已截图"));
}

// A picture waits in the temporary file for its name; a popup closed without one records nothing.
TEST_F(BatchOriginTest, ACropWhoseNameIsNeverGivenIsNotRecorded) {
  startBatch(4);
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activeModalWidget();
    ASSERT_NE(popup, nullptr);
    popup->close();
  });
  cropThroughToolbar();
  EXPECT_TRUE(written().isEmpty());
  EXPECT_EQ(task().record(1), u("未截图"));
  EXPECT_EQ(title(), titleFor(task().name(1), "未截图"));
  EXPECT_TRUE(fixture.hotkeys.registered());

  // Named this time, with keys typed into the popup: recorded.
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activeModalWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClicks(popup->findChild<QLineEdit*>(u("弹窗编辑框")), u("wang5"));
    QTest::keyClick(popup->findChild<QLineEdit*>(u("弹窗编辑框")), Qt::Key_Return);
  });
  cropThroughToolbar();
  EXPECT_EQ(written(), QStringList{u("wang5.jpg")});
  EXPECT_EQ(task().record(1), u("已截图"));
}

}  // namespace
}  // namespace veltrix
