#include "tools/tool_font.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace veltrix {
namespace {

TEST(ToolFont, SongtiIsDrawnByTheInstalledSerifFace) {
  EXPECT_EQ(substituteFace(QStringLiteral("宋体")), QStringLiteral("Noto Serif CJK SC"));
  EXPECT_EQ(substituteFace(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(QFontInfo(toolFont(startFont())).family(), QStringLiteral("Noto Serif CJK SC"));
}

TEST(ToolFont, PointsBecomePixelsAtNinetySixPerInch) {
  const struct {
    int points;
    int pixels;
  } cases[] = {{9, 12}, {12, 16}, {18, 24}, {72, 96}, {10, 13}};
  for (const auto& c : cases) {
    QFont chosen(QStringLiteral("宋体"));
    chosen.setPointSize(c.points);
    EXPECT_EQ(toolFont(chosen).pixelSize(), c.pixels) << c.points;
  }
}

TEST(ToolFont, KeepsTheDialogsStyleAndNeverUsesSubpixels) {
  QFont chosen(QStringLiteral("宋体"));
  chosen.setPointSize(14);
  chosen.setBold(true);
  chosen.setItalic(true);
  chosen.setUnderline(true);
  chosen.setStrikeOut(true);
  const QFont font = toolFont(chosen);
  EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
  EXPECT_TRUE(font.styleStrategy() & QFont::NoSubpixelAntialias);
  EXPECT_FALSE(font.styleStrategy() & QFont::NoAntialias);
}

}  // namespace
}  // namespace veltrix
