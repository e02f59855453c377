// Hostile and broken files each end in their own failure, answered by the helper's limits well
// before the program's ten-second cap would have to stop it.
#include <gtest/gtest.h>
#include <zip.h>

#include <QFile>
#include <QTemporaryDir>

#include "sheet_test_support.h"
#include "test_files.h"

namespace veltrix {
namespace {

// Half the program's cap on the helper's time: a failure that comes later was the cap's doing.

struct HostileCase {
  const char* file;
  WorkbookFailure failure;
};

const HostileCase kCases[] = {
    // 1 GiB of spaces in the sheet part; again with headers that claim 1000 bytes
    {"bomb.xlsx", WorkbookFailure::TooLarge},
    {"bomb-lying-sizes.xlsx", WorkbookFailure::TooLarge},
    {"billion-laughs.xlsx", WorkbookFailure::Damaged},
    {"string-index-out-of-range.xlsx", WorkbookFailure::Damaged},
    {"column-beyond-xfd.xlsx", WorkbookFailure::Damaged},
    {"row-beyond-last.xlsx", WorkbookFailure::Damaged},
    {"row-without-r-beyond-last.xlsx", WorkbookFailure::Damaged},
    {"sheet-part-missing.xlsx", WorkbookFailure::Damaged},
    // saved with a password to open: a compound file holding EncryptedPackage; FILEPASS
    {"encrypted.xlsx", WorkbookFailure::Encrypted},
    {"encrypted.xls", WorkbookFailure::Encrypted},
    // a formula's cached text claims more characters than its STRING and CONTINUE records hold
    {"formula-string-cut.xls", WorkbookFailure::Damaged},
    // found by fuzz_xls_reader, each of which freexl 1.0.6 read past its buffers: damaged
    // container tables; a second DIMENSION for a sheet, too large to hold; a FORMAT string
    // longer than its record; a sheet whose records the stream never reaches (freexl then lost
    // the cells of the sheet before it, 132 MB of them)
    {"freexl-stack-overread.xls", WorkbookFailure::Damaged},
    {"freexl-crash.xls", WorkbookFailure::Damaged},
    {"freexl-format-overread.xls", WorkbookFailure::Damaged},
    {"freexl-sheet-without-records.xls", WorkbookFailure::Damaged},
    {"document.docx.xlsx", WorkbookFailure::NotWorkbook},
    {"plain.zip.xlsx", WorkbookFailure::NotWorkbook},
    {"document.doc.xls", WorkbookFailure::NotWorkbook},
    {"not-a-workbook.csv.xls", WorkbookFailure::NotWorkbook},
    {"empty.xlsx", WorkbookFailure::NotWorkbook},
    {"no-such-file.xlsx", WorkbookFailure::Damaged},
};

class HostileWorkbook : public test::SheetReaderTest,
                        public testing::WithParamInterface<HostileCase> {};

// How soon the bomb fails is bench_sheets' figure; here each file fails the way it should.
TEST_P(HostileWorkbook, FailsAsItShould) {
  const WorkbookResult result = readWorkbook(test::sheetFixture(GetParam().file));
  EXPECT_EQ(test::failureOf(result), GetParam().failure) << testing::PrintToString(result);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, HostileWorkbook, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                           return test::caseName(info.param.file);
                         });

struct TruncatedCase {
  const char* file;
  int keptPercent;
};

class TruncatedWorkbook : public test::SheetReaderTest,
                          public testing::WithParamInterface<TruncatedCase> {};

TEST_P(TruncatedWorkbook, IsDamaged) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray whole = test::readBytes(test::sheetFixture(GetParam().file));
  ASSERT_FALSE(whole.isEmpty());
  const QString cut = folder.filePath(QStringLiteral("cut"));
  ASSERT_TRUE(test::writeBytes(cut, whole.first(whole.size() * GetParam().keptPercent / 100)));
  EXPECT_EQ(test::failureOf(readWorkbook(cut)), WorkbookFailure::Damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Rosters, TruncatedWorkbook,
    testing::Values(TruncatedCase{"roster.xlsx", 5}, TruncatedCase{"roster.xlsx", 50},
                    TruncatedCase{"roster.xlsx", 99}, TruncatedCase{"roster.xls", 10},
                    TruncatedCase{"roster.xls", 50}, TruncatedCase{"roster.xls", 95}),
    [](const testing::TestParamInfo<TruncatedCase>& info) {
      return test::caseName(info.param.file) + "_" + std::to_string(info.param.keptPercent);
    });

// One entry past the limit on a zip's entries; each entry is empty, so only the count can
// refuse it.
using HostileZip = test::SheetReaderTest;

TEST_F(HostileZip, ZipOfTooManyEntriesIsTooLarge) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray path = folder.filePath(QStringLiteral("entries.xlsx")).toUtf8();
  int error = 0;
  zip_t* archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (int i = 0; i <= 10000; ++i) {
    zip_source_t* empty = zip_source_buffer(archive, nullptr, 0, 0);
    const std::string name = "xl/media/" + std::to_string(i);
    ASSERT_GE(zip_file_add(archive, name.c_str(), empty, 0), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);

  EXPECT_EQ(test::failureOf(readWorkbook(QString::fromUtf8(path))), WorkbookFailure::TooLarge);
}

}  // namespace
}  // namespace veltrix
