// Start-up settings: stored texts turned into the program's values.
#include "settings/startup_settings.h"

#include "platform/utf8.h"
#include "settings/number_rules.h"
#include "settings/settings_keys.h"

namespace veltrix {

namespace {

struct SectionReader {
  const SettingsStore& store;
  QString section;

  QString read(const char* key) const { return store.read(section, u8(key)); }

  bool flag(const char* key) const { return read(key) == u8(kFlagTrue); }

  QString saveFormat() const {
    const QString stored = read(kSaveFormatKey);
    return stored.isEmpty() ? u8(kDefaultSaveFormat) : stored;
  }

  template <size_t N>
  NamingRule namingRule(const std::array<NamingRule, N>& rules) const {
    return rules[static_cast<size_t>(namingRuleIndex(read(kNamingRuleKey), static_cast<int>(N)))];
  }
};

}  // namespace

int namingRuleIndex(const QString& stored, int ruleCount) {
  const int index = truncToInt(leadingNumber(stored));
  return index >= 0 && index < ruleCount ? index : 0;
}

BatchSettings readBatchSettings(const SettingsStore& store) {
  const SectionReader section{store, u8(kBatchSection)};
  BatchSettings settings;
  settings.namingRule = section.namingRule(kBatchRules);
  settings.customName = section.read(kCustomNameKey);
  settings.saveFormat = section.saveFormat();
  settings.saveFolder = section.read(kSaveFolderKey);
  settings.sourceFolder = section.read(kSourceFolderKey);
  settings.cropSound = section.flag(kCropSoundKey);
  settings.keepSettings = section.flag(kKeepSettingsKey);
  settings.autoFrameHead = section.flag(kAutoFrameKey);
  return settings;
}

QuickShotPreferences readQuickShotPreferences(const SettingsStore& store) {
  const SectionReader section{store, u8(kQuickShotSection)};
  QuickShotPreferences preferences;
  preferences.quickNamingRule = section.namingRule(kQuickRules);
  preferences.quickCustomName = section.read(kCustomNameKey);
  preferences.quickSaveFormat = section.saveFormat();
  preferences.quickSaveFolder = section.read(kSaveFolderKey);
  preferences.shutterSound = section.flag(kShutterSoundKey);
  preferences.quickKeepSettings = section.flag(kKeepSettingsKey);
  return preferences;
}

bool readHeadGuidesShown(const SettingsStore& store) {
  return SectionReader{store, u8(kGuidesSection)}.flag(kGuidesShownKey);
}

}  // namespace veltrix
