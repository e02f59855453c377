#include "view/view_render.h"

#include <gtest/gtest.h>

#include <string>

#include "test_pictures.h"

namespace veltrix {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(90, 120, 150);

QImage solid(int width, int height, QRgb colour = kGrey) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

using test::noise;

class ViewRenderTest : public testing::Test {
 protected:
  void SetUp() override { resizeCanvases(view, 411, 279); }

  void show(QImage picture) {
    document.picture = std::move(picture);
    document.present = true;
    view.scrollFractionX = view.scrollFractionY = 0.5;
    showNewPicture(view, document, frame);
  }

  ViewState view;
  ImageDocument document;
  FrameLines frame{QRect(125, 34, 160, 210), QColor(255, 255, 0)};
};

TEST_F(ViewRenderTest, SmallPictureIsCentredAtZoomOneWithWhiteMargins) {
  show(solid(200, 100));
  EXPECT_DOUBLE_EQ(view.zoom, 1.0);
  EXPECT_EQ(view.offsetX, 105);
  EXPECT_EQ(view.offsetY, 89);
  EXPECT_FALSE(view.horizontal.enabled);
  EXPECT_FALSE(view.vertical.enabled);
  EXPECT_EQ(view.backCanvas.pixel(104, 150), kWhite);
  EXPECT_EQ(view.backCanvas.pixel(105, 89), kGrey);
  EXPECT_EQ(view.backCanvas.pixel(304, 188), kGrey);
  EXPECT_EQ(view.backCanvas.pixel(305, 150), kWhite);
  EXPECT_EQ(view.backCanvas.pixel(200, 189), kWhite);
  EXPECT_EQ(view.backCanvas.pixel(200, 88), kWhite);
}

TEST_F(ViewRenderTest, LargePictureFitsTheViewHeight) {
  show(solid(4000, 3000));
  EXPECT_NEAR(view.zoom, 0.093, 1e-12);
  EXPECT_EQ(view.scaledWidth, 372);
  EXPECT_EQ(view.scaledHeight, 279);
  EXPECT_EQ(view.offsetX, 19);
  EXPECT_EQ(view.offsetY, 0);
  EXPECT_FALSE(view.horizontal.enabled);
  EXPECT_FALSE(view.vertical.enabled);
  EXPECT_EQ(view.pictureCanvas.size(), QSize(372, 279));

  ASSERT_TRUE(zoomView(view, document, 1.02, frame));
  EXPECT_NEAR(view.zoom, 0.09486, 1e-12);
  EXPECT_EQ(view.scaledWidth, 379);
  EXPECT_EQ(view.scaledHeight, 284);
  EXPECT_TRUE(view.vertical.enabled);
  EXPECT_EQ(view.vertical.maximum, 5);
  EXPECT_EQ(view.vertical.position, 2);
  EXPECT_EQ(view.sourceY, 2);
  EXPECT_EQ(view.offsetY, 0);
  EXPECT_FALSE(view.horizontal.enabled);
}

TEST_F(ViewRenderTest, PictureAsWideAsTheCanvasOrOnePixelNarrower) {
  show(solid(411, 100));
  EXPECT_FALSE(view.horizontal.enabled);
  EXPECT_EQ(view.offsetX, 0);
  EXPECT_EQ(view.shownWidth, 411);

  view.backCanvas.fill(qRgb(1, 2, 3));
  show(solid(410, 100));
  EXPECT_EQ(view.offsetX, 0);
  EXPECT_EQ(view.shownWidth, 410);
  // The last column is margin: white, never what an earlier picture left there.
  EXPECT_EQ(view.backCanvas.pixel(410, 150), kWhite);
  EXPECT_EQ(view.backCanvas.pixel(409, 150), kGrey);
}

TEST_F(ViewRenderTest, ZoomOneShowsTheSourcePixelsOneToOne) {
  const QImage picture = noise(300, 200);
  show(picture);
  ASSERT_DOUBLE_EQ(view.zoom, 1.0);
  const QImage shown = view.backCanvas.copy(view.offsetX, view.offsetY, 300, 200);
  EXPECT_EQ(shown, picture);
}

TEST_F(ViewRenderTest, ViewCanvasIsTheBackCanvasPlusTheFrameLines) {
  show(noise(600, 400));
  for (int y = 0; y < view.viewCanvas.height(); y += 7)
    for (int x = 0; x < view.viewCanvas.width(); x += 5) {
      const bool onFrame = ((x == 124 || x == 286) && y >= 33 && y <= 244) ||
                           ((y == 33 || y == 245) && x >= 124 && x <= 285);
      if (!onFrame) {
        ASSERT_EQ(view.viewCanvas.pixel(x, y), view.backCanvas.pixel(x, y)) << x << ',' << y;
      }
    }
  EXPECT_EQ(view.viewCanvas.pixel(124, 33), qRgb(255, 255, 0));
}

TEST_F(ViewRenderTest, ZoomKeepsTheScrollFractionAndScrollingOnlyCopies) {
  show(noise(800, 600));
  ASSERT_TRUE(zoomView(view, document, 1.5, frame));
  ASSERT_TRUE(view.horizontal.enabled);
  EXPECT_EQ(view.horizontal.position, view.horizontal.maximum / 2);

  const qint64 canvasKey = view.pictureCanvas.cacheKey();
  scrollView(view, document, view.horizontal.maximum, 0, frame);
  EXPECT_EQ(view.pictureCanvas.cacheKey(), canvasKey);
  EXPECT_DOUBLE_EQ(view.scrollFractionX, 1.0);
  EXPECT_DOUBLE_EQ(view.scrollFractionY, 0.0);
  EXPECT_EQ(view.backCanvas.pixel(0, 0), view.pictureCanvas.pixel(view.horizontal.maximum, 0));

  // A fraction of 0 re-centres at the next full redraw.
  ASSERT_TRUE(zoomView(view, document, 1.0, frame));
  EXPECT_EQ(view.vertical.position, view.vertical.maximum / 2);
}

TEST_F(ViewRenderTest, BakingTakesThePictureAsDisplayedAtZoomOne) {
  show(solid(1000, 800));
  view.zoom = 0.5;
  redrawView(view, document, frame);
  bakeBackCanvas(view, document, frame);
  EXPECT_EQ(document.picture.size(), QSize(500, 400));
  EXPECT_DOUBLE_EQ(view.zoom, 1.0);
}

TEST_F(ViewRenderTest, MarksOnTheBackCanvasBecomePartOfThePicture) {
  show(solid(200, 100));
  view.backCanvas.setPixel(view.offsetX + 10, view.offsetY + 20, qRgb(255, 0, 0));
  bakeBackCanvas(view, document, frame);
  EXPECT_EQ(document.picture.pixel(10, 20), qRgb(255, 0, 0));
  EXPECT_EQ(document.picture.pixel(11, 20), kGrey);
}

TEST_F(ViewRenderTest, ZoomStepPastTheBoundsDoesNothing) {
  show(solid(4000, 3000));
  view.zoom = 4.0;  // 16000 x 12000 would be 192 megapixels
  const double before = view.zoom;
  EXPECT_FALSE(zoomView(view, document, 1.02, frame));
  EXPECT_DOUBLE_EQ(view.zoom, before);

  show(solid(100, 16000));
  view.zoom = 1.0;
  EXPECT_TRUE(zoomView(view, document, 1.0, frame));
  EXPECT_FALSE(zoomView(view, document, 1.03, frame));
}

// The fit rule: a picture at least as wide as the view in proportion fills the view's width,
// any other its height, and a picture is never enlarged to fit.
struct FitCase {
  const char* name;
  QSize picture;
  double zoom;
  QSize scaled;
  QPoint offset;
};

void PrintTo(const FitCase& c, std::ostream* os) {
  *os << c.name;
}

class FitRule : public ViewRenderTest, public testing::WithParamInterface<FitCase> {};

TEST_P(FitRule, FillsOneSideOfTheViewAndCentresTheOther) {
  const FitCase& c = GetParam();
  show(solid(c.picture.width(), c.picture.height()));
  EXPECT_DOUBLE_EQ(view.zoom, c.zoom);
  ASSERT_EQ(QSize(view.scaledWidth, view.scaledHeight), c.scaled);
  ASSERT_EQ(QPoint(view.offsetX, view.offsetY), c.offset);
  EXPECT_FALSE(view.horizontal.enabled);
  EXPECT_FALSE(view.vertical.enabled);
  const QRect area(c.offset, c.scaled);
  EXPECT_EQ(view.backCanvas.pixel(area.topLeft()), kGrey);
  EXPECT_EQ(view.backCanvas.pixel(area.bottomRight()), kGrey);
  // Any margin is white right up to the picture.
  const QPoint middle = area.center();
  if (c.offset.x() > 0) {
    EXPECT_EQ(view.backCanvas.pixel(area.left() - 1, middle.y()), kWhite);
    EXPECT_EQ(view.backCanvas.pixel(area.right() + 1, middle.y()), kWhite);
  }
  if (c.offset.y() > 0) {
    EXPECT_EQ(view.backCanvas.pixel(middle.x(), area.top() - 1), kWhite);
    EXPECT_EQ(view.backCanvas.pixel(middle.x(), area.bottom() + 1), kWhite);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FitRule,
    testing::Values(FitCase{"WideShrunk", {6000, 2000}, 411.0 / 6000, {411, 137}, {0, 71}},
                    FitCase{"TallShrunk", {2000, 6000}, 279.0 / 6000, {93, 279}, {159, 0}},
                    FitCase{"ViewProportion", {822, 558}, 0.5, {411, 279}, {0, 0}},
                    FitCase{"WideAndSmall", {300, 100}, 1.0, {300, 100}, {55, 89}},
                    FitCase{"TallAndSmall", {100, 200}, 1.0, {100, 200}, {155, 39}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewRenderTest, BakingAScrolledZoomedInViewTakesTheShownPartIntoTheWholePicture) {
  show(noise(300, 200));
  ASSERT_TRUE(zoomView(view, document, 2.0, frame));
  scrollView(view, document, 123, 45, frame);
  ASSERT_EQ(view.sourceX, 123);
  ASSERT_EQ(view.sourceY, 45);
  view.backCanvas.setPixel(7, 9, qRgb(255, 0, 0));
  QImage expected = view.pictureCanvas.copy();
  for (int y = 0; y < view.shownHeight; ++y)
    for (int x = 0; x < view.shownWidth; ++x)
      expected.setPixel(view.sourceX + x, view.sourceY + y,
                        view.backCanvas.pixel(view.offsetX + x, view.offsetY + y));

  bakeBackCanvas(view, document, frame);
  EXPECT_EQ(document.picture, expected);
  EXPECT_EQ(document.picture.pixel(123 + 7, 45 + 9), qRgb(255, 0, 0));
  EXPECT_DOUBLE_EQ(view.zoom, 1.0);
}

// However thin the picture and however far it is zoomed out, at least a pixel of each side
// stays, and baking never loses the picture.
struct ThinCase {
  const char* name;
  QSize picture;
  QSize fitted;
};

void PrintTo(const ThinCase& c, std::ostream* os) {
  *os << c.name;
}

class ThinPicture : public ViewRenderTest, public testing::WithParamInterface<ThinCase> {};

TEST_P(ThinPicture, KeepsAPixelOnEachSide) {
  const ThinCase& c = GetParam();
  show(solid(c.picture.width(), c.picture.height()));
  EXPECT_EQ(QSize(view.scaledWidth, view.scaledHeight), c.fitted);
  EXPECT_EQ(view.pictureCanvas.size(), c.fitted);

  for (int press = 0; press < 300; ++press) zoomView(view, document, 0.98, frame);
  EXPECT_GE(view.scaledWidth, 1);
  EXPECT_GE(view.scaledHeight, 1);
  EXPECT_FALSE(view.pictureCanvas.isNull());
  const double smallest = view.zoom;
  EXPECT_FALSE(zoomView(view, document, 0.98, frame));
  EXPECT_DOUBLE_EQ(view.zoom, smallest);
  EXPECT_TRUE(zoomView(view, document, 1.02, frame));

  bakeBackCanvas(view, document, frame);
  EXPECT_TRUE(document.present);
  EXPECT_FALSE(document.picture.isNull());
  EXPECT_EQ(document.picture.pixel(0, 0), kGrey);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThinPicture,
                         testing::Values(ThinCase{"OnePixelHigh", {5000, 1}, {411, 1}},
                                         ThinCase{"OnePixelWide", {1, 5000}, {1, 279}},
                                         ThinCase{"Ordinary", {800, 600}, {372, 279}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewRenderTest, WithoutAPictureNothingIsDrawnButTheZoomStillChanges) {
  view.zoom = 1.0;
  EXPECT_TRUE(zoomView(view, document, 0.98, frame));
  EXPECT_DOUBLE_EQ(view.zoom, 0.98);
  EXPECT_EQ(view.viewCanvas.pixel(124, 33), kWhite);
  EXPECT_TRUE(view.pictureCanvas.isNull());
}

}  // namespace
}  // namespace veltrix
