#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include "app/app_icon.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "test_files.h"
#include "view/picture_loading.h"
#include "window_fixture.h"

namespace veltrix {
namespace {

using test::u;
using Action = CommandLine::Action;

struct ParseCase {
  const char* name;
  QStringList arguments;
  Action action;
  QString picture;  // relative to the current folder
  const char* refusal;
};

TEST(CommandLineParse, EachLineIsTakenAsTheUserMeantIt) {
  const ParseCase cases[] = {
      {"nothing", {}, Action::Run, {}, ""},
      {"a picture", {u("照片.jpg")}, Action::Run, u("照片.jpg"), ""},
      {"help", {u("--help")}, Action::Help, {}, ""},
      {"short help", {u("-h")}, Action::Help, {}, ""},
      {"version", {u("--version")}, Action::Version, {}, ""},
      {"help wins over a picture", {u("a.jpg"), u("--help")}, Action::Help, {}, ""},
      {"a file named like an option", {u("--"), u("-x.jpg")}, Action::Run, u("-x.jpg"), ""},
      {"a lone dash is a file name", {u("-")}, Action::Run, u("-"), ""},
      {"unknown option", {u("--bogus")}, Action::Refuse, {}, "veltrix：不认识的选项 --bogus"},
      {"two pictures",
       {u("a.jpg"), u("b.jpg")},
       Action::Refuse,
       {},
       "veltrix：一次只能打开一个图片文件"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CommandLine line = parseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.picture,
              c.picture.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.picture));
    EXPECT_EQ(line.refusal, u(c.refusal));
  }
}

class CommandLineWindowTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }
};

TEST_F(CommandLineWindowTest, APictureNamedOnTheCommandLineOpensFitted) {
  QImage photo(2000, 1000, QImage::Format_RGB32);
  photo.fill(qRgb(40, 80, 120));
  ASSERT_TRUE(photo.save(fixture.path(u("photo.png"))));
  const QString before = QDir::currentPath();
  QDir::setCurrent(fixture.path(QString()));
  const CommandLine line = parseCommandLine({u("photo.png")});
  QDir::setCurrent(before);

  window->openPicture(line.picture);
  ASSERT_TRUE(program->document.present);
  EXPECT_EQ(program->document.picture.size(), QSize(2000, 1000));
  // Fitted: the whole width shows in the view, scrolled to its start.
  EXPECT_LT(program->view.zoom, 1.0);
  EXPECT_EQ(program->view.viewCanvas.pixel(200, 150), qRgb(40, 80, 120));
}

TEST_F(CommandLineWindowTest, EveryWindowShowsTheProgramsIcon) {
  for (const int size : kAppIconSizes) {
    SCOPED_TRACE(size);
    const QImage drawn(QStringLiteral(":/icons/app/veltrix-%1.png").arg(size));
    ASSERT_EQ(drawn.size(), QSize(size, size));
    const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
    EXPECT_EQ(window->windowIcon().pixmap(size).toImage().convertToFormat(premultiplied),
              drawn.convertToFormat(premultiplied));
  }
}

// The real program, started as a desktop starts it.
class CommandLineProcessTest : public testing::Test {
 protected:
  QString log() const { return fixture.path(u("prompts.log")); }

  void start(QProcess& process, const QStringList& arguments, bool display = true,
             const QString& home = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), fixture.path(u("run")));
    environment.insert(QStringLiteral("VELTRIX_HOME"),
                       home.isEmpty() ? fixture.path(u("program")) : home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), fixture.path(u("config")));
    environment.insert(QStringLiteral("VELTRIX_PROMPTER_LOG"), log());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELTRIX_BINARY), arguments);
    ASSERT_TRUE(process.waitForStarted());
  }

  // The message log once it holds a line, waiting for the program to get there.
  QString firstMessage() {
    for (int i = 0; i < 400; ++i) {
      const QByteArray text = test::readBytes(log());
      if (text.endsWith('\n')) return QString::fromUtf8(text);
      QTest::qWait(50);
    }
    return {};
  }

  void TearDown() override {
    if (first.state() == QProcess::NotRunning) return;
    first.kill();
    first.waitForFinished();
  }

  test::ProgramFixture fixture;
  QProcess first;
};

TEST_F(CommandLineProcessTest, HelpAndVersionAnswerWithoutADisplay) {
  const struct {
    const char* option;
    QString printed;
  } cases[] = {{"--version", versionText()}, {"--help", commandLineHelp()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    start(first, {u(c.option)}, false);
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(first.readAllStandardOutput()), c.printed);
  }
  EXPECT_FALSE(QFile::exists(fixture.path(u("program/头像采集设置"))));
}

TEST_F(CommandLineProcessTest, AnUnknownOptionIsRefusedWithoutAWindow) {
  start(first, {u("--bogus")}, false);
  ASSERT_TRUE(first.waitForFinished(20000));
  EXPECT_EQ(first.exitCode(), 2);
  EXPECT_TRUE(QString::fromUtf8(first.readAllStandardError())
                  .startsWith(u("veltrix：不认识的选项 --bogus\n")));
}

TEST_F(CommandLineProcessTest, ADamagedPictureGetsTheOpenCommandsMessage) {
  const QString broken = fixture.path(u("broken.jpg"));
  ASSERT_TRUE(test::writeBytes(broken, QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg")));
  start(first, {broken});
  EXPECT_EQ(firstMessage(),
            u("message\t提示\t") + loadFailureMessage({DecodeError::Damaged}, broken) + u("\n"));
  EXPECT_EQ(first.state(), QProcess::Running);
}

// VELTRIX_HOME naming a folder that is not there: the folder is made, as the settings folder is,
// and one that cannot be made is named on standard error with where the settings went instead.
TEST_F(CommandLineProcessTest, TheFolderVeltrixHomeNamesIsMadeOrTheUserIsTold) {
  const QString blocker = fixture.path(u("a file"));
  ASSERT_TRUE(test::writeBytes(blocker, "in the way"));
  const QString userSettings = fixture.path(u("config/veltrix/头像采集设置"));
  const struct {
    const char* name;
    QString home;
    QString settings;   // where the settings folder is made
    QString complaint;  // on standard error, if anything
  } cases[] = {
      {"missing", fixture.path(u("new/home")), fixture.path(u("new/home/头像采集设置")), {}},
      {"under a file", blocker + u("/home"), userSettings,
       u("veltrix：无法创建环境变量VELTRIX_HOME指定的文件夹“") + blocker +
           u("/home”，设置改存放在“") + userSettings + u("”。\n")},
  };
  // A picture that gives none, so that its message tells that the window is up.
  const QString broken = fixture.path(u("broken.jpg"));
  ASSERT_TRUE(test::writeBytes(broken, "not a picture"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(log());
    start(first, {broken}, true, c.home);
    EXPECT_FALSE(firstMessage().isEmpty());
    EXPECT_TRUE(QFileInfo(c.settings).isDir());
    first.kill();
    first.waitForFinished();
    const QString printed = QString::fromLocal8Bit(first.readAllStandardError());
    if (c.complaint.isEmpty())
      EXPECT_FALSE(printed.contains(u("VELTRIX_HOME"))) << printed.toStdString();
    else
      EXPECT_TRUE(printed.contains(c.complaint)) << printed.toStdString();
  }
}

}  // namespace
}  // namespace veltrix
