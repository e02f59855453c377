// The process's own memory as the benchmarks read it: resident pages, and the heap in use.
#pragma once

#include <malloc.h>
#include <unistd.h>

#include <QFile>
#include <QList>
#include <cmath>

namespace veltrix::bench {

inline double residentMb() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return NAN;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() < 2 ? NAN : fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1 << 20);
}

// What the allocator has handed out and not had back: unlike resident memory, it is not held up
// by memory freed into the allocator's free lists.
inline double heapInUseMb() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd) / (1 << 20);
}

}  // namespace veltrix::bench
