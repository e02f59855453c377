// The program's settings file: one INI file, read and written a key at a time, or a section's
// keys at once.
#pragma once

#include <QString>
#include <span>

namespace veltrix {

class SettingsStore {
 public:
  explicit SettingsStore(QString file);

  const QString& file() const { return file_; }

  // "" when the file, section or key is missing.
  QString read(const QString& section, const QString& key) const;

  // Settings are a convenience: a failed write is not reported and changes nothing.
  void write(const QString& section, const QString& key, const QString& value) const;

  // Keys of one section written in one pass, in this order, with the bytes the same one-key
  // writes would have left.
  struct KeyText {
    const char* key;
    QString text;
  };
  void write(const QString& section, std::span<const KeyText> keys) const;

 private:
  QString file_;
};

}  // namespace veltrix
