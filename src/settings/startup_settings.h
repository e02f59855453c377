// The settings read from the settings file at start-up, for batch cropping, quick shooting and
// the head guides.
#pragma once

#include <QString>

#include "settings/naming_rules.h"
#include "settings/settings_store.h"

namespace veltrix {

struct BatchSettings {
  NamingRule namingRule = kBatchRules[0];
  QString customName;
  QString saveFormat = ".JPG";
  QString saveFolder;
  QString sourceFolder;
  bool cropSound = false;
  bool keepSettings = false;
  bool autoFrameHead = false;  // each picture the batch shows is framed at once
};

struct QuickShotPreferences {
  NamingRule quickNamingRule = kQuickRules[0];
  QString quickCustomName;
  QString quickSaveFormat = ".JPG";
  QString quickSaveFolder;
  bool shutterSound = false;
  bool quickKeepSettings = false;
};

// The rule index a stored "命名方式" text stands for: its leading number, truncated; one
// outside 0..ruleCount-1 falls back to 0.
int namingRuleIndex(const QString& stored, int ruleCount);

// Neither creates the settings file; what is missing keeps its default.
BatchSettings readBatchSettings(const SettingsStore& store);
QuickShotPreferences readQuickShotPreferences(const SettingsStore& store);
// Whether the head guides were shown when the program last ran.
bool readHeadGuidesShown(const SettingsStore& store);

}  // namespace veltrix
