// Naming pictures from a workbook: the record the naming window and the saves share, the scan for
// the part of a sheet that holds text, and the texts the window shows for each series mode.
#pragma once

#include <QString>
#include <optional>

#include "sheets/texts.h"
#include "sheets/workbook.h"

namespace veltrix {

// The series the window names pictures for; it speaks of cropping or of taking photos.
enum class NamingMode { None, Crop, Camera };

struct SpreadsheetNaming {
  bool windowOpen = false;
  bool bookLoaded = false;
  QString currentName;  // the next picture's name; empty while none is picked
  SpreadsheetBook book;
  int sheetIndex = 0;
  QString filePath;
  QString fileName;
  int lastRow = -1;  // the last row and column holding text in the sheet shown; -1 for none
  int lastColumn = -1;
  bool autoNextRow = false;  // the selection moves down a row after each save
  // The grid cell the user is at, by click, key or step down; the grid shows it again after
  // another sheet was looked at or the list imported again.
  std::optional<CellPlace> userCell;
};

struct UsedRange {
  int lastRow = -1;
  int lastColumn = -1;
};

// Column by column from the first, each from the top: a column ends six empty cells after its
// last text (the run of empty cells carries on into the next column, and never ends a column
// above the last row found so far), and the scan ends after six columns in a row without text.
UsedRange scanUsedRange(const SpreadsheetSheet& sheet);

// Whether a cell holds text: anything but half-width, full-width and no-break spaces and line
// breaks.
bool holdsText(const QString& cell);

// A cell's text on one line, as the grid shows it: each line break (CR, LF or CR LF) one
// half-width space.
QString oneLine(const QString& cell);

// A cell's text as a name, as the grid shows it: on one line, tabs removed, no-break spaces made
// half-width spaces, and half-width and full-width spaces trimmed at both ends.
QString cellName(const QString& cell);

// The wording of a mode; None has none.
const sheet_texts::Wording* wordingOf(NamingMode mode);

}  // namespace veltrix
