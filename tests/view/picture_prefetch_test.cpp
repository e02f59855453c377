// Pictures decoded ahead: handed over only for the file asked for, and never once it changed.
#include "view/picture_prefetch.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

class PicturePrefetchTest : public testing::Test {
 protected:
  QString write(const char* name, QSize size, QRgb colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = dir.filePath(u(name));
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
  }

  static QRgb colourOf(const LoadedPicture& loaded) {
    return std::get<QImage>(loaded.decoded).pixel(0, 0);
  }

  QTemporaryDir dir;
  PicturePrefetch prefetch;
};

TEST_F(PicturePrefetchTest, TheFileAskedForComesDecodedAndFitted) {
  const QString path = write("a.png", {800, 600}, qRgb(10, 20, 30));
  prefetch.prefetch(path, {411, 279});
  std::optional<LoadedPicture> loaded = prefetch.take(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::get<QImage>(loaded->decoded).size(), QSize(800, 600));
  EXPECT_EQ(colourOf(*loaded), qRgb(10, 20, 30));
  EXPECT_EQ(loaded->fittedFor, QSize(411, 279));
  // Taken once: a second take has nothing.
  EXPECT_FALSE(prefetch.take(path));
}

TEST_F(PicturePrefetchTest, OnlyTheLatestFileAskedForIsKept) {
  const QString first = write("a.png", {40, 30}, qRgb(1, 2, 3));
  const QString second = write("b.png", {40, 30}, qRgb(4, 5, 6));
  prefetch.prefetch(first, {411, 279});
  prefetch.prefetch(second, {411, 279});
  EXPECT_FALSE(prefetch.take(first));
  prefetch.prefetch(second, {411, 279});
  std::optional<LoadedPicture> loaded = prefetch.take(second);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(colourOf(*loaded), qRgb(4, 5, 6));
}

TEST_F(PicturePrefetchTest, AFileChangedOrGoneSinceIsNotHandedOver) {
  const QString changed = write("a.png", {40, 30}, qRgb(1, 2, 3));
  prefetch.prefetch(changed, {411, 279});
  write("a.png", {50, 30}, qRgb(7, 8, 9));
  EXPECT_FALSE(prefetch.take(changed));

  const QString gone = write("b.png", {40, 30}, qRgb(1, 2, 3));
  prefetch.prefetch(gone, {411, 279});
  ASSERT_TRUE(QFile::remove(gone));
  EXPECT_FALSE(prefetch.take(gone));

  prefetch.prefetch(dir.filePath(u("never-there.png")), {411, 279});
  EXPECT_FALSE(prefetch.take(dir.filePath(u("never-there.png"))));
}

}  // namespace
}  // namespace veltrix
