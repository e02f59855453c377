// The faults a file write meets, each put around the write under test: a full file system (a
// file size limit), a read-only folder, and a folder standing where the file should be. Where a
// file can be, it holds earlier bytes first, which the failed write must leave as they were. The
// user is told a full disk as such and the other faults alike.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <vector>

#include "read_only_folder.h"
#include "test_files.h"

namespace veltrix::test {

struct WriteFault {
  const char* name;
  bool folderInTheWay;
  bool diskFull;
  // Puts the fault on path, then runs act inside it; false when the fault cannot be made here.
  std::function<bool(const QString& path, const QByteArray& earlier,
                     const std::function<void()>& act)>
      around;
};

inline std::vector<WriteFault> writeFaults() {
  const auto folderOf = [](const QString& path) { return QFileInfo(path).absolutePath(); };
  return {
      {"full file system", false, true,
       [folderOf](const QString& path, const QByteArray& earlier,
                  const std::function<void()>& act) {
         if (!QDir().mkpath(folderOf(path)) || !writeBytes(path, earlier)) return false;
         withFilesLimitedTo(16, act);
         return true;
       }},
      {"read-only folder", false, false,
       [folderOf](const QString& path, const QByteArray& earlier,
                  const std::function<void()>& act) {
         const ReadOnlyFolder folder(folderOf(path), [&] { writeBytes(path, earlier); });
         if (!folder.ready()) return false;
         act();
         return true;
       }},
      {"folder in the way", true, false,
       [](const QString& path, const QByteArray&, const std::function<void()>& act) {
         if (!QDir().mkpath(path)) return false;
         act();
         return true;
       }},
  };
}

// What the user is told when the picture at path cannot be written under the fault.
inline QString pictureNotWrittenText(const WriteFault& fault, const QString& path) {
  const QString file = QDir::toNativeSeparators(path);
  if (fault.diskFull)
    return u("磁盘空间已满，图片文件“") + file + u("”无法写入。请清理“") +
           QDir::toNativeSeparators(QFileInfo(path).path()) +
           u("”所在磁盘的空间，或换一个保存目录。");
  return u("图片文件“") + file + u("”无法写入，请检查保存位置是否存在且可写。");
}

// The same for the batch task file at path.
inline QString taskNotWrittenText(const WriteFault& fault, const QString& path) {
  const QString file = QDir::toNativeSeparators(path);
  if (fault.diskFull)
    return u("磁盘空间已满，批截任务文件“") + file + u("”无法写入。请清理“") +
           QDir::toNativeSeparators(QFileInfo(path).path()) + u("”所在磁盘的空间后再继续。");
  return u("批截任务文件“") + file + u("”无法写入，请检查该文件所在目录是否存在且可写。");
}

// Whether the place is as the fault left it before the write: the earlier bytes, or the folder in
// the way, and nothing beside them.
inline testing::AssertionResult leftAsItWas(const WriteFault& fault, const QString& path,
                                            const QByteArray& earlier) {
  const QFileInfo place(path);
  if (fault.folderInTheWay ? !place.isDir() : readBytes(path) != earlier)
    return testing::AssertionFailure() << qPrintable(path) << " was changed";
  const QStringList entries =
      place.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  if (entries != QStringList{place.fileName()})
    return testing::AssertionFailure() << "beside it: " << qPrintable(entries.join(u' '));
  return testing::AssertionSuccess();
}

}  // namespace veltrix::test
