// SettingsStore reads and writes its own file and nothing else.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
}  // namespace veltrix
