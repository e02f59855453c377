#include "sheets/sheet_grid_model.h"

#include "sheets/spreadsheet_naming.h"

namespace veltrix {

void SheetGridModel::show(const SpreadsheetSheet* sheet, int rows, int columns) {
  beginResetModel();
  sheet_ = sheet;
  if (rows > 0) rows_ = rows;
  if (columns > 0) columns_ = columns;
  endResetModel();
}

int SheetGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int SheetGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant SheetGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return oneLine(text(index.row(), index.column()));
}

QString SheetGridModel::text(int row, int column) const {
  return sheet_ ? sheet_->text(row, column) : QString();
}

}  // namespace veltrix
