// The tool palette window: its controls at their design places, their hints, dragging it by its
// body, the swatches and the cursors the tools give the view canvas.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <functional>

#include "app/program.h"
#include "app/status_bar.h"
#include "tools/swatch_box.h"
#include "tools_fixture.h"

namespace veltrix {
namespace {

using test::kInk;
using test::u;

class ToolPaletteTest : public test::ToolsTest {
 protected:
  QWidget* palette() const { return window->toolPalette(); }
  QWidget* paletteControl(const char* name) const {
    auto* found = palette()->findChild<QWidget*>(u(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
};

TEST_F(ToolPaletteTest, ControlsStandAtTheirDesignPlaces) {
  const struct {
    const char* name;
    QRect geometry;
    const char* caption;
  } cases[] = {
      {"分组框1", {2, 0, 66, 90}, "编辑工具"},      {"画笔选择框", {7, 16, 52, 22}, "画笔"},
      {"文字选择框", {7, 38, 52, 22}, "文字"},      {"吸管选择框", {7, 60, 52, 22}, "吸管"},
      {"分组框2", {2, 94, 66, 68}, "画笔粗细"},     {"画笔粗细标签", {6, 16, 50, 1}, nullptr},
      {"画笔粗细编辑框", {6, 40, 36, 20}, nullptr}, {"分组框3", {2, 166, 66, 144}, "选择颜色"},
      {"颜色选择器1", {6, 16, 56, 20}, nullptr},    {"色板图片框", {2, 40, 60, 100}, nullptr},
  };
  for (const auto& c : cases) {
    QWidget* control = paletteControl(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.geometry) << c.name;
    if (!c.caption) continue;
    if (auto* group = qobject_cast<QGroupBox*>(control))
      EXPECT_EQ(group->title(), u(c.caption));
    else
      EXPECT_EQ(qobject_cast<QCheckBox*>(control)->text(), u(c.caption));
  }
  EXPECT_EQ(palette()->size(), QSize(75, 318));
  EXPECT_TRUE(palette()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(control<QLineEdit>("画笔粗细编辑框")->text(), u("1"));
}

TEST_F(ToolPaletteTest, EachControlShowsItsHintAndTheGroupsKeepTheHint) {
  openGrey({300, 200});
  const struct {
    const char* name;
    const char* hint;
  } cases[] = {
      {"画笔选择框", "画笔工具"},
      {"文字选择框", "文字工具，右击文字工具按钮可设置字体。"},
      {"吸管选择框", "吸取颜色"},
      {"画笔粗细编辑框", "设置画笔粗细"},
      {"颜色选择器1", "设置画笔及文字颜色"},
      {"色板图片框", "选取画笔文字颜色"},
      {"分组框2", "选取画笔文字颜色"},
      {"画笔粗细标签", "选取画笔文字颜色"},
  };
  for (const auto& c : cases) {
    hover(paletteControl(c.name));
    EXPECT_EQ(program->shell.hint, u(c.hint)) << c.name;
  }
  hover(palette());
  EXPECT_EQ(program->shell.hint, QString());
}

TEST_F(ToolPaletteTest, MovingOverThePaletteBakesAPendingStroke) {
  openGrey({300, 200});
  pendingStroke();
  ASSERT_TRUE(program->edit.strokePending);
  hover(paletteControl("分组框1"));
  EXPECT_TRUE(program->edit.strokePending);
  hover(paletteControl("颜色选择器1"));
  EXPECT_FALSE(program->edit.strokePending);
  EXPECT_GT(inkPixels(program->document.picture), 50);
}

TEST_F(ToolPaletteTest, TheBodyDragsThePaletteButTheSwatchesPickAColour) {
  openGrey({300, 200});
  const QPoint start = palette()->pos();
  QTest::mousePress(palette(), Qt::LeftButton, {}, {70, 314});
  QMouseEvent drag(QEvent::MouseMove, QPointF(70, 314), palette()->mapToGlobal(QPointF(100, 334)),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(palette(), &drag);
  QTest::mouseRelease(palette(), Qt::LeftButton, {}, {100, 334});
  EXPECT_EQ(palette()->pos(), start + QPoint(30, 20));

  auto* swatches = qobject_cast<SwatchBox*>(paletteControl("色板图片框"));
  const QPoint at(30, 50);
  QTest::mouseClick(swatches, Qt::LeftButton, {}, at);
  EXPECT_EQ(program->edit.colour.rgb(), swatches->shown().pixel(at));
  EXPECT_EQ(palette()->pos(), start + QPoint(30, 20));
}

TEST_F(ToolPaletteTest, TheWidthBarShowsTheWidthAndTheColour) {
  openGrey({300, 200});
  useWidth("7");
  useColour(kInk);
  EXPECT_EQ(program->edit.penWidth, 7);
  auto* bar = paletteControl("画笔粗细标签");
  EXPECT_EQ(bar->height(), 7);
  EXPECT_EQ(bar->palette().color(QPalette::Window).rgb(), kInk);
  useWidth("abc");
  EXPECT_EQ(bar->height(), 0);
}

TEST_F(ToolPaletteTest, ToolsGiveTheCanvasTheirCursors) {
  openGrey({300, 200});
  tick("画笔选择框");
  EXPECT_EQ(canvas->cursor().hotSpot(), QPoint(8, 23));
  tick("吸管选择框");
  EXPECT_FALSE(program->edit.penActive);
  EXPECT_FALSE(control<QCheckBox>("画笔选择框")->isChecked());
  EXPECT_EQ(canvas->cursor().hotSpot(), QPoint(9, 24));
  tick("文字选择框");
  EXPECT_EQ(canvas->cursor().shape(), Qt::IBeamCursor);
  tick("文字选择框");
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolPaletteTest, AToolStaysArmedAfterANewPicture) {
  openGrey({300, 200});
  tick("画笔选择框");
  QImage other(200, 150, QImage::Format_RGB32);
  other.fill(Qt::white);
  openPicture(other, "other.png");
  EXPECT_TRUE(program->edit.penActive);
  EXPECT_EQ(canvas->cursor().hotSpot(), QPoint(8, 23));
  useColour(kInk);
  useWidth("5");
  click({200, 140});
  EXPECT_GT(inkPixels(program->document.picture), 5);
}

// A photo, a resize of the window and a paste leave the ticked tool working, with its cursor.
TEST_F(ToolPaletteTest, AToolStaysArmedAfterAPhotoAResizeAndAPaste) {
  openGrey({300, 200});
  tick("画笔选择框");
  useColour(kInk);
  useWidth("5");
  const std::function<void()> changes[] = {
      [this] {
        QImage photo(412, 309, QImage::Format_RGB32);
        photo.fill(Qt::white);
        window->showPhoto(photo);
      },
      [this] {
        window->resize(window->size() + QSize(40, 30));
        QApplication::processEvents();
      },
      [this] {
        QImage pasted(300, 200, QImage::Format_RGB32);
        pasted.fill(Qt::white);
        QGuiApplication::clipboard()->setImage(pasted);
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(program->document.picture.size(), QSize(300, 200));
      },
  };
  for (const auto& change : changes) {
    change();
    EXPECT_TRUE(program->edit.penActive);
    EXPECT_EQ(canvas->cursor().hotSpot(), QPoint(8, 23));
    const int before = inkPixels(program->document.picture);
    click({200, 140});
    EXPECT_GT(inkPixels(program->document.picture), before + 5);
  }
}

}  // namespace
}  // namespace veltrix
