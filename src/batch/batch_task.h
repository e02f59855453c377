// Batch crop state: the settings loaded at start-up and the state of the running batch.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "save/output_naming.h"
#include "settings/settings_store.h"
#include "settings/startup_settings.h"

namespace veltrix {

// Where the shown picture came from: the task, a file the user opened, or the clipboard.
enum class PictureOrigin { FromTask, OpenedByUser, Pasted };

struct BatchTask : BatchSettings {
  bool active = false;
  int entryCount = 0;  // 0: no task known in memory
  int position = 0;    // 1-based position of the picture last shown from the task
  QString currentName;
  PictureOrigin pictureOrigin = PictureOrigin::FromTask;
  QString userPicturePath;
  bool keysRegistered = false;
  bool lastKeyWasNext = false;
  bool lastKeyWasPrevious = false;
  bool settingsConfirmed = false;
  bool indicatorOn = false;  // the status bar's batch indicator shows its tick
};

// A picture the user opens while batch mode is on names the next crop instead of the task's.
inline void noteUserPicture(BatchTask& batch, const QString& path) {
  if (!batch.active) return;
  batch.pictureOrigin = PictureOrigin::OpenedByUser;
  batch.userPicturePath = path;
}

// A picture pasted while batch mode is on is no task picture either: its crop leaves the task's
// records alone and, having no file name, is named by the moment of the crop under the same-name
// rule.
inline void notePastedPicture(BatchTask& batch) {
  if (batch.active) batch.pictureOrigin = PictureOrigin::Pasted;
}

// What the batch's naming rule names the next crop by: the batch's save folder, format and prefix,
// and the picture shown from the task or the one the user opened.
NamingInputs batchNamingInputs(const BatchTask& batch, const QString& settingsFolder,
                               const QDateTime& now);

// A batch that keeps its settings keeps the size entries' texts, as they change, for the day it
// is resumed; any other batch, or none, writes nothing.
void keepBatchSizes(const BatchTask& batch, const SettingsStore& store,
                    const QList<QPair<const char*, QString>>& keys);

// The JPG size target likewise, when the batch saves JPG.
void keepBatchJpgLimit(const BatchTask& batch, const SettingsStore& store, const QString& text);

}  // namespace veltrix
