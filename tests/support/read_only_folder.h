// A folder that no write can change, for root too: for root a small file system is mounted
// read-only over it, for anyone else the folder's write permission is taken away. Its files are
// put in before it turns read-only.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <functional>

namespace veltrix::test {

class ReadOnlyFolder {
 public:
  ReadOnlyFolder(const QString& path, const std::function<void()>& fill)
      : path_(path), where_(QFile::encodeName(path)) {
    QDir().mkpath(path);
    if (geteuid() == 0) {
      mounted_ = mount("tmpfs", where_.constData(), "tmpfs", 0, "size=1m") == 0;
      if (!mounted_) return;
      fill();
      ready_ = mount(nullptr, where_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    } else {
      fill();
      ready_ = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
  }
  ~ReadOnlyFolder() {
    if (mounted_)
      umount2(where_.constData(), MNT_DETACH);
    else
      QFile::setPermissions(
          path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // False when the folder could not be made read-only (root without the right to mount).
  bool ready() const { return ready_; }

 private:
  QString path_;
  QByteArray where_;
  bool mounted_ = false;
  bool ready_ = false;
};

}  // namespace veltrix::test
