// SettingsStore over the private-profile INI functions.
#include "settings/settings_store.h"

#include <utility>

#include "settings/ini_file.h"

namespace veltrix {

SettingsStore::SettingsStore(QString file) : file_(std::move(file)) {}

QString SettingsStore::read(const QString& section, const QString& key) const {
  return iniRead(file_, section, key);
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) const {
  iniWrite(file_, section, key, value);
}

}  // namespace veltrix
