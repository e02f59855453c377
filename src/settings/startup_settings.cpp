// Start-up settings: stored texts turned into the program's values.
#include "settings/startup_settings.h"

#include "settings/number_text.h"
#include "settings/settings_keys.h"

namespace veltrix {

namespace {

QString text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

struct SectionReader {
  const SettingsStore& store;
  QString section;

  QString read(const char* key) const { return store.read(section, text(key)); }

  bool flag(const char* key) const { return read(key) == text(kFlagTrue); }

  QString saveFormat() const {
    const QString stored = read(kSaveFormatKey);
    return stored.isEmpty() ? text(kDefaultSaveFormat) : stored;
  }

  template <size_t N>
  QString namingRule(const std::array<const char*, N>& rules) const {
    return text(rules[static_cast<size_t>(
        namingRuleIndex(read(kNamingRuleKey), static_cast<int>(rules.size())))]);
  }
};

}  // namespace

int namingRuleIndex(const QString& stored, int ruleCount) {
  const int index = truncToInt(leadingNumber(stored));
  return index >= 0 && index < ruleCount ? index : 0;
}

BatchSettings readBatchSettings(const SettingsStore& store) {
  const SectionReader section{store, text(kBatchSection)};
  BatchSettings settings;
  settings.namingRule = section.namingRule(kBatchNamingRules);
  settings.customName = section.read(kCustomNameKey);
  settings.saveFormat = section.saveFormat();
  settings.saveFolder = section.read(kSaveFolderKey);
  settings.sourceFolder = section.read(kSourceFolderKey);
  settings.cropSound = section.flag(kCropSoundKey);
  settings.keepSettings = section.flag(kKeepSettingsKey);
  return settings;
}

QuickShotPreferences readQuickShotPreferences(const SettingsStore& store) {
  const SectionReader section{store, text(kQuickShotSection)};
  QuickShotPreferences preferences;
  preferences.quickNamingRule = section.namingRule(kQuickNamingRules);
  preferences.quickCustomName = section.read(kCustomNameKey);
  preferences.quickSaveFormat = section.saveFormat();
  preferences.quickSaveFolder = section.read(kSaveFolderKey);
  preferences.shutterSound = section.flag(kShutterSoundKey);
  preferences.quickKeepSettings = section.flag(kKeepSettingsKey);
  return preferences;
}

}  // namespace veltrix
