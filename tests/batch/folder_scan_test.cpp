// The source folder's pictures: which entries count, in the order a file manager shows them, and
// names from Windows zips read as the class list wrote them.
#include "batch/folder_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "platform/text_codec.h"
#include "test_files.h"
#include "view/picture_loading.h"

namespace veltrix {
namespace {

using test::u;

TEST(FolderScan, RegularPictureFilesAndLinksToThem) {
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

  QStringList scanned = scanSourceFolder(dir.path());
  scanned.sort();
  QStringList expected = {u("link.png")};
  for (const auto& entry : entries)
    if (entry.kept) expected << u(entry.name);
  expected.sort();
  EXPECT_EQ(scanned, expected);
}

TEST(FolderScan, MissingOrEmptyFolderHasNoPictures) {
  QTemporaryDir dir;
  EXPECT_TRUE(scanSourceFolder(dir.path()).isEmpty());
  EXPECT_TRUE(scanSourceFolder(dir.filePath(u("missing"))).isEmpty());
  EXPECT_TRUE(scanSourceFolder(QString()).isEmpty());
}

// Whatever order the disk keeps them in, the names come as a file manager of a Chinese desktop
// lists them: digits as numbers, Chinese by pinyin before Latin letters, letter case aside.
TEST(FolderScan, NamesComeInNaturalOrder) {
  const char* const ordered[] = {
      "1.jpg", "2.jpg", "10.jpg", "李四.jpg", "王五.jpg",  "王五2.jpg",  "王五10.jpg", "张三.jpg",
      "A.jpg", "a.jpg", "b.jpg",  "IMG2.png", "img10.png", "img100.png", "Z9 1.jpg",   "z9 10.jpg",
  };
  const int count = std::size(ordered);
  // Made in three different orders, each of which leaves its own trace on the disk.
  for (const int step : {1, 5, 7}) {
    SCOPED_TRACE(step);
    QTemporaryDir dir;
    for (int i = 0; i < count; ++i)
      ASSERT_TRUE(test::writeBytes(dir.filePath(u(ordered[(i * step + 3) % count])), "x"));
    QStringList expected;
    for (const char* name : ordered) expected << u(name);
    EXPECT_EQ(scanSourceFolder(dir.path()), expected);
  }
}

// A class photographed on a Windows computer and unpacked here keeps its GBK names: each is read
// as GB18030, and the file is found again by the name it was read as.
TEST(FolderScan, NamesThatAreNotUtf8AreReadAsGb18030) {
  QTemporaryDir dir;
  const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200)};
  const char* const names[] = {"王五.png", "张三.PNG", "赵六 2.png"};
  for (int i = 0; i < 3; ++i) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(colours[i]);
    const QString png = dir.filePath(u("made.png"));
    ASSERT_TRUE(picture.save(png, "PNG"));
    const QByteArray raw = QFile::encodeName(dir.path()) + '/' + toGb18030(u(names[i]));
    std::ofstream(raw.constData(), std::ios::binary) << test::readBytes(png).toStdString();
    ASSERT_TRUE(QFile::remove(png));
  }
  ASSERT_TRUE(test::writeBytes(dir.filePath(u("李四.png")), "x"));

  EXPECT_EQ(scanSourceFolder(dir.path()),
            (QStringList{u("李四.png"), u("王五.png"), u("张三.PNG"), u("赵六 2.png")}));
  for (int i = 0; i < 3; ++i) {
    const LoadedPicture shown = decodeForView(dir.path() + u'/' + u(names[i]), QSize(100, 100));
    const QImage* picture = std::get_if<QImage>(&shown.decoded);
    ASSERT_NE(picture, nullptr) << names[i];
    EXPECT_EQ(picture->pixel(3, 3), colours[i]) << names[i];
  }
}

}  // namespace
}  // namespace veltrix
