#include "output/output_size.h"

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

TEST(OutputSize, HalvesJustBelowTheirRepresentationStillRoundUp) {
  EXPECT_EQ(roundHalfAway(2.5), 3.0);
  EXPECT_EQ(roundHalfAway(-2.5), -3.0);
  EXPECT_EQ(roundHalfAway(1.005 * 100), 101.0);  // 100.49999999999999 in binary
  EXPECT_EQ(roundHalfAway(2.4999), 2.0);
}

TEST(OutputSize, NumbersShowAsTheBoxesShowThem) {
  EXPECT_EQ(formatFloat(25.4f), QStringLiteral("25.4"));
  EXPECT_EQ(formatFloat(33.0f), QStringLiteral("33"));
  EXPECT_EQ(formatFloat(1234567.0f), QStringLiteral("1.23457e+06"));
  EXPECT_EQ(formatDouble(47.6), QStringLiteral("47.6"));
  EXPECT_EQ(formatDouble(0.1 + 0.2), QStringLiteral("0.3"));
}

TEST(OutputSize, IntegerPrefixIgnoresSpacesAndStopsAtTheFirstNonDigit) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"300.5", 300}, {" 3 0 0", 300}, {"", 0},    {"abc", 0},
               {"12ab", 12},   {"-5", -5},      {"1e3", 1}, {"９", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(integerPrefix(QString::fromUtf8(c.text)), c.value) << c.text;
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
