// Quick-shoot mode: the settings loaded at start-up and the mode's state for this run.
#pragma once

#include <QStringList>

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

// The twelve keys of the quick-shoot settings section, in one pass: the settings and the size
// boxes' texts (pixel width, pixel height, millimetre width, millimetre height, DPI) with the JPG
// target's text for JPG output; or every key empty when the settings are not kept.
void writeQuickShotSettings(const QString& settingsFile, const QuickShotSettings& quick,
                            const QStringList& sizeTexts, const QString& jpgText);

// Quick shooting that keeps its settings keeps the JPG size target, as it changes, when it saves
// JPG.
void keepQuickShotJpgLimit(const QuickShotSettings& quick, const SettingsStore& store,
                           const QString& text);

}  // namespace veltrix
