#include "camera/quick_shot_settings.h"

#include <algorithm>

#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

NamingInputs quickNamingInputs(const QuickShotSettings& quick, const QString& settingsFolder,
                               const QDateTime& now) {
  return seriesNamingInputs(quick.quickSaveFolder, quick.quickSaveFormat, quick.quickCustomName,
                            settingsFolder, now);
}

void writeQuickShotSettings(const QString& settingsFile, const QuickShotSettings& quick,
                            const QStringList& sizeTexts, const QString& jpgText) {
  const bool keep = quick.quickKeepSettings;
  const auto rule = std::find(kQuickRules.begin(), kQuickRules.end(), quick.quickNamingRule);
  const bool jpg = quick.quickSaveFormat == u8(kDefaultSaveFormat);
  const auto kept = [keep](const QString& text) { return keep ? text : QString(); };
  const SettingsStore::KeyText keys[] = {
      {kNamingRuleKey, kept(QString::number(rule - kQuickRules.begin()))},
      {kCustomNameKey, kept(quick.quickCustomName)},
      {kSaveFormatKey, kept(quick.quickSaveFormat)},
      {kSaveFolderKey, kept(quick.quickSaveFolder)},
      {kShutterSoundKey, kept(quick.shutterSound ? u8(kFlagTrue) : QString())},
      {kKeepSettingsKey, kept(u8(kFlagTrue))},
      {kPixelWidthKey, kept(sizeTexts.value(0))},
      {kPixelHeightKey, kept(sizeTexts.value(1))},
      {kJpgSizeKey, kept(jpg ? jpgText : QString())},
      {kDpiKey, kept(sizeTexts.value(4))},
      {kMillimetreWidthKey, kept(sizeTexts.value(2))},
      {kMillimetreHeightKey, kept(sizeTexts.value(3))},
  };
  SettingsStore(settingsFile).write(u8(kQuickShotSection), keys);
}

void keepQuickShotJpgLimit(const QuickShotSettings& quick, const SettingsStore& store,
                           const QString& text) {
  if (quick.quickMode && quick.quickKeepSettings && quick.quickSaveFormat == u8(kDefaultSaveFormat))
    store.write(u8(kQuickShotSection), u8(kJpgSizeKey), text);
}

}  // namespace veltrix
