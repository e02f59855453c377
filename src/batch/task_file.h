// The batch task file "批截任务.ini": the pictures of a batch in scan order, each with its record
// ("未截图" or "已截图"), the number of entries and the cursor. It is read once and written once
// per operation; a damaged file reads as the nearest sound task instead of hanging or failing.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "settings/ini_document.h"

namespace veltrix {

// settingsFolder + "/批截任务.ini".
QString taskFilePath(const QString& settingsFolder);

class TaskFile {
 public:
  // A missing file is an empty task. Nothing when the file cannot be read.
  static std::optional<TaskFile> load(const QString& path);

  // The entries: the stored count, read in 64 bits, never below 0, never more than the file's
  // sections and never past the last entry the file holds.
  qint64 count() const;
  // The stored cursor, brought to the nearest entry when it lies outside 1…count(); 0 for an
  // empty task.
  qint64 cursor() const;
  QString name(qint64 entry) const;
  QString record(qint64 entry) const;

  // A new task of these names over whatever the file held: the cursor at 1, the count, then each
  // entry's record and name.
  void create(const QStringList& names);
  void setCursor(qint64 entry);
  void markDone(qint64 entry);
  // Adds the scanned names that the task does not hold yet (each held name takes away one equal
  // scanned name) as new entries "未截图" after the last; false when there is none.
  bool appendNew(const QStringList& scanned);

  WriteOutcome save() const { return document_.save(); }

 private:
  explicit TaskFile(IniDocument document) : document_(std::move(document)) {}
  qint64 storedNumber(const char* key) const;
  void setEntry(qint64 entry, const QString& record, const QString& name);

  IniDocument document_;
};

}  // namespace veltrix
