// WorkbookReader around its helper: how it is found, the caps it runs under, what each way of
// ending means to the program, and that a read let go (cancelled, replaced, or its reader
// deleted) kills the helper and reports nothing. Stand-in helpers are small shell scripts.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "sheet_test_support.h"
#include "sheets/sheet_reader_location.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::failureOf;

class WorkbookReaderTest : public test::SheetReaderTest {
 protected:
  void SetUp() override {
    SheetReaderTest::SetUp();
    ASSERT_TRUE(folder_.isValid());
  }

  // Puts a shell script in the helper's place.
  QString useScript(const QByteArray& body) {
    const QString path = folder_.filePath(QStringLiteral("helper-%1").arg(++scripts_));
    EXPECT_TRUE(test::writeBytes(path, "#!/bin/sh\n" + body + "\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VELTRIX_SHEET_READER", path.toUtf8());
    return path;
  }

  QString scratch(const char* name) const { return folder_.filePath(QString::fromUtf8(name)); }

  QTemporaryDir folder_;
  int scripts_ = 0;
};

// The helper's pid, once a stand-in has written it.
qint64 waitForPid(const QString& file) {
  qint64 pid = 0;
  const bool written =
      QTest::qWaitFor([&] { return (pid = test::readBytes(file).trimmed().toLongLong()) > 0; });
  return written ? pid : 0;
}

bool processGone(qint64 pid) {
  return kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

TEST_F(WorkbookReaderTest, TheEnvironmentVariableChoosesTheHelper) {
  qputenv("VELTRIX_SHEET_READER", "/opt/elsewhere/reader");
  EXPECT_EQ(sheetReaderPath(), QStringLiteral("/opt/elsewhere/reader"));
  qunsetenv("VELTRIX_SHEET_READER");
  EXPECT_EQ(sheetReaderPath(),
            QCoreApplication::applicationDirPath() + QStringLiteral("/veltrix-sheet-reader"));
}

TEST_F(WorkbookReaderTest, AMissingHelperIsNoHelper) {
  qputenv("VELTRIX_SHEET_READER", scratch("absent").toUtf8());
  EXPECT_EQ(failureOf(readWorkbook(test::sheetFixture("roster.xlsx"))), WorkbookFailure::NoHelper);
}

TEST_F(WorkbookReaderTest, AHelperThatCannotBeRunIsNoHelper) {
  ASSERT_TRUE(test::writeBytes(scratch("not-executable"), "#!/bin/sh\nexit 0\n"));
  qputenv("VELTRIX_SHEET_READER", scratch("not-executable").toUtf8());
  EXPECT_EQ(failureOf(readWorkbook(test::sheetFixture("roster.xlsx"))), WorkbookFailure::NoHelper);
}

TEST_F(WorkbookReaderTest, NoHelperIsReportedFromTheEventLoopNotFromStart) {
  qputenv("VELTRIX_SHEET_READER", scratch("absent").toUtf8());
  WorkbookReader reader;
  QSignalSpy finished(&reader, &WorkbookReader::finished);
  reader.start(test::sheetFixture("roster.xlsx"));
  EXPECT_EQ(finished.count(), 0);
  EXPECT_TRUE(reader.busy());
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_FALSE(reader.busy());
}

TEST_F(WorkbookReaderTest, TheHelperRunsUnderTheMemoryCapWithoutCoreDumps) {
#ifdef VELTRIX_SANITIZED
  GTEST_SKIP() << "a sanitized helper runs without the memory cap";
#endif
  useScript("{ ulimit -v; ulimit -c; } > '" + scratch("limits").toUtf8() + "'; exit 10");
  EXPECT_EQ(failureOf(readWorkbook(QStringLiteral("x"))), WorkbookFailure::NotWorkbook);
  EXPECT_EQ(test::readBytes(scratch("limits")), QByteArray("1048576\n0\n"));
}

struct EndingCase {
  const char* name;
  const char* script;
  WorkbookFailure failure;
};

const EndingCase kEndings[] = {
    {"not_workbook", "exit 10", WorkbookFailure::NotWorkbook},
    {"damaged", "exit 11", WorkbookFailure::Damaged},
    {"too_large", "exit 12", WorkbookFailure::TooLarge},
    {"encrypted", "exit 13", WorkbookFailure::Encrypted},
    {"too_old", "exit 14", WorkbookFailure::TooOld},
    {"unknown_code", "exit 1", WorkbookFailure::Crashed},
    {"killed_by_a_signal", "kill -SEGV $$", WorkbookFailure::Crashed},
    {"nothing_written", "exit 0", WorkbookFailure::Crashed},
    {"garbage_written", "printf 'Traceback (most recent call last)'; exit 0",
     WorkbookFailure::Crashed},
    {"stream_without_end", "printf 'VXSHEET\\001S\\002\\000\\000\\000ab'; exit 0",
     WorkbookFailure::Crashed},
    {"garbage_while_running", "printf 'garbage!'; sleep 30", WorkbookFailure::Crashed},
    {"endless_output", "exec cat /dev/zero", WorkbookFailure::Crashed},
};

class HelperEnding : public WorkbookReaderTest, public testing::WithParamInterface<EndingCase> {};

TEST_P(HelperEnding, MeansToTheProgram) {
  useScript(GetParam().script);
  EXPECT_EQ(failureOf(readWorkbook(QStringLiteral("x"))), GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(Endings, HelperEnding, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<EndingCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(WorkbookReaderTest, AStuckHelperIsKilledAtTheCapAsTooLarge) {
  useScript("echo $$ > '" + scratch("pid").toUtf8() + "'; exec sleep 60");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(failureOf(readWorkbook(QStringLiteral("x"))), WorkbookFailure::TooLarge);
  EXPECT_GE(clock.elapsed(), 9000);
  const qint64 pid = waitForPid(scratch("pid"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(pid); }, 5000));
}

TEST_F(WorkbookReaderTest, CancelKillsTheHelperAndReportsNothing) {
  useScript("echo $$ > '" + scratch("pid").toUtf8() + "'; exec sleep 60");
  WorkbookReader reader;
  QSignalSpy finished(&reader, &WorkbookReader::finished);
  reader.start(QStringLiteral("x"));
  const qint64 pid = waitForPid(scratch("pid"));
  ASSERT_GT(pid, 0);
  reader.cancel();
  EXPECT_FALSE(reader.busy());
  EXPECT_TRUE(processGone(pid));
  QTest::qWait(300);
  EXPECT_EQ(finished.count(), 0);
}

TEST_F(WorkbookReaderTest, DeletingTheReaderKillsTheHelperAndReportsNothing) {
  useScript("echo $$ > '" + scratch("pid").toUtf8() + "'; exec sleep 60");
  auto* reader = new WorkbookReader;
  QSignalSpy finished(reader, &WorkbookReader::finished);
  reader->start(QStringLiteral("x"));
  const qint64 pid = waitForPid(scratch("pid"));
  ASSERT_GT(pid, 0);
  delete reader;
  EXPECT_TRUE(processGone(pid));
  EXPECT_EQ(finished.count(), 0);
}

TEST_F(WorkbookReaderTest, AnotherReadReplacesTheFirstWhichReportsNothing) {
  const QByteArray pidFile = scratch("pid").toUtf8();
  useScript("if [ \"$1\" = first ]; then echo $$ > '" + pidFile + "'; exec sleep 60; fi; exit 11");
  WorkbookReader reader;
  QSignalSpy finished(&reader, &WorkbookReader::finished);
  reader.start(QStringLiteral("first"));
  const qint64 pid = waitForPid(scratch("pid"));
  ASSERT_GT(pid, 0);
  reader.start(QStringLiteral("second"));
  EXPECT_TRUE(processGone(pid));
  ASSERT_TRUE(finished.wait(5000));
  QTest::qWait(200);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(failureOf(finished.at(0).at(0).value<WorkbookResult>()), WorkbookFailure::Damaged);
}

// The real helper on the bomb, which keeps it inflating for a while: let go mid-read, no
// helper process of ours is left and nothing is reported.
TEST_F(WorkbookReaderTest, CancellingTheRealHelperMidBombLeavesNoHelper) {
  WorkbookReader reader;
  QSignalSpy finished(&reader, &WorkbookReader::finished);
  reader.start(test::sheetFixture("bomb.xlsx"));
  QTest::qWait(30);
  ASSERT_TRUE(reader.busy());
  reader.cancel();
  QTest::qWait(500);
  EXPECT_EQ(finished.count(), 0);
  const QString self = QString::number(QCoreApplication::applicationPid());
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    const QByteArray stat = test::readBytes(QStringLiteral("/proc/%1/stat").arg(entry));
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0) continue;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    EXPECT_FALSE(fields.size() > 1 && fields[1] == self.toUtf8() &&
                 stat.contains("(veltrix-sheet-r"))
        << "a helper is still there: " << stat.toStdString();
  }
}

}  // namespace
}  // namespace veltrix
