// File names of saved pictures, checked against real folders.
#include "save/output_naming.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settings/naming_rules.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

class OutputNaming : public testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  QString folder() const { return dir_.path(); }
  void touch(const QString& name) const {
    ASSERT_TRUE(test::writeBytes(path(name), "x")) << name.toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(OutputNaming, TimeStampsDropLeadingZeros) {
  const struct {
    QDate date;
    QTime time;
    const char* name;
  } cases[] = {
      {{2022, 1, 10}, {11, 45, 23}, "2022-1-10 11-45-23"},
      {{2023, 3, 5}, {7, 8, 9}, "2023-3-5 7-8-9"},
      {{2024, 12, 31}, {23, 59, 59}, "2024-12-31 23-59-59"},
      {{2025, 6, 1}, {0, 0, 0}, "2025-6-1 0-0-0"},
      {{2021, 10, 2}, {13, 0, 5}, "2021-10-2 13-0-5"},
  };
  for (const auto& c : cases) EXPECT_EQ(timeStampName(QDateTime(c.date, c.time)), u(c.name));
}

TEST_F(OutputNaming, TakenNamesIncludeFoldersAndIgnoreCase) {
  touch("xxx0001.JPG");
  ASSERT_TRUE(QDir(folder()).mkdir("Sub"));
  EXPECT_TRUE(nameTaken(path("xxx0001.JPG")));
  EXPECT_TRUE(nameTaken(path("xxx0001.jpg")));
  EXPECT_TRUE(nameTaken(path("XXX0001.Jpg")));
  EXPECT_TRUE(nameTaken(path("sub")));
  EXPECT_FALSE(nameTaken(path("xxx0002.jpg")));
  EXPECT_FALSE(nameTaken(path("missing/0001.jpg")));
}

TEST_F(OutputNaming, SequenceFillsTheFirstGap) {
  for (const char* name : {"0001.jpg", "0002.jpg", "0003.jpg"}) touch(name);
  ASSERT_TRUE(QFile::remove(path("0002.jpg")));
  EXPECT_EQ(nextFreeNumberedPath(folder(), "", ".jpg"), path("0002.jpg"));
  touch("0002.jpg");
  EXPECT_EQ(nextFreeNumberedPath(folder(), "", ".jpg"), path("0004.jpg"));
}

TEST_F(OutputNaming, SequenceWithAPrefixCountsOnlyItsOwnNames) {
  EXPECT_EQ(nextFreeNumberedPath(folder(), "XXX", ".jpg"), path("XXX0001.jpg"));
  touch("XXX0001.jpg");
  touch("0002.jpg");
  touch("XXX0002.png");
  EXPECT_EQ(nextFreeNumberedPath(folder(), "XXX", ".jpg"), path("XXX0002.jpg"));
}

TEST_F(OutputNaming, SequenceSkipsFoldersAndOtherLetterCases) {
  ASSERT_TRUE(QDir(folder()).mkdir("0001.jpg"));
  touch("0002.JPG");
  touch("xxx0001.JPG");
  EXPECT_EQ(nextFreeNumberedPath(folder(), "", ".jpg"), path("0003.jpg"));
  EXPECT_EQ(nextFreeNumberedPath(folder(), "xxx", ".jpg"), path("xxx0002.jpg"));
}

TEST_F(OutputNaming, SequenceInAMissingFolderStartsAtOne) {
  EXPECT_EQ(nextFreeNumberedPath(path("new"), "", ".jpg"), path("new/0001.jpg"));
}

TEST_F(OutputNaming, SequenceNumbersArePaddedToFourDigits) {
  const struct {
    int n;
    const char* shown;
  } cases[] = {{1, "0001"},    {42, "0042"},     {999, "0999"},    {1000, "1000"},
               {9999, "9999"}, {10000, "10000"}, {10001, "10001"}, {123456, "123456"}};
  for (const auto& c : cases) EXPECT_EQ(sequenceNumber(c.n), u(c.shown)) << c.n;
}

TEST_F(OutputNaming, SequenceSearchesAFullFolder) {
  for (int n = 1; n <= 99; ++n) {
    QFile file(path(sequenceNumber(n) + ".jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << n;
  }
  EXPECT_EQ(nextFreeNumberedPath(folder(), "", ".jpg"), path("0100.jpg"));
  ASSERT_TRUE(QFile::remove(path("0050.jpg")));
  EXPECT_EQ(nextFreeNumberedPath(folder(), "", ".jpg"), path("0050.jpg"));
}

TEST_F(OutputNaming, SuffixesCountUpWithAnEmDash) {
  EXPECT_EQ(nextFreeSuffixedPath(folder(), "A01", ".jpg"), path("A01.jpg"));
  touch("A01.jpg");
  EXPECT_EQ(nextFreeSuffixedPath(folder(), "A01", ".jpg"), path(u("A01—1.jpg")));
  touch(u("a01—1.JPG"));
  EXPECT_EQ(nextFreeSuffixedPath(folder(), "A01", ".jpg"), path(u("A01—2.jpg")));
  EXPECT_EQ(nextFreeSuffixedPath(folder(), "A01", ".png"), path("A01.png"));
}

TEST_F(OutputNaming, SameNameBaseDropsOnlyTheLastExtension) {
  const struct {
    const char* source;
    const char* base;
  } cases[] = {
      {"a.b.jpg", "a.b"},
      {"IMG_001.JPG", "IMG_001"},
      {"noext", "noext"},
      {".hidden", ".hidden"},
      {"证件照.png", "证件照"},
      {"", ""},
      {"张三.2024.jpg", "张三.2024"},
      {"张三.2025.jpg", "张三.2025"},
      {"trailing.", "trailing"},
  };
  for (const auto& c : cases) EXPECT_EQ(sameNameBase(u(c.source)), u(c.base)) << c.source;
}

TEST_F(OutputNaming, SafeNamesCannotLeaveTheFolder) {
  const struct {
    const char* name;
    const char* safe;
  } cases[] = {
      {"../../x", "___.._x"},
      {"a:b*c?\"<>|", "a_b_c_____"},
      {"..\\..\\x", "___.._x"},
      {"/etc/passwd", "_etc_passwd"},
      {"tab\there\nnew", "tab_here_new"},
      {"\x01\x1f\x7f", "___"},
      {"张三 A-01.v2", "张三 A-01.v2"},
      {"", ""},
      {"..a", "__a"},
      {".hidden.v2", "_hidden.v2"},
      {"a..b.", "a..b."},
  };
  for (const auto& c : cases) EXPECT_EQ(safeFileName(u(c.name)), u(c.safe)) << c.name;
}

TEST_F(OutputNaming, TemporaryPictureLivesInTheSettingsFolder) {
  EXPECT_EQ(temporaryPicturePath("/home/a/.veltrix", ".png"), u("/home/a/.veltrix/临时C.png"));
}

TEST_F(OutputNaming, EveryRuleOfBothListsNamesItsPicture) {
  touch("0001.jpg");
  touch("P0001.jpg");
  touch("IMG_001.png");
  touch("2022-1-10 11-45-23.jpg");
  touch("A01.jpg");
  const NamingInputs in{folder(),
                        ".jpg",
                        "P",
                        "IMG_001.JPG",
                        "A01",
                        "/settings",
                        QDateTime({2022, 1, 10}, {11, 45, 23})};
  const QString timed = path(u("2022-1-10 11-45-23—1.jpg"));
  const QString temporary = u("/settings/临时C.jpg");
  const QString cell = path(u("A01—1.jpg"));
  const struct {
    NamingRule rule;
    QString path;
  } cases[] = {
      {kBatchRules[0], path("IMG_001.jpg")},
      {kBatchRules[1], timed},
      {kBatchRules[2], path("0002.jpg")},
      {kBatchRules[3], path("P0002.jpg")},
      {kBatchRules[4], temporary},
      {kBatchRules[5], cell},
      {kQuickRules[0], timed},
      {kQuickRules[1], path("0002.jpg")},
      {kQuickRules[2], path("P0002.jpg")},
      {kQuickRules[3], temporary},
      {kQuickRules[4], cell},
  };
  for (const auto& c : cases)
    EXPECT_EQ(makeOutputName(c.rule, in), c.path) << static_cast<int>(c.rule);
}

TEST_F(OutputNaming, UnknownRulesNameNothing) {
  const NamingInputs in{folder(), ".jpg", "P", "a.jpg", "A01", "/settings", {}};
  for (const int rule : {-1, 6, 99}) {
    EXPECT_EQ(makeOutputName(static_cast<NamingRule>(rule), in), QString()) << rule;
  }
}

TEST_F(OutputNaming, SameNameReplacesAnEarlierCropOfTheSamePicture) {
  touch("IMG_001.png");
  NamingInputs in;
  in.folder = folder();
  in.ext = ".png";
  in.sourceName = "IMG_001.JPG";
  EXPECT_EQ(makeOutputName(NamingRule::SameName, in), path("IMG_001.png"));
}

// A batch picture whose crop another picture of the batch already names takes the suffixed
// series' name for its number, and replaces an earlier crop under that name.
TEST_F(OutputNaming, SameNameNumbersTakeTheSuffixedSeries) {
  NamingInputs in;
  in.folder = folder();
  in.ext = ".jpg";
  in.sourceName = u("王五.png");
  touch(u("王五—1.jpg"));
  const struct {
    int number;
    const char* name;
  } cases[] = {{0, "王五.jpg"}, {1, "王五—1.jpg"}, {2, "王五—2.jpg"}};
  for (const auto& c : cases) {
    in.sameNameNumber = c.number;
    EXPECT_EQ(makeOutputName(NamingRule::SameName, in), path(u(c.name))) << c.number;
  }
}

TEST_F(OutputNaming, TwoPhotosWithinOneSecondBothSurvive) {
  NamingInputs in;
  in.folder = folder();
  in.ext = ".jpg";
  in.now = QDateTime({2022, 1, 10}, {11, 45, 23});
  const NamingRule rule = kQuickRules[0];
  const QString first = makeOutputName(rule, in);
  EXPECT_EQ(first, path("2022-1-10 11-45-23.jpg"));
  ASSERT_TRUE(test::writeBytes(first, "first"));
  const QString second = makeOutputName(rule, in);
  EXPECT_EQ(second, path(u("2022-1-10 11-45-23—1.jpg")));
  ASSERT_TRUE(test::writeBytes(second, "second"));
  EXPECT_EQ(test::readBytes(first), "first");
}

TEST_F(OutputNaming, SpreadsheetCellsAndPrefixesAreMadeSafe) {
  NamingInputs in;
  in.folder = folder();
  in.ext = ".jpg";
  in.spreadsheetName = "../../x";
  EXPECT_EQ(makeOutputName(NamingRule::Spreadsheet, in), path("___.._x.jpg"));
  in.customPrefix = "../up";
  EXPECT_EQ(makeOutputName(NamingRule::CustomPrefix, in), path("___up0001.jpg"));
  in.sourceName = ".hidden.jpg";
  EXPECT_EQ(makeOutputName(NamingRule::SameName, in), path("_hidden.jpg"));
}

}  // namespace
}  // namespace veltrix
