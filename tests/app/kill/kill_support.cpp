#include "kill/kill_support.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

int takeStrays(const QString& folder, const QStringList& patterns) {
  int strays = 0;
  const QDir dir(folder);
  for (const QString& name :
       dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    const bool expected = std::any_of(patterns.begin(), patterns.end(), [&name](const QString& p) {
      return QRegularExpression(QRegularExpression::anchoredPattern(p)).match(name).hasMatch();
    });
    if (expected) continue;
    std::fprintf(stderr, "stray: %s/%s\n", qPrintable(folder), qPrintable(name));
    QFile::remove(dir.filePath(name));
    ++strays;
  }
  return strays;
}

bool startsAndReads(const QString& home, const std::function<bool(const Program&)>& settingsRead) {
  test::ProgramFixture fixture;
  ProgramEnvironment environment = fixture.environment();
  environment.programFolder = programFolderOf(home);
  Program program(fixture.services(), environment);
  MainWindow window(program);
  window.start();
  return program.shell.settingsFile == settingsFileOf(home) && settingsRead(program);
}

bool startsAndReads(const QString& home) {
  return startsAndReads(home, [&home](const Program& program) {
    return program.batch.keepSettings && program.batch.saveFolder == home + QStringLiteral("/out");
  });
}

int damaged(const QString& reason) {
  std::fprintf(stderr, "%s\n", qPrintable(reason));
  return 1;
}

}  // namespace veltrix::kill
