// Fuzzes the batch task file as the batch reads it at start: its count and cursor, the entries
// up to the cursor, and a scan's new names added after the last entry.
#include <QString>
#include <QStringList>

#include "batch/task_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const std::string path = fuzz::inputFile(data, size, ".ini");
  std::optional<TaskFile> task = TaskFile::load(QString::fromStdString(path));
  if (!task) return 0;
  const qint64 count = task->count();
  const qint64 cursor = task->cursor();
  fuzz::check(count >= 0, "a count of no fewer than 0 entries");
  fuzz::check(count == 0 ? cursor == 0 : cursor >= 1 && cursor <= count, "a cursor on an entry");
  task->name(cursor);
  task->record(cursor);
  const QStringList scanned{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
  task->appendNew(scanned);
  fuzz::check(task->count() >= count, "appending keeps the entries held");
  return 0;
}
