#include "app/main_layout.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

struct LayoutCase {
  const char* name;
  int outerWidth, outerHeight, widthCorrection, heightCorrection;
  MainLayout expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << c.name;
}

class MainLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(MainLayoutTest, PlacesEveryControlByTheDesignFormulas) {
  const LayoutCase& c = GetParam();
  const MainLayout got =
      computeMainLayout(c.outerWidth, c.outerHeight, c.widthCorrection, c.heightCorrection);
  const MainLayout& want = c.expected;
  EXPECT_EQ(got.canvasWidth, want.canvasWidth);
  EXPECT_EQ(got.canvasHeight, want.canvasHeight);
  EXPECT_EQ(got.centreX, want.centreX);
  EXPECT_EQ(got.centreY, want.centreY);
  EXPECT_EQ(got.hScrollTop, want.hScrollTop);
  EXPECT_EQ(got.vScrollLeft, want.vScrollLeft);
  EXPECT_EQ(got.panelLeft, want.panelLeft);
  EXPECT_EQ(got.panelHeight, want.panelHeight);
  EXPECT_EQ(got.buttonMiddle, want.buttonMiddle);
  EXPECT_EQ(got.statusPart0Width, want.statusPart0Width);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MainLayoutTest,
    testing::Values(
        // Design frame: the outer size is the client size plus 8 x 54.
        LayoutCase{"design", 594, 414, 0, 0, {411, 279, 205, 139, 328, 416, 432, 292, 227, 432}},
        // Another frame: corrections make the same client size give the same layout.
        LayoutCase{
            "thickFrame", 600, 420, 6, 6, {411, 279, 205, 139, 328, 416, 432, 292, 227, 432}},
        LayoutCase{"enlarged", 694, 514, 0, 0, {511, 379, 255, 189, 428, 516, 532, 392, 277, 532}},
        // Odd sizes: divisions drop the fraction.
        LayoutCase{"odd", 595, 416, 0, 0, {412, 281, 206, 140, 330, 417, 433, 294, 228, 433}},
        // A window narrower than the panel: negative numbers truncate toward zero.
        LayoutCase{"tiny", 100, 100, 0, 0, {-83, -35, -41, -17, 14, -78, -62, -22, 71, -62}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

}  // namespace
}  // namespace veltrix
