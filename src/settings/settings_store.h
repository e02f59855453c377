// The program's settings file: one INI file, read and written a key at a time.
#pragma once

#include <QString>

namespace veltrix {

class SettingsStore {
 public:
  explicit SettingsStore(QString file);

  const QString& file() const { return file_; }

  // "" when the file, section or key is missing.
  QString read(const QString& section, const QString& key) const;

  // Settings are a convenience: a failed write is not reported and changes nothing.
  void write(const QString& section, const QString& key, const QString& value) const;

 private:
  QString file_;
};

}  // namespace veltrix
