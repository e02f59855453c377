// Start-up settings read from a real settings file written byte by byte in GB18030.
#include "settings/startup_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/text_codec.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

class StartupSettingsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  QString path() const { return dir_.filePath(QStringLiteral("set.dll")); }

  // The file as the Windows program would leave it: GB18030 text with CRLF line ends.
  void writeSettings(const char* utf8) const {
    ASSERT_TRUE(test::writeBytes(path(), toGb18030(u(utf8)).replace("\n", "\r\n")));
  }

  SettingsStore store() const { return SettingsStore(path()); }

  QTemporaryDir dir_;
};

TEST_F(StartupSettingsTest, WithoutAFileEverythingIsDefaultAndNoFileAppears) {
  const BatchSettings batch = readBatchSettings(store());
  EXPECT_EQ(batch.namingRule, NamingRule::SameName);
  EXPECT_EQ(batch.customName, QString());
  EXPECT_EQ(batch.saveFormat, u(".JPG"));
  EXPECT_EQ(batch.saveFolder, QString());
  EXPECT_EQ(batch.sourceFolder, QString());
  EXPECT_FALSE(batch.cropSound);
  EXPECT_FALSE(batch.keepSettings);

  const QuickShotPreferences quick = readQuickShotPreferences(store());
  EXPECT_EQ(quick.quickNamingRule, NamingRule::TimeStamp);
  EXPECT_EQ(quick.quickCustomName, QString());
  EXPECT_EQ(quick.quickSaveFormat, u(".JPG"));
  EXPECT_EQ(quick.quickSaveFolder, QString());
  EXPECT_FALSE(quick.shutterSound);
  EXPECT_FALSE(quick.quickKeepSettings);

  EXPECT_TRUE(QDir(dir_.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(StartupSettingsTest, FullFileIsReadForBothSections) {
  // Each section also carries the other's flag, which must not leak across.
  writeSettings(
      "[批量截图]\n"
      "命名方式=3\n"
      "自定义命名=证件照\n"
      "保存格式=.PNG\n"
      "保存目录=/home/张三/输出\n"
      "待截图目录=/home/张三/原图\n"
      "发裁切声=真\n"
      "是否保存设置=真\n"
      "发快门声=真\n"
      "[批量速拍]\n"
      "命名方式=1\n"
      "自定义命名=速拍\n"
      "保存格式=.BMP\n"
      "保存目录=/媒体/相机\n"
      "待截图目录=/不该读到\n"
      "发快门声=真\n"
      "是否保存设置=真\n");

  const BatchSettings batch = readBatchSettings(store());
  EXPECT_EQ(batch.namingRule, NamingRule::CustomPrefix);
  EXPECT_EQ(batch.customName, u("证件照"));
  EXPECT_EQ(batch.saveFormat, u(".PNG"));
  EXPECT_EQ(batch.saveFolder, u("/home/张三/输出"));
  EXPECT_EQ(batch.sourceFolder, u("/home/张三/原图"));
  EXPECT_TRUE(batch.cropSound);
  EXPECT_TRUE(batch.keepSettings);

  const QuickShotPreferences quick = readQuickShotPreferences(store());
  EXPECT_EQ(quick.quickNamingRule, NamingRule::Sequence);
  EXPECT_EQ(quick.quickCustomName, u("速拍"));
  EXPECT_EQ(quick.quickSaveFormat, u(".BMP"));
  EXPECT_EQ(quick.quickSaveFolder, u("/媒体/相机"));
  EXPECT_TRUE(quick.shutterSound);
  EXPECT_TRUE(quick.quickKeepSettings);

  writeSettings("[批量截图]\n发快门声=真\n[批量速拍]\n发裁切声=真\n");
  EXPECT_FALSE(readBatchSettings(store()).cropSound);
  EXPECT_FALSE(readQuickShotPreferences(store()).shutterSound);
}

TEST_F(StartupSettingsTest, EmptySaveFormatMeansJpg) {
  writeSettings("[批量截图]\n保存格式=\n[批量速拍]\n保存格式=  \n");
  EXPECT_EQ(readBatchSettings(store()).saveFormat, u(".JPG"));
  EXPECT_EQ(readQuickShotPreferences(store()).quickSaveFormat, u(".JPG"));
}

TEST_F(StartupSettingsTest, NamingRuleIndexIsTheTruncatedLeadingNumberWithinTheList) {
  struct Case {
    const char* stored;
    int batchIndex;
    int quickIndex;
  };
  const Case cases[] = {
      {"2.9", 2, 2}, {" 1mm", 1, 1}, {"4", 4, 4},   {"5", 5, 0}, {"6", 0, 0},     {"9", 0, 0},
      {"-1", 0, 0},  {"-0.5", 0, 0}, {"abc", 0, 0}, {"", 0, 0},  {"1e400", 0, 0},
  };
  for (const Case& c : cases) {
    writeSettings(("[批量截图]\n命名方式=" + std::string(c.stored) +
                   "\n[批量速拍]\n命名方式=" + c.stored + "\n")
                      .c_str());
    EXPECT_EQ(readBatchSettings(store()).namingRule, kBatchRules[c.batchIndex]) << c.stored;
    EXPECT_EQ(readQuickShotPreferences(store()).quickNamingRule, kQuickRules[c.quickIndex])
        << c.stored;
    EXPECT_EQ(namingRuleIndex(u(c.stored), 6), c.batchIndex) << c.stored;
  }
}

TEST_F(StartupSettingsTest, FlagsAreOnlyTrueForTheExactTrueText) {
  struct Case {
    const char* stored;
    bool on;
  };
  const Case cases[] = {
      {"真", true}, {"\"真\"", true}, {" 真 ", true},  {"true", false}, {"TRUE", false},
      {"1", false}, {"假", false},    {"真真", false}, {"", false},
  };
  for (const Case& c : cases) {
    writeSettings(("[批量截图]\n发裁切声=" + std::string(c.stored) + "\n是否保存设置=" + c.stored +
                   "\n[批量速拍]\n发快门声=" + c.stored + "\n是否保存设置=" + c.stored + "\n")
                      .c_str());
    const BatchSettings batch = readBatchSettings(store());
    const QuickShotPreferences quick = readQuickShotPreferences(store());
    EXPECT_EQ(batch.cropSound, c.on) << c.stored;
    EXPECT_EQ(batch.keepSettings, c.on) << c.stored;
    EXPECT_EQ(quick.shutterSound, c.on) << c.stored;
    EXPECT_EQ(quick.quickKeepSettings, c.on) << c.stored;
  }
}

TEST(NamingRules, ListsHoldTheTextsWithTheirExactSpacing) {
  EXPECT_EQ(u(kBatchNamingRules[2]), u("根据截图先后用序号命名  如： 0001   0002 "));
  EXPECT_EQ(u(kQuickNamingRules[1]), u("根据拍照先后用序号命名  如： 0001   0002"));
  EXPECT_EQ(u(kBatchNamingRules[5]), u(kQuickNamingRules[4]));
  // Each label stands beside its rule in the same mode's list.
  EXPECT_EQ(kBatchNamingRules.size(), kBatchRules.size());
  EXPECT_EQ(kQuickNamingRules.size(), kQuickRules.size());
  EXPECT_EQ(kQuickRules[4], kBatchRules[5]);
}

}  // namespace
}  // namespace veltrix
