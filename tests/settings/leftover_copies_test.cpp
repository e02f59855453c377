// Copies a killed replace left beside the settings and task files go; nothing else does.
#include "settings/leftover_copies.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

TEST(LeftoverCopies, OnlyCopiesOfTheNamedFilesAreRemoved) {
  QTemporaryDir dir;
  const struct {
    const char* name;
    bool removed;
  } entries[] = {
      {"set.dll", false},        {"set.dll.wKHBgT", true},
      {"批截任务.ini", false},   {"批截任务.ini.XSz9EP", true},
      {"set.dll.bak", false},    {"set.dll.wKHBgT7", false},
      {"set.dll.wK-BgT", false}, {"other.ini.AbC123", false},
      {"SET.DLL.AbC123", false},
  };
  for (const auto& entry : entries) ASSERT_TRUE(test::writeBytes(dir.filePath(u(entry.name)), "x"));
  // A folder or a link of such a name is no copy a replace leaves.
  ASSERT_TRUE(QDir(dir.path()).mkdir(u("set.dll.Folder")));
  ASSERT_TRUE(QFile::link(dir.filePath(u("set.dll")), dir.filePath(u("set.dll.Link12"))));

  EXPECT_EQ(removeLeftoverCopies(dir.path(), {u("set.dll"), u("批截任务.ini")}), 2);
  for (const auto& entry : entries)
    EXPECT_EQ(QFile::exists(dir.filePath(u(entry.name))), !entry.removed) << entry.name;
  EXPECT_TRUE(QFileInfo(dir.filePath(u("set.dll.Folder"))).isDir());
  EXPECT_TRUE(QFileInfo(dir.filePath(u("set.dll.Link12"))).isSymLink());
}

}  // namespace
}  // namespace veltrix
