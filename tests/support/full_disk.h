// Writes that fail because the disk is full: a small file system filled to its last block (which
// needs root to mount), and a file size limit, which fails a write the way a FAT disk does at 4 GB
// (EFBIG). Each is put around the write under test.
#pragma once

#include <sys/mount.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <functional>
#include <vector>

#include "test_files.h"

namespace veltrix::test {

struct DiskFullFault {
  const char* name;
  // Makes the folder's disk full, then runs act; false when the fault cannot be made here.
  std::function<bool(const QString& folder, const std::function<void()>& act)> around;
};

// A tmpfs of 64 KB mounted over the folder and filled with one file, "filler"; it goes when the
// object does.
class FilledFileSystem {
 public:
  explicit FilledFileSystem(const QString& folder) : where_(QFile::encodeName(folder)) {
    QDir().mkpath(folder);
    mounted_ = mount("tmpfs", where_.constData(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted_) return;
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    ready_ = true;
  }
  ~FilledFileSystem() {
    if (mounted_) umount2(where_.constData(), MNT_DETACH);
  }
  FilledFileSystem(const FilledFileSystem&) = delete;
  FilledFileSystem& operator=(const FilledFileSystem&) = delete;

  bool ready() const { return ready_; }

 private:
  QByteArray where_;
  bool mounted_ = false;
  bool ready_ = false;
};

inline std::vector<DiskFullFault> diskFullFaults() {
  return {
      {"file system without room",
       [](const QString& folder, const std::function<void()>& act) {
         const FilledFileSystem full(folder);
         if (!full.ready()) return false;
         act();
         return true;
       }},
      {"file size limit",
       [](const QString& folder, const std::function<void()>& act) {
         if (!QDir().mkpath(folder)) return false;
         withFilesLimitedTo(16, act);
         return true;
       }},
  };
}

}  // namespace veltrix::test
