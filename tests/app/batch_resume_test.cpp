// A batch whose folder is missing when it is resumed (a USB stick not plugged in) keeps its task:
// the user is told which folder is missing, confirming the same folders goes on with the task,
// and no key press writes a new task over it unasked. A look at the settings of a running batch
// gives its keys back.
#include <gtest/gtest.h>

#include "batch_fixture.h"

namespace veltrix {
namespace {

using test::BatchTest;
using test::u;

class BatchResumeTest : public test::BatchTest {
 protected:
  // Two entries cropped, the batch stopped at the third, then its folder taken away.
  void SetUp() override {
    BatchTest::SetUp();
    startBatch();
    cropThroughToolbar();
    press(NavigationKey::D);
    cropThroughToolbar();
    press(NavigationKey::D);
    pressIndicator(Qt::LeftButton);
    ASSERT_FALSE(program->batch.active);
    unplugged = fixture.path(u("unplugged"));
    ASSERT_TRUE(QDir().rename(source(), unplugged));
    fixture.prompter.records.clear();
  }

  void plugIn() { ASSERT_TRUE(QDir().rename(unplugged, source())); }

  // The task as the two crops left it: its records and its place.
  void expectTaskKept() {
    const TaskFile kept = task();
    EXPECT_EQ(kept.count(), 5);
    EXPECT_EQ(kept.record(1), u("已截图"));
    EXPECT_EQ(kept.record(2), u("已截图"));
    EXPECT_EQ(kept.record(3), u("未截图"));
    EXPECT_EQ(kept.cursor(), 3);
  }

  QString unplugged;
};

TEST_F(BatchResumeTest, TheMissingFolderIsNamedAndConfirmingItAgainGoesOnWithTheTask) {
  bool settingsOpened = false;
  whenModalOpens([&](QDialog& w) {
    settingsOpened = true;
    plugIn();
    QTest::mouseClick(w.findChild<QPushButton*>(u("确定批截设置按钮")), Qt::LeftButton);
  });
  pressIndicator(Qt::LeftButton);
  ASSERT_TRUE(settingsOpened);
  const auto messages = fixture.prompter.messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].title, u("提示："));
  EXPECT_EQ(messages[1].text,
            u("批量截图待截图目录“") + QDir::toNativeSeparators(source()) +
                u("”不存在，请检查该目录所在的磁盘或U盘是否已连接，或重新设置。"));
  expectTaskKept();
  EXPECT_TRUE(program->batch.active);
  EXPECT_EQ(program->batch.entryCount, 5);
  EXPECT_EQ(shownName(), task().name(3));
  EXPECT_EQ(title(), titleFor(task().name(3), "未截图"));
  press(NavigationKey::D);
  EXPECT_EQ(task().cursor(), 4);
}

TEST_F(BatchResumeTest, AKeyAsksBeforeANewTaskReplacesTheRecords) {
  const struct {
    const char* name;
    PromptAnswer answer;
  } cases[] = {{"kept", PromptAnswer::No}, {"given up", PromptAnswer::Yes}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (QDir(source()).exists()) {
      ASSERT_TRUE(QDir().rename(source(), unplugged));
    }
    fixture.prompter.records.clear();
    // The settings window that the failed resume opens is closed unconfirmed.
    whenModalOpens([](QDialog& w) { w.close(); });
    pressIndicator(Qt::LeftButton);
    ASSERT_TRUE(program->batch.active);
    ASSERT_TRUE(fixture.hotkeys.registered());
    // With the stick still out the key finds nothing and writes nothing.
    press(NavigationKey::D);
    expectTaskKept();
    plugIn();
    fixture.prompter.records.clear();
    fixture.prompter.answers.push_back(c.answer);
    press(NavigationKey::D);
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("询问："));
    EXPECT_EQ(
        fixture.prompter.messages()[0].text,
        u("批截任务文件中保存着上次批量截图的记录，是否放弃这些记录，重新建立批量截图任务？"));
    EXPECT_EQ(fixture.prompter.messages()[0].buttons, PromptButtons::YesNo);
    if (c.answer == PromptAnswer::No) {
      expectTaskKept();
      EXPECT_EQ(shownName(), task().name(3));
    } else {
      EXPECT_EQ(task().record(1), u("未截图"));
      EXPECT_EQ(task().cursor(), 1);
      EXPECT_EQ(shownName(), task().name(1));
    }
    pressIndicator(Qt::LeftButton);
    ASSERT_FALSE(program->batch.active);
  }
}

TEST_F(BatchTest, ClosingTheSettingsOfARunningBatchGivesItsKeysBack) {
  startBatch();
  ASSERT_TRUE(fixture.hotkeys.registered());
  bool releasedWhileOpen = false;
  whenModalOpens([&](QDialog& w) {
    releasedWhileOpen = !fixture.hotkeys.registered();
    w.close();
  });
  pressIndicator(Qt::RightButton);
  EXPECT_TRUE(releasedWhileOpen);
  EXPECT_TRUE(fixture.hotkeys.registered());
  press(NavigationKey::D);
  EXPECT_EQ(task().cursor(), 2);
}

}  // namespace
}  // namespace veltrix
