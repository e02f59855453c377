// Every way of zooming reaches the view: wheels of any resolution, the zoom keys, the toolbar; and
// a quick second click on the frame drags like the first.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QWheelEvent>
#include <vector>

#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

class ZoomInputTest : public test::WindowTest {
 protected:
  void SetUp() override {
    start();
    openPicture(test::noisePicture(800, 600));
    canvas = control("可视画板");
    fitted = program->view.zoom;
  }

  void turnWheel(int angleDelta) {
    const QPointF at(100, 100);
    QWheelEvent wheel(at, canvas->mapToGlobal(at), {}, QPoint(0, angleDelta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
  }

  void sendMouse(QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
  }

  QWidget* canvas = nullptr;
  double fitted = 0;
};

TEST_F(ZoomInputTest, WheelStepsAddUpToWholeNotches) {
  const struct {
    const char* name;
    std::vector<int> deltas;
    double factor;
  } cases[] = {
      {"one classic notch towards the user", {-120}, 1.02},
      {"two half notches", {-60, -60}, 1.02},
      {"three thirds", {-40, -40, -40}, 1.02},
      {"eight touchpad steps", {-15, -15, -15, -15, -15, -15, -15, -15}, 1.02},
      {"less than a notch", {-30, -30, -30}, 1.0},
      {"back and forth", {60, -60}, 1.0},
      {"three notches away at once", {360}, 0.94},
      // One notch at the first event, two at the second with the half left over.
      {"a notch and a half away, twice", {180, 180}, 0.98 * 0.96},
  };
  for (const auto& c : cases) {
    program->view.zoom = fitted;
    program->view.wheelRemainder = 0;
    for (int delta : c.deltas) turnWheel(delta);
    EXPECT_DOUBLE_EQ(program->view.zoom, fitted * c.factor) << c.name;
  }
}

TEST_F(ZoomInputTest, ZoomKeysAndToolbarButtons) {
  const auto toolbar = [this](int slot) {
    return [this, slot] { control<QToolBar>("工具条1")->actions().at(slot)->trigger(); };
  };
  const auto key = [this](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
    return [this, pressed, modifiers] { QTest::keyClick(canvas, pressed, modifiers); };
  };
  const struct {
    const char* name;
    std::function<void()> press;
    double factor;
  } cases[] = {
      {"放大", toolbar(4), 1.02},
      {"缩小", toolbar(5), 0.98},
      {"=", key(Qt::Key_Equal), 1.02},
      {"+", key(Qt::Key_Plus, Qt::ShiftModifier), 1.02},
      {"-", key(Qt::Key_Minus), 0.98},
      {"keypad +", key(Qt::Key_Plus, Qt::KeypadModifier), 1.0},
      {"keypad -", key(Qt::Key_Minus, Qt::KeypadModifier), 1.0},
  };
  for (const auto& c : cases) {
    program->view.zoom = fitted;
    c.press();
    EXPECT_DOUBLE_EQ(program->view.zoom, fitted * c.factor) << c.name;
    // The redraw shows the new zoom.
    if (c.factor != 1.0) {
      EXPECT_EQ(program->view.scaledWidth, static_cast<int>(800 * fitted * c.factor)) << c.name;
    }
  }
}

TEST_F(ZoomInputTest, SecondPressOfADoubleClickDragsTheFrame) {
  const QPoint start(program->frame.interiorLeft, program->frame.interiorTop);
  const QPoint inside = start + QPoint(40, 40);
  sendMouse(QEvent::MouseButtonPress, inside);
  sendMouse(QEvent::MouseButtonRelease, inside);
  sendMouse(QEvent::MouseButtonDblClick, inside);
  sendMouse(QEvent::MouseMove, inside + QPoint(5, 3));
  sendMouse(QEvent::MouseButtonRelease, inside + QPoint(5, 3));
  EXPECT_EQ(QPoint(program->frame.interiorLeft, program->frame.interiorTop), start + QPoint(5, 3));
  EXPECT_EQ(test::drawnInterior(program->view.viewCanvas)->topLeft(), start + QPoint(5, 3));
}

}  // namespace
}  // namespace veltrix
