#include "camera/quick_shot_settings.h"

#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

void keepQuickShotJpgLimit(const QuickShotSettings& quick, const SettingsStore& store,
                           const QString& text) {
  if (quick.quickMode && quick.quickKeepSettings && quick.quickSaveFormat == u8(kDefaultSaveFormat))
    store.write(u8(kQuickShotSection), u8(kJpgSizeKey), text);
}

}  // namespace veltrix
