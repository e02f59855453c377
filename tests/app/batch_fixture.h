// A started main window with a source folder of five pictures in five colours, and the helpers
// the batch tests share: the indicator pressed, the settings window filled in and confirmed, the
// task file read back.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <functional>

#include "app/status_bar.h"
#include "batch/task_file.h"
#include "window_fixture.h"

namespace veltrix::test {

inline constexpr QRgb kColours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                                    qRgb(200, 200, 30), qRgb(30, 200, 200)};

class BatchTest : public WindowTest {
 protected:
  void SetUp() override {
    QDir(fixture.root.path()).mkpath(u("source"));
    for (int i = 0; i < 5; ++i) addPicture(i);
    start();
  }

  QString source() const { return fixture.path(u("source")); }
  QString saveFolder() const { return fixture.path(u("out")); }

  void addPicture(int i, const char* suffix = "") {
    QImage picture(200, 120, QImage::Format_RGB32);
    picture.fill(kColours[i % 5]);
    ASSERT_TRUE(picture.save(source() + u("/p") + QString::number(i) + u(suffix) + u(".png")));
  }

  // The status bar's batch indicator, pressed with a mouse button.
  void pressIndicator(Qt::MouseButton button) {
    auto* bar = control<StatusBar>("状态条1");
    const ShellState& shell = program->shell;
    const int x = shell.lastOuterWidth - shell.widthCorrection - 100;
    QTest::mouseClick(bar, button, {}, QPoint(x, bar->height() / 2));
  }

  // Opens the settings window with a right click and lets `fill` work in it before it is left.
  void inSettingsWindow(const std::function<void(QDialog&)>& fill) {
    whenModalOpens(fill);
    pressIndicator(Qt::RightButton);
  }

  static void confirm(QDialog& window, const QString& from, const QString& to, int rule,
                      bool keep = true, const QString& custom = {}) {
    window.findChild<QLineEdit*>(u("批截目标目录编辑框"))->setText(from);
    window.findChild<QLineEdit*>(u("批截保存目录编辑框"))->setText(to);
    auto* rules = window.findChild<QComboBox*>(u("批截命名方式组合框"));
    rules->setCurrentIndex(rule);
    emit rules->activated(rule);
    if (!custom.isNull()) rules->setEditText(custom);
    window.findChild<QCheckBox*>(u("保存批截设置选择框"))->setChecked(keep);
    window.findChild<QPushButton*>(u("确定批截设置按钮"))->click();
  }

  void startBatch(int rule = 2, bool keep = true) {
    QDir(fixture.root.path()).mkpath(u("out"));
    inSettingsWindow([&](QDialog& w) { confirm(w, source(), saveFolder(), rule, keep); });
  }

  TaskFile task() const {
    return *TaskFile::load(program->shell.settingsFolder + u("/批截任务.ini"));
  }

  QString title() const { return window->windowTitle(); }
  static QString titleFor(const QString& name, const char* state) {
    return u(" 当前文件：") + name + u("  ") + u(state);
  }
  QString shownName() const { return program->batch.currentName; }
  QRgb shownColour() const { return program->document.picture.pixel(10, 10); }
  // The colour a source picture was made in, told by its name.
  static QRgb colourOf(const QString& name) { return kColours[name.mid(1, 1).toInt() % 5]; }

  void press(NavigationKey key, bool repeated = false) { fixture.hotkeys.press(key, repeated); }

  // The toolbar's crop button ("保存") clicked with the mouse.
  void cropThroughToolbar() {
    auto* toolbar = control<QToolBar>("工具条1");
    QTest::mouseClick(toolbar->widgetForAction(toolbar->actions().at(2)), Qt::LeftButton);
  }
};

}  // namespace veltrix::test
