#include "sheet_reader_location.h"

#include <QCoreApplication>

namespace veltrix {

QString sheetReaderPath() {
  const QString chosen = qEnvironmentVariable("VELTRIX_SHEET_READER");
  if (!chosen.isEmpty()) return chosen;
  return QCoreApplication::applicationDirPath() + QStringLiteral("/veltrix-sheet-reader");
}

}  // namespace veltrix
