// The custom rule's prefix typed into the naming list of the batch and quick-shoot settings
// windows as a person types it: the list opened and the rule picked with the mouse, letters and
// digits from the keys, Chinese text committed by an input method, then Enter. Every file of the
// series is named by exactly what was typed.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QInputMethodEvent>

#include "batch_fixture.h"
#include "camera_fixture.h"
#include "settings/settings_store.h"

namespace veltrix {
namespace {

using test::u;

struct Prefix {
  const char* name;
  const char* keys;       // typed key by key
  const char* committed;  // then committed by an input method
  const char* expected;   // the prefix the series keeps
};

void PrintTo(const Prefix& prefix, std::ostream* out) {
  *out << prefix.name;
}

// A prefix that begins like one of the rules' own texts must not be completed to that text.
const Prefix kPrefixes[] = {
    {"letters, digits and Chinese", "2024A", "三班", "2024A三班"},
    {"the start of a rule's text", "", "每", "每"},
    {"spaces inside and around", " 1", "年 级 ", "1年 级"},
};

// Opens the list with Alt+Down, picks the custom rule with a click, then types the prefix and
// presses Enter in the list's field. (A list opened by a click ignores a second click that comes
// sooner than a person's would.)
void typePrefix(QComboBox* rules, int customIndex, const Prefix& prefix) {
  rules->setFocus();
  QTest::keyClick(rules, Qt::Key_Down, Qt::AltModifier);
  QAbstractItemView* list = rules->view();
  ASSERT_TRUE(list->isVisible());
  const QRect item = list->visualRect(list->model()->index(customIndex, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
  ASSERT_TRUE(rules->isEditable());
  ASSERT_EQ(rules->currentText(), QString());
  QTest::keyClicks(rules, u(prefix.keys));
  QInputMethodEvent commit;
  commit.setCommitString(u(prefix.committed));
  QApplication::sendEvent(rules, &commit);
  QTest::keyClick(rules, Qt::Key_Return);
}

// Ticks a box with a click on its check mark.
void tick(QDialog& window, const char* box) {
  auto* check = window.findChild<QCheckBox*>(u(box));
  if (!check->isChecked()) QTest::mouseClick(check, Qt::LeftButton, {}, {6, check->height() / 2});
  EXPECT_TRUE(check->isChecked());
}

// Confirms the window with a click unless Enter already did.
void confirmWith(QDialog& window, const char* button) {
  if (window.isVisible())
    QTest::mouseClick(window.findChild<QPushButton*>(u(button)), Qt::LeftButton);
}

class BatchPrefixTest : public test::BatchTest, public testing::WithParamInterface<Prefix> {};

TEST_P(BatchPrefixTest, NamesEveryCropOfTheBatch) {
  const Prefix& prefix = GetParam();
  inSettingsWindow([&](QDialog& w) {
    w.findChild<QLineEdit*>(u("批截目标目录编辑框"))->setText(source());
    w.findChild<QLineEdit*>(u("批截保存目录编辑框"))->setText(saveFolder());
    tick(w, "保存批截设置选择框");
    typePrefix(w.findChild<QComboBox*>(u("批截命名方式组合框")), 3, prefix);
    confirmWith(w, "确定批截设置按钮");
  });
  ASSERT_TRUE(program->batch.active);
  EXPECT_EQ(program->batch.namingRule, NamingRule::CustomPrefix);
  EXPECT_EQ(program->batch.customName, u(prefix.expected));
  EXPECT_EQ(SettingsStore(program->shell.settingsFile).read(u("批量截图"), u("自定义命名")),
            u(prefix.expected));
  cropThroughToolbar();
  press(NavigationKey::D);
  cropThroughToolbar();
  const QString first = u(prefix.expected) + u("0001.jpg");
  const QString second = u(prefix.expected) + u("0002.jpg");
  EXPECT_EQ(QDir(saveFolder()).entryList(QDir::Files), (QStringList{first, second}));
  for (const QString& name : {first, second}) {
    const std::optional<QImage> crop = decodePictureFile(saveFolder() + u("/") + name);
    ASSERT_TRUE(crop) << name.toStdString();
    EXPECT_EQ(crop->size(), QSize(160, 210));
  }
}

INSTANTIATE_TEST_SUITE_P(Prefixes, BatchPrefixTest, testing::ValuesIn(kPrefixes),
                         [](const auto& info) { return std::to_string(info.index); });

class QuickShotPrefixTest : public test::CameraWindowTest,
                            public testing::WithParamInterface<Prefix> {
 protected:
  void SetUp() override { start(); }
};

TEST_P(QuickShotPrefixTest, NamesEveryPhotoOfTheSeries) {
  const Prefix& prefix = GetParam();
  CameraWindow* camera = openForQuickShots(NamingRule::Sequence);
  ASSERT_NE(camera, nullptr);
  whenModalOpens([&](QDialog& w) {
    tick(w, "保存速拍设置选择框");
    typePrefix(w.findChild<QComboBox*>(u("速拍命名方式组合框")), 2, prefix);
    confirmWith(w, "确定速拍设置按钮");
  });
  QTest::mouseClick(in<QPushButton>(camera, "速拍设置按钮"), Qt::LeftButton);
  const QuickShotSettings& quick = program->quickShot;
  EXPECT_EQ(quick.quickNamingRule, NamingRule::CustomPrefix);
  EXPECT_EQ(quick.quickCustomName, u(prefix.expected));
  EXPECT_EQ(SettingsStore(program->shell.settingsFile).read(u("批量速拍"), u("自定义命名")),
            u(prefix.expected));
  fixture.captureDevice.pushFrame();
  QTest::mouseClick(in<QPushButton>(camera, "拍照按钮"), Qt::LeftButton);
  const QString name = u(prefix.expected) + u("0001.jpg");
  EXPECT_EQ(QDir(out(QString())).entryList(QDir::Files), QStringList{name});
  const std::optional<QImage> photo = decodePictureFile(out(name));
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->size(), QSize(160, 210));
}

INSTANTIATE_TEST_SUITE_P(Prefixes, QuickShotPrefixTest, testing::ValuesIn(kPrefixes),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace veltrix
