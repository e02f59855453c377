// Ctrl+V and Ctrl+C on the real window's view canvas, through the real in-process clipboard.
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>

#include "window_fixture.h"

namespace veltrix::test {
namespace {

QByteArray pngBytes(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, "PNG"));
  return bytes;
}

void offer(const char* type, const QByteArray& bytes) {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(type), bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

class ClipboardTest : public WindowTest {
 protected:
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QWidget* canvas = control("可视画板");
    canvas->setFocus();
    QTest::keyClick(canvas, key, modifiers);
  }
  QSize canvasSize() const { return program->view.backCanvas.size(); }
};

TEST_F(ClipboardTest, AWidePictureIsFittedToTheWidthAndCentred) {
  start();
  const QImage picture = noisePicture(2000, 1000);
  offer("image/png", pngBytes(picture));
  press(Qt::Key_V);
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture, picture);
  const QSize canvas = canvasSize();
  EXPECT_DOUBLE_EQ(program->view.zoom, canvas.width() / 2000.0);
  EXPECT_FALSE(control<QScrollBar>("横向滚动条")->isEnabled());
  EXPECT_FALSE(control<QScrollBar>("纵向滚动条")->isEnabled());
  EXPECT_EQ(program->view.offsetX, 0);
  EXPECT_EQ(program->view.offsetY, (canvas.height() - program->view.scaledHeight) / 2);
}

TEST_F(ClipboardTest, ASmallPictureIsShownAtItsOwnSizeInTheMiddle) {
  start();
  const QImage picture = noisePicture(100, 80);
  offer("image/png", pngBytes(picture));
  press(Qt::Key_V);
  EXPECT_EQ(program->document.picture, picture);
  EXPECT_DOUBLE_EQ(program->view.zoom, 1.0);
  EXPECT_EQ(program->view.offsetX, (canvasSize().width() - 100) / 2);
  EXPECT_EQ(program->view.offsetY, (canvasSize().height() - 80) / 2);
}

TEST_F(ClipboardTest, TransparencyInQtsOwnImageLiesOverWhite) {
  start();
  QImage picture(4, 3, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 0, 0, 0));
  picture.setPixel(1, 1, qRgba(10, 20, 30, 255));
  QGuiApplication::clipboard()->setImage(picture);
  press(Qt::Key_V);
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(program->document.picture.pixel(1, 1), qRgb(10, 20, 30));
}

struct Unusable {
  const char* name;
  std::function<void()> fill;
};

class UnusablePasteTest : public ClipboardTest, public testing::WithParamInterface<Unusable> {};

TEST_P(UnusablePasteTest, KeepsThePictureThatWasShown) {
  start();
  openPicture(noisePicture(300, 200));
  const QImage before = program->view.viewCanvas;
  GetParam().fill();
  press(Qt::Key_V);
  EXPECT_EQ(program->document.picture, opened);
  EXPECT_EQ(program->view.viewCanvas, before);
  EXPECT_TRUE(fixture.prompter.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusablePasteTest,
    testing::Values(
        Unusable{"Text", [] { QGuiApplication::clipboard()->setText(QStringLiteral("照片")); }},
        Unusable{"Empty", [] { QGuiApplication::clipboard()->clear(); }},
        Unusable{"DamagedPng", [] { offer("image/png", pngBytes(noisePicture(50, 40)).left(90)); }},
        Unusable{"OverTheLimits",
                 [] {
                   QImage wide(70000, 10, QImage::Format_RGB32);
                   wide.fill(Qt::red);
                   offer("image/png", pngBytes(wide));
                 }}),
    [](const testing::TestParamInfo<Unusable>& info) { return std::string(info.param.name); });

TEST_F(ClipboardTest, OnlyCtrlAloneMakesAPaste) {
  start();
  openPicture(noisePicture(300, 200));
  offer("image/png", pngBytes(noise(100, 80, 5)));
  press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  press(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(program->document.picture, opened);
}

// A pasted picture is neither the task's nor the file the user opened before it.
TEST_F(ClipboardTest, APastedPictureIsCroppedAsAPastedOneInABatch) {
  start();
  program->batch.active = true;
  const QString path = fixture.path(u("opened.png"));
  ASSERT_TRUE(noisePicture(300, 200).save(path, "PNG"));
  window->acceptDroppedFiles({path});
  offer("image/png", pngBytes(noise(100, 80, 5)));
  press(Qt::Key_V);
  EXPECT_EQ(program->document.picture, noise(100, 80, 5));
  EXPECT_EQ(program->batch.pictureOrigin, PictureOrigin::Pasted);
}

TEST_F(ClipboardTest, CopyThenPasteGivesTheFramedPixelsAtTheOutputSize) {
  start();
  openPicture(noisePicture(300, 200));
  const QImage framed = expectedCrop();
  press(Qt::Key_C);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), framed);
  press(Qt::Key_V);
  EXPECT_EQ(program->document.picture, framed);
  EXPECT_EQ(framed.size(), QSize(program->output.pixelWidth, program->output.pixelHeight));
}

}  // namespace
}  // namespace veltrix::test
