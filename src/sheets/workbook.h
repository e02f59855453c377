// A workbook as the naming window uses it: its sheets in workbook order, each with its name and
// the cells that hold text, read once at import.
#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace veltrix {

// 0-based row and column; Excel's largest sheet is 1,048,576 rows by 16,384 columns.
struct CellPlace {
  int row = 0;
  int column = 0;
  bool operator==(const CellPlace&) const = default;
};

inline size_t qHash(CellPlace place, size_t seed = 0) {
  return ::qHash((quint64(quint32(place.row)) << 32) | quint32(place.column), seed);
}

struct SpreadsheetSheet {
  QString name;
  // Only cells with text are kept: strings, and numbers as the sheet shows them in General
  // format. Blank, date, boolean and error cells are absent.
  QHash<CellPlace, QString> cells;

  // "" for a cell without text.
  QString text(int row, int column) const { return cells.value({row, column}); }
};

struct SpreadsheetBook {
  std::vector<SpreadsheetSheet> sheets;
};

}  // namespace veltrix
