#include "kill/kill_support.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

#include "app/main_window.h"
#include "app/program.h"
#include "program_fixture.h"
#include "settings/settings_store.h"

namespace veltrix::kill {

QString programFolderOf(const QString& home) {
  return home + QStringLiteral("/program");
}

QString settingsFolderOf(const QString& home) {
  return programFolderOf(home) + QStringLiteral("/头像采集设置");
}

QString settingsFileOf(const QString& home) {
  return settingsFolderOf(home) + QStringLiteral("/set.dll");
}

void prepareHome(const QString& home) {
  QDir().mkpath(home + QStringLiteral("/out"));
  QDir().mkpath(settingsFolderOf(home));
  const SettingsStore store(settingsFileOf(home));
  const QString section = QStringLiteral("批量截图");
  store.write(section, QStringLiteral("保存目录"), home + QStringLiteral("/out"));
  store.write(section, QStringLiteral("是否保存设置"), QStringLiteral("真"));
}

void markReady(const QString& home) {
  QFile(home + QStringLiteral("/ready")).open(QIODevice::WriteOnly);
}

namespace {

// The folder's entries that no pattern matches in full, each told on stderr.
QStringList straysIn(const QString& folder, const QStringList& patterns) {
  QStringList strays;
  for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                    QDir::NoDotAndDotDot)) {
    const bool expected = std::any_of(patterns.begin(), patterns.end(), [&name](const QString& p) {
      return QRegularExpression(QRegularExpression::anchoredPattern(p)).match(name).hasMatch();
    });
    if (expected) continue;
    std::fprintf(stderr, "stray: %s/%s\n", qPrintable(folder), qPrintable(name));
    strays << name;
  }
  return strays;
}

const QStringList kSettingsFiles = {QStringLiteral("set\\.dll"), QStringLiteral("批截任务\\.ini")};

}  // namespace

int takeStrays(const QString& folder, const QStringList& patterns) {
  const QStringList strays = straysIn(folder, patterns);
  for (const QString& name : strays) QFile::remove(folder + u'/' + name);
  return static_cast<int>(strays.size());
}

std::optional<int> startsAndReads(const QString& home,
                                  const std::function<bool(const Program&)>& settingsRead) {
  const qsizetype left = straysIn(settingsFolderOf(home), kSettingsFiles).size();
  test::ProgramFixture fixture;
  ProgramEnvironment environment = fixture.environment();
  environment.programFolder = programFolderOf(home);
  Program program(fixture.services(), environment);
  MainWindow window(program);
  window.start();
  if (program.shell.settingsFile != settingsFileOf(home) || !settingsRead(program)) {
    std::fprintf(stderr, "the program did not read the settings the file holds\n");
    return std::nullopt;
  }
  if (!straysIn(settingsFolderOf(home), kSettingsFiles).isEmpty()) {
    std::fprintf(stderr, "the program's start left strays in its settings folder\n");
    return std::nullopt;
  }
  return static_cast<int>(left);
}

std::optional<int> startsAndReads(const QString& home) {
  return startsAndReads(home, [&home](const Program& program) {
    return program.batch.keepSettings && program.batch.saveFolder == home + QStringLiteral("/out");
  });
}

int damaged(const QString& reason) {
  std::fprintf(stderr, "%s\n", qPrintable(reason));
  return 1;
}

}  // namespace veltrix::kill
