// Quick-shoot mode: the settings loaded at start-up and the mode's state for this run.
#pragma once

#include "save/output_naming.h"
#include "settings/settings_store.h"
#include "settings/startup_settings.h"

namespace veltrix {

struct QuickShotSettings : QuickShotPreferences {
  bool quickMode = false;
  bool quickSettingsAsked = false;
  bool quickSettingsWindowOpen = false;
};

// What the quick-shoot rule names the next photo by: its folder, format and prefix.
NamingInputs quickNamingInputs(const QuickShotSettings& quick, const QString& settingsFolder,
                               const QDateTime& now);

// Quick shooting that keeps its settings keeps the JPG size target, as it changes, when it saves
// JPG.
void keepQuickShotJpgLimit(const QuickShotSettings& quick, const SettingsStore& store,
                           const QString& text);

}  // namespace veltrix
