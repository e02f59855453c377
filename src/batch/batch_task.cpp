#include "batch/batch_task.h"

#include <QFileInfo>

#include "batch/same_name_series.h"
#include "batch/task_file.h"
#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

NamingInputs batchNamingInputs(const BatchTask& batch, const QString& settingsFolder,
                               const QDateTime& now) {
  NamingInputs inputs =
      seriesNamingInputs(batch.saveFolder, batch.saveFormat, batch.customName, settingsFolder, now);
  switch (batch.pictureOrigin) {
    case PictureOrigin::FromTask:
      inputs.sourceName = batch.currentName;
      break;
    case PictureOrigin::OpenedByUser:
      inputs.sourceName = QFileInfo(batch.userPicturePath).fileName();
      break;
    case PictureOrigin::Pasted:
      inputs.sourceName = timeStampName(now);
      break;
  }
  // Pictures of the task that differ only in extension keep a crop each.
  if (batch.pictureOrigin == PictureOrigin::FromTask && batch.namingRule == NamingRule::SameName) {
    if (const std::optional<TaskFile> task = TaskFile::load(taskFilePath(settingsFolder)))
      inputs.sameNameNumber = sameNameNumber(*task, batch.position);
  }
  return inputs;
}

void keepBatchSizes(const BatchTask& batch, const SettingsStore& store,
                    const QList<QPair<const char*, QString>>& keys) {
  if (!batch.active || !batch.keepSettings) return;
  for (const auto& [key, value] : keys) store.write(u8(kBatchSection), u8(key), value);
}

void keepBatchJpgLimit(const BatchTask& batch, const SettingsStore& store, const QString& text) {
  if (batch.active && batch.keepSettings && batch.saveFormat == u8(kDefaultSaveFormat))
    store.write(u8(kBatchSection), u8(kJpgSizeKey), text);
}

}  // namespace veltrix
