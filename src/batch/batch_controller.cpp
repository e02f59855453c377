#include "batch/batch_controller.h"

#include <QDir>
#include <QFileInfo>

#include "batch/folder_scan.h"
#include "batch/task_file.h"
#include "batch/texts.h"
#include "platform/file_names.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

namespace veltrix {
namespace {

using namespace batch_texts;

bool isNext(NavigationKey key) {
  return key == NavigationKey::D || key == NavigationKey::F;
}

}  // namespace

QString taskTitle(const QString& name, const QString& state) {
  return u8(kTitleBefore) + name + u8(kTitleSeparator) + state;
}

BatchController::BatchController(BatchTask& batch, const OutputSpec& output, Hotkeys& hotkeys,
                                 Prompter& prompter, BatchHost& host, QWidget* owner,
                                 const QString& settingsFolder)
    : batch_(batch),
      output_(output),
      hotkeys_(hotkeys),
      prompter_(prompter),
      host_(host),
      owner_(owner),
      settingsFolder_(settingsFolder) {}

QString BatchController::taskPath() const {
  return taskFilePath(settingsFolder_);
}

QString BatchController::settingsFile() const {
  return settingsFolder_ + u'/' + u8(kSettingsFileName);
}

void BatchController::registerNavigationKeys() {
  hotkeys_.registerKeys([this](NavigationKey key, bool repeated) { navigate(key, repeated); });
  batch_.keysRegistered = true;
}

void BatchController::releaseNavigationKeys() {
  if (batch_.keysRegistered) hotkeys_.releaseKeys();
  batch_.keysRegistered = false;
  batch_.lastKeyWasNext = false;
  batch_.lastKeyWasPrevious = false;
}

void BatchController::navigate(NavigationKey key, bool repeated) {
  const bool next = isNext(key);
  const bool previous = !next;
  // A key held down moves once; pressing it again moves again.
  const bool held = repeated && (next ? batch_.lastKeyWasNext : batch_.lastKeyWasPrevious);
  batch_.lastKeyWasNext = next;
  batch_.lastKeyWasPrevious = previous;
  if (held) return;
  batch_.pictureOrigin = PictureOrigin::FromTask;
  if (batch_.entryCount == 0)
    buildTask();
  else
    showTaskPicture(next ? TaskStep::Next : TaskStep::Previous);
}

void BatchController::buildTask() {
  const QStringList names = scanSourceFolder(batch_.sourceFolder);
  if (names.isEmpty()) return;
  // A task of earlier work (say a resume whose folder was not there yet) is never written over
  // unasked; kept, it goes on where it was.
  const std::optional<TaskFile> stored = TaskFile::load(taskPath());
  if (stored && stored->count() > 0 &&
      prompter_.message(owner_, u8(kAskTitle), u8(kGiveUpTask), PromptIcon::Question,
                        PromptButtons::YesNo) != PromptAnswer::Yes) {
    takeUpStoredTask();
    return;
  }
  startTask(names);
}

bool BatchController::takeUpStoredTask() {
  const std::optional<TaskFile> task = TaskFile::load(taskPath());
  if (!task || task->count() == 0) return false;
  batch_.entryCount = task->count();
  showTaskPicture(TaskStep::Current);
  return true;
}

void BatchController::startTask(const QStringList& names) {
  std::optional<TaskFile> task = TaskFile::load(taskPath());
  if (task) task->create(names);
  // Every step of a batch reads the task back from its file: a task never written would show
  // each picture as lost, with nothing to say why.
  const WriteOutcome written = task ? task->save() : WriteOutcome::Failed;
  if (written != WriteOutcome::Written) {
    batch_.entryCount = 0;
    tellTaskNotWritten(written);
    return;
  }
  batch_.entryCount = names.size();
  showTaskPicture(TaskStep::Current);
}

void BatchController::showTaskPicture(TaskStep step) {
  std::optional<TaskFile> task = TaskFile::load(taskPath());
  if (!task) return;
  qint64 entry = task->cursor();
  if (step == TaskStep::Previous) {
    --entry;
    if (entry < 0) return;
    if (entry == 0) {
      prompter_.notify(owner_, u8(kAtFirst));
      return;
    }
  }
  if (step == TaskStep::Next) ++entry;
  const bool grows = step == TaskStep::Next && entry > batch_.entryCount;
  if (grows && !task->appendNew(scanSourceFolder(batch_.sourceFolder))) {
    prompter_.notify(owner_, u8(kAtLast));
    return;
  }
  if (step != TaskStep::Current) {
    task->setCursor(entry);
    // The next key reads the cursor back from the file: a step not written there would bring
    // the user back to this picture again and again, so the picture stays as it is.
    if (const WriteOutcome written = task->save(); written != WriteOutcome::Written) {
      tellTaskNotWritten(written);
      return;
    }
    if (grows) batch_.entryCount = task->count();
  }
  batch_.position = entry;
  batch_.pictureOrigin = PictureOrigin::FromTask;
  batch_.currentName = task->name(entry);
  const QString path = batch_.sourceFolder + u'/' + batch_.currentName;
  if (batch_.currentName.isEmpty() || !isFileAt(path)) {
    host_.releasePicture();
    host_.setTitle(taskTitle(batch_.currentName, u8(kLost)));
    return;
  }
  host_.setTitle(taskTitle(batch_.currentName, task->record(entry)));
  // A picture that does not decode must not leave the previous one to be cropped in its name.
  if (!host_.loadTaskPicture(path)) host_.releasePicture();
  // The photographer mostly moves on: the next picture is decoded while this one is framed.
  if (entry < task->count() && !task->name(entry + 1).isEmpty())
    host_.prefetchPicture(batch_.sourceFolder + u'/' + task->name(entry + 1));
}

void BatchController::markTaskPictureDone() {
  if (batch_.entryCount <= 0) return;
  // A picture from outside the task leaves its records alone.
  if (batch_.pictureOrigin == PictureOrigin::OpenedByUser) {
    host_.setTitle(taskTitle(QFileInfo(batch_.userPicturePath).fileName(), u8(kCropped)));
    return;
  }
  if (batch_.pictureOrigin == PictureOrigin::Pasted) {
    host_.setTitle(taskTitle(u8(kPastedPicture), u8(kCropped)));
    return;
  }
  std::optional<TaskFile> task = TaskFile::load(taskPath());
  if (!task) return;
  task->markDone(batch_.position);
  // The crop is written; the title keeps saying what the task file holds.
  if (const WriteOutcome written = task->save(); written != WriteOutcome::Written) {
    tellTaskNotWritten(written);
    return;
  }
  host_.setTitle(taskTitle(batch_.currentName, u8(kCropped)));
}

void BatchController::tellTaskNotWritten(WriteOutcome written) {
  const QString file = QDir::toNativeSeparators(taskPath());
  if (written == WriteOutcome::DiskFull)
    prompter_.notify(owner_, u8(kTaskDiskFullBefore) + file + u8(kTaskDiskFullMiddle) +
                                 QDir::toNativeSeparators(settingsFolder_) +
                                 u8(kTaskDiskFullAfter));
  else
    prompter_.notify(owner_, u8(kTaskNotWrittenBefore) + file + u8(kTaskNotWrittenAfter));
}

void BatchController::indicatorPressed(bool rightButton) {
  if (rightButton) {
    host_.openSettingsWindow();
  } else if (!batch_.indicatorOn) {
    batch_.indicatorOn = true;
    host_.setIndicator(true);
    resumeBatch();
  } else {
    stopBatch();
  }
}

bool BatchController::checkFolders() {
  QString missing;
  if (!QFileInfo(batch_.sourceFolder).isDir())
    missing = batch_.sourceFolder.isEmpty()
                  ? u8(kSourceNotSet)
                  : u8(kSourceMissingBefore) + QDir::toNativeSeparators(batch_.sourceFolder) +
                        u8(kSourceMissingAfter);
  else if (!QFileInfo(batch_.saveFolder).isDir())
    missing = u8(batch_.saveFolder.isEmpty() ? kFolderNotSet : kFolderMissing);
  if (missing.isEmpty()) return true;
  prompter_.message(owner_, u8(kFolderNoticeTitle), missing, PromptIcon::None, PromptButtons::Ok);
  host_.openSettingsWindow();
  return false;
}

void BatchController::resumeBatch() {
  host_.closeCamera();
  if (!batch_.keepSettings) {
    host_.openSettingsWindow();
    return;
  }
  if (prompter_.message(owner_, u8(kAskTitle), u8(kResumeQuestion), PromptIcon::Question,
                        PromptButtons::YesNo) != PromptAnswer::Yes) {
    host_.openSettingsWindow();
    return;
  }
  batch_.active = true;
  host_.restoreKeptSize(batch_.saveFormat == u8(kDefaultSaveFormat));
  if (!checkFolders()) return;
  if (!batch_.keysRegistered) registerNavigationKeys();
  host_.switchToolsOff();
  if (const std::optional<TaskFile> task = TaskFile::load(taskPath()))
    batch_.entryCount = task->count();
  showTaskPicture(TaskStep::Current);
  if (batch_.namingRule == NamingRule::Spreadsheet) host_.showNamingWindow();
}

void BatchController::stopBatch() {
  switchOff();
  host_.focusView();
  batch_.position = 0;
  batch_.entryCount = 0;
}

void BatchController::pauseForCamera() {
  if (batch_.active) switchOff();
}

void BatchController::switchOff() {
  batch_.active = false;
  batch_.indicatorOn = false;
  host_.setIndicator(false);
  host_.showProgramCaption();
  releaseNavigationKeys();
}

}  // namespace veltrix
