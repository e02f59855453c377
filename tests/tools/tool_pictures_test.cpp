#include "tools/tool_pictures.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <set>

namespace veltrix {
namespace {

TEST(ToolPictures, CursorsAreSquaresWithTheirPointsAtTheHotSpots) {
  const struct {
    QCursor cursor;
    QImage picture;
    QPoint hotSpot;
  } cases[] = {{pencilCursor(), pencilPicture(), {8, 23}},
               {dropperCursor(), dropperPicture(), {9, 24}}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(c.cursor.hotSpot(), c.hotSpot);
    // The point itself is drawn, so what the cursor touches is what it shows.
    EXPECT_EQ(qAlpha(c.picture.pixel(c.hotSpot)), 255);
    EXPECT_EQ(qAlpha(c.picture.pixel(0, 0)), 0);
  }
}

TEST(ToolPictures, SwatchesHoldManyColoursWithBlackAndWhite) {
  const QImage swatches = swatchPicture();
  EXPECT_EQ(swatches.size(), QSize(98, 194));
  std::set<QRgb> colours;
  for (int y = 0; y < swatches.height(); ++y)
    for (int x = 0; x < swatches.width(); ++x) colours.insert(swatches.pixel(x, y));
  EXPECT_GE(colours.size(), 90u);
  EXPECT_TRUE(colours.count(qRgb(0, 0, 0)));
  EXPECT_TRUE(colours.count(qRgb(255, 255, 255)));
}

}  // namespace
}  // namespace veltrix
