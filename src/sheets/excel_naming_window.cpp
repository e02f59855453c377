#include "sheets/excel_naming_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>

#include "platform/prompter.h"
#include "platform/utf8.h"
#include "sheets/sheet_grid_model.h"
#include "sheets/texts.h"
#include "widgets/design_place.h"

namespace veltrix {
namespace {

using namespace sheet_texts;

constexpr int kRowHeight = 24;
constexpr int kColumnWidth = 60;
constexpr int kNarrowestColumn = 32;
constexpr int kMeasurePoints = 11;
constexpr int kStatusHeight = 20;

// The tree's two pictures: a workbook page and a sheet's grid.
QIcon treeIcon(bool sheet) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(60, 60, 60));
  p.setBrush(Qt::white);
  p.drawRect(2, 1, 11, 13);
  if (sheet) {
    p.setPen(QColor(30, 120, 60));
    for (int y = 4; y < 14; y += 3) p.drawLine(3, y, 12, y);
    p.drawLine(7, 2, 7, 13);
  } else {
    p.fillRect(3, 2, 10, 4, QColor(30, 120, 60));
  }
  return QIcon(pixmap);
}

// A password or an old format the user can mend in Excel; anything else is one message.
const char* failureMessage(WorkbookFailure failure) {
  switch (failure) {
    case WorkbookFailure::Encrypted:
      return kEncrypted;
    case WorkbookFailure::TooOld:
      return kTooOld;
    default:
      return kUnreadable;
  }
}

}  // namespace

ExcelNamingWindow::ExcelNamingWindow(SpreadsheetNaming& naming, Prompter& prompter,
                                     NamingMode openedFor, std::function<NamingMode()> activeMode)
    : QWidget(nullptr),
      naming_(naming),
      prompter_(prompter),
      activeMode_(std::move(activeMode)),
      reader_(new WorkbookReader(this)) {
  setObjectName(QStringLiteral("ExcelNamingWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  importButton_ = place(new QPushButton(u8(kImportButton), this), "导入EXCEL按钮", {8, 4, 128, 28});
  autoNextRowBox_ = place(new QCheckBox(this), "自动下一行选择框", {274, 8, 140, 24});
  // Only its font matters: the grid's columns are as wide as their texts in it.
  measure_ = place(new QWidget(this), "字宽画板", {168, 9, 24, 16});
  QFont measureFont = measure_->font();
  measureFont.setPointSize(kMeasurePoints);
  measure_->setFont(measureFont);
  tree_ = place(new QTreeWidget(this), "树型框1", {8, 36, 128, 412});
  tree_->setHeaderHidden(true);
  tree_->setIconSize({16, 16});
  grid_ = place(new QTableView(this), "导入高表", {144, 36, 270, 412});
  model_ = new SheetGridModel(grid_);
  grid_->setModel(model_);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->viewport()->installEventFilter(this);
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("命名状态条"));
  statusBar_->setSizeGripEnabled(false);
  status_ = new QLabel(statusBar_);
  statusBar_->addWidget(status_, 1);

  naming_.windowOpen = true;
  naming_.bookLoaded = false;
  naming_.currentName.clear();
  naming_.autoNextRow = false;
  naming_.userCell.reset();
  reword(openedFor);
  setStatus(u8(kImportFirst));
  resize(kClientWidth, kClientHeight);
  move(0, 50);

  connect(importButton_, &QPushButton::clicked, this, &ExcelNamingWindow::importWorkbook);
  connect(autoNextRowBox_, &QCheckBox::toggled, this,
          [this](bool on) { naming_.autoNextRow = on; });
  // Only the user's own click on a sheet shows it; the program's choice at import does that
  // itself.
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    if (!item->parent()) return;
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index != naming_.sheetIndex) showSheet(index);
  });
  connect(grid_, &QTableView::pressed, this, [this](const QModelIndex& index) {
    if (index.isValid()) cellPressed(index.row(), index.column());
  });
  // A new model leaves the grid without a cursor; that is no move of the user's.
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) naming_.userCell = CellPlace{current.row(), current.column()};
          });
  connect(reader_, &WorkbookReader::finished, this, &ExcelNamingWindow::workbookRead);
}

ExcelNamingWindow::~ExcelNamingWindow() {
  forgetRoster();
}

// The window is deleted later; the saves must see it gone at once.
void ExcelNamingWindow::closeEvent(QCloseEvent* event) {
  reader_->cancel();
  forgetRoster();
  event->accept();
}

// Only the left button picks a name; a right or middle click would otherwise move the grid's
// cursor, and with it the row the next step down starts from.
bool ExcelNamingWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_->viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ExcelNamingWindow::forgetRoster() {
  naming_.bookLoaded = false;
  naming_.book = {};
  model_->show(nullptr, 0, 0);
  naming_.windowOpen = false;
  naming_.currentName.clear();
  naming_.userCell.reset();
}

void ExcelNamingWindow::resizeEvent(QResizeEvent*) {
  const int height = this->height() - 62;
  tree_->resize(tree_->width(), height);
  grid_->resize(width() - 153, height);
  autoNextRowBox_->move(width() - 148, autoNextRowBox_->y());
  statusBar_->setGeometry(0, this->height() - kStatusHeight, width(), kStatusHeight);
}

void ExcelNamingWindow::reword(NamingMode mode) {
  const sheet_texts::Wording* wording = wordingOf(mode);
  if (!wording) return;
  setWindowTitle(u8(wording->caption));
  autoNextRowBox_->setText(u8(wording->autoNextRow));
  if (!naming_.bookLoaded) return;
  if (naming_.currentName.isEmpty())
    setStatus(u8(wording->clickHint));
  else
    setStatus(u8(wording->nameAfterClickBefore) + naming_.currentName +
              u8(wording->nameAfterRewordAfter));
}

QString ExcelNamingWindow::statusText() const {
  return status_->text();
}

void ExcelNamingWindow::setStatus(const QString& text) {
  status_->setText(text);
}

void ExcelNamingWindow::showClickHint() {
  if (const sheet_texts::Wording* wording = wordingOf(activeMode_()))
    setStatus(u8(wording->clickHint));
}

void ExcelNamingWindow::importWorkbook() {
  FileDialogRequest request;
  request.title = u8(kImportTitle);
  request.filter = u8(kImportFilter);
  request.initialFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  const QString path = prompter_.openFile(this, request);
  if (path.isEmpty()) return;
  setCursor(Qt::WaitCursor);
  readingPath_ = path;
  statusBeforeReading_ = status_->text();
  setStatus(u8(kReading));
  reader_->start(path);
}

// The roster loaded so far stays until the new one has been read whole.
void ExcelNamingWindow::workbookRead(const WorkbookResult& result) {
  unsetCursor();
  const auto* book = std::get_if<SpreadsheetBook>(&result);
  if (!book) {
    setStatus(statusBeforeReading_);
    prompter_.message(this, u8(kUnreadableTitle),
                      u8(failureMessage(std::get<WorkbookFailure>(result))), PromptIcon::None,
                      PromptButtons::Ok);
    return;
  }
  naming_.book = *book;
  naming_.bookLoaded = true;
  naming_.filePath = readingPath_;
  naming_.fileName = QFileInfo(readingPath_).fileName();
  tree_->clear();
  auto* root = new QTreeWidgetItem(tree_, {naming_.fileName});
  root->setIcon(0, treeIcon(false));
  for (size_t i = 0; i < naming_.book.sheets.size(); ++i) {
    auto* item = new QTreeWidgetItem(root, {naming_.book.sheets[i].name});
    item->setIcon(0, treeIcon(true));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
  }
  root->setExpanded(true);
  if (root->childCount() > 0) {
    tree_->setCurrentItem(root->child(0));
    showSheet(0);
  } else {
    naming_.sheetIndex = 0;
    showCells(nullptr, 0, 0);
    showClickHint();
  }
}

void ExcelNamingWindow::showSheet(int index) {
  if (index < 0 || index >= static_cast<int>(naming_.book.sheets.size())) return;
  naming_.sheetIndex = index;
  const SpreadsheetSheet& sheet = naming_.book.sheets[static_cast<size_t>(index)];
  const UsedRange range = scanUsedRange(sheet);
  naming_.lastRow = range.lastRow;
  naming_.lastColumn = range.lastColumn;
  showCells(&sheet, range.lastRow + 1, range.lastColumn + 1);

  // Every column as wide as its widest text, measured over the cells there are.
  std::vector<int> widths(static_cast<size_t>(std::max(range.lastColumn + 1, 0)), kNarrowestColumn);
  const QFontMetrics metrics(measure_->font());
  for (auto cell = sheet.cells.begin(); cell != sheet.cells.end(); ++cell) {
    const CellPlace place = cell.key();
    if (place.row > range.lastRow || place.column > range.lastColumn) continue;
    int& width = widths[static_cast<size_t>(place.column)];
    width = std::max(width, metrics.horizontalAdvance(oneLine(cell.value())));
  }
  for (size_t column = 0; column < widths.size(); ++column)
    grid_->setColumnWidth(static_cast<int>(column), widths[column]);
  showClickHint();
}

// A new model forgets the grid's cursor; it goes back to the user's cell wherever the grid has
// that cell, so that the step down goes on from it after another sheet was looked at or the list
// imported again.
void ExcelNamingWindow::showCells(const SpreadsheetSheet* sheet, int rows, int columns) {
  model_->show(sheet, rows, columns);
  const std::optional<CellPlace> cell = naming_.userCell;
  if (cell && cell->row < model_->rowCount() && cell->column < model_->columnCount())
    grid_->setCurrentIndex(model_->index(cell->row, cell->column));
}

void ExcelNamingWindow::cellPressed(int row, int column) {
  naming_.currentName = cellName(model_->text(row, column));
  if (!naming_.currentName.isEmpty()) {
    if (const sheet_texts::Wording* wording = wordingOf(activeMode_()))
      setStatus(u8(wording->nameAfterClickBefore) + naming_.currentName +
                u8(wording->nameAfterClickAfter));
  } else {
    setStatus(u8(naming_.bookLoaded ? kEmptyCell : kImportFirst));
  }
}

void ExcelNamingWindow::advanceToNextRow() {
  if (!naming_.windowOpen || !naming_.bookLoaded || naming_.currentName.isEmpty() ||
      !naming_.autoNextRow)
    return;
  const QModelIndex cursor = grid_->currentIndex();
  // The user's cell is not in the sheet shown: there is no row to step down from.
  if (!cursor.isValid()) {
    showClickHint();
    return;
  }
  const int row = cursor.row();
  const int column = cursor.column();
  if (row >= model_->rowCount() - 1) {
    prompter_.message(this, u8(kLastRowTitle), u8(kLastRow), PromptIcon::None, PromptButtons::Ok);
    return;
  }
  grid_->setCurrentIndex(model_->index(row + 1, column));
  naming_.currentName = cellName(model_->text(row + 1, column));
  if (naming_.currentName.isEmpty()) {
    setStatus(u8(kEmptyCell));
  } else if (const sheet_texts::Wording* wording = wordingOf(activeMode_())) {
    setStatus(u8(wording->nameAfterClickBefore) + naming_.currentName +
              u8(wording->nameAfterMoveAfter));
  }
}

}  // namespace veltrix
