// Reads and writes INI files the way the Windows private-profile functions
// (GetPrivateProfileStringA / WritePrivateProfileStringA) do, with GB18030 bytes on disk.
#pragma once

#include <QString>

namespace veltrix {

// The program reads values into a 10240-byte buffer that also holds the terminating NUL.
inline constexpr int kIniValueMaxBytes = 10239;

// Nothing is cached: each call reads the file anew. Section and key names match without
// regard to case; the first matching section, and the first matching key in it, count.
// Missing file, section or key, or an empty path, section or key, all read as "". The value
// loses the blanks and one pair of matching quotes around it, and is cut to
// kIniValueMaxBytes bytes of GB18030 on a character boundary.
QString iniRead(const QString& path, const QString& section, const QString& key);

// Sets the key, adding it or its section when missing; every other line of the file keeps
// its bytes. The file is replaced whole, never left half-written. CR and LF in the value
// become spaces. Returns false, touching nothing, for an empty path, section or key, or when
// the file cannot be read or replaced.
bool iniWrite(const QString& path, const QString& section, const QString& key,
              const QString& value);

}  // namespace veltrix
