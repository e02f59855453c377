// The .xls reader on workbook streams built record by record: what real writers put in them
// (shared strings across CONTINUE records, charts, dialog sheets, every kind of number cell,
// BIFF5 in its code page) and the damage a hostile file brings.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "sheet_test_support.h"
#include "sheets/helper/compound_file.h"
#include "sheets/helper/read_failure.h"
#include "sheets/helper/record_writer.h"
#include "sheets/helper/xls_reader.h"
#include "sheets/sheet_stream_parser.h"
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

std::string leDouble(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return le32(unsigned(bits & 0xFFFFFFFF)) + le32(unsigned(bits >> 32));
}

std::string record(unsigned type, const std::string& payload) {
  return le16(type) + le16(unsigned(payload.size())) + payload;
}

std::string bof(unsigned version, unsigned substream) {
  return record(0x0809, le16(version) + le16(substream) + std::string(12, '\0'));
}

const std::string kBof = bof(0x0600, 0x0005);
const std::string kEof = record(0x000A, "");

// UTF-16LE of a UTF-8 text, for BIFF8's two-byte strings.
std::string wide(const char* utf8) {
  std::string out;
  for (const QChar unit : QString::fromUtf8(utf8)) out += le16(unit.unicode());
  return out;
}

// A BIFF8 string: character count, flags, the characters one byte each.
std::string text8(const std::string& text, unsigned count) {
  return le16(count) + '\0' + text;
}

// A BIFF8 string of two-byte characters.
std::string wideText(const char* utf8) {
  const std::string units = wide(utf8);
  return le16(unsigned(units.size() / 2)) + '\x01' + units;
}

std::string boundSheet(unsigned offset, const std::string& name, unsigned count,
                       unsigned kind = 0) {
  return record(0x0085, le32(offset) + '\0' + char(kind) + char(count) + '\0' + name);
}

std::string cellHead(unsigned row, unsigned column, unsigned style) {
  return le16(row) + le16(column) + le16(style);
}

std::string label(const std::string& text, unsigned count, unsigned row = 0, unsigned column = 0) {
  return record(0x0204, cellHead(row, column, 15) + text8(text, count));
}

std::string labelSst(unsigned row, unsigned column, unsigned index) {
  return record(0x00FD, cellHead(row, column, 15) + le32(index));
}

std::string number(unsigned row, unsigned column, unsigned style, double value) {
  return record(0x0203, cellHead(row, column, style) + leDouble(value));
}

std::string rk(unsigned row, unsigned column, unsigned style, unsigned value) {
  return record(0x027E, cellHead(row, column, style) + le32(value));
}

std::string formula(unsigned row, unsigned column, unsigned style, const std::string& result) {
  return record(0x0006, cellHead(row, column, style) + result + le16(0) + le32(0) + le16(0));
}

// A formula result that is no number: its kind in the first byte, 0xFFFF in the last two.
std::string resultOfKind(unsigned kind, unsigned value = 0) {
  return std::string{char(kind), '\0', char(value)} + std::string(3, '\0') + le16(0xFFFF);
}

std::string sst(const std::string& strings, unsigned count) {
  return record(0x00FC, le32(count) + le32(count) + strings);
}

std::string continued(const std::string& payload) {
  return record(0x003C, payload);
}

// A cell style showing numbers in the format with this id.
std::string xf(unsigned format) {
  return record(0x00E0, le16(0) + le16(format) + std::string(16, '\0'));
}

struct Sheet {
  std::string name;
  std::string records;
  unsigned kind = 0;            // BOUNDSHEET's: 0 worksheet, 2 chart
  unsigned substream = 0x0010;  // the sheet BOF's: 0x0010 worksheet, 0x0020 chart
};

// The globals, then each sheet, each BOUNDSHEET pointing at its sheet's BOF.
std::string workbook(const std::string& globals, const std::vector<Sheet>& sheets,
                     unsigned version = 0x0600) {
  const std::string head = bof(version, 0x0005) + globals;
  std::size_t at = head.size() + kEof.size();
  for (const Sheet& sheet : sheets) at += boundSheet(0, sheet.name, 0).size();
  std::string entries, parts;
  for (const Sheet& sheet : sheets) {
    entries += boundSheet(unsigned(at + parts.size()), sheet.name, unsigned(sheet.name.size()),
                          sheet.kind);
    parts += bof(version, sheet.substream) + sheet.records + kEof;
  }
  return head + entries + kEof + parts;
}

std::string workbook(const std::string& globals, const std::string& sheet) {
  return workbook(globals, {{"S", sheet}});
}

struct ExpectedCell {
  int row;
  int column;
  const char* text;
};

struct ExpectedSheet {
  const char* name;
  std::vector<ExpectedCell> cells;
};

using Outcome = std::variant<std::vector<ExpectedSheet>, sheetstream::ExitCode>;

// The stream read in-process and its output parsed back as the program parses it.
Outcome readStream(const std::string& stream) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* file = open_memstream(&buffer, &size);
  std::optional<sheetstream::ExitCode> failure;
  {
    sheetreader::RecordWriter out(file);
    try {
      sheetreader::readBiffStream(stream, out);
      out.end();
    } catch (const ReadFailure& read) {
      failure = read.code;
    }
  }
  std::fclose(file);
  SheetStreamParser parser;
  parser.feed(QByteArrayView(buffer, qsizetype(size)));
  std::free(buffer);
  if (failure) return *failure;
  EXPECT_EQ(parser.state(), SheetStreamParser::State::Whole);
  const SpreadsheetBook book = parser.takeBook();
  std::vector<ExpectedSheet> sheets;
  for (const SpreadsheetSheet& sheet : book.sheets) {
    // Names and texts outlive the book as static copies for the comparison below.
    static std::deque<std::string> kept;
    kept.push_back(sheet.name.toStdString());
    ExpectedSheet read{kept.back().c_str(), {}};
    for (auto cell = sheet.cells.cbegin(); cell != sheet.cells.cend(); ++cell) {
      kept.push_back(cell.value().toStdString());
      read.cells.push_back({cell.key().row, cell.key().column, kept.back().c_str()});
    }
    sheets.push_back(std::move(read));
  }
  return sheets;
}

std::string describe(const Outcome& outcome) {
  if (const auto* code = std::get_if<sheetstream::ExitCode>(&outcome)) {
    return "exit " + std::to_string(int(*code));
  }
  std::string text;
  for (const ExpectedSheet& sheet : std::get<std::vector<ExpectedSheet>>(outcome)) {
    text += std::string("[") + sheet.name + "]";
    std::vector<ExpectedCell> cells = sheet.cells;
    std::sort(cells.begin(), cells.end(), [](const ExpectedCell& a, const ExpectedCell& b) {
      return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    for (const ExpectedCell& cell : cells) {
      text +=
          " (" + std::to_string(cell.row) + "," + std::to_string(cell.column) + ")=" + cell.text;
    }
  }
  return text;
}

struct StreamCase {
  const char* name;
  std::string stream;
  Outcome outcome;
};

void PrintTo(const StreamCase& streamCase, std::ostream* out) {
  *out << streamCase.name;
}

const auto kDamaged = sheetstream::kExitDamaged;

// The strings 张三李四王五 as two-byte characters: 张三 fit in the SST, the rest go on in a
// CONTINUE that begins with its own width byte.
const std::string kSplitWide = le16(6) + '\x01' + wide("张三");

// A sheet with a chart on it: the chart's substream has a DIMENSION and cached series values of
// its own.
const std::string kChartOnSheet = label("top", 3) + bof(0x0600, 0x0020) +
                                  record(0x0200, std::string(14, '\0')) + number(0, 0, 0, 42) +
                                  label("series", 6, 1, 1) + kEof + label("end", 3, 5, 0);

const StreamCase kStreamCases[] = {
    {"Sound", workbook(sst(text8("ab", 2) + text8("c", 1), 2), labelSst(0, 1, 1) + label("abc", 3)),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "abc"}, {0, 1, "c"}}}}},
    {"SheetNamePastItsRecord", kBof + boundSheet(0, "S", 40) + kEof, kDamaged},
    {"FormatPastItsRecord", workbook(record(0x041E, le16(164) + text8("General", 0xFFF9)), ""),
     kDamaged},
    {"LabelPastItsRecord", workbook("", label("abc", 300)), kDamaged},
    {"SharedStringIndexPastTheStrings", workbook(sst(text8("a", 1), 1), labelSst(0, 0, 1)),
     kDamaged},
    // the stream cut short after the globals
    {"SheetWithoutItsRecords", kBof + boundSheet(200, "S", 1) + kEof, kDamaged},
    {"TwoEntriesForOneSheet",
     [] {
       const std::string stream = workbook("", "");
       const std::size_t sheetAt = stream.rfind(bof(0x0600, 0x0010));
       return kBof + boundSheet(unsigned(sheetAt), "S", 1) + boundSheet(unsigned(sheetAt), "S", 1) +
              kEof + stream.substr(sheetAt);
     }(),
     kDamaged},
    {"SharedStringContinued",
     workbook(sst(kSplitWide, 1) + continued('\x01' + wide("李四王五")), labelSst(2, 3, 0)),
     std::vector<ExpectedSheet>{{"S", {{2, 3, "张三李四王五"}}}}},
    // the rest of the characters one byte each, as the CONTINUE's width byte says
    {"SharedStringContinuedNarrower",
     workbook(sst(kSplitWide, 1) + continued('\0' + std::string("abcd")), labelSst(0, 0, 0)),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "张三abcd"}}}}},
    {"SharedStringContinuedPastItsRecord",
     workbook(sst(kSplitWide, 1) + continued('\x01' + wide("李")), ""), kDamaged},
    // phonetic data of 20 bytes after the first string, 15 of them in the CONTINUE
    {"PhoneticDataIntoTheNextRecord",
     workbook(sst(le16(1) + '\x04' + le32(20) + "a" + std::string(5, 'p'), 2) +
                  continued(std::string(15, 'p') + text8("b", 1)),
              labelSst(0, 0, 0) + labelSst(1, 0, 1)),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "a"}, {1, 0, "b"}}}}},
    {"PhoneticDataPastTheNextRecord",
     workbook(sst(le16(1) + '\x04' + le32(0x10000) + "a", 2) + continued(text8("b", 1)), ""),
     kDamaged},
    // Excel writes empty shared strings: the cell is empty, the workbook sound
    {"EmptySharedString",
     workbook(sst(text8("", 0) + text8("x", 1), 2), labelSst(0, 0, 0) + labelSst(0, 1, 1)),
     std::vector<ExpectedSheet>{{"S", {{0, 1, "x"}}}}},
    // a writer that counted more strings than it wrote
    {"FewerSharedStringsThanCounted",
     workbook(sst(text8("a", 1), 1024 * 1024 + 1), labelSst(0, 0, 0)),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "a"}}}}},
    {"DamageAfterTheLastEof", workbook("", "") + label("abc", 300),
     std::vector<ExpectedSheet>{{"S", {}}}},
    {"Biff4", record(0x0409, le16(0) + le16(0x10)) + label("abc", 3), sheetstream::kExitTooOld},
    {"Biff8BofOfAnOlderVersion", record(0x0809, le16(0x0400) + le16(5)) + boundSheet(0, "S", 40),
     sheetstream::kExitTooOld},
    {"PasswordToOpen", workbook(record(0x002F, le16(1) + std::string(52, '\0')), label("abc", 3)),
     sheetstream::kExitEncrypted},
    {"ChartOnASheet", workbook("", kChartOnSheet),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "top"}, {5, 0, "end"}}}}},
    {"ChartDialogAndMacroSheetsAreNotListed",
     workbook("", {{"Chart1", number(0, 0, 0, 1) + label("series", 6), 2, 0x0020},
                   {"Roster", label("z", 1)},
                   {"Dialog1", record(0x0081, le16(0x04D1)) + label("OK", 2)},
                   {"Macro1", label("=A1", 3), 1, 0x0040},
                   {"Empty", ""}}),
     std::vector<ExpectedSheet>{{"Roster", {{0, 0, "z"}}}, {"Empty", {}}}},
    // one far cell on each of three sheets costs no more than three cells
    {"FarCellOnEverySheet",
     workbook("", {{"A", label("a", 1, 65535, 255)},
                   {"B", label("b", 1, 65535, 255)},
                   {"C", label("c", 1, 65535, 255)}}),
     std::vector<ExpectedSheet>{
         {"A", {{65535, 255, "a"}}}, {"B", {{65535, 255, "b"}}}, {"C", {{65535, 255, "c"}}}}},
    // style 0 is General; style 1 shows built-in 14, a date
    {"NumberCells",
     workbook(xf(0) + xf(14),
              number(0, 0, 0, 20230101) + number(0, 1, 1, 45000) + rk(1, 0, 0, (1234 << 2) | 2) +
                  rk(1, 1, 0, (12345 << 2) | 3) +
                  record(0x00BD, le16(2) + le16(0) + le16(0) + le32((7 << 2) | 2) + le16(1) +
                                     le32((8 << 2) | 2) + le16(0) + le32((9 << 2) | 2) + le16(2)) +
                  rk(3, 0, 0, 0x3FF00000)),
     std::vector<ExpectedSheet>{{"S",
                                 {{0, 0, "20230101"},
                                  {1, 0, "1234"},
                                  {1, 1, "123.45"},
                                  {2, 0, "7"},
                                  {2, 2, "9"},
                                  {3, 0, "1"}}}}},
    // a formula's cached number, text (its STRING after a shared formula's record), boolean,
    // error and empty text
    {"FormulaResults",
     workbook(xf(0), formula(0, 0, 0, leDouble(246)) + formula(1, 0, 0, resultOfKind(0)) +
                         record(0x04BC, std::string(10, '\0')) + record(0x0207, wideText("李四")) +
                         formula(2, 0, 0, resultOfKind(1, 1)) +
                         formula(3, 0, 0, resultOfKind(2, 7)) + formula(4, 0, 0, resultOfKind(3))),
     std::vector<ExpectedSheet>{{"S", {{0, 0, "246"}, {1, 0, "李四"}}}}},
};

class BiffStream : public testing::TestWithParam<StreamCase> {};

TEST_P(BiffStream, ReadsAsExcelShowsIt) {
  EXPECT_EQ(describe(readStream(GetParam().stream)), describe(GetParam().outcome));
}

INSTANTIATE_TEST_SUITE_P(Streams, BiffStream, testing::ValuesIn(kStreamCases),
                         [](const testing::TestParamInfo<StreamCase>& info) {
                           return std::string(info.param.name);
                         });

// An Excel 95 workbook's texts are bytes in the code page its CODEPAGE record names.
struct CodePageCase {
  unsigned codePage;
  std::string bytes;
  const char* text;
};

const CodePageCase kCodePageCases[] = {
    {10000, "Caf\x8E", "Café"},               // Mac Roman
    {1250, "\x8Aime\x9A", "Šimeš"},           // Central European
    {1251, "\xC8\xE2\xE0\xED", "Иван"},       // Cyrillic
    {1253, "\xC1\xE8\xDE\xED\xE1", "Αθήνα"},  // Greek
    {1254, "\xDE\xFEk", "Şşk"},               // Turkish
    {1255, "\xF9\xEC\xE5\xED", "שלום"},       // Hebrew
    {1256, "\xD3\xE1\xC7\xE3", "سلام"},       // Arabic
    {1257, "\xD0\xF0", "Šš"},                 // Baltic
    {1258, "Vi\xD2t", "V\u1ec9t"},            // Vietnamese: i and a combining hook make one letter
    {936, "\xD5\xC5\xC8\xFD", "张三"},        // Simplified Chinese
};

class Biff5CodePage : public testing::TestWithParam<CodePageCase> {};

// The sheet's name and a cell's text both come through the code page.
// An Excel 95 workbook of one sheet: BIFF5's BOUNDSHEET names it in bytes of the code page.
std::string biff5Workbook(const std::string& globals, const std::string& name,
                          const std::string& sheet) {
  const std::string head = bof(0x0500, 0x0005) + globals;
  const auto entry = [&](unsigned offset) {
    return record(0x0085, le32(offset) + '\0' + '\0' + char(name.size()) + name);
  };
  const unsigned sheetAt = unsigned(head.size() + entry(0).size() + kEof.size());
  return head + entry(sheetAt) + kEof + bof(0x0500, 0x0010) + sheet + kEof;
}

TEST_P(Biff5CodePage, ReadsTheTextsInIt) {
  const CodePageCase& page = GetParam();
  const std::string labelRecord =
      record(0x0204, cellHead(0, 0, 15) + le16(unsigned(page.bytes.size())) + page.bytes);
  const std::string stream =
      biff5Workbook(record(0x0042, le16(page.codePage)), page.bytes, labelRecord);
  const std::string text = page.text;
  EXPECT_EQ(describe(readStream(stream)), "[" + text + "] (0,0)=" + text);
}

// A format code's literal text is in the code page too, even one the CODEPAGE record names
// only after the format.
TEST(Biff5Formats, ShowNumbersWithTheirTextInTheCodePage) {
  const std::string code = "\"\xBA\xC5\"000";  // "号"000 in code page 936
  const std::string globals =
      record(0x041E, le16(164) + char(code.size()) + code) + record(0x0042, le16(936)) + xf(164);
  const std::string stream = biff5Workbook(globals, "S", number(0, 0, 0, 12));
  EXPECT_EQ(describe(readStream(stream)), "[S] (0,0)=号012");
}

INSTANTIATE_TEST_SUITE_P(Pages, Biff5CodePage, testing::ValuesIn(kCodePageCases),
                         [](const testing::TestParamInfo<CodePageCase>& info) {
                           return std::to_string(info.param.codePage);
                         });

using BiffFile = test::SheetReaderTest;

// Some exporters write the workbook stream alone, without a compound file around it; Excel 4.0
// and earlier wrote nothing else, and those are told apart from a file that is no workbook.
TEST_F(BiffFile, BareStreamReadsAndOldOneIsToldApart) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString bare = folder.filePath(QStringLiteral("bare.xls"));
  const QString old = folder.filePath(QStringLiteral("excel4.xls"));
  ASSERT_TRUE(test::writeBytes(bare, QByteArray::fromStdString(workbook("", label("abc", 3)))));
  ASSERT_TRUE(test::writeBytes(
      old, QByteArray::fromStdString(record(0x0409, le16(0) + le16(0x10)) + kEof)));

  const WorkbookResult read = readWorkbook(bare);
  ASSERT_FALSE(test::failureOf(read)) << testing::PrintToString(read);
  EXPECT_EQ(std::get<SpreadsheetBook>(read).sheets.at(0).text(0, 0), QStringLiteral("abc"));
  EXPECT_EQ(test::failureOf(readWorkbook(old)), WorkbookFailure::TooOld);
}

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

// Found by fuzzing: six bytes changed in the container's tables; the workbook stream itself is
// sound and reads as the original.
TEST_F(BiffFile, DamagedContainerTablesReadAsTheOriginal) {
  EXPECT_TRUE(sameBook(readWorkbook(test::sheetFixture("freexl-container.xls")),
                       readWorkbook(test::sheetFixture("odd-formula-strings.xls"))));
}

}  // namespace
}  // namespace veltrix
