// The spreadsheet naming window: imports a class list (.xls or .xlsx), shows its sheets and cells,
// and makes the cell the user clicks the name of the next picture saved under the spreadsheet
// rule, moving down a row after each save when asked.
#pragma once

#include <QWidget>
#include <functional>

#include "sheets/spreadsheet_naming.h"
#include "sheets/workbook_reader.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace veltrix {

class Prompter;
class SheetGridModel;

class ExcelNamingWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 414;
  static constexpr int kClientHeight = 466;

  // `activeMode` tells which series is under way now, for the hints' wording; the caption
  // speaks of `openedFor`.
  ExcelNamingWindow(SpreadsheetNaming& naming, Prompter& prompter, NamingMode openedFor,
                    std::function<NamingMode()> activeMode);
  ~ExcelNamingWindow() override;

  // Caption and check box in the mode's wording, and the hint for the name picked.
  void reword(NamingMode mode);
  // After a picture was saved under the name picked: the next row's cell names the next one.
  void advanceToNextRow();
  // The status hint shown, for tests and the user alike.
  QString statusText() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Keeps the grid's other buttons from picking a cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void importWorkbook();
  void workbookRead(const WorkbookResult& result);
  void showSheet(int index);
  // The grid over a sheet's cells, at the user's cell where the grid has it.
  void showCells(const SpreadsheetSheet* sheet, int rows, int columns);
  void cellPressed(int row, int column);
  void setStatus(const QString& text);
  void showClickHint();
  // The book, the window and the name picked let go of, as closing the window does.
  void forgetRoster();

  SpreadsheetNaming& naming_;
  Prompter& prompter_;
  std::function<NamingMode()> activeMode_;
  QPushButton* importButton_;
  QCheckBox* autoNextRowBox_;
  QWidget* measure_;
  QTreeWidget* tree_;
  QTableView* grid_;
  SheetGridModel* model_;
  QStatusBar* statusBar_;
  QLabel* status_;
  WorkbookReader* reader_;
  QString readingPath_;
  QString statusBeforeReading_;
};

}  // namespace veltrix
