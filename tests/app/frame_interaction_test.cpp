#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "app/main_window.h"
#include "test_files.h"
#include "widgets/choice_combo.h"
#include "widgets/colour_picker.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

const QRgb kPicture = qRgb(60, 90, 120);
const QRgb kYellow = qRgb(255, 255, 0);

class FrameInteractionTest : public test::WindowTest {
 protected:
  void SetUp() override {
    start();
    canvas = control<QWidget>("可视画板");
  }

  void showPicture() { showFilled({800, 600}, kPicture); }

  QRect interior() const {
    return {program->frame.interiorLeft, program->frame.interiorTop, program->output.pixelWidth,
            program->output.pixelHeight};
  }

  void drag(QPoint from, QPoint to) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, to);
  }

  QRgb shown(int x, int y) const { return program->view.viewCanvas.pixel(x, y); }

  void tickMoveTimer(int ticks) {
    auto* timer = control<QTimer>("截图时钟");
    for (int i = 0; i < ticks; ++i) QMetaObject::invokeMethod(timer, "timeout");
  }

  QWidget* canvas = nullptr;
};

TEST_F(FrameInteractionTest, LinesLieOutsideTheInteriorWithAGapRightAndBelow) {
  showPicture();
  for (int y : {33, 100, 244}) {
    EXPECT_EQ(shown(124, y), kYellow) << y;
    EXPECT_EQ(shown(286, y), kYellow) << y;
    EXPECT_EQ(shown(285, y == 33 ? 100 : y), kPicture) << y;
  }
  for (int x : {124, 200, 285}) {
    EXPECT_EQ(shown(x, 33), kYellow) << x;
    EXPECT_EQ(shown(x, 245), kYellow) << x;
  }
  for (int x : {125, 201, 285}) EXPECT_EQ(shown(x, 244), kPicture) << x;
  EXPECT_EQ(shown(286, 245), kPicture);
  EXPECT_EQ(control("截图画板")->geometry(), QRect(125, 34, 160, 210));
}

TEST_F(FrameInteractionTest, DraggingTheInteriorMovesTheFrame) {
  showPicture();
  drag({200, 100}, {230, 90});
  EXPECT_EQ(interior(), QRect(155, 24, 160, 210));
  EXPECT_EQ(control("截图画板")->geometry(), QRect(155, 24, 160, 210));
  EXPECT_EQ(shown(154, 150), kYellow);
  EXPECT_EQ(shown(124, 150), kPicture);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, {230, 90});
  EXPECT_EQ(program->frame.drag, FrameDrag::None);
}

TEST_F(FrameInteractionTest, LeftEdgeStopsAtTenPixelsAndEndsTheDragBeyond) {
  showPicture();
  drag({124, 100}, {324, 100});
  EXPECT_EQ(program->output.pixelWidth, 160);
  EXPECT_EQ(program->frame.drag, FrameDrag::None);
  QTest::mouseMove(canvas, {124, 120});
  EXPECT_EQ(interior(), QRect(125, 34, 160, 210));

  drag({124, 100}, {274, 100});
  EXPECT_EQ(interior(), QRect(275, 34, 10, 210));
  EXPECT_EQ(control<QLineEdit>("像素宽编辑框")->text(), u("10"));
}

TEST_F(FrameInteractionTest, CornerDragResizesAndWritesTheBoxes) {
  showPicture();
  drag({286, 245}, {306, 255});
  EXPECT_EQ(interior(), QRect(125, 34, 180, 220));
  EXPECT_EQ(control<ChoiceCombo>("尺寸类型组合框")->currentIndex(), 1);
  EXPECT_EQ(control<QLineEdit>("像素宽编辑框")->text(), u("180"));
  EXPECT_EQ(control<QLineEdit>("像素高编辑框")->text(), u("220"));
  EXPECT_EQ(control<QLineEdit>("毫米宽编辑框")->text(), u("28.6"));
  EXPECT_EQ(control<QLineEdit>("毫米高编辑框")->text(), u("34.9"));
  EXPECT_EQ(control("截图画板")->size(), QSize(180, 220));
}

TEST_F(FrameInteractionTest, WheelAndScrollBarsEndAFrameDrag) {
  showPicture();
  drag({286, 245}, {296, 255});
  ASSERT_EQ(program->frame.drag, FrameDrag::BottomRight);
  QWheelEvent wheel(QPointF(50, 50), canvas->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
                    Qt::LeftButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_EQ(program->frame.drag, FrameDrag::None);

  drag({200, 100}, {201, 100});
  ASSERT_EQ(program->frame.drag, FrameDrag::Move);
  QTest::mousePress(control("纵向滚动条"), Qt::LeftButton);
  EXPECT_EQ(program->frame.drag, FrameDrag::None);
}

TEST_F(FrameInteractionTest, PressBetweenTheRegionsStartsNothing) {
  showPicture();
  drag({126, 33}, {150, 60});
  EXPECT_EQ(program->frame.drag, FrameDrag::None);
  EXPECT_EQ(interior(), QRect(125, 34, 160, 210));
}

TEST_F(FrameInteractionTest, HoveringShowsTheRegionsCursor) {
  showPicture();
  QTest::mouseMove(canvas, {124, 100});
  EXPECT_EQ(canvas->cursor().shape(), Qt::SizeHorCursor);
  QTest::mouseMove(canvas, {200, 100});
  EXPECT_EQ(canvas->cursor().shape(), Qt::SizeAllCursor);
  QTest::mouseMove(canvas, {10, 10});
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameInteractionTest, HeldMoveButtonStepsAtThePressThenFromTheTenthTick) {
  showPicture();
  auto* right = control<QAbstractButton>("像素法截图右移按钮");
  QTest::mousePress(right, Qt::LeftButton);
  EXPECT_EQ(program->frame.interiorLeft, 126);
  auto* timer = control<QTimer>("截图时钟");
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 5);
  tickMoveTimer(9);
  EXPECT_EQ(program->frame.interiorLeft, 126);
  tickMoveTimer(1);
  EXPECT_EQ(program->frame.interiorLeft, 127);
  tickMoveTimer(3);
  EXPECT_EQ(program->frame.interiorLeft, 130);
  QTest::mouseRelease(right, Qt::LeftButton);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(window->focusWidget(), canvas);
  EXPECT_EQ(shown(129, 100), kYellow);
}

TEST_F(FrameInteractionTest, MoveButtonWithoutAPictureAsksForOne) {
  QTest::mouseClick(control<QAbstractButton>("DPI法截图上移按钮"), Qt::LeftButton);
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].title, u("提示"));
  EXPECT_EQ(fixture.prompter.records[0].text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_EQ(program->frame.interiorTop, 34);
  EXPECT_FALSE(control<QTimer>("截图时钟")->isActive());
}

TEST_F(FrameInteractionTest, ArrowKeysNudgeTheFrame) {
  showPicture();
  canvas->setFocus();
  QTest::keyClick(canvas, Qt::Key_Up);
  QTest::keyClick(canvas, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(interior().topLeft(), QPoint(124, 33));
}

TEST_F(FrameInteractionTest, ColourChosenOnTheDpiPageColoursBothPickersAndOnlyTheLines) {
  showPicture();
  window->findChild<QTabBar*>()->setCurrentIndex(1);
  fixture.prompter.colours.push_back(QColor(255, 0, 0));
  QTest::mouseClick(control<ColourPicker>("DPI法颜色选择器"), Qt::LeftButton);
  EXPECT_EQ(control<ColourPicker>("像素法颜色选择器")->colour(), QColor(255, 0, 0));
  EXPECT_EQ(shown(124, 100), qRgb(255, 0, 0));
  EXPECT_EQ(program->view.backCanvas.pixel(124, 100), kPicture);
}

}  // namespace
}  // namespace veltrix
