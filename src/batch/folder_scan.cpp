#include "batch/folder_scan.h"

#include <QDirIterator>

#include "view/picture_loading.h"

namespace veltrix {

QStringList scanSourceFolder(const QString& folder) {
  QStringList names;
  if (folder.isEmpty()) return names;
  // Files alone leaves out folders, pipes, sockets, devices and broken links.
  QDirIterator entries(folder, QDir::Files | QDir::Hidden);
  while (entries.hasNext()) {
    entries.next();
    if (hasPictureExtension(entries.fileName())) names.append(entries.fileName());
  }
  return names;
}

}  // namespace veltrix
