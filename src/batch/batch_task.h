// Batch crop state: the settings loaded at start-up and the state of the running batch.
#pragma once

#include <QString>

#include "settings/startup_settings.h"

namespace veltrix {

enum class PictureOrigin { FromTask, OpenedByUser };

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
};

// A picture the user opens while batch mode is on names the next crop, even when it failed to
// decode.
inline void noteUserPicture(BatchTask& batch, const QString& path) {
  if (!batch.active) return;
  batch.pictureOrigin = PictureOrigin::OpenedByUser;
  batch.userPicturePath = path;
}

}  // namespace veltrix
