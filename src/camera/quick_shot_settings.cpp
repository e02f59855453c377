#include "camera/quick_shot_settings.h"

#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

NamingInputs quickNamingInputs(const QuickShotSettings& quick, const QString& settingsFolder,
                               const QDateTime& now) {
  return seriesNamingInputs(quick.quickSaveFolder, quick.quickSaveFormat, quick.quickCustomName,
                            settingsFolder, now);
}

void keepQuickShotJpgLimit(const QuickShotSettings& quick, const SettingsStore& store,
                           const QString& text) {
  if (quick.quickMode && quick.quickKeepSettings && quick.quickSaveFormat == u8(kDefaultSaveFormat))
    store.write(u8(kQuickShotSection), u8(kJpgSizeKey), text);
}

}  // namespace veltrix
