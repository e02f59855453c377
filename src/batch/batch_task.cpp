#include "batch/batch_task.h"

#include <QFileInfo>

#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

NamingInputs batchNamingInputs(const BatchTask& batch, const QString& settingsFolder,
                               const QDateTime& now) {
  NamingInputs inputs =
      seriesNamingInputs(batch.saveFolder, batch.saveFormat, batch.customName, settingsFolder, now);
  inputs.sourceName = batch.pictureOrigin == PictureOrigin::FromTask
                          ? batch.currentName
                          : QFileInfo(batch.userPicturePath).fileName();
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
