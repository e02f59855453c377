// Every good roster read whole: its sheets' names in workbook order and exactly the cells that
// hold text, each at its place with its text cut to what a file name can hold, and nothing
// else: no dates, booleans, errors, uncalculated formulas, phonetic guides or empty strings.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "sheet_test_support.h"
#include "test_files.h"

namespace veltrix {
namespace {

using namespace std::string_literals;
using test::u;

// Texts may hold a NUL, so they are not C strings.
struct ExpectedCell {
  int row;
  int column;
  std::string text;
};

QString utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string repeated(const char* text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct ExpectedSheet {
  const char* name;
  std::vector<ExpectedCell> cells;
};

struct ContentsCase {
  const char* file;
  std::vector<ExpectedSheet> sheets;
};

// The Numbers sheet of both rosters: each number as General shows it.
std::vector<ExpectedCell> numbersColumn() {
  const char* texts[] = {"0.5",
                         "1234.5",
                         "0.1",
                         "-3",
                         "1E+20",
                         "1.5E-07",
                         "123456789012345",
                         "0.3",
                         "3.14159265358979",
                         "9.00719925474099E+15",
                         "0",
                         "1E+15",
                         "100000",
                         "0.0001",
                         "12345678.9",
                         "-1E-10",
                         "4.94065645841247E-324",
                         "1.79769313486232E+308"};
  std::vector<ExpectedCell> cells;
  for (int row = 0; row < int(std::size(texts)); ++row) cells.push_back({row, 0, texts[row]});
  return cells;
}

const ExpectedSheet kSmallBookFirst{
    "名单", {{0, 0, "学号"}, {0, 1, "张三"}, {1, 0, "20230101"}, {1, 1, "李四"}}};
// A cell without r after an empty one; a rich string whose phonetic run is left out.
const ExpectedSheet kSmallBookSecond{"第二页", {{0, 1, "乙"}}};

const std::vector<ExpectedCell> kRosterHeader{{0, 0, "学号"}, {0, 1, "姓名"}, {0, 2, "入学日期"},
                                              {0, 3, "在读"}, {0, 4, "分数"}, {0, 5, "合并"}};

std::vector<ExpectedCell> joined(std::vector<ExpectedCell> a, const std::vector<ExpectedCell>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The number-format rosters of xlwt, LibreOffice and openpyxl: each format's code in column A and a
// number shown in it in column B, as Excel shows it; the date shows nothing.
std::vector<ExpectedCell> formatsShown() {
  const char* const codes[][2] = {
      {"000000", "000123"},    {"0", "110101200001011000"},
      {"0.00", "3.14"},        {"#,##0", "1,234,567"},
      {"0%", "26%"},           {"00 00 00", "00 00 12"},
      {"000-000", "123-456"},  {"@", "42"},
      {"General", "20230101"}, {"YYYY-MM-DD", nullptr},
  };
  std::vector<ExpectedCell> cells{{0, 0, "格式"}, {0, 1, "数值"}};
  for (int row = 1; row <= int(std::size(codes)); ++row) {
    cells.push_back({row, 0, codes[row - 1][0]});
    if (codes[row - 1][1]) cells.push_back({row, 1, codes[row - 1][1]});
  }
  return cells;
}

const ContentsCase kCases[] = {
    {"roster.xlsx",
     {{"一班", joined(kRosterHeader,
                      {
                          // dates (built-in 14, custom, CJK built-in 31) and booleans are absent
                          {1, 0, "20230101"},
                          {1, 1, "张三"},
                          {1, 4, "0.5"},
                          {2, 0, "20230102"},
                          {2, 1, "李四"},
                          {2, 4, "1234.5"},
                          {3, 0, "20230103"},
                          {3, 1, "王小明"},
                          // a "Day "0 format is no date: the number shows in it
                          {3, 4, "Day 98"},
                          // a formula's cached string and its cached number; no value, an
                          // error, an ISO date and [h]:mm are absent; a [Red] format is no date
                          {4, 0, "张三同学"},
                          {4, 1, "2"},
                          {4, 6, "-7.25"},
                          // inline strings; an empty inline and an empty shared string are absent
                          {5, 0, "内联"},
                          {5, 1, "富文本"},
                          {5, 4, "tab\there"},
                          // cells without r follow the cell before, rows without r the row before
                          {6, 0, "无行号甲"},
                          {6, 1, "无行号乙"},
                          {6, 4, "无行号丙"},
                          {6, 5, "7"},
                          {7, 0, "山田太郎 "},
                          {7, 1, "东京"},
                          {8, 0, "-3"},
                          {8, 2, "第一行\r第二行"},
                          {8, 3, "a_x000D_b"},
                      })},
      {"𠀀", {{0, 0, "𠀀姓名"}, {0, 1, "Ünïcödé"}, {1048575, 16383, "最后一格"}}},
      {"Numbers", numbersColumn()}}},
    {"roster.xls",
     {{"一班", joined(kRosterHeader,
                      {
                          // booleans, an error, dates, an empty string and the merged cells
                          // below 合并 are absent
                          {1, 0, "20230101"},
                          {1, 1, "张三"},
                          {1, 4, "0.5"},
                          {2, 0, "20230102"},
                          {2, 1, "李四"},
                          {2, 4, "1234.5"},
                          {3, 0, "20230103"},
                          {3, 1, "王小明"},
                          {3, 4, "98"},
                      })},
      {"𠀀", {{0, 0, "𠀀姓名"}, {0, 1, "Ünïcödé"}, {999, 99, "最后一格"}}},
      {"Numbers", numbersColumn()}}},
    // Formulas read as their cached text: UTF-16, one byte a character, carried on into a
    // CONTINUE record, a shared formula's; a cached number as a number cell would. An empty
    // string (with no STRING record or an empty one), a boolean and an error are absent.
    {"formulas.xls",
     {{"公式",
       {{0, 0, "姓名"},
        {0, 1, "原名"},
        {0, 2, "其他"},
        {1, 0, "张三"},
        {1, 2, "20230101"},
        {2, 0, "Li Si"},
        {3, 0, "王小明 Wang Xiaoming"},
        {4, 0, "赵六"},
        {4, 1, "赵六"},
        {5, 0, "孙七"},
        {5, 1, "孙七"},
        {9, 3, "最后"}}},  // the sheet's last row and column hold only this formula
      {"第二页", {{0, 0, "第二页"}, {1, 2, "钱十"}}}}},
    // The counts of rich-text runs and phonetic data in a STRING record are no characters; a
    // STRING record after a formula whose cached result is a number is not its text.
    {"odd-formula-strings.xls",
     {{"公式", {{0, 0, "周八"}, {1, 0, "Wu Jiu"}, {1, 1, "吴九"}, {2, 0, "20230109"}}}}},
    // Excel 95: cached text in the workbook's code page, here 936, and a cached number.
    {"formulas-biff5.xls",
     {{"名单", {{0, 0, "姓名"}, {1, 0, "李四"}, {1, 1, "7"}, {2, 0, "Zhao Liu"}}}}},
    {"strict.xlsx", {kSmallBookFirst, kSmallBookSecond}},
    {"prefixed.xlsx", {kSmallBookFirst, kSmallBookSecond}},
    {"moved-parts.xlsx", {kSmallBookFirst, kSmallBookSecond}},
    {"openpyxl-roster.xlsx",
     {{"二班",
       {{0, 0, "学号"},
        {0, 1, "姓名"},
        {0, 2, "生日"},
        {0, 3, "在读"},
        {0, 4, "合并"},
        {1, 0, "20230201"},
        {1, 1, "赵六"},
        {2, 0, "20230202"},
        {2, 1, "孙七"}}},
      {"𠀀", {{1, 1, "0.5"}}}}},
    {"sparse.xls", {{"稀疏", {{0, 0, "左上"}, {65535, 255, "右下"}}}}},
    // xlwt: one far cell on each sheet, read as the cells that exist.
    {"xlwt-number-formats.xls", {{"学号", formatsShown()}}},
    // a formula's cached 246 in 000000 beside them
    {"libreoffice-number-formats.xls", {{"学号", joined(formatsShown(), {{1, 2, "000246"}})}}},
    // openpyxl's .xlsx of the same roster: the .xlsx reader shows each number alike
    {"openpyxl-number-formats.xlsx", {{"学号", formatsShown()}}},
    {"student-numbers.xls", {{"学号", {{0, 0, "000123"}, {1, 0, "110101200001011000"}}}}},
    {"number-formats.xlsx",
     {{"编号",
       {{0, 0, "学号"},
        {0, 1, "身份证号"},
        {0, 2, "体重"},
        {0, 3, "人数"},
        {0, 4, "比例"},
        {1, 0, "000123"},
        {1, 1, "110101200001011000"},
        {1, 2, "3.14"},
        {1, 3, "1,234,567"},
        {1, 4, "26%"}}}}},
    {"far-cells.xls",
     {{"一班", {{65535, 255, "一班末格"}}},
      {"二班", {{65535, 255, "二班末格"}}},
      {"三班", {{65535, 255, "三班末格"}}},
      {"四班", {{65535, 255, "四班末格"}}}}},
    // LibreOffice: a chart on the roster, in a substream of its own with a DIMENSION and the
    // series' values; the chart sheet saved as a sheet that holds only a chart.
    {"libreoffice-chart.xls",
     {{"名单",
       {{0, 0, "学号"},
        {0, 1, "姓名"},
        {0, 2, "分数"},
        {1, 0, "20230101"},
        {1, 1, "张三"},
        {1, 2, "90"},
        {2, 0, "20230102"},
        {2, 1, "李四"},
        {2, 2, "85"},
        {3, 0, "20230103"},
        {3, 1, "王五"},
        {3, 2, "77"}}},
      {"图表", {}},
      {"第二页", {{1, 1, "赵六"}}}}},
    // The count attributes claim four billion strings; only the items count.
    {"huge-string-count.xlsx", {{"Sheet1", {{0, 0, "乙"}}}}},
    // Formulas' cached numbers read as the same numbers typed in, by their style (General, bold,
    // a date); a boolean and an error are absent. Control characters stay in a name. Long names
    // are cut to 255 bytes at a character's end: 85 of three bytes, one and 84, 63 of four.
    {"xlsxwriter-roster.xlsx",
     {{"三班",
       {{0, 0, "学号"},
        {0, 1, "姓名"},
        {0, 2, "总分"},
        {0, 3, "备注"},
        {1, 0, "20230301"},
        {1, 1, "周八"},
        {1, 2, "40460602"},
        {1, 3, repeated("名", 85)},
        {2, 1, "吴\0九\a"s},
        {2, 2, "20230301.5"},
        {2, 3, "a" + repeated("名", 84)},
        {3, 1, "郑十"},
        {3, 3, repeated("𠀀", 63)},
        {4, 2, "周八同学"}}},
      {"汇总", {{0, 0, "20230301"}, {0, 1, "60690903.5"}}}}},
    // Calc marks cached numbers t="n".
    {"libreoffice-roster.xlsx",
     {{"四班",
       {{0, 0, "学号"},
        {0, 1, "姓名"},
        {0, 2, "学号加一"},
        {1, 0, "20230401"},
        {1, 1, "陈一"},
        {1, 2, "20230402"},
        {1, 3, "陈一同学"},
        {2, 0, "20230402"},
        {2, 1, "林二"},
        {2, 2, "20230403"}}}}},
    // A macro sheet listed with an empty r:id has no cells and is left out.
    {"macro-sheet-entry.xlsx",
     {{"名单", {{0, 0, "姓名"}, {1, 0, "冯一"}}}, {"第二页", {{1, 1, "卫二"}}}}},
    // r="" on rows and cells, s="" and t="" on cells are as if they were not there.
    {"empty-attributes.xlsx",
     {{"Sheet1", {{0, 0, "张三"}, {0, 1, "20230101"}, {1, 0, "5"}, {1, 2, "1.5"}}}}},
};

class WorkbookContents : public test::SheetReaderTest,
                         public testing::WithParamInterface<ContentsCase> {};

TEST_P(WorkbookContents, ReadsEverySheetAndExactlyItsTextCells) {
  const ContentsCase& expected = GetParam();
  const WorkbookResult result = readWorkbook(test::sheetFixture(expected.file));
  ASSERT_TRUE(std::holds_alternative<SpreadsheetBook>(result)) << testing::PrintToString(result);
  const SpreadsheetBook& book = std::get<SpreadsheetBook>(result);

  QStringList names, expectedNames;
  for (const SpreadsheetSheet& sheet : book.sheets) names << sheet.name;
  for (const ExpectedSheet& sheet : expected.sheets) expectedNames << u(sheet.name);
  ASSERT_EQ(names, expectedNames);

  for (std::size_t i = 0; i < expected.sheets.size(); ++i) {
    const SpreadsheetSheet& sheet = book.sheets[i];
    QHash<CellPlace, QString> cells;
    for (const ExpectedCell& cell : expected.sheets[i].cells) {
      cells.insert({cell.row, cell.column}, utf8(cell.text));
      EXPECT_EQ(sheet.text(cell.row, cell.column), utf8(cell.text))
          << sheet.name.toStdString() << " row " << cell.row << " column " << cell.column;
    }
    for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it) {
      EXPECT_TRUE(cells.contains(it.key()))
          << sheet.name.toStdString() << " has an unexpected cell at row " << it.key().row
          << " column " << it.key().column << ": " << it.value().toStdString();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WorkbookContents, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ContentsCase>& info) {
                           return test::caseName(info.param.file);
                         });

// The content decides, not the name: the same workbooks under each other's extension.
using WorkbookFormat = test::SheetReaderTest;

TEST_F(WorkbookFormat, TellsTheFormatByContentNotByExtension) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString xlsxAsXls = folder.filePath(QStringLiteral("名单.xls"));
  const QString xlsAsXlsx = folder.filePath(QStringLiteral("名单.xlsx"));
  ASSERT_TRUE(QFile::copy(test::sheetFixture("strict.xlsx"), xlsxAsXls));
  ASSERT_TRUE(QFile::copy(test::sheetFixture("sparse.xls"), xlsAsXlsx));

  const WorkbookResult fromXlsx = readWorkbook(xlsxAsXls);
  ASSERT_TRUE(std::holds_alternative<SpreadsheetBook>(fromXlsx));
  EXPECT_EQ(std::get<SpreadsheetBook>(fromXlsx).sheets.at(0).text(1, 0), u("20230101"));
  const WorkbookResult fromXls = readWorkbook(xlsAsXlsx);
  ASSERT_TRUE(std::holds_alternative<SpreadsheetBook>(fromXls));
  EXPECT_EQ(std::get<SpreadsheetBook>(fromXls).sheets.at(0).text(65535, 255), u("右下"));
}

}  // namespace
}  // namespace veltrix
