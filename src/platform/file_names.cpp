#include "platform/file_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>

#include "platform/text_codec.h"

namespace veltrix {
namespace {

// The entry of the folder whose name reads as path's file name, when path's own bytes name
// nothing; empty otherwise. Only the last part of the path is looked for, as only a folder's
// pictures are listed by decodedFileName.
QByteArray entryReadAs(const QString& path) {
  const QByteArray asUtf8 = QFile::encodeName(path);
  struct stat info {};
  if (lstat(asUtf8.constData(), &info) == 0) return {};
  const QFileInfo place(path);
  const QByteArray folder = QFile::encodeName(place.path());
  const QString name = place.fileName();
  DIR* entries = opendir(folder.constData());
  if (!entries) return {};
  QByteArray found;
  while (const dirent* entry = readdir(entries)) {
    const QByteArray bytes(entry->d_name);
    if (decodedFileName(bytes) == name) {
      found = folder + '/' + bytes;
      break;
    }
  }
  closedir(entries);
  return found;
}

}  // namespace

QString decodedFileName(const QByteArray& bytes) {
  const QString utf8 = QString::fromUtf8(bytes);
  // Bytes that are no UTF-8 come back as U+FFFD, whose bytes differ from them.
  if (utf8.toUtf8() == bytes) return utf8;
  return fromGb18030(bytes);
}

bool openForReading(QFile& file, const QString& path) {
  file.setFileName(path);
  if (file.open(QIODevice::ReadOnly)) return true;
  const QByteArray native = entryReadAs(path);
  if (native.isEmpty()) return false;
  // Not waiting on a pipe that took a picture's name: only a regular file is read.
  const int handle = open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (handle < 0) return false;
  struct stat info {};
  if (fstat(handle, &info) == 0 && S_ISREG(info.st_mode) &&
      file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    return true;
  close(handle);
  return false;
}

bool isFileAt(const QString& path) {
  if (QFileInfo(path).isFile()) return true;
  const QByteArray native = entryReadAs(path);
  struct stat info {};
  return !native.isEmpty() && stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace veltrix
