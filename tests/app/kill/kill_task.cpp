// A task file of 500 pictures written as a batch writes it, again and again: made anew, then
// moved through with some entries marked cropped. After a kill it is one of those two states of
// one round whole, read strictly from the file rather than through the task's forgiving reader.
#include <QDir>
#include <cstdio>

#include "batch/task_file.h"
#include "kill/kill_cases.h"
#include "kill/kill_support.h"
#include "settings/ini_document.h"

namespace veltrix::kill {
namespace {

constexpr int kEntries = 500;

QStringList namesOfRound(int round) {
  QStringList names;
  for (int i = 1; i <= kEntries; ++i) names << QStringLiteral("第%1轮-%2.jpg").arg(round).arg(i);
  return names;
}

bool markedInRound(int round, int entry) {
  return (entry + round) % 3 == 0;
}

int cursorOfRound(int round) {
  return round % kEntries + 1;
}

QString taskPath(const QString& home) {
  return taskFilePath(settingsFolderOf(home));
}

bool writeRound(const QString& path, int round) {
  std::optional<TaskFile> task = TaskFile::load(path);
  if (!task) return false;
  task->create(namesOfRound(round));
  if (task->save() != WriteOutcome::Written) return false;
  for (int entry = 1; entry <= kEntries; ++entry)
    if (markedInRound(round, entry)) task->markDone(entry);
  task->setCursor(cursorOfRound(round));
  return task->save() == WriteOutcome::Written;
}

int setup(const QString& home) {
  prepareHome(home);
  return writeRound(taskPath(home), 0) ? 0 : damaged(QStringLiteral("no task file"));
}

int run(const QString& home, quint32 seed) {
  const QString path = taskPath(home);
  markReady(home);
  for (int round = static_cast<int>(seed % 1000000) + 1;; ++round) {
    if (!writeRound(path, round)) return damaged(QStringLiteral("a task file write failed"));
  }
}

int check(const QString& home) {
  const std::optional<int> copies = startsAndReads(home);
  if (!copies) return damaged(QStringLiteral("the program did not start soundly"));
  const int strays = *copies;
  const std::optional<IniDocument> task = IniDocument::load(taskPath(home));
  if (!task) return damaged(QStringLiteral("the task file is unreadable"));
  const auto value = [&task](const QString& section, const char* key) {
    return task->value(section, QString::fromUtf8(key));
  };
  if (value(QStringLiteral("最大位置"), "最大位置") != QString::number(kEntries))
    return damaged(QStringLiteral("the count is not %1").arg(kEntries));
  const QString first = value(QStringLiteral("1"), "图片名");
  const qsizetype roundEnd = first.indexOf(u'轮');
  if (!first.startsWith(u'第') || roundEnd < 2)
    return damaged(QStringLiteral("the first entry names no round"));
  const int round = first.sliced(1, roundEnd - 1).toInt();
  const QStringList names = namesOfRound(round);
  bool made = true;   // as made anew: nothing cropped, the cursor at 1
  bool moved = true;  // as moved through and marked
  for (int entry = 1; entry <= kEntries; ++entry) {
    const QString section = QString::number(entry);
    if (value(section, "图片名") != names[entry - 1])
      return damaged(QStringLiteral("entry %1 is not of round %2").arg(entry).arg(round));
    const QString record = value(section, "操作记录");
    made = made && record == QStringLiteral("未截图");
    moved = moved && record == (markedInRound(round, entry) ? QStringLiteral("已截图")
                                                            : QStringLiteral("未截图"));
  }
  const QString cursor = value(QStringLiteral("批截位置"), "批截位置");
  made = made && cursor == QStringLiteral("1");
  moved = moved && cursor == QString::number(cursorOfRound(round));
  if (!made && !moved) return damaged(QStringLiteral("round %1 is not whole").arg(round));
  std::printf("sound: round %d %s, %d strays\n", round, moved ? "moved through" : "made anew",
              strays);
  return 0;
}

}  // namespace

KillCase taskCase() {
  return {"task", 0.5, setup, run, check};
}

}  // namespace veltrix::kill
