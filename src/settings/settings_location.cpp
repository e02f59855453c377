// Settings folder placement and creation.
#include "settings/settings_location.h"

#include <QDir>
#include <QFileInfo>

namespace veltrix {

namespace {

constexpr char kFolderName[] = "头像采集设置";

}  // namespace

QString settingsFolderFor(const QString& programFolder, const QString& configHome) {
  const QString name = QString::fromUtf8(kFolderName);
  const QFileInfo program(programFolder);
  if (!programFolder.isEmpty() && program.isDir() && program.isWritable())
    return programFolder + u'/' + name;
  return configHome + QStringLiteral("/veltrix/") + name;
}

bool ensureSettingsFolder(const QString& programFolder, const QString& folder) {
  if (folder.isEmpty()) return false;
  if (QFileInfo(folder).isDir()) return true;
  // Beside the program the folder's parent is the program folder itself, which must not be
  // conjured up when it has gone.
  const bool besideProgram =
      !programFolder.isEmpty() && QDir::cleanPath(QFileInfo(folder).absolutePath()) ==
                                      QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
  QDir root;
  if (besideProgram)
    root.mkdir(folder);
  else
    root.mkpath(folder);
  return QFileInfo(folder).isDir();
}

}  // namespace veltrix
