// Settings folder placement and creation on real folders.
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace veltrix {
namespace {

const QString kFolderName = QString::fromUtf8("头像采集设置");

class SettingsLocationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.isValid()); }

  QString programFolder() const { return root_.filePath(QStringLiteral("program")); }
  QString configHome() const { return root_.filePath(QStringLiteral("config")); }
  QString configFolder() const { return configHome() + QStringLiteral("/veltrix/") + kFolderName; }

  QTemporaryDir root_;
};

TEST_F(SettingsLocationTest, WritableProgramFolderHoldsTheSettings) {
  ASSERT_TRUE(QDir().mkdir(programFolder()));
  const QString folder = settingsFolderFor(programFolder(), configHome());
  EXPECT_EQ(folder, programFolder() + u'/' + kFolderName);

  EXPECT_TRUE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_FALSE(QFileInfo::exists(configHome()));
}

TEST_F(SettingsLocationTest, MissingProgramFolderSendsSettingsToConfigHome) {
  const QString folder = settingsFolderFor(programFolder(), configHome());
  EXPECT_EQ(folder, configFolder());

  EXPECT_TRUE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_FALSE(QFileInfo::exists(programFolder()));
}

TEST_F(SettingsLocationTest, ProgramPathThatIsAFileSendsSettingsToConfigHome) {
  QFile file(programFolder());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(settingsFolderFor(programFolder(), configHome()), configFolder());
}

TEST_F(SettingsLocationTest, ReadOnlyProgramFolderSendsSettingsToConfigHome) {
  ASSERT_TRUE(QDir().mkdir(programFolder()));
  ASSERT_TRUE(QFile::setPermissions(programFolder(), QFile::ReadOwner | QFile::ExeOwner |
                                                         QFile::ReadGroup | QFile::ExeGroup |
                                                         QFile::ReadOther | QFile::ExeOther));
  const QString probe = programFolder() + QStringLiteral("/probe");
  if (QDir().mkdir(probe)) {
    QDir().rmdir(probe);
    GTEST_SKIP() << "this user writes into read-only folders (root)";
  }

  const QString folder = settingsFolderFor(programFolder(), configHome());
  EXPECT_EQ(folder, configFolder());
  EXPECT_TRUE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_TRUE(QDir(programFolder()).isEmpty());
}

TEST_F(SettingsLocationTest, ExistingFolderIsLeftAsItIs) {
  const QString folder = configFolder();
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile file(folder + QStringLiteral("/set.dll"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write("[A]\r\n"), 5);
  file.close();

  EXPECT_TRUE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("set.dll")});
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("[A]\r\n"));
}

TEST_F(SettingsLocationTest, FolderBesideAVanishedProgramIsNotCreatedWithParents) {
  // The program folder was there when the location was chosen but has gone since.
  const QString folder = programFolder() + u'/' + kFolderName;
  EXPECT_FALSE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_FALSE(QFileInfo::exists(programFolder()));
}

TEST_F(SettingsLocationTest, FileInTheWayIsReportedNotReplaced) {
  ASSERT_TRUE(QDir().mkdir(programFolder()));
  const QString folder = programFolder() + u'/' + kFolderName;
  QFile file(folder);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();

  EXPECT_FALSE(ensureSettingsFolder(programFolder(), folder));
  EXPECT_TRUE(QFileInfo(folder).isFile());
}

}  // namespace
}  // namespace veltrix
