// Reads a workbook (.xls or .xlsx, told by its content) in the helper process
// veltrix-sheet-reader, so that a damaged or hostile file can fail, crash or run out of memory
// there without touching the program. The helper's memory and time are capped.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <variant>

#include "sheets/workbook.h"

class QProcess;

namespace veltrix {

// Why a workbook could not be read; the window says the same to the user for each.
enum class WorkbookFailure {
  NotWorkbook,  // neither a compound file (.xls) nor a zip holding a workbook (.xlsx)
  Damaged,      // the reader refused the file or gave up on it
  Encrypted,    // saved with a password to open
  TooOld,       // written by Excel 4.0 or earlier
  TooLarge,     // beyond the reader's limits on size, memory or time
  Crashed,      // the helper ended by a signal or sent garbage
  NoHelper,     // the helper could not be started
};

using WorkbookResult = std::variant<SpreadsheetBook, WorkbookFailure>;

// Reads in the background; the event loop runs meanwhile. Deleting the reader, or starting
// another read, stops the helper at once and reports nothing.
class WorkbookReader : public QObject {
  Q_OBJECT
 public:
  explicit WorkbookReader(QObject* parent = nullptr);
  ~WorkbookReader() override;

  void start(const QString& path);
  void cancel();
  bool busy() const;

 signals:
  void finished(const veltrix::WorkbookResult& result);

 private:
  struct Run;
  // Now from start(), cancel() and the destructor; Later from inside the helper's own signals.
  enum class Release { Now, Later };

  void takeOutput();
  void complete(WorkbookResult result);
  void stop(Release release);

  std::unique_ptr<Run> run_;
  // Counts reads and stops, so that a signal of a helper already let go is known and ignored.
  quint64 generation_ = 0;
};

// The same read, waited for: for tests, benchmarks and tools.
WorkbookResult readWorkbook(const QString& path);

}  // namespace veltrix
