// The source folder's pictures: which entries count, in the order the file system lists them.
#include "batch/folder_scan.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

// The names as readdir gives them, for the order the scan must keep.
QStringList listed(const QString& folder) {
  QStringList names;
  DIR* dir = opendir(QFile::encodeName(folder).constData());
  while (dirent* entry = readdir(dir)) names << QFile::decodeName(entry->d_name);
  closedir(dir);
  return names;
}

TEST(FolderScan, RegularPictureFilesAndLinksToThemInListingOrder) {
  QTemporaryDir dir;
  const auto touch = [&dir](const QString& name) {
    ASSERT_TRUE(test::writeBytes(dir.filePath(name), "x"));
  };
  const struct {
    const char* name;
    bool kept;
  } entries[] = {
      {"a.JPG", true},    {"b.jpeg", true},     {"c.txt", false},    {"d.Png", true},
      {"张三.JPG", true}, {"𠮷.jpg", true},     {" lead.jpg", true}, {".hidden.gif", true},
      {"PNG", true},      {"photo.jpe", false}, {"noext", false},    {"x.bmp.txt", false},
  };
  for (const auto& entry : entries) touch(u(entry.name));
  ASSERT_TRUE(QDir(dir.path()).mkdir(u("e.jpg")));
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(u("x.jpg"))).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(dir.filePath(u("a.JPG")), dir.filePath(u("link.png"))));
  ASSERT_TRUE(QFile::link(dir.filePath(u("gone.jpg")), dir.filePath(u("broken.jpg"))));

  QStringList expected;
  for (const QString& name : listed(dir.path())) {
    for (const auto& entry : entries)
      if (entry.kept && name == u(entry.name)) expected << name;
    if (name == u("link.png")) expected << name;
  }
  ASSERT_EQ(expected.size(), 9);
  EXPECT_EQ(scanSourceFolder(dir.path()), expected);
}

TEST(FolderScan, MissingOrEmptyFolderHasNoPictures) {
  QTemporaryDir dir;
  EXPECT_TRUE(scanSourceFolder(dir.path()).isEmpty());
  EXPECT_TRUE(scanSourceFolder(dir.filePath(u("missing"))).isEmpty());
  EXPECT_TRUE(scanSourceFolder(QString()).isEmpty());
}

}  // namespace
}  // namespace veltrix
