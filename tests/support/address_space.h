// The process's address space, for tests that leave a process too little memory for a picture
// (RLIMIT_AS in a child process of its own, as death tests run).
#pragma once

#include <sys/resource.h>

#include <QFile>

namespace veltrix::test {

// The address space in use as it stands, from /proc; 0 when it cannot be read.
inline rlim_t addressSpaceInUse() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmSize:"))
      return rlim_t(line.mid(7).trimmed().split(' ').first().toULongLong()) * 1024;
  }
  return 0;
}

// Lets the process map only `spare` bytes more than it has now.
inline void leaveAddressSpace(rlim_t spare) {
  const rlimit tight{addressSpaceInUse() + spare, RLIM_INFINITY};
  setrlimit(RLIMIT_AS, &tight);
}

}  // namespace veltrix::test
