// The grid's cells as a table model over the sheet shown: the grid asks for the cells it paints,
// so a sheet of any length costs no more than its text. A cell shows on one line, as it names a
// picture.
#pragma once

#include <QAbstractTableModel>

#include "sheets/workbook.h"

namespace veltrix {

class SheetGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kStartRows = 4;
  static constexpr int kStartColumns = 4;

  using QAbstractTableModel::QAbstractTableModel;

  // Shows a sheet's cells over rows × columns; a count below one keeps the count there is.
  void show(const SpreadsheetSheet* sheet, int rows, int columns);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The cell's text as the sheet holds it.
  QString text(int row, int column) const;

 private:
  const SpreadsheetSheet* sheet_ = nullptr;
  int rows_ = kStartRows;
  int columns_ = kStartColumns;
};

}  // namespace veltrix
