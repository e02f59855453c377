// Files replaced whole, and why a write failed: a full disk is told apart from every other fault,
// for the user then has to make room rather than look for a permission problem.
#pragma once

#include <QByteArray>
#include <QString>

namespace veltrix {

enum class WriteOutcome {
  Written,
  DiskFull,  // no room left (ENOSPC), a quota reached (EDQUOT) or a file too large for it (EFBIG)
  Failed,    // anything else: a missing or read-only folder, a folder in the way, ...
};

// Writes to a temporary file in the same folder and renames it over the path once it is whole,
// so that a failed write leaves whatever was there as it was; through a symbolic link the file it
// points to is replaced and the link kept.
WriteOutcome replaceFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace veltrix
