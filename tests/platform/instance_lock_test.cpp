#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace veltrix {
namespace {

using Result = InstanceLock::Result;

TEST(InstanceLock, OnlyOneHolderAtATimeAndReleasedWithItsOwner) {
  QTemporaryDir dir;
  const QString marker = dir.filePath(QStringLiteral("qmrtag.txt"));
  {
    InstanceLock first(marker);
    EXPECT_EQ(first.acquire(), Result::Acquired);
    EXPECT_EQ(first.acquire(), Result::Acquired);
    InstanceLock second(marker);
    EXPECT_EQ(second.acquire(), Result::HeldByAnother);
    EXPECT_EQ(second.acquire(), Result::HeldByAnother);
  }
  EXPECT_TRUE(QFile::exists(marker));
  InstanceLock later(marker);
  EXPECT_EQ(later.acquire(), Result::Acquired);
}

TEST(InstanceLock, MarkerThatCannotBeCreatedIsUnavailable) {
  QTemporaryDir dir;
  InstanceLock lock(dir.filePath(QStringLiteral("no-such-folder/qmrtag.txt")));
  EXPECT_EQ(lock.acquire(), Result::Unavailable);
}

TEST(InstanceLock, MarkerLivesInTheUsersRuntimeFolder) {
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTmp = qgetenv("TMPDIR");
  struct Case {
    const char* runtime;
    const char* tmp;
    const char* expected;
  };
  const Case cases[] = {
      {"/run/user/1000", "/var/tmp", "/run/user/1000/qmrtag.txt"},
      {"", "/var/tmp", "/var/tmp/qmrtag.txt"},
      {"", "", "/tmp/qmrtag.txt"},
  };
  for (const Case& c : cases) {
    qputenv("XDG_RUNTIME_DIR", c.runtime);
    qputenv("TMPDIR", c.tmp);
    EXPECT_EQ(InstanceLock::defaultMarkerPath(), QString::fromUtf8(c.expected));
  }
  qputenv("XDG_RUNTIME_DIR", savedRuntime);
  qputenv("TMPDIR", savedTmp);
}

}  // namespace
}  // namespace veltrix
