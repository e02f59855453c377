#include "output/output_size.h"

#include "settings/number_rules.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(OutputSize, MillimetresAndPixelsRoundHalfAwayFromZero) {
  const struct {
    double mm;
    int dpi;
    int pixels;
  } toPixels[] = {
      {25, 300, 295},   {33, 300, 390}, {25, 160, 157},   {33, 160, 208},
      {25.4, 160, 160}, {0, 300, 0},    {0.0793, 160, 0}, {0.0794, 160, 1},
  };
  for (const auto& c : toPixels) EXPECT_EQ(mmToPixels(c.mm, c.dpi), c.pixels) << c.mm;

  const struct {
    int pixels;
    int dpi;
    const char* shown;
  } toMm[] = {
      {300, 160, "47.6"}, {160, 160, "25.4"}, {180, 160, "28.6"}, {220, 160, "34.9"},
      {295, 300, "25"},   {0, 160, "0"},      {413, 300, "35"},   {1, 254, "0.1"},
  };
  for (const auto& c : toMm)
    EXPECT_EQ(formatFloat(pixelsToMm(c.pixels, c.dpi)), QString::fromUtf8(c.shown)) << c.pixels;
}

TEST(OutputSize, FitAndScreenRules) {
  const SizeRoom room{{411, 279}, {1024, 768}, 0, 0};
  EXPECT_TRUE(widthFits(380, room));
  EXPECT_FALSE(widthFits(381, room));
  EXPECT_TRUE(heightFits(248, room));
  EXPECT_FALSE(heightFits(249, room));
  EXPECT_EQ(requiredOuterWidth(413, room), 626);
  EXPECT_EQ(requiredOuterHeight(626, room), 791);
  EXPECT_TRUE(widthOnScreen(801, room));
  EXPECT_FALSE(widthOnScreen(802, room));
  EXPECT_TRUE(heightOnScreen(583, room));
  EXPECT_FALSE(heightOnScreen(584, room));
}

}  // namespace
}  // namespace veltrix
