#include "platform/file_write.h"

#include <QSaveFile>
#include <cerrno>

namespace veltrix {
namespace {

// errno is read at once after the call that failed, before anything else can change it.
WriteOutcome failure(int error) {
  return error == ENOSPC || error == EDQUOT || error == EFBIG ? WriteOutcome::DiskFull
                                                              : WriteOutcome::Failed;
}

}  // namespace

WriteOutcome replaceFileWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  errno = 0;
  // Unbuffered, a write that stops short (a full disk, a size limit) says so at once; through
  // the buffer a short write at the commit went unnoticed and a cut file was put in place.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failure(errno);
  errno = 0;
  if (file.write(bytes) != bytes.size()) {
    const int error = errno;
    file.cancelWriting();
    return failure(error);
  }
  errno = 0;
  if (!file.commit()) return failure(errno);
  return WriteOutcome::Written;
}

}  // namespace veltrix
