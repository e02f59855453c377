// Private-profile INI reading and writing against real files, checked down to their bytes.
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "test_files.h"

namespace veltrix {
namespace {

using test::readBytes;
using test::u;
using test::writeBytes;

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  QString path() const { return dir_.filePath(QStringLiteral("set.dll")); }

  void writeFile(const QByteArray& bytes) const { ASSERT_TRUE(writeBytes(path(), bytes)); }

  QByteArray readFile() const { return readBytes(path()); }

  QStringList folderEntries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QString read(const char* section, const char* key) const {
    return iniRead(path(), u(section), u(key));
  }

  bool write(const char* section, const char* key, const QString& value) const {
    return iniWrite(path(), u(section), u(key), value);
  }

  QTemporaryDir dir_;
};

TEST_F(IniFileTest, NamesMatchRegardlessOfCaseAndWriteKeepsCallersSpelling) {
  writeFile("[Capture]\r\nColour=red\r\n");
  for (const auto& [section, key] : {std::pair{"Capture", "Colour"}, std::pair{"CAPTURE", "colour"},
                                     std::pair{"capture", "COLOUR"}})
    EXPECT_EQ(read(section, key), u("red")) << section << "/" << key;

  ASSERT_TRUE(write("CAPTURE", "colOUR", u("blue")));
  EXPECT_EQ(readFile(), QByteArray("[Capture]\r\ncolOUR=blue\r\n"));
}

TEST_F(IniFileTest, BlanksAroundNamesEqualsAndValuesAreIgnored) {
  writeFile(" \t[ \tCapture\t ]  \r\n \t Colour \t=\t deep  red \t\r\nplain=\r\n");
  EXPECT_EQ(read("Capture", "Colour"), u("deep  red"));
  EXPECT_EQ(read(" Capture ", "\tColour "), u("deep  red"));
  EXPECT_EQ(read("Capture", "plain"), u(""));
}

TEST_F(IniFileTest, ValueKeepsEverythingAfterTheFirstEquals) {
  writeFile("[Links]\nurl = a=b==c \n");
  EXPECT_EQ(read("Links", "url"), u("a=b==c"));
}

TEST_F(IniFileTest, OneMatchingPairOfQuotesIsRemoved) {
  struct Case {
    const char* stored;
    const char* read;
  };
  const Case cases[] = {
      {"\"two words\"", "two words"},
      {"'single'", "single"},
      {"\" padded \"", " padded "},
      {"\"mixed'", "\"mixed'"},
      {"\"", "\""},
      {"''", ""},
      {"\"\"quoted\"\"", "\"quoted\""},
      {"in\"side\"", "in\"side\""},
  };
  for (const Case& c : cases) {
    writeFile(QByteArray("[Q]\r\nv=") + c.stored + "\r\n");
    EXPECT_EQ(read("Q", "v"), u(c.read)) << c.stored;
  }
}

TEST_F(IniFileTest, CommentsAndLinesWithoutEqualsAreNotKeys) {
  writeFile("k=outside\r\n[A]\r\n;k=commented\r\n  ;k=indented comment\r\nk\r\n[B]\r\nk=b\r\n");
  EXPECT_EQ(read("A", "k"), u(""));
  EXPECT_EQ(read("A", ";k"), u(""));
  EXPECT_EQ(read("B", "k"), u("b"));
}

TEST_F(IniFileTest, FirstMatchingSectionAndKeyWin) {
  writeFile("[A]\r\nk=first\r\nK=second\r\n[a]\r\nk=third\r\nonly=later\r\n");
  EXPECT_EQ(read("A", "k"), u("first"));
  EXPECT_EQ(read("A", "only"), u(""));

  ASSERT_TRUE(write("a", "K", u("new")));
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nK=new\r\nK=second\r\n[a]\r\nk=third\r\nonly=later\r\n"));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(read("A", "k"), u(""));
  EXPECT_FALSE(QFile::exists(path()));
  writeFile("[A]\r\nk=v\r\n");
  EXPECT_EQ(read("B", "k"), u(""));
  EXPECT_EQ(read("A", "x"), u(""));
}

TEST_F(IniFileTest, EveryReadSeesTheFileAsItIsNow) {
  writeFile("[A]\nk=1\n");
  EXPECT_EQ(read("A", "k"), u("1"));
  writeFile("[A]\nk=2\n");
  EXPECT_EQ(read("A", "k"), u("2"));
}

TEST_F(IniFileTest, EmptyPathSectionOrKeyDoesNothing) {
  writeFile("[A]\r\nk=v\r\n=empty key\r\n");
  struct Case {
    QString path;
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {QString(), "A", "k"}, {path(), "", "k"}, {path(), "A", ""}, {path(), "  ", "k"}};
  for (const Case& c : cases) {
    EXPECT_EQ(iniRead(c.path, u(c.section), u(c.key)), u("")) << c.section << "/" << c.key;
    EXPECT_FALSE(iniWrite(c.path, u(c.section), u(c.key), u("x")));
  }
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nk=v\r\n=empty key\r\n"));

  QFile::remove(path());
  EXPECT_FALSE(iniWrite(path(), u(""), u("k"), u("x")));
  EXPECT_FALSE(iniWrite(path(), u("A"), u(""), u("x")));
  EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(IniFileTest, WritesKeepTheFilesLineEndings) {
  struct Case {
    const char* name;
    QByteArray before;
    const char* section;
    QByteArray after;
  };
  const Case cases[] = {
      {"NewFileUsesCrLf", {}, "A", "[A]\r\nk=v\r\n"},
      {"EmptyFileUsesCrLf", "", "A", "[A]\r\nk=v\r\n"},
      {"CrLfFileNewKey", "[A]\r\nx=1\r\n", "A", "[A]\r\nx=1\r\nk=v\r\n"},
      {"LfFileNewKey", "[A]\nx=1\n", "A", "[A]\nx=1\nk=v\n"},
      {"LfFileNewSection", "[B]\nx=1\n", "A", "[B]\nx=1\n[A]\nk=v\n"},
      {"NoFinalBreakNewSection", "[B]\r\nx=1", "A", "[B]\r\nx=1\r\n[A]\r\nk=v\r\n"},
      {"NoFinalBreakNewKey", "[A]\nx=1", "A", "[A]\nx=1\nk=v\n"},
      {"SingleLineWithoutBreak", "[A]", "A", "[A]\nk=v\n"},
      {"ReplacedLastLineKeepsNoBreak", "[A]\r\nk=old", "A", "[A]\r\nk=v"},
      {"AnyCrLfMeansCrLf", "[B]\nx=1\r\n", "A", "[B]\nx=1\r\n[A]\r\nk=v\r\n"},
  };
  for (const Case& c : cases) {
    QFile::remove(path());
    if (!c.before.isNull()) writeFile(c.before);
    ASSERT_TRUE(write(c.section, "k", u("v"))) << c.name;
    EXPECT_EQ(readFile(), c.after) << c.name;
    EXPECT_EQ(read(c.section, "k"), u("v")) << c.name;
  }
}

TEST_F(IniFileTest, WriteChangesOnlyItsOwnLineAndKeepsTheRestByteForByte) {
  // Comments, blank lines, odd spacing, a bare line, mixed endings and bytes that are not
  // valid GB18030 must all come back unchanged.
  const QByteArray head =
      "; settings\r\n"
      "orphan=before any section\r\n"
      "\r\n"
      "[Other]  \r\n"
      "  key =  kept value \n"
      "bad=\xff\x80\xd5\r\n"
      "[Target]\r\n"
      "first = 1\r\n";
  const QByteArray tail =
      "\t last=3\r\n"
      "bare line\r\n"
      ";trailing comment\r\n"
      "\r\n"
      "[Another]\r\n"
      "key=4";
  writeFile(head + "middle=2\r\n" + tail);

  ASSERT_TRUE(write("Target", "Middle", u("changed")));
  EXPECT_EQ(readFile(), head + "Middle=changed\r\n" + tail);

  ASSERT_TRUE(write("Target", "added", u("5")));
  EXPECT_EQ(readFile(), head + "Middle=changed\r\n\t last=3\r\nadded=5\r\n" + tail.sliced(10));
}

TEST_F(IniFileTest, NewKeyInSectionWithoutKeysGoesRightAfterItsHeader) {
  writeFile("[A]\r\n; note\r\nbare\r\n\r\n[B]\r\nk=1\r\n");
  ASSERT_TRUE(write("A", "k", u("v")));
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nk=v\r\n; note\r\nbare\r\n\r\n[B]\r\nk=1\r\n"));
}

TEST_F(IniFileTest, EmptyValueIsStoredAsKeyEquals) {
  writeFile("[A]\r\nk=old\r\n");
  ASSERT_TRUE(write("A", "k", QString()));
  ASSERT_TRUE(write("A", "j", u("")));
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nk=\r\nj=\r\n"));
  EXPECT_EQ(read("A", "k"), u(""));
  EXPECT_EQ(read("A", "j"), u(""));
}

TEST_F(IniFileTest, LineBreaksInAValueCannotInjectLines) {
  ASSERT_TRUE(write("A", "k", u("safe\r\nevil=1\n[B]\rx=2")));
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nk=safe  evil=1 [B] x=2\r\n"));
  EXPECT_EQ(read("A", "evil"), u(""));
  EXPECT_EQ(read("B", "x"), u(""));
  EXPECT_EQ(read("A", "k"), u("safe  evil=1 [B] x=2"));
}

TEST_F(IniFileTest, ChineseNamesAndValuesAreStoredAsGbkBytes) {
  ASSERT_TRUE(write("批量截图", "是否保存设置", u("真")));
  ASSERT_TRUE(write("批量截图", "保存目录", u("/home/张三/照片")));
  EXPECT_EQ(
      readFile().toHex(' '),
      QByteArray("[\xc5\xfa\xc1\xbf\xbd\xd8\xcd\xbc]\r\n"
                 "\xca\xc7\xb7\xf1\xb1\xa3\xb4\xe6\xc9\xe8\xd6\xc3=\xd5\xe6\r\n"
                 "\xb1\xa3\xb4\xe6\xc4\xbf\xc2\xbc=/home/\xd5\xc5\xc8\xfd/\xd5\xd5\xc6\xac\r\n")
          .toHex(' '));
  EXPECT_EQ(read("批量截图", "是否保存设置"), u("真"));
  EXPECT_EQ(read("批量截图", "保存目录"), u("/home/张三/照片"));
}

TEST_F(IniFileTest, TrailByteEqualToBracketDoesNotEndTheSectionName) {
  // "癩" is B0 5D and "乚" is 81 5D: their second byte is ']'.
  writeFile("[\xb0\x5d\x81\x5d]\r\n\x81\x5d=\xb0\x5d\r\n");
  EXPECT_EQ(read("癩乚", "乚"), u("癩"));
  ASSERT_TRUE(write("癩乚", "乚", u("乚]")));
  EXPECT_EQ(readFile(), QByteArray("[\xb0\x5d\x81\x5d]\r\n\x81\x5d=\x81\x5d]\r\n"));
}

TEST_F(IniFileTest, CharactersOutsideGbkRoundTrip) {
  const QString value = u("😀 𠀀 ḿ");
  ASSERT_TRUE(write("Emoji😀", "k", value));
  EXPECT_EQ(
      readFile(),
      QByteArray("[Emoji\x94\x39\xfc\x36]\r\nk=\x94\x39\xfc\x36 \x95\x32\x82\x36 \xa8\xbc\r\n"));
  EXPECT_EQ(read("Emoji😀", "k"), value);
}

TEST_F(IniFileTest, LongValuesAreCutOnACharacterBoundary) {
  struct Case {
    const char* name;
    QString stored;
    QString read;
  };
  const QString zhen = u("真");
  const Case cases[] = {
      {"AsciiAtLimit", QString(10239, u'a'), QString(10239, u'a')},
      {"AsciiOverLimit", QString(10240, u'a'), QString(10239, u'a')},
      {"ChineseAtLimit", u("a") + zhen.repeated(5119), u("a") + zhen.repeated(5119)},
      {"ChineseOverLimit", zhen.repeated(5120), zhen.repeated(5119)},
      {"FourByteOverLimit", QString(10236, u'a') + u("😀"), QString(10236, u'a')},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(write("A", "k", c.stored)) << c.name;
    const QString value = read("A", "k");
    EXPECT_EQ(value.size(), c.read.size()) << c.name;
    EXPECT_EQ(value, c.read) << c.name;
  }
}

TEST_F(IniFileTest, FileIsReplacedWholeWithoutLeftovers) {
  writeFile("[A]\r\nk=1\r\n");
  ASSERT_TRUE(write("A", "k", u("2")));
  EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("set.dll")});
  EXPECT_EQ(readFile(), QByteArray("[A]\r\nk=2\r\n"));
}

TEST_F(IniFileTest, WriteFailsWithoutTouchingAnythingWhenTheFileCannotBeWritten) {
  const QString missingFolder = dir_.filePath(QStringLiteral("missing/set.dll"));
  EXPECT_FALSE(iniWrite(missingFolder, u("A"), u("k"), u("v")));
  EXPECT_TRUE(folderEntries().isEmpty());

  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("set.dll")));
  EXPECT_FALSE(write("A", "k", u("v")));
  EXPECT_EQ(read("A", "k"), u(""));
  EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("set.dll")});
}

}  // namespace
}  // namespace veltrix
