#include "tools/tool_rules.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(ToolRules, TextBackgroundIsTheContrastButWhiteBehindMiddleGrey) {
  const struct {
    QRgb text;
    QRgb background;
  } cases[] = {
      {qRgb(128, 128, 128), qRgb(255, 255, 255)}, {qRgb(0, 0, 0), qRgb(255, 255, 255)},
      {qRgb(255, 255, 255), qRgb(0, 0, 0)},       {qRgb(10, 20, 30), qRgb(245, 235, 225)},
      {qRgb(127, 127, 127), qRgb(128, 128, 128)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(entryBackground(QColor(c.text)).rgb(), c.background) << std::hex << c.text;
  EXPECT_EQ(contrastColour(QColor(128, 128, 128)).rgb(), qRgb(127, 127, 127));
}

TEST(ToolRules, PenWidthIsTheLeadingNumberCapped) {
  const struct {
    const char* text;
    int width;
    int line;
  } cases[] = {
      {"1", 1, 1},   {"4", 4, 4},       {"20", 20, 20},    {"0", 0, 1},
      {"-3", -3, 1}, {"abc", 0, 1},     {"", 0, 1},        {"12px", 12, 12},
      {"7.9", 7, 7}, {"100", 100, 100}, {"101", 100, 100}, {"99999999999", 100, 100},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(penWidthFrom(QString::fromUtf8(c.text)), c.width) << c.text;
    EXPECT_EQ(lineWidth(penWidthFrom(QString::fromUtf8(c.text))), c.line) << c.text;
  }
}

TEST(ToolRules, DotBoxLeavesOutTheRightAndBottomEdgesOfTheEllipseBox) {
  EXPECT_EQ(dotBox({100, 100}, 4), QRect(QPoint(98, 98), QPoint(101, 101)));
  EXPECT_EQ(dotBox({100, 100}, 5), QRect(QPoint(98, 98), QPoint(102, 102)));
  EXPECT_EQ(dotBox({10, 20}, 2), QRect(QPoint(9, 19), QPoint(10, 20)));
  for (int w : {1, 0, -4}) EXPECT_TRUE(dotBox({100, 100}, w).isEmpty()) << w;
}

TEST(ToolRules, EntryBoxHoldsItsTextAndTwoMoreCharacters) {
  EXPECT_EQ(entryWidth(QString(), 6), 12);
  EXPECT_EQ(entryWidth(QStringLiteral("ab"), 6), 24);
  EXPECT_EQ(entryWidth(QString::fromUtf8("中文a"), 7), 49);
}

}  // namespace
}  // namespace veltrix
