// Hostile and broken files each end in their own failure, answered by the helper's limits well
// before the program's ten-second cap would have to stop it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zip.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>

#include "sheets/sheet_stream_format.h"

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
    // an empty attribute is as if absent, a malformed one is damage
    {"style-not-a-number.xlsx", WorkbookFailure::Damaged},
    {"row-number-not-a-number.xlsx", WorkbookFailure::Damaged},
    // read as they inflate, sheet parts still know no entity and no DOCTYPE; nor do they hold a
    // token (here a comment of 16 MB) that the parser would have to keep whole, nor nest so
    // deep that the elements still open cost more than the cells
    {"undefined-entity.xlsx", WorkbookFailure::Damaged},
    {"doctype-in-sheet.xlsx", WorkbookFailure::Damaged},
    {"huge-comment.xlsx", WorkbookFailure::TooLarge},
    // a million elements, each inside the one before
    {"deep-nesting.xlsx", WorkbookFailure::Damaged},
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

// What a workbook costs the helper follows the cells and strings it keeps, not the size its
// parts inflate to: run on its own under a cap on its address space well below the program's,
// the helper reads each file whole and sends no cell longer than a file name can hold.
struct CostlyCase {
  const char* file;
  std::uint32_t cells;
};

const CostlyCase kCostlyCases[] = {
    // 140 KB whose sheet part inflates to 58 MB of numbers
    {"many-numbers.xlsx", 160 * 16384},
    // 100,000 cells that share one string of 30,000 characters
    {"one-long-shared-string.xlsx", 100000},
};

constexpr rlim_t kCostlyAddressSpace = rlim_t(200) << 20;

struct CappedRun {
  int exitCode = -1;
  qint64 bytes = 0;
  QByteArray tail;  // the stream's last bytes, where its end record is
};

// The helper's stream is counted as it comes, never kept; past mostBytes the helper is stopped.
CappedRun runCapped(const QString& file, qint64 mostBytes) {
  QProcess helper;
  helper.setChildProcessModifier([] {
    const rlimit cap{kCostlyAddressSpace, kCostlyAddressSpace};
    setrlimit(RLIMIT_AS, &cap);
  });
  helper.start(QStringLiteral(VELTRIX_SHEET_READER_BUILT), {file});
  CappedRun run;
  while (helper.waitForReadyRead(-1) || helper.bytesAvailable() > 0) {
    const QByteArray piece = helper.readAll();
    run.bytes += piece.size();
    run.tail = (run.tail + piece).right(64);
    if (run.bytes > mostBytes) {
      helper.kill();
      helper.waitForFinished(-1);
      return run;
    }
  }
  helper.waitForFinished(-1);
  if (helper.exitStatus() == QProcess::NormalExit) run.exitCode = helper.exitCode();
  return run;
}

std::uint32_t endRecordCells(const QByteArray& tail) {
  const qsizetype end =
      tail.size() - qsizetype(sheetstream::kRecordHeaderSize + sheetstream::kEndSize);
  if (end < 0 || tail[end] != char(sheetstream::kEnd)) return 0;
  std::uint32_t cells = 0;
  for (int i = 3; i >= 0; --i) cells = cells << 8 | std::uint8_t(tail[end + 9 + i]);
  return cells;
}

class CostlyWorkbook : public testing::TestWithParam<CostlyCase> {};

TEST_P(CostlyWorkbook, IsReadWithinLittleMemoryAndSendsNamesAtMost255Bytes) {
#ifdef VELTRIX_SANITIZED
  GTEST_SKIP() << "a sanitized helper reserves more address space than the cap";
#endif
  const std::uint32_t cells = GetParam().cells;
  const qint64 mostBytes =
      qint64(cells) * (sheetstream::kRecordHeaderSize + sheetstream::kCellPlaceSize + 255) + 4096;
  const CappedRun run = runCapped(test::sheetFixture(GetParam().file), mostBytes);
  ASSERT_LE(run.bytes, mostBytes) << "a cell longer than 255 bytes";
  EXPECT_EQ(run.exitCode, sheetstream::kExitRead);
  EXPECT_EQ(endRecordCells(run.tail), cells);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CostlyWorkbook, testing::ValuesIn(kCostlyCases),
                         [](const testing::TestParamInfo<CostlyCase>& info) {
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
