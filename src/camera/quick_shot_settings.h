// Quick-shoot mode: the settings loaded at start-up and the mode's state for this run.
#pragma once

#include "settings/startup_settings.h"

namespace veltrix {

struct QuickShotSettings : QuickShotPreferences {
  bool quickMode = false;
  bool quickSettingsAsked = false;
  bool quickSettingsWindowOpen = false;
};

}  // namespace veltrix
