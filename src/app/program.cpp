#include "app/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/texts.h"
#include "batch/texts.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "settings/leftover_copies.h"
#include "settings/settings_keys.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"

namespace veltrix {

namespace {

// An installed program sits in a bin/ folder beside its menu entry. Its folder belongs to the
// system even when the user could write to it (root, a prefix in the home folder): settings and
// the help page go to the per-user folder instead.
bool installedOnTheSystem() {
  return QFileInfo::exists(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/applications/org.veltrix.Veltrix.desktop"));
}

// The folder VELTRIX_HOME names is one the user asked for: when it is missing it is made, parents
// and all, as the settings folder is. One that cannot be made is named on standard error with
// where the settings are kept instead.
void makeChosenHome(const ProgramEnvironment& environment) {
  const QString& home = environment.programFolder;
  if (QDir().mkpath(home)) return;
  const QString settings = settingsFolderFor(home, environment.configHome);
  const QString complaint = u8(app_texts::kHomeNotMadeBefore) + QDir::toNativeSeparators(home) +
                            u8(app_texts::kHomeNotMadeMiddle) + QDir::toNativeSeparators(settings) +
                            u8(app_texts::kHomeNotMadeAfter);
  std::fputs(complaint.toLocal8Bit().constData(), stderr);
}

}  // namespace

ProgramEnvironment ProgramEnvironment::fromProcess() {
  ProgramEnvironment environment;
  environment.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (environment.configHome.isEmpty())
    environment.configHome = QDir::homePath() + QStringLiteral("/.config");
  environment.programFolder = qEnvironmentVariable("VELTRIX_HOME");
  if (!environment.programFolder.isEmpty())
    makeChosenHome(environment);
  else if (!installedOnTheSystem())
    environment.programFolder = QCoreApplication::applicationDirPath();
  environment.markerPath = InstanceLock::defaultMarkerPath();
  return environment;
}

Program::Program(PlatformServices services, ProgramEnvironment environment)
    : services(services),
      environment(std::move(environment)),
      instanceLock(this->environment.markerPath) {}

bool singleInstanceGuard(Program& program) {
  if (program.instanceLock.acquire() != InstanceLock::Result::HeldByAnother) return true;
  program.services.prompter.notify(nullptr, QString::fromUtf8(app_texts::kAlreadyRunning));
  return false;
}

void loadStartupSettings(Program& program) {
  ShellState& shell = program.shell;
  shell.programFolder = program.environment.programFolder;
  shell.settingsFolder = settingsFolderFor(shell.programFolder, program.environment.configHome);
  ensureSettingsFolder(shell.programFolder, shell.settingsFolder);
  shell.settingsFile = shell.settingsFolder + '/' + QString::fromUtf8(kSettingsFileName);
  // A run killed while it replaced the settings or the task file may have left a copy beside it.
  removeLeftoverCopies(shell.settingsFolder, {QString::fromUtf8(kSettingsFileName),
                                              QString::fromUtf8(batch_texts::kTaskFileName)});

  const SettingsStore store(shell.settingsFile);
  static_cast<BatchSettings&>(program.batch) = readBatchSettings(store);
  static_cast<QuickShotPreferences&>(program.quickShot) = readQuickShotPreferences(store);
  program.shell.headGuidesShown = readHeadGuidesShown(store);
}

}  // namespace veltrix
