// The names of a batch: the folder read in the order a file manager shows it, names from a Windows
// zip read as GBK, names holding line breaks kept as they are, pictures named alike cropped each
// to a file of its own, and a full disk told as such.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QSet>
#include <fstream>

#include "batch_fixture.h"
#include "codec/image_codec.h"
#include "full_disk.h"
#include "platform/text_codec.h"

namespace veltrix {
namespace {

using test::kColours;
using test::u;

class BatchNamesTest : public test::BatchTest {
 protected:
  // The source folder holding only these pictures, each in its colour.
  void makeSource(const std::vector<std::pair<QString, QRgb>>& pictures) {
    QDir(source()).removeRecursively();
    QDir().mkpath(source());
    for (const auto& [name, colour] : pictures) writePicture(QFile::encodeName(name), colour);
  }

  // A PNG of one colour, under a name given as the bytes the disk holds.
  void writePicture(const QByteArray& name, QRgb colour) {
    const QByteArray path = QFile::encodeName(source()) + '/' + name;
    std::ofstream file(path.constData(), std::ios::binary);
    const QByteArray png = test::readBytes(pictureFile(colour));
    file.write(png.constData(), png.size());
    ASSERT_TRUE(file.good());
  }

  QString pictureFile(QRgb colour) {
    const QString path = fixture.path(u("made.png"));
    EXPECT_TRUE(picture(colour).save(path, "PNG"));
    return path;
  }

  static QImage picture(QRgb colour) {
    QImage made(200, 120, QImage::Format_RGB32);
    made.fill(colour);
    return made;
  }

  // Starts a batch under the rule, saving PNG, the format picked from its list with the mouse.
  void startSavingPng(int rule) {
    QDir().mkpath(saveFolder());
    inSettingsWindow([&](QDialog& w) {
      auto* formats = w.findChild<QComboBox*>(u("批截格式组合框"));
      formats->showPopup();
      QAbstractItemView* list = formats->view();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualRect(list->model()->index(3, 0)).center());
      confirm(w, source(), saveFolder(), rule);
    });
    ASSERT_EQ(program->batch.saveFormat, u(".PNG"));
  }

  // Crops the shown picture and checks the file written holds the crop of a picture of that
  // colour.
  void cropAndCheck(const QString& file, QRgb colour) {
    opened = picture(colour);
    const QImage expected = expectedCrop();
    window->saveCrop();
    const std::optional<QImage> saved = decodePictureFile(saveFolder() + u'/' + file);
    ASSERT_TRUE(saved) << file.toStdString();
    EXPECT_EQ(saved->convertToFormat(QImage::Format_RGB32), expected) << file.toStdString();
  }

  QSet<QString> saved() const {
    const QStringList files = QDir(saveFolder()).entryList(QDir::Files | QDir::Hidden);
    return {files.begin(), files.end()};
  }
};

// Photos of a class named on a Windows computer and unpacked from a zip: each student is listed by
// the name the class list gave, shown from the file's own bytes and cropped under that name.
TEST_F(BatchNamesTest, AClassNamedInGbkIsListedShownAndCroppedByItsNames) {
  const QString names[] = {u("王五.png"), u("张三.png")};
  QDir(source()).removeRecursively();
  QDir().mkpath(source());
  for (int i = 0; i < 2; ++i) writePicture(toGb18030(names[i]), kColours[i]);
  startSavingPng(0);

  ASSERT_EQ(task().count(), 2);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    if (i > 0) press(NavigationKey::D);
    EXPECT_EQ(task().name(i + 1), names[i]);
    EXPECT_EQ(title(), titleFor(names[i], "未截图"));
    ASSERT_TRUE(program->document.present);
    EXPECT_EQ(shownColour(), kColours[i]);
    cropAndCheck(names[i], kColours[i]);
    EXPECT_EQ(title(), titleFor(names[i], "已截图"));
  }
  EXPECT_EQ(saved(), (QSet<QString>{names[0], names[1]}));
  EXPECT_TRUE(fixture.prompter.messages().empty());
}

// A name holding a line break is its own picture, not the one whose name has a space there.
TEST_F(BatchNamesTest, ANameWithALineBreakShowsItsOwnPicture) {
  makeSource(
      {{u("a\nb.png"), kColours[1]}, {u("a b.png"), kColours[2]}, {u("c\r.png"), kColours[3]}});
  startSavingPng(2);
  ASSERT_EQ(task().count(), 3);
  for (int entry = 1; entry <= 3; ++entry) {
    if (entry > 1) press(NavigationKey::D);
    const QString name = task().name(entry);
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(shownName(), name);
    EXPECT_EQ(title(), titleFor(name, "未截图"));
    const QRgb colour = name == u("a\nb.png")  ? kColours[1]
                        : name == u("a b.png") ? kColours[2]
                                               : kColours[3];
    EXPECT_EQ(shownColour(), colour);
  }
  EXPECT_EQ(QSet<QString>({task().name(1), task().name(2), task().name(3)}),
            QSet<QString>({u("a\nb.png"), u("a b.png"), u("c\r.png")}));
}

// The pictures come in the order a file manager shows them, and pictures added later go after
// the last, whatever their names.
TEST_F(BatchNamesTest, PicturesComeInNaturalOrderAndLaterOnesAtTheEnd) {
  addPicture(11);
  addPicture(22);
  addPicture(3, "b");
  startBatch();
  const QStringList ordered = {u("p0.png"),  u("p1.png"), u("p2.png"),  u("p3.png"),
                               u("p3b.png"), u("p4.png"), u("p11.png"), u("p22.png")};
  ASSERT_EQ(task().count(), ordered.size());
  for (int entry = 1; entry <= ordered.size(); ++entry) {
    if (entry > 1) press(NavigationKey::D);
    EXPECT_EQ(shownName(), ordered[entry - 1]);
    EXPECT_EQ(shownColour(), colourOf(ordered[entry - 1]));
  }
  addPicture(5);
  press(NavigationKey::D);
  EXPECT_EQ(task().count(), ordered.size() + 1);
  EXPECT_EQ(shownName(), u("p5.png"));
}

// 王五.jpg and 王五.png would crop to one file: the second gets the next name of the series, and
// cropping it again replaces its own crop, not the first one's.
TEST_F(BatchNamesTest, PicturesNamedAlikeKeepACropEach) {
  makeSource(
      {{u("王五.png"), kColours[0]}, {u("王五.jpg"), kColours[1]}, {u("张三.png"), kColours[2]}});
  startSavingPng(0);
  const struct {
    const char* source;
    const char* crop;
    QRgb colour;
  } entries[] = {
      {"王五.jpg", "王五.png", kColours[1]},
      {"王五.png", "王五—1.png", kColours[0]},
      {"张三.png", "张三.png", kColours[2]},
  };
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.source);
    if (entry.source != entries[0].source) press(NavigationKey::D);
    ASSERT_EQ(shownName(), u(entry.source));
    cropAndCheck(u(entry.crop), entry.colour);
  }
  EXPECT_EQ(saved(), (QSet<QString>{u("张三.png"), u("王五.png"), u("王五—1.png")}));

  press(NavigationKey::A);
  ASSERT_EQ(shownName(), u("王五.png"));
  ASSERT_TRUE(test::writeBytes(saveFolder() + u("/王五—1.png"), "earlier"));
  cropAndCheck(u("王五—1.png"), kColours[0]);
  EXPECT_EQ(saved(), (QSet<QString>{u("张三.png"), u("王五.png"), u("王五—1.png")}));
  EXPECT_TRUE(fixture.prompter.messages().empty());
}

// A crop or a step of the task that meets a full disk says so and names the folder that needs
// room; nothing is recorded.
TEST_F(BatchNamesTest, AFullDiskIsToldAsSuch) {
  for (const test::DiskFullFault& fault : test::diskFullFaults()) {
    SCOPED_TRACE(fault.name);
    start();
    startBatch();
    fixture.prompter.records.clear();
    const bool made = fault.around(saveFolder(), [&] { window->saveCrop(); });
    if (!made) continue;
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              u("磁盘空间已满，图片文件“") +
                  QDir::toNativeSeparators(saveFolder() + u("/0001.jpg")) +
                  u("”无法写入。请清理“") + QDir::toNativeSeparators(saveFolder()) +
                  u("”所在磁盘的空间，或换一个保存目录。"));
    EXPECT_EQ(task().record(1), u("未截图"));

    fixture.prompter.records.clear();
    const QString settings = program->shell.settingsFolder;
    fault.around(settings, [&] { press(NavigationKey::D); });
    ASSERT_EQ(fixture.prompter.messages().size(), 1u);
    EXPECT_EQ(fixture.prompter.messages()[0].text,
              u("磁盘空间已满，批截任务文件“") +
                  QDir::toNativeSeparators(settings + u("/批截任务.ini")) +
                  u("”无法写入。请清理“") + QDir::toNativeSeparators(settings) +
                  u("”所在磁盘的空间后再继续。"));
    EXPECT_EQ(task().cursor(), 1);
    QDir(saveFolder()).removeRecursively();
  }
}

}  // namespace
}  // namespace veltrix
