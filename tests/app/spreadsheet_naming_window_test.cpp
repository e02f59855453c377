// The spreadsheet naming window as batch crop and quick-shoot use it: importing a class list
// through the real reader, the click that picks a name, the step down a row after each save,
// and the checks before a save under the spreadsheet rule.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <csignal>

#include "app/status_bar.h"
#include "camera/quick_shot_settings.h"
#include "camera_fixture.h"
#include "sheets/excel_naming_window.h"

namespace veltrix {
namespace {

using test::u;

const QString kRoster = QStringLiteral(VELTRIX_TEST_DATA "/sheets/naming-roster.xlsx");
const QString kPastedRoster = QStringLiteral(VELTRIX_TEST_DATA "/sheets/pasted-roster.xlsx");

class SpreadsheetNamingWindowTest : public test::CameraWindowTest {
 protected:
  void SetUp() override {
    qputenv("VELTRIX_SHEET_READER", VELTRIX_SHEET_READER_BUILT);
    start();
  }

  static ExcelNamingWindow* namingWindow() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* found = qobject_cast<ExcelNamingWindow*>(top); found && found->isVisible())
        return found;
    }
    return nullptr;
  }
  template <typename T = QWidget>
  static T* part(const char* name) {
    T* found = namingWindow()->findChild<T*>(u(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Batch crop is under way (quick-shoot is not) and the naming window is open for it.
  ExcelNamingWindow* openForBatch() {
    program->batch.active = true;
    program->batch.namingRule = NamingRule::Spreadsheet;
    program->batch.saveFolder = out(QString());
    showFilled({400, 300}, qRgb(20, 120, 200));
    fixture.prompter.answers.push_back(PromptAnswer::Yes);
    window->saveCrop();
    return namingWindow();
  }

  // Imports through the open dialog and waits for the reader.
  void import(const QString& path) {
    fixture.prompter.paths.push_back(path);
    part<QPushButton>("导入EXCEL按钮")->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return status() != u("数据正读入……"); }, 15000));
  }

  // A press on a grid cell, as the user's click.
  void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    auto* grid = part<QTableView>("导入高表");
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), button, {}, cell.center());
  }
  // The user's click on a sheet of the tree.
  void clickSheet(int index) {
    auto* tree = part<QTreeWidget>("树型框1");
    const QRect item = tree->visualItemRect(tree->topLevelItem(0)->child(index));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, item.center());
  }
  // The pictures in the save folder, by name.
  QStringList savedFiles() const {
    QStringList names = QDir(out(QString())).entryList(QDir::Files);
    names.sort();
    return names;
  }
  QString status() const { return namingWindow()->statusText(); }
};

TEST_F(SpreadsheetNamingWindowTest, OpensAtItsDesignPlacesInTheModesWording) {
  ExcelNamingWindow* naming = openForBatch();
  ASSERT_NE(naming, nullptr);
  EXPECT_TRUE(program->naming.windowOpen);
  EXPECT_TRUE(fixture.prompter.messages().size() == 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text,
            u("当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？"));
  EXPECT_EQ(naming->windowTitle(), u("导入EXCEL，按所选单元格文字命名即将截取的图片"));
  EXPECT_EQ(naming->size(), QSize(414, 466));
  EXPECT_EQ(naming->x(), 0);
  EXPECT_EQ(part<QCheckBox>("自动下一行选择框")->text(), u("截图后自动跳到下一行"));
  EXPECT_FALSE(part<QCheckBox>("自动下一行选择框")->isChecked());
  const struct {
    const char* name;
    QRect geometry;
  } places[] = {
      {"导入EXCEL按钮", {8, 4, 128, 28}}, {"自动下一行选择框", {266, 8, 140, 24}},
      {"字宽画板", {168, 9, 24, 16}},     {"树型框1", {8, 36, 128, 404}},
      {"导入高表", {144, 36, 261, 404}},
  };
  for (const auto& p : places) EXPECT_EQ(part(p.name)->geometry(), p.geometry) << p.name;
  EXPECT_EQ(part<QTableView>("导入高表")->model()->rowCount(), 4);
  EXPECT_EQ(status(), u("请先导入EXCEL文件，再点击有文字的单元格。"));
  EXPECT_TRUE(QDir(out(QString())).entryList(QDir::Files).isEmpty());
}

TEST_F(SpreadsheetNamingWindowTest, ImportShowsTheSheetsAndTheFirstSheetsText) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  ASSERT_TRUE(program->naming.bookLoaded);
  auto* tree = part<QTreeWidget>("树型框1");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), u("naming-roster.xlsx"));
  ASSERT_EQ(root->childCount(), 3);
  EXPECT_EQ(root->child(0)->text(0), u("一班"));
  EXPECT_EQ(root->child(1)->text(0), u("𠀀"));
  EXPECT_EQ(tree->currentItem(), root->child(0));
  auto* grid = part<QTableView>("导入高表");
  EXPECT_EQ(grid->model()->rowCount(), 5);
  EXPECT_EQ(grid->model()->columnCount(), 3);
  EXPECT_EQ(grid->model()->index(1, 1).data().toString(), u("20230101"));
  EXPECT_GE(grid->columnWidth(0), 32);
  EXPECT_EQ(status(), u("请点击有文字的单元格，以其文字命名即将截取的图片。"));
  EXPECT_TRUE(program->naming.currentName.isEmpty());

  // The user's click on another sheet shows it; one without text leaves no cell to name by.
  clickSheet(2);
  EXPECT_EQ(program->naming.sheetIndex, 2);
  clickCell(1, 0);
  EXPECT_TRUE(program->naming.currentName.isEmpty());
  EXPECT_EQ(status(), u("选中单元格内容为空，请点击有文字的单元格。"));
}

TEST_F(SpreadsheetNamingWindowTest, AClickedCellNamesTheNextPicture) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  const struct {
    int row;
    int column;
    const char* name;
    const char* status;
  } cases[] = {
      {2, 0, "李四", "以“李四”命名即将截取的图片，如截图多幅加序号区分。"},
      {1, 1, "20230101", "以“20230101”命名即将截取的图片，如截图多幅加序号区分。"},
      {4, 2, "", "选中单元格内容为空，请点击有文字的单元格。"},
  };
  for (const auto& c : cases) {
    clickCell(c.row, c.column);
    EXPECT_EQ(program->naming.currentName, u(c.name)) << c.row << "," << c.column;
    EXPECT_EQ(status(), u(c.status));
  }
  // A student number names its picture as the sheet shows it.
  clickCell(1, 1);
  window->saveCrop();
  EXPECT_TRUE(QFileInfo::exists(out(u("20230101.jpg"))));

  // A second import keeps the name until a cell is clicked.
  clickCell(3, 0);
  import(kRoster);
  EXPECT_EQ(program->naming.currentName, u("王五"));
}

// Each failure says what the user can do about it; the roster loaded before stays.
TEST_F(SpreadsheetNamingWindowTest, AFailedImportKeepsTheRosterLoaded) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  clickCell(1, 0);
  const QString damaged = fixture.path(u("damaged.xlsx"));
  test::writeBytes(damaged, "PK\x03\x04 not a workbook at all");
  // An Excel 4.0 worksheet: a bare record stream that begins with its BOF.
  const QString excel4 = fixture.path(u("excel4.xls"));
  test::writeBytes(excel4,
                   QByteArray("\x09\x04\x06\x00\x00\x00\x10\x00\x00\x00\x0a\x00\x00\x00", 14));
  const struct {
    QString file;
    const char* message;
  } cases[] = {
      {damaged, "无法读取该EXCEL文件，文件可能已损坏或不是EXCEL文件。"},
      {QStringLiteral(VELTRIX_TEST_DATA "/sheets/encrypted.xls"),
       "该EXCEL文件已加密，请先在EXCEL中取消密码后再导入。"},
      {QStringLiteral(VELTRIX_TEST_DATA "/sheets/encrypted.xlsx"),
       "该EXCEL文件已加密，请先在EXCEL中取消密码后再导入。"},
      {excel4,
       "该EXCEL文件为Excel 4.0或更早版本的格式，请先在EXCEL中另存为.xls或.xlsx文件后再导入。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    fixture.prompter.records.clear();
    import(c.file);
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示："));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u(c.message));
    EXPECT_TRUE(program->naming.bookLoaded);
    EXPECT_EQ(program->naming.fileName, u("naming-roster.xlsx"));
    EXPECT_EQ(program->naming.currentName, u("张三"));
    EXPECT_EQ(part<QTreeWidget>("树型框1")->topLevelItem(0)->text(0), u("naming-roster.xlsx"));
    EXPECT_EQ(part<QTableView>("导入高表")->model()->index(1, 0).data().toString(), u("张三"));
  }
}

TEST_F(SpreadsheetNamingWindowTest, BatchSavesNameThreeFilesFromThreeRows) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(1, 0);
  for (int save = 0; save < 3; ++save) window->saveCrop();
  EXPECT_EQ(savedFiles(), QStringList({u("张三.jpg"), u("李四.jpg"), u("王五.jpg")}));
  EXPECT_EQ(program->naming.currentName, u("赵六"));
  EXPECT_EQ(status(), u("以“赵六”命名即将截取的图片，如截多幅加序号区分。"));

  // The last row: the name stays, and the next picture gets a numbered one.
  fixture.prompter.records.clear();
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示："));
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("EXCEL光标已处于最后一行"));
  EXPECT_EQ(program->naming.currentName, u("赵六"));
  window->saveCrop();
  EXPECT_TRUE(QFileInfo::exists(out(u("赵六—1.jpg"))));
}

TEST_F(SpreadsheetNamingWindowTest, AMergedCellLeavesTheRowsBelowItEmpty) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(0, 2);
  EXPECT_EQ(program->naming.currentName, u("合并"));
  window->saveCrop();
  EXPECT_TRUE(program->naming.currentName.isEmpty());
  EXPECT_EQ(status(), u("选中单元格内容为空，请点击有文字的单元格。"));
  fixture.prompter.records.clear();
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("请先点击有文字的单元格作为图片命名，再截图。"));
  EXPECT_EQ(QDir(out(QString())).entryList(QDir::Files), QStringList({u("合并.jpg")}));
}

// Names pasted from a web page or typed with line breaks name their pictures as the grid shows
// them: line breaks and no-break spaces are the spaces they look like.
TEST_F(SpreadsheetNamingWindowTest, LineBreaksAndNoBreakSpacesNameAsTheSpacesTheyLookLike) {
  ASSERT_NE(openForBatch(), nullptr);
  openPicture(test::noisePicture(400, 270));
  program->batch.saveFormat = u(".BMP");
  import(kPastedRoster);
  // The cell of nothing but such spaces below the last name holds no text.
  const QAbstractItemModel* grid = part<QTableView>("导入高表")->model();
  EXPECT_EQ(grid->rowCount(), 6);
  const struct {
    int row;
    const char* shown;
    const char* name;
    const char* file;
  } cases[] = {
      {1, "张三 ", "张三", "张三.bmp"},
      {2, "\u00a0李四 ", "李四", "李四.bmp"},
      {3, "王 五", "王 五", "王 五.bmp"},
      {5, "赵\u00a0六\u3000", "赵 六", "赵 六.bmp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(grid->index(c.row, 0).data().toString(), u(c.shown)) << c.row;
    clickCell(c.row, 0);
    EXPECT_EQ(program->naming.currentName, u(c.name)) << c.row;
    EXPECT_EQ(status(), u("以“") + u(c.name) + u("”命名即将截取的图片，如截图多幅加序号区分。"));
    window->saveCrop();
    const std::optional<QImage> saved = decodePictureFile(out(u(c.file)));
    ASSERT_TRUE(saved) << c.file;
    EXPECT_EQ(*saved, expectedCrop()) << c.file;
  }
  EXPECT_EQ(savedFiles(),
            QStringList({u("张三.bmp"), u("李四.bmp"), u("王 五.bmp"), u("赵 六.bmp")}));

  clickCell(4, 0);
  EXPECT_TRUE(program->naming.currentName.isEmpty());
  EXPECT_EQ(status(), u("选中单元格内容为空，请点击有文字的单元格。"));
}

// Looking at another sheet or importing the list again keeps the user's cell: the names go on
// down the column the user picked from.
TEST_F(SpreadsheetNamingWindowTest, TheStepDownGoesOnFromTheUsersCellAfterAnotherSheetOrImport) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(1, 1);
  window->saveCrop();
  clickSheet(1);
  clickSheet(0);
  window->saveCrop();
  import(kRoster);
  window->saveCrop();
  EXPECT_EQ(savedFiles(), QStringList({u("20230101.jpg"), u("20230102.jpg"), u("20230103.jpg")}));
  EXPECT_EQ(program->naming.currentName, u("20230104"));
  EXPECT_EQ(status(), u("以“20230104”命名即将截取的图片，如截多幅加序号区分。"));
}

// A sheet too small for the user's cell leaves no cell to step down from: the name stays and the
// user is asked to click one.
TEST_F(SpreadsheetNamingWindowTest, WithoutTheUsersCellTheStepDownAsksForAClick) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(3, 0);
  clickSheet(1);
  fixture.prompter.records.clear();
  window->saveCrop();
  EXPECT_EQ(savedFiles(), QStringList({u("王五.jpg")}));
  EXPECT_EQ(program->naming.currentName, u("王五"));
  EXPECT_EQ(status(), u("请点击有文字的单元格，以其文字命名即将截取的图片。"));
  EXPECT_TRUE(fixture.prompter.records.empty());
}

// Only the left button picks: another button's click changes neither the name, nor the status,
// nor the row the next step down starts from.
TEST_F(SpreadsheetNamingWindowTest, OnlyTheLeftButtonPicksAName) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(1, 0);
  const QString picked = status();
  auto* grid = part<QTableView>("导入高表");
  const QPoint other = grid->visualRect(grid->model()->index(3, 1)).center();
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mouseClick(grid->viewport(), button, {}, other);
    QTest::mouseDClick(grid->viewport(), button, {}, other);
    EXPECT_EQ(program->naming.currentName, u("张三")) << button;
    EXPECT_EQ(status(), picked) << button;
  }
  window->saveCrop();
  EXPECT_EQ(savedFiles(), QStringList({u("张三.jpg")}));
  EXPECT_EQ(program->naming.currentName, u("李四"));
}

TEST_F(SpreadsheetNamingWindowTest, AFailedWriteKeepsTheRow) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(1, 0);
  test::withFilesLimitedTo(16, [this] { window->saveCrop(); });
  EXPECT_EQ(program->naming.currentName, u("张三"));
  window->saveCrop();
  EXPECT_TRUE(QFileInfo::exists(out(u("张三.jpg"))));
  EXPECT_EQ(program->naming.currentName, u("李四"));
}

TEST_F(SpreadsheetNamingWindowTest, TheSaveChecksAskForTheWindowABookAndAName) {
  program->batch.active = true;
  program->batch.namingRule = NamingRule::Spreadsheet;
  program->batch.saveFolder = out(QString());
  showFilled({400, 300}, qRgb(20, 120, 200));
  // Declined: the batch settings open for another rule.
  fixture.prompter.answers.push_back(PromptAnswer::No);
  QString title;
  whenModalOpens([&title](QDialog& w) { title = w.windowTitle(); });
  window->saveCrop();
  EXPECT_EQ(title, u("批量截图设置"));
  EXPECT_EQ(namingWindow(), nullptr);

  fixture.prompter.answers.push_back(PromptAnswer::Yes);
  window->saveCrop();
  ASSERT_NE(namingWindow(), nullptr);
  fixture.prompter.records.clear();
  window->saveCrop();
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("提示"));
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("请先导入EXCEL文件。"));
  EXPECT_TRUE(QDir(out(QString())).entryList(QDir::Files).isEmpty());
}

TEST_F(SpreadsheetNamingWindowTest, QuickShotsNameThreePhotosFromThreeRows) {
  CameraWindow* camera = openForQuickShots(NamingRule::Spreadsheet);
  ASSERT_NE(camera, nullptr);
  fixture.prompter.answers.push_back(PromptAnswer::Yes);
  takePhoto(camera);
  ASSERT_NE(namingWindow(), nullptr);
  EXPECT_EQ(namingWindow()->windowTitle(), u("导入EXCEL，按所选单元格文字命名即将拍照的图片"));
  import(kRoster);
  part<QCheckBox>("自动下一行选择框")->click();
  clickCell(1, 0);
  EXPECT_EQ(status(), u("以“张三”命名即将拍照的图片，如拍照多幅加序号区分。"));
  for (int photo = 0; photo < 3; ++photo) takePhoto(camera);
  EXPECT_EQ(savedFiles(), QStringList({u("张三.jpg"), u("李四.jpg"), u("王五.jpg")}));
  EXPECT_EQ(status(), u("以“赵六”命名即将拍照的图片，如拍多幅加序号区分。"));

  // Switching quick-shoot off closes the window and forgets the roster.
  in<QCheckBox>(camera, "启用速拍选择框")->click();
  QApplication::processEvents();
  EXPECT_EQ(namingWindow(), nullptr);
  EXPECT_FALSE(program->naming.windowOpen);
  EXPECT_FALSE(program->naming.bookLoaded);
  EXPECT_TRUE(program->naming.currentName.isEmpty());
}

TEST_F(SpreadsheetNamingWindowTest, ClosingTheCameraKeepsABatchsRoster) {
  ASSERT_NE(openForBatch(), nullptr);
  import(kRoster);
  // The menu's "拍摄" leaves the batch running, as the toolbar's does not.
  QAction* shoot = nullptr;
  for (QAction* action : window->findChild<QMenuBar*>()->findChildren<QAction*>()) {
    if (action->text() == u("拍摄")) shoot = action;
  }
  ASSERT_NE(shoot, nullptr);
  shoot->trigger();
  ASSERT_TRUE(program->batch.active);
  CameraWindow* camera = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<CameraWindow*>(top); found && found->isVisible()) camera = found;
  }
  ASSERT_NE(camera, nullptr);
  camera->close();
  QApplication::processEvents();
  ASSERT_NE(namingWindow(), nullptr);
  EXPECT_TRUE(program->naming.bookLoaded);

  program->batch.active = false;
  camera = openCamera();
  ASSERT_NE(camera, nullptr);
  camera->close();
  QApplication::processEvents();
  EXPECT_EQ(namingWindow(), nullptr);
  EXPECT_FALSE(program->naming.bookLoaded);
}

TEST_F(SpreadsheetNamingWindowTest, TheSeriesSettingsOpenWordAndCloseTheWindow) {
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  whenModalOpens([this](QDialog& w) {
    w.findChild<QLineEdit*>(u("速拍保存目录编辑框"))->setText(out(QString()));
    auto* rules = w.findChild<QComboBox*>(u("速拍命名方式组合框"));
    rules->setCurrentIndex(4);
    emit rules->activated(4);
    w.findChild<QPushButton*>(u("确定速拍设置按钮"))->click();
  });
  in<QPushButton>(camera, "速拍设置按钮")->click();
  ExcelNamingWindow* naming = namingWindow();
  ASSERT_NE(naming, nullptr);
  EXPECT_EQ(naming->windowTitle(), u("导入EXCEL，按所选单元格文字命名即将拍照的图片"));
  import(kRoster);
  clickCell(1, 0);

  // Confirmed again, a loaded roster keeps its name and hears of it in the settings' wording.
  whenModalOpens([](QDialog& w) { w.findChild<QPushButton*>(u("确定速拍设置按钮"))->click(); });
  in<QPushButton>(camera, "速拍设置按钮")->click();
  EXPECT_EQ(namingWindow(), naming);
  EXPECT_EQ(status(), u("以“张三”命名即将拍照的图片，如截图多幅加序号区分。"));

  // Another rule closes it.
  whenModalOpens([](QDialog& w) {
    auto* rules = w.findChild<QComboBox*>(u("速拍命名方式组合框"));
    rules->setCurrentIndex(1);
    emit rules->activated(1);
  });
  in<QPushButton>(camera, "速拍设置按钮")->click();
  QApplication::processEvents();
  EXPECT_EQ(namingWindow(), nullptr);
  EXPECT_TRUE(program->naming.currentName.isEmpty());
}

TEST_F(SpreadsheetNamingWindowTest, ClosingTheWindowDuringAReadIsSafe) {
  ASSERT_NE(openForBatch(), nullptr);
  fixture.prompter.paths.push_back(kRoster);
  part<QPushButton>("导入EXCEL按钮")->click();
  EXPECT_EQ(status(), u("数据正读入……"));
  namingWindow()->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QTest::qWait(200);
  EXPECT_EQ(namingWindow(), nullptr);
  EXPECT_FALSE(program->naming.windowOpen);
  EXPECT_FALSE(program->naming.bookLoaded);
}

}  // namespace
}  // namespace veltrix
