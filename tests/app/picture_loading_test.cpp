#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <cstdio>

#include "address_space.h"
#include "app/main_window.h"
#include "codec/image_encoder.h"
#include "test_files.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

// A drag entering the widget, then the drop, as the platform delivers them.
void dropOn(QWidget* widget, const QMimeData& data) {
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
}

class PictureLoadingTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  // A picture file written by Qt's own encoder in the given format, under any name.
  QString writePicture(const char* name, QSize size, QRgb colour, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = fixture.path(u(name));
    EXPECT_TRUE(image.save(path, format));
    return path;
  }
};

TEST_F(PictureLoadingTest, PngNamedBmpLoadsByItsContent) {
  window->loadPicture(writePicture("really-png.bmp", {200, 100}, qRgb(30, 60, 90), "PNG"));
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.size(), QSize(200, 100));
  EXPECT_DOUBLE_EQ(program->view.zoom, 1.0);
  EXPECT_EQ(program->view.offsetX, 105);
  EXPECT_EQ(program->view.offsetY, 89);
  EXPECT_EQ(program->view.viewCanvas.pixel(200, 150), qRgb(30, 60, 90));
}

TEST_F(PictureLoadingTest, FrameKeepsItsPlaceAndSizeAcrossLoads) {
  program->frame.interiorLeft = 40;
  program->frame.interiorTop = 12;
  window->loadPicture(writePicture("one.png", {900, 300}, qRgb(1, 2, 3), "PNG"));
  window->loadPicture(writePicture("two.bmp", {50, 700}, qRgb(4, 5, 6), "BMP"));
  EXPECT_EQ(program->frame.interiorLeft, 40);
  EXPECT_EQ(program->frame.interiorTop, 12);
  EXPECT_EQ(program->output.pixelWidth, 160);
  EXPECT_EQ(program->output.pixelHeight, 210);
  EXPECT_EQ(program->view.viewCanvas.pixel(39, 11), qRgb(255, 255, 0));
}

TEST_F(PictureLoadingTest, FailedLoadKeepsThePictureAndTheView) {
  window->loadPicture(writePicture("good.png", {300, 200}, qRgb(9, 9, 9), "PNG"));
  const QImage picture = program->document.picture;
  const QImage shown = program->view.viewCanvas;
  const QString broken = fixture.path(QStringLiteral("broken.jpg"));
  ASSERT_TRUE(test::writeBytes(broken, QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg")));
  window->loadPicture(broken);
  EXPECT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.cacheKey(), picture.cacheKey());
  EXPECT_EQ(program->view.viewCanvas, shown);
  EXPECT_EQ(program->view.viewCanvas.pixel(200, 140), qRgb(9, 9, 9));
  // The kept picture still zooms.
  window->zoomBy(1.02);
  EXPECT_GT(program->view.zoom, 1.0);
  EXPECT_EQ(program->view.viewCanvas.pixel(200, 140), qRgb(9, 9, 9));
}

TEST_F(PictureLoadingTest, AFileThatGivesNoPictureIsNamedAndTheViewStaysAsItWas) {
  const QString data = QStringLiteral(VELTRIX_TEST_DATA "/");
  // A photo cut at half, as an interrupted copy leaves it.
  const QString cut = fixture.path(u("cut.jpg"));
  const QByteArray whole = encodeImage(test::noise(120, 90), EncodedFormat::Jpeg, 96, 90);
  ASSERT_TRUE(test::writeBytes(cut, whole.left(whole.size() / 2)));
  const struct {
    const char* name;
    QString path;
    const char* before;
    const char* after;
  } cases[] = {
      {"not a picture", data + u("not-a-picture.jpg"), "文件“",
       "”不是本软件能打开的图片，本软件只能打开bmp、jpg、jpeg、gif、png五类图片文件。"},
      {"damaged", data + u("jpeg-cut-in-header.jpg"), "图片文件“", "”已损坏，无法打开。"},
      {"cut short", cut, "图片文件“",
       "”不完整，图片数据中途就断了，可能是复制或下载没有完成，无法打开。"},
      {"too large", data + u("png-20000x20000.png"), "图片文件“",
       "”太大（20000×20000像素），本软件只能打开宽和高都不超过65535像素、总共不超过2.5亿像素的"
       "图片。"},
      {"missing", fixture.path(u("gone.png")), "无法读取文件“",
       "”，请检查文件是否存在并且可以读取。"},
  };
  // A photo larger than the view, zoomed and scrolled, so that every part of the view counts.
  window->loadPicture(writePicture("photo.png", {1200, 900}, qRgb(40, 90, 140), "PNG"));
  window->zoomBy(1.5);
  control<QScrollBar>("横向滚动条")->setValue(37);
  const QImage picture = program->document.picture;
  const QImage shown = program->view.viewCanvas;
  const double zoom = program->view.zoom;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixture.prompter.records.clear();
    EXPECT_FALSE(window->loadPicture(c.path));
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示"));
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              u(c.before) + QDir::toNativeSeparators(c.path) + u(c.after));
    EXPECT_EQ(program->document.picture.cacheKey(), picture.cacheKey());
    EXPECT_EQ(program->view.viewCanvas, shown);
    EXPECT_DOUBLE_EQ(program->view.zoom, zoom);
    EXPECT_TRUE(control<QScrollBar>("横向滚动条")->isEnabled());
    EXPECT_EQ(control<QScrollBar>("横向滚动条")->value(), 37);
    EXPECT_EQ(program->view.sourceX, 37);
  }
}

// A picture well inside the size limits that the memory left cannot hold, in a process of its own
// with its address space capped: the user is told so, and the picture on show stays.
TEST_F(PictureLoadingTest, APictureTheMemoryCannotHoldIsRefusedAndThePictureKept) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer maps more than a capped address space allows";
#endif
  QImage large(6000, 4000, QImage::Format_RGB32);
  large.fill(qRgb(50, 60, 70));
  QStringList files;
  for (const EncodedFormat format : {EncodedFormat::Png, EncodedFormat::Jpeg, EncodedFormat::Gif}) {
    files << fixture.path(u("large%1").arg(static_cast<int>(format)));
    ASSERT_TRUE(test::writeBytes(files.back(), encodeImage(large, format, 96)));
  }
  large = QImage();
  window->loadPicture(writePicture("shown.png", {300, 200}, qRgb(9, 9, 9), "PNG"));
  const auto loadWithoutMemory = [&] {
    const qint64 shown = program->document.picture.cacheKey();
    test::leaveAddressSpace(48 * 1024 * 1024);
    int faults = 0;
    for (const QString& file : files) {
      fixture.prompter.records.clear();
      const bool loaded = window->loadPicture(file);
      const auto messages = fixture.prompter.messages();
      const QString expected = u("内存不足，无法打开图片文件“") + QDir::toNativeSeparators(file) +
                               u("”，请关闭其他程序后再试。");
      if (loaded || messages.size() != 1 || messages[0].text != expected ||
          program->document.picture.cacheKey() != shown) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(file),
                     messages.empty() ? "no message" : qPrintable(messages[0].text));
        ++faults;
      }
    }
    std::fflush(stderr);
    _exit(faults);
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(loadWithoutMemory(), testing::ExitedWithCode(0), "");
}

TEST_F(PictureLoadingTest, SeveralDroppedFilesAreRefusedAndThePictureKept) {
  window->loadPicture(writePicture("kept.png", {100, 100}, qRgb(7, 7, 7), "PNG"));
  const QImage before = program->document.picture;
  window->acceptDroppedFiles({fixture.path(u("a.png")), fixture.path(u("b.png"))});
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  const test::PromptRecord& shown = fixture.prompter.records.front();
  EXPECT_EQ(shown.title, u("提示"));
  EXPECT_EQ(shown.text, u("您同时拖放了2个文件，请每次只拖放一个文件。"));
  EXPECT_EQ(shown.icon, PromptIcon::None);
  EXPECT_EQ(shown.buttons, PromptButtons::Ok);
  EXPECT_EQ(program->document.picture.cacheKey(), before.cacheKey());
}

TEST_F(PictureLoadingTest, FilesDroppedOnTheViewCanvasArriveAsAList) {
  auto* canvas = window->findChild<QWidget*>(u("可视画板"));
  ASSERT_TRUE(canvas->acceptDrops());
  QMimeData twoFiles;
  twoFiles.setUrls({QUrl::fromLocalFile(fixture.path(u("a.png"))),
                    QUrl::fromLocalFile(fixture.path(u("b.png")))});
  dropOn(canvas, twoFiles);
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records.front().text,
            u("您同时拖放了2个文件，请每次只拖放一个文件。"));

  QMimeData oneFile;
  oneFile.setUrls({QUrl::fromLocalFile(writePicture("照片.png", {40, 30}, qRgb(5, 6, 7), "PNG"))});
  dropOn(canvas, oneFile);
  EXPECT_EQ(fixture.prompter.records.size(), 1u);
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.size(), QSize(40, 30));
}

TEST_F(PictureLoadingTest, DroppedFileIsTakenByItsExtension) {
  window->acceptDroppedFiles({writePicture("photo.jpe", {10, 10}, qRgb(1, 1, 1), "PNG")});
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records.front().text,
            u("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。"));
  EXPECT_FALSE(program->document.present);

  window->acceptDroppedFiles({writePicture("PHOTO.JPG", {64, 48}, qRgb(200, 100, 50), "JPG")});
  EXPECT_EQ(fixture.prompter.records.size(), 1u);
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.size(), QSize(64, 48));
}

TEST_F(PictureLoadingTest, OpenDialogLoadsTheChosenFileAndNotesItInBatchMode) {
  fixture.prompter.paths.push_back(QString());
  window->openPictureDialog();
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].kind, u("open"));
  EXPECT_EQ(fixture.prompter.records[0].title, u("打开图片文件"));
  EXPECT_EQ(fixture.prompter.records[0].request.filter,
            u("图片文件 (*.bmp *.jpg *.jpeg *.gif *.png)"));
  EXPECT_FALSE(program->document.present);

  // A file that gives no picture names no crop: the batch's origin stays with what is shown.
  program->batch.active = true;
  const QString broken = fixture.path(u("broken.png"));
  ASSERT_TRUE(test::writeBytes(broken, "garbage"));
  fixture.prompter.paths.push_back(broken);
  window->openPictureDialog();
  EXPECT_FALSE(program->document.present);
  EXPECT_EQ(program->batch.pictureOrigin, PictureOrigin::FromTask);
  EXPECT_EQ(program->batch.userPicturePath, QString());

  const QString good = writePicture("good.gif", {30, 20}, qRgb(0, 0, 0), "PNG");
  fixture.prompter.paths.push_back(good);
  window->openPictureDialog();
  EXPECT_TRUE(program->document.present);
  EXPECT_EQ(program->batch.userPicturePath, good);
}

}  // namespace
}  // namespace veltrix
