#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "framing/head_guides.h"
#include "output/output_size.h"

namespace veltrix {
namespace {

struct PresetCase {
  int preset;  // index in the size-type list
  HeadGuides guides;
};

TEST(HeadGuides, EveryPresetHasItsRule) {
  const PresetCase cases[] = {
      {0, {{8, 16}, std::nullopt, Band{134, 174}, std::nullopt, 80}},
      // The ID-card standard: hair 7-21 px from the top, eyes at least 207 px above the
      // bottom, a face 207 +- 14 px wide.
      {2, {{7, 21}, 234, std::nullopt, Band{193, 221}, 179}},
      {3, {{15, 31}, std::nullopt, Band{249, 323}, std::nullopt, 130}},
      {4, {{17, 35}, std::nullopt, Band{287, 372}, std::nullopt, 159}},
      {5, {{16, 33}, std::nullopt, Band{264, 342}, std::nullopt, 147}},
      {6, {{21, 42}, std::nullopt, Band{339, 440}, std::nullopt, 206}},
      // The passport standard at 300 DPI: crown 3-5 mm down, crown to chin 28-33 mm, a head
      // 15-22 mm wide.
      {7, {{35, 59}, std::nullopt, Band{366, 449}, Band{177, 260}, 195}},
      {8, {{25, 50}, std::nullopt, Band{400, 519}, std::nullopt, 206}},
  };
  for (const PresetCase& c : cases) {
    SCOPED_TRACE(c.preset);
    const SizePreset& preset = kSizePresets[c.preset];
    EXPECT_EQ(headGuides(preset.pixelWidth, preset.pixelHeight), c.guides);
  }
}

TEST(HeadGuides, ACustomSizeTakesTheGeneralRule) {
  // One pixel off the ID-card size is no longer that standard's picture.
  const HeadGuides guides = headGuides(358, 440);
  EXPECT_EQ(guides.crown, (Band{17, 35}));
  EXPECT_EQ(guides.eyeLine, std::nullopt);
  EXPECT_EQ(guides.faceWidth, std::nullopt);
}

TEST(HeadGuides, TheColourStandsOutAgainstTheFrame) {
  const struct {
    QColor frame;
    QColor guide;
  } cases[] = {
      {QColor(255, 255, 0), QColor(0, 0, 255)},
      {QColor(0, 0, 0), QColor(255, 255, 255)},
      {QColor(128, 128, 128), QColor(0, 0, 0)},
      {QColor(100, 110, 120), QColor(255, 255, 255)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frame.name().toStdString());
    EXPECT_EQ(guideColour(c.frame), c.guide);
  }
}

TEST(HeadGuides, TheLinesLieOnTheirRowsAndColumnsInsideTheInterior) {
  QImage canvas(500, 600, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  const QRect interior(40, 20, 358, 441);
  {
    QPainter painter(&canvas);
    paintHeadGuides(painter, interior, headGuides(358, 441), Qt::blue);
  }
  const auto blueOnRow = [&](int y) {
    int blue = 0;
    for (int x = 0; x < canvas.width(); ++x) blue += canvas.pixel(x, y) == qRgb(0, 0, 255);
    return blue;
  };
  const auto blueOnColumn = [&](int x) {
    int blue = 0;
    for (int y = 0; y < canvas.height(); ++y) blue += canvas.pixel(x, y) == qRgb(0, 0, 255);
    return blue;
  };
  // Dashed: about half of each line, and nothing outside the interior.
  for (const int y : {7, 21, 234}) {
    SCOPED_TRACE(y);
    EXPECT_GT(blueOnRow(20 + y), 358 / 3);
    EXPECT_LT(blueOnRow(20 + y), 358);
  }
  for (const int x : {179 - 110, 179 - 96, 179, 179 + 96, 179 + 110}) {
    SCOPED_TRACE(x);
    EXPECT_GT(blueOnColumn(40 + x), 441 / 3);
  }
  EXPECT_EQ(blueOnRow(19), 0);
  EXPECT_EQ(blueOnRow(20 + 441), 0);
  EXPECT_EQ(blueOnColumn(39), 0);
  // Between the lines, only the five columns are drawn.
  const QList<int> columns = {40 + 69, 40 + 83, 40 + 179, 40 + 275, 40 + 289};
  for (int y = 20 + 22; y < 20 + 234; ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) == qRgb(0, 0, 255)) {
        ASSERT_TRUE(columns.contains(x)) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace veltrix
