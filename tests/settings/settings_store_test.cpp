// SettingsStore reads and writes its own file and nothing else.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "test_files.h"
#include "write_faults.h"

namespace veltrix {
namespace {

TEST(SettingsStore, WritesAndReadsBackItsOwnFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const SettingsStore store(dir.filePath(QStringLiteral("set.dll")));
  EXPECT_EQ(store.file(), dir.filePath(QStringLiteral("set.dll")));

  EXPECT_EQ(store.read(QStringLiteral("A"), QStringLiteral("k")), QString());
  EXPECT_FALSE(QFile::exists(store.file()));

  store.write(QString::fromUtf8("批量速拍"), QStringLiteral("k"), QString::fromUtf8("真"));
  EXPECT_EQ(store.read(QString::fromUtf8("批量速拍"), QStringLiteral("K")),
            QString::fromUtf8("真"));
  QFile file(store.file());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("[\xc5\xfa\xc1\xbf\xcb\xd9\xc5\xc4]\r\nk=\xd5\xe6\r\n"));
}

TEST(SettingsStore, FailedWriteIsSilentAndCreatesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const SettingsStore store(dir.filePath(QStringLiteral("missing/set.dll")));
  store.write(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  EXPECT_EQ(store.read(QStringLiteral("A"), QStringLiteral("k")), QString());
}

// Settings are a convenience and a failed write is silent, but it never damages or replaces
// what the file held: the program starts from those settings next time.
TEST(SettingsStore, AFaultKeepsTheSettingsAsTheyWere) {
  const QByteArray earlier = "[\xc5\xfa\xc1\xbf\xcb\xd9\xc5\xc4]\r\nk=old\r\n";
  for (const test::WriteFault& fault : test::writeFaults()) {
    SCOPED_TRACE(fault.name);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings/set.dll"));
    const SettingsStore store(file);
    const SettingsStore::KeyText keys[] = {{"k", QStringLiteral("new")},
                                           {"other", QString(300, u'x')}};
    fault.around(file, earlier, [&] {
      store.write(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("new"));
      store.write(QStringLiteral("A"), keys);
      EXPECT_TRUE(test::leftAsItWas(fault, file, earlier));
      if (!fault.folderInTheWay) {
        EXPECT_EQ(store.read(QStringLiteral("批量速拍"), QStringLiteral("k")),
                  QStringLiteral("old"));
      }
    });
  }
}

// A settings file kept elsewhere through a link, as people keep their settings together: the
// file it points to takes the write and the link stays.
TEST(SettingsStore, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("dotfiles/set.dll"));
  const QString file = dir.filePath(QStringLiteral("set.dll"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dotfiles")));
  ASSERT_TRUE(test::writeBytes(target, "[A]\r\nk=old\r\n"));
  ASSERT_TRUE(QFile::link(target, file));
  SettingsStore(file).write(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("new"));
  EXPECT_TRUE(QFileInfo(file).isSymLink());
  EXPECT_EQ(test::readBytes(target), "[A]\r\nk=new\r\n");
}

}  // namespace
}  // namespace veltrix
