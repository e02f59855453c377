// The task file read and written as a whole: a new task's keys in their order, names that read
// back exactly, new pictures appended, and damaged files read as the nearest sound task.
#include "batch/task_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/text_codec.h"
#include "settings/ini_file.h"
#include "test_files.h"
#include "write_faults.h"

namespace veltrix {
namespace {

using test::u;

class TaskFileTest : public testing::Test {
 protected:
  QString path() const { return dir.filePath(u("批截任务.ini")); }

  TaskFile loaded() const {
    std::optional<TaskFile> task = TaskFile::load(path());
    EXPECT_TRUE(task);
    return task.value_or(*TaskFile::load(dir.filePath(u("none.ini"))));
  }

  void writeFile(const char* utf8) const {
    ASSERT_TRUE(test::writeBytes(path(), toGb18030(u(utf8))));
  }

  QTemporaryDir dir;
};

TEST_F(TaskFileTest, NewTaskIsTheOneKeyWritesInTheirOrder) {
  const QStringList names = {u("a.JPG"), u("张三.jpg"), u("𠮷.png")};
  TaskFile task = loaded();
  task.create(names);
  ASSERT_EQ(task.save(), WriteOutcome::Written);

  const QString oneByOne = dir.filePath(u("one-by-one.ini"));
  iniWrite(oneByOne, u("批截位置"), u("批截位置"), u("1"));
  iniWrite(oneByOne, u("最大位置"), u("最大位置"), u("3"));
  for (int i = 0; i < names.size(); ++i) {
    iniWrite(oneByOne, QString::number(i + 1), u("操作记录"), u("未截图"));
    iniWrite(oneByOne, QString::number(i + 1), u("图片名"), names[i]);
  }
  EXPECT_EQ(test::readBytes(path()), test::readBytes(oneByOne));

  const TaskFile reread = loaded();
  EXPECT_EQ(reread.count(), 3);
  EXPECT_EQ(reread.cursor(), 1);
  for (int i = 0; i < names.size(); ++i) {
    EXPECT_EQ(reread.name(i + 1), names[i]);
    EXPECT_EQ(reread.record(i + 1), u("未截图"));
  }
}

// Line breaks too: a name that read back with a space for its break would name another file.
TEST_F(TaskFileTest, NamesReadBackExactly) {
  const QStringList names = {u(" lead.jpg"),          u("trail .jpg "), u("\"quoted\".jpg"),
                             u("'single'.png"),       u("𠮷 ☃.gif"),    u("a=b;c.bmp"),
                             u("a\nb.jpg"),           u("a b.jpg"),     u("a\rb.jpg"),
                             u("\r\n.png"),           u("end.jpg\n"),   u(" both\r\n "),
                             u("\n[1]\n图片名=x.jpg")};
  TaskFile task = loaded();
  task.create(names);
  ASSERT_EQ(task.save(), WriteOutcome::Written);
  TaskFile reread = loaded();
  ASSERT_EQ(reread.count(), names.size());
  for (int i = 0; i < names.size(); ++i) EXPECT_EQ(reread.name(i + 1), names[i]) << i;
  EXPECT_FALSE(reread.appendNew(names));
}

TEST_F(TaskFileTest, CursorAndRecordsAreWrittenOnSave) {
  TaskFile task = loaded();
  task.create({u("a.jpg"), u("b.jpg"), u("c.jpg")});
  task.setCursor(3);
  task.markDone(2);
  ASSERT_EQ(task.save(), WriteOutcome::Written);
  const TaskFile reread = loaded();
  EXPECT_EQ(reread.cursor(), 3);
  EXPECT_EQ(reread.record(2), u("已截图"));
  EXPECT_EQ(reread.record(3), u("未截图"));
}

TEST_F(TaskFileTest, NewPicturesAreAppendedInScanOrder) {
  TaskFile task = loaded();
  task.create({u("a.jpg"), u("b.jpg"), u("a.jpg")});
  EXPECT_FALSE(task.appendNew({u("b.jpg"), u("a.jpg"), u("a.jpg")}));
  EXPECT_FALSE(task.appendNew({}));
  // One "a.jpg" more than the task holds, and two new names.
  EXPECT_TRUE(
      task.appendNew({u("n.jpg"), u("a.jpg"), u("b.jpg"), u("a.jpg"), u("a.jpg"), u("m.jpg")}));
  EXPECT_EQ(task.count(), 6);
  EXPECT_EQ(task.name(4), u("n.jpg"));
  EXPECT_EQ(task.name(5), u("a.jpg"));
  EXPECT_EQ(task.name(6), u("m.jpg"));
  EXPECT_EQ(task.record(6), u("未截图"));
}

TEST_F(TaskFileTest, DamagedNumbersReadAsTheNearestSoundTask) {
  const struct {
    const char* count;
    const char* cursor;
    qint64 entries;
    qint64 at;
  } cases[] = {
      {"3", "2", 3, 2},
      {"99999999999999999999", "2", 3, 2},
      {"9223372036854775807", "9223372036854775807", 3, 3},
      {"2147483648", "-2147483649", 3, 1},
      {"-5", "1", 0, 0},
      {"abc", "1", 0, 0},
      {"", "", 0, 0},
      {"3", "0", 3, 1},
      {"3", "1e30", 3, 3},
      {"2", "x", 2, 1},
  };
  for (const auto& c : cases) {
    writeFile(("[批截位置]\r\n批截位置=" + std::string(c.cursor) +
               "\r\n[最大位置]\r\n最大位置=" + c.count +
               "\r\n[1]\r\n图片名=a.jpg\r\n[2]\r\n图片名=b.jpg\r\n[3]\r\n图片名=c.jpg\r\n")
                  .c_str());
    const TaskFile task = loaded();
    EXPECT_EQ(task.count(), c.entries) << c.count << ' ' << c.cursor;
    EXPECT_EQ(task.cursor(), c.at) << c.count << ' ' << c.cursor;
  }
}

// Hostile task files: each reads as the nearest sound task, and a scan's names still go after
// its last entry at once.
TEST(HostileTaskFile, ReadsAsTheNearestSoundTask) {
  const struct {
    const char* file;
    qint64 entries;
    qint64 at;
  } cases[] = {
      // The count names a section of its own far past a gap, so every loop over the entries
      // would run for billions of rounds.
      {"task-count-past-a-gap.ini", 1, 1},
  };
  for (const auto& c : cases) {
    std::optional<TaskFile> task =
        TaskFile::load(QStringLiteral(VELTRIX_TEST_DATA "/") + QString::fromUtf8(c.file));
    ASSERT_TRUE(task) << c.file;
    EXPECT_EQ(task->count(), c.entries) << c.file;
    EXPECT_EQ(task->cursor(), c.at) << c.file;
    EXPECT_TRUE(task->appendNew({u("new.jpg")})) << c.file;
    EXPECT_EQ(task->count(), c.entries + 1) << c.file;
    EXPECT_EQ(task->name(c.entries + 1), u("new.jpg")) << c.file;
  }
}

// A task that cannot be written says so and leaves the file as it was: the batch resumes from
// the last task written whole. A folder in the way is no task file to begin with.
TEST(TaskFileFaults, AFaultKeepsTheTaskAsItWas) {
  const QByteArray earlier =
      toGb18030(u("[批截位置]\r\n批截位置=2\r\n[最大位置]\r\n最大位置=2\r\n[1]\r\n操作记录="
                  "已截图\r\n图片名=a.jpg\r\n[2]\r\n操作记录=未截图\r\n图片名=b.jpg\r\n"));
  for (const test::WriteFault& fault : test::writeFaults()) {
    SCOPED_TRACE(fault.name);
    QTemporaryDir dir;
    const QString path = dir.filePath(u("settings/批截任务.ini"));
    fault.around(path, earlier, [&] {
      std::optional<TaskFile> task = TaskFile::load(path);
      if (fault.folderInTheWay) {
        EXPECT_FALSE(task);
      } else {
        ASSERT_TRUE(task);
        const WriteOutcome told = fault.diskFull ? WriteOutcome::DiskFull : WriteOutcome::Failed;
        task->create({u("c.jpg"), u("d.jpg"), u("e.jpg")});
        EXPECT_EQ(task->save(), told);
        task->markDone(2);
        task->setCursor(3);
        EXPECT_EQ(task->save(), told);
        const std::optional<TaskFile> kept = TaskFile::load(path);
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->count(), 2);
        EXPECT_EQ(kept->cursor(), 2);
        EXPECT_EQ(kept->record(1), u("已截图"));
        EXPECT_EQ(kept->name(2), u("b.jpg"));
      }
      EXPECT_TRUE(test::leftAsItWas(fault, path, earlier));
    });
  }
}

}  // namespace
}  // namespace veltrix
