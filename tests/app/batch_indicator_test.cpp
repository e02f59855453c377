// The batch indicator as a keyboard or a screen reader finds it: a check box named by its text,
// toggled with Space or through its accessible action. And the naming window a batch opens comes
// in front of the main window with the focus.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "batch_fixture.h"
#include "sheets/excel_naming_window.h"

namespace veltrix {
namespace {

using test::u;

class BatchIndicatorTest : public test::BatchTest {
 protected:
  QCheckBox* indicator() const { return control<QCheckBox>("批量截图模式选择框"); }
  QAccessibleInterface* accessible() const {
    return QAccessible::queryAccessibleInterface(indicator());
  }
};

TEST_F(BatchIndicatorTest, IsACheckBoxThatShowsTheBatchState) {
  QAccessibleInterface* box = accessible();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->role(), QAccessible::CheckBox);
  EXPECT_EQ(box->text(QAccessible::Name), u("使用批量截图模式"));
  EXPECT_TRUE(box->state().checkable);
  EXPECT_FALSE(box->state().checked);
  EXPECT_TRUE(indicator()->focusPolicy() & Qt::TabFocus);
  startBatch();
  EXPECT_TRUE(box->state().checked);
}

TEST_F(BatchIndicatorTest, SpaceAndTheAccessibleToggleActAsALeftClick) {
  startBatch();
  indicator()->setFocus();
  QTest::keyClick(indicator(), Qt::Key_Space);
  EXPECT_FALSE(program->batch.active);
  EXPECT_FALSE(indicator()->isChecked());
  EXPECT_FALSE(fixture.hotkeys.registered());

  // Switched on again by a screen reader: the batch is resumed, as by a click.
  fixture.prompter.records.clear();
  QAccessibleActionInterface* actions = accessible()->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
  ASSERT_FALSE(fixture.prompter.messages().empty());
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("是否沿用之前的批量截图设置，并继续上次操作？"));
  EXPECT_TRUE(program->batch.active);
  EXPECT_TRUE(indicator()->isChecked());

  // Declined, the settings window opens and, closed unconfirmed, leaves the batch off and the
  // box clear.
  pressIndicator(Qt::LeftButton);
  fixture.prompter.answers.push_back(PromptAnswer::No);
  whenModalOpens([](QDialog& w) { w.close(); });
  QTest::keyClick(indicator(), Qt::Key_Space);
  EXPECT_FALSE(program->batch.active);
  EXPECT_FALSE(indicator()->isChecked());
}

TEST_F(BatchIndicatorTest, TheNamingWindowOpensInFrontWithTheFocus) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QDir(fixture.root.path()).mkpath(u("out"));
  inSettingsWindow([&](QDialog& w) { confirm(w, source(), saveFolder(), 5); });
  ExcelNamingWindow* naming = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<ExcelNamingWindow*>(top); found && found->isVisible())
      naming = found;
  ASSERT_NE(naming, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowActive(naming));
  EXPECT_EQ(QApplication::activeWindow(), naming);
}

}  // namespace
}  // namespace veltrix
