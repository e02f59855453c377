// Batch crop driven as the photographer drives it: the settings window, the navigation keys, crops
// recorded in the task file, and resuming after a restart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "address_space.h"
#include "app/status_bar.h"
#include "batch/batch_settings_window.h"
#include "batch/task_file.h"
#include "batch_fixture.h"
#include "codec/image_encoder.h"
#include "settings/settings_store.h"
#include "write_faults.h"

namespace veltrix {
namespace {

using test::BatchTest;
using test::kColours;
using test::u;

TEST_F(BatchTest, ConfirmStartsANewTaskAtItsFirstPicture) {
  startBatch();
  ASSERT_TRUE(program->batch.active);
  EXPECT_TRUE(fixture.hotkeys.registered());
  EXPECT_TRUE(program->batch.indicatorOn);
  const TaskFile file = task();
  EXPECT_EQ(file.count(), 5);
  EXPECT_EQ(file.cursor(), 1);
  EXPECT_EQ(shownName(), file.name(1));
  EXPECT_EQ(title(), titleFor(file.name(1), "未截图"));
  EXPECT_TRUE(program->document.present);
}

// The folders typed into the settings window, key by key as a user types them, are the task's.
TEST_F(BatchTest, TypedFoldersStartTheTaskAndReceiveItsCrops) {
  inSettingsWindow([&](QDialog& window) {
    const std::pair<const char*, QString> typed[] = {{"批截目标目录编辑框", source()},
                                                     {"批截保存目录编辑框", saveFolder()}};
    for (const auto& [box, folder] : typed) {
      auto* edit = window.findChild<QLineEdit*>(u(box));
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, folder);
      EXPECT_EQ(edit->text(), folder) << box;
    }
    window.findChild<QPushButton*>(u("确定批截设置按钮"))->click();
  });
  ASSERT_TRUE(program->batch.active);
  EXPECT_EQ(program->batch.sourceFolder, source());
  EXPECT_EQ(program->batch.saveFolder, saveFolder());
  EXPECT_EQ(task().count(), 5);
}

TEST_F(BatchTest, KeysMoveThroughTheTaskAndStopAtEitherEnd) {
  startBatch();
  press(NavigationKey::A);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("当前已是最初图片"));
  EXPECT_EQ(task().cursor(), 1);

  press(NavigationKey::D);
  EXPECT_EQ(task().cursor(), 2);
  // A key held down moves once.
  press(NavigationKey::D, true);
  press(NavigationKey::D, true);
  EXPECT_EQ(task().cursor(), 2);
  press(NavigationKey::F);
  press(NavigationKey::S);
  press(NavigationKey::D);
  press(NavigationKey::D);
  press(NavigationKey::D);
  EXPECT_EQ(task().cursor(), 5);
  EXPECT_EQ(shownName(), task().name(5));
  press(NavigationKey::D);
  EXPECT_EQ(fixture.prompter.messages().back().text, u("当前已是末位图片"));
  EXPECT_EQ(task().cursor(), 5);

  // A picture copied into the folder meanwhile is found past the end.
  addPicture(2, "-new");
  press(NavigationKey::D);
  EXPECT_EQ(task().count(), 6);
  EXPECT_EQ(task().cursor(), 6);
  EXPECT_EQ(shownName(), u("p2-new.png"));
  EXPECT_EQ(title(), titleFor(u("p2-new.png"), "未截图"));
  EXPECT_EQ(shownColour(), kColours[2]);
}

TEST_F(BatchTest, CropUnderEachRuleWritesItsFileAndRecordsTheEntry) {
  const struct {
    const char* name;
    int rule;
    QString expected;
  } cases[] = {
      {"same name", 0, {}},
      {"time", 1, u("2022-1-10 11-45-23.jpg")},
      {"sequence", 2, u("0001.jpg")},
      {"custom", 3, u("班级0001.jpg")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(saveFolder()).removeRecursively();
    QDir(fixture.root.path()).mkpath(u("out"));
    // The same folders confirmed again would go on with the task: each rule begins its own.
    QFile::remove(program->shell.settingsFolder + u("/批截任务.ini"));
    inSettingsWindow([&](QDialog& w) {
      confirm(w, source(), saveFolder(), c.rule, true, c.rule == 3 ? u("班级") : QString());
    });
    press(NavigationKey::D);
    const QString name = task().name(2);
    window->saveCrop();
    const QString file =
        c.expected.isEmpty() ? QFileInfo(name).completeBaseName() + u(".jpg") : c.expected;
    EXPECT_EQ(QDir(saveFolder()).entryList(QDir::Files), QStringList{file});
    const std::optional<QImage> saved = decodePictureFile(saveFolder() + u("/") + file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), QSize(160, 210));
    EXPECT_EQ(task().record(2), u("已截图"));
    EXPECT_EQ(task().record(1), u("未截图"));
    EXPECT_EQ(title(), titleFor(name, "已截图"));
  }
}

TEST_F(BatchTest, TheNextPictureReadAheadIsShownUnlessItsFileChanged) {
  startBatch();
  press(NavigationKey::D);
  EXPECT_EQ(shownColour(), colourOf(task().name(2)));
  // The third picture was read ahead while the second was shown; its file is replaced now.
  const QString third = source() + u("/") + task().name(3);
  QImage replaced(90, 70, QImage::Format_RGB32);
  replaced.fill(qRgb(1, 2, 3));
  ASSERT_TRUE(replaced.save(third, "PNG"));
  press(NavigationKey::D);
  EXPECT_EQ(program->document.picture.size(), QSize(90, 70));
  EXPECT_EQ(shownColour(), qRgb(1, 2, 3));
}

TEST_F(BatchTest, AskedNamesAreTypedWithTheKeysReleasedAndRecordTheEntry) {
  startBatch(4);
  bool keysWhileTyping = true;
  QTimer::singleShot(0, [&] {
    QWidget* popup = QApplication::activeModalWidget();
    ASSERT_NE(popup, nullptr);
    keysWhileTyping = fixture.hotkeys.registered();
    popup->findChild<QLineEdit*>(u("弹窗编辑框"))->setText(u("张三"));
    popup->findChild<QPushButton*>(u("按钮1"))->click();
  });
  window->saveCrop();
  EXPECT_FALSE(keysWhileTyping);
  EXPECT_TRUE(fixture.hotkeys.registered());
  EXPECT_EQ(QDir(saveFolder()).entryList(QDir::Files), QStringList{u("张三.jpg")});
  EXPECT_EQ(task().record(1), u("已截图"));
}

TEST_F(BatchTest, AFailedWriteRecordsNothing) {
  startBatch();
  QDir(saveFolder()).removeRecursively();
  window->saveCrop();
  ASSERT_FALSE(fixture.prompter.messages().empty());
  EXPECT_TRUE(fixture.prompter.messages().back().text.contains(u("无法写入")));
  EXPECT_EQ(task().record(1), u("未截图"));
  EXPECT_EQ(title(), titleFor(task().name(1), "未截图"));
}

// A crop that cannot be written is named, records nothing and leaves the folder as it was.
TEST_F(BatchTest, AFaultOfTheSaveFolderIsNamedAndRecordsNothing) {
  for (const test::WriteFault& fault : test::writeFaults()) {
    // A folder in the way only takes a numbered name, which the next number passes over.
    if (fault.folderInTheWay) continue;
    SCOPED_TRACE(fault.name);
    start();
    startBatch();
    fixture.prompter.records.clear();
    const QString earlier = saveFolder() + u("/0001.jpg");
    const bool made = fault.around(earlier, "earlier", [&] {
      window->saveCrop();
      EXPECT_TRUE(test::leftAsItWas(fault, earlier, "earlier"));
    });
    if (!made) continue;
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              test::pictureNotWrittenText(fault, saveFolder() + u("/0002.jpg")));
    EXPECT_EQ(task().record(1), u("未截图"));
    EXPECT_EQ(title(), titleFor(task().name(1), "未截图"));
    QDir(saveFolder()).removeRecursively();
  }
}

// Every step of a batch reads its task back from the task file: one that cannot be written is
// named, no task starts, and the next key tries again.
TEST_F(BatchTest, ATaskFileThatCannotBeWrittenIsNamedAndStartsNoTask) {
  for (const test::WriteFault& fault : test::writeFaults()) {
    SCOPED_TRACE(fault.name);
    start();
    const QString path = program->shell.settingsFolder + u("/批截任务.ini");
    const bool made = fault.around(path, {}, [&] {
      startBatch();
      press(NavigationKey::D);
    });
    if (!made) continue;
    const QString told = test::taskNotWrittenText(fault, path);
    EXPECT_EQ(fixture.prompter.messages().size(), 2u);
    for (const test::PromptRecord& message : fixture.prompter.messages())
      EXPECT_EQ(message.text, told);
    EXPECT_EQ(program->batch.entryCount, 0);
    EXPECT_FALSE(program->document.present);
    fixture.prompter.records.clear();
    QDir(program->shell.settingsFolder).removeRecursively();
  }
}

// Later writes of the task file: a key's step that cannot be written leaves the picture where
// it is (the next key reads the cursor back from the file), and a crop's record that cannot be
// written leaves the title saying what the file holds. Both name the file.
TEST_F(BatchTest, ALaterTaskFileWriteThatFailsIsNamedAndChangesNothing) {
  const struct {
    const char* name;
    std::function<void()> act;
  } steps[] = {
      {"next key", [&] { press(NavigationKey::D); }},
      {"previous key", [&] { press(NavigationKey::A); }},
      {"next key past the listed pictures", [&] { press(NavigationKey::D); }},
      {"crop", [&] { window->saveCrop(); }},
  };
  for (const test::WriteFault& fault : test::writeFaults()) {
    // The task file replaced by a folder cannot be read either: no step is taken from it.
    if (fault.folderInTheWay) continue;
    for (const auto& step : steps) {
      SCOPED_TRACE(std::string(fault.name) + ", " + step.name);
      start();
      startBatch();
      press(NavigationKey::D);
      if (std::string(step.name) == "next key past the listed pictures") {
        for (int i = 0; i < 3; ++i) press(NavigationKey::D);
        addPicture(5);
      }
      fixture.prompter.records.clear();
      const QString path = program->shell.settingsFolder + u("/批截任务.ini");
      const QByteArray stored = test::readBytes(path);
      const QString titleBefore = title();
      const QString shownBefore = shownName();
      const qint64 entriesBefore = program->batch.entryCount;
      bool cropped = true;
      const bool made = fault.around(path, stored, [&] {
        step.act();
        cropped = !QDir(saveFolder()).entryList(QDir::Files).isEmpty();
      });
      if (!made) continue;
      // A file system without room refuses the crop itself first.
      if (std::string(step.name) == "crop" && !cropped) {
        QDir(program->shell.settingsFolder).removeRecursively();
        QDir(saveFolder()).removeRecursively();
        continue;
      }
      ASSERT_EQ(fixture.prompter.messages().size(), 1u);
      EXPECT_EQ(fixture.prompter.messages()[0].text, test::taskNotWrittenText(fault, path));
      EXPECT_EQ(test::readBytes(path), stored);
      EXPECT_EQ(title(), titleBefore);
      EXPECT_EQ(shownName(), shownBefore);
      EXPECT_EQ(program->batch.entryCount, entriesBefore);
      // Once the file can be written again, the same key or crop goes through.
      fixture.prompter.records.clear();
      step.act();
      EXPECT_TRUE(fixture.prompter.messages().empty());
      EXPECT_NE(test::readBytes(path), stored);
      QDir(program->shell.settingsFolder).removeRecursively();
      QDir(saveFolder()).removeRecursively();
      QFile::remove(source() + u("/p5.png"));
    }
  }
}

// A folder or a link, even a link to nowhere, takes a numbered name: the crop goes to the next
// free number and never through the link.
TEST_F(BatchTest, NumberedNamesPassOverFoldersAndLinks) {
  const QString elsewhere = fixture.path(u("elsewhere.jpg"));
  ASSERT_TRUE(test::writeBytes(elsewhere, "earlier"));
  startBatch();
  ASSERT_TRUE(QDir(saveFolder()).mkdir(u("0001.jpg")));
  ASSERT_TRUE(QFile::link(elsewhere, saveFolder() + u("/0002.jpg")));
  ASSERT_TRUE(QFile::link(fixture.path(u("nowhere.jpg")), saveFolder() + u("/0003.jpg")));
  window->saveCrop();
  EXPECT_TRUE(fixture.prompter.messages().empty());
  const std::optional<QImage> crop = decodePictureFile(saveFolder() + u("/0004.jpg"));
  ASSERT_TRUE(crop);
  EXPECT_EQ(crop->size(), QSize(160, 210));
  EXPECT_EQ(test::readBytes(elsewhere), "earlier");
  EXPECT_FALSE(QFileInfo::exists(fixture.path(u("nowhere.jpg"))));
  EXPECT_EQ(task().record(1), u("已截图"));
}

// The folder was listed, then a picture went or was spoilt before it was shown: the one before
// is never left to be cropped in its name.
TEST_F(BatchTest, APictureSpoiltAfterTheListingIsNeverCroppedInItsName) {
  const struct {
    const char* name;
    std::function<bool(const QString& path)> spoil;
    const char* state;    // what the title says of the picture
    const char* message;  // the end of what the user is told on moving to it, if anything
  } cases[] = {
      {"a folder took its name",
       [](const QString& path) { return QFile::remove(path) && QDir().mkdir(path); }, "已丢失",
       nullptr},
      {"emptied", [](const QString& path) { return test::writeBytes(path, {}); }, "未截图",
       "”不是本软件能打开的图片，本软件只能打开bmp、jpg、jpeg、gif、png五类图片文件。"},
      {"cut short",
       [](const QString& path) { return test::writeBytes(path, test::readBytes(path).left(60)); },
       "未截图", "”已损坏，无法打开。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start();
    QFile::remove(program->shell.settingsFolder + u("/批截任务.ini"));
    startBatch();
    const QString spoilt = source() + u("/") + task().name(2);
    ASSERT_TRUE(c.spoil(spoilt));
    fixture.prompter.records.clear();
    press(NavigationKey::D);
    EXPECT_EQ(title(), titleFor(task().name(2), c.state));
    if (c.message) {
      ASSERT_EQ(fixture.prompter.messages().size(), 1u);
      EXPECT_TRUE(fixture.prompter.messages()[0].text.endsWith(u(c.message)));
    } else {
      EXPECT_TRUE(fixture.prompter.messages().empty());
    }
    EXPECT_FALSE(program->document.present);
    fixture.prompter.records.clear();
    window->saveCrop();
    EXPECT_EQ(fixture.prompter.messages().back().text,
              u("请打开一张图片或拍照一幅图象再进行操作。"));
    EXPECT_TRUE(QDir(saveFolder()).isEmpty());
    EXPECT_EQ(task().record(2), u("未截图"));
    QDir(source()).removeRecursively();
    QDir().mkpath(source());
    for (int i = 0; i < 5; ++i) addPicture(i);
  }
}

// Moving on to a picture the memory left cannot hold, in a process of its own with its address
// space capped: the user is told so, the picture before is let go, and nothing crashes.
TEST_F(BatchTest, APictureTheMemoryCannotHoldIsToldAndNotCropped) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer maps more than a capped address space allows";
#endif
  // The third picture of the listing, well inside the size limits.
  const QString large = source() + u("/p2.png");
  QImage picture(6000, 4000, QImage::Format_RGB32);
  picture.fill(qRgb(50, 60, 70));
  ASSERT_TRUE(test::writeBytes(large, encodeImage(picture, EncodedFormat::Png, 96)));
  picture = QImage();
  startBatch();
  ASSERT_EQ(task().name(3), u("p2.png"));
  const auto moveOnWithoutMemory = [&] {
    test::leaveAddressSpace(48 * 1024 * 1024);
    press(NavigationKey::D);
    if (!program->document.present) _exit(1);
    fixture.prompter.records.clear();
    press(NavigationKey::D);
    const auto messages = fixture.prompter.messages();
    if (messages.size() != 1 || messages[0].text != u("内存不足，无法打开图片文件“") +
                                                        QDir::toNativeSeparators(large) +
                                                        u("”，请关闭其他程序后再试。"))
      _exit(2);
    if (program->document.present) _exit(3);
    window->saveCrop();
    _exit(QDir(saveFolder()).isEmpty() && task().record(3) == u("未截图") ? 0 : 4);
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(moveOnWithoutMemory(), testing::ExitedWithCode(0), "");
}

TEST_F(BatchTest, ALostPictureIsShownLostAndCannotBeCropped) {
  startBatch();
  const QString lost = task().name(2);
  ASSERT_TRUE(QFile::remove(source() + u("/") + lost));
  press(NavigationKey::D);
  EXPECT_EQ(title(), titleFor(lost, "已丢失"));
  EXPECT_FALSE(program->document.present);
  window->saveCrop();
  EXPECT_EQ(fixture.prompter.messages().back().text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_TRUE(QDir(saveFolder()).isEmpty());
  EXPECT_EQ(task().record(2), u("未截图"));
}

TEST_F(BatchTest, StopThenResumeAfterARestartContinuesAtTheCursor) {
  startBatch();
  press(NavigationKey::D);
  press(NavigationKey::D);
  window->saveCrop();
  const QString third = task().name(3);

  pressIndicator(Qt::LeftButton);
  EXPECT_FALSE(program->batch.active);
  EXPECT_FALSE(program->batch.indicatorOn);
  EXPECT_FALSE(fixture.hotkeys.registered());
  EXPECT_EQ(title(), u("Veltrix V3.0"));

  // The program closes and starts again.
  window.reset();
  program = fixture.makeProgram();
  window = std::make_unique<MainWindow>(*program);
  window->start();
  fixture.prompter.records.clear();
  pressIndicator(Qt::LeftButton);
  ASSERT_FALSE(fixture.prompter.messages().empty());
  EXPECT_EQ(fixture.prompter.messages()[0].title, u("询问："));
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("是否沿用之前的批量截图设置，并继续上次操作？"));
  EXPECT_TRUE(program->batch.active);
  EXPECT_TRUE(fixture.hotkeys.registered());
  EXPECT_EQ(program->batch.saveFolder, saveFolder());
  EXPECT_EQ(shownName(), third);
  EXPECT_EQ(title(), titleFor(third, "已截图"));
  press(NavigationKey::D);
  EXPECT_EQ(task().cursor(), 4);
}

TEST_F(BatchTest, TheTextToolHasTheLetterKeysWhileItIsOn) {
  startBatch();
  ASSERT_TRUE(fixture.hotkeys.registered());
  control<QToolBar>("工具条1")->actions().at(8)->trigger();
  auto* textBox = control<QCheckBox>("文字选择框");
  textBox->click();
  EXPECT_FALSE(fixture.hotkeys.registered());
  QTest::mouseClick(control("可视画板"), Qt::LeftButton, {}, {100, 100});
  auto* entry = control<QLineEdit>("文字输入编辑框");
  QTest::keyClicks(entry, "ads");
  EXPECT_EQ(entry->text(), u("ads"));
  EXPECT_EQ(task().cursor(), 1);
  textBox->click();
  EXPECT_TRUE(fixture.hotkeys.registered());
  EXPECT_FALSE(entry->isVisible());
}

TEST_F(BatchTest, AResumedBatchSwitchesTheEditingToolsOff) {
  startBatch();
  pressIndicator(Qt::LeftButton);
  ASSERT_FALSE(program->batch.active);
  control<QToolBar>("工具条1")->actions().at(8)->trigger();
  auto* textBox = control<QCheckBox>("文字选择框");
  textBox->click();
  ASSERT_TRUE(program->edit.textActive);
  pressIndicator(Qt::LeftButton);
  EXPECT_TRUE(program->batch.active);
  EXPECT_FALSE(program->edit.textActive);
  EXPECT_FALSE(textBox->isChecked());
  EXPECT_TRUE(fixture.hotkeys.registered());
}

TEST_F(BatchTest, SettingsWindowRefusesInTheOrderTheUserMeetsThem) {
  QDir(fixture.root.path()).mkpath(u("out"));
  ASSERT_TRUE(QFile::link(source(), fixture.path(u("source-link"))));
  const struct {
    const char* name;
    QString from;
    QString to;
    int rule;
    QString custom;
    const char* message;
  } cases[] = {
      {"no source", QString(), saveFolder(), 2, {}, "待截图目录不存在，无法对其图片进行批量截图。"},
      // Everything wrong at once: the first check speaks.
      {"all wrong", fixture.path(u("missing")), source(), 3, u(" "),
       "待截图目录不存在，无法对其图片进行批量截图。"},
      {"save folder and prefix wrong", source(), fixture.path(u("missing")), 3, u(" "),
       "请设置正确的图片保存目录。"},
      {"no save folder", source(), fixture.path(u("missing")), 2, {}, "请设置正确的图片保存目录。"},
      {"custom of spaces", source(), saveFolder(), 3, u("   "), "自定义命名不能为空。"},
      {"same folder with a slash",
       source(),
       source() + u("/"),
       2,
       {},
       "待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。"},
      {"same folder through a link",
       source(),
       fixture.path(u("source-link")),
       2,
       {},
       "待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。"},
      {"same folder with //",
       source(),
       fixture.path(u("out/..//source")),
       2,
       {},
       "待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fixture.prompter.records.clear();
    QString saveBoxAfter = u("untouched");
    inSettingsWindow([&](QDialog& w) {
      confirm(w, c.from, c.to, c.rule, true, c.custom);
      saveBoxAfter = w.findChild<QLineEdit*>(u("批截保存目录编辑框"))->text();
      EXPECT_TRUE(w.isVisible());
    });
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].title, u("提醒："));
    EXPECT_EQ(fixture.prompter.messages()[0].text, u(c.message));
    EXPECT_EQ(fixture.prompter.messages()[0].icon, PromptIcon::Information);
    if (u(c.message).contains(u("不可再用"))) {
      EXPECT_TRUE(saveBoxAfter.isEmpty());
    }
    EXPECT_FALSE(program->batch.active);
    EXPECT_FALSE(fixture.hotkeys.registered());
  }
}

TEST_F(BatchTest, CustomPrefixIsTrimmedAndUnkeptSettingsAreEmptied) {
  QDir(fixture.root.path()).mkpath(u("out"));
  inSettingsWindow(
      [&](QDialog& w) { confirm(w, source(), saveFolder() + u("/"), 3, true, u("  a b  ")); });
  EXPECT_EQ(program->batch.customName, u("a b"));
  EXPECT_EQ(program->batch.saveFolder, saveFolder());
  const SettingsStore store(program->shell.settingsFile);
  EXPECT_EQ(store.read(u("批量截图"), u("自定义命名")), u("a b"));
  EXPECT_EQ(store.read(u("批量截图"), u("命名方式")), u("3"));
  EXPECT_EQ(store.read(u("批量截图"), u("像素宽")), u("160"));

  // Confirmed again with the rule untouched, the prefix stays: the list shows the rule's label.
  inSettingsWindow([&](QDialog& w) { w.findChild<QPushButton*>(u("确定批截设置按钮"))->click(); });
  EXPECT_EQ(program->batch.customName, u("a b"));

  inSettingsWindow([&](QDialog& w) { confirm(w, source(), saveFolder(), 2, false); });
  for (const char* key : {"命名方式", "自定义命名", "保存格式", "保存目录", "待截图目录",
                          "是否保存设置", "像素宽", "DPI", "JPG体积", "自动框选头像"})
    EXPECT_EQ(store.read(u("批量截图"), u(key)), QString()) << key;
  EXPECT_FALSE(program->batch.keepSettings);
}

TEST_F(BatchTest, EachPictureShownIsFramedWhenTheSettingsAskForIt) {
  // A face in every picture, as the detector would find it in a 200 x 120 photo.
  fixture.faceDetector.photoWidth = 200;
  fixture.faceDetector.found = {{QRect(80, 20, 40, 40), {}}};
  QDir(fixture.root.path()).mkpath(u("out"));
  inSettingsWindow([&](QDialog& w) {
    auto* box = w.findChild<QCheckBox*>(u("自动框选头像选择框"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), u("自动框选头像"));
    EXPECT_EQ(box->geometry(), QRect(64, 193, 124, 24));
    EXPECT_FALSE(box->isChecked());
    box->click();
    confirm(w, source(), saveFolder(), 2, true);
  });
  ASSERT_TRUE(program->batch.active);
  EXPECT_TRUE(program->batch.autoFrameHead);
  EXPECT_EQ(SettingsStore(program->shell.settingsFile).read(u("批量截图"), u("自动框选头像")),
            u("真"));
  EXPECT_EQ(fixture.faceDetector.asked, 1);
  // The small picture is no longer fitted: it is enlarged until the head meets the rule.
  EXPECT_GT(program->view.zoom, 2.0);
  press(NavigationKey::D);
  EXPECT_EQ(fixture.faceDetector.asked, 2);
  EXPECT_GT(program->view.zoom, 2.0);

  // A picture without a face says so in the status bar, and the keys go on working.
  fixture.faceDetector.found.clear();
  press(NavigationKey::D);
  EXPECT_TRUE(fixture.prompter.messages().empty());
  EXPECT_EQ(program->shell.hint, u("未检测到人脸，请手动调整采集框。"));
  EXPECT_EQ(program->view.zoom, 1.0);
  press(NavigationKey::D);
  EXPECT_EQ(fixture.faceDetector.asked, 4);
}

TEST_F(BatchTest, WithoutTheOptionNoPictureIsFramed) {
  fixture.faceDetector.photoWidth = 200;
  fixture.faceDetector.found = {{QRect(80, 20, 40, 40), {}}};
  startBatch();
  press(NavigationKey::D);
  EXPECT_EQ(fixture.faceDetector.asked, 0);
  EXPECT_EQ(program->view.zoom, 1.0);
}

}  // namespace
}  // namespace veltrix
