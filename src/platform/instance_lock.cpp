#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

#include <QFile>

namespace veltrix {

QString InstanceLock::defaultMarkerPath() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty()) folder = qEnvironmentVariable("TMPDIR");
  if (folder.isEmpty()) folder = QStringLiteral("/tmp");
  return folder + QStringLiteral("/qmrtag.txt");
}

InstanceLock::InstanceLock(QString markerPath) : markerPath_(std::move(markerPath)) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::acquire() {
  if (fd_ >= 0) return Result::Acquired;
  // Close-on-exec: a browser started by the program must not inherit the lock and keep
  // it after the program has ended.
  const int fd =
      ::open(QFile::encodeName(markerPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Result::Unavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? Result::HeldByAnother : Result::Unavailable;
  }
  fd_ = fd;
  return Result::Acquired;
}

}  // namespace veltrix
