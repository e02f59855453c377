// Checks the toolbar pictures: one per button, drawn sharp at every size and scale factor, and
// colourless when disabled.
#include "app/toolbar_icons.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <vector>

namespace veltrix {
namespace {

const std::vector<int> kButtonSlots = {1, 2, 4, 5, 6, 7, 8, 10, 11, 12};

QImage imageOf(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

double paintedShare(const QImage& image) {
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) ++painted;
  return double(painted) / (image.width() * image.height());
}

void expectDrawn(const QImage& image, int side, int slot) {
  ASSERT_EQ(image.size(), QSize(side, side)) << "slot " << slot;
  const double share = paintedShare(image);
  EXPECT_GT(share, 0.15) << "slot " << slot << " at " << side << " px";
  EXPECT_LT(share, 0.85) << "slot " << slot << " at " << side << " px";
}

TEST(ToolbarIconsTest, EveryButtonHasAPictureAtItsNominalSize) {
  for (int slot : kButtonSlots) {
    const QIcon icon = toolbarIcon(slot);
    ASSERT_FALSE(icon.isNull()) << "slot " << slot;
    expectDrawn(imageOf(icon.pixmap(QSize(kToolbarIconSize, kToolbarIconSize))), 24, slot);
  }
}

TEST(ToolbarIconsTest, EveryButtonHasAPictureAtDoubleSize) {
  for (int slot : kButtonSlots)
    expectDrawn(imageOf(toolbarIcon(slot).pixmap(QSize(48, 48))), 48, slot);
}

TEST(ToolbarIconsTest, DoubledScreensGetAPictureDrawnAtTheirOwnResolution) {
  for (int slot : kButtonSlots) {
    const QIcon icon = toolbarIcon(slot);
    const QPixmap doubled = icon.pixmap(QSize(24, 24), 2.0);
    EXPECT_EQ(doubled.size(), QSize(48, 48)) << "slot " << slot;
    EXPECT_DOUBLE_EQ(doubled.devicePixelRatio(), 2.0) << "slot " << slot;
    expectDrawn(imageOf(doubled), 48, slot);
    // Drawn afresh at 48 device pixels, not an enlarged 24 px picture.
    EXPECT_EQ(imageOf(doubled), imageOf(icon.pixmap(QSize(48, 48)))) << "slot " << slot;
  }
}

TEST(ToolbarIconsTest, PaintingIntoADoubledDeviceMatchesTheDoubledPicture) {
  for (int slot : kButtonSlots) {
    const QIcon icon = toolbarIcon(slot);
    QImage canvas(48, 48, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(2.0);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    icon.paint(&painter, QRect(0, 0, 24, 24));
    painter.end();
    canvas.setDevicePixelRatio(1.0);
    EXPECT_EQ(canvas.convertToFormat(QImage::Format_ARGB32), imageOf(icon.pixmap(QSize(48, 48))))
        << "slot " << slot;
  }
}

TEST(ToolbarIconsTest, SeparatorsAndSlotsOutsideTheToolbarHaveNoPicture) {
  for (int slot : {0, 3, 9, -1, 13, 100})
    EXPECT_TRUE(toolbarIcon(slot).isNull()) << "slot " << slot;
}

TEST(ToolbarIconsTest, EveryButtonLooksDifferent) {
  std::vector<QImage> images;
  for (int slot : kButtonSlots) images.push_back(imageOf(toolbarIcon(slot).pixmap(QSize(24, 24))));
  for (size_t a = 0; a < images.size(); ++a)
    for (size_t b = a + 1; b < images.size(); ++b)
      EXPECT_NE(images[a], images[b]) << "slots " << kButtonSlots[a] << " and " << kButtonSlots[b];
}

TEST(ToolbarIconsTest, DisabledPicturesAreGrey) {
  for (int slot : kButtonSlots) {
    const QIcon icon = toolbarIcon(slot);
    const QImage disabled = imageOf(icon.pixmap(QSize(48, 48), QIcon::Disabled));
    expectDrawn(disabled, 48, slot);
    int strongest = 0;
    for (int y = 0; y < disabled.height(); ++y)
      for (int x = 0; x < disabled.width(); ++x) {
        const QColor colour = QColor::fromRgba(disabled.pixel(x, y));
        if (colour.alpha() > 32) strongest = qMax(strongest, colour.hsvSaturation());
      }
    EXPECT_LT(strongest, 16) << "slot " << slot;
  }
}

TEST(ToolbarIconsTest, NormalPicturesAreInColour) {
  for (int slot : kButtonSlots) {
    const QImage normal = imageOf(toolbarIcon(slot).pixmap(QSize(48, 48)));
    int strongest = 0;
    for (int y = 0; y < normal.height(); ++y)
      for (int x = 0; x < normal.width(); ++x) {
        const QColor colour = QColor::fromRgba(normal.pixel(x, y));
        if (colour.alpha() == 255) strongest = qMax(strongest, colour.hsvSaturation());
      }
    EXPECT_GT(strongest, 128) << "slot " << slot;
  }
}

}  // namespace
}  // namespace veltrix
