// What the helper does before freexl sees a workbook: the records freexl would read past are
// refused, and freexl opens a plainly laid-out copy of the workbook stream instead of the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "sheet_test_support.h"
#include "sheets/helper/compound_file.h"
#include "sheets/helper/freexl_guard.h"
#include "sheets/helper/plain_compound_file.h"
#include "sheets/helper/read_failure.h"
#include "test_files.h"

namespace veltrix {
namespace {

using sheetreader::ReadFailure;

std::string le16(unsigned value) {
  return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}

std::string le32(unsigned value) {
  return le16(value & 0xFFFF) + le16(value >> 16);
}

std::string record(unsigned type, const std::string& payload) {
  return le16(type) + le16(unsigned(payload.size())) + payload;
}

const std::string kBof = record(0x0809, le16(0x0600) + le16(0x0005) + std::string(12, '\0'));
const std::string kSheetBof = record(0x0809, le16(0x0600) + le16(0x0010) + std::string(12, '\0'));
const std::string kEof = record(0x000A, "");

// A BIFF8 string: character count, flags, the characters one byte each.
std::string text8(const std::string& text, unsigned count) {
  return le16(count) + '\0' + text;
}

std::string boundSheet(unsigned offset, const std::string& name, unsigned count) {
  return record(0x0085, le32(offset) + '\0' + '\0' + char(count) + '\0' + name);
}

std::string dimension() {
  return record(0x0200, le32(0) + le32(3) + le16(0) + le16(2) + le16(0));
}

std::string label(const std::string& text, unsigned count) {
  return record(0x0204, le16(0) + le16(0) + le16(15) + text8(text, count));
}

std::string sst(const std::string& strings, unsigned count) {
  return record(0x00FC, le32(count) + le32(count) + strings);
}

std::string continued(const std::string& payload) {
  return record(0x003C, payload);
}

// The globals, then one worksheet whose BOUNDSHEET points at its BOF; `globals` and `sheet`
// go in before each part's EOF.
std::string workbook(const std::string& globals, const std::string& sheet) {
  const std::string head = kBof + globals;
  const std::string named = boundSheet(0, "S", 1);
  const unsigned sheetAt = unsigned(head.size() + named.size() + kEof.size());
  return head + boundSheet(sheetAt, "S", 1) + kEof + kSheetBof + sheet + kEof;
}

std::optional<sheetstream::ExitCode> refusal(const std::string& stream) {
  try {
    sheetreader::refuseWhatFreexlMisreads(stream);
  } catch (const ReadFailure& failure) {
    return failure.code;
  }
  return std::nullopt;
}

struct GuardCase {
  const char* name;
  std::string stream;
  std::optional<sheetstream::ExitCode> refused;
};

const auto kDamaged = sheetstream::kExitDamaged;

// A UTF-16 string begun in the SST: 4 of its 6 characters fit, the rest go on in a CONTINUE.
const std::string kSplitWide = le16(6) + '\x01' + std::string(8, 'a');

const GuardCase kGuardCases[] = {
    {"Sound", workbook(sst(text8("ab", 2) + text8("c", 1), 2), dimension() + label("abc", 3)),
     std::nullopt},
    {"SheetNamePastItsRecord", kBof + boundSheet(0, "S", 40) + kEof, kDamaged},
    {"FormatPastItsRecord", workbook(record(0x041E, le16(164) + text8("General", 0xFFF9)), ""),
     kDamaged},
    {"LabelPastItsRecord", workbook("", dimension() + label("abc", 300)), kDamaged},
    {"SecondDimension", workbook("", dimension() + dimension()), kDamaged},
    // the stream cut short after the globals
    {"SheetWithoutItsRecords", kBof + boundSheet(200, "S", 1) + kEof, kDamaged},
    // freexl sizes only the sheet a BOUNDSHEET names
    {"SecondDimensionOfNoSheet", workbook("", "") + kSheetBof + dimension() + dimension() + kEof,
     std::nullopt},
    {"SharedStringContinued",
     workbook(sst(kSplitWide, 1) + continued('\x01' + std::string(4, 'b')), ""), std::nullopt},
    {"SharedStringContinuedPastItsRecord",
     workbook(sst(kSplitWide, 1) + continued('\x01' + std::string(3, 'b')), ""), kDamaged},
    // phonetic data of 20 bytes after the first string, 15 of them in the CONTINUE
    {"PhoneticDataIntoTheNextRecord",
     workbook(sst(le16(1) + '\x04' + le32(20) + "a" + std::string(5, 'p'), 2) +
                  continued(std::string(15, 'p') + text8("b", 1)),
              ""),
     std::nullopt},
    {"PhoneticDataPastTheNextRecord",
     workbook(sst(le16(1) + '\x04' + le32(0x10000) + "a", 2) + continued(text8("b", 1)), ""),
     kDamaged},
    {"EmptySharedString", workbook(sst(text8("", 0), 1), ""), kDamaged},
    {"TooManySharedStrings", workbook(sst("", 1024 * 1024 + 1), ""), sheetstream::kExitTooLarge},
    // after the last EOF freexl reads nothing until a BOF
    {"DamageAfterTheLastEof", workbook("", "") + label("abc", 300), std::nullopt},
    {"NotBiff5Or8", record(0x0809, le16(0x0400) + le16(5)) + boundSheet(0, "S", 40), std::nullopt},
};

void PrintTo(const GuardCase& guardCase, std::ostream* out) {
  *out << guardCase.name;
}

class FreexlGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(FreexlGuard, RefusesWhatFreexlWouldReadPast) {
  EXPECT_EQ(refusal(GetParam().stream), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(Streams, FreexlGuard, testing::ValuesIn(kGuardCases),
                         [](const testing::TestParamInfo<GuardCase>& info) {
                           return std::string(info.param.name);
                         });

bool sameBook(const WorkbookResult& a, const WorkbookResult& b) {
  const auto* first = std::get_if<SpreadsheetBook>(&a);
  const auto* second = std::get_if<SpreadsheetBook>(&b);
  if (!first || !second || first->sheets.size() != second->sheets.size()) return false;
  for (std::size_t i = 0; i < first->sheets.size(); ++i) {
    if (first->sheets[i].name != second->sheets[i].name ||
        first->sheets[i].cells != second->sheets[i].cells) {
      return false;
    }
  }
  return true;
}

std::string workbookStream(const char* fixture) {
  const QByteArray bytes = test::readBytes(test::sheetFixture(fixture));
  return sheetreader::CompoundFile(bytes.toStdString()).stream("Workbook");
}

using PlainCompoundFile = test::SheetReaderTest;

// Past 109 allocation-table sectors the table is listed in DIFAT sectors; the zeros after the
// workbook's last EOF are no records.
TEST_F(PlainCompoundFile, ReadsBackAtEverySize) {
  const std::string roster = workbookStream("roster.xls");
  for (const std::size_t size : {std::size_t(0), roster.size(), std::size_t(8) << 20}) {
    std::string stream = roster;
    stream.resize(std::max(size, roster.size()), '\0');
    const std::string file = sheetreader::plainCompoundFile("Workbook", stream);
    std::string back = sheetreader::CompoundFile(file).stream("Workbook");
    EXPECT_EQ(back.substr(0, stream.size()), stream) << size;
    EXPECT_EQ(back.find_first_not_of('\0', stream.size()), std::string::npos) << size;
  }
}

TEST_F(PlainCompoundFile, LargeOneReadsAsTheWorkbook) {
  std::string stream = workbookStream("roster.xls");
  stream.resize(std::size_t(8) << 20, '\0');
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("large.xls"));
  ASSERT_TRUE(test::writeBytes(
      path, QByteArray::fromStdString(sheetreader::plainCompoundFile("Workbook", stream))));
  EXPECT_TRUE(sameBook(readWorkbook(path), readWorkbook(test::sheetFixture("roster.xls"))));
}

// freexl reads the copy from the temporary folder; nothing of it stays there, read or refused.
TEST_F(PlainCompoundFile, LeavesNothingInTheTemporaryFolder) {
  QTemporaryDir temporary;
  ASSERT_TRUE(temporary.isValid());
  const QByteArray before = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(temporary.path()));
  const WorkbookResult read = readWorkbook(test::sheetFixture("roster.xls"));
  const WorkbookResult refused = readWorkbook(test::sheetFixture("freexl-crash.xls"));
  qputenv("TMPDIR", before);
  EXPECT_FALSE(test::failureOf(read));
  EXPECT_EQ(test::failureOf(refused), WorkbookFailure::Damaged);
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}

// Found by fuzz_xls_reader: six bytes changed in the container's tables made freexl 1.0.6 read
// past its buffers; the workbook stream itself is sound and reads as the original.
TEST_F(PlainCompoundFile, ContainerFreexlMisreadReadsAsTheOriginal) {
  EXPECT_TRUE(sameBook(readWorkbook(test::sheetFixture("freexl-container.xls")),
                       readWorkbook(test::sheetFixture("odd-formula-strings.xls"))));
}

}  // namespace
}  // namespace veltrix
