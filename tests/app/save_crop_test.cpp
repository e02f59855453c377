#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "app/texts.h"
#include "platform/qt_prompter.h"
#include "settings/naming_rules.h"
#include "view/scaler.h"
#include "window_fixture.h"
#include "write_faults.h"

namespace veltrix {
namespace {

using test::u;

class SaveCropTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  // Opens a noise picture from a file, as the user does.
  QImage openNoise(int width, int height) { return openPicture(test::noisePicture(width, height)); }
};

TEST_F(SaveCropTest, PngHoldsExactlyThePictureUnderTheFrameWithItsDpi) {
  const QImage source = openNoise(400, 270);
  ASSERT_DOUBLE_EQ(program->view.zoom, 1.0);
  QTest::keyClick(window->findChild<QWidget*>(u("可视画板")), Qt::Key_Right);
  const std::optional<QImage> saved = saveAs(u("crop.png"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->size(), QSize(160, 210));
  const QPoint inPicture(program->frame.interiorLeft - program->view.offsetX,
                         program->frame.interiorTop - program->view.offsetY);
  EXPECT_EQ(*saved, source.copy(QRect(inPicture, QSize(160, 210))));
  EXPECT_EQ(*saved, expectedCrop());
  const QImage withDpi(out(u("crop.png")));
  EXPECT_EQ(withDpi.dotsPerMeterX(), 6299);  // 160 DPI

  const test::PromptRecord& dialog = fixture.prompter.records.front();
  EXPECT_EQ(dialog.kind, u("save"));
  EXPECT_EQ(dialog.title, u("采集框内图象另存为："));
  EXPECT_EQ(dialog.request.defaultExtension, u("jpg"));
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  EXPECT_EQ(dialog.request.initialFolder, QFileInfo(desktop).isDir() ? desktop : QDir::homePath());
}

TEST_F(SaveCropTest, AtHalfZoomTheFileHoldsTheShownPixels) {
  openNoise(800, 600);
  program->view.zoom = 0.5;
  window->zoomBy(1.0);
  const std::optional<QImage> saved = saveAs(u("half.bmp"));
  ASSERT_TRUE(saved);
  // The picture as the scaler makes it at half size, shown at zoom 1 from there.
  const std::optional<QRect> interior = test::drawnInterior(program->view.viewCanvas);
  ASSERT_TRUE(interior);
  EXPECT_EQ(*saved,
            test::expectedAtZoomOne(scalePicture(opened, 400, 300), control("可视画板")->size(),
                                    scrollPositions(), *interior));
}

TEST_F(SaveCropTest, FrameOverTheMarginOrPastTheCanvasSavesWhiteThere) {
  // The drag is held inside the canvas; a drag that reaches another control ends there.
  const struct {
    const char* name;
    QPoint grip;  // where in the interior the frame is taken
    QPoint drag;
  } cases[] = {
      {"over the right and bottom margins", {5, 5}, {100, 40}},
      {"past the left and top edges", {150, 200}, {-140, -60}},
      {"past the right and bottom edges", {5, 5}, {200, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    const QImage source = openNoise(300, 200);
    QWidget* canvas = control("可视画板");
    const QPoint from = QPoint(program->frame.interiorLeft, program->frame.interiorTop) + c.grip;
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + c.drag);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + c.drag);
    const QRect interior(from - c.grip + c.drag, QSize(160, 210));
    ASSERT_EQ(QPoint(program->frame.interiorLeft, program->frame.interiorTop), interior.topLeft());
    const std::optional<QImage> saved = saveAs(u("edge.png"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, test::expectedAtZoomOne(source, canvas->size(), {}, interior));
  }
}

TEST_F(SaveCropTest, SaveDialogShowsItsFileTypeOnce) {
  openNoise(100, 100);
  QtPrompter prompter;
  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* types = dialog->findChild<QComboBox*>(u("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    dialog->reject();
  });
  FileDialogRequest request;
  request.filter = u(app_texts::kSaveFilter);
  EXPECT_TRUE(prompter.saveFile(window.get(), request).isEmpty());
  EXPECT_EQ(shown, QStringList{u("图片文件 *.jpg *.bmp *.gif *.png")});
}

TEST_F(SaveCropTest, EveryFormatWritesAFileThatDecodesBack) {
  openNoise(400, 270);
  for (const QSize size : {QSize(1, 1), QSize(358, 441)}) {
    program->output.pixelWidth = size.width();
    program->output.pixelHeight = size.height();
    for (const char* name : {"a.bmp", "a.png", "a.gif", "a.jpg", "b.PNG", "b.jpeg"}) {
      const std::optional<QImage> saved = saveAs(u(name));
      ASSERT_TRUE(saved) << name;
      EXPECT_EQ(saved->size(), size) << name;
    }
    EXPECT_EQ(*decodePictureFile(out(u("a.bmp"))), *decodePictureFile(out(u("a.png"))));
    EXPECT_EQ(sniffPictureFormat(test::readBytes(out(u("b.PNG")))), PictureFormat::Png);
    EXPECT_EQ(sniffPictureFormat(test::readBytes(out(u("b.jpeg")))), PictureFormat::Jpeg);
  }
}

TEST_F(SaveCropTest, UnreachableJpgTargetWritesTheSmallestFileAndSaysItsSize) {
  openNoise(400, 270);
  program->output.jpgLimitKb = 0.1;
  ASSERT_TRUE(saveAs(u("small.jpg")));
  const qint64 size = QFileInfo(out(u("small.jpg"))).size();
  EXPECT_GT(size, 102);
  const auto messages = fixture.prompter.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, u("当前截图区域输出图片所能达到的最小体积为") +
                                  QString::asprintf("%.13g", std::round(size / 102.4) / 10) +
                                  u("KB大小，\r\n请重新设置JPG输出体积。"));

  ASSERT_TRUE(saveAs(u("small.bmp")));
  EXPECT_EQ(fixture.prompter.messages().size(), 1u);
}

TEST_F(SaveCropTest, NothingIsSavedWithoutAPictureOrAChosenFile) {
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_EQ(fixture.prompter.records[0].icon, PromptIcon::Information);

  openNoise(100, 100);
  window->saveCrop();  // the dialog is cancelled
  EXPECT_TRUE(QDir(fixture.path(u("out"))).isEmpty());
}

TEST_F(SaveCropTest, RefusalsTellTheUserAndWriteNothing) {
  openNoise(400, 270);
  // A file that cannot be written is named in the message.
  const QString missing = fixture.path(u("no-such-folder/x.png"));
  fixture.prompter.paths.push_back(missing);
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_TRUE(fixture.prompter.messages()[0].text.contains(missing));
  EXPECT_FALSE(QFileInfo::exists(fixture.path(u("no-such-folder"))));

  // A type the program cannot write.
  EXPECT_FALSE(saveAs(u("x.tif")));
  EXPECT_FALSE(QFile::exists(out(u("x.tif"))));
  EXPECT_EQ(fixture.prompter.messages().back().text,
            u("本软件只能保存bmp、jpg、jpeg、gif、png五类图片文件，请更改文件扩展名。"));

  // A frame without area gives no picture: no dialog, no file.
  program->output.pixelWidth = 0;
  const size_t before = fixture.prompter.records.size();
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.records.size(), before + 1);
  EXPECT_EQ(fixture.prompter.records.back().text,
            u("采集框的宽度或高度为0，不能保存图片，请重新设置输出尺寸。"));
}

// The message names the file, and whatever stood there before stays as it was.
TEST_F(SaveCropTest, AFaultOfThePlaceIsNamedAndWhatWasThereStays) {
  openNoise(400, 270);
  for (const test::WriteFault& fault : test::writeFaults()) {
    SCOPED_TRACE(fault.name);
    const QString path = fixture.path(u("faults/") + u(fault.name) + u("/证件照.png"));
    fixture.prompter.records.clear();
    const bool made = fault.around(path, "earlier", [&] {
      fixture.prompter.paths.push_back(path);
      window->saveCrop();
      EXPECT_TRUE(test::leftAsItWas(fault, path, "earlier"));
    });
    if (!made) continue;
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text, test::pictureNotWrittenText(fault, path));
  }
}

// A link the user chose is written through: its target gets the crop and the link stays. A link
// to nowhere writable is a file that cannot be written.
TEST_F(SaveCropTest, AChosenLinkHasItsTargetReplaced) {
  openNoise(400, 270);
  const QString target = fixture.path(u("elsewhere.png"));
  ASSERT_TRUE(test::writeBytes(target, "earlier"));
  ASSERT_TRUE(QFile::link(target, out(u("link.png"))));
  ASSERT_TRUE(QFile::link(fixture.path(u("gone/photo.png")), out(u("dangling.png"))));
  fixture.prompter.paths.push_back(out(u("link.png")));
  window->saveCrop();
  EXPECT_TRUE(fixture.prompter.messages().empty());
  EXPECT_TRUE(QFileInfo(out(u("link.png"))).isSymLink());
  const std::optional<QImage> written = decodePictureFile(target);
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, expectedCrop());

  fixture.prompter.paths.push_back(out(u("dangling.png")));
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_TRUE(fixture.prompter.messages()[0].text.contains(u("dangling.png")));
  EXPECT_FALSE(QFileInfo::exists(fixture.path(u("gone"))));
  EXPECT_EQ(QDir(out(QString()))
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{u("dangling.png"), u("link.png")}));
}

TEST_F(SaveCropTest, CropButtonsOfBothPagesSave) {
  openNoise(400, 270);
  fixture.prompter.paths.push_back(out(u("p.png")));
  QTest::mouseClick(window->findChild<QAbstractButton*>(u("像素法截图按钮")), Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(out(u("p.png"))));
  fixture.prompter.paths.push_back(out(u("d.png")));
  QTest::mouseClick(window->findChild<QAbstractButton*>(u("DPI法截图按钮")), Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(out(u("d.png"))));
}

class BatchSaveTest : public SaveCropTest {
 protected:
  void SetUp() override {
    SaveCropTest::SetUp();
    openNoise(400, 270);
    BatchTask& batch = program->batch;
    batch.active = true;
    batch.saveFolder = fixture.path(u("out"));
    batch.saveFormat = u(".BMP");
  }
};

TEST_F(BatchSaveTest, SequenceRuleNumbersTheFilesAndPlaysTheCropSound) {
  program->batch.namingRule = NamingRule::Sequence;
  program->batch.cropSound = true;
  window->saveCrop();
  window->saveCrop();
  EXPECT_EQ(*decodePictureFile(out(u("0001.bmp"))), expectedCrop());
  EXPECT_TRUE(QFile::exists(out(u("0002.bmp"))));
  ASSERT_EQ(fixture.sound.played.size(), 2);
  EXPECT_EQ(fixture.sound.played[0].size(), 40044);
  EXPECT_TRUE(fixture.sound.played[0].startsWith("RIFF"));
  EXPECT_TRUE(fixture.prompter.records.empty());
}

TEST_F(BatchSaveTest, SameNameRuleUsesThePictureTheUserOpened) {
  program->batch.namingRule = NamingRule::SameName;
  program->batch.pictureOrigin = PictureOrigin::OpenedByUser;
  program->batch.userPicturePath = u("/photos/IMG_001.JPG");
  program->batch.saveFormat = u(".PNG");
  window->saveCrop();
  EXPECT_TRUE(QFile::exists(out(u("IMG_001.png"))));
  EXPECT_TRUE(fixture.sound.played.isEmpty());
}

TEST_F(BatchSaveTest, SameNameRuleKeepsPicturesThatDifferAfterTheFirstDot) {
  program->batch.namingRule = NamingRule::SameName;
  program->batch.pictureOrigin = PictureOrigin::OpenedByUser;
  for (const char* source : {"/photos/张三.2024.jpg", "/photos/张三.2025.jpg"}) {
    program->batch.userPicturePath = u(source);
    window->saveCrop();
  }
  EXPECT_EQ(QDir(fixture.path(u("out"))).entryList(QDir::Files),
            (QStringList{u("张三.2024.bmp"), u("张三.2025.bmp")}));
  // Cropping the same picture again replaces its own output.
  window->saveCrop();
  EXPECT_EQ(QDir(fixture.path(u("out"))).entryList(QDir::Files).size(), 2);
}

TEST_F(BatchSaveTest, AFormatThatIsNoPictureTypeWritesNothing) {
  program->batch.namingRule = NamingRule::Sequence;
  program->batch.saveFormat = u(".TIF");
  program->batch.cropSound = true;
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(
      fixture.prompter.messages()[0].text,
      u("批量截图的保存格式不是bmp、jpg、gif、png之一，请在批量截图设置中重新选择保存格式。"));
  EXPECT_TRUE(QDir(fixture.path(u("out"))).isEmpty());
  EXPECT_TRUE(fixture.sound.played.isEmpty());
}

TEST_F(BatchSaveTest, AskEveryTimeRuleMovesThePictureToTheTypedName) {
  program->batch.namingRule = NamingRule::AskEveryTime;
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activeModalWidget();
    ASSERT_NE(popup, nullptr);
    auto* box = popup->findChild<QLineEdit*>(u("弹窗编辑框"));
    box->setText(u("张三"));
    QTest::mouseClick(popup->findChild<QAbstractButton*>(u("按钮1")), Qt::LeftButton);
  });
  window->saveCrop();
  EXPECT_EQ(*decodePictureFile(out(u("张三.bmp"))), expectedCrop());
  EXPECT_FALSE(QFile::exists(program->shell.settingsFolder + u("/临时C.bmp")));
}

// The place where a picture waits for its name is the program's own: a link found there is never
// written through, whatever it points to.
TEST_F(BatchSaveTest, AskEveryTimeRuleNeverWritesThroughALinkWhereThePictureWaits) {
  program->batch.namingRule = NamingRule::AskEveryTime;
  const QString elsewhere = fixture.path(u("elsewhere.bmp"));
  ASSERT_TRUE(test::writeBytes(elsewhere, "earlier"));
  const QString waiting = program->shell.settingsFolder + u("/临时C.bmp");
  ASSERT_TRUE(QFile::link(elsewhere, waiting));
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activeModalWidget();
    ASSERT_NE(popup, nullptr);
    popup->findChild<QLineEdit*>(u("弹窗编辑框"))->setText(u("张三"));
    QTest::mouseClick(popup->findChild<QAbstractButton*>(u("按钮1")), Qt::LeftButton);
  });
  window->saveCrop();
  EXPECT_EQ(test::readBytes(elsewhere), "earlier");
  EXPECT_EQ(*decodePictureFile(out(u("张三.bmp"))), expectedCrop());
  EXPECT_FALSE(QFileInfo(waiting).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(waiting));
}

TEST_F(BatchSaveTest, SpreadsheetRuleWithoutAWorkbookSavesNothing) {
  program->batch.namingRule = NamingRule::Spreadsheet;
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].title, u("询问"));
  EXPECT_EQ(fixture.prompter.records[0].text,
            u("当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？"));
  EXPECT_TRUE(QDir(fixture.path(u("out"))).isEmpty());
}

}  // namespace
}  // namespace veltrix
