// Damaged copies of every good roster, 200 each with a few bytes flipped from a fixed seed: the
// helper may fail or even crash on them, the program never does, and always has its answer
// well within the cap on the helper's time.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "sheet_test_support.h"
#include "test_files.h"

namespace veltrix {
namespace {

constexpr int kCopies = 200;

QByteArray flipped(QByteArray bytes, std::mt19937& random) {
  std::uniform_int_distribution<int> count(1, 8);
  std::uniform_int_distribution<qsizetype> place(0, bytes.size() - 1);
  std::uniform_int_distribution<int> mask(1, 255);
  for (int flips = count(random); flips > 0; --flips) bytes[place(random)] ^= char(mask(random));
  return bytes;
}

class FlippedBytes : public test::SheetReaderTest,
                     public testing::WithParamInterface<const char*> {};

TEST_P(FlippedBytes, NeverTakeTheProgramDown) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray good = test::readBytes(test::sheetFixture(GetParam()));
  ASSERT_FALSE(good.isEmpty());
  std::mt19937 random(20240901);
  const QString copy = folder.filePath(QStringLiteral("copy"));
  for (int i = 0; i < kCopies; ++i) {
    ASSERT_TRUE(test::writeBytes(copy, flipped(good, random)));
    const WorkbookResult result = readWorkbook(copy);
    // A helper that dies is a failure like any other; a missing helper would mean it never ran.
    EXPECT_NE(test::failureOf(result), WorkbookFailure::NoHelper) << "copy " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rosters, FlippedBytes,
    testing::Values("roster.xls", "roster.xlsx", "strict.xlsx", "prefixed.xlsx", "moved-parts.xlsx",
                    "openpyxl-roster.xlsx", "xlsxwriter-roster.xlsx", "formulas.xls",
                    "odd-formula-strings.xls", "formulas-biff5.xls"),
    [](const testing::TestParamInfo<const char*>& info) { return test::caseName(info.param); });

}  // namespace
}  // namespace veltrix
