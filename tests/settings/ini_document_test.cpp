// Many keys read and written through one parse and one save, byte for byte as one-key writes.
#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "platform/text_codec.h"
#include "settings/ini_file.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::readBytes;
using test::u;
using test::writeBytes;

struct Write {
  QString section;
  QString key;
  QString value;
};

// Names that collide by case and blanks, Chinese names, names that look like syntax, and values
// with line breaks, quotes and lengths past the read limit.
std::vector<Write> randomWrites(unsigned seed, int count) {
  static const QStringList sections = {u("A"),  u("a"), u(" A "), u("批截位置"), u("1"),
                                       u("10"), u("B"), u("[x]"), u("最大位置"), u("c;d")};
  static const QStringList keys = {u("k"),   u("K"),  u(" k "), u("操作记录"), u("图片名"),
                                   u("[y]"), u(";z"), u("a=b"), u("批截位置")};
  const QStringList values = {u(""),           u("1"),           u("未截图"),
                              u("已截图"),     u("a\r\nb"),      u("\"quoted\""),
                              u("  spaced  "), u("𠮷 name.jpg"), QString(10300, u'长')};
  std::mt19937 random(seed);
  const auto pick = [&random](const QStringList& list) {
    return list[static_cast<qsizetype>(random() % static_cast<unsigned>(list.size()))];
  };
  std::vector<Write> writes;
  for (int i = 0; i < count; ++i) writes.push_back({pick(sections), pick(keys), pick(values)});
  return writes;
}

TEST(IniDocument, ManyWritesSavedOnceGiveTheBytesOfOneKeyWritesInTurn) {
  const struct {
    const char* name;
    std::optional<QByteArray> start;  // nothing: no file
  } files[] = {
      {"no file", std::nullopt},
      {"empty file", QByteArray()},
      {"LF lines, no last break", QByteArray("[A]\nk=1\n[B]\nx=2")},
      {"comments, keys before any section, repeated sections",
       QByteArray("; top\r\nfree=1\r\n[a]\r\n\r\n; c\r\n[A]\r\nk=dup\r\n[b]\r\nK=3\r\n")},
      {"GB18030 names", toGb18030(u("[批截位置]\r\n批截位置=1\r\n[1]\r\n图片名=张三.jpg\r\n"))},
  };
  QTemporaryDir dir;
  for (const auto& file : files) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
      SCOPED_TRACE(testing::Message() << file.name << ", seed " << seed);
      const QString oneByOne = dir.filePath(u("one-by-one.ini"));
      const QString atOnce = dir.filePath(u("at-once.ini"));
      QFile::remove(oneByOne);
      QFile::remove(atOnce);
      if (file.start) {
        ASSERT_TRUE(writeBytes(oneByOne, *file.start));
        ASSERT_TRUE(writeBytes(atOnce, *file.start));
      }
      std::optional<IniDocument> document = IniDocument::load(atOnce);
      ASSERT_TRUE(document);
      for (const Write& write : randomWrites(seed, 1 + static_cast<int>(seed % 25))) {
        ASSERT_TRUE(iniWrite(oneByOne, write.section, write.key, write.value));
        ASSERT_TRUE(document->set(write.section, write.key, write.value));
        // What the document reads is what the file holds so far.
        ASSERT_EQ(document->value(write.section, write.key),
                  iniRead(oneByOne, write.section, write.key));
      }
      ASSERT_EQ(document->save(), WriteOutcome::Written);
      ASSERT_EQ(readBytes(atOnce), readBytes(oneByOne));
    }
  }
}

TEST(IniDocument, LoadRefusesWhatIsNoFile) {
  QTemporaryDir dir;
  EXPECT_FALSE(IniDocument::load(QString()));
  EXPECT_FALSE(IniDocument::load(dir.path()));
  const std::optional<IniDocument> missing = IniDocument::load(dir.filePath(u("none.ini")));
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->bytes().isEmpty());
  EXPECT_EQ(missing->value(u("A"), u("k")), QString());
}

TEST(IniDocument, BytesReadAsTheFileHoldingThemIs) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u("set.ini"));
  const QByteArray bytes = toGb18030(u("[批量截图]\r\n像素宽 = 358\r\n[A]\nk='v'\n"));
  writeBytes(path, bytes);
  const std::optional<IniDocument> loaded = IniDocument::load(path);
  ASSERT_TRUE(loaded);
  IniDocument fromBytes = IniDocument::fromBytes(bytes, path);
  EXPECT_EQ(fromBytes.bytes(), loaded->bytes());
  EXPECT_EQ(fromBytes.value(u("批量截图"), u("像素宽")), u("358"));
  EXPECT_EQ(fromBytes.value(u("a"), u("K")), loaded->value(u("a"), u("K")));

  ASSERT_TRUE(fromBytes.set(u("A"), u("k"), u("w")));
  ASSERT_EQ(fromBytes.save(), WriteOutcome::Written);
  EXPECT_EQ(readBytes(path), toGb18030(u("[批量截图]\r\n像素宽 = 358\r\n[A]\nk=w\n")));
}

}  // namespace
}  // namespace veltrix
