#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/main_window.h"
#include "settings/settings_store.h"
#include "widgets/choice_combo.h"
#include "widgets/spin_buttons.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;

class SizePanelTest : public test::WindowTest {
 protected:
  void clickArrow(const char* name, int step) {
    auto* box = control<QLineEdit>(name);
    for (auto* buttons : box->parentWidget()->findChildren<SpinButtons*>()) {
      if (buttons->buddy() != box) continue;
      const QList<QToolButton*> arrows = buttons->findChildren<QToolButton*>();
      QTest::mouseClick(arrows[step > 0 ? 0 : 1], Qt::LeftButton);
      return;
    }
    ADD_FAILURE() << "no arrows beside " << name;
  }

  QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
  QRect frameCanvas() const { return control("截图画板")->geometry(); }
};

TEST_F(SizePanelTest, StudentPresetGrowsOnlyTheHeightAndCentresTheWindow) {
  start();
  const int width = window->width();
  choosePreset(2);
  EXPECT_EQ(program->output.pixelWidth, 358);
  EXPECT_EQ(program->output.pixelHeight, 441);
  EXPECT_EQ(program->output.dpi, 350);
  EXPECT_EQ(text("像素宽编辑框"), u("358"));
  EXPECT_EQ(text("像素高编辑框"), u("441"));
  EXPECT_EQ(text("DPI编辑框"), u("350"));
  EXPECT_EQ(text("毫米宽编辑框"), u("26"));
  EXPECT_EQ(text("毫米高编辑框"), u("32"));
  EXPECT_EQ(window->width(), width);
  EXPECT_EQ(control<QWidget>("可视画板")->size(), QSize(411, 471));
  const QRect outer = window->frameGeometry();
  EXPECT_EQ(outer.left(), (1920 - outer.width()) / 2);
  EXPECT_EQ(outer.top(), (1080 - outer.height()) / 2);
  // The relayout centred the frame on the new canvas.
  EXPECT_EQ(frameCanvas(), QRect(205 - 179, 235 - 220, 358, 441));
  EXPECT_TRUE(fixture.prompter.records.empty());
}

TEST_F(SizePanelTest, PresetTooTallForTheScreenIsRefusedAndTheListGoesBack) {
  start({1024, 768});
  choosePreset(7);
  ASSERT_EQ(program->output.pixelHeight, 567);
  choosePreset(8);
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  EXPECT_EQ(fixture.prompter.records[0].title, u("提示"));
  EXPECT_EQ(fixture.prompter.records[0].text,
            u("当前电脑屏幕像素分辩率不够高，不能满足操作要求。"));
  EXPECT_EQ(control<ChoiceCombo>("尺寸类型组合框")->currentIndex(), 7);
  EXPECT_EQ(program->output.pixelWidth, 390);
  EXPECT_EQ(program->output.pixelHeight, 567);
  EXPECT_EQ(text("像素高编辑框"), u("567"));
}

TEST_F(SizePanelTest, TypedPixelsTakeEffectAtEveryKeyAndSelectCustom) {
  start();
  control<QLineEdit>("像素宽编辑框")->clear();
  typeInto("像素宽编辑框", "5");
  EXPECT_EQ(program->output.pixelWidth, 5);
  EXPECT_EQ(frameCanvas().width(), 5);
  EXPECT_EQ(control<ChoiceCombo>("尺寸类型组合框")->currentIndex(), 1);
  typeInto("像素宽编辑框", "0");
  EXPECT_EQ(program->output.pixelWidth, 50);
  EXPECT_EQ(frameCanvas().width(), 50);
  EXPECT_EQ(text("像素宽编辑框"), u("50"));
}

TEST_F(SizePanelTest, PixelWidthWritesItsMillimetres) {
  start();
  typeInto("像素宽编辑框", "300", true);
  EXPECT_EQ(program->output.pixelWidth, 300);
  EXPECT_EQ(text("毫米宽编辑框"), u("47.6"));
  // The frame keeps its left and top; only its size follows.
  EXPECT_EQ(frameCanvas(), QRect(125, 34, 300, 210));
}

TEST_F(SizePanelTest, DpiChangeKeepsTheMillimetresAndChangesThePixels) {
  start();
  typeInto("DPI编辑框", "300", true);
  EXPECT_EQ(program->output.dpi, 300);
  EXPECT_EQ(program->output.pixelWidth, 295);
  EXPECT_EQ(program->output.pixelHeight, 390);
  EXPECT_EQ(text("毫米宽编辑框"), u("25"));
  EXPECT_EQ(text("毫米高编辑框"), u("33"));
}

TEST_F(SizePanelTest, EmptiedDpiBoxCommitsTheDefaultDpi) {
  start();
  QLineEdit* box = control<QLineEdit>("DPI编辑框");
  box->setFocus();
  box->end(false);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(program->output.dpi, 16);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(program->output.dpi, 160);
  EXPECT_EQ(text("DPI编辑框"), u("160"));
}

TEST_F(SizePanelTest, MillimetreEntryConvertsAtTheCurrentDpi) {
  start();
  typeInto("毫米高编辑框", "20", true);
  EXPECT_EQ(program->output.pixelHeight, 126);
  EXPECT_FLOAT_EQ(program->output.mmHeight, 20.0f);
  EXPECT_EQ(text("像素高编辑框"), u("126"));
}

TEST_F(SizePanelTest, MillimetresTooLargeForTheScreenAreTakenBack) {
  start({1024, 768});
  const QPoint place = window->pos();
  typeInto("毫米宽编辑框", "999", true);
  // 99 mm (624 px) still fits a grown window, which stays where it was; 999 mm does not.
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(text("毫米宽编辑框"), u("99"));
  EXPECT_EQ(program->output.pixelWidth, 624);
  EXPECT_EQ(control<QWidget>("可视画板")->width(), 654);
  EXPECT_EQ(window->pos(), place);
}

TEST_F(SizePanelTest, ArrowsStepWithinTheirFloors) {
  start();
  typeInto("像素高编辑框", "0", true);
  clickArrow("像素高编辑框", +1);
  EXPECT_EQ(text("像素高编辑框"), u("1"));
  EXPECT_EQ(program->output.pixelHeight, 1);

  typeInto("像素宽编辑框", "1", true);
  clickArrow("像素宽编辑框", -1);
  EXPECT_EQ(text("像素宽编辑框"), u("1"));

  control<QLineEdit>("DPI编辑框")->setText(u("2"));
  clickArrow("DPI编辑框", -1);
  EXPECT_EQ(text("DPI编辑框"), u("160"));
  EXPECT_EQ(program->output.dpi, 160);

  control<QLineEdit>("毫米宽编辑框")->setText(u("0.5"));
  clickArrow("毫米宽编辑框", -1);
  EXPECT_EQ(text("毫米宽编辑框"), u("0"));
  clickArrow("毫米宽编辑框", +1);
  EXPECT_EQ(text("毫米宽编辑框"), u("1"));
}

TEST_F(SizePanelTest, SizesArePersistedOnlyForABatchThatKeepsItsSettings) {
  start();
  const SettingsStore store(program->shell.settingsFile);
  typeInto("像素宽编辑框", "200", true);
  EXPECT_FALSE(QFile::exists(program->shell.settingsFile));

  program->batch.active = true;
  program->batch.keepSettings = true;
  typeInto("像素宽编辑框", "300", true);
  EXPECT_EQ(store.read(u("批量截图"), u("像素宽")), u("300"));
  EXPECT_EQ(store.read(u("批量截图"), u("毫米宽")), u("47.6"));
  EXPECT_EQ(store.read(u("批量截图"), u("像素高")), QString());

  choosePreset(5);
  EXPECT_EQ(store.read(u("批量截图"), u("像素高")), u("413"));
  EXPECT_EQ(store.read(u("批量截图"), u("毫米高")), u("35"));
  EXPECT_EQ(store.read(u("批量截图"), u("DPI")), u("300"));
}

TEST_F(SizePanelTest, JpgTargetIsCanonicalNeverZeroAndShownOnBothPages) {
  start();
  control<QLineEdit>("像素法JPG体积编辑框")->clear();
  typeInto("像素法JPG体积编辑框", "0");
  EXPECT_EQ(text("像素法JPG体积编辑框"), u("500"));
  EXPECT_DOUBLE_EQ(program->output.jpgLimitKb, 500);

  typeInto("像素法JPG体积编辑框", "3", true);
  EXPECT_EQ(text("DPI法JPG体积编辑框"), u("3"));
  typeInto("像素法JPG体积编辑框", ".");
  EXPECT_EQ(text("像素法JPG体积编辑框"), u("3"));
  EXPECT_DOUBLE_EQ(program->output.jpgLimitKb, 3);

  // A decimal value is reached by typing the point between digits.
  QLineEdit* box = control<QLineEdit>("DPI法JPG体积编辑框");
  box->setFocus();
  box->setText(u("35"));
  box->setCursorPosition(1);
  QTest::keyClick(box, '.');
  EXPECT_EQ(text("DPI法JPG体积编辑框"), u("3.5"));
  EXPECT_EQ(text("像素法JPG体积编辑框"), u("3.5"));
  EXPECT_DOUBLE_EQ(program->output.jpgLimitKb, 3.5);
}

TEST_F(SizePanelTest, JpgTargetArrowsStepTheValue) {
  start();
  clickArrow("像素法体积编辑框", +1);
  EXPECT_EQ(text("像素法JPG体积编辑框"), u("501"));
  EXPECT_EQ(text("DPI法JPG体积编辑框"), u("501"));
  control<QLineEdit>("DPI法JPG体积编辑框")->setText(u("1"));
  clickArrow("DPI法体积编辑框", -1);
  EXPECT_EQ(text("DPI法JPG体积编辑框"), u("500"));
  EXPECT_DOUBLE_EQ(program->output.jpgLimitKb, 500);
}

TEST_F(SizePanelTest, JpgTargetIsKeptForSeriesThatSaveJpg) {
  start();
  const SettingsStore store(program->shell.settingsFile);
  program->batch.active = program->batch.keepSettings = true;
  program->quickShot.quickMode = program->quickShot.quickKeepSettings = true;
  program->quickShot.quickSaveFormat = u(".PNG");
  typeInto("像素法JPG体积编辑框", "40", true);
  EXPECT_EQ(store.read(u("批量截图"), u("JPG体积")), u("40"));
  EXPECT_EQ(store.read(u("批量速拍"), u("JPG体积")), QString());
}

TEST_F(SizePanelTest, PressingIntoABoxSwitchesNumLockOn) {
  start();
  fixture.keyboard.on = false;
  QTest::mouseClick(control("毫米宽编辑框"), Qt::LeftButton);
  EXPECT_TRUE(fixture.keyboard.on);
  EXPECT_EQ(fixture.keyboard.presses, 1);
  QTest::mouseClick(control("像素法JPG体积编辑框"), Qt::LeftButton);
  EXPECT_EQ(fixture.keyboard.presses, 1);
}

}  // namespace
}  // namespace veltrix
