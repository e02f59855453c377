// Small helpers for tests that prepare and inspect real files byte for byte.
#pragma once

#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cctype>
#include <csignal>
#include <functional>
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

// Runs `write` with files limited to `bytes`: past the limit a write fails as it does on a full
// disk, without the signal that would end the process.
inline void withFilesLimitedTo(rlim_t bytes, const std::function<void()>& write) {
  rlimit saved{};
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &small) == 0) write();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
}

inline QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace veltrix::test
