// The carried help page written out on real folders and handed to the desktop to open.
#include "app/help_file.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "fake_url_opener.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::FakeUrlOpener;
using test::readBytes;
using test::u;
using test::writeBytes;

const QDateTime kLongAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

bool setModified(const QString& path, const QDateTime& when) {
  QFile file(path);
  return file.open(QIODevice::ReadWrite) &&
         file.setFileTime(when, QFileDevice::FileModificationTime);
}

QDateTime modified(const QString& path) {
  return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

// The pictures the page shows, as written in its <img> tags.
QStringList pagePictures() {
  static const QRegularExpression source(QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""));
  QStringList pictures;
  const QString page = QString::fromUtf8(carriedHelpPage());
  for (auto match = source.globalMatch(page); match.hasNext();)
    pictures.append(match.next().captured(1));
  return pictures;
}

class HelpFileTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.isValid()); }

  QString path(const char* name) const { return root_.filePath(u(name)); }

  QTemporaryDir root_;
  FakeUrlOpener opener_;
};

TEST_F(HelpFileTest, CarriedDigestIsTheMd5OfTheCarriedPage) {
  const QByteArray page = carriedHelpPage();
  ASSERT_FALSE(page.isEmpty());
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(carriedHelpDigest()).hasMatch());
  EXPECT_EQ(carriedHelpDigest(),
            QString::fromLatin1(QCryptographicHash::hash(page, QCryptographicHash::Md5).toHex()));
}

TEST_F(HelpFileTest, PageIsUtf8AndNeedsNothingButItsPictures) {
  const QByteArray bytes = carriedHelpPage();
  const QString page = QString::fromUtf8(bytes);
  EXPECT_EQ(page.toUtf8(), bytes);
  EXPECT_TRUE(page.contains(u("<meta charset=\"utf-8\">")));
  EXPECT_TRUE(page.contains(u("“使用批量截图模式”")));
  EXPECT_FALSE(page.contains(u("http://")));
  EXPECT_FALSE(page.contains(u("https://")));
  EXPECT_FALSE(page.contains(u("<link")));
  EXPECT_FALSE(page.contains(u("<script")));
  const QStringList pictures = pagePictures();
  ASSERT_FALSE(pictures.isEmpty());
  for (const QString& picture : pictures)
    EXPECT_TRUE(picture.startsWith(u("images/"))) << picture.toStdString();
}

TEST_F(HelpFileTest, MissingPageIsWrittenAndOpened) {
  const QString folder = path("nested/help");
  openHelp(opener_, folder);

  const QString page = helpFileName(folder);
  EXPECT_EQ(readBytes(page), carriedHelpPage());
  ASSERT_EQ(opener_.opened.size(), 1);
  EXPECT_EQ(opener_.opened.front(), QUrl::fromLocalFile(page));
  EXPECT_TRUE(opener_.opened.front().isLocalFile());
  EXPECT_EQ(opener_.opened.front().toLocalFile(), folder + u("/Veltrix使用帮助.html"));
}

TEST_F(HelpFileTest, OneChangedByteIsRestored) {
  const QString folder = path("help");
  ASSERT_TRUE(ensureHelpFile(folder));
  const QString page = helpFileName(folder);
  QByteArray changed = carriedHelpPage();
  changed[changed.size() / 2] = static_cast<char>(changed[changed.size() / 2] ^ 0x01);
  ASSERT_TRUE(writeBytes(page, changed));

  EXPECT_TRUE(ensureHelpFile(folder));
  EXPECT_EQ(readBytes(page), carriedHelpPage());
}

TEST_F(HelpFileTest, CurrentFilesAreNotRewritten) {
  const QString folder = path("help");
  ASSERT_TRUE(ensureHelpFile(folder));
  const QString page = helpFileName(folder);
  const QString picture = folder + u'/' + pagePictures().front();
  ASSERT_TRUE(setModified(page, kLongAgo));
  ASSERT_TRUE(setModified(picture, kLongAgo));

  EXPECT_TRUE(ensureHelpFile(folder));
  openHelp(opener_, folder);
  EXPECT_EQ(modified(page), kLongAgo);
  EXPECT_EQ(modified(picture), kLongAgo);
}

TEST_F(HelpFileTest, PicturesAreWrittenBesideThePage) {
  const QString folder = path("help");
  ASSERT_TRUE(ensureHelpFile(folder));

  for (const QString& picture : pagePictures()) {
    const QByteArray carried = readBytes(u(":/help/") + picture);
    ASSERT_FALSE(carried.isEmpty()) << picture.toStdString();
    EXPECT_EQ(readBytes(folder + u'/' + picture), carried) << picture.toStdString();
  }
}

TEST_F(HelpFileTest, DamagedOrMissingPicturesAreRestored) {
  const QString folder = path("help");
  ASSERT_TRUE(ensureHelpFile(folder));
  const QStringList pictures = pagePictures();
  ASSERT_GE(pictures.size(), 2);
  const QString damaged = folder + u'/' + pictures[0];
  const QString removed = folder + u'/' + pictures[1];
  QByteArray bytes = readBytes(damaged);
  bytes.chop(1);
  ASSERT_TRUE(writeBytes(damaged, bytes));
  ASSERT_TRUE(QFile::remove(removed));

  EXPECT_TRUE(ensureHelpFile(folder));
  EXPECT_EQ(readBytes(damaged), readBytes(u(":/help/") + pictures[0]));
  EXPECT_EQ(readBytes(removed), readBytes(u(":/help/") + pictures[1]));
}

TEST_F(HelpFileTest, HelpFileNameIsInTheFolder) {
  EXPECT_EQ(helpFileName(u("/opt/veltrix")), u("/opt/veltrix/Veltrix使用帮助.html"));
}

TEST_F(HelpFileTest, WritableProgramFolderHoldsThePage) {
  const QString program = path("program");
  ASSERT_TRUE(QDir().mkdir(program));
  EXPECT_EQ(helpFileFolder(program, path("config")), program);
}

TEST_F(HelpFileTest, MissingProgramFolderSendsThePageToConfigHome) {
  const QString program = path("program");
  const QString folder = helpFileFolder(program, path("config"));
  EXPECT_EQ(folder, path("config/veltrix"));

  openHelp(opener_, folder);
  EXPECT_EQ(readBytes(path("config/veltrix/Veltrix使用帮助.html")), carriedHelpPage());
  EXPECT_FALSE(QFileInfo::exists(program));
  ASSERT_EQ(opener_.opened.size(), 1);
  EXPECT_EQ(opener_.opened.front(),
            QUrl::fromLocalFile(path("config/veltrix/Veltrix使用帮助.html")));
}

TEST_F(HelpFileTest, ReadOnlyProgramFolderSendsThePageToConfigHome) {
  const QString program = path("program");
  ASSERT_TRUE(QDir().mkdir(program));
  ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                 QFile::ExeGroup | QFile::ReadOther |
                                                 QFile::ExeOther));
  const QString probe = program + u("/probe");
  if (QDir().mkdir(probe)) {
    QDir().rmdir(probe);
    GTEST_SKIP() << "this user writes into read-only folders (root)";
  }

  EXPECT_EQ(helpFileFolder(program, path("config")), path("config/veltrix"));
}

TEST_F(HelpFileTest, FileInTheWayFailsQuietlyAndTheAddressIsStillOpened) {
  const QString blocker = path("blocker");
  ASSERT_TRUE(writeBytes(blocker, "not a folder"));
  const QString folder = blocker + u("/help");

  EXPECT_FALSE(ensureHelpFile(folder));
  openHelp(opener_, folder);
  ASSERT_EQ(opener_.opened.size(), 1);
  EXPECT_EQ(opener_.opened.front(), QUrl::fromLocalFile(helpFileName(folder)));
  EXPECT_EQ(readBytes(blocker), QByteArray("not a folder"));
}

TEST_F(HelpFileTest, PageInTheWayOfItselfIsReportedNotRemoved) {
  const QString folder = path("help");
  ASSERT_TRUE(QDir().mkpath(helpFileName(folder)));

  EXPECT_FALSE(ensureHelpFile(folder));
  EXPECT_TRUE(QFileInfo(helpFileName(folder)).isDir());
}

TEST_F(HelpFileTest, HomePageWithoutAnAddressOpensTheHelpPage) {
  ASSERT_STREQ(kHomePageAddress, "");
  const QString folder = path("help");
  openHomePage(opener_, folder);

  ASSERT_EQ(opener_.opened.size(), 1);
  EXPECT_EQ(opener_.opened.front(), QUrl::fromLocalFile(helpFileName(folder)));
  EXPECT_EQ(readBytes(helpFileName(folder)), carriedHelpPage());
}

}  // namespace
}  // namespace veltrix
