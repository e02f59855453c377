// Every change of the output size lays the frame out again and the file always holds what the
// frame shows, also when the window's outer size does not change; absurd numbers meet the screen
// refusal like any other size that is too large.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QTabBar>
#include <functional>

#include "output/size_panel.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

class SizeChangesTest : public test::WindowTest {
 protected:
  // The frame must be centred on the canvas at the output size, the frame canvas on it, and
  // the lines must enclose it.
  void expectFrameLaidOut(const char* step) {
    const OutputSpec& output = program->output;
    const QSize canvas = control("可视画板")->size();
    const QRect interior(canvas.width() / 2 - output.pixelWidth / 2,
                         canvas.height() / 2 - output.pixelHeight / 2, output.pixelWidth,
                         output.pixelHeight);
    EXPECT_EQ(control("截图画板")->geometry(), interior) << step;
    EXPECT_EQ(test::drawnInterior(program->view.viewCanvas), interior) << step;
  }
};

struct SizeSteps {
  const char* name;
  std::function<void(SizeChangesTest&)> change;
  QSize size;
};

TEST_F(SizeChangesTest, SizesThatKeepTheWindowSizeStillMoveAndRedrawTheFrame) {
  const SizeSteps cases[] = {
      {"student, default, student",
       [](SizeChangesTest& t) {
         t.choosePreset(2);
         t.choosePreset(0);
         t.choosePreset(2);
       },
       {358, 441}},
      // 381 + 30 and 249 + 30 are exactly the start-up canvas.
      {"width 381",
       [](SizeChangesTest& t) { t.typeInto("像素宽编辑框", "381", true); },
       {381, 210}},
      {"height 249",
       [](SizeChangesTest& t) { t.typeInto("像素高编辑框", "249", true); },
       {160, 249}},
      // 33 mm at 192 DPI is 249 pixels.
      {"dpi 192",
       [](SizeChangesTest& t) {
         t.control<SizePanel>("面板高级选择夹")->tabBar()->setCurrentIndex(SizePanel::kDpiPage);
         t.control<QLineEdit>("DPI编辑框")->setText(u("19"));
         t.typeInto("DPI编辑框", "2");
       },
       {189, 249}},
  };
  for (const SizeSteps& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    openPicture(test::noisePicture(405, 270));
    ASSERT_DOUBLE_EQ(program->view.zoom, 1.0);
    c.change(*this);
    ASSERT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), c.size);
    expectFrameLaidOut(c.name);
    const std::optional<QImage> saved = saveAs(u("crop.png"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, expectedCrop());
  }
}

TEST_F(SizeChangesTest, AbsurdNumbersMeetTheScreenRefusal) {
  const struct {
    const char* box;
    const char* typed;
    int caret;  // the character after it is deleted, which commits nothing
  } cases[] = {
      {"像素宽编辑框", "1.0000000000", 1}, {"像素高编辑框", "1.0000000000", 1},
      {"毫米宽编辑框", "1.0000000000", 1}, {"毫米高编辑框", "1.0000000000", 1},
      {"DPI编辑框", "1.0000000000", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    start();
    openPicture(test::noisePicture(405, 270));
    auto* box = control<QLineEdit>(c.box);
    box->setFocus();
    box->setText(u(c.typed));
    box->setCursorPosition(c.caret);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              u("当前电脑屏幕像素分辩率不够高，不能满足操作要求。"));
    EXPECT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), QSize(160, 210));
    EXPECT_EQ(program->output.dpi, 160);
    expectFrameLaidOut(c.box);
    fixture.prompter.records.clear();
  }
}

TEST_F(SizeChangesTest, TextSetFromOutsideIsCommittedWhenTheBoxLosesTheFocus) {
  const struct {
    const char* box;
    const char* text;
    QSize size;
    int dpi;
  } cases[] = {
      {"像素宽编辑框", "200", {200, 210}, 160},
      {"像素高编辑框", "100", {160, 100}, 160},
      {"毫米宽编辑框", "20", {126, 210}, 160},
      {"DPI编辑框", "300", {295, 390}, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    start();
    openPicture(test::noisePicture(405, 270));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* box = control<QLineEdit>(c.box);
    box->setFocus();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(accessible, nullptr);
    accessible->setText(QAccessible::Value, u(c.text));
    ASSERT_EQ(box->text(), u(c.text));
    control("可视画板")->setFocus();
    EXPECT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), c.size);
    EXPECT_EQ(program->output.dpi, c.dpi);
    EXPECT_EQ(control("截图画板")->size(), c.size);
  }
}

TEST_F(SizeChangesTest, LeavingABoxTheProgramFilledCommitsNothing) {
  start();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  // 1 px is 0.2 mm at 160 DPI, which would read back as 1.26 px: a commit would be visible.
  typeInto("像素宽编辑框", "1", true);
  control<QLineEdit>("毫米宽编辑框")->setFocus();
  control("可视画板")->setFocus();
  EXPECT_EQ(program->output.pixelWidth, 1);
  EXPECT_EQ(control<QLineEdit>("毫米宽编辑框")->text(), u("0.2"));
  EXPECT_FLOAT_EQ(program->output.mmWidth, 25.0f);
}

TEST_F(SizeChangesTest, PictureLessControlsAreNamedByTheirHints) {
  start();
  const struct {
    const char* control;
    const char* name;
  } cases[] = {
      {"像素法截图上移按钮", "上移采集框"},
      {"DPI法截图下移按钮", "下移采集框"},
      {"像素法截图左移按钮", "左移采集框"},
      {"DPI法截图右移按钮", "右移采集框"},
      {"像素法颜色选择器", "采集框颜色不会影响输出图片颜色"},
      {"DPI法颜色选择器", "采集框颜色不会影响输出图片颜色"},
  };
  for (const auto& c : cases) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control(c.control));
    ASSERT_NE(accessible, nullptr) << c.control;
    EXPECT_EQ(accessible->text(QAccessible::Name), u(c.name)) << c.control;
  }
}

}  // namespace
}  // namespace veltrix
