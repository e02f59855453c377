// Quick-shoot mode on the camera window: switching it on and off, the offer to reuse the kept
// settings, the settings window with its checks and its settings section, and the sizes kept for
// the next run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "app/status_bar.h"
#include "camera/camera_geometry.h"
#include "camera/quick_shot_settings.h"
#include "camera_fixture.h"
#include "platform/text_codec.h"
#include "settings/settings_store.h"

namespace veltrix {
namespace {

using test::u;

const char* const kQuickSection = "批量速拍";

class QuickShotTest : public test::CameraWindowTest {
 protected:
  void SetUp() override { start(); }

  SettingsStore store() const { return SettingsStore(program->shell.settingsFile); }
  QString kept(const char* key) const { return store().read(u(kQuickSection), u(key)); }
  void keep(std::initializer_list<std::pair<const char*, const char*>> keys) {
    for (const auto& [key, value] : keys) store().write(u(kQuickSection), u(key), u(value));
  }

  // The quick-shoot box clicked as the user clicks it.
  static void clickQuickBox(CameraWindow* camera) {
    in<QCheckBox>(camera, "启用速拍选择框")->click();
  }
  static bool quickControlsShown(CameraWindow* camera) {
    bool shown = true;
    for (const char* name :
         {"拍图框上标签", "拍图框下标签", "拍图框左标签", "拍图框右标签", "速拍设置按钮",
          "拍图上移按钮", "拍图左移按钮", "拍图右移按钮", "拍图下移按钮"})
      shown = shown && !in(camera, name)->isHidden();
    return shown;
  }

  // Fills the settings window as the user does and confirms it.
  static void confirm(QDialog& window, const QString& folder, int rule, bool keep,
                      const QString& custom = {}) {
    window.findChild<QLineEdit*>(u("速拍保存目录编辑框"))->setText(folder);
    auto* rules = window.findChild<QComboBox*>(u("速拍命名方式组合框"));
    rules->setCurrentIndex(rule);
    emit rules->activated(rule);
    if (!custom.isNull()) rules->setEditText(custom);
    window.findChild<QCheckBox*>(u("保存速拍设置选择框"))->setChecked(keep);
    window.findChild<QPushButton*>(u("确定速拍设置按钮"))->click();
  }

  // Opens the settings window with its button on the camera window and lets `act` work in it.
  static void inSettingsWindow(CameraWindow* camera, std::function<void(QDialog&)> act) {
    whenModalOpens(std::move(act));
    in<QPushButton>(camera, "速拍设置按钮")->click();
  }
};

TEST_F(QuickShotTest, SettingsWindowShowsTheSettingsAtItsDesignPlaces) {
  QuickShotSettings& quick = program->quickShot;
  quick.quickMode = true;
  quick.quickSaveFolder = out(QString());
  quick.quickSaveFormat = u(".TIF");  // no format of the list: the first is taken
  quick.quickNamingRule = NamingRule::AskEveryTime;
  quick.shutterSound = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  bool seen = false;
  inSettingsWindow(camera, [&](QDialog& w) {
    seen = true;
    EXPECT_TRUE(quick.quickSettingsWindowOpen);
    EXPECT_EQ(w.windowTitle(), u("批量速拍设置"));
    EXPECT_EQ(w.size(), QSize(466, 225));
    const struct {
      const char* name;
      QRect geometry;
    } places[] = {
        {"标签1", {10, 12, 80, 24}},
        {"速拍保存目录编辑框", {90, 12, 268, 24}},
        {"浏览按钮", {362, 12, 94, 24}},
        {"标签3", {10, 48, 80, 24}},
        {"速拍格式组合框", {90, 48, 368, 22}},
        {"标签2", {10, 84, 80, 24}},
        {"速拍命名方式组合框", {90, 84, 368, 22}},
        {"发快门声选择框", {92, 116, 144, 24}},
        {"保存速拍设置选择框", {92, 148, 212, 24}},
        {"确定速拍设置按钮", {194, 177, 80, 32}},
    };
    for (const auto& p : places) {
      auto* control = w.findChild<QWidget*>(u(p.name));
      ASSERT_NE(control, nullptr) << p.name;
      EXPECT_EQ(control->geometry(), p.geometry) << p.name;
    }
    EXPECT_EQ(w.findChild<QLineEdit*>(u("速拍保存目录编辑框"))->text(), out(QString()) + u("/"));
    EXPECT_EQ(w.focusWidget(), w.findChild<QLineEdit*>(u("速拍保存目录编辑框")));
    auto* formats = w.findChild<QComboBox*>(u("速拍格式组合框"));
    EXPECT_EQ(formats->currentIndex(), 0);
    EXPECT_EQ(formats->itemText(3), u(" *.PNG"));
    auto* rules = w.findChild<QComboBox*>(u("速拍命名方式组合框"));
    ASSERT_EQ(rules->count(), 5);
    EXPECT_EQ(rules->itemText(1), u("根据拍照先后用序号命名  如： 0001   0002"));
    EXPECT_EQ(rules->currentIndex(), 3);
    EXPECT_FALSE(rules->isEditable());
    EXPECT_TRUE(w.findChild<QCheckBox*>(u("发快门声选择框"))->isChecked());
    EXPECT_FALSE(w.findChild<QCheckBox*>(u("保存速拍设置选择框"))->isChecked());
  });
  EXPECT_TRUE(seen);
  EXPECT_EQ(quick.quickSaveFormat, u(".JPG"));
  EXPECT_FALSE(quick.quickSettingsWindowOpen);
}

TEST_F(QuickShotTest, ConfirmRefusesAWrongFolderOrAnEmptyPrefix) {
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  const struct {
    const char* name;
    QString folder;
    int rule;
    QString custom;
    const char* message;
  } cases[] = {
      {"no folder", QString(), 0, {}, "请设置正确的图片保存目录。"},
      {"missing folder", fixture.path(u("gone")), 0, {}, "请设置正确的图片保存目录。"},
      {"a file for a folder", fixture.path(u("file.txt")), 0, {}, "请设置正确的图片保存目录。"},
      {"folder checked first", fixture.path(u("gone")), 2, u(" "), "请设置正确的图片保存目录。"},
      {"custom of spaces", out(QString()), 2, u("   "), "自定义命名不能为空。"},
  };
  test::writeBytes(fixture.path(u("file.txt")), "x");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixture.prompter.records.clear();
    program->quickShot.quickMode = false;
    bool stayedOpen = false;
    inSettingsWindow(camera, [&](QDialog& w) {
      confirm(w, c.folder, c.rule, true, c.custom);
      stayedOpen = w.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提醒："));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u(c.message));
    EXPECT_EQ(fixture.prompter.messages()[0].icon, PromptIcon::Information);
    EXPECT_FALSE(program->quickShot.quickMode);
    EXPECT_EQ(kept("是否保存设置"), QString());
  }
}

TEST_F(QuickShotTest, ConfirmKeepsTheTwelveKeysOrEmptiesThem) {
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  typeInto("像素宽编辑框", "300", true);
  inSettingsWindow(camera, [&](QDialog& w) {
    // Choosing the custom rule offers an empty field for the prefix.
    auto* rules = w.findChild<QComboBox*>(u("速拍命名方式组合框"));
    rules->setCurrentIndex(2);
    emit rules->activated(2);
    EXPECT_TRUE(rules->isEditable());
    EXPECT_EQ(rules->currentText(), QString());
    w.findChild<QCheckBox*>(u("发快门声选择框"))->click();
    confirm(w, out(QString()) + u("/"), 2, true, u("  一班 "));
  });
  const QuickShotSettings& quick = program->quickShot;
  EXPECT_TRUE(quick.quickMode);
  EXPECT_EQ(quick.quickSaveFolder, out(QString()));
  EXPECT_EQ(quick.quickCustomName, u("一班"));
  EXPECT_EQ(quick.quickNamingRule, NamingRule::CustomPrefix);
  EXPECT_TRUE(quick.shutterSound);
  EXPECT_TRUE(quick.quickKeepSettings);
  const struct {
    const char* key;
    QString value;
  } keys[] = {
      {"命名方式", u("2")},    {"自定义命名", u("一班")},
      {"保存格式", u(".JPG")}, {"保存目录", out(QString())},
      {"发快门声", u("真")},   {"是否保存设置", u("真")},
      {"像素宽", u("300")},    {"像素高", u("210")},
      {"JPG体积", u("500")},   {"DPI", u("160")},
      {"毫米宽", u("47.6")},   {"毫米高", u("33")},
  };
  for (const auto& k : keys) EXPECT_EQ(kept(k.key), k.value) << k.key;
  // The keys follow the section header in the order they were first written.
  const QString file = fromGb18030(test::readBytes(program->shell.settingsFile));
  EXPECT_LT(file.indexOf(u("发快门声=")), file.indexOf(u("是否保存设置=")));
  EXPECT_LT(file.indexOf(u("JPG体积=")), file.indexOf(u("DPI=")));

  inSettingsWindow(camera, [&](QDialog& w) { confirm(w, out(QString()), 0, false); });
  EXPECT_FALSE(quick.quickKeepSettings);
  for (const auto& k : keys) EXPECT_EQ(kept(k.key), QString()) << k.key;
}

TEST_F(QuickShotTest, ClosingTheSettingsWindowKeepsOnlyWhatTookEffectAtOnce) {
  QuickShotSettings& quick = program->quickShot;
  quick.quickMode = true;
  quick.quickSaveFolder = out(QString());
  quick.quickCustomName = u("甲");
  quick.quickNamingRule = NamingRule::CustomPrefix;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  inSettingsWindow(camera, [&](QDialog& w) {
    auto* formats = w.findChild<QComboBox*>(u("速拍格式组合框"));
    formats->setCurrentIndex(3);
    emit formats->activated(3);
    w.findChild<QLineEdit*>(u("速拍保存目录编辑框"))->setText(fixture.path(u("elsewhere")));
    w.findChild<QCheckBox*>(u("保存速拍设置选择框"))->setChecked(true);
    w.close();
  });
  EXPECT_EQ(quick.quickSaveFormat, u(".PNG"));
  EXPECT_EQ(quick.quickSaveFolder, out(QString()));
  EXPECT_FALSE(quick.quickKeepSettings);
  EXPECT_TRUE(quick.quickMode);

  // Confirmed untouched, the custom rule keeps its prefix rather than its label.
  inSettingsWindow(camera,
                   [&](QDialog& w) { w.findChild<QPushButton*>(u("确定速拍设置按钮"))->click(); });
  EXPECT_EQ(quick.quickCustomName, u("甲"));
}

TEST_F(QuickShotTest, FirstSwitchOfTheRunOffersTheKeptSettings) {
  keep({{"是否保存设置", "真"},
        {"像素宽", "358"},
        {"像素高", "441"},
        {"DPI", "300"},
        {"毫米宽", "30.3"},
        {"毫米高", "37.3"},
        {"JPG体积", "35"}});
  program->quickShot.quickKeepSettings = true;
  program->quickShot.quickSaveFolder = out(QString());
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_FALSE(quickControlsShown(camera));

  fixture.prompter.answers.push_back(PromptAnswer::Yes);
  clickQuickBox(camera);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("询问："));
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("是否沿用之前的速拍设置？"));
  EXPECT_EQ(fixture.prompter.messages()[0].icon, PromptIcon::Question);
  EXPECT_EQ(fixture.prompter.messages()[0].buttons, PromptButtons::YesNo);
  EXPECT_TRUE(program->quickShot.quickMode);
  EXPECT_EQ(control<ChoiceCombo>("尺寸类型组合框")->currentIndex(), 1);
  EXPECT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), QSize(358, 441));
  EXPECT_EQ(program->output.dpi, 300);
  EXPECT_EQ(control<QLineEdit>("毫米宽编辑框")->text(), u("30.3"));
  EXPECT_EQ(control<QLineEdit>("像素法JPG体积编辑框")->text(), u("35"));
  EXPECT_EQ(program->output.jpgLimitKb, 35);
  EXPECT_TRUE(quickControlsShown(camera));
  const QSize output(358, 441);
  EXPECT_EQ(in(camera, "拍图画板")->size(), output);
  EXPECT_EQ(in(camera, "拍图画板")->geometry().topLeft(),
            centredFrame(in(camera, "视频设备1")->size(), output));

  // Later switches in the same run ask nothing and keep the size there is now.
  clickQuickBox(camera);
  EXPECT_FALSE(program->quickShot.quickMode);
  EXPECT_FALSE(quickControlsShown(camera));
  typeInto("像素宽编辑框", "320", true);
  fixture.prompter.records.clear();
  clickQuickBox(camera);
  EXPECT_TRUE(fixture.prompter.messages().empty());
  EXPECT_EQ(kept("像素宽"), u("320"));
  EXPECT_EQ(kept("像素高"), u("441"));
  EXPECT_EQ(kept("毫米宽"), u("27.1"));
}

TEST_F(QuickShotTest, DecliningTheKeptSettingsOpensTheSettingsWindow) {
  program->quickShot.quickKeepSettings = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  fixture.prompter.answers.push_back(PromptAnswer::No);
  QString title;
  whenModalOpens([&title](QDialog& w) { title = w.windowTitle(); });
  clickQuickBox(camera);
  EXPECT_EQ(title, u("批量速拍设置"));
  EXPECT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), QSize(160, 210));
  EXPECT_TRUE(program->quickShot.quickSettingsAsked);
}

TEST_F(QuickShotTest, ADamagedKeptSizeIsRefusedLikeATypedOne) {
  const struct {
    const char* name;
    const char* width;
    const char* height;
    size_t messages;  // the screen's refusal speaks for a size too large for it
  } cases[] = {
      {"zero", "0", "441", 1},
      {"text", "宽", "441", 1},
      {"empty", "", "", 1},
      {"negative", "-5", "441", 1},
      {"larger than the screen", "99999", "441", 2},
      {"beyond int", "99999999999", "441", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    keep({{"是否保存设置", "真"}, {"像素宽", c.width}, {"像素高", c.height}, {"DPI", "300"}});
    program->quickShot.quickKeepSettings = true;
    CameraWindow* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    fixture.prompter.records.clear();
    fixture.prompter.answers.push_back(PromptAnswer::Yes);
    clickQuickBox(camera);
    EXPECT_EQ(fixture.prompter.messages().size(), c.messages);
    EXPECT_EQ(QSize(program->output.pixelWidth, program->output.pixelHeight), QSize(160, 210));
    EXPECT_EQ(control<QLineEdit>("像素宽编辑框")->text(), u("160"));
    EXPECT_EQ(in(camera, "拍图画板")->size(), QSize(160, 210));
    camera->close();
  }
}

TEST_F(QuickShotTest, SizeChangesWithTheCameraOpenAreKeptForQuickShooting) {
  program->quickShot.quickKeepSettings = true;
  program->quickShot.quickSettingsAsked = true;
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  // Opening in quick-shoot mode keeps the pixel size and the JPG target.
  EXPECT_EQ(kept("像素宽"), u("160"));
  EXPECT_EQ(kept("JPG体积"), u("500"));
  typeInto("像素宽编辑框", "200", true);
  EXPECT_EQ(kept("像素宽"), u("200"));
  EXPECT_EQ(kept("毫米宽"), u("31.8"));
  EXPECT_EQ(kept("DPI"), QString());
  typeInto("DPI编辑框", "300", true);
  EXPECT_EQ(kept("DPI"), u("300"));
  EXPECT_EQ(kept("像素高"), control<QLineEdit>("像素高编辑框")->text());
}

TEST_F(QuickShotTest, TheSpreadsheetRuleWithoutAWorkbookTakesNoPhoto) {
  CameraWindow* camera = openForQuickShots(NamingRule::Spreadsheet);
  ASSERT_NE(camera, nullptr);
  fixture.prompter.answers.push_back(PromptAnswer::No);
  QString title;
  whenModalOpens([&title](QDialog& w) { title = w.windowTitle(); });
  takePhoto(camera);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("询问"));
  EXPECT_EQ(fixture.prompter.messages()[0].text,
            u("当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？"));
  EXPECT_EQ(title, u("批量速拍设置"));
  EXPECT_TRUE(QDir(out(QString())).entryList(QDir::Files).isEmpty());
}

TEST_F(QuickShotTest, ResumingTheBatchLeavesTheCamera) {
  program->quickShot.quickMode = true;
  CameraWindow* camera = openCamera();
  ASSERT_NE(camera, nullptr);
  QPointer<CameraWindow> watched(camera);
  // Without kept batch settings, resuming goes on to the batch settings window.
  whenModalOpens([](QDialog&) {});
  auto* bar = control<StatusBar>("状态条1");
  const ShellState& shell = program->shell;
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    QPoint(shell.lastOuterWidth - shell.widthCorrection - 100, bar->height() / 2));
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watched.isNull());
  EXPECT_FALSE(program->camera.open);
  EXPECT_FALSE(program->quickShot.quickMode);
  EXPECT_FALSE(fixture.captureDevice.previewing);
}

}  // namespace
}  // namespace veltrix
