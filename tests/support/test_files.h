// Small helpers for tests that prepare and inspect real files byte for byte.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cctype>
#include <string>

namespace veltrix::test {

// Writes the bytes as the whole file; false when the file cannot be written.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The whole file, or nothing when it cannot be read.
inline QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file name as a gtest case name, which allows letters, digits and underscores only.
inline std::string caseName(const char* file) {
  std::string name(file);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

inline QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace veltrix::test
