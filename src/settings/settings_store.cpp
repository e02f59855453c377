// SettingsStore over the private-profile INI functions.
#include "settings/settings_store.h"

#include <utility>

#include "platform/utf8.h"
#include "settings/ini_document.h"
#include "settings/ini_file.h"

namespace veltrix {

SettingsStore::SettingsStore(QString file) : file_(std::move(file)) {}

QString SettingsStore::read(const QString& section, const QString& key) const {
  return iniRead(file_, section, key);
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) const {
  iniWrite(file_, section, key, value);
}

void SettingsStore::write(const QString& section, std::span<const KeyText> keys) const {
  std::optional<IniDocument> settings = IniDocument::load(file_);
  if (!settings) return;
  for (const KeyText& key : keys) settings->set(section, u8(key.key), key.text);
  settings->save();
}

}  // namespace veltrix
