#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app/main_window.h"
#include "app/status_bar.h"
#include "test_files.h"
#include "tools/tool_palette.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

const char* const kStartHint = "请打开或拖拽一图片文件或通过拍照来采集头像";
const char* const kKeysHint = "A键或S键：上一图片   D键或F键：下一图片";

class CommandsTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  void showPicture() { showFilled({600, 400}, qRgb(10, 120, 200)); }

  // The mouse arriving over a widget, as the platform reports it.
  void enter(QWidget* widget, QPoint at = {2, 2}) {
    QEnterEvent event(at, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
  }

  void moveOver(QWidget* widget, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }

  QString hint() const { return control<StatusBar>("状态条1")->hintText(); }
};

TEST_F(CommandsTest, ToolbarShowsTheGeneralHint) {
  QWidget* button =
      control<QToolBar>("工具条1")->widgetForAction(control<QToolBar>("工具条1")->actions().at(4));
  window->setHint(u("other"));
  enter(button);
  EXPECT_EQ(hint(), u(kStartHint));
  showPicture();
  enter(button);
  EXPECT_EQ(hint(), QString());
  program->batch.keysRegistered = true;
  enter(button);
  EXPECT_EQ(hint(), u(kKeysHint));
}

TEST_F(CommandsTest, CropButtonHintNamesTheKeysWhenTheyAreOn) {
  enter(control("像素法截图按钮"));
  EXPECT_EQ(hint(), u("保存采集框内图片"));
  program->batch.keysRegistered = true;
  enter(control("DPI法截图按钮"));
  EXPECT_EQ(hint(), u(kKeysHint) + u("           保存采集框内图片"));
}

TEST_F(CommandsTest, ControlsOfThePanelShowTheirOwnHints) {
  enter(control("毫米高编辑框"));
  EXPECT_EQ(hint(), u("设置输出图片高度"));
  enter(control("纵向滚动条"));
  EXPECT_EQ(hint(), u("上下移动图片"));
  showPicture();
  moveOver(control("可视画板"), {5, 5});
  EXPECT_EQ(hint(), u("滚动鼠标滚轮可缩放图片"));
}

TEST_F(CommandsTest, StatusBarIndicatorHasItsOwnHint) {
  auto* status = control<StatusBar>("状态条1");
  const int right = program->shell.lastOuterWidth - program->shell.widthCorrection;
  moveOver(status, {right - 160, 5});
  EXPECT_EQ(hint(), u("勾选、右击此选择框可弹出批量截图设置窗口。"));
  moveOver(status, {right - 45, 5});
  EXPECT_EQ(hint(), u("勾选、右击此选择框可弹出批量截图设置窗口。"));
  moveOver(status, {right - 161, 5});
  EXPECT_EQ(hint(), u(kStartHint));
  moveOver(status, {right - 44, 5});
  EXPECT_EQ(hint(), u(kStartHint));
}

TEST_F(CommandsTest, LeavingTheCanvasOntoThePanelDuringADragEndsIt) {
  showPicture();
  QWidget* canvas = control("可视画板");
  QTest::mousePress(canvas, Qt::LeftButton, {}, {200, 100});
  ASSERT_EQ(program->frame.drag, FrameDrag::Move);
  QWidget* box = control("像素宽编辑框");
  const QPoint overBox = canvas->mapFromGlobal(box->mapToGlobal(QPoint(5, 5)));
  QTest::mouseMove(canvas, overBox);
  EXPECT_EQ(program->frame.drag, FrameDrag::None);
  EXPECT_EQ(hint(), u("设置输出图片宽度"));
  EXPECT_EQ(program->frame.interiorLeft, 125);
}

TEST_F(CommandsTest, EditShowsAndHidesThePaletteOnlyWithAPicture) {
  QAction* edit = control<QToolBar>("工具条1")->actions().at(8);
  edit->trigger();
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_FALSE(window->toolPalette()->isVisible());

  showPicture();
  edit->trigger();
  EXPECT_TRUE(program->edit.editMode);
  EXPECT_TRUE(window->toolPalette()->isVisible());
  program->edit.penActive = true;
  edit->trigger();
  EXPECT_FALSE(program->edit.editMode);
  EXPECT_FALSE(program->edit.penActive);
  EXPECT_FALSE(window->toolPalette()->isVisible());
}

TEST_F(CommandsTest, AboutAndHelpFromTheMenus) {
  QMenuBar* menus = window->findChild<QMenuBar*>();
  QMenu* help = menus->actions().last()->menu();
  help->actions().at(0)->trigger();
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].title, u("关于本软件："));
  EXPECT_EQ(fixture.prompter.records[0].text, u("当前版本：V3.0"));
  EXPECT_EQ(fixture.prompter.records[0].icon, PromptIcon::None);

  const QString page = fixture.path(u("program/Veltrix使用帮助.html"));
  help->actions().at(1)->trigger();
  ASSERT_EQ(fixture.urlOpener.opened.size(), 1);
  EXPECT_EQ(fixture.urlOpener.opened[0], QUrl::fromLocalFile(page));
  ASSERT_TRUE(QFile::exists(page));

  // A damaged page is put right by the next press of "帮助" on the toolbar.
  QByteArray bytes = test::readBytes(page);
  bytes[10] = bytes[10] == 'x' ? 'y' : 'x';
  ASSERT_TRUE(test::writeBytes(page, bytes));
  control<QToolBar>("工具条1")->actions().at(11)->trigger();
  EXPECT_NE(test::readBytes(page), bytes);
  EXPECT_EQ(fixture.urlOpener.opened.size(), 2);

  QFile::remove(page);
  control<QToolBar>("工具条1")->actions().at(12)->trigger();
  EXPECT_TRUE(QFile::exists(page));
  EXPECT_EQ(fixture.prompter.records.size(), 1u);
}

TEST_F(CommandsTest, APageNothingOpensIsNamedForTheUser) {
  fixture.urlOpener.handled = false;
  const QString page = QDir::toNativeSeparators(fixture.path(u("program/Veltrix使用帮助.html")));
  for (int slot : {11, 12}) {
    fixture.prompter.records.clear();
    control<QToolBar>("工具条1")->actions().at(slot)->trigger();
    ASSERT_EQ(fixture.prompter.messages().size(), 1u) << slot;
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示"));
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              u("无法自动打开网页，请在浏览器中打开：\r\n") + page);
    EXPECT_TRUE(QFile::exists(page));
  }
}

}  // namespace
}  // namespace veltrix
