// The name popup driven as a user would: typing into the name box, Enter or the button.
#include "save/name_popup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "full_disk.h"
#include "scripted_prompter.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

const QByteArray kPicture("\xff\xd8 picture bytes \xff\xd9");

class NamePopupTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkdir("out"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("settings"));
    ASSERT_TRUE(test::writeBytes(temporary(), kPicture));
  }

  QString folder() const { return dir_.filePath("out"); }
  QString temporary() const { return dir_.filePath(u("settings/临时C.jpg")); }
  QString saved(const QString& name) const { return folder() + '/' + name; }
  QStringList savedNames() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }

  std::unique_ptr<NamePopup> open(bool batchMode = false) {
    auto popup = std::make_unique<NamePopup>(
        prompter_, NamePopupSetup{batchMode, folder(), ".jpg", temporary()});
    popup->show();
    return popup;
  }

  static QLineEdit* nameBox(const NamePopup& popup) {
    return popup.findChild<QLineEdit*>(u("弹窗编辑框"));
  }
  static QPushButton* button(const NamePopup& popup) {
    return popup.findChild<QPushButton*>(u("按钮1"));
  }

  static void type(NamePopup& popup, const char* text) {
    QTest::keyClicks(nameBox(popup), QString::fromLatin1(text));
  }
  static void pressEnter(NamePopup& popup) { QTest::keyClick(nameBox(popup), Qt::Key_Return); }
  static void clickConfirm(NamePopup& popup) { QTest::mouseClick(button(popup), Qt::LeftButton); }

  QTemporaryDir dir_;
  test::ScriptedPrompter prompter_;
};

TEST_F(NamePopupTest, LaysOutItsTwoControlsInAFixedClientArea) {
  const auto popup = open();
  EXPECT_TRUE(popup->isModal());
  EXPECT_EQ(popup->size(), QSize(334, 55));
  EXPECT_EQ(popup->minimumSize(), QSize(334, 55));
  EXPECT_EQ(popup->maximumSize(), QSize(334, 55));
  EXPECT_EQ(popup->layout(), nullptr);

  ASSERT_NE(nameBox(*popup), nullptr);
  EXPECT_EQ(nameBox(*popup)->geometry(), QRect(8, 10, 230, 36));
  EXPECT_EQ(nameBox(*popup)->font().family(), u("宋体"));
  ASSERT_NE(button(*popup), nullptr);
  EXPECT_EQ(button(*popup)->geometry(), QRect(248, 11, 76, 32));
  EXPECT_EQ(button(*popup)->text(), u("确定"));
}

TEST_F(NamePopupTest, TitleSaysWhetherACropOrAPhotoIsNamed) {
  EXPECT_EQ(open(true)->windowTitle(), u("请为刚才截图命名（不需填写扩展名）"));
  EXPECT_EQ(open(false)->windowTitle(), u("请为刚才拍照命名（不需填写扩展名）"));
}

TEST_F(NamePopupTest, ConfirmedNamesMoveThePictureIntoTheFolder) {
  const struct {
    const char* typed;
    const char* name;
    bool byEnter;
  } cases[] = {
      {"photo.JPG", "photo.jpg", true}, {"a.png.b", "a.b.jpg", false},
      {"../../x", "___.._x.jpg", true}, {"  A 01  ", "A 01.jpg", false},
      {"x.Bmp.gIf.PNG", "x.jpg", true}, {"a:b*c?", "a_b_c_.jpg", false},
      {"..a", "__a.jpg", true},         {".profile", "_profile.jpg", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(test::writeBytes(temporary(), kPicture));
    const auto popup = open();
    type(*popup, c.typed);
    c.byEnter ? pressEnter(*popup) : clickConfirm(*popup);

    const QString path = saved(u(c.name));
    EXPECT_EQ(popup->result(), QDialog::Accepted);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(popup->savedPath(), path);
    EXPECT_EQ(test::readBytes(path), kPicture);
    EXPECT_FALSE(QFile::exists(temporary()));
    EXPECT_EQ(savedNames(), QStringList{u(c.name)});
    EXPECT_TRUE(prompter_.records.empty());
    ASSERT_TRUE(QFile::remove(path));
  }
}

TEST_F(NamePopupTest, EmptyNamesAreRefusedAndThePopupStaysOpen) {
  for (const char* typed : {"", "   ", ".jpg", " .PNG.gif ", ".", "..", "...."}) {
    SCOPED_TRACE(typed);
    prompter_.records.clear();
    const auto popup = open();
    type(*popup, typed);
    pressEnter(*popup);

    ASSERT_EQ(prompter_.records.size(), 1u);
    const test::PromptRecord& record = prompter_.records.front();
    EXPECT_EQ(record.kind, "message");
    EXPECT_EQ(record.title, u("提示"));
    EXPECT_EQ(record.text, u("新照片命名不能为空。"));
    EXPECT_EQ(record.icon, PromptIcon::Information);
    EXPECT_EQ(record.buttons, PromptButtons::Ok);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->savedPath().isEmpty());
    EXPECT_EQ(test::readBytes(temporary()), kPicture);
    EXPECT_TRUE(savedNames().isEmpty());
  }
}

TEST_F(NamePopupTest, ANameCanStillBeGivenAfterARefusal) {
  const auto popup = open();
  type(*popup, "  ");
  clickConfirm(*popup);
  ASSERT_EQ(prompter_.records.size(), 1u);
  nameBox(*popup)->clear();
  type(*popup, "A01");
  clickConfirm(*popup);
  EXPECT_EQ(prompter_.records.size(), 1u);
  EXPECT_EQ(popup->savedPath(), saved("A01.jpg"));
  EXPECT_EQ(test::readBytes(saved("A01.jpg")), kPicture);
}

TEST_F(NamePopupTest, ATakenNameGetsANumberAndTheEarlierPictureSurvives) {
  ASSERT_TRUE(test::writeBytes(saved("A01.JPG"), "earlier"));
  const auto popup = open();
  type(*popup, "A01");
  pressEnter(*popup);
  const QString path = saved(u("A01—1.jpg"));
  EXPECT_EQ(popup->savedPath(), path);
  EXPECT_EQ(test::readBytes(path), kPicture);
  EXPECT_EQ(test::readBytes(saved("A01.JPG")), "earlier");
}

TEST_F(NamePopupTest, AFailedWriteIsNamedAndLeavesNothingBehind) {
  const struct {
    const char* name;
    QString folder;
    QString typed;
  } cases[] = {
      {"missing folder", dir_.filePath("gone"), "A01"},
      {"name too long for the file system", folder(), QString(300, QLatin1Char('x'))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    prompter_.records.clear();
    NamePopup popup(prompter_, NamePopupSetup{true, c.folder, ".jpg", temporary()});
    popup.show();
    QTest::keyClicks(nameBox(popup), c.typed);
    pressEnter(popup);

    const QString path = c.folder + '/' + c.typed + ".jpg";
    ASSERT_EQ(prompter_.records.size(), 1u);
    EXPECT_EQ(prompter_.records[0].title, u("提示"));
    EXPECT_EQ(prompter_.records[0].text, u("图片文件“") + QDir::toNativeSeparators(path) +
                                             u("”无法写入，请检查保存位置是否存在且可写。"));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(popup.savedPath().isEmpty());
    EXPECT_EQ(test::readBytes(temporary()), kPicture);
    EXPECT_TRUE(
        QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("gone")));
  }
}

// A full disk is said as such, with the folder that needs room; the picture waits for another
// try.
TEST_F(NamePopupTest, AFullDiskIsToldAsSuch) {
  for (const test::DiskFullFault& fault : test::diskFullFaults()) {
    SCOPED_TRACE(fault.name);
    prompter_.records.clear();
    auto popup = open(true);
    const bool made = fault.around(folder(), [&] {
      type(*popup, "A01");
      pressEnter(*popup);
    });
    if (!made) continue;
    ASSERT_EQ(prompter_.records.size(), 1u);
    EXPECT_EQ(prompter_.records[0].text,
              u("磁盘空间已满，图片文件“") + QDir::toNativeSeparators(saved("A01.jpg")) +
                  u("”无法写入。请清理“") + QDir::toNativeSeparators(folder()) +
                  u("”所在磁盘的空间，或换一个保存目录。"));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(test::readBytes(temporary()), kPicture);
  }
}

TEST_F(NamePopupTest, ClosingLeavesThePictureInTheTemporaryFile) {
  const auto popup = open();
  type(*popup, "A01");
  popup->close();
  EXPECT_EQ(popup->result(), QDialog::Rejected);
  EXPECT_TRUE(popup->savedPath().isEmpty());
  EXPECT_EQ(test::readBytes(temporary()), kPicture);
  EXPECT_TRUE(savedNames().isEmpty());
}

}  // namespace
}  // namespace veltrix
