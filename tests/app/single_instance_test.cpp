#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

#include "app/program.h"
#include "program_fixture.h"

namespace veltrix {
namespace {

const char* const kAlreadyRunning = "您已经打开了本软件，不能重复打开。";

TEST(SingleInstanceGuard, SecondCopyIsToldAndStopsUntilTheFirstEnds) {
  test::ProgramFixture fixture;
  auto first = fixture.makeProgram();
  ASSERT_TRUE(singleInstanceGuard(*first));
  EXPECT_TRUE(fixture.prompter.records.empty());

  auto second = fixture.makeProgram();
  EXPECT_FALSE(singleInstanceGuard(*second));
  ASSERT_EQ(fixture.prompter.records.size(), 1u);
  const test::PromptRecord& shown = fixture.prompter.records.front();
  EXPECT_EQ(shown.kind, QStringLiteral("message"));
  EXPECT_EQ(shown.title, QStringLiteral("提示"));
  EXPECT_EQ(shown.text, QString::fromUtf8(kAlreadyRunning));
  EXPECT_EQ(shown.icon, PromptIcon::None);
  EXPECT_EQ(shown.buttons, PromptButtons::Ok);

  first.reset();
  auto third = fixture.makeProgram();
  EXPECT_TRUE(singleInstanceGuard(*third));
  EXPECT_EQ(fixture.prompter.records.size(), 1u);
}

TEST(SingleInstanceGuard, UnusableMarkerFolderDoesNotKeepTheProgramFromStarting) {
  test::ProgramFixture fixture;
  ProgramEnvironment environment = fixture.environment();
  environment.markerPath = fixture.path(QStringLiteral("missing/qmrtag.txt"));
  Program program(fixture.services(), environment);
  EXPECT_TRUE(singleInstanceGuard(program));
  EXPECT_TRUE(fixture.prompter.records.empty());
}

// Whether some process holds the lock on the marker, asked the way a second copy asks.
bool markerLocked(const QString& marker) {
  const int fd = ::open(QFile::encodeName(marker).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return locked;
}

bool waitUntil(const std::function<bool()>& condition) {
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired()) {
    if (condition()) return true;
    QTest::qWait(20);
  }
  return condition();
}

class RealProgramTest : public testing::Test {
 protected:
  QString marker() const { return fixture.path(QStringLiteral("run/qmrtag.txt")); }
  QString log() const { return fixture.path(QStringLiteral("prompts.log")); }

  void startProgram(QProcess& process, const QStringList& arguments = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), fixture.path(QStringLiteral("run")));
    environment.insert(QStringLiteral("VELTRIX_HOME"), fixture.path(QStringLiteral("program")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), fixture.path(QStringLiteral("config")));
    environment.insert(QStringLiteral("VELTRIX_PROMPTER_LOG"), log());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELTRIX_BINARY), arguments);
    ASSERT_TRUE(process.waitForStarted());
  }

  QString logText() const {
    QFile file(log());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  void TearDown() override {
    for (QProcess* process : {&first, &second, &third}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->kill();
      process->waitForFinished();
    }
  }

  test::ProgramFixture fixture;
  QProcess first, second, third;
};

TEST_F(RealProgramTest, SecondCopyShowsTheMessageAndAKilledCopyLeavesNoLock) {
  startProgram(first);
  ASSERT_TRUE(waitUntil([&] { return markerLocked(marker()); }));

  startProgram(second);
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(logText(), QStringLiteral("message\t提示\t") + QString::fromUtf8(kAlreadyRunning) +
                           QStringLiteral("\n"));
  EXPECT_EQ(first.state(), QProcess::Running);

  first.kill();
  ASSERT_TRUE(first.waitForFinished(20000));
  EXPECT_TRUE(QFile::exists(marker()));
  EXPECT_FALSE(markerLocked(marker()));

  startProgram(third);
  ASSERT_TRUE(waitUntil([&] { return markerLocked(marker()); }));
  EXPECT_EQ(third.state(), QProcess::Running);
  EXPECT_EQ(logText().count(QLatin1Char('\n')), 1);
}

TEST_F(RealProgramTest, ASecondCopyAskedToOpenAPictureKeepsTheRule) {
  startProgram(first);
  ASSERT_TRUE(waitUntil([&] { return markerLocked(marker()); }));
  QImage photo(64, 48, QImage::Format_RGB32);
  photo.fill(Qt::red);
  ASSERT_TRUE(photo.save(fixture.path(QStringLiteral("photo.png"))));

  startProgram(second, {fixture.path(QStringLiteral("photo.png"))});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(logText(), QStringLiteral("message\t提示\t") + QString::fromUtf8(kAlreadyRunning) +
                           QStringLiteral("\n"));
  EXPECT_EQ(first.state(), QProcess::Running);
}

}  // namespace
}  // namespace veltrix
