#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include "app/status_bar.h"
#include "platform/text_codec.h"
#include "settings/number_rules.h"
#include "test_files.h"
#include "tools/tool_palette.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

class MainWindowTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  int topOf(const char* name) const { return control<QWidget>(name)->y(); }
};

TEST_F(MainWindowTest, StartsAtTheDesignClientSize) {
  // The same numbers hold on a scaled screen, where this suite runs a second time.
  const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
  EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), scale.isEmpty() ? 1.0 : scale.toDouble());
  EXPECT_EQ(window->client()->size(), QSize(586, 360));
  EXPECT_EQ(control<QWidget>("可视画板")->size(), QSize(411, 279));
  EXPECT_EQ(program->view.centreX, 205);
  EXPECT_EQ(program->view.centreY, 139);
  EXPECT_EQ(program->view.viewCanvas.size(), QSize(411, 279));
  EXPECT_EQ(program->view.backCanvas.size(), QSize(411, 279));
  // The corrections are what the client lacked before the resize, so the formulas see the
  // client size plus the design frame.
  EXPECT_EQ(program->shell.lastOuterWidth - program->shell.widthCorrection, 586 + 8);
  EXPECT_EQ(program->shell.lastOuterHeight - program->shell.heightCorrection, 360 + 54);
}

TEST_F(MainWindowTest, StartsWithTheDesignState) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Veltrix V3.0"));
  const auto* status = control<StatusBar>("状态条1");
  EXPECT_EQ(status->hintText(), QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像"));
  EXPECT_EQ(program->shell.hint, status->hintText());
  EXPECT_EQ(status->part0Width(), 432);
  EXPECT_FALSE(control<QScrollBar>("横向滚动条")->isEnabled());
  EXPECT_FALSE(control<QScrollBar>("纵向滚动条")->isEnabled());
  EXPECT_EQ(control<QComboBox>("尺寸类型组合框")->currentIndex(), 0);
  EXPECT_EQ(control<QComboBox>("尺寸类型组合框")->count(), 9);
  EXPECT_FALSE(control<QTimer>("截图时钟")->isActive());
  EXPECT_FALSE(control<QLineEdit>("文字输入编辑框")->isVisible());
  EXPECT_DOUBLE_EQ(program->output.jpgLimitKb, 500.0);
  EXPECT_EQ(program->shell.screenWidth, 1920);
  EXPECT_EQ(program->shell.screenHeight, 1080);
  ASSERT_NE(window->toolPalette(), nullptr);
  EXPECT_FALSE(window->toolPalette()->isVisible());
  EXPECT_EQ(window->toolPalette()->size(), QSize(75, 318));
}

TEST_F(MainWindowTest, CentresTheFrameInteriorOnTheCanvas) {
  EXPECT_EQ(program->frame.interiorLeft, 125);
  EXPECT_EQ(program->frame.interiorTop, 34);
  EXPECT_EQ(control<QWidget>("截图画板")->geometry(), QRect(125, 34, 160, 210));
}

TEST_F(MainWindowTest, PlacesTheControlsAtTheStartLayout) {
  EXPECT_EQ(topOf("横向滚动条"), 328);
  EXPECT_EQ(control<QWidget>("纵向滚动条")->x(), 416);
  EXPECT_EQ(control<QWidget>("面板高级选择夹")->geometry(), QRect(432, 48, 152, 292));
  for (const char* page : {"像素法", "DPI法"}) {
    const QString prefix = QString::fromUtf8(page);
    const auto top = [&](const char* suffix) {
      return window->findChild<QWidget*>(prefix + QString::fromUtf8(suffix))->y();
    };
    EXPECT_EQ(top("截图按钮"), 205) << page;
    EXPECT_EQ(top("截图上移按钮"), 173) << page;
    EXPECT_EQ(top("截图下移按钮"), 249) << page;
    EXPECT_EQ(top("截图左移按钮"), 213) << page;
    EXPECT_EQ(top("截图右移按钮"), 213) << page;
  }
}

TEST_F(MainWindowTest, EnlargingRelaysOutEveryControl) {
  const int panelLeft = control<QWidget>("面板高级选择夹")->x();
  window->resize(window->width() + 100, window->height() + 100);

  EXPECT_EQ(control<QWidget>("可视画板")->size(), QSize(511, 379));
  EXPECT_EQ(program->view.viewCanvas.size(), QSize(511, 379));
  EXPECT_EQ(control<QWidget>("面板高级选择夹")->x(), panelLeft + 100);
  EXPECT_EQ(control<QWidget>("面板高级选择夹")->height(), 392);
  EXPECT_EQ(topOf("像素法截图按钮"), 255);
  EXPECT_EQ(topOf("DPI法截图上移按钮"), 223);
  EXPECT_EQ(topOf("像素法截图下移按钮"), 299);
  EXPECT_EQ(topOf("DPI法截图左移按钮"), 263);
  EXPECT_EQ(topOf("横向滚动条"), 428);
  EXPECT_EQ(control<QWidget>("纵向滚动条")->x(), 516);
  EXPECT_EQ(control<StatusBar>("状态条1")->part0Width(), 532);
  EXPECT_EQ(program->view.centreX, 255);
  EXPECT_EQ(program->view.centreY, 189);
  EXPECT_EQ(control<QWidget>("截图画板")->geometry(), QRect(175, 84, 160, 210));
  EXPECT_EQ(program->shell.lastOuterWidth, window->width());
  EXPECT_EQ(program->shell.lastOuterHeight, window->height());
}

TEST_F(MainWindowTest, ToolbarHasThirteenSlotsWithTheirTooltips) {
  const QList<QAction*> actions = control<QToolBar>("工具条1")->actions();
  ASSERT_EQ(actions.size(), 13);
  const char* expected[][2] = {
      {"", ""},
      {"打开", "打开一幅图片"},
      {"保存", "保存采集框内图片"},
      {"", ""},
      {"放大", "放大显示"},
      {"缩小", "缩小显示"},
      {"顺转", "顺时针转90度"},
      {"逆转", "逆时针转90度"},
      {"编辑", "编辑图象"},
      {"", ""},
      {"拍摄", "启动摄像头"},
      {"帮助", "使用帮助"},
      {"主页", "软件主页"},
  };
  for (int i = 0; i < 13; ++i) {
    const bool separator = expected[i][0][0] == '\0';
    EXPECT_EQ(actions[i]->isSeparator(), separator) << i;
    if (separator) continue;
    EXPECT_EQ(actions[i]->text(), QString::fromUtf8(expected[i][0])) << i;
    EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(expected[i][1])) << i;
  }
}

TEST_F(MainWindowTest, HintIsWrittenOnlyWhenItChanges) {
  auto* status = control<StatusBar>("状态条1");
  status->setHintText(QStringLiteral("overwritten"));
  window->setHint(program->shell.hint);
  EXPECT_EQ(status->hintText(), QStringLiteral("overwritten"));
  window->setHint(QString());
  EXPECT_EQ(status->hintText(), QString());
}

TEST_F(MainWindowTest, StartupCreatesTheSettingsFolderButNoSettingsFile) {
  const QString folder = fixture.path(QStringLiteral("program/头像采集设置"));
  EXPECT_EQ(program->shell.settingsFolder, folder);
  EXPECT_EQ(program->shell.settingsFile, folder + QStringLiteral("/set.dll"));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_FALSE(QFile::exists(program->shell.settingsFile));
  EXPECT_EQ(program->batch.saveFormat, QStringLiteral(".JPG"));
  EXPECT_EQ(program->quickShot.quickSaveFormat, QStringLiteral(".JPG"));
  EXPECT_FALSE(program->batch.keepSettings);
  EXPECT_FALSE(program->quickShot.quickKeepSettings);
}

TEST(MainWindowStartup, LoadsBothSectionsOfAnExistingSettingsFile) {
  test::ProgramFixture fixture;
  const QString folder = fixture.path(QStringLiteral("program/头像采集设置"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QByteArray stored = toGb18030(test::u(
      "[批量截图]\r\n命名方式=3\r\n自定义命名=班级\r\n保存格式=.PNG\r\n保存目录=/srv/out\r\n"
      "待截图目录=/srv/in\r\n发裁切声=真\r\n是否保存设置=真\r\n"
      "[批量速拍]\r\n命名方式=7\r\n保存格式=\r\n发快门声=真\r\n"));
  ASSERT_TRUE(test::writeBytes(folder + QStringLiteral("/set.dll"), stored));

  auto program = fixture.makeProgram();
  MainWindow window(*program);
  window.start();

  EXPECT_EQ(program->batch.namingRule, NamingRule::CustomPrefix);
  EXPECT_EQ(program->batch.customName, test::u("班级"));
  EXPECT_EQ(program->batch.saveFormat, QStringLiteral(".PNG"));
  EXPECT_EQ(program->batch.saveFolder, QStringLiteral("/srv/out"));
  EXPECT_EQ(program->batch.sourceFolder, QStringLiteral("/srv/in"));
  EXPECT_TRUE(program->batch.cropSound);
  EXPECT_TRUE(program->batch.keepSettings);
  EXPECT_FALSE(program->batch.active);
  // An index outside the five quick-shoot rules falls back to the first one.
  EXPECT_EQ(program->quickShot.quickNamingRule, NamingRule::TimeStamp);
  EXPECT_EQ(program->quickShot.quickSaveFormat, QStringLiteral(".JPG"));
  EXPECT_TRUE(program->quickShot.shutterSound);
  EXPECT_FALSE(program->quickShot.quickKeepSettings);
  EXPECT_EQ(test::readBytes(folder + QStringLiteral("/set.dll")), stored);
}

// A run killed while it replaced the settings or the task file may leave a whole copy beside it,
// under the file's name and six more letters; the next start takes such copies away.
TEST(MainWindowStartup, RemovesCopiesAKilledRunLeftBesideItsFiles) {
  test::ProgramFixture fixture;
  const QString folder = fixture.path(QStringLiteral("program/头像采集设置"));
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const char* name :
       {"set.dll", "set.dll.wKHBgT", "批截任务.ini", "批截任务.ini.XSzxEP", "照片.jpg.AbCdEf"})
    ASSERT_TRUE(test::writeBytes(folder + u'/' + test::u(name), "x"));
  auto program = fixture.makeProgram();
  MainWindow window(*program);
  window.start();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files),
            (QStringList{test::u("set.dll"), test::u("批截任务.ini"), test::u("照片.jpg.AbCdEf")}));
}

TEST_F(MainWindowTest, WheelNotchTowardsTheUserEnlargesAndEnablesTheScrollBar) {
  QImage picture(4000, 3000, QImage::Format_RGB32);
  picture.fill(qRgb(40, 80, 120));
  program->document = {picture, true};
  program->view.scrollFractionX = program->view.scrollFractionY = 0.5;
  window->showPicture();
  auto* canvas = control<QWidget>("可视画板");
  auto* vertical = control<QScrollBar>("纵向滚动条");
  EXPECT_FALSE(vertical->isEnabled());
  EXPECT_EQ(canvas->grab().toImage().pixel(100, 100), qRgb(40, 80, 120));

  const QPointF at(100, 100);
  QWheelEvent towardsUser(at, canvas->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &towardsUser);
  EXPECT_EQ(program->view.scaledWidth, 379);
  EXPECT_EQ(program->view.scaledHeight, 284);
  EXPECT_TRUE(vertical->isEnabled());
  EXPECT_EQ(vertical->maximum(), 5);
  EXPECT_EQ(vertical->value(), 2);
  EXPECT_FALSE(control<QScrollBar>("横向滚动条")->isEnabled());

  vertical->setValue(5);
  EXPECT_EQ(program->view.sourceY, 5);
  EXPECT_DOUBLE_EQ(program->view.scrollFractionY, 1.0);

  QTest::keyClick(canvas, Qt::Key_Minus);
  EXPECT_EQ(program->view.scaledHeight, 278);
  EXPECT_FALSE(vertical->isEnabled());
}

TEST_F(MainWindowTest, WindowNeverShrinksBelowItsDesignSize) {
  const QSize design = window->size();
  EXPECT_EQ(window->minimumSize(), design);
  window->resize(300, 200);
  EXPECT_EQ(window->size(), design);
  EXPECT_EQ(control<QWidget>("可视画板")->size(), QSize(411, 279));
}

TEST_F(MainWindowTest, ResizingRedrawsAShownPicture) {
  QImage picture(200, 100, QImage::Format_RGB32);
  picture.fill(qRgb(10, 20, 30));
  program->document = {picture, true};
  window->showPicture();
  window->resize(window->width() + 100, window->height() + 100);
  EXPECT_EQ(program->view.offsetX, 155);
  EXPECT_EQ(program->view.offsetY, 139);
  EXPECT_EQ(program->view.viewCanvas.pixel(155, 139), qRgb(10, 20, 30));
  // The frame is drawn around its re-centred interior.
  EXPECT_EQ(program->view.viewCanvas.pixel(174, 83), qRgb(255, 255, 0));
}

struct PaletteCase {
  QPoint mainTopLeft;
  QPoint expected;
};

TEST(ToolPalettePosition, FollowsTheMainWindowAndNeverLeavesTheScreenLeft) {
  const PaletteCase cases[] = {
      {{50, 50}, {0, 125}}, {{74, 10}, {0, 85}},      {{75, 0}, {0, 75}},
      {{76, 0}, {1, 75}},   {{300, 200}, {225, 275}}, {{-40, -20}, {0, 55}},
  };
  for (const PaletteCase& c : cases)
    EXPECT_EQ(ToolPalette::positionBeside(c.mainTopLeft), c.expected) << c.mainTopLeft.x();
}

TEST_F(MainWindowTest, MovingTheMainWindowMovesThePalette) {
  window->move(30, 100);
  QTest::qWait(0);
  const QPoint topLeft = window->frameGeometry().topLeft();
  EXPECT_EQ(window->toolPalette()->pos(), ToolPalette::positionBeside(topLeft));
  EXPECT_EQ(window->toolPalette()->x(), 0);
}

}  // namespace
}  // namespace veltrix
