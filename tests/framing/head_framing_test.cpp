#include <gtest/gtest.h>

#include <QPainter>

#include "framing/head_measure.h"
#include "framing/head_placement.h"
#include "view/view_render.h"

namespace veltrix {
namespace {

// A head-and-shoulders photo drawn in code: a plain background, dark hair whose top is at
// `crown`, a skin-coloured face below it.
QImage drawnPortrait(QSize size, QRgb background, int crown, QRect face) {
  QImage photo(size, QImage::Format_RGB32);
  photo.fill(background);
  QPainter painter(&photo);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(50, 35, 25));
  painter.drawEllipse(
      QRect(face.left() - face.width() / 10, crown, face.width() * 6 / 5, face.height()));
  painter.setBrush(QColor(240, 205, 175));
  painter.drawEllipse(face);
  return photo;
}

TEST(HeadMeasure, TheCrownIsWhereTheBackgroundAboveTheFaceEnds) {
  const struct {
    const char* name;
    QRgb background;
    int crown;
  } cases[] = {
      {"blue", qRgb(70, 130, 200), 180},
      {"white", qRgb(250, 250, 250), 170},
      {"red", qRgb(200, 30, 40), 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QRect face(300, 230, 200, 260);
    const QImage photo = drawnPortrait({800, 900}, c.background, c.crown, face);
    // The cascade's box spans about the eyebrows to the mouth.
    const DetectedFace detected{QRect(310, 260, 180, 180), {}};
    const HeadMeasure head = measureHead(photo, detected);
    EXPECT_NEAR(head.crown, c.crown, 2);
    EXPECT_EQ(head.centreX, 400);
    EXPECT_EQ(head.faceWidth, 180);
  }
}

TEST(HeadMeasure, AHeadAtThePhotosTopTakesTheCrownFromTheFaceBox) {
  const QImage photo = drawnPortrait({600, 700}, qRgb(70, 130, 200), -40, QRect(200, 60, 200, 260));
  const HeadMeasure head = measureHead(photo, {QRect(210, 90, 180, 180), {}});
  EXPECT_EQ(head.crown, 90 - 63);
}

TEST(HeadMeasure, TheEyesFoundGiveTheEyeLine) {
  const QImage photo =
      drawnPortrait({800, 900}, qRgb(70, 130, 200), 120, QRect(300, 230, 200, 260));
  EXPECT_EQ(measureHead(photo, {QRect(310, 260, 180, 180), {{360, 330}, {440, 334}}}).eyes, 332);
  EXPECT_EQ(measureHead(photo, {QRect(310, 260, 180, 180), {}}).eyes, 260 + 72);
}

TEST(ChooseFace, TheLargestNearTheCentreAndConfirmedFirst) {
  const QSize photo(1000, 800);
  const DetectedFace centreSmall{QRect(450, 350, 100, 100), {}};
  const DetectedFace edgeLarge{QRect(0, 0, 200, 200), {}};
  const DetectedFace centreLarge{QRect(420, 320, 180, 180), {}};
  const DetectedFace edgeNearlyAsLarge{QRect(0, 0, 190, 190), {}};
  const DetectedFace confirmedSmall{QRect(100, 100, 120, 120), {{130, 140}}};
  const struct {
    const char* name;
    std::vector<DetectedFace> faces;
    std::optional<QRect> chosen;
  } cases[] = {
      {"none", {}, std::nullopt},
      {"a large one at the edge beats a small one in the middle",
       {centreSmall, edgeLarge},
       edgeLarge.face},
      {"of two nearly as large the one in the middle",
       {edgeNearlyAsLarge, centreLarge},
       centreLarge.face},
      {"confirmed by its eyes first", {centreLarge, confirmedSmall}, confirmedSmall.face},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<DetectedFace> chosen = chooseFace(c.faces, photo);
    EXPECT_EQ(chosen ? std::optional<QRect>(chosen->face) : std::nullopt, c.chosen);
  }
}

// Applies a placement to the real view and tells where the crop starts in the scaled picture.
QPoint cropOriginInView(const HeadPlacement& placement, QSize picture, QSize canvas) {
  ViewState view;
  resizeCanvases(view, canvas.width(), canvas.height());
  ImageDocument document{QImage(picture, QImage::Format_RGB32), true};
  document.picture.fill(Qt::gray);
  view.zoom = placement.zoom;
  view.scrollFractionX = placement.scrollFractionX;
  view.scrollFractionY = placement.scrollFractionY;
  redrawView(view, document, FrameLines{QRect(placement.interior, QSize(1, 1)), Qt::yellow});
  return QPoint(view.sourceX, view.sourceY) + placement.interior -
         QPoint(view.offsetX, view.offsetY);
}

TEST(PlaceHead, TheHeadMeetsTheRuleOfItsSize) {
  const QSize canvas(412, 318);
  const struct {
    const char* name;
    QSize picture;
    HeadMeasure head;
    QSize output;
  } cases[] = {
      {"ID card, large photo", {4000, 3000}, {2000, 600, 900, 1300, 1800}, {358, 441}},
      {"ID card, small photo", {900, 1200}, {450, 200, 300, 420, 560}, {358, 441}},
      {"passport", {3000, 4000}, {1500, 700, 1000, 1600, 2200}, {390, 567}},
      {"one inch", {2000, 1500}, {900, 300, 400, 600, 750}, {295, 413}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<HeadPlacement> placed = placeHead(c.head, c.picture, c.output, canvas);
    ASSERT_TRUE(placed);
    const HeadGuides guides = headGuides(c.output.width(), c.output.height());
    // In the crop's own pixels.
    const double zoom = placed->zoom;
    const QPoint origin = placed->cropOrigin;
    const double crown = c.head.crown * zoom - origin.y();
    const double chin = c.head.chin * zoom - origin.y();
    const double centre = c.head.centreX * zoom - origin.x();
    EXPECT_NEAR(centre, guides.centre, 1.0);
    EXPECT_GE(crown, guides.crown.from - 1);
    EXPECT_LE(crown, guides.crown.to + 1);
    if (guides.faceWidth) {
      EXPECT_GE(c.head.faceWidth * zoom, guides.faceWidth->from - 1);
      EXPECT_LE(c.head.faceWidth * zoom, guides.faceWidth->to + 1);
    }
    if (guides.chin) {
      EXPECT_GE(chin, guides.chin->from - 1);
      EXPECT_LE(chin, guides.chin->to + 1);
    }
    if (guides.eyeLine) {
      EXPECT_LE(c.head.eyes * zoom - origin.y(), *guides.eyeLine + 1);
    }
    // The frame lies inside the picture and the view shows the crop there.
    const QSize scaled = scaledSize(c.picture, zoom);
    EXPECT_TRUE(QRect(QPoint(0, 0), scaled).contains(QRect(origin, c.output)));
    EXPECT_EQ(cropOriginInView(*placed, c.picture, canvas), origin);
    EXPECT_TRUE(QRect(QPoint(0, 0), canvas).contains(QRect(placed->interior, c.output)) ||
                c.output.height() > canvas.height());
  }
}

TEST(PlaceHead, AHeadAtThePhotosEdgeKeepsTheFrameInsideThePicture) {
  const HeadMeasure head{50, 400, 10, 150, 250};
  const std::optional<HeadPlacement> placed = placeHead(head, {1200, 1600}, {358, 441}, {412, 318});
  ASSERT_TRUE(placed);
  EXPECT_EQ(placed->cropOrigin.x(), 0);
  EXPECT_EQ(placed->cropOrigin.y(), 0);
}

}  // namespace
}  // namespace veltrix
