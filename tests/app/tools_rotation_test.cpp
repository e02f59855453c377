// A stroke or typed text still pending when a turn is pressed goes into the picture first and
// turns with it.
#include "tools_fixture.h"

namespace veltrix::test {
namespace {

class ToolsRotationTest : public ToolsTest {
 protected:
  void turnClockwise() { toolbarAction(6)->trigger(); }
};

TEST_F(ToolsRotationTest, APendingStrokeTurnsWithThePicture) {
  openGrey({300, 200});
  pendingStroke();
  turnClockwise();
  EXPECT_EQ(program->document.picture.size(), QSize(200, 300));
  EXPECT_GT(inkPixels(program->document.picture), 100);
}

TEST_F(ToolsRotationTest, PendingTextIsCommittedBeforeTheTurn) {
  openGrey({300, 200});
  tick("文字选择框");
  pendingText();
  turnClockwise();
  EXPECT_EQ(program->document.picture.size(), QSize(200, 300));
  EXPECT_GT(inkPixels(program->document.picture), 10);
}

}  // namespace
}  // namespace veltrix::test
