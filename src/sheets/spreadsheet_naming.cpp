#include "sheets/spreadsheet_naming.h"

#include <algorithm>
#include <map>
#include <vector>

namespace veltrix {
namespace {

constexpr int kEmptyCellsEndingAColumn = 6;
constexpr int kEmptyColumnsEndingTheScan = 6;

constexpr QChar kNoBreakSpace(0x00A0);
constexpr QChar kIdeographicSpace(0x3000);

// Control characters other than the tab (NUL, BEL... from a writer's escapes or a paste) show as
// nothing and no file name can hold them.
bool isControl(QChar c) {
  return c != u'\t' && c.category() == QChar::Other_Control;
}

// Line breaks and no-break spaces look like spaces on the screen, so they count as spaces, and
// so do the control characters, which show as nothing.
bool isSpace(QChar c) {
  return c == u' ' || c == kIdeographicSpace || c == kNoBreakSpace || isControl(c);
}

}  // namespace

bool holdsText(const QString& cell) {
  return std::any_of(cell.begin(), cell.end(), [](QChar c) { return !isSpace(c); });
}

QString oneLine(const QString& cell) {
  QString line;
  line.reserve(cell.size());
  for (qsizetype i = 0; i < cell.size(); ++i) {
    const QChar c = cell[i];
    if (c == u'\r' && i + 1 < cell.size() && cell[i + 1] == u'\n') continue;  // CR LF is one
    line += c == u'\r' || c == u'\n' ? QChar(u' ') : c;
  }
  return line;
}

QString cellName(const QString& cell) {
  QString name = oneLine(cell);
  name.remove(u'\t');
  name.replace(kNoBreakSpace, u' ');
  qsizetype first = 0;
  qsizetype end = name.size();
  while (first < end && isSpace(name[first])) ++first;
  while (end > first && isSpace(name[end - 1])) --end;
  name = name.mid(first, end - first);
  name.removeIf(isControl);
  return name;
}

// The scan reads cell after cell; runs of empty cells are stepped over whole, so that a sheet
// with text far down or far right costs what its text costs, not what its area does.
UsedRange scanUsedRange(const SpreadsheetSheet& sheet) {
  std::map<int, std::vector<int>> textRows;  // column -> rows holding text, in order
  for (auto cell = sheet.cells.begin(); cell != sheet.cells.end(); ++cell) {
    if (holdsText(cell.value())) textRows[cell.key().column].push_back(cell.key().row);
  }
  for (auto& [column, rows] : textRows) std::sort(rows.begin(), rows.end());

  UsedRange range;
  qint64 emptyRun = 0;
  int emptyColumns = 0;
  for (int column = 0; emptyColumns < kEmptyColumnsEndingTheScan; ++column) {
    const auto found = textRows.find(column);
    const std::vector<int> none;
    const std::vector<int>& rows = found == textRows.end() ? none : found->second;
    auto next = rows.begin();
    qint64 row = 0;
    // The column ends at the first empty row from `row` on that brings the run to six below the
    // last text found.
    const auto columnEnd = [&] {
      return std::max({row + std::max<qint64>(kEmptyCellsEndingAColumn - emptyRun, 1) - 1,
                       qint64(range.lastRow) + 1, row});
    };
    while (next != rows.end() && *next <= columnEnd()) {
      emptyRun = 0;
      emptyColumns = 0;
      range.lastColumn = std::max(range.lastColumn, column);
      range.lastRow = std::max(range.lastRow, *next);
      row = *next + 1;
      ++next;
    }
    // The empty cells read down to where the column ended carry on into the next column.
    emptyRun += columnEnd() - row + 1;
    ++emptyColumns;
  }
  return range;
}

const sheet_texts::Wording* wordingOf(NamingMode mode) {
  switch (mode) {
    case NamingMode::Crop:
      return &sheet_texts::kCropWording;
    case NamingMode::Camera:
      return &sheet_texts::kCameraWording;
    case NamingMode::None:
      break;
  }
  return nullptr;
}

}  // namespace veltrix
