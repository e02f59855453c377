#include "view/picture_loading.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "codec/image_encoder.h"
#include "test_files.h"
#include "test_pictures.h"
#include "view/view_render.h"

namespace veltrix {
namespace {

QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

TEST(PictureExtension, OnlyTheFivePictureTypesByTheirLowerCasedExtension) {
  const struct {
    const char* path;
    bool accepted;
  } cases[] = {
      {"/home/a/PHOTO.JPG", true}, {"/home/a/b.jpeg", true},
      {"/x/y.Png", true},          {"/x/y.gif", true},
      {"/x/y.bmp", true},          {"/home/a/photo.jpe", false},
      {"/home/a/photo", false},    {"/home/a.jpg/photo", false},
      {"/x/y.jpg.txt", false},     {"/x/y.", false},
  };
  for (const auto& c : cases) EXPECT_EQ(hasPictureExtension(u(c.path)), c.accepted) << c.path;
}

TEST(DropDecision, OnePictureIsTakenAnythingElseRefusedWithItsMessage) {
  EXPECT_EQ(decideDrop({u("/a/B.PNG")}).path, u("/a/B.PNG"));
  EXPECT_TRUE(decideDrop({u("/a/B.PNG")}).refusal.isEmpty());
  EXPECT_EQ(decideDrop({u("/a/1.png"), u("/a/2.png"), u("/a/3.txt")}).refusal,
            u("您同时拖放了3个文件，请每次只拖放一个文件。"));
  EXPECT_EQ(decideDrop({u("/a/folder")}).refusal,
            u("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。"));
  EXPECT_TRUE(decideDrop({u("/a/folder")}).path.isEmpty());
}

// Loads of real files from a temporary folder into a view of the program's size.
class LoadingTest : public testing::Test {
 protected:
  void SetUp() override { resizeCanvases(view, 411, 279); }

  QString write(const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(test::writeBytes(path, bytes));
    return path;
  }

  QTemporaryDir dir;
  ImageDocument document;
  ViewState view;
  const FrameLines frame{QRect(125, 34, 160, 210), QColor(255, 255, 0)};
};

void expectSameAxis(const ScrollAxis& actual, const ScrollAxis& expected, const char* name) {
  EXPECT_EQ(actual.enabled, expected.enabled) << name;
  EXPECT_EQ(actual.maximum, expected.maximum) << name;
  EXPECT_EQ(actual.position, expected.position) << name;
}

void expectSameView(const ViewState& actual, const ViewState& expected) {
  EXPECT_EQ(actual.zoom, expected.zoom);
  EXPECT_EQ(QSize(actual.scaledWidth, actual.scaledHeight),
            QSize(expected.scaledWidth, expected.scaledHeight));
  EXPECT_EQ(QPoint(actual.offsetX, actual.offsetY), QPoint(expected.offsetX, expected.offsetY));
  EXPECT_EQ(QPoint(actual.sourceX, actual.sourceY), QPoint(expected.sourceX, expected.sourceY));
  EXPECT_EQ(QSize(actual.shownWidth, actual.shownHeight),
            QSize(expected.shownWidth, expected.shownHeight));
  EXPECT_EQ(actual.scrollFractionX, expected.scrollFractionX);
  EXPECT_EQ(actual.scrollFractionY, expected.scrollFractionY);
  expectSameAxis(actual.horizontal, expected.horizontal, "horizontal");
  expectSameAxis(actual.vertical, expected.vertical, "vertical");
  EXPECT_TRUE(actual.pictureCanvas == expected.pictureCanvas) << "picture canvas";
  EXPECT_TRUE(actual.backCanvas == expected.backCanvas) << "back canvas";
  EXPECT_TRUE(actual.viewCanvas == expected.viewCanvas) << "view canvas";
}

struct FailedCase {
  const char* file;  // in tests/data
  DecodeError error;
  qint64 width = 0;
  qint64 height = 0;
};

void PrintTo(const FailedCase& c, std::ostream* os) {
  *os << c.file;
}

class FailedLoad : public LoadingTest, public testing::WithParamInterface<FailedCase> {};

TEST_P(FailedLoad, KeepsThePictureAndTheViewAsTheyWere) {
  const FailedCase& c = GetParam();
  const QString good =
      write("good.png", encodeImage(test::noise(800, 600), EncodedFormat::Png, 96));
  ASSERT_EQ(loadPictureFile(document, view, good, frame), std::nullopt);
  // Zoomed in and scrolled away from the middle, so nothing is as a fresh load leaves it.
  ASSERT_TRUE(zoomView(view, document, 1.5, frame));
  scrollView(view, document, 17, 9, frame);
  const QImage picture = document.picture;
  const ViewState before = view;

  const std::optional<DecodeFailure> failure = loadPictureFile(
      document, view, QStringLiteral(VELTRIX_TEST_DATA "/") + QString::fromUtf8(c.file), frame);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, c.error);
  EXPECT_EQ(failure->width, c.width);
  EXPECT_EQ(failure->height, c.height);
  EXPECT_TRUE(document.present);
  EXPECT_EQ(document.picture.cacheKey(), picture.cacheKey());
  expectSameView(view, before);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedLoad,
                         testing::Values(FailedCase{"absent.jpg", DecodeError::Unreadable},
                                         FailedCase{"not-a-picture.jpg", DecodeError::NotPicture},
                                         FailedCase{"png-cut-in-header.png", DecodeError::Damaged},
                                         FailedCase{"jpeg-cut-in-header.jpg", DecodeError::Damaged},
                                         FailedCase{"png-20000x20000.png", DecodeError::TooLarge,
                                                    20000, 20000}),
                         [](const auto& info) { return test::caseName(info.param.file); });

QByteArray jpegOf(int width, int height, int orientation = 1) {
  return test::withExifOrientation(
      encodeImage(test::noise(width, height), EncodedFormat::Jpeg, 96, 90), orientation);
}

QByteArray pngOf(int width, int height) {
  return encodeImage(test::noise(width, height), EncodedFormat::Png, 96);
}

struct StreamedCase {
  const char* name;
  QByteArray (*bytes)();
};

void PrintTo(const StreamedCase& c, std::ostream* os) {
  *os << c.name;
}

class ScaledWhileDecoding : public LoadingTest, public testing::WithParamInterface<StreamedCase> {};

// The load scales the rows while they are decoded; decoding the whole picture first and
// fitting it after must show exactly the same.
TEST_P(ScaledWhileDecoding, ShowsWhatDecodingAndThenFittingShows) {
  const QString path = write("picture", GetParam().bytes());
  ASSERT_EQ(loadPictureFile(document, view, path, frame), std::nullopt);

  ImageDocument decoded;
  decoded.picture = *decodePictureFile(path);
  decoded.present = true;
  ViewState fitted;
  resizeCanvases(fitted, 411, 279);
  fitted.scrollFractionX = fitted.scrollFractionY = 0.5;
  showNewPicture(fitted, decoded, frame);

  EXPECT_TRUE(document.present);
  EXPECT_TRUE(document.picture == decoded.picture);
  expectSameView(view, fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ScaledWhileDecoding,
    testing::Values(StreamedCase{"ShrinkingJpeg", [] { return jpegOf(1500, 1000); }},
                    StreamedCase{"ShrinkingTallPng", [] { return pngOf(500, 1300); }},
                    StreamedCase{"SmallerThanTheView", [] { return jpegOf(300, 200); }},
                    StreamedCase{"TurnedOnItsSide", [] { return jpegOf(1000, 700, 6); }},
                    StreamedCase{"UpsideDown", [] { return jpegOf(1000, 700, 3); }},
                    StreamedCase{"OnePixelHigh", [] { return pngOf(5000, 1); }},
                    StreamedCase{"OnePixelWide", [] { return pngOf(1, 5000); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veltrix
