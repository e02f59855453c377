// The scan for the part of a sheet that holds text, and cell texts made into names.
#include "sheets/spreadsheet_naming.h"

#include <gtest/gtest.h>

#include <random>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

// A sheet with text in each column's listed rows.
SpreadsheetSheet sheetWith(std::initializer_list<std::pair<int, std::vector<int>>> columns) {
  SpreadsheetSheet sheet;
  for (const auto& [column, rows] : columns) {
    for (int row : rows) sheet.cells.insert({row, column}, u("名") + QString::number(row));
  }
  return sheet;
}

std::vector<int> rowsTo(int first, int last) {
  std::vector<int> rows;
  for (int row = first; row <= last; ++row) rows.push_back(row);
  return rows;
}

TEST(SpreadsheetNamingTest, TheScanFindsTheLastRowAndColumnOfText) {
  const struct {
    const char* name;
    SpreadsheetSheet sheet;
    int lastRow;
    int lastColumn;
  } cases[] = {
      {"empty sheet", {}, -1, -1},
      {"A to row 9, B to row 12", sheetWith({{0, rowsTo(0, 9)}, {1, rowsTo(0, 12)}}), 12, 1},
      // Column A is read for rows 0 to 5 only, B to D for row 0: D's text is never reached.
      {"A empty, D from row 1", sheetWith({{3, rowsTo(1, 4)}}), -1, -1},
      {"A and F, B to E empty", sheetWith({{0, {0}}, {5, {0}}}), 0, 5},
      {"A and G, B to F empty", sheetWith({{0, {0}}, {6, {0}}}), 0, 0},
      {"a gap of five in A is bridged", sheetWith({{0, {0, 6}}}), 6, 0},
      {"a gap of six in A ends it", sheetWith({{0, {0, 7}}}), 0, 0},
      // The empty cells run on across columns: B is read only to one row below A's last text.
      {"B's text below A's run is missed", sheetWith({{0, rowsTo(0, 3)}, {1, {5}}}), 3, 0},
      {"B's text at A's last row + 1 is found", sheetWith({{0, rowsTo(0, 3)}, {1, {4}}}), 4, 1},
      {"text far down, reached five at a time",
       [] {
         std::vector<int> rows;
         for (int row = 0; row <= 600000; row += 6) rows.push_back(row);
         return sheetWith({{0, rows}, {1, {600000}}});
       }(),
       600000, 1},
  };
  for (const auto& c : cases) {
    const UsedRange range = scanUsedRange(c.sheet);
    EXPECT_EQ(range.lastRow, c.lastRow) << c.name;
    EXPECT_EQ(range.lastColumn, c.lastColumn) << c.name;
  }
}

// The scan as the user would do it by hand, a cell at a time.
UsedRange scanCellByCell(const SpreadsheetSheet& sheet) {
  UsedRange range;
  int emptyRun = 0;
  int emptyColumns = 0;
  for (int column = 0; emptyColumns <= 5; ++column) {
    for (int row = 0;; ++row) {
      if (holdsText(sheet.text(row, column))) {
        emptyRun = emptyColumns = 0;
        range.lastColumn = std::max(range.lastColumn, column);
        range.lastRow = std::max(range.lastRow, row);
      } else {
        ++emptyRun;
      }
      if (!(emptyRun <= 5 || row <= range.lastRow)) break;
    }
    ++emptyColumns;
  }
  return range;
}

TEST(SpreadsheetNamingTest, TheScanAgreesWithReadingEveryCell) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 2000; ++trial) {
    SpreadsheetSheet sheet;
    const int cells = static_cast<int>(random() % 30);
    for (int i = 0; i < cells; ++i)
      sheet.cells.insert({static_cast<int>(random() % 40), static_cast<int>(random() % 12)},
                         random() % 5 ? u("甲") : u(" "));
    const UsedRange fast = scanUsedRange(sheet);
    const UsedRange slow = scanCellByCell(sheet);
    ASSERT_EQ(fast.lastRow, slow.lastRow) << "trial " << trial;
    ASSERT_EQ(fast.lastColumn, slow.lastColumn) << "trial " << trial;
  }
}

// Spaces of every kind a cell shows as space, line breaks among them, are no text.
TEST(SpreadsheetNamingTest, SpacesAloneAreNoText) {
  const struct {
    const char* cell;
    int lastRow;
  } cases[] = {
      {" \u3000 ", -1},
      {"\u00a0", -1},
      {"\r\n", -1},
      {"\n\u00a0\r\u3000", -1},
      {"\t", 1},                     // a tab is text to the scan
      {"\x07\x1f\u007f\u0085", -1},  // control characters show as nothing
  };
  for (const auto& c : cases) {
    SpreadsheetSheet sheet;
    sheet.cells.insert({0, 0}, u(" "));
    sheet.cells.insert({1, 0}, u(c.cell));
    EXPECT_EQ(scanUsedRange(sheet).lastRow, c.lastRow) << c.cell;
    EXPECT_EQ(holdsText(u(c.cell)), c.lastRow >= 0) << c.cell;
  }
}

TEST(SpreadsheetNamingTest, CellsShowOnOneLine) {
  const struct {
    const char* cell;
    const char* shown;
  } cases[] = {
      {"张三\n", "张三 "},
      {"王\r\n五", "王 五"},
      {"孙\r七\n\n八", "孙 七  八"},
      {"\t李四", "\t李四"},
  };
  for (const auto& c : cases) EXPECT_EQ(oneLine(u(c.cell)), u(c.shown)) << c.cell;
}

TEST(SpreadsheetNamingTest, CellsBecomeNamesAsTheyShow) {
  const struct {
    const char* cell;
    const char* name;
  } cases[] = {
      {"\t 张三\u3000 ", "张三"},
      {"李\t四", "李四"},
      {"王 五", "王 五"},
      {"\u3000\u3000", ""},
      {"20230101", "20230101"},
      // Line breaks and no-break spaces are trimmed as spaces; a line break inside is one space.
      {"张三\n", "张三"},
      {"\u00a0李四\r\n", "李四"},
      {"王\r\n五", "王 五"},
      {"孙\r七\n八", "孙 七 八"},
      {"赵\u00a0六", "赵 六"},
      {"周\u3000九", "周\u3000九"},
      {"\r\n\u00a0\t", ""},
      // Control characters are trimmed as spaces and dropped inside: no file name holds them.
      {"\x07张三\x1b", "张三"},
      {"李\x01四", "李四"},
      {"王\x07 五", "王 五"},
      {" \u0085赵六\u007f ", "赵六"},
      {"\x02\x03", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cellName(u(c.cell)), u(c.name)) << c.cell;
  // A NUL inside, as an _x0000_ escape decodes.
  EXPECT_EQ(cellName(u("孙") + QChar(0) + u("七")), u("孙七"));
}

}  // namespace
}  // namespace veltrix
