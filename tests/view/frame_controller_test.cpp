// The frame handled with no window at all: a host that records what it is asked.
#include "view/frame_controller.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <vector>

namespace veltrix {
namespace {

struct RecordingHost final : FrameHost {
  int shown = 0;
  int customChosen = 0;
  std::vector<std::pair<bool, bool>> draggedSizes;
  std::vector<SizeChange> cameraFits;
  Qt::CursorShape cursor = Qt::ArrowCursor;
  int askedForPicture = 0;

  void showFrame() override { ++shown; }
  void chooseCustomSize() override { ++customChosen; }
  void showDraggedSize(bool width, bool height) override {
    draggedSizes.emplace_back(width, height);
  }
  void fitCameraToOutput(SizeChange change) override { cameraFits.push_back(change); }
  void setCanvasCursor(Qt::CursorShape shape) override { cursor = shape; }
  void askForPicture() override { ++askedForPicture; }
};

class FrameControllerTest : public testing::Test {
 protected:
  FrameControllerTest() {
    frame.interiorLeft = 125;
    frame.interiorTop = 34;
    document.picture = QImage(10, 10, QImage::Format_RGB32);
    document.present = true;
  }

  CaptureFrame frame;
  OutputSpec output;
  ImageDocument document;
  RecordingHost host;
  FrameController controller{frame, output, document, host, nullptr};
};

TEST_F(FrameControllerTest, CornerDragResizesAndTheCameraFollowsWhenItEnds) {
  ASSERT_TRUE(controller.press({285, 244}));
  EXPECT_TRUE(controller.holdsPointer());
  controller.move({305, 254});
  EXPECT_EQ(QSize(output.pixelWidth, output.pixelHeight), QSize(180, 220));
  EXPECT_EQ(host.customChosen, 1);
  ASSERT_EQ(host.draggedSizes.size(), 1u);
  EXPECT_EQ(host.draggedSizes[0], std::make_pair(true, true));
  EXPECT_TRUE(host.cameraFits.empty());
  controller.endPointerAction();
  EXPECT_FALSE(controller.holdsPointer());
  EXPECT_EQ(host.cameraFits, std::vector<SizeChange>{SizeChange::SizeChanged});
}

TEST_F(FrameControllerTest, DragBelowTheFloorEndsAtOnce) {
  ASSERT_TRUE(controller.press({125, 100}));
  controller.move({326, 100});
  EXPECT_EQ(output.pixelWidth, 160);
  EXPECT_FALSE(controller.holdsPointer());
  EXPECT_EQ(host.cameraFits, std::vector<SizeChange>{SizeChange::WidthChanged});
}

TEST_F(FrameControllerTest, HeldMoveButtonRepeatsFromTheTenthTick) {
  controller.pressMoveButton(MoveDirection::Left);
  EXPECT_EQ(frame.interiorLeft, 124);
  auto* timer = controller.findChild<QTimer*>(QStringLiteral("截图时钟"));
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  for (int tick = 1; tick <= 12; ++tick) QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(frame.interiorLeft, 121);  // ticks 10, 11 and 12
  controller.releaseMoveButton();
  EXPECT_FALSE(timer->isActive());
}

TEST_F(FrameControllerTest, WithoutAPictureNothingMovesAndTheButtonsAsk) {
  document = ImageDocument();
  EXPECT_FALSE(controller.press({200, 100}));
  EXPECT_TRUE(controller.key(Qt::Key_Up, Qt::NoModifier));
  controller.pressMoveButton(MoveDirection::Up);
  EXPECT_EQ(host.askedForPicture, 1);
  EXPECT_EQ(QPoint(frame.interiorLeft, frame.interiorTop), QPoint(125, 34));
  EXPECT_EQ(host.shown, 0);
}

}  // namespace
}  // namespace veltrix
