// Keeps a second copy of the program from running: an exclusive flock on the marker file
// "qmrtag.txt" in the user's runtime folder, held for the life of the process. The lock
// belongs to the open file, so a copy that crashed or was killed leaves none behind.
#pragma once

#include <QString>

namespace veltrix {

class InstanceLock {
 public:
  enum class Result {
    Acquired,       // this process now holds the lock
    HeldByAnother,  // another copy runs
    Unavailable,    // the marker could not be opened at all; nothing guards this run
  };

  // XDG_RUNTIME_DIR, else TMPDIR, else /tmp; per user, so two users never block each other.
  static QString defaultMarkerPath();

  explicit InstanceLock(QString markerPath);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  Result acquire();

 private:
  QString markerPath_;
  int fd_ = -1;
};

}  // namespace veltrix
