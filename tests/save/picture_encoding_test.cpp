// Encoding by extension with real codecs, the JPEG held under a real size limit, and files
// written atomically.
#include "save/picture_encoding.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "codec/image_codec.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::readBytes;
using test::u;
using test::writeBytes;

// A head-shot-sized picture with gradients and grain, so JPEG sizes differ at every quality.
QImage photo() {
  QImage image(358, 441, QImage::Format_RGB32);
  std::mt19937 random(3);
  std::uniform_int_distribution<int> grain(-6, 6);
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int n = grain(random);
      row[x] = qRgb(std::clamp(x * 255 / 358 + n, 0, 255), std::clamp(y * 255 / 441 + n, 0, 255),
                    std::clamp(128 + int(60 * std::sin(x / 20.0)) + n, 0, 255));
    }
  }
  return image;
}

struct ExtensionCase {
  const char* ext;
  std::optional<EncodedFormat> format;
};

class ExtensionFormat : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionFormat, IsKnownInAnyCase) {
  EXPECT_EQ(formatForExtension(u(GetParam().ext)), GetParam().format) << GetParam().ext;
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, ExtensionFormat,
    testing::Values(
        ExtensionCase{".bmp", EncodedFormat::Bmp}, ExtensionCase{".BMP", EncodedFormat::Bmp},
        ExtensionCase{".gif", EncodedFormat::Gif}, ExtensionCase{".Gif", EncodedFormat::Gif},
        ExtensionCase{".png", EncodedFormat::Png}, ExtensionCase{".PNG", EncodedFormat::Png},
        ExtensionCase{".jpg", EncodedFormat::Jpeg}, ExtensionCase{".JPG", EncodedFormat::Jpeg},
        ExtensionCase{".jpeg", EncodedFormat::Jpeg}, ExtensionCase{".JpEg", EncodedFormat::Jpeg},
        ExtensionCase{".tif", {}}, ExtensionCase{".jpe", {}}, ExtensionCase{"png", {}},
        ExtensionCase{".png.", {}}, ExtensionCase{"", {}}));

struct MagicCase {
  const char* ext;
  const char* magicHex;
};

class EncodedByExtension : public testing::TestWithParam<MagicCase> {};

TEST_P(EncodedByExtension, StartsWithTheFormatsMagicAndDecodes) {
  const QImage source = photo().copy(0, 0, 40, 30);
  const EncodeResult result = encodePicture(source, u(GetParam().ext), 1000, 300).value();
  EXPECT_TRUE(result.targetMet);
  EXPECT_TRUE(result.bytes.startsWith(QByteArray::fromHex(GetParam().magicHex)));
  const std::optional<QImage> decoded = decodePicture(result.bytes);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->size(), source.size());
}

INSTANTIATE_TEST_SUITE_P(Extensions, EncodedByExtension,
                         testing::Values(MagicCase{".PNG", "89504e470d0a1a0a"},
                                         MagicCase{".jpeg", "ffd8ffe0"},
                                         MagicCase{".Jpg", "ffd8ffe0"}, MagicCase{".bmp", "424d"},
                                         MagicCase{".gif", "474946383961"}));

TEST(PictureEncoding, NoPictureOrUnknownExtensionGivesNothing) {
  const struct {
    const char* name;
    QImage source;
    const char* ext;
  } cases[] = {
      {"tif", photo(), ".tif"},
      {"no extension", photo(), ""},
      {"null jpg", QImage(), ".jpg"},
      {"null png", QImage(), ".png"},
      {"null bmp", QImage(), ".bmp"},
      {"null gif", QImage(), ".gif"},
      {"empty jpg", QImage(0, 5, QImage::Format_RGB32), ".jpg"},
  };
  for (const auto& c : cases) EXPECT_FALSE(encodePicture(c.source, u(c.ext), 1000, 300)) << c.name;
}

TEST(PictureEncoding, JpegTargetBetweenQualitiesKeepsTheHighestThatFits) {
  const QImage source = photo();
  std::vector<qsizetype> sizes;
  for (int quality = 80; quality <= 85; ++quality)
    sizes.push_back(encodeImage(source, EncodedFormat::Jpeg, 300, quality).size());
  // The search relies on nothing of the kind, but this picture's sizes rise with quality, which
  // makes quality 83 the one to expect.
  ASSERT_TRUE(std::is_sorted(sizes.begin(), sizes.end()) &&
              std::adjacent_find(sizes.begin(), sizes.end()) == sizes.end());
  const qsizetype limit = (sizes[3] + sizes[4]) / 2;
  ASSERT_LT(sizes[3], limit);

  const EncodeResult result = encodePicture(source, u(".jpg"), double(limit) / 1024, 300).value();
  EXPECT_TRUE(result.targetMet);
  EXPECT_LE(result.bytes.size(), limit);
  EXPECT_EQ(result.bytes, encodeImage(source, EncodedFormat::Jpeg, 300, 83));
}

TEST(PictureEncoding, UnreachableJpegTargetReportsTheSmallestSize) {
  const QImage source = photo();
  const QByteArray smallest = encodeImage(source, EncodedFormat::Jpeg, 300, 0);
  const EncodeResult result = encodePicture(source, u(".jpg"), 1, 300).value();
  EXPECT_FALSE(result.targetMet);
  EXPECT_EQ(result.bytes, smallest);
  EXPECT_EQ(result.smallestBytes, smallest.size());
}

TEST(PictureEncoding, LosslessFormatsIgnoreTheLimit) {
  for (const char* ext : {".bmp", ".png", ".gif"}) {
    const EncodeResult result = encodePicture(photo(), u(ext), 1, 300).value();
    EXPECT_TRUE(result.targetMet) << ext;
    EXPECT_GT(result.bytes.size(), 1024) << ext;
  }
  EXPECT_EQ(encodePicture(photo(), u(".bmp"), 1, 300)->bytes.size(), 54 + 1076 * 441);
}

// ---------------------------------------------------------------------------------------------

QStringList entriesOf(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(WriteBytesToFile, CreatesTheFileWithNothingElseBeside) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("证件照.jpg"));
  ASSERT_TRUE(writeBytesToFile(path, "picture bytes"));
  EXPECT_EQ(readBytes(path), "picture bytes");
  EXPECT_EQ(entriesOf(dir), QStringList{u("证件照.jpg")});
}

TEST(WriteBytesToFile, ReplacesAnExistingFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("photo.png"));
  ASSERT_TRUE(writeBytes(path, QByteArray(5000, 'o')));
  ASSERT_TRUE(writeBytesToFile(path, "new"));
  EXPECT_EQ(readBytes(path), "new");
  EXPECT_EQ(entriesOf(dir), QStringList{u("photo.png")});
}

TEST(WriteBytesToFile, EmptyBytesMakeAnEmptyFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("empty.bmp"));
  ASSERT_TRUE(writeBytes(path, "old"));
  ASSERT_TRUE(writeBytesToFile(path, {}));
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(WriteBytesToFile, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
  QTemporaryDir dir;
  const QString target = dir.filePath(u("target.png"));
  const QString link = dir.filePath(u("link.png"));
  ASSERT_TRUE(writeBytes(target, "old"));
  ASSERT_TRUE(QFile::link(target, link));
  ASSERT_TRUE(writeBytesToFile(link, "new"));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(readBytes(target), "new");
  EXPECT_EQ(entriesOf(dir), (QStringList{u("link.png"), u("target.png")}));
}

// A write that fails midway keeps the earlier file whole and leaves no partial file beside it.
class FailingWrite : public testing::Test {
 protected:
  void expectEarlierFileKept(const QString& folder, const QString& path,
                             qsizetype size = 256 * 1024) {
    EXPECT_FALSE(writeBytesToFile(path, QByteArray(size, 'n')));
    EXPECT_EQ(readBytes(path), "earlier");
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(path).fileName()});
  }
};

TEST_F(FailingWrite, ReadOnlyFileIsNotReplaced) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("kept.jpg"));
  ASSERT_TRUE(writeBytes(path, "earlier"));
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  expectEarlierFileKept(dir.path(), path);
}

TEST_F(FailingWrite, FileSizeLimitStopsTheWrite) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("kept.jpg"));
  ASSERT_TRUE(writeBytes(path, "earlier"));
  test::withFilesLimitedTo(64 * 1024, [&] { expectEarlierFileKept(dir.path(), path); });
  // A small file goes through no buffer either: a write cut at the limit is no success.
  test::withFilesLimitedTo(16, [&] { expectEarlierFileKept(dir.path(), path, 500); });
}

TEST_F(FailingWrite, FullFileSystemKeepsTheEarlierFile) {
  QTemporaryDir dir;
  const QString mountPoint = dir.filePath(u("small"));
  ASSERT_TRUE(QDir().mkpath(mountPoint));
  const QByteArray where = QFile::encodeName(mountPoint);
  if (mount("tmpfs", where.constData(), "tmpfs", 0, "size=128k") != 0)
    GTEST_SKIP() << "mounting a small file system needs root";
  const struct Unmount {
    QByteArray where;
    ~Unmount() { umount(where.constData()); }
  } unmount{where};
  const QString path = mountPoint + u("/kept.jpg");
  ASSERT_TRUE(writeBytes(path, "earlier"));
  expectEarlierFileKept(mountPoint, path);
}

TEST(WriteBytesToFile, FailsInAMissingFolderAndCreatesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("missing/photo.jpg"));
  EXPECT_FALSE(writeBytesToFile(path, "bytes"));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(u("missing"))));
  EXPECT_TRUE(entriesOf(dir).isEmpty());
}

TEST(WriteBytesToFile, FailsOverAFolderAndLeavesItAlone) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("photo.jpg"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(u("photo.jpg")));
  EXPECT_FALSE(writeBytesToFile(path, "bytes"));
  EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_EQ(entriesOf(dir), QStringList{u("photo.jpg")});
}

}  // namespace
}  // namespace veltrix
