#include "settings/leftover_copies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace veltrix {

int removeLeftoverCopies(const QString& folder, const QStringList& names) {
  int removed = 0;
  const QDir dir(folder);
  for (const QString& name : names) {
    const QRegularExpression copy(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(name) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    for (const QFileInfo& entry :
         dir.entryInfoList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden)) {
      if (!entry.isSymLink() && copy.match(entry.fileName()).hasMatch() &&
          QFile::remove(entry.filePath()))
        ++removed;
    }
  }
  return removed;
}

}  // namespace veltrix
